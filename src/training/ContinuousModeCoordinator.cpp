#include "training/ContinuousModeCoordinator.h"

namespace training {

void ContinuousModeCoordinator::enable()
{
    m_active = true;
    Q_EMIT expectedLandingsPerRoutine(m_landingsPerRoutine);
}

void ContinuousModeCoordinator::disable()
{
    m_active = false;
    Q_EMIT expectedLandingsPerRoutine(kNormalLandings);
}

void ContinuousModeCoordinator::increase()
{
    if (!m_active || m_landingsPerRoutine >= kMaxLandings)
        return;
    ++m_landingsPerRoutine;
    Q_EMIT expectedLandingsPerRoutine(m_landingsPerRoutine);
}

void ContinuousModeCoordinator::decrease()
{
    if (!m_active || m_landingsPerRoutine <= kMinLandings)
        return;
    --m_landingsPerRoutine;
    Q_EMIT expectedLandingsPerRoutine(m_landingsPerRoutine);
}

} // namespace training
