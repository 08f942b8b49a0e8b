#pragma once

#include "rest/client/ScoringClientConfiguration.h"
#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace ovra::rest::client {

class ScoringHealthApi;
class ScoringHttpRequestWorker;
class ScoringResultsApi;
class ScoringStateApi;

// One external scoring system: health checks, results and state messages to
// its base URL. Every signal carries the client's id.
//
// Whether a result send reports its outcome belongs to that one request: a
// preliminary result sent while a confirmed one is pending neither silences
// the confirmation nor becomes what a retry sends.
class ScoringClient : public QObject
{
    Q_OBJECT
public:
    explicit ScoringClient(const ScoringClientConfiguration &configuration, QObject *parent = nullptr);
    ~ScoringClient() override;

    int id() const { return m_id; }
    bool enabled() const { return m_enabled; }
    bool intermediate() const { return m_intermediate; }
    bool state() const { return m_state; }
    QString label() const { return m_label; }
    QUrl url() const { return m_url; }
    // The flag of the most recent result send.
    bool reportFeedback() const { return m_reportFeedback; }
    // The result of the most recent send.
    const ScoringResult &lastResult() const { return m_lastResult; }

    void checkHealth();
    // Why the last health check failed, as the network reported it.
    QString lastHealthError() const { return m_lastHealthError; }
    // Sends the result; its outcome is signalled only when reportFeedback is
    // set, and only for the newest such send (an older one is superseded).
    // A confirmed result goes with an Idempotency-Key of its own.
    void sendResult(const ScoringResult &result, bool reportFeedback);
    // Sends again the newest result that asked for feedback (the result
    // awaited by the operator), under the same key, reporting its outcome;
    // without one, the newest result, silently.
    void resendResult();
    // A committed result from the outbox: the body exactly as it was
    // committed, under the commit's key. Its outcome comes back through
    // delivered or deliveryFailed; the caller sends one at a time.
    void deliver(const QByteArray &body, const QString &idempotencyKey);
    // Sends the state unless it equals the last state sent. States leave
    // one at a time, so that they arrive in the order they were entered;
    // only the newest matters, so a state that has not left yet is replaced
    // by a newer one. Every request has a deadline (see
    // ScoringHttpRequestWorker), so a system that never answers holds the
    // next state back only that long.
    void sendState(const ScoringState &state);

Q_SIGNALS:
    void healthSignal(int id);
    void healthErrorSignal(int id);
    void addRoutineResultsSignal(int id);
    void addRoutineResultsErrorSignal(int id);
    void delivered(int id);
    // The error text and the system's answer.
    void deliveryFailed(int id, const QString &error);

private:
    void postResult(const ScoringResult &result, bool reportFeedback, const QString &key);
    void resultAnswered(ScoringHttpRequestWorker *worker, bool success);
    void postState(const ScoringState &state);
    void stateAnswered();

    int m_id = 0;
    bool m_enabled = false;
    bool m_intermediate = false;
    bool m_state = false;
    QString m_label;
    QUrl m_url;
    QString m_lastHealthError;
    bool m_reportFeedback = true;
    ScoringResult m_lastResult;
    bool m_hasLastResult = false;
    std::optional<ScoringResult> m_feedbackResult;
    QString m_feedbackKey;
    QString m_lastKey;
    // Tag of the newest request whose outcome is reported; 0 for none.
    int m_feedbackRequest = 0;
    int m_requestCounter = 0;
    // The tag of outbox deliveries; result sends count up from 1.
    static constexpr int kDeliveryTag = -1;
    std::optional<ScoringState> m_lastState;
    // The state on its way, and the newest one waiting for it to arrive.
    std::optional<ScoringState> m_stateInFlight;
    std::optional<ScoringState> m_pendingState;
    ScoringHealthApi *m_healthApi = nullptr;
    ScoringResultsApi *m_resultsApi = nullptr;
    ScoringStateApi *m_stateApi = nullptr;
};

} // namespace ovra::rest::client
