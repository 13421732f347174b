#pragma once

#include <QString>

namespace kalvero {

class RecordSet;
struct ColumnDefinition;

enum class FieldType { Text, Integer, LargeInt, Float, Date, Time, DateTime, Boolean };

// A display-only field that shows a column of another record set, found
// through a key of this one.
struct LookupDef {
    RecordSet *dataSet = nullptr;
    QString keyField;        // field of this record set
    QString lookupKeyField;  // field of dataSet
    QString resultField;     // field of dataSet that is shown
};

// One field of a record set: its type and width, its required flag and how it
// is presented.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;  // characters, text fields only
    bool required = false;
    QString label;
    QString displayFormat;
    QString editMask;
    int displayWidth = 0;
    bool visible = true;

    // Where the value comes from in the database; empty for computed columns.
    QString relation;
    QString origin;

    bool isLookup = false;
    LookupDef lookup;

    QString displayLabel() const { return label.isEmpty() ? name : label; }

    // A field declared from the program's own knowledge of a column.
    static FieldDef fromColumn(const QString &table, const ColumnDefinition &column);
    // A lookup field with its label, grid width and text width.
    static FieldDef lookupField(const QString &name, const QString &label, int displayWidth, int size,
                                const LookupDef &lookup);
};

}  // namespace kalvero
