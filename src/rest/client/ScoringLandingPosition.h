#pragma once

#include "rest/client/ScoringObject.h"

namespace ovra::rest::client {

// Landing position in whole centimetres from the centre of the bed.
class ScoringLandingPosition : public ScoringObject
{
public:
    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_MEMBER(int, x, setX)
    OVRA_SCORING_MEMBER(int, y, setY)
};

} // namespace ovra::rest::client
