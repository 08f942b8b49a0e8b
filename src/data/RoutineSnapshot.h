#pragma once

#include "data/DataEnums.h"
#include "data/Routines.h"

namespace data::model {

// The landings and the window of the routine under way, as one value: what
// the review began with, so that the operator's edits can be undone.
struct RoutineSnapshot
{
    Routines::LandingArray individual1{};
    Routines::LandingArray individual2{};
    Routines::LandingArray synchronized1{};
    Routines::LandingArray synchronized2{};
    quint64 landingCount = 0;
    quint64 synchronizedLandingCount1 = 0;
    quint64 synchronizedLandingCount2 = 0;
    int shiftedLandings = 0;
    int exerciseStart = -1;
    int exerciseEnd = -1;
    TrampMode trampMode = TrampMode::Trampoline1;
};

} // namespace data::model
