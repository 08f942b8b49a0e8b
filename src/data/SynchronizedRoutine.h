#pragma once

#include "data/RoutineBase.h"

namespace data::model {

class SynchronizedRoutine : public RoutineBase
{
    Q_OBJECT
public:
    using RoutineBase::RoutineBase;
};

} // namespace data::model
