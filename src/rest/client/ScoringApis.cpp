#include "rest/client/ScoringApi.h"
#include "rest/client/ScoringHealthApi.h"
#include "rest/client/ScoringHttpRequestWorker.h"
#include "rest/client/ScoringResultsApi.h"
#include "rest/client/ScoringStateApi.h"

#include <QDebug>
#include <QNetworkAccessManager>

#include <utility>

namespace ovra::rest::client {

QString ScoringServerConfiguration::resolvedUrl() const
{
    QString text = url.toString();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it) {
        const ScoringServerVariable &variable = it.value();
        if (!variable.allowedValues.isEmpty() && !variable.allowedValues.contains(variable.value))
            qDebug() << "The variable" << it.key() << "in the server URL has invalid value" << variable.value;
        text.replace(QLatin1Char('{') + it.key() + QLatin1Char('}'), variable.value);
        text.replace(QStringLiteral("%7B") + it.key() + QStringLiteral("%7D"), variable.value,
                     Qt::CaseInsensitive);
    }
    return text;
}

ScoringApi::ScoringApi(const QStringList &operations, int timeOutMs, QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_timeOutMs(timeOutMs)
{
    for (const QString &operation : operations)
        m_servers.insert(operation,
                         {{QUrl(QStringLiteral("http://localhost")), defaultServerDescription(), {}}});
}

ScoringApi::~ScoringApi()
{
    // The workers go first, while this object is still whole; none reports.
    const QSet<QObject *> workers = std::exchange(m_workers, {});
    for (QObject *worker : workers) {
        worker->disconnect(this);
        delete worker;
    }
}

void ScoringApi::setNewServerForAllOperations(const QUrl &url, const QString &description,
                                              const QMap<QString, ScoringServerVariable> &variables)
{
    for (auto it = m_servers.begin(); it != m_servers.end(); ++it)
        it.value() = {{url, description, variables}};
}

void ScoringApi::setServerConfigurations(const QString &operation,
                                         const QList<ScoringServerConfiguration> &servers)
{
    if (!servers.isEmpty())
        m_servers.insert(operation, servers);
}

ScoringServerConfiguration ScoringApi::server(const QString &operation) const
{
    const QList<ScoringServerConfiguration> servers = m_servers.value(operation);
    return servers.isEmpty() ? ScoringServerConfiguration{} : servers.first();
}

QUrl ScoringApi::operationUrl(const QString &operation, const QString &path) const
{
    QString base = server(operation).resolvedUrl();
    if (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + path);
}

void ScoringApi::abortRequests()
{
    Q_EMIT abortRequestsSignal();
    const QSet<QObject *> workers = m_workers;
    for (QObject *worker : workers) {
        worker->disconnect(this);
        delete worker; // its destroyed signal removes it from the set
    }
}

ScoringHttpRequestWorker *ScoringApi::createWorker()
{
    auto *worker = new ScoringHttpRequestWorker(m_manager, this);
    worker->setTimeOut(m_timeOutMs);
    worker->setDefaultHeaders(m_defaultHeaders);
    m_workers.insert(worker);
    connect(worker, &QObject::destroyed, this, &ScoringApi::workerDestroyed);
    connect(worker, &ScoringHttpRequestWorker::on_execution_finished, this, &ScoringApi::finishWorker);
    return worker;
}

void ScoringApi::finishWorker(ScoringHttpRequestWorker *worker)
{
    report(worker, worker->errorType() == QNetworkReply::NoError);
    worker->deleteLater();
}

void ScoringApi::workerDestroyed(QObject *worker)
{
    if (m_workers.remove(worker) && m_workers.isEmpty())
        Q_EMIT allPendingRequestsCompleted();
}

namespace {
const QString kHealth = QStringLiteral("health");
const QString kAddRoutineResult = QStringLiteral("addRoutineResult");
const QString kSendState = QStringLiteral("sendState");

// Emits an API's four outcome signals: the short and the full form of
// success or of failure.
template <typename Api>
void emitOutcome(Api *api, ScoringHttpRequestWorker *worker, bool success, void (Api::*succeeded)(),
                 void (Api::*succeededFull)(ScoringHttpRequestWorker *),
                 void (Api::*failed)(QNetworkReply::NetworkError, QString),
                 void (Api::*failedFull)(ScoringHttpRequestWorker *, QNetworkReply::NetworkError, QString))
{
    if (success) {
        (api->*succeeded)();
        (api->*succeededFull)(worker);
    } else {
        (api->*failed)(worker->errorType(), worker->errorText());
        (api->*failedFull)(worker, worker->errorType(), worker->errorText());
    }
}
} // namespace

ScoringHealthApi::ScoringHealthApi(int timeOutMs, QObject *parent)
    : ScoringApi({kHealth}, timeOutMs, parent)
{}

ScoringHttpRequestWorker *ScoringHealthApi::health()
{
    ScoringHttpRequestWorker *worker = createWorker();
    worker->execute("GET", operationUrl(kHealth, QStringLiteral("/health")));
    return worker;
}

void ScoringHealthApi::report(ScoringHttpRequestWorker *worker, bool success)
{
    emitOutcome(this, worker, success, &ScoringHealthApi::healthSignal, &ScoringHealthApi::healthSignalFull,
                &ScoringHealthApi::healthSignalE, &ScoringHealthApi::healthSignalEFull);
}

ScoringResultsApi::ScoringResultsApi(int timeOutMs, QObject *parent)
    : ScoringApi({kAddRoutineResult}, timeOutMs, parent)
{}

ScoringHttpRequestWorker *ScoringResultsApi::addRoutineResult(const ScoringResult &body,
                                                              const QString &idempotencyKey)
{
    return addRoutineResult(body.toJson(), idempotencyKey);
}

ScoringHttpRequestWorker *ScoringResultsApi::addRoutineResult(const QByteArray &body,
                                                              const QString &idempotencyKey)
{
    ScoringHttpRequestWorker *worker = createWorker();
    if (!idempotencyKey.isEmpty())
        worker->setHeader(QString::fromLatin1(kIdempotencyKeyHeader), idempotencyKey);
    worker->execute("POST", operationUrl(kAddRoutineResult, QStringLiteral("/routineresult")), body);
    return worker;
}

void ScoringResultsApi::report(ScoringHttpRequestWorker *worker, bool success)
{
    emitOutcome(this, worker, success, &ScoringResultsApi::addRoutineResultSignal,
                &ScoringResultsApi::addRoutineResultSignalFull, &ScoringResultsApi::addRoutineResultSignalE,
                &ScoringResultsApi::addRoutineResultSignalEFull);
}

ScoringStateApi::ScoringStateApi(int timeOutMs, QObject *parent)
    : ScoringApi({kSendState}, timeOutMs, parent)
{}

ScoringHttpRequestWorker *ScoringStateApi::sendState(const ScoringState &body)
{
    ScoringHttpRequestWorker *worker = createWorker();
    worker->execute("POST", operationUrl(kSendState, QStringLiteral("/state")), body.toJson());
    return worker;
}

void ScoringStateApi::report(ScoringHttpRequestWorker *worker, bool success)
{
    emitOutcome(this, worker, success, &ScoringStateApi::sendStateSignal,
                &ScoringStateApi::sendStateSignalFull, &ScoringStateApi::sendStateSignalE,
                &ScoringStateApi::sendStateSignalEFull);
}

} // namespace ovra::rest::client
