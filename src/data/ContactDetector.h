#pragma once

// Contact state of one trampoline: a contact begins when the total force
// reaches the threshold plus the hysteresis and ends when it falls below the
// threshold minus the hysteresis.
struct ContactDetector
{
    double contactThreshold = 1000.0;
    int contactStart = -1;
    int contactEnd = -1;
    bool inContact = false;
    bool contactReady = false;
    double hysteresis = 20.0;

    // Forgets any contact under way; thresholds stay.
    void clear()
    {
        contactStart = -1;
        contactEnd = -1;
        inContact = false;
        contactReady = false;
    }
};
