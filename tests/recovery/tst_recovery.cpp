#include "../util/RecordingPlayback.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "recovery/AutoSaveName.h"
#include "recovery/CommitMarker.h"
#include "recovery/LastChanceRecovery.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "support/TestSupport.h"
#include "usb/UsbFrame.h"
#include "util/FileUtils.h"
#include "util/LogHandler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

using ovra::recovery::autoSaveFileName;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 7, 9));

// One data frame of the box holding three samples.
std::array<uchar, 64> frame(const std::array<LastChanceRecovery::Sample, 3> &samples, char kind = '1')
{
    std::array<uchar, 64> bytes{};
    bytes[0] = 0xC7;
    bytes[1] = 0xC3;
    bytes[2] = uchar(kind);
    for (int s = 0; s < 3; ++s)
        for (int c = 0; c < 8; ++c)
            qToLittleEndian<qint16>(samples[std::size_t(s)][std::size_t(c)], bytes.data() + 5 + (s * 8 + c) * 2);
    return bytes;
}

LastChanceRecovery::Sample sampleOf(int i)
{
    LastChanceRecovery::Sample s;
    for (int c = 0; c < 8; ++c)
        s[std::size_t(c)] = qint16((i + c * 101) % 30000);
    return s;
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<OvraSettings> settings()
    {
        ovra::test::clearSettings();
        return std::make_unique<OvraSettings>(OvraSettings::Targets{}, m_log);
    }

    ovra::util::LogHandler m_log;
    std::optional<playback::Library> m_library;

private Q_SLOTS:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        m_library = playback::Library::load();
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("metaValue");
        QTest::addColumn<bool>("suppress");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default") << "{{date}}_{{time}}" << "" << false << "20240305_140709.dat";
        QTest::newRow("subfolder") << "{{date}}/{{name}}" << "A/B" << false << "20240305/AB.dat";
        QTest::newRow("dot removed") << "run.dat" << "" << false << "rundat.dat";
        QTest::newRow("spaces kept") << "a b" << "" << false << "a b.dat";
        QTest::newRow("spaces removed") << "a b" << "" << true << "ab.dat";
        QTest::newRow("ampersand escaped") << "{{name}}" << "x&y" << false << "x&amp;y.dat";
        QTest::newRow("angle brackets gone") << "{{name}}" << "<a>\"b\"" << false << "ab.dat";
        QTest::newRow("forbidden characters") << "a\\:*?|,\tb" << "" << false << "ab.dat";
        QTest::newRow("meta date replaced") << "{{date}}" << "" << false << "20240305.dat";
    }
    void fileNames()
    {
        QFETCH(QString, templ);
        QFETCH(QString, metaValue);
        QFETCH(bool, suppress);
        QFETCH(QString, expected);
        QMap<QString, QString> meta{{QStringLiteral("name"), metaValue}, {QStringLiteral("date"), QStringLiteral("x")}};
        QCOMPARE(autoSaveFileName(meta, templ, suppress, kNow), expected);
    }

    void autoSaveWritesTheRenderedNameAndCreatesFolders()
    {
        QTemporaryDir dir;
        auto s = settings();
        s->autoSaveSettings().setPath(dir.path() + QStringLiteral("/a/../target"));
        s->autoSaveSettings().setFilenameTemplate(QStringLiteral("{{date}}/{{name}}"));
        wsDaten store;
        ovra::util::FileUtils::resetMeasurementForLoad(store);
        for (int i = 0; i < 100; ++i)
            store.appendSample(sampleOf(i));
        store.routines().addRoutineMetaInformation(QStringLiteral("name"), QStringLiteral("A/B"));
        RoutineRecorder recorder(*s, store);
        QCOMPARE(recorder.autoSavePath(kNow), QDir::toNativeSeparators(dir.path() + "/target/20240305/AB.dat"));
        QVERIFY(recorder.autoSaveToFile(kNow));
        QVERIFY(QFile::exists(dir.path() + "/target/20240305/AB.dat"));

        wsDaten loaded;
        std::function<void()> reset = [&loaded] { ovra::util::FileUtils::resetMeasurementForLoad(loaded); };
        QVERIFY(ovra::util::FileUtils::loadDataFile(dir.path() + "/target/20240305/AB", s.get(), loaded, nullptr, reset));
        QCOMPARE(loaded.sampleCount(), 100);
        QCOMPARE(loaded.sample(42), store.sample(42));

        // The same name again (the athlete's second routine under a template
        // without the time): the first routine stays, the second is numbered.
        store.appendSample(sampleOf(100));
        QString second;
        QVERIFY(recorder.autoSaveToFile(kNow, &second));
        QCOMPARE(second, QDir::toNativeSeparators(dir.path() + "/target/20240305/AB_2.dat"));
        QVERIFY(ovra::util::FileUtils::loadDataFile(dir.path() + "/target/20240305/AB", s.get(), loaded, nullptr, reset));
        QCOMPARE(loaded.sampleCount(), 100);
        QVERIFY(ovra::util::FileUtils::loadDataFile(dir.path() + "/target/20240305/AB_2", s.get(), loaded, nullptr, reset));
        QCOMPARE(loaded.sampleCount(), 101);
    }

    // A save that cannot be written reports it and leaves what was there.
    void failedAutoSaveKeepsTheExistingFileAndReports()
    {
        QTemporaryDir dir;
        auto s = settings();
        // The target folder is a file: neither the folder nor the data file
        // can be made.
        QFile blocker(dir.path() + "/blocked");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("keep");
        blocker.close();
        s->autoSaveSettings().setPath(dir.path() + "/blocked");
        wsDaten store;
        ovra::util::FileUtils::resetMeasurementForLoad(store);
        RoutineRecorder recorder(*s, store);
        QStringList failures;
        recorder.setSaveFailedHandler([&failures](const QString &path) { failures << path; });
        QVERIFY(!recorder.autoSaveToFile(kNow));
        QCOMPARE(failures.size(), 1);
        QVERIFY(blocker.open(QIODevice::ReadOnly));
        QCOMPARE(blocker.readAll(), QByteArray("keep"));
    }

    // Regression: a short measurement whose bytes did not all fit on the
    // disk was reported as saved, as an empty file; its temporary routine
    // file was then deleted. The commit mark beside a kept routine is
    // written the same way.
    void saveThatDoesNotFitIsAFailure()
    {
        QTemporaryDir dir;
        auto s = settings();
        wsDaten store;
        ovra::util::FileUtils::resetMeasurementForLoad(store);
        for (int i = 0; i < 100; ++i) {
            wsDaten::Sample sample;
            sample.fill(2560 + i);
            store.appendSample(sample);
        }
        RoutineRecorder recorder(*s, store);
        QStringList failures;
        recorder.setSaveFailedHandler([&failures](const QString &path) { failures << path; });
        const QString path = dir.filePath(QStringLiteral("short.dat"));
        QVERIFY(!recorder.saveMeasurement(path, true));
        const qint64 size = QFileInfo(path).size();
        QVERIFY(size > 2000);
        QVERIFY(QFile::remove(path));
        CommitMarker marker;
        marker.key = QStringLiteral("k");
        marker.committedAt = kNow;
        marker.databaseSavePending = true;
        {
            ovra::test::FileSizeLimit full(64);
            QVERIFY(recorder.saveMeasurement(path, true));
            QVERIFY(!marker.write(path));
        }
        QCOMPARE(failures, QStringList{path});
        QVERIFY(!QFile::exists(path));
        QVERIFY(!CommitMarker::read(path));
        QVERIFY(marker.write(path));
        QCOMPARE(CommitMarker::read(path)->key, QStringLiteral("k"));
    }

    void temporaryRoutineFileWriteAndDelete()
    {
        QTemporaryDir dir;
        auto s = settings();
        wsDaten store;
        ovra::util::FileUtils::resetMeasurementForLoad(store);
        for (int i = 0; i < 480; ++i)
            store.appendSample(sampleOf(i));
        auto &routine = store.routines();
        routine.exerciseStart = routine.exerciseStartFix = 96;
        routine.exerciseEnd = routine.exerciseEndFix = std::numeric_limits<int>::max();
        routine.routineRecording = true;
        routine.addRoutineMetaInformation(QStringLiteral("Club"), QStringLiteral("TSV 1860 Muenchen"));
        // Separators chosen for spreadsheets do not reach the crash copy: it
        // is written as the loader reads it (it once came back empty).
        s->exportSettings().setColumnSepIndex(2);
        s->exportSettings().setDecimalSepIndex(1);
        s->exportSettings().setLineSepIndex(2);
        RoutineRecorder recorder(*s, store);
        recorder.setTemporaryDirectory(dir.path());
        QCOMPARE(recorder.temporaryRoutineFilePath(), dir.path() + "/~routine.dat");
        QVERIFY(!recorder.temporaryRoutineFileExists());
        QVERIFY(recorder.saveRoutineResultsToTempFile());
        // The still open window was closed at the current sample.
        QVERIFY(!routine.routineRecording);
        QCOMPARE(routine.exerciseEnd, 480);
        QCOMPARE(routine.exerciseEndFix, 480);
        QVERIFY(recorder.temporaryRoutineFileExists());
        QFile written(recorder.temporaryRoutineFilePath());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readLine(), QByteArray("-0.002\t4.30\t1\n"));
        written.close();

        wsDaten loaded;
        std::function<void()> reset = [&loaded] { ovra::util::FileUtils::resetMeasurementForLoad(loaded); };
        QVERIFY(ovra::util::FileUtils::loadDataFile(dir.path() + "/~routine", s.get(), loaded, nullptr, reset));
        QCOMPARE(loaded.sampleCount(), 480);
        QCOMPARE(loaded.routines().exerciseStart, 96);
        QCOMPARE(loaded.routines().exerciseEnd, 480);
        QCOMPARE(loaded.routines().routineMetaInformation, routine.routineMetaInformation);
        QCOMPARE(loaded.sample(479), store.sample(479));

        recorder.deleteTempRoutineFile();
        QVERIFY(!recorder.temporaryRoutineFileExists());
        recorder.deleteTempRoutineFile(); // a missing file is no error
    }

    void ringStoresDataFramesOnly()
    {
        QDateTime now = kNow;
        LastChanceRecovery ring(nullptr, [&now] { return now; });
        QCOMPARE(LastChanceRecovery::capacity(), 600000);
        QCOMPARE(ring.oldestSampleTime(), kNow.addMSecs(-600000));
        // Before anything arrived the ring is all zeros.
        QCOMPARE(ring.totalTrampoline1(599999), 0);

        auto f = frame({sampleOf(0), sampleOf(1), sampleOf(2)});
        ring.storeFrame(f.data());
        QCOMPARE(ring.writeIndex(), 3);
        // The newest three samples are the last three of the ring.
        QCOMPARE(ring.sample(599997), sampleOf(0));
        QCOMPARE(ring.sample(599999), sampleOf(2));
        QCOMPARE(ring.sampleAt(599998, 5), int(sampleOf(1)[5]));
        const auto &s = sampleOf(2);
        QCOMPARE(ring.totalTrampoline1(599999), s[0] + s[1] + s[2] + s[3]);
        QCOMPARE(ring.totalTrampoline2(599999), s[4] + s[5] + s[6] + s[7]);

        auto wrongMagic = f;
        wrongMagic[1] = 0xC4;
        auto command = frame({sampleOf(0), sampleOf(1), sampleOf(2)}, 'A');
        ring.storeFrame(wrongMagic.data());
        ring.storeFrame(command.data());
        QCOMPARE(ring.writeIndex(), 3);
        ring.pauseRecording();
        ring.storeFrame(f.data());
        QCOMPARE(ring.writeIndex(), 3);
        ring.resumeRecording();
        UsbFrame usbFrame;
        std::copy(f.begin(), f.end(), usbFrame.bytes);
        usbFrame.bytes[2] = '3';
        ring.storeFrame(usbFrame);
        QCOMPARE(ring.writeIndex(), 6);
    }

    void ringWrapsAndKeepsItsTimes()
    {
        QDateTime now = kNow;
        LastChanceRecovery ring(nullptr, [&now] { return now; });
        int i = 0;
        const int frames = LastChanceRecovery::kCapacity / 3;
        for (int n = 0; n < frames + 2; ++n) {
            if (n == frames - 1)
                now = kNow.addSecs(600); // the wrap happens inside this frame
            auto f = frame({sampleOf(i), sampleOf(i + 1), sampleOf(i + 2)});
            i += 3;
            ring.storeFrame(f.data());
        }
        QCOMPARE(ring.writeIndex(), 6);
        // Oldest is sample 6 of the stream, newest the last one stored.
        QCOMPARE(ring.sample(0), sampleOf(6));
        QCOMPARE(ring.sample(599999), sampleOf(i - 1));
        QCOMPARE(ring.oldestSampleTime(), kNow.addSecs(600).addMSecs(6 - 600000));
        QCOMPARE(ring.sampleTime(599999), kNow.addSecs(600).addMSecs(5));
    }

    void replayOfAnEmptyStretchReplaysNothing()
    {
        LastChanceRecovery ring;
        for (int n = 0; n < 1000; ++n) {
            auto f = frame({sampleOf(3 * n), sampleOf(3 * n + 1), sampleOf(3 * n + 2)});
            ring.storeFrame(f.data());
        }
        wsDaten store;
        for (int i = 0; i < 10; ++i)
            store.appendSample(sampleOf(i));
        RecoverySelection selection{3, 599000, 599000, 599000};
        RoutineRecorder::replay(store, ring, selection, 0, nullptr);
        QCOMPARE(store.sampleCount(), 0);
        QCOMPARE(store.routines().landingCount, quint64(0));
        QCOMPARE(int(store.trampMode()), 3);
    }

    // The ring is fed the same frames the store got while a routine was
    // measured live; replaying the stretch finds the same landings.
    void recoveredRoutineMatchesTheLiveDetection_data()
    {
        QTest::addColumn<int>("recording");
        QTest::newRow("trampoline 1") << 1;
        QTest::newRow("trampoline 2") << 2;
        QTest::newRow("synchronized") << 3;
    }
    void recoveredRoutineMatchesTheLiveDetection()
    {
        QFETCH(int, recording);
        if (!m_library)
            QSKIP("simulated recordings not found");
        wsDaten live;
        m_library->play(recording, live);
        const auto &routine = live.routines();
        QCOMPARE(routine.landingCount, quint64(10));

        // Some unrelated samples before the routine's recording.
        LastChanceRecovery ring;
        for (int n = 0; n < 500; ++n) {
            auto f = frame({sampleOf(n), sampleOf(n), sampleOf(n)});
            ring.storeFrame(f.data());
        }
        const QJsonObject r = m_library->recording(recording);
        const int first = r.value(QStringLiteral("firstSample")).toInt();
        const int samples = r.value(QStringLiteral("samples")).toInt();
        const char *bytes = m_library->table.constData() + qsizetype(first) * playback::kSampleBytes;
        for (int f = 0; f < samples / 3; ++f) {
            UsbFrame usbFrame;
            usbFrame.bytes[0] = 0xC7;
            usbFrame.bytes[1] = 0xC3;
            usbFrame.bytes[2] = '1';
            std::memcpy(usbFrame.bytes + 5, bytes + qsizetype(f) * 48, 48);
            ring.storeFrame(usbFrame);
        }
        const int stored = samples / 3 * 3;
        const int from = LastChanceRecovery::kCapacity - stored;

        wsDaten recovered;
        StoreSettings configured;
        configured.minForceSum1 = live.contactDetector(0).contactThreshold;
        configured.minForceSum2 = live.contactDetector(1).contactThreshold;
        recovered.applyStoreSettings(configured);
        for (int t = 0; t < 2; ++t)
            recovered.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
        RecoverySelection selection{int(live.trampMode()), from, LastChanceRecovery::kCapacity,
                                    from + routine.exerciseStart};
        RoutineRecorder::replay(recovered, ring, selection, 0, nullptr);

        QCOMPARE(recovered.sampleCount(), stored);
        QCOMPARE(recovered.trampMode(), live.trampMode());
        const auto &mine = recovered.routines();
        QCOMPARE(mine.exerciseStart, routine.exerciseStart);
        QCOMPARE(mine.landingCount, routine.landingCount);
        const bool synchronized = live.trampMode() == data::model::TrampMode::Synchronized;
        for (int side = 0; side < 2; ++side) {
            const auto &a = synchronized ? (side ? mine.synchronizedLandingsTrampoline2 : mine.synchronizedLandingsTrampoline1)
                                         : (side ? mine.individualLandingsTrampoline2 : mine.individualLandingsTrampoline1);
            const auto &b = synchronized ? (side ? routine.synchronizedLandingsTrampoline2 : routine.synchronizedLandingsTrampoline1)
                                         : (side ? routine.individualLandingsTrampoline2 : routine.individualLandingsTrampoline1);
            for (std::size_t k = 0; k < 10; ++k) {
                QCOMPARE(a[k].landingTime, b[k].landingTime);
                QCOMPARE(a[k].takeoffTime, b[k].takeoffTime);
                QVERIFY(std::abs(a[k].timeOfFlight - b[k].timeOfFlight) <= 5);
                QCOMPARE(a[k].landingZone, b[k].landingZone);
                QCOMPARE(a[k].hdDeduction, b[k].hdDeduction);
            }
        }
        // Start time from the first landing, as after a live routine.
        const auto &firstLanding = synchronized ? mine.synchronizedLandingsTrampoline1[0]
                                   : live.trampMode() == data::model::TrampMode::Trampoline2
                                       ? mine.individualLandingsTrampoline2[0]
                                       : mine.individualLandingsTrampoline1[0];
        QCOMPARE(mine.routineStartTime(), (firstLanding.landingTime - firstLanding.timeOfFlight) * 0.001);

        // A stretch chosen to begin where the routine begins still gives
        // the routine its landings.
        wsDaten fromBegin;
        fromBegin.applyStoreSettings(configured);
        for (int t = 0; t < 2; ++t)
            fromBegin.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
        const int begin = from + routine.exerciseStart;
        RoutineRecorder::replay(fromBegin, ring, {int(live.trampMode()), begin, LastChanceRecovery::kCapacity, begin},
                                0, nullptr);
        QCOMPARE(fromBegin.routines().landingCount, routine.landingCount);
    }
};

OVRA_TEST_CORE_MAIN(TestRecovery)
#include "tst_recovery.moc"
