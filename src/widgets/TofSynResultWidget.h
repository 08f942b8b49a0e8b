#pragma once

#include "data/DataEnums.h"
#include "data/RoutineResults.h"

#include <QWidget>

class ResultReadout;

// The time of flight of an individual routine or the synchronisation score
// of a synchronized one.
class TofSynResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TofSynResultWidget(QWidget *parent = nullptr);

    bool isSynchronized() const { return m_synchronized; }
    ResultReadout *readout() const { return m_readout; }

public Q_SLOTS:
    void setTrampMode(data::model::TrampMode trampMode);
    void setIndividualResult(const data::model::IndividualRoutineResult &result);
    void setSynchronizedResult(const data::model::SynchronizedRoutineResult &result);
    void reset();

private:
    void setSynchronized(bool synchronized);

    ResultReadout *m_readout = nullptr;
    bool m_synchronized = false;
};
