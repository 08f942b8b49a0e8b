#include "state/FocusDecision.h"

#include <QWindow>

namespace ovra::state {

FocusChange focusChangeFor(const QWindow *focus, const QWindow *main)
{
    if (focus == nullptr)
        return FocusChange::Lost;
    // Some platforms hand the focus to a tool tip or a notification for a
    // moment; neither takes a key.
    if (focus->type() == Qt::ToolTip || focus->flags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return FocusChange::Unchanged;
    // A popup belongs to the window that opened it (its transient parent);
    // a submenu to its menu, and so on up to a window that is no popup. The
    // audience windows never take the keyboard: a context menu opened there
    // is the main window's as well.
    for (const QWindow *window = focus; window != nullptr; window = window->transientParent()) {
        if (window == main)
            return FocusChange::Gained;
        if (window->type() != Qt::Popup && !window->flags().testFlag(Qt::WindowDoesNotAcceptFocus))
            break;
    }
    return FocusChange::Lost;
}

} // namespace ovra::state
