#include "support/TestSupport.h"
#include "widgets/BarChartWidget.h"
#include "widgets/CableWidget.h"
#include "widgets/ContinuousResultWidget.h"
#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/IndividualResultsTableModel.h"
#include "widgets/OverviewResultWidget.h"
#include "widgets/PreviousResultWidget.h"
#include "widgets/ResultReadout.h"
#include "widgets/SynchronizedResultsTableModel.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QBarSet>
#include <QChart>
#include <QScatterSeries>

using data::calc::LandingPosition;
using data::model::Landing;

namespace {

Landing landingAt(double x, double y, int timeOfFlight = 1230, double hdDeduction = 0.1)
{
    Landing landing;
    landing.landingNumber = 1;
    landing.timeOfFlight = timeOfFlight;
    landing.landingPosition = LandingPosition{x, y};
    landing.hdDeduction = hdDeduction;
    return landing;
}

bool near(const QColor &a, const QColor &b, int tolerance = 10)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
           && qAbs(a.blue() - b.blue()) <= tolerance;
}

// Marker colours with alpha over the bed colour.
QColor over(const QColor &top, const QColor &bottom)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(static_cast<float>(top.redF() * a + bottom.redF() * (1 - a)),
                            static_cast<float>(top.greenF() * a + bottom.greenF() * (1 - a)),
                            static_cast<float>(top.blueF() * a + bottom.blueF() * (1 - a)));
}

} // namespace

class TestResultWidgets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void landingIsPaintedWhereItHitTheBed();
    void viewportKeepsTheAspectRatioInAWideWidget();
    void markersRenumberAfterARollover();
    void inactiveBedGreysItsFrameAndLines();
    void individualTableCarriesLandingsAndTotals();
    void synchronizedTableSetsANonSynchronousPairApart();
    void synchronizedPairsAfterANonSynchronousOneAreGreyedNotShownAsValid();
    void hdAndTofSynReadouts();
    void readoutDigitsGrowWithTheirBox();
    void overviewCountsPairsAndHighlightsThePenalty();
    void previousResultShowsTheConfirmedRoutine();
    void barChartTitleAndRollover();
    void cableColours();
    void continuousPageRollsItsRoutine();
};

void TestResultWidgets::landingIsPaintedWhereItHitTheBed()
{
    TrampolineWidget widget;
    // 0.2 pixels per millimetre: the drawing of 5060 by 2920 fills 1012 by 584.
    widget.resize(1012, 584);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QColor bed = widget.color(4);

    const QColor marker(0, 160, 0);
    widget.drawPosition(LandingPosition{30.7, -80.2}, marker);
    QCOMPARE(widget.markers().size(), 1);
    QCOMPARE(widget.markers().first().number, -1);
    QImage image = widget.pixmap().toImage();
    // (30.7, -80.2) cm is drawn at (300, 800) mm, y pointing down: pixel
    // ((300 + 2530) * 0.2, (800 + 1460) * 0.2) = (566, 452).
    QCOMPARE(widget.widgetPointFor(QPoint(300, 800)), QPointF(566, 452));
    QVERIFY2(near(image.pixelColor(566, 452), marker), qPrintable(image.pixelColor(566, 452).name()));
    QVERIFY(near(image.pixelColor(566 + 12, 452), marker));
    // Not mirrored: the same spot with y not inverted is plain bed.
    QVERIFY(near(image.pixelColor(566, 132), bed));
    QVERIFY(near(image.pixelColor(566 + 20, 452), bed));

    // A numbered landing at (91.25, 0) cm: (910, 0) mm, pixel (688, 292).
    widget.drawLanding(0, landingAt(91.25, 0.0));
    image = widget.pixmap().toImage();
    QVERIFY(near(image.pixelColor(688, 292 + 13), TrampolineWidget::kDefaultLandingColor));
    // The number "1" is written on it in white.
    bool white = false;
    for (int dy = -5; dy <= 5 && !white; ++dy)
        white = image.pixelColor(688, 292 + dy).lightness() > 200;
    QVERIFY(white);
    QCOMPARE(widget.markers().last().number, 1);

    // The synchronized colours are translucent over the bed.
    widget.drawLandingColor2(1, landingAt(-150.0, 70.0));
    image = widget.pixmap().toImage();
    const QPointF spot = widget.widgetPointFor(QPoint(-1500, -700));
    QVERIFY(near(image.pixelColor(spot.toPoint() + QPoint(0, 13)),
                 over(TrampolineWidget::kLandingColor2, bed), 14));
}

void TestResultWidgets::viewportKeepsTheAspectRatioInAWideWidget()
{
    TrampolineWidget widget;
    widget.resize(1212, 584);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.drawPosition(LandingPosition{30.7, -80.2}, QColor(0, 160, 0));
    const QImage image = widget.pixmap().toImage();
    // The drawing is centred: 100 pixels of background on either side.
    QCOMPARE(widget.widgetPointFor(QPoint(300, 800)), QPointF(666, 452));
    QVERIFY(near(image.pixelColor(666, 452), QColor(0, 160, 0)));
    QVERIFY(near(image.pixelColor(50, 292), widget.palette().color(widget.backgroundRole())));
    QVERIFY(near(image.pixelColor(105, 292), widget.color(3)));
}

void TestResultWidgets::markersRenumberAfterARollover()
{
    TrampolineWidget widget;
    widget.resize(1012, 584);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    widget.drawLanding(0, landingAt(-150, 0));
    widget.drawLanding(1, landingAt(30, -80));
    widget.drawLanding(2, landingAt(150, 70));
    QCOMPARE(widget.markers().size(), 3);
    const QPoint first = widget.widgetPointFor(QPoint(-1500, 0)).toPoint();
    QVERIFY(near(widget.pixmap().toImage().pixelColor(first + QPoint(0, 13)),
                 TrampolineWidget::kDefaultLandingColor));

    widget.rolloverPositions();
    QCOMPARE(widget.markers().size(), 2);
    QCOMPARE(widget.markers()[0].number, 1);
    QCOMPARE(widget.markers()[0].point, QPoint(300, 800));
    QCOMPARE(widget.markers()[1].number, 2);
    // The oldest marker is gone from the picture.
    QVERIFY(near(widget.pixmap().toImage().pixelColor(first + QPoint(0, 13)), widget.color(4)));

    // The store's update reaches the widget as it is emitted.
    widget.updateLanding(2, landingAt(0, 0), DataUpdateReason::Measurement);
    QCOMPARE(widget.markers().last().number, 3);
    widget.drawPosition(LandingPosition{0, 0});
    QCOMPARE(widget.markers().last().number, -1);
    QCOMPARE(widget.markers().last().color, TrampolineWidget::kDefaultLandingColor);
    widget.clear();
    QVERIFY(widget.markers().isEmpty());
    widget.rolloverPositions();
    QVERIFY(widget.markers().isEmpty());
}

void TestResultWidgets::inactiveBedGreysItsFrameAndLines()
{
    TrampolineWidget widget;
    widget.setProperty("trampoline", 1);
    widget.resize(1012, 584);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QPoint frame(20, 292);
    const QPoint zoneLine = widget.widgetPointFor(QPoint(1070, 800)).toPoint();
    QVERIFY(near(widget.pixmap().toImage().pixelColor(frame), widget.color(3)));
    QVERIFY(near(widget.pixmap().toImage().pixelColor(zoneLine), widget.color(5)));

    // Sensor F1 sits on the frame at (-1825, 1212); the second screens leave
    // the sensors out.
    const QPoint sensor = widget.widgetPointFor(QPoint(-1825, 1212)).toPoint();
    QVERIFY(near(widget.pixmap().toImage().pixelColor(sensor + QPoint(0, 15)), widget.color(4)));
    widget.setShowSensorPositions(false);
    QVERIFY(near(widget.pixmap().toImage().pixelColor(sensor + QPoint(0, 15)), widget.color(3)));

    widget.setTrampMode(data::model::TrampMode::Trampoline1);
    QVERIFY(!widget.isActive());
    const QImage image = widget.pixmap().toImage();
    QVERIFY(near(image.pixelColor(frame), widget.color(7)));
    QVERIFY(near(image.pixelColor(zoneLine), widget.color(7)));
    widget.setTrampMode(data::model::TrampMode::Synchronized);
    QVERIFY(widget.isActive());
    widget.setTrampMode(data::model::TrampMode::Trampoline2);
    QVERIFY(widget.isActive());
}

void TestResultWidgets::individualTableCarriesLandingsAndTotals()
{
    widget::individual::IndividualResultsTableModel model;
    using Model = widget::individual::IndividualResultsTableModel;
    QCOMPARE(model.rowCount(), 11);
    QCOMPARE(model.columnCount(), 5);
    QCOMPARE(model.headerData(10, Qt::Vertical).toString(), QStringLiteral("Tot"));
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    QStringList headers;
    for (int c = 0; c < 5; ++c)
        headers << model.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"ToF [s]", "HD-Ded", "HD", "X [cm]", "Y [cm]"}));

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QTest::ignoreMessage(QtDebugMsg, "Set landing 2 , ToF = 1235 , HD = 0.7");
    model.setLanding(2, landingAt(-120.6, 60.4, 1235, 0.3));
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.data(model.index(2, Model::ColumnToF)).toString(), QStringLiteral("1.235"));
    QCOMPARE(model.text(2, Model::ColumnHdDeduction), QStringLiteral("0.3"));
    QCOMPARE(model.text(2, Model::ColumnHd), QStringLiteral("0.7"));
    QCOMPARE(model.text(2, Model::ColumnX), QStringLiteral("-121"));
    QCOMPARE(model.text(2, Model::ColumnY), QStringLiteral("60"));
    QCOMPARE(model.text(1, Model::ColumnToF), QString());

    // Only ten landing rows: index 10 would overwrite the totals.
    model.setLanding(10, landingAt(1, 1));
    QCOMPARE(model.text(10, Model::ColumnX), QString());

    data::model::IndividualRoutineResult result;
    result.timeOfFlight = 14.46;
    result.hdDeductionSum = 1.2;
    result.horizontalDisplacement = 7.8;
    QTest::ignoreMessage(QtDebugMsg, "Set result: ToF = 14.46 , HD = 7.8");
    model.setResult(result);
    QCOMPARE(model.text(10, Model::ColumnToF), QStringLiteral("14.46"));
    QCOMPARE(model.text(10, Model::ColumnHdDeduction), QStringLiteral("1.2"));
    QCOMPARE(model.text(10, Model::ColumnHd), QStringLiteral("7.8"));

    QTest::ignoreMessage(QtDebugMsg, "Set landing 0 , ToF = 0 , HD = 1");
    model.updateLanding(std::size_t(0), landingAt(0, 0, 0, 0.0), DataUpdateReason::Measurement);
    QCOMPARE(model.text(0, Model::ColumnToF), QStringLiteral("0.000"));
    model.clear();
    QCOMPARE(model.text(10, Model::ColumnHd), QString());
    QCOMPARE(model.text(2, Model::ColumnToF), QString());
}

void TestResultWidgets::synchronizedTableSetsANonSynchronousPairApart()
{
    widget::synchronized::SynchronizedResultsTableModel model;
    using Model = widget::synchronized::SynchronizedResultsTableModel;
    QCOMPARE(model.rowCount(), 11);
    QCOMPARE(model.columnCount(), 7);
    QStringList headers;
    for (int c = 0; c < 7; ++c)
        headers << model.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers,
             (QStringList{"HD1-Ded", "HD2-Ded", "HD1", "HD2", "Syn-Ded", "Syn", "dT [s]"}));

    Landing a = landingAt(10, 10, 1200, 0.1);
    Landing b = landingAt(-70, 10, 1200, 0.2);
    for (Landing *l : {&a, &b}) {
        l->landingTimeDifference = 0.035;
        l->synDeduction = 0.08;
        l->synScore = 0.92;
    }
    model.setLanding(0, a, b);
    QCOMPARE(model.text(0, Model::ColumnHd1Deduction), QStringLiteral("0.1"));
    QCOMPARE(model.text(0, Model::ColumnHd2Deduction), QStringLiteral("0.2"));
    QCOMPARE(model.text(0, Model::ColumnHd1), QStringLiteral("0.9"));
    QCOMPARE(model.text(0, Model::ColumnHd2), QStringLiteral("0.8"));
    QCOMPARE(model.text(0, Model::ColumnSynDeduction), QStringLiteral("0.08"));
    QCOMPARE(model.text(0, Model::ColumnSyn), QStringLiteral("0.92"));
    QCOMPARE(model.text(0, Model::ColumnTimeDifference), QStringLiteral("0.035"));
    QVERIFY(!model.isNotSynchronous(0));
    QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());

    for (Landing *l : {&a, &b}) {
        l->landingTimeDifference = 0.4;
        l->synDeduction = 1.0;
        l->synScore = 0.0;
        l->notSynchronous = true;
    }
    model.updateLanding(std::size_t(1), a, b, DataUpdateReason::Measurement);
    QVERIFY(model.isNotSynchronous(1));
    QCOMPARE(model.text(1, Model::ColumnSynDeduction), QStringLiteral("1.00"));
    QCOMPARE(model.data(model.index(1, 3), Qt::BackgroundRole).value<QColor>(),
             Model::kNotSynchronousBackground);
    QVERIFY(model.data(model.index(1, 3), Qt::ToolTipRole).isValid());

    data::model::SynchronizedRoutineResult result;
    result.hdDeductionSumTrampoline1 = 0.1;
    result.hdDeductionSumTrampoline2 = 0.2;
    result.horizontalDisplacementTrampoline1 = 0.9;
    result.horizontalDisplacementTrampoline2 = 0.8;
    result.synDeductionSum = 0.08;
    result.synchronizedScore = 0.92;
    result.landingTimeDifferenceSum = 0.035;
    model.setResult(result);
    QCOMPARE(model.text(10, Model::ColumnHd1Deduction), QStringLiteral("0.1"));
    QCOMPARE(model.text(10, Model::ColumnHd2), QStringLiteral("0.8"));
    QCOMPARE(model.text(10, Model::ColumnSynDeduction), QStringLiteral("0.08"));
    QCOMPARE(model.text(10, Model::ColumnSyn), QStringLiteral("0.92"));
    QCOMPARE(model.text(10, Model::ColumnTimeDifference), QStringLiteral("0.035"));
    QCOMPARE(model.headerData(10, Qt::Vertical).toString(), QStringLiteral("Tot"));

    model.setLanding(10, a, b);
    QVERIFY(!model.isNotSynchronous(10));
    model.clear();
    QVERIFY(!model.isNotSynchronous(1));
    QCOMPARE(model.text(0, Model::ColumnSyn), QString());
}

void TestResultWidgets::synchronizedPairsAfterANonSynchronousOneAreGreyedNotShownAsValid()
{
    using Model = widget::synchronized::SynchronizedResultsTableModel;
    Model model;
    Landing a = landingAt(10, 10, 1200, 0.1);
    Landing b = landingAt(-70, 10, 1200, 0.2);
    const auto pair = [&](int row, bool notSynchronous) {
        for (Landing *l : {&a, &b})
            l->notSynchronous = notSynchronous;
        model.setLanding(row, a, b);
    };
    pair(0, false);
    pair(1, false);
    pair(2, true);
    pair(3, false);
    pair(4, false);
    for (int row : {0, 1, 2, 5}) {
        QVERIFY2(!model.isNotCounting(row), qPrintable(QString::number(row)));
        QVERIFY(model.data(model.index(row, Model::ColumnSyn), Qt::ForegroundRole) !=
                QVariant(Model::kNotCountingForeground));
    }
    for (int row : {3, 4}) {
        QVERIFY(model.isNotCounting(row));
        QCOMPARE(model.data(model.index(row, Model::ColumnHd1), Qt::ForegroundRole).value<QColor>(),
                 Model::kNotCountingForeground);
        QVERIFY(model.data(model.index(row, Model::ColumnHd1), Qt::ToolTipRole).isValid());
        QVERIFY(!model.data(model.index(row, Model::ColumnHd1), Qt::BackgroundRole).isValid());
    }
    // Shortened so that the pair that broke the routine is gone: every pair
    // counts again.
    pair(2, false);
    QVERIFY(!model.isNotCounting(3));
}

void TestResultWidgets::hdAndTofSynReadouts()
{
    HorizontalDisplacementResultWidget hd;
    hd.show();
    QCOMPARE(hd.readoutTrampoline1()->title(), QStringLiteral("Horizontal Displacement"));
    QVERIFY(hd.readoutTrampoline2()->isHidden());
    data::model::IndividualRoutineResult individual;
    individual.horizontalDisplacement = 8.7;
    individual.timeOfFlight = 15.36;
    hd.setIndividualResult(individual);
    QCOMPARE(hd.readoutTrampoline1()->value(), QStringLiteral("8.7"));

    hd.setTrampMode(data::model::TrampMode::Synchronized);
    // The individual value does not stay under the synchronized titles.
    QCOMPARE(hd.readoutTrampoline1()->value(), QStringLiteral("0.0"));
    QCOMPARE(hd.readoutTrampoline1()->title(), QStringLiteral("Horizontal Displacement Trampoline 1"));
    QCOMPARE(hd.readoutTrampoline2()->title(), QStringLiteral("Horizontal Displacement Trampoline 2"));
    QVERIFY(!hd.readoutTrampoline2()->isHidden());
    data::model::SynchronizedRoutineResult synchronized;
    synchronized.horizontalDisplacementTrampoline1 = 9.0;
    synchronized.horizontalDisplacementTrampoline2 = 8.45;
    synchronized.synchronizedScore = 9.125;
    hd.setSynchronizedResult(synchronized);
    QCOMPARE(hd.readoutTrampoline1()->value(), QStringLiteral("9.0"));
    QCOMPARE(hd.readoutTrampoline2()->value(), QStringLiteral("8.4"));

    // The swap button exchanges the halves on the screen.
    QApplication::processEvents();
    const int above = hd.readoutTrampoline1()->geometry().top();
    QVERIFY(above < hd.readoutTrampoline2()->geometry().top());
    hd.swapButton()->click();
    QVERIFY(hd.isSwapped());
    hd.layout()->activate();
    QVERIFY(hd.readoutTrampoline2()->geometry().top() < hd.readoutTrampoline1()->geometry().top());
    hd.reset();
    QCOMPARE(hd.readoutTrampoline1()->value(), QStringLiteral("0.0"));

    TofSynResultWidget tofSyn;
    QCOMPARE(tofSyn.readout()->title(), QStringLiteral("Time-of-Flight"));
    QCOMPARE(tofSyn.readout()->value(), QStringLiteral("0.000"));
    tofSyn.setIndividualResult(individual);
    QCOMPARE(tofSyn.readout()->value(), QStringLiteral("15.36"));
    tofSyn.setTrampMode(data::model::TrampMode::Synchronized);
    QCOMPARE(tofSyn.readout()->title(), QStringLiteral("Syn"));
    QCOMPARE(tofSyn.readout()->value(), QStringLiteral("0.000"));
    tofSyn.setSynchronizedResult(synchronized);
    QCOMPARE(tofSyn.readout()->value(), QStringLiteral("9.13"));
    // The same kind again keeps the value.
    tofSyn.setTrampMode(data::model::TrampMode::Synchronized);
    QCOMPARE(tofSyn.readout()->value(), QStringLiteral("9.13"));
    tofSyn.reset();
    QCOMPARE(tofSyn.readout()->value(), QStringLiteral("0.000"));
}

void TestResultWidgets::readoutDigitsGrowWithTheirBox()
{
    ResultReadout readout;
    readout.setTitle(QStringLiteral("Horizontal Displacement Trampoline 1"));
    readout.setValue(QStringLiteral("18.54"));
    const auto fits = [&readout] {
        const QLabel *value = readout.valueLabel();
        const QFontMetrics metrics(value->font());
        return metrics.horizontalAdvance(value->text()) <= value->contentsRect().width() &&
               metrics.height() <= value->contentsRect().height();
    };
    readout.resize(220, 130);
    readout.show();
    QVERIFY(QTest::qWaitForWindowExposed(&readout));
    const int small = QFontInfo(readout.valueLabel()->font()).pixelSize();
    QVERIFY(fits());
    readout.resize(660, 390);
    QTRY_VERIFY(QFontInfo(readout.valueLabel()->font()).pixelSize() > 2 * small);
    QVERIFY(fits());
    // A wider text than the read-outs normally show still fits.
    readout.setValue(QStringLiteral("188.888"));
    QVERIFY(fits());
}

void TestResultWidgets::overviewCountsPairsAndHighlightsThePenalty()
{
    OverviewResultWidget overview;
    data::model::SynchronizedRoutineResult synchronized;
    synchronized.elementCount = 10;
    synchronized.effectiveElementCount = 10;
    overview.setSynchronizedResult(synchronized);
    QCOMPARE(overview.routineTypeLabel()->text(), QStringLiteral("Synchronized"));
    // The mode alone sets the kind, for a routine that ends without a result.
    overview.setTrampMode(data::model::TrampMode::Trampoline2);
    QCOMPARE(overview.routineTypeLabel()->text(), QStringLiteral("Individual"));
    overview.setTrampMode(data::model::TrampMode::Synchronized);
    QCOMPARE(overview.routineTypeLabel()->text(), QStringLiteral("Synchronized"));
    QCOMPARE(overview.elementCountLabel()->text(), QStringLiteral("10"));
    synchronized.effectiveElementCount = 6;
    synchronized.shiftedLandings = -2;
    overview.setSynchronizedResult(synchronized);
    QCOMPARE(overview.elementCountLabel()->text(), QStringLiteral("6 / 10"));
    QCOMPARE(overview.shiftedLandingsLabel()->text(), QStringLiteral("-2"));

    data::model::IndividualRoutineResult individual;
    individual.elementCount = 9;
    overview.setIndividualResult(individual);
    QCOMPARE(overview.routineTypeLabel()->text(), QStringLiteral("Individual"));
    QCOMPARE(overview.elementCountLabel()->text(), QStringLiteral("9"));

    QCOMPARE(overview.startTimeLabel()->text(), QStringLiteral("37.2s"));
    QCOMPARE(overview.penaltyLabel()->text(), QStringLiteral("0.0"));
    overview.setRoutineStartTime(64.27);
    QCOMPARE(overview.startTimeLabel()->text(), QStringLiteral("64.3s"));
    QVERIFY(!overview.penaltyHighlighted());
    overview.setPenalty(0.2);
    QCOMPARE(overview.penaltyLabel()->text(), QStringLiteral("0.2"));
    QCOMPARE(overview.penaltyLabels().size(), 3);
    for (QLabel *label : overview.penaltyLabels())
        QVERIFY(label->property("highlightPenalty").toBool());
    overview.setPenalty(0.0);
    for (QLabel *label : overview.penaltyLabels())
        QVERIFY(!label->property("highlightPenalty").toBool());
}

void TestResultWidgets::previousResultShowsTheConfirmedRoutine()
{
    PreviousResultWidget previous;
    QSignalSpy keys(&previous, &PreviousResultWidget::sendHighlightKeys);
    // Nothing to highlight yet: no menu, all six labels empty.
    QVERIFY(previous.createHighlightMenu(&previous) == nullptr);
    QCOMPARE(previous.highlightLabels(1)[0]->text(), QString());

    const QMap<QString, QString> meta{{"athlete", "Ann Example"}, {"club", "TV Nord"}};
    previous.setCurrentRoutineMeta(meta);
    QVERIFY(previous.routineMeta().isEmpty());
    data::model::IndividualRoutineResult individual;
    individual.horizontalDisplacement = 8.75;
    individual.timeOfFlight = 16.128;
    previous.setIndividualResult(individual);
    QCOMPARE(previous.hdKey(), QStringLiteral("previous HD"));
    QCOMPARE(previous.hdValue(), QStringLiteral("8.8"));
    QCOMPARE(previous.scoreKey(), QStringLiteral("previous Time-of-Flight"));
    QCOMPARE(previous.scoreValue(), QStringLiteral("16.13"));
    QCOMPARE(previous.routineMeta(), meta);
    QCOMPARE(previous.highlightLabels(1)[0]->text(),
             QStringLiteral("Right-click to select highlight information"));
    // Who jumped is shown without a choice: here the "athlete" entry.
    QCOMPARE(previous.highlightLabels(1)[1]->text(), QStringLiteral("Athlete"));
    QCOMPARE(previous.highlightLabels(1)[2]->text(), QStringLiteral("Ann Example"));
    QCOMPARE(previous.highlightLabels(2)[1]->text(), QStringLiteral("Info 2"));
    QCOMPARE(previous.highlightLabels(2)[2]->text(), QString());

    std::unique_ptr<QMenu> menu(previous.createHighlightMenu(&previous));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("Context menu"));
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("highlight nothing"));
    QVERIFY(menu->actions()[1]->isSeparator());
    QCOMPARE(menu->actions()[2]->text(), QStringLiteral("Athlete or pair"));
    QCOMPARE(menu->actions()[3]->text(), QStringLiteral("athlete"));

    previous.chooseHighlight(1, QString());
    previous.chooseHighlight(2, QStringLiteral("club"));
    QCOMPARE(previous.highlightLabels(2)[2]->text(), QStringLiteral("TV Nord"));
    QCOMPARE(keys.count(), 2);
    QCOMPARE(keys.last(), (QVariantList{QStringLiteral("Info 1"), QStringLiteral("club")}));
    previous.chooseHighlight(2, QString());
    QCOMPARE(previous.highlightLabels(2)[1]->text(), QStringLiteral("Info 2"));

    // Keys chosen elsewhere are taken without echoing them back.
    previous.receiveHighlightKeys(QStringLiteral("athlete"), QStringLiteral("club"));
    QCOMPARE(previous.highlightLabels(1)[2]->text(), QStringLiteral("Ann Example"));
    QCOMPARE(keys.count(), 3);

    data::model::SynchronizedRoutineResult synchronized;
    synchronized.horizontalDisplacementTrampoline1 = 9.1;
    synchronized.horizontalDisplacementTrampoline2 = 8.6;
    synchronized.synchronizedScore = 8.845;
    previous.setCurrentRoutineMeta({});
    previous.setSynchronizedResult(synchronized);
    QCOMPARE(previous.scoreKey(), QStringLiteral("previous Syn"));
    QCOMPARE(previous.scoreValue(), QStringLiteral("8.85"));
    QCOMPARE(previous.hdValue(), QStringLiteral("9.1 / 8.6"));
    QCOMPARE(previous.highlightLabels(1)[1]->text(), QString());
}

void TestResultWidgets::barChartTitleAndRollover()
{
    BarChartWidget chart;
    QCOMPARE(chart.title(), QStringLiteral("10 landings"));
    QCOMPARE(chart.categories().size(), 10);
    QCOMPARE(chart.categories().first(), QStringLiteral("1"));
    QCOMPARE(chart.barSet()->label(), QStringLiteral("ToF"));
    QCOMPARE(chart.barSet()->color(), QColor(50, 100, 200));
    chart.setLandingsPerRoutine(1);
    QCOMPARE(chart.title(), QStringLiteral("1 landing"));
    chart.setLandingsPerRoutine(3);
    QCOMPARE(chart.title(), QStringLiteral("3 landings"));

    chart.updateLandingTrampoline1(0, landingAt(0, 0, 0), DataUpdateReason::Measurement);
    chart.updateLandingTrampoline1(1, landingAt(0, 0, 1230), DataUpdateReason::Measurement);
    chart.updateLandingTrampoline1(2, landingAt(0, 0, 1350), DataUpdateReason::Measurement);
    // Trampoline 2 is not shown in trampoline 1's mode.
    chart.updateLandingTrampoline2(3, landingAt(0, 0, 999), DataUpdateReason::Measurement);
    QCOMPARE(chart.values(), (QList<double>{0.0, 1.23, 1.35}));
    QCOMPARE(chart.barSet()->count(), 3);
    QCOMPARE(chart.pointSeries()->count(), 3);
    QVERIFY(chart.pointSeries()->pointLabelsVisible());

    // A rollover drops the oldest bar; the others move one category left.
    chart.rollover();
    chart.updateLandingTrampoline1(2, landingAt(0, 0, 1400), DataUpdateReason::Measurement);
    QCOMPARE(chart.values(), (QList<double>{1.23, 1.35, 1.4}));
    QCOMPARE(chart.barSet()->at(0), 1.23);
    QCOMPARE(chart.pointSeries()->at(0), QPointF(0, 1.23));
    QCOMPARE(chart.pointSeries()->at(2), QPointF(2, 1.4));
    QCOMPARE(chart.categories().first(), QStringLiteral("1"));

    // Twenty landings per routine need twenty categories.
    chart.setLandingsPerRoutine(20);
    QCOMPARE(chart.categories().size(), 20);
    QCOMPARE(chart.categories().last(), QStringLiteral("20"));
    chart.setTrampMode(data::model::TrampMode::Trampoline2);
    chart.clear();
    chart.updateLandingTrampoline2(0, landingAt(0, 0, 500), DataUpdateReason::Measurement);
    QCOMPARE(chart.values(), (QList<double>{0.5}));
}

void TestResultWidgets::cableColours()
{
    CableWidget cables;
    cables.resize(320, 160);
    cables.setConnections(0b00001101);
    QVERIFY(cables.isConnected(0));
    QVERIFY(!cables.isConnected(1));
    cables.setCableConnected(1, true);
    cables.setCableConnected(9, true);
    QCOMPARE(cables.cableColor(1), CableWidget::kConnectedColor);
    QCOMPARE(cables.cableColor(7), CableWidget::kMissingColor);

    QImage image(cables.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    cables.render(&image);
    QVERIFY(near(image.pixelColor(cables.sensorPoint(0).toPoint()), CableWidget::kConnectedColor));
    QVERIFY(near(image.pixelColor(cables.sensorPoint(7).toPoint()), CableWidget::kMissingColor));
}

void TestResultWidgets::continuousPageRollsItsRoutine()
{
    ContinuousResultWidget page;
    page.setLandingsPerRoutine(3);
    QCOMPARE(page.barChartWidget()->title(), QStringLiteral("3 landings"));
    QCOMPARE(page.trampolineWidget()->title(), QStringLiteral("TRAMPOLINE 1"));
    // The store's order of signals when a fourth landing arrives: the rollover
    // with the result of the remaining landings, then the new landing.
    for (int i = 0; i < 3; ++i)
        page.updateLandingTrampoline1(std::size_t(i), landingAt(10 * i, 0, 1200 + 10 * i),
                                      DataUpdateReason::Measurement);
    page.updateLandingTrampoline2(0, landingAt(0, 0, 900), DataUpdateReason::Measurement);
    QCOMPARE(page.trampolineWidget()->markers().size(), 3);
    data::model::IndividualRoutineResult remaining;
    remaining.timeOfFlight = 2.42;
    remaining.horizontalDisplacement = 2.0;
    page.rolloverLandings(remaining);
    page.updateLandingTrampoline1(2, landingAt(30, 0, 1230), DataUpdateReason::Measurement);
    QCOMPARE(page.barChartWidget()->values(), (QList<double>{1.21, 1.22, 1.23}));
    QList<int> numbers;
    for (const auto &marker : page.trampolineWidget()->markers())
        numbers << marker.number;
    QCOMPARE(numbers, (QList<int>{1, 2, 3}));
    QCOMPARE(page.trampolineWidget()->markers().first().point, QPoint(100, 0));
    QCOMPARE(page.tofSynResultWidget()->readout()->value(), QStringLiteral("2.42"));

    page.setTrampMode(data::model::TrampMode::Trampoline2);
    QCOMPARE(page.trampolineWidget()->title(), QStringLiteral("TRAMPOLINE 2"));
    page.clear();
    QVERIFY(page.trampolineWidget()->markers().isEmpty());
    QVERIFY(page.barChartWidget()->values().isEmpty());
    page.updateLandingTrampoline2(0, landingAt(0, 0, 900), DataUpdateReason::Measurement);
    QCOMPARE(page.barChartWidget()->values(), (QList<double>{0.9}));
}

OVRA_TEST_GUI_MAIN(TestResultWidgets)
#include "tst_resultwidgets.moc"
