#include "OvraDialog.h"

#include "BuildInfo.h"
#include "DatabaseStatusIndicator.h"
#include "OvraDialogUi.h"
#include "StartListSelection.h"
#include "data/wsDaten.h"
#include "misc/TutorialLauncher.h"
#include "recovery/RoutineRecorder.h"
#include "rest/client/ScoringSystems.h"
#include "rest/server/NetworkServers.h"
#include "settings/OvraSettings.h"
#include "state/FocusDecision.h"
#include "state/OperatorKeys.h"
#include "state/OvraState.h"
#include "state/OvraStateTriggers.h"
#include "state/RoutineGuard.h"
#include "training/ContinuousModeCoordinator.h"
#include "training/RoutineStartTimer.h"
#include "usb/DeviceLink.h"
#include "util/LogHandler.h"
#include "util/Warnings.h"
#include "widgets/KeyboardFocusKeeper.h"
#include "widgets/Popup.h"
#include "widgets/StateWidget.h"
#include "widgets/StyleProperty.h"
#include "wsdb.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSoundEffect>
#include <QSslSocket>
#include <QStackedWidget>
#include <QWindow>

namespace {

// The settings store's view of a combo box.
class ComboIndexSelection final : public IndexSelection
{
public:
    explicit ComboIndexSelection(QComboBox *combo)
        : m_combo(combo)
    {}
    int count() const override { return m_combo->count(); }
    int currentIndex() const override { return m_combo->currentIndex(); }
    void setCurrentIndex(int index) override { m_combo->setCurrentIndex(index); }

private:
    QComboBox *m_combo;
};

} // namespace

OvraDialog::OvraDialog(ovra::util::LogHandler &logHandler, QWidget *parent)
    : QMainWindow(parent)
    , m_logHandler(logHandler)
    , m_ui(std::make_unique<OvraDialogUi>())
{
    m_daten = new wsDaten(this);
    m_database = new wsdb(*m_daten, this);
    m_ovraState = new OvraState(this);
    m_triggers = new OvraStateTriggers(this);
    m_guard = new RoutineGuard(this);
    m_startTimer = new RoutineStartTimer(nullptr, this);
    m_routineTimer = std::make_unique<RoutineFinishTimer>();
    m_continuousModeCoordinator = new training::ContinuousModeCoordinator(this);
    m_warningSound = new QSoundEffect(this);
    m_warnings = new ovra::util::Warnings(this);
    createDeviceLink();

    m_simulationEnabled = !qEnvironmentVariableIsEmpty("OVRA_ENABLE_SIMULATION");
    m_ui->setupUi(this, m_simulationEnabled);
    m_notificationPopup = new Popup(this, m_ui->resultStack, 150, 1000, 3000, false);
    m_statePopup = new Popup(this, m_ui->stateWidget, 150, 300, 150, true);
    createResultWidgets();

    qDebug() << "Starting OvraDialog";
    qDebug() << "SSL support:" << QSslSocket::supportsSsl() << QSslSocket::sslLibraryBuildVersionString()
             << QSslSocket::sslLibraryVersionString();
    setWindowTitle(tr("Ovra v%1").arg(QLatin1String(ovra::build::kVersion)));

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &OvraDialog::focusWindowChanged);
    // The routine's keys reach the window wherever its focus is.
    m_focusKeeper = new KeyboardFocusKeeper(this, menuBar());
    m_focusKeeper->returnFocusAfterChoices(m_ui->configurationWidget);
    m_focusKeeper->returnFocusAfterChoices(m_ui->databaseWidget);
    connectActions();
    connectStore();
    createStartListDialogs();

    OvraSettings::Targets targets;
    targets.store = m_daten;
    m_weightClassSelection = std::make_unique<ComboIndexSelection>(m_ui->CB_mode);
    m_trampolineSelection = std::make_unique<ComboIndexSelection>(m_ui->CB_trampSelect);
    targets.weightClass = m_weightClassSelection.get();
    targets.trampolineSelection = m_trampolineSelection.get();
    // The start-list choice (event, competition, group, athlete); it is
    // applied once the lists are filled from the database.
    targets.event = &m_startListSelection->eventSelection();
    targets.competition = &m_startListSelection->competitionSelection();
    targets.group = &m_startListSelection->groupSelection();
    targets.athlete = &m_startListSelection->athleteSelection();
    m_settings = std::make_unique<OvraSettings>(targets, m_logHandler, this);
    connect(&m_settings->autoSaveSettings(), &AutoSaveSettings::fileSaveChanged, this,
            &OvraDialog::updateAutoSaveLabel);
    m_warnings->connectSettings(m_settings->warningSettings());
    connect(m_warnings, &ovra::util::Warnings::setWarningsText, m_ui->readyPageLabelWarningText,
            &QLabel::setText);
    connect(m_warnings, &ovra::util::Warnings::showWarnings, m_ui->readyPageLabelWarningText,
            &QLabel::setVisible);
    connect(m_warnings, &ovra::util::Warnings::showWarnings, m_ui->readyPageLabelWarningIcon,
            &QLabel::setVisible);
    updateAutoSaveLabel(false);
    setupFiles();
    int width = 849;
    int height = 665;
    const bool sizeStored = m_settings->hasStoredWindowSize();
    m_settings->load(width, height, m_font);
    applyStartListFont();
    // The first start uses the screen, so the results can be read from the
    // bed; later starts keep the size the operator left.
    if (sizeStored || screen() == nullptr)
        resize(width, height);
    else
        resize(screen()->availableSize() * kFirstStartScreenShare);
    // The start lists take a third of the width, the results the rest; the
    // splitter would otherwise leave the results only their minimum.
    m_ui->mainSplitter->setSizes({this->width() / 3, this->width() - this->width() / 3});
    m_tutorials = new TutorialLauncher(m_settings->tutorialSettings(), this);
    // Never over a routine restored after a crash, nor over one under way.
    m_tutorials->setStartupCondition([this] {
        return !m_routineRecorder->temporaryRoutineFileExists() &&
               (m_ovraState->isIn(OvraState::WAIT) || m_ovraState->isIn(OvraState::READY) ||
                m_ovraState->isIn(OvraState::NO_FOCUS));
    });
    handleWeightClassSelection(m_ui->CB_mode->currentIndex());
    handleTrampolineSelection(m_ui->CB_trampSelect->currentIndex());

    createNetwork();
    // A scoring system that fails to take a committed result neither holds
    // the commit nor asks to retry when this is set (read once, here).
    startRestServer();
    initRestClients();
    m_ignoreRestClientError = !qEnvironmentVariableIsEmpty("OVRA_IGNORE_REST_CLIENT_ERROR");
    m_scoringSystems->setIgnoreClientErrors(m_ignoreRestClientError);
    startWebSocketServer();
    setupHistory();

    setupStateMachine();

    m_warningSound->setSource(QUrl(QStringLiteral("qrc:/sound/ding.wav")));
    m_warningSound->setVolume(0.25F);
    m_warningSound->setLoopCount(1);
    setFocus();

    openDatabase();
    connectUSB();
}

// The competition database at the configured file (or server), its tables,
// then the event and competition lists. A file that does not open leaves
// the database closed: saves to it then fail and keep the temporary routine
// file. A server is reached in the background, so that one that does not
// answer never holds the window back; it is used all the same: saves wait
// on this workstation until it answers, and the start lists it last sent
// stay usable.
void OvraDialog::openDatabase()
{
    m_database->setServerQueueFile(OvraSettings::serverQueueFile());
    if (m_settings->databaseOnServer() && m_settings->databaseServer().isComplete()) {
        m_database->openServer(m_settings->databaseServer(), false);
    } else {
        // An empty setting would open a private temporary database that is
        // gone at exit, taking every stored measure with it.
        const QString configured = m_settings->databaseFile();
        const QString path =
            QFileInfo(configured.isEmpty() ? m_database->defaultFile() : configured).absoluteFilePath();
        if (m_database->openDatabase(path))
            m_database->createTables(QStringLiteral("main"));
    }
    if (!m_databaseStatus)
        m_databaseStatus =
            new DatabaseStatusIndicator(*m_database, m_ui->statusDatabase, m_ui->statusDatabaseLight, this);
    m_databaseStatus->update();
    m_routineRecorder->setDatabase(m_database);
    m_startListSelection->refresh();
}

OvraDialog::~OvraDialog()
{
    // The database goes with the window's children, after the members: its
    // last retry of the waiting measures must not call back in. It gets
    // that retry here, so that the routines kept for them are released.
    if (m_database) {
        disconnect(m_database, nullptr, this, nullptr);
        if (m_database->pendingMeasures() > 0 && m_database->retryPendingMeasures())
            keptRoutinesStored();
    }
}

void OvraDialog::connectActions()
{
    OvraDialogUi &ui = *m_ui;
    connect(ui.actionQuit, &QAction::triggered, this, &OvraDialog::quit);
    connect(ui.actionFont, &QAction::triggered, this, &OvraDialog::showFontSelectionDialog);
    connect(ui.actionResultDetailView, &QAction::toggled, this, &OvraDialog::showResultDetails);
    connect(ui.actionContinuous_Mode, &QAction::toggled, this, &OvraDialog::toggleContinuousMode);
    connect(ui.actionMore_Landings, &QAction::triggered, m_continuousModeCoordinator,
            &training::ContinuousModeCoordinator::increase);
    connect(ui.actionFewer_Landings, &QAction::triggered, m_continuousModeCoordinator,
            &training::ContinuousModeCoordinator::decrease);
    connect(ui.hdTofSwapButton, &QPushButton::clicked, this, &OvraDialog::swapHdTofWidget);
    connect(ui.CB_mode, &QComboBox::activated, this, &OvraDialog::handleWeightClassSelection);
    connect(ui.CB_trampSelect, &QComboBox::activated, this, &OvraDialog::handleTrampolineSelection);
    connect(ui.confirmButton, &QPushButton::clicked, this, &OvraDialog::nextStep);
    connect(ui.dismissButton, &QPushButton::clicked, this, &OvraDialog::requestDismiss);
    connect(ui.PB_tara, &QPushButton::clicked, this, &OvraDialog::evaluateTara);
    connect(ui.actionSelf_Diagnosis, &QAction::triggered, this, &OvraDialog::showSelfDiagnosisDialog);
    // A new measurement replaces whatever file or database measure was shown.
    connect(this, &OvraDialog::clearAllResultWidgets, ui.statusLoadedMeasure, &QLabel::clear);
    connectToolActions();
    if (m_simulationEnabled)
        connectSimulationActions();
}

void OvraDialog::connectSimulationActions()
{
    OvraDialogUi &ui = *m_ui;
    ui.actionConnectUsbMaster->setCheckable(true);
    connect(ui.actionConnectUsbMaster, &QAction::triggered, this, &OvraDialog::initSimulatedUSB);
    // The check mark shows whether the simulated box is attached, also when
    // attaching was refused because a real box is connected.
    connect(m_deviceLink, &usb::DeviceLink::simulationActiveChanged, ui.actionConnectUsbMaster,
            &QAction::setChecked);
    const std::pair<QAction *, usb::SimulatedUSBMode> inputs[] = {
        {ui.actionSimulateNoActivity, usb::NoActivity},
        {ui.actionSimulateTrampoline_1, usb::Trampoline1},
        {ui.actionSimulateTrampoline_2, usb::Trampoline2},
        {ui.actionSimulateBothTrampolines, usb::BothTrampolines},
    };
    for (const auto &[action, mode] : inputs)
        connect(action, &QAction::triggered, this, [this, mode = mode] { setSimulatedInputMode(mode); });
}

void OvraDialog::quit()
{
    if (!m_quitting) {
        m_deviceLink->shutdown();
        m_networkServers->stopAll();
        m_quitting = true;
        m_settings->writeSettings(width(), height(), m_font);
    }
    close();
}

void OvraDialog::closeEvent(QCloseEvent *event)
{
    if (!m_quitting)
        quit();
    event->accept();
}

void OvraDialog::keyPressEvent(QKeyEvent *event)
{
    // A held Escape would count as the triple press that opens recovery, and
    // so would the Escapes that closed a menu on their way here.
    const bool escape = event->key() == Qt::Key_Escape;
    if (!(escape && (event->isAutoRepeat() || m_focusKeeper->isMenuEscape(event))))
        m_operatorKeys->handleKeyPress(event->key(), event->modifiers());
    QMainWindow::keyPressEvent(event);
}

void OvraDialog::focusWindowChanged(QWindow *window)
{
    switch (ovra::state::focusChangeFor(window, windowHandle())) {
    case ovra::state::FocusChange::Gained:
        Q_EMIT mainWindowGotFocus();
        break;
    case ovra::state::FocusChange::Lost:
        Q_EMIT mainWindowLostFocus();
        break;
    case ovra::state::FocusChange::Unchanged:
        break;
    }
}

void OvraDialog::flashStatePopup()
{
    m_statePopup->setPopupText(Popup::Red, QString());
    m_statePopup->show();
}

void OvraDialog::setClock(const ovra::util::Clock *clock)
{
    m_startTimer->setClock(clock);
    m_routineTimer->setClock(clock);
}

void OvraDialog::updateRoutineStartTime(double routineStartTime)
{
    m_ui->LB_routineStartTime->setText(tr("%1s").arg(QString::number(routineStartTime, 'f', 1)));
}

void OvraDialog::updateRoutineStartPenalty(double penalty)
{
    m_ui->LB_routineStartPenalty->setText(QString::number(penalty, 'f', 1));
    for (QLabel *label : {m_ui->LB_routineStartPenaltyTitle, m_ui->LB_routineStartPenalty})
        ovra::widgets::setStyleProperty(label, "highlightPenalty", penalty > 0.0);
}

void OvraDialog::updateAutoSaveLabel(bool doFileSave)
{
    if (doFileSave) {
        m_ui->statusAutoSave->setText(tr("AutoSave on"));
        m_ui->statusAutoSave->setStyleSheet(QStringLiteral("QLabel{color: green}"));
    } else {
        m_ui->statusAutoSave->setText(tr("AutoSave off"));
        m_ui->statusAutoSave->setStyleSheet(QStringLiteral("QLabel{color: black}"));
    }
}

void OvraDialog::showFontSelectionDialog()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_font, this);
    if (!ok)
        return;
    m_font = font;
    setFont(font);
    QApplication::setFont(font);
    applyStartListFont();
    m_settings->writeSettings(width(), height(), m_font);
}

void OvraDialog::swapHdTofWidget()
{
    QGridLayout *grid = m_ui->resultWidgetsLayout;
    const int hdIndex = grid->indexOf(m_ui->hdResultWidget);
    const int tofIndex = grid->indexOf(m_ui->tofResultWidget);
    int hdRow = 0, hdColumn = 0, tofRow = 0, tofColumn = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(hdIndex, &hdRow, &hdColumn, &rowSpan, &columnSpan);
    grid->getItemPosition(tofIndex, &tofRow, &tofColumn, &rowSpan, &columnSpan);
    grid->removeWidget(m_ui->hdResultWidget);
    grid->removeWidget(m_ui->tofResultWidget);
    grid->addWidget(m_ui->hdResultWidget, tofRow, tofColumn);
    grid->addWidget(m_ui->tofResultWidget, hdRow, hdColumn);
    balanceResultWidgets(m_daten->trampMode());
    qDebug() << "Swap HD and ToF result widgets";
}

void OvraDialog::balanceResultWidgets(data::model::TrampMode trampMode)
{
    // Every read-out gets the same height: a synchronized routine has two
    // HD read-outs under one Syn read-out.
    QGridLayout *grid = m_ui->resultWidgetsLayout;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(m_ui->hdResultWidget), &row, &column, &rowSpan, &columnSpan);
    grid->setRowStretch(row, trampMode == data::model::TrampMode::Synchronized ? 2 : 1);
    grid->getItemPosition(grid->indexOf(m_ui->tofResultWidget), &row, &column, &rowSpan, &columnSpan);
    grid->setRowStretch(row, 1);
}

void OvraDialog::updateTimeDisplay(double seconds)
{
    m_ui->statusTimeSeconds->setText(QStringLiteral("%1s").arg(seconds, 0, 'f', 3));
    const int minutes = static_cast<int>(seconds / 60.0);
    const double rest = seconds - 60.0 * minutes;
    m_ui->statusTimeMinutes->setText(
        QStringLiteral("%1:%2").arg(minutes, 2, 10, QLatin1Char('0')).arg(rest, 6, 'f', 3, QLatin1Char('0')));
}

void OvraDialog::updateTrampolineSelectionLabel(data::model::TrampMode trampMode)
{
    m_ui->statusTrampolineMode->setText(translateTrampMode(trampMode));
}

void OvraDialog::updateTrampolineActivity(data::model::TrampMode trampMode)
{
    // The beds that take part in the selected mode are shown; the other one
    // is left out of the force plot.
    emit setTramp1Active(trampMode != data::model::TrampMode::Trampoline2);
    emit setTramp2Active(trampMode != data::model::TrampMode::Trampoline1);
    balanceResultWidgets(trampMode);
}

QString OvraDialog::translateTrampMode(data::model::TrampMode trampMode)
{
    switch (trampMode) {
    case data::model::TrampMode::Trampoline1:
        return tr("Tramp 1 selected");
    case data::model::TrampMode::Trampoline2:
        return tr("Tramp 2 selected");
    case data::model::TrampMode::Synchronized:
        return tr("Tramp 1 and 2 selected");
    }
    return tr("No Tramp selected");
}

void OvraDialog::updateEstimatedWeightClass(double weight)
{
    if (weight < 1150.0)
        m_ui->LB_mode->setText(tr("Children (800N)"));
    else if (weight < 2500.0)
        m_ui->LB_mode->setText(tr("Teenager (1150N)"));
    else if (weight < 5000.0)
        m_ui->LB_mode->setText(tr("Normal (2500N)"));
    else
        m_ui->LB_mode->setText(tr("Adults (5000N)"));
}
