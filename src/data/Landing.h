#pragma once

#include <QMetaType>

namespace data::calc {

// Centre of pressure in centimetres from the centre of the bed; x along the
// bed, y across it.
struct LandingPosition
{
    double x = 0.0;
    double y = 0.0;

    bool operator==(const LandingPosition &) const = default;
};

} // namespace data::calc

namespace data::model {

// One contact of an athlete with one bed, from touchdown to take-off. Times
// are sample indexes (1 sample = 1 ms) from the start of the measurement. The
// default-constructed record is the empty slot.
struct Landing
{
    int landingNumber = -1;
    int contactStart = -1;
    int contactEnd = -1;
    int rawDataIndexLanding = -1;
    int rawDataIndexTakeoff = -1;
    int landingTime = -1;
    int takeoffTime = -1;
    int fmaxIndex = -1;
    double fmax = 0.0;
    int contactTime = -1;
    int timeOfFlight = -1;
    data::calc::LandingPosition landingPosition;
    int landingZone = 0;
    double distanceFromCenter = 0.0;
    double hdDeduction = 0.0;
    double forceThreasholdLanding = 0.0;
    double forceThreasholdTakeoff = 0.0;
    double landingTimeDifference = 0.0;
    double synDeduction = 0.0;
    double synScore = 0.0;
    bool notSynchronous = false;

    bool isEmpty() const { return landingNumber < 0; }

    // All fields zero: the state of a cleared detected-landings list, which
    // differs from the empty routine slot above.
    static Landing zeroed()
    {
        Landing landing;
        landing.landingNumber = 0;
        landing.contactStart = 0;
        landing.contactEnd = 0;
        landing.rawDataIndexLanding = 0;
        landing.rawDataIndexTakeoff = 0;
        landing.landingTime = 0;
        landing.takeoffTime = 0;
        landing.fmaxIndex = 0;
        landing.contactTime = 0;
        landing.timeOfFlight = 0;
        return landing;
    }

    bool operator==(const Landing &) const = default;
};

} // namespace data::model

Q_DECLARE_METATYPE(data::calc::LandingPosition)
Q_DECLARE_METATYPE(data::model::Landing)
