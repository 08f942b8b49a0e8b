#include "StoreFeeder.h"
#include "data/Evaluation.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "support/TestSupport.h"

#include <QSignalSpy>

#include <cmath>

using data::model::Landing;
using data::model::TrampMode;
using namespace storetest;

namespace {

using List = wsDaten::DetectedList;

void taraOnIdleBeds(wsDaten &store)
{
    for (int t = 0; t < 2; ++t)
        store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
}

// Bed 1 carries force(i) spread evenly over its sensors; bed 2 is idle.
std::function<wsDaten::Sample(int)> bed1Force(std::function<double(int)> force)
{
    return [force](int i) {
        wsDaten::Sample s;
        s.fill(2560);
        // integral newtons spread so the four sensors add up exactly
        const long total = std::lround(force(i));
        for (std::size_t k = 0; k < 4; ++k)
            s[k] = static_cast<qint16>(2560 + total / 4 + (static_cast<long>(k) < total % 4 ? 1 : 0));
        return s;
    };
}

// A contact whose push-off is slow: rises to 1200 N, holds, then falls by
// 8 N per sample, so the take-off threshold (600 N) is crossed 47 samples
// after the contact ended (below 980 N).
double slowPushOff(int i, int touch)
{
    const int k = i - touch;
    if (k < 0)
        return 0.0;
    if (k < 100)
        return 12.0 * k;
    if (k < 200)
        return 1200.0;
    return std::max(0.0, 1200.0 - 8.0 * (k - 200));
}

struct Bouncing
{
    wsDaten store;
    BedSignal bed1;
    BedSignal bed2;
    Feeder feed;

    explicit Bouncing(BedSignal b1, BedSignal b2 = {})
        : bed1(std::move(b1))
        , bed2(std::move(b2))
        , feed(store, [this](int i) { return makeSample(bed1, bed2, i); })
    {
        taraOnIdleBeds(store);
        store.handleTrampolineSelection(0);
    }
};

} // namespace

class TestDetection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { data::model::registerMetaTypes(); }

    void contactMustLastMoreThanFiftySamples_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("landings");
        QTest::newRow("50") << 50 << 0;
        QTest::newRow("51") << 51 << 1;
    }

    void contactMustLastMoreThanFiftySamples()
    {
        QFETCH(int, length);
        QFETCH(int, landings);
        wsDaten store;
        taraOnIdleBeds(store);
        Feeder feed(store,
                    bed1Force([length](int i) { return i >= 1000 && i < 1000 + length ? 2000.0 : 0.0; }));
        feed.until(2000, InnerState::CONTINUOUS);
        QCOMPARE(store.landingCount(0), landings);
        if (landings) {
            const Landing &l = store.detectedLandings(List::IndividualTrampoline1)[0];
            QCOMPARE(l.contactStart, 1000);
            QCOMPARE(l.contactEnd, 1000 + length);
            QCOMPARE(l.fmaxIndex, 1000);
            QCOMPARE(l.fmax, 2000.0);
            QCOMPARE(l.rawDataIndexLanding, 999);
            QCOMPARE(l.rawDataIndexTakeoff, 1000 + length);
            QCOMPARE(l.landingTime, 999 - 75);
            QCOMPARE(l.takeoffTime, 1000 + length + 82);
            QCOMPARE(l.timeOfFlight, 0);
            QCOMPARE(l.landingNumber, 0);
        }
    }

    void hysteresisAroundTheThreshold()
    {
        wsDaten store;
        taraOnIdleBeds(store);
        store.setContactThresholds(800.0);
        QCOMPARE(store.contactDetector(0).hysteresis, 20.0);
        Feeder feed(store, bed1Force([](int i) {
                        if (i < 480)
                            return 0.0;
                        if (i < 576)
                            return 819.0;
                        if (i < 672)
                            return 820.0;
                        if (i < 768)
                            return 781.0;
                        if (i < 864)
                            return 779.0;
                        return 0.0;
                    }));
        feed.until(576, InnerState::CONTINUOUS);
        QVERIFY(!store.contactDetector(0).inContact);
        feed.until(768, InnerState::CONTINUOUS);
        QVERIFY(store.contactDetector(0).inContact);
        QCOMPARE(store.contactDetector(0).contactStart, 576);
        feed.until(1200, InnerState::CONTINUOUS);
        QCOMPARE(store.landingCount(0), 1);
        const Landing &l = store.detectedLandings(List::IndividualTrampoline1)[0];
        QCOMPARE(l.contactStart, 576);
        QCOMPARE(l.contactEnd, 768);
        QCOMPARE(l.rawDataIndexTakeoff, 864);
    }

    void pushOffCompletingLaterGivesTheSameLanding()
    {
        // The same contact at two offsets half a block apart: each waits for its
        // push-off, and both give the same landing, shifted.
        std::array<Landing, 2> landings;
        for (int variant = 0; variant < 2; ++variant) {
            const int touch = 2000 + 24 * variant;
            wsDaten store;
            taraOnIdleBeds(store);
            Feeder feed(store, bed1Force([touch](int i) { return slowPushOff(i, touch); }));
            bool waited = false;
            while (store.landingCount(0) == 0 && feed.next < 4000) {
                feed.block(InnerState::CONTINUOUS);
                if (store.contactDetector(0).contactReady && store.landingCount(0) == 0)
                    waited = true;
            }
            QVERIFY(waited);
            QCOMPARE(store.landingCount(0), 1);
            landings[static_cast<std::size_t>(variant)] =
                store.detectedLandings(List::IndividualTrampoline1)[0];
        }
        Landing shifted = landings[0];
        for (int *field :
             {&shifted.contactStart, &shifted.contactEnd, &shifted.rawDataIndexLanding,
              &shifted.rawDataIndexTakeoff, &shifted.landingTime, &shifted.takeoffTime, &shifted.fmaxIndex})
            *field += 24;
        QCOMPARE(landings[1], shifted);
        QCOMPARE(landings[0].fmax, 1200.0);
        QCOMPARE(landings[0].rawDataIndexTakeoff, 2000 + 275);
    }

    // A heavy athlete stands on the bed when START is armed (850 N, above
    // the 800 N class), then pushes off: the standing contact peaks long
    // after its force first fell below half the peak, so it can never be
    // evaluated. It once stopped every later landing on that bed.
    void contactThatCannotBeEvaluatedDoesNotStopTheDetection()
    {
        wsDaten store;
        taraOnIdleBeds(store);
        store.setContactThresholds(800.0);
        Feeder feed(store, bed1Force([](int i) {
                        if (i < 2000)
                            return 850.0;
                        if (i < 2450) {
                            const double push = 3000.0 * std::sin(M_PI * (i - 2000) / 450.0);
                            return i < 2225 ? std::max(850.0, push) : push;
                        }
                        // Six jumps: 450-sample contacts after 1000-sample flights.
                        const int k = (i - 2450) % 1450;
                        if (i >= 2450 + 6 * 1450 || k < 1000)
                            return 0.0;
                        return 3000.0 * std::sin(M_PI * (k - 1000) / 450.0);
                    }));
        store.routines().routineRecording = true;
        store.routines().exerciseStart = 0;
        feed.until(2450 + 6 * 1450 + 1000, InnerState::ROUTINE);
        QCOMPARE(store.landingCount(0), 6);
        QVERIFY(!store.contactDetector(0).contactReady);
        const auto &list = store.detectedLandings(List::IndividualTrampoline1);
        for (int k = 0; k < 6; ++k)
            QVERIFY(std::abs(list[std::size_t(k)].landingTime - (3450 + 1450 * k)) <= 2);
        QCOMPARE(store.routines().landingCount, quint64(6));
    }

    void flightTimesAndTheFirstLanding()
    {
        // 450-sample contacts with 1000-sample flights: touchdown and take-off
        // are recovered by the corrections to within a few samples.
        Bouncing b(BedSignal::bouncing(1000, 4, 1000));
        b.feed.until(8000, InnerState::CONTINUOUS);
        QCOMPARE(b.store.landingCount(0), 4);
        const auto &list = b.store.detectedLandings(List::IndividualTrampoline1);
        QCOMPARE(list[0].timeOfFlight, 0);
        for (int k = 0; k < 4; ++k) {
            const Landing &l = list[static_cast<std::size_t>(k)];
            QCOMPARE(l.landingNumber, k);
            QVERIFY2(std::abs(l.landingTime - (1000 + k * 1450)) <= 2,
                     qPrintable(QString::number(l.landingTime)));
            QVERIFY(std::abs(l.takeoffTime - (1450 + k * 1450)) <= 10);
            QCOMPARE(l.landingZone, 6);
            if (k > 0) {
                QCOMPARE(l.timeOfFlight % 5, 0);
                QVERIFY(std::abs(l.timeOfFlight - 1000) <= 10);
            }
        }
        // The first landing does not count in a result.
        const auto result =
            data::calc::evaluateIndividualRoutine(std::span<const Landing>(list.data(), 4), 4);
        QCOMPARE(result.timeOfFlight,
                 (list[1].timeOfFlight + list[2].timeOfFlight + list[3].timeOfFlight) / 10 * 10 * 0.001);
    }

    void landingPositionFollowsTheLoad()
    {
        BedSignal bed1;
        bed1.contacts = {{1000, 450, 3000, 0, 0}, {2500, 450, 3000, 91.25, 0}, {4000, 450, 3000, 120, 60}};
        Bouncing b(bed1);
        b.feed.rule = 1;
        b.feed.until(6000, InnerState::CONTINUOUS);
        QCOMPARE(b.store.landingCount(0), 3);
        const auto &list = b.store.detectedLandings(List::IndividualTrampoline1);
        QVERIFY(std::abs(list[0].landingPosition.x) < 0.1);
        QVERIFY(std::abs(list[1].landingPosition.x - 91.25) < 0.3);
        QCOMPARE(list[1].landingZone, 7);
        QCOMPARE(list[1].hdDeduction, 0.1);
        QCOMPARE(list[2].landingZone, 3);
        QCOMPARE(list[2].hdDeduction, 0.5);
    }

    void eleventhLandingRollsTheFirstOut()
    {
        Bouncing b(BedSignal::bouncing(1000, 11, 900));
        QSignalSpy rollover(&b.store.routines(), &data::model::Routines::rolloverLandings);
        QSignalSpy landingSpy(&b.store, &wsDaten::updateLandingTrampoline1);
        QSignalSpy resultSpy(&b.store, &wsDaten::updateResultIndividualRoutine);
        QSignalSpy endSpy(&b.store, &wsDaten::setExerciseEndTimeFix);
        b.store.routines().routineRecording = true;
        b.feed.until(1000 + 10 * 1350 - 300, InnerState::ROUTINE);
        QCOMPARE(b.store.routines().landingCount, quint64(10));
        QCOMPARE(rollover.count(), 0);
        const int tenthTakeoff = b.store.routines().individualLandingsTrampoline1[9].takeoffTime;
        QCOMPARE(b.store.routines().exerciseEnd, tenthTakeoff);
        QCOMPARE(endSpy.count(), 1);
        QCOMPARE(endSpy.at(0).at(0).toInt(), tenthTakeoff);

        b.feed.until(1000 + 11 * 1350, InnerState::ROUTINE);
        QCOMPARE(rollover.count(), 1);
        const auto &list = b.store.detectedLandings(List::IndividualTrampoline1);
        const auto expected =
            data::calc::evaluateIndividualRoutine(std::span<const Landing>(list.data() + 1, 9), 9);
        const auto carried = rollover.at(0).at(0).value<data::model::IndividualRoutineResult>();
        QCOMPARE(carried, expected);
        QCOMPARE(carried.elementCount, quint64(9));
        QCOMPARE(b.store.routines().landingCount, quint64(10));
        QCOMPARE(b.store.routines().individualLandingsTrampoline1[0].landingNumber, 1);
        QCOMPARE(b.store.routines().individualLandingsTrampoline1[9].landingNumber, 10);
        QCOMPARE(landingSpy.count(), 11);
        QCOMPARE(landingSpy.last().at(0).value<std::size_t>(), std::size_t(9));
        QCOMPARE(landingSpy.last().at(2).value<DataUpdateReason>(), DataUpdateReason::Measurement);
        QCOMPARE(resultSpy.count(), 11);
    }

    void individualEdits()
    {
        Bouncing b(BedSignal::bouncing(1000, 14, 900));
        // recording from the third landing on
        b.feed.until(1000 + 2 * 1350 - 100, InnerState::CONTINUOUS);
        b.store.routines().routineRecording = true;
        b.store.routines().exerciseStart = b.store.sampleCount();
        b.feed.until(1000 + 12 * 1350 - 100, InnerState::ROUTINE);
        b.store.routines().routineRecording = false;
        b.feed.until(1000 + 14 * 1350, InnerState::CONTINUOUS);
        auto &r = b.store.routines();
        QCOMPARE(b.store.landingCount(0), 14);
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(r.individualLandingsTrampoline1[0].landingNumber, 2);

        QSignalSpy reset(&b.store, &wsDaten::resetTrampoline1);
        QSignalSpy landingSpy(&b.store, &wsDaten::updateLandingTrampoline1);
        QSignalSpy resultSpy(&b.store, &wsDaten::updateResultIndividualRoutine);
        QSignalSpy startSpy(&b.store, &wsDaten::setExerciseStartTime);
        QSignalSpy endSpy(&b.store, &wsDaten::setExerciseEndTime);

        b.store.increaseLandingsInRoutine(); // 10 already
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(reset.count(), 0);

        b.store.decreaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(9));
        QVERIFY(r.individualLandingsTrampoline1[9].isEmpty());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(landingSpy.count(), 9);
        QCOMPARE(landingSpy.at(0).at(2).value<DataUpdateReason>(), DataUpdateReason::Edit);
        QCOMPARE(resultSpy.last().at(0).value<data::model::IndividualRoutineResult>().elementCount,
                 quint64(9));
        const auto &list = b.store.detectedLandings(List::IndividualTrampoline1);
        QCOMPARE(r.exerciseStart, list[2].landingTime - 250);
        QCOMPARE(r.exerciseEnd, list[10].takeoffTime + 250);
        QCOMPARE(startSpy.last().at(0).toInt(), r.exerciseStart);
        QCOMPARE(endSpy.last().at(0).toInt(), r.exerciseEnd);

        b.store.moveRoutineRight();
        QCOMPARE(r.shiftedLandings, 1);
        QCOMPARE(r.individualLandingsTrampoline1[0], list[3]);
        QCOMPARE(r.individualLandingsTrampoline1[8], list[11]);
        b.store.increaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(r.individualLandingsTrampoline1[9], list[12]);
        b.store.moveRoutineRight(); // 4..13
        b.store.moveRoutineRight(); // no landing 14
        QCOMPARE(r.shiftedLandings, 2);
        QCOMPARE(r.individualLandingsTrampoline1[9], list[13]);
        // The window end never passes the last processed block.
        QVERIFY(r.exerciseEnd <= b.store.blockCount() - 1);

        for (int k = 0; k < 5; ++k)
            b.store.moveRoutineLeft();
        // Stops at first landing 1: landing 0 has no flight time.
        QCOMPARE(r.individualLandingsTrampoline1[0].landingNumber, 1);
        QCOMPARE(r.shiftedLandings, -1);
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(r.individualLandingsTrampoline1[9], list[10]);

        // Emptied and lengthened again, the routine starts where it was.
        for (int k = 0; k < 12; ++k)
            b.store.decreaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(0));
        QCOMPARE(r.exerciseEnd, r.exerciseStart);
        b.store.increaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(1));
        QCOMPARE(r.individualLandingsTrampoline1[0].landingNumber, 1);
    }

    void editsNeedAThousandSamples()
    {
        Bouncing b(BedSignal::bouncing(100, 1, 900, 3000, 300));
        b.store.routines().routineRecording = true;
        b.feed.until(960, InnerState::ROUTINE);
        QCOMPARE(b.store.routines().landingCount, quint64(1));
        b.store.decreaseLandingsInRoutine();
        QCOMPARE(b.store.routines().landingCount, quint64(1));
    }

    void synchronizedPairsAndEdits()
    {
        // Trampoline 2 lands 37 ms after trampoline 1, except the fourth pair
        // which is 400 ms apart.
        BedSignal bed1 = BedSignal::bouncing(1000, 13, 900);
        BedSignal bed2 = BedSignal::bouncing(1037, 13, 900);
        bed2.contacts[4].touch = bed1.contacts[4].touch + 420;
        bed2.contacts[4].duration = 400;
        Bouncing b(bed1, bed2);
        b.store.handleTrampolineSelection(2);
        QCOMPARE(b.store.trampMode(), TrampMode::Synchronized);
        QSignalSpy pairSpy(&b.store, &wsDaten::updateLandingSynchronizedRoutine);
        QSignalSpy resultSpy(&b.store, &wsDaten::updateResultSynchronizedRoutine);
        b.feed.until(1000 + 1350 - 100, InnerState::CONTINUOUS);
        b.store.routines().routineRecording = true;
        b.store.routines().exerciseStart = b.store.sampleCount();
        QTest::ignoreMessage(QtDebugMsg, "we already have 10 landings on trampoline 1 - return");
        QTest::ignoreMessage(QtDebugMsg, "we already have 10 landings on trampoline 2 - return");
        b.feed.until(1000 + 11 * 1350 + 1000, InnerState::ROUTINE);
        b.store.routines().routineRecording = false;
        b.feed.until(19000, InnerState::CONTINUOUS);
        QCOMPARE(b.store.landingCount(0), 13);
        auto &r = b.store.routines();
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(r.synchronizedLandingCount1, quint64(10));
        QCOMPARE(pairSpy.count(), 10);
        const auto &first = r.synchronizedLandingsTrampoline1;
        const auto &second = r.synchronizedLandingsTrampoline2;
        QCOMPARE(first[0].landingNumber, 1);
        QCOMPARE(second[0].landingNumber, 1);
        QCOMPARE(first[0].synDeduction, 0.08);
        QCOMPARE(second[0].synScore, 0.92);
        QVERIFY(first[3].notSynchronous);
        QCOMPARE(first[3].synDeduction, 1.0);
        const auto result = resultSpy.last().at(0).value<data::model::SynchronizedRoutineResult>();
        QCOMPARE(result.effectiveElementCount, quint64(3));
        QCOMPARE(result.elementCount, quint64(10));
        QCOMPARE(r.exerciseEndFix, second[9].takeoffTime);

        QSignalSpy resetTable(&b.store, &wsDaten::resetSynchronizedResultsTable);
        b.store.moveRoutineLeft();
        QCOMPARE(first[0].landingNumber, 0);
        QCOMPARE(second[0].landingNumber, 0);
        QCOMPARE(r.shiftedLandings, -1);
        QCOMPARE(resetTable.count(), 1);
        QVERIFY(first[4].notSynchronous && second[4].notSynchronous);
        QVERIFY(!first[3].notSynchronous);
        QCOMPARE(b.store.currentSynchronizedResult().effectiveElementCount, quint64(4));
        b.store.moveRoutineLeft(); // firsts are 0
        QCOMPARE(r.shiftedLandings, -1);
        QCOMPARE(r.exerciseStart, std::max(0, std::min(first[0].landingTime, second[0].landingTime) - 250));
        b.store.moveRoutineRight();
        b.store.moveRoutineRight();
        b.store.moveRoutineRight(); // 3..12
        b.store.moveRoutineRight(); // no landing 13
        QCOMPARE(first[0].landingNumber, 3);
        QCOMPARE(first[9].landingNumber, 12);
        QCOMPARE(b.store.currentSynchronizedResult().effectiveElementCount, quint64(1));
        b.store.decreaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(9));
        b.store.increaseLandingsInRoutine();
        b.store.increaseLandingsInRoutine();
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(b.store.currentIndividualResult(), data::model::IndividualRoutineResult());

        QSignalSpy approved(&b.store, &wsDaten::approvedResultSynchronizedRoutine);
        QSignalSpy resetIndividual(&b.store, &wsDaten::resetIndividualResultsTable);
        b.store.emitRoutineResult();
        QCOMPARE(resetIndividual.count(), 1);
        QCOMPARE(approved.count(), 1);
        QCOMPARE(approved.at(0).at(0).value<data::model::SynchronizedRoutineResult>(),
                 b.store.currentSynchronizedResult());
    }

    void extraBounceOnTrampolineTwoKeepsPairsInStep()
    {
        // Trampoline 2 bounces once before the routine; trampoline 1 lands
        // 100 ms after trampoline 2's second landing.
        BedSignal bed1 = BedSignal::bouncing(2550, 5, 1000);
        BedSignal bed2 = BedSignal::bouncing(1000, 6, 1000);
        Bouncing b(bed1, bed2);
        b.store.handleTrampolineSelection(2);
        b.store.routines().routineRecording = true;
        b.feed.until(11000, InnerState::ROUTINE);
        auto &r = b.store.routines();
        QCOMPARE(r.landingCount, quint64(5));
        for (std::size_t p = 0; p < 5; ++p) {
            QCOMPARE(r.synchronizedLandingsTrampoline2[p].landingNumber, int(p) + 1);
            QVERIFY(!r.synchronizedLandingsTrampoline1[p].notSynchronous);
        }
    }

    // Pairs join the landings of both beds nearest in time. A landing without
    // a partner (trampoline 1's extra bounce before the routine, or trampoline
    // 2's half of a pair whose other half came before the window opened) once
    // shifted every later pair by one jump: all not synchronous.
    void unpairedLandingsStayOutOfThePairs()
    {
        {
            BedSignal bed1 = BedSignal::bouncing(1000, 9, 1000);
            BedSignal bed2 = BedSignal::bouncing(1000 + 1450 + 30, 8, 1000);
            Bouncing b(bed1, bed2);
            b.store.handleTrampolineSelection(2);
            b.store.routines().routineRecording = true;
            b.feed.until(15000, InnerState::ROUTINE);
            const auto &r = b.store.routines();
            QCOMPARE(r.landingCount, quint64(8));
            for (std::size_t p = 0; p < 8; ++p) {
                QCOMPARE(r.synchronizedLandingsTrampoline1[p].landingNumber, int(p) + 1);
                QCOMPARE(r.synchronizedLandingsTrampoline2[p].landingNumber, int(p));
            }
            QCOMPARE(b.store.currentSynchronizedResult().effectiveElementCount, quint64(8));
            QCOMPARE(r.synchronizedLandingsTrampoline1[0].synDeduction, 0.07);
            // Emptied and lengthened again in review, it starts with the same pair.
            for (int k = 0; k < 8; ++k)
                b.store.decreaseLandingsInRoutine();
            QCOMPARE(r.landingCount, quint64(0));
            b.store.increaseLandingsInRoutine();
            QCOMPARE(r.landingCount, quint64(1));
            QCOMPARE(r.synchronizedLandingsTrampoline1[0].landingNumber, 1);
            QCOMPARE(r.synchronizedLandingsTrampoline2[0].landingNumber, 0);
        }
        {
            // The window opens in the block between the two detections of a pair.
            Bouncing b(BedSignal::bouncing(1000, 10, 1000), BedSignal::bouncing(1040, 10, 1000));
            b.store.handleTrampolineSelection(2);
            while (b.store.landingCount(0) < 2)
                b.feed.block(InnerState::START);
            QCOMPARE(b.store.landingCount(1), 1);
            auto &r = b.store.routines();
            r.routineRecording = true;
            r.exerciseStart = b.store.sampleCount();
            b.feed.until(16000, InnerState::ROUTINE);
            QCOMPARE(r.landingCount, quint64(8));
            QCOMPARE(r.synchronizedLandingsTrampoline1[0].landingNumber, 2);
            QCOMPARE(r.synchronizedLandingsTrampoline2[0].landingNumber, 2);
            QCOMPARE(b.store.currentSynchronizedResult().effectiveElementCount, quint64(8));
        }
    }

    void modeChangeDuringAMeasurement()
    {
        // Two landings on trampoline 1 alone, two while the mode says both
        // trampolines, then trampoline 1 alone again: flight times still refer
        // to the landing before, and routines never take the cleared records
        // that the change leaves in the individual list.
        Bouncing b(BedSignal::bouncing(1000, 7, 1000));
        b.feed.until(3800, InnerState::CONTINUOUS);
        QCOMPARE(b.store.landingCount(0), 2);
        b.store.setTrampMode(TrampMode::Synchronized);
        b.feed.until(6700, InnerState::CONTINUOUS);
        QCOMPARE(b.store.landingCount(0), 4);
        b.store.setTrampMode(TrampMode::Trampoline1);
        b.store.routines().routineRecording = true;
        b.store.routines().exerciseStart = b.store.sampleCount();
        b.feed.until(11500, InnerState::ROUTINE);
        QCOMPARE(b.store.landingCount(0), 7);
        const auto &individual = b.store.detectedLandings(List::IndividualTrampoline1);
        const auto &synchronized = b.store.detectedLandings(List::SynchronizedTrampoline1);
        QCOMPARE(synchronized[2].landingNumber, 2);
        QVERIFY(std::abs(synchronized[2].timeOfFlight - 1000) <= 10);
        QCOMPARE(individual[2], Landing::zeroed());
        auto &r = b.store.routines();
        QCOMPARE(r.landingCount, quint64(3));
        QCOMPARE(r.individualLandingsTrampoline1[0].landingNumber, 4);
        QVERIFY(std::abs(r.individualLandingsTrampoline1[0].timeOfFlight - 1000) <= 10);
        QVERIFY(std::abs(b.store.currentIndividualResult().timeOfFlight - 3.0) <= 0.03);
        b.store.moveRoutineLeft(); // would take the cleared record of landing 3
        QCOMPARE(r.individualLandingsTrampoline1[0].landingNumber, 4);
        QCOMPARE(r.shiftedLandings, 0);
    }

    void automaticWeightClass()
    {
        BedSignal bed1;
        bed1.contacts = {{1000, 450, 4000, 0, 0}, {2500, 450, 8000, 0, 0}};
        Bouncing b(bed1);
        QTest::ignoreMessage(QtDebugMsg, "Selected weight class 'Teenager (1150N)'");
        QVERIFY(b.store.handleWeightClassSelection(1));
        QCOMPARE(b.store.contactDetector(1).contactThreshold, 1150.0);
        QCOMPARE(b.store.contactDetector(1).hysteresis, 20.0);
        QVERIFY(!b.store.automaticWeightClass());
        QVERIFY(!b.store.handleWeightClassSelection(4));
        QVERIFY(b.store.automaticWeightClass());
        QCOMPARE(b.store.contactDetector(0).contactThreshold, 800.0);
        b.feed.until(2400, InnerState::START);
        QCOMPARE(b.store.contactDetector(0).contactThreshold, 1150.0);
        int labelled = 0;
        for (const auto &w : b.feed.work)
            if (w.weightClassReached > 0) {
                ++labelled;
                QCOMPARE(w.weightClassReached, 1150.0);
            }
        QCOMPARE(labelled, 1);
        b.feed.until(4000, InnerState::START);
        QCOMPARE(b.store.contactDetector(0).contactThreshold, 2500.0);
        QCOMPARE(b.store.contactDetector(1).contactThreshold, 800.0);
        // Only in START.
        b.store.setContactThresholds(800.0);
        b.bed1.contacts.push_back({4500, 450, 8000, 0, 0});
        b.feed.until(5500, InnerState::ROUTINE);
        QCOMPARE(b.store.landingCount(0), 3);
        QCOMPARE(b.store.contactDetector(0).contactThreshold, 800.0);
    }

    void dropTestTimings()
    {
        wsDaten store;
        taraOnIdleBeds(store);
        store.prepareDropTest();
        BedSignal bed1;
        bed1.contacts = {{5, 450, 6000, 30, -20}};
        Feeder feed(store, [&](int i) { return makeSample(bed1, BedSignal{}, i); });
        QSignalSpy landingSpy(&store, &wsDaten::updateLandingTrampoline1);
        feed.block(InnerState::DROP_TEST);
        QCOMPARE(store.dropStart(), 48);
        // the force falls below 1000 N at sample 432, in the block ending at 480
        feed.until(432, InnerState::DROP_TEST);
        QCOMPARE(store.dropEnd(), -1);
        feed.block(InnerState::DROP_TEST);
        QCOMPARE(store.dropEnd(), 480);
        feed.until(576, InnerState::DROP_TEST);
        QVERIFY(!feed.work.back().dropTest.evaluated);
        feed.block(InnerState::DROP_TEST);
        QCOMPARE(store.sampleCount(), 624);
        const auto result = feed.work.back().dropTest;
        QVERIFY(result.evaluated);
        QCOMPARE(result.dropStart, 48);
        QCOMPARE(result.dropEnd, 480);
        QVERIFY(std::abs(result.landing.landingPosition.x - 30) < 0.5);
        QVERIFY(std::abs(result.landing.landingPosition.y + 20) < 0.5);
        QCOMPARE(store.landingCount(0), 1);
        QCOMPARE(store.routines().landingCount, quint64(1));
        QCOMPARE(store.routines().exerciseStart, 1);
        QCOMPARE(store.routines().exerciseEnd, result.landing.takeoffTime);
        QCOMPARE(landingSpy.count(), 1);
        QCOMPARE(landingSpy.at(0).at(0).value<std::size_t>(), std::size_t(0));
        // With a landing in the routine nothing more is evaluated.
        feed.block(InnerState::DROP_TEST);
        QVERIFY(!feed.work.back().dropTest.evaluated);
    }

    void dropTestIgnoresWhatItCannotEvaluate()
    {
        {
            // a weight that stays on the bed
            wsDaten store;
            taraOnIdleBeds(store);
            Feeder feed(store, bed1Force([](int i) { return i > 100 ? 3000.0 : 0.0; }));
            feed.until(3000, InnerState::DROP_TEST);
            QVERIFY(store.dropStart() > 0);
            QCOMPARE(store.dropEnd(), -1);
            QCOMPARE(store.landingCount(0), 0);
        }
        {
            // trampoline 2 only in mode Trampoline2: nothing
            wsDaten store;
            taraOnIdleBeds(store);
            store.setTrampMode(TrampMode::Trampoline2);
            BedSignal bed1;
            bed1.contacts = {{500, 450, 6000, 0, 0}};
            Feeder feed(store, [&](int i) { return makeSample(bed1, BedSignal{}, i); });
            feed.until(3000, InnerState::DROP_TEST);
            QCOMPARE(store.dropStart(), -1);
            QCOMPARE(store.landingCount(0), 0);
        }
        {
            // a landing already in the routine
            wsDaten store;
            taraOnIdleBeds(store);
            store.routines().landingCount = 1;
            BedSignal bed1;
            bed1.contacts = {{500, 450, 6000, 0, 0}};
            Feeder feed(store, [&](int i) { return makeSample(bed1, BedSignal{}, i); });
            feed.until(3000, InnerState::DROP_TEST);
            QVERIFY(store.dropEnd() > 0);
            QCOMPARE(store.landingCount(0), 0);
        }
    }
};

OVRA_TEST_CORE_MAIN(TestDetection)
#include "tst_detection.moc"
