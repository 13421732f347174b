#include "ProgramIdentity.h"

#include <QUrl>

namespace kalvero::ProgramIdentity {

QString webHost() { return QUrl(WebSite).host(); }

QString rightsNotice(int year) {
    return QStringLiteral("Kalvero - Copyright © %1 %2 - Todos os direitos reservados - %3 - %4")
        .arg(QString::number(year), MakerName, webHost(), SupportTelephone);
}

}  // namespace kalvero::ProgramIdentity
