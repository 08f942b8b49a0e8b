#pragma once

#include "data/wsDaten.h"
#include "util/FileUtils.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonDocument>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class QTimer;

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "db/Connection.h"
#include "db/ServerAddress.h"
#include "db/Transfer.h"

namespace ovra::db {
class PostgresConnection;
class SqliteConnection;
} // namespace ovra::db

// The competition database: start lists (athletes, events, competitions,
// groups) and the stored measures, in a local SQLite file or on a
// competition server that several workstations share. The window and the
// dialogs talk to this class only; it runs its statements through an
// ovra::db::Connection of either kind. Every query function does nothing
// when no database is open. Values always travel as bound parameters, so
// names with quotes or any other letters are stored as typed.
//
// A file: other programs may hold it open (a viewer, a backup, a second
// workstation's merge): the file is kept in write-ahead-log mode, so their
// readers never stop a save, and a writer's lock is waited for up to
// busyTimeout(). A measure that still cannot be stored is kept in memory
// and retried every retryInterval() until it is stored.
//
// A server: the workstation keeps a file of its own beside the settings
// (serverQueueFile()). Its Measures table is the queue of the measures the
// server has not taken yet, written to the server in commit order as soon
// as it answers again, each exactly once (by its measure id), also after a
// restart; its start-list tables are a copy of the server's, so the start
// lists stay usable while the server is away (reads are answered from the
// copy then, writes fail). Changes of other workstations are announced by
// the server (startListChanged(), measuresChanged()).
//
// Measure identity. Every measure carries MeasureUid (TEXT, the last column
// of Measures, indexed): measureUid() of its athletes, save date and time
// and samples. Being computed from the content, two copies of one routine
// get the same id in every file, also in files written before the column
// existed (openDatabase adds and fills it; older versions of the program
// still read and write such files, leaving the id NULL, which the next open
// fills). Merges, and any other store of these tables, use it as the key of
// a measure; the save time alone (Name) is not unique across workstations.
class wsdb : public QObject, public ovra::util::MeasureDatabase
{
    Q_OBJECT
public:
    using Kind = ovra::db::Connection::Kind;
    // How long a statement waits for another connection's lock.
    static constexpr int kBusyTimeoutMs = 5000;
    // How often measures that could not be stored are tried again.
    static constexpr int kRetryIntervalMs = 15000;

    // With prepareDefaultFolder the application data directory of
    // defaultFile() is created when missing.
    explicit wsdb(wsDaten &store, QObject *parent = nullptr, bool prepareDefaultFolder = true);
    ~wsdb() override;

    void setBusyTimeout(int ms);
    int busyTimeout() const { return m_busyTimeoutMs; }
    void setRetryInterval(int ms);
    int retryInterval() const;

    // The content id of a measure (see above): SHA-256 in lower-case hex of
    // the UTF-8 texts, each preceded by its byte count (4 bytes, little
    // endian; NULL counts as empty), followed by the sample bytes.
    static QString measureUid(const QString &lastName1, const QString &firstName1, const QString &lastName2,
                              const QString &firstName2, const QString &date, const QString &time,
                              const QByteArray &samples);

    // The application data directory + "ovraDb.db".
    QString defaultFile() const { return m_defaultFile; }

    // Closes the open database (file or server) and opens the file path
    // (created when missing) in write-ahead-log mode, adding the measure id
    // where it is missing; true when it is open.
    bool openDatabase(const QString &path);
    // The workstation's own file for a server (queue and start-list copy);
    // set before openServer().
    void setServerQueueFile(const QString &path) { m_serverQueueFile = path; }
    QString serverQueueFile() const { return m_serverQueueFile; }
    // Closes the open database and uses the server at address from now on,
    // creating its tables where they are missing. The server is in use even
    // when it does not answer now (saves wait in the queue, reads come from
    // the copy, and it is tried again in the background); true when it
    // answered. Without waiting (at start-up, where a server that does not
    // answer would hold the window back), the first attempt is made in the
    // background too, and false is returned.
    bool openServer(const ovra::db::ServerAddress &address, bool waitForAnswer = true);
    // Like openServer(), but a server that does not answer is not taken:
    // the database open before stays open. true when the server is in use.
    bool switchToServer(const ovra::db::ServerAddress &address);
    // Writes a file's log back into it before closing, so that a copy of
    // the file alone holds every stored row.
    void closeDatabase();
    bool isOpen() const { return m_connection != nullptr; }
    Kind kind() const { return m_kind; }
    // The open file; empty for a server.
    QString databasePath() const { return m_path; }
    // For the operator: the file's path, or the server as
    // user@host:port/database.
    QString location() const;
    // The server in use (kind() == Kind::Server).
    ovra::db::ServerAddress serverAddress() const { return m_server; }
    // Whether the server answers now; a file is always reachable.
    bool isReachable() const;
    // A server opened without waiting has not answered its first attempt.
    bool isConnecting() const;

    // The five tables in schema ("main", or an attached schema of a file;
    // a server has only "main"); true when every statement ran.
    bool createTables(const QString &schema);

    // Runs one statement with values bound to its "?" parameters in order
    // (QString, integers, double, QByteArray as BLOB, an invalid QVariant as
    // NULL); true when it ran. While a server is away nothing is written.
    bool execute(const QString &sql, const QVariantList &values = {});

    // Stores a measure under the store's measurement name and the start
    // entry; true only when the row was written. A row that could not be
    // written is kept and retried (pendingMeasures()).
    bool insertMeasure(const StartSelection &entry, const QDateTime &saveTime, const QString &comment1,
                       const QString &comment2, const QString &header, int headerLength, const char *samples,
                       int sampleBytes, const QJsonDocument &results, const QByteArray &pdf) override;
    // The same under the database start list's current choice.
    bool insertMeasure(const QDateTime &saveTime, const QString &comment1, const QString &comment2,
                       const QString &header, int headerLength, const char *samples, int sampleBytes,
                       const QJsonDocument &results, const QByteArray &pdf);

    // Measures that wait to be stored.
    int pendingMeasures() const { return int(m_pending.size()) + m_queued; }

    // The measure called name (with idx >= 0: the row idx, which must carry
    // that name, since names repeat across merged files): the first twelve columns (EventName, EventCity,
    // CompetitionName, GroupName, LastName1, FirstName1, LastName2,
    // FirstName2, Date, Time, Comment1, Comment2) appended to fields, its
    // header text and its samples, which the caller replays into the store.
    // false when there is no such measure (fields and samples unchanged).
    bool readMeasure(const QString &name, QStringList &fields, QString &header,
                     std::vector<wsDaten::Sample> &samples, qint64 idx = -1);

    // The start list of the selected group, one line per entry in start order.
    void listGroupEntries(QStringList &out);
    // Competition and event of the selection from their definition rows; no
    // row clears that part of the selection.
    void readCompetition(const QString &competitionName);
    void readEvent(const QString &eventName);
    // Names of the measures of the selected group and athlete 1.
    void listMeasureNames(QStringList &out);
    // Puts the start entry startOrder of the selected group into the
    // selection; false (selection unchanged) when the group has no such entry.
    bool selectStartEntry(int startOrder);

    // Replaces every single and double quote by a space.
    static void sanitizeForSql(QString &value);

    // text with "%", "_" and "\" escaped for a LIKE ... ESCAPE '\' pattern,
    // so that the operator's characters match literally.
    static QString likeEscaped(const QString &text);

    // Every row of a query with its values bound, as column name -> value
    // (qlonglong, double, QString, QByteArray; an invalid QVariant for NULL).
    // ok, when given, says whether the query ran.
    QList<QVariantMap> select(const QString &sql, const QVariantList &values = {}, bool *ok = nullptr);
    // The same, each row as its values in the order of the query's columns.
    QList<QVariantList> selectRows(const QString &sql, const QVariantList &values = {}, bool *ok = nullptr);
    // Runs work with the database's write lock held (taken, or waited for,
    // before work reads anything), then commits; rolls back and returns
    // false when work returns false or the commit fails.
    bool transaction(const std::function<bool()> &work);
    // "Replace" in the event and competition dialogs: the definition row idx
    // takes the form's values (event: name, city, NOC code, date from, date
    // to). A new name is carried to every row that finds the event (the
    // competition of its event) by name: competitions, groups and their
    // start lists, stored measures; and to the start-list choice. All in
    // one transaction: false, with nothing changed, when a statement fails,
    // there is no such row or another definition already has the new name.
    // While a second definition keeps the old name, its rows stay with it.
    bool replaceEvent(qint64 idx, const QVariantList &values);
    bool replaceCompetition(qint64 idx, const QString &name, int genderId, int typeId);
    // Row id of the last INSERT on this connection.
    qint64 lastInsertRowId() const;

    // Natural order: runs of digits compare by their value ("Group 2" before
    // "Group 10"), the rest without regard to case.
    static bool naturalLess(const QString &a, const QString &b);

    // The names the start-list choice offers: events, the competitions of an
    // event and the groups of a competition (in natural order), from their
    // definition rows.
    QStringList eventNames();
    QStringList competitionNames(const QString &eventName);
    QStringList groupNames(const QString &eventName, const QString &competitionName);

    // Tables of a copy, combined by OR.
    enum CopyTable : int {
        CopyAthlets = ovra::db::CopyAthlets,
        CopyEvents = ovra::db::CopyEvents,
        CopyCompetitions = ovra::db::CopyCompetitions,
        CopyGroups = ovra::db::CopyGroups,
        CopyMeasures = ovra::db::CopyMeasures,
        CopyAll = ovra::db::CopyAll,
    };
    // Copies the chosen tables (with their idx values) of the open database
    // (file or server) into the database file path, created with the five
    // tables when missing. All or nothing: false, with nothing written, when
    // a statement fails or path is the open file itself.
    bool copyToDatabase(const QString &path, int flags);
    // The chosen tables into a new file at path: built beside it under a
    // temporary name and put in place only when complete, so a failure
    // leaves an existing file at path as it was.
    bool copyToNewDatabase(const QString &path, int flags);

    // What a merge did with the rows of the other database, per table. A row
    // equal in every copied column to one of this database is skipped as
    // identical; any other row is added, and counted as conflicting when a
    // row of this database has the same key (the identity columns of a
    // start-list table, the measure id) but differs elsewhere: both are kept.
    using MergeCounts = ovra::db::MergeCounts;
    using MergeResult = ovra::db::MergeResult;
    static const char *tableName(int i);
    // One line per table: "Measures: 2 added, 5 skipped as identical, 1 kept
    // as conflicting".
    static QStringList mergeReport(const MergeResult &result);
    // Adds the rows of the database file path to the open database (file or
    // server) as described above, all or nothing; the other file is only
    // read. Merging the open file into itself adds nothing.
    MergeResult mergeFromDatabase(const QString &path);
    // Adds the rows of a server (a libpq connection string or
    // postgresql:// URI) to the open file, the same way.
    MergeResult mergeFromServer(const QString &conninfo);

    // Whether path is an SQLite file that holds the five tables.
    static bool isOvraDatabase(const QString &path);

    // A look at a database without changing it: an integrity check and the
    // rows per table (-1 for a missing table).
    struct FileCheck
    {
        bool opened = false;
        QString error;
        // "ok", or the problems the integrity check found.
        QStringList integrity;
        // Athlets, Events, Competitions, Groups, Measures.
        std::array<qint64, 5> rows{-1, -1, -1, -1, -1};
        // Measures without an id yet (older files; added at the next open),
        // and ids held by more than one measure (kept as conflicting).
        qint64 measuresWithoutId = 0;
        qint64 sharedIds = 0;
        bool ok() const
        {
            return opened && integrity == QStringList{QStringLiteral("ok")} &&
                   std::none_of(rows.cbegin(), rows.cend(), [](qint64 n) { return n < 0; });
        }
    };
    // A file: SQLite's integrity check.
    static FileCheck checkFile(const QString &path);
    // A server (a libpq connection string or postgresql:// URI): every
    // table readable and carrying the measure id.
    static FileCheck checkServer(const QString &conninfo);
    // Makes path, which must be an Ovra database, the open database; on
    // failure the previous database stays open. true when path is open.
    bool switchDatabase(const QString &path);

    // The browser's filter: texts are matched anywhere in their columns,
    // literally ("%" and "_" are plain characters); an empty text matches
    // everything. gender is "Male", "Female" or empty for all; typeId 0 for
    // all, 1 individual, 2 synchronized.
    struct MeasureFilter
    {
        QString name;
        QString date;
        QString event;
        QString competition;
        QString city;
        QString nocCode;
        QString gender;
        int typeId = 0;
    };
    struct MeasureListEntry
    {
        qint64 idx = 0;
        QString athletes;
        QString date;
        QString event;
        QString competition;
        QString city;
        QString measureName;
    };
    QList<MeasureListEntry> listMeasures(const MeasureFilter &filter);

    // The connection statements run on now (the server's, or while it is
    // away the copy's); null without an open database.
    ovra::db::Connection *connection() const;

Q_SIGNALS:
    // The number of measures waiting to be stored changed.
    void pendingMeasuresChanged(int count);
    // Another workstation changed the start lists, or stored measures.
    void startListChanged();
    void measuresChanged();
    // The server went away or answers again.
    void reachableChanged(bool reachable);

public Q_SLOTS:
    // Tries to store the waiting measures, oldest first; true when none waits.
    bool retryPendingMeasures();

private:
    // A measure row as it is written: the texts and numbers of the columns
    // Name ... Comment2, then the four BLOBs and the id.
    struct MeasureRow
    {
        QVariantList values;
        QByteArray header;
        QByteArray results;
        QByteArray pdf;
        QByteArray samples;
        QString uid;
    };
    // Writes row into connection; onlyOnce skips a measure the connection
    // holds already (a retry after an answer that was lost).
    bool writeMeasure(ovra::db::Connection &connection, const MeasureRow &row, bool onlyOnce);
    bool queueMeasure(const MeasureRow &row);
    bool flushQueue();
    void serverOpenChanged(bool open);
    void serverTablesChanged(const QStringList &tables, bool byOthers);
    void refreshStartListCopy();
    bool serverReady();
    QStringList names(const QString &sql, const QVariantList &values);
    bool mergeInto(ovra::db::Connection &target, ovra::db::Connection &source, MergeResult &result);

    wsDaten &m_store;
    Kind m_kind = Kind::File;
    // The open database: m_file, or m_serverConnection.
    ovra::db::Connection *m_connection = nullptr;
    std::unique_ptr<ovra::db::SqliteConnection> m_file;
    std::unique_ptr<ovra::db::PostgresConnection> m_serverConnection;
    // The workstation's own file while a server is in use.
    std::unique_ptr<ovra::db::SqliteConnection> m_queue;
    ovra::db::ServerAddress m_server;
    QString m_serverQueueFile;
    QString m_defaultFile;
    QString m_path;
    int m_busyTimeoutMs = kBusyTimeoutMs;
    QList<MeasureRow> m_pending;
    // Measures in the server queue file.
    int m_queued = 0;
    QTimer *m_retry = nullptr;
    QTimer *m_copyRefresh = nullptr;
};
