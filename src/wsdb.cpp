#include "wsdb.h"

#include "db/PostgresConnection.h"
#include "db/Schema.h"
#include "db/SqliteConnection.h"
#include "util/StoredRoutine.h"

#include <QDebug>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

using ovra::db::Connection;
using ovra::db::PostgresConnection;
using ovra::db::SqliteConnection;

namespace {

// A change of the server's start lists reaches the workstation's copy this
// long after the last one: a dialog's "OK" writes many rows at once.
constexpr int kCopyRefreshDelayMs = 150;

QString measureColumns()
{
    return ovra::db::table("Measures").names().join(QStringLiteral(", "));
}

QString placeholders(qsizetype n)
{
    QStringList marks;
    for (qsizetype i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

} // namespace

wsdb::wsdb(wsDaten &store, QObject *parent, bool prepareDefaultFolder)
    : QObject(parent)
    , m_store(store)
    , m_retry(new QTimer(this))
    , m_copyRefresh(new QTimer(this))
{
    m_retry->setInterval(kRetryIntervalMs);
    connect(m_retry, &QTimer::timeout, this, &wsdb::retryPendingMeasures);
    m_copyRefresh->setSingleShot(true);
    m_copyRefresh->setInterval(kCopyRefreshDelayMs);
    connect(m_copyRefresh, &QTimer::timeout, this, &wsdb::refreshStartListCopy);
    const QString location = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir directory(location);
    if (prepareDefaultFolder && !directory.exists()) {
        qInfo().noquote() << "Trying to create application directory to store log file:" << location;
        if (!directory.mkpath(QStringLiteral(".")))
            qWarning().noquote() << "Unable to create applicaton directory for log file:" << location;
    }
    m_defaultFile = directory.absoluteFilePath(QStringLiteral("ovraDb.db"));
}

wsdb::~wsdb()
{
    closeDatabase();
    if (!m_pending.isEmpty())
        qCritical().noquote() << QStringLiteral("%1 measure(s) could not be stored in the database; their "
                                                "routines were kept in the temporary folder")
                                     .arg(m_pending.size());
}

void wsdb::setBusyTimeout(int ms)
{
    m_busyTimeoutMs = ms;
    if (m_file)
        m_file->setBusyTimeout(ms);
    if (m_serverConnection)
        m_serverConnection->setLockTimeout(ms);
}

void wsdb::setRetryInterval(int ms)
{
    m_retry->setInterval(ms);
}

int wsdb::retryInterval() const
{
    return m_retry->interval();
}

QString wsdb::measureUid(const QString &lastName1, const QString &firstName1, const QString &lastName2,
                         const QString &firstName2, const QString &date, const QString &time,
                         const QByteArray &samples)
{
    return ovra::db::measureUid(lastName1, firstName1, lastName2, firstName2, date, time, samples);
}

bool wsdb::openDatabase(const QString &path)
{
    closeDatabase();
    auto file = std::make_unique<SqliteConnection>();
    file->setBusyTimeout(m_busyTimeoutMs);
    if (!file->open(path))
        return false;
    m_file = std::move(file);
    m_connection = m_file.get();
    m_kind = Kind::File;
    m_path = path;
    // Measures that waited for a database go into this one.
    if (!m_pending.isEmpty())
        retryPendingMeasures();
    return true;
}

bool wsdb::openServer(const ovra::db::ServerAddress &address, bool waitForAnswer)
{
    closeDatabase();
    m_kind = Kind::Server;
    m_server = address;
    auto queue = std::make_unique<SqliteConnection>();
    if (!m_serverQueueFile.isEmpty() && queue->open(m_serverQueueFile) && queue->createTables()) {
        m_queue = std::move(queue);
        const QList<QVariantMap> count =
            m_queue->select(QStringLiteral("SELECT COUNT(*) AS n FROM Measures;"));
        m_queued = count.isEmpty() ? 0 : count.first().value(QStringLiteral("n")).toInt();
    } else {
        qWarning().noquote() << QStringLiteral(
                                    "The workstation's file %1 for the database server cannot be "
                                    "used: routines the server does not take are kept in memory only")
                                    .arg(m_serverQueueFile);
    }
    m_serverConnection = std::make_unique<PostgresConnection>();
    m_serverConnection->setLockTimeout(m_busyTimeoutMs);
    m_serverConnection->setListening(true);
    connect(m_serverConnection.get(), &Connection::openChanged, this, &wsdb::serverOpenChanged);
    connect(m_serverConnection.get(), &Connection::tablesChanged, this, &wsdb::serverTablesChanged);
    m_connection = m_serverConnection.get();
    bool answered = false;
    if (waitForAnswer) {
        answered = m_serverConnection->open(address.conninfo()) && serverReady();
        // From now on a lost server is sought again in the background.
        m_serverConnection->setReconnecting(true);
    } else {
        m_serverConnection->openInBackground(address.conninfo());
    }
    if (m_queued > 0) {
        qWarning().noquote() << QStringLiteral("%1 routine(s) wait to be stored on the database server %2")
                                    .arg(m_queued)
                                    .arg(address.displayName());
        m_retry->start();
        Q_EMIT pendingMeasuresChanged(pendingMeasures());
    }
    return answered;
}

bool wsdb::serverReady()
{
    if (!m_serverConnection || !m_serverConnection->isOpen())
        return false;
    if (!m_serverConnection->createTables()) {
        qWarning().noquote() << "The tables could not be made ready on the database server"
                             << m_server.displayName() << m_serverConnection->lastError();
        return false;
    }
    refreshStartListCopy();
    retryPendingMeasures();
    return true;
}

void wsdb::serverOpenChanged(bool open)
{
    if (open)
        serverReady();
    Q_EMIT reachableChanged(open);
    // What the others changed meanwhile was not announced.
    if (open) {
        Q_EMIT startListChanged();
        Q_EMIT measuresChanged();
    }
}

void wsdb::serverTablesChanged(const QStringList &tables, bool byOthers)
{
    const bool startList = std::any_of(tables.cbegin(), tables.cend(), ovra::db::isStartListTable);
    if (startList)
        m_copyRefresh->start();
    if (!byOthers)
        return;
    if (startList)
        Q_EMIT startListChanged();
    if (tables.contains(QStringLiteral("Measures")))
        Q_EMIT measuresChanged();
}

void wsdb::refreshStartListCopy()
{
    if (!m_queue || !m_serverConnection || !m_serverConnection->isOpen())
        return;
    const int flags = CopyAthlets | CopyEvents | CopyCompetitions | CopyGroups;
    const bool copied = m_queue->transaction([this] {
        for (const char *table : {"Athlets", "Events", "Competitions", "Groups"}) {
            if (!m_queue->execute(QStringLiteral("DELETE FROM %1;").arg(QLatin1String(table))))
                return false;
        }
        return ovra::db::copyRows(*m_queue, *m_serverConnection, flags);
    });
    if (!copied)
        qWarning().noquote() << "The start lists of the database server could not be copied to"
                             << m_serverQueueFile;
}

bool wsdb::switchToServer(const ovra::db::ServerAddress &address)
{
    const Kind previousKind = m_kind;
    const QString previousPath = m_path;
    const ovra::db::ServerAddress previousServer = m_server;
    const bool wasOpen = isOpen();
    if (openServer(address))
        return true;
    closeDatabase();
    if (wasOpen && previousKind == Kind::File)
        openDatabase(previousPath);
    else if (wasOpen)
        openServer(previousServer);
    return false;
}

void wsdb::closeDatabase()
{
    if (!m_connection)
        return;
    if (pendingMeasures() > 0)
        retryPendingMeasures();
    m_copyRefresh->stop();
    if (m_kind == Kind::Server && m_queued > 0)
        qWarning().noquote() << QStringLiteral(
                                    "%1 routine(s) stay in %2 until the database server %3 is used "
                                    "again")
                                    .arg(m_queued)
                                    .arg(m_serverQueueFile, m_server.displayName());
    // Measures left in the server's queue still wait, for that server: the
    // count drops, but nothing is announced as stored.
    m_connection = nullptr;
    m_serverConnection.reset();
    m_queue.reset();
    m_file.reset();
    m_queued = 0;
    m_path.clear();
    m_kind = Kind::File;
}

QString wsdb::location() const
{
    if (!m_connection)
        return QString();
    return m_kind == Kind::Server ? m_server.displayName() : m_path;
}

bool wsdb::isReachable() const
{
    return m_connection && m_connection->isOpen();
}

bool wsdb::isConnecting() const
{
    return m_kind == Kind::Server && m_serverConnection && m_serverConnection->isConnecting();
}

Connection *wsdb::connection() const
{
    // While the server is away its copy answers.
    if (m_kind == Kind::Server && m_serverConnection && !m_serverConnection->isOpen() && m_queue)
        return m_queue.get();
    return m_connection;
}

bool wsdb::createTables(const QString &schema)
{
    if (m_file)
        return m_file->createTables(schema);
    if (m_serverConnection && schema == QLatin1String("main"))
        return m_serverConnection->createTables();
    return false;
}

bool wsdb::execute(const QString &sql, const QVariantList &values)
{
    return m_connection && m_connection->execute(sql, values);
}

bool wsdb::insertMeasure(const QDateTime &saveTime, const QString &comment1, const QString &comment2,
                         const QString &header, int headerLength, const char *samples, int sampleBytes,
                         const QJsonDocument &results, const QByteArray &pdf)
{
    return insertMeasure(m_store.startSelection(), saveTime, comment1, comment2, header, headerLength,
                         samples, sampleBytes, results, pdf);
}

bool wsdb::insertMeasure(const StartSelection &s, const QDateTime &saveTime, const QString &comment1,
                         const QString &comment2, const QString &header, int headerLength,
                         const char *samples, int sampleBytes, const QJsonDocument &results,
                         const QByteArray &pdf)
{
    // The header is stored as all bytes of its encoding; the length the
    // caller measured is only a cross-check.
    Q_UNUSED(headerLength);
    const QString date = saveTime.toString(QStringLiteral("yyyy/MM/dd"));
    const QString time = saveTime.toString(QStringLiteral("hh:mm:ss"));
    const QByteArray data(samples ? samples : "", samples && sampleBytes > 0 ? sampleBytes : 0);
    MeasureRow row;
    row.values = {m_store.measurementName,
                  s.eventName,
                  s.city,
                  s.nocCode,
                  s.competitionName,
                  s.genderId,
                  s.typeId,
                  s.groupName,
                  s.athlete1.lastName,
                  s.athlete1.firstName,
                  s.athlete1.gender,
                  s.athlete1.year,
                  s.athlete1.nocCode,
                  s.athlete1.idFig,
                  s.athlete2.lastName,
                  s.athlete2.firstName,
                  s.athlete2.gender,
                  s.athlete2.year,
                  s.athlete2.nocCode,
                  s.athlete2.idFig,
                  date,
                  time,
                  comment1,
                  comment2,
                  header.toUtf8(),
                  results.isNull() ? QByteArray() : results.toJson(QJsonDocument::Indented),
                  pdf,
                  data,
                  measureUid(s.athlete1.lastName, s.athlete1.firstName, s.athlete2.lastName,
                             s.athlete2.firstName, date, time, data)};

    // Measures that waited go first, so the database keeps the order of the
    // routines. A server takes a measure once: the same routine saved again
    // (its kept file committed after a restart, while the queue already
    // delivered it) is there already.
    if (pendingMeasures() > 0)
        retryPendingMeasures();
    if (!m_connection) {
        qWarning() << "Could not save measured data to database, because database could not be opened.";
    } else if (pendingMeasures() == 0 && m_connection->isOpen() &&
               writeMeasure(*m_connection, row, m_kind == Kind::Server)) {
        return true;
    }
    if (m_kind == Kind::Server && m_connection && queueMeasure(row)) {
        ++m_queued;
        qWarning().noquote() << QStringLiteral(
                                    "The measure %1 waits for the database server %2; it is stored "
                                    "there as soon as the server takes it")
                                    .arg(m_store.measurementName, m_server.displayName());
    } else {
        m_pending.append(row);
        qWarning().noquote() << QStringLiteral("The measure %1 waits to be stored in the database; it is "
                                               "tried again every %2 s")
                                    .arg(m_store.measurementName)
                                    .arg(m_retry->interval() / 1000);
    }
    m_retry->start();
    Q_EMIT pendingMeasuresChanged(pendingMeasures());
    return false;
}

bool wsdb::queueMeasure(const MeasureRow &row)
{
    return m_queue && writeMeasure(*m_queue, row, false);
}

bool wsdb::flushQueue()
{
    if (!m_queue || !m_serverConnection)
        return m_queued == 0;
    const QString read =
        QStringLiteral("SELECT idx, %1 FROM Measures ORDER BY idx LIMIT 1;").arg(measureColumns());
    const QStringList columns = ovra::db::table("Measures").names();
    while (m_queued > 0 && m_serverConnection->isOpen()) {
        bool ok = false;
        const QList<QVariantMap> rows = m_queue->select(read, {}, &ok);
        if (!ok)
            return false;
        if (rows.isEmpty()) {
            m_queued = 0;
            break;
        }
        MeasureRow row;
        for (const QString &c : columns)
            row.values << rows.first().value(c);
        // Written once: a save whose answer was lost is already there. The
        // row leaves the queue only after the server has it.
        if (!writeMeasure(*m_serverConnection, row, true) ||
            !m_queue->execute(QStringLiteral("DELETE FROM Measures WHERE idx=?;"),
                              {rows.first().value(QStringLiteral("idx"))}))
            return false;
        --m_queued;
    }
    return m_queued == 0;
}

bool wsdb::retryPendingMeasures()
{
    const int before = pendingMeasures();
    if (m_kind == Kind::Server) {
        if (flushQueue()) {
            while (m_serverConnection && m_serverConnection->isOpen() && !m_pending.isEmpty() &&
                   writeMeasure(*m_serverConnection, m_pending.first(), true))
                m_pending.removeFirst();
        }
    } else {
        while (m_connection && !m_pending.isEmpty() && writeMeasure(*m_connection, m_pending.first(), false))
            m_pending.removeFirst();
    }
    if (pendingMeasures() == 0)
        m_retry->stop();
    if (pendingMeasures() != before) {
        qInfo().noquote() << QStringLiteral("%1 waiting measure(s) stored in the database, %2 still waiting")
                                 .arg(before - pendingMeasures())
                                 .arg(pendingMeasures());
        Q_EMIT pendingMeasuresChanged(pendingMeasures());
    }
    return pendingMeasures() == 0;
}

bool wsdb::writeMeasure(Connection &connection, const MeasureRow &row, bool onlyOnce)
{
    static const QString insert = QStringLiteral("INSERT INTO Measures ( %1 ) VALUES ( %2 );")
                                      .arg(measureColumns(), placeholders(row.values.size()));
    static const QString insertOnce =
        QStringLiteral(
            "INSERT INTO Measures ( %1 ) SELECT %2 WHERE NOT EXISTS ( SELECT 1 FROM Measures WHERE "
            "MeasureUid = ? );")
            .arg(measureColumns(), placeholders(row.values.size()));
    Q_ASSERT(row.values.size() == qsizetype(ovra::db::table("Measures").columns.size()));
    const bool written = onlyOnce
                             ? connection.execute(insertOnce, row.values + QVariantList{row.values.last()})
                             : connection.execute(insert, row.values);
    if (!written) {
        qWarning().noquote() << "The measure was not stored in the database:" << connection.lastError();
        return false;
    }
    // The log goes into the file at once where no reader prevents it, so a
    // copy of the file taken now holds the routine.
    if (connection.kind() == Kind::File)
        static_cast<SqliteConnection &>(connection).checkpoint();
    return true;
}

bool wsdb::readMeasure(const QString &name, QStringList &fields, QString &header,
                       std::vector<wsDaten::Sample> &samples, qint64 idx)
{
    header.clear();
    if (!m_connection)
        return false;
    const QString sql =
        QStringLiteral("SELECT EventName, EventCity, CompetitionName, GroupName, LastName1, FirstName1, "
                       "LastName2, FirstName2, Date, Time, Comment1, Comment2, Header, Data FROM Measures "
                       "WHERE ( Name=? ") +
        (idx >= 0 ? QStringLiteral("AND idx=? ") : QString()) + QStringLiteral(") ORDER BY idx LIMIT 1;");
    const QList<QVariantMap> rows = select(sql, idx >= 0 ? QVariantList{name, idx} : QVariantList{name});
    if (rows.isEmpty())
        return false;
    const QVariantMap &row = rows.first();
    for (const char *column :
         {"EventName", "EventCity", "CompetitionName", "GroupName", "LastName1", "FirstName1", "LastName2",
          "FirstName2", "Date", "Time", "Comment1", "Comment2"})
        fields.append(row.value(QLatin1String(column)).toString());
    header = QString::fromUtf8(
        ovra::db::normalized(row.value(QStringLiteral("Header")), ovra::db::ColumnType::Blob).toByteArray());
    const QByteArray data =
        ovra::db::normalized(row.value(QStringLiteral("Data")), ovra::db::ColumnType::Blob).toByteArray();
    qDebug().nospace() << "Reading binary data from database: dataLengthInBytes = " << data.size()
                       << ", dataLength = " << data.size() / 2;
    samples = ovra::util::samplesFromBytes(data);
    return true;
}

void wsdb::listGroupEntries(QStringList &out)
{
    const StartSelection &s = m_store.startSelection();
    const QList<QVariantMap> rows = select(
        QStringLiteral("SELECT * FROM Groups WHERE ( EventName=? AND CompetitionName=? AND GroupName=? AND "
                       "LastName1 <> '__ws_def_group__' ) ORDER BY StartOrder, idx;"),
        {s.eventName, s.competitionName, s.groupName});
    for (const QVariantMap &row : rows) {
        const auto text = [&row](const char *c) { return row.value(QLatin1String(c)).toString(); };
        const auto number = [&row](const char *c) { return row.value(QLatin1String(c)).toInt(); };
        QString line = QString::number(number("StartOrder")) + QStringLiteral(": ") + text("LastName1");
        const QString first1 = text("FirstName1");
        if (!first1.isEmpty())
            line += QStringLiteral(", ") + first1;
        const int no1 = number("Competitor1No");
        if (no1 >= 0)
            line += QStringLiteral(" ") + QString::number(no1);
        const QString last2 = text("LastName2");
        if (!last2.isEmpty())
            line += QStringLiteral(" / ") + last2;
        const QString first2 = text("FirstName2");
        if (!first2.isEmpty())
            line += QStringLiteral(", ") + first2;
        const int no2 = number("Competitor2No");
        if (no2 >= 0)
            line += QStringLiteral(" ") + QString::number(no2);
        out.append(line);
    }
}

void wsdb::readCompetition(const QString &competitionName)
{
    if (!m_connection)
        return;
    StartSelection &s = m_store.startSelection();
    const QList<QVariantMap> rows = select(
        QStringLiteral("SELECT GenderID, TypeID FROM Competitions WHERE ( EventName=? AND CompetitionName=? "
                       "AND GroupName='__ws_def_competition__' ) ORDER BY idx; "),
        {s.eventName, competitionName});
    if (!rows.isEmpty()) {
        s.competitionName = competitionName;
        s.genderId = rows.first().value(QStringLiteral("GenderID")).toInt();
        s.typeId = rows.first().value(QStringLiteral("TypeID")).toInt();
    } else {
        s.competitionName.clear();
        s.genderId = 0;
        s.typeId = 0;
    }
}

void wsdb::readEvent(const QString &eventName)
{
    if (!m_connection)
        return;
    const QList<QVariantMap> rows =
        select(QStringLiteral(
                   "SELECT City, NOCCode, DateFrom, DateTo FROM Events WHERE ( EventName=? ) ORDER BY idx; "),
               {eventName});
    StartSelection &s = m_store.startSelection();
    if (!rows.isEmpty()) {
        const QVariantMap &row = rows.first();
        s.eventName = eventName;
        s.city = row.value(QStringLiteral("City")).toString();
        s.nocCode = row.value(QStringLiteral("NOCCode")).toString();
        s.dateFrom = row.value(QStringLiteral("DateFrom")).toString();
        s.dateTo = row.value(QStringLiteral("DateTo")).toString();
    } else {
        s.eventName.clear();
        s.city.clear();
        s.nocCode.clear();
        s.dateFrom.clear();
        s.dateTo.clear();
    }
}

void wsdb::listMeasureNames(QStringList &out)
{
    const StartSelection &s = m_store.startSelection();
    const QString &last = s.athlete1.lastName;
    const QString &first = s.athlete1.firstName;
    out.append(names(QStringLiteral("SELECT Name FROM Measures WHERE ( EventName=? AND CompetitionName=? AND "
                                    "GroupName=? AND ( LastName1=? OR LastName2=? ) AND ( FirstName1=? OR "
                                    "FirstName2=? ) ) ORDER BY idx; "),
                     {s.eventName, s.competitionName, s.groupName, last, last, first, first}));
}

bool wsdb::selectStartEntry(int startOrder)
{
    if (!m_connection)
        return false;
    StartSelection &s = m_store.startSelection();
    const QList<QVariantMap> rows = select(
        QStringLiteral("SELECT * FROM Groups WHERE ( EventName=? AND CompetitionName=? AND GroupName=? AND "
                       "StartOrder=? AND LastName1 <> '__ws_def_group__' ) ORDER BY idx; "),
        {s.eventName, s.competitionName, s.groupName, startOrder});
    if (rows.isEmpty())
        return false;
    const QVariantMap &row = rows.first();
    // A start entry holds only some of an athlete's fields; the others must
    // not linger from the athlete chosen before.
    auto athlete = [&row](StartSelectionAthlete &a, const char *suffix) {
        auto col = [suffix](const char *base) { return QLatin1String(base) + QLatin1String(suffix); };
        a = StartSelectionAthlete();
        a.lastName = row.value(col("LastName")).toString();
        a.firstName = row.value(col("FirstName")).toString();
        a.gender = row.value(col("Gender")).toString();
        a.year = row.value(col("Year")).toInt();
        a.nocCode = row.value(col("NOCCode")).toString();
        a.idFig = row.value(col("IDFIG")).toString();
    };
    s.startOrder = row.value(QStringLiteral("StartOrder")).toInt();
    s.competitor1No = row.value(QStringLiteral("Competitor1No")).toInt();
    athlete(s.athlete1, "1");
    s.competitor2No = row.value(QStringLiteral("Competitor2No")).toInt();
    athlete(s.athlete2, "2");
    s.genderId = row.value(QStringLiteral("GenderID")).toInt();
    s.typeId = row.value(QStringLiteral("TypeID")).toInt();
    return true;
}

void wsdb::sanitizeForSql(QString &value)
{
    value.replace(QLatin1Char('\''), QLatin1Char(' '));
    value.replace(QLatin1Char('"'), QLatin1Char(' '));
}

QList<QVariantMap> wsdb::select(const QString &sql, const QVariantList &values, bool *ok)
{
    Connection *c = connection();
    if (!c) {
        if (ok)
            *ok = false;
        return {};
    }
    bool ran = false;
    QList<QVariantMap> rows = c->select(sql, values, &ran);
    // The server went away during the query: its copy answers.
    if (!ran && c == m_serverConnection.get() && !m_serverConnection->isOpen() && m_queue)
        rows = m_queue->select(sql, values, &ran);
    if (ok)
        *ok = ran;
    return rows;
}

QList<QVariantList> wsdb::selectRows(const QString &sql, const QVariantList &values, bool *ok)
{
    Connection *c = connection();
    if (!c) {
        if (ok)
            *ok = false;
        return {};
    }
    bool ran = false;
    QList<QVariantList> rows = c->selectRows(sql, values, &ran);
    if (!ran && c == m_serverConnection.get() && !m_serverConnection->isOpen() && m_queue)
        rows = m_queue->selectRows(sql, values, &ran);
    if (ok)
        *ok = ran;
    return rows;
}

bool wsdb::transaction(const std::function<bool()> &work)
{
    return m_connection && m_connection->transaction(work);
}

namespace {

// Carries a renamed definition to the rows that find it by name: the
// competitions, the groups with their start lists and the stored measures.
// where selects the rows by the old name, with match bound to it.
bool carryRename(wsdb &db, const QString &column, const QString &name, const QString &where,
                 const QVariantList &match)
{
    for (const QLatin1String table :
         {QLatin1String("Competitions"), QLatin1String("Groups"), QLatin1String("Measures")})
        if (!db.execute(QStringLiteral("UPDATE %1 SET %2=? WHERE %3;").arg(table, column, where),
                        QVariantList{name} + match))
            return false;
    return true;
}

} // namespace

bool wsdb::replaceEvent(qint64 idx, const QVariantList &values)
{
    const QString name = values.value(0).toString();
    const QList<QVariantMap> row = select(QStringLiteral("SELECT EventName FROM Events WHERE idx=?;"), {idx});
    if (values.size() != 5 || row.isEmpty())
        return false;
    const QString old = row.first().value(QStringLiteral("EventName")).toString();
    const auto defined = [this, idx](const QString &event) {
        return !select(QStringLiteral("SELECT idx FROM Events WHERE EventName=? AND "
                                      "CompetitionName='__ws_def_event__' AND idx<>?;"),
                       {event, idx})
                    .isEmpty();
    };
    if (name != old && defined(name)) {
        qWarning().noquote() << QStringLiteral("Not renaming the event %1: %2 exists already").arg(old, name);
        return false;
    }
    const bool carried = name != old && !defined(old);
    QVariantList bound = values;
    bound << idx;
    const bool done = transaction([&] {
        if (!execute(QStringLiteral("UPDATE Events SET EventName=?, City=?, NOCCode=?, DateFrom=?, DateTo=? "
                                    "WHERE idx=?;"),
                     bound))
            return false;
        return !carried ||
               carryRename(*this, QStringLiteral("EventName"), name, QStringLiteral("EventName=?"), {old});
    });
    if (done && carried && m_store.startSelection().eventName == old)
        m_store.startSelection().eventName = name;
    return done;
}

bool wsdb::replaceCompetition(qint64 idx, const QString &name, int genderId, int typeId)
{
    const QList<QVariantMap> row =
        select(QStringLiteral("SELECT EventName, CompetitionName FROM Competitions WHERE idx=?;"), {idx});
    if (row.isEmpty())
        return false;
    const QString event = row.first().value(QStringLiteral("EventName")).toString();
    const QString old = row.first().value(QStringLiteral("CompetitionName")).toString();
    const auto defined = [this, idx, &event](const QString &competition) {
        return !select(
                    QStringLiteral("SELECT idx FROM Competitions WHERE EventName=? AND CompetitionName=? AND "
                                   "GroupName='__ws_def_competition__' AND idx<>?;"),
                    {event, competition, idx})
                    .isEmpty();
    };
    if (name != old && defined(name)) {
        qWarning().noquote() << QStringLiteral("Not renaming the competition %1 of %2: %3 exists already")
                                    .arg(old, event, name);
        return false;
    }
    const bool carried = name != old && !defined(old);
    const bool done = transaction([&] {
        if (!execute(QStringLiteral(
                         "UPDATE Competitions SET CompetitionName=?, GenderID=?, TypeID=? WHERE idx=?;"),
                     {name, genderId, typeId, idx}))
            return false;
        return !carried || carryRename(*this, QStringLiteral("CompetitionName"), name,
                                       QStringLiteral("EventName=? AND CompetitionName=?"), {event, old});
    });
    StartSelection &selection = m_store.startSelection();
    if (done && carried && selection.eventName == event && selection.competitionName == old)
        selection.competitionName = name;
    return done;
}

qint64 wsdb::lastInsertRowId() const
{
    return m_connection ? m_connection->lastInsertRowId() : 0;
}

QStringList wsdb::names(const QString &sql, const QVariantList &values)
{
    QStringList out;
    for (const QVariantMap &row : select(sql, values))
        out.append(row.isEmpty() ? QString() : row.first().toString());
    return out;
}

QStringList wsdb::eventNames()
{
    return names(
        QStringLiteral("SELECT EventName FROM Events WHERE CompetitionName='__ws_def_event__' ORDER BY idx;"),
        {});
}

QStringList wsdb::competitionNames(const QString &eventName)
{
    return names(QStringLiteral("SELECT CompetitionName FROM Competitions WHERE EventName=? AND "
                                "GroupName='__ws_def_competition__' ORDER BY idx;"),
                 {eventName});
}

bool wsdb::naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            // The value of a run: its length without leading zeros, then its digits.
            QStringView x = QStringView(a).sliced(i, ei - i);
            QStringView y = QStringView(b).sliced(j, ej - j);
            while (x.size() > 1 && x.front() == QLatin1Char('0'))
                x = x.sliced(1);
            while (y.size() > 1 && y.front() == QLatin1Char('0'))
                y = y.sliced(1);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (const int c = x.compare(y); c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (const int c = QString::compare(a.at(i), b.at(j), Qt::CaseInsensitive); c != 0)
            return c < 0;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

QStringList wsdb::groupNames(const QString &eventName, const QString &competitionName)
{
    QStringList groups =
        names(QStringLiteral("SELECT GroupName FROM Groups WHERE ( EventName=? AND CompetitionName=? AND "
                             "LastName1='__ws_def_group__' ) ORDER BY GroupName, idx;"),
              {eventName, competitionName});
    std::stable_sort(groups.begin(), groups.end(), naturalLess);
    return groups;
}
