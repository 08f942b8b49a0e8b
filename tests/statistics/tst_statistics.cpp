#include "util/RecordingPlayback.h"

#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/LandingHeatMap.h"
#include "statistics/ProtocolScan.h"
#include "support/MessageCapture.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using ovra::util::FileUtils;
namespace stats = ovra::statistics;

namespace {

// What a generated data file holds, written down when it is made; the
// expected statistics are summed from these records, not from the scan.
struct Made
{
    QString path;
    int mode = 0;       // 1, 2 or 3; 0 for a file whose mode cannot be read
    int elements = 0;   // elements in the routine
    bool extra = false; // an individual routine ended early and another landing follows
    bool subfolder = false;
};

struct Expected
{
    int routines[3] = {};
    int aborts[3] = {};
    int landings[2] = {};
};

Expected expectedFor(const QList<Made> &files, bool subfolders)
{
    Expected e;
    for (const Made &f : files) {
        if (f.subfolder && !subfolders)
            continue;
        if (f.mode == 0)
            continue;
        ++e.routines[f.mode - 1];
        if (f.elements < 10)
            ++e.aborts[f.mode - 1];
        const int landings = f.elements + (f.extra ? 1 : 0);
        if (f.mode == 3) {
            e.landings[0] += landings;
            e.landings[1] += landings;
        } else {
            e.landings[f.mode - 1] += landings;
        }
    }
    return e;
}

void compare(const QJsonObject &json, const Expected &e)
{
    QCOMPARE(json.value(QStringLiteral("trampOneRoutines")).toInt(), e.routines[0]);
    QCOMPARE(json.value(QStringLiteral("trampTwoRoutines")).toInt(), e.routines[1]);
    QCOMPARE(json.value(QStringLiteral("synRoutines")).toInt(), e.routines[2]);
    QCOMPARE(json.value(QStringLiteral("trampOneAborts")).toInt(), e.aborts[0]);
    QCOMPARE(json.value(QStringLiteral("trampTwoAborts")).toInt(), e.aborts[1]);
    QCOMPARE(json.value(QStringLiteral("synAborts")).toInt(), e.aborts[2]);
    QCOMPARE(json.value(QStringLiteral("trampOneLandings")).toArray().size(), e.landings[0]);
    QCOMPARE(json.value(QStringLiteral("trampTwoLandings")).toArray().size(), e.landings[1]);
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

    std::optional<playback::Library> m_library;
    QTemporaryDir m_dir;
    QList<Made> m_files;
    QDateTime m_madeFrom;
    QDateTime m_madeUntil;

    bool save(wsDaten &store, const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        return !FileUtils::saveFile(true, path, nullptr, store, nullptr, nullptr);
    }

    QList<QJsonObject> contacts(int number, int bed) const { return m_library->routineContacts(number, bed); }

    static void comparePosition(const QJsonObject &landing, const QJsonObject &contact)
    {
        const QByteArray where = QJsonDocument(landing).toJson(QJsonDocument::Compact);
        QVERIFY2(std::abs(landing.value(QStringLiteral("x")).toInt() -
                          contact.value(QStringLiteral("x")).toDouble()) <= 2.5,
                 where.constData());
        QVERIFY2(std::abs(landing.value(QStringLiteral("y")).toInt() -
                          contact.value(QStringLiteral("y")).toDouble()) <= 2.5,
                 where.constData());
    }

    QJsonObject scanOne(const QString &name)
    {
        CompetitionStatistics statistics;
        stats::scanProtocolFile(m_dir.filePath(name), statistics);
        return statistics.toJson();
    }

private Q_SLOTS:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        QVERIFY(m_dir.isValid());
        m_library = playback::Library::load();
        QVERIFY(m_library.has_value());

        m_madeFrom = QDateTime::currentDateTime().addSecs(-1);
        // Complete routines on each bed and synchronized.
        for (int number : {1, 2, 3}) {
            wsDaten store;
            m_library->play(number, store);
            QCOMPARE(store.routines().landingCount, quint64(10));
            const QString name = QStringLiteral("complete%1.dat").arg(number);
            QVERIFY(save(store, name));
            m_files.append({name, number, 10, false, false});
        }
        // Trampoline 1, shortened to three elements in the review: the
        // samples of the fourth landing follow in the file.
        {
            wsDaten store;
            m_library->play(1, store);
            for (int k = 0; k < 7; ++k)
                store.decreaseLandingsInRoutine();
            QCOMPARE(store.routines().landingCount, quint64(3));
            QVERIFY(save(store, QStringLiteral("abort-with-landing.dat")));
            m_files.append({QStringLiteral("abort-with-landing.dat"), 1, 3, true, false});
        }
        // Trampoline 2, ended by the operator in the flight after the third
        // element: no landing follows.
        {
            const QList<QJsonObject> c = contacts(2, 2);
            const int third = c.at(2).value(QStringLiteral("takeoff")).toInt();
            const int fourth = c.at(3).value(QStringLiteral("touchdown")).toInt();
            wsDaten store;
            m_library->play(2, store, 0, (third + fourth) / 2);
            auto &routine = store.routines();
            QCOMPARE(routine.landingCount, quint64(3));
            routine.routineRecording = false;
            routine.exerciseEnd = routine.exerciseEndFix = store.sampleCount();
            QVERIFY(save(store, QStringLiteral("abort-without-landing.dat")));
            m_files.append({QStringLiteral("abort-without-landing.dat"), 2, 3, false, false});
        }
        // Synchronized, shortened to four pairs.
        {
            wsDaten store;
            m_library->play(3, store);
            for (int k = 0; k < 6; ++k)
                store.decreaseLandingsInRoutine();
            QCOMPARE(store.routines().landingCount, quint64(4));
            QVERIFY(save(store, QStringLiteral("abort-synchronized.dat")));
            m_files.append({QStringLiteral("abort-synchronized.dat"), 3, 4, false, false});
        }
        // A routine in a subfolder.
        {
            wsDaten store;
            m_library->play(2, store);
            QVERIFY(save(store, QStringLiteral("day2/complete2.dat")));
            m_files.append({QStringLiteral("day2/complete2.dat"), 2, 10, false, true});
        }
        m_madeUntil = QDateTime::currentDateTime().addSecs(1);
        // A file whose mode line lost its mode column: no routine counts.
        {
            QFile complete(m_dir.filePath(QStringLiteral("complete1.dat")));
            QVERIFY(complete.open(QIODevice::ReadOnly));
            QByteArray text = complete.readAll();
            QVERIFY(text.startsWith("-0.002\t4.30\t1\n"));
            text.replace(0, int(qstrlen("-0.002\t4.30\t1")), "-0.002\t4.30");
            QFile broken(m_dir.filePath(QStringLiteral("broken-mode.dat")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(text);
            m_files.append({QStringLiteral("broken-mode.dat"), 0, 10, false, false});
        }
        // Not a data file.
        QFile notes(m_dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("-0.002\t4.30\t1\n");
    }

    void folderCountsAgreeWithTheFilesMade_data()
    {
        QTest::addColumn<bool>("subfolders");
        QTest::newRow("without subfolders") << false;
        QTest::newRow("with subfolders") << true;
    }
    void folderCountsAgreeWithTheFilesMade()
    {
        QFETCH(bool, subfolders);
        MessageCapture capture;
        CompetitionStatistics statistics;
        QList<int> progress;
        int total = 0;
        QVERIFY(stats::scanCompetitionFolder(m_dir.path(), subfolders, statistics, [&](int done, int all) {
            progress << done;
            total = all;
            return true;
        }));
        const int files = subfolders ? 8 : 7;
        QCOMPARE(total, files);
        QCOMPARE(progress.size(), files);
        QCOMPARE(progress.last(), files);

        const QByteArray text = stats::statisticsJson(statistics);
        // Compact, keys in alphabetical order.
        QVERIFY(text.startsWith("{\"synAborts\":"));
        QVERIFY(!text.contains('\n') && !text.contains(": "));
        const QJsonObject json = QJsonDocument::fromJson(text).object();
        compare(json, expectedFor(m_files, subfolders));
        QVERIFY(
            !capture.linesStartingWith(QStringLiteral("Invalid tramp mode line found in file")).isEmpty());

        // Every landing carries the time its routine was saved.
        for (const QString &list : {QStringLiteral("trampOneLandings"), QStringLiteral("trampTwoLandings")}) {
            for (const QJsonValue &value : json.value(list).toArray()) {
                const QDateTime ts =
                    QDateTime::fromString(value.toObject().value(QStringLiteral("ts")).toString(),
                                          QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
                QVERIFY(ts >= m_madeFrom && ts <= m_madeUntil);
            }
        }
    }

    void landingsAreThoseOfTheRecordings()
    {
        // The complete routine: its ten elements.
        const QJsonArray complete =
            scanOne(QStringLiteral("complete1.dat")).value(QStringLiteral("trampOneLandings")).toArray();
        QCOMPARE(complete.size(), 10);
        for (int k = 0; k < 10; ++k)
            comparePosition(complete.at(k).toObject(), contacts(1, 1).at(k));

        // Ended after three elements: the fourth landing that followed counts.
        const QJsonObject aborted = scanOne(QStringLiteral("abort-with-landing.dat"));
        QCOMPARE(aborted.value(QStringLiteral("trampOneAborts")).toInt(), 1);
        const QJsonArray four = aborted.value(QStringLiteral("trampOneLandings")).toArray();
        QCOMPARE(four.size(), 4);
        for (int k = 0; k < 4; ++k)
            comparePosition(four.at(k).toObject(), contacts(1, 1).at(k));

        const QJsonObject ended = scanOne(QStringLiteral("abort-without-landing.dat"));
        QCOMPARE(ended.value(QStringLiteral("trampTwoAborts")).toInt(), 1);
        QCOMPARE(ended.value(QStringLiteral("trampTwoLandings")).toArray().size(), 3);

        // Synchronized pairs give one landing to each bed, in pair order.
        const QJsonObject synchronized = scanOne(QStringLiteral("abort-synchronized.dat"));
        QCOMPARE(synchronized.value(QStringLiteral("synRoutines")).toInt(), 1);
        QCOMPARE(synchronized.value(QStringLiteral("synAborts")).toInt(), 1);
        for (int bed : {1, 2}) {
            const QJsonArray list =
                synchronized
                    .value(bed == 1 ? QStringLiteral("trampOneLandings") : QStringLiteral("trampTwoLandings"))
                    .toArray();
            QCOMPARE(list.size(), 4);
            for (int k = 0; k < 4; ++k)
                comparePosition(list.at(k).toObject(), contacts(3, bed).at(k));
        }
    }

    void emptyAndMissingFolders()
    {
        QTemporaryDir empty;
        CompetitionStatistics statistics;
        QVERIFY(stats::scanCompetitionFolder(empty.path(), true, statistics));
        QCOMPARE(stats::statisticsJson(statistics),
                 QByteArray("{\"synAborts\":0,\"synRoutines\":0,\"trampOneAborts\":0,\"trampOneLandings\":[],"
                            "\"trampOneRoutines\":0,\"trampTwoAborts\":0,\"trampTwoLandings\":[],"
                            "\"trampTwoRoutines\":0}"));
        QVERIFY(!stats::scanCompetitionFolder(empty.filePath(QStringLiteral("gone")), false, statistics));
        // A stop from the progress ends the scan early.
        int calls = 0;
        QVERIFY(!stats::scanCompetitionFolder(m_dir.path(), false, statistics,
                                              [&](int, int) { return ++calls < 2; }));
        QCOMPARE(calls, 2);
    }

    void heatMapShowsTheDensity()
    {
        CompetitionStatistics statistics;
        for (int k = 0; k < 50; ++k)
            statistics.addLandingTrampOne(40.0, -20.0, {});
        statistics.addLandingTrampTwo(0.0, 0.0, {});

        const stats::DensityGrid grid = stats::landingDensity(statistics.trampOneLandings());
        double integral = 0.0;
        int peakColumn = 0, peakRow = 0;
        for (int row = 0; row < grid.rows; ++row) {
            for (int column = 0; column < grid.columns; ++column) {
                integral += grid.at(column, row) * grid.cellCm * grid.cellCm / 10000.0;
                if (grid.at(column, row) == grid.maximum) {
                    peakColumn = column;
                    peakRow = row;
                }
            }
        }
        // Landings per square metre: the grid holds all fifty landings, and
        // the densest cell is where they were.
        QVERIFY(std::abs(integral - 50.0) < 0.5);
        QVERIFY(std::abs(grid.leftCm + (peakColumn + 0.5) * grid.cellCm - 40.0) <= grid.cellCm);
        QVERIFY(std::abs(grid.topCm - (peakRow + 0.5) * grid.cellCm + 20.0) <= grid.cellCm);

        QTemporaryDir dir;
        const QString path = stats::heatMapPathFor(dir.filePath(QStringLiteral("protocol.json")));
        QCOMPARE(path, dir.filePath(QStringLiteral("protocol.png")));
        QVERIFY(stats::saveHeatMap(statistics, path));
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        QCOMPARE(image.size(), stats::renderHeatMap(statistics).size());
        QVERIFY(!stats::saveHeatMap(statistics, dir.filePath(QStringLiteral("missing/protocol.png"))));
    }
};

OVRA_TEST_MAIN_IMPL(TestStatistics, QGuiApplication)

#include "tst_statistics.moc"
