#pragma once

#include "data/DataEnums.h"
#include "data/Landing.h"
#include "data/LandingThresholds.h"
#include "data/RoutineResults.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace data::model {
class Routines;
}

// The judging arithmetic: landing position, zones and deductions, flight
// times, synchronisation of pairs and routine results. Everything here is a
// pure function of its arguments so the store, the file loader and the drop
// test share one implementation.
namespace data::calc {

// Below this summed mean load a centre of pressure is meaningless.
inline constexpr double kMinimumPositionForce = 500.0;
// Zone borders in centimetres from the centre line.
inline constexpr double kInnerZoneBound = 54.0;
inline constexpr double kOuterZoneBound = 107.5;
// Pairs landing this many milliseconds apart or more are not synchronous.
inline constexpr int kNotSynchronousMs = 400;
// Landings of the two beds pair only when they touched down less than this
// many milliseconds apart: above kNotSynchronousMs, so a pair the evaluation
// scores as not synchronous still pairs, and below half the shortest time
// between two landings of a routine (a flight of about 1 s and a contact),
// so landings one jump apart never pair.
inline constexpr int kPairingBoundMs = 600;
// What the newest landing of one bed does to the pair under way, given the
// landing of the other bed that waits for a partner (null when none waits).
// The detection and the routine edits pair with it, so both form the same
// pairs.
enum class PairingStep {
    // The landing waits for a partner; a landing of either bed that waited
    // before is left without one.
    Waits,
    // The landing completes a pair with the waiting one.
    Paired,
    // The landing is left without a partner; the waiting one waits on.
    Passed,
};
PairingStep pairingStep(const data::model::Landing *waiting, const data::model::Landing &landing);

// A landing counts in a routine only with a flight time above this (ms); the
// first landing of a list has none.
inline constexpr int kMinimumCountedFlightMs = 4;

// Distance of the sensors along (length) and across (width) the bed, mm.
struct BedGeometry
{
    double length = 3650.0;
    double width = 2425.0;
};

// Mean loads of S1 to S4 of one bed (N, zero offsets removed). S1 sits at
// (-L/2, -W/2), S2 at (-L/2, +W/2), S3 at (+L/2, +W/2), S4 at (+L/2, -W/2).
using SensorLoads = std::array<double, 4>;

// Centre of pressure of the four loads in centimetres. Returns false and
// sets (0, 0) when the summed load is below kMinimumPositionForce.
bool centreOfPressure(const SensorLoads &loads, const BedGeometry &geometry, LandingPosition &position);

// Landing position over the samples first to last inclusive. rawValue(channel,
// sample) gives the raw value of one channel; offsets are the zero offsets of
// the trampoline's S1 to S4 (a NaN offset counts as 0). Returns whether the
// position is valid; an invalid position is (0, 0).
template <typename RawValue>
bool landingPosition(RawValue &&rawValue, data::model::TrampNumber trampoline, int first, int last,
                     const std::array<double, 4> &offsets, const BedGeometry &geometry,
                     LandingPosition &position)
{
    position = LandingPosition();
    if (last < first)
        return false;
    const int c0 = data::model::firstChannelOf(trampoline);
    SensorLoads loads{};
    for (int sensor = 0; sensor < 4; ++sensor) {
        const double offset = std::isnan(offsets[sensor]) ? 0.0 : offsets[sensor];
        double sum = 0.0;
        for (int sample = first; sample <= last; ++sample)
            sum += static_cast<double>(rawValue(c0 + sensor, sample)) - offset;
        loads[sensor] = sum / static_cast<double>(last - first + 1);
    }
    return centreOfPressure(loads, geometry, position);
}

// HD deduction of a landing at (x, y) cm. rule 0: at most 0.3, rule 1: at
// most 0.5; any other rule is treated as 0.
double hdDeductionFor(int rule, double x, double y);

// Zone 1 to 11 of a landing at (x, y) cm; 6 is the centre.
int landingZoneFor(double x, double y);

// Flight time in ms before a landing that touched down at landingTime after
// the previous take-off, truncated to a multiple of 5.
int timeOfFlightFor(int landingTime, int previousTakeoffTime);

// What the detector measured of one contact, before evaluation.
struct ContactMeasurement
{
    int contactStart = -1;
    int contactEnd = -1;
    int rawDataIndexLanding = -1;
    int rawDataIndexTakeoff = -1;
    int fmaxIndex = -1;
    double fmax = 0.0;
    // From landingPosition(); (0, 0) when invalid.
    LandingPosition position;
};

// Builds a detected landing: corrected times, contact time, flight time
// (0 when previous is null, i.e. the first landing of a list), position,
// distance, zone, deduction and the two force thresholds. The synchronisation
// fields start at 0 and false.
data::model::Landing buildLanding(int landingNumber, const ContactMeasurement &contact,
                                  const data::model::LandingThresholds &thresholds, int rule,
                                  const data::model::Landing *previous);

// Synchronisation of a pair from the two landing times (ms).
struct Synchronisation
{
    double landingTimeDifference = 0.0; // s
    double synDeduction = 0.0;
    double synScore = 0.0;
    bool notSynchronous = false;
};

Synchronisation synchronisationFor(int landingTimeTrampoline1, int landingTimeTrampoline2);

// Computes the synchronisation of a pair and writes it into both landings.
void synchronizePair(data::model::Landing &trampoline1, data::model::Landing &trampoline2);

// Recomputes the synchronisation of the first n pairs, as after a routine
// edit (n is clamped to the shorter array).
void synchronizePairs(std::span<data::model::Landing> trampoline1,
                      std::span<data::model::Landing> trampoline2, std::size_t n);

// Whether a landing counts in an individual result (flight time above 4 ms).
bool isCountedLanding(const data::model::Landing &landing);

// Result of the first n landings (n is clamped to the array).
data::model::IndividualRoutineResult evaluateIndividualRoutine(std::span<const data::model::Landing> landings,
                                                               std::size_t n, int shiftedLandings = 0);

// Number of pairs among the first n before the first one that is not
// synchronous.
std::size_t effectivePairCount(std::span<const data::model::Landing> trampoline1, std::size_t n);

// Result of the first n pairs (n is clamped to the shorter array).
data::model::SynchronizedRoutineResult
evaluateSynchronizedRoutine(std::span<const data::model::Landing> trampoline1,
                            std::span<const data::model::Landing> trampoline2, std::size_t n,
                            int shiftedLandings = 0);

// The same over the routine container's synchronized arrays and its shift.
data::model::SynchronizedRoutineResult evaluateSynchronizedRoutine(const data::model::Routines &routines,
                                                                   std::size_t n);

} // namespace data::calc
