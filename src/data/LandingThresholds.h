#pragma once

namespace data::model {

// Landing and take-off detection parameters shared by both trampolines. The
// field names are the settings keys under "File/".
struct LandingThresholds
{
    // Percent of fmax.
    double threshold_takeoff = 50.0;
    // Samples added to rawDataIndexTakeoff to give takeoffTime.
    int postTime_takeoff = 82;
    // Percent of fmax.
    double threshold_landing = 50.0;
    // Samples subtracted from rawDataIndexLanding to give landingTime.
    int preTime_landing = 75;

    bool operator==(const LandingThresholds &) const = default;
};

} // namespace data::model
