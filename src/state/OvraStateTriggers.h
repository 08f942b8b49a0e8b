#pragma once

#include <QObject>

// The signals that move the measurement state machine. The main window
// forwards its own signals of the same names (and the drop-test action's
// `triggered`) to one object of this class, so that the machine can be built
// and driven without widgets.
class OvraStateTriggers : public QObject
{
    Q_OBJECT
public:
    explicit OvraStateTriggers(QObject *parent = nullptr)
        : QObject(parent)
    {}

Q_SIGNALS:
    void usbConnected();
    void usbDisconnected();
    void nextInnerState();
    void dismissRoutine();
    void routineTimedOut();
    void resetToReady();
    void beginLoad();
    void loadComplete();
    void toggleTara();
    void toggleDiagnosisState();
    void mainWindowGotFocus();
    void mainWindowLostFocus();
    // `triggered` of the menu action actionSingle_Drop_Test.
    void singleDropTestTriggered();
};
