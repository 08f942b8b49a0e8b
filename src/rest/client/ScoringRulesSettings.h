#pragma once

#include "rest/client/ScoringEnums.h"
#include "rest/client/ScoringObject.h"

namespace ovra::rest::client {

// The rules the result was evaluated with.
class ScoringRulesSettings : public ScoringObject
{
public:
    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_ENUM_MEMBER(ScoringRulesSettingsHdDeductions, hdDeductions, setHdDeductions)
};

} // namespace ovra::rest::client
