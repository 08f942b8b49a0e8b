#include "data/RoutineBase.h"

namespace data::model {

RoutineBase::RoutineBase(QObject *parent)
    : QObject(parent)
{}

void RoutineBase::setRoutineStartTime(double routineStartTime)
{
    if (m_routineStartTime == routineStartTime)
        return;
    m_routineStartTime = routineStartTime;
    emit routineStartTimeChanged(m_routineStartTime);
}

void RoutineBase::setPenalty(double penalty)
{
    if (m_penalty == penalty)
        return;
    m_penalty = penalty;
    emit penaltyChanged(m_penalty);
}

} // namespace data::model
