#include "db/SqliteConnection.h"

#include "db/Schema.h"
#include "wsdbStatement.h"

#include <QDebug>

#include <algorithm>

using wsdb_detail::printQueryError;
using wsdb_detail::printStepError;
using wsdb_detail::Statement;

namespace ovra::db {

namespace {

// measureUid() inside SQL: ovra_measure_uid(LastName1, FirstName1,
// LastName2, FirstName2, Date, Time, Data), for rows written without the id.
void measureUidFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    Q_ASSERT(argc == 7);
    if (argc != 7) {
        sqlite3_result_null(context);
        return;
    }
    const auto text = [argv](int i) {
        const auto *data = reinterpret_cast<const char *>(sqlite3_value_text(argv[i]));
        return QString::fromUtf8(data, sqlite3_value_bytes(argv[i]));
    };
    const auto *data = static_cast<const char *>(sqlite3_value_blob(argv[6]));
    const int n = sqlite3_value_bytes(argv[6]);
    const QByteArray samples = QByteArray::fromRawData(data ? data : "", data ? n : 0);
    const QByteArray uid =
        measureUid(text(0), text(1), text(2), text(3), text(4), text(5), samples).toLatin1();
    sqlite3_result_text(context, uid.constData(), int(uid.size()), SQLITE_TRANSIENT);
}

} // namespace

SqliteConnection::~SqliteConnection()
{
    close();
}

bool SqliteConnection::open(const QString &path)
{
    close();
    sqlite3 *db = nullptr;
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        qInfo().noquote() << "failed to open database file" << path;
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    m_path = path;
    prepare();
    qDebug().noquote() << "successfully opened database file" << path;
    return true;
}

bool SqliteConnection::openReadOnly(const QString &path)
{
    close();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        qInfo().noquote() << "failed to open database file" << path;
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    m_path = path;
    m_readOnly = true;
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    return true;
}

void SqliteConnection::checkpoint()
{
    if (m_db && !m_readOnly)
        sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

bool SqliteConnection::prepare()
{
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    sqlite3_create_function_v2(m_db, "ovra_measure_uid", 7, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               measureUidFunction, nullptr, nullptr, nullptr);
    // With a write-ahead log, readers in other programs never block a save
    // and a save never blocks them.
    const QList<QVariantMap> mode = select(QStringLiteral("PRAGMA journal_mode=WAL;"));
    const QString journal =
        mode.isEmpty() ? QString() : mode.first().value(QStringLiteral("journal_mode")).toString();
    if (journal.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        qWarning().noquote() << QStringLiteral("The database %1 cannot use a write-ahead log (%2); another "
                                               "program reading it will hold up saves")
                                    .arg(m_path, journal.isEmpty() ? lastError() : journal);
    }
    // A file that is no database fails here too; its statements will fail
    // and say so.
    if (!transaction([this] { return addMeasureUids(QStringLiteral("main")); })) {
        qWarning().noquote() << "The measure ids could not be added to" << m_path;
        return false;
    }
    return true;
}

void SqliteConnection::close()
{
    if (!m_db)
        return;
    if (m_readOnly) {
        sqlite3_close(m_db);
        m_db = nullptr;
        m_path.clear();
        m_readOnly = false;
        return;
    }
    // Everything in the log goes back into the file, unless another
    // program still reads an older state of it.
    const int rc = sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (rc != SQLITE_OK)
        qWarning().noquote() << QStringLiteral("The log of the database %1 could not be written back (%2); "
                                               "keep the file %1-wal beside it")
                                    .arg(m_path, QString::fromUtf8(sqlite3_errstr(rc)));
    sqlite3_close(m_db);
    m_db = nullptr;
    m_path.clear();
}

void SqliteConnection::setBusyTimeout(int ms)
{
    m_busyTimeoutMs = ms;
    if (m_db)
        sqlite3_busy_timeout(m_db, ms);
}

bool SqliteConnection::createTables(const QString &schema)
{
    if (!m_db)
        return false;
    static const char *const kTables[][2] = {
        {"Athlets",
         "LastName TEXT, FirstName TEXT, Gender TEXT, Year INTEGER, NOC TEXT, NOCCode TEXT, IDFIG TEXT, "
         "IDNational TEXT, Email TEXT, R1 TEXT, R2 TEXT, R3 TEXT, Picture BLOB, R4, BLOB );"},
        {"Groups",
         "EventName TEXT, CompetitionName TEXT, GroupName TEXT, StartOrder INTEGER, Competitor1No INTEGER, "
         "LastName1 TEXT, FirstName1 TEXT, Gender1 TEXT, Year1 INTEGER, NOCCode1 TEXT, IDFIG1 TEXT, "
         "Competitor2No INTEGER, LastName2 TEXT, FirstName2 TEXT, Gender2 TEXT, Year2 INTEGER, "
         "NOCCode2 TEXT, IDFIG2 TEXT, GenderID INTEGER, TypeID INTEGER, R1 TEXT, R2 TEXT, R3 TEXT );"},
        {"Competitions", "EventName TEXT, CompetitionName TEXT, GroupName TEXT, Date TEXT, GenderID INTEGER, "
                         "TypeID INTEGER, R1 TEXT, R2 TEXT, R3 TEXT );"},
        {"Events",
         "EventName TEXT, City TEXT, NOCCode TEXT, DateFrom TEXT, DateTo TEXT, CompetitionName TEXT, "
         "R1 TEXT, R2 TEXT, R3 TEXT );"},
        {"Measures",
         "Name TEXT, EventName TEXT, EventCity TEXT, EventNOCCode TEXT, CompetitionName TEXT, "
         "CompGenderID INTEGER, CompTypeID INTEGER, GroupName TEXT, LastName1 TEXT, FirstName1 TEXT, "
         "Gender1 TEXT, Year1 INTEGER, NOCCode1 TEXT, IDFIG1 TEXT, LastName2 TEXT, FirstName2 TEXT, "
         "Gender2 TEXT, Year2 INTEGER, NOCCode2 TEXT, IDFIG2 TEXT, Date TEXT, Time TEXT, "
         "Comment1 TEXT, Comment2 TEXT, Header BLOB, Results BLOB, PDF BLOB, Data BLOB );"},
    };
    bool ok = true;
    for (const auto &table : kTables) {
        const QByteArray sql =
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1.%2(idx INTEGER PRIMARY KEY ASC, %3")
                .arg(schema, QLatin1String(table[0]), QLatin1String(table[1]))
                .toUtf8();
        Statement stmt(m_db, sql);
        if (!stmt.prepared()) {
            printQueryError(sql);
            ok = false;
            continue;
        }
        const int rc = sqlite3_step(stmt.get());
        printStepError(rc);
        ok = ok && rc == SQLITE_DONE;
    }
    return ok && addMeasureUids(schema);
}

bool SqliteConnection::addMeasureUids(const QString &schema)
{
    const QList<QVariantMap> columns = select(QStringLiteral("PRAGMA %1.table_info(Measures);").arg(schema));
    if (columns.isEmpty())
        return true;
    const bool present = std::any_of(columns.cbegin(), columns.cend(), [](const QVariantMap &c) {
        return c.value(QStringLiteral("name")).toString() == QLatin1String("MeasureUid");
    });
    if (!present &&
        !execute(QStringLiteral("ALTER TABLE %1.Measures ADD COLUMN MeasureUid TEXT;").arg(schema)))
        return false;
    return execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1.MeasuresByUid ON Measures(MeasureUid);")
                       .arg(schema)) &&
           execute(QStringLiteral("UPDATE %1.Measures SET MeasureUid=ovra_measure_uid(LastName1, FirstName1, "
                                  "LastName2, FirstName2, Date, Time, Data) WHERE MeasureUid IS NULL;")
                       .arg(schema));
}

bool SqliteConnection::execute(const QString &sql, const QVariantList &values)
{
    if (!m_db)
        return false;
    const QByteArray text = sql.toUtf8();
    Statement stmt(m_db, text);
    if (!stmt.prepared()) {
        std::fprintf(stderr, "ERROR in sqlite3_prepare_v2()\n%s\n", text.constData());
        return false;
    }
    if (!stmt.bind(values)) {
        std::fprintf(stderr, "ERROR in sqlite3_bind()\n%s\n", text.constData());
        return false;
    }
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

QList<QVariantList> SqliteConnection::selectRows(const QString &sql, const QVariantList &values, bool *ok,
                                                 QStringList *names)
{
    QList<QVariantList> rows;
    if (ok)
        *ok = false;
    if (!m_db)
        return rows;
    const QByteArray text = sql.toUtf8();
    Statement stmt(m_db, text);
    if (!stmt.prepared()) {
        printQueryError(text);
        return rows;
    }
    if (!stmt.bind(values))
        return rows;
    const int columns = sqlite3_column_count(stmt.get());
    if (names)
        for (int i = 0; i < columns; ++i)
            names->append(QString::fromUtf8(sqlite3_column_name(stmt.get(), i)));
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.append(stmt.value(i));
        rows.append(std::move(row));
    }
    printStepError(rc);
    if (ok)
        *ok = rc == SQLITE_DONE;
    return rows;
}

bool SqliteConnection::transaction(const std::function<bool()> &work)
{
    if (!m_db)
        return false;
    if (!sqlite3_get_autocommit(m_db))
        return work();
    if (!execute(QStringLiteral("BEGIN IMMEDIATE;")))
        return false;
    if (work() && execute(QStringLiteral("COMMIT;")))
        return true;
    execute(QStringLiteral("ROLLBACK;"));
    return false;
}

qint64 SqliteConnection::lastInsertRowId()
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

QString SqliteConnection::lastError() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

int SqliteConnection::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

} // namespace ovra::db
