#pragma once

class QObject;

// The main window's controls whose properties the measurement state machine
// sets per state ("enabled", "checked", "visible", "currentIndex"). Any
// QObject with those properties will do; a null entry is skipped.
struct OvraStateTargets
{
    // Configuration panel and lists.
    QObject *taraButton = nullptr;               // PB_tara
    QObject *weightClassCombo = nullptr;         // CB_mode
    QObject *trampolineSelectionCombo = nullptr; // CB_trampSelect
    QObject *databaseWidget = nullptr;           // databaseWidget
    QObject *startList = nullptr;                // csvWidget
    QObject *savedFilesList = nullptr;           // logWidget
    QObject *resultStack = nullptr;              // resultStack

    // Actions.
    QObject *positionTest = nullptr;          // actionPosition_Test
    QObject *singleDropTest = nullptr;        // actionSingle_Drop_Test
    QObject *configuration = nullptr;         // actionConfig
    QObject *autoSaveConfiguration = nullptr; // actionConfigAutoSave
    QObject *network = nullptr;               // actionNetwork
    QObject *rules = nullptr;                 // actionConfigRules
    QObject *font = nullptr;                  // actionFont
    QObject *save = nullptr;                  // actionSave
    QObject *load = nullptr;                  // actionLoad
    QObject *recoverData = nullptr;           // actionRecoverData
    QObject *moveSelectionRight = nullptr;    // actionMove_selection_right
    QObject *moveSelectionLeft = nullptr;     // actionMove_selection_left
    QObject *increaseSelection = nullptr;     // actionIncrease_selection
    QObject *decreaseSelection = nullptr;     // actionDecrease_selection
    QObject *restoreRoutine = nullptr;        // actionRestoreRoutine
    QObject *setupInstructions = nullptr;     // actionSetup_Instructions
    QObject *uiTutorial = nullptr;            // actionUI_Tutorial
    QObject *networkTutorial = nullptr;       // actionNetwork_Tutorial
    QObject *selfDiagnosis = nullptr;         // actionSelf_Diagnosis
    QObject *continuousMode = nullptr;        // actionContinuous_Mode
    QObject *moreLandings = nullptr;          // actionMore_Landings
    QObject *fewerLandings = nullptr;         // actionFewer_Landings
    QObject *resultDetailView = nullptr;      // actionResultDetailView

    // The pill labels of the state widget.
    QObject *labelStateDisconnected = nullptr;
    QObject *labelStateReady = nullptr;
    QObject *labelStateStart = nullptr;
    QObject *labelStateRoutine = nullptr;
    QObject *labelStateReview = nullptr;
    QObject *labelStateDiagnostic = nullptr;
    QObject *labelStatePause = nullptr;
    // The banner above the result pages ("kind" per state).
    QObject *stateBanner = nullptr;
};
