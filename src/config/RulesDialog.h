#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSoundEffect;
class RulesSettings;

// The competition rules that change the evaluation and the operator's cues:
// the warning sound after 151 s (with a button to hear it) and the table of
// horizontal displacement deductions. Stored only when accepted.
class RulesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RulesDialog(RulesSettings &rulesSettings, QWidget *parent = nullptr);

    QCheckBox *warningSoundCheckBox() const { return m_warningSound; }
    QPushButton *testButton() const { return m_testButton; }
    QComboBox *hdDeductionsComboBox() const { return m_hdDeductions; }
    int testPlayCount() const { return m_testPlays; }

public Q_SLOTS:
    void accept() override;
    void playTestSound();

private:
    RulesSettings &m_rulesSettings;
    QCheckBox *m_warningSound = nullptr;
    QPushButton *m_testButton = nullptr;
    QComboBox *m_hdDeductions = nullptr;
    QSoundEffect *m_sound = nullptr;
    int m_testPlays = 0;
};
