#include "widgets/ResultReadout.h"

#include <QLabel>
#include <QVBoxLayout>

ResultReadout::ResultReadout(QWidget *parent)
    : QFrame(parent)
    , m_title(new QLabel(this))
    , m_value(new QLabel(this))
{
    setFrameShape(QFrame::StyledPanel);
    m_title->setObjectName(QStringLiteral("readoutTitle"));
    m_value->setObjectName(QStringLiteral("readoutValue"));
    m_title->setAlignment(Qt::AlignCenter);
    m_value->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    QFont valueFont = m_value->font();
    valueFont.setPointSizeF(valueFont.pointSizeF() * 4.0);
    valueFont.setBold(true);
    m_value->setFont(valueFont);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_title);
    layout->addWidget(m_value, 1);
}

QString ResultReadout::title() const
{
    return m_title->text();
}

QString ResultReadout::value() const
{
    return m_value->text();
}

void ResultReadout::setTitle(const QString &title)
{
    m_title->setText(title);
}

void ResultReadout::setValue(const QString &value)
{
    m_value->setText(value);
}
