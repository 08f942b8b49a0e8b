#include "AppStartup.h"
#include "OvraDialog.h"
#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"
#include "usb/DeviceLink.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

using ovra::test::VirtualMasterBox;

class TestSimulationMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        VirtualMasterBox::instance().reset();
        qunsetenv("OVRA_ENABLE_SIMULATION");
    }

    void menuIsHiddenWithoutTheSwitch()
    {
        OvraDialog window(ovra::startup::logHandler());
        auto *menu = window.findChild<QMenu *>(QStringLiteral("menuSimulation"));
        QVERIFY(menu != nullptr);
        QVERIFY(!menu->menuAction()->isVisible());
        QVERIFY(!menu->isEnabled());
        auto *toggle = window.findChild<QAction *>(QStringLiteral("actionConnectUsbMaster"));
        QVERIFY(toggle != nullptr);
        QVERIFY(!toggle->isEnabled());
        toggle->setEnabled(true);
        toggle->trigger(); // not connected: nothing happens
        QVERIFY(window.deviceLink().simulatedConnection() == nullptr);
        window.quit();
    }

    void menuAttachesAndDetachesTheSimulatedBox()
    {
        qputenv("OVRA_ENABLE_SIMULATION", "1");
        OvraDialog window(ovra::startup::logHandler());
        auto *menu = window.findChild<QMenu *>(QStringLiteral("menuSimulation"));
        QVERIFY(menu->menuAction()->isVisible());
        QCOMPARE(menu->title(), QStringLiteral("&Simulation"));
        const struct
        {
            const char *name;
            const char *text;
            const char *shortcut;
            usb::SimulatedUSBMode mode;
        } inputs[] = {{"actionSimulateNoActivity", "No Activity", "Ctrl+5", usb::NoActivity},
                      {"actionSimulateTrampoline_1", "Trampoline 1", "Ctrl+6", usb::Trampoline1},
                      {"actionSimulateTrampoline_2", "Trampoline 2", "Ctrl+7", usb::Trampoline2},
                      {"actionSimulateBothTrampolines", "Both Trampolines", "Ctrl+8", usb::BothTrampolines}};
        auto *toggle = window.findChild<QAction *>(QStringLiteral("actionConnectUsbMaster"));
        QCOMPARE(toggle->text(), QStringLiteral("Connect USB-Master"));
        QCOMPARE(toggle->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
        QVERIFY(toggle->isCheckable());

        QSignalSpy connected(&window, &OvraDialog::usbConnected);
        QSignalSpy disconnected(&window, &OvraDialog::usbDisconnected);
        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QCOMPARE(connected.count(), 1);
        usb::SimulatedUSBConnection *simulated = window.deviceLink().simulatedConnection();
        QVERIFY(simulated != nullptr);
        for (const auto &input : inputs) {
            auto *action = window.findChild<QAction *>(QLatin1String(input.name));
            QVERIFY(action != nullptr);
            QCOMPARE(action->text(), QLatin1String(input.text));
            QCOMPARE(action->shortcut(), QKeySequence(QLatin1String(input.shortcut)));
            action->trigger();
            QCOMPARE(simulated->mode(), input.mode);
        }
        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(window.deviceLink().simulatedConnection() == nullptr);
        window.quit();
    }

    void toggleStaysOffWhileAMasterBoxIsConnected()
    {
        qputenv("OVRA_ENABLE_SIMULATION", "1");
        VirtualMasterBox::instance().plugIn();
        OvraDialog window(ovra::startup::logHandler());
        QSignalSpy connected(&window, &OvraDialog::usbConnected);
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 8000);
        auto *toggle = window.findChild<QAction *>(QStringLiteral("actionConnectUsbMaster"));
        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(window.deviceLink().simulatedConnection() == nullptr);
        QCOMPARE(connected.count(), 1);

        // Quitting stops the box: mode 0, then frequency 0.
        VirtualMasterBox::instance().clearOutputReports();
        window.quit();
        QCOMPARE(VirtualMasterBox::instance().commandLetters(), QByteArray("mf"));
        window.quit();
        QCOMPARE(VirtualMasterBox::instance().outputReports().size(), 2);
    }
};

OVRA_TEST_GUI_MAIN(TestSimulationMenu)
#include "tst_simulationmenu.moc"
