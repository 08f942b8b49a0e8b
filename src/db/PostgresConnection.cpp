#include "db/PostgresConnection.h"

#include "db/Schema.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QRegularExpression>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <libpq-fe.h>

#include <cstdio>
#include <vector>

namespace ovra::db {

namespace {

// Type ids of the server's built-in types (pg_type.oid).
constexpr Oid kBoolOid = 16;
constexpr Oid kByteaOid = 17;
constexpr Oid kInt8Oid = 20;
constexpr Oid kInt2Oid = 21;
constexpr Oid kInt4Oid = 23;
constexpr Oid kOidOid = 26;
constexpr Oid kFloat4Oid = 700;
constexpr Oid kFloat8Oid = 701;
constexpr Oid kNumericOid = 1700;

// The lock every writing transaction of every workstation takes, so that
// they run one after the other as on a file ("OVRA").
constexpr qint64 kWriteLock = 0x4F565241;

// A connection, blocking for at most the connect timeout. The defaults come
// first: what the operator's connection string says overrides them, but
// texts always travel as UTF-8.
PGconn *connectBlocking(const QByteArray &conninfo)
{
    const QByteArray timeout = QByteArray::number(PostgresConnection::kConnectTimeoutS);
    const QByteArray unanswered = QByteArray::number(PostgresConnection::kUnansweredTimeoutMs);
    const char *keys[] = {"connect_timeout",           "keepalives",
                          "keepalives_idle",           "keepalives_interval",
                          "keepalives_count",          "tcp_user_timeout",
                          "fallback_application_name", "dbname",
                          "client_encoding",           nullptr};
    const char *values[] = {timeout.constData(),  "1",    "5",    "2", "2", unanswered.constData(), "ovra",
                            conninfo.constData(), "UTF8", nullptr};
    return PQconnectdbParams(keys, values, 1);
}

QString errorText(const char *message)
{
    return QString::fromUtf8(message).trimmed();
}

// The connection's server holds text as UTF-8; anything else would change
// names with letters outside its character set.
bool utf8Server(PGconn *conn)
{
    const char *encoding = PQparameterStatus(conn, "server_encoding");
    return encoding && qstrcmp(encoding, "UTF8") == 0;
}

QVariant valueOf(const PGresult *result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return {};
    const char *text = PQgetvalue(result, row, column);
    const int length = PQgetlength(result, row, column);
    switch (PQftype(result, column)) {
    case kInt2Oid:
    case kInt4Oid:
    case kInt8Oid:
    case kOidOid:
        return QByteArray::fromRawData(text, length).toLongLong();
    case kBoolOid:
        return qlonglong(text[0] == 't' ? 1 : 0);
    case kFloat4Oid:
    case kFloat8Oid:
    case kNumericOid:
        return QByteArray::fromRawData(text, length).toDouble();
    case kByteaOid:
        // The hex form: "\x" and two digits per byte.
        if (length >= 2 && text[0] == '\\' && text[1] == 'x')
            return QByteArray::fromHex(QByteArray::fromRawData(text + 2, length - 2));
        return QByteArray(text, length);
    default:
        return QString::fromUtf8(text, length);
    }
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A plain ORDER BY list (names, each perhaps with ASC or DESC) with NULL
// first ascending and last descending; anything else is left as it is.
// text starts right after "ORDER BY"; consumed is how much was rewritten.
QString orderList(const QString &text, qsizetype &consumed)
{
    static const QRegularExpression item(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_.]*)(?:\\s+(ASC|DESC))?\\s*(,?)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("^\\s*($|;|\\)|LIMIT\\b|OFFSET\\b)"),
                                        QRegularExpression::CaseInsensitiveOption);
    QStringList items;
    qsizetype at = 0;
    for (;;) {
        const QRegularExpressionMatch m = item.match(QStringView(text).sliced(at));
        if (!m.hasMatch())
            break;
        const QString column = m.captured(1);
        const bool descending = m.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        at += m.capturedLength(0);
        // idx is never NULL, and sorting by it keeps the index's order.
        if (column.compare(QLatin1String("idx"), Qt::CaseInsensitive) == 0)
            items << column + (descending ? QStringLiteral(" DESC") : QString());
        else
            items << column +
                         (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
        if (m.captured(3).isEmpty()) {
            if (!end.match(QStringView(text).sliced(at)).hasMatch())
                break;
            consumed = at;
            return QLatin1Char(' ') + items.join(QStringLiteral(", ")) + QLatin1Char(' ');
        }
    }
    consumed = 0;
    return QString();
}

} // namespace

PostgresConnection::PostgresConnection(QObject *parent)
    : Connection(parent)
    , m_reconnectTimer(new QTimer(this))
    , m_attempt(new QFutureWatcher<pg_conn *>(this))
{
    m_reconnectTimer->setSingleShot(true);
    m_reconnectTimer->setInterval(kReconnectIntervalMs);
    connect(m_reconnectTimer, &QTimer::timeout, this, &PostgresConnection::startAttempt);
    connect(m_attempt, &QFutureWatcher<pg_conn *>::finished, this, &PostgresConnection::attemptFinished);
}

PostgresConnection::~PostgresConnection()
{
    m_reconnecting = false;
    // An attempt under way (or finished, its answer not yet taken) ends
    // within the connect timeout; its connection must not be left open on
    // the server.
    if (m_attemptPending) {
        m_attempt->disconnect(this);
        m_attempt->waitForFinished();
        PQfinish(m_attempt->result());
    }
    close();
}

bool PostgresConnection::open(const QString &conninfo)
{
    close();
    m_conninfo = conninfo;
    m_description = describe(conninfo);
    PGconn *conn = connectBlocking(conninfo.toUtf8());
    if (PQstatus(conn) != CONNECTION_OK) {
        m_lastError = errorText(PQerrorMessage(conn));
        PQfinish(conn);
        qInfo().noquote() << "The database server" << m_description << "does not answer:" << m_lastError;
        if (m_reconnecting)
            m_reconnectTimer->start();
        return false;
    }
    return adopt(conn);
}

void PostgresConnection::openInBackground(const QString &conninfo)
{
    close();
    m_conninfo = conninfo;
    m_description = describe(conninfo);
    m_reconnecting = true;
    m_firstAttempt = true;
    startAttempt();
}

bool PostgresConnection::adopt(pg_conn *conn)
{
    if (!utf8Server(conn)) {
        m_lastError = tr("The database %1 does not keep its text as UTF-8; create it with the encoding UTF8")
                          .arg(m_description);
        qWarning().noquote() << m_lastError;
        PQfinish(conn);
        return false;
    }
    m_conn = conn;
    PQsetNoticeProcessor(
        m_conn, [](void *, const char *) {}, nullptr);
    if (m_listening && !execute(QStringLiteral("LISTEN %1;").arg(QLatin1String(kChannel)))) {
        close();
        return false;
    }
    m_notifier = new QSocketNotifier(qintptr(PQsocket(m_conn)), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PostgresConnection::readNotifications);
    qDebug().noquote() << "connected to the database server" << m_description;
    return true;
}

void PostgresConnection::close()
{
    m_reconnectTimer->stop();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_conn)
        PQfinish(m_conn);
    m_conn = nullptr;
    m_inTransaction = false;
    m_firstAttempt = false;
}

void PostgresConnection::setReconnecting(bool on)
{
    m_reconnecting = on;
    if (!on)
        m_reconnectTimer->stop();
    else if (!m_conn && !m_conninfo.isEmpty() && !m_attemptPending)
        m_reconnectTimer->start();
}

void PostgresConnection::setReconnectInterval(int ms)
{
    m_reconnectTimer->setInterval(ms);
}

void PostgresConnection::setListening(bool on)
{
    if (on == m_listening)
        return;
    m_listening = on;
    if (m_conn)
        execute(QStringLiteral("%1 %2;").arg(on ? QLatin1String("LISTEN") : QLatin1String("UNLISTEN"),
                                             QLatin1String(kChannel)));
}

void PostgresConnection::lost()
{
    const bool wasOpen = m_conn != nullptr;
    if (m_conn)
        m_lastError = errorText(PQerrorMessage(m_conn));
    close();
    if (!wasOpen)
        return;
    qWarning().noquote() << "The database server" << m_description << "went away:" << m_lastError;
    // Announced from the event loop: the statement that found the loss is
    // still on its way back to its caller.
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT openChanged(false); }, Qt::QueuedConnection);
    if (m_reconnecting)
        m_reconnectTimer->start();
}

void PostgresConnection::startAttempt()
{
    if (m_conn || m_attemptPending || m_conninfo.isEmpty())
        return;
    m_attemptPending = true;
    m_attempt->setFuture(QtConcurrent::run(connectBlocking, m_conninfo.toUtf8()));
}

void PostgresConnection::attemptFinished()
{
    m_attemptPending = false;
    const bool first = m_firstAttempt;
    m_firstAttempt = false;
    PGconn *conn = m_attempt->result();
    if (m_conn || !m_reconnecting) {
        PQfinish(conn);
        return;
    }
    if (PQstatus(conn) == CONNECTION_OK && adopt(conn)) {
        qInfo().noquote() << "The database server" << m_description << "answers again";
        Q_EMIT openChanged(true);
        return;
    }
    if (PQstatus(conn) != CONNECTION_OK) {
        m_lastError = errorText(PQerrorMessage(conn));
        PQfinish(conn);
        if (first)
            qInfo().noquote() << "The database server" << m_description << "does not answer:" << m_lastError;
    }
    m_reconnectTimer->start();
    // Whoever waited for the first answer learns that it is no.
    if (first)
        Q_EMIT openChanged(false);
}

void PostgresConnection::readNotifications()
{
    if (!m_conn)
        return;
    if (!PQconsumeInput(m_conn) || PQstatus(m_conn) == CONNECTION_BAD) {
        lost();
        return;
    }
    drainNotifications();
}

void PostgresConnection::drainNotifications()
{
    if (!m_conn)
        return;
    QStringList own;
    QStringList others;
    const int self = PQbackendPID(m_conn);
    while (PGnotify *n = PQnotifies(m_conn)) {
        const QString table = canonicalName(QString::fromUtf8(n->extra));
        QStringList &list = n->be_pid == self ? own : others;
        if (!list.contains(table))
            list << table;
        PQfreemem(n);
    }
    if (own.isEmpty() && others.isEmpty())
        return;
    QMetaObject::invokeMethod(
        this,
        [this, own, others] {
            if (!others.isEmpty())
                Q_EMIT tablesChanged(others, true);
            if (!own.isEmpty())
                Q_EMIT tablesChanged(own, false);
        },
        Qt::QueuedConnection);
}

QByteArray PostgresConnection::translate(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    int parameter = 0;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text or name, with the quote doubled inside.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += QStringView(sql).sliced(i, std::min(j + 1, n) - i);
            i = j + 1;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            const qsizetype stop = end < 0 ? n : end;
            out += QStringView(sql).sliced(i, stop - i);
            i = stop;
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('$') + QString::number(++parameter);
            ++i;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype j = i;
            while (j < n && isWordChar(sql.at(j)))
                ++j;
            const QStringView word = QStringView(sql).sliced(i, j - i);
            i = j;
            if (word.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) {
                out += QStringLiteral("ILIKE");
                continue;
            }
            out += word;
            static const QRegularExpression by(QStringLiteral("^\\s+BY\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch m = word.compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0
                                                  ? by.match(QStringView(sql).sliced(i))
                                                  : QRegularExpressionMatch();
            if (m.hasMatch()) {
                out += m.captured(0);
                i += m.capturedLength(0);
                qsizetype consumed = 0;
                const QString list = orderList(sql.mid(i), consumed);
                if (consumed > 0) {
                    out += list;
                    i += consumed;
                }
            }
        } else {
            out += c;
            ++i;
        }
    }
    return out.toUtf8();
}

QString PostgresConnection::describe(const QString &conninfo)
{
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (!options) {
        PQfreemem(error);
        return conninfo;
    }
    QString host;
    QString port;
    QString database;
    QString user;
    for (PQconninfoOption *o = options; o->keyword; ++o) {
        if (!o->val)
            continue;
        const QString value = QString::fromUtf8(o->val);
        if (qstrcmp(o->keyword, "host") == 0)
            host = value;
        else if (qstrcmp(o->keyword, "port") == 0)
            port = value;
        else if (qstrcmp(o->keyword, "dbname") == 0)
            database = value;
        else if (qstrcmp(o->keyword, "user") == 0)
            user = value;
        else if (qstrcmp(o->keyword, "service") == 0 && host.isEmpty())
            host = QStringLiteral("service ") + value;
    }
    PQconninfoFree(options);
    QString name = host.isEmpty() ? QStringLiteral("localhost") : host;
    if (!port.isEmpty())
        name += QLatin1Char(':') + port;
    if (!user.isEmpty())
        name = user + QLatin1Char('@') + name;
    return name + QLatin1Char('/') + database;
}

PostgresConnection::Probe PostgresConnection::probe(const QString &conninfo)
{
    Probe probe;
    PGconn *conn = connectBlocking(conninfo.toUtf8());
    if (PQstatus(conn) != CONNECTION_OK) {
        probe.message = errorText(PQerrorMessage(conn));
        PQfinish(conn);
        return probe;
    }
    if (!utf8Server(conn)) {
        probe.message = tr("The database does not keep its text as UTF-8; create it with the encoding UTF8");
        PQfinish(conn);
        return probe;
    }
    PGresult *tables =
        PQexec(conn, "SELECT COUNT(*) FROM pg_tables WHERE schemaname = current_schema() AND "
                     "tablename IN ('athlets', 'groups', 'competitions', 'events', 'measures');");
    probe.tablesPresent = PQresultStatus(tables) == PGRES_TUPLES_OK && PQntuples(tables) == 1 &&
                          qstrcmp(PQgetvalue(tables, 0, 0), "5") == 0;
    PQclear(tables);
    probe.ok = true;
    const char *version = PQparameterStatus(conn, "server_version");
    probe.message = tr("Connected to PostgreSQL %1").arg(QString::fromUtf8(version ? version : "?"));
    PQfinish(conn);
    return probe;
}

pg_result *PostgresConnection::run(const QString &sql, const QVariantList &values, bool &ok)
{
    ok = false;
    if (!m_conn) {
        m_lastError = tr("The database server %1 does not answer").arg(m_description);
        return nullptr;
    }
    if (!m_translated.contains(sql)) {
        // Statements are few and fixed; the cache is only emptied as a safeguard.
        if (m_translated.size() > 1024)
            m_translated.clear();
        m_translated.insert(sql, translate(sql));
    }
    const QByteArray text = m_translated.value(sql);
    const int n = int(values.size());
    std::vector<QByteArray> storage(static_cast<std::size_t>(n));
    std::vector<const char *> pointers(std::size_t(n), nullptr);
    std::vector<int> lengths(std::size_t(n), 0);
    std::vector<int> formats(std::size_t(n), 0);
    std::vector<Oid> types(std::size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        const QVariant &v = values.at(i);
        const auto k = std::size_t(i);
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            types[k] = kInt8Oid;
            storage[k] = QByteArray::number(v.toLongLong());
            break;
        case QMetaType::Double:
            types[k] = kFloat8Oid;
            storage[k] = QByteArray::number(v.toDouble(), 'g', 17);
            break;
        case QMetaType::QByteArray:
            // Bytes travel as they are; an empty array is empty, not NULL.
            types[k] = kByteaOid;
            formats[k] = 1;
            storage[k] = v.toByteArray();
            lengths[k] = int(storage[k].size());
            break;
        default:
            if (!v.isValid() || (v.isNull() && v.typeId() != QMetaType::QString))
                continue;
            // Texts leave their type to the statement, as a file does.
            storage[k] = v.toString().toUtf8();
            break;
        }
        pointers[k] = storage[k].constData();
        if (!formats[k])
            lengths[k] = int(storage[k].size());
    }
    PGresult *result = PQexecParams(m_conn, text.constData(), n, types.data(), pointers.data(),
                                    lengths.data(), formats.data(), 0);
    const ExecStatusType status = PQresultStatus(result);
    ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (!ok) {
        m_lastError = errorText(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn));
        std::fprintf(stderr, "ERROR on the database server: %s\nquery=%s\n",
                     m_lastError.toLocal8Bit().constData(), text.constData());
        if (PQstatus(m_conn) == CONNECTION_BAD) {
            PQclear(result);
            lost();
            return nullptr;
        }
    }
    drainNotifications();
    return result;
}

bool PostgresConnection::execute(const QString &sql, const QVariantList &values)
{
    bool ok = false;
    PQclear(run(sql, values, ok));
    return ok;
}

QList<QVariantList> PostgresConnection::selectRows(const QString &sql, const QVariantList &values, bool *ok,
                                                   QStringList *names)
{
    QList<QVariantList> rows;
    bool ran = false;
    PGresult *result = run(sql, values, ran);
    if (ok)
        *ok = ran;
    if (ran) {
        const int columns = PQnfields(result);
        if (names)
            for (int c = 0; c < columns; ++c)
                names->append(canonicalName(QString::fromUtf8(PQfname(result, c))));
        const int count = PQntuples(result);
        rows.reserve(count);
        for (int r = 0; r < count; ++r) {
            QVariantList row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c)
                row.append(valueOf(result, r, c));
            rows.append(std::move(row));
        }
    }
    PQclear(result);
    return rows;
}

bool PostgresConnection::transaction(const std::function<bool()> &work)
{
    if (!m_conn)
        return false;
    if (m_inTransaction)
        return work();
    if (!execute(QStringLiteral("BEGIN;")))
        return false;
    m_inTransaction = true;
    // SET takes no parameters; the timeout is a number of ours.
    bool done = execute(QStringLiteral("SET LOCAL lock_timeout = %1;").arg(m_lockTimeoutMs)) &&
                execute(QStringLiteral("SELECT pg_advisory_xact_lock(?);"), {kWriteLock}) && work();
    // A loss inside work ends the transaction on the server already.
    if (done && m_conn)
        done = execute(QStringLiteral("COMMIT;"));
    else
        done = false;
    if (!done && m_conn)
        execute(QStringLiteral("ROLLBACK;"));
    m_inTransaction = false;
    return done;
}

qint64 PostgresConnection::lastInsertRowId()
{
    // The identity of the last row this session inserted, in any table.
    bool ok = false;
    PGresult *result = run(QStringLiteral("SELECT lastval();"), {}, ok);
    const qint64 id = ok && PQntuples(result) == 1 ? QByteArray(PQgetvalue(result, 0, 0)).toLongLong() : 0;
    PQclear(result);
    return id;
}

bool PostgresConnection::createTables()
{
    if (!m_conn)
        return false;
    // Only what is missing is created: a workstation that merely uses the
    // tables needs no right to change them, and nothing locks a table that
    // the other workstations are writing to.
    const auto names = [this](const QString &sql, bool &ok) {
        QSet<QString> out;
        for (const QVariantMap &row : select(sql, {}, &ok))
            out.insert(row.first().toString().toLower());
        return out;
    };
    return transaction([&] {
        bool ok = false;
        const QSet<QString> present =
            names(QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema();"), ok);
        if (!ok)
            return false;
        for (const Table &table : tables()) {
            if (present.contains(QString::fromLatin1(table.name).toLower()))
                continue;
            QStringList columns{QStringLiteral("idx BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")};
            for (const Column &c : table.columns) {
                const char *type = c.type == ColumnType::Integer ? "BIGINT"
                                   : c.type == ColumnType::Blob  ? "BYTEA"
                                                                 : "TEXT COLLATE \"C\"";
                columns << QStringLiteral("%1 %2").arg(QLatin1String(c.name), QLatin1String(type));
            }
            if (!execute(QStringLiteral("CREATE TABLE %1 ( %2 );")
                             .arg(QLatin1String(table.name), columns.join(QStringLiteral(", ")))))
                return false;
        }
        const QSet<QString> uid = names(
            QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = "
                           "current_schema() AND table_name = 'measures' AND column_name = 'measureuid';"),
            ok);
        if (!ok || (uid.isEmpty() && !execute(QStringLiteral(
                                         "ALTER TABLE Measures ADD COLUMN MeasureUid TEXT COLLATE \"C\";"))))
            return false;
        const QSet<QString> index =
            names(QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() AND "
                                 "indexname = 'measuresbyuid';"),
                  ok);
        if (!ok ||
            (index.isEmpty() &&
             !execute(QStringLiteral("CREATE INDEX MeasuresByUid ON Measures (MeasureUid);"))) ||
            !addMeasureUids())
            return false;
        // Every change of a table, by any program, is announced to the
        // listening workstations.
        const QSet<QString> function =
            names(QStringLiteral("SELECT proname FROM pg_proc WHERE proname = 'ovra_notify_change';"), ok);
        if (!ok || (function.isEmpty() &&
                    !execute(QStringLiteral(
                                 "CREATE FUNCTION ovra_notify_change() RETURNS trigger LANGUAGE plpgsql AS "
                                 "$$ BEGIN PERFORM pg_notify('%1', TG_TABLE_NAME); RETURN NULL; END $$;")
                                 .arg(QLatin1String(kChannel)))))
            return false;
        const QSet<QString> triggered = names(
            QStringLiteral("SELECT tgrelid::regclass::text FROM pg_trigger WHERE tgname = 'ovra_changes';"),
            ok);
        if (!ok)
            return false;
        for (const Table &table : tables()) {
            const QString name = QString::fromLatin1(table.name).toLower();
            if (!triggered.contains(name) &&
                !execute(
                    QStringLiteral("CREATE TRIGGER ovra_changes AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE "
                                   "ON %1 FOR EACH STATEMENT EXECUTE PROCEDURE ovra_notify_change();")
                        .arg(name)))
                return false;
        }
        return true;
    });
}

bool PostgresConnection::addMeasureUids()
{
    // Rows another program wrote without the id get the one their content
    // gives, as in a file.
    for (;;) {
        bool ok = false;
        const QList<QVariantMap> rows = select(
            QStringLiteral("SELECT idx, LastName1, FirstName1, LastName2, FirstName2, Date, Time, Data "
                           "FROM Measures WHERE MeasureUid IS NULL ORDER BY idx LIMIT 16;"),
            {}, &ok);
        if (!ok)
            return false;
        if (rows.isEmpty())
            return true;
        for (const QVariantMap &row : rows) {
            const auto text = [&row](const char *c) { return row.value(QLatin1String(c)).toString(); };
            const QString uid =
                measureUid(text("LastName1"), text("FirstName1"), text("LastName2"), text("FirstName2"),
                           text("Date"), text("Time"), row.value(QStringLiteral("Data")).toByteArray());
            if (!execute(QStringLiteral("UPDATE Measures SET MeasureUid = ? WHERE idx = ?;"),
                         {uid, row.value(QStringLiteral("idx"))}))
                return false;
        }
    }
}

} // namespace ovra::db
