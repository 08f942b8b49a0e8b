// Athlete histories in the main window: the "Athlete history" window of the
// Results menu, the HTTP server's /athletes, and the personal best beside
// the live total on the audience screens.

#include "OvraDialog.h"
#include "OvraDialogUi.h"

#include "data/StartSelection.h"
#include "data/wsDaten.h"
#include "history/AthleteHistoryWindow.h"
#include "history/HistoryService.h"
#include "history/ResultsBackfill.h"
#include "rest/server/NetworkServers.h"
#include "settings/OvraSettings.h"
#include "state/RoutineAnnouncements.h"
#include "widgets/SecondScreenWindows.h"
#include "wsdb.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

using ovra::history::AthleteHistoryWindow;
using ovra::history::HistoryService;
using ovra::history::ResultsBackfill;

namespace {

// The database the histories are read from; none while a server is away:
// its stand-in on this workstation holds only the routines waiting for it.
ovra::db::Connection *historyDatabase(wsdb &database)
{
    return database.isReachable() ? database.connection() : nullptr;
}

} // namespace

void OvraDialog::setupHistory()
{
    m_historyService = new HistoryService([this] { return historyDatabase(*m_database); }, this);

    auto *action = new QAction(tr("Athlete &history"), this);
    action->setObjectName(QStringLiteral("actionAthleteHistory"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    action->setToolTip(tr("Ctrl+H: Every routine of an athlete across the competitions of the database"));
    m_ui->menuResults->addSeparator();
    m_ui->menuResults->addAction(action);
    // A window shortcut, also while a menu or list has the keyboard focus.
    addAction(action);
    connect(action, &QAction::triggered, this, &OvraDialog::showAthleteHistory);

    // Other programs ask in the HTTP server's threads; the answer is read
    // here, in the GUI thread, where the database is used.
    QPointer<HistoryService> service(m_historyService);
    m_networkServers->setHistoryProvider([service](const QString &id) {
        ovra::rest::server::RestServerThread::HistoryAnswer answer;
        if (!service)
            return answer;
        const HistoryService::Answer a =
            id.isEmpty() ? service->athletesAnswer() : service->historyAnswer(id);
        answer.status = a.status;
        answer.body = a.body;
        return answer;
    });

    connect(&m_daten->routines(), &data::model::Routines::updateRoutineMetaInformation, this,
            &OvraDialog::updatePersonalBest);
    connect(m_announcements, &RoutineAnnouncements::upcomingChanged, this, &OvraDialog::updatePersonalBest);
    // A routine just stored may be the new best.
    connect(this, &OvraDialog::clearAllResultWidgets, this, &OvraDialog::updatePersonalBest);
    updatePersonalBest();
}

void OvraDialog::showAthleteHistory()
{
    if (!m_historyWindow) {
        // The results of older measures are computed under the rules and
        // store settings configured now, as ovra-eval computes them.
        m_resultsBackfill = new ResultsBackfill(*m_settings, m_daten->storeSettings(), this);
        m_historyWindow = new AthleteHistoryWindow(
            *m_historyService, *m_resultsBackfill, [this] { return historyDatabase(*m_database); }, this);
        connect(m_historyWindow, &AthleteHistoryWindow::openMeasure, this,
                &OvraDialog::loadMeasureFromDatabase);
    }
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void OvraDialog::updatePersonalBest()
{
    // The athlete of the routine on screen, else the one up next.
    QMap<QString, QString> meta = m_daten->routines().routineMeta();
    StartSelection entry = m_daten->routineStartEntry();
    if (meta.isEmpty()) {
        meta = m_announcements->upcoming();
        entry = m_daten->startSelection();
    }
    const StartSelection named = data::model::startSelectionOf(meta);
    ovra::history::AthleteRef athlete{named.athlete1.lastName, named.athlete1.firstName, QString(), 0};
    // A start list's entry knows the FIG id and year the meta leaves out.
    const auto same = [](const QString &a, const QString &b) {
        return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
    };
    if (same(entry.athlete1.lastName, athlete.lastName) &&
        same(entry.athlete1.firstName, athlete.firstName)) {
        athlete.idFig = entry.athlete1.idFig;
        athlete.year = entry.athlete1.year;
    }
    QString name;
    std::optional<double> best;
    // A pair's routines have no time of flight of their own.
    if (named.athlete2.lastName.isEmpty() && named.athlete2.firstName.isEmpty() && !athlete.isEmpty())
        best = m_historyService->personalBestTimeOfFlight(athlete, &name);
    m_personalBestText = best ? tr("Personal best %1 s").arg(QLocale().toString(*best, 'f', 2)) : QString();
    m_networkServers->publishPersonalBest(name, best);
    if (auto *window =
            qobject_cast<SecondScreenResultWindow *>(m_resultsToggle ? m_resultsToggle->window() : nullptr))
        window->setPersonalBest(m_personalBestText);
}
