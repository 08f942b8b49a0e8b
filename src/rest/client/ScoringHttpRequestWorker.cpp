#include "rest/client/ScoringHttpRequestWorker.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace ovra::rest::client {

ScoringHttpRequestWorker::ScoringHttpRequestWorker(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ScoringHttpRequestWorker::timedOut);
}

ScoringHttpRequestWorker::~ScoringHttpRequestWorker()
{
    // A worker dropped with its API object takes its request along.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void ScoringHttpRequestWorker::execute(const QByteArray &method, const QUrl &url, const QByteArray &jsonBody)
{
    QNetworkRequest request(url);
    for (auto it = m_defaultHeaders.cbegin(); it != m_defaultHeaders.cend(); ++it)
        request.setRawHeader(it.key().toUtf8(), it.value().toUtf8());
    request.setRawHeader("User-Agent", kUserAgent);
    // Asking for identity also keeps the network layer from decompressing.
    request.setRawHeader("Accept-Encoding", "identity");
    const QByteArray verb = method.isEmpty() ? QByteArrayLiteral("GET") : method.toUpper();
    if (!jsonBody.isEmpty())
        request.setRawHeader("Content-Type", "application/json");

    if (verb == "GET")
        m_reply = m_manager->get(request);
    else if (verb == "POST")
        m_reply = m_manager->post(request, jsonBody);
    else
        m_reply = m_manager->sendCustomRequest(request, verb, jsonBody);
    connect(m_reply, &QNetworkReply::finished, this, &ScoringHttpRequestWorker::replyFinished);
    m_timer.start(m_timeOutMs > 0 ? m_timeOutMs : kDefaultTimeOutMs);
}

QString ScoringHttpRequestWorker::errorText() const
{
    return QStringLiteral("%1, %2").arg(m_errorString, QString::fromUtf8(m_response));
}

void ScoringHttpRequestWorker::replyFinished()
{
    m_timer.stop();
    QNetworkReply *reply = m_reply;
    if (!reply || m_finished)
        return;
    m_errorType = reply->error();
    m_errorString = reply->errorString();
    m_responseHeaders = reply->rawHeaderPairs();
    m_httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray encoding = reply->rawHeader("Content-Encoding").toLower();
    // A compressed body is not unpacked; it is kept as an empty one.
    if (encoding.contains("gzip") || encoding.contains("deflate"))
        m_response.clear();
    else
        m_response = reply->readAll();
    m_reply = nullptr;
    reply->deleteLater();
    finish();
}

void ScoringHttpRequestWorker::timedOut()
{
    if (m_finished)
        return;
    m_errorType = QNetworkReply::TimeoutError;
    m_errorString = QStringLiteral("Timed out waiting for response");
    m_response.clear();
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    finish();
}

void ScoringHttpRequestWorker::finish()
{
    m_finished = true;
    Q_EMIT on_execution_finished(this);
}

} // namespace ovra::rest::client
