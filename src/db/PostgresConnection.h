#pragma once

#include "db/Connection.h"

#include <QByteArray>
#include <QHash>

struct pg_conn;
struct pg_result;
class QSocketNotifier;
class QTimer;
template <typename T> class QFutureWatcher;

namespace ovra::db {

// A competition database on a PostgreSQL server, through libpq. The tables
// are those of a file (names folded to lower case, text compared by code
// point), plus a trigger on each that announces every change to the
// listening connections.
//
// A server may go away at any time: a statement that finds the connection
// lost fails at once (a server that stops answering is given up after a
// few seconds), isOpen() turns false, and with setReconnecting() the
// connection is tried again in the background until the server answers.
// Connections are made with a timeout, so nothing waits long for a server
// that is not there.
//
// All use is on the thread that made the object; only the background
// connection attempts run on the global thread pool.
class PostgresConnection : public Connection
{
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutS = 3;
    // A connection whose data the server has not acknowledged for this long
    // counts as lost.
    static constexpr int kUnansweredTimeoutMs = 3000;
    static constexpr int kLockTimeoutMs = 5000;
    static constexpr int kReconnectIntervalMs = 1000;
    // The channel the tables' trigger notifies; the payload is the table.
    static constexpr const char *kChannel = "ovra_changes";

    explicit PostgresConnection(QObject *parent = nullptr);
    ~PostgresConnection() override;

    // Connects to the server a libpq connection string or postgresql:// URI
    // names, waiting at most kConnectTimeoutS; true when connected. A failed
    // open keeps the connection string for setReconnecting().
    bool open(const QString &conninfo);
    // The same without waiting: the connection is made in the background
    // and announced with openChanged(true); until then, and while the
    // server does not answer, it is tried again as setReconnecting(true)
    // does.
    void openInBackground(const QString &conninfo);
    // The first background attempt has not finished yet.
    bool isConnecting() const { return m_firstAttempt; }
    void close();
    // Whether a lost (or never made) connection is tried again every
    // reconnectInterval() in the background.
    void setReconnecting(bool on);
    void setReconnectInterval(int ms);
    // Whether the changes of all connections are announced (tablesChanged).
    void setListening(bool on);
    // How long a transaction waits for another one's write lock.
    void setLockTimeout(int ms) { m_lockTimeoutMs = ms; }

    Kind kind() const override { return Kind::Server; }
    QString location() const override { return m_description; }
    bool isOpen() const override { return m_conn != nullptr; }
    bool createTables() override;
    bool execute(const QString &sql, const QVariantList &values = {}) override;
    QList<QVariantList> selectRows(const QString &sql, const QVariantList &values = {}, bool *ok = nullptr,
                                   QStringList *names = nullptr) override;
    bool transaction(const std::function<bool()> &work) override;
    qint64 lastInsertRowId() override;
    QString lastError() const override { return m_lastError; }

    // A statement as the server takes it: "?" become $1, $2, ...; LIKE
    // becomes ILIKE (a file's LIKE ignores the case of ASCII letters); in a
    // plain ORDER BY list NULL comes first ascending and last descending,
    // as in a file. Quoted text is left alone.
    static QByteArray translate(const QString &sql);

    // For the operator: user@host:port/database of a connection string.
    static QString describe(const QString &conninfo);

    // One connection attempt, for the settings dialog's test: whether it
    // connected, what to tell the operator, and whether the database holds
    // Ovra's tables already. Blocks up to kConnectTimeoutS; run it off the
    // GUI thread.
    struct Probe
    {
        bool ok = false;
        QString message;
        bool tablesPresent = false;
    };
    static Probe probe(const QString &conninfo);

private:
    pg_result *run(const QString &sql, const QVariantList &values, bool &ok);
    bool adopt(pg_conn *conn);
    void lost();
    void startAttempt();
    void attemptFinished();
    void readNotifications();
    void drainNotifications();
    bool addMeasureUids();

    pg_conn *m_conn = nullptr;
    QString m_conninfo;
    QString m_description;
    QString m_lastError;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_reconnectTimer = nullptr;
    QFutureWatcher<pg_conn *> *m_attempt = nullptr;
    QHash<QString, QByteArray> m_translated;
    int m_lockTimeoutMs = kLockTimeoutMs;
    bool m_reconnecting = false;
    bool m_listening = false;
    bool m_inTransaction = false;
    // A background attempt whose connection has not been taken yet.
    bool m_attemptPending = false;
    // openInBackground() has not heard from the server yet.
    bool m_firstAttempt = false;
};

} // namespace ovra::db
