#pragma once

#include <QObject>

namespace training {

// How many landings make a "routine" in continuous training. The count can
// be changed between 1 and 20 while training runs and is kept for the next
// time; outside training the routine container expects the normal 10.
class ContinuousModeCoordinator : public QObject
{
    Q_OBJECT
public:
    static constexpr int kNormalLandings = 10;
    static constexpr int kMinLandings = 1;
    static constexpr int kMaxLandings = 20;

    explicit ContinuousModeCoordinator(QObject *parent = nullptr)
        : QObject(parent)
    {}

    int landingsPerRoutine() const { return m_landingsPerRoutine; }
    bool isActive() const { return m_active; }

public Q_SLOTS:
    void enable();
    void disable();
    void increase();
    void decrease();

Q_SIGNALS:
    void expectedLandingsPerRoutine(int expectedLandingsPerRoutine);

private:
    int m_landingsPerRoutine = kNormalLandings;
    bool m_active = false;
};

} // namespace training
