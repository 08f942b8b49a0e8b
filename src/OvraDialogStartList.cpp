// The start lists' side of the main window: the event/competition/group/
// athlete choice, the routine meta information and its widgets, the CSV
// start list, and the start-list and database dialogs.

#include "AthletDialog.h"
#include "CompetitionDialog.h"
#include "CsvImportDialog.h"
#include "DatabaseBrowserDialog.h"
#include "DatabaseConfigDialog.h"
#include "DatabaseStatusIndicator.h"
#include "EventDialog.h"
#include "GroupDialog.h"
#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "StartListDialogSupport.h"
#include "StartListSelection.h"
#include "WidgetPlaceholders.h"
#include "data/wsDaten.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "util/CsvSource.h"
#include "util/Warnings.h"
#include "widgets/CsvWidget.h"
#include "widgets/Popup.h"
#include "widgets/PreviousResultWidget.h"
#include "widgets/RoutineMetaWidget.h"
#include "widgets/StyleProperty.h"
#include "wsdb.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>

namespace {

// A start-list dialog shows the database as it is now; afterwards the
// window's lists follow whatever it changed.
template <typename Dialog> void runStartListDialog(Dialog *dialog, StartListSelection *selection)
{
    dialog->reload();
    // Typing goes to the form, not to the list.
    startlist::focusFirstField(dialog);
    dialog->exec();
    selection->refresh();
}

} // namespace

void OvraDialog::createStartListDialogs()
{
    OvraDialogUi &ui = *m_ui;
    StartListSelection::Widgets widgets;
    widgets.event = ui.CB_event;
    widgets.competition = ui.CB_competition;
    widgets.group = ui.CB_group;
    widgets.athletes = ui.LW_athlets;
    widgets.athleteLabel = ui.LB_athlet;
    m_announcements = new RoutineAnnouncements(
        *m_daten, [this] { return m_ovraState->innerState(); }, this);
    m_startListSelection = new StartListSelection(*m_database, *m_daten, widgets, *m_announcements, this);

    // The CSV start list takes its placeholder's place before the state
    // machine assigns the start list's per-state properties.
    m_csvWidget = replacePlaceholder(ui.csvWidget, new CsvWidget);
    m_csvWidget->setVisible(false);
    m_upcomingRoutineMetaWidget =
        replacePlaceholder(ui.readyPageUpcomingRoutineMetaWidget, new UpcomingRoutineMetaWidget);
    // The reviewed routine's meta information above the confirm and dismiss
    // buttons: the operator sees whose routine is committed.
    m_routineMetaWidget = new RoutineMetaWidget(ui.overviewPage);
    if (auto *overview = qobject_cast<QBoxLayout *>(ui.overviewPage->layout()))
        overview->insertWidget(1, m_routineMetaWidget);

    m_athletDialog = new AthletDialog(*m_database, *m_daten, this);
    m_eventDialog = new EventDialog(*m_database, *m_daten, this);
    m_competitionDialog = new CompetitionDialog(*m_database, *m_daten, this);
    m_groupDialog = new GroupDialog(*m_database, *m_daten, this);
    m_databaseConfigDialog = new DatabaseConfigDialog(*m_database, *m_daten, this);
    // The window's chooser is set up later in the construction; it is asked
    // when a file is needed.
    m_databaseConfigDialog->setFileChooser(
        [this](bool save, const QString &title, const QString &start, const QString &filter) {
            return m_fileChooser(save, title, start, filter);
        });
    connectStartListDialogs();
    connectRoutineMetaWidgets();
    connectAnnouncements();
}

void OvraDialog::connectStartListDialogs()
{
    OvraDialogUi &ui = *m_ui;
    StartListSelection *s = m_startListSelection;
    connect(ui.TB_clearAthlet, &QToolButton::clicked, this, &OvraDialog::neuClearAthlet);
    connect(s, &StartListSelection::loadMeasure, this, &OvraDialog::getMeasureFromDatabaseSlot);
    connect(s, &StartListSelection::focusMainWindow, this, [this] { setFocus(); });
    connect(m_csvWidget, &CsvWidget::receivedRoutineMeta, this, [this](const QMap<QString, QString> &meta) {
        m_announcements->announce(meta, RoutineAnnouncements::CsvList);
    });
    connect(m_csvWidget, &CsvWidget::rowDeselected, this,
            [this] { m_announcements->withdraw(RoutineAnnouncements::CsvList); });
    connect(m_csvWidget, &CsvWidget::openImportCsvDialog, this, &OvraDialog::showCsvImportDialog);
    connect(m_csvWidget, &CsvWidget::clearCsvWidget, m_csvWidget, &QWidget::hide);

    connect(ui.actionEvents, &QAction::triggered, this, &OvraDialog::showEventDialog);
    connect(ui.actionCompetitions, &QAction::triggered, this, &OvraDialog::showCompetitionDialog);
    connect(ui.actionGroups, &QAction::triggered, this, &OvraDialog::showGroupDialog);
    connect(ui.actionAthlets, &QAction::triggered, this, &OvraDialog::showAthletDialog);
    connect(ui.actionImport_CSV_file, &QAction::triggered, this, &OvraDialog::showCsvImportDialog);
    connect(ui.actionDB_Browser, &QAction::triggered, this, &OvraDialog::showDatabaseBrowserDialog);
    connect(ui.actionDB_Config, &QAction::triggered, this, &OvraDialog::showDatabaseConfigDialog);
    connect(m_databaseConfigDialog, &DatabaseConfigDialog::databaseChanged, this,
            &OvraDialog::databaseSwitched);
    connect(m_databaseConfigDialog, &DatabaseConfigDialog::databaseMerged, s, &StartListSelection::refresh);
    // Another workstation's changes to the start lists of the shared server.
    connect(m_database, &wsdb::startListChanged, s, &StartListSelection::startListsChangedElsewhere);
}

void OvraDialog::connectRoutineMetaWidgets()
{
    data::model::Routines *r = &m_daten->routines();
    connect(r, &data::model::Routines::updateRoutineMetaInformation, m_routineMetaWidget,
            &RoutineMetaWidget::setRoutineMeta);
    connect(m_routineMetaWidget, &RoutineMetaWidget::clearRoutineMeta, r,
            &data::model::Routines::resetRoutineMetaInformation);
    connect(m_announcements, &RoutineAnnouncements::upcomingChanged, m_upcomingRoutineMetaWidget,
            &UpcomingRoutineMetaWidget::setAnnouncement);
    connect(m_announcements, &RoutineAnnouncements::upcomingChanged, this,
            [this](const QMap<QString, QString> &meta) {
                m_ui->statusRoutineInformationIndicator->setEnabled(!meta.isEmpty());
            });
    // Entering START or CONTINUOUS clears the result widgets; the announced
    // meta information then becomes the new routine's.
    connect(this, &OvraDialog::clearAllResultWidgets, this, [this] {
        if (m_ovraState->isIn(OvraState::START) || m_ovraState->isIn(OvraState::CONTINUOUS))
            m_announcements->routineStarted();
    });
    // Who jumps, above the beds while the routine runs.
    connect(r, &data::model::Routines::updateRoutineMetaInformation, m_ui->LB_athleteOnBed,
            [this](const QMap<QString, QString> &meta) {
                m_ui->LB_athleteOnBed->setText(data::model::athleteName(meta));
            });

    // The highlight ring: a key chosen in one meta widget is highlighted in
    // all three.
    connect(m_previousResult, &PreviousResultWidget::sendHighlightKeys, m_routineMetaWidget,
            &RoutineMetaWidget::receiveHighlightKeys);
    connect(m_previousResult, &PreviousResultWidget::sendHighlightKeys, m_upcomingRoutineMetaWidget,
            &UpcomingRoutineMetaWidget::receiveHighlightKeys);
    connect(m_routineMetaWidget, &RoutineMetaWidget::sendHighlightKeys, m_previousResult,
            &PreviousResultWidget::receiveHighlightKeys);
    connect(m_routineMetaWidget, &RoutineMetaWidget::sendHighlightKeys, m_upcomingRoutineMetaWidget,
            &UpcomingRoutineMetaWidget::receiveHighlightKeys);
    connect(m_upcomingRoutineMetaWidget, &UpcomingRoutineMetaWidget::sendHighlightKeys, m_previousResult,
            &PreviousResultWidget::receiveHighlightKeys);
    connect(m_upcomingRoutineMetaWidget, &UpcomingRoutineMetaWidget::sendHighlightKeys, m_routineMetaWidget,
            &RoutineMetaWidget::receiveHighlightKeys);
}

void OvraDialog::neuEvent(int index)
{
    m_startListSelection->neuEvent(index);
}

void OvraDialog::neuCompetition(int index)
{
    m_startListSelection->neuCompetition(index);
}

void OvraDialog::neuGroup(int index)
{
    m_startListSelection->neuGroup(index);
}

void OvraDialog::neuAthlet()
{
    m_startListSelection->neuAthlet();
}

void OvraDialog::neuAthletDetails()
{
    m_startListSelection->neuAthletDetails();
}

void OvraDialog::neuClearAthlet()
{
    m_startListSelection->neuClearAthlet();
}

void OvraDialog::receiveRoutineMeta(QMap<QString, QString> routineMeta)
{
    m_announcements->announce(routineMeta, RoutineAnnouncements::Network);
}

void OvraDialog::printRoutineMeta(QMap<QString, QString> routineMeta)
{
    qDebug() << "Routine meta information";
    for (auto it = routineMeta.cbegin(); it != routineMeta.cend(); ++it)
        qDebug().noquote() << QLatin1Char('\t') + it.key() + QStringLiteral(": ") + it.value();
}

void OvraDialog::connectAnnouncements()
{
    using A = RoutineAnnouncements;
    // The CSV list's side; the database list connects its own. One start
    // list at a time: the choice in one clears the other's, and a network
    // announcement clears both.
    connect(m_announcements, &A::listChoiceCleared, m_csvWidget, [this](int source) {
        if (source == A::CsvList)
            m_csvWidget->clearSelection();
    });
    connect(m_announcements, &A::listAdvanceRequested, m_csvWidget, [this](int source) {
        if (source == A::CsvList)
            m_csvWidget->next();
    });
    connect(m_announcements, &A::listStepRequested, m_csvWidget, [this](int source, int step) {
        if (source == A::CsvList)
            m_csvWidget->step(step);
    });
    connect(m_announcements, &A::activeListChanged, this, &OvraDialog::showActiveStartList);
    // While a start list is in use, a READY without anybody up next warns:
    // the routine would be stored and sent without a name.
    const auto warnWithoutAthlete = [this] {
        m_warnings->setNoAthleteChosenWarning(m_announcements->activeList() != A::NoSource &&
                                              m_announcements->upcoming().isEmpty());
    };
    connect(m_announcements, &A::activeListChanged, this, warnWithoutAthlete);
    connect(m_announcements, &A::upcomingChanged, this, warnWithoutAthlete);
    // Refused while a routine is under way, as a refused next-step key is.
    connect(m_ui->actionNextAthlete, &QAction::triggered, this, [this] {
        if (!m_announcements->stepAthlete(1))
            flashStatePopup();
    });
    connect(m_ui->actionPreviousAthlete, &QAction::triggered, this, [this] {
        if (!m_announcements->stepAthlete(-1))
            flashStatePopup();
    });

    // F3: the athlete list takes the arrow keys (the next-step key still
    // reaches the window from there).
    connect(m_ui->actionAthleteList, &QAction::triggered, this, [this] {
        QListWidget *athletes = m_ui->LW_athlets;
        if (!athletes->isEnabled() || !athletes->isVisible())
            return;
        athletes->setFocus(Qt::ShortcutFocusReason);
        if (athletes->currentRow() < 0 && athletes->count() > 0)
            athletes->setCurrentRow(0);
    });
    applyStartListFont();

    const QString frame = QStringLiteral("#%1[activeStartList=\"true\"] { border: 2px solid #2e9d4a; }");
    m_ui->databaseWidget->setStyleSheet(frame.arg(m_ui->databaseWidget->objectName()));
    m_csvWidget->setAttribute(Qt::WA_StyledBackground, true);
    m_csvWidget->setStyleSheet(frame.arg(m_csvWidget->objectName()));
}

void OvraDialog::showActiveStartList(int source)
{
    using A = RoutineAnnouncements;
    QLabel *label = m_ui->statusStartList;
    label->setText(source == A::DatabaseList ? tr("Start list: database")
                   : source == A::CsvList    ? tr("Start list: CSV file")
                                             : QString());
    label->setVisible(source == A::DatabaseList || source == A::CsvList);
    ovra::widgets::setStyleProperty(m_ui->databaseWidget, "activeStartList", source == A::DatabaseList);
    ovra::widgets::setStyleProperty(m_csvWidget, "activeStartList", source == A::CsvList);
}

void OvraDialog::showEventDialog()
{
    runStartListDialog(m_eventDialog, m_startListSelection);
}

void OvraDialog::showCompetitionDialog()
{
    runStartListDialog(m_competitionDialog, m_startListSelection);
}

void OvraDialog::showAthletDialog()
{
    runStartListDialog(m_athletDialog, m_startListSelection);
}

void OvraDialog::showGroupDialog()
{
    runStartListDialog(m_groupDialog, m_startListSelection);
}

void OvraDialog::showCsvImportDialog()
{
    CsvImportDialog dialog(this);
    dialog.setFileChooser([this](QWidget *, const QString &title, const QString &start) {
        return m_fileChooser(false, title, start, QString());
    });
    if (dialog.exec() == QDialog::Accepted)
        importCsv(dialog.source());
}

void OvraDialog::importCsv(const CsvSource &source)
{
    qDebug() << "Import csv:" << source.path << "separated by" << source.separator << "with header"
             << source.header;
    m_csvWidget->setVisible(true);
    CsvTable read;
    if (!m_csvWidget->loadSource(source, &read)) {
        qWarning().noquote() << "The start list could not be read from" << source.path << read.error;
        m_notificationPopup->setPopupText(Popup::Red,
                                          tr("The start list %1 cannot be read: %2")
                                              .arg(QDir::toNativeSeparators(source.path), read.error));
        m_notificationPopup->show();
        return;
    }
    // Rows left out must not go unnoticed: the athletes in them would never
    // come up.
    if (!read.unreadable.isEmpty()) {
        QStringList lines;
        for (const CsvProblem &problem : std::as_const(read.unreadable)) {
            qWarning().noquote() << QStringLiteral("%1, line %2 not imported (%3): %4")
                                        .arg(source.path)
                                        .arg(problem.line)
                                        .arg(problem.reason, problem.text);
            lines << tr("line %1: %2").arg(problem.line).arg(problem.text.left(60));
        }
        m_notificationPopup->setPopupText(
            Popup::Yellow, tr("%n row(s) of the start list cannot be read and were not imported:", nullptr,
                              int(read.unreadable.size())) +
                               QLatin1Char('\n') + lines.mid(0, 5).join(QLatin1Char('\n')));
        m_notificationPopup->show();
    }
}

void OvraDialog::showDatabaseBrowserDialog()
{
    DatabaseBrowserDialog dialog(*m_database, this);
    connect(&dialog, &DatabaseBrowserDialog::measureChosen, this, &OvraDialog::loadMeasureFromDatabase);
    dialog.exec();
}

void OvraDialog::showDatabaseConfigDialog()
{
    m_databaseConfigDialog->setLocalFile(m_settings->databaseFile());
    m_databaseConfigDialog->setServerAddress(m_settings->databaseServer());
    m_databaseConfigDialog->reload();
    m_databaseConfigDialog->exec();
}

void OvraDialog::databaseSwitched(const QString &path)
{
    const bool server = m_database->kind() == wsdb::Kind::Server;
    m_settings->setDatabaseOnServer(server);
    if (server)
        m_settings->setDatabaseServer(m_database->serverAddress());
    else
        m_settings->setDatabaseFile(path);
    m_settings->storeDatabaseFile();
    m_databaseStatus->update();
    m_warnings->setRoutinesAwaitingDatabaseWarning(m_database->pendingMeasures() > 0);
    m_routineRecorder->setDatabase(m_database);
    m_startListSelection->refresh();
}

void OvraDialog::applyStartListFont()
{
    // The lists are read from a step away, in the program font a size up.
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * kStartListFontScale);
    m_ui->LW_athlets->setFont(font);
    m_csvWidget->setListFont(font);
}
