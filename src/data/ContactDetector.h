#pragma once

// Contact state of one trampoline: a contact begins when the total force
// reaches the threshold plus the hysteresis and ends when it falls below the
// threshold minus the hysteresis. A complete contact waits, as readyStart to
// readyEnd, until its push-off has been recorded, while the scan goes on
// with the next one.
struct ContactDetector
{
    double contactThreshold = 1000.0;
    int contactStart = -1;
    int contactEnd = -1;
    bool inContact = false;
    bool contactReady = false;
    double hysteresis = 20.0;
    int readyStart = -1;
    int readyEnd = -1;

    // Forgets any contact under way; thresholds stay.
    void clear()
    {
        contactStart = -1;
        contactEnd = -1;
        inContact = false;
        contactReady = false;
        readyStart = -1;
        readyEnd = -1;
    }
};
