#include "rest/client/ScoringSystems.h"

#include "rest/client/ScoringClient.h"
#include "util/LogHandler.h"
#include "util/RESTUtils.h"

#include <QDebug>
#include <QUuid>

#include <utility>

namespace ovra::rest::client {

using ovra::util::lcDelivery;
using ovra::util::RESTUtils;

namespace {

QString withoutTrailingSlash(QString url)
{
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

ScoringSystems::ScoringSystems(QObject *parent)
    : QObject(parent)
{
    m_healthTimer.setInterval(kHealthCheckIntervalMs);
    connect(&m_healthTimer, &QTimer::timeout, this, &ScoringSystems::checkWaitingSystems);
    connect(&m_outbox, &ScoringOutbox::changed, this, [this] {
        updateHealthTimer();
        Q_EMIT waitingChanged();
    });
}

ScoringSystems::~ScoringSystems()
{
    deleteClients();
}

void ScoringSystems::openOutbox(const QString &directory)
{
    m_outbox.open(directory);
    for (ScoringClient *c : std::as_const(m_clients))
        deliverNext(c, false);
}

void ScoringSystems::setHealthCheckIntervalMs(int ms)
{
    m_healthTimer.setInterval(ms);
}

void ScoringSystems::deleteClients()
{
    m_deliveries.clear();
    m_healthChecks.clear();
    for (ScoringClient *client : std::exchange(m_clients, {}))
        delete client;
    m_clientsExist = false;
}

void ScoringSystems::initClients(const ScoringClientConfigurations &configurations, const ScoringState &state)
{
    // The results a waiting commit still waits for, to wait for them with
    // the new clients.
    QStringList stillAwaited;
    if (m_commitPending) {
        for (const ScoringOutboxEntry &entry : m_outbox.entries()) {
            const ScoringClient *c = entry.key == m_commitKey ? clientFor(entry) : nullptr;
            if (c && awaits(c->id()))
                stillAwaited << entry.id;
        }
    }
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
        connect(client, &ScoringClient::healthSignal, this, &ScoringSystems::healthAnswered);
        connect(client, &ScoringClient::healthErrorSignal, this, [this, id] {
            m_healthChecks.remove(id);
            Q_EMIT statusChanged(id, QStringLiteral("failed"));
        });
        connect(client, &ScoringClient::delivered, this, &ScoringSystems::delivered);
        connect(client, &ScoringClient::deliveryFailed, this, &ScoringSystems::deliveryFailed);
        m_clients.append(client);
        m_healthChecks.insert(id);
        client->checkHealth();
    }
    RESTUtils::sendStateToScoringSystems(m_clients, state);

    if (m_commitPending) {
        m_feedback.clear();
        for (const QString &entryId : std::as_const(stillAwaited)) {
            const std::optional<ScoringOutboxEntry> entry = m_outbox.entry(entryId);
            const ScoringClient *c = entry ? clientFor(*entry) : nullptr;
            if (c)
                m_feedback.append({c->id(), true, false});
        }
        if (m_feedback.isEmpty()) {
            m_commitPending = false;
            Q_EMIT commitComplete();
        } else {
            deliverCommit();
        }
    }
    updateHealthTimer();
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

ScoringClient *ScoringSystems::clientFor(const ScoringOutboxEntry &entry) const
{
    const QString url = withoutTrailingSlash(entry.systemUrl);
    const auto sameUrl = [&url](const ScoringClient *c) {
        return withoutTrailingSlash(c->url().toString()) == url;
    };
    for (ScoringClient *c : m_clients) {
        if (c->enabled() && c->label() == entry.systemLabel && sameUrl(c))
            return c;
    }
    for (ScoringClient *c : m_clients) {
        if (c->enabled() && c->label() == entry.systemLabel)
            return c;
    }
    for (ScoringClient *c : m_clients) {
        if (c->enabled() && sameUrl(c))
            return c;
    }
    return nullptr;
}

int ScoringSystems::waitingCount(int id) const
{
    const ScoringClient *c = client(id);
    int n = 0;
    for (const ScoringOutboxEntry &entry : m_outbox.entries()) {
        if (c && clientFor(entry) == c)
            ++n;
    }
    return n;
}

bool ScoringSystems::commitResult(const ScoringResult &result, const QString &key, const QString &athlete)
{
    m_commitKey = key;
    m_feedback.clear();
    m_commitPending = false;
    if (!m_clientsExist)
        return false;
    const QByteArray body = result.toJson();
    const QDateTime now = QDateTime::currentDateTime();
    QList<ScoringOutboxEntry> entries;
    for (const ScoringClient *c : std::as_const(m_clients)) {
        if (!c->enabled())
            continue;
        ScoringOutboxEntry entry;
        entry.key = key;
        entry.systemLabel = c->label();
        entry.systemUrl = c->url().toString();
        entry.athlete = athlete;
        entry.committedAt = now;
        entry.body = body;
        entries.append(entry);
        m_feedback.append({c->id(), true, false});
    }
    if (entries.isEmpty())
        return false;
    QString error;
    if (!m_outbox.add(entries, &error))
        Q_EMIT outboxWriteFailed(error);
    m_commitPending = true;
    return true;
}

void ScoringSystems::deliverCommit()
{
    if (!m_commitPending)
        return;
    qInfo() << "Sending results to scoring systems.";
    for (const ScoringClientFeedback &entry : std::as_const(m_feedback)) {
        if (ScoringClient *c = client(entry.scoringSystemId))
            deliverNext(c, true);
    }
    qInfo() << "Sent results to" << m_feedback.size() << "scoring systems.";
}

bool ScoringSystems::sendConfirmedResult(const ScoringResult &result)
{
    if (!commitResult(result, QUuid::createUuid().toString(QUuid::WithoutBraces), QString()))
        return false;
    deliverCommit();
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

void ScoringSystems::deliverNext(ScoringClient *client, bool reportToCommit)
{
    if (!client)
        return;
    const int id = client->id();
    if (auto it = m_deliveries.find(id); it != m_deliveries.end()) {
        // The result on its way now tells the commit how it went.
        it->reportToCommit = it->reportToCommit || reportToCommit;
        return;
    }
    for (const ScoringOutboxEntry &entry : m_outbox.entries()) {
        if (clientFor(entry) != client)
            continue;
        m_deliveries.insert(id, {entry.id, reportToCommit});
        client->deliver(entry.body, entry.key);
        return;
    }
}

void ScoringSystems::delivered(int id)
{
    const Delivery delivery = m_deliveries.take(id);
    const std::optional<ScoringOutboxEntry> entry = m_outbox.entry(delivery.entryId);
    if (entry) {
        m_outbox.remove(entry->id);
        if (entry->key == m_commitKey && m_commitPending && awaits(id)) {
            Q_EMIT resultAccepted(id);
        } else {
            qCInfo(lcDelivery).noquote()
                << QStringLiteral("A waiting result (%1, committed %2) was delivered to "
                                  "scoring system %3")
                       .arg(entry->athlete, entry->committedAt.toString(Qt::ISODate), label(id));
            Q_EMIT statusChanged(id, QStringLiteral("success"));
        }
    }
    deliverNext(client(id), delivery.reportToCommit);
}

void ScoringSystems::deliveryFailed(int id, const QString &error)
{
    const Delivery delivery = m_deliveries.take(id);
    const std::optional<ScoringOutboxEntry> entry = m_outbox.entry(delivery.entryId);
    qCWarning(lcDelivery).noquote() << "Failed to send result to scoring system:" << id << label(id)
                                    << QStringLiteral("(%1, committed %2):")
                                           .arg(entry ? entry->athlete : QString(),
                                                entry ? entry->committedAt.toString(Qt::ISODate) : QString())
                                    << error;
    Q_EMIT statusChanged(id, QStringLiteral("failed"));
    if (delivery.reportToCommit && m_commitPending && awaits(id))
        Q_EMIT resultFailed(id);
    updateHealthTimer();
}

void ScoringSystems::healthAnswered(int id)
{
    m_healthChecks.remove(id);
    Q_EMIT statusChanged(id, QStringLiteral("success"));
    // The system answers again: what waits for it goes now.
    deliverNext(client(id), false);
}

void ScoringSystems::checkWaitingSystems()
{
    for (ScoringClient *c : std::as_const(m_clients)) {
        const int id = c->id();
        if (m_deliveries.contains(id) || m_healthChecks.contains(id) || waitingCount(id) == 0)
            continue;
        m_healthChecks.insert(id);
        c->checkHealth();
    }
}

void ScoringSystems::updateHealthTimer()
{
    bool waiting = false;
    for (const ScoringOutboxEntry &entry : m_outbox.entries()) {
        if (clientFor(entry)) {
            waiting = true;
            break;
        }
    }
    if (!waiting)
        m_healthTimer.stop();
    else if (!m_healthTimer.isActive())
        m_healthTimer.start();
}

bool ScoringSystems::sendNow(const QString &entryId)
{
    const std::optional<ScoringOutboxEntry> entry = m_outbox.entry(entryId);
    ScoringClient *c = entry ? clientFor(*entry) : nullptr;
    if (!c || m_deliveries.contains(c->id()))
        return false;
    qCInfo(lcDelivery).noquote() << QStringLiteral(
                                        "Sending the waiting result of %1 to scoring system %2 now")
                                        .arg(entry->athlete, c->label());
    const bool commitEntry = entry->key == m_commitKey && m_commitPending && awaits(c->id());
    m_deliveries.insert(c->id(), {entry->id, commitEntry});
    c->deliver(entry->body, entry->key);
    return true;
}

void ScoringSystems::discard(const QString &entryId)
{
    const std::optional<ScoringOutboxEntry> entry = m_outbox.entry(entryId);
    if (!entry)
        return;
    qCWarning(lcDelivery).noquote() << QStringLiteral("The waiting result of %1 (committed %2) for scoring "
                                                      "system %3 was discarded; it will not be sent")
                                           .arg(entry->athlete, entry->committedAt.toString(Qt::ISODate),
                                                entry->systemLabel);
    const ScoringClient *c = clientFor(*entry);
    m_outbox.remove(entryId);
    // Discarding the result a commit waits for waives that system.
    if (c && entry->key == m_commitKey && m_commitPending && awaits(c->id()))
        resolve(c->id(), false);
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
        // Taken meanwhile (the system came back while the operator chose):
        // nothing to send again.
        if (awaits(id))
            deliverNext(c, true);
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
