// The device link of the main window: the slots delegate to usb::DeviceLink,
// which owns the connection, the reader thread, the timers and the simulated
// box.
#include "OvraDialog.h"

#include "usb/DeviceLink.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void OvraDialog::createDeviceLink()
{
    m_deviceLink = new usb::DeviceLink(this);
    connect(m_deviceLink, &usb::DeviceLink::usbConnected, this, &OvraDialog::usbConnected);
    connect(m_deviceLink, &usb::DeviceLink::usbDisconnected, this, &OvraDialog::usbDisconnected);
}

void OvraDialog::connectDeviceLink()
{
    connectUSB();
}

void OvraDialog::createSimulationMenu()
{
    m_menuSimulation = menuBar()->addMenu(tr("Simulation"));
    m_menuSimulation->setObjectName(QStringLiteral("menuSimulation"));
    m_actionConnectUsbMaster = m_menuSimulation->addAction(tr("Connect USB-Master"));
    m_actionConnectUsbMaster->setObjectName(QStringLiteral("actionConnectUsbMaster"));
    m_actionConnectUsbMaster->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_actionConnectUsbMaster->setCheckable(true);

    QMenu *inputMenu = m_menuSimulation->addMenu(tr("Simulate Input"));
    inputMenu->setObjectName(QStringLiteral("menuSimulate_Input"));
    const struct
    {
        QAction **action;
        const char *name;
        QString text;
        Qt::Key key;
        usb::SimulatedUSBMode mode;
    } inputs[] = {
        {&m_actionSimulateNoActivity, "actionSimulateNoActivity", tr("No Activity"), Qt::Key_5,
         usb::NoActivity},
        {&m_actionSimulateTrampoline_1, "actionSimulateTrampoline_1", tr("Trampoline 1"), Qt::Key_6,
         usb::Trampoline1},
        {&m_actionSimulateTrampoline_2, "actionSimulateTrampoline_2", tr("Trampoline 2"), Qt::Key_7,
         usb::Trampoline2},
        {&m_actionSimulateBothTrampolines, "actionSimulateBothTrampolines", tr("Both Trampolines"), Qt::Key_8,
         usb::BothTrampolines},
    };

    // Without OVRA_ENABLE_SIMULATION the menu exists but stays hidden and
    // disabled, and nothing is connected to its actions.
    const bool enabled = qEnvironmentVariableIsSet("OVRA_ENABLE_SIMULATION");
    m_menuSimulation->menuAction()->setVisible(enabled);
    m_menuSimulation->setEnabled(enabled);
    for (const auto &input : inputs) {
        *input.action = inputMenu->addAction(input.text);
        (*input.action)->setObjectName(QLatin1String(input.name));
        (*input.action)->setShortcut(QKeySequence(Qt::CTRL | input.key));
        if (enabled) {
            const usb::SimulatedUSBMode mode = input.mode;
            connect(*input.action, &QAction::triggered, this, [this, mode] { setSimulatedInputMode(mode); });
        }
    }
    if (!enabled) {
        m_actionConnectUsbMaster->setEnabled(false);
        for (const auto &input : inputs)
            (*input.action)->setEnabled(false);
        return;
    }
    connect(m_actionConnectUsbMaster, &QAction::triggered, this, &OvraDialog::initSimulatedUSB);
    // The check mark shows whether the simulated box is attached, also when
    // attaching was refused because a real box is connected.
    connect(m_deviceLink, &usb::DeviceLink::simulationActiveChanged, m_actionConnectUsbMaster,
            &QAction::setChecked);
}

void OvraDialog::connectUSB()
{
    m_deviceLink->connectUSB();
}

void OvraDialog::initUSB()
{
    m_deviceLink->initUSB();
}

void OvraDialog::trampDataReady(const UsbFrame *usbFrameCopy)
{
    m_deviceLink->trampDataReady(usbFrameCopy);
}

void OvraDialog::slot_usbConnectedTimer()
{
    m_deviceLink->slot_usbConnectedTimer();
}

void OvraDialog::initSimulatedUSB()
{
    m_deviceLink->initSimulatedUSB();
    if (m_actionConnectUsbMaster != nullptr)
        m_actionConnectUsbMaster->setChecked(m_deviceLink->simulatedConnection() != nullptr);
}

void OvraDialog::setSimulatedInputMode(usb::SimulatedUSBMode mode)
{
    m_deviceLink->setSimulatedInputMode(mode);
}
