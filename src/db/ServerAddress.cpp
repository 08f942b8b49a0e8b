#include "db/ServerAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace ovra::db {

namespace {

// A value in a connection string: in single quotes, with quotes and
// backslashes escaped.
QString quoted(const QString &value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// A field of a password file line: ":" and "\" escaped; empty is "*".
QString passwordField(const QString &value)
{
    if (value.isEmpty())
        return QStringLiteral("*");
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char(':'), QStringLiteral("\\:"));
    return escaped;
}

// The first four fields of a password file line, still escaped.
QString passwordKey(const QString &line)
{
    int fields = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('\\')) {
            ++i;
        } else if (line.at(i) == QLatin1Char(':') && ++fields == 4) {
            return line.left(i);
        }
    }
    return QString();
}

} // namespace

QString ServerAddress::conninfo(const QString &password) const
{
    QStringList parts;
    const auto add = [&parts](const char *key, const QString &value) {
        if (!value.trimmed().isEmpty())
            parts << QLatin1String(key) + QLatin1Char('=') + quoted(value.trimmed());
    };
    add("host", host);
    if (port > 0)
        add("port", QString::number(port));
    add("dbname", database);
    add("user", user);
    if (!password.isEmpty())
        parts << QStringLiteral("password=") + quoted(password);
    return parts.join(QLatin1Char(' '));
}

QString ServerAddress::displayName() const
{
    QString name = host.trimmed().isEmpty() ? QStringLiteral("localhost") : host.trimmed();
    if (port > 0)
        name += QLatin1Char(':') + QString::number(port);
    if (!user.trimmed().isEmpty())
        name = user.trimmed() + QLatin1Char('@') + name;
    return name + QLatin1Char('/') + database.trimmed();
}

QString passwordFile()
{
    const QString configured = qEnvironmentVariable("PGPASSFILE");
    return configured.isEmpty() ? QDir::home().filePath(QStringLiteral(".pgpass")) : configured;
}

bool writePasswordEntry(const ServerAddress &address, const QString &password, QString *error,
                        const QString &file)
{
    const QString path = file.isEmpty() ? passwordFile() : file;
    const QString key =
        QStringList{passwordField(address.host.trimmed().isEmpty() ? QStringLiteral("localhost")
                                                                   : address.host.trimmed()),
                    passwordField(address.port > 0 ? QString::number(address.port) : QString()),
                    passwordField(address.database.trimmed()), passwordField(address.user.trimmed())}
            .join(QLatin1Char(':'));
    QStringList lines;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly | QIODevice::Text)) {
            if (error)
                *error = existing.errorString();
            return false;
        }
        lines = QString::fromUtf8(existing.readAll()).split(QLatin1Char('\n'));
        existing.close();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    QString escapedPassword = password;
    escapedPassword.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escapedPassword.replace(QLatin1Char(':'), QStringLiteral("\\:"));
    const QString entry = key + QLatin1Char(':') + escapedPassword;
    // libpq takes the first line that matches: the entry replaces its
    // predecessor where it stood.
    bool replaced = false;
    for (QString &line : lines) {
        if (!line.startsWith(QLatin1Char('#')) && passwordKey(line) == key) {
            line = entry;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        lines << entry;
    QSaveFile out(path);
    // The new file is created readable by the owner only, before anything
    // is written into it.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text) ||
        !out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 || !out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace ovra::db
