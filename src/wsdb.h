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
    // Puts the start entry startOrder of the selected group into the selection.
    void selectStartEntry(int startOrder);

    // Replaces every single and double quote by a space.
    static void sanitizeForSql(QString &value);

private:
    wsDaten &m_store;
    sqlite3 *m_db = nullptr;
    QString m_defaultFile;
    QString m_path;
};
