#include "rest/client/ScoringClient.h"

#include "rest/client/ScoringHealthApi.h"
#include "rest/client/ScoringHttpRequestWorker.h"
#include "rest/client/ScoringResultsApi.h"
#include "rest/client/ScoringStateApi.h"

#include <QDebug>
#include <QUuid>

#include <utility>

namespace ovra::rest::client {

ScoringClient::ScoringClient(const ScoringClientConfiguration &configuration, QObject *parent)
    : QObject(parent)
    , m_id(configuration.id)
    , m_enabled(configuration.enabled)
    , m_intermediate(configuration.intermediate)
    , m_state(configuration.state)
    , m_label(configuration.label)
    , m_url(configuration.url)
    , m_healthApi(new ScoringHealthApi(configuration.timeout, this))
    , m_resultsApi(new ScoringResultsApi(configuration.timeout, this))
    , m_stateApi(new ScoringStateApi(configuration.timeout, this))
{
    for (ScoringApi *api : {static_cast<ScoringApi *>(m_healthApi), static_cast<ScoringApi *>(m_resultsApi),
                            static_cast<ScoringApi *>(m_stateApi)})
        api->setNewServerForAllOperations(configuration.url, QString());

    connect(m_healthApi, &ScoringHealthApi::healthSignal, this, [this] { Q_EMIT healthSignal(m_id); });
    connect(m_healthApi, &ScoringHealthApi::healthSignalE, this,
            [this](QNetworkReply::NetworkError, const QString &error) {
                m_lastHealthError = error;
                Q_EMIT healthErrorSignal(m_id);
            });
    connect(m_resultsApi, &ScoringResultsApi::addRoutineResultSignalFull, this,
            [this](ScoringHttpRequestWorker *worker) { resultAnswered(worker, true); });
    connect(m_resultsApi, &ScoringResultsApi::addRoutineResultSignalEFull, this,
            [this](ScoringHttpRequestWorker *worker) { resultAnswered(worker, false); });
    connect(m_stateApi, &ScoringStateApi::sendStateSignal, this, &ScoringClient::stateAnswered);
    connect(m_stateApi, &ScoringStateApi::sendStateSignalE, this,
            [this](QNetworkReply::NetworkError, const QString &error) {
                qDebug() << "Unable to send state to scoring system:" << error;
                stateAnswered();
            });
}

ScoringClient::~ScoringClient()
{
    qDebug() << "ScoringClient destructor called";
    // Pending requests are dropped with the API objects and report nothing.
    for (QObject *api : {static_cast<QObject *>(m_healthApi), static_cast<QObject *>(m_resultsApi),
                         static_cast<QObject *>(m_stateApi)})
        api->disconnect();
    disconnect();
    delete m_healthApi;
    delete m_resultsApi;
    delete m_stateApi;
}

void ScoringClient::checkHealth()
{
    m_healthApi->health();
}

void ScoringClient::sendResult(const ScoringResult &result, bool reportFeedback)
{
    m_lastResult = result;
    m_hasLastResult = true;
    m_reportFeedback = reportFeedback;
    const bool confirmed = result.maturity().value() == ScoringResultMaturity::Confirmed;
    m_lastKey = confirmed ? QUuid::createUuid().toString(QUuid::WithoutBraces) : QString();
    if (reportFeedback) {
        m_feedbackResult = result;
        m_feedbackKey = m_lastKey;
    }
    postResult(result, reportFeedback, m_lastKey);
}

void ScoringClient::resendResult()
{
    if (m_feedbackResult)
        postResult(*m_feedbackResult, true, m_feedbackKey);
    else if (m_hasLastResult)
        postResult(m_lastResult, false, m_lastKey);
}

void ScoringClient::postResult(const ScoringResult &result, bool reportFeedback, const QString &key)
{
    ScoringHttpRequestWorker *worker = m_resultsApi->addRoutineResult(result, key);
    const int tag = ++m_requestCounter;
    worker->setTag(tag);
    if (reportFeedback)
        m_feedbackRequest = tag;
}

void ScoringClient::deliver(const QByteArray &body, const QString &idempotencyKey)
{
    ScoringHttpRequestWorker *worker = m_resultsApi->addRoutineResult(body, idempotencyKey);
    worker->setTag(kDeliveryTag);
}

void ScoringClient::resultAnswered(ScoringHttpRequestWorker *worker, bool success)
{
    if (worker->tag() == kDeliveryTag) {
        if (success)
            Q_EMIT delivered(m_id);
        else
            Q_EMIT deliveryFailed(m_id, worker->errorText());
        return;
    }
    if (worker->tag() != m_feedbackRequest || m_feedbackRequest == 0)
        return;
    if (success)
        Q_EMIT addRoutineResultsSignal(m_id);
    else
        Q_EMIT addRoutineResultsErrorSignal(m_id);
}

void ScoringClient::sendState(const ScoringState &state)
{
    if (m_lastState && m_lastState->state().value() == state.state().value())
        return;
    m_lastState = state;
    if (!m_stateInFlight) {
        postState(state);
        return;
    }
    // Back to the state on its way: nothing needs to follow it.
    if (m_stateInFlight->state().value() == state.state().value())
        m_pendingState.reset();
    else
        m_pendingState = state;
}

void ScoringClient::postState(const ScoringState &state)
{
    m_stateInFlight = state;
    m_stateApi->sendState(state);
}

void ScoringClient::stateAnswered()
{
    m_stateInFlight.reset();
    if (std::optional<ScoringState> next = std::exchange(m_pendingState, std::nullopt))
        postState(*next);
}

} // namespace ovra::rest::client
