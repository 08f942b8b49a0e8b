#include "rest/client/ScoringSystems.h"

#include "rest/client/ScoringClient.h"
#include "util/RESTUtils.h"

#include <QDebug>

#include <utility>

namespace ovra::rest::client {

using ovra::util::RESTUtils;

ScoringSystems::ScoringSystems(QObject *parent)
    : QObject(parent)
{}

ScoringSystems::~ScoringSystems()
{
    deleteClients();
}

void ScoringSystems::deleteClients()
{
    for (ScoringClient *client : std::exchange(m_clients, {}))
        delete client;
    m_clientsExist = false;
}

void ScoringSystems::initClients(const ScoringClientConfigurations &configurations, const ScoringState &state)
{
    deleteClients();
    qInfo() << "Starting REST clients...";
    for (ScoringClientConfiguration configuration : configurations) {
        if (!configuration.enabled)
            continue;
        m_clientsExist = true;
        configuration.id = static_cast<int>(m_clients.size());
        qInfo().nospace().noquote() << "Starting REST client with ID " << configuration.id
                                    << " for scoring system " << configuration.label << " at "
                                    << configuration.url.toString();
        auto *client = new ScoringClient(configuration, this);
        const int id = configuration.id;
        connect(client, &ScoringClient::healthSignal, this,
                [this, id] { Q_EMIT statusChanged(id, QStringLiteral("success")); });
        connect(client, &ScoringClient::healthErrorSignal, this,
                [this, id] { Q_EMIT statusChanged(id, QStringLiteral("failed")); });
        connect(client, &ScoringClient::addRoutineResultsSignal, this, &ScoringSystems::resultAccepted);
        connect(client, &ScoringClient::addRoutineResultsErrorSignal, this, &ScoringSystems::resultFailed);
        client->checkHealth();
        m_clients.append(client);
    }
    RESTUtils::sendStateToScoringSystems(m_clients, state);

    // The systems a waiting commit was sent to are gone with their answers.
    if (m_commitPending && m_commitResult) {
        m_commitPending = false;
        if (!sendConfirmedResult(*m_commitResult))
            Q_EMIT commitComplete();
    }
}

ScoringClient *ScoringSystems::client(int id) const
{
    for (ScoringClient *client : m_clients) {
        if (client->id() == id)
            return client;
    }
    return nullptr;
}

QString ScoringSystems::label(int id) const
{
    const ScoringClient *c = client(id);
    return c ? c->label() : QString();
}

bool ScoringSystems::sendConfirmedResult(const ScoringResult &result)
{
    m_commitResult = result;
    if (!m_clientsExist) {
        m_feedback.clear();
        m_commitPending = false;
        return false;
    }
    m_commitPending = true;
    RESTUtils::sendResultsToScoringSystems(m_clients, m_feedback, result, true);
    if (m_feedback.isEmpty()) {
        m_commitPending = false;
        return false;
    }
    return true;
}

void ScoringSystems::sendIntermediateResult(const ScoringResult &result)
{
    for (ScoringClient *client : std::as_const(m_clients)) {
        if (client->enabled() && client->intermediate()) {
            qDebug() << "Sending intermediate results to scoring system";
            client->sendResult(result, false);
        }
    }
}

void ScoringSystems::sendState(const ScoringState &state)
{
    if (m_clientsExist)
        RESTUtils::sendStateToScoringSystems(m_clients, state);
}

bool ScoringSystems::awaits(int id) const
{
    for (const ScoringClientFeedback &entry : m_feedback) {
        if (entry.scoringSystemId == id && entry.awaited && !entry.answered)
            return true;
    }
    return false;
}

void ScoringSystems::accepted(int id)
{
    qInfo() << "Result successfully sent to scoring system:" << id;
    if (!m_commitPending)
        return;
    for (ScoringClientFeedback &entry : m_feedback) {
        if (entry.scoringSystemId == id)
            entry.answered = true;
    }
    checkCompletion();
}

bool ScoringSystems::failed(int id)
{
    qWarning() << "Failed to send result to scoring system:" << id;
    // Only a system the commit still waits for is asked about; a late
    // failure after a waiver or outside a commit changes nothing.
    if (!m_commitPending || !awaits(id))
        return false;
    for (ScoringClientFeedback &entry : m_feedback) {
        if (entry.scoringSystemId != id)
            continue;
        entry.answered = false;
        if (m_ignoreClientErrors)
            entry.awaited = false;
    }
    if (m_ignoreClientErrors) {
        checkCompletion();
        return false;
    }
    return true;
}

void ScoringSystems::resolve(int id, bool retry)
{
    if (!m_commitPending)
        return;
    ScoringClient *c = client(id);
    if (retry && c) {
        c->resendResult();
        return;
    }
    for (ScoringClientFeedback &entry : m_feedback) {
        if (entry.scoringSystemId == id)
            entry.awaited = false;
    }
    checkCompletion();
}

void ScoringSystems::checkCompletion()
{
    if (!m_commitPending)
        return;
    for (const ScoringClientFeedback &entry : std::as_const(m_feedback)) {
        if (entry.awaited && !entry.answered)
            return;
    }
    m_commitPending = false;
    Q_EMIT commitComplete();
}

} // namespace ovra::rest::client
