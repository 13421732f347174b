#pragma once

#include <QDate>
#include <QString>

namespace kalvero::CancellationTrailer {

// What the trailer announces after " / ".
inline const QString ProtocolCancelled = QStringLiteral("***** P R O T O C O L O  C A N C E L A D O *****");
inline const QString MovementCancelled = QStringLiteral("***** M O V I M E N T A Ç Ã O  C A N C E L A D A *****");

// " / " + banner + " / MOTIVO: " + reason + " / DATA DO CANCELAMENTO: " +
// dd/mm/yyyy, appended to the text (a protocol's description, a movement's
// remarks).
//
// The whole keeps within maxLength characters. The trailer is what tells why
// and when, so the text gives way first (its end is cut); a reason too long
// for the room left loses its end, and the date always stays.
QString appendTo(const QString &text, const QString &banner, const QString &reason, const QDate &date, int maxLength);

}  // namespace kalvero::CancellationTrailer
