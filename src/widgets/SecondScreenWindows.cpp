#include "widgets/SecondScreenWindows.h"

#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QAction>
#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QState>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QAction *addCheckableAction(QWidget *window, const QString &text)
{
    auto *action = new QAction(text, window);
    action->setCheckable(true);
    action->setChecked(false);
    window->addAction(action);
    return action;
}

// Gives the activation back to the main window where a platform activates
// an audience window all the same (on showing it, say).
class ActivationReturn final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowActivate && window && window->parentWidget()) {
            QPointer<QWidget> main = window->parentWidget()->window();
            QTimer::singleShot(0, main, [main] {
                if (main && main->isVisible())
                    main->activateWindow();
            });
        }
        return false;
    }
};

// The audience windows show and never take the keyboard: a click on one
// (for its context menu, or by mistake) leaves the operator's keys with the
// main window. Called once the window has its children.
void keepKeyboardAway(QMainWindow *window)
{
    window->setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->setProperty(kAudienceWindowProperty, true);
    window->setFocusPolicy(Qt::NoFocus);
    for (QWidget *child : window->findChildren<QWidget *>())
        child->setFocusPolicy(Qt::NoFocus);
    window->installEventFilter(new ActivationReturn(window));
}

QLabel *makeStateLabel(QWidget *parent, const QString &text, const char *objectName, const char *colour)
{
    auto *label = new StatePill(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(140, 44);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("QLabel:enabled { color: white; background-color: %1; "
                                        "border-radius: 20px; padding: 4px 12px; }"
                                        "QLabel:disabled { color: rgb(170, 170, 170); "
                                        "background-color: transparent; }")
                             .arg(QLatin1String(colour)));
    label->setEnabled(false);
    // Hidden labels keep their place so the column does not jump.
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace

SecondScreenTrampolineWindow::SecondScreenTrampolineWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("SecondScreenTrampolineWindow"));
    setWindowTitle(tr("Trampoline"));
    resize(800, 600);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    m_trampoline2 = new TrampolineWidget(central);
    m_trampoline2->setObjectName(QStringLiteral("trampoline2Widget"));
    m_trampoline2->setProperty("title", tr("TRAMPOLINE 2"));
    m_trampoline2->setProperty("showSensorPositions", false);
    m_trampoline2->setProperty("trampoline", 1);
    m_trampoline1 = new TrampolineWidget(central);
    m_trampoline1->setObjectName(QStringLiteral("trampoline1Widget"));
    m_trampoline1->setProperty("title", tr("TRAMPOLINE 1"));
    m_trampoline1->setProperty("showSensorPositions", false);
    m_trampoline1->setProperty("trampoline", 0);
    layout->addWidget(m_trampoline2);
    layout->addWidget(m_trampoline1);
    setCentralWidget(central);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    m_fullScreen = addCheckableAction(this, tr("full screen"));
    connect(m_fullScreen, &QAction::toggled, this, &SecondScreenTrampolineWindow::setFullScreen);
    keepKeyboardAway(this);
}

void SecondScreenTrampolineWindow::setFullScreen(bool fullScreen)
{
    if (fullScreen)
        showFullScreen();
    else
        showNormal();
}

SecondScreenResultWindow::SecondScreenResultWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("SecondScreenResultWindow"));
    setWindowTitle(tr("Results"));
    resize(800, 600);

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    m_stateWidget = new QWidget(central);
    m_stateWidget->setObjectName(QStringLiteral("stateWidget"));
    auto *states = new QVBoxLayout(m_stateWidget);
    m_ready = makeStateLabel(m_stateWidget, tr("READY"), "labelStateReady", "rgb(0, 150, 60)");
    m_start = makeStateLabel(m_stateWidget, tr("START"), "labelStateStart", "rgb(220, 180, 0)");
    m_routine = makeStateLabel(m_stateWidget, tr("ROUTINE"), "labelStateRoutine", "rgb(200, 30, 30)");
    m_review = makeStateLabel(m_stateWidget, tr("REVIEW"), "labelStateReview", "rgb(30, 90, 200)");
    states->addStretch(1);
    for (QLabel *label : {m_ready, m_start, m_routine, m_review})
        states->addWidget(label);
    states->addStretch(1);

    auto *results = new QVBoxLayout;
    m_hd = new HorizontalDisplacementResultWidget(central);
    m_hd->setSwapButtonAllowed(false);
    m_tofSyn = new TofSynResultWidget(central);
    results->addWidget(m_hd, 1);
    results->addWidget(m_tofSyn, 1);
    m_personalBest = new QLabel(central);
    m_personalBest->setObjectName(QStringLiteral("personalBestLabel"));
    m_personalBest->setAlignment(Qt::AlignCenter);
    QFont bestFont = m_personalBest->font();
    bestFont.setPointSizeF(bestFont.pointSizeF() * 2.0);
    bestFont.setBold(true);
    m_personalBest->setFont(bestFont);
    m_personalBest->hide();
    results->addWidget(m_personalBest);

    layout->addWidget(m_stateWidget);
    layout->addLayout(results, 1);
    setCentralWidget(central);
    m_stateWidget->hide();

    setContextMenuPolicy(Qt::ActionsContextMenu);
    m_fullScreen = addCheckableAction(this, tr("full screen"));
    connect(m_fullScreen, &QAction::toggled, this, &SecondScreenResultWindow::setFullScreen);
    m_showStateWidget = addCheckableAction(this, tr("show state widget"));
    connect(m_showStateWidget, &QAction::toggled, this, &SecondScreenResultWindow::showStateWidget);
    m_swapTrampolines = new QAction(tr("swap trampolines"), this);
    m_swapTrampolines->setObjectName(QStringLiteral("actionSwapTrampolines"));
    addAction(m_swapTrampolines);
    connect(m_swapTrampolines, &QAction::triggered, m_hd, &HorizontalDisplacementResultWidget::swap);
    m_showPersonalBest = addCheckableAction(this, tr("show personal best"));
    connect(m_showPersonalBest, &QAction::toggled, this, &SecondScreenResultWindow::showPersonalBest);
    keepKeyboardAway(this);
}

void SecondScreenResultWindow::setPersonalBest(const QString &text)
{
    m_personalBest->setText(text);
    showPersonalBest();
}

void SecondScreenResultWindow::showPersonalBest()
{
    m_personalBest->setVisible(m_showPersonalBest->isChecked() && !m_personalBest->text().isEmpty());
}

void SecondScreenResultWindow::setFullScreen(bool fullScreen)
{
    if (fullScreen)
        showFullScreen();
    else
        showNormal();
}

void SecondScreenResultWindow::showStateWidget(bool show)
{
    m_stateWidget->setVisible(show);
}

void SecondScreenResultWindow::assignStateProperties(const SecondScreenStates &states)
{
    const auto enable = [](QState *state, QLabel *label) {
        if (state != nullptr)
            state->assignProperty(label, "enabled", true);
    };
    const auto show = [](QState *state, QLabel *label) {
        if (state != nullptr)
            state->assignProperty(label, "shown", true);
    };
    enable(states.ready, m_ready);
    enable(states.start, m_start);
    enable(states.routine, m_routine);
    enable(states.review, m_review);
    enable(states.connectedCommit, m_review);
    if (states.disconnected != nullptr) {
        for (QLabel *label : {m_ready, m_start, m_routine, m_review})
            states.disconnected->assignProperty(label, "shown", false);
    }
    for (QState *state : {states.display, states.disconnectedCommit}) {
        show(state, m_review);
        enable(state, m_review);
    }
}

SecondScreenToggle::SecondScreenToggle(QAction *action, QWidget *parentWindow, Factory factory,
                                       QObject *parent)
    : QObject(parent)
    , m_action(action)
    , m_parentWindow(parentWindow)
    , m_factory(std::move(factory))
{
    Q_ASSERT(action != nullptr);
    Q_ASSERT(m_factory);
}

void SecondScreenToggle::toggle(bool show)
{
    if (!show) {
        if (m_window)
            m_window->close();
        return;
    }
    if (m_window) {
        // Already open (or closing): bring it forward rather than open a
        // second one; it never takes the keyboard.
        m_window->raise();
        return;
    }
    QMainWindow *window = m_factory ? m_factory(m_parentWindow.data()) : nullptr;
    if (window == nullptr) {
        qWarning() << "Could not open the second-screen window";
        if (m_action)
            m_action->setChecked(false);
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose, true);
    m_window = window;
    if (m_action) {
        QAction *action = m_action.data();
        connect(window, &QObject::destroyed, action, [action]() { action->setChecked(false); });
    }
    window->show();
}
