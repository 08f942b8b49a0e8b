#pragma once

#include "rest/client/ScoringEnum.h"

namespace ovra::rest::client {

class ScoringResultType : public ScoringEnum
{
public:
    enum Value { None = 0, Individual = 1, Synchronized = 2 };
    ScoringResultType() = default;
    explicit ScoringResultType(Value value) { setValue(value); }

protected:
    const QStringList &names() const override;
};

class ScoringResultMaturity : public ScoringEnum
{
public:
    enum Value { None = 0, Preliminary = 1, Confirmed = 2 };
    ScoringResultMaturity() = default;
    explicit ScoringResultMaturity(Value value) { setValue(value); }

protected:
    const QStringList &names() const override;
};

class ScoringRulesSettingsHdDeductions : public ScoringEnum
{
public:
    enum Value { None = 0, Max3 = 1, Max5 = 2 };
    ScoringRulesSettingsHdDeductions() = default;
    explicit ScoringRulesSettingsHdDeductions(Value value) { setValue(value); }

protected:
    const QStringList &names() const override;
};

class ScoringStateType : public ScoringEnum
{
public:
    enum Value { None = 0, Other = 1, Ready = 2, Start = 3, Routine = 4, Review = 5 };
    ScoringStateType() = default;
    explicit ScoringStateType(Value value) { setValue(value); }

protected:
    const QStringList &names() const override;
};

} // namespace ovra::rest::client
