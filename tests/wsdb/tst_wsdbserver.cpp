// The competition database on a real PostgreSQL server of the test's own:
// the same answers as a file, workstations committing at the same time, a
// server that goes away and comes back, live changes between workstations,
// merges both ways and the organiser's tool.

#include "data/wsDaten.h"
#include "db/PostgresConnection.h"
#include "db/Schema.h"
#include "db/SqliteConnection.h"
#include "support/PgTestCluster.h"
#include "support/TestSupport.h"
#include "wsdb.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <latch>
#include <memory>

using ovra::db::PostgresConnection;
using ovra::db::SqliteConnection;
using ovra::test::PgTestCluster;

namespace {

// A row or a value as text, NULL and bytes told apart from text.
QString shown(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::QByteArray)
        return QStringLiteral("x'%1'").arg(QString::fromLatin1(v.toByteArray().toHex()));
    return v.toString();
}

// Rows without their idx: a file may give a deleted last row's idx to the
// next one, a server never does; everything else must agree.
QString shown(const QList<QVariantMap> &rows)
{
    QStringList out;
    for (const QVariantMap &row : rows) {
        QStringList cells;
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            if (it.key() != QLatin1String("idx"))
                cells << it.key() + QLatin1Char('=') + shown(it.value());
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out.join(QStringLiteral(" / "));
}

QString shown(const StartSelection &s)
{
    const auto athlete = [](const StartSelectionAthlete &a) {
        return QStringList{a.lastName, a.firstName, a.gender, QString::number(a.year), a.nocCode, a.idFig}
            .join(QLatin1Char(','));
    };
    return QStringList{s.eventName,
                       s.city,
                       s.nocCode,
                       s.dateFrom,
                       s.dateTo,
                       s.competitionName,
                       QString::number(s.genderId),
                       QString::number(s.typeId),
                       s.groupName,
                       QString::number(s.startOrder),
                       QString::number(s.competitor1No),
                       QString::number(s.competitor2No),
                       athlete(s.athlete1),
                       athlete(s.athlete2)}
        .join(QLatin1Char(';'));
}

template <typename T> const T &pick(QRandomGenerator &rng, const QList<T> &from)
{
    return from.at(qsizetype(rng.bounded(quint32(from.size()))));
}

// A seeded sequence of what the window, the dialogs and the browser do to a
// database, with every answer as text. Names repeat on purpose (quotes,
// umlauts in both cases, LIKE's "%" and "_"), years are sometimes NULL, and
// rows are deleted and renamed in between.
class Script
{
public:
    explicit Script(quint32 seed)
        : m_rng(seed)
    {}

    QStringList run(wsdb &db, wsDaten &store, int steps)
    {
        QStringList answers;
        for (int step = 0; step < steps; ++step)
            answers << QStringLiteral("%1 %2").arg(step).arg(one(db, store, step));
        return answers;
    }

private:
    QString name(const QStringList &pool) { return pick(m_rng, pool); }
    int number(int low, int high) { return low + int(m_rng.bounded(quint32(high - low + 1))); }
    QVariant year() { return m_rng.bounded(4u) == 0 ? QVariant() : QVariant(number(1990, 2010)); }

    QString one(wsdb &db, wsDaten &store, int step)
    {
        static const QStringList events = {QStringLiteral("Worlds"),         QStringLiteral("worlds"),
                                           QStringLiteral("Coupe d'Europe"), QStringLiteral("50% Cup"),
                                           QStringLiteral("Under_18"),       QStringLiteral("Müller Open")};
        static const QStringList competitions = {QStringLiteral("Seniors"), QStringLiteral("Juniors"),
                                                 QStringLiteral("Women's"), QStringLiteral("Pairs")};
        static const QStringList groups = {QStringLiteral("Final"), QStringLiteral("Group 2"),
                                           QStringLiteral("Group 10"), QStringLiteral("group 1")};
        static const QStringList lastNames = {QStringLiteral("Müller"),
                                              QStringLiteral("müller"),
                                              QStringLiteral("MÜLLER"),
                                              QStringLiteral("O'Brien"),
                                              QStringLiteral("Ng"),
                                              QStringLiteral("ng"),
                                              QStringLiteral("Ärmel"),
                                              QStringLiteral("Zoë"),
                                              QStringLiteral("50%"),
                                              QStringLiteral("a_b"),
                                              QString()};
        static const QStringList firstNames = {QStringLiteral("Jürgen"), QStringLiteral("Siobhán"),
                                               QStringLiteral("Léa"), QStringLiteral("anna"), QString()};
        static const QStringList filters = {
            QStringLiteral("ü"),   QStringLiteral("Ü"),          QStringLiteral("m"),
            QStringLiteral("M"),   QStringLiteral("%"),          QStringLiteral("_"),
            QStringLiteral("o'b"), QStringLiteral("2026/05/01"), QString()};
        StartSelection &s = store.startSelection();
        switch (m_rng.bounded(20u)) {
        case 0:
            return QStringLiteral("event %1")
                .arg(db.execute(
                    QStringLiteral(
                        "INSERT INTO Events ( EventName, City, NOCCode, DateFrom, DateTo, CompetitionName ) "
                        "VALUES ( ?, ?, ?, ?, ?, '__ws_def_event__' );"),
                    {name(events), name({QStringLiteral("Baku"), QStringLiteral("Besançon")}),
                     QStringLiteral("AZE"),
                     m_rng.bounded(2u) ? QVariant() : QVariant(QStringLiteral("2026/05/01")), QString()}));
        case 1:
            return QStringLiteral("competition %1")
                .arg(db.execute(
                    QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, "
                                   "GenderID, TypeID ) VALUES ( ?, ?, '__ws_def_competition__', ?, ? );"),
                    {name(events), name(competitions), number(1, 3), number(1, 2)}));
        case 2:
            return QStringLiteral("group %1")
                .arg(db.execute(QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, "
                                               "LastName1 ) VALUES ( ?, ?, ?, '__ws_def_group__' );"),
                                {name(events), name(competitions), name(groups)}));
        case 3:
        case 4:
            return QStringLiteral("entry %1")
                .arg(db.execute(
                    QStringLiteral(
                        "INSERT INTO Groups ( EventName, CompetitionName, GroupName, StartOrder, "
                        "Competitor1No, LastName1, FirstName1, Gender1, Year1, NOCCode1, IDFIG1, "
                        "Competitor2No, LastName2, FirstName2, Gender2, Year2, NOCCode2, IDFIG2, "
                        "GenderID, TypeID ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ? );"),
                    {name(events),
                     name(competitions),
                     name(groups),
                     number(0, 4),
                     number(-1, 20),
                     name(lastNames),
                     name(firstNames),
                     QStringLiteral("Female"),
                     year(),
                     QStringLiteral("IRL"),
                     QStringLiteral("F1"),
                     number(-1, 20),
                     name(lastNames),
                     name(firstNames),
                     QStringLiteral("Male"),
                     year(),
                     QStringLiteral("GER"),
                     QString(),
                     number(1, 3),
                     number(1, 2)}));
        case 5:
            return QStringLiteral("athlete %1")
                .arg(db.execute(
                    QStringLiteral("INSERT INTO Athlets ( LastName, FirstName, Gender, Year, NOC, "
                                   "NOCCode, IDFIG, IDNational, Email ) VALUES ( ?, ?, ?, ?, ?, ?, ?, "
                                   "?, ? );"),
                    {name(lastNames), name(firstNames),
                     name({QStringLiteral("Male"), QStringLiteral("Female"), QStringLiteral("Other")}),
                     year(), QStringLiteral("Ireland"), QStringLiteral("IRL"), QString(), QString(),
                     QString()}));
        case 6: {
            // The k-th athlete by idx: the same row in both databases.
            const QList<QVariantMap> ids = db.select(QStringLiteral("SELECT idx FROM Athlets ORDER BY idx;"));
            if (ids.isEmpty())
                return QStringLiteral("no athlete");
            const int k = number(0, int(ids.size()) - 1);
            return QStringLiteral("delete athlete %1 %2")
                .arg(k)
                .arg(db.execute(QStringLiteral("DELETE FROM Athlets WHERE idx=?;"),
                                {ids.at(k).value(QStringLiteral("idx"))}));
        }
        case 7: {
            const QList<QVariantMap> ids = db.select(QStringLiteral(
                "SELECT idx FROM Events WHERE CompetitionName='__ws_def_event__' ORDER BY idx;"));
            if (ids.isEmpty())
                return QStringLiteral("no event");
            const int k = number(0, int(ids.size()) - 1);
            const bool done = db.replaceEvent(ids.at(k).value(QStringLiteral("idx")).toLongLong(),
                                              {name(events), QStringLiteral("Baku"), QStringLiteral("AZE"),
                                               QStringLiteral("2026/05/01"), QStringLiteral("2026/05/03")});
            return QStringLiteral("replace event %1 %2 %3").arg(k).arg(done).arg(shown(s));
        }
        case 8: {
            const QList<QVariantMap> ids = db.select(QStringLiteral(
                "SELECT idx FROM Competitions WHERE GroupName='__ws_def_competition__' ORDER BY idx;"));
            if (ids.isEmpty())
                return QStringLiteral("no competition");
            const int k = number(0, int(ids.size()) - 1);
            const bool done = db.replaceCompetition(ids.at(k).value(QStringLiteral("idx")).toLongLong(),
                                                    name(competitions), number(1, 3), number(1, 2));
            return QStringLiteral("replace competition %1 %2").arg(k).arg(done);
        }
        case 9:
        case 10: {
            // A routine of a start entry (the k-th by idx), sometimes in
            // the same second as the one before.
            const QList<QVariantMap> entries = db.select(
                QStringLiteral("SELECT EventName, CompetitionName, GroupName, StartOrder FROM Groups WHERE "
                               "LastName1 <> '__ws_def_group__' ORDER BY idx;"));
            bool found = false;
            if (!entries.isEmpty()) {
                const QVariantMap &entry = entries.at(number(0, int(entries.size()) - 1));
                db.readEvent(entry.value(QStringLiteral("EventName")).toString());
                db.readCompetition(entry.value(QStringLiteral("CompetitionName")).toString());
                s.groupName = entry.value(QStringLiteral("GroupName")).toString();
                found = db.selectStartEntry(entry.value(QStringLiteral("StartOrder")).toInt());
            }
            store.measurementName = QStringLiteral("m%1").arg(step);
            m_committed << store.measurementName;
            if (m_rng.bounded(3u))
                m_second += 1;
            QByteArray samples(16 * number(1, 40), Qt::Uninitialized);
            for (char &b : samples)
                b = char(m_rng.bounded(256u));
            const bool stored =
                db.insertMeasure(QDateTime(QDate(2026, 5, 1), QTime(9, 0)).addSecs(m_second),
                                 name(firstNames), {}, QStringLiteral("header %1\nÄ\n").arg(step), 0,
                                 samples.constData(), int(samples.size()), QJsonDocument(), QByteArray());
            return QStringLiteral("commit %1 %2 %3").arg(found).arg(stored).arg(shown(s));
        }
        case 11: {
            const QString event = name(events);
            const QString competition = name(competitions);
            return QStringLiteral("names %1 | %2 | %3")
                .arg(db.eventNames().join(QLatin1Char(',')),
                     db.competitionNames(event).join(QLatin1Char(',')),
                     db.groupNames(event, competition).join(QLatin1Char(',')));
        }
        case 12: {
            // The group of the k-th start entry, or any.
            const QList<QVariantMap> entries =
                db.select(QStringLiteral("SELECT EventName, CompetitionName, GroupName FROM Groups WHERE "
                                         "LastName1 <> '__ws_def_group__' "
                                         "ORDER BY idx;"));
            const bool existing = !entries.isEmpty() && m_rng.bounded(3u);
            const QVariantMap entry =
                existing ? entries.at(number(0, int(entries.size()) - 1)) : QVariantMap();
            s.eventName = existing ? entry.value(QStringLiteral("EventName")).toString() : name(events);
            s.competitionName =
                existing ? entry.value(QStringLiteral("CompetitionName")).toString() : name(competitions);
            s.groupName = existing ? entry.value(QStringLiteral("GroupName")).toString() : name(groups);
            QStringList lines;
            db.listGroupEntries(lines);
            const bool found = db.selectStartEntry(number(0, 4));
            return QStringLiteral("start list %1 %2 %3")
                .arg(lines.join(QLatin1Char('/')))
                .arg(found)
                .arg(shown(s));
        }
        case 13:
            db.readEvent(name(events));
            db.readCompetition(name(competitions));
            return QStringLiteral("read %1").arg(shown(s));
        case 14: {
            // The athlete of the k-th measure, or anyone.
            const QList<QVariantMap> measures =
                db.select(QStringLiteral("SELECT EventName, CompetitionName, GroupName, LastName1, "
                                         "FirstName1 FROM Measures ORDER BY idx;"));
            if (!measures.isEmpty() && m_rng.bounded(3u)) {
                const QVariantMap &m = measures.at(number(0, int(measures.size()) - 1));
                s.eventName = m.value(QStringLiteral("EventName")).toString();
                s.competitionName = m.value(QStringLiteral("CompetitionName")).toString();
                s.groupName = m.value(QStringLiteral("GroupName")).toString();
                s.athlete1.lastName = m.value(QStringLiteral("LastName1")).toString();
                s.athlete1.firstName = m.value(QStringLiteral("FirstName1")).toString();
            } else {
                s.athlete1.lastName = name(lastNames);
                s.athlete1.firstName = name(firstNames);
            }
            QStringList names;
            db.listMeasureNames(names);
            return QStringLiteral("measure names %1").arg(names.join(QLatin1Char(',')));
        }
        case 15: {
            wsdb::MeasureFilter f;
            f.name = m_rng.bounded(2u) ? QString() : name(filters);
            f.event = m_rng.bounded(2u) ? QString() : name(filters);
            f.date = m_rng.bounded(3u) ? QString() : name(filters);
            f.gender = m_rng.bounded(3u) ? QString() : QStringLiteral("Female");
            f.typeId = m_rng.bounded(3u) ? 0 : number(1, 2);
            QStringList out;
            for (const wsdb::MeasureListEntry &e : db.listMeasures(f))
                out << QStringList{e.athletes, e.date, e.event, e.competition, e.city, e.measureName}.join(
                    QLatin1Char(','));
            return QStringLiteral("browser %1").arg(out.join(QLatin1Char('/')));
        }
        case 16: {
            QStringList fields;
            QString header;
            std::vector<wsDaten::Sample> samples;
            const QString measure = m_committed.isEmpty() || !m_rng.bounded(5u) ? QStringLiteral("none")
                                                                                : pick(m_rng, m_committed);
            const bool found = db.readMeasure(measure, fields, header, samples);
            QCryptographicHash hash(QCryptographicHash::Sha1);
            for (const wsDaten::Sample &sample : samples)
                hash.addData(QByteArrayView(reinterpret_cast<const char *>(sample.data()),
                                            qsizetype(sample.size() * sizeof sample[0])));
            return QStringLiteral("load %1 %2 %3 %4 %5")
                .arg(found)
                .arg(fields.join(QLatin1Char(',')), header)
                .arg(samples.size())
                .arg(QString::fromLatin1(hash.result().toHex()));
        }
        case 17:
            return QStringLiteral("athletes %1")
                .arg(shown(db.select(QStringLiteral("SELECT * FROM Athlets ORDER BY LastName, idx;"))));
        case 18:
            return QStringLiteral("by year %1")
                .arg(shown(db.select(
                    QStringLiteral("SELECT LastName, Year FROM Athlets ORDER BY Year DESC, idx;"))));
        default: {
            // The group dialog's athlete search: from the start of the text.
            const QString text = wsdb::likeEscaped(name(filters)) + QLatin1Char('%');
            return QStringLiteral("search %1")
                .arg(shown(
                    db.select(QStringLiteral("SELECT LastName, FirstName FROM Athlets WHERE ( ( (LastName "
                                             "LIKE ? ESCAPE '\\') OR (FirstName LIKE ? ESCAPE '\\') ) ) "
                                             "ORDER BY LastName, idx;"),
                              {text, text})));
        }
        }
    }

    QRandomGenerator m_rng;
    int m_second = 0;
    QStringList m_committed;
};

// A measure of a few samples under the given name and athlete.
bool addMeasure(wsdb &db, wsDaten &store, const QString &name, const QString &lastName, char fill = 1,
                const QDateTime &saved = QDateTime(QDate(2026, 5, 1), QTime(10, 0)))
{
    store.measurementName = name;
    StartSelection &s = store.startSelection();
    s.eventName = QStringLiteral("Worlds");
    s.city = QStringLiteral("Baku");
    s.competitionName = QStringLiteral("Seniors");
    s.groupName = QStringLiteral("Final");
    s.typeId = 1;
    s.athlete1 = {
        lastName, QStringLiteral("Anna"), QStringLiteral("Female"), 1999, {}, QStringLiteral("IRL"), {}, {},
        {}};
    const QByteArray samples(64, fill);
    return db.insertMeasure(saved, {}, {}, QStringLiteral("header\n"), 7, samples.constData(),
                            int(samples.size()), QJsonDocument(), QByteArray());
}

// The event, the competition and the group Final with one start entry.
bool seedStartList(wsdb &db, const QString &event)
{
    return db.execute(
               QStringLiteral("INSERT INTO Events ( EventName, City, NOCCode, DateFrom, DateTo, "
                              "CompetitionName ) VALUES ( ?, 'Baku', 'AZE', '', '', '__ws_def_event__' );"),
               {event}) &&
           db.execute(
               QStringLiteral("INSERT INTO Competitions ( EventName, CompetitionName, GroupName, GenderID, "
                              "TypeID ) VALUES ( ?, 'Seniors', '__ws_def_competition__', 2, 1 );"),
               {event}) &&
           db.execute(
               QStringLiteral("INSERT INTO Groups ( EventName, CompetitionName, GroupName, LastName1 ) "
                              "VALUES ( ?, 'Seniors', 'Final', '__ws_def_group__' );"),
               {event}) &&
           db.execute(QStringLiteral(
                          "INSERT INTO Groups ( EventName, CompetitionName, GroupName, StartOrder, "
                          "Competitor1No, LastName1, FirstName1, Gender1, Year1, GenderID, TypeID ) "
                          "VALUES ( ?, 'Seniors', 'Final', 1, 12, 'Müller', 'Jürgen', 'Male', 1999, 2, 1 );"),
                      {event});
}

QStringList column(ovra::db::Connection &db, const QString &sql, const QVariantList &values = {})
{
    QStringList out;
    for (const QVariantMap &row : db.select(sql, values))
        out << shown(row.first());
    return out;
}

} // namespace

class TestWsdbServer : public QObject
{
    Q_OBJECT

    PgTestCluster m_pg;
    QTemporaryDir m_dir;
    int m_databases = 0;

    // A fresh database on the server for one test.
    QString newDatabase()
    {
        const QString name = QStringLiteral("test%1").arg(++m_databases);
        return m_pg.createDatabase(name) ? name : QString();
    }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // A workstation's database on the server, with its own queue file.
    std::unique_ptr<wsdb> workstation(wsDaten &store, const QString &queue)
    {
        auto db = std::make_unique<wsdb>(store, nullptr, false);
        db->setServerQueueFile(file(queue));
        db->setRetryInterval(200);
        return db;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (PgTestCluster::binDir().isEmpty())
            QSKIP(qPrintable(PgTestCluster::skipReason()));
        QVERIFY(m_dir.isValid());
        QVERIFY2(m_pg.start(), qPrintable(m_pg.reason()));
    }

    // A test that failed while the server was stopped leaves it running
    // for the next.
    void cleanup()
    {
        if (!m_pg.isRunning())
            QVERIFY2(m_pg.startAgain(), qPrintable(m_pg.reason()));
    }

    void statementsAreWrittenForTheServer()
    {
        QCOMPARE(
            PostgresConnection::translate(QStringLiteral(
                "SELECT * FROM Athlets WHERE LastName LIKE ? ESCAPE '\\' AND Note='?' -- ? likes\n"
                "AND Year=? ORDER BY LastName, Year DESC, idx;")),
            QByteArray("SELECT * FROM Athlets WHERE LastName ILIKE $1 ESCAPE '\\' AND Note='?' -- ? likes\n"
                       "AND Year=$2 ORDER BY LastName NULLS FIRST, Year DESC NULLS LAST, idx ;"));
        // What is not a plain list of names keeps its order as written.
        QCOMPARE(PostgresConnection::translate(QStringLiteral("SELECT a FROM t ORDER BY lower(a) LIMIT ?;")),
                 QByteArray("SELECT a FROM t ORDER BY lower(a) LIMIT $1;"));
        QCOMPARE(PostgresConnection::translate(
                     QStringLiteral("SELECT \"it's\", 'O''Brien?' FROM t ORDER BY b LIMIT 1")),
                 QByteArray("SELECT \"it's\", 'O''Brien?' FROM t ORDER BY b NULLS FIRST LIMIT 1"));
        QCOMPARE(PostgresConnection::describe(m_pg.uri(QStringLiteral("worlds"))),
                 QStringLiteral("ovra@127.0.0.1:%1/worlds").arg(m_pg.port()));
        QCOMPARE(PostgresConnection::describe(m_pg.conninfo(QStringLiteral("worlds"))),
                 m_pg.address(QStringLiteral("worlds")).displayName());
    }

    // The oracle of a server is the file: one seeded sequence of start-list
    // edits, commits, renames, deletions and every query the window, the
    // dialogs and the browser ask, on both; every answer must agree.
    void fileAndServerGiveTheSameAnswers()
    {
        const QString database = newDatabase();
        QVERIFY(!database.isEmpty());
        QStringList all;
        for (const quint32 seed : {1u, 2u, 3u}) {
            wsDaten fileStore;
            wsdb fileDb(fileStore, nullptr, false);
            QVERIFY(fileDb.openDatabase(file(QStringLiteral("differential-%1.db").arg(seed))));
            QVERIFY(fileDb.createTables(QStringLiteral("main")));
            wsDaten serverStore;
            auto serverDb = workstation(serverStore, QStringLiteral("differential-queue.db"));
            QVERIFY(serverDb->openServer(m_pg.address(database)));
            QVERIFY(serverDb->execute(
                QStringLiteral("TRUNCATE Athlets, Events, Competitions, Groups, Measures;")));
            const QStringList fromFile = Script(seed).run(fileDb, fileStore, 500);
            const QStringList fromServer = Script(seed).run(*serverDb, serverStore, 500);
            QCOMPARE(fromServer.size(), fromFile.size());
            for (qsizetype i = 0; i < fromFile.size(); ++i)
                QCOMPARE(fromServer.at(i), fromFile.at(i));
            QCOMPARE(serverDb->pendingMeasures(), 0);
            all << fromFile;
        }
        // The sequences did reach the interesting places.
        const auto count = [&all](const char *pattern) {
            return all.filter(QRegularExpression(QString::fromUtf8(pattern))).size();
        };
        QVERIFY(count("^\\d+ commit 1 1 ") >= 10);
        QVERIFY(count("^\\d+ load 1 ") >= 10);
        QVERIFY(count("^\\d+ browser .+") >= 10);
        QVERIFY(count("^\\d+ start list \\d") >= 5);
        QVERIFY(count("^\\d+ replace event \\d+ 1") >= 3);
        QVERIFY(count("^\\d+ search .+[Mm][Üü]") >= 1);
        QVERIFY(count("^\\d+ measure names .+") >= 3);
    }

    // Two workstations commit routines for the same group in the same
    // seconds, under the same measure names: every row is stored once.
    void twoWorkstationsCommitForOneGroupAtOnce()
    {
        const QString database = newDatabase();
        QVERIFY(!database.isEmpty());
        constexpr int kEach = 60;
        std::latch ready(2);
        QStringList failures[2];
        const auto commitAll = [&](int n) {
            wsDaten store;
            auto db = workstation(store, QStringLiteral("together-%1.db").arg(n));
            const bool open = db->openServer(m_pg.address(database));
            ready.arrive_and_wait();
            if (!open) {
                failures[n] << QStringLiteral("server not open");
                return;
            }
            for (int i = 0; i < kEach; ++i) {
                if (!addMeasure(*db, store, QStringLiteral("m%1").arg(i),
                                QStringLiteral("Workstation%1").arg(n), char(n + 1),
                                QDateTime(QDate(2026, 5, 1), QTime(10, 0)).addSecs(i)))
                    failures[n] << QString::number(i);
            }
            if (db->pendingMeasures() != 0)
                failures[n] << QStringLiteral("%1 waiting").arg(db->pendingMeasures());
        };
        std::unique_ptr<QThread> threads[2] = {std::unique_ptr<QThread>(QThread::create(commitAll, 0)),
                                               std::unique_ptr<QThread>(QThread::create(commitAll, 1))};
        for (auto &t : threads)
            t->start();
        for (auto &t : threads)
            QVERIFY(t->wait(120000));
        QCOMPARE(failures[0], QStringList());
        QCOMPARE(failures[1], QStringList());

        PostgresConnection raw;
        QVERIFY(raw.open(m_pg.conninfo(database)));
        QCOMPARE(column(raw, QStringLiteral("SELECT COUNT(*) FROM Measures;")),
                 QStringList(QString::number(2 * kEach)));
        QCOMPARE(column(raw, QStringLiteral("SELECT COUNT(DISTINCT MeasureUid) FROM Measures;")),
                 QStringList(QString::number(2 * kEach)));
        // Each workstation's routines in the order they were committed.
        QStringList expected;
        for (int i = 0; i < kEach; ++i)
            expected << QStringLiteral("m%1").arg(i);
        for (int n = 0; n < 2; ++n)
            QCOMPARE(column(raw, QStringLiteral("SELECT Name FROM Measures WHERE LastName1=? ORDER BY idx;"),
                            {QStringLiteral("Workstation%1").arg(n)}),
                     expected);
    }

    // The server stops between two commits: the routine waits in the
    // workstation's queue file (also across a restart of the workstation),
    // the start lists stay readable, and when the server is back every
    // routine arrives once, in commit order; one whose answer was lost
    // (stored, but still in the queue) is not stored twice.
    void routinesWaitWhileTheServerIsAway()
    {
        const QString database = newDatabase();
        QVERIFY(!database.isEmpty());
        const QString queueFile = QStringLiteral("away-queue.db");
        wsDaten store;
        auto db = workstation(store, queueFile);
        QVERIFY(db->openServer(m_pg.address(database)));
        QVERIFY(seedStartList(*db, QStringLiteral("Worlds")));
        QVERIFY(addMeasure(*db, store, QStringLiteral("m1"), QStringLiteral("Ng"), 1));
        QCOMPARE(db->pendingMeasures(), 0);
        // The copy of the start lists follows the server.
        SqliteConnection queue;
        QVERIFY(queue.openReadOnly(file(queueFile)));
        QTRY_COMPARE(column(queue, QStringLiteral("SELECT COUNT(*) FROM Groups;")),
                     QStringList(QStringLiteral("2")));

        QSignalSpy reachable(db.get(), &wsdb::reachableChanged);
        QSignalSpy waiting(db.get(), &wsdb::pendingMeasuresChanged);
        QVERIFY(m_pg.stop());
        QVERIFY(!addMeasure(*db, store, QStringLiteral("m2"), QStringLiteral("Dubois"), 2));
        QCOMPARE(db->pendingMeasures(), 1);
        QCOMPARE(waiting.last().at(0).toInt(), 1);
        QTRY_COMPARE(reachable.size(), 1);
        QCOMPARE(reachable.last().at(0).toBool(), false);
        QVERIFY(!db->isReachable());
        QCOMPARE(column(queue, QStringLiteral("SELECT Name FROM Measures;")),
                 QStringList(QStringLiteral("m2")));
        // The start list as it was loaded; nothing is written meanwhile.
        StartSelection &s = store.startSelection();
        s = StartSelection();
        db->readEvent(QStringLiteral("Worlds"));
        db->readCompetition(QStringLiteral("Seniors"));
        s.groupName = QStringLiteral("Final");
        QCOMPARE(db->groupNames(QStringLiteral("Worlds"), QStringLiteral("Seniors")),
                 QStringList(QStringLiteral("Final")));
        QVERIFY(db->selectStartEntry(1));
        QCOMPARE(s.athlete1.lastName, QStringLiteral("Müller"));
        QCOMPARE(s.city, QStringLiteral("Baku"));
        QVERIFY(!db->execute(QStringLiteral("DELETE FROM Athlets;")));

        // The workstation restarts while the server is still away.
        db.reset();
        db = workstation(store, queueFile);
        QVERIFY(!db->openServer(m_pg.address(database)));
        QVERIFY(db->isOpen());
        QCOMPARE(db->pendingMeasures(), 1);
        QVERIFY(!addMeasure(*db, store, QStringLiteral("m3"), QStringLiteral("Ng"), 3));
        QCOMPARE(db->pendingMeasures(), 2);

        QVERIFY2(m_pg.startAgain(), qPrintable(m_pg.reason()));
        QTRY_COMPARE_WITH_TIMEOUT(db->pendingMeasures(), 0, 10000);
        QVERIFY(db->isReachable());
        PostgresConnection raw;
        QVERIFY(raw.open(m_pg.conninfo(database)));
        QCOMPARE(column(raw, QStringLiteral("SELECT Name FROM Measures ORDER BY idx;")),
                 QStringList({QStringLiteral("m1"), QStringLiteral("m2"), QStringLiteral("m3")}));

        // A save the server took but whose answer never came back: it is
        // still in the queue, and the server has it already.
        QVERIFY(m_pg.stop());
        QVERIFY(!addMeasure(*db, store, QStringLiteral("m4"), QStringLiteral("Lost"), 4));
        // Leaving the server for a file meanwhile: the routine still waits
        // for the server, and is never announced as stored.
        QSignalSpy announced(db.get(), &wsdb::pendingMeasuresChanged);
        QVERIFY(db->openDatabase(file(QStringLiteral("away-file.db"))));
        QCOMPARE(announced.size(), 0);
        QCOMPARE(column(queue, QStringLiteral("SELECT Name FROM Measures;")),
                 QStringList(QStringLiteral("m4")));
        db.reset();
        QVERIFY2(m_pg.startAgain(), qPrintable(m_pg.reason()));
        {
            SqliteConnection waitingRow;
            QVERIFY(waitingRow.openReadOnly(file(queueFile)));
            const QStringList columns = ovra::db::table("Measures").names();
            const QList<QVariantMap> rows = waitingRow.select(
                QStringLiteral("SELECT %1 FROM Measures;").arg(columns.join(QStringLiteral(", "))));
            QCOMPARE(rows.size(), 1);
            QVariantList values;
            for (const QString &c : columns)
                values << rows.first().value(c);
            QVERIFY(raw.open(m_pg.conninfo(database)));
            QStringList marks;
            for (qsizetype i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            QVERIFY(
                raw.execute(QStringLiteral("INSERT INTO Measures ( %1 ) VALUES ( %2 );")
                                .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                            values));
        }
        db = workstation(store, queueFile);
        QVERIFY(db->openServer(m_pg.address(database)));
        QCOMPARE(db->pendingMeasures(), 0);
        QCOMPARE(column(raw, QStringLiteral("SELECT Name FROM Measures ORDER BY idx;")),
                 QStringList({QStringLiteral("m1"), QStringLiteral("m2"), QStringLiteral("m3"),
                              QStringLiteral("m4")}));
        QCOMPARE(column(queue, QStringLiteral("SELECT COUNT(*) FROM Measures;")),
                 QStringList(QStringLiteral("0")));
        // The same routine saved once more (its kept file committed after a
        // restart) is there already.
        QVERIFY(addMeasure(*db, store, QStringLiteral("m4"), QStringLiteral("Lost"), 4));
        QCOMPARE(column(raw, QStringLiteral("SELECT COUNT(*) FROM Measures WHERE Name='m4';")),
                 QStringList(QStringLiteral("1")));
    }

    // What one workstation enters reaches the other within two seconds.
    void changesReachTheOtherWorkstation()
    {
        const QString database = newDatabase();
        QVERIFY(!database.isEmpty());
        wsDaten storeA;
        wsDaten storeB;
        auto a = workstation(storeA, QStringLiteral("live-a.db"));
        auto b = workstation(storeB, QStringLiteral("live-b.db"));
        QVERIFY(a->openServer(m_pg.address(database)));
        QVERIFY(b->openServer(m_pg.address(database)));
        QSignalSpy startList(b.get(), &wsdb::startListChanged);
        QSignalSpy measures(b.get(), &wsdb::measuresChanged);
        QSignalSpy ownStartList(a.get(), &wsdb::startListChanged);
        QVERIFY(seedStartList(*a, QStringLiteral("Coupe d'Europe")));
        QTRY_VERIFY_WITH_TIMEOUT(startList.size() > 0, 2000);
        QCOMPARE(b->eventNames(), QStringList(QStringLiteral("Coupe d'Europe")));
        QCOMPARE(measures.size(), 0);
        QVERIFY(addMeasure(*a, storeA, QStringLiteral("m1"), QStringLiteral("Zoë")));
        QTRY_VERIFY_WITH_TIMEOUT(measures.size() > 0, 2000);
        const QList<wsdb::MeasureListEntry> listed = b->listMeasures({});
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().athletes, QStringLiteral("Zoë, Anna"));
        // A workstation is not told about its own changes.
        QCOMPARE(ownStartList.size(), 0);
    }

    // A day's file into the server and the server back into a file, the
    // same way a file merges into a file; a copy of the server; and the
    // organiser's tool on the server.
    void mergesBetweenAFileAndTheServer()
    {
        const QString database = newDatabase();
        QVERIFY(!database.isEmpty());
        const QString day = file(QStringLiteral("day.db"));
        {
            wsDaten store;
            wsdb local(store, nullptr, false);
            QVERIFY(local.openDatabase(day));
            QVERIFY(local.createTables(QStringLiteral("main")));
            QVERIFY(seedStartList(local, QStringLiteral("Worlds")));
            for (int i = 0; i < 4; ++i)
                QVERIFY(
                    addMeasure(local, store, QStringLiteral("m%1").arg(i), QStringLiteral("Ng"), char(i)));
        }
        using Counts = wsdb::MergeCounts;
        const auto counts = [](const wsdb::MergeResult &r) {
            return std::vector<Counts>(r.tables.cbegin(), r.tables.cend());
        };
        // The answer of a file as the target of the same merges.
        std::vector<std::vector<Counts>> fromFile;
        {
            wsDaten store;
            wsdb target(store, nullptr, false);
            QVERIFY(target.openDatabase(file(QStringLiteral("merge-target.db"))));
            QVERIFY(target.createTables(QStringLiteral("main")));
            QVERIFY(addMeasure(target, store, QStringLiteral("m1"), QStringLiteral("Ng"), 1));
            fromFile.push_back(counts(target.mergeFromDatabase(day)));
            fromFile.push_back(counts(target.mergeFromDatabase(day)));
        }
        wsDaten store;
        auto server = workstation(store, QStringLiteral("merge-queue.db"));
        QVERIFY(server->openServer(m_pg.address(database)));
        QVERIFY(addMeasure(*server, store, QStringLiteral("m1"), QStringLiteral("Ng"), 1));
        wsdb::MergeResult result = server->mergeFromDatabase(day);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(counts(result), fromFile[0]);
        QCOMPARE(counts(result),
                 (std::vector<Counts>{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 1, 0}}));
        QCOMPARE(counts(server->mergeFromDatabase(day)), fromFile[1]);

        // And back: the server into a new file, then a copy of it.
        const QString back = file(QStringLiteral("back.db"));
        {
            wsDaten backStore;
            wsdb local(backStore, nullptr, false);
            QVERIFY(local.openDatabase(back));
            QVERIFY(local.createTables(QStringLiteral("main")));
            result = local.mergeFromServer(m_pg.conninfo(database));
            QVERIFY2(result.ok, qPrintable(result.error));
            QCOMPARE(counts(result),
                     (std::vector<Counts>{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {2, 0, 0}, {4, 0, 0}}));
            QCOMPARE(counts(local.mergeFromServer(m_pg.conninfo(database))),
                     (std::vector<Counts>{{0, 0, 0}, {0, 1, 0}, {0, 1, 0}, {0, 2, 0}, {0, 4, 0}}));
        }
        const QString copy = file(QStringLiteral("copy.db"));
        QVERIFY(server->copyToNewDatabase(copy, wsdb::CopyAll));
        for (const QString &path : {back, copy}) {
            wsDaten fileStore;
            wsdb local(fileStore, nullptr, false);
            QVERIFY(local.openDatabase(path));
            QStringList fields;
            QString header;
            std::vector<wsDaten::Sample> samples;
            QVERIFY(local.readMeasure(QStringLiteral("m3"), fields, header, samples));
            QCOMPARE(samples.size(), std::size_t(4));
            QCOMPARE(samples.front()[0], qint16(0x0303));
            QCOMPARE(local.listMeasures({}).size(), 4);
        }
        {
            SqliteConnection raw;
            QVERIFY(raw.openReadOnly(copy));
            PostgresConnection rawServer;
            QVERIFY(rawServer.open(m_pg.conninfo(database)));
            // The copy keeps the server's idx values.
            const QString sql = QStringLiteral("SELECT idx, Name, MeasureUid FROM Measures ORDER BY idx;");
            QCOMPARE(shown(raw.select(sql)), shown(rawServer.select(sql)));
            QCOMPARE(column(raw, QStringLiteral("SELECT idx FROM Measures ORDER BY idx;")),
                     column(rawServer, QStringLiteral("SELECT idx FROM Measures ORDER BY idx;")));
        }
        const wsdb::FileCheck check = wsdb::checkServer(m_pg.uri(database));
        QVERIFY(check.ok());
        QCOMPARE(check.rows, (std::array<qint64, 5>{0, 1, 1, 2, 4}));

        // The organiser's tool: a file into the server, all or nothing.
        const auto runDb = [](const QStringList &arguments, QString *out) {
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("OVRA_FORCE_LANGUAGE"), QStringLiteral("en"));
            process.setProcessEnvironment(environment);
            process.start(ovra::test::binaryDir() + QStringLiteral("/bin/ovra-db"), arguments);
            if (!process.waitForFinished(60000))
                return -1;
            *out = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
            return process.exitCode();
        };
        const QString fresh = newDatabase();
        QString out;
        QCOMPARE(
            runDb({QStringLiteral("merge"), m_pg.uri(fresh), day, file(QStringLiteral("missing.db"))}, &out),
            1);
        QVERIFY2(out.contains(QStringLiteral("not an Ovra database")), qPrintable(out));
        QCOMPARE(runDb({QStringLiteral("merge"), m_pg.uri(fresh), day}, &out), 0);
        QVERIFY2(
            out.contains(QStringLiteral("Measures: 4 added, 0 skipped as identical, 0 kept as conflicting")),
            qPrintable(out));
        QCOMPARE(runDb({QStringLiteral("check"), m_pg.uri(fresh)}, &out), 0);
        QVERIFY2(out.contains(QStringLiteral("Measures: 4")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("integrity: ok")), qPrintable(out));
        // A server that is not there.
        QCOMPARE(runDb({QStringLiteral("check"), QStringLiteral("postgresql://ovra@127.0.0.1:1/none")}, &out),
                 1);
        // The server back into a file.
        const QString merged = file(QStringLiteral("organiser.db"));
        QCOMPARE(runDb({QStringLiteral("merge"), merged, m_pg.uri(fresh)}, &out), 0);
        QCOMPARE(wsdb::checkFile(merged).rows, (std::array<qint64, 5>{0, 1, 1, 2, 4}));
    }

    // The password is found where libpq looks for it; the dialog's entry
    // replaces the old one and stays private.
    void passwordsFollowLibpq()
    {
        ovra::db::ServerAddress address = m_pg.address(QStringLiteral("ovra"));
        const QString passFile = file(QStringLiteral("pgpass"));
        QFile::remove(passFile);
        QVERIFY(ovra::db::writePasswordEntry(address, QStringLiteral("wrong:one\\"), nullptr, passFile));
        ovra::db::ServerAddress other = address;
        other.database = QStringLiteral("other:db");
        QVERIFY(ovra::db::writePasswordEntry(other, QStringLiteral("x"), nullptr, passFile));
        QFile f(passFile);
        QCOMPARE(f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                    QFileDevice::WriteGroup | QFileDevice::WriteOther),
                 QFileDevice::Permissions());
        const QByteArray previous = qgetenv("PGPASSFILE");
        qputenv("PGPASSFILE", QFile::encodeName(passFile));
        PostgresConnection connection;
        QVERIFY(!connection.open(address.conninfo()));
        QVERIFY2(connection.lastError().contains(QStringLiteral("password")),
                 qPrintable(connection.lastError()));
        // The right one replaces the wrong one where it stood.
        QVERIFY(ovra::db::writePasswordEntry(address, m_pg.password(), nullptr, passFile));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{
                            QStringLiteral("127.0.0.1:%1:ovra:ovra:%2").arg(m_pg.port()).arg(m_pg.password()),
                            QStringLiteral("127.0.0.1:%1:other\\:db:ovra:x").arg(m_pg.port())}));
        const bool opened = connection.open(address.conninfo());
        qputenv("PGPASSFILE", previous);
        QVERIFY2(opened, qPrintable(connection.lastError()));
        // A password given for a test only, never written anywhere.
        const PostgresConnection::Probe probe = PostgresConnection::probe(address.conninfo(m_pg.password()));
        QVERIFY2(probe.ok, qPrintable(probe.message));
    }
};

OVRA_TEST_CORE_MAIN(TestWsdbServer)
#include "tst_wsdbserver.moc"
