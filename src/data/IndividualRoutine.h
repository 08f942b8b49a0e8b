#pragma once

#include "data/RoutineBase.h"

namespace data::model {

class IndividualRoutine : public RoutineBase
{
    Q_OBJECT
public:
    using RoutineBase::RoutineBase;
};

} // namespace data::model
