#pragma once

#include <QObject>

namespace data::model {

// Properties of the routine under way that the routine controller sets.
class RoutineBase : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double routineStartTime READ routineStartTime WRITE setRoutineStartTime NOTIFY
                   routineStartTimeChanged)
    Q_PROPERTY(double penalty READ penalty WRITE setPenalty NOTIFY penaltyChanged)

public:
    explicit RoutineBase(QObject *parent = nullptr);

    // Seconds.
    double routineStartTime() const { return m_routineStartTime; }
    double penalty() const { return m_penalty; }

public slots:
    void setRoutineStartTime(double routineStartTime);
    void setPenalty(double penalty);

signals:
    void routineStartTimeChanged(double routineStartTime);
    void penaltyChanged(double penalty);

private:
    double m_routineStartTime = 0.0;
    double m_penalty = 0.0;
};

} // namespace data::model
