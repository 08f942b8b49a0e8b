// The network side of the main window: the scoring systems with the commit's
// feedback, the local HTTP and WebSocket servers, their status bar items and
// the network dialog. The work lives in ScoringSystems and NetworkServers;
// the slots here connect them to the window.

#include "OvraDialog.h"
#include "OvraDialogUi.h"
#include "config/NetworkDialog.h"
#include "data/Routines.h"
#include "data/wsDaten.h"
#include "rest/client/ScoringClient.h"
#include "rest/client/ScoringOutbox.h"
#include "rest/client/ScoringSystems.h"
#include "rest/server/NetworkServers.h"
#include "rest/server/RestServerSettings.h"
#include "rest/server/RestServerThread.h"
#include "settings/OvraSettings.h"
#include "settings/WebSocketServerSettings.h"
#include "state/OvraState.h"
#include "state/RoutineAnnouncements.h"
#include "util/RESTUtils.h"
#include "util/Warnings.h"
#include "websocket/WebSocketServer.h"
#include "widgets/Popup.h"
#include "widgets/StatusLight.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMessageBox>

#include <tuple>
#include <utility>

using ovra::rest::client::ScoringResult;
using ovra::rest::client::ScoringState;
using ovra::rest::client::ScoringSystems;
using ovra::rest::server::NetworkServers;
using ovra::util::RESTUtils;

namespace {

ScoringState currentState(OvraState &state)
{
    ScoringState scoringState;
    scoringState.setState(RESTUtils::createScoringStateType(state.machine()));
    return scoringState;
}

} // namespace

void OvraDialog::createNetwork()
{
    m_scoringSystems = std::make_unique<ScoringSystems>();
    ScoringSystems *scoring = m_scoringSystems.get();
    connect(scoring, &ScoringSystems::statusChanged, this, &OvraDialog::showScoringStatus);
    connect(scoring, &ScoringSystems::resultAccepted, this, &OvraDialog::scoreSentSuccess);
    connect(scoring, &ScoringSystems::resultFailed, this, &OvraDialog::scoreSentError);
    connect(scoring, &ScoringSystems::commitComplete, this, &OvraDialog::commitAnswered);
    connect(scoring, &ScoringSystems::waitingChanged, this, &OvraDialog::showWaitingResults);
    connect(scoring, &ScoringSystems::outboxWriteFailed, this, &OvraDialog::showOutboxWriteFailure);
    // Results that no scoring system took before the program ended.
    scoring->openOutbox(OvraSettings::outboxDirectory());
    if (!m_retryAsker) {
        m_retryAsker = [this](const QString &label) {
            QMessageBox box(QMessageBox::Warning, tr("Network error"),
                            tr("Failed to send result to \"%1\"").arg(label),
                            QMessageBox::Retry | QMessageBox::Cancel, this);
            box.setObjectName(QStringLiteral("networkErrorBox"));
            box.setInformativeText(
                m_commitSaveNote + QLatin1Char(' ') +
                tr("Retry sends the result again now. Cancel means send later: the result waits in the "
                   "outbox and goes to \"%1\" by itself as soon as it answers again.")
                    .arg(label));
            box.setDefaultButton(QMessageBox::Retry);
            return box.exec() == QMessageBox::Retry;
        };
    }

    m_networkServers = std::make_unique<NetworkServers>(m_settings->restServerSettings(),
                                                        m_settings->webSocketServerSettings());
    NetworkServers *servers = m_networkServers.get();
    OvraDialogUi &ui = *m_ui;
    connect(servers, &NetworkServers::restServerStatusChanged, ui.statusHttpServerLight,
            &StatusLight::setStatus);
    connect(servers, &NetworkServers::restServerFailedToBind, this, [this] {
        m_notificationPopup->setPopupText(
            Popup::Red,
            tr("Unable to start the Ovra server. This can, for example, happen when the configured port "
               "is already taken by another application. Consider using a different port or disabling "
               "the server functionality in the network configuration dialog."));
        m_notificationPopup->show();
    });
    connect(servers, &NetworkServers::settingsRefused, this, [this](const QString &message) {
        m_notificationPopup->setPopupText(Popup::Red, message);
        m_notificationPopup->show();
    });
    connect(servers, &NetworkServers::resultRequestedBeforeCommit, this,
            &OvraDialog::showResultNotCommittedHint);
    // The hint is for the routine on screen: once for each.
    connect(this, &OvraDialog::clearAllResultWidgets, this, [this] { m_resultHintShown = false; });
    connect(servers, &NetworkServers::webSocketServerStatusChanged, ui.statusWebSocketServerLight,
            &StatusLight::setStatus);
    connect(servers, &NetworkServers::webSocketClientMissingChanged, m_warnings,
            &ovra::util::Warnings::setWebSocketClientConnectedWarning);
    connect(servers, &NetworkServers::webSocketServerFailedToBind, this, [this] {
        m_notificationPopup->setPopupText(Popup::Red,
                                          tr("Unable to start the WebSocket server. This can, for example, "
                                             "happen when the configured port is "
                                             "already taken by another application. Consider using a "
                                             "different port or disabling the server "
                                             "functionality in the network configuration dialog."));
        m_notificationPopup->show();
    });
    connect(servers, &NetworkServers::webSocketClientCountChanged, this,
            &OvraDialog::showWebSocketClientCount);
    // Remote control: the same step as the next-step key; NetworkServers
    // passes commands on only when it is enabled.
    connect(servers, &NetworkServers::receivedCommand, this, &OvraDialog::nextStep);
    // Routine meta information pushed by scoring software takes the place of
    // the start-list choice, for this routine or the next.
    connect(servers, &NetworkServers::receivedRoutineMeta, this, &OvraDialog::receiveRoutineMeta);
    connect(this, &OvraDialog::clearAllResultWidgets, servers, &NetworkServers::clearResult);
    // The scoreboard page names the athlete up next and the one on the bed.
    connect(m_announcements, &RoutineAnnouncements::upcomingChanged, servers, &NetworkServers::publishUpNext);
    connect(&m_daten->routines(), &data::model::Routines::updateRoutineMetaInformation, servers,
            &NetworkServers::publishRoutineMeta);
    servers->publishUpNext(m_announcements->upcoming());
    servers->publishRoutineMeta(m_daten->routines().routineMeta());
    connect(ui.actionNetwork, &QAction::triggered, this, &OvraDialog::showNetworkDialog);

    // Live results only; a replayed or edited routine is not news.
    connect(m_daten, &wsDaten::updateResultIndividualRoutine, this,
            [this](const data::model::IndividualRoutineResult &, DataUpdateReason reason) {
                if (reason == DataUpdateReason::Measurement)
                    sendIntermediateResults();
            });
    connect(m_daten, &wsDaten::updateResultSynchronizedRoutine, this,
            [this](const data::model::SynchronizedRoutineResult &, DataUpdateReason reason) {
                if (reason == DataUpdateReason::Measurement)
                    sendIntermediateResults();
            });
}

void OvraDialog::startRestServer()
{
    m_networkServers->setAllowedRemoteHosts(m_settings->allowedRemoteHosts());
    m_networkServers->startRestServer();
}

void OvraDialog::stopRestServer()
{
    m_networkServers->stopRestServer();
}

void OvraDialog::updateRestServer()
{
    m_networkServers->updateRestServer();
}

void OvraDialog::startWebSocketServer()
{
    m_networkServers->setAllowedRemoteHosts(m_settings->allowedRemoteHosts());
    m_networkServers->startWebSocketServer(currentState(*m_ovraState));
}

void OvraDialog::stopWebSocketServer()
{
    m_networkServers->stopWebSocketServer();
}

void OvraDialog::updateWebSocketServer()
{
    m_networkServers->updateWebSocketServer(currentState(*m_ovraState));
}

void OvraDialog::initRestClients()
{
    m_scoringSystems->initClients(m_settings->scoringClientConfigurations(), currentState(*m_ovraState));
    const QString names[] = {tr("Scoring System 1: "), tr("Scoring System 2: "), tr("Scoring System 3: ")};
    const QList<ovra::rest::client::ScoringClient *> &clients = m_scoringSystems->clients();
    for (int i = 0; i < 3; ++i) {
        const ovra::rest::client::ScoringClient *client = clients.value(i);
        const bool shown = client && client->enabled();
        m_ui->statusScoringSystem[i]->setText(shown ? names[i] + client->label() : QString());
        // The status bar squeezes its items in a narrow window.
        m_ui->statusScoringSystem[i]->setToolTip(
            shown ? names[i] + client->label() + QLatin1Char('\n') + client->url().toString() : QString());
        m_ui->statusScoringSystem[i]->setVisible(shown);
        m_ui->statusScoringSystemLight[i]->setVisible(shown);
        if (shown)
            m_ui->statusScoringSystemLight[i]->setStatus(QStringLiteral("unknown"));
    }
    showWaitingResults();
}

void OvraDialog::showWaitingResults()
{
    const QList<ovra::rest::client::ScoringClient *> &clients = m_scoringSystems->clients();
    for (int i = 0; i < 3; ++i) {
        const ovra::rest::client::ScoringClient *client = clients.value(i);
        const int waiting = client && client->enabled() ? m_scoringSystems->waitingCount(client->id()) : 0;
        QLabel *label = m_ui->statusScoringSystemWaiting[i];
        label->setText(tr("%1 waiting").arg(waiting));
        label->setToolTip(waiting > 0
                              ? tr("Committed results that this scoring system has not taken yet. They "
                                   "are sent by themselves as soon as it answers again; the network "
                                   "dialog lists them.")
                              : QString());
        label->setVisible(waiting > 0);
    }
}

void OvraDialog::showOutboxWriteFailure(const QString &error)
{
    m_notificationPopup->addPopupText(
        Popup::Red, tr("The results for the scoring systems could not be written to %1 (%2). They are sent "
                       "while Ovra runs, but would be lost if it ended before.")
                        .arg(QDir::toNativeSeparators(m_scoringSystems->outbox().directory()), error));
    m_notificationPopup->show();
}

void OvraDialog::showScoringStatus(int position, const QString &status)
{
    if (position >= 0 && position < 3)
        m_ui->statusScoringSystemLight[position]->setStatus(status);
}

void OvraDialog::showWebSocketClientCount(int count)
{
    m_ui->statusWebSocketServer->setText(tr("WebSocket Server") + QStringLiteral(" (%1)").arg(count));
}

void OvraDialog::showResultNotCommittedHint()
{
    const OvraState &s = *m_ovraState;
    if (!(s.isIn(OvraState::REVIEW) || s.isIn(OvraState::LOAD) || s.isIn(OvraState::DISPLAY)))
        return;
    // Software that polls every second would otherwise cover the review's
    // read-outs with this hint for as long as the review lasts.
    if (std::exchange(m_resultHintShown, true))
        return;
    m_notificationPopup->setPopupText(
        Popup::Yellow, tr("Software on the network asked for this result. It gets the result once you "
                          "commit the routine."));
    m_notificationPopup->show();
}

void OvraDialog::publishState()
{
    const ScoringState state = currentState(*m_ovraState);
    m_scoringSystems->sendState(state);
    m_networkServers->publishState(state);
}

bool OvraDialog::queueCommittedResult(const QString &key)
{
    const ScoringResult result = RESTUtils::createConfirmedResult(*m_daten, m_settings->rulesSettings());
    return m_scoringSystems->commitResult(
        result, key, ovra::rest::client::ScoringOutbox::athleteOf(m_daten->routines().routineMeta()));
}

bool OvraDialog::sendCommittedResult(bool awaiting)
{
    m_networkServers->publishConfirmedResult(
        RESTUtils::createConfirmedResult(*m_daten, m_settings->rulesSettings()));
    if (awaiting)
        m_scoringSystems->deliverCommit();
    return awaiting;
}

void OvraDialog::sendIntermediateResults()
{
    const ScoringResult result = RESTUtils::createPreliminaryResult(*m_daten, m_settings->rulesSettings());
    m_scoringSystems->sendIntermediateResult(result);
    m_networkServers->publishPreliminaryResult(result);
}

void OvraDialog::scoreSentSuccess(int scoringSystemId)
{
    showScoringStatus(scoringSystemId, QStringLiteral("success"));
    m_scoringSystems->accepted(scoringSystemId);
}

void OvraDialog::scoreSentError(int scoringSystemId)
{
    showScoringStatus(scoringSystemId, QStringLiteral("failed"));
    if (!m_scoringSystems->failed(scoringSystemId))
        return;
    // The system may take the result while the operator reads the box (it
    // answered its health check again); the box has nothing left to ask.
    const QMetaObject::Connection taken = connect(
        m_scoringSystems.get(), &ScoringSystems::resultAccepted, this, [this, scoringSystemId](int id) {
            if (id != scoringSystemId)
                return;
            if (auto *box = findChild<QMessageBox *>(QStringLiteral("networkErrorBox")))
                box->done(QMessageBox::Cancel);
        });
    const bool retry = m_retryAsker(m_scoringSystems->label(scoringSystemId));
    disconnect(taken);
    m_scoringSystems->resolve(scoringSystemId, retry);
}

void OvraDialog::commitAnswered()
{
    // Only a commit in progress moves on; the machine may have left it
    // (the box was unplugged) while the answers were on their way.
    if (m_ovraState->isIn(OvraState::CONNECTED_COMMIT) || m_ovraState->isIn(OvraState::DISCONNECTED_COMMIT))
        Q_EMIT nextInnerState();
}

void OvraDialog::showNetworkDialog()
{
    OvraSettings &settings = *m_settings;
    ovra::rest::server::RestServerSettings &rest = settings.restServerSettings();
    WebSocketServerSettings &webSocket = settings.webSocketServerSettings();
    const auto restBefore = std::make_tuple(rest.enabled(), rest.portNumber(), rest.hostName());
    const auto webSocketBefore = std::make_pair(webSocket.enabled(), webSocket.portNumber());
    ovra::rest::client::ScoringClientConfigurations configurations = settings.scoringClientConfigurations();
    bool showAdvanced = settings.showAdvancedNetworkSettings();
    NetworkDialog dialog(rest, webSocket, configurations, showAdvanced, this);
    dialog.setScoringSystems(m_scoringSystems.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.setScoringClientConfigurations(configurations);
    settings.setShowAdvancedNetworkSettings(showAdvanced);
    settings.writeSettings(width(), height(), m_font);
    // A server restarts when its settings changed, or when it should run
    // and does not (its port was taken): its clients are not cut off for
    // nothing. The scoring clients are always renewed, which checks their
    // health again.
    const bool restRunning = m_networkServers->restServer() && m_networkServers->restServer()->isListening();
    if (restBefore != std::make_tuple(rest.enabled(), rest.portNumber(), rest.hostName()) ||
        rest.enabled() != restRunning)
        updateRestServer();
    const bool webSocketRunning =
        m_networkServers->webSocketServer() && m_networkServers->webSocketServer()->isListening();
    if (webSocketBefore != std::make_pair(webSocket.enabled(), webSocket.portNumber()) ||
        webSocket.enabled() != webSocketRunning)
        updateWebSocketServer();
    initRestClients();
}
