#include "support/TestSupport.h"
#include "training/ContinuousModeCoordinator.h"
#include "training/RoutineStartTimer.h"

#include <QSignalSpy>

using ovra::util::ManualClock;

class TestTraining : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void penaltiesAtTheirThresholds_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<double>("penalty");
        QTest::newRow("0 s") << qint64(0) << 0.0;
        QTest::newRow("60.9 s") << qint64(60900) << 0.0;
        QTest::newRow("60.999 s") << qint64(60999) << 0.0;
        QTest::newRow("61.0 s") << qint64(61000) << 0.2;
        QTest::newRow("90.999 s") << qint64(90999) << 0.2;
        QTest::newRow("91 s") << qint64(91000) << 0.4;
        QTest::newRow("121 s") << qint64(121000) << 0.6;
        QTest::newRow("180.999 s") << qint64(180999) << 0.6;
        QTest::newRow("181 s") << qint64(181000) << 10.0;
        QTest::newRow("400 s") << qint64(400000) << 10.0;
    }

    void penaltiesAtTheirThresholds()
    {
        QFETCH(qint64, ms);
        QFETCH(double, penalty);
        ManualClock clock;
        RoutineStartTimer timer(&clock);
        timer.start();
        clock.advanceMs(ms);
        QCOMPARE(timer.elapsed(), ms);
        const RoutineStartTimer::StartProgress progress = timer.progress(false);
        QCOMPARE(progress.penalty, penalty);
        QCOMPARE(progress.routineStartTime, static_cast<double>(ms) * 0.001);
        QCOMPARE(RoutineStartTimer::startDelayPenalty(ms), penalty);
    }

    void warningSoundsOnceAt151Seconds()
    {
        ManualClock clock;
        RoutineStartTimer timer(&clock);
        timer.start();
        int plays = 0;
        // One block of 16 frames every 16 ms for 200 s.
        for (qint64 t = 0; t <= 200000; t += 16) {
            clock.setNowMs(t);
            if (timer.progress(true).playWarningSound) {
                ++plays;
                QVERIFY(t >= 151000 && t < 151016);
            }
        }
        QCOMPARE(plays, 1);
        // A new START warns again.
        timer.start();
        clock.advanceMs(151000);
        QVERIFY(timer.shouldPlayStartWarning());
        QVERIFY(!timer.shouldPlayStartWarning());
    }

    void warningSwitchedOnLateStillSoundsOnce()
    {
        ManualClock clock;
        RoutineStartTimer timer(&clock);
        timer.start();
        clock.setNowMs(170000);
        QVERIFY(!timer.progress(false).playWarningSound);
        clock.setNowMs(170016);
        QVERIFY(timer.progress(true).playWarningSound);
        clock.setNowMs(170032);
        QVERIFY(!timer.progress(true).playWarningSound);
    }

    void startLimitAfter300Seconds()
    {
        ManualClock clock;
        RoutineStartTimer timer(&clock);
        timer.start();
        clock.setNowMs(300000);
        QVERIFY(!timer.progress(true).timedOut);
        clock.setNowMs(300001);
        QVERIFY(timer.progress(true).timedOut);
        timer.start();
        QVERIFY(!timer.progress(true).timedOut);
    }

    void finishRuleAfter30Seconds()
    {
        ManualClock clock;
        RoutineFinishTimer timer(&clock);
        QVERIFY(!timer.isTimedOut(false, 0, 100)); // never started
        timer.start();
        clock.advanceMs(30000);
        QVERIFY(!timer.isTimedOut(false, 0, 100));
        clock.advanceMs(1);
        QVERIFY(timer.isTimedOut(false, 0, 100));
        QVERIFY(!timer.isTimedOut(true, 0, 100));  // still recording
        QVERIFY(!timer.isTimedOut(false, 100, 0)); // window not closed
    }

    void coordinatorCountsBetweenOneAndTwenty()
    {
        training::ContinuousModeCoordinator coordinator;
        QSignalSpy expected(&coordinator, &training::ContinuousModeCoordinator::expectedLandingsPerRoutine);
        coordinator.increase();
        coordinator.decrease();
        QCOMPARE(expected.count(), 0); // inactive
        coordinator.enable();
        QCOMPARE(expected.takeFirst().at(0).toInt(), 10);
        for (int i = 0; i < 15; ++i)
            coordinator.increase();
        QCOMPARE(coordinator.landingsPerRoutine(), 20);
        QCOMPARE(expected.count(), 10);
        QCOMPARE(expected.last().at(0).toInt(), 20);
        expected.clear();
        for (int i = 0; i < 25; ++i)
            coordinator.decrease();
        QCOMPARE(coordinator.landingsPerRoutine(), 1);
        QCOMPARE(expected.count(), 19);
        QCOMPARE(expected.last().at(0).toInt(), 1);
    }

    void coordinatorKeepsItsCountAcrossDisable()
    {
        training::ContinuousModeCoordinator coordinator;
        QSignalSpy expected(&coordinator, &training::ContinuousModeCoordinator::expectedLandingsPerRoutine);
        coordinator.enable();
        for (int i = 0; i < 4; ++i)
            coordinator.increase();
        coordinator.disable();
        QCOMPARE(expected.last().at(0).toInt(), 10);
        QVERIFY(!coordinator.isActive());
        QCOMPARE(coordinator.landingsPerRoutine(), 14);
        coordinator.increase();
        QCOMPARE(coordinator.landingsPerRoutine(), 14);
        coordinator.enable();
        QCOMPARE(expected.last().at(0).toInt(), 14);
    }
};

OVRA_TEST_CORE_MAIN(TestTraining)
#include "tst_training.moc"
