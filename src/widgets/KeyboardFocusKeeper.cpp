#include "widgets/KeyboardFocusKeeper.h"

#include "state/OperatorKeys.h"
#include "widgets/SecondScreenWindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

KeyboardFocusKeeper::KeyboardFocusKeeper(QWidget *window, QMenuBar *menuBar)
    : QObject(window)
    , m_window(window)
    , m_menuBar(menuBar)
{
    qApp->installEventFilter(this);
}

KeyboardFocusKeeper::~KeyboardFocusKeeper()
{
    qApp->removeEventFilter(this);
}

void KeyboardFocusKeeper::returnFocusAfterChoices(QWidget *panel)
{
    if (panel == nullptr)
        return;
    for (QComboBox *combo : panel->findChildren<QComboBox *>())
        connect(combo, &QComboBox::activated, this, &KeyboardFocusKeeper::returnFocus);
    for (QAbstractItemView *view : panel->findChildren<QAbstractItemView *>()) {
        // A combo box's own list is handled with the combo box.
        if (qobject_cast<QComboBox *>(view->parentWidget()) == nullptr)
            connect(view, &QAbstractItemView::activated, this, &KeyboardFocusKeeper::returnFocus);
    }
}

void KeyboardFocusKeeper::returnFocus()
{
    if (m_window)
        m_window->setFocus(Qt::OtherFocusReason);
}

void KeyboardFocusKeeper::leaveMenuBar()
{
    // The menu bar leaves its keyboard navigation on Escape and gives the
    // focus back to the widget that had it.
    if (m_menuBar && m_menuBar->hasFocus() && QApplication::activePopupWidget() == nullptr) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        m_menuEscape = &escape;
        QCoreApplication::sendEvent(m_menuBar, &escape);
        m_menuEscape = nullptr;
    }
}

bool KeyboardFocusKeeper::isMenuEscape(const QKeyEvent *event) const
{
    return event != nullptr && event == m_menuEscape;
}

bool KeyboardFocusKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || m_window == nullptr)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape && m_menuEscape != key &&
        (qobject_cast<QMenu *>(watched) != nullptr || watched == m_menuBar ||
         QApplication::activePopupWidget() != nullptr)) {
        // Seen by a menu, the menu bar or an open popup: the Escape is
        // theirs wherever it travels on to. Its delivery ends before the
        // next event is taken, so the mark goes then: no later key can be
        // taken for it.
        m_menuEscape = key;
        QMetaObject::invokeMethod(
            this, [this] { m_menuEscape = nullptr; }, Qt::QueuedConnection);
    }
    if (key->key() == Qt::Key_Escape && qobject_cast<QMenu *>(watched) != nullptr) {
        // A menu of the menu bar closed by Escape leaves the bar in keyboard
        // navigation, where Space would open the menu again.
        QMetaObject::invokeMethod(this, &KeyboardFocusKeeper::leaveMenuBar, Qt::QueuedConnection);
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget == nullptr || widget == m_window)
        return false;
    if (widget->window() != m_window) {
        // An audience window keeps no key: whatever reached it was meant for
        // the operator's window.
        if (!widget->window()->property(kAudienceWindowProperty).toBool() ||
            widget->window()->parentWidget() == nullptr ||
            widget->window()->parentWidget()->window() != m_window)
            return false;
        QKeyEvent forwarded(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                            static_cast<quint16>(key->count()));
        QCoreApplication::sendEvent(m_window, &forwarded);
        key->accept();
        return true;
    }
    if (!OperatorKeys::isRoutineKey(key->key(), key->modifiers()))
        return false;
    // Text fields take every key that types.
    if (widget->testAttribute(Qt::WA_InputMethodEnabled))
        return false;
    if (widget == m_menuBar)
        leaveMenuBar();
    QCoreApplication::sendEvent(m_window, key);
    // Taken: the event must not travel on to the control's parents, which
    // would hand it to the window again.
    key->accept();
    return true;
}
