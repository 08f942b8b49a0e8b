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

#include <array>
#include <functional>
#include <vector>

struct sqlite3;

// The competition database: start lists (athletes, events, competitions,
// groups) and the stored measures in one SQLite file. Every query function
// does nothing when no database is open. Values always travel as bound
// parameters, so names with quotes or any other letters are stored as typed.
class wsdb : public QObject, public ovra::util::MeasureDatabase
{
    Q_OBJECT
public:
    explicit wsdb(wsDaten &store, QObject *parent = nullptr);
    ~wsdb() override;

    // The application data directory + "ovraDb.db".
    QString defaultFile() const { return m_defaultFile; }

    // Closes an open database and opens path (created when missing); true
    // when it is open.
    bool openDatabase(const QString &path);
    void closeDatabase();
    bool isOpen() const { return m_db != nullptr; }
    QString databasePath() const { return m_path; }

    // The five tables in schema ("main", or an attached schema); true when
    // every statement ran.
    bool createTables(const QString &schema);

    // Prepares sql, binds values to its "?" parameters in order (QString,
    // integers, QByteArray as BLOB, null), runs one step; the step result,
    // or the prepare error. SQLITE_MISUSE without an open database.
    int execute(const QString &sql, const QVariantList &values = {});

    // Stores a measure under the store's measurement name and the start-list
    // choice; true only when the row was written.
    bool insertMeasure(const QDateTime &saveTime, const QString &comment1, const QString &comment2,
                       const QString &header, int headerLength, const char *samples, int sampleBytes,
                       const QJsonDocument &results, const QByteArray &pdf) override;

    // The measure called name: the first twelve columns (EventName, EventCity,
    // CompetitionName, GroupName, LastName1, FirstName1, LastName2,
    // FirstName2, Date, Time, Comment1, Comment2) appended to fields, its
    // header text and its samples, which the caller replays into the store.
    // false when there is no such measure (fields and samples unchanged).
    bool readMeasure(const QString &name, QStringList &fields, QString &header,
                     std::vector<wsDaten::Sample> &samples);

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
    QList<QVariantMap> select(const QString &sql, const QVariantList &values = {});
    // Runs work between BEGIN and COMMIT; rolls back and returns false when
    // work returns false or the commit fails.
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

    // The names the start-list choice offers: events, the competitions of an
    // event and the groups of a competition, from their definition rows.
    QStringList eventNames();
    QStringList competitionNames(const QString &eventName);
    QStringList groupNames(const QString &eventName, const QString &competitionName);

    // Tables of a copy, combined by OR.
    enum CopyTable : int {
        CopyAthlets = 1,
        CopyEvents = 2,
        CopyCompetitions = 4,
        CopyGroups = 8,
        CopyMeasures = 16,
        CopyAll = 31,
    };
    // Copies the chosen tables (with their idx values) into the database
    // file path, created with the five tables when missing. All or nothing:
    // false, with nothing written, when a statement fails or path is the
    // open file itself.
    bool copyToDatabase(const QString &path, int flags);
    // The chosen tables into a new file at path: built beside it under a
    // temporary name and put in place only when complete, so a failure
    // leaves an existing file at path as it was.
    bool copyToNewDatabase(const QString &path, int flags);

    // Rows of another database file added to this one, per table.
    struct MergeResult
    {
        bool ok = false;
        // Athlets, Events, Competitions, Groups, Measures.
        std::array<int, 5> added{};
    };
    // Adds the rows of the database file path that this one does not hold
    // yet (identity columns compared NULL-safe), all or nothing. Merging the
    // open file into itself adds nothing.
    MergeResult mergeFromDatabase(const QString &path);

    // Whether path is an SQLite file that holds the five tables.
    static bool isOvraDatabase(const QString &path);
    // Makes path, which must be an Ovra database, the open database; on
    // failure the previous file stays open. true when path is open.
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

private:
    QStringList names(const QByteArray &sql, const QVariantList &values);

    wsDaten &m_store;
    sqlite3 *m_db = nullptr;
    QString m_defaultFile;
    QString m_path;
};
