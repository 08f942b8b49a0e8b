#include "config/RulesDialog.h"

#include "settings/RulesSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>
#include <QVBoxLayout>

RulesDialog::RulesDialog(RulesSettings &rulesSettings, QWidget *parent)
    : QDialog(parent)
    , m_rulesSettings(rulesSettings)
{
    setObjectName(QStringLiteral("RulesDialog"));
    setWindowTitle(tr("Rules Dialog"));
    auto *layout = new QVBoxLayout(this);

    auto *soundRow = new QHBoxLayout;
    m_warningSound = new QCheckBox(tr("Play warning sound after 151s"), this);
    m_warningSound->setObjectName(QStringLiteral("warningSoundCheckBox"));
    m_testButton = new QPushButton(tr("Test"), this);
    m_testButton->setObjectName(QStringLiteral("testButton"));
    soundRow->addWidget(m_warningSound, 1);
    soundRow->addWidget(m_testButton);
    layout->addLayout(soundRow);

    auto *form = new QFormLayout;
    m_hdDeductions = new QComboBox(this);
    m_hdDeductions->setObjectName(QStringLiteral("hdDeductionsComboBox"));
    m_hdDeductions->addItems({tr("up to 0.3 (2026)"), tr("up to 0.5 (2027)")});
    form->addRow(tr("Horizontal Displacement Deductions"), m_hdDeductions);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RulesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RulesDialog::reject);
    connect(m_testButton, &QPushButton::clicked, this, &RulesDialog::playTestSound);

    m_sound = new QSoundEffect(this);
    m_sound->setSource(QUrl(QStringLiteral("qrc:/sound/ding.wav")));
    m_sound->setVolume(0.25F);
    m_sound->setLoopCount(1);

    m_warningSound->setChecked(m_rulesSettings.playWarningSound());
    // A rule this program does not know shows the first table; it is stored
    // only if the operator accepts.
    const int rule = m_rulesSettings.hdDeductionRule();
    m_hdDeductions->setCurrentIndex(rule >= 0 && rule < m_hdDeductions->count() ? rule : 0);
}

void RulesDialog::playTestSound()
{
    ++m_testPlays;
    m_sound->play();
}

void RulesDialog::accept()
{
    m_rulesSettings.setPlayWarningSound(m_warningSound->isChecked());
    m_rulesSettings.setHdDeductionRule(m_hdDeductions->currentIndex());
    QDialog::accept();
}
