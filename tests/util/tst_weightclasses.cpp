#include "support/TestSupport.h"
#include "util/WeightClasses.h"

using ovra::util::AutomaticWeightClass;
using ovra::util::WeightClasses;

class TestWeightClasses : public QObject
{
    Q_OBJECT
private slots:
    void classForForce_data()
    {
        QTest::addColumn<double>("force");
        QTest::addColumn<double>("threshold");
        QTest::newRow("0") << 0.0 << 800.0;
        QTest::newRow("1149.99") << 1149.99 << 800.0;
        QTest::newRow("1150") << 1150.0 << 1150.0;
        QTest::newRow("2499") << 2499.0 << 1150.0;
        QTest::newRow("2500") << 2500.0 << 2500.0;
        QTest::newRow("4999.9") << 4999.9 << 2500.0;
        QTest::newRow("5000") << 5000.0 << 5000.0;
        QTest::newRow("90000") << 90000.0 << 5000.0;
        QTest::newRow("negative") << -10.0 << 800.0;
    }
    void classForForce()
    {
        QFETCH(double, force);
        QFETCH(double, threshold);
        QCOMPARE(WeightClasses::weightClassFor(force), threshold);
    }

    void classTable()
    {
        const QStringList expected{"Children (800N)", "Teenager (1150N)", "Normal (2500N)", "Adults (5000N)",
                                   "Automatic (800N)"};
        QCOMPARE(WeightClasses::texts(), expected);
        const double thresholds[] = {800, 1150, 2500, 5000, 800};
        for (int i = 0; i < WeightClasses::kCount; ++i) {
            QCOMPARE(WeightClasses::threshold(i), thresholds[i]);
            QCOMPARE(WeightClasses::isFixed(i), i != WeightClasses::kAutomatic);
        }
        QVERIFY(!WeightClasses::isFixed(5));
        QVERIFY(!WeightClasses::isFixed(-1));
        QCOMPARE(WeightClasses::threshold(9), 800.0);
        QVERIFY(WeightClasses::text(9).isEmpty());
        QCOMPARE(WeightClasses::labelFor(1150), QStringLiteral("Teenager (1150N)"));
        QCOMPARE(WeightClasses::labelFor(5000), QStringLiteral("Adults (5000N)"));
        QCOMPARE(WeightClasses::labelFor(1000), QStringLiteral("Children (800N)"));
    }

    void selectionWritesDebugLine()
    {
        QTest::ignoreMessage(QtDebugMsg, "Selected weight class 'Teenager (1150N)'");
        QCOMPARE(WeightClasses::selectWeightClass(1), 1150.0);
        QTest::ignoreMessage(QtDebugMsg, "Selected weight class 'Automatic (800N)'");
        QCOMPARE(WeightClasses::selectWeightClass(WeightClasses::kAutomatic), 800.0);
    }

    void automaticClassFollowsNewestLanding()
    {
        AutomaticWeightClass automatic;
        // No landing yet: nothing to adapt.
        QCOMPARE(automatic.adapt(0, 0.0), std::optional<double>());
        // 4000 N * 0.35 = 1400 N => Teenager.
        QCOMPARE(automatic.adapt(1, 4000.0), std::optional<double>(1150.0));
        // Same count: no new landing, no change even if called again.
        QCOMPARE(automatic.adapt(1, 20000.0), std::optional<double>());
        QCOMPARE(automatic.adapt(2, 20000.0), std::optional<double>(5000.0));
        QCOMPARE(automatic.adapt(3, 7142.0), std::optional<double>(1150.0));
        QCOMPARE(automatic.adapt(4, 7143.0), std::optional<double>(2500.0));
        QCOMPARE(automatic.adapt(5, 1000.0), std::optional<double>(800.0));
        automatic.reset();
        QCOMPARE(automatic.adapt(5, 4000.0), std::optional<double>(1150.0));
    }
};

OVRA_TEST_CORE_MAIN(TestWeightClasses)
#include "tst_weightclasses.moc"
