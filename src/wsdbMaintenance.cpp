// The competition database's maintenance: copies into another file, the
// merge of another file, switching files and the measure browser's query.

#include "wsdb.h"

#include "db/PostgresConnection.h"
#include "db/Schema.h"
#include "db/SqliteConnection.h"
#include "wsdbStatement.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using ovra::db::PostgresConnection;
using ovra::db::SqliteConnection;
using wsdb_detail::Statement;

namespace {

const QString kAttachSql = QStringLiteral("ATTACH DATABASE ? AS 'dbAttached';");
const QString kDetachSql = QStringLiteral("DETACH DATABASE 'dbAttached';");

// The five tables in the order of the copy flags and of a merge.
constexpr const auto &kTables = ovra::db::kTransferOrder;

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

QStringList split(const char *columns)
{
    return QString::fromLatin1(columns).split(QStringLiteral(", "));
}

} // namespace

bool wsdb::copyToDatabase(const QString &path, int flags)
{
    if (!m_connection)
        return false;
    if (sameFile(path, m_path) || (m_kind == Kind::Server && sameFile(path, m_serverQueueFile))) {
        qWarning().noquote() << "The open database cannot be copied onto itself:" << path;
        return false;
    }
    if (m_kind == Kind::Server) {
        // Rows come from the server, a few at a time, into a file of our own.
        SqliteConnection target;
        QString error;
        const bool copied = target.open(path) && target.transaction([&] {
            return target.createTables() && ovra::db::copyRows(target, *m_serverConnection, flags, &error);
        });
        if (!copied)
            qWarning().noquote() << "The database could not be copied to" << path << error;
        return copied;
    }
    if (!m_file->execute(kAttachSql, {path})) {
        qWarning().noquote() << "Could not attach the database file" << path;
        return false;
    }
    const bool copied = m_file->transaction([this, flags] {
        if (!m_file->createTables(QStringLiteral("dbAttached")))
            return false;
        for (int i = 0; i < 5; ++i) {
            const int flag = 1 << i;
            const QString table = QString::fromLatin1(kTables[std::size_t(i)]);
            if ((flags & flag) &&
                !m_file->execute(
                    QStringLiteral("INSERT INTO dbAttached.%1 SELECT * FROM main.%1;").arg(table)))
                return false;
        }
        return true;
    });
    m_file->execute(kDetachSql);
    if (!copied)
        qWarning().noquote() << "The database could not be copied to" << path;
    return copied;
}

bool wsdb::copyToNewDatabase(const QString &path, int flags)
{
    if (!m_connection || sameFile(path, m_path)) {
        qWarning().noquote() << "The open database cannot be copied onto itself:" << path;
        return false;
    }
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    bool done = copyToDatabase(partial, flags);
    if (done && QFile::exists(path))
        done = QFile::remove(path);
    if (done)
        done = QFile::rename(partial, path);
    if (!done) {
        QFile::remove(partial);
        qWarning().noquote() << "The database file was not written:" << path;
    }
    return done;
}

const char *wsdb::tableName(int i)
{
    Q_ASSERT(i >= 0 && i < 5);
    return kTables[std::size_t(std::clamp(i, 0, 4))];
}

QStringList wsdb::mergeReport(const MergeResult &result)
{
    QStringList lines;
    for (int i = 0; i < 5; ++i) {
        const MergeCounts &c = result.tables[std::size_t(i)];
        lines << tr("%1: %2 added, %3 skipped as identical, %4 kept as conflicting")
                     .arg(QString::fromLatin1(tableName(i)))
                     .arg(c.added)
                     .arg(c.identical)
                     .arg(c.conflicting);
    }
    return lines;
}

namespace {

// The three statements of a table. s is the other file's row, m a row of
// this file; IS compares NULL with NULL as equal. from and source say
// where a copied column of s comes from (the measure id of a file without
// it is computed once per row into temp.mergeUids).
struct MergeStatements
{
    QString identical;
    QString conflicting;
    // Measures: a row of this file without a result takes the result of
    // the other file's identical row.
    QString carryResults;
    QString insert;
};

MergeStatements mergeStatements(const QString &table, const ovra::db::MergeColumns &merge, bool computedUid)
{
    const QString from =
        computedUid
            ? QStringLiteral("dbAttached.%1 AS s JOIN temp.mergeUids AS u ON u.idx = s.idx").arg(table)
            : QStringLiteral("dbAttached.%1 AS s").arg(table);
    const auto source = [computedUid](const QString &c) {
        return computedUid && c == QLatin1String("MeasureUid") ? QStringLiteral("u.uid")
                                                               : QStringLiteral("s.") + c;
    };
    const auto same = [&source](const QStringList &columns, const QString &mine = QStringLiteral("m")) {
        QStringList terms;
        for (const QString &c : columns)
            terms << (c == QLatin1String("MeasureUid") ? QStringLiteral("(%3.%1 = %2)")
                                                       : QStringLiteral("(%3.%1 IS %2)"))
                         .arg(c, source(c), mine);
        return terms.join(QStringLiteral(" AND "));
    };
    // The key first, so that the measure id index finds the candidates. A
    // measure's result is computed from its samples: a copy scored in one
    // file and not yet in the other is the same measure.
    QStringList all = merge.key;
    for (const QString &c : merge.copied)
        if (!all.contains(c) && !(computedUid && c == QLatin1String("Results")))
            all << c;
    QStringList sources;
    for (const QString &c : merge.copied)
        sources << source(c);
    const QString identical =
        QStringLiteral("EXISTS ( SELECT 1 FROM main.%1 AS m WHERE %2 )").arg(table, same(all));
    const QString sameKey =
        QStringLiteral("EXISTS ( SELECT 1 FROM main.%1 AS m WHERE %2 )").arg(table, same(merge.key));
    MergeStatements st;
    st.identical = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2;").arg(from, identical);
    st.conflicting =
        QStringLiteral("SELECT COUNT(*) FROM %1 WHERE NOT %2 AND %3;").arg(from, identical, sameKey);
    if (computedUid) {
        const QString scored = QStringLiteral("SELECT s.Results FROM %1 WHERE %2 AND length(s.Results) > 0")
                                   .arg(from, same(all, QStringLiteral("main.%1").arg(table)));
        st.carryResults =
            QStringLiteral("UPDATE main.%1 SET Results = ( %2 LIMIT 1 ) WHERE ( Results IS NULL OR "
                           "length(Results) = 0 ) AND EXISTS ( %2 );")
                .arg(table, scored);
    }
    st.insert = QStringLiteral("INSERT INTO main.%1 (%2) SELECT %3 FROM %4 WHERE NOT %5 ORDER BY s.idx;")
                    .arg(table, merge.copied.join(QStringLiteral(", ")), sources.join(QStringLiteral(", ")),
                         from, identical);
    return st;
}

} // namespace

wsdb::MergeResult wsdb::mergeFromDatabase(const QString &path)
{
    MergeResult result;
    if (!m_connection) {
        result.error = tr("No database is open.");
        return result;
    }
    // Every row of the open file is already there.
    if (sameFile(path, m_path)) {
        result.ok = true;
        return result;
    }
    if (!isOvraDatabase(path)) {
        qWarning().noquote() << "Not an Ovra database:" << path;
        result.error = tr("%1 is not an Ovra database.").arg(path);
        return result;
    }
    if (m_kind == Kind::Server) {
        SqliteConnection source;
        if (!source.openReadOnly(path)) {
            result.error = tr("%1 could not be opened: %2").arg(path, source.lastError());
            return result;
        }
        if (!mergeInto(*m_serverConnection, source, result))
            result.error = tr("%1 could not be merged; nothing was added. %2").arg(path, result.error);
        return result;
    }
    if (!m_file->execute(kAttachSql, {path})) {
        const QString reason = m_file->lastError();
        qWarning().noquote() << "Could not attach the database file" << path << reason;
        result.error = tr("%1 could not be opened: %2").arg(path, reason);
        return result;
    }
    QString failed;
    result.ok = m_file->transaction([&] {
        // This file's ids are complete (they are added at open; once more
        // here in case that failed); the other file is only read, so ids it
        // lacks are computed on the way.
        if (!m_file->addMeasureUids(QStringLiteral("main")))
            return false;
        const QList<QVariantMap> columns =
            m_file->select(QStringLiteral("PRAGMA dbAttached.table_info(Measures);"));
        const bool sourceHasUid = std::any_of(columns.cbegin(), columns.cend(), [](const QVariantMap &c) {
            return c.value(QStringLiteral("name")).toString() == QLatin1String("MeasureUid");
        });
        const QString uidSource =
            sourceHasUid ? QStringLiteral("COALESCE(MeasureUid, ovra_measure_uid(LastName1, "
                                          "FirstName1, LastName2, FirstName2, Date, Time, Data))")
                         : QStringLiteral("ovra_measure_uid(LastName1, FirstName1, LastName2, "
                                          "FirstName2, Date, Time, Data)");
        if (!m_file->execute(
                QStringLiteral("CREATE TEMP TABLE mergeUids ( idx INTEGER PRIMARY KEY, uid TEXT );")) ||
            !m_file->execute(
                QStringLiteral("INSERT INTO temp.mergeUids SELECT idx, %1 FROM dbAttached.Measures;")
                    .arg(uidSource)))
            return false;
        for (std::size_t i = 0; i < 5; ++i) {
            const MergeStatements st =
                mergeStatements(QString::fromLatin1(kTables[i]), ovra::db::mergeColumns()[i], i == 4);
            const QList<QVariantMap> identical = m_file->select(st.identical);
            const QList<QVariantMap> conflicting = m_file->select(st.conflicting);
            if (identical.isEmpty() || conflicting.isEmpty() ||
                (!st.carryResults.isEmpty() && !m_file->execute(st.carryResults)) ||
                !m_file->execute(st.insert)) {
                failed = m_file->lastError();
                return false;
            }
            MergeCounts &counts = result.tables[i];
            counts.identical = identical.first().first().toInt();
            counts.conflicting = conflicting.first().first().toInt();
            counts.added = m_file->changes() - counts.conflicting;
        }
        return m_file->execute(QStringLiteral("DROP TABLE temp.mergeUids;"));
    });
    // A failed transaction leaves the temporary table behind.
    if (!result.ok)
        m_file->execute(QStringLiteral("DROP TABLE IF EXISTS temp.mergeUids;"));
    m_file->execute(kDetachSql);
    if (!result.ok) {
        result.tables = {};
        qWarning().noquote() << "The database file could not be merged:" << path << failed;
        result.error = tr("%1 could not be merged; nothing was added. %2").arg(path, failed);
    }
    return result;
}

wsdb::MergeResult wsdb::mergeFromServer(const QString &conninfo)
{
    MergeResult result;
    if (!m_file) {
        result.error = tr("No database file is open.");
        return result;
    }
    PostgresConnection source;
    if (!source.open(conninfo)) {
        result.error =
            tr("The database server %1 does not answer: %2").arg(source.location(), source.lastError());
        return result;
    }
    if (!mergeInto(*m_file, source, result))
        result.error =
            tr("%1 could not be merged; nothing was added. %2").arg(source.location(), result.error);
    return result;
}

bool wsdb::mergeInto(ovra::db::Connection &target, ovra::db::Connection &source, MergeResult &result)
{
    result.ok = target.transaction([&] { return ovra::db::mergeRows(target, source, result); });
    if (!result.ok) {
        result.tables = {};
        if (result.error.isEmpty())
            result.error = target.lastError();
        qWarning().noquote() << "The database" << source.location() << "could not be merged into"
                             << target.location() << result.error;
    }
    return result.ok;
}

bool wsdb::isOvraDatabase(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    sqlite3 *db = nullptr;
    const QByteArray file = path.toUtf8();
    bool ovra = false;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        // A file that is no SQLite database fails here, not at the open.
        Statement stmt(db,
                       QByteArrayLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name IN "
                                         "('Athlets', 'Groups', 'Competitions', 'Events', 'Measures');"));
        ovra = stmt.prepared() && sqlite3_step(stmt.get()) == SQLITE_ROW &&
               sqlite3_column_int(stmt.get(), 0) == 5;
    }
    sqlite3_close(db);
    return ovra;
}

wsdb::FileCheck wsdb::checkFile(const QString &path)
{
    FileCheck check;
    if (!QFileInfo(path).isFile()) {
        check.error = tr("%1 does not exist.").arg(path);
        return check;
    }
    sqlite3 *db = nullptr;
    const QByteArray file = path.toUtf8();
    // Writable but held to reading, so that closing tidies up the log files
    // a reader of such a file creates; read-only where the file is.
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_exec(db, "PRAGMA query_only=1;", nullptr, nullptr, nullptr);
    } else {
        sqlite3_close(db);
        db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            check.error = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_close(db);
            return check;
        }
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    const auto rows = [db](const QByteArray &sql, QStringList *texts) -> qint64 {
        Statement stmt(db, sql);
        if (!stmt.prepared())
            return -1;
        qint64 first = 0;
        bool any = false;
        while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
            if (!any)
                first = sqlite3_column_int64(stmt.get(), 0);
            any = true;
            if (texts)
                *texts << stmt.text(0);
        }
        return first;
    };
    check.opened = true;
    rows(QByteArrayLiteral("PRAGMA integrity_check;"), &check.integrity);
    if (check.integrity.isEmpty()) {
        // A file that is no database at all fails here.
        check.integrity << QString::fromUtf8(sqlite3_errmsg(db));
    }
    for (std::size_t i = 0; i < 5; ++i)
        check.rows[i] = rows(QByteArray("SELECT COUNT(*) FROM main.") + kTables[i] + ';', nullptr);
    const qint64 withId = rows(QByteArrayLiteral("SELECT COUNT(MeasureUid) FROM Measures;"), nullptr);
    if (check.rows[4] >= 0)
        check.measuresWithoutId = check.rows[4] - std::max<qint64>(withId, 0);
    check.sharedIds = std::max<qint64>(
        0, rows(QByteArrayLiteral("SELECT COUNT(MeasureUid) - COUNT(DISTINCT MeasureUid) FROM Measures;"),
                nullptr));
    sqlite3_close(db);
    return check;
}

bool wsdb::switchDatabase(const QString &path)
{
    if (!isOvraDatabase(path)) {
        qWarning().noquote() << "Not an Ovra database:" << path;
        return false;
    }
    const Kind previousKind = m_kind;
    const QString previousPath = m_path;
    const ovra::db::ServerAddress previousServer = m_server;
    const bool wasOpen = isOpen();
    if (openDatabase(path))
        return true;
    if (wasOpen && previousKind == Kind::Server)
        openServer(previousServer);
    else if (!previousPath.isEmpty())
        openDatabase(previousPath);
    return false;
}

wsdb::FileCheck wsdb::checkServer(const QString &conninfo)
{
    FileCheck check;
    PostgresConnection server;
    if (!server.open(conninfo)) {
        check.error = server.lastError();
        return check;
    }
    check.opened = true;
    QStringList problems;
    for (std::size_t i = 0; i < 5; ++i) {
        bool ok = false;
        const QList<QVariantMap> count = server.select(
            QStringLiteral("SELECT COUNT(*) AS n FROM %1;").arg(QLatin1String(kTables[i])), {}, &ok);
        if (ok && !count.isEmpty())
            check.rows[i] = count.first().value(QStringLiteral("n")).toLongLong();
        else
            problems << tr("table %1 cannot be read: %2").arg(QLatin1String(kTables[i]), server.lastError());
    }
    bool ok = false;
    const QList<QVariantMap> ids = server.select(
        QStringLiteral("SELECT COUNT(*) - COUNT(MeasureUid) AS missing, COUNT(MeasureUid) - COUNT(DISTINCT "
                       "MeasureUid) AS shared FROM Measures;"),
        {}, &ok);
    if (ok && !ids.isEmpty()) {
        check.measuresWithoutId = ids.first().value(QStringLiteral("missing")).toLongLong();
        check.sharedIds = ids.first().value(QStringLiteral("shared")).toLongLong();
    } else if (check.rows[4] >= 0) {
        problems << tr("the measures carry no id: %1").arg(server.lastError());
    }
    check.integrity = problems.isEmpty() ? QStringList{QStringLiteral("ok")} : problems;
    return check;
}

QList<wsdb::MeasureListEntry> wsdb::listMeasures(const MeasureFilter &filter)
{
    QList<MeasureListEntry> entries;
    if (!m_connection)
        return entries;
    // An empty filter leaves its condition out, so rows whose columns are
    // NULL (merged from elsewhere) are listed too.
    QString where;
    QVariantList values;
    const auto like = [&where, &values](const QString &text, const QStringList &columns) {
        if (text.isEmpty())
            return;
        QStringList any;
        for (const QString &c : columns) {
            any << QStringLiteral("(%1 LIKE ? ESCAPE '\\')").arg(c);
            values << QLatin1Char('%') + likeEscaped(text) + QLatin1Char('%');
        }
        where += QStringLiteral(" AND ( %1 )").arg(any.join(QStringLiteral(" OR ")));
    };
    like(filter.name, split("LastName1, FirstName1, LastName2, FirstName2"));
    like(filter.date, split("Date"));
    like(filter.event, split("EventName"));
    like(filter.city, split("EventCity"));
    like(filter.competition, split("CompetitionName"));
    like(filter.nocCode, split("EventNOCCode, NOCCode1, NOCCode2"));
    if (!filter.gender.isEmpty()) {
        where += QStringLiteral(" AND ( (Gender1=?) OR (Gender2=?) )");
        values << filter.gender << filter.gender;
    }
    if (filter.typeId > 0) {
        where += QStringLiteral(" AND ( CompTypeID=? )");
        values << filter.typeId;
    }
    const QList<QVariantList> rows = selectRows(
        QStringLiteral("SELECT idx, Name, EventName, EventCity, CompetitionName, LastName1, FirstName1, "
                       "LastName2, FirstName2, Date FROM Measures WHERE ( 1=1%1 ) ORDER BY idx;")
            .arg(where),
        values);
    entries.reserve(rows.size());
    const auto person = [](const QString &last, const QString &first) {
        return first.isEmpty() ? last : last + QStringLiteral(", ") + first;
    };
    for (const QVariantList &row : rows) {
        MeasureListEntry e;
        e.idx = row.at(0).toLongLong();
        e.measureName = row.at(1).toString();
        e.event = row.at(2).toString();
        e.city = row.at(3).toString();
        e.competition = row.at(4).toString();
        const QString last2 = row.at(7).toString();
        const QString first2 = row.at(8).toString();
        e.athletes = person(row.at(5).toString(), row.at(6).toString());
        if (e.athletes.isEmpty()) {
            e.athletes = person(last2, first2);
        } else {
            if (!last2.isEmpty())
                e.athletes += QStringLiteral(" + ") + last2;
            if (!first2.isEmpty())
                e.athletes += QStringLiteral(", ") + first2;
        }
        e.date = row.at(9).toString();
        entries.append(e);
    }
    return entries;
}

QString wsdb::likeEscaped(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}
