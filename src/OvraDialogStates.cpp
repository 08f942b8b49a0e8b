// The measurement state machine's side of the main window: transitions,
// per-state work, continuous training and the routine timing rules.

#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "SelfDiagnosisDialog.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "state/OvraStateTargets.h"
#include "state/OvraStateTriggers.h"
#include "state/RoutineAnnouncements.h"
#include "training/ContinuousModeCoordinator.h"
#include "training/RoutineStartTimer.h"
#include "util/EventWait.h"
#include "widgets/Popup.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QStackedWidget>
#include <QState>

void OvraDialog::setupStateMachine()
{
    using T = OvraStateTriggers;
    // The machine listens to the trigger object; the window's signals of the
    // same names are forwarded to it.
    connect(this, &OvraDialog::usbConnected, m_triggers, &T::usbConnected);
    connect(this, &OvraDialog::usbDisconnected, m_triggers, &T::usbDisconnected);
    connect(this, &OvraDialog::nextInnerState, m_triggers, &T::nextInnerState);
    connect(this, &OvraDialog::dismissRoutine, m_triggers, &T::dismissRoutine);
    connect(this, &OvraDialog::routineTimedOut, m_triggers, &T::routineTimedOut);
    connect(this, &OvraDialog::resetToReady, m_triggers, &T::resetToReady);
    connect(this, &OvraDialog::beginLoad, m_triggers, &T::beginLoad);
    connect(this, &OvraDialog::loadComplete, m_triggers, &T::loadComplete);
    connect(this, &OvraDialog::toggleTara, m_triggers, &T::toggleTara);
    connect(this, &OvraDialog::toggleDiagnosisState, m_triggers, &T::toggleDiagnosisState);
    connect(this, &OvraDialog::mainWindowGotFocus, m_triggers, &T::mainWindowGotFocus);
    connect(this, &OvraDialog::mainWindowLostFocus, m_triggers, &T::mainWindowLostFocus);
    connect(m_ui->actionSingle_Drop_Test, &QAction::triggered, m_triggers, &T::singleDropTestTriggered);
    m_ovraState->addTransitions(*m_triggers);

    OvraState &s = *m_ovraState;
    connect(s.state(OvraState::READY), &QState::entered, this, &OvraDialog::enterStateReady);
    connect(s.state(OvraState::START), &QState::entered, this, &OvraDialog::enterStateStart);
    connect(s.state(OvraState::ROUTINE), &QState::entered, this, &OvraDialog::enterStateRoutine);
    connect(s.state(OvraState::ROUTINE), &QState::exited, this, &OvraDialog::exitStateRoutine);
    connect(s.state(OvraState::REVIEW), &QState::entered, this, &OvraDialog::enterStateReview);
    connect(s.state(OvraState::REVIEW), &QState::exited, this, &OvraDialog::exitStateReview);
    for (OvraState::InnerState commit : {OvraState::CONNECTED_COMMIT, OvraState::DISCONNECTED_COMMIT})
        connect(s.state(commit), &QState::entered, this, &OvraDialog::enterStateCommit);
    for (OvraState::InnerState dismiss : {OvraState::CONNECTED_DISMISS, OvraState::DISCONNECTED_DISMISS})
        connect(s.state(dismiss), &QState::entered, this, &OvraDialog::enterStateDismiss);
    connect(s.state(OvraState::DROP_TEST), &QState::entered, this, &OvraDialog::enterStateDropTest);
    connect(s.state(OvraState::DROP_TEST), &QState::exited, this, &OvraDialog::exitStateDropTest);
    connect(s.state(OvraState::CONTINUOUS), &QState::entered, this, &OvraDialog::enterStateContinuous);
    connect(s.state(OvraState::PAUSE), &QState::entered, this, &OvraDialog::enterStatePause);
    connect(s.state(OvraState::LOAD), &QState::exited, this, &OvraDialog::exitStateLoad);
    connect(s.state(OvraState::DISPLAY), &QState::exited, this, &OvraDialog::exitStateDisplay);
    // Network: every child's entered also publishes the state to the scoring
    // clients, the WebSocket server and the HTTP server, in this order.
    for (QState *child : s.childStates())
        connect(child, &QState::entered, this, &OvraDialog::publishState);
    // Start list: leaving a commit moves the list in use on when the routine
    // was its athlete's. A dismissed routine is jumped again by the same
    // athlete, so a dismissal leaves the list where it is.
    for (OvraState::InnerState done : {OvraState::CONNECTED_COMMIT, OvraState::DISCONNECTED_COMMIT})
        connect(s.state(done), &QState::exited, m_announcements, &RoutineAnnouncements::routineCommitted);
    // Who jumps is shown above the beds while the routine runs.
    for (OvraState::InnerState running : {OvraState::START, OvraState::ROUTINE})
        s.state(running)->assignProperty(m_ui->LB_athleteOnBed, "visible", true);

    m_ovraState->assignWidgetProperties(m_ui->stateTargets());

    m_operatorKeys = new OperatorKeys(
        *m_ovraState, [this] { return static_cast<int>(m_settings->spaceDelaySettings().spaceDelayMs()); },
        this);
    connect(m_operatorKeys, &OperatorKeys::nextInnerState, this, &OvraDialog::nextStep);
    connect(m_operatorKeys, &OperatorKeys::dismissRoutine, this, &OvraDialog::dismissRoutine);
    connect(m_operatorKeys, &OperatorKeys::resetToReady, this, &OvraDialog::resetToReady);
    connect(m_operatorKeys, &OperatorKeys::recoverData, this, &OvraDialog::recoverData);
    connect(m_operatorKeys, &OperatorKeys::nextStepRefused, this, &OvraDialog::flashStatePopup);
    if (!m_resendAsker) {
        m_resendAsker = [this](const QString &athlete) {
            QMessageBox box(QMessageBox::Question, tr("Send again?"),
                            athlete.isEmpty() ? tr("Send this routine again? It names no athlete.")
                                              : tr("Send the routine of %1 again?").arg(athlete),
                            QMessageBox::NoButton, this);
            box.setInformativeText(
                tr("It was loaded from a file or the database. It is saved and sent to the "
                   "scoring systems once more, under the athlete it names."));
            QPushButton *send = box.addButton(tr("Send again"), QMessageBox::AcceptRole);
            // The key that brought the question up must not answer it.
            QPushButton *cancel = box.addButton(QMessageBox::Cancel);
            box.setDefaultButton(cancel);
            box.setEscapeButton(cancel);
            cancel->setFocus();
            box.exec();
            return box.clickedButton() == send;
        };
    }
}

void OvraDialog::nextStep()
{
    // The commit waits for the scoring systems; a second step must not cut
    // it short.
    if (m_ovraState->isIn(OvraState::CONNECTED_COMMIT) || m_ovraState->isIn(OvraState::DISCONNECTED_COMMIT))
        return;
    // Space after a shown file is pressed by habit as after every routine:
    // a routine loaded from a file or the database is saved and sent again
    // only when the operator says so.
    const auto shown = [this] {
        return m_ovraState->isIn(OvraState::LOAD) || m_ovraState->isIn(OvraState::DISPLAY);
    };
    // A routine committed before only repeats its failed saves: nothing is
    // sent again, so there is nothing to ask.
    if (shown() && m_announcements->isLoadedRoutine() && !m_shownCommit) {
        const QString athlete = data::model::athleteName(m_daten->routines().routineMeta());
        // The box may have been unplugged or plugged in while the question
        // was open; the answer is for the routine still shown.
        if (!m_resendAsker(athlete) || !shown()) {
            qInfo().noquote() << "The loaded routine of" << athlete << "is not sent again";
            return;
        }
        qInfo().noquote() << "The loaded routine of" << athlete << "is sent again";
    }
    Q_EMIT nextInnerState();
}

void OvraDialog::toggleContinuousMode(bool active)
{
    m_ovraState->switchContinuousStateTransitions(active);
    m_ui->readyPageLabelReady->setText(active ? tr("READY (TRAINING)") : tr("READY TO GO"));
}

void OvraDialog::showSelfDiagnosisDialog()
{
    Q_EMIT toggleDiagnosisState();
    // The dialog's tara is the window's own, with its guard against a second
    // tara while one waits for its samples.
    SelfDiagnosisDialog dialog(
        *m_daten, m_ovraState->isUsbConnected(), [this] { evaluateTara(); }, this);
    dialog.setActive(true);
    const QMetaObject::Connection forwarded[] = {
        connect(this, &OvraDialog::usbConnected, &dialog, &SelfDiagnosisDialog::usbConnected),
        connect(this, &OvraDialog::usbDisconnected, &dialog, &SelfDiagnosisDialog::usbDisconnected),
        connect(this, &OvraDialog::newSensorValuesHaveArrived, &dialog,
                &SelfDiagnosisDialog::updateSensorValues),
    };
    dialog.exec();
    for (const QMetaObject::Connection &connection : forwarded)
        disconnect(connection);
    Q_EMIT toggleDiagnosisState();
}

void OvraDialog::processStartTiming()
{
    const RoutineStartTimer::StartProgress progress =
        m_startTimer->progress(m_settings->rulesSettings().playWarningSound());
    data::model::Routines &routine = m_daten->routines();
    routine.setRoutineStartTime(progress.routineStartTime);
    routine.setPenalty(progress.penalty);
    updateRoutineStartTime(progress.routineStartTime);
    m_startPenalty = progress.penalty;
    if (progress.playWarningSound)
        playWarningSound();
    if (progress.timedOut)
        Q_EMIT routineTimedOut();
}

void OvraDialog::startRoutineFinishTimer()
{
    m_routineTimer->start();
}

void OvraDialog::checkRoutineFinishTime(bool routineRecording, int exerciseStart, int exerciseEnd)
{
    if (m_routineTimer->isTimedOut(routineRecording, exerciseStart, exerciseEnd)) {
        Q_EMIT routineTimedOut();
        qInfo() << "Routine aborted (duration was longer than 30s)";
    }
}

void OvraDialog::playWarningSound()
{
    ++m_warningSoundPlays;
    m_warningSound->play();
}

void OvraDialog::enterStateReview()
{}

void OvraDialog::exitStateReview()
{
    m_ui->actionResultDetailView->setChecked(false);
    // The announced routine has been seen; this also turns the indicator off.
    m_announcements->reviewLeft();
}

void OvraDialog::showResultDetails(bool detailed)
{
    // While a result is reviewed the overview can give way to the detailed
    // page (bed views, landing table, force plot) and back; leaving the
    // review unchecks the action and the next state shows its own page.
    constexpr int kDetailedPage = 4;
    constexpr int kOverviewPage = 5;
    if (detailed) {
        if (m_ui->actionResultDetailView->isEnabled())
            m_ui->resultStack->setCurrentIndex(kDetailedPage);
    } else if (m_ui->resultStack->currentIndex() == kDetailedPage) {
        m_ui->resultStack->setCurrentIndex(kOverviewPage);
    }
}

void OvraDialog::exitStateLoad()
{
    m_ui->actionResultDetailView->setChecked(false);
}

void OvraDialog::exitStateDisplay()
{
    m_ui->actionResultDetailView->setChecked(false);
}
