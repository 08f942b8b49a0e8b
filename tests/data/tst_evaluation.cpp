#include "data/Evaluation.h"
#include "data/Routines.h"
#include "support/TestSupport.h"

#include <vector>

using namespace data::calc;
using data::model::Landing;
using data::model::TrampNumber;

namespace {

Landing landingWith(int landingTime, int timeOfFlight, double hdDeduction)
{
    Landing landing;
    landing.landingNumber = 0;
    landing.landingTime = landingTime;
    landing.takeoffTime = landingTime + 400;
    landing.timeOfFlight = timeOfFlight;
    landing.hdDeduction = hdDeduction;
    return landing;
}

// Eight channels of constant raw values, as the store's ring would hold them.
struct ConstantSamples
{
    std::array<double, 8> raw{};
    int reads = 0;
    double operator()(int channel, int)
    {
        ++reads;
        return raw[std::size_t(channel)];
    }
};

} // namespace

class TestEvaluation : public QObject
{
    Q_OBJECT
private slots:
    void zoneBoundaries_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("zone");
        QTest::newRow("centre") << 0.0 << 0.0 << 6;
        QTest::newRow("x 54 inside") << 54.0 << 0.0 << 6;
        QTest::newRow("x 54.01") << 54.01 << 0.0 << 7;
        QTest::newRow("x -54 inside") << -54.0 << 54.0 << 6;
        QTest::newRow("x -54.01") << -54.01 << 0.0 << 5;
        QTest::newRow("x 107.5 still 7") << 107.5 << 0.0 << 7;
        QTest::newRow("x 107.51") << 107.51 << 0.0 << 8;
        QTest::newRow("x -107.5 is 5") << -107.5 << 0.0 << 5;
        QTest::newRow("x -107.51") << -107.51 << 0.0 << 4;
        QTest::newRow("y 54.01 top") << 0.0 << 54.01 << 2;
        QTest::newRow("y -54 inside") << 0.0 << -54.0 << 6;
        QTest::newRow("y -54.01 bottom") << 0.0 << -54.01 << 10;
        QTest::newRow("top left corner") << -120.0 << 60.0 << 1;
        QTest::newRow("top right corner") << 120.0 << 60.0 << 3;
        QTest::newRow("bottom left corner") << -120.0 << -60.0 << 9;
        QTest::newRow("bottom right corner") << 120.0 << -60.0 << 11;
        QTest::newRow("top middle wide x") << -80.0 << 60.0 << 2;
        QTest::newRow("bottom right middle") << 80.0 << -60.0 << 10;
    }
    void zoneBoundaries()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, zone);
        QCOMPARE(landingZoneFor(x, y), zone);
    }

    void hdDeductionBothRules_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("rule0");
        QTest::addColumn<double>("rule1");
        QTest::newRow("centre") << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("54/54 boundary") << 54.0 << -54.0 << 0.0 << 0.0;
        QTest::newRow("x 54.01") << -54.01 << 0.0 << 0.1 << 0.1;
        QTest::newRow("x 107.5") << 107.5 << 10.0 << 0.1 << 0.1;
        QTest::newRow("x 107.51") << 107.51 << 10.0 << 0.2 << 0.3;
        QTest::newRow("y 54.01 inner x") << 0.0 << 54.01 << 0.2 << 0.3;
        QTest::newRow("y -60 middle x") << 80.0 << -60.0 << 0.2 << 0.3;
        QTest::newRow("corner 120/60") << 120.0 << 60.0 << 0.3 << 0.5;
        QTest::newRow("corner -120/-60") << -120.0 << -60.0 << 0.3 << 0.5;
        QTest::newRow("y far, x inside") << 10.0 << 200.0 << 0.2 << 0.3;
    }
    void hdDeductionBothRules()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, rule0);
        QFETCH(double, rule1);
        QCOMPARE(hdDeductionFor(0, x, y), rule0);
        QCOMPARE(hdDeductionFor(1, x, y), rule1);
    }

    void unknownRuleFallsBackToRule0()
    {
        QCOMPARE(hdDeductionFor(7, 120.0, 60.0), 0.3);
        QCOMPARE(hdDeductionFor(-1, 0.0, 60.0), 0.2);
    }

    void centreOfPressureFollowsSensorCorners()
    {
        const BedGeometry bed;
        LandingPosition p{1, 1};
        QVERIFY(centreOfPressure({400, 400, 400, 400}, bed, p));
        QCOMPARE(p, LandingPosition());

        // All force on S3 and S4: the centre of pressure sits on their edge,
        // +L/2 = 182.5 cm.
        QVERIFY(centreOfPressure({0, 0, 700, 700}, bed, p));
        QCOMPARE(p.x, 182.5);
        QCOMPARE(p.y, 0.0);
        QCOMPARE(landingZoneFor(p.x, p.y), 8);
        QCOMPARE(hdDeductionFor(0, p.x, p.y), 0.2);
        QCOMPARE(hdDeductionFor(1, p.x, p.y), 0.3);

        // Three quarters of the force on S3 and S4: halfway, 91.25 cm.
        QVERIFY(centreOfPressure({125, 125, 375, 375}, bed, p));
        QCOMPARE(p.x, 91.25);
        QCOMPARE(p.y, 0.0);
        QCOMPARE(landingZoneFor(p.x, p.y), 7);
        QCOMPARE(hdDeductionFor(0, p.x, p.y), 0.1);
        QCOMPARE(hdDeductionFor(1, p.x, p.y), 0.1);

        // All force on S2 and S3 (+W/2), then S1 alone (-L/2, -W/2).
        QVERIFY(centreOfPressure({0, 600, 600, 0}, bed, p));
        QCOMPARE(p.x, 0.0);
        QCOMPARE(p.y, 121.25);
        QVERIFY(centreOfPressure({1000, 0, 0, 0}, bed, p));
        QCOMPARE(p.x, -182.5);
        QCOMPARE(p.y, -121.25);

        // Other geometry scales linearly: 3/4 of the force forward.
        QVERIFY(centreOfPressure({100, 100, 300, 300}, BedGeometry{4000, 2000}, p));
        QCOMPARE(p.x, 100.0);
    }

    void tooLittleForceIsInvalid()
    {
        LandingPosition p{5, 5};
        QVERIFY(!centreOfPressure({124.9, 125, 125, 125}, BedGeometry(), p));
        QCOMPARE(p, LandingPosition());
        QVERIFY(centreOfPressure({125, 125, 125, 125}, BedGeometry(), p));
        QVERIFY(!centreOfPressure({qQNaN(), 1000, 1000, 1000}, BedGeometry(), p));
        QCOMPARE(p, LandingPosition());
    }

    void landingPositionAveragesSamplesMinusOffsets()
    {
        ConstantSamples samples;
        // Trampoline 2: channels 4 to 7. Offsets 100 each, NaN on S2.
        samples.raw = {9, 9, 9, 9, 100, 100, 800, 800};
        LandingPosition p;
        const std::array<double, 4> offsets{100, qQNaN(), 100, 100};
        // S1 0, S2 100 (NaN offset counts 0), S3 700, S4 700 => F 1500.
        QVERIFY(landingPosition(samples, TrampNumber::Trampoline2, 10, 19, offsets, BedGeometry(), p));
        QCOMPARE(samples.reads, 40);
        QCOMPARE(p.x, 3650.0 * (1400.0 - 100.0) / 1500.0 * 0.05);
        QCOMPARE(p.y, 2425.0 * (800.0 - 700.0) / 1500.0 * 0.05);

        // Trampoline 1 reads channels 0 to 3 only: below 500 N is invalid.
        QVERIFY(!landingPosition(samples, TrampNumber::Trampoline1, 10, 19, {0, 0, 0, 0}, BedGeometry(), p));
        // An empty range is invalid rather than a division by zero.
        QVERIFY(!landingPosition(samples, TrampNumber::Trampoline2, 10, 9, {0, 0, 0, 0}, BedGeometry(), p));
        QCOMPARE(p, LandingPosition());
    }

    void flightTimeTruncatesToFiveMs()
    {
        QCOMPARE(timeOfFlightFor(1234, 0), 1230);
        QCOMPARE(timeOfFlightFor(2000 + 1236, 2000), 1235);
        QCOMPARE(timeOfFlightFor(1000, 1004), 0);
        QCOMPARE(timeOfFlightFor(1000, 1007), 5);
        QCOMPARE(timeOfFlightFor(1240, 0), 1240);
    }

    void buildLandingFillsDerivedFields()
    {
        data::model::LandingThresholds thresholds;
        ContactMeasurement contact;
        contact.contactStart = 5100;
        contact.contactEnd = 5300;
        contact.rawDataIndexLanding = 5080;
        contact.rawDataIndexTakeoff = 5320;
        contact.fmaxIndex = 5200;
        contact.fmax = 4000.0;
        contact.position = {120.0, 60.0};

        const Landing first = buildLanding(0, contact, thresholds, 1, nullptr);
        QCOMPARE(first.landingNumber, 0);
        QCOMPARE(first.landingTime, 5005);
        QCOMPARE(first.takeoffTime, 5402);
        QCOMPARE(first.contactTime, 397);
        QCOMPARE(first.timeOfFlight, 0);
        QCOMPARE(first.fmaxIndex, 5200);
        QCOMPARE(first.landingZone, 3);
        QCOMPARE(first.hdDeduction, 0.5);
        QCOMPARE(first.distanceFromCenter, std::sqrt(120.0 * 120.0 + 60.0 * 60.0));
        QCOMPARE(first.forceThreasholdLanding, 2000.0);
        QCOMPARE(first.forceThreasholdTakeoff, 2000.0);
        QCOMPARE(first.synScore, 0.0);
        QVERIFY(!first.notSynchronous);
        QVERIFY(!isCountedLanding(first));

        thresholds.threshold_landing = 30;
        thresholds.preTime_landing = 70;
        ContactMeasurement next = contact;
        next.rawDataIndexLanding = 5402 + 1234 + 70;
        next.rawDataIndexTakeoff = next.rawDataIndexLanding + 300;
        next.position = {};
        const Landing second = buildLanding(1, next, thresholds, 0, &first);
        QCOMPARE(second.landingTime, 5402 + 1234);
        QCOMPARE(second.timeOfFlight, 1230);
        QCOMPARE(second.forceThreasholdLanding, 1200.0);
        // An invalid position lands in the centre without deduction.
        QCOMPARE(second.landingZone, 6);
        QCOMPARE(second.hdDeduction, 0.0);
        QCOMPARE(second.distanceFromCenter, 0.0);
        QVERIFY(isCountedLanding(second));
    }

    void synchronisationArithmetic_data()
    {
        QTest::addColumn<int>("apart");
        QTest::addColumn<double>("difference");
        QTest::addColumn<double>("deduction");
        QTest::addColumn<bool>("notSynchronous");
        QTest::newRow("same time") << 0 << 0.0 << 0.0 << false;
        QTest::newRow("3 ms") << 3 << 0.0 << 0.0 << false;
        QTest::newRow("37 ms") << 37 << 0.035 << 0.08 << false;
        QTest::newRow("-37 ms") << -37 << 0.035 << 0.08 << false;
        QTest::newRow("399 ms") << 399 << 0.395 << 0.98 << false;
        QTest::newRow("400 ms") << 400 << 0.4 << 1.0 << true;
        QTest::newRow("900 ms") << 900 << 0.9 << 1.0 << true;
    }
    void synchronisationArithmetic()
    {
        QFETCH(int, apart);
        QFETCH(double, difference);
        QFETCH(double, deduction);
        QFETCH(bool, notSynchronous);
        Landing a = landingWith(10000, 1000, 0.0);
        Landing b = landingWith(10000 + apart, 1000, 0.0);
        synchronizePair(a, b);
        for (const Landing *l : {&a, &b}) {
            QCOMPARE(l->landingTimeDifference, difference);
            QCOMPARE(l->synDeduction, deduction);
            QCOMPARE(l->synScore, 1.0 - deduction);
            QCOMPARE(l->notSynchronous, notSynchronous);
        }
        if (apart == 37)
            QCOMPARE(a.synScore, 0.92);
    }

    void pairsAreRecomputedTogether()
    {
        std::array<Landing, 3> a{landingWith(100, 0, 0), landingWith(2000, 900, 0),
                                 landingWith(4000, 900, 0)};
        std::array<Landing, 3> b{landingWith(137, 0, 0), landingWith(2500, 900, 0),
                                 landingWith(4000, 900, 0)};
        b[2].synScore = 0.5; // stale, beyond n
        synchronizePairs(a, b, 2);
        QCOMPARE(a[0].synDeduction, 0.08);
        QCOMPARE(b[0].synScore, 0.92);
        QVERIFY(a[1].notSynchronous);
        QVERIFY(b[1].notSynchronous);
        QCOMPARE(b[2].synScore, 0.5);
        synchronizePairs(a, b, 10);
        QCOMPARE(b[2].synScore, 1.0);
    }

    void individualResultCountsFlightsAboveFourMs()
    {
        std::vector<Landing> landings{landingWith(0, 0, 0.3), landingWith(0, 1230, 0.1),
                                      landingWith(0, 1235, 0.2), landingWith(0, 4, 0.5),
                                      landingWith(0, 5000, 0.3)};
        // Flights 1234 and 1236 ms are stored as 1230 and 1235: 2465 => 2.46 s.
        auto result = evaluateIndividualRoutine(landings, 4, -2);
        QCOMPARE(result.timeOfFlight, 2.46);
        QCOMPARE(result.hdDeductionSum, 0.3);
        QCOMPARE(result.horizontalDisplacement, 1.7);
        QCOMPARE(result.elementCount, quint64(4));
        QCOMPARE(result.shiftedLandings, -2);

        result = evaluateIndividualRoutine(landings, 0);
        QCOMPARE(result, data::model::IndividualRoutineResult());

#ifdef QT_NO_DEBUG
        // More landings than the array holds are clamped, not read past.
        result = evaluateIndividualRoutine(landings, 99);
        QCOMPARE(result.elementCount, quint64(5));
        QCOMPARE(result.timeOfFlight, 7.46);
#endif
    }

    void synchronizedResultStopsAtFirstNotSynchronousPair()
    {
        data::model::Routines routines;
        routines.shiftedLandings = 1;
        auto &a = routines.synchronizedLandingsTrampoline1;
        auto &b = routines.synchronizedLandingsTrampoline2;
        const int apart[] = {37, 0, 400, 10, 20};
        const double hd1[] = {0.1, 0.0, 0.3, 0.0, 0.0};
        const double hd2[] = {0.2, 0.3, 0.0, 0.0, 0.0};
        for (int i = 0; i < 5; ++i) {
            a[std::size_t(i)] = landingWith(3000 * i, 900, hd1[i]);
            b[std::size_t(i)] = landingWith(3000 * i + apart[i], 900, hd2[i]);
            synchronizePair(a[std::size_t(i)], b[std::size_t(i)]);
        }
        QCOMPARE(effectivePairCount(a, 5), std::size_t(2));
        QCOMPARE(effectivePairCount(a, 2), std::size_t(2));

        const auto result = evaluateSynchronizedRoutine(routines, 5);
        QCOMPARE(result.effectiveElementCount, quint64(2));
        QCOMPARE(result.elementCount, quint64(5));
        QCOMPARE(result.hdDeductionSumTrampoline1, 0.1);
        QCOMPARE(result.horizontalDisplacementTrampoline1, 1.9);
        QCOMPARE(result.hdDeductionSumTrampoline2, 0.5);
        QCOMPARE(result.horizontalDisplacementTrampoline2, 1.5);
        QCOMPARE(result.landingTimeDifferenceSum, 0.035);
        QCOMPARE(result.synDeductionSum, 0.08);
        QCOMPARE(result.synchronizedScore, 1.92);
        QCOMPARE(result.reserved, 0.0);
        QCOMPARE(result.shiftedLandings, 1);

        // All pairs synchronous: every pair counts.
        const auto firstTwo = evaluateSynchronizedRoutine(a, b, 2, 0);
        QCOMPARE(firstTwo.effectiveElementCount, quint64(2));
        QCOMPARE(firstTwo.elementCount, quint64(2));
        QCOMPARE(firstTwo.synchronizedScore, 1.92);
    }
};

OVRA_TEST_CORE_MAIN(TestEvaluation)
#include "tst_evaluation.moc"
