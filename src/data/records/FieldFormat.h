#pragma once

#include "FieldDef.h"

#include <QVariant>

namespace kalvero::FieldFormat {

// The text a grid shows for a value: display formats ("000"), dates as
// dd/mm/yyyy, text through its edit mask (CPF, CNPJ), times as the mask shows.
QString displayText(const FieldDef &field, const QVariant &value);

// The plain text of a value as screens read it (dates dd/mm/yyyy, times hh:mm:ss).
QString plainText(FieldType type, const QVariant &value);

// Lays stored characters into an edit mask: "999\.999\.999\-99;0;" shows
// 12345678909 as 123.456.789-09. Text that does not fill the mask is shown as
// far as it goes.
QString applyEditMask(const QString &mask, const QString &value);

// Formats an integer by a format such as "000" or "00000" (zero-padded).
QString applyNumberFormat(const QString &format, qint64 value);

}  // namespace kalvero::FieldFormat
