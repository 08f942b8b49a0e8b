#pragma once

#include <QObject>

// Competition rules that change the evaluation and the operator's cues.
class RulesSettings : public QObject
{
    Q_OBJECT
public:
    explicit RulesSettings(QObject *parent = nullptr) : QObject(parent) {}

    bool playWarningSound() const { return m_playWarningSound; }
    void setPlayWarningSound(bool play) { m_playWarningSound = play; }
    // 0 or 1: which table of horizontal displacement deductions applies.
    int hdDeductionRule() const { return m_hdDeductionRule; }
    void setHdDeductionRule(int rule) { m_hdDeductionRule = rule; }

private:
    bool m_playWarningSound = true;
    int m_hdDeductionRule = 0;
};
