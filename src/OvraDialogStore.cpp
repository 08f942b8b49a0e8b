// The sample store's side of the main window: frames and blocks, the routine
// window, the routine edits, continuous training and the result display.

#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListSelection.h"
#include "WidgetPlaceholders.h"
#include "data/Evaluation.h"
#include "data/wsDaten.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "state/RoutineGuard.h"
#include "training/ContinuousModeCoordinator.h"
#include "training/RoutineStartTimer.h"
#include "usb/DeviceLink.h"
#include "usb/USBConnection.h"
#include "util/EventWait.h"
#include "util/Warnings.h"
#include "widgets/ContinuousResultWidget.h"
#include "widgets/ForceSampleSource.h"
#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/IndividualResultsTableModel.h"
#include "widgets/OverviewResultWidget.h"
#include "widgets/PlotterWidget.h"
#include "widgets/PreviousResultWidget.h"
#include "widgets/SecondScreenWindows.h"
#include "widgets/SynchronizedResultsTableModel.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QUuid>
#include <QVBoxLayout>

using data::model::Landing;

namespace {
// Arrow keys held or pressed in a row make one write of the temporary file.
constexpr int kTempRewriteDelayMs = 250;
} // namespace

using data::model::TrampMode;
using widget::individual::IndividualResultsTableModel;
using widget::synchronized::SynchronizedResultsTableModel;

void OvraDialog::createResultWidgets()
{
    OvraDialogUi &ui = *m_ui;
    m_trampoline1 = replacePlaceholder(ui.trampolineWidget1, new TrampolineWidget);
    m_trampoline1->setTitle(tr("TRAMPOLINE 1"));
    m_trampoline1->setTrampoline(0);
    m_trampoline2 = replacePlaceholder(ui.trampolineWidget2, new TrampolineWidget);
    m_trampoline2->setTitle(tr("TRAMPOLINE 2"));
    m_trampoline2->setTrampoline(1);
    // The beds draw themselves centred at their aspect ratio in whatever
    // they get; asking for their full height by width would squeeze the
    // landings table and the read-outs below their minimum.
    for (TrampolineWidget *bed : {m_trampoline1, m_trampoline2}) {
        QSizePolicy policy = bed->sizePolicy();
        policy.setHeightForWidth(false);
        bed->setSizePolicy(policy);
        bed->setMinimumHeight(80);
    }
    m_hdResult = replacePlaceholder(ui.hdResultWidget, new HorizontalDisplacementResultWidget);
    m_tofResult = replacePlaceholder(ui.tofResultWidget, new TofSynResultWidget);
    m_overview = replacePlaceholder(ui.overviewResultWidget, new OverviewResultWidget);
    m_previousResult = replacePlaceholder(ui.readyPagePreviousResultWidget, new PreviousResultWidget);
    m_continuous = replacePlaceholder(ui.continuousWidget, new ContinuousResultWidget);

    m_individualModel = new IndividualResultsTableModel(this);
    m_synchronizedModel = new SynchronizedResultsTableModel(this);
    ui.individualResultsTableView->setModel(m_individualModel);
    ui.synchronizedResultsTableView->setModel(m_synchronizedModel);

    // The force curves belong to the live page: they run during START and
    // ROUTINE and stay frozen for the review below the results.
    m_plotter = new PlotterWidget(ui.detailedPage);
    m_plotter->setObjectName(QStringLiteral("plotterWidget"));
    m_plotter->setMinimumHeight(90);
    if (auto *detailed = qobject_cast<QBoxLayout *>(ui.detailedPage->layout()))
        detailed->addWidget(m_plotter, 2);

    m_trampolineToggle = new SecondScreenToggle(
        ui.actionSecondScreenTrampoline, this,
        [this](QWidget *parent) -> QMainWindow * {
            auto *window = new SecondScreenTrampolineWindow(parent);
            connectTrampolineView(window->trampoline1Widget(), 0);
            connectTrampolineView(window->trampoline2Widget(), 1);
            // A window opened mid-routine or in the review shows the routine
            // so far, as the main window does.
            showRoutineOn(window->trampoline1Widget(), 0);
            showRoutineOn(window->trampoline2Widget(), 1);
            return window;
        },
        this);
    m_resultsToggle = new SecondScreenToggle(
        ui.actionSecondScreenResults, this,
        [this](QWidget *parent) -> QMainWindow * {
            auto *window = new SecondScreenResultWindow(parent);
            const OvraState &s = *m_ovraState;
            window->assignStateProperties({s.disconnectedState(), s.state(OvraState::DISPLAY),
                                           s.state(OvraState::DISCONNECTED_COMMIT), s.state(OvraState::READY),
                                           s.state(OvraState::START), s.state(OvraState::ROUTINE),
                                           s.state(OvraState::REVIEW), s.state(OvraState::CONNECTED_COMMIT)});
            connectResultViews(window->horizontalDisplacementResultWidget(), window->tofSynResultWidget());
            showResultOn(window->horizontalDisplacementResultWidget(), window->tofSynResultWidget());
            window->setPersonalBest(m_personalBestText);
            return window;
        },
        this);
    connect(ui.actionSecondScreenTrampoline, &QAction::toggled, this,
            &OvraDialog::toggleSecondScreenTrampoline);
    connect(ui.actionSecondScreenResults, &QAction::toggled, this, &OvraDialog::toggleSecondScreenResults);
}

// A view of one bed, in the window or on the second screen.
void OvraDialog::connectTrampolineView(TrampolineWidget *bed, int trampoline)
{
    bed->setTrampMode(m_daten->trampMode());
    connect(m_daten, &wsDaten::updateTrampMode, bed, &TrampolineWidget::setTrampMode);
    connect(this, &OvraDialog::clearAllResultWidgets, bed, &TrampolineWidget::clear);
    const auto drawPosition = qOverload<data::calc::LandingPosition>(&TrampolineWidget::drawPosition);
    // Continuous training rolls the oldest landing out of the routine; the
    // bed of the trained trampoline drops its marker and renumbers.
    connect(&m_daten->routines(), &data::model::Routines::rolloverLandings, bed, [this, bed, trampoline] {
        if (m_daten->trampMode() != TrampMode::Synchronized && m_daten->individualTrampoline() == trampoline)
            bed->rolloverPositions();
    });
    if (trampoline == 0) {
        connect(m_daten, &wsDaten::resetTrampoline1, bed, &TrampolineWidget::clear);
        connect(m_daten, &wsDaten::updateLandingTrampoline1, bed, &TrampolineWidget::updateLanding);
        connect(this, &OvraDialog::drawLandingTrampoline1, bed, &TrampolineWidget::drawLanding);
        connect(this, &OvraDialog::drawPositionTrampoline1, bed, drawPosition);
    } else {
        connect(m_daten, &wsDaten::resetTrampoline2, bed, &TrampolineWidget::clear);
        connect(m_daten, &wsDaten::updateLandingTrampoline2, bed, &TrampolineWidget::updateLanding);
        connect(this, &OvraDialog::drawLandingTrampoline2, bed, &TrampolineWidget::drawLanding);
        connect(this, &OvraDialog::drawPositionTrampoline2, bed, drawPosition);
    }
}

void OvraDialog::showRoutineOn(TrampolineWidget *bed, int trampoline)
{
    const data::model::Routines &r = m_daten->routines();
    const TrampMode mode = m_daten->trampMode();
    const data::model::Routines::LandingArray *landings = nullptr;
    if (mode == TrampMode::Synchronized)
        landings = trampoline == 0 ? &r.synchronizedLandingsTrampoline1 : &r.synchronizedLandingsTrampoline2;
    else if (m_daten->individualTrampoline() == trampoline)
        landings = trampoline == 0 ? &r.individualLandingsTrampoline1 : &r.individualLandingsTrampoline2;
    if (landings == nullptr)
        return;
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(r.landingCount), landings->size());
    for (std::size_t k = 0; k < n; ++k) {
        if (data::calc::isCountedLanding((*landings)[k]))
            bed->updateLanding(k, (*landings)[k], DataUpdateReason::Edit);
    }
}

void OvraDialog::showResultOn(HorizontalDisplacementResultWidget *hd, TofSynResultWidget *tof)
{
    if (m_daten->trampMode() == TrampMode::Synchronized) {
        const auto result = m_daten->currentSynchronizedResult();
        hd->setSynchronizedResult(result);
        tof->setSynchronizedResult(result);
    } else {
        const auto result = m_daten->currentIndividualResult();
        hd->setIndividualResult(result);
        tof->setIndividualResult(result);
    }
}

// The HD and ToF/Syn results, in the window or on the second screen.
void OvraDialog::connectResultViews(HorizontalDisplacementResultWidget *hd, TofSynResultWidget *tof)
{
    hd->setTrampMode(m_daten->trampMode());
    tof->setTrampMode(m_daten->trampMode());
    connect(m_daten, &wsDaten::updateTrampMode, hd, &HorizontalDisplacementResultWidget::setTrampMode);
    connect(m_daten, &wsDaten::updateTrampMode, tof, &TofSynResultWidget::setTrampMode);
    connect(m_daten, &wsDaten::updateResultIndividualRoutine, hd,
            &HorizontalDisplacementResultWidget::setIndividualResult);
    connect(m_daten, &wsDaten::updateResultIndividualRoutine, tof, &TofSynResultWidget::setIndividualResult);
    connect(m_daten, &wsDaten::updateResultSynchronizedRoutine, hd,
            &HorizontalDisplacementResultWidget::setSynchronizedResult);
    connect(m_daten, &wsDaten::updateResultSynchronizedRoutine, tof,
            &TofSynResultWidget::setSynchronizedResult);
    connect(this, &OvraDialog::clearAllResultWidgets, hd, &HorizontalDisplacementResultWidget::reset);
    connect(this, &OvraDialog::clearAllResultWidgets, tof, &TofSynResultWidget::reset);
    connect(this, &OvraDialog::resetHdResultWidget, hd, &HorizontalDisplacementResultWidget::reset);
    connect(this, &OvraDialog::resetTofResultWidget, tof, &TofSynResultWidget::reset);
}

void OvraDialog::connectStore()
{
    wsDaten *d = m_daten;
    data::model::Routines *r = &d->routines();
    OvraDialogUi &ui = *m_ui;

    connect(m_deviceLink, &usb::DeviceLink::dataFrameReceived, this, &OvraDialog::handleDataFrame);
    connect(m_deviceLink, &usb::DeviceLink::taraRequested, this, &OvraDialog::evaluateTara);
    connect(d, &wsDaten::updateTrampMode, this, &OvraDialog::updateTrampolineSelectionLabel);
    connect(d, &wsDaten::updateTrampMode, this, &OvraDialog::updateTrampolineActivity);
    connect(r, &data::model::Routines::routineStartTimeChanged, this, &OvraDialog::updateRoutineStartTime);
    connect(r, &data::model::Routines::updateRoutineMetaInformation, this, &OvraDialog::printRoutineMeta);
    connect(r, &data::model::Routines::penaltyChanged, this, &OvraDialog::updateRoutineStartPenalty);
    connect(m_continuousModeCoordinator, &training::ContinuousModeCoordinator::expectedLandingsPerRoutine, r,
            &data::model::Routines::setExpectedLandingsPerRoutine);
    connect(m_continuousModeCoordinator, &training::ContinuousModeCoordinator::expectedLandingsPerRoutine,
            m_continuous, &ContinuousResultWidget::setLandingsPerRoutine);

    // Routine edits in REVIEW; the actions carry the arrow keys.
    connect(ui.actionMove_selection_right, &QAction::triggered, this, &OvraDialog::moveRoutineRight);
    connect(ui.actionMove_selection_left, &QAction::triggered, this, &OvraDialog::moveRoutineLeft);
    connect(ui.actionIncrease_selection, &QAction::triggered, this, &OvraDialog::increaseLandingsInRoutine);
    connect(ui.actionDecrease_selection, &QAction::triggered, this, &OvraDialog::decreaseLandingsInRoutine);
    connect(ui.actionRestoreRoutine, &QAction::triggered, this, &OvraDialog::restoreMeasuredRoutine);
    m_tempRewriteTimer = new QTimer(this);
    m_tempRewriteTimer->setSingleShot(true);
    m_tempRewriteTimer->setInterval(kTempRewriteDelayMs);
    connect(m_tempRewriteTimer, &QTimer::timeout, this, &OvraDialog::rewriteTempFileAfterEdits);

    // Result display.
    connectTrampolineView(m_trampoline1, 0);
    connectTrampolineView(m_trampoline2, 1);
    connectResultViews(m_hdResult, m_tofResult);
    connect(d, &wsDaten::resetIndividualResultsTable, m_individualModel, &IndividualResultsTableModel::clear);
    // A routine edit republishes the bed's landings: the table is rebuilt
    // with them, so a landing the edit removed leaves no row behind.
    connect(d, &wsDaten::resetTrampoline1, m_individualModel, &IndividualResultsTableModel::clear);
    connect(d, &wsDaten::resetTrampoline2, m_individualModel, &IndividualResultsTableModel::clear);
    connect(d, &wsDaten::resetSynchronizedResultsTable, m_synchronizedModel,
            &SynchronizedResultsTableModel::clear);
    connect(d, &wsDaten::updateLandingTrampoline1, m_individualModel,
            &IndividualResultsTableModel::updateLanding);
    connect(d, &wsDaten::updateLandingTrampoline2, m_individualModel,
            &IndividualResultsTableModel::updateLanding);
    connect(d, &wsDaten::updateLandingSynchronizedRoutine, m_synchronizedModel,
            &SynchronizedResultsTableModel::updateLanding);
    connect(d, &wsDaten::updateLandingSynchronizedRoutine, this,
            &OvraDialog::propagateLandingSynchronizedRoutine);
    connect(d, &wsDaten::updateResultIndividualRoutine, m_individualModel,
            &IndividualResultsTableModel::setResult);
    connect(d, &wsDaten::updateResultIndividualRoutine, m_overview,
            &OverviewResultWidget::setIndividualResult);
    connect(d, &wsDaten::updateResultSynchronizedRoutine, m_synchronizedModel,
            &SynchronizedResultsTableModel::setResult);
    connect(d, &wsDaten::updateResultSynchronizedRoutine, m_overview,
            &OverviewResultWidget::setSynchronizedResult);
    connect(d, &wsDaten::approvedResultIndividualRoutine, m_previousResult,
            &PreviousResultWidget::setIndividualResult);
    connect(d, &wsDaten::approvedResultSynchronizedRoutine, m_previousResult,
            &PreviousResultWidget::setSynchronizedResult);
    connect(d, &wsDaten::setExerciseStartTime, m_plotter, &PlotterWidget::setExerciseStartTime);
    connect(d, &wsDaten::setExerciseEndTime, m_plotter, &PlotterWidget::setExerciseEndTime);
    connect(d, &wsDaten::setExerciseStartTimeFix, m_plotter, &PlotterWidget::setExerciseStartTimeFix);
    connect(d, &wsDaten::setExerciseEndTimeFix, m_plotter, &PlotterWidget::setExerciseEndTimeFix);
    connect(this, &OvraDialog::setExerciseStartTime, m_plotter, &PlotterWidget::setExerciseStartTime);
    connect(this, &OvraDialog::setExerciseEndTime, m_plotter, &PlotterWidget::setExerciseEndTime);
    connect(this, &OvraDialog::setExerciseStartTimeFix, m_plotter, &PlotterWidget::setExerciseStartTimeFix);
    connect(this, &OvraDialog::setExerciseEndTimeFix, m_plotter, &PlotterWidget::setExerciseEndTimeFix);

    m_overview->setTrampMode(d->trampMode());
    connect(d, &wsDaten::updateTrampMode, m_overview, &OverviewResultWidget::setTrampMode);
    connect(r, &data::model::Routines::routineStartTimeChanged, m_overview,
            &OverviewResultWidget::setRoutineStartTime);
    connect(r, &data::model::Routines::penaltyChanged, m_overview, &OverviewResultWidget::setPenalty);
    connect(r, &data::model::Routines::updateRoutineMetaInformation, m_previousResult,
            &PreviousResultWidget::setCurrentRoutineMeta);
    connect(r, &data::model::Routines::rolloverLandings, m_continuous,
            &ContinuousResultWidget::rolloverLandings);

    connect(this, &OvraDialog::clearAllResultWidgets, m_individualModel, &IndividualResultsTableModel::clear);
    connect(this, &OvraDialog::clearAllResultWidgets, m_synchronizedModel,
            &SynchronizedResultsTableModel::clear);
    connect(this, &OvraDialog::clearAllResultWidgets, m_overview, &OverviewResultWidget::reset);
    connect(this, &OvraDialog::clearAllResultWidgets, m_continuous, &ContinuousResultWidget::clear);
    connect(this, &OvraDialog::clearAllResultWidgets, m_plotter, &PlotterWidget::clear);
    connect(this, &OvraDialog::resetIndividualResultsTable, m_individualModel,
            &IndividualResultsTableModel::clear);
    connect(this, &OvraDialog::resetSynchronizedResultsTable, m_synchronizedModel,
            &SynchronizedResultsTableModel::clear);
    connect(this, &OvraDialog::setTramp1Active, m_plotter, &PlotterWidget::setTramp1Active);
    connect(this, &OvraDialog::setTramp2Active, m_plotter, &PlotterWidget::setTramp2Active);
    updateTrampolineActivity(m_daten->trampMode());

    m_daten->setBatchCount(0);
}

void OvraDialog::handleDataFrame(const UsbFrame &frame)
{
    if (m_daten->addFrame(reinterpret_cast<const char *>(frame.bytes), static_cast<int>(UsbFrame::kSize)))
        handleBlock();
}

void OvraDialog::handleBlock()
{
    // While the machine is disconnected the store sees inner state 0 and
    // only watches the beds.
    const int state = m_ovraState->isUsbConnected() ? m_ovraState->connectedInnerState() : 0;
    const data::store::BlockWork work =
        m_daten->handleBlock(state, m_settings->rulesSettings().hdDeductionRule());

    if (work.counted) {
        if (state == OvraState::START || state == OvraState::ROUTINE || state == OvraState::DROP_TEST)
            m_plotter->appendSamples(widget::plot::StoreForceSource<wsDaten>(*m_daten),
                                     wsDaten::kSamplesPerBlock);
        // The running time of a routine, of continuous training and of the
        // drop test.
        if (state == OvraState::START || state == OvraState::ROUTINE || state == OvraState::CONTINUOUS ||
            state == OvraState::DROP_TEST)
            updateTimeDisplay(m_daten->sampleCount() * 0.001);
    }
    if (work.weightClassReached > 0.0)
        updateEstimatedWeightClass(work.weightClassReached);

    if (state == OvraState::START || state == OvraState::ROUTINE) {
        data::model::Routines &r = m_daten->routines();
        if (r.routineRecording && r.exerciseStart < r.exerciseEnd) {
            r.routineRecording = false;
            startRoutineFinishTimer();
            recomputeStartTimeFromLandings();
            m_ui->LB_routineComplete->setVisible(state == OvraState::ROUTINE);
        }
        if (state == OvraState::START)
            processStartTiming();
        checkRoutineFinishTime(r.routineRecording, r.exerciseStart, r.exerciseEnd);
        showLoneBed(m_daten->loneActiveBed());
    }
    if (work.sensorChecked) {
        m_warnings->setAllSensorsConnectedWarning(work.sensorCheck.sensorNotConnected);
        m_warnings->setUnusualSensorDataWarning(work.sensorCheck.unusualSensorData);
    }
    // The store unchecks nothing itself: triggering the checked action ends
    // the drop test the same way the operator would.
    if (work.dropTest.evaluated && m_ui->actionSingle_Drop_Test->isChecked())
        m_ui->actionSingle_Drop_Test->trigger();

    Q_EMIT newSensorValuesHaveArrived();
    m_daten->setBatchCount(0);
}

void OvraDialog::showLoneBed(int bed)
{
    QLabel *label = m_ui->LB_loneBed;
    if (bed < 0) {
        label->setVisible(false);
        return;
    }
    const QString text = tr("Synchronized, but only trampoline %1 is jumping: no pairs are counted. For one "
                            "athlete choose trampoline %1 under \"Tramp select\".")
                             .arg(bed + 1);
    if (label->text() != text)
        label->setText(text);
    label->setVisible(true);
}

void OvraDialog::recomputeStartTimeFromLandings()
{
    data::model::Routines &r = m_daten->routines();
    const Landing *first = nullptr;
    switch (m_daten->trampMode()) {
    case TrampMode::Trampoline1:
        first = &r.individualLandingsTrampoline1[0];
        break;
    case TrampMode::Trampoline2:
        first = &r.individualLandingsTrampoline2[0];
        break;
    case TrampMode::Synchronized:
        first = &r.synchronizedLandingsTrampoline1[0];
        break;
    }
    int takeoff = 0;
    if (first && first->landingTime >= 0 && first->timeOfFlight >= 0)
        takeoff = std::max(0, first->landingTime - first->timeOfFlight);
    r.setRoutineStartTime(takeoff * 0.001);
    r.setPenalty(RoutineStartTimer::startDelayPenalty(takeoff));
}

void OvraDialog::evaluateTara()
{
    // Frames keep arriving during the wait; a second request meanwhile
    // would nest the wait and compute the offsets twice.
    if (m_taraRunning)
        return;
    // The self-diagnosis zeroes in its own state, where the blocks are
    // recorded too; the machine stays there.
    const bool diagnosis = m_ovraState->isIn(OvraState::CONNECTED_DIAGNOSIS);
    // The zeroing needs the idle beds of READY: a box that connects while a
    // file or a recovered routine is shown must not throw the shown samples
    // away. It runs when the machine is next in READY.
    if (!diagnosis && !m_ovraState->isIn(OvraState::READY)) {
        m_taraPending = true;
        return;
    }
    m_taraPending = false;
    m_taraRunning = true;
    if (!diagnosis)
        Q_EMIT toggleTara();
    m_daten->beginTara();
    ovra::util::waitProcessingEvents(kTaraWaitMs);
    // A box lost during the wait delivered nothing: offsets from no samples
    // would make every force not a number. The old offsets stay.
    if (m_daten->sampleCount() > 0)
        m_daten->finishTara();
    else
        qWarning() << "Tara skipped: no samples arrived from the master box";
    // The settings hold the zero offsets.
    m_settings->writeSettings(width(), height(), m_font);
    if (m_ovraState->isIn(OvraState::TARA))
        Q_EMIT toggleTara();
    m_taraRunning = false;
}

void OvraDialog::moveRoutineRight()
{
    m_daten->moveRoutineRight();
    recomputeStartTimeFromLandings();
    routineEdited();
}

void OvraDialog::moveRoutineLeft()
{
    m_daten->moveRoutineLeft();
    recomputeStartTimeFromLandings();
    routineEdited();
}

void OvraDialog::increaseLandingsInRoutine()
{
    m_daten->increaseLandingsInRoutine();
    routineEdited();
}

void OvraDialog::decreaseLandingsInRoutine()
{
    m_daten->decreaseLandingsInRoutine();
    routineEdited();
}

void OvraDialog::restoreMeasuredRoutine()
{
    if (!m_measuredRoutine || !isReviewing())
        return;
    if (m_daten->restoreRoutine(*m_measuredRoutine)) {
        recomputeStartTimeFromLandings();
        qInfo() << "The routine under review is restored as measured";
    }
    routineEdited();
}

void OvraDialog::keepMeasuredRoutine()
{
    m_measuredRoutine = std::make_unique<data::model::RoutineSnapshot>(m_daten->routineSnapshot());
    m_ui->LB_routineEdited->setVisible(false);
}

namespace {

// The same landings in the same places: an edit and its opposite leave the
// routine as it was, whatever window the edits computed on the way.
bool sameLandings(const wsDaten::RoutineSnapshot &a, const wsDaten::RoutineSnapshot &b)
{
    const auto n = static_cast<std::size_t>(std::min<quint64>(a.landingCount, data::model::Routines::kSlots));
    const auto sameArrays = [n](const data::model::Routines::LandingArray &x,
                                const data::model::Routines::LandingArray &y) {
        for (std::size_t k = 0; k < n; ++k) {
            if (x[k].landingNumber != y[k].landingNumber || x[k].landingTime != y[k].landingTime)
                return false;
        }
        return true;
    };
    return a.landingCount == b.landingCount && a.shiftedLandings == b.shiftedLandings &&
           sameArrays(a.individual1, b.individual1) && sameArrays(a.individual2, b.individual2) &&
           sameArrays(a.synchronized1, b.synchronized1) && sameArrays(a.synchronized2, b.synchronized2);
}

} // namespace

QString OvraDialog::routineEditText() const
{
    if (!m_measuredRoutine)
        return QString();
    const wsDaten::RoutineSnapshot now = m_daten->routineSnapshot();
    if (sameLandings(now, *m_measuredRoutine))
        return QString();
    QStringList changes;
    if (now.landingCount != m_measuredRoutine->landingCount)
        changes << tr("%1 landings instead of %2 measured")
                       .arg(now.landingCount)
                       .arg(m_measuredRoutine->landingCount);
    const int shift = now.shiftedLandings - m_measuredRoutine->shiftedLandings;
    if (shift == 1)
        changes << tr("shifted 1 landing later");
    else if (shift > 1)
        changes << tr("shifted %1 landings later").arg(shift);
    else if (shift == -1)
        changes << tr("shifted 1 landing earlier");
    else if (shift < -1)
        changes << tr("shifted %1 landings earlier").arg(-shift);
    if (changes.isEmpty())
        changes << tr("other landings than measured");
    return tr("EDITED: %1 · R restores the routine as measured").arg(changes.join(QStringLiteral(", ")));
}

void OvraDialog::routineEdited()
{
    // An open question was about the routine before the edit.
    m_guard->clear();
    const QString text = isReviewing() ? routineEditText() : QString();
    m_ui->LB_routineEdited->setText(text);
    m_ui->LB_routineEdited->setVisible(!text.isEmpty());
    // A crash in the review must bring back the routine as edited: the
    // temporary routine file follows the edits, written once the keys rest.
    if (isReviewingMeasuredRoutine()) {
        m_tempRewritePending = true;
        m_tempRewriteTimer->start();
    }
}

void OvraDialog::rewriteTempFileAfterEdits()
{
    m_tempRewriteTimer->stop();
    if (!m_tempRewritePending)
        return;
    m_tempRewritePending = false;
    if (isReviewingMeasuredRoutine())
        m_routineRecorder->saveRoutineResultsToTempFile();
}

void OvraDialog::propagateLandingSynchronizedRoutine(std::size_t index, Landing landingTrampoline1,
                                                     Landing landingTrampoline2, DataUpdateReason reason)
{
    Q_UNUSED(reason)
    Q_EMIT drawLandingTrampoline1(static_cast<int>(index), landingTrampoline1);
    Q_EMIT drawLandingTrampoline2(static_cast<int>(index), landingTrampoline2);
}

void OvraDialog::toggleSecondScreenTrampoline(bool show)
{
    m_trampolineToggle->toggle(show);
}

void OvraDialog::toggleSecondScreenResults(bool show)
{
    m_resultsToggle->toggle(show);
}

void OvraDialog::handleWeightClassSelection(int index)
{
    m_warnings->setWeightSelectionWarning(m_daten->handleWeightClassSelection(index));
}

void OvraDialog::handleTrampolineSelection(int index)
{
    m_warnings->setTrampolineSelectionWarning(m_daten->handleTrampolineSelection(index));
}

void OvraDialog::approveRoutine()
{
    m_daten->emitRoutineResult();
}

void OvraDialog::connectContinuousPage(bool connectPage)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_continuousConnections))
        disconnect(connection);
    m_continuousConnections.clear();
    if (!connectPage)
        return;
    m_continuous->setTrampMode(m_daten->trampMode());
    m_continuousConnections = {
        connect(m_daten, &wsDaten::updateTrampMode, m_continuous, &ContinuousResultWidget::setTrampMode),
        connect(m_daten, &wsDaten::updateLandingTrampoline1, m_continuous,
                &ContinuousResultWidget::updateLandingTrampoline1),
        connect(m_daten, &wsDaten::updateLandingTrampoline2, m_continuous,
                &ContinuousResultWidget::updateLandingTrampoline2),
        connect(m_daten, &wsDaten::updateResultIndividualRoutine, m_continuous,
                &ContinuousResultWidget::setIndividualResult),
    };
}

// State work on the store -----------------------------------------------------

void OvraDialog::enterStateReady()
{
    m_daten->routines().routineRecording = false;
    // What the status bar said of the last routine or file shown does not
    // belong to the next one.
    m_ui->statusLoadedMeasure->clear();
    m_ui->statusTimeSeconds->clear();
    m_ui->statusTimeMinutes->clear();
    if (m_daten->taraSetAside())
        m_daten->restoreTaraAfterDisplay();
    // A stored routine that was shown set the mode of its own; the next
    // measurement follows the operator's trampoline selection again.
    m_daten->applySelection();
    m_continuousModeCoordinator->disable();
    connectContinuousPage(false);
    if (m_taraPending)
        QTimer::singleShot(0, this, &OvraDialog::evaluateTara);
    // Start lists another workstation changed during the routine.
    QTimer::singleShot(0, m_startListSelection, &StartListSelection::refreshIfDeferred);
}

void OvraDialog::enterStateStart()
{
    QStringList tara;
    for (int t = 0; t < 2; ++t)
        for (double offset : m_daten->taraRecord(t).offsets)
            tara << QString::number(offset, 'f', 1);
    qDebug().noquote() << "Tara: " + tara.join(QLatin1Char(' '));
    m_startTimer->start();
    // Also empties the detected-landing lists.
    m_daten->resetMeasurement();
    Q_EMIT clearAllResultWidgets();
    handleWeightClassSelection(m_ui->CB_mode->currentIndex());
    m_ui->resultTableStack->setCurrentIndex(2);
    const int impulsVal = m_settings->exportSettings().impulsVal();
    if (impulsVal > 0) {
        qDebug() << "resetting external counter";
        if (USBConnection *connection = m_deviceLink->connection()) {
            connection->resetExternalCounter();
            connection->setExternalCounter(static_cast<short>(impulsVal));
        }
    }
}

void OvraDialog::enterStateRoutine()
{
    m_ui->resultTableStack->setCurrentIndex(m_daten->trampMode() == TrampMode::Synchronized ? 1 : 0);
    data::model::Routines &r = m_daten->routines();
    const int now = m_daten->sampleCount();
    r.exerciseStart = now;
    r.exerciseStartFix = now;
    r.routineRecording = true;
    Q_EMIT setExerciseStartTime(now);
    Q_EMIT setExerciseStartTimeFix(now);
}

void OvraDialog::exitStateRoutine()
{
    m_ui->LB_routineComplete->setVisible(false);
    showLoneBed(-1);
    data::model::Routines &r = m_daten->routines();
    if (r.routineRecording) {
        // Ended by the operator (or a limit) before the window closed itself.
        r.routineRecording = false;
        const int now = m_daten->sampleCount();
        r.exerciseEnd = now;
        r.exerciseEndFix = now;
        Q_EMIT setExerciseEndTime(now);
        Q_EMIT setExerciseEndTimeFix(now);
    }
    m_plotter->refresh();
    saveRoutineResultsToTempFile();
}

void OvraDialog::enterStateCommit()
{
    // A routine committed before (it came back from a file its commit kept)
    // is not committed again: only the saves that failed are repeated.
    if (m_shownCommit) {
        repeatFailedSaves();
        Q_EMIT nextInnerState();
        return;
    }
    approveRoutine();
    // One key per commit, the same on every send of its result. The result
    // enters the outbox before anything else is done, and the routine's
    // temporary file is marked committed before its saves, so that however
    // the program ends the result is neither lost nor sent twice.
    const QString key = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const bool awaiting = queueCommittedResult(key);
    // Autosave to file and database; the temporary routine file goes only
    // when every requested save succeeded.
    routineFilesOnCommit(key);
    // The confirmed result goes to the HTTP and WebSocket servers and to the
    // scoring systems, whose answers complete the commit. With no scoring
    // system asked the commit is complete at once.
    if (!sendCommittedResult(awaiting))
        Q_EMIT nextInnerState();
}

void OvraDialog::enterStateDismiss()
{
    routineFilesOnDismiss();
    // The same athlete jumps again: up next before the routine's meta goes.
    m_announcements->routineDismissed();
    m_daten->routines().resetRoutineMetaInformation();
}

void OvraDialog::enterStateDropTest()
{
    // The drop is measured on a fresh measurement as a routine is: READY's
    // unrecorded samples and the last routine's landings must not take part
    // (a routine that still holds landings would never let a drop count).
    m_daten->resetMeasurement();
    Q_EMIT clearAllResultWidgets();
    handleWeightClassSelection(m_ui->CB_mode->currentIndex());
}

void OvraDialog::exitStateDropTest()
{
    autoSaveAfterDropTest();
}

void OvraDialog::enterStateContinuous()
{
    connectContinuousPage(true);
    m_continuousModeCoordinator->enable();
    m_daten->resetMeasurement();
    Q_EMIT clearAllResultWidgets();
    handleWeightClassSelection(m_ui->CB_mode->currentIndex());
    // Continuous training records one bed. Under automatic selection only
    // the code changes, so the watch goes on choosing for the next routine;
    // a hand-made choice of both beds becomes trampoline 1 in the box too.
    if (m_daten->trampolineSelection() == wsDaten::kSelectionBoth) {
        if (m_daten->automaticSelection()) {
            m_daten->setTrampolineSelection(wsDaten::kSelectionTrampoline1);
        } else {
            m_ui->CB_trampSelect->setCurrentIndex(0);
            handleTrampolineSelection(0);
        }
    }
    data::model::Routines &r = m_daten->routines();
    const int now = m_daten->sampleCount();
    r.exerciseStart = now;
    r.exerciseStartFix = now;
    r.routineRecording = true;
    Q_EMIT setExerciseStartTime(now);
    Q_EMIT setExerciseStartTimeFix(now);
}

void OvraDialog::enterStatePause()
{
    m_daten->routines().routineRecording = false;
    connectContinuousPage(false);
}
