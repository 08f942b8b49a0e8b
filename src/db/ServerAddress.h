#pragma once

#include <QString>

namespace ovra::db {

// Where a competition server is: the settings keep these four values; the
// password never goes there. libpq finds it the usual way: the user's
// password file (~/.pgpass, or the file PGPASSFILE names), PGPASSWORD, or a
// service file (PGSERVICE). An empty value is left to libpq's defaults.
struct ServerAddress
{
    static constexpr int kDefaultPort = 5432;

    QString host;
    int port = kDefaultPort;
    QString database;
    QString user;

    // Enough to connect to: a host and a database.
    bool isComplete() const { return !host.trimmed().isEmpty() && !database.trimmed().isEmpty(); }
    // The libpq connection string, each value quoted; password only for a
    // connection that is not kept (the test of the settings dialog).
    QString conninfo(const QString &password = {}) const;
    // For the operator: user@host:port/database.
    QString displayName() const;

    bool operator==(const ServerAddress &) const = default;
};

// The password file libpq reads: PGPASSFILE, or ~/.pgpass.
QString passwordFile();

// Writes the password of address into file (passwordFile() when empty),
// replacing the line of the same host, port, database and user, and leaves
// the file readable by its owner only (libpq ignores it otherwise). false,
// with the reason in error, when it cannot be written.
bool writePasswordEntry(const ServerAddress &address, const QString &password, QString *error = nullptr,
                        const QString &file = {});

} // namespace ovra::db
