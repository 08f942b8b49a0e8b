#pragma once

#include <QObject>
#include <QPointer>

class QAbstractItemView;
class QComboBox;
class QKeyEvent;
class QMenuBar;
class QWidget;

// Keeps the operator's keys with the main window wherever its keyboard
// focus is: the next-step keys and X that a control of the window would
// take for itself (Space opens a combo list, presses a button, selects a
// list row, opens a menu of the menu bar) go to the window instead; text
// fields keep every key. After a choice in a combo box or list the focus
// goes back to the window, and an Escape that closes a menu of the menu bar
// leaves the menu bar as well. A key that reaches an audience window (which
// should never have the keyboard) goes to the window too.
//
// The Escapes that a menu, the menu bar or an open popup took are theirs:
// isMenuEscape tells the window not to count them as its own.
class KeyboardFocusKeeper : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the application; `window` receives the keys.
    KeyboardFocusKeeper(QWidget *window, QMenuBar *menuBar);
    ~KeyboardFocusKeeper() override;

    // Every combo box and item view inside `panel` hands the focus back to
    // the window after a choice.
    void returnFocusAfterChoices(QWidget *panel);

    // The Escape being delivered was a menu's (it was given to a menu, the
    // menu bar or an open popup first, or the keeper sent it to leave the
    // menu bar) and reached the window only on its way up.
    bool isMenuEscape(const QKeyEvent *event) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void returnFocus();
    void leaveMenuBar();

    QPointer<QWidget> m_window;
    QPointer<QMenuBar> m_menuBar;
    // The Escape a menu took, or the one the keeper sent, while it is
    // delivered; compared by identity.
    const QKeyEvent *m_menuEscape = nullptr;
};
