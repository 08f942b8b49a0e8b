#pragma once

#include "rest/client/ScoringLandingPosition.h"
#include "rest/client/ScoringObject.h"

namespace ovra::rest::client {

// One landing of an individual routine.
class ScoringIndividualResultElement : public ScoringObject
{
public:
    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_MEMBER(double, timeOfFlightInSeconds, setTimeOfFlightInSeconds)
    OVRA_SCORING_MEMBER(double, horizontalDisplacement, setHorizontalDisplacement)
    OVRA_SCORING_MEMBER(ScoringLandingPosition, landingPositionInCm, setLandingPositionInCm)
    OVRA_SCORING_MEMBER(int, landingZone, setLandingZone)
};

} // namespace ovra::rest::client
