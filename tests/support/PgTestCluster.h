#pragma once

#include "db/ServerAddress.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace ovra::test {

// A PostgreSQL server of the test's own: a fresh cluster in a temporary
// directory, listening on a free loopback port, with a superuser "ovra"
// whose password (a new one each time) connections over TCP must give. The
// process finds it the way libpq finds passwords: start() writes a password
// file and points PGPASSFILE at it. Under root (as in CI), where the server
// refuses to run, its programs run as the user "postgres" (or "nobody").
class PgTestCluster
{
public:
    // The text a test skips with where PostgreSQL is not installed; CTest
    // reports such a test as skipped (SKIP_REGULAR_EXPRESSION).
    static constexpr const char *kNotInstalled = "PostgreSQL is not installed";

    PgTestCluster();
    ~PgTestCluster();
    PgTestCluster(const PgTestCluster &) = delete;
    PgTestCluster &operator=(const PgTestCluster &) = delete;

    // The directory of initdb and pg_ctl (OVRA_PG_BINDIR, or the newest
    // /usr/lib/postgresql/*/bin); empty when there is none.
    static QString binDir();
    // Why the tests are skipped, for QSKIP.
    static QString skipReason();

    // Creates the cluster and starts it; durable keeps fsync on (for
    // benchmarks). false with reason() on failure.
    bool start(bool durable = false);
    // Stops the server (fast: connections are cut), and starts it again on
    // the same port.
    bool stop();
    bool startAgain();
    bool isRunning() const { return m_running; }
    QString reason() const { return m_reason; }

    int port() const { return m_port; }
    QString password() const { return m_password; }
    QString passwordFile() const;
    ovra::db::ServerAddress address(const QString &database = QStringLiteral("ovra")) const;
    QString conninfo(const QString &database = QStringLiteral("ovra")) const;
    QString uri(const QString &database = QStringLiteral("ovra")) const;
    // A new empty database (UTF-8), or false.
    bool createDatabase(const QString &name);

private:
    bool run(const QString &program, const QStringList &arguments, int timeoutMs);
    QStringList serverOptions() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runAs;
    QString m_reason;
    QString m_password;
    int m_port = 0;
    bool m_durable = false;
    bool m_running = false;
};

} // namespace ovra::test
