#pragma once

#include "rest/client/ScoringClientConfiguration.h"
#include "rest/client/ScoringClientFeedback.h"
#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace ovra::rest::client {

class ScoringClient;

// The main window's scoring systems: one client per enabled configuration,
// the feedback of the commit in progress and its completion. A commit is
// complete once every system asked has accepted the result or was waived,
// and it completes exactly once: answers that arrive outside a commit (late,
// duplicate, after a waiver) change no feedback and complete nothing.
class ScoringSystems : public QObject
{
    Q_OBJECT
public:
    explicit ScoringSystems(QObject *parent = nullptr);
    ~ScoringSystems() override;

    // A system that fails to take a committed result is then dropped from
    // the commit without asking the operator.
    void setIgnoreClientErrors(bool ignore) { m_ignoreClientErrors = ignore; }
    bool ignoreClientErrors() const { return m_ignoreClientErrors; }

    // Replaces the clients: one per enabled configuration, with ids 0, 1, 2
    // in the order of the enabled configurations; checks their health and
    // sends them the state. A commit that is still waiting is sent again to
    // the new systems.
    void initClients(const ScoringClientConfigurations &configurations, const ScoringState &state);
    const QList<ScoringClient *> &clients() const { return m_clients; }
    bool clientsExist() const { return m_clientsExist; }
    ScoringClient *client(int id) const;
    QString label(int id) const;

    // Sends the committed result to every enabled system and starts
    // waiting for their answers; false when no system is asked, and the
    // commit is then complete at once.
    bool sendConfirmedResult(const ScoringResult &result);
    // Preliminary results to the systems that want them; never awaited.
    void sendIntermediateResult(const ScoringResult &result);
    void sendState(const ScoringState &state);

    // Answers to the committed result. accepted() marks the system answered;
    // failed() marks it unanswered (and waived when errors are ignored) and
    // tells whether the operator is to choose between retry and waive,
    // which resolve() then carries out. Each ends with the completion check.
    void accepted(int id);
    bool failed(int id);
    void resolve(int id, bool retry);

    bool isCommitPending() const { return m_commitPending; }
    const QList<ScoringClientFeedback> &feedback() const { return m_feedback; }

Q_SIGNALS:
    // "unknown", "success" or "failed" for the client at that position.
    void statusChanged(int position, const QString &status);
    void resultAccepted(int id);
    void resultFailed(int id);
    void commitComplete();

private:
    void deleteClients();
    bool awaits(int id) const;
    void checkCompletion();

    QList<ScoringClient *> m_clients;
    bool m_clientsExist = false;
    bool m_ignoreClientErrors = false;
    QList<ScoringClientFeedback> m_feedback;
    bool m_commitPending = false;
    std::optional<ScoringResult> m_commitResult;
};

} // namespace ovra::rest::client
