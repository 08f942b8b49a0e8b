#pragma once

#include "rest/client/ScoringObject.h"
#include "rest/client/ScoringSynchronizedResultElement.h"

namespace ovra::rest::client {

// Result of a synchronized routine.
class ScoringSynchronizedResult : public ScoringObject
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
    OVRA_SCORING_MEMBER(int, effectiveElementCount, setEffectiveElementCount)
    OVRA_SCORING_MEMBER(double, synchronizedScore, setSynchronizedScore)
    OVRA_SCORING_MEMBER(double, horizontalDisplacementTrampoline1, setHorizontalDisplacementTrampoline1)
    OVRA_SCORING_MEMBER(double, horizontalDisplacementTrampoline2, setHorizontalDisplacementTrampoline2)
    OVRA_SCORING_MEMBER(double, horizontalDisplacement, setHorizontalDisplacement)
    OVRA_SCORING_MEMBER(Meta, meta, setMeta)
    OVRA_SCORING_MEMBER(double, delayBeforeStartInSeconds, setDelayBeforeStartInSeconds)
    OVRA_SCORING_MEMBER(QList<ScoringSynchronizedResultElement>, elements, setElements)
};

} // namespace ovra::rest::client
