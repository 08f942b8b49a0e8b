#pragma once

#include <QObject>
#include <QPointer>

class QAbstractItemView;
class QComboBox;
class QMenuBar;
class QWidget;

// Keeps the operator's keys with the main window wherever its keyboard
// focus is: the next-step keys and X that a control of the window would
// take for itself (Space opens a combo list, presses a button, selects a
// list row, opens a menu of the menu bar) go to the window instead; text
// fields keep every key. After a choice in a combo box or list the focus
// goes back to the window, and an Escape that closes a menu of the menu bar
// leaves the menu bar as well.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void returnFocus();
    void leaveMenuBar();

    QPointer<QWidget> m_window;
    QPointer<QMenuBar> m_menuBar;
};
