#pragma once

#include <QCoreApplication>

class QAction;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QWidget;
class StateBanner;
class StateWidget;
class StatusLight;
struct OvraStateTargets;

// The widgets of the main window, named as in the window's form. Pages and
// panels that later parts fill (result widgets, start list, saved files)
// are plain placeholder widgets with their final names.
class OvraDialogUi
{
    Q_DECLARE_TR_FUNCTIONS(OvraDialog)
public:
    void setupUi(QMainWindow *window, bool simulationEnabled);

    // The controls whose properties the state machine sets per state.
    OvraStateTargets stateTargets() const;

    // Menus and actions.
    QMenu *menuFile = nullptr;
    QMenu *menuConfig = nullptr;
    QMenu *menuResults = nullptr;
    QMenu *menuStructure = nullptr;
    QMenu *menuDatabase = nullptr;
    QMenu *menuTraining = nullptr;
    QMenu *menuSimulation = nullptr;
    QMenu *menuSimulate_Input = nullptr;
    QMenu *menuView = nullptr;
    QMenu *menuHelp = nullptr;
    QToolBar *toolBar = nullptr;

    QAction *actionLoad = nullptr;
    QAction *actionRecoverData = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionQuit = nullptr;
    QAction *actionConfig = nullptr;
    QAction *actionConfigAutoSave = nullptr;
    QAction *actionConfigRules = nullptr;
    QAction *actionSingle_Drop_Test = nullptr;
    QAction *actionNetwork = nullptr;
    QAction *actionFont = nullptr;
    QAction *actionMove_selection_right = nullptr;
    QAction *actionMove_selection_left = nullptr;
    QAction *actionIncrease_selection = nullptr;
    QAction *actionDecrease_selection = nullptr;
    QAction *actionRestoreRoutine = nullptr;
    QAction *actionEvents = nullptr;
    QAction *actionCompetitions = nullptr;
    QAction *actionGroups = nullptr;
    QAction *actionAthlets = nullptr;
    QAction *actionImport_CSV_file = nullptr;
    QAction *actionDB_Browser = nullptr;
    QAction *actionDB_Config = nullptr;
    QAction *actionNextAthlete = nullptr;
    QAction *actionPreviousAthlete = nullptr;
    QAction *actionAthleteList = nullptr;
    QAction *actionContinuous_Mode = nullptr;
    QAction *actionFewer_Landings = nullptr;
    QAction *actionMore_Landings = nullptr;
    QAction *actionConnectUsbMaster = nullptr;
    QAction *actionSimulateNoActivity = nullptr;
    QAction *actionSimulateTrampoline_1 = nullptr;
    QAction *actionSimulateTrampoline_2 = nullptr;
    QAction *actionSimulateBothTrampolines = nullptr;
    QAction *actionSecondScreenTrampoline = nullptr;
    QAction *actionSecondScreenResults = nullptr;
    QAction *actionResultDetailView = nullptr;
    QAction *actionSetup_Instructions = nullptr;
    QAction *actionUI_Tutorial = nullptr;
    QAction *actionNetwork_Tutorial = nullptr;
    QAction *actionSelf_Diagnosis = nullptr;
    QAction *actionExport_Competition_Protocol = nullptr;
    QAction *actionAbout_Ovra = nullptr;
    QAction *actionOvraState = nullptr;
    QAction *actionPosition_Test = nullptr;

    // Left column.
    QWidget *centralWidget = nullptr;
    QSplitter *mainSplitter = nullptr;
    QSplitter *subSplitter = nullptr;
    StateWidget *stateWidget = nullptr;
    QFrame *configurationWidget = nullptr;
    QToolButton *TB_configurationHeader = nullptr;
    QWidget *configurationBody = nullptr;
    QPushButton *PB_tara = nullptr;
    QComboBox *CB_trampSelect = nullptr;
    QComboBox *CB_mode = nullptr;
    QLabel *LB_mode = nullptr;
    QFrame *databaseWidget = nullptr;
    QComboBox *CB_event = nullptr;
    QComboBox *CB_competition = nullptr;
    QComboBox *CB_group = nullptr;
    QLabel *LB_athlet = nullptr;
    QToolButton *TB_clearAthlet = nullptr;
    QListWidget *LW_athlets = nullptr;
    QWidget *csvWidget = nullptr;
    QWidget *logWidget = nullptr;

    // Result pages, under the banner that names the state and its keys.
    StateBanner *stateBanner = nullptr;
    QLabel *LB_routineEdited = nullptr;
    QStackedWidget *resultStack = nullptr;
    QWidget *disconnectedPage = nullptr;
    QWidget *readyPage = nullptr;
    QWidget *taraPage = nullptr;
    QWidget *noFocusPage = nullptr;
    QWidget *detailedPage = nullptr;
    QWidget *overviewPage = nullptr;
    QWidget *loadingPage = nullptr;
    QWidget *continuousPage = nullptr;
    QWidget *readyPagePreviousResultWidget = nullptr;
    QLabel *readyPageLabelWarningIcon = nullptr;
    QLabel *readyPageLabelWarningText = nullptr;
    QLabel *readyPageLabelReady = nullptr;
    QLabel *readyPageLabelPressSpace = nullptr;
    QWidget *readyPageUpcomingRoutineMetaWidget = nullptr;
    QLabel *LB_routineComplete = nullptr;
    // START and ROUTINE in the synchronized mode with one bed jumping.
    QLabel *LB_loneBed = nullptr;
    // Who jumps, above the beds in START and ROUTINE.
    QLabel *LB_athleteOnBed = nullptr;
    QWidget *trampolineWidget1 = nullptr;
    QWidget *trampolineWidget2 = nullptr;
    QGridLayout *resultWidgetsLayout = nullptr;
    QWidget *hdResultWidget = nullptr;
    QWidget *tofResultWidget = nullptr;
    QPushButton *hdTofSwapButton = nullptr;
    QStackedWidget *resultTableStack = nullptr;
    QTableView *individualResultsTableView = nullptr;
    QTableView *synchronizedResultsTableView = nullptr;
    QLabel *LB_routineStartTime = nullptr;
    QLabel *LB_routineStartPenaltyTitle = nullptr;
    QLabel *LB_routineStartPenalty = nullptr;
    QWidget *overviewResultWidget = nullptr;
    QPushButton *confirmButton = nullptr;
    QPushButton *dismissButton = nullptr;
    QWidget *continuousWidget = nullptr;

    // Status bar, left to right.
    QLabel *statusTimeSeconds = nullptr;
    QLabel *statusTimeMinutes = nullptr;
    QLabel *statusTrampolineMode = nullptr;
    QLabel *statusLoadedMeasure = nullptr;
    QLabel *statusAutoSave = nullptr;
    // The start list in use (database or CSV).
    QLabel *statusStartList = nullptr;
    QFrame *statusRoutineInformation = nullptr;
    QLabel *statusRoutineInformationIndicator = nullptr;
    QLabel *statusScoringSystem[3] = {};
    StatusLight *statusScoringSystemLight[3] = {};
    // How many committed results wait for the system; hidden while none do.
    QLabel *statusScoringSystemWaiting[3] = {};
    // The competition database: shown for a server, or while routines wait.
    QLabel *statusDatabase = nullptr;
    StatusLight *statusDatabaseLight = nullptr;
    QLabel *statusHttpServer = nullptr;
    StatusLight *statusHttpServerLight = nullptr;
    QLabel *statusWebSocketServer = nullptr;
    StatusLight *statusWebSocketServerLight = nullptr;

private:
    void setupActions(QMainWindow *window);
    void setupMenus(QMainWindow *window, bool simulationEnabled);
    void setupLeftColumn();
    void setupResultPages();
    void setupStatusBar(QMainWindow *window);
};
