#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace ovra::rest::client {

// One external scoring system as the operator configured it.
struct ScoringClientConfiguration
{
    int id = 0;
    bool enabled = false;
    QString label;
    QUrl url;
    int timeout = 0; // milliseconds; 0 means no time-out
    bool intermediate = false;
    bool state = false;

    friend bool operator==(const ScoringClientConfiguration &, const ScoringClientConfiguration &) = default;
};

using ScoringClientConfigurations = QList<ScoringClientConfiguration>;

inline constexpr int kScoringClientCount = 3;

} // namespace ovra::rest::client
