#include "widgets/StateWidget.h"

#include <QLabel>
#include <QVBoxLayout>

StateWidget::StateWidget(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("stateWidget"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    m_disconnected = addPill("labelStateDisconnected", tr("NO USB"),
                             QStringLiteral("color: white; background-color: #d03030;"));
    m_ready =
        addPill("labelStateReady", tr("READY"), QStringLiteral("color: white; background-color: #2e9d4a;"));
    m_start =
        addPill("labelStateStart", tr("START"), QStringLiteral("color: white; background-color: #d8b820;"));
    m_routine = addPill("labelStateRoutine", tr("ROUTINE"),
                        QStringLiteral("color: white; background-color: #e07820;"));
    m_review =
        addPill("labelStateReview", tr("REVIEW"), QStringLiteral("color: white; background-color: #3070d0;"));
    m_diagnostic = addPill("labelStateDiagnostic", tr("DIAGNOSIS"),
                           QStringLiteral("color: white; background-color: #8050b0;"));
    m_pause =
        addPill("labelStatePause", tr("PAUSE"), QStringLiteral("color: white; background-color: #607080;"));
    layout->addStretch();

    m_disconnected->setEnabled(true);
    for (QLabel *label : {m_ready, m_start, m_routine, m_review})
        label->setEnabled(false);
    m_diagnostic->setVisible(false);
    m_pause->setEnabled(false);
    m_pause->setVisible(false);
}

QLabel *StateWidget::addPill(const char *objectName, const QString &text, const QString &enabledColors)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumHeight(24);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("QLabel { border-radius: 11px; padding: 2px 10px; }"
                                        "QLabel:enabled { %1 }"
                                        "QLabel:disabled { color: #a0a0a0; background-color: transparent; }")
                             .arg(enabledColors));
    // Hidden pills keep their place so the column does not jump.
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    layout()->addWidget(label);
    return label;
}
