#include "data/Evaluation.h"

#include "data/Routines.h"

#include <algorithm>
#include <cstdlib>

namespace data::calc {

using data::model::IndividualRoutineResult;
using data::model::Landing;
using data::model::SynchronizedRoutineResult;

bool centreOfPressure(const SensorLoads &loads, const BedGeometry &geometry, LandingPosition &position)
{
    const double force = loads[0] + loads[1] + loads[2] + loads[3];
    // Written so that a NaN sum is invalid as well.
    if (!(force >= kMinimumPositionForce)) {
        position = LandingPosition();
        return false;
    }
    position.x = geometry.length * ((loads[2] + loads[3]) - (loads[0] + loads[1])) / force * 0.5 * 0.1;
    position.y = geometry.width * ((loads[1] + loads[2]) - (loads[0] + loads[3])) / force * 0.5 * 0.1;
    return true;
}

double hdDeductionFor(int rule, double x, double y)
{
    const bool upTo05 = rule == 1;
    const double ax = std::abs(x);
    const double ay = std::abs(y);
    const bool wide = ay > kInnerZoneBound;
    if (ax <= kInnerZoneBound)
        return wide ? (upTo05 ? 0.3 : 0.2) : 0.0;
    if (ax <= kOuterZoneBound)
        return wide ? (upTo05 ? 0.3 : 0.2) : 0.1;
    if (wide)
        return upTo05 ? 0.5 : 0.3;
    return upTo05 ? 0.3 : 0.2;
}

int landingZoneFor(double x, double y)
{
    static constexpr int kZones[3][5] = {
        {1, 2, 2, 2, 3},
        {4, 5, 6, 7, 8},
        {9, 10, 10, 10, 11},
    };
    // A position that is not a number never gets here from the detector
    // (invalid positions are (0, 0)); give it the centre rather than a border.
    if (std::isnan(x) || std::isnan(y))
        return 6;

    int column = 4;
    if (x < -kOuterZoneBound)
        column = 0;
    else if (x < -kInnerZoneBound)
        column = 1;
    else if (x <= kInnerZoneBound)
        column = 2;
    else if (x <= kOuterZoneBound)
        column = 3;

    int row = 1;
    if (y > kInnerZoneBound)
        row = 0;
    else if (y < -kInnerZoneBound)
        row = 2;
    return kZones[row][column];
}

int timeOfFlightFor(int landingTime, int previousTakeoffTime)
{
    const long long difference =
        std::llabs(static_cast<long long>(landingTime) - static_cast<long long>(previousTakeoffTime));
    return static_cast<int>(difference / 5 * 5);
}

Landing buildLanding(int landingNumber, const ContactMeasurement &contact,
                     const data::model::LandingThresholds &thresholds, int rule, const Landing *previous)
{
    Landing landing;
    landing.landingNumber = landingNumber;
    landing.contactStart = contact.contactStart;
    landing.contactEnd = contact.contactEnd;
    landing.rawDataIndexLanding = contact.rawDataIndexLanding;
    landing.rawDataIndexTakeoff = contact.rawDataIndexTakeoff;
    landing.landingTime = contact.rawDataIndexLanding - thresholds.preTime_landing;
    landing.takeoffTime = contact.rawDataIndexTakeoff + thresholds.postTime_takeoff;
    landing.fmaxIndex = contact.fmaxIndex;
    landing.fmax = contact.fmax;
    landing.contactTime = landing.takeoffTime - landing.landingTime;
    landing.timeOfFlight = previous ? timeOfFlightFor(landing.landingTime, previous->takeoffTime) : 0;
    landing.landingPosition = contact.position;
    const double x = contact.position.x;
    const double y = contact.position.y;
    landing.distanceFromCenter = std::sqrt(x * x + y * y);
    landing.landingZone = landingZoneFor(x, y);
    landing.hdDeduction = hdDeductionFor(rule, x, y);
    landing.forceThreasholdLanding = thresholds.threshold_landing * 0.01 * contact.fmax;
    landing.forceThreasholdTakeoff = thresholds.threshold_takeoff * 0.01 * contact.fmax;
    landing.landingTimeDifference = 0.0;
    landing.synDeduction = 0.0;
    landing.synScore = 0.0;
    landing.notSynchronous = false;
    return landing;
}

Synchronisation synchronisationFor(int landingTimeTrampoline1, int landingTimeTrampoline2)
{
    const int d = timeOfFlightFor(landingTimeTrampoline2, landingTimeTrampoline1);
    Synchronisation sync;
    sync.landingTimeDifference = d * 0.001;
    // Every full 4 ms cost 0.01; d is never negative, so d / 4 is the
    // integer part of d * 0.25.
    sync.synDeduction = std::min(1.0, (d / 4) * 0.01);
    sync.synScore = 1.0 - sync.synDeduction;
    sync.notSynchronous = d >= kNotSynchronousMs;
    return sync;
}

void synchronizePair(Landing &trampoline1, Landing &trampoline2)
{
    const Synchronisation sync = synchronisationFor(trampoline1.landingTime, trampoline2.landingTime);
    for (Landing *landing : {&trampoline1, &trampoline2}) {
        landing->landingTimeDifference = sync.landingTimeDifference;
        landing->synDeduction = sync.synDeduction;
        landing->synScore = sync.synScore;
        landing->notSynchronous = sync.notSynchronous;
    }
}

void synchronizePairs(std::span<Landing> trampoline1, std::span<Landing> trampoline2, std::size_t n)
{
    n = std::min({n, trampoline1.size(), trampoline2.size()});
    for (std::size_t i = 0; i < n; ++i)
        synchronizePair(trampoline1[i], trampoline2[i]);
}

PairingStep pairingStep(const Landing *waiting, const Landing &landing)
{
    if (!waiting)
        return PairingStep::Waits;
    if (std::abs(landing.landingTime - waiting->landingTime) < kPairingBoundMs)
        return PairingStep::Paired;
    // Landings of one bed come in order of time, so the older of the two can
    // only be further from every landing still to come.
    return waiting->landingTime < landing.landingTime ? PairingStep::Waits : PairingStep::Passed;
}

bool isCountedLanding(const Landing &landing)
{
    return landing.timeOfFlight > kMinimumCountedFlightMs;
}

IndividualRoutineResult evaluateIndividualRoutine(std::span<const Landing> landings, std::size_t n,
                                                  int shiftedLandings)
{
    Q_ASSERT(n <= landings.size());
    n = std::min(n, landings.size());
    IndividualRoutineResult result;
    long long flightMs = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Landing &landing = landings[i];
        if (!isCountedLanding(landing))
            continue;
        flightMs += landing.timeOfFlight;
        result.hdDeductionSum += landing.hdDeduction;
        result.horizontalDisplacement += 1.0 - landing.hdDeduction;
    }
    result.timeOfFlight = static_cast<double>(flightMs / 10 * 10) * 0.001;
    result.elementCount = n;
    result.shiftedLandings = shiftedLandings;
    return result;
}

std::size_t effectivePairCount(std::span<const Landing> trampoline1, std::size_t n)
{
    n = std::min(n, trampoline1.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (trampoline1[i].notSynchronous)
            return i;
    }
    return n;
}

SynchronizedRoutineResult evaluateSynchronizedRoutine(std::span<const Landing> trampoline1,
                                                      std::span<const Landing> trampoline2, std::size_t n,
                                                      int shiftedLandings)
{
    Q_ASSERT(n <= trampoline1.size() && n <= trampoline2.size());
    n = std::min({n, trampoline1.size(), trampoline2.size()});
    SynchronizedRoutineResult result;
    const std::size_t effective = effectivePairCount(trampoline1, n);
    for (std::size_t i = 0; i < effective; ++i) {
        const Landing &a = trampoline1[i];
        const Landing &b = trampoline2[i];
        result.hdDeductionSumTrampoline1 += a.hdDeduction;
        result.horizontalDisplacementTrampoline1 += 1.0 - a.hdDeduction;
        result.hdDeductionSumTrampoline2 += b.hdDeduction;
        result.horizontalDisplacementTrampoline2 += 1.0 - b.hdDeduction;
        result.landingTimeDifferenceSum += a.landingTimeDifference;
        result.synDeductionSum += a.synDeduction;
        result.synchronizedScore += a.synScore;
    }
    result.reserved = 0.0;
    result.effectiveElementCount = effective;
    result.elementCount = n;
    result.shiftedLandings = shiftedLandings;
    return result;
}

SynchronizedRoutineResult evaluateSynchronizedRoutine(const data::model::Routines &routines, std::size_t n)
{
    return evaluateSynchronizedRoutine(routines.synchronizedLandingsTrampoline1,
                                       routines.synchronizedLandingsTrampoline2, n, routines.shiftedLandings);
}

} // namespace data::calc
