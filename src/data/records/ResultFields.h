#pragma once

#include "FieldDef.h"
#include "../firebird/Statement.h"

#include <QVector>

namespace kalvero {

class ColumnCatalogue;

// The fields of a statement's result, one per column in order. A name that
// repeats is known with the suffix "_1", "_2", ...; a field takes its
// presentation from the declared fields first, then from the catalogue of
// the database, and its type and width from the result itself. Throws when a
// declared field is missing from the result.
QVector<FieldDef> resultFields(const QString &setName, const QVector<fb::ColumnInfo> &columns,
                               const QVector<FieldDef> &declared, const ColumnCatalogue *catalogue);

}  // namespace kalvero
