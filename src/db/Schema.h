#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <vector>

namespace ovra::db {

// The five tables of a competition database and their columns, as both
// kinds of database hold them. SQLite keeps the declared types loosely (a
// value of any kind fits any column); a server keeps them strictly, so a
// value copied there is first brought to its column's kind (normalized()).
enum class ColumnType {
    Integer,
    Text,
    Blob,
};

struct Column
{
    const char *name;
    ColumnType type;
};

struct Table
{
    const char *name;
    // After idx, in table order; Measures ends with MeasureUid.
    std::vector<Column> columns;
    QStringList names() const;
    ColumnType type(const QString &column) const;
};

// Athlets, Groups, Competitions, Events, Measures: the order the tables are
// created in.
const std::array<Table, 5> &tables();
const Table &table(const char *name);

// The order of the copy flags and of a merge: Athlets, Events,
// Competitions, Groups, Measures.
constexpr std::array<const char *, 5> kTransferOrder = {"Athlets", "Events", "Competitions", "Groups",
                                                        "Measures"};
// The tables of the start lists (everything but Measures).
bool isStartListTable(const QString &name);

// A column or table name as the tables spell it ("lastname1" ->
// "LastName1"); any other name unchanged. A server folds unquoted names to
// lower case.
QString canonicalName(const QString &name);

// value as its column holds it on a server: Integer a qlonglong (numbers in
// text are read; other text gives NULL), Text a QString, Blob a
// QByteArray (text as UTF-8); NULL stays NULL.
QVariant normalized(const QVariant &value, ColumnType type);

// The content id of a measure: SHA-256 in lower-case hex of the UTF-8
// texts, each preceded by its byte count (4 bytes, little endian; NULL
// counts as empty), followed by the sample bytes. Two copies of one routine
// get the same id in every database.
QString measureUid(const QString &lastName1, const QString &firstName1, const QString &lastName2,
                   const QString &firstName2, const QString &date, const QString &time,
                   const QByteArray &samples);

} // namespace ovra::db
