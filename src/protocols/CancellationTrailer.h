#pragma once

#include <QDate>
#include <QString>

namespace kalvero::CancellationTrailer {

// " / ***** P R O T O C O L O  C A N C E L A D O ***** / MOTIVO: " + reason +
// " / DATA DO CANCELAMENTO: " + dd/mm/yyyy, appended to the description.
//
// The whole keeps within maxLength characters. The trailer is what tells why
// and when, so the description gives way first (its end is cut); a reason too
// long for the room left loses its end, and the date always stays.
QString appendTo(const QString &description, const QString &reason, const QDate &date, int maxLength);

}  // namespace kalvero::CancellationTrailer
