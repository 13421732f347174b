#pragma once

#include <QString>
#include <QVariant>

namespace kalvero {

// A protocol's STATUS as the printed reports show it: 0 "ATIVO",
// 1 "CANCELADO", 2 "ARQUIVADO"; anything else prints nothing.
QString protocolStatusText(const QVariant &status);

}  // namespace kalvero
