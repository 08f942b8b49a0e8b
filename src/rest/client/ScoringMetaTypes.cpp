#include "rest/client/ScoringMetaTypes.h"

namespace ovra::rest::client {

void registerMetaTypes()
{
    qRegisterMetaType<ScoringResult>("ovra::rest::client::ScoringResult");
    qRegisterMetaType<ScoringState>("ovra::rest::client::ScoringState");
}

} // namespace ovra::rest::client
