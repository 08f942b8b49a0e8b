#include "support/TestSupport.h"
#include "widgets/PlotterWidget.h"

#include <vector>

using widget::plot::ChannelForces;

namespace {

// A stand-in with the store's read interface: a list of samples of eight
// channels, offsets already removed.
struct SampleTable
{
    std::vector<ChannelForces> samples;
    int sampleCount() const { return static_cast<int>(samples.size()); }
    double channelValue(int channel, int sample, bool offsetsRemoved) const
    {
        Q_UNUSED(offsetsRemoved);
        return samples[static_cast<std::size_t>(sample)][static_cast<std::size_t>(channel)];
    }
};

ChannelForces constant(double trampoline1Sensor, double trampoline2Sensor)
{
    ChannelForces forces{};
    for (std::size_t c = 0; c < 4; ++c) {
        forces[c] = trampoline1Sensor;
        forces[c + 4] = trampoline2Sensor;
    }
    return forces;
}

std::vector<ChannelForces> repeat(const ChannelForces &forces, std::size_t n)
{
    return std::vector<ChannelForces>(n, forces);
}

bool near(const QColor &a, const QColor &b, int tolerance = 12)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
           && qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestPlotter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void resetAndAutoScaleFollowTheTable();
    void appendTakesTheNewestSamplesOfTheStore();
    void timeAxisGrowsWhenTheMeasurementOutrunsIt();
    void paintsOnlyEveryFiftyPointsAndFullyOnChanges();
    void measurementLongerThanTheTableKeepsGrowing();
    void routineWindowBandAndCurveArePainted();
    void clearEmptiesListsAndMarkers();
    void contextMenuSwitchesTheFlags();

private:
    PlotterWidget *m_plotter = nullptr;
};

void TestPlotter::init()
{
    m_plotter = new PlotterWidget;
    m_plotter->resize(800, 300);
    m_plotter->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_plotter));
    QCOMPARE(m_plotter->pixmap().size(), QSize(800, 300));
}

void TestPlotter::cleanup()
{
    delete m_plotter;
    m_plotter = nullptr;
}

void TestPlotter::resetAndAutoScaleFollowTheTable()
{
    m_plotter->setScaleAutomatically(false);
    const auto samples = repeat(constant(500, 100), 12000);
    m_plotter->appendSamples(samples);
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 40, 5}));

    m_plotter->autoScale();
    // 12 s of data, all forces above 0, largest 2000 N (the total).
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 20, 2}));
    QCOMPARE(m_plotter->scale().force, (widget::plot::AxisRange{0, 2000, 1000}));

    // Only the shown trampolines count: trampoline 2 alone tops at 400 N.
    m_plotter->setTramp1Active(false);
    m_plotter->autoScale();
    QCOMPARE(m_plotter->scale().force.maximum, 2000.0);
    m_plotter->setTramp1Active(true);
    const auto peak = repeat(constant(6000, 0), 1);
    m_plotter->appendSamples(peak);
    m_plotter->autoScale();
    QCOMPARE(m_plotter->scale().force, (widget::plot::AxisRange{-2000, 26000, 2000}));

    m_plotter->resetScale();
    QCOMPARE(m_plotter->scale(), widget::plot::defaultScale());
}

void TestPlotter::appendTakesTheNewestSamplesOfTheStore()
{
    SampleTable table;
    for (int i = 0; i < 96; ++i)
        table.samples.push_back(constant(i, -i));
    widget::plot::StoreForceSource<SampleTable> source(table);
    m_plotter->appendSamples(source, 48);
    QCOMPARE(m_plotter->points(0).size(), std::size_t(48));
    QCOMPARE(m_plotter->points(0).front().sensor[2], qint16(48));
    QCOMPARE(m_plotter->points(0).back().total(), 4 * 95);
    QCOMPARE(m_plotter->points(1).back().sensor[3], qint16(-95));

    // More than the store holds: only what exists.
    m_plotter->appendSamples(source, 500);
    QCOMPARE(m_plotter->points(0).size(), std::size_t(48 + 96));
    m_plotter->appendSamples(source, -3);
    QCOMPARE(m_plotter->points(1).size(), std::size_t(48 + 96));
}

void TestPlotter::timeAxisGrowsWhenTheMeasurementOutrunsIt()
{
    m_plotter->setScaleAutomatically(false);
    m_plotter->appendSamples(repeat(constant(100, 100), 40000));
    QCOMPARE(m_plotter->scale().time.maximum, 40.0);
    m_plotter->appendSamples(repeat(constant(100, 100), 1));
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 60, 5}));
    m_plotter->appendSamples(repeat(constant(100, 100), 20000));
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 80, 10}));

    // Scaling automatically picks the next end of the table instead.
    m_plotter->setScaleAutomatically(true);
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 100, 10}));
    m_plotter->appendSamples(repeat(constant(100, 100), 40000));
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 180, 20}));
    QCOMPARE(m_plotter->scale().force, (widget::plot::AxisRange{0, 2000, 1000}));

    // A force outside the range widens it at once, downwards as well.
    const int full = m_plotter->fullRedraws();
    m_plotter->appendSamples(repeat(constant(100, -3), 1));
    QCOMPARE(m_plotter->scale().force, (widget::plot::AxisRange{-2000, 2000, 1000}));
    m_plotter->appendSamples(repeat(constant(1500, 0), 1));
    QCOMPARE(m_plotter->scale().force, (widget::plot::AxisRange{-2000, 8000, 1000}));
    QCOMPARE(m_plotter->fullRedraws(), full + 2);
    // Values inside the range, or beyond the largest step, repaint nothing.
    m_plotter->appendSamples(repeat(constant(50000, -9000), 1));
    QCOMPARE(m_plotter->scale().force, (widget::plot::AxisRange{-2000, 26000, 2000}));
    m_plotter->appendSamples(repeat(constant(60000, -9000), 200));
    m_plotter->appendSamples(repeat(constant(100, 100), 200));
    QCOMPARE(m_plotter->fullRedraws(), full + 3);
}

void TestPlotter::paintsOnlyEveryFiftyPointsAndFullyOnChanges()
{
    m_plotter->setScaleAutomatically(false);
    const int full = m_plotter->fullRedraws();
    m_plotter->appendSamples(repeat(constant(100, 100), 49));
    QCOMPARE(m_plotter->partialRedraws(), 0);
    m_plotter->appendSamples(repeat(constant(100, 100), 1));
    QCOMPARE(m_plotter->partialRedraws(), 1);
    m_plotter->appendSamples(repeat(constant(100, 100), 48 * 4)); // 242 points
    QCOMPARE(m_plotter->partialRedraws(), 4);
    QCOMPARE(m_plotter->fullRedraws(), full);

    m_plotter->drawIndividualForces(true);
    QCOMPARE(m_plotter->fullRedraws(), full + 1);
    m_plotter->setTramp2Active(false);
    QCOMPARE(m_plotter->fullRedraws(), full + 2);
    m_plotter->resize(640, 240);
    QTRY_COMPARE(m_plotter->pixmap().size(), QSize(640, 240));
    QCOMPARE(m_plotter->fullRedraws(), full + 3);
    // After a full picture the next stretch starts from there.
    m_plotter->appendSamples(repeat(constant(100, 100), 49));
    QCOMPARE(m_plotter->partialRedraws(), 4);
    m_plotter->appendSamples(repeat(constant(100, 100), 1));
    QCOMPARE(m_plotter->partialRedraws(), 5);
}

void TestPlotter::measurementLongerThanTheTableKeepsGrowing()
{
    // The table ends at 1000 s; a longer measurement (continuous training)
    // must neither fall off the axis nor rescale at every sample.
    const auto second = repeat(constant(100, 100), 1000);
    for (int s = 0; s < 1000; ++s)
        m_plotter->appendSamples(second);
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 1000, 100}));
    const int full = m_plotter->fullRedraws();
    m_plotter->appendSamples(repeat(constant(100, 100), 100));
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 1020, 100}));
    m_plotter->appendSamples(repeat(constant(100, 100), 1000));
    QCOMPARE(m_plotter->fullRedraws(), full + 1);
    m_plotter->autoScale();
    QCOMPARE(m_plotter->scale().time, (widget::plot::AxisRange{0, 1020, 100}));
}

void TestPlotter::routineWindowBandAndCurveArePainted()
{
    m_plotter->setScaleAutomatically(false);
    // Trampoline 1 carries 2000 N per sensor (8000 N in total) for 30 s.
    m_plotter->appendSamples(repeat(constant(2000, 0), 30000));
    m_plotter->setExerciseStartTime(10000);
    m_plotter->setExerciseEndTime(20000);

    const QImage image = m_plotter->pixmap().toImage();
    const QRectF area = m_plotter->plotArea();
    const auto xAt = [&](double seconds) { return int(area.left() + seconds / 40.0 * area.width()); };
    const auto yAt = [&](double force) {
        return int(area.bottom() - (force + 2000.0) / 20000.0 * area.height());
    };
    const int quietY = yAt(13000); // no curve, no grid line there
    const QColor background(248, 248, 248);
    const QColor bandOnBackground(252, 252, 148); // yellow, alpha 100, over the background
    QVERIFY(near(image.pixelColor(xAt(5.3), quietY), background));
    QVERIFY(near(image.pixelColor(xAt(15.3), quietY), bandOnBackground));
    QVERIFY(near(image.pixelColor(xAt(25.3), quietY), background));
    // Beyond the recorded data no curve is drawn (only the grid line).
    const QColor beyond = image.pixelColor(xAt(35.3), yAt(8000));
    QVERIFY2(qAbs(beyond.red() - beyond.blue()) < 10, qPrintable(beyond.name()));
    // The total force curve of trampoline 1 runs at 8000 N.
    const QColor curve = image.pixelColor(xAt(5.3), yAt(8000));
    QVERIFY2(curve.blue() > 150 && curve.red() < 80, qPrintable(curve.name()));

    // The band follows the markers; an open window reaches to the newest sample.
    m_plotter->setExerciseEndTime(-1);
    const QImage open = m_plotter->pixmap().toImage();
    QVERIFY(near(open.pixelColor(xAt(25.3), quietY), bandOnBackground));
    QVERIFY(near(open.pixelColor(xAt(35.3), quietY), background));
}

void TestPlotter::clearEmptiesListsAndMarkers()
{
    m_plotter->appendSamples(repeat(constant(100, 100), 500));
    const int partial = m_plotter->partialRedraws();
    m_plotter->setExerciseStartTime(10);
    m_plotter->setExerciseEndTimeFix(400);
    QTest::ignoreMessage(QtDebugMsg, "Resetting plotter widget data");
    m_plotter->clear();
    QVERIFY(m_plotter->points(0).empty());
    QVERIFY(m_plotter->points(1).empty());
    QCOMPARE(m_plotter->exerciseStartTime(), -1);
    QCOMPARE(m_plotter->exerciseEndTimeFix(), -1);
    m_plotter->appendSamples(repeat(constant(100, 100), 49));
    QCOMPARE(m_plotter->partialRedraws(), partial);
}

void TestPlotter::contextMenuSwitchesTheFlags()
{
    const QList<QAction *> actions = m_plotter->contextMenu()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions[0]->text(), QStringLiteral("scale automatically"));
    QCOMPARE(actions[1]->text(), QStringLiteral("draw individual forces"));
    QVERIFY(m_plotter->scaleAutomatically());
    QVERIFY(!m_plotter->individualForces());

    QTest::ignoreMessage(QtDebugMsg, "drawIndividualForces:  true");
    actions[1]->trigger();
    QVERIFY(m_plotter->individualForces());
    actions[0]->trigger();
    QVERIFY(!m_plotter->scaleAutomatically());
    // The slot keeps the menu in step.
    QTest::ignoreMessage(QtDebugMsg, "drawIndividualForces:  false");
    m_plotter->drawIndividualForces(false);
    QVERIFY(!actions[1]->isChecked());
}

OVRA_TEST_GUI_MAIN(TestPlotter)
#include "tst_plotter.moc"
