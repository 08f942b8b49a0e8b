#pragma once

#include "rest/client/ScoringIndividualResultElement.h"
#include "rest/client/ScoringObject.h"

namespace ovra::rest::client {

// Result of an individual routine.
class ScoringIndividualResult : public ScoringObject
{
public:
    using Meta = QMap<QString, QString>;

    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_MEMBER(double, startPenalty, setStartPenalty)
    OVRA_SCORING_MEMBER(int, elementCount, setElementCount)
    OVRA_SCORING_MEMBER(double, timeOfFlightInSeconds, setTimeOfFlightInSeconds)
    OVRA_SCORING_MEMBER(double, horizontalDisplacement, setHorizontalDisplacement)
    OVRA_SCORING_MEMBER(Meta, meta, setMeta)
    OVRA_SCORING_MEMBER(double, delayBeforeStartInSeconds, setDelayBeforeStartInSeconds)
    OVRA_SCORING_MEMBER(QList<ScoringIndividualResultElement>, elements, setElements)
};

} // namespace ovra::rest::client
