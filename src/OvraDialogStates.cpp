// The measurement state machine's side of the main window: transitions,
// per-state work, continuous training and the routine timing rules.

#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "SelfDiagnosisDialog.h"
#include "data/wsDaten.h"
#include "misc/TutorialLauncher.h"
#include "recovery/LastChanceRecovery.h"
#include "settings/OvraSettings.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "state/OvraStateTargets.h"
#include "state/OvraStateTriggers.h"
#include "state/RoutineAnnouncements.h"
#include "state/RoutineGuard.h"
#include "training/ContinuousModeCoordinator.h"
#include "training/RoutineStartTimer.h"
#include "util/EventWait.h"
#include "widgets/Popup.h"
#include "widgets/StateBanner.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QStackedWidget>
#include <QState>
#include <QTimer>

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
    connect(s.state(OvraState::START), &QState::exited, this, [this] { showLoneBed(-1); });
    // A tutorial never stays in front of a routine.
    for (OvraState::InnerState running : {OvraState::START, OvraState::CONTINUOUS})
        connect(s.state(running), &QState::entered, m_tutorials, &TutorialLauncher::closeCurrent);
    // The last-chance ring learns where each routine lies, in which mode it
    // was measured and whose it was, so that one picked from it keeps them.
    connect(s.state(OvraState::START), &QState::entered, this, [this] {
        m_lastChanceRecovery->beginRoutineMark(static_cast<int>(m_daten->trampMode()),
                                               m_daten->routines().routineMeta());
    });
    connect(s.state(OvraState::ROUTINE), &QState::exited, this, [this] {
        m_lastChanceRecovery->updateRoutineMark(static_cast<int>(m_daten->trampMode()),
                                                m_daten->routines().routineMeta());
    });
    connect(&m_daten->routines(), &data::model::Routines::updateRoutineMetaInformation, this,
            [this](const QMap<QString, QString> &meta) {
                if (RoutineAnnouncements::isRoutineUnderWay(m_ovraState->innerState()))
                    m_lastChanceRecovery->updateRoutineMark(static_cast<int>(m_daten->trampMode()), meta);
            });
    connect(s.state(OvraState::READY), &QState::entered, m_lastChanceRecovery,
            &LastChanceRecovery::endRoutineMark);
    // Who jumps is shown above the beds while the routine runs.
    for (OvraState::InnerState running : {OvraState::START, OvraState::ROUTINE})
        s.state(running)->assignProperty(m_ui->LB_athleteOnBed, "visible", true);

    m_ovraState->assignWidgetProperties(m_ui->stateTargets());

    m_operatorKeys = new OperatorKeys(
        *m_ovraState, [this] { return static_cast<int>(m_settings->spaceDelaySettings().spaceDelayMs()); },
        this);
    connect(m_operatorKeys, &OperatorKeys::nextInnerState, this, &OvraDialog::nextStep);
    connect(m_operatorKeys, &OperatorKeys::dismissRoutine, this, &OvraDialog::requestDismiss);
    // The questions about the reviewed routine: Enter answers the commit
    // question, Escape keeps the routine. The banner shows the question.
    connect(m_operatorKeys, &OperatorKeys::confirmKey, this, [this] {
        if (m_guard->confirm())
            Q_EMIT nextInnerState();
    });
    connect(m_operatorKeys, &OperatorKeys::keepRoutine, m_guard, &RoutineGuard::keep);
    connect(m_guard, &RoutineGuard::questionChanged, m_ui->stateBanner, &StateBanner::setQuestion);
    for (OvraState::InnerState review : {OvraState::REVIEW, OvraState::LOAD, OvraState::DISPLAY}) {
        connect(s.state(review), &QState::exited, m_guard, &RoutineGuard::clear);
        // The edit mark belongs to the review; a box lost or found in it
        // (REVIEW to DISPLAY, DISPLAY to LOAD) takes the routine along, and
        // a write of the temporary file the edits asked for is done there.
        connect(s.state(review), &QState::exited, this, [this] {
            m_tempRewriteTimer->stop();
            m_ui->LB_routineEdited->setVisible(false);
        });
        connect(s.state(review), &QState::entered, this, [this] {
            const QString edited = routineEditText();
            m_ui->LB_routineEdited->setText(edited);
            m_ui->LB_routineEdited->setVisible(!edited.isEmpty());
            rewriteTempFileAfterEdits();
        });
    }
    // A commit or dismissal removes the temporary file; nothing rewrites it.
    for (OvraState::InnerState done : {OvraState::CONNECTED_COMMIT, OvraState::DISCONNECTED_COMMIT,
                                       OvraState::CONNECTED_DISMISS, OvraState::DISCONNECTED_DISMISS})
        connect(s.state(done), &QState::entered, this, [this] { m_tempRewritePending = false; });
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

bool OvraDialog::isReviewing() const
{
    return m_ovraState->isIn(OvraState::REVIEW) || m_ovraState->isIn(OvraState::LOAD) ||
           m_ovraState->isIn(OvraState::DISPLAY);
}

bool OvraDialog::isReviewingMeasuredRoutine() const
{
    // A routine loaded from a file or the database is stored already; one
    // restored from the temporary file or the last-chance ring is not.
    return m_ovraState->isIn(OvraState::REVIEW) || (isReviewing() && !m_announcements->isLoadedRoutine());
}

void OvraDialog::requestDismiss()
{
    if (isReviewing()) {
        const QString athlete = data::model::athleteName(m_daten->routines().routineMeta());
        if (!m_guard->requestDismiss(athlete, isReviewingMeasuredRoutine()))
            return;
    }
    Q_EMIT dismissRoutine();
}

void OvraDialog::nextStep()
{
    // The commit waits for the scoring systems; a second step must not cut
    // it short.
    if (m_ovraState->isIn(OvraState::CONNECTED_COMMIT) || m_ovraState->isIn(OvraState::DISCONNECTED_COMMIT))
        return;
    // A routine of fewer landings than a routine has (three quick presses
    // of Space end one after a single landing) is committed only when the
    // operator answers yes; while a question is open the key is refused.
    if (isReviewing()) {
        const bool asking = m_guard->question() != RoutineGuard::Question::None;
        const QString athlete = data::model::athleteName(m_daten->routines().routineMeta());
        const int landings = static_cast<int>(m_daten->routines().landingCount);
        if (!m_guard->requestCommit(athlete, landings, isReviewingMeasuredRoutine())) {
            if (asking)
                flashStatePopup();
            return;
        }
    }
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
{
    // Edits in the review are shown and undone against the routine as it
    // was measured.
    keepMeasuredRoutine();
}

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
