#include "StoreFeeder.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "support/TestSupport.h"

#include <QSignalSpy>

using data::model::Landing;
using namespace storetest;

// A continuous training longer than the ring (1,000,800 samples) with more
// landings than a detected list holds (500).
class TestLongMeasurement : public QObject
{
    Q_OBJECT

    static constexpr int kFirst = 1000;
    static constexpr int kPeriod = 1500; // 450 contact + 1050 flight
    static constexpr int kContacts = 800;

    wsDaten store;
    BedSignal bed1 = BedSignal::bouncing(kFirst, kContacts, kPeriod - 450);
    Feeder feed{store, [this](int i) { return makeSample(bed1, BedSignal{}, i); }};

private Q_SLOTS:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        for (int t = 0; t < 2; ++t)
            store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
        store.handleTrampolineSelection(0);
        // The routine takes landings 700 to 709.
        feed.until(kFirst + 700 * kPeriod - 500, InnerState::CONTINUOUS);
        store.routines().routineRecording = true;
        store.routines().exerciseStart = store.sampleCount();
        feed.until(kFirst + 710 * kPeriod - 500, InnerState::CONTINUOUS);
        store.routines().routineRecording = false;
        feed.until(kFirst + kContacts * kPeriod + 500, InnerState::CONTINUOUS);
        feed.work.clear();
    }

    void detectionKeepsGoingPastTheRing()
    {
        QVERIFY(store.sampleCount() > wsDaten::kRingSamples);
        QCOMPARE(store.sampleCount(), feed.next);
        QCOMPARE(store.firstAvailableSample(), store.sampleCount() - wsDaten::kRingSamples);
        QCOMPARE(store.landingCount(0), 500);
        QCOMPARE(store.droppedLandings(0), kContacts - 500);
        const auto &list = store.detectedLandings(wsDaten::DetectedList::IndividualTrampoline1);
        for (int k = 0; k < 500; ++k) {
            const Landing &l = list[static_cast<std::size_t>(k)];
            const int number = kContacts - 500 + k;
            QCOMPARE(l.landingNumber, number);
            // Indexes stay on the measurement's own time axis.
            QVERIFY2(std::abs(l.landingTime - (kFirst + number * kPeriod)) <= 2,
                     qPrintable(QStringLiteral("%1: %2").arg(number).arg(l.landingTime)));
            QVERIFY(l.timeOfFlight >= 1035 && l.timeOfFlight <= 1050);
            QVERIFY(std::abs(l.landingPosition.x) < 0.5);
        }
        QVERIFY(list[499].landingTime > wsDaten::kRingSamples);
    }

    void routineOfLandingsBeyondTheRing()
    {
        auto &r = store.routines();
        QCOMPARE(r.landingCount, quint64(10));
        for (std::size_t k = 0; k < 10; ++k)
            QCOMPARE(r.individualLandingsTrampoline1[k].landingNumber, 700 + int(k));
        QCOMPARE(r.exerciseEndFix, r.individualLandingsTrampoline1[9].takeoffTime);
    }

    void editsOnARolledOverList()
    {
        auto &r = store.routines();
        const auto &list = store.detectedLandings(wsDaten::DetectedList::IndividualTrampoline1);
        const int dropped = store.droppedLandings(0);
        auto expectRoutineFrom = [&](int firstNumber, int count) {
            QCOMPARE(r.landingCount, quint64(count));
            for (int k = 0; k < count; ++k)
                QCOMPARE(r.individualLandingsTrampoline1[std::size_t(k)],
                         list[std::size_t(firstNumber - dropped + k)]);
        };
        store.moveRoutineLeft();
        expectRoutineFrom(699, 10);
        QCOMPARE(r.shiftedLandings, -1);
        // Left to the front of the list, never past it.
        for (int k = 0; k < 450; ++k)
            store.moveRoutineLeft();
        expectRoutineFrom(dropped, 10);
        QCOMPARE(r.shiftedLandings, dropped - 700);
        QVERIFY(r.exerciseStart >= 0);
        // Right to the newest landing, never past it.
        for (int k = 0; k < 600; ++k)
            store.moveRoutineRight();
        expectRoutineFrom(kContacts - 10, 10);
        store.decreaseLandingsInRoutine();
        store.decreaseLandingsInRoutine();
        expectRoutineFrom(kContacts - 10, 8);
        store.increaseLandingsInRoutine();
        store.increaseLandingsInRoutine();
        store.increaseLandingsInRoutine();
        expectRoutineFrom(kContacts - 10, 10);
        QVERIFY(r.exerciseEnd <= store.blockCount() - 1);
    }

    void emptiedRoutineFindsItsLandingAgain()
    {
        auto &r = store.routines();
        for (int k = 0; k < 10; ++k)
            store.decreaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(0));
        store.increaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(1));
        QCOMPARE(r.individualLandingsTrampoline1[0].landingNumber, kContacts - 10);
    }

    void newMeasurementStartsAtZeroAgain()
    {
        store.resetMeasurement();
        QCOMPARE(store.sampleCount(), 0);
        QCOMPARE(store.droppedLandings(0), 0);
        const int start = feed.next;
        bed1 = BedSignal::bouncing(start + 1000, 2, 1000);
        feed.until(start + 5000, InnerState::CONTINUOUS);
        QCOMPARE(store.landingCount(0), 2);
        const Landing &l = store.detectedLandings(wsDaten::DetectedList::IndividualTrampoline1)[1];
        QCOMPARE(l.landingNumber, 1);
        QVERIFY(std::abs(l.landingTime - 2450) <= 2);
    }
};

OVRA_TEST_CORE_MAIN(TestLongMeasurement)
#include "tst_longmeasurement.moc"
