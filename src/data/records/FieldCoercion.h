#pragma once

#include "FieldDef.h"

#include <QVariant>

namespace kalvero {

// A value as the field keeps it: text within the field's width, numbers,
// dates (dd/mm/yyyy text accepted) and times in their own types; empty text
// becomes null. Throws a DatabaseError naming the field when the value does
// not fit.
QVariant coerceFieldValue(const FieldDef &field, const QVariant &value);

}  // namespace kalvero
