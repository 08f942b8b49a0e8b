#pragma once

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace ovra::widgets {

// Sets a dynamic property that the style sheet selects on; such a change
// does not restyle the widget by itself.
inline void setStyleProperty(QWidget *widget, const char *name, const QVariant &value)
{
    widget->setProperty(name, value);
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

} // namespace ovra::widgets
