#pragma once

#include "data/Landing.h"
#include "state/OvraState.h"

namespace data::store {

// The store works in the inner states of the measurement state machine; the
// controller passes the connected inner state (WAIT, 0, while disconnected).
using InnerState = OvraState::InnerState;

// What the sensor check in READY found on the first sample of a block; it
// feeds the two sensor conditions of the operator warnings.
struct SensorCheckResult
{
    // At least one channel reads exactly 0 or -1.
    bool sensorNotConnected = false;
    // At least one channel reads below -1.
    bool unusualSensorData = false;

    bool operator==(const SensorCheckResult &) const = default;
};

// Outcome of the drop test after a block.
struct DropTestResult
{
    bool evaluated = false;
    data::model::Landing landing;
    // The block ends between which the evaluated drop was found, for display.
    int dropStart = -1;
    int dropEnd = -1;
};

// What the store did with one complete block, for the controller's own
// follow-up (warnings, labels, the drop test action).
struct BlockWork
{
    // The samples were written to the ring.
    bool stored = false;
    // The measurement grew by the block.
    bool counted = false;
    // READY only: the sensor check of the block.
    bool sensorChecked = false;
    SensorCheckResult sensorCheck;
    // START with the automatic weight class: the contact threshold reached by
    // the trampoline the label shows (trampoline 2 in mode Trampoline2,
    // otherwise trampoline 1); 0 when it was not adapted in this block.
    double weightClassReached = 0.0;
    // DROP_TEST only.
    DropTestResult dropTest;
};

} // namespace data::store
