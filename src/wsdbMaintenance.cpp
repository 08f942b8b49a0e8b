// The competition database's maintenance: copies into another file, the
// merge of another file, switching files and the measure browser's query.

#include "wsdb.h"
#include "wsdbStatement.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

using wsdb_detail::printStepError;
using wsdb_detail::Statement;

namespace {

const QString kAttachSql = QStringLiteral("ATTACH DATABASE ? AS 'dbAttached';");
const QString kDetachSql = QStringLiteral("DETACH DATABASE 'dbAttached';");

// The five tables in the order of the copy flags and of a merge.
constexpr const char *kTables[] = {"Athlets", "Events", "Competitions", "Groups", "Measures"};

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

// The merge statement of one table: the source rows that no row of the open
// file matches in all identity columns. IS compares NULL with NULL as
// equal, so rows with empty identity columns are not added again.
QString mergeSql(const char *table, const QStringList &copied, const QStringList &identity)
{
    const QString t = QString::fromLatin1(table);
    const QString columns = copied.join(QStringLiteral(", "));
    QStringList same;
    for (const QString &c : identity)
        same << QStringLiteral("(main.%1.%2 IS dbAttached.%1.%2)").arg(t, c);
    return QStringLiteral(
               "INSERT INTO main.%1 (%2) SELECT %2 FROM dbAttached.%1 WHERE NOT EXISTS ( SELECT 1 FROM "
               "main.%1 WHERE ( %3 ) ); ")
        .arg(t, columns, same.join(QStringLiteral(" AND ")));
}

QStringList split(const char *columns)
{
    return QString::fromLatin1(columns).split(QStringLiteral(", "));
}

} // namespace

bool wsdb::copyToDatabase(const QString &path, int flags)
{
    if (!m_db)
        return false;
    if (sameFile(path, m_path)) {
        qWarning().noquote() << "The open database cannot be copied onto itself:" << path;
        return false;
    }
    if (execute(kAttachSql, {path}) != SQLITE_DONE) {
        qWarning().noquote() << "Could not attach the database file" << path;
        return false;
    }
    const bool copied = transaction([this, flags] {
        if (!createTables(QStringLiteral("dbAttached")))
            return false;
        for (int i = 0; i < 5; ++i) {
            const int flag = 1 << i;
            const QString table = QString::fromLatin1(kTables[i]);
            if ((flags & flag) &&
                execute(QStringLiteral("INSERT INTO dbAttached.%1 SELECT * FROM main.%1;").arg(table)) !=
                    SQLITE_DONE)
                return false;
        }
        return true;
    });
    execute(kDetachSql);
    if (!copied)
        qWarning().noquote() << "The database could not be copied to" << path;
    return copied;
}

bool wsdb::copyToNewDatabase(const QString &path, int flags)
{
    if (!m_db || sameFile(path, m_path)) {
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

wsdb::MergeResult wsdb::mergeFromDatabase(const QString &path)
{
    MergeResult result;
    if (!m_db)
        return result;
    // Every row of the open file is already there.
    if (sameFile(path, m_path)) {
        result.ok = true;
        return result;
    }
    if (!isOvraDatabase(path)) {
        qWarning().noquote() << "Not an Ovra database:" << path;
        return result;
    }
    static const char kGroupColumns[] =
        "EventName, CompetitionName, GroupName, StartOrder, Competitor1No, LastName1, FirstName1, Gender1, "
        "Year1, "
        "NOCCode1, IDFIG1, Competitor2No, LastName2, FirstName2, Gender2, Year2, NOCCode2, IDFIG2, GenderID, "
        "TypeID, R1, R2, R3";
    static const char kMeasureColumns[] =
        "Name, EventName, EventCity, EventNOCCode, CompetitionName, CompGenderID, CompTypeID, GroupName, "
        "LastName1, FirstName1, Gender1, Year1, NOCCode1, IDFIG1, LastName2, FirstName2, Gender2, Year2, "
        "NOCCode2, IDFIG2, Date, Time, Comment1, Comment2, Header, Results, PDF, Data";
    const QString statements[5] = {
        mergeSql(
            kTables[0],
            split("LastName, FirstName, Gender, Year, NOC, NOCCode, IDFIG, IDNational, Email, R1, R2, R3, "
                  "Picture, R4"),
            split("LastName, FirstName, Gender, Year, NOC, NOCCode, IDFIG")),
        mergeSql(kTables[1], split("EventName, City, NOCCode, DateFrom, DateTo, CompetitionName, R1, R2, R3"),
                 split("EventName, City, NOCCode, DateFrom, DateTo")),
        mergeSql(kTables[2],
                 split("EventName, CompetitionName, GroupName, Date, GenderID, TypeID, R1, R2, R3"),
                 split("EventName, CompetitionName, GroupName, Date, GenderID, TypeID")),
        mergeSql(kTables[3], split(kGroupColumns),
                 split("EventName, CompetitionName, GroupName, StartOrder, LastName1, FirstName1, Gender1, "
                       "LastName2, FirstName2, Gender2, GenderID, TypeID")),
        mergeSql(kTables[4], split(kMeasureColumns), split("Name")),
    };
    if (execute(kAttachSql, {path}) != SQLITE_DONE) {
        qWarning().noquote() << "Could not attach the database file" << path;
        return result;
    }
    result.ok = transaction([this, &statements, &result] {
        for (std::size_t i = 0; i < 5; ++i) {
            if (execute(statements[i]) != SQLITE_DONE)
                return false;
            result.added[i] = sqlite3_changes(m_db);
        }
        return true;
    });
    execute(kDetachSql);
    if (!result.ok) {
        result.added = {};
        qWarning().noquote() << "The database file could not be merged:" << path;
    }
    return result;
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

bool wsdb::switchDatabase(const QString &path)
{
    if (!isOvraDatabase(path)) {
        qWarning().noquote() << "Not an Ovra database:" << path;
        return false;
    }
    const QString previous = m_path;
    if (openDatabase(path))
        return true;
    if (!previous.isEmpty())
        openDatabase(previous);
    return false;
}

QList<wsdb::MeasureListEntry> wsdb::listMeasures(const MeasureFilter &filter)
{
    QList<MeasureListEntry> entries;
    if (!m_db)
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
    const QByteArray sql =
        QStringLiteral(
            "SELECT idx, Name, EventName, EventCity, CompetitionName, LastName1, FirstName1, LastName2, "
            "FirstName2, Date FROM Measures WHERE ( 1%1 ) ORDER BY idx;")
            .arg(where)
            .toUtf8();
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        std::fprintf(stderr, "Fehler in sqlite3_prepare_v2()\n%s\n", sql.constData());
        return entries;
    }
    if (!stmt.bind(values))
        return entries;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        MeasureListEntry e;
        e.idx = sqlite3_column_int64(stmt.get(), 0);
        e.measureName = stmt.text(1);
        e.event = stmt.text(2);
        e.city = stmt.text(3);
        e.competition = stmt.text(4);
        const auto person = [](const QString &last, const QString &first) {
            return first.isEmpty() ? last : last + QStringLiteral(", ") + first;
        };
        const QString last2 = stmt.text(7);
        const QString first2 = stmt.text(8);
        e.athletes = person(stmt.text(5), stmt.text(6));
        if (e.athletes.isEmpty()) {
            e.athletes = person(last2, first2);
        } else {
            if (!last2.isEmpty())
                e.athletes += QStringLiteral(" + ") + last2;
            if (!first2.isEmpty())
                e.athletes += QStringLiteral(", ") + first2;
        }
        e.date = stmt.text(9);
        entries.append(e);
    }
    printStepError(rc);
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
