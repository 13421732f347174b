#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace kalvero {

// One column of a table as the program knows it: its SQL type, whether the
// program treats it as required, and how grids and messages present it.
struct ColumnDefinition {
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

struct ForeignKeyDefinition {
    QString name;
    QStringList columns;
    QString table;
    QStringList referenced;
};

struct IndexDefinition {
    QString name;
    QStringList columns;
    bool descending = false;
};

struct TableDefinition {
    QString name;
    QVector<ColumnDefinition> columns;
    QStringList primaryKey;  // empty: no key
    QVector<ForeignKeyDefinition> foreignKeys;
    QVector<IndexDefinition> indexes;

    const ColumnDefinition *column(const QString &name) const;
    // CREATE TABLE with its primary key; foreign keys and indexes come apart,
    // once every table exists.
    QString createStatement() const;
    QStringList constraintStatements() const;
    QString indexStatement(const IndexDefinition &index) const;
};

}  // namespace kalvero
