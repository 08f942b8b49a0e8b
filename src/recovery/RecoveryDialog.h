#pragma once

#include "recovery/LastChanceRecovery.h"

#include <QDialog>

class QLabel;
class QRadioButton;
class QSlider;
class RecoveryChartFrame;

// Lets the operator pick a stretch of the last-chance ring, the routine's
// begin inside it and the trampoline mode it is replayed in.
class RecoveryDialog : public QDialog
{
    Q_OBJECT
public:
    RecoveryDialog(const LastChanceRecovery &ring, RecoverySelection &selection, QWidget *parent = nullptr);

    QSlider *fromSlider() const { return m_fromSlider; }
    QSlider *toSlider() const { return m_toSlider; }
    QSlider *beginSlider() const { return m_beginSlider; }
    QLabel *fromLabel() const { return m_fromLabel; }
    QLabel *toLabel() const { return m_toLabel; }
    QLabel *beginLabel() const { return m_beginLabel; }
    QRadioButton *tramp1RadioButton() const { return m_tramp1RadioButton; }
    QRadioButton *tramp2RadioButton() const { return m_tramp2RadioButton; }
    QRadioButton *syncRadioButton() const { return m_syncRadioButton; }
    RecoveryChartFrame *overview() const { return m_overview; }
    RecoveryChartFrame *detail() const { return m_detail; }
    // Whose routine the begin lies in, as the ring marked it.
    QLabel *athleteLabel() const { return m_athleteLabel; }
    // Until the operator picks a trampoline, the choice follows the data:
    // the mode of the routine the begin lies in, else the beds that jump in
    // the chosen stretch.
    bool modeFollowsData() const { return m_modeFollowsData; }

public Q_SLOTS:
    void accept() override;

private:
    QString timeText(int k) const;
    void fromChanged(int value);
    void toChanged(int value);
    void beginChanged(int value);
    void updateCurves();
    void followData();

    const LastChanceRecovery &m_ring;
    RecoverySelection &m_selection;
    QRadioButton *m_tramp1RadioButton = nullptr;
    QRadioButton *m_tramp2RadioButton = nullptr;
    QRadioButton *m_syncRadioButton = nullptr;
    QSlider *m_fromSlider = nullptr;
    QSlider *m_toSlider = nullptr;
    QSlider *m_beginSlider = nullptr;
    QLabel *m_fromLabel = nullptr;
    QLabel *m_toLabel = nullptr;
    QLabel *m_beginLabel = nullptr;
    RecoveryChartFrame *m_overview = nullptr;
    RecoveryChartFrame *m_detail = nullptr;
    QLabel *m_athleteLabel = nullptr;
    bool m_modeFollowsData = true;
};
