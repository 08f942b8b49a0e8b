#include "wsdb.h"
#include "wsdbStatement.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#include <algorithm>

using wsdb_detail::printQueryError;
using wsdb_detail::printStepError;
using wsdb_detail::Statement;

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
        wsdb::measureUid(text(0), text(1), text(2), text(3), text(4), text(5), samples).toLatin1();
    sqlite3_result_text(context, uid.constData(), int(uid.size()), SQLITE_TRANSIENT);
}

} // namespace

wsdb::wsdb(wsDaten &store, QObject *parent, bool prepareDefaultFolder)
    : QObject(parent)
    , m_store(store)
    , m_retry(new QTimer(this))
{
    m_retry->setInterval(kRetryIntervalMs);
    connect(m_retry, &QTimer::timeout, this, &wsdb::retryPendingMeasures);
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
    if (m_db)
        sqlite3_busy_timeout(m_db, ms);
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
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString *text : {&lastName1, &firstName1, &lastName2, &firstName2, &date, &time}) {
        const QByteArray bytes = text->toUtf8();
        const quint32 size = qToLittleEndian(quint32(bytes.size()));
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
        hash.addData(bytes);
    }
    hash.addData(samples);
    return QString::fromLatin1(hash.result().toHex());
}

bool wsdb::openDatabase(const QString &path)
{
    closeDatabase();
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
    prepareConnection();
    qDebug().noquote() << "successfully opened database file" << path;
    // Measures that waited for a database go into this one.
    if (!m_pending.isEmpty())
        retryPendingMeasures();
    return true;
}

bool wsdb::prepareConnection()
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
                                    .arg(m_path, journal.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(m_db))
                                                                   : journal);
    }
    // A file that is no database fails here too; its statements will fail
    // and say so.
    if (!transaction([this] { return addMeasureUids(QStringLiteral("main")); })) {
        qWarning().noquote() << "The measure ids could not be added to" << m_path;
        return false;
    }
    return true;
}

bool wsdb::addMeasureUids(const QString &schema)
{
    const QList<QVariantMap> columns = select(QStringLiteral("PRAGMA %1.table_info(Measures);").arg(schema));
    if (columns.isEmpty())
        return true;
    const bool present = std::any_of(columns.cbegin(), columns.cend(), [](const QVariantMap &c) {
        return c.value(QStringLiteral("name")).toString() == QLatin1String("MeasureUid");
    });
    if (!present &&
        execute(QStringLiteral("ALTER TABLE %1.Measures ADD COLUMN MeasureUid TEXT;").arg(schema)) !=
            SQLITE_DONE)
        return false;
    return execute(QStringLiteral("CREATE INDEX IF NOT EXISTS %1.MeasuresByUid ON Measures(MeasureUid);")
                       .arg(schema)) == SQLITE_DONE &&
           execute(QStringLiteral("UPDATE %1.Measures SET MeasureUid=ovra_measure_uid(LastName1, FirstName1, "
                                  "LastName2, FirstName2, Date, Time, Data) WHERE MeasureUid IS NULL;")
                       .arg(schema)) == SQLITE_DONE;
}

void wsdb::closeDatabase()
{
    if (!m_db)
        return;
    if (!m_pending.isEmpty())
        retryPendingMeasures();
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

bool wsdb::createTables(const QString &schema)
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

int wsdb::execute(const QString &sql, const QVariantList &values)
{
    if (!m_db)
        return SQLITE_MISUSE;
    const QByteArray text = sql.toUtf8();
    Statement stmt(m_db, text);
    if (!stmt.prepared()) {
        std::fprintf(stderr, "ERROR in sqlite3_prepare_v2()\n%s\n", text.constData());
        return stmt.prepareResult();
    }
    if (!stmt.bind(values))
        return SQLITE_RANGE;
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    return rc;
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
    MeasureRow row;
    const QString date = saveTime.toString(QStringLiteral("yyyy/MM/dd"));
    const QString time = saveTime.toString(QStringLiteral("hh:mm:ss"));
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
                  comment2};
    row.header = header.toUtf8();
    row.results = results.isNull() ? QByteArray() : results.toJson(QJsonDocument::Indented);
    row.pdf = pdf;
    row.samples = QByteArray(samples ? samples : "", samples && sampleBytes > 0 ? sampleBytes : 0);
    row.uid = measureUid(s.athlete1.lastName, s.athlete1.firstName, s.athlete2.lastName, s.athlete2.firstName,
                         date, time, row.samples);

    // Measures that waited go first, so the file keeps the order of the routines.
    if (!m_pending.isEmpty())
        retryPendingMeasures();
    if (!m_db) {
        qWarning() << "Could not save measured data to database, because database could not be opened.";
    } else if (m_pending.isEmpty() && writeMeasure(row)) {
        return true;
    }
    m_pending.append(row);
    qWarning().noquote() << QStringLiteral("The measure %1 waits to be stored in the database; it is tried "
                                           "again every %2 s")
                                .arg(m_store.measurementName)
                                .arg(m_retry->interval() / 1000);
    m_retry->start();
    Q_EMIT pendingMeasuresChanged(pendingMeasures());
    return false;
}

bool wsdb::retryPendingMeasures()
{
    const int before = pendingMeasures();
    while (m_db && !m_pending.isEmpty() && writeMeasure(m_pending.first()))
        m_pending.removeFirst();
    if (m_pending.isEmpty())
        m_retry->stop();
    if (pendingMeasures() != before) {
        qInfo().noquote() << QStringLiteral("%1 waiting measure(s) stored in the database, %2 still waiting")
                                 .arg(before - pendingMeasures())
                                 .arg(pendingMeasures());
        Q_EMIT pendingMeasuresChanged(pendingMeasures());
    }
    return m_pending.isEmpty();
}

bool wsdb::writeMeasure(const MeasureRow &row)
{
    const QByteArray sql = QByteArrayLiteral(
        "INSERT INTO Measures ( Name, EventName, EventCity, EventNOCCode, CompetitionName, CompGenderID, "
        "CompTypeID, GroupName, LastName1, FirstName1, Gender1, Year1, NOCCode1, IDFIG1, LastName2, "
        "FirstName2, Gender2, Year2, NOCCode2, IDFIG2, Date, Time, Comment1, Comment2, Header, Results, "
        "PDF, Data, MeasureUid ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ? );");
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        std::fprintf(stderr, "Fehler in sqlite3_prepare_v2():\n%s\n", sql.constData());
        qWarning().noquote() << "The measure was not stored in the database:"
                             << QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    // Texts and numbers never fail to bind into a statement with enough
    // parameters; the BLOBs below keep their own messages.
    if (!stmt.bind(row.values)) {
        qWarning() << "Could not bind the values of the measure";
        return false;
    }
    const int first = int(row.values.size()) + 1;
    // An empty BLOB is stored as a zero-length BLOB rather than NULL.
    static const char kEmpty = 0;
    auto blob = [&stmt](int i, const QByteArray &bytes) {
        return sqlite3_bind_blob(stmt.get(), i, bytes.isEmpty() ? &kEmpty : bytes.constData(),
                                 int(bytes.size()), SQLITE_STATIC) == SQLITE_OK;
    };
    if (!blob(first, row.header)) {
        std::fprintf(stderr, "FEHLER in sqlite3_bind_blob( ... qsHead ... )\n");
        return false;
    }
    if (!blob(first + 1, row.results)) {
        std::fprintf(stderr, "FEHLER in sqlite3_bind_blob( ... Results ... )\n");
        return false;
    }
    if (!blob(first + 2, row.pdf)) {
        std::fprintf(stderr, "FEHLER in sqlite3_bind_blob( ... PDF ... )\n");
        return false;
    }
    if (!blob(first + 3, row.samples)) {
        std::fprintf(stderr, "FEHLER in sqlite3_bind_blob( ... dataArr ... )\n");
        return false;
    }
    if (!stmt.bind({row.uid}, first + 4))
        return false;
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    if (rc != SQLITE_DONE) {
        qWarning().noquote() << "The measure was not stored in the database:"
                             << QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    // The log goes into the file at once where no reader prevents it, so a
    // copy of the file taken now holds the routine.
    sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return true;
}

bool wsdb::readMeasure(const QString &name, QStringList &fields, QString &header,
                       std::vector<wsDaten::Sample> &samples, qint64 idx)
{
    header.clear();
    if (!m_db)
        return false;
    const QByteArray sql =
        QByteArrayLiteral("SELECT EventName, EventCity, CompetitionName, GroupName, LastName1, FirstName1, "
                          "LastName2, FirstName2, Date, Time, Comment1, Comment2, Header, Data FROM Measures "
                          "WHERE ( Name=? ") +
        (idx >= 0 ? QByteArrayLiteral("AND idx=? ") : QByteArray()) + QByteArrayLiteral(") ORDER BY idx;");
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        printQueryError(sql);
        return false;
    }
    if (!stmt.bind(idx >= 0 ? QVariantList{name, idx} : QVariantList{name}))
        return false;
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    if (rc != SQLITE_ROW)
        return false;
    for (int i = 0; i < 12; ++i)
        fields.append(stmt.text(i));
    header = QString::fromUtf8(stmt.blob(12));
    // The samples are decoded straight from the statement's copy of the
    // BLOB (up to 16 MB), without a second one.
    const auto *bytes = static_cast<const uchar *>(sqlite3_column_blob(stmt.get(), 13));
    const qsizetype n = bytes ? sqlite3_column_bytes(stmt.get(), 13) : 0;
    qDebug().nospace() << "Reading binary data from database: dataLengthInBytes = " << n
                       << ", dataLength = " << n / 2;
    const qsizetype count = n / 16;
    samples.resize(std::size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        wsDaten::Sample &sample = samples[std::size_t(i)];
        for (int c = 0; c < wsDaten::kChannels; ++c) {
            const uchar *p = bytes + i * 16 + c * 2;
            sample[std::size_t(c)] = static_cast<qint16>(quint16(p[0] | (p[1] << 8)));
        }
    }
    return true;
}

void wsdb::listGroupEntries(QStringList &out)
{
    if (!m_db)
        return;
    const QByteArray sql = QByteArrayLiteral(
        "SELECT * FROM Groups WHERE ( EventName=? AND CompetitionName=? AND GroupName=? AND "
        "LastName1 <> '__ws_def_group__' ) ORDER BY StartOrder;");
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        printQueryError(sql);
        return;
    }
    const StartSelection &s = m_store.startSelection();
    if (!stmt.bind({s.eventName, s.competitionName, s.groupName}))
        return;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        QString line =
            QString::number(stmt.integer("StartOrder")) + QStringLiteral(": ") + stmt.text("LastName1");
        const QString first1 = stmt.text("FirstName1");
        if (!first1.isEmpty())
            line += QStringLiteral(", ") + first1;
        const int no1 = stmt.integer("Competitor1No");
        if (no1 >= 0)
            line += QStringLiteral(" ") + QString::number(no1);
        const QString last2 = stmt.text("LastName2");
        if (!last2.isEmpty())
            line += QStringLiteral(" / ") + last2;
        const QString first2 = stmt.text("FirstName2");
        if (!first2.isEmpty())
            line += QStringLiteral(", ") + first2;
        const int no2 = stmt.integer("Competitor2No");
        if (no2 >= 0)
            line += QStringLiteral(" ") + QString::number(no2);
        out.append(line);
    }
    printStepError(rc);
}

void wsdb::readCompetition(const QString &competitionName)
{
    if (!m_db)
        return;
    const QByteArray sql = QByteArrayLiteral(
        "SELECT GenderID, TypeID FROM Competitions WHERE ( EventName=? AND CompetitionName=? AND "
        "GroupName='__ws_def_competition__' ); ");
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        printQueryError(sql);
        return;
    }
    StartSelection &s = m_store.startSelection();
    if (!stmt.bind({s.eventName, competitionName}))
        return;
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    if (rc == SQLITE_ROW) {
        s.competitionName = competitionName;
        s.genderId = stmt.integer("GenderID");
        s.typeId = stmt.integer("TypeID");
    } else {
        s.competitionName.clear();
        s.genderId = 0;
        s.typeId = 0;
    }
}

void wsdb::readEvent(const QString &eventName)
{
    if (!m_db)
        return;
    const QByteArray sql =
        QByteArrayLiteral("SELECT City, NOCCode, DateFrom, DateTo FROM Events WHERE ( EventName=? ); ");
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        printQueryError(sql);
        return;
    }
    if (!stmt.bind({eventName}))
        return;
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    StartSelection &s = m_store.startSelection();
    if (rc == SQLITE_ROW) {
        s.eventName = eventName;
        s.city = stmt.text("City");
        s.nocCode = stmt.text("NOCCode");
        s.dateFrom = stmt.text("DateFrom");
        s.dateTo = stmt.text("DateTo");
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
    out.append(
        names(QByteArrayLiteral("SELECT Name FROM Measures WHERE ( EventName=? AND CompetitionName=? AND "
                                "GroupName=? AND ( LastName1=? OR LastName2=? ) AND ( FirstName1=? OR "
                                "FirstName2=? ) ); "),
              {s.eventName, s.competitionName, s.groupName, last, last, first, first}));
}

bool wsdb::selectStartEntry(int startOrder)
{
    if (!m_db)
        return false;
    const QByteArray sql = QByteArrayLiteral(
        "SELECT * FROM Groups WHERE ( EventName=? AND CompetitionName=? AND GroupName=? AND "
        "StartOrder=? AND LastName1 <> '__ws_def_group__' ); ");
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        printQueryError(sql);
        return false;
    }
    StartSelection &s = m_store.startSelection();
    if (!stmt.bind({s.eventName, s.competitionName, s.groupName, startOrder}))
        return false;
    const int rc = sqlite3_step(stmt.get());
    printStepError(rc);
    if (rc != SQLITE_ROW)
        return false;
    // A start entry holds only some of an athlete's fields; the others must
    // not linger from the athlete chosen before.
    auto athlete = [&stmt](StartSelectionAthlete &a, const char *suffix) {
        auto col = [suffix](const char *base) { return QByteArray(base) + suffix; };
        a = StartSelectionAthlete();
        a.lastName = stmt.text(col("LastName").constData());
        a.firstName = stmt.text(col("FirstName").constData());
        a.gender = stmt.text(col("Gender").constData());
        a.year = stmt.integer(col("Year").constData());
        a.nocCode = stmt.text(col("NOCCode").constData());
        a.idFig = stmt.text(col("IDFIG").constData());
    };
    s.startOrder = stmt.integer("StartOrder");
    s.competitor1No = stmt.integer("Competitor1No");
    athlete(s.athlete1, "1");
    s.competitor2No = stmt.integer("Competitor2No");
    athlete(s.athlete2, "2");
    s.genderId = stmt.integer("GenderID");
    s.typeId = stmt.integer("TypeID");
    return true;
}

void wsdb::sanitizeForSql(QString &value)
{
    value.replace(QLatin1Char('\''), QLatin1Char(' '));
    value.replace(QLatin1Char('"'), QLatin1Char(' '));
}

QList<QVariantMap> wsdb::select(const QString &sql, const QVariantList &values)
{
    QList<QVariantMap> rows;
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
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        QVariantMap row;
        for (int i = 0; i < columns; ++i)
            row.insert(QString::fromUtf8(sqlite3_column_name(stmt.get(), i)), stmt.value(i));
        rows.append(row);
    }
    printStepError(rc);
    return rows;
}

bool wsdb::transaction(const std::function<bool()> &work)
{
    if (!m_db || execute(QStringLiteral("BEGIN IMMEDIATE;")) != SQLITE_DONE)
        return false;
    if (work() && execute(QStringLiteral("COMMIT;")) == SQLITE_DONE)
        return true;
    execute(QStringLiteral("ROLLBACK;"));
    return false;
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
        if (db.execute(QStringLiteral("UPDATE %1 SET %2=? WHERE %3;").arg(table, column, where),
                       QVariantList{name} + match) != SQLITE_DONE)
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
        if (execute(QStringLiteral("UPDATE Events SET EventName=?, City=?, NOCCode=?, DateFrom=?, DateTo=? "
                                   "WHERE idx=?;"),
                    bound) != SQLITE_DONE)
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
        if (execute(QStringLiteral(
                        "UPDATE Competitions SET CompetitionName=?, GenderID=?, TypeID=? WHERE idx=?;"),
                    {name, genderId, typeId, idx}) != SQLITE_DONE)
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
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

QStringList wsdb::names(const QByteArray &sql, const QVariantList &values)
{
    QStringList out;
    if (!m_db)
        return out;
    Statement stmt(m_db, sql);
    if (!stmt.prepared()) {
        printQueryError(sql);
        return out;
    }
    if (!stmt.bind(values))
        return out;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
        out.append(stmt.text(0));
    printStepError(rc);
    return out;
}

QStringList wsdb::eventNames()
{
    return names(QByteArrayLiteral(
                     "SELECT EventName FROM Events WHERE CompetitionName='__ws_def_event__' ORDER BY idx;"),
                 {});
}

QStringList wsdb::competitionNames(const QString &eventName)
{
    return names(QByteArrayLiteral("SELECT CompetitionName FROM Competitions WHERE EventName=? AND "
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
        names(QByteArrayLiteral("SELECT GroupName FROM Groups WHERE ( EventName=? AND CompetitionName=? AND "
                                "LastName1='__ws_def_group__' ) ORDER BY GroupName;"),
              {eventName, competitionName});
    std::stable_sort(groups.begin(), groups.end(), naturalLess);
    return groups;
}
