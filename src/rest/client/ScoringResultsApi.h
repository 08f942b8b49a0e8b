#pragma once

#include "rest/client/ScoringApi.h"
#include "rest/client/ScoringResult.h"

namespace ovra::rest::client {

// POST "/routineresult" of a scoring system.
class ScoringResultsApi : public ScoringApi
{
    Q_OBJECT
public:
    explicit ScoringResultsApi(int timeOutMs = 0, QObject *parent = nullptr);

    static constexpr const char *kIdempotencyKeyHeader = "Idempotency-Key";

    // The result's text as the body; with a key, the header
    // "Idempotency-Key" tells the system which commit the result belongs to,
    // so that it can drop a result it has taken already.
    ScoringHttpRequestWorker *addRoutineResult(const ScoringResult &body, const QString &idempotencyKey = {});
    // A body as it was committed, posted unchanged byte for byte.
    ScoringHttpRequestWorker *addRoutineResult(const QByteArray &body, const QString &idempotencyKey);

Q_SIGNALS:
    void addRoutineResultSignal();
    void addRoutineResultSignalFull(ovra::rest::client::ScoringHttpRequestWorker *worker);
    void addRoutineResultSignalE(QNetworkReply::NetworkError error_type, QString error_str);
    void addRoutineResultSignalEFull(ovra::rest::client::ScoringHttpRequestWorker *worker,
                                     QNetworkReply::NetworkError error_type, QString error_str);

protected:
    void report(ScoringHttpRequestWorker *worker, bool success) override;
};

} // namespace ovra::rest::client
