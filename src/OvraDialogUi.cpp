#include "OvraDialogUi.h"

#include "state/OvraStateTargets.h"
#include "widgets/FittingLabel.h"
#include "widgets/ResultsTableView.h"
#include "widgets/StateBanner.h"
#include "widgets/StateWidget.h"
#include "widgets/StatusLight.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QAction *makeAction(QMainWindow *window, const char *name, const QString &text,
                    const QKeySequence &shortcut = QKeySequence(), const QString &toolTip = QString(),
                    bool checkable = false)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (!toolTip.isEmpty())
        action->setToolTip(toolTip);
    action->setCheckable(checkable);
    return action;
}

QLabel *bigLabel(const QString &text, int pointSize, QWidget *parent)
{
    auto *label = new FittingLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFullFont(font);
    return label;
}

// A page with a large title and a smaller line below, centred.
QWidget *messagePage(const char *name, const QString &title, const QString &line, const QString &style)
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    if (!style.isEmpty()) {
        page->setAttribute(Qt::WA_StyledBackground, true);
        page->setStyleSheet(style);
    }
    auto *layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addWidget(bigLabel(title, 48, page));
    layout->addWidget(bigLabel(line, 16, page));
    layout->addStretch();
    return page;
}

QFrame *placeholder(const char *name, QWidget *parent, const QString &title = QString())
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(frame);
    if (!title.isEmpty())
        layout->addWidget(bigLabel(title, 14, frame));
    layout->addStretch();
    return frame;
}

QLabel *sunkenLabel(QWidget *parent, const QString &sizedFor = QString())
{
    auto *label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (!sizedFor.isEmpty())
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sizedFor) + 2 * label->frameWidth() +
                               8);
    return label;
}

} // namespace

void OvraDialogUi::setupUi(QMainWindow *window, bool simulationEnabled)
{
    window->setObjectName(QStringLiteral("OvraDialog"));
    window->resize(1225, 709);

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    auto *centralLayout = new QHBoxLayout(centralWidget);
    mainSplitter = new QSplitter(Qt::Horizontal, centralWidget);
    mainSplitter->setObjectName(QStringLiteral("mainSplitter"));
    centralLayout->addWidget(mainSplitter);
    window->setCentralWidget(centralWidget);

    setupActions(window);
    setupMenus(window, simulationEnabled);
    setupLeftColumn();
    setupResultPages();
    setupStatusBar(window);

    QWidget::setTabOrder(TB_configurationHeader, CB_trampSelect);
    QWidget::setTabOrder(CB_trampSelect, CB_mode);
    QWidget::setTabOrder(CB_mode, CB_event);
    QWidget::setTabOrder(CB_event, CB_competition);
    QWidget::setTabOrder(CB_competition, CB_group);
    QWidget::setTabOrder(CB_group, LW_athlets);
    // A mouse click on a control leaves the keyboard focus with the window,
    // so the next Space is still the next-step key; Tab still reaches them.
    for (QWidget *control : std::initializer_list<QWidget *>{
             PB_tara, TB_configurationHeader, CB_trampSelect, CB_mode, CB_event, CB_competition, CB_group,
             LW_athlets, TB_clearAthlet, individualResultsTableView, synchronizedResultsTableView})
        control->setFocusPolicy(Qt::TabFocus);
}

void OvraDialogUi::setupActions(QMainWindow *w)
{
    actionLoad = makeAction(w, "actionLoad", tr("Open file"), QKeySequence(Qt::CTRL | Qt::Key_L),
                            tr("Ctrl+L: Load data"));
    actionSave = makeAction(w, "actionSave", tr("Save file"), QKeySequence(Qt::CTRL | Qt::Key_S),
                            tr("Ctrl+S: Save data as..."));
    // The last-chance recorder also after the box was lost, when the triple
    // Escape of READY is out of reach.
    actionRecoverData =
        makeAction(w, "actionRecoverData", tr("Recover data..."), QKeySequence(Qt::CTRL | Qt::Key_R),
                   tr("Ctrl+R: Recover the last minutes from the last-chance recorder"));
    actionQuit = makeAction(w, "actionQuit", tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    actionConfig = makeAction(w, "actionConfig", tr("&Settings"), QKeySequence(Qt::Key_F2),
                              tr("F2: Trampoline configuration"));
    actionConfigAutoSave = makeAction(w, "actionConfigAutoSave", tr("Autosave &config"),
                                      QKeySequence(Qt::Key_F5), tr("F5: Config Autosave function"));
    actionConfigRules = makeAction(w, "actionConfigRules", tr("Rules"));
    actionSingle_Drop_Test = makeAction(w, "actionSingle_Drop_Test", tr("Single &Drop Test"), {}, {}, true);
    actionSingle_Drop_Test->setEnabled(false);
    actionNetwork = makeAction(w, "actionNetwork", tr("&Network"));
    actionFont = makeAction(w, "actionFont", tr("&Font"));
    actionMove_selection_right =
        makeAction(w, "actionMove_selection_right", tr("&Move selection right"), QKeySequence(Qt::Key_Right));
    actionMove_selection_left =
        makeAction(w, "actionMove_selection_left", tr("Move &selection left"), QKeySequence(Qt::Key_Left));
    actionIncrease_selection =
        makeAction(w, "actionIncrease_selection", tr("&Increase selection"), QKeySequence(Qt::Key_Up));
    actionDecrease_selection =
        makeAction(w, "actionDecrease_selection", tr("&Decrease selection"), QKeySequence(Qt::Key_Down));
    actionRestoreRoutine =
        makeAction(w, "actionRestoreRoutine", tr("&Restore routine as measured"), QKeySequence(Qt::Key_R),
                   tr("R: undo every edit of the routine under review"));
    actionEvents = makeAction(w, "actionEvents", tr("&Events"), QKeySequence(Qt::CTRL | Qt::Key_E));
    actionCompetitions =
        makeAction(w, "actionCompetitions", tr("&Competitions"), QKeySequence(Qt::CTRL | Qt::Key_C));
    actionGroups = makeAction(w, "actionGroups", tr("&Groups"), QKeySequence(Qt::CTRL | Qt::Key_G));
    actionAthlets = makeAction(w, "actionAthlets", tr("&Athlets"), QKeySequence(Qt::CTRL | Qt::Key_A));
    actionImport_CSV_file = makeAction(w, "actionImport_CSV_file", tr("&Import CSV file"));
    actionDB_Browser = makeAction(w, "actionDB_Browser", tr("&DB Browser"));
    actionDB_Config = makeAction(w, "actionDB_Config", tr("DB &Config"));
    actionNextAthlete =
        makeAction(w, "actionNextAthlete", tr("&Next athlete"), QKeySequence(Qt::Key_PageDown),
                   tr("The next athlete of the start list in use comes up next"));
    actionPreviousAthlete =
        makeAction(w, "actionPreviousAthlete", tr("&Previous athlete"), QKeySequence(Qt::Key_PageUp),
                   tr("The previous athlete of the start list in use comes up next"));
    actionAthleteList = makeAction(w, "actionAthleteList", tr("Athlete &list"), QKeySequence(Qt::Key_F3),
                                   tr("F3: the athlete list takes the arrow keys"));
    actionContinuous_Mode = makeAction(w, "actionContinuous_Mode", tr("Continuous Mode"), {}, {}, true);
    actionFewer_Landings =
        makeAction(w, "actionFewer_Landings", tr("Fewer Landings"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    actionMore_Landings =
        makeAction(w, "actionMore_Landings", tr("More Landings"), QKeySequence(Qt::CTRL | Qt::Key_Up));
    actionConnectUsbMaster = makeAction(w, "actionConnectUsbMaster", tr("Connect USB-Master"),
                                        QKeySequence(Qt::CTRL | Qt::Key_M), {}, true);
    actionSimulateNoActivity =
        makeAction(w, "actionSimulateNoActivity", tr("No Activity"), QKeySequence(Qt::CTRL | Qt::Key_5));
    actionSimulateTrampoline_1 =
        makeAction(w, "actionSimulateTrampoline_1", tr("Trampoline 1"), QKeySequence(Qt::CTRL | Qt::Key_6));
    actionSimulateTrampoline_2 =
        makeAction(w, "actionSimulateTrampoline_2", tr("Trampoline 2"), QKeySequence(Qt::CTRL | Qt::Key_7));
    actionSimulateBothTrampolines = makeAction(w, "actionSimulateBothTrampolines", tr("Both Trampolines"),
                                               QKeySequence(Qt::CTRL | Qt::Key_8));
    actionSecondScreenTrampoline = makeAction(w, "actionSecondScreenTrampoline", tr("Trampoline Window"), {},
                                              tr("Trampolines on second screen"), true);
    actionSecondScreenResults = makeAction(w, "actionSecondScreenResults", tr("Result Window"), {},
                                           tr("Results on second screen"), true);
    actionResultDetailView = makeAction(w, "actionResultDetailView", tr("Result Details"),
                                        QKeySequence(Qt::Key_D), tr("Show detailed results (Press D)"), true);
    actionSetup_Instructions = makeAction(w, "actionSetup_Instructions", tr("&Setup Instructions"));
    actionUI_Tutorial = makeAction(w, "actionUI_Tutorial", tr("UI &Tutorial"));
    actionNetwork_Tutorial = makeAction(w, "actionNetwork_Tutorial", tr("&Network Tutorial"));
    actionSelf_Diagnosis = makeAction(w, "actionSelf_Diagnosis", tr("Self &Diagnosis"));
    actionExport_Competition_Protocol =
        makeAction(w, "actionExport_Competition_Protocol", tr("&Export Competition Protocol"));
    actionAbout_Ovra = makeAction(w, "actionAbout_Ovra", tr("&About Ovra"));
    // Never added to a widget: its Space shortcut stays inactive, so Space
    // reaches the window's key handling with its delay lock.
    actionOvraState = makeAction(w, "actionOvraState", tr("&ovraState"), QKeySequence(Qt::Key_Space));
    actionPosition_Test = makeAction(w, "actionPosition_Test", tr("&Position Test"), {}, {}, true);
}

void OvraDialogUi::setupMenus(QMainWindow *w, bool simulationEnabled)
{
    QMenuBar *bar = w->menuBar();
    auto addMenu = [bar](const char *name, const QString &title) {
        QMenu *menu = bar->addMenu(title);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    menuFile = addMenu("menuFile", tr("Fi&le"));
    menuFile->addActions({actionLoad, actionSave, actionRecoverData, actionQuit});
    menuConfig = addMenu("menuConfig", tr("&Config"));
    menuConfig->addActions({actionConfig, actionConfigAutoSave, actionConfigRules, actionSingle_Drop_Test,
                            actionNetwork, actionFont});
    menuResults = addMenu("menuResults", tr("Res&ults"));
    menuResults->addActions({actionMove_selection_right, actionMove_selection_left, actionIncrease_selection,
                             actionDecrease_selection, actionRestoreRoutine});
    menuStructure = addMenu("menuStructure", tr("S&tructure"));
    menuStructure->addActions(
        {actionEvents, actionCompetitions, actionGroups, actionAthlets, actionImport_CSV_file});
    menuStructure->addSeparator();
    menuStructure->addActions({actionNextAthlete, actionPreviousAthlete, actionAthleteList});
    menuDatabase = addMenu("menuDatabase", tr("&Database"));
    menuDatabase->addActions({actionDB_Browser, actionDB_Config});
    menuTraining = addMenu("menuTraining", tr("T&raining"));
    menuTraining->addActions({actionContinuous_Mode, actionFewer_Landings, actionMore_Landings});

    // Only with the simulation switch is the menu part of the menu bar; its
    // actions exist either way but stay disabled and unconnected.
    menuSimulation = new QMenu(tr("&Simulation"), w);
    menuSimulation->setObjectName(QStringLiteral("menuSimulation"));
    menuSimulation->addAction(actionConnectUsbMaster);
    menuSimulate_Input = menuSimulation->addMenu(tr("Simulate &Input"));
    menuSimulate_Input->setObjectName(QStringLiteral("menuSimulate_Input"));
    menuSimulate_Input->addActions({actionSimulateNoActivity, actionSimulateTrampoline_1,
                                    actionSimulateTrampoline_2, actionSimulateBothTrampolines});
    if (simulationEnabled) {
        bar->addMenu(menuSimulation);
    } else {
        menuSimulation->setEnabled(false);
        menuSimulation->menuAction()->setVisible(false);
        for (QAction *action : menuSimulation->actions() + menuSimulate_Input->actions())
            action->setEnabled(false);
    }

    menuView = addMenu("menuView", tr("&View"));
    menuView->addActions({actionSecondScreenTrampoline, actionSecondScreenResults, actionResultDetailView});
    menuHelp = addMenu("menuHelp", tr("Hel&p"));
    menuHelp->addActions({actionSetup_Instructions, actionUI_Tutorial, actionNetwork_Tutorial,
                          actionSelf_Diagnosis, actionExport_Competition_Protocol, actionAbout_Ovra});

    toolBar = new QToolBar(w);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    w->addToolBar(Qt::TopToolBarArea, toolBar);
    toolBar->addActions({actionConfig, actionSave, actionLoad});
    toolBar->addSeparator();
    toolBar->addAction(actionConfigAutoSave);
    toolBar->addSeparator();
    toolBar->addActions(
        {actionEvents, actionCompetitions, actionGroups, actionAthlets, actionImport_CSV_file});
    toolBar->addSeparator();
    toolBar->addActions({actionSecondScreenTrampoline, actionSecondScreenResults, actionResultDetailView});
}

void OvraDialogUi::setupLeftColumn()
{
    auto *left = new QWidget(mainSplitter);
    left->setObjectName(QStringLiteral("leftColumn"));
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);

    auto *top = new QHBoxLayout;
    stateWidget = new StateWidget(left);
    top->addWidget(stateWidget);

    configurationWidget = new QFrame(left);
    configurationWidget->setObjectName(QStringLiteral("configurationWidget"));
    configurationWidget->setFrameShape(QFrame::StyledPanel);
    auto *configLayout = new QVBoxLayout(configurationWidget);
    TB_configurationHeader = new QToolButton(configurationWidget);
    TB_configurationHeader->setObjectName(QStringLiteral("TB_configurationHeader"));
    TB_configurationHeader->setText(tr("Configuration"));
    TB_configurationHeader->setAutoRaise(true);
    configLayout->addWidget(TB_configurationHeader);
    configurationBody = new QWidget(configurationWidget);
    configurationBody->setObjectName(QStringLiteral("configurationBody"));
    auto *grid = new QGridLayout(configurationBody);
    grid->setContentsMargins(0, 0, 0, 0);
    PB_tara = new QPushButton(tr("TARA"), configurationBody);
    PB_tara->setObjectName(QStringLiteral("PB_tara"));
    PB_tara->setIcon(QIcon(QStringLiteral(":/icon/scale.png")));
    grid->addWidget(PB_tara, 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Tramp  select"), configurationBody), 1, 0);
    CB_trampSelect = new QComboBox(configurationBody);
    CB_trampSelect->setObjectName(QStringLiteral("CB_trampSelect"));
    CB_trampSelect->addItems(
        {tr("Trampoline 1"), tr("Trampoline 2"), tr("Trampolines 1+2"), tr("Automatic")});
    grid->addWidget(CB_trampSelect, 1, 1);
    grid->addWidget(new QLabel(tr("Weight Class"), configurationBody), 2, 0);
    CB_mode = new QComboBox(configurationBody);
    CB_mode->setObjectName(QStringLiteral("CB_mode"));
    CB_mode->addItems({tr("Children (800N)"), tr("Teenager (1150N)"), tr("Normal (2500N)"),
                       tr("Adults (5000N)"), tr("Automatic")});
    grid->addWidget(CB_mode, 2, 1);
    LB_mode = new QLabel(configurationBody);
    LB_mode->setObjectName(QStringLiteral("LB_mode"));
    grid->addWidget(LB_mode, 3, 1);
    configLayout->addWidget(configurationBody);
    configLayout->addStretch();
    QObject::connect(TB_configurationHeader, &QToolButton::clicked, configurationBody,
                     [this] { configurationBody->setVisible(!configurationBody->isVisible()); });
    top->addWidget(configurationWidget, 1);
    leftLayout->addLayout(top);

    subSplitter = new QSplitter(Qt::Vertical, left);
    subSplitter->setObjectName(QStringLiteral("subSplitter"));
    leftLayout->addWidget(subSplitter, 1);

    databaseWidget = new QFrame(subSplitter);
    databaseWidget->setObjectName(QStringLiteral("databaseWidget"));
    databaseWidget->setFrameShape(QFrame::StyledPanel);
    auto *dbLayout = new QVBoxLayout(databaseWidget);
    dbLayout->addWidget(new QLabel(tr("Database"), databaseWidget));
    CB_event = new QComboBox(databaseWidget);
    CB_event->setObjectName(QStringLiteral("CB_event"));
    CB_competition = new QComboBox(databaseWidget);
    CB_competition->setObjectName(QStringLiteral("CB_competition"));
    CB_group = new QComboBox(databaseWidget);
    CB_group->setObjectName(QStringLiteral("CB_group"));
    dbLayout->addWidget(CB_event);
    dbLayout->addWidget(CB_competition);
    dbLayout->addWidget(CB_group);
    auto *athleteRow = new QHBoxLayout;
    LB_athlet = new QLabel(databaseWidget);
    LB_athlet->setObjectName(QStringLiteral("LB_athlet"));
    TB_clearAthlet = new QToolButton(databaseWidget);
    TB_clearAthlet->setObjectName(QStringLiteral("TB_clearAthlet"));
    TB_clearAthlet->setText(tr("X"));
    athleteRow->addWidget(LB_athlet, 1);
    athleteRow->addWidget(TB_clearAthlet);
    dbLayout->addLayout(athleteRow);
    LW_athlets = new QListWidget(databaseWidget);
    LW_athlets->setObjectName(QStringLiteral("LW_athlets"));
    LW_athlets->setAlternatingRowColors(true);
    LW_athlets->setToolTip(tr("F3: the athlete list takes the arrow keys"));
    dbLayout->addWidget(LW_athlets, 1);

    csvWidget = placeholder("csvWidget", subSplitter);
    logWidget = placeholder("logWidget", subSplitter);
    mainSplitter->addWidget(left);
}

void OvraDialogUi::setupResultPages()
{
    // The right column: the state banner over the stack of result pages.
    auto *right = new QWidget(mainSplitter);
    right->setObjectName(QStringLiteral("rightColumn"));
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    stateBanner = new StateBanner(right);
    rightLayout->addWidget(stateBanner);
    // What the operator's edits changed in the routine under review.
    LB_routineEdited = new QLabel(right);
    LB_routineEdited->setObjectName(QStringLiteral("LB_routineEdited"));
    LB_routineEdited->setAlignment(Qt::AlignCenter);
    LB_routineEdited->setWordWrap(true);
    LB_routineEdited->setAttribute(Qt::WA_StyledBackground, true);
    LB_routineEdited->setStyleSheet(QStringLiteral(
        "QLabel { color: black; background-color: #f0b030; border-radius: 6px; padding: 4px 10px; }"));
    {
        QFont font = LB_routineEdited->font();
        font.setPointSize(14);
        font.setBold(true);
        LB_routineEdited->setFont(font);
    }
    LB_routineEdited->setVisible(false);
    rightLayout->addWidget(LB_routineEdited);
    resultStack = new QStackedWidget(right);
    resultStack->setObjectName(QStringLiteral("resultStack"));
    rightLayout->addWidget(resultStack, 1);
    mainSplitter->addWidget(right);
    // A wide window gives the start lists their share: a third of what is
    // beyond the columns' own size goes to the left.
    mainSplitter->setStretchFactor(0, 1);
    mainSplitter->setStretchFactor(1, 2);

    disconnectedPage = messagePage(
        "disconnectedPage", tr("NO USB"), tr("Connect the USB master box or load a routine"),
        QStringLiteral("#disconnectedPage { background-color: #d03030; } QLabel { color: white; }"));
    resultStack->addWidget(disconnectedPage);

    readyPage = new QWidget;
    readyPage->setObjectName(QStringLiteral("readyPage"));
    auto *readyLayout = new QVBoxLayout(readyPage);
    readyPagePreviousResultWidget = placeholder("readyPagePreviousResultWidget", readyPage);
    readyLayout->addWidget(readyPagePreviousResultWidget);
    auto *warningRow = new QHBoxLayout;
    readyPageLabelWarningIcon = new QLabel(readyPage);
    readyPageLabelWarningIcon->setObjectName(QStringLiteral("readyPageLabelWarningIcon"));
    readyPageLabelWarningIcon->setPixmap(
        readyPage->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    readyPageLabelWarningText = new QLabel(readyPage);
    readyPageLabelWarningText->setObjectName(QStringLiteral("readyPageLabelWarningText"));
    readyPageLabelWarningText->setToolTip(tr("Configure warnings from the Settings menu"));
    // Long lines (in German above all) wrap instead of widening the window.
    readyPageLabelWarningText->setWordWrap(true);
    for (QLabel *label : {readyPageLabelWarningIcon, readyPageLabelWarningText}) {
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->setVisible(false);
    }
    warningRow->addStretch();
    warningRow->addWidget(readyPageLabelWarningIcon);
    warningRow->addWidget(readyPageLabelWarningText);
    warningRow->addStretch();
    readyLayout->addLayout(warningRow);
    readyPageLabelReady = bigLabel(tr("READY TO GO"), 48, readyPage);
    readyPageLabelReady->setObjectName(QStringLiteral("readyPageLabelReady"));
    readyPageLabelPressSpace = bigLabel(tr("press space to start"), 16, readyPage);
    readyPageLabelPressSpace->setObjectName(QStringLiteral("readyPageLabelPressSpace"));
    readyLayout->addWidget(readyPageLabelReady);
    readyLayout->addWidget(readyPageLabelPressSpace);
    readyPageUpcomingRoutineMetaWidget = placeholder("readyPageUpcomingRoutineMetaWidget", readyPage);
    readyLayout->addWidget(readyPageUpcomingRoutineMetaWidget);
    resultStack->addWidget(readyPage);

    taraPage = messagePage("taraPage", tr("TARA"), tr("please wait"),
                           QStringLiteral("#taraPage { background-color: #f0d840; }"));
    resultStack->addWidget(taraPage);
    noFocusPage =
        messagePage("noFocusPage", tr("NO FOCUS"), tr("window has no focus\nclick here or close menu"), {});
    resultStack->addWidget(noFocusPage);

    detailedPage = new QWidget;
    detailedPage->setObjectName(QStringLiteral("detailedPage"));
    auto *detailedLayout = new QVBoxLayout(detailedPage);
    // Shown once the routine window has closed: the next-step key ends the
    // routine.
    LB_routineComplete = bigLabel(tr("Routine complete: press space to finish"), 16, detailedPage);
    LB_routineComplete->setObjectName(QStringLiteral("LB_routineComplete"));
    LB_routineComplete->setAttribute(Qt::WA_StyledBackground, true);
    LB_routineComplete->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background-color: #2e9d4a; border-radius: 6px; padding: 6px; }"));
    LB_routineComplete->setVisible(false);
    detailedLayout->addWidget(LB_routineComplete);
    // A synchronized routine with one athlete counts nothing: the page says
    // why.
    LB_loneBed = new QLabel(detailedPage);
    LB_loneBed->setObjectName(QStringLiteral("LB_loneBed"));
    LB_loneBed->setAlignment(Qt::AlignCenter);
    LB_loneBed->setWordWrap(true);
    LB_loneBed->setAttribute(Qt::WA_StyledBackground, true);
    LB_loneBed->setStyleSheet(QStringLiteral(
        "QLabel { color: white; background-color: #c02828; border-radius: 6px; padding: 6px; }"));
    {
        QFont font = LB_loneBed->font();
        font.setPointSize(14);
        font.setBold(true);
        LB_loneBed->setFont(font);
    }
    LB_loneBed->setVisible(false);
    detailedLayout->addWidget(LB_loneBed);
    LB_athleteOnBed = bigLabel(QString(), 20, detailedPage);
    LB_athleteOnBed->setObjectName(QStringLiteral("LB_athleteOnBed"));
    LB_athleteOnBed->setVisible(false);
    detailedLayout->addWidget(LB_athleteOnBed);
    auto *trampolines = new QHBoxLayout;
    trampolineWidget1 = placeholder("trampolineWidget1", detailedPage, tr("TRAMPOLINE 1"));
    trampolineWidget2 = placeholder("trampolineWidget2", detailedPage, tr("TRAMPOLINE 2"));
    trampolines->addWidget(trampolineWidget1);
    trampolines->addWidget(trampolineWidget2);
    // The landings table with its totals row needs the most height.
    detailedLayout->addLayout(trampolines, 3);
    auto *lower = new QHBoxLayout;
    resultWidgetsLayout = new QGridLayout;
    resultWidgetsLayout->setObjectName(QStringLiteral("resultWidgetsLayout"));
    tofResultWidget = placeholder("tofResultWidget", detailedPage);
    hdResultWidget = placeholder("hdResultWidget", detailedPage);
    hdTofSwapButton = new QPushButton(detailedPage);
    hdTofSwapButton->setObjectName(QStringLiteral("hdTofSwapButton"));
    hdTofSwapButton->setIcon(detailedPage->style()->standardIcon(QStyle::SP_BrowserReload));
    hdTofSwapButton->setFocusPolicy(Qt::NoFocus);
    resultWidgetsLayout->addWidget(tofResultWidget, 0, 0);
    resultWidgetsLayout->addWidget(hdTofSwapButton, 1, 0, Qt::AlignCenter);
    resultWidgetsLayout->addWidget(hdResultWidget, 2, 0);
    lower->addLayout(resultWidgetsLayout, 1);
    resultTableStack = new QStackedWidget(detailedPage);
    resultTableStack->setObjectName(QStringLiteral("resultTableStack"));
    individualResultsTableView = new ResultsTableView(resultTableStack);
    individualResultsTableView->setObjectName(QStringLiteral("individualResultsTableView"));
    synchronizedResultsTableView = new ResultsTableView(resultTableStack);
    synchronizedResultsTableView->setObjectName(QStringLiteral("synchronizedResultsTableView"));
    resultTableStack->addWidget(individualResultsTableView);
    resultTableStack->addWidget(synchronizedResultsTableView);
    auto *startTimePage = new QWidget(resultTableStack);
    startTimePage->setObjectName(QStringLiteral("routineStartTimePage"));
    // The time since START with its unit and the late-start penalty it
    // costs, marked as soon as there is one.
    startTimePage->setStyleSheet(QStringLiteral("QLabel[highlightPenalty=\"true\"] { color: white; "
                                                "background-color: rgb(200, 30, 30); border-radius: 4px; }"));
    auto *startTimeLayout = new QVBoxLayout(startTimePage);
    startTimeLayout->addStretch();
    auto *startTimeGrid = new QGridLayout;
    startTimeGrid->addWidget(bigLabel(tr("Started after"), 20, startTimePage), 0, 0);
    LB_routineStartTime = bigLabel(QString(), 36, startTimePage);
    LB_routineStartTime->setObjectName(QStringLiteral("LB_routineStartTime"));
    startTimeGrid->addWidget(LB_routineStartTime, 0, 1);
    LB_routineStartPenaltyTitle = bigLabel(tr("Penalty"), 20, startTimePage);
    LB_routineStartPenaltyTitle->setObjectName(QStringLiteral("LB_routineStartPenaltyTitle"));
    startTimeGrid->addWidget(LB_routineStartPenaltyTitle, 1, 0);
    LB_routineStartPenalty = bigLabel(QStringLiteral("0.0"), 36, startTimePage);
    LB_routineStartPenalty->setObjectName(QStringLiteral("LB_routineStartPenalty"));
    startTimeGrid->addWidget(LB_routineStartPenalty, 1, 1);
    startTimeLayout->addLayout(startTimeGrid);
    startTimeLayout->addStretch();
    resultTableStack->addWidget(startTimePage);
    resultTableStack->setCurrentIndex(2);
    lower->addWidget(resultTableStack, 2);
    detailedLayout->addLayout(lower, 5);
    resultStack->addWidget(detailedPage);

    overviewPage = new QWidget;
    overviewPage->setObjectName(QStringLiteral("overviewPage"));
    auto *overviewLayout = new QVBoxLayout(overviewPage);
    overviewResultWidget = placeholder("overviewResultWidget", overviewPage);
    overviewLayout->addWidget(overviewResultWidget, 1);
    auto *buttons = new QHBoxLayout;
    confirmButton = new QPushButton(tr("CONFIRM\npress space"), overviewPage);
    confirmButton->setObjectName(QStringLiteral("confirmButton"));
    dismissButton = new QPushButton(tr("DISMISS\npress X"), overviewPage);
    dismissButton->setObjectName(QStringLiteral("dismissButton"));
    for (QPushButton *button : {confirmButton, dismissButton}) {
        // Keyboard focus stays with the window so Space is the next-step key.
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(60);
        buttons->addWidget(button);
    }
    overviewLayout->addLayout(buttons);
    resultStack->addWidget(overviewPage);

    loadingPage = messagePage("loadingPage", tr("LOADING"), tr("please wait"), {});
    resultStack->addWidget(loadingPage);

    continuousPage = new QWidget;
    continuousPage->setObjectName(QStringLiteral("continuousPage"));
    auto *continuousLayout = new QVBoxLayout(continuousPage);
    continuousWidget = placeholder("continuousWidget", continuousPage);
    continuousLayout->addWidget(continuousWidget);
    resultStack->addWidget(continuousPage);

    resultStack->setCurrentIndex(0);
}

void OvraDialogUi::setupStatusBar(QMainWindow *w)
{
    QStatusBar *bar = w->statusBar();
    statusTimeSeconds = sunkenLabel(bar, QStringLiteral("8888.888s"));
    statusTimeSeconds->setObjectName(QStringLiteral("statusTimeSeconds"));
    statusTimeMinutes = sunkenLabel(bar, QStringLiteral("88:88.888"));
    statusTimeMinutes->setObjectName(QStringLiteral("statusTimeMinutes"));
    statusTrampolineMode = sunkenLabel(bar, tr("Tramp 1 selected"));
    statusTrampolineMode->setObjectName(QStringLiteral("statusTrampolineMode"));
    statusLoadedMeasure = sunkenLabel(bar);
    statusLoadedMeasure->setObjectName(QStringLiteral("statusLoadedMeasure"));
    statusAutoSave = sunkenLabel(bar);
    statusAutoSave->setObjectName(QStringLiteral("statusAutoSave"));
    statusStartList = sunkenLabel(bar);
    statusStartList->setObjectName(QStringLiteral("statusStartList"));
    statusStartList->setVisible(false);
    for (QLabel *label : {statusTimeSeconds, statusTimeMinutes, statusTrampolineMode, statusLoadedMeasure,
                          statusAutoSave, statusStartList})
        bar->addWidget(label);

    statusRoutineInformation = new QFrame(bar);
    statusRoutineInformation->setObjectName(QStringLiteral("statusRoutineInformation"));
    statusRoutineInformation->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *infoLayout = new QHBoxLayout(statusRoutineInformation);
    infoLayout->setContentsMargins(4, 0, 4, 0);
    infoLayout->addWidget(new QLabel(tr("Routine Information"), statusRoutineInformation));
    statusRoutineInformationIndicator = new QLabel(statusRoutineInformation);
    statusRoutineInformationIndicator->setObjectName(QStringLiteral("statusRoutineInformationIndicator"));
    statusRoutineInformationIndicator->setFixedSize(12, 12);
    statusRoutineInformationIndicator->setStyleSheet(
        QStringLiteral("QLabel { border: 2px solid #2e9d4a; border-radius: 2px; }"
                       "QLabel:enabled { background-color: #2e9d4a; }"));
    statusRoutineInformationIndicator->setEnabled(false);
    infoLayout->addWidget(statusRoutineInformationIndicator);
    bar->addWidget(statusRoutineInformation);

    auto addLight = [bar](QLabel *&label, StatusLight *&light, const QString &text, const char *name) {
        label = new QLabel(text, bar);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        light = new StatusLight(bar);
        light->setObjectName(QString::fromLatin1(name) + QStringLiteral("Light"));
        bar->addWidget(label);
        bar->addWidget(light);
    };
    const char *scoringNames[3] = {"statusScoringSystem1", "statusScoringSystem2", "statusScoringSystem3"};
    for (int i = 0; i < 3; ++i) {
        addLight(statusScoringSystem[i], statusScoringSystemLight[i], QString(), scoringNames[i]);
        // Shown only for a configured and enabled scoring client.
        statusScoringSystem[i]->setVisible(false);
        statusScoringSystemLight[i]->setVisible(false);
        statusScoringSystemWaiting[i] = new QLabel(bar);
        statusScoringSystemWaiting[i]->setObjectName(QString::fromLatin1(scoringNames[i]) +
                                                     QStringLiteral("Waiting"));
        statusScoringSystemWaiting[i]->setStyleSheet(QStringLiteral("QLabel { color: #b04000; }"));
        statusScoringSystemWaiting[i]->setVisible(false);
        bar->addWidget(statusScoringSystemWaiting[i]);
    }
    addLight(statusDatabase, statusDatabaseLight, QString(), "statusDatabase");
    statusDatabase->setVisible(false);
    statusDatabaseLight->setVisible(false);
    addLight(statusHttpServer, statusHttpServerLight, tr("HTTP Server"), "statusHttpServer");
    statusHttpServerLight->setStatus(QStringLiteral("off"));
    addLight(statusWebSocketServer, statusWebSocketServerLight,
             tr("WebSocket Server") + QStringLiteral(" (0)"), "statusWebSocketServer");
    statusWebSocketServerLight->setStatus(QStringLiteral("off"));
}

OvraStateTargets OvraDialogUi::stateTargets() const
{
    OvraStateTargets t;
    t.taraButton = PB_tara;
    t.weightClassCombo = CB_mode;
    t.trampolineSelectionCombo = CB_trampSelect;
    t.databaseWidget = databaseWidget;
    t.startList = csvWidget;
    t.savedFilesList = logWidget;
    t.resultStack = resultStack;
    t.positionTest = actionPosition_Test;
    t.singleDropTest = actionSingle_Drop_Test;
    t.configuration = actionConfig;
    t.autoSaveConfiguration = actionConfigAutoSave;
    t.network = actionNetwork;
    t.rules = actionConfigRules;
    t.font = actionFont;
    t.save = actionSave;
    t.load = actionLoad;
    t.recoverData = actionRecoverData;
    t.moveSelectionRight = actionMove_selection_right;
    t.moveSelectionLeft = actionMove_selection_left;
    t.increaseSelection = actionIncrease_selection;
    t.decreaseSelection = actionDecrease_selection;
    t.restoreRoutine = actionRestoreRoutine;
    t.setupInstructions = actionSetup_Instructions;
    t.uiTutorial = actionUI_Tutorial;
    t.networkTutorial = actionNetwork_Tutorial;
    t.selfDiagnosis = actionSelf_Diagnosis;
    t.continuousMode = actionContinuous_Mode;
    t.moreLandings = actionMore_Landings;
    t.fewerLandings = actionFewer_Landings;
    t.resultDetailView = actionResultDetailView;
    t.labelStateDisconnected = stateWidget->labelStateDisconnected();
    t.labelStateReady = stateWidget->labelStateReady();
    t.labelStateStart = stateWidget->labelStateStart();
    t.labelStateRoutine = stateWidget->labelStateRoutine();
    t.labelStateReview = stateWidget->labelStateReview();
    t.labelStateDiagnostic = stateWidget->labelStateDiagnostic();
    t.labelStatePause = stateWidget->labelStatePause();
    t.stateBanner = stateBanner;
    return t;
}
