// ovra-db: the organiser's tool for the competition databases and start
// lists, on the same code as the workstation's dialogs.
//
//   ovra-db merge TARGET SOURCE...   combines the workstations' databases
//   ovra-db check DB                 integrity and rows per table
//   ovra-db startlist FILE.csv       the start list as the import reads it
//   ovra-db history DB               every athlete's routines, one JSON line each
//
// A database is a file or a competition server (postgresql://...). A merge
// into a file works on a copy of it and puts it in place only when every
// source merged; a merge into a server runs in one transaction. Either way
// TARGET is unchanged by a failed merge.

#include "AppStartup.h"
#include "data/wsDaten.h"
#include "db/PostgresConnection.h"
#include "db/SqliteConnection.h"
#include "history/AthleteHistory.h"
#include "util/CsvSource.h"
#include "util/LogHandler.h"
#include "wsdb.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void messageToStandardError(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    const QString line = ovra::startup::logHandler().formatLogLine(type, context, text);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

// The tool's messages, translated in the context "OvraDb".
class OvraDb
{
    Q_DECLARE_TR_FUNCTIONS(OvraDb)
};

void printError(const QString &text)
{
    std::fprintf(stderr, "ovra-db: %s\n", text.toLocal8Bit().constData());
}

void printLine(const QString &text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
}

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        printError(problem);
    const QStringList lines = {
        OvraDb::tr("usage: %1").arg(QStringLiteral("ovra-db merge TARGET SOURCE...")),
        OvraDb::tr("   or: %1").arg(QStringLiteral("ovra-db check DB")),
        OvraDb::tr("   or: %1")
            .arg(QStringLiteral("ovra-db startlist [--separator , : ; | tab] [--header yes|no] FILE.csv")),
        OvraDb::tr("   or: %1").arg(QStringLiteral("ovra-db history DB [--athlete \"LAST, FIRST\"]")),
        OvraDb::tr(
            "A database is a file (.db) or a competition server (postgresql://USER@HOST:PORT/DATABASE); "
            "the password comes from ~/.pgpass or PGPASSWORD."),
    };
    std::fprintf(stderr, "%s\n", lines.join(QLatin1Char('\n')).toLocal8Bit().constData());
    return kExitUsage;
}

void loadCatalogue(QCoreApplication &application)
{
    const QString forced = qEnvironmentVariable("OVRA_FORCE_LANGUAGE");
    const QLocale locale = forced.isEmpty() ? QLocale() : QLocale(forced);
    auto *translator = new QTranslator(&application);
    if (translator->load(locale, QStringLiteral(":/i18n/ovra_")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

// A competition server rather than a file.
bool isServer(const QString &argument)
{
    return argument.startsWith(QLatin1String("postgresql://")) ||
           argument.startsWith(QLatin1String("postgres://"));
}

// How a database is named in the output: a server's URI may hold a password.
QString shownName(const QString &argument)
{
    return isServer(argument) ? ovra::db::PostgresConnection::describe(argument)
                              : QDir::toNativeSeparators(argument);
}

void printReport(const QString &source, const wsdb::MergeResult &result)
{
    printLine(shownName(source));
    for (const QString &line : wsdb::mergeReport(result))
        printLine(QStringLiteral("  ") + line);
}

// Every source into the server at target, in one transaction.
int mergeIntoServer(const QString &target, const QStringList &sources)
{
    const QString name = shownName(target);
    ovra::db::PostgresConnection server;
    if (!server.open(target)) {
        printError(OvraDb::tr("%1 cannot be reached: %2").arg(name, server.lastError()));
        return kExitFailed;
    }
    if (!server.createTables()) {
        printError(OvraDb::tr("the tables cannot be created on %1: %2").arg(name, server.lastError()));
        return kExitFailed;
    }
    QList<wsdb::MergeResult> results;
    QString error;
    const bool merged = server.transaction([&] {
        for (const QString &source : sources) {
            std::unique_ptr<ovra::db::Connection> from;
            if (isServer(source)) {
                auto other = std::make_unique<ovra::db::PostgresConnection>();
                if (!other->open(source)) {
                    error = OvraDb::tr("%1 cannot be reached: %2").arg(shownName(source), other->lastError());
                    return false;
                }
                from = std::move(other);
            } else {
                auto file = std::make_unique<ovra::db::SqliteConnection>();
                if (!file->openReadOnly(source)) {
                    error = OvraDb::tr("%1 cannot be opened").arg(source);
                    return false;
                }
                from = std::move(file);
            }
            wsdb::MergeResult result;
            if (!ovra::db::mergeRows(server, *from, result)) {
                error = OvraDb::tr("%1 could not be merged: %2").arg(shownName(source), result.error);
                return false;
            }
            results << result;
        }
        return true;
    });
    if (!merged) {
        printError(error.isEmpty() ? server.lastError() : error);
        printError(OvraDb::tr("%1 is unchanged").arg(name));
        return kExitFailed;
    }
    for (qsizetype i = 0; i < sources.size(); ++i)
        printReport(sources.at(i), results.at(i));
    printLine(OvraDb::tr("Merged into %1 (sources: %2)").arg(name).arg(sources.size()));
    return 0;
}

void removeDatabaseFiles(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// Copies the database at from, including what its log holds, into the new
// file to (SQLite's online backup, page by page).
bool backupInto(const QString &from, const QString &to, QString &error)
{
    sqlite3 *source = nullptr;
    sqlite3 *target = nullptr;
    bool done = false;
    if (sqlite3_open_v2(from.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_open_v2(to.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(source, wsdb::kBusyTimeoutMs);
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
        if (backup) {
            const int rc = sqlite3_backup_step(backup, -1);
            done = rc == SQLITE_DONE;
            sqlite3_backup_finish(backup);
        }
    }
    if (!done)
        error = QString::fromUtf8(sqlite3_errmsg(target ? target : source));
    sqlite3_close(target);
    sqlite3_close(source);
    return done;
}

bool openElsewhere(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK)
        sqlite3_exec(db, "SELECT COUNT(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return QFile::exists(path + QStringLiteral("-wal"));
}

int runMerge(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return usage(OvraDb::tr("merge needs a target and at least one source"));
    const QStringList sources = arguments.mid(1);
    // Everything that can be checked before any writing is checked first.
    for (const QString &source : sources) {
        if (!isServer(source) && !wsdb::isOvraDatabase(source)) {
            printError(OvraDb::tr("%1 is not an Ovra database; nothing was merged").arg(source));
            return kExitFailed;
        }
    }
    if (isServer(arguments.first()))
        return mergeIntoServer(arguments.first(), sources);
    const QString target = QFileInfo(arguments.first()).absoluteFilePath();
    const bool existing = QFileInfo::exists(target);
    if (existing && !wsdb::isOvraDatabase(target)) {
        printError(OvraDb::tr("%1 is not an Ovra database; nothing was merged").arg(target));
        return kExitFailed;
    }

    const QString work = target + QStringLiteral(".merging");
    removeDatabaseFiles(work);
    const auto fail = [&work, &target](const QString &why) {
        removeDatabaseFiles(work);
        printError(why);
        printError(OvraDb::tr("%1 is unchanged").arg(target));
        return kExitFailed;
    };
    QString error;
    if (existing && !backupInto(target, work, error))
        return fail(OvraDb::tr("%1 could not be copied: %2").arg(target, error));

    int merged = 0;
    {
        wsDaten store;
        // The tool works only on the files it is given, not in the
        // workstation's data folder.
        wsdb db(store, nullptr, false);
        if (!db.openDatabase(work) || !db.createTables(QStringLiteral("main")))
            return fail(OvraDb::tr("%1 could not be written").arg(work));
        for (const QString &source : sources) {
            const wsdb::MergeResult result =
                isServer(source) ? db.mergeFromServer(source) : db.mergeFromDatabase(source);
            if (!result.ok)
                return fail(result.error);
            printReport(source, result);
            ++merged;
        }
        db.closeDatabase();
    }
    // Replacing the file under a program that has it open would lose what
    // that program writes afterwards. The last connection to close removes
    // the log, so a log left after ours closed belongs to another program.
    if (existing && openElsewhere(target))
        return fail(OvraDb::tr("%1 is open in another program; close it there and merge again").arg(target));
    QFile::remove(work + QStringLiteral("-wal"));
    QFile::remove(work + QStringLiteral("-shm"));
    if (std::rename(QFile::encodeName(work).constData(), QFile::encodeName(target).constData()) != 0)
        return fail(OvraDb::tr("%1 could not be replaced").arg(target));
    printLine(OvraDb::tr("Merged into %1 (sources: %2)").arg(QDir::toNativeSeparators(target)).arg(merged));
    return 0;
}

int runCheck(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return usage(OvraDb::tr("check needs one database file"));
    const QString database = arguments.first();
    const wsdb::FileCheck check =
        isServer(database) ? wsdb::checkServer(database) : wsdb::checkFile(database);
    if (!check.opened) {
        printError(OvraDb::tr("%1 cannot be opened: %2").arg(shownName(database), check.error));
        return kExitFailed;
    }
    printLine(OvraDb::tr("integrity: %1").arg(check.integrity.join(QStringLiteral("; "))));
    for (int i = 0; i < 5; ++i) {
        const qint64 n = check.rows[std::size_t(i)];
        printLine(QStringLiteral("%1: %2").arg(QString::fromLatin1(wsdb::tableName(i)),
                                               n < 0 ? OvraDb::tr("missing") : QString::number(n)));
    }
    if (check.measuresWithoutId > 0)
        printLine(OvraDb::tr("measures without an id (added when the workstation opens the file): %1")
                      .arg(check.measuresWithoutId));
    if (check.sharedIds > 0)
        printLine(OvraDb::tr("measures kept as conflicting versions of another: %1").arg(check.sharedIds));
    return check.ok() ? 0 : kExitFailed;
}

QByteArray jsonLine(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

int runStartList(const QStringList &arguments)
{
    CsvSource source;
    QString separator;
    QString header;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if ((a == QLatin1String("--separator") || a == QLatin1String("--header")) && i + 1 < arguments.size())
            (a == QLatin1String("--separator") ? separator : header) = arguments.at(++i);
        else if (a.startsWith(QLatin1String("--")) || !source.path.isEmpty())
            return usage(OvraDb::tr("unknown argument %1").arg(a));
        else
            source.path = a;
    }
    if (source.path.isEmpty())
        return usage(OvraDb::tr("startlist needs a CSV file"));
    const CsvSource::Proposal proposal = source.propose();
    source.separator = proposal.separator;
    source.header = proposal.header;
    if (!separator.isEmpty()) {
        if (separator.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0)
            separator = QStringLiteral("\t");
        if (separator.size() != 1 ||
            CsvSource::separatorForIndex(CsvSource::indexOfSeparator(separator.at(0))) != separator.at(0))
            return usage(OvraDb::tr("the separator is one of , : ; | tab"));
        source.separator = separator.at(0);
    }
    if (!header.isEmpty()) {
        if (header != QLatin1String("yes") && header != QLatin1String("no"))
            return usage(OvraDb::tr("--header takes yes or no"));
        source.header = header == QLatin1String("yes");
    }
    const CsvTable table = source.read();
    if (!table.opened) {
        printError(OvraDb::tr("%1 cannot be read: %2").arg(source.path, table.error));
        return kExitFailed;
    }
    QByteArray out;
    out += jsonLine({{QStringLiteral("type"), QStringLiteral("startlist")},
                     {QStringLiteral("file"), source.path},
                     {QStringLiteral("encoding"), table.encoding},
                     {QStringLiteral("separator"), QString(table.separator)},
                     {QStringLiteral("header"), table.header},
                     {QStringLiteral("titles"), QJsonArray::fromStringList(table.titles)},
                     {QStringLiteral("rows"), int(table.rows.size())},
                     {QStringLiteral("unreadable"), int(table.unreadable.size())}}) +
           '\n';
    // Each row as the routine meta information it becomes (title -> cell, a
    // later column of the same title winning, as the start-list widget does).
    for (const CsvRow &row : table.rows) {
        QJsonObject meta;
        for (qsizetype c = 0; c < row.fields.size(); ++c)
            meta.insert(table.titles.at(c), row.fields.at(c));
        out += jsonLine({{QStringLiteral("type"), QStringLiteral("row")},
                         {QStringLiteral("line"), row.line},
                         {QStringLiteral("meta"), meta}}) +
               '\n';
    }
    for (const CsvProblem &problem : table.unreadable)
        out += jsonLine({{QStringLiteral("type"), QStringLiteral("unreadable")},
                         {QStringLiteral("line"), problem.line},
                         {QStringLiteral("text"), problem.text},
                         {QStringLiteral("reason"), problem.reason}}) +
               '\n';
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    return table.unreadable.isEmpty() && std::ferror(stdout) == 0 ? 0 : kExitFailed;
}

// Every routine of the athletes of a database (or of those named), one
// compact JSON object per line: the athletes in name order, each one's
// routines oldest first.
int runHistory(const QStringList &arguments)
{
    QString database;
    QString athlete;
    bool named = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--athlete") && i + 1 < arguments.size()) {
            athlete = arguments.at(++i);
            named = true;
        } else if (a.startsWith(QLatin1String("--")) || !database.isEmpty()) {
            return usage(OvraDb::tr("unknown argument %1").arg(a));
        } else {
            database = a;
        }
    }
    if (database.isEmpty())
        return usage(OvraDb::tr("history needs a database"));
    if (named && athlete.trimmed().isEmpty())
        return usage(OvraDb::tr("--athlete needs a name as \"Last, First\""));
    std::unique_ptr<ovra::db::Connection> connection;
    if (isServer(database)) {
        auto server = std::make_unique<ovra::db::PostgresConnection>();
        if (!server->open(database)) {
            printError(OvraDb::tr("%1 cannot be reached: %2").arg(shownName(database), server->lastError()));
            return kExitFailed;
        }
        connection = std::move(server);
    } else {
        // Only read: the file stays exactly as it is.
        auto file = std::make_unique<ovra::db::SqliteConnection>();
        if (!QFileInfo(database).isFile() || !file->openReadOnly(database)) {
            printError(OvraDb::tr("%1 cannot be opened").arg(database));
            return kExitFailed;
        }
        connection = std::move(file);
    }
    ovra::history::AthleteIndex index;
    if (!ovra::history::readAthletes(*connection, index)) {
        printError(OvraDb::tr("%1 holds no measures that can be read: %2")
                       .arg(shownName(database), connection->lastError()));
        return kExitFailed;
    }
    QList<const ovra::history::Athlete *> athletes = named ? index.named(athlete) : index.search(QString());
    if (named && athletes.isEmpty()) {
        printError(OvraDb::tr("%1 holds no routine of %2").arg(shownName(database), athlete));
        return kExitFailed;
    }
    QByteArray out;
    for (const ovra::history::Athlete *a : athletes) {
        bool ok = false;
        const QList<ovra::history::HistoryRoutine> routines =
            ovra::history::readRoutines(*connection, *a, &ok);
        if (!ok) {
            printError(
                OvraDb::tr("the routines of %1 cannot be read: %2").arg(a->name, connection->lastError()));
            return kExitFailed;
        }
        for (const ovra::history::HistoryRoutine &r : routines)
            out += jsonLine(ovra::history::routineJson(r, *a)) + '\n';
    }
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : kExitFailed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    qInstallMessageHandler(messageToStandardError);
    ovra::startup::registerMetaTypes();
    loadCatalogue(application);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty())
        return usage(QString());
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        usage(QString());
        return 0;
    }
    if (command == QLatin1String("merge"))
        return runMerge(arguments);
    if (command == QLatin1String("check"))
        return runCheck(arguments);
    if (command == QLatin1String("startlist"))
        return runStartList(arguments);
    if (command == QLatin1String("history"))
        return runHistory(arguments);
    return usage(OvraDb::tr("unknown command %1").arg(command));
}
