#pragma once

#include "rest/client/ScoringApi.h"

namespace ovra::rest::client {

// GET "/health" of a scoring system.
class ScoringHealthApi : public ScoringApi
{
    Q_OBJECT
public:
    explicit ScoringHealthApi(int timeOutMs = 0, QObject *parent = nullptr);

    ScoringHttpRequestWorker *health();

Q_SIGNALS:
    void healthSignal();
    void healthSignalFull(ovra::rest::client::ScoringHttpRequestWorker *worker);
    void healthSignalE(QNetworkReply::NetworkError error_type, QString error_str);
    void healthSignalEFull(ovra::rest::client::ScoringHttpRequestWorker *worker,
                           QNetworkReply::NetworkError error_type, QString error_str);

protected:
    void report(ScoringHttpRequestWorker *worker, bool success) override;
};

} // namespace ovra::rest::client
