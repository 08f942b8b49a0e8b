#include "data/Evaluation.h"
#include "data/Routines.h"
#include "data/wsDaten.h"
#include "settings/RulesSettings.h"
#include "support/TestSupport.h"
#include "util/RESTUtils.h"

#include <QJsonArray>
#include <QStateMachine>
#include <QJsonDocument>

using namespace ovra::rest::client;
using data::model::Landing;
using data::model::Routines;
using data::model::TrampMode;
using ovra::util::RESTUtils;

namespace {

Landing landing(int number, int landingTime, int timeOfFlight, double x, double y, int rule = 0)
{
    Landing l;
    l.landingNumber = number;
    l.landingTime = landingTime;
    l.takeoffTime = landingTime + 400;
    l.timeOfFlight = timeOfFlight;
    l.landingPosition = {x, y};
    l.landingZone = data::calc::landingZoneFor(x, y);
    l.hdDeduction = data::calc::hdDeductionFor(rule, x, y);
    return l;
}

QJsonObject jsonOf(const ScoringResult &result)
{
    // Through the text, as receivers see it.
    return QJsonDocument::fromJson(result.toJson()).object();
}

// Individual routine on the given array: the first landing has no flight,
// then 1735 ms and 1234 ms (stored 1230).
void fillIndividual(Routines &routines, Routines::LandingArray &array)
{
    array[0] = landing(4, 1000, 0, 12.5, -12.5);
    array[1] = landing(5, 3135, 1735, 0.0, 60.0);   // deduction 0.2 => 0.8
    array[2] = landing(6, 4765, 1230, 120.0, 60.0); // deduction 0.3 => 0.7
    routines.landingCount = 3;
}

} // namespace

class TestRESTUtils : public QObject
{
    Q_OBJECT
private slots:
    void rounding()
    {
        QCOMPARE(RESTUtils::roundToCentimetre(12.5), 13);
        QCOMPARE(RESTUtils::roundToCentimetre(-12.5), -13);
        QCOMPARE(RESTUtils::roundToCentimetre(12.49), 12);
        QCOMPARE(RESTUtils::roundToCentimetre(qQNaN()), 0);
        QCOMPARE(RESTUtils::roundTo(0.25, 1), 0.3);
        QCOMPARE(RESTUtils::roundTo(-0.25, 1), -0.3);
        QCOMPARE(RESTUtils::roundTo(1.0 - 0.3, 1), 0.7);
        QCOMPARE(RESTUtils::roundTo(0.0355, 3), 0.036);
        QCOMPARE(RESTUtils::roundTo(1.845, 2), 1.85);
    }

    void individualResult()
    {
        Routines routines;
        routines.setPenalty(0.25);
        routines.setRoutineStartTime(4.44);
        fillIndividual(routines, routines.individualLandingsTrampoline2);
        RulesSettings rules;
        rules.setHdDeductionRule(0);

        const ScoringResult result =
            RESTUtils::createConfirmedResult(routines, TrampMode::Trampoline2, rules);
        QVERIFY(result.isValid());
        const QJsonObject json = jsonOf(result);
        QCOMPARE(json.value("type").toString(), QStringLiteral("individual"));
        QCOMPARE(json.value("maturity").toString(), QStringLiteral("confirmed"));
        QCOMPARE(json.value("rulesSettings").toObject().value("hdDeductions").toString(),
                 QStringLiteral("max3"));
        QVERIFY(!json.contains("synchronizedResult"));
        const QJsonObject individual = json.value("individualResult").toObject();
        QVERIFY(!individual.contains("meta"));
        QCOMPARE(individual.value("startPenalty").toDouble(), 0.3);
        QCOMPARE(individual.value("delayBeforeStartInSeconds").toDouble(), 4.4);
        // 1735 + 1230 = 2965 ms => 2.96 s
        QCOMPARE(individual.value("timeOfFlightInSeconds").toDouble(), 2.96);
        // 0.8 + 0.7, the first landing does not count
        QCOMPARE(individual.value("horizontalDisplacement").toDouble(), 1.5);
        QCOMPARE(individual.value("elementCount").toInt(), 3);

        const QJsonArray elements = individual.value("elements").toArray();
        QCOMPARE(elements.size(), 3);
        const QJsonObject first = elements.at(0).toObject();
        QCOMPARE(first.value("landingPositionInCm").toObject(), QJsonObject({{"x", 13}, {"y", -13}}));
        QVERIFY(first.value("landingPositionInCm").toObject().value("x").isDouble());
        QCOMPARE(first.value("timeOfFlightInSeconds").toDouble(), 0.0);
        QCOMPARE(first.value("horizontalDisplacement").toDouble(), 1.0);
        QCOMPARE(first.value("landingZone").toInt(), 6);
        const QJsonObject second = elements.at(1).toObject();
        QCOMPARE(second.value("timeOfFlightInSeconds").toDouble(), 1.735);
        QCOMPARE(second.value("horizontalDisplacement").toDouble(), 0.8);
        QCOMPARE(second.value("landingZone").toInt(), 2);
        const QJsonObject third = elements.at(2).toObject();
        QCOMPARE(third.value("horizontalDisplacement").toDouble(), 0.7);
        QCOMPARE(third.value("landingZone").toInt(), 3);
        QCOMPARE(third.value("timeOfFlightInSeconds").toDouble(), 1.23);
    }

    void individualResultUsesTheModesArrayAndPassedResult()
    {
        Routines routines;
        fillIndividual(routines, routines.individualLandingsTrampoline1);
        routines.individualLandingsTrampoline2[0] = landing(0, 10, 555, 0, 0);
        data::model::IndividualRoutineResult values;
        values.timeOfFlight = 12.345;
        values.horizontalDisplacement = 8.25;
        RulesSettings rules;
        rules.setHdDeductionRule(1);
        const QJsonObject json =
            jsonOf(RESTUtils::createPreliminaryResult(routines, TrampMode::Trampoline1, values, {}, rules));
        QCOMPARE(json.value("maturity").toString(), QStringLiteral("preliminary"));
        QCOMPARE(json.value("rulesSettings").toObject().value("hdDeductions").toString(),
                 QStringLiteral("max5"));
        const QJsonObject individual = json.value("individualResult").toObject();
        QCOMPARE(individual.value("timeOfFlightInSeconds").toDouble(), 12.35);
        QCOMPARE(individual.value("horizontalDisplacement").toDouble(), 8.3);
        QCOMPARE(
            individual.value("elements").toArray().at(1).toObject().value("timeOfFlightInSeconds").toDouble(),
            1.735);
    }

    void emptyRoutineAndMeta()
    {
        Routines routines;
        RulesSettings rules;
        QJsonObject individual =
            jsonOf(RESTUtils::createConfirmedResult(routines, TrampMode::Trampoline1, rules))
                .value("individualResult")
                .toObject();
        QCOMPARE(individual.value("elementCount").toInt(), 0);
        QVERIFY(individual.contains("elementCount"));
        QVERIFY(!individual.contains("elements"));
        QVERIFY(!individual.contains("meta"));

        QMap<QString, QString> meta;
        meta.insert("athlete", "Ann\tBee");
        meta.insert("routine", "2");
        routines.setRoutineMetaInformation(meta);
        individual = jsonOf(RESTUtils::createConfirmedResult(routines, TrampMode::Trampoline1, rules))
                         .value("individualResult")
                         .toObject();
        QCOMPARE(individual.value("meta").toObject(),
                 QJsonObject({{"athlete", "Ann Bee"}, {"routine", "2"}}));

        // Rounding a huge value does not overflow to infinity, which JSON
        // cannot hold: the result keeps its keys.
        QCOMPARE(RESTUtils::roundTo(1e308, 1), 1e308);
        QCOMPARE(RESTUtils::roundTo(-1e300, 3), -1e300);
        routines.setPenalty(1e308);
        routines.setRoutineStartTime(-1e308);
        individual = jsonOf(RESTUtils::createConfirmedResult(routines, TrampMode::Trampoline1, rules))
                         .value("individualResult")
                         .toObject();
        QCOMPARE(individual.value("startPenalty").toDouble(), 1e308);
        QCOMPARE(individual.value("delayBeforeStartInSeconds").toDouble(), -1e308);
    }

    void ruleOutsideZeroAndOneHasNoRulesSettings()
    {
        Routines routines;
        RulesSettings rules;
        for (int rule : {-1, 2, 17}) {
            rules.setHdDeductionRule(rule);
            const QJsonObject json =
                jsonOf(RESTUtils::createConfirmedResult(routines, TrampMode::Trampoline1, rules));
            QVERIFY(!json.contains("rulesSettings"));
            QVERIFY(json.contains("type"));
        }
    }

    void synchronizedThirdPairNotSynchronous()
    {
        Routines routines;
        routines.setPenalty(0.1);
        auto &a = routines.synchronizedLandingsTrampoline1;
        auto &b = routines.synchronizedLandingsTrampoline2;
        const int apart[] = {37, 8, 400, 0};
        const double x1[] = {12.5, 60.0, 0.0, 0.0};
        const double x2[] = {-12.5, 0.0, 120.0, 0.0};
        const double y2[] = {0.0, 0.0, 60.0, 0.0};
        for (int i = 0; i < 4; ++i) {
            const auto s = std::size_t(i);
            a[s] = landing(i, 2000 * i + 500, i ? 1500 : 0, x1[i], 0.0);
            b[s] = landing(i, 2000 * i + 500 + apart[i], i ? 1500 : 0, x2[i], y2[i]);
            data::calc::synchronizePair(a[s], b[s]);
        }
        routines.landingCount = 4;
        RulesSettings rules;

        const ScoringResult result =
            RESTUtils::createConfirmedResult(routines, TrampMode::Synchronized, rules);
        QVERIFY(result.isValid());
        const QJsonObject json = jsonOf(result);
        QCOMPARE(json.value("type").toString(), QStringLiteral("synchronized"));
        QVERIFY(!json.contains("individualResult"));
        const QJsonObject sync = json.value("synchronizedResult").toObject();
        QCOMPARE(sync.value("elementCount").toInt(), 4);
        QCOMPARE(sync.value("effectiveElementCount").toInt(), 2);
        QCOMPARE(sync.value("startPenalty").toDouble(), 0.1);
        // Pairs 0 and 1 count: scores 0.92 + 0.99 (8 ms => d 5 => 0.01).
        QCOMPARE(sync.value("synchronizedScore").toDouble(), 1.91);
        // Trampoline 1: 1.0 + 0.9; trampoline 2: 1.0 + 1.0; mean 1.95.
        QCOMPARE(sync.value("horizontalDisplacementTrampoline1").toDouble(), 1.9);
        QCOMPARE(sync.value("horizontalDisplacementTrampoline2").toDouble(), 2.0);
        QCOMPARE(sync.value("horizontalDisplacement").toDouble(), 1.95);

        const QJsonArray elements = sync.value("elements").toArray();
        QCOMPARE(elements.size(), 4);
        const QJsonObject first = elements.at(0).toObject();
        QCOMPARE(first.size(), 10);
        QCOMPARE(first.value("landingTimeDifferenceInSeconds").toDouble(), 0.035);
        QCOMPARE(first.value("synchronizedScore").toDouble(), 0.92);
        QCOMPARE(first.value("forcedEndOfRoutine").toBool(), false);
        QVERIFY(first.value("forcedEndOfRoutine").isBool());
        QCOMPARE(first.value("landingPositionInCmTrampoline1").toObject(),
                 QJsonObject({{"x", 13}, {"y", 0}}));
        QCOMPARE(first.value("landingPositionInCmTrampoline2").toObject(),
                 QJsonObject({{"x", -13}, {"y", 0}}));
        const QJsonObject third = elements.at(2).toObject();
        QCOMPARE(third.value("forcedEndOfRoutine").toBool(), true);
        QCOMPARE(third.value("landingTimeDifferenceInSeconds").toDouble(), 0.4);
        QCOMPARE(third.value("synchronizedScore").toDouble(), 0.0);
        QCOMPARE(third.value("landingZoneTrampoline2").toInt(), 3);
        QCOMPARE(third.value("horizontalDisplacementTrampoline2").toDouble(), 0.7);
        QCOMPARE(third.value("horizontalDisplacement").toDouble(), 0.85);
        // The fourth pair is synchronous again but comes after the end.
        QCOMPARE(elements.at(3).toObject().value("forcedEndOfRoutine").toBool(), false);
    }

    void unknownModeHasZeroTotalsAndNoElements()
    {
        Routines routines;
        fillIndividual(routines, routines.individualLandingsTrampoline1);
        RulesSettings rules;
        const QJsonObject json =
            jsonOf(RESTUtils::createConfirmedResult(routines, static_cast<TrampMode>(0), rules));
        QCOMPARE(json.value("type").toString(), QStringLiteral("individual"));
        const QJsonObject individual = json.value("individualResult").toObject();
        QCOMPARE(individual.value("timeOfFlightInSeconds").toDouble(), 0.0);
        QVERIFY(!individual.contains("elements"));
    }

    void landingCountBeyondTheSlotsIsClamped()
    {
        Routines routines;
        fillIndividual(routines, routines.individualLandingsTrampoline1);
        routines.landingCount = 99;
        RulesSettings rules;
        const QJsonObject individual =
            jsonOf(RESTUtils::createConfirmedResult(routines, TrampMode::Trampoline1, rules))
                .value("individualResult")
                .toObject();
        QCOMPARE(individual.value("elementCount").toInt(), 99);
        QCOMPARE(individual.value("elements").toArray().size(), Routines::kSlots);
    }

    void stateType_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("inner");
        QTest::addColumn<QString>("state");
        QTest::newRow("disconnected ready") << false << 6 << "other";
        QTest::newRow("disconnected routine") << false << 8 << "other";
        QTest::newRow("ready") << true << 6 << "ready";
        QTest::newRow("tara") << true << 15 << "ready";
        QTest::newRow("start") << true << 7 << "start";
        QTest::newRow("routine") << true << 8 << "routine";
        QTest::newRow("continuous") << true << 18 << "routine";
        for (int review : {9, 12, 13, 16, 17, 19})
            QTest::newRow(qPrintable(QStringLiteral("review %1").arg(review))) << true << review << "review";
        for (int other : {10, 11, 14, 5, 0, 20, -1})
            QTest::newRow(qPrintable(QStringLiteral("other %1").arg(other))) << true << other << "other";
    }
    void stateType()
    {
        QFETCH(bool, connected);
        QFETCH(int, inner);
        QFETCH(QString, state);
        ScoringState message;
        message.setState(RESTUtils::createScoringStateType(connected, inner));
        QVERIFY(message.isValid());
        QCOMPARE(QJsonDocument::fromJson(message.toJson()).object(), QJsonObject({{"state", state}}));
    }

    // The state machine's own properties, and the store's own results.
    void fromTheMachineAndTheStore()
    {
        QStateMachine machine;
        QCOMPARE(RESTUtils::createScoringStateType(machine).toString(), QStringLiteral("other"));
        machine.setProperty("usbConnected", true);
        machine.setProperty("connectedInnerState", 8);
        QCOMPARE(RESTUtils::createScoringStateType(machine).toString(), QStringLiteral("routine"));
        machine.setProperty("usbConnected", false);
        QCOMPARE(RESTUtils::createScoringStateType(machine).toString(), QStringLiteral("other"));

        wsDaten store;
        store.setTrampMode(TrampMode::Trampoline1);
        auto &routine = store.routines();
        routine.landingCount = 2;
        for (std::size_t k = 0; k < 2; ++k) {
            routine.individualLandingsTrampoline1[k].landingNumber = int(k);
            routine.individualLandingsTrampoline1[k].timeOfFlight = 1200 + int(k) * 100;
            routine.individualLandingsTrampoline1[k].hdDeduction = 0.1;
        }
        RulesSettings rules;
        const QJsonObject fromStore = jsonOf(RESTUtils::createConfirmedResult(store, rules));
        QCOMPARE(fromStore, jsonOf(RESTUtils::createConfirmedResult(routine, TrampMode::Trampoline1, rules)));
        QCOMPARE(fromStore.value("individualResult").toObject().value("elementCount").toInt(), 2);
        QVERIFY(fromStore.value("individualResult").toObject().value("timeOfFlightInSeconds").toDouble() > 1.0);
        QCOMPARE(jsonOf(RESTUtils::createPreliminaryResult(store, rules)).value("maturity").toString(),
                 QStringLiteral("preliminary"));
    }
};

OVRA_TEST_CORE_MAIN(TestRESTUtils)
#include "tst_restutils.moc"
