#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

namespace ovra::rest::client {

// Performs exactly one HTTP request to a scoring system and reports its
// outcome once through on_execution_finished. A body is sent as
// "application/json"; nothing is ever compressed in either direction.
class ScoringHttpRequestWorker : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *kUserAgent = "OpenAPI-Generator/1.0.0/cpp-qt";
    // The deadline of a request configured without one (time-out 0, the
    // settings file's default): the network stack alone may wait for
    // minutes, or for good, on a system that accepted the connection.
    static constexpr int kDefaultTimeOutMs = 10000;

    ScoringHttpRequestWorker(QNetworkAccessManager *manager, QObject *parent = nullptr);
    ~ScoringHttpRequestWorker() override;

    // A timeout of 0 (or less) stands for kDefaultTimeOutMs.
    void setTimeOut(int timeOutMs) { m_timeOutMs = timeOutMs; }
    void setDefaultHeaders(const QMap<QString, QString> &headers) { m_defaultHeaders = headers; }
    // One more header of this request alone.
    void setHeader(const QString &name, const QString &value) { m_defaultHeaders.insert(name, value); }

    // Starts the request; an empty method is taken as GET.
    void execute(const QByteArray &method, const QUrl &url, const QByteArray &jsonBody = QByteArray());

    QByteArray response() const { return m_response; }
    QNetworkReply::NetworkError errorType() const { return m_errorType; }
    QString errorString() const { return m_errorString; }
    int httpStatus() const { return m_httpStatus; }
    const QList<QPair<QByteArray, QByteArray>> &responseHeaders() const { return m_responseHeaders; }
    bool isFinished() const { return m_finished; }
    // "%1, %2" with the error text and the response body, as the error
    // signals of the API objects carry it.
    QString errorText() const;

    // Free for the caller: what this one request stands for.
    void setTag(int tag) { m_tag = tag; }
    int tag() const { return m_tag; }

Q_SIGNALS:
    void on_execution_finished(ovra::rest::client::ScoringHttpRequestWorker *worker);

private:
    void replyFinished();
    void timedOut();
    void finish();

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    int m_timeOutMs = 0;
    QMap<QString, QString> m_defaultHeaders;
    QByteArray m_response;
    QNetworkReply::NetworkError m_errorType = QNetworkReply::NoError;
    QString m_errorString;
    int m_httpStatus = 0;
    QList<QPair<QByteArray, QByteArray>> m_responseHeaders;
    bool m_finished = false;
    int m_tag = 0;
};

} // namespace ovra::rest::client
