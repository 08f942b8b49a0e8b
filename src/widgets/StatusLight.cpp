#include "widgets/StatusLight.h"

#include <QStyle>

StatusLight::StatusLight(QWidget *parent)
    : QLabel(parent)
{
    setFixedSize(12, 12);
    setStyleSheet(
        QStringLiteral("QLabel { border-radius: 6px; border: 2px solid #c8b400; }"
                       "QLabel[status=\"success\"] { border-color: #2e9d4a; background-color: #2e9d4a; }"
                       "QLabel[status=\"failed\"] { border-color: #d03030; background-color: #d03030; }"
                       "QLabel[status=\"off\"] { border-color: #9a9a9a; background-color: #c8c8c8; }"));
    setStatus(QStringLiteral("unknown"));
}

void StatusLight::setStatus(const QString &status)
{
    setProperty("status", status);
    // A dynamic property change does not restyle by itself.
    style()->unpolish(this);
    style()->polish(this);
    update();
}
