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

    ScoringHttpRequestWorker *addRoutineResult(const ScoringResult &body);

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
