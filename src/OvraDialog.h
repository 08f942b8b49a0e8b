#pragma once

#include "usb/SimulatedUSBConnection.h"
#include "usb/UsbFrame.h"

#include <QFont>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

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
class wsDaten;
class Popup;
class QSoundEffect;
class QWindow;
class RoutineFinishTimer;
class RoutineStartTimer;

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

// The main window and the controller of the workstation. It owns every
// long-lived component for the life of the process.
class OvraDialog : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kTaraWaitMs = 1800;

    explicit OvraDialog(ovra::util::LogHandler &logHandler, QWidget *parent = nullptr);
    ~OvraDialog() override;

    OvraSettings &settings() { return *m_settings; }
    bool isQuitting() const { return m_quitting; }

    // The connection, reader thread, watchdog and simulated box.
    usb::DeviceLink &deviceLink() { return *m_deviceLink; }
    OvraDialogUi &ui() { return *m_ui; }
    OvraState &ovraState() { return *m_ovraState; }
    OperatorKeys &operatorKeys() { return *m_operatorKeys; }
    training::ContinuousModeCoordinator &continuousModeCoordinator() { return *m_continuousModeCoordinator; }
    ovra::util::Warnings &warnings() { return *m_warnings; }
    RoutineStartTimer &startTimer() { return *m_startTimer; }
    Popup &notificationPopup() { return *m_notificationPopup; }
    Popup &statePopup() { return *m_statePopup; }
    int warningSoundPlayCount() const { return m_warningSoundPlays; }
    int recoverRequestCount() const { return m_recoverRequests; }
    double startPenalty() const { return m_startPenalty; }

    // Files, autosave, the temporary routine file and recovery (OvraDialogFiles.cpp).
    wsDaten &store() { return *m_store; }
    LastChanceRecovery &lastChanceRecovery() { return *m_lastChanceRecovery; }
    RoutineRecorder &routineRecorder() { return *m_routineRecorder; }
    LogWidget *logWidget() const { return m_logWidget; }
    // Asks for a file name (Open and "Save as"); tests answer without a dialog.
    using FileChooser = std::function<QString(bool save, const QString &title, const QString &start,
                                              const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }
    // Writes the measurement; true when it failed (the "No permissions!" box is shown).
    bool saveMeasurement(const QString &path, bool toFile);
    bool autoSaveToFile();
    void routineFilesOnCommit();
    void routineFilesOnDismiss();
    void autoSaveAfterDropTest();
    void saveRoutineResultsToTempFile();
    void loadRoutineResultsFromTempFile();
    void deleteTempRoutineFile();
    // Replays the chosen stretch of the last-chance ring as a loaded routine.
    void replayRecovery(const RecoverySelection &selection);

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
    void updateAutoSaveLabel(bool doFileSave);
    void showFontSelectionDialog();
    void toggleContinuousMode(bool active);
    void swapHdTofWidget();
    // The routine time in the two status bar labels.
    void updateTimeDisplay(double seconds);
    void updateTrampolineSelectionLabel(int trampMode);
    void handleWeightClassSelection(int index);
    // LB_mode: the class of the automatically estimated weight in newtons.
    void updateEstimatedWeightClass(double weight);
    void handleTrampolineSelection(int index);
    void recoverData();
    void handleSaveEvent();
    void handleLoadEvent();
    void loadFile(const QString &path);
    void saveToDatabase();
    void showAutoSaveDialog();
    void evaluateTara();
    void showSelfDiagnosisDialog();

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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectActions();
    void connectSimulationActions();
    void createDeviceLink();
    void setupStateMachine();
    void focusWindowChanged(QWindow *window);
    void flashStatePopup();
    void playWarningSound();
    void setupFiles();
    void resetMeasurementForLoad();

    ovra::util::LogHandler &m_logHandler;
    std::unique_ptr<OvraDialogUi> m_ui;
    std::unique_ptr<OvraSettings> m_settings;
    QFont m_font;
    usb::DeviceLink *m_deviceLink = nullptr;
    bool m_quitting = false;
    bool m_simulationEnabled = false;

    OvraStateTriggers *m_triggers = nullptr;
    OvraState *m_ovraState = nullptr;
    OperatorKeys *m_operatorKeys = nullptr;
    RoutineStartTimer *m_startTimer = nullptr;
    std::unique_ptr<RoutineFinishTimer> m_routineTimer;
    training::ContinuousModeCoordinator *m_continuousModeCoordinator = nullptr;
    ovra::util::Warnings *m_warnings = nullptr;
    QSoundEffect *m_warningSound = nullptr;
    int m_warningSoundPlays = 0;
    int m_recoverRequests = 0;
    double m_startPenalty = 0.0;
    Popup *m_notificationPopup = nullptr;
    Popup *m_statePopup = nullptr;
    std::unique_ptr<IndexSelection> m_weightClassSelection;
    std::unique_ptr<IndexSelection> m_trampolineSelection;
    wsDaten *m_store = nullptr;
    LastChanceRecovery *m_lastChanceRecovery = nullptr;
    std::unique_ptr<RoutineRecorder> m_routineRecorder;
    LogWidget *m_logWidget = nullptr;
    FileChooser m_fileChooser;
    bool m_tempFileUnsaved = false;
};
