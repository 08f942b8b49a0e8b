#pragma once

#include "data/Landing.h"

// Inner state values of the measurement state machine as the store sees them;
// the controller passes the connected inner state (0 while disconnected).
namespace data::store {

enum class InnerState : int {
    WAIT = 0,
    DISPLAY = 1,
    DISCONNECTED_DIAGNOSIS = 2,
    DISCONNECTED_COMMIT = 3,
    DISCONNECTED_DISMISS = 4,
    DISCONNECTED_LOADING = 5,
    READY = 6,
    START = 7,
    ROUTINE = 8,
    REVIEW = 9,
    DROP_TEST = 10,
    CONNECTED_DIAGNOSIS = 11,
    CONNECTED_COMMIT = 12,
    CONNECTED_DISMISS = 13,
    NO_FOCUS = 14,
    TARA = 15,
    LOAD = 16,
    LOADING = 17,
    CONTINUOUS = 18,
    PAUSE = 19,
};

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
