#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace kalvero {

// One column of a table as the program knows it: its SQL type, whether the
// program treats it as required, and how grids and messages present it.
struct ColumnSpec {
    QString name;
    QString sqlType;  // "VARCHAR(80)", "INTEGER", "DATE", ...
    bool notNull = false;
    QString label;          // empty: the column name
    QString displayFormat;  // "000", "00000"
    QString editMask;       // "999\.999\.999\-99;0;"
    int displayWidth = 0;   // characters in grids; 0: the column's own width
    bool hidden = false;    // left out by grids that show a whole row

    QString displayLabel() const { return label.isEmpty() ? name : label; }
};

struct ForeignKeySpec {
    QString name;
    QStringList columns;
    QString table;
    QStringList referenced;
};

struct IndexSpec {
    QString name;
    QStringList columns;
    bool descending = false;
};

struct TableSpec {
    QString name;
    QVector<ColumnSpec> columns;
    QStringList primaryKey;  // empty: no key
    QVector<ForeignKeySpec> foreignKeys;
    QVector<IndexSpec> indexes;

    const ColumnSpec *column(const QString &name) const;
    // CREATE TABLE with its primary key; foreign keys and indexes come apart,
    // once every table exists.
    QString createStatement() const;
    QStringList constraintStatements() const;
};

}  // namespace kalvero
