#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"
#include "data/RoutineResults.h"

namespace data::model {

// Registers the measurement value types under their full names so they can
// travel through queued connections and be looked up by name.
void registerMetaTypes();

} // namespace data::model
