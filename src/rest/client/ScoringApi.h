#pragma once

#include "rest/client/ScoringServerConfiguration.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QNetworkReply>
#include <QObject>
#include <QSet>
#include <QString>

class QNetworkAccessManager;

namespace ovra::rest::client {

class ScoringHttpRequestWorker;

// What the three scoring APIs share: the base URL of each operation, the
// time-out, default headers and the pending request workers. Each call
// creates one worker, a child of the API object, deleted after it reported.
class ScoringApi : public QObject
{
    Q_OBJECT
public:
    ~ScoringApi() override;

    // Replaces the base URL of every operation.
    void setNewServerForAllOperations(const QUrl &url, const QString &description = QString(),
                                      const QMap<QString, ScoringServerVariable> &variables = {});
    void setServerConfigurations(const QString &operation, const QList<ScoringServerConfiguration> &servers);
    ScoringServerConfiguration server(const QString &operation) const;

    void setTimeOut(int timeOutMs) { m_timeOutMs = timeOutMs; }
    int timeOut() const { return m_timeOutMs; }
    void setWorkingDirectory(const QString &path) { m_workingDirectory = path; }
    QString workingDirectory() const { return m_workingDirectory; }
    void addHeaders(const QString &key, const QString &value) { m_defaultHeaders.insert(key, value); }
    int pendingRequestCount() const { return static_cast<int>(m_workers.size()); }

    // The URL of an operation: its base without one trailing "/", then the path.
    QUrl operationUrl(const QString &operation, const QString &path) const;

    static QString defaultServerDescription() { return QStringLiteral("No description provided"); }

public Q_SLOTS:
    // Drops every pending request; none of them reports.
    void abortRequests();

Q_SIGNALS:
    void abortRequestsSignal();
    void allPendingRequestsCompleted();

protected:
    ScoringApi(const QStringList &operations, int timeOutMs, QObject *parent);

    // A worker for one request of this API; the caller connects its
    // finished signal and executes it.
    ScoringHttpRequestWorker *createWorker();
    // Reports the worker's outcome through the API's signals, then drops it.
    void finishWorker(ScoringHttpRequestWorker *worker);
    virtual void report(ScoringHttpRequestWorker *worker, bool success) = 0;

private:
    void workerDestroyed(QObject *worker);

    QNetworkAccessManager *m_manager;
    QMap<QString, QList<ScoringServerConfiguration>> m_servers;
    int m_timeOutMs = 0;
    QString m_workingDirectory;
    QMap<QString, QString> m_defaultHeaders;
    QSet<QObject *> m_workers;
};

} // namespace ovra::rest::client
