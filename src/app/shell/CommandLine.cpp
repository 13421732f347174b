#include "CommandLine.h"

#include "data/session/ProgramIdentity.h"

#include <cstdio>
#include <cstring>

namespace kalvero::CommandLine {

std::optional<int> answer(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("kalvero %s\n", ProgramIdentity::Version.toUtf8().constData());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: kalvero [Qt options]\n"
                        "%s %s.\n\n"
                        "Kalvero opens the databases named in the program folder it runs from (normally /opt/kalvero):\n"
                        "DBACESSO.FDB for the operators and work units, each unit's DBPROTOCOLO.FDB, on the server named\n"
                        "in Config/ipServidor.ini or, when that file is empty, with the embedded engine.\n"
                        "An install is made with kalvero-setup (see kalvero-setup --help).\n\n"
                        "  -h, --help     show this text\n"
                        "  -v, --version  show the program's version\n\n"
                        "Support: %s, %s, %s\n",
                        ProgramIdentity::MainCaption.toUtf8().constData(), ProgramIdentity::Version.toUtf8().constData(),
                        ProgramIdentity::SupportTelephones.toUtf8().constData(), ProgramIdentity::EMail.toUtf8().constData(),
                        ProgramIdentity::WebSite.toUtf8().constData());
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace kalvero::CommandLine
