#pragma once

#include "rest/client/ScoringClientConfiguration.h"
#include "rest/client/ScoringClientFeedback.h"
#include "rest/client/ScoringOutbox.h"
#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <optional>

namespace ovra::rest::client {

class ScoringClient;

// The main window's scoring systems: one client per enabled configuration,
// the feedback of the commit in progress and its completion. A commit is
// complete once every system asked has accepted the result or was waived,
// and it completes exactly once: answers that arrive outside a commit (late,
// duplicate, after a waiver) change no feedback and complete nothing.
//
// Every committed result goes through the outbox: it is written there for
// each system before it is sent, and leaves only when that system accepted
// it. A system that did not (refused, timed out, waived, or the program
// ended first) gets it later, by itself: while results wait, the system's
// health is checked every few seconds, and once it answers its results are
// sent in commit order, one at a time, each under its commit's
// Idempotency-Key with its body unchanged.
class ScoringSystems : public QObject
{
    Q_OBJECT
public:
    static constexpr int kHealthCheckIntervalMs = 5000;

    explicit ScoringSystems(QObject *parent = nullptr);
    ~ScoringSystems() override;

    // A system that fails to take a committed result is then dropped from
    // the commit without asking the operator; the result waits for it.
    void setIgnoreClientErrors(bool ignore) { m_ignoreClientErrors = ignore; }
    bool ignoreClientErrors() const { return m_ignoreClientErrors; }

    // The folder of the outbox, read at once; without one it lives in memory.
    void openOutbox(const QString &directory);
    const ScoringOutbox &outbox() const { return m_outbox; }
    void setHealthCheckIntervalMs(int ms);

    // Replaces the clients: one per enabled configuration, with ids 0, 1, 2
    // in the order of the enabled configurations; checks their health and
    // sends them the state. A commit that is still waiting goes on with the
    // new clients of the systems it waits for.
    void initClients(const ScoringClientConfigurations &configurations, const ScoringState &state);
    const QList<ScoringClient *> &clients() const { return m_clients; }
    bool clientsExist() const { return m_clientsExist; }
    ScoringClient *client(int id) const;
    QString label(int id) const;

    // Puts the committed result into the outbox for every enabled system,
    // under the commit's key, and starts waiting for their answers; false
    // when no system is asked, and the commit is then complete at once.
    bool commitResult(const ScoringResult &result, const QString &key, const QString &athlete);
    // Sends what commitResult put into the outbox.
    void deliverCommit();
    // Both, under a new key.
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
    QString commitKey() const { return m_commitKey; }

    // The enabled system a waiting result goes to: the one of its label and
    // address, else of its label (the address was corrected), else of its
    // address (the system was renamed); nullptr when none is.
    ScoringClient *clientFor(const ScoringOutboxEntry &entry) const;
    int waitingCount(int id) const;
    // Sends that result now, ahead of the others waiting for its system;
    // false when no enabled system takes it or a result is on its way there.
    bool sendNow(const QString &entryId);
    // Drops a waiting result for good.
    void discard(const QString &entryId);

Q_SIGNALS:
    // "unknown", "success" or "failed" for the client at that position.
    void statusChanged(int position, const QString &status);
    void resultAccepted(int id);
    void resultFailed(int id);
    void commitComplete();
    // The results waiting changed (added, delivered, discarded).
    void waitingChanged();
    // The outbox could not be written (a full disk); the results are kept
    // in memory and still sent while the program runs.
    void outboxWriteFailed(const QString &error);

private:
    struct Delivery
    {
        QString entryId;
        // The commit in progress is told the outcome (its first send, or
        // the operator's retry), rather than only the log and the light.
        bool reportToCommit = false;
    };

    void deleteClients();
    bool awaits(int id) const;
    void checkCompletion();
    void deliverNext(ScoringClient *client, bool reportToCommit);
    void delivered(int id);
    void deliveryFailed(int id, const QString &error);
    void healthAnswered(int id);
    void checkWaitingSystems();
    void updateHealthTimer();

    QList<ScoringClient *> m_clients;
    bool m_clientsExist = false;
    bool m_ignoreClientErrors = false;
    QList<ScoringClientFeedback> m_feedback;
    bool m_commitPending = false;
    QString m_commitKey;
    ScoringOutbox m_outbox;
    // Per client id: the result on its way; one at a time keeps the order.
    QMap<int, Delivery> m_deliveries;
    // Clients whose health check is on its way.
    QSet<int> m_healthChecks;
    QTimer m_healthTimer;
};

} // namespace ovra::rest::client
