#include "ProgramIdentity.h"

namespace kalvero::ProgramIdentity {

QString rightsNotice(int year) {
    return QStringLiteral("Kalvero - Copyright © %1 %2 - Todos os direitos reservados - %3 - %4")
        .arg(QString::number(year), MakerName, WebSite.mid(7).chopped(1), SupportTelephone);
}

}  // namespace kalvero::ProgramIdentity
