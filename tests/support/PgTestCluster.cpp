#include "support/PgTestCluster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QVersionNumber>

#include <libpq-fe.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovra::test {

namespace {

constexpr int kProgramTimeoutMs = 60000;

int freePort()
{
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost, 0) ? int(server.serverPort()) : 0;
}

// Whether path and every directory above it can be entered by user.
bool reachableFor(const QString &path, const passwd *user)
{
    QDir dir(path);
    for (;;) {
        struct stat info
        {
        };
        if (::stat(QFile::encodeName(dir.absolutePath()).constData(), &info) != 0)
            return false;
        const bool enter = info.st_uid == user->pw_uid   ? (info.st_mode & S_IXUSR)
                           : info.st_gid == user->pw_gid ? (info.st_mode & S_IXGRP)
                                                         : (info.st_mode & S_IXOTH);
        if (!enter)
            return false;
        if (dir.isRoot())
            return true;
        dir.cdUp();
    }
}

} // namespace

PgTestCluster::PgTestCluster() = default;

PgTestCluster::~PgTestCluster()
{
    if (m_running && m_dir)
        run(binDir() + QStringLiteral("/pg_ctl"),
            {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")), QStringLiteral("-m"),
             QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")},
            kProgramTimeoutMs);
}

QString PgTestCluster::binDir()
{
    const auto usable = [](const QString &dir) {
        return QFileInfo(dir + QStringLiteral("/initdb")).isExecutable() &&
               QFileInfo(dir + QStringLiteral("/pg_ctl")).isExecutable();
    };
    const QString configured = qEnvironmentVariable("OVRA_PG_BINDIR");
    if (!configured.isEmpty())
        return usable(configured) ? configured : QString();
    QString best;
    QVersionNumber bestVersion;
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    for (const QString &version : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = root.filePath(version + QStringLiteral("/bin"));
        const QVersionNumber number = QVersionNumber::fromString(version);
        if (usable(dir) && (best.isEmpty() || number > bestVersion)) {
            best = dir;
            bestVersion = number;
        }
    }
    return best;
}

QString PgTestCluster::skipReason()
{
    return QStringLiteral("%1: no initdb and pg_ctl under /usr/lib/postgresql/*/bin or OVRA_PG_BINDIR "
                          "(install the Debian package postgresql to run the competition-server tests)")
        .arg(QLatin1String(kNotInstalled));
}

bool PgTestCluster::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server keeps its own locale out of the tests' way.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    if (m_dir)
        process.setWorkingDirectory(m_dir->path());
    if (m_runAs.isEmpty())
        process.start(program, arguments);
    else
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), m_runAs, QStringLiteral("--"), program} + arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_reason =
            QStringLiteral("%1 failed: %2")
                .arg(QFileInfo(program).fileName(), QString::fromLocal8Bit(process.readAll()).trimmed());
        return false;
    }
    return true;
}

QStringList PgTestCluster::serverOptions() const
{
    QStringList options = {QStringLiteral("-c listen_addresses=127.0.0.1"),
                           QStringLiteral("-c port=%1").arg(m_port),
                           QStringLiteral("-c unix_socket_directories='%1'").arg(m_dir->path()),
                           QStringLiteral("-c shared_buffers=32MB"), QStringLiteral("-c max_connections=40")};
    if (!m_durable)
        options << QStringLiteral("-c fsync=off") << QStringLiteral("-c synchronous_commit=off");
    return {QStringLiteral("-o"), options.join(QLatin1Char(' '))};
}

bool PgTestCluster::start(bool durable)
{
    m_durable = durable;
    const QString bin = binDir();
    if (bin.isEmpty()) {
        m_reason = skipReason();
        return false;
    }
    // The server refuses to run as root: its programs run as a user of no
    // privilege, in a directory that user can reach.
    const passwd *user = nullptr;
    if (::geteuid() == 0) {
        user = ::getpwnam("postgres");
        if (!user)
            user = ::getpwnam("nobody");
        if (!user) {
            m_reason = QStringLiteral("running as root, and neither the user postgres nor nobody exists");
            return false;
        }
        m_runAs = QString::fromLocal8Bit(user->pw_name);
    }
    QString base = QDir::tempPath();
    if (user && !reachableFor(base, user))
        base = QStringLiteral("/tmp");
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/ovra-pg-XXXXXX"));
    if (!m_dir->isValid()) {
        m_reason = QStringLiteral("no temporary directory in %1").arg(base);
        return false;
    }
    if (user && (::chown(QFile::encodeName(m_dir->path()).constData(), user->pw_uid, user->pw_gid) != 0 ||
                 !reachableFor(m_dir->path(), user))) {
        m_reason = QStringLiteral("%1 cannot be given to the user %2").arg(m_dir->path(), m_runAs);
        return false;
    }
    m_password = QString::number(QRandomGenerator::global()->generate64(), 36);
    const QString pwfile = m_dir->filePath(QStringLiteral("initdb-password"));
    {
        QFile f(pwfile);
        if (!f.open(QIODevice::WriteOnly) || f.write(m_password.toUtf8() + '\n') < 0) {
            m_reason = QStringLiteral("%1 cannot be written").arg(pwfile);
            return false;
        }
    }
    if (user && ::chown(QFile::encodeName(pwfile).constData(), user->pw_uid, user->pw_gid) != 0) {
        m_reason = QStringLiteral("%1 cannot be given to the user %2").arg(pwfile, m_runAs);
        return false;
    }
    if (!run(bin + QStringLiteral("/initdb"),
             {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")), QStringLiteral("-U"),
              QStringLiteral("ovra"), QStringLiteral("--auth-local=trust"),
              QStringLiteral("--auth-host=scram-sha-256"), QStringLiteral("--pwfile=") + pwfile,
              QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
              QStringLiteral("--no-sync")},
             kProgramTimeoutMs))
        return false;
    QFile::remove(pwfile);
    // A port found free may be taken before the server binds it: a few tries.
    for (int attempt = 0; attempt < 3 && !m_running; ++attempt) {
        m_port = freePort();
        m_running = m_port > 0 && startAgain();
    }
    if (!m_running)
        return false;
    // Every connection of this process (and of the programs it starts)
    // finds the password as libpq's users do.
    {
        QFile f(passwordFile());
        if (!f.open(QIODevice::WriteOnly) ||
            !f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
            f.write(QStringLiteral("127.0.0.1:%1:*:ovra:%2\n").arg(m_port).arg(m_password).toUtf8()) < 0) {
            m_reason = QStringLiteral("%1 cannot be written").arg(passwordFile());
            return false;
        }
    }
    qputenv("PGPASSFILE", QFile::encodeName(passwordFile()));
    return createDatabase(QStringLiteral("ovra"));
}

bool PgTestCluster::startAgain()
{
    m_running = run(binDir() + QStringLiteral("/pg_ctl"),
                    QStringList{QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")),
                                QStringLiteral("-l"), m_dir->filePath(QStringLiteral("server.log")),
                                QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60")} +
                        serverOptions() + QStringList{QStringLiteral("start")},
                    kProgramTimeoutMs);
    return m_running;
}

bool PgTestCluster::stop()
{
    const bool stopped =
        run(binDir() + QStringLiteral("/pg_ctl"),
            {QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")), QStringLiteral("-m"),
             QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")},
            kProgramTimeoutMs);
    m_running = m_running && !stopped;
    return stopped;
}

QString PgTestCluster::passwordFile() const
{
    return m_dir ? m_dir->filePath(QStringLiteral("pgpass")) : QString();
}

ovra::db::ServerAddress PgTestCluster::address(const QString &database) const
{
    ovra::db::ServerAddress a;
    a.host = QStringLiteral("127.0.0.1");
    a.port = m_port;
    a.database = database;
    a.user = QStringLiteral("ovra");
    return a;
}

QString PgTestCluster::conninfo(const QString &database) const
{
    return address(database).conninfo();
}

QString PgTestCluster::uri(const QString &database) const
{
    return QStringLiteral("postgresql://ovra@127.0.0.1:%1/%2").arg(m_port).arg(database);
}

bool PgTestCluster::createDatabase(const QString &name)
{
    PGconn *conn = PQconnectdb(conninfo(QStringLiteral("postgres")).toUtf8().constData());
    bool created = false;
    if (PQstatus(conn) == CONNECTION_OK) {
        char *quoted = PQescapeIdentifier(conn, name.toUtf8().constData(), std::size_t(name.toUtf8().size()));
        PGresult *result =
            PQexec(conn, (QByteArray("CREATE DATABASE ") + quoted + " ENCODING 'UTF8'").constData());
        created = PQresultStatus(result) == PGRES_COMMAND_OK;
        if (!created)
            m_reason = QString::fromUtf8(PQresultErrorMessage(result));
        PQclear(result);
        PQfreemem(quoted);
    } else {
        m_reason = QString::fromUtf8(PQerrorMessage(conn));
    }
    PQfinish(conn);
    return created;
}

} // namespace ovra::test
