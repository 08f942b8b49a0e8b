#pragma once

#include "rest/client/ScoringLandingPosition.h"
#include "rest/client/ScoringObject.h"

namespace ovra::rest::client {

// One landing pair of a synchronized routine.
class ScoringSynchronizedResultElement : public ScoringObject
{
public:
    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_MEMBER(double, landingTimeDifferenceInSeconds, setLandingTimeDifferenceInSeconds)
    OVRA_SCORING_MEMBER(double, synchronizedScore, setSynchronizedScore)
    OVRA_SCORING_MEMBER(bool, forcedEndOfRoutine, setForcedEndOfRoutine)
    OVRA_SCORING_MEMBER(double, horizontalDisplacementTrampoline1, setHorizontalDisplacementTrampoline1)
    OVRA_SCORING_MEMBER(double, horizontalDisplacementTrampoline2, setHorizontalDisplacementTrampoline2)
    OVRA_SCORING_MEMBER(double, horizontalDisplacement, setHorizontalDisplacement)
    OVRA_SCORING_MEMBER(ScoringLandingPosition, landingPositionInCmTrampoline1,
                        setLandingPositionInCmTrampoline1)
    OVRA_SCORING_MEMBER(ScoringLandingPosition, landingPositionInCmTrampoline2,
                        setLandingPositionInCmTrampoline2)
    OVRA_SCORING_MEMBER(int, landingZoneTrampoline1, setLandingZoneTrampoline1)
    OVRA_SCORING_MEMBER(int, landingZoneTrampoline2, setLandingZoneTrampoline2)
};

} // namespace ovra::rest::client
