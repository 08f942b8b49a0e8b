#pragma once

#include "data/DataEnums.h"
#include "data/RoutineResults.h"

#include <QWidget>

class QToolButton;
class QVBoxLayout;
class ResultReadout;

// The horizontal displacement score: one read-out in the individual modes,
// one per trampoline in the synchronized mode. The swap button exchanges the
// two read-outs on the screen, so that they match where the beds stand.
class HorizontalDisplacementResultWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HorizontalDisplacementResultWidget(QWidget *parent = nullptr);

    bool isSynchronized() const { return m_synchronized; }
    bool isSwapped() const { return m_swapped; }
    ResultReadout *readoutTrampoline1() const { return m_readout1; }
    ResultReadout *readoutTrampoline2() const { return m_readout2; }
    QToolButton *swapButton() const { return m_swapButton; }
    // The audience sees no button; their window offers the swap in its
    // context menu instead.
    void setSwapButtonAllowed(bool allowed);

public Q_SLOTS:
    void setTrampMode(data::model::TrampMode trampMode);
    void setIndividualResult(const data::model::IndividualRoutineResult &result);
    void setSynchronizedResult(const data::model::SynchronizedRoutineResult &result);
    void reset();
    void swap();

private:
    void setSynchronized(bool synchronized);
    void placeReadouts();

    ResultReadout *m_readout1 = nullptr;
    ResultReadout *m_readout2 = nullptr;
    QVBoxLayout *m_readoutLayout = nullptr;
    QToolButton *m_swapButton = nullptr;
    bool m_synchronized = false;
    bool m_swapped = false;
    bool m_swapButtonAllowed = true;
};
