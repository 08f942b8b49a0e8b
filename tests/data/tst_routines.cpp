#include "AppStartup.h"
#include "data/Evaluation.h"
#include "data/IndividualRoutine.h"
#include "data/MetaTypes.h"
#include "data/Routines.h"
#include "data/SynchronizedRoutine.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QThread>

using data::model::IndividualRoutineResult;
using data::model::Landing;
using data::model::Routines;

namespace {

// A routine landing with a flight time and deduction that make results easy
// to tell apart.
Landing routineLanding(int number, int timeOfFlight, double hdDeduction)
{
    Landing landing;
    landing.landingNumber = number;
    landing.landingTime = 1000 * number;
    landing.takeoffTime = 1000 * number + 400;
    landing.timeOfFlight = timeOfFlight;
    landing.hdDeduction = hdDeduction;
    return landing;
}

void fillIndividual(Routines::LandingArray &array, int count)
{
    for (int i = 0; i < count; ++i)
        array[static_cast<std::size_t>(i)] =
            routineLanding(i + 3, i == 0 ? 0 : 1000 + 10 * i, i % 2 ? 0.1 : 0.0);
}

// Receives value types through a queued connection from another thread.
class Receiver : public QObject
{
    Q_OBJECT
public:
    Landing landing;
    DataUpdateReason reason = DataUpdateReason::Measurement;
    int calls = 0;
public slots:
    void take(const data::model::Landing &l, DataUpdateReason r)
    {
        landing = l;
        reason = r;
        ++calls;
    }
};

class Sender : public QObject
{
    Q_OBJECT
signals:
    void send(data::model::Landing landing, DataUpdateReason reason);
};

} // namespace

class TestRoutines : public QObject
{
    Q_OBJECT
private slots:
    void emptySlotsReadAsEmpty()
    {
        const Landing empty;
        QVERIFY(empty.isEmpty());
        QCOMPARE(empty.landingNumber, -1);
        QCOMPARE(empty.fmax, 0.0);
        QCOMPARE(empty.timeOfFlight, -1);
        QCOMPARE(empty.landingZone, 0);
        QCOMPARE(empty.landingPosition, data::calc::LandingPosition());
        QCOMPARE(empty.notSynchronous, false);

        Routines routines;
        for (const auto *array :
             {&routines.individualLandingsTrampoline1, &routines.individualLandingsTrampoline2,
              &routines.synchronizedLandingsTrampoline1, &routines.synchronizedLandingsTrampoline2}) {
            QCOMPARE(array->size(), std::size_t(20));
            for (const Landing &slot : *array)
                QVERIFY(slot == empty);
        }
        QCOMPARE(routines.expectedLandingsPerRoutine, 10);
        QCOMPARE(routines.exerciseStart, -1);
        QCOMPARE(routines.exerciseEndFix, -1);
        QCOMPARE(routines.landingCount, quint64(0));

        const Landing zero = Landing::zeroed();
        QCOMPARE(zero.landingNumber, 0);
        QCOMPARE(zero.timeOfFlight, 0);
        QVERIFY(!zero.isEmpty());
    }

    void resetEmptiesTheRoutineButKeepsMetaAndExpectedCount()
    {
        Routines routines;
        routines.exerciseStart = 5;
        routines.exerciseEnd = 6;
        routines.exerciseStartFix = 7;
        routines.exerciseEndFix = 8;
        routines.synchronizedLandingCount1 = 3;
        routines.synchronizedLandingCount2 = 2;
        routines.landingCount = 2;
        routines.shiftedLandings = -2;
        routines.routineRecording = true;
        routines.expectedLandingsPerRoutine = 12;
        fillIndividual(routines.individualLandingsTrampoline2, 5);
        routines.synchronizedLandingsTrampoline1[0] = routineLanding(1, 0, 0);
        routines.addRoutineMetaInformation(QStringLiteral("athlete"), QStringLiteral("A"));

        routines.reset();
        QCOMPARE(routines.exerciseStart, -1);
        QCOMPARE(routines.exerciseEnd, -1);
        QCOMPARE(routines.exerciseStartFix, -1);
        QCOMPARE(routines.exerciseEndFix, -1);
        QCOMPARE(routines.synchronizedLandingCount1, quint64(0));
        QCOMPARE(routines.synchronizedLandingCount2, quint64(0));
        QCOMPARE(routines.landingCount, quint64(0));
        QCOMPARE(routines.shiftedLandings, 0);
        QCOMPARE(routines.routineRecording, false);
        QVERIFY(routines.individualLandingsTrampoline2[4].isEmpty());
        QVERIFY(routines.synchronizedLandingsTrampoline1[0].isEmpty());
        QCOMPARE(routines.expectedLandingsPerRoutine, 12);
        const QString athlete = routines.routineMetaInformation.value(QStringLiteral("athlete"));
        QCOMPARE(athlete, QStringLiteral("A"));
    }

    void metaInformationIsNormalised()
    {
        Routines routines;
        QSignalSpy spy(&routines, &Routines::updateRoutineMetaInformation);

        routines.addRoutineMetaInformation(QStringLiteral("first\tkey"), QStringLiteral("one\ttwo\nthree"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(routines.routineMetaInformation.value(QStringLiteral("first key")),
                 QStringLiteral("one two three"));
        using Meta = QMap<QString, QString>;
        QCOMPARE(spy.last().at(0).value<Meta>(), routines.routineMetaInformation);

        QMap<QString, QString> meta;
        meta.insert(QStringLiteral("a\nb"), QStringLiteral("x\t\ty"));
        meta.insert(QStringLiteral("plain"), QStringLiteral("value"));
        routines.setRoutineMetaInformation(meta);
        QCOMPARE(spy.count(), 2);
        QMap<QString, QString> expected;
        expected.insert(QStringLiteral("a b"), QStringLiteral("x  y"));
        expected.insert(QStringLiteral("plain"), QStringLiteral("value"));
        // The map is replaced, not merged.
        QCOMPARE(routines.routineMetaInformation, expected);

        routines.resetRoutineMetaInformation();
        QCOMPARE(spy.count(), 3);
        QVERIFY(routines.routineMetaInformation.isEmpty());
        QVERIFY(spy.last().at(0).value<Meta>().isEmpty());
    }

    void lowerExpectedCountRollsOutExactlyOneLanding()
    {
        Routines routines;
        fillIndividual(routines.individualLandingsTrampoline1, 10);
        routines.landingCount = 10;
        routines.shiftedLandings = 1;
        const Routines::LandingArray before = routines.individualLandingsTrampoline1;
        QSignalSpy spy(&routines, &Routines::rolloverLandings);

        routines.setExpectedLandingsPerRoutine(7);
        QCOMPARE(routines.expectedLandingsPerRoutine, 7);
        QCOMPARE(routines.landingCount, quint64(9));
        QCOMPARE(spy.count(), 1);
        for (int i = 0; i < 9; ++i)
            QVERIFY((routines.individualLandingsTrampoline1[std::size_t(i)] == before[std::size_t(i + 1)]));
        QVERIFY(routines.individualLandingsTrampoline1[9].isEmpty());
        QVERIFY(routines.individualLandingsTrampoline1[19].isEmpty());

        // Landings 2 to 10 all count: flight times 1010..1090 ms.
        const auto result = spy.first().at(0).value<IndividualRoutineResult>();
        QCOMPARE(result.elementCount, quint64(9));
        QCOMPARE(result.timeOfFlight, 9.45);
        QCOMPARE(result.hdDeductionSum, 0.5);
        QCOMPARE(result.horizontalDisplacement, 8.5);
        QCOMPARE(result.shiftedLandings, 1);
    }

    void expectedCountNotBelowLandingsDoesNotRollOver()
    {
        Routines routines;
        fillIndividual(routines.individualLandingsTrampoline1, 5);
        routines.landingCount = 5;
        QSignalSpy spy(&routines, &Routines::rolloverLandings);
        routines.setExpectedLandingsPerRoutine(5);
        routines.setExpectedLandingsPerRoutine(15);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(routines.landingCount, quint64(5));
        QCOMPARE(routines.expectedLandingsPerRoutine, 15);
    }

    void rolloverUsesTrampoline2WhenTrampoline1IsEmpty()
    {
        Routines routines;
        fillIndividual(routines.individualLandingsTrampoline2, 4);
        routines.landingCount = 4;
        const int second = routines.individualLandingsTrampoline2[1].landingNumber;
        QSignalSpy spy(&routines, &Routines::rolloverLandings);
        routines.setExpectedLandingsPerRoutine(2);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(routines.landingCount, quint64(3));
        QCOMPARE(routines.individualLandingsTrampoline2[0].landingNumber, second);
    }

    // A synchronized routine has no individual landings; lowering the count
    // must not silently drop a pair from the count.
    void rolloverLeavesSynchronizedRoutineAlone()
    {
        Routines routines;
        routines.synchronizedLandingsTrampoline1[0] = routineLanding(0, 0, 0);
        routines.synchronizedLandingsTrampoline2[0] = routineLanding(0, 0, 0);
        routines.synchronizedLandingsTrampoline1[1] = routineLanding(1, 900, 0);
        routines.synchronizedLandingsTrampoline2[1] = routineLanding(1, 900, 0);
        routines.landingCount = 2;
        QSignalSpy spy(&routines, &Routines::rolloverLandings);
        routines.setExpectedLandingsPerRoutine(1);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(routines.landingCount, quint64(2));
        QCOMPARE(routines.expectedLandingsPerRoutine, 1);
    }

    void expectedCountOutsideTheSlotsIsClamped()
    {
#ifdef QT_NO_DEBUG
        Routines routines;
        routines.setExpectedLandingsPerRoutine(50);
        QCOMPARE(routines.expectedLandingsPerRoutine, 20);
        routines.setExpectedLandingsPerRoutine(0);
        QCOMPARE(routines.expectedLandingsPerRoutine, 1);
#else
        QSKIP("Debug builds assert on an out-of-range count");
#endif
    }

    void basePropertiesAnnounceChanges()
    {
        data::model::IndividualRoutine individual;
        data::model::SynchronizedRoutine synchronized;
        Routines routines;
        for (data::model::RoutineBase *base :
             std::initializer_list<data::model::RoutineBase *>{&individual, &synchronized, &routines}) {
            QSignalSpy start(base, &data::model::RoutineBase::routineStartTimeChanged);
            QSignalSpy penalty(base, &data::model::RoutineBase::penaltyChanged);
            base->setRoutineStartTime(12.5);
            base->setPenalty(0.3);
            base->setPenalty(0.3);
            QCOMPARE(start.count(), 1);
            QCOMPARE(start.first().at(0).toDouble(), 12.5);
            QCOMPARE(penalty.count(), 1);
            QCOMPARE(base->penalty(), 0.3);
            QVERIFY(base->setProperty("routineStartTime", 3.0));
            QCOMPARE(start.count(), 2);
            QCOMPARE(base->property("routineStartTime").toDouble(), 3.0);
        }
    }

    void valueTypesAreRegisteredUnderTheirFullNames()
    {
        ovra::startup::registerMetaTypes();
        for (const char *name :
             {"data::model::Landing", "data::calc::LandingPosition", "data::model::TrampMode",
              "data::model::TrampNumber", "DataUpdateReason", "data::model::IndividualRoutineResult",
              "data::model::SynchronizedRoutineResult", "QMap<QString,QString>"}) {
            const QMetaType type = QMetaType::fromName(name);
            QVERIFY2(type.isValid(), name);
        }
        QCOMPARE(QMetaType::fromName("data::model::Landing"), QMetaType::fromType<Landing>());
        QCOMPARE(int(data::model::TrampMode::Synchronized), 3);
        QCOMPARE(int(data::model::TrampNumber::Trampoline2), 1);
        QCOMPARE(int(DataUpdateReason::Edit), 2);
    }

    void valueTypesCrossThreadsByValue()
    {
        data::model::registerMetaTypes();
        Receiver receiver;
        Sender sender;
        QThread thread;
        sender.moveToThread(&thread);
        connect(&sender, &Sender::send, &receiver, &Receiver::take, Qt::QueuedConnection);
        thread.start();
        Landing landing = routineLanding(7, 1235, 0.2);
        landing.landingPosition = {12.5, -3.0};
        QMetaObject::invokeMethod(
            &sender, [&] { emit sender.send(landing, DataUpdateReason::Replay); },
            Qt::BlockingQueuedConnection);
        QTRY_COMPARE(receiver.calls, 1);
        QVERIFY(receiver.landing == landing);
        QCOMPARE(receiver.reason, DataUpdateReason::Replay);
        thread.quit();
        thread.wait();
    }
};

OVRA_TEST_CORE_MAIN(TestRoutines)
#include "tst_routines.moc"
