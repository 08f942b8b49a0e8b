#include "AppStartup.h"
#include "rest/client/ScoringMetaTypes.h"
#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace ovra::rest::client;

namespace {

QJsonObject parse(const QByteArray &text)
{
    return QJsonDocument::fromJson(text).object();
}

ScoringLandingPosition position(int x, int y)
{
    ScoringLandingPosition p;
    p.setX(x);
    p.setY(y);
    return p;
}

ScoringIndividualResultElement element(double flight, double hd, int zone)
{
    ScoringIndividualResultElement e;
    e.setTimeOfFlightInSeconds(flight);
    e.setHorizontalDisplacement(hd);
    e.setLandingPositionInCm(position(3, -4));
    e.setLandingZone(zone);
    return e;
}

QStringList keysOf(const QJsonObject &object)
{
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

} // namespace

class TestScoringModel : public QObject
{
    Q_OBJECT
private slots:
    void freshObjectsAreUnsetAndRenderEmpty()
    {
        ScoringState state;
        QVERIFY(!state.isSet());
        QVERIFY(!state.isValid());
        QCOMPARE(state.toJsonObject(), QJsonObject());
        QCOMPARE(parse(state.toJson()), QJsonObject());

        ScoringResult result;
        QVERIFY(!result.isSet());
        QVERIFY(result.toJsonObject().isEmpty());
        QCOMPARE(result.individualResult().elementCount(), 0);
        QVERIFY(!result.individualResult().elementCountMember().isSet);

        ScoringRulesSettings rules;
        QVERIFY(!rules.isSet());
        QVERIFY(rules.isValid());
    }

    void enumerationStrings()
    {
        QCOMPARE(ScoringResultType(ScoringResultType::Individual).toString(), "individual");
        QCOMPARE(ScoringResultType(ScoringResultType::Synchronized).toString(), "synchronized");
        QCOMPARE(ScoringResultMaturity(ScoringResultMaturity::Preliminary).toString(), "preliminary");
        QCOMPARE(ScoringResultMaturity(ScoringResultMaturity::Confirmed).toString(), "confirmed");
        QCOMPARE(ScoringRulesSettingsHdDeductions(ScoringRulesSettingsHdDeductions::Max3).toString(), "max3");
        QCOMPARE(ScoringRulesSettingsHdDeductions(ScoringRulesSettingsHdDeductions::Max5).toString(), "max5");
        const char *states[] = {"other", "ready", "start", "routine", "review"};
        for (int v = 1; v <= 5; ++v) {
            ScoringStateType type;
            type.setValue(v);
            QCOMPARE(type.toString(), QString::fromLatin1(states[v - 1]));
            QVERIFY(type.isSet());
        }
        ScoringStateType none;
        QCOMPARE(none.toString(), QString());
        QCOMPARE(none.value(), 0);
        // A value outside the enumeration is no value.
        none.setValue(6);
        QCOMPARE(none.value(), 0);
        QVERIFY(!none.isSet());
    }

    void enumerationReadingIsCaseInsensitive()
    {
        ScoringStateType type;
        type.fromJsonValue(QJsonValue(QStringLiteral("ReViEw")));
        QCOMPARE(type.value(), int(ScoringStateType::Review));
        QVERIFY(type.isSet());
        QVERIFY(type.isValid());
        type.fromJsonValue(QJsonValue(QStringLiteral("paused")));
        QCOMPARE(type.value(), 0);
        QVERIFY(!type.isSet());
        QVERIFY(!type.isValid());
        type.fromJsonValue(QJsonValue(7));
        QCOMPARE(type.value(), 0);
    }

    void stateRendersOneKey()
    {
        ScoringState state;
        state.setState(ScoringStateType(ScoringStateType::Routine));
        QVERIFY(state.isSet());
        QVERIFY(state.isValid());
        QCOMPARE(parse(state.toJson()), QJsonObject({{QStringLiteral("state"), QStringLiteral("routine")}}));
        // The text form is indented.
        QVERIFY(state.toJson().contains("\n    \"state\""));

        ScoringState read;
        QVERIFY(read.fromJson(R"({"state":"START"})"));
        QCOMPARE(read.state().value(), int(ScoringStateType::Start));
        QVERIFY(!read.fromJson("not json"));
        QVERIFY(!read.isSet());
        QVERIFY(!read.fromJson("[1,2]"));
    }

    void onlySetMembersAppear()
    {
        ScoringIndividualResult result;
        result.setStartPenalty(0.0);
        result.setElementCount(0);
        QCOMPARE(keysOf(result.toJsonObject()),
                 QStringList({QStringLiteral("elementCount"), QStringLiteral("startPenalty")}));
        // Empty maps and lists are never written, and nothing is null.
        result.setMeta({});
        result.setElements({});
        QCOMPARE(result.toJsonObject().size(), 2);

        ScoringIndividualResult::Meta meta;
        meta.insert(QStringLiteral("athlete"), QStringLiteral("Jo Doe"));
        meta.insert(QStringLiteral("group"), QStringLiteral("7"));
        result.setMeta(meta);
        result.setElements({element(1.735, 0.7, 6)});
        const QJsonObject object = result.toJsonObject();
        QCOMPARE(object.value(QStringLiteral("meta")).toObject(),
                 QJsonObject({{QStringLiteral("athlete"), QStringLiteral("Jo Doe")},
                              {QStringLiteral("group"), QStringLiteral("7")}}));
        const QJsonArray elements = object.value(QStringLiteral("elements")).toArray();
        QCOMPARE(elements.size(), 1);
        const QJsonObject first = elements.at(0).toObject();
        QCOMPARE(keysOf(first), QStringList({"horizontalDisplacement", "landingPositionInCm", "landingZone",
                                             "timeOfFlightInSeconds"}));
        QCOMPARE(first.value(QStringLiteral("timeOfFlightInSeconds")).toDouble(), 1.735);
        QCOMPARE(first.value(QStringLiteral("landingPositionInCm")).toObject(),
                 QJsonObject({{QStringLiteral("x"), 3}, {QStringLiteral("y"), -4}}));

        // A position with only one coordinate set is set, and writes only it.
        ScoringLandingPosition half;
        half.setY(5);
        QVERIFY(half.isSet());
        QVERIFY(!half.isValid());
        QCOMPARE(half.toJsonObject(), QJsonObject({{QStringLiteral("y"), 5}}));
    }

    void nonFiniteNumbersAreNeverWrittenAsNull()
    {
        ScoringIndividualResultElement e = element(1.0, 0.9, 6);
        e.setTimeOfFlightInSeconds(qInf());
        e.setHorizontalDisplacement(qQNaN());
        const QJsonObject object = e.toJsonObject();
        QVERIFY(!object.contains(QStringLiteral("timeOfFlightInSeconds")));
        QVERIFY(!object.contains(QStringLiteral("horizontalDisplacement")));
        QVERIFY(!e.toJson().contains("null"));
    }

    void nestedObjectsAppearWhenSet()
    {
        ScoringResult result;
        result.setType(ScoringResultType(ScoringResultType::Individual));
        result.setMaturity(ScoringResultMaturity(ScoringResultMaturity::Confirmed));
        // An unset nested object stays absent even after its setter.
        result.setRulesSettings(ScoringRulesSettings());
        QCOMPARE(keysOf(result.toJsonObject()), QStringList({"maturity", "type"}));
        QVERIFY(result.isValid());

        ScoringRulesSettings rules;
        rules.setHdDeductions(ScoringRulesSettingsHdDeductions(ScoringRulesSettingsHdDeductions::Max5));
        result.setRulesSettings(rules);
        ScoringSynchronizedResultElement pair;
        pair.setForcedEndOfRoutine(false);
        ScoringSynchronizedResult synchronized;
        synchronized.setElements({pair});
        result.setSynchronizedResult(synchronized);
        const QJsonObject object = result.toJsonObject();
        QCOMPARE(object.value(QStringLiteral("rulesSettings")).toObject(),
                 QJsonObject({{QStringLiteral("hdDeductions"), QStringLiteral("max5")}}));
        // false is written, since it was set.
        QCOMPARE(object.value(QStringLiteral("synchronizedResult"))
                     .toObject()
                     .value(QStringLiteral("elements"))
                     .toArray()
                     .at(0)
                     .toObject(),
                 QJsonObject({{QStringLiteral("forcedEndOfRoutine"), false}}));
        QVERIFY(!object.contains(QStringLiteral("individualResult")));
    }

    void roundTripOfACompleteResult()
    {
        ScoringSynchronizedResultElement pair;
        pair.setLandingTimeDifferenceInSeconds(0.035);
        pair.setSynchronizedScore(0.92);
        pair.setForcedEndOfRoutine(true);
        pair.setHorizontalDisplacementTrampoline1(0.9);
        pair.setHorizontalDisplacementTrampoline2(0.7);
        pair.setHorizontalDisplacement(0.8);
        pair.setLandingPositionInCmTrampoline1(position(13, -13));
        pair.setLandingPositionInCmTrampoline2(position(0, 120));
        pair.setLandingZoneTrampoline1(6);
        pair.setLandingZoneTrampoline2(2);
        QVERIFY(pair.isValid());
        QCOMPARE(pair.toJsonObject().size(), 10);

        ScoringSynchronizedResult synchronized;
        synchronized.setStartPenalty(0.2);
        synchronized.setElementCount(3);
        synchronized.setEffectiveElementCount(2);
        synchronized.setSynchronizedScore(1.84);
        synchronized.setHorizontalDisplacementTrampoline1(1.8);
        synchronized.setHorizontalDisplacementTrampoline2(1.6);
        synchronized.setHorizontalDisplacement(1.7);
        synchronized.setDelayBeforeStartInSeconds(3.5);
        synchronized.setElements({pair, pair});
        QVERIFY(synchronized.isValid());

        ScoringResult result;
        result.setType(ScoringResultType(ScoringResultType::Synchronized));
        result.setMaturity(ScoringResultMaturity(ScoringResultMaturity::Preliminary));
        result.setSynchronizedResult(synchronized);

        ScoringResult read;
        QVERIFY(read.fromJson(result.toJson()));
        QVERIFY(read.isValid());
        QCOMPARE(read.toJsonObject(), result.toJsonObject());
        QCOMPARE(read.synchronizedResult().elements().size(), 2);
        QCOMPARE(read.synchronizedResult().elements().at(1).landingPositionInCmTrampoline1().x(), 13);
        QVERIFY(read.synchronizedResult().elements().at(0).forcedEndOfRoutine());
    }

    void readingRules()
    {
        ScoringIndividualResult result;
        result.fromJsonObject(parse(R"({
            "startPenalty": "0.5",
            "elementCount": "12",
            "timeOfFlightInSeconds": 12.34,
            "horizontalDisplacement": null,
            "delayBeforeStartInSeconds": 2,
            "meta": {"athlete": "A", "age": 12},
            "elements": [{"timeOfFlightInSeconds": 1, "horizontalDisplacement": 1,
                          "landingPositionInCm": {"x": 2.9, "y": "a"}, "landingZone": true}]
        })"));
        // A double must be a JSON number.
        QVERIFY(!result.startPenaltyMember().isSet);
        QVERIFY(!result.startPenaltyMember().isValid);
        QCOMPARE(result.timeOfFlightInSeconds(), 12.34);
        QVERIFY(result.timeOfFlightInSecondsMember().isSet);
        QVERIFY(!result.horizontalDisplacementMember().isSet);
        QCOMPARE(result.delayBeforeStartInSeconds(), 2.0);
        // An integer from a string reads as 0, but validly.
        QVERIFY(result.elementCountMember().isValid);
        QCOMPARE(result.elementCount(), 0);
        // Non-string meta members are not taken; the member is invalid.
        QCOMPARE(result.meta().value(QStringLiteral("athlete")), QStringLiteral("A"));
        QVERIFY(!result.meta().contains(QStringLiteral("age")));
        QVERIFY(!result.metaMember().isValid);
        // The element's position converts x, "a" gives 0, true gives 1.
        QCOMPARE(result.elements().size(), 1);
        const ScoringIndividualResultElement &e = result.elements().at(0);
        QCOMPARE(e.landingPositionInCm().x(), 2);
        QCOMPARE(e.landingPositionInCm().y(), 0);
        QCOMPARE(e.landingZone(), 1);
        QVERIFY(e.isValid());
        QVERIFY(result.elementsMember().isValid);
        QVERIFY(!result.isValid()); // startPenalty and horizontalDisplacement

        ScoringIndividualResult missing;
        missing.fromJsonObject(parse(R"({"elementCount": {}, "elements": [1, {}],
                                        "startPenalty": 1, "timeOfFlightInSeconds": 0,
                                        "horizontalDisplacement": 0})"));
        QVERIFY(!missing.elementCountMember().isSet);
        QVERIFY(!missing.elementsMember().isValid);
        QVERIFY(!missing.isValid());
        missing.fromJsonObject(parse(R"({"elementCount": 3, "startPenalty": 1,
                                        "timeOfFlightInSeconds": 0, "horizontalDisplacement": 0})"));
        QVERIFY(missing.isValid());
        QCOMPARE(missing.elementCount(), 3);

        // Reading replaces what was there.
        ScoringLandingPosition p = position(1, 2);
        p.fromJsonObject(parse(R"({"x": 1e12})"));
        QCOMPARE(p.x(), std::numeric_limits<int>::max());
        QVERIFY(!p.yMember().isSet);

        ScoringSynchronizedResultElement pair;
        pair.fromJsonObject(parse(R"({"forcedEndOfRoutine": 1})"));
        QVERIFY(!pair.forcedEndOfRoutineMember().isSet);
        pair.fromJsonObject(parse(R"({"forcedEndOfRoutine": true})"));
        QVERIFY(pair.forcedEndOfRoutine());
        QVERIFY(!pair.isValid());

        // A nested object must be an object and valid.
        ScoringResult result2;
        result2.fromJsonObject(parse(R"({"type":"Individual","maturity":"confirmed",
                                        "individualResult": [],
                                        "rulesSettings": {"hdDeductions": "max9"}})"));
        QVERIFY(result2.isValid());
        QVERIFY(!result2.individualResultMember().isSet);
        // Rules settings are always valid, but the unknown value is unset.
        QVERIFY(result2.rulesSettingsMember().isSet);
        QVERIFY(!result2.rulesSettings().isSet());
        QVERIFY(!result2.toJsonObject().contains(QStringLiteral("rulesSettings")));
    }

    // Whatever was read, writing it and reading that again gives the same
    // object, and nothing is written as null.
    void writtenReadingsAreStable_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray("{}");
        QTest::newRow("nulls") << QByteArray(R"({"type":null,"maturity":null,"rulesSettings":null,
            "individualResult":null,"synchronizedResult":null})");
        QTest::newRow("wrong kinds") << QByteArray(R"({"type":3,"maturity":["confirmed"],
            "individualResult":{"elementCount":"x","meta":{"a":1,"b":"2"},"elements":[3,null,{}]},
            "synchronizedResult":{"elements":[{"forcedEndOfRoutine":"yes",
              "landingPositionInCmTrampoline1":{"x":null,"y":1.5}}]}})");
        // Found by fuzzing: an empty meta object made the nested result count
        // as set without anything of it being written.
        QTest::newRow("empty meta, empty element")
            << QByteArray(R"({"synchronizedResult":{"meta":{},"elements":[{"x":3}]}})");
        QTest::newRow("complete") << QByteArray(R"({"type":"SYNCHRONIZED","maturity":"Preliminary",
            "rulesSettings":{"hdDeductions":"MAX3"},
            "synchronizedResult":{"startPenalty":0.1,"elementCount":1,"effectiveElementCount":1,
              "synchronizedScore":0.92,"horizontalDisplacementTrampoline1":1,
              "horizontalDisplacementTrampoline2":0.9,"horizontalDisplacement":0.95,
              "meta":{"athlete":"A"},"delayBeforeStartInSeconds":1.5,
              "elements":[{"landingTimeDifferenceInSeconds":0.035,"synchronizedScore":0.92,
                "forcedEndOfRoutine":false,"horizontalDisplacementTrampoline1":1,
                "horizontalDisplacementTrampoline2":0.9,"horizontalDisplacement":0.95,
                "landingPositionInCmTrampoline1":{"x":1,"y":2},
                "landingPositionInCmTrampoline2":{"x":-3,"y":4},
                "landingZoneTrampoline1":6,"landingZoneTrampoline2":6}]}})");
    }
    void writtenReadingsAreStable()
    {
        QFETCH(QByteArray, text);
        ScoringResult first;
        QVERIFY(first.fromJson(text));
        const QByteArray written = first.toJson();
        QVERIFY(!written.contains("null"));
        ScoringResult second;
        QVERIFY(second.fromJson(written));
        QCOMPARE(second.toJsonObject(), first.toJsonObject());
        if (QTest::currentDataTag() == QByteArray("complete")) {
            QVERIFY(first.isValid());
            // Everything comes back; enumerations in their own spelling.
            QJsonObject expected = parse(text);
            expected.insert(QStringLiteral("type"), QStringLiteral("synchronized"));
            expected.insert(QStringLiteral("maturity"), QStringLiteral("preliminary"));
            expected.insert(QStringLiteral("rulesSettings"),
                            QJsonObject({{QStringLiteral("hdDeductions"), "max3"}}));
            QCOMPARE(parse(written), expected);
        }
    }

    void baseObjectRendersItsRawObjectCompactly()
    {
        const QJsonObject raw{{QStringLiteral("a"), 1}};
        ScoringObject object(raw);
        QCOMPARE(object.toJson(), QByteArray(R"({"a":1})"));
        QVERIFY(object.isSet());
        ScoringObject empty;
        QVERIFY(!empty.isSet());
        QVERIFY(empty.fromJson(R"({"b":2})"));
        QCOMPARE(empty.toJsonObject().value(QStringLiteral("b")).toInt(), 2);
    }

    void modelsAreValuesAndPolymorphic()
    {
        ScoringState state;
        state.setState(ScoringStateType(ScoringStateType::Ready));
        const ScoringState copy = state;
        state.setState(ScoringStateType(ScoringStateType::Review));
        QCOMPARE(copy.state().value(), int(ScoringStateType::Ready));
        const ScoringObject &base = copy;
        QCOMPARE(parse(base.toJson()).value(QStringLiteral("state")).toString(), QStringLiteral("ready"));

        ovra::startup::registerMetaTypes();
        QVERIFY(QMetaType::fromName("ovra::rest::client::ScoringResult").isValid());
        const QVariant variant = QVariant::fromValue(copy);
        QCOMPARE(variant.value<ScoringState>().state().value(), int(ScoringStateType::Ready));
    }
};

OVRA_TEST_CORE_MAIN(TestScoringModel)
#include "tst_scoringmodel.moc"
