#pragma once

#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QMetaType>

Q_DECLARE_METATYPE(ovra::rest::client::ScoringResult)
Q_DECLARE_METATYPE(ovra::rest::client::ScoringState)

namespace ovra::rest::client {

// Lets results and states travel through queued connections by value.
void registerMetaTypes();

} // namespace ovra::rest::client
