#pragma once

#include "rest/client/ScoringEnums.h"
#include "rest/client/ScoringObject.h"

namespace ovra::rest::client {

// The measurement state message.
class ScoringState : public ScoringObject
{
public:
    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_ENUM_MEMBER(ScoringStateType, state, setState)
};

} // namespace ovra::rest::client
