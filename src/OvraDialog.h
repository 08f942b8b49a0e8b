#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"
#include "recovery/CommitMarker.h"
#include "usb/SimulatedUSBConnection.h"
#include "usb/UsbFrame.h"

#include <QFont>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class AthletDialog;
class CompetitionDialog;
class CsvWidget;
class DatabaseConfigDialog;
class EventDialog;
class GroupDialog;
class RoutineAnnouncements;
class RoutineGuard;
class RoutineMetaWidget;
class StartListSelection;
class UpcomingRoutineMetaWidget;
struct CsvSource;
class OperatorKeys;
class OvraDialogUi;
class OvraSettings;
class OvraState;
class OvraStateTriggers;
class IndexSelection;
class LastChanceRecovery;
struct RecoverySelection;
class LogWidget;
class RoutineRecorder;
class SaveReport;
class wsDaten;
class wsdb;
class DatabaseStatusIndicator;
class Popup;
class QSoundEffect;
class QTimer;
class QWindow;
class RoutineFinishTimer;
class RoutineStartTimer;
class SecondScreenToggle;
class TutorialLauncher;
class KeyboardFocusKeeper;
class PlotterWidget;
class TrampolineWidget;
class HorizontalDisplacementResultWidget;
class TofSynResultWidget;
class OverviewResultWidget;
class PreviousResultWidget;
class ContinuousResultWidget;
namespace data::model {
struct RoutineSnapshot;
}
namespace widget::individual {
class IndividualResultsTableModel;
}
namespace widget::synchronized {
class SynchronizedResultsTableModel;
}

namespace ovra::util {
class Clock;
class LogHandler;
class Warnings;
} // namespace ovra::util

namespace usb {
class DeviceLink;
}

namespace training {
class ContinuousModeCoordinator;
}

namespace ovra::rest::client {
class ScoringSystems;
}
namespace ovra::rest::server {
class NetworkServers;
}
namespace ovra::history {
class AthleteHistoryWindow;
class HistoryService;
class ResultsBackfill;
} // namespace ovra::history

// The main window and the controller of the workstation. It owns every
// long-lived component for the life of the process.
class OvraDialog : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kTaraWaitMs = 1800;
    static constexpr double kFirstStartScreenShare = 0.9;
    static constexpr double kStartListFontScale = 1.3;

    explicit OvraDialog(ovra::util::LogHandler &logHandler, QWidget *parent = nullptr);
    ~OvraDialog() override;

    OvraSettings &settings() { return *m_settings; }
    // The sample store of the live measurement.
    wsDaten &daten() { return *m_daten; }
    PlotterWidget &plotter() { return *m_plotter; }
    bool isQuitting() const { return m_quitting; }
    bool ignoreRestClientError() const { return m_ignoreRestClientError; }

    // The connection, reader thread, watchdog and simulated box.
    usb::DeviceLink &deviceLink() { return *m_deviceLink; }
    OvraDialogUi &ui() { return *m_ui; }
    OvraState &ovraState() { return *m_ovraState; }
    OperatorKeys &operatorKeys() { return *m_operatorKeys; }
    // The questions before a reviewed routine is discarded or a short one
    // committed.
    RoutineGuard &routineGuard() { return *m_guard; }
    training::ContinuousModeCoordinator &continuousModeCoordinator() { return *m_continuousModeCoordinator; }
    ovra::util::Warnings &warnings() { return *m_warnings; }
    RoutineStartTimer &startTimer() { return *m_startTimer; }
    Popup &notificationPopup() { return *m_notificationPopup; }
    Popup &statePopup() { return *m_statePopup; }
    int warningSoundPlayCount() const { return m_warningSoundPlays; }
    int recoverRequestCount() const { return m_recoverRequests; }
    double startPenalty() const { return m_startPenalty; }

    // Files, autosave, the temporary routine file and recovery (OvraDialogFiles.cpp).
    wsDaten &store() { return *m_daten; }
    // The competition database; open at the configured file after start-up.
    wsdb &database() { return *m_database; }
    LastChanceRecovery &lastChanceRecovery() { return *m_lastChanceRecovery; }
    RoutineRecorder &routineRecorder() { return *m_routineRecorder; }
    LogWidget *logWidget() const { return m_logWidget; }
    TutorialLauncher &tutorials() { return *m_tutorials; }
    // Asks for a file name (Open and "Save as"); tests answer without a dialog.
    using FileChooser =
        std::function<QString(bool save, const QString &title, const QString &start, const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // Writes the measurement; true when it failed (the "No permissions!" box is shown).
    bool saveMeasurement(const QString &path, bool toFile);
    bool autoSaveToFile();
    // The database form of the measurement, with the box watchdog held off
    // while it is written; true when it was stored.
    bool databaseSave();
    // Moves a temporary routine file whose saves failed to a name of its own.
    void setUnsavedRoutineAside();
    // The routine window of stored data just shown, to the window controls.
    void emitRoutineWindow();
    // The saves of a commit under that key, with the commit mark beside a
    // kept temporary routine file.
    void routineFilesOnCommit(const QString &commitKey);
    void routineFilesOnDismiss();
    // The data file of the routine on show (loaded or reloaded); empty for
    // a live routine or a stored measure.
    QString shownFile() const { return m_shownFile; }
    // The commit mark of the routine on show: it was committed before.
    const std::optional<CommitMarker> &shownCommit() const { return m_shownCommit; }
    // A committed routine on show: the saves its commit could not do.
    void repeatFailedSaves();
    void autoSaveAfterDropTest();
    void saveRoutineResultsToTempFile();
    void loadRoutineResultsFromTempFile();
    void deleteTempRoutineFile();
    // Replays the chosen stretch of the last-chance ring as a loaded routine.
    void replayRecovery(const RecoverySelection &selection);

    // Start lists (OvraDialogStartList.cpp): the event/competition/group/
    // athlete choice with the routine meta information it gives, the CSV
    // start list, the meta widgets and the start-list and database dialogs.
    StartListSelection &startListSelection() { return *m_startListSelection; }
    // Who jumps next and whom the routine on screen belongs to.
    RoutineAnnouncements &routineAnnouncements() { return *m_announcements; }
    CsvWidget &csvWidget() { return *m_csvWidget; }
    RoutineMetaWidget &routineMetaWidget() { return *m_routineMetaWidget; }
    UpcomingRoutineMetaWidget &upcomingRoutineMetaWidget() { return *m_upcomingRoutineMetaWidget; }
    AthletDialog &athletDialog() { return *m_athletDialog; }
    EventDialog &eventDialog() { return *m_eventDialog; }
    CompetitionDialog &competitionDialog() { return *m_competitionDialog; }
    GroupDialog &groupDialog() { return *m_groupDialog; }
    DatabaseConfigDialog &databaseConfigDialog() { return *m_databaseConfigDialog; }
    // What the CSV import dialog's OK does: shows the start list and reads
    // the source into it.
    void importCsv(const CsvSource &source);
    // Network (OvraDialogNetwork.cpp): the scoring systems and the servers.
    ovra::rest::client::ScoringSystems &scoringSystems() { return *m_scoringSystems; }
    ovra::rest::server::NetworkServers &networkServers() { return *m_networkServers; }
    // Asks the operator whether to send a refused result again ("Network
    // error", Retry or Cancel); tests answer without a box.
    using RetryAsker = std::function<bool(const QString &label)>;
    void setRetryAsker(RetryAsker asker) { m_retryAsker = std::move(asker); }
    // Asks the operator whether a loaded routine is to be committed (saved
    // and sent) again; athlete names it, empty when it names nobody. Tests
    // answer without a box.
    using ResendAsker = std::function<bool(const QString &athlete)>;
    void setResendAsker(ResendAsker asker) { m_resendAsker = std::move(asker); }

    // Athlete histories (OvraDialogHistory.cpp): the window, and what the
    // HTTP server and the audience screens read from them.
    ovra::history::HistoryService &historyService() { return *m_historyService; }
    // Created when first shown.
    ovra::history::AthleteHistoryWindow *historyWindow() const { return m_historyWindow; }
    // The personal best shown beside the live total; empty when the
    // athlete on screen has none.
    QString personalBestText() const { return m_personalBestText; }

    // The clock of the start timer and the routine timer (tests move it).
    void setClock(const ovra::util::Clock *clock);

    // Block handling in START: start time, penalty, warning sound and the
    // start limit from the start timer.
    void processStartTiming();
    // Block handling in START and ROUTINE: the 30 s rule after the routine
    // window closed.
    void checkRoutineFinishTime(bool routineRecording, int exerciseStart, int exerciseEnd);
    // Called when the routine window closes.
    void startRoutineFinishTimer();

Q_SIGNALS:
    void usbConnected();
    void usbDisconnected();
    void newSensorValuesHaveArrived();
    void nextInnerState();
    void dismissRoutine();
    void routineTimedOut();
    void resetToReady();
    void beginLoad();
    void loadComplete();
    void toggleTara();
    void toggleDiagnosisState();
    void mainWindowGotFocus();
    void mainWindowLostFocus();
    void clearAllResultWidgets();
    void setExerciseStartTime(int startTime);
    void setExerciseEndTime(int endTime);
    void setExerciseStartTimeFix(int startTime);
    void setExerciseEndTimeFix(int endTime);
    void setTramp1Active(bool active);
    void setTramp2Active(bool active);
    void resetHdResultWidget();
    void resetTofResultWidget();
    void drawLandingTrampoline1(int index, data::model::Landing landing);
    void drawLandingTrampoline2(int index, data::model::Landing landing);
    void drawPositionTrampoline1(data::calc::LandingPosition landingPosition);
    void drawPositionTrampoline2(data::calc::LandingPosition landingPosition);
    void resetIndividualResultsTable();
    void resetSynchronizedResultsTable();

public Q_SLOTS:
    // Device link (OvraDialogUsb.cpp); each delegates to the DeviceLink.
    void connectUSB();
    void initUSB();
    void trampDataReady(const UsbFrame *usbFrameCopy);
    void slot_usbConnectedTimer();
    void initSimulatedUSB();
    void setSimulatedInputMode(usb::SimulatedUSBMode mode);

    // Stops the device link and saves the settings; only the first call does
    // the work, every call closes the window.
    void quit();

    void updateRoutineStartTime(double routineStartTime);
    // Beside the start time in START: the late-start penalty it costs.
    void updateRoutineStartPenalty(double penalty);
    void updateAutoSaveLabel(bool doFileSave);
    void showFontSelectionDialog();
    void toggleContinuousMode(bool active);
    void swapHdTofWidget();
    // "Result Details" (D) in the review states: detailed page or overview.
    void showResultDetails(bool detailed);
    // The routine time in the two status bar labels.
    void updateTimeDisplay(double seconds);
    void updateTrampolineSelectionLabel(data::model::TrampMode trampMode);
    void updateTrampolineActivity(data::model::TrampMode trampMode);
    QString translateTrampMode(data::model::TrampMode trampMode);
    void handleWeightClassSelection(int index);
    // LB_mode: the class of the automatically estimated weight in newtons.
    void updateEstimatedWeightClass(double weight);
    void handleTrampolineSelection(int index);
    void recoverData();
    void handleSaveEvent();
    void handleLoadEvent();
    void loadFile(const QString &path);
    // Shows the measure of that name from the competition database as a
    // loaded file is shown.
    void getMeasureFromDatabaseSlot(const QString &name);
    // The measure in row idx (which carries name).
    void loadMeasureFromDatabase(const QString &name, qint64 idx);
    void saveToDatabase();
    void showAutoSaveDialog();

    // Start-list choice and routine meta information; each delegates to the
    // StartListSelection.
    void neuEvent(int index);
    void neuCompetition(int index);
    void neuGroup(int index);
    void neuAthlet();
    void neuAthletDetails();
    void neuClearAthlet();
    // Meta information from the network (HTTP and WebSocket); like that of
    // the start lists it goes to RoutineAnnouncements, which decides by the
    // state whether it is the routine's or the next one's.
    void receiveRoutineMeta(QMap<QString, QString> routineMeta);
    void printRoutineMeta(QMap<QString, QString> routineMeta);
    void showEventDialog();
    void showCompetitionDialog();
    void showAthletDialog();
    void showGroupDialog();
    void showCsvImportDialog();
    void showDatabaseBrowserDialog();
    void showDatabaseConfigDialog();
    void showAthleteHistory();
    void evaluateTara();
    void showSelfDiagnosisDialog();

    // The operator's tools (OvraDialogTools.cpp): settings and rules, the
    // protocol export, the tutorials and About.
    void showExportDialog();
    void showRulesDialog();
    void showExportCompetitionProtocolDialog();
    void showSetupTutorialDialog();
    void showUiTutorialDialog();
    void showNetworkTutorialDialog();
    void showAboutDialog();

    // Routine edits in REVIEW (arrow keys); shifting recomputes the start
    // time and penalty from the first landing.
    void moveRoutineRight();
    void moveRoutineLeft();
    void increaseLandingsInRoutine();
    void decreaseLandingsInRoutine();
    // R: every edit of the routine under review undone.
    void restoreMeasuredRoutine();
    void propagateLandingSynchronizedRoutine(std::size_t index, data::model::Landing landingTrampoline1,
                                             data::model::Landing landingTrampoline2,
                                             DataUpdateReason reason);
    void toggleSecondScreenTrampoline(bool show);
    void toggleSecondScreenResults(bool show);

    // The next-step key, the confirm button and a remote command: the next
    // state, but a loaded routine is committed again only when the operator
    // confirms it.
    void nextStep();
    // X and the dismiss button: a measured routine is discarded only when
    // the operator says so twice.
    void requestDismiss();

    void enterStateReady();
    void enterStateStart();
    void enterStateRoutine();
    void exitStateRoutine();
    void enterStateReview();
    void exitStateReview();
    void enterStateCommit();
    void enterStateDismiss();
    void enterStateDropTest();
    void exitStateDropTest();
    void enterStateContinuous();
    void enterStatePause();
    void exitStateLoad();
    void exitStateDisplay();

    // Network (OvraDialogNetwork.cpp).
    void scoreSentSuccess(int scoringSystemId);
    void scoreSentError(int scoringSystemId);
    void sendIntermediateResults();
    void showNetworkDialog();
    void stopRestServer();
    void updateRestServer();
    void stopWebSocketServer();
    void updateWebSocketServer();
    // The current state to the scoring systems, the WebSocket clients and
    // the HTTP server, on every state entry.
    void publishState();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectActions();
    void connectToolActions();
    void connectSimulationActions();
    void createDeviceLink();
    void setupStateMachine();
    void focusWindowChanged(QWindow *window);
    // REVIEW, LOAD or DISPLAY; and whether the routine on show was measured
    // here and is stored nowhere yet (not one loaded from a file or the
    // database).
    bool isReviewing() const;
    bool isReviewingMeasuredRoutine() const;
    void flashStatePopup();
    void balanceResultWidgets(data::model::TrampMode trampMode);
    void playWarningSound();
    // Sample store side (OvraDialogStore.cpp).
    void createResultWidgets();
    void connectStore();
    void handleDataFrame(const UsbFrame &frame);
    void handleBlock();
    // The start time and penalty from the routine's first landing.
    void recomputeStartTimeFromLandings();
    // The reason a synchronized routine counts nothing (bed 0 or 1 alone),
    // or none (-1).
    void showLoneBed(int bed);
    // The routine as it stands is the one measured (a review begins, a
    // routine is loaded); edits are shown and undone against it.
    void keepMeasuredRoutine();
    QString routineEditText() const;
    void routineEdited();
    void rewriteTempFileAfterEdits();
    void connectContinuousPage(bool connect);
    void approveRoutine();
    void setupFiles();
    void connectTrampolineView(TrampolineWidget *bed, int trampoline);
    // Holds off the box watchdog around long work on this thread; true when
    // it was held, to be handed back to releaseBoxWatchdog.
    bool holdBoxWatchdog();
    void releaseBoxWatchdog(bool held);
    void connectResultViews(HorizontalDisplacementResultWidget *hd, TofSynResultWidget *tof);
    void showRoutineOn(TrampolineWidget *bed, int trampoline);
    void showResultOn(HorizontalDisplacementResultWidget *hd, TofSynResultWidget *tof);
    // Construction steps of the components that join the window with the
    // competition database, the start lists and the network: each is called
    // at its place in the construction order and does nothing until its
    // component is built.
    void createStartListDialogs();
    void connectStartListDialogs();
    void connectRoutineMetaWidgets();
    void connectAnnouncements();
    // The athlete list and the CSV start list in the program font a size up.
    void applyStartListFont();
    // The start list in use, on the status bar and around its panel.
    void showActiveStartList(int source);
    // The database file changed under the window (DB Config).
    void databaseSwitched(const QString &path);
    void createNetwork();
    void setupHistory();
    void updatePersonalBest();
    void startRestServer();
    void initRestClients();
    void startWebSocketServer();
    // The committed result into the outbox of every scoring system asked,
    // under the commit's key; false when none is.
    bool queueCommittedResult(const QString &key);
    // The committed result to the servers, and to the scoring systems when
    // they are awaited; false when no scoring system is asked and the
    // commit is complete.
    bool sendCommittedResult(bool awaiting);
    // The number of results waiting for each scoring system, in the status bar.
    void showWaitingResults();
    void showOutboxWriteFailure(const QString &error);
    void showCommittedRoutineNote();
    // The database stored the measures that waited for it.
    void keptRoutinesStored();
    void commitAnswered();
    void showScoringStatus(int position, const QString &status);
    void showWebSocketClientCount(int count);
    void showResultNotCommittedHint();
    void openDatabase();
    void resetMeasurementForLoad();
    // Saving feedback: the autosave folder in the saved-files list, the
    // warning while nothing is stored, and the green or red notification
    // after a save (OvraDialogFiles.cpp).
    bool autoSaveToFile(SaveReport &report);
    // The saves marker still lacks, reported in report; a failed database
    // save leaves keptFile (when not empty) waiting for the database.
    void runPendingSaves(CommitMarker &marker, SaveReport &report, const QString &keptFile);
    void showSaveReport(const SaveReport &report);
    // The red notification for a file or stored measure that was not loaded.
    void showLoadRefusal(const QString &what, const QString &reason);
    void showAutoSaveFolder();
    void updateStorageWarning();

    ovra::util::LogHandler &m_logHandler;
    wsDaten *m_daten = nullptr;
    wsdb *m_database = nullptr;
    DatabaseStatusIndicator *m_databaseStatus = nullptr;
    std::unique_ptr<OvraDialogUi> m_ui;
    std::unique_ptr<OvraSettings> m_settings;
    QFont m_font;
    usb::DeviceLink *m_deviceLink = nullptr;
    bool m_quitting = false;
    bool m_simulationEnabled = false;
    bool m_ignoreRestClientError = false;
    // The not-committed hint was shown for the routine on screen.
    bool m_resultHintShown = false;

    KeyboardFocusKeeper *m_focusKeeper = nullptr;
    OvraStateTriggers *m_triggers = nullptr;
    OvraState *m_ovraState = nullptr;
    OperatorKeys *m_operatorKeys = nullptr;
    RoutineGuard *m_guard = nullptr;
    RoutineStartTimer *m_startTimer = nullptr;
    std::unique_ptr<RoutineFinishTimer> m_routineTimer;
    training::ContinuousModeCoordinator *m_continuousModeCoordinator = nullptr;
    ovra::util::Warnings *m_warnings = nullptr;
    QSoundEffect *m_warningSound = nullptr;
    int m_warningSoundPlays = 0;
    int m_recoverRequests = 0;
    bool m_taraRunning = false;
    // A tara asked for outside READY (the first connection while a file is
    // shown); it runs on the next entry into READY.
    bool m_taraPending = false;
    double m_startPenalty = 0.0;
    Popup *m_notificationPopup = nullptr;
    Popup *m_statePopup = nullptr;
    std::unique_ptr<IndexSelection> m_weightClassSelection;
    std::unique_ptr<IndexSelection> m_trampolineSelection;

    // Result display (OvraDialogStore.cpp).
    PlotterWidget *m_plotter = nullptr;
    TrampolineWidget *m_trampoline1 = nullptr;
    TrampolineWidget *m_trampoline2 = nullptr;
    HorizontalDisplacementResultWidget *m_hdResult = nullptr;
    TofSynResultWidget *m_tofResult = nullptr;
    OverviewResultWidget *m_overview = nullptr;
    PreviousResultWidget *m_previousResult = nullptr;
    ContinuousResultWidget *m_continuous = nullptr;
    widget::individual::IndividualResultsTableModel *m_individualModel = nullptr;
    widget::synchronized::SynchronizedResultsTableModel *m_synchronizedModel = nullptr;
    SecondScreenToggle *m_trampolineToggle = nullptr;
    SecondScreenToggle *m_resultsToggle = nullptr;
    ovra::history::HistoryService *m_historyService = nullptr;
    ovra::history::ResultsBackfill *m_resultsBackfill = nullptr;
    ovra::history::AthleteHistoryWindow *m_historyWindow = nullptr;
    QString m_personalBestText;
    QList<QMetaObject::Connection> m_continuousConnections;
    LastChanceRecovery *m_lastChanceRecovery = nullptr;
    std::unique_ptr<RoutineRecorder> m_routineRecorder;
    LogWidget *m_logWidget = nullptr;
    FileChooser m_fileChooser;
    bool m_tempFileUnsaved = false;
    std::unique_ptr<data::model::RoutineSnapshot> m_measuredRoutine;
    // The temporary routine file follows the edits in the review, once the
    // arrow keys rest.
    QTimer *m_tempRewriteTimer = nullptr;
    bool m_tempRewritePending = false;
    QString m_shownFile;
    std::optional<CommitMarker> m_shownCommit;
    // The kept committed routines whose measure waits in the database's
    // queue of this run.
    QStringList m_keptForDatabase;
    // What the commit's saves did, for the operator's "Network error" box.
    QString m_commitSaveNote;

    // Start lists (OvraDialogStartList.cpp).
    RoutineAnnouncements *m_announcements = nullptr;
    StartListSelection *m_startListSelection = nullptr;
    CsvWidget *m_csvWidget = nullptr;
    RoutineMetaWidget *m_routineMetaWidget = nullptr;
    UpcomingRoutineMetaWidget *m_upcomingRoutineMetaWidget = nullptr;
    AthletDialog *m_athletDialog = nullptr;
    EventDialog *m_eventDialog = nullptr;
    CompetitionDialog *m_competitionDialog = nullptr;
    GroupDialog *m_groupDialog = nullptr;
    DatabaseConfigDialog *m_databaseConfigDialog = nullptr;
    // Shows the tutorials on the first activation and from the Help menu.
    TutorialLauncher *m_tutorials = nullptr;
    // Destroyed first, with the window whole: neither calls back into it.
    RetryAsker m_retryAsker;
    ResendAsker m_resendAsker;
    std::unique_ptr<ovra::rest::client::ScoringSystems> m_scoringSystems;
    std::unique_ptr<ovra::rest::server::NetworkServers> m_networkServers;
};
