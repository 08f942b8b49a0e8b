#include "support/TestSupport.h"
#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/SecondScreenWindows.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QFinalState>
#include <QStateMachine>

namespace {

// Drives the test machine: one signal per step.
class Driver : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    void next();
    void disconnect();
};

} // namespace

class TestSecondScreens : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void trampolineWindowHoldsBothBeds();
    void resultWindowStartsWithItsStateColumnHidden();
    void fullScreenAndBack();
    void closingAWindowUnchecksItsAction();
    void uncheckingTheActionClosesTheWindow();
    void stateLabelsFollowTheMachine();
    void hiddenStateColumnKeepsItsLabels();
};

void TestSecondScreens::trampolineWindowHoldsBothBeds()
{
    SecondScreenTrampolineWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("SecondScreenTrampolineWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Trampoline"));
    QCOMPARE(window.size(), QSize(800, 600));
    auto *layout = qobject_cast<QVBoxLayout *>(window.centralWidget()->layout());
    QVERIFY(layout);
    QCOMPARE(layout->itemAt(0)->widget(), window.trampoline2Widget());
    QCOMPARE(layout->itemAt(1)->widget(), window.trampoline1Widget());
    QCOMPARE(window.trampoline2Widget()->property("title").toString(), QStringLiteral("TRAMPOLINE 2"));
    QCOMPARE(window.trampoline1Widget()->property("title").toString(), QStringLiteral("TRAMPOLINE 1"));
    QVERIFY(!window.trampoline1Widget()->property("showSensorPositions").toBool());
    QVERIFY(!window.trampoline2Widget()->property("showSensorPositions").toBool());
    QCOMPARE(window.actions().size(), 1);
    QCOMPARE(window.fullScreenAction()->text(), QStringLiteral("full screen"));
    QVERIFY(window.fullScreenAction()->isCheckable());
    QVERIFY(!window.fullScreenAction()->isChecked());
    QCOMPARE(window.contextMenuPolicy(), Qt::ActionsContextMenu);

    // Each bed follows its own trampoline's mode.
    window.trampoline1Widget()->setTrampMode(data::model::TrampMode::Trampoline2);
    window.trampoline2Widget()->setTrampMode(data::model::TrampMode::Trampoline2);
    QVERIFY(!window.trampoline1Widget()->isActive());
    QVERIFY(window.trampoline2Widget()->isActive());
}

void TestSecondScreens::resultWindowStartsWithItsStateColumnHidden()
{
    SecondScreenResultWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.objectName(), QStringLiteral("SecondScreenResultWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Results"));
    QCOMPARE(window.stateWidget()->objectName(), QStringLiteral("stateWidget"));
    QVERIFY(!window.stateWidget()->isVisible());
    const QList<QLabel *> labels{window.labelStateReady(), window.labelStateStart(),
                                 window.labelStateRoutine(), window.labelStateReview()};
    const QStringList names{"labelStateReady", "labelStateStart", "labelStateRoutine",
                            "labelStateReview"};
    for (int i = 0; i < labels.size(); ++i) {
        QCOMPARE(labels[i]->objectName(), names[i]);
        QVERIFY(!labels[i]->isEnabled());
        QVERIFY(!labels[i]->isHidden());
    }
    QVERIFY(window.horizontalDisplacementResultWidget()->isVisible());
    QVERIFY(window.tofSynResultWidget()->isVisible());

    QCOMPARE(window.showStateWidgetAction()->text(), QStringLiteral("show state widget"));
    QVERIFY(!window.showStateWidgetAction()->isChecked());
    window.showStateWidgetAction()->trigger();
    QVERIFY(window.stateWidget()->isVisible());
    window.showStateWidgetAction()->trigger();
    QVERIFY(!window.stateWidget()->isVisible());
}

void TestSecondScreens::fullScreenAndBack()
{
    SecondScreenResultWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.fullScreenAction()->trigger();
    QTRY_VERIFY(window.windowState() & Qt::WindowFullScreen);
    window.fullScreenAction()->trigger();
    QTRY_VERIFY(!(window.windowState() & Qt::WindowFullScreen));
    QCOMPARE(window.size(), QSize(800, 600));
}

void TestSecondScreens::closingAWindowUnchecksItsAction()
{
    QMainWindow main;
    QAction action(QStringLiteral("Result Window"));
    action.setCheckable(true);
    int created = 0;
    SecondScreenToggle toggle(&action, &main, [&created](QWidget *parent) -> QMainWindow * {
        ++created;
        return new SecondScreenResultWindow(parent);
    });
    connect(&action, &QAction::toggled, &toggle, &SecondScreenToggle::toggle);

    action.setChecked(true);
    QCOMPARE(created, 1);
    QPointer<QMainWindow> first = toggle.window();
    QVERIFY(first);
    QCOMPARE(first->parentWidget(), &main);
    QVERIFY(first->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(first->isVisible());

    // The title bar's close button.
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(!action.isChecked());
    QVERIFY(toggle.window() == nullptr);

    // Checking again opens a fresh window.
    action.setChecked(true);
    QCOMPARE(created, 2);
    QVERIFY(toggle.window() != nullptr);
    QPointer<QMainWindow> second = toggle.window();
    // Closing with the main window (its parent) unchecks too.
    delete second.data();
    QVERIFY(!action.isChecked());
}

void TestSecondScreens::uncheckingTheActionClosesTheWindow()
{
    QMainWindow main;
    QAction action;
    action.setCheckable(true);
    SecondScreenToggle toggle(&action, &main,
                              [](QWidget *parent) { return new SecondScreenTrampolineWindow(parent); });
    connect(&action, &QAction::toggled, &toggle, &SecondScreenToggle::toggle);
    action.setChecked(true);
    QPointer<QMainWindow> window = toggle.window();
    QVERIFY(qobject_cast<SecondScreenTrampolineWindow *>(window.data()));
    action.setChecked(false);
    QTRY_VERIFY(window.isNull());
    QVERIFY(!action.isChecked());

    // A factory that cannot make a window leaves the action unchecked.
    QAction other;
    other.setCheckable(true);
    SecondScreenToggle failing(&other, &main, [](QWidget *) { return nullptr; });
    connect(&other, &QAction::toggled, &failing, &SecondScreenToggle::toggle);
    QTest::ignoreMessage(QtWarningMsg, "Could not open the second-screen window");
    other.setChecked(true);
    QVERIFY(!other.isChecked());
    QVERIFY(failing.window() == nullptr);
}

void TestSecondScreens::stateLabelsFollowTheMachine()
{
    QStateMachine machine;
    machine.setGlobalRestorePolicy(QState::RestoreProperties);
    auto *connected = new QState(&machine);
    auto *disconnected = new QState(&machine);
    auto *wait = new QState(disconnected);
    auto *display = new QState(disconnected);
    auto *ready = new QState(connected);
    auto *start = new QState(connected);
    auto *routine = new QState(connected);
    auto *review = new QState(connected);
    disconnected->setInitialState(wait);
    connected->setInitialState(ready);
    machine.setInitialState(connected);
    Driver driver;
    ready->addTransition(&driver, &Driver::next, start);
    start->addTransition(&driver, &Driver::next, routine);
    routine->addTransition(&driver, &Driver::next, review);
    review->addTransition(&driver, &Driver::disconnect, display);
    display->addTransition(&driver, &Driver::next, wait);

    SecondScreenResultWindow window;
    window.showStateWidgetAction()->trigger();
    window.show();
    SecondScreenStates states;
    states.disconnected = disconnected;
    states.display = display;
    states.ready = ready;
    states.start = start;
    states.routine = routine;
    states.review = review;
    window.assignStateProperties(states);

    machine.start();
    QTRY_VERIFY(machine.configuration().contains(ready));
    QVERIFY(window.labelStateReady()->isEnabled());
    QVERIFY(!window.labelStateStart()->isEnabled());

    Q_EMIT driver.next();
    QTRY_VERIFY(machine.configuration().contains(start));
    QVERIFY(!window.labelStateReady()->isEnabled());
    QVERIFY(window.labelStateStart()->isEnabled());
    Q_EMIT driver.next();
    QTRY_VERIFY(machine.configuration().contains(routine));
    QVERIFY(window.labelStateRoutine()->isEnabled());
    Q_EMIT driver.next();
    QTRY_VERIFY(machine.configuration().contains(review));
    QVERIFY(window.labelStateReview()->isEnabled());
    QVERIFY(!window.labelStateRoutine()->isEnabled());

    // Disconnected: only REVIEW stays, visible and lit, while a file is shown.
    Q_EMIT driver.disconnect();
    QTRY_VERIFY(machine.configuration().contains(display));
    QVERIFY(window.labelStateReady()->isHidden());
    QVERIFY(window.labelStateRoutine()->isHidden());
    QVERIFY(!window.labelStateReview()->isHidden());
    QVERIFY(window.labelStateReview()->isEnabled());
    Q_EMIT driver.next();
    QTRY_VERIFY(machine.configuration().contains(wait));
    QVERIFY(window.labelStateReview()->isHidden());
    QVERIFY(!window.labelStateReview()->isEnabled());
}

// The state column is hidden while the box goes away and a file is shown;
// shown afterwards, it still has its labels.
void TestSecondScreens::hiddenStateColumnKeepsItsLabels()
{
    QStateMachine machine;
    machine.setGlobalRestorePolicy(QState::RestoreProperties);
    auto *connected = new QState(&machine);
    auto *disconnected = new QState(&machine);
    auto *display = new QState(disconnected);
    auto *ready = new QState(connected);
    disconnected->setInitialState(display);
    connected->setInitialState(ready);
    machine.setInitialState(connected);
    Driver driver;
    connected->addTransition(&driver, &Driver::disconnect, disconnected);
    disconnected->addTransition(&driver, &Driver::next, connected);

    SecondScreenResultWindow window;
    window.show();
    SecondScreenStates states;
    states.disconnected = disconnected;
    states.display = display;
    states.ready = ready;
    window.assignStateProperties(states);
    machine.start();
    QTRY_VERIFY(machine.configuration().contains(ready));
    Q_EMIT driver.disconnect();
    QTRY_VERIFY(machine.configuration().contains(display));
    Q_EMIT driver.next();
    QTRY_VERIFY(machine.configuration().contains(ready));
    window.showStateWidgetAction()->trigger();
    for (QLabel *label : {window.labelStateReady(), window.labelStateStart(), window.labelStateRoutine(),
                          window.labelStateReview()})
        QVERIFY(label->isVisible());
}

OVRA_TEST_GUI_MAIN(TestSecondScreens)
#include "tst_secondscreens.moc"
