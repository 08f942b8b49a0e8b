#pragma once

#include "rest/client/ScoringApi.h"
#include "rest/client/ScoringState.h"

namespace ovra::rest::client {

// POST "/state" of a scoring system.
class ScoringStateApi : public ScoringApi
{
    Q_OBJECT
public:
    explicit ScoringStateApi(int timeOutMs = 0, QObject *parent = nullptr);

    ScoringHttpRequestWorker *sendState(const ScoringState &body);

Q_SIGNALS:
    void sendStateSignal();
    void sendStateSignalFull(ovra::rest::client::ScoringHttpRequestWorker *worker);
    void sendStateSignalE(QNetworkReply::NetworkError error_type, QString error_str);
    void sendStateSignalEFull(ovra::rest::client::ScoringHttpRequestWorker *worker,
                              QNetworkReply::NetworkError error_type, QString error_str);

protected:
    void report(ScoringHttpRequestWorker *worker, bool success) override;
};

} // namespace ovra::rest::client
