#pragma once

namespace ovra::rest::client {

// One scoring system asked for a committed result: awaited until it
// answers or the operator waives it, answered once it accepted the result.
struct ScoringClientFeedback
{
    int scoringSystemId = 0;
    bool awaited = false;
    bool answered = false;

    friend bool operator==(const ScoringClientFeedback &, const ScoringClientFeedback &) = default;
};

} // namespace ovra::rest::client
