#pragma once

#include "rest/client/ScoringEnums.h"
#include "rest/client/ScoringIndividualResult.h"
#include "rest/client/ScoringObject.h"
#include "rest/client/ScoringRulesSettings.h"
#include "rest/client/ScoringSynchronizedResult.h"

namespace ovra::rest::client {

// The routine result envelope sent to scoring systems and clients.
class ScoringResult : public ScoringObject
{
public:
    QJsonObject toJsonObject() const override;
    QByteArray toJson() const override { return indentedJson(toJsonObject()); }
    void fromJsonObject(const QJsonObject &object) override;
    bool isSet() const override;
    bool isValid() const override;

    OVRA_SCORING_ENUM_MEMBER(ScoringResultType, type, setType)
    OVRA_SCORING_ENUM_MEMBER(ScoringResultMaturity, maturity, setMaturity)
    OVRA_SCORING_MEMBER(ScoringRulesSettings, rulesSettings, setRulesSettings)
    OVRA_SCORING_MEMBER(ScoringIndividualResult, individualResult, setIndividualResult)
    OVRA_SCORING_MEMBER(ScoringSynchronizedResult, synchronizedResult, setSynchronizedResult)
};

} // namespace ovra::rest::client
