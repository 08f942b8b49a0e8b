#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class HorizontalDisplacementResultWidget;
class QAction;
class QLabel;
class QState;
class TofSynResultWidget;
class TrampolineWidget;

// Set on the audience windows: they never take the keyboard, and a key that
// reaches them anyway belongs to the operator's main window.
inline constexpr char kAudienceWindowProperty[] = "audienceWindow";

// The states of the measurement machine whose entry changes the state
// labels of the result window. Any of them may be null (not wired).
struct SecondScreenStates
{
    QState *disconnected = nullptr;
    QState *display = nullptr;
    QState *disconnectedCommit = nullptr;
    QState *ready = nullptr;
    QState *start = nullptr;
    QState *routine = nullptr;
    QState *review = nullptr;
    QState *connectedCommit = nullptr;
};

// A state label whose "shown" property is its own show/hide flag. The state
// machine saves a property when a state is entered and restores it when the
// state is left; "visible" would read false for every label of a hidden
// state column and hide the labels for good when restored.
class StatePill : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool shown READ isShown WRITE setShown)
public:
    using QLabel::QLabel;
    bool isShown() const { return !isHidden(); }
    void setShown(bool shown) { setVisible(shown); }
};

// Both beds for the audience, meant to be dragged onto a second screen.
class SecondScreenTrampolineWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit SecondScreenTrampolineWindow(QWidget *parent = nullptr);

    TrampolineWidget *trampoline1Widget() const { return m_trampoline1; }
    TrampolineWidget *trampoline2Widget() const { return m_trampoline2; }
    QAction *fullScreenAction() const { return m_fullScreen; }

public Q_SLOTS:
    void setFullScreen(bool fullScreen);

private:
    TrampolineWidget *m_trampoline1 = nullptr;
    TrampolineWidget *m_trampoline2 = nullptr;
    QAction *m_fullScreen = nullptr;
};

// The routine state and the HD and ToF/Syn results for the audience.
class SecondScreenResultWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit SecondScreenResultWindow(QWidget *parent = nullptr);

    QWidget *stateWidget() const { return m_stateWidget; }
    QLabel *labelStateReady() const { return m_ready; }
    QLabel *labelStateStart() const { return m_start; }
    QLabel *labelStateRoutine() const { return m_routine; }
    QLabel *labelStateReview() const { return m_review; }
    HorizontalDisplacementResultWidget *horizontalDisplacementResultWidget() const { return m_hd; }
    TofSynResultWidget *tofSynResultWidget() const { return m_tofSyn; }
    QAction *fullScreenAction() const { return m_fullScreen; }
    QAction *showStateWidgetAction() const { return m_showStateWidget; }
    // Exchanges the two HD read-outs of a synchronized routine, so that they
    // stand where the beds stand as the audience sees them.
    QAction *swapTrampolinesAction() const { return m_swapTrampolines; }
    // "show personal best" (off at first): the athlete's personal best
    // total time of flight beside the live total.
    QAction *showPersonalBestAction() const { return m_showPersonalBest; }
    QLabel *personalBestLabel() const { return m_personalBest; }

    // Lets the states switch the labels on entry; the machine's restore
    // policy switches them back on leaving. Takes effect from the next entry.
    void assignStateProperties(const SecondScreenStates &states);

public Q_SLOTS:
    void setFullScreen(bool fullScreen);
    void showStateWidget(bool show);
    // The text of the personal best; empty when the athlete has none.
    void setPersonalBest(const QString &text);

private:
    void showPersonalBest();

    QWidget *m_stateWidget = nullptr;
    QLabel *m_ready = nullptr;
    QLabel *m_start = nullptr;
    QLabel *m_routine = nullptr;
    QLabel *m_review = nullptr;
    HorizontalDisplacementResultWidget *m_hd = nullptr;
    TofSynResultWidget *m_tofSyn = nullptr;
    QAction *m_fullScreen = nullptr;
    QAction *m_showStateWidget = nullptr;
    QAction *m_swapTrampolines = nullptr;
    QAction *m_showPersonalBest = nullptr;
    QLabel *m_personalBest = nullptr;
};

// Opens and closes one second-screen window from a checkable action: checking
// creates a fresh window, unchecking closes it, and a window closed in any
// other way (title bar, parent closing) unchecks the action. The main window
// keeps one of these per window and calls toggle() from its slot.
class SecondScreenToggle : public QObject
{
    Q_OBJECT
public:
    // Creates the window with the given parent and wires it; called on
    // every check of the action.
    using Factory = std::function<QMainWindow *(QWidget *parent)>;

    SecondScreenToggle(QAction *action, QWidget *parentWindow, Factory factory, QObject *parent = nullptr);

    QMainWindow *window() const { return m_window.data(); }

public Q_SLOTS:
    void toggle(bool show);

private:
    QPointer<QAction> m_action;
    QPointer<QWidget> m_parentWindow;
    Factory m_factory;
    QPointer<QMainWindow> m_window;
};
