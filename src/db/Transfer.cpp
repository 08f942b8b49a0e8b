#include "db/Transfer.h"

#include "db/Connection.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QHash>
#include <QSet>

namespace ovra::db {

namespace {

QStringList split(const char *columns)
{
    return QString::fromLatin1(columns).split(QStringLiteral(", "));
}

// Measures are read a few at a time: each may hold megabytes of samples.
constexpr int kMeasureChunk = 16;
constexpr int kRowChunk = 500;

// The values of columns in row, each as its column holds it, in one key:
// NULL, a number, a text or bytes (an empty text or array is never NULL).
QByteArray rowKey(const Table &table, const QVariantMap &row, const QStringList &columns)
{
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    for (const QString &c : columns) {
        const QVariant v = normalized(row.value(c), table.type(c));
        if (!v.isValid()) {
            out << quint8(0);
        } else if (v.typeId() == QMetaType::LongLong) {
            out << quint8(1) << v.toLongLong();
        } else {
            const QByteArray bytes =
                v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
            out << quint8(v.typeId() == QMetaType::QByteArray ? 3 : 2);
            out.writeBytes(bytes.constData(), uint(bytes.size()));
        }
    }
    return key;
}

QVariantList values(const Table &table, const QVariantMap &row, const QStringList &columns)
{
    QVariantList out;
    out.reserve(columns.size());
    for (const QString &c : columns)
        out << normalized(row.value(c), table.type(c));
    return out;
}

QString placeholders(qsizetype n)
{
    QStringList marks;
    for (qsizetype i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QString insertSql(const QString &table, const QStringList &columns)
{
    return QStringLiteral("INSERT INTO %1 ( %2 ) VALUES ( %3 );")
        .arg(table, columns.join(QStringLiteral(", ")), placeholders(columns.size()));
}

QString failure(Connection &connection, const QString &table)
{
    return QCoreApplication::translate("ovra::db::Transfer", "%1 (table %2)")
        .arg(connection.lastError(), table);
}

// The id a measure row carries, or the one its content gives.
QString uidOf(const QVariantMap &row)
{
    const QString stored = row.value(QStringLiteral("MeasureUid")).toString();
    if (!stored.isEmpty())
        return stored;
    const auto text = [&row](const char *c) { return row.value(QLatin1String(c)).toString(); };
    return measureUid(text("LastName1"), text("FirstName1"), text("LastName2"), text("FirstName2"),
                      text("Date"), text("Time"),
                      normalized(row.value(QStringLiteral("Data")), ColumnType::Blob).toByteArray());
}

bool mergeStartList(Connection &target, Connection &source, const QString &name, const MergeColumns &merge,
                    MergeCounts &counts, QString &error)
{
    const Table &table = ovra::db::table(name.toLatin1().constData());
    const QString columns = merge.copied.join(QStringLiteral(", "));
    bool ok = false;
    const QList<QVariantMap> existing =
        target.select(QStringLiteral("SELECT %1 FROM %2;").arg(columns, name), {}, &ok);
    if (!ok) {
        error = failure(target, name);
        return false;
    }
    QSet<QByteArray> whole;
    QSet<QByteArray> keys;
    for (const QVariantMap &row : existing) {
        whole.insert(rowKey(table, row, merge.copied));
        keys.insert(rowKey(table, row, merge.key));
    }
    const QList<QVariantMap> incoming =
        source.select(QStringLiteral("SELECT %1 FROM %2 ORDER BY idx;").arg(columns, name), {}, &ok);
    if (!ok) {
        error = failure(source, name);
        return false;
    }
    const QString insert = insertSql(name, merge.copied);
    for (const QVariantMap &row : incoming) {
        if (whole.contains(rowKey(table, row, merge.copied))) {
            ++counts.identical;
            continue;
        }
        if (keys.contains(rowKey(table, row, merge.key)))
            ++counts.conflicting;
        else
            ++counts.added;
        if (!target.execute(insert, values(table, row, merge.copied))) {
            error = failure(target, name);
            return false;
        }
    }
    return true;
}

bool mergeMeasures(Connection &target, Connection &source, const MergeColumns &merge, MergeCounts &counts,
                   QString &error)
{
    const Table &table = ovra::db::table("Measures");
    const QString name = QStringLiteral("Measures");
    bool ok = false;
    // The rows of target as they were before the merge: ids and the last idx.
    const QList<QVariantMap> ids =
        target.select(QStringLiteral("SELECT idx, MeasureUid FROM Measures;"), {}, &ok);
    if (!ok) {
        error = failure(target, name);
        return false;
    }
    QSet<QString> known;
    qint64 last = 0;
    for (const QVariantMap &row : ids) {
        known.insert(row.value(QStringLiteral("MeasureUid")).toString());
        last = std::max(last, row.value(QStringLiteral("idx")).toLongLong());
    }
    const QString columns = merge.copied.join(QStringLiteral(", "));
    const QString insert = insertSql(name, merge.copied);
    const QString candidates =
        QStringLiteral("SELECT idx, %1 FROM Measures WHERE MeasureUid = ? AND idx <= ?;").arg(columns);
    // The result is computed from the samples: a copy scored in one database
    // and not yet in the other is the same measure, and the unscored copy
    // takes the result.
    QStringList compared = merge.copied;
    compared.removeAll(QStringLiteral("Results"));
    const auto scored = [](const QVariantMap &row) {
        return !normalized(row.value(QStringLiteral("Results")), ColumnType::Blob).toByteArray().isEmpty();
    };
    qint64 after = std::numeric_limits<qint64>::min();
    for (;;) {
        const QList<QVariantMap> rows = source.select(
            QStringLiteral("SELECT idx, %1 FROM Measures WHERE idx > ? ORDER BY idx LIMIT ?;").arg(columns),
            {after, kMeasureChunk}, &ok);
        if (!ok) {
            error = failure(source, name);
            return false;
        }
        if (rows.isEmpty())
            return true;
        for (QVariantMap row : rows) {
            after = row.value(QStringLiteral("idx")).toLongLong();
            const QString uid = uidOf(row);
            row.insert(QStringLiteral("MeasureUid"), uid);
            if (known.contains(uid)) {
                const QList<QVariantMap> same = target.select(candidates, {uid, last}, &ok);
                if (!ok) {
                    error = failure(target, name);
                    return false;
                }
                const QByteArray whole = rowKey(table, row, compared);
                const auto match = std::find_if(same.cbegin(), same.cend(), [&](const QVariantMap &m) {
                    return rowKey(table, m, compared) == whole;
                });
                if (match != same.cend()) {
                    ++counts.identical;
                    if (!scored(*match) && scored(row) &&
                        !target.execute(QStringLiteral("UPDATE Measures SET Results = ? WHERE idx = ?;"),
                                        {normalized(row.value(QStringLiteral("Results")), ColumnType::Blob),
                                         match->value(QStringLiteral("idx"))})) {
                        error = failure(target, name);
                        return false;
                    }
                    continue;
                }
                ++counts.conflicting;
            } else {
                ++counts.added;
            }
            if (!target.execute(insert, values(table, row, merge.copied))) {
                error = failure(target, name);
                return false;
            }
        }
    }
}

} // namespace

const std::array<MergeColumns, 5> &mergeColumns()
{
    static const std::array<MergeColumns, 5> kMergeColumns = {{
        {split("LastName, FirstName, Gender, Year, NOC, NOCCode, IDFIG, IDNational, Email, R1, R2, R3, "
               "Picture, R4"),
         split("LastName, FirstName, Gender, Year, NOC, NOCCode, IDFIG")},
        {split("EventName, City, NOCCode, DateFrom, DateTo, CompetitionName, R1, R2, R3"),
         split("EventName, City, NOCCode, DateFrom, DateTo")},
        {split("EventName, CompetitionName, GroupName, Date, GenderID, TypeID, R1, R2, R3"),
         split("EventName, CompetitionName, GroupName, Date, GenderID, TypeID")},
        {split("EventName, CompetitionName, GroupName, StartOrder, Competitor1No, LastName1, FirstName1, "
               "Gender1, Year1, NOCCode1, IDFIG1, Competitor2No, LastName2, FirstName2, Gender2, Year2, "
               "NOCCode2, IDFIG2, GenderID, TypeID, R1, R2, R3"),
         split(
             "EventName, CompetitionName, GroupName, StartOrder, LastName1, FirstName1, Gender1, LastName2, "
             "FirstName2, Gender2, GenderID, TypeID")},
        {table("Measures").names(), {QStringLiteral("MeasureUid")}},
    }};
    return kMergeColumns;
}

bool mergeRows(Connection &target, Connection &source, MergeResult &result)
{
    result.tables = {};
    for (std::size_t i = 0; i < kTransferOrder.size(); ++i) {
        const QString name = QString::fromLatin1(kTransferOrder[i]);
        const bool ok =
            i + 1 < kTransferOrder.size()
                ? mergeStartList(target, source, name, mergeColumns()[i], result.tables[i], result.error)
                : mergeMeasures(target, source, mergeColumns()[i], result.tables[i], result.error);
        if (!ok)
            return false;
    }
    return true;
}

bool copyRows(Connection &target, Connection &source, int flags, QString *error)
{
    for (std::size_t i = 0; i < kTransferOrder.size(); ++i) {
        if (!(flags & (1 << i)))
            continue;
        const Table &table = ovra::db::table(kTransferOrder[i]);
        const QString name = QString::fromLatin1(table.name);
        QStringList columns = table.names();
        columns.prepend(QStringLiteral("idx"));
        const QString insert = insertSql(name, columns);
        const QString read = QStringLiteral("SELECT %1 FROM %2 WHERE idx > ? ORDER BY idx LIMIT ?;")
                                 .arg(columns.join(QStringLiteral(", ")), name);
        const int chunk = name == QLatin1String("Measures") ? kMeasureChunk : kRowChunk;
        qint64 after = std::numeric_limits<qint64>::min();
        for (;;) {
            bool ok = false;
            const QList<QVariantMap> rows = source.select(read, {after, chunk}, &ok);
            if (!ok) {
                if (error)
                    *error = failure(source, name);
                return false;
            }
            if (rows.isEmpty())
                break;
            for (const QVariantMap &row : rows) {
                after = row.value(QStringLiteral("idx")).toLongLong();
                if (!target.execute(insert, values(table, row, columns))) {
                    if (error)
                        *error = failure(target, name);
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace ovra::db
