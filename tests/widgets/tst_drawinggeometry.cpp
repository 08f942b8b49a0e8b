#include "support/TestSupport.h"

#include "widgets/PlotterScale.h"
#include "widgets/TrampolineGeometry.h"
#include <cmath>

using namespace widget;

class TestDrawingGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeMaximumAtTableBoundaries_data();
    void timeMaximumAtTableBoundaries();
    void timeTickAtBoundaries_data();
    void timeTickAtBoundaries();
    void forceRangeAtBoundaries_data();
    void forceRangeAtBoundaries();
    void autoScaleByPointCount();
    void tickPositionsCoverTheAxis();
    void landingPositionsToDrawingUnits();
    void viewportKeepsAspectRatio();
    void zoneGeometry();
    void crowdedLandingNumbersStayApart();
};

void TestDrawingGeometry::timeMaximumAtTableBoundaries_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("maximum");
    QTest::newRow("0") << 0.0 << 10.0;
    QTest::newRow("10") << 10.0 << 10.0;
    QTest::newRow("10.001") << 10.001 << 20.0;
    QTest::newRow("20") << 20.0 << 20.0;
    QTest::newRow("20.001") << 20.001 << 40.0;
    QTest::newRow("40.001") << 40.001 << 60.0;
    QTest::newRow("60.001") << 60.001 << 100.0;
    QTest::newRow("100.001") << 100.001 << 180.0;
    QTest::newRow("180.001") << 180.001 << 250.0;
    QTest::newRow("250.001") << 250.001 << 400.0;
    QTest::newRow("400.001") << 400.001 << 600.0;
    QTest::newRow("600.001") << 600.001 << 800.0;
    QTest::newRow("800.001") << 800.001 << 1000.0;
    QTest::newRow("1000") << 1000.0 << 1000.0;
    QTest::newRow("1000.8 stays at 1000") << 1000.8 << 1000.0;
}

void TestDrawingGeometry::timeMaximumAtTableBoundaries()
{
    QFETCH(double, duration);
    QFETCH(double, maximum);
    QCOMPARE(plot::timeMaximumFor(duration), maximum);
}

void TestDrawingGeometry::timeTickAtBoundaries_data()
{
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("tick");
    QTest::newRow("10") << 10.0 << 1.0;
    QTest::newRow("10.5") << 10.5 << 1.0;
    QTest::newRow("10.51") << 10.51 << 2.0;
    QTest::newRow("20") << 20.0 << 2.0;
    QTest::newRow("20.5") << 20.5 << 2.0;
    QTest::newRow("20.51") << 20.51 << 5.0;
    QTest::newRow("40") << 40.0 << 5.0;
    QTest::newRow("60.5") << 60.5 << 5.0;
    QTest::newRow("60.51") << 60.51 << 10.0;
    QTest::newRow("100.5") << 100.5 << 10.0;
    QTest::newRow("100.51") << 100.51 << 20.0;
    QTest::newRow("180.5") << 180.5 << 20.0;
    QTest::newRow("180.51") << 180.51 << 25.0;
    QTest::newRow("250.5") << 250.5 << 25.0;
    QTest::newRow("250.51") << 250.51 << 40.0;
    QTest::newRow("400.5") << 400.5 << 40.0;
    QTest::newRow("400.51") << 400.51 << 60.0;
    QTest::newRow("600.5") << 600.5 << 60.0;
    QTest::newRow("600.51") << 600.51 << 100.0;
    QTest::newRow("1000") << 1000.0 << 100.0;
}

void TestDrawingGeometry::timeTickAtBoundaries()
{
    QFETCH(double, maximum);
    QFETCH(double, tick);
    QCOMPARE(plot::timeTickFor(maximum), tick);
}

void TestDrawingGeometry::forceRangeAtBoundaries_data()
{
    QTest::addColumn<double>("smallest");
    QTest::addColumn<double>("largest");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("tick");
    QTest::newRow("positive, 2000") << 0.5 << 2000.0 << 0.0 << 2000.0 << 1000.0;
    QTest::newRow("zero is not above 0") << 0.0 << 2000.0 << -2000.0 << 2000.0 << 1000.0;
    QTest::newRow("2000.1") << 1.0 << 2000.1 << 0.0 << 4000.0 << 1000.0;
    QTest::newRow("4000") << 1.0 << 4000.0 << 0.0 << 4000.0 << 1000.0;
    QTest::newRow("8000 with negative") << -5.0 << 8000.0 << -2000.0 << 8000.0 << 1000.0;
    QTest::newRow("8000.1 negative spans 14000") << -5.0 << 8000.1 << -2000.0 << 12000.0 << 2000.0;
    QTest::newRow("10000 positive") << 3.0 << 10000.0 << 0.0 << 12000.0 << 2000.0;
    QTest::newRow("16000") << 3.0 << 16000.0 << 0.0 << 16000.0 << 2000.0;
    QTest::newRow("20000") << 3.0 << 20000.0 << 0.0 << 20000.0 << 2000.0;
    QTest::newRow("20000.1") << 3.0 << 20000.1 << 0.0 << 26000.0 << 2000.0;
    QTest::newRow("26000") << 3.0 << 26000.0 << 0.0 << 26000.0 << 2000.0;
    QTest::newRow("beyond 26000") << 3.0 << 90000.0 << 0.0 << 26000.0 << 2000.0;
}

void TestDrawingGeometry::forceRangeAtBoundaries()
{
    QFETCH(double, smallest);
    QFETCH(double, largest);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, tick);
    plot::ForceExtent extent;
    extent.include(smallest);
    extent.include(largest);
    const plot::PlotScale scale = plot::autoScaleFor(51, extent);
    QCOMPARE(scale.force.minimum, minimum);
    QCOMPARE(scale.force.maximum, maximum);
    QCOMPARE(scale.force.tick, tick);
}

void TestDrawingGeometry::autoScaleByPointCount()
{
    plot::ForceExtent extent;
    extent.include(10.0);
    extent.include(3000.0);

    // Fewer than 50 points: the default picture whatever the forces.
    QCOMPARE(plot::autoScaleFor(49, extent), plot::defaultScale());
    QCOMPARE(plot::defaultScale().time, (plot::AxisRange{0, 40, 5}));
    QCOMPARE(plot::defaultScale().force, (plot::AxisRange{-2000, 18000, 2000}));

    // Exactly 50 points: the time axis fits, the force range stays.
    const plot::PlotScale fifty = plot::autoScaleFor(50, extent);
    QCOMPARE(fifty.time, (plot::AxisRange{0, 10, 1}));
    QCOMPARE(fifty.force, (plot::AxisRange{-2000, 18000, 2000}));

    const plot::PlotScale more = plot::autoScaleFor(20500, extent);
    QCOMPARE(more.time, (plot::AxisRange{0, 40, 5}));
    QCOMPARE(more.force, (plot::AxisRange{0, 4000, 1000}));

    // Nothing shown: the force range cannot be fitted and stays.
    QCOMPARE(plot::autoScaleFor(20500, plot::ForceExtent{}).force, (plot::AxisRange{-2000, 18000, 2000}));
}

void TestDrawingGeometry::tickPositionsCoverTheAxis()
{
    QCOMPARE(plot::tickPositions({-2000, 18000, 2000}).size(), 11);
    QCOMPARE(plot::tickPositions({-2000, 18000, 2000}).first(), -2000.0);
    QCOMPARE(plot::tickPositions({-2000, 18000, 2000}).last(), 18000.0);
    QCOMPARE(plot::tickPositions({0, 250, 25}).size(), 11);
    QCOMPARE(plot::tickPositions({0, 10, 0}), (QList<double>{0, 10}));
}

void TestDrawingGeometry::landingPositionsToDrawingUnits()
{
    using data::calc::LandingPosition;
    QCOMPARE(trampoline::drawingPointFor(LandingPosition{91.25, 0}), QPoint(910, 0));
    QCOMPARE(trampoline::drawingPointFor(LandingPosition{-54.9, 30.7}), QPoint(-540, -300));
    QCOMPARE(trampoline::drawingPointFor(LandingPosition{120, -60}), QPoint(1200, 600));
    QCOMPARE(trampoline::drawingPointFor(LandingPosition{qQNaN(), 1e30}), QPoint(0, -1000000));
}

void TestDrawingGeometry::viewportKeepsAspectRatio()
{
    const QRect wide = trampoline::viewportFor(QSize(1000, 300));
    QCOMPARE(wide.height(), 300);
    QCOMPARE(wide.width(), 520);
    QCOMPARE(wide.x(), 240);
    QCOMPARE(wide.y(), 0);

    const QRect tall = trampoline::viewportFor(QSize(520, 1000));
    QCOMPARE(tall.width(), 520);
    QCOMPARE(tall.height(), 300);
    QCOMPARE(tall.y(), 350);

    QVERIFY(trampoline::viewportFor(QSize(0, 10)).isEmpty());

    // The window's corners map onto the viewport's corners.
    const QPointF topLeft = trampoline::widgetPointFor(QPoint(-2530, -1460), wide);
    QCOMPARE(topLeft, QPointF(240, 0));
    const QPointF centre = trampoline::widgetPointFor(QPoint(0, 0), wide);
    QVERIFY(qAbs(centre.x() - 500.0) < 0.5);
    QVERIFY(qAbs(centre.y() - 150.0) < 0.5);
}

void TestDrawingGeometry::zoneGeometry()
{
    QCOMPARE(trampoline::windowRect().width(), 5060);
    QCOMPARE(trampoline::windowRect().height(), 2920);
    QCOMPARE(trampoline::bedRect().bottomRight(), QPoint(2139, 1069));
    // The zone borders of the judging rules (54 cm, 107.5 cm) sit at the
    // lines: 535 mm across, 1070 mm along.
    QCOMPARE(trampoline::zoneLines()[0], QLine(-2140, -535, 2140, -535));
    QCOMPARE(trampoline::zoneLines()[3], QLine(1070, -1070, 1070, 1070));
    QCOMPARE(trampoline::innerZoneLines()[1], QLine(535, -525, 535, 525));
    QCOMPARE(trampoline::sensorMarks()[0].label, QStringLiteral("F1"));
    QCOMPARE(trampoline::sensorMarks()[0].centre, QPoint(-1825, 1212));
}

OVRA_TEST_CORE_MAIN(TestDrawingGeometry)
#include "tst_drawinggeometry.moc"

// Ten landings near the bed centre: every number is clear of every other
// number and of the other markers, and stays near its own marker; a
// landing on its own keeps its number on the marker.
void TestDrawingGeometry::crowdedLandingNumbersStayApart()
{
    std::vector<QPoint> markers;
    for (int i = 0; i < 9; ++i)
        markers.push_back(QPoint((i % 3 - 1) * 90, (i / 3 - 1) * 70));
    markers.push_back(QPoint(1800, 900));
    const std::vector<QPoint> labels = trampoline::labelPositions(markers);
    QCOMPARE(labels.size(), markers.size());
    QCOMPARE(labels.back(), markers.back());
    const auto distance = [](const QPoint &a, const QPoint &b) {
        return std::hypot(double(a.x() - b.x()), double(a.y() - b.y()));
    };
    int moved = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        QVERIFY(distance(labels[i], markers[i]) <= trampoline::kLabelOffset * 1.7 + 1);
        moved += labels[i] != markers[i] ? 1 : 0;
        for (std::size_t k = 0; k < i; ++k)
            QVERIFY2(distance(labels[i], labels[k]) >= 0.9 * trampoline::kLabelSpacing,
                     qPrintable(QStringLiteral("%1 and %2").arg(i + 1).arg(k + 1)));
    }
    QVERIFY(moved >= 8);
}
