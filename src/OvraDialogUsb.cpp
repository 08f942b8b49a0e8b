// The device link of the main window: the slots delegate to usb::DeviceLink,
// which owns the connection, the reader thread, the timers and the simulated
// box.
#include "OvraDialog.h"

#include "OvraDialogUi.h"
#include "usb/DeviceLink.h"

#include <QAction>

void OvraDialog::createDeviceLink()
{
    m_deviceLink = new usb::DeviceLink(this);
    connect(m_deviceLink, &usb::DeviceLink::usbConnected, this, &OvraDialog::usbConnected);
    connect(m_deviceLink, &usb::DeviceLink::usbDisconnected, this, &OvraDialog::usbDisconnected);
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
    m_ui->actionConnectUsbMaster->setChecked(m_deviceLink->simulatedConnection() != nullptr);
}

void OvraDialog::setSimulatedInputMode(usb::SimulatedUSBMode mode)
{
    m_deviceLink->setSimulatedInputMode(mode);
}
