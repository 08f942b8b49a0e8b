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
    void sendResult(const ScoringResult &result, bool reportFeedback);
    // Sends again the newest result that asked for feedback (the result
    // awaited by the operator), reporting its outcome; without one, the
    // newest result, silently.
    void resendResult();
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

private:
    void postResult(const ScoringResult &result, bool reportFeedback);
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
    // Tag of the newest request whose outcome is reported; 0 for none.
    int m_feedbackRequest = 0;
    int m_requestCounter = 0;
    std::optional<ScoringState> m_lastState;
    // The state on its way, and the newest one waiting for it to arrive.
    std::optional<ScoringState> m_stateInFlight;
    std::optional<ScoringState> m_pendingState;
    ScoringHealthApi *m_healthApi = nullptr;
    ScoringResultsApi *m_resultsApi = nullptr;
    ScoringStateApi *m_stateApi = nullptr;
};

} // namespace ovra::rest::client
