#include "ProtocolStatusText.h"

namespace kalvero {

QString protocolStatusText(const QVariant &status) {
    bool number = false;
    switch (status.toString().trimmed().toInt(&number)) {
    case 0:
        return number ? QStringLiteral("ATIVO") : QString();
    case 1:
        return QStringLiteral("CANCELADO");
    case 2:
        return QStringLiteral("ARQUIVADO");
    default:
        return QString();
    }
}

}  // namespace kalvero
