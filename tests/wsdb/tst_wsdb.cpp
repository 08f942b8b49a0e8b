#include "data/wsDaten.h"
#include "support/TestSupport.h"
#include "wsdb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sqlite3.h>

#include <memory>

namespace {

// A second, independent connection to the same file: what is checked there
// is really in the file, not in the object under test.
class RawDb
{
public:
    explicit RawDb(const QString &path) { sqlite3_open(path.toUtf8().constData(), &m_db); }
    ~RawDb() { sqlite3_close(m_db); }
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    // The first row of a query, every column as text (BLOBs as their length).
    QStringList row(const char *sql) const
    {
        QStringList out;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK)
            return {QStringLiteral("prepare failed")};
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)));
        }
        sqlite3_finalize(stmt);
        return out;
    }
    int count(const char *sql) const { return row(sql).value(0).toInt(); }
    QStringList column(const char *sql, int c) const
    {
        QStringList out;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK)
            return {QStringLiteral("prepare failed")};
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
        sqlite3_finalize(stmt);
        return out;
    }
    int exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3 *m_db = nullptr;
};

const QString kGroupInsert = QStringLiteral(
    "INSERT INTO Groups ( EventName, CompetitionName, GroupName, StartOrder, Competitor1No, LastName1, "
    "FirstName1, Gender1, Year1, NOCCode1, IDFIG1, Competitor2No, LastName2, FirstName2, Gender2, Year2, "
    "NOCCode2, IDFIG2, GenderID, TypeID ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "? );");

QVariantList groupRow(const QString &group, int order, int no1, const QString &last1, const QString &first1,
                      int no2 = -1, const QString &last2 = {}, const QString &first2 = {})
{
    return {QStringLiteral("Worlds"),
            QStringLiteral("Seniors"),
            group,
            order,
            no1,
            last1,
            first1,
            QStringLiteral("Female"),
            1999,
            QStringLiteral("IRL"),
            QStringLiteral("F1"),
            no2,
            last2,
            first2,
            QStringLiteral("Male"),
            2001,
            QStringLiteral("GER"),
            QStringLiteral("F2"),
            3,
            2};
}

// Start lists as the dialogs leave them: definition rows with NULL in the
// columns they do not set.
void seedStartLists(wsdb &db)
{
    const QString event = QStringLiteral("INSERT INTO Events ( EventName, City, NOCCode, DateFrom, DateTo, "
                                         "CompetitionName ) VALUES ( ?, ?, ?, ?, ?, '__ws_def_event__' );");
    db.execute(event, {QStringLiteral("Worlds"), QStringLiteral("Baku"), QStringLiteral("AZE"), QString(),
                       QString()});
    db.execute(event, {QStringLiteral("Coupe d'Europe"), QStringLiteral("Besançon"), QStringLiteral("FRA"),
                       QString(), QString()});
    const QString competition =
        QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, "
                       "GenderID, TypeID ) VALUES ( ?, ?, '__ws_def_competition__', ?, ? );");
    db.execute(competition, {QStringLiteral("Worlds"), QStringLiteral("Seniors"), 3, 2});
    db.execute(competition, {QStringLiteral("Worlds"), QStringLiteral("Juniors"), 1, 1});
    db.execute(competition, {QStringLiteral("Coupe d'Europe"), QStringLiteral("Women's"), 2, 1});
    const QString group =
        QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, LastName1 ) "
                       "VALUES ( ?, ?, ?, '__ws_def_group__' );");
    db.execute(group, {QStringLiteral("Worlds"), QStringLiteral("Seniors"), QStringLiteral("Qualification")});
    db.execute(group, {QStringLiteral("Worlds"), QStringLiteral("Seniors"), QStringLiteral("Final")});
    db.execute(group, {QStringLiteral("Worlds"), QStringLiteral("Juniors"), QStringLiteral("Final")});
    db.execute(kGroupInsert,
               groupRow(QStringLiteral("Final"), 1, 17, QStringLiteral("O'Brien"), QStringLiteral("Siobhán"),
                        18, QStringLiteral("Müller"), QStringLiteral("Jürgen")));
    db.execute(
        QStringLiteral("INSERT INTO Athlets ( LastName, FirstName, Gender, Year ) VALUES ( ?, ?, ?, ? );"),
        {QStringLiteral("O'Brien"), QStringLiteral("Siobhán"), QStringLiteral("Female"), QVariant()});
}

// A measure of a few samples under the given name and athletes.
bool addMeasure(wsdb &db, wsDaten &store, const QString &name, const QString &last1, const QString &first1,
                const QString &last2 = {}, const QString &first2 = {},
                const QString &event = QStringLiteral("Worlds"),
                const QString &gender1 = QStringLiteral("Female"), int typeId = 1)
{
    store.measurementName = name;
    StartSelection &s = store.startSelection();
    s.eventName = event;
    s.city = QStringLiteral("Baku");
    s.competitionName = QStringLiteral("Seniors");
    s.typeId = typeId;
    s.athlete1 = {last1, first1, gender1, 1999, {}, QStringLiteral("IRL"), {}, {}, {}};
    s.athlete2 = {last2, first2, last2.isEmpty() ? QString() : QStringLiteral("Male"), 0, {}, {}, {}, {}, {}};
    const char samples[32] = {1, 2, 3, 4};
    return db.insertMeasure(QDateTime(QDate(2026, 5, 1), QTime(10, 0)), {}, {}, QStringLiteral("h\n"), 2,
                            samples, 32, QJsonDocument(), QByteArray());
}

int rows(const QString &path, const char *table)
{
    return RawDb(path).count(QByteArray("SELECT COUNT(*) FROM ").append(table).constData());
}

} // namespace

class TestWsdb : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void constructorCreatesTheDataDirectory()
    {
        const QString location = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir(location).removeRecursively();
        QTest::ignoreMessage(
            QtInfoMsg,
            qPrintable(QStringLiteral("Trying to create application directory to store log file: ") +
                       location));
        wsDaten store;
        wsdb db(store);
        QVERIFY(QDir(location).exists());
        QCOMPARE(db.defaultFile(), QDir(location).absoluteFilePath(QStringLiteral("ovraDb.db")));
        QVERIFY(!db.isOpen());
        // The directory is there now: no second attempt.
        wsdb again(store);
        QCOMPARE(again.defaultFile(), db.defaultFile());
    }

    void freshFileHasTheFiveEmptyTablesAndASecondOpenKeepsData()
    {
        wsDaten store;
        const QString path = file(QStringLiteral("fresh.db"));
        {
            wsdb db(store);
            QVERIFY(db.openDatabase(path));
            QVERIFY(db.isOpen());
            QVERIFY(db.createTables(QStringLiteral("main")));
            RawDb raw(path);
            QCOMPARE(raw.column("SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid;", 0),
                     QStringList({QStringLiteral("Athlets"), QStringLiteral("Groups"),
                                  QStringLiteral("Competitions"), QStringLiteral("Events"),
                                  QStringLiteral("Measures")}));
            for (const char *table : {"Athlets", "Groups", "Competitions", "Events", "Measures"})
                QCOMPARE(raw.count(QByteArray("SELECT COUNT(*) FROM ").append(table).constData()), 0);
            const QStringList athletColumns = raw.column("PRAGMA table_info(Athlets);", 1);
            QCOMPARE(athletColumns.size(), 16);
            QCOMPARE(athletColumns.first(), QStringLiteral("idx"));
            QCOMPARE(athletColumns.mid(13),
                     QStringList({QStringLiteral("Picture"), QStringLiteral("R4"), QStringLiteral("BLOB")}));
            QCOMPARE(raw.column("PRAGMA table_info(Groups);", 1).size(), 24);
            QCOMPARE(raw.column("PRAGMA table_info(Competitions);", 1).size(), 10);
            QCOMPARE(raw.column("PRAGMA table_info(Events);", 1).size(), 10);
            const QStringList measureColumns = raw.column("PRAGMA table_info(Measures);", 1);
            // The routine's columns, then the measure id.
            QCOMPARE(measureColumns.size(), 30);
            QCOMPARE(measureColumns.mid(28),
                     QStringList({QStringLiteral("Data"), QStringLiteral("MeasureUid")}));
            QVERIFY(db.execute(QStringLiteral("INSERT INTO Athlets ( LastName, FirstName ) VALUES ( ?, ? );"),
                               {QStringLiteral("O'Brien"), QStringLiteral("Siobhán")}));
        }
        wsdb db(store);
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.createTables(QStringLiteral("main")));
        RawDb raw(path);
        QCOMPARE(raw.row("SELECT LastName, FirstName FROM Athlets;"),
                 QStringList({QStringLiteral("O'Brien"), QStringLiteral("Siobhán")}));
        // Opening another file closes the first.
        QVERIFY(db.openDatabase(file(QStringLiteral("other.db"))));
        QCOMPARE(db.databasePath(), file(QStringLiteral("other.db")));
    }

    void openFailureLeavesTheObjectClosed()
    {
        wsDaten store;
        wsdb db(store);
        QVERIFY(db.openDatabase(file(QStringLiteral("a.db"))));
        const QString path = file(QStringLiteral("missing/folder/b.db"));
        QTest::ignoreMessage(QtInfoMsg, qPrintable(QStringLiteral("failed to open database file ") + path));
        QVERIFY(!db.openDatabase(path));
        QVERIFY(!db.isOpen());
    }

    // A routine of 30 s with quoted and non-ASCII names comes back whole.
    void measureRoundTrip()
    {
        wsDaten store;
        const QString path = file(QStringLiteral("measure.db"));
        wsdb db(store);
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.createTables(QStringLiteral("main")));

        store.measurementName = QStringLiteral("20261208_230000_0000");
        StartSelection &s = store.startSelection();
        s.eventName = QStringLiteral("Worlds");
        s.city = QStringLiteral("Saint-Étienne");
        s.nocCode = QStringLiteral("FRA");
        s.competitionName = QStringLiteral("Seniors");
        s.genderId = 3;
        s.typeId = 2;
        s.groupName = QStringLiteral("Final");
        s.athlete1 = {QStringLiteral("O'Brien"),
                      QStringLiteral("Siobhán"),
                      QStringLiteral("Female"),
                      1999,
                      {},
                      QStringLiteral("IRL"),
                      QStringLiteral("F1"),
                      {},
                      {}};
        s.athlete2 = {QStringLiteral("Müller"),
                      QStringLiteral("Jürgen \"Jay\""),
                      QStringLiteral("Male"),
                      2001,
                      {},
                      QStringLiteral("GER"),
                      QStringLiteral("F2"),
                      {},
                      {}};

        const int n = 30000;
        QByteArray samples(n * 16, Qt::Uninitialized);
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < 8; ++c)
                qToLittleEndian<qint16>(qint16((i * 7 + c * 1000) % 65536 - 32768),
                                        samples.data() + i * 16 + c * 2);
        const QString header = QStringLiteral("-0.002\t4.30\t1\n-0.069\tName\tMüller / O'Brien ☺\n");
        const QDateTime saveTime(QDate(2026, 12, 8), QTime(23, 0, 5));
        QVERIFY(db.insertMeasure(saveTime, {}, {}, header, int(header.toUtf8().size()), samples.constData(),
                                 int(samples.size()), QJsonDocument(), QByteArray()));

        RawDb raw(path);
        QCOMPARE(
            raw.row("SELECT Name, EventCity, CompGenderID, CompTypeID, LastName1, Year1, LastName2, "
                    "FirstName2, Year2, Date, Time, Comment1, length(Data), length(Header), length(PDF), "
                    "typeof(PDF) FROM Measures;"),
            QStringList({store.measurementName, s.city, QStringLiteral("3"), QStringLiteral("2"),
                         QStringLiteral("O'Brien"), QStringLiteral("1999"), QStringLiteral("Müller"),
                         QStringLiteral("Jürgen \"Jay\""), QStringLiteral("2001"),
                         QStringLiteral("2026/12/08"), QStringLiteral("23:00:05"), QString(),
                         QStringLiteral("480000"), QString::number(header.toUtf8().size()),
                         QStringLiteral("0"), QStringLiteral("blob")}));

        QStringList fields(QStringLiteral("kept"));
        QString readHeader;
        std::vector<wsDaten::Sample> read;
        QVERIFY(db.readMeasure(store.measurementName, fields, readHeader, read));
        QCOMPARE(fields,
                 QStringList({QStringLiteral("kept"), s.eventName, s.city, s.competitionName, s.groupName,
                              QStringLiteral("O'Brien"), QStringLiteral("Siobhán"), QStringLiteral("Müller"),
                              QStringLiteral("Jürgen \"Jay\""), QStringLiteral("2026/12/08"),
                              QStringLiteral("23:00:05"), QString(), QString()}));
        QCOMPARE(readHeader, header);
        QCOMPARE(int(read.size()), n);
        for (int i : {0, 1, 12345, n - 1})
            for (int c = 0; c < 8; ++c)
                QCOMPARE(read[std::size_t(i)][std::size_t(c)],
                         qFromLittleEndian<qint16>(samples.constData() + i * 16 + c * 2));

        // Athlete 1 may be either athlete of the measure.
        QStringList names;
        db.listMeasureNames(names);
        QCOMPARE(names, QStringList(store.measurementName));
        s.athlete1.lastName = QStringLiteral("Müller");
        s.athlete1.firstName = QStringLiteral("Jürgen \"Jay\"");
        names.clear();
        db.listMeasureNames(names);
        QCOMPARE(names, QStringList(store.measurementName));
        s.groupName = QStringLiteral("Qualification");
        names.clear();
        db.listMeasureNames(names);
        QVERIFY(names.isEmpty());

        // An unknown name clears the header and leaves the rest alone.
        QVERIFY(!db.readMeasure(QStringLiteral("x' OR '1'='1"), fields, readHeader, read));
        QVERIFY(readHeader.isEmpty());
        QCOMPARE(fields.size(), 13);
        QCOMPARE(int(read.size()), n);
    }

    void startListInStartOrderWithoutTheDefinitionRow()
    {
        wsDaten store;
        wsdb db(store);
        QVERIFY(db.openDatabase(file(QStringLiteral("groups.db"))));
        QVERIFY(db.createTables(QStringLiteral("main")));
        const QString finalGroup = QStringLiteral("Final");
        QVERIFY(
            db.execute(kGroupInsert, groupRow(finalGroup, 0, -1, QStringLiteral("__ws_def_group__"), {})));
        QVERIFY(db.execute(kGroupInsert,
                           groupRow(QStringLiteral("Empty"), 0, -1, QStringLiteral("__ws_def_group__"), {})));
        QVERIFY(db.execute(kGroupInsert,
                           groupRow(finalGroup, 3, 17, QStringLiteral("O'Brien"), QStringLiteral("Siobhán"),
                                    18, QStringLiteral("Müller"), QStringLiteral("Jürgen"))));
        QVERIFY(db.execute(kGroupInsert, groupRow(finalGroup, 1, -1, QStringLiteral("Ng"), {})));
        QVERIFY(db.execute(kGroupInsert,
                           groupRow(finalGroup, 2, 0, QStringLiteral("Dubois"), QStringLiteral("Léa"))));
        QVERIFY(
            db.execute(kGroupInsert, groupRow(QStringLiteral("Other"), 1, 5, QStringLiteral("Smith"), {})));

        StartSelection &s = store.startSelection();
        s.eventName = QStringLiteral("Worlds");
        s.competitionName = QStringLiteral("Seniors");
        s.groupName = finalGroup;
        QStringList lines;
        db.listGroupEntries(lines);
        QCOMPARE(lines, QStringList({QStringLiteral("1: Ng"), QStringLiteral("2: Dubois, Léa 0"),
                                     QStringLiteral("3: O'Brien, Siobhán 17 / Müller, Jürgen 18")}));

        s.groupName = QStringLiteral("Empty");
        lines.clear();
        db.listGroupEntries(lines);
        QVERIFY(lines.isEmpty());

        s.groupName = finalGroup;
        db.selectStartEntry(3);
        QCOMPARE(s.startOrder, 3);
        QCOMPARE(s.competitor1No, 17);
        QCOMPARE(s.competitor2No, 18);
        QCOMPARE(s.athlete1.lastName, QStringLiteral("O'Brien"));
        QCOMPARE(s.athlete1.firstName, QStringLiteral("Siobhán"));
        QCOMPARE(s.athlete1.gender, QStringLiteral("Female"));
        QCOMPARE(s.athlete1.year, 1999);
        QCOMPARE(s.athlete1.nocCode, QStringLiteral("IRL"));
        QCOMPARE(s.athlete1.idFig, QStringLiteral("F1"));
        QCOMPARE(s.athlete2.lastName, QStringLiteral("Müller"));
        QCOMPARE(s.athlete2.year, 2001);
        QCOMPARE(s.athlete2.idFig, QStringLiteral("F2"));
        QCOMPARE(s.genderId, 3);
        QCOMPARE(s.typeId, 2);
        // The definition row is no start entry; a missing entry changes nothing.
        db.selectStartEntry(0);
        db.selectStartEntry(9);
        QCOMPARE(s.startOrder, 3);
        QCOMPARE(s.athlete1.lastName, QStringLiteral("O'Brien"));
    }

    void eventAndCompetitionFromTheirDefinitionRows()
    {
        wsDaten store;
        wsdb db(store);
        QVERIFY(db.openDatabase(file(QStringLiteral("events.db"))));
        QVERIFY(db.createTables(QStringLiteral("main")));
        QVERIFY(
            db.execute(QStringLiteral("INSERT INTO Events ( EventName, City, NOCCode, DateFrom, DateTo, "
                                      "CompetitionName ) VALUES ( ?, ?, ?, ?, ?, '__ws_def_event__' );"),
                       {QStringLiteral("Coupe d'Europe"), QStringLiteral("Besançon"), QStringLiteral("FRA"),
                        QStringLiteral("2026/05/01"), QStringLiteral("2026/05/03")}));
        QVERIFY(db.execute(
            QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, GenderID, "
                           "TypeID ) VALUES ( ?, ?, '__ws_def_competition__', ?, ? );"),
            {QStringLiteral("Coupe d'Europe"), QStringLiteral("Women's"), 2, 1}));

        StartSelection &s = store.startSelection();
        db.readEvent(QStringLiteral("Coupe d'Europe"));
        QCOMPARE(s.eventName, QStringLiteral("Coupe d'Europe"));
        QCOMPARE(s.city, QStringLiteral("Besançon"));
        QCOMPARE(s.nocCode, QStringLiteral("FRA"));
        QCOMPARE(s.dateFrom, QStringLiteral("2026/05/01"));
        QCOMPARE(s.dateTo, QStringLiteral("2026/05/03"));
        db.readCompetition(QStringLiteral("Women's"));
        QCOMPARE(s.competitionName, QStringLiteral("Women's"));
        QCOMPARE(s.genderId, 2);
        QCOMPARE(s.typeId, 1);

        // Of another event the competition does not exist.
        s.groupName = QStringLiteral("kept");
        s.eventName = QStringLiteral("Elsewhere");
        db.readCompetition(QStringLiteral("Women's"));
        QVERIFY(s.competitionName.isEmpty());
        QCOMPARE(s.genderId, 0);
        QCOMPARE(s.typeId, 0);

        db.readEvent(QStringLiteral("Coupe d'Europe"));
        db.readEvent(QStringLiteral("Unknown"));
        QVERIFY(s.eventName.isEmpty());
        QVERIFY(s.city.isEmpty());
        QVERIFY(s.nocCode.isEmpty());
        QVERIFY(s.dateFrom.isEmpty());
        QVERIFY(s.dateTo.isEmpty());
        QCOMPARE(s.groupName, QStringLiteral("kept"));
    }

    void withoutADatabaseEverythingIsQuiet()
    {
        wsDaten store;
        wsdb db(store);
        StartSelection &s = store.startSelection();
        s.eventName = QStringLiteral("Worlds");
        s.competitionName = QStringLiteral("Seniors");
        QVERIFY(!db.createTables(QStringLiteral("main")));
        QVERIFY(!db.execute(QStringLiteral("SELECT 1;")));
        QStringList out;
        db.listGroupEntries(out);
        db.listMeasureNames(out);
        QVERIFY(out.isEmpty());
        db.readEvent(QStringLiteral("x"));
        db.readCompetition(QStringLiteral("x"));
        db.selectStartEntry(1);
        QCOMPARE(s.eventName, QStringLiteral("Worlds"));
        QCOMPARE(s.competitionName, QStringLiteral("Seniors"));
        QString header = QStringLiteral("old");
        std::vector<wsDaten::Sample> samples;
        QVERIFY(!db.readMeasure(QStringLiteral("x"), out, header, samples));
        QVERIFY(out.isEmpty() && samples.empty());

        const char sample[16] = {};
        QTest::ignoreMessage(
            QtWarningMsg, "Could not save measured data to database, because database could not be opened.");
        QVERIFY(!db.insertMeasure(QDateTime::currentDateTime(), {}, {}, QStringLiteral("h"), 1, sample, 16,
                                  QJsonDocument(), QByteArray()));
        db.closeDatabase();
        QVERIFY(!db.isOpen());
    }

    // A measure the file does not take (another program holds it locked)
    // is reported as not stored, and goes in before the next one.
    void insertReportsAFailedWrite()
    {
        wsDaten store;
        store.measurementName = QStringLiteral("locked");
        const QString path = file(QStringLiteral("locked.db"));
        wsdb db(store);
        db.setBusyTimeout(100);
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.createTables(QStringLiteral("main")));
        RawDb other(path);
        QCOMPARE(other.exec("BEGIN EXCLUSIVE;"), SQLITE_OK);
        const char sample[16] = {1, 2, 3};
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The measure was not stored")));
        QVERIFY(!db.insertMeasure(QDateTime::currentDateTime(), {}, {}, QStringLiteral("h"), 1, sample, 16,
                                  QJsonDocument(), QByteArray()));
        QCOMPARE(other.exec("COMMIT;"), SQLITE_OK);
        QCOMPARE(other.count("SELECT COUNT(*) FROM Measures;"), 0);
        store.measurementName = QStringLiteral("next");
        QVERIFY(db.insertMeasure(QDateTime::currentDateTime(), {}, {}, QStringLiteral("h"), 1, sample, 16,
                                 QJsonDocument(), QByteArray()));
        QCOMPARE(other.column("SELECT Name FROM Measures ORDER BY idx;", 0),
                 QStringList({QStringLiteral("locked"), QStringLiteral("next")}));
        QCOMPARE(db.pendingMeasures(), 0);
    }

    void statementsThatDoNotPrepareAreReported()
    {
        wsDaten store;
        wsdb db(store);
        QVERIFY(db.openDatabase(file(QStringLiteral("bad.db"))));
        QVERIFY(db.createTables(QStringLiteral("main")));
        // A value pasted into the text with its quote breaks the statement.
        QVERIFY(!db.execute(QStringLiteral("INSERT INTO Athlets ( LastName ) VALUES ( 'O'Brien' );")));
        QVERIFY(!db.createTables(QStringLiteral("noSuchSchema")));
    }

    void namesForTheStartListChoice()
    {
        wsDaten store;
        wsdb db(store);
        QVERIFY(db.openDatabase(file(QStringLiteral("names.db"))));
        QVERIFY(db.createTables(QStringLiteral("main")));
        seedStartLists(db);
        QCOMPARE(db.eventNames(), QStringList({QStringLiteral("Worlds"), QStringLiteral("Coupe d'Europe")}));
        QCOMPARE(db.competitionNames(QStringLiteral("Worlds")),
                 QStringList({QStringLiteral("Seniors"), QStringLiteral("Juniors")}));
        QCOMPARE(db.competitionNames(QStringLiteral("Coupe d'Europe")),
                 QStringList(QStringLiteral("Women's")));
        QCOMPARE(db.groupNames(QStringLiteral("Worlds"), QStringLiteral("Seniors")),
                 QStringList({QStringLiteral("Final"), QStringLiteral("Qualification")}));
        QCOMPARE(db.groupNames(QStringLiteral("Worlds"), QStringLiteral("Juniors")),
                 QStringList(QStringLiteral("Final")));
        QVERIFY(db.groupNames(QStringLiteral("Coupe d'Europe"), QStringLiteral("Seniors")).isEmpty());
        // Numbered groups in the order of their numbers.
        for (const char *group : {"Group 10", "Group 2", "group 1", "Group 02b", "Group 2a"})
            db.execute(
                QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, LastName1 ) "
                               "VALUES ( 'Worlds', 'Juniors', ?, '__ws_def_group__' );"),
                {QString::fromLatin1(group)});
        QCOMPARE(db.groupNames(QStringLiteral("Worlds"), QStringLiteral("Juniors")),
                 QStringList({"Final", "group 1", "Group 2", "Group 2a", "Group 02b", "Group 10"}));
        const QList<QVariantMap> athletes =
            db.select(QStringLiteral("SELECT idx, LastName, Year FROM Athlets;"));
        QCOMPARE(athletes.size(), 1);
        QCOMPARE(athletes[0].value(QStringLiteral("LastName")).toString(), QStringLiteral("O'Brien"));
        QVERIFY(!athletes[0].value(QStringLiteral("Year")).isValid());
        // A transaction whose work fails leaves nothing behind.
        QVERIFY(!db.transaction([&db] {
            db.execute(QStringLiteral("DELETE FROM Athlets;"));
            return false;
        }));
        QCOMPARE(db.select(QStringLiteral("SELECT idx FROM Athlets;")).size(), 1);
    }

    // Merging never duplicates: not the rows of the file itself, not a copy
    // of it (whose definition rows hold NULLs), and a new measure only once.
    void mergeAddsOnlyWhatIsNew()
    {
        wsDaten store;
        const QString path = file(QStringLiteral("merge-a.db"));
        const QString copy = file(QStringLiteral("merge-b.db"));
        wsdb db(store);
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.createTables(QStringLiteral("main")));
        seedStartLists(db);
        QVERIFY(addMeasure(db, store, QStringLiteral("m1"), QStringLiteral("O'Brien"),
                           QStringLiteral("Siobhán")));
        QVERIFY(
            addMeasure(db, store, QStringLiteral("m2"), QStringLiteral("Müller"), QStringLiteral("Jürgen")));
        QVERIFY(db.copyToNewDatabase(copy, wsdb::CopyAll));
        const std::array<int, 5> before = {rows(path, "Athlets"), rows(path, "Events"),
                                           rows(path, "Competitions"), rows(path, "Groups"),
                                           rows(path, "Measures")};

        using Counts = wsdb::MergeCounts;
        const auto counts = [](const wsdb::MergeResult &r) {
            return std::vector<Counts>(r.tables.cbegin(), r.tables.cend());
        };
        wsdb::MergeResult result = db.mergeFromDatabase(path);
        QVERIFY(result.ok);
        QCOMPARE(counts(result), std::vector<Counts>(5));
        // A copy: 1 athlete, 2 events, 3 competitions, 3 group definitions
        // and 1 start entry, 2 measures, all identical.
        result = db.mergeFromDatabase(copy);
        QVERIFY(result.ok);
        QCOMPARE(counts(result),
                 (std::vector<Counts>{{0, 1, 0}, {0, 2, 0}, {0, 3, 0}, {0, 4, 0}, {0, 2, 0}}));

        {
            wsDaten otherStore;
            wsdb other(otherStore);
            QVERIFY(other.openDatabase(copy));
            QVERIFY(addMeasure(other, otherStore, QStringLiteral("m3"), QStringLiteral("Ng"), {}));
            // Another workstation saved in the same second as m1: another
            // routine, which must not be lost.
            QVERIFY(addMeasure(other, otherStore, QStringLiteral("m1"), QStringLiteral("Impostor"), {}));
            other.execute(QStringLiteral("INSERT INTO Athlets ( LastName ) VALUES ( 'Ng' );"));
            // The same routine and the same athlete, edited there: both
            // versions are kept and counted as conflicting.
            other.execute(QStringLiteral("UPDATE Measures SET Comment1='checked' WHERE Name='m2';"));
            other.execute(
                QStringLiteral("UPDATE Athlets SET Email='siobhan@example.org' WHERE LastName='O''Brien';"));
        }
        result = db.mergeFromDatabase(copy);
        QVERIFY(result.ok);
        QCOMPARE(counts(result),
                 (std::vector<Counts>{{1, 0, 1}, {0, 2, 0}, {0, 3, 0}, {0, 4, 0}, {2, 1, 1}}));
        QCOMPARE(rows(path, "Measures"), before[4] + 3);
        QCOMPARE(RawDb(path).column("SELECT LastName1 FROM Measures WHERE Name='m1' ORDER BY idx;", 0),
                 QStringList({QStringLiteral("O'Brien"), QStringLiteral("Impostor")}));
        QCOMPARE(
            RawDb(path).column("SELECT ifnull(Comment1, '-') FROM Measures WHERE Name='m2' ORDER BY idx;", 0),
            QStringList({QString(), QStringLiteral("checked")}));
        QCOMPARE(wsdb::mergeReport(result).last(),
                 QStringLiteral("Measures: 2 added, 1 skipped as identical, 1 kept as conflicting"));
        result = db.mergeFromDatabase(copy);
        QCOMPARE(counts(result),
                 (std::vector<Counts>{{0, 2, 0}, {0, 2, 0}, {0, 3, 0}, {0, 4, 0}, {0, 4, 0}}));

        // A file of an older version (Measures without the id column) is
        // only read: its m1 is known by its content.
        const QString old = file(QStringLiteral("merge-old.db"));
        {
            wsDaten oldStore;
            wsdb oldDb(oldStore);
            QVERIFY(oldDb.openDatabase(old));
            QVERIFY(oldDb.createTables(QStringLiteral("main")));
            QVERIFY(addMeasure(oldDb, oldStore, QStringLiteral("m1"), QStringLiteral("O'Brien"),
                               QStringLiteral("Siobhán")));
        }
        {
            RawDb raw(old);
            QCOMPARE(raw.exec("DROP INDEX MeasuresByUid; ALTER TABLE Measures DROP COLUMN MeasureUid;"),
                     SQLITE_OK);
        }
        result = db.mergeFromDatabase(old);
        QVERIFY(result.ok);
        QCOMPARE(result.tables[4], (Counts{0, 1, 0}));
        QCOMPARE(
            RawDb(old).row("SELECT COUNT(*) FROM pragma_table_info('Measures') WHERE name='MeasureUid';"),
            QStringList(QStringLiteral("0")));

        // A source that fails half-way adds nothing at all.
        const QString broken = file(QStringLiteral("merge-broken.db"));
        {
            RawDb raw(broken);
            raw.exec(
                "CREATE TABLE Athlets(idx INTEGER PRIMARY KEY, LastName TEXT, FirstName TEXT, Gender TEXT, "
                "Year INTEGER, NOC TEXT, NOCCode TEXT, IDFIG TEXT, IDNational TEXT, Email TEXT, R1, R2, R3, "
                "Picture, R4, BLOB);");
            raw.exec("INSERT INTO Athlets ( LastName ) VALUES ( 'Newcomer' );");
            for (const char *sql : {"CREATE TABLE Events(idx INTEGER PRIMARY KEY, EventName);",
                                    "CREATE TABLE Competitions(idx INTEGER PRIMARY KEY, EventName);",
                                    "CREATE TABLE Groups(idx INTEGER PRIMARY KEY, EventName);",
                                    "CREATE TABLE Measures(idx INTEGER PRIMARY KEY, Name);"})
                raw.exec(sql);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not be merged")));
        result = db.mergeFromDatabase(broken);
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains(QStringLiteral("nothing was added")));
        QCOMPARE(rows(path, "Athlets"), before[0] + 2);

        // Not a database at all.
        const QString text = file(QStringLiteral("notes.db"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Name;Club\nMiller;TV\n");
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Not an Ovra database")));
        QVERIFY(!db.mergeFromDatabase(text).ok);
        QVERIFY(db.isOpen());
    }

    // Another program holding the file: a reader never stops a save, a
    // writer's lock is waited for, and a save that still fails waits in
    // memory and is stored by the retry once the lock is gone. A copy of the
    // file alone (without its log) holds every routine once it is closed.
    void savesSurviveOtherConnections()
    {
        wsDaten store;
        const QString path = file(QStringLiteral("busy.db"));
        auto db = std::make_unique<wsdb>(store);
        QVERIFY(db->openDatabase(path));
        QVERIFY(db->createTables(QStringLiteral("main")));
        QSignalSpy waiting(db.get(), &wsdb::pendingMeasuresChanged);
        RawDb other(path);
        QCOMPARE(other.row("PRAGMA journal_mode;"), QStringList(QStringLiteral("wal")));

        // A reader in the middle of a transaction (a viewer, a backup).
        QCOMPARE(other.exec("BEGIN; SELECT COUNT(*) FROM Measures;"), SQLITE_OK);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(addMeasure(*db, store, QStringLiteral("read"), QStringLiteral("Ng"), {}));
        QVERIFY(timer.elapsed() < wsdb::kBusyTimeoutMs);
        // Its snapshot is unchanged until it ends.
        QCOMPARE(other.count("SELECT COUNT(*) FROM Measures;"), 0);
        QCOMPARE(other.exec("COMMIT;"), SQLITE_OK);
        QCOMPARE(other.count("SELECT COUNT(*) FROM Measures;"), 1);

        // A writer holding its lock past the wait.
        db->setBusyTimeout(300);
        QCOMPARE(other.exec("BEGIN IMMEDIATE; INSERT INTO Athlets ( LastName ) VALUES ( 'Writer' );"),
                 SQLITE_OK);
        timer.restart();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not stored in the database")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The measure locked waits")));
        QVERIFY(!addMeasure(*db, store, QStringLiteral("locked"), QStringLiteral("Müller"),
                            QStringLiteral("Jürgen")));
        QVERIFY(timer.elapsed() >= 250);
        QCOMPARE(db->pendingMeasures(), 1);
        QCOMPARE(waiting.size(), 1);
        QCOMPARE(waiting.last().at(0).toInt(), 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not stored in the database")));
        QVERIFY(!db->retryPendingMeasures());
        QCOMPARE(other.exec("COMMIT;"), SQLITE_OK);
        // The retry runs by itself.
        db->setRetryInterval(50);
        QTRY_COMPARE(db->pendingMeasures(), 0);
        QCOMPARE(waiting.last().at(0).toInt(), 0);
        QCOMPARE(other.column(
                     "SELECT Name || ' ' || LastName1 || ' ' || FirstName1 FROM Measures ORDER BY idx;", 0),
                 QStringList({QStringLiteral("read Ng "), QStringLiteral("locked Müller Jürgen")}));
        QCOMPARE(other.count("SELECT COUNT(*) FROM Athlets;"), 1);

        // Closed while another program still has the file open (idle).
        db.reset();
        const QString copy = file(QStringLiteral("busy-copy.db"));
        QVERIFY(QFile::copy(path, copy));
        QCOMPARE(RawDb(copy).count("SELECT COUNT(*) FROM Measures;"), 2);
        QCOMPARE(RawDb(copy).count("SELECT COUNT(*) FROM Athlets;"), 1);
    }

    // The measure id is the content: recomputed here from its definition
    // (SHA-256 of the length-prefixed UTF-8 texts and the samples), it
    // matches what a save stores and what opening an older file adds.
    void measureIdIsTheContent()
    {
        const auto expected = [](const QStringList &texts, const QByteArray &samples) {
            QByteArray bytes;
            for (const QString &t : texts) {
                const QByteArray utf8 = t.toUtf8();
                const quint32 n = quint32(utf8.size());
                bytes += char(n & 0xff);
                bytes += char((n >> 8) & 0xff);
                bytes += char((n >> 16) & 0xff);
                bytes += char((n >> 24) & 0xff);
                bytes += utf8;
            }
            return QString::fromLatin1(
                QCryptographicHash::hash(bytes + samples, QCryptographicHash::Sha256).toHex());
        };
        wsDaten store;
        const QString path = file(QStringLiteral("ids.db"));
        {
            wsdb db(store);
            QVERIFY(db.openDatabase(path));
            QVERIFY(db.createTables(QStringLiteral("main")));
            QVERIFY(addMeasure(db, store, QStringLiteral("a"), QStringLiteral("O'Brien"),
                               QStringLiteral("Siobhán"), QStringLiteral("Müller"),
                               QStringLiteral("Jürgen")));
            QVERIFY(addMeasure(db, store, QStringLiteral("b"), QStringLiteral("Ng"), {}));
        }
        const QByteArray samples = QByteArray("\x01\x02\x03\x04", 4) + QByteArray(28, '\0');
        const QString a =
            expected({QStringLiteral("O'Brien"), QStringLiteral("Siobhán"), QStringLiteral("Müller"),
                      QStringLiteral("Jürgen"), QStringLiteral("2026/05/01"), QStringLiteral("10:00:00")},
                     samples);
        const QString b = expected(
            {QStringLiteral("Ng"), {}, {}, {}, QStringLiteral("2026/05/01"), QStringLiteral("10:00:00")},
            samples);
        QCOMPARE(RawDb(path).column("SELECT MeasureUid FROM Measures ORDER BY idx;", 0), QStringList({a, b}));

        // As an older version leaves the file: no id column. Opening adds it
        // and fills it; the rows are otherwise untouched.
        {
            RawDb raw(path);
            QCOMPARE(raw.exec("DROP INDEX MeasuresByUid; ALTER TABLE Measures DROP COLUMN MeasureUid;"),
                     SQLITE_OK);
        }
        QCOMPARE(wsdb::checkFile(path).measuresWithoutId, 2);
        {
            wsdb db(store);
            QVERIFY(db.openDatabase(path));
        }
        QCOMPARE(RawDb(path).column("SELECT MeasureUid FROM Measures ORDER BY idx;", 0), QStringList({a, b}));
        const wsdb::FileCheck check = wsdb::checkFile(path);
        QVERIFY(check.ok());
        QCOMPARE(check.measuresWithoutId, 0);
        QCOMPARE(check.rows[4], 2);
    }

    void copiesAreAllOrNothingAndNeverOntoTheOpenFile()
    {
        wsDaten store;
        const QString path = file(QStringLiteral("copy-a.db"));
        wsdb db(store);
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.createTables(QStringLiteral("main")));
        seedStartLists(db);
        QVERIFY(addMeasure(db, store, QStringLiteral("m1"), QStringLiteral("Ng"), {}));

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("cannot be copied onto itself")));
        QVERIFY(!db.copyToDatabase(path, wsdb::CopyAll));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("cannot be copied onto itself")));
        QVERIFY(!db.copyToNewDatabase(path, wsdb::CopyAll));
        QCOMPARE(rows(path, "Measures"), 1);

        // Save as: all five tables with their idx values.
        const QString saved = file(QStringLiteral("copy-b.db"));
        QVERIFY(db.copyToNewDatabase(saved, wsdb::CopyAll));
        for (const char *table : {"Athlets", "Events", "Competitions", "Groups", "Measures"}) {
            const QByteArray sql = QByteArray("SELECT group_concat(idx) FROM ").append(table);
            QCOMPARE(RawDb(saved).row(sql.constData()), RawDb(path).row(sql.constData()));
        }
        QVERIFY(!QFile::exists(saved + QStringLiteral(".partial")));

        // Create with only some tables, over an existing file: replaced whole.
        QVERIFY(db.copyToNewDatabase(saved, wsdb::CopyEvents | wsdb::CopyMeasures));
        QCOMPARE(rows(saved, "Events"), 2);
        QCOMPARE(rows(saved, "Measures"), 1);
        QCOMPARE(rows(saved, "Athlets"), 0);
        QVERIFY(wsdb::isOvraDatabase(saved));
        const QString empty = file(QStringLiteral("copy-empty.db"));
        QVERIFY(db.copyToNewDatabase(empty, 0));
        QVERIFY(wsdb::isOvraDatabase(empty));
        QCOMPARE(rows(empty, "Events"), 0);

        // Copying into a file that holds the same idx values fails as a
        // whole: not even the tables before the clash are written.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not be copied")));
        QVERIFY(!db.copyToDatabase(saved, wsdb::CopyAthlets | wsdb::CopyMeasures));
        QCOMPARE(rows(saved, "Athlets"), 0);
        QCOMPARE(rows(saved, "Measures"), 1);
        QCOMPARE(db.databasePath(), path);
    }

    void switchingRefusesFilesThatAreNoOvraDatabase()
    {
        wsDaten store;
        const QString path = file(QStringLiteral("switch-a.db"));
        wsdb db(store);
        QVERIFY(db.openDatabase(path));
        QVERIFY(db.createTables(QStringLiteral("main")));
        const QString text = file(QStringLiteral("switch.txt"));
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a database");
        }
        const QString bare = file(QStringLiteral("switch-bare.db"));
        RawDb(bare).exec("CREATE TABLE Athlets(idx INTEGER PRIMARY KEY);");
        for (const QString &other : {text, bare, file(QStringLiteral("switch-missing.db"))}) {
            QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Not an Ovra database: ") + other));
            QVERIFY(!db.switchDatabase(other));
            QVERIFY(db.isOpen());
            QCOMPARE(db.databasePath(), path);
        }
        QVERIFY(!QFile::exists(file(QStringLiteral("switch-missing.db"))));
        const QString good = file(QStringLiteral("switch-b.db"));
        QVERIFY(db.copyToNewDatabase(good, 0));
        QVERIFY(db.switchDatabase(good));
        QCOMPARE(db.databasePath(), good);
    }

    // The browser's text filters match anywhere and take "%" and "_" as the
    // characters the operator typed.
    void browserFiltersMatchLiterally()
    {
        wsDaten store;
        wsdb db(store);
        QVERIFY(db.openDatabase(file(QStringLiteral("browse.db"))));
        QVERIFY(db.createTables(QStringLiteral("main")));
        QVERIFY(addMeasure(db, store, QStringLiteral("m1"), QStringLiteral("Ann_Lee"), QStringLiteral("Jo")));
        QVERIFY(addMeasure(db, store, QStringLiteral("m2"), QStringLiteral("AnnXLee"), {},
                           QStringLiteral("Ng"), QStringLiteral("Li"), QStringLiteral("Cup 50%"),
                           QStringLiteral("Male"), 2));
        QVERIFY(addMeasure(db, store, QStringLiteral("m3"), {}, {}, QStringLiteral("Dubois"),
                           QStringLiteral("Léa"), QStringLiteral("Cup 500")));
        const auto names = [&db](const wsdb::MeasureFilter &f) {
            QStringList out;
            for (const wsdb::MeasureListEntry &e : db.listMeasures(f))
                out << e.measureName;
            return out;
        };
        const QList<wsdb::MeasureListEntry> all = db.listMeasures({});
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[0].athletes, QStringLiteral("Ann_Lee, Jo"));
        QCOMPARE(all[1].athletes, QStringLiteral("AnnXLee + Ng, Li"));
        QCOMPARE(all[2].athletes, QStringLiteral("Dubois, Léa"));
        QCOMPARE(all[1].event, QStringLiteral("Cup 50%"));
        QCOMPARE(all[0].date, QStringLiteral("2026/05/01"));
        QCOMPARE(all[0].city, QStringLiteral("Baku"));
        QVERIFY(all[0].idx < all[1].idx && all[1].idx < all[2].idx);

        wsdb::MeasureFilter f;
        f.name = QStringLiteral("n_L");
        QCOMPARE(names(f), QStringList(QStringLiteral("m1")));
        f.name = QStringLiteral("léa");
        QCOMPARE(names(f), QStringList(QStringLiteral("m3")));
        f = {};
        f.event = QStringLiteral("50%");
        QCOMPARE(names(f), QStringList(QStringLiteral("m2")));
        f.event = QStringLiteral("cup");
        QCOMPARE(names(f), QStringList({QStringLiteral("m2"), QStringLiteral("m3")}));
        f = {};
        f.gender = QStringLiteral("Male");
        QCOMPARE(names(f), QStringList({QStringLiteral("m2"), QStringLiteral("m3")}));
        f.typeId = 2;
        QCOMPARE(names(f), QStringList(QStringLiteral("m2")));
        f = {};
        f.nocCode = QStringLiteral("IRL");
        f.date = QStringLiteral("2026/05");
        QCOMPARE(names(f).size(), 3);
        f.city = QStringLiteral("x");
        QVERIFY(names(f).isEmpty());
    }

    void sanitizeForSqlReplacesQuotes()
    {
        QString value = QStringLiteral("O'Brien \"Jay\" Müller");
        wsdb::sanitizeForSql(value);
        QCOMPARE(value, QStringLiteral("O Brien  Jay  Müller"));
    }
};

OVRA_TEST_CORE_MAIN(TestWsdb)
#include "tst_wsdb.moc"
