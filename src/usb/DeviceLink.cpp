#include "usb/DeviceLink.h"

#include "usb/USBConnection.h"
#include "usb/USBThread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace usb {

namespace {
constexpr int kSliceMs = 40;
} // namespace

DeviceLink::DeviceLink(QObject *parent)
    : QObject(parent)
{
    // Precise timers: a coarse timer may fire up to 5 % early, and the
    // watchdog's 1100 ms silence limit is measured against its 1000 ms period.
    m_reconnectTimer.setTimerType(Qt::PreciseTimer);
    m_reconnectTimer.setSingleShot(true);
    m_reconnectTimer.setInterval(kReconnectIntervalMs);
    connect(&m_reconnectTimer, &QTimer::timeout, this, &DeviceLink::connectUSB);
    m_usbConnectedTimer.setTimerType(Qt::PreciseTimer);
    m_usbConnectedTimer.setSingleShot(true);
    m_usbConnectedTimer.setInterval(kWatchdogIntervalMs);
    connect(&m_usbConnectedTimer, &QTimer::timeout, this, &DeviceLink::slot_usbConnectedTimer);
    connect(&m_openWatcher, &QFutureWatcher<bool>::finished, this, &DeviceLink::initUSB);
}

DeviceLink::~DeviceLink()
{
    shutdown();
}

void DeviceLink::waitProcessingEvents(int ms)
{
    // The GUI thread is held for each slice on purpose: frames queue up in
    // the meantime and are taken in one pass, as on the box's own pace.
    for (int i = 0; i < ms / kSliceMs; ++i) {
        QThread::msleep(kSliceMs);
        QCoreApplication::processEvents();
    }
    QThread::msleep(static_cast<unsigned long>(ms % kSliceMs));
    QCoreApplication::processEvents();
}

void DeviceLink::connectUSB()
{
    if (m_shutDown || m_connection != nullptr || m_simulated)
        return;
    m_connection = new USBConnection(this);
    qDebug() << "Trying to connect the USB device";
    USBConnection *connection = m_connection;
    m_openWatcher.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [connection] {
        return connection->openDevice(USBConnection::kVendorId, USBConnection::kProductId);
    }));
}

void DeviceLink::initUSB()
{
    // Only the watcher of an open attempt started by connectUSB() leads here
    // with a result; a stray call has nothing to finish.
    const QFuture<bool> future = m_openWatcher.future();
    if (m_connection == nullptr || m_thread != nullptr || !future.isFinished() || future.resultCount() == 0)
        return;
    const bool failed = future.result();
    if (failed || m_shutDown || m_simulated) {
        if (failed)
            qDebug() << "Unable to connect the USB device";
        else if (m_simulated)
            qDebug() << "USB device opened while the simulated device is attached; closing it";
        m_connection->closeDevice(true);
        delete m_connection;
        m_connection = nullptr;
        if (!m_shutDown && !m_simulated)
            m_reconnectTimer.start(kReconnectIntervalMs);
        return;
    }

    qDebug() << "USB device connected. Going to start USB thread...";
    QPointer<USBConnection> connection = m_connection;
    m_thread = new USBThread(connection->deviceHandle());
    connect(m_thread, &USBThread::usbCopyData, connection, &USBConnection::copyTrampData,
            Qt::DirectConnection);
    connect(connection, &USBConnection::usbFrameReady, this, &DeviceLink::trampDataReady);
    m_thread->start_stop(true);

    // The box is configured while frames keep being processed. Should the
    // link be dropped or shut down meanwhile (the waits run the event loop),
    // the rest of the sequence is skipped.
    const auto stillHere = [this, &connection] {
        return connection && connection == m_connection && !m_shutDown;
    };
    waitProcessingEvents(50);
    if (!stillHere())
        return;
    connection->readMasterID();
    waitProcessingEvents(300);
    if (!stillHere())
        return;
    connection->sendPCommand();
    waitProcessingEvents(300);
    if (!stillHere())
        return;
    connection->resetFrameRing();
    connection->sendMode(1);
    waitProcessingEvents(300);
    if (!stillHere())
        return;
    connection->sendFrequency(1000);
    waitProcessingEvents(300);
    if (!stillHere())
        return;

    m_lastFrameTimer.restart();
    m_usbConnectedTimer.start(kWatchdogIntervalMs);
    m_connected = true;
    Q_EMIT usbConnected();
    if (m_firstConnection) {
        m_firstConnection = false;
        Q_EMIT taraRequested();
    }
}

void DeviceLink::trampDataReady(const UsbFrame *usbFrameCopy)
{
    Q_ASSERT(usbFrameCopy != nullptr);
    if (usbFrameCopy == nullptr)
        return;
    // Frames still queued when the link was shut down are only freed.
    if (m_shutDown) {
        delete usbFrameCopy;
        return;
    }
    m_lastFrameTimer.restart();
    if (usbFrameCopy->hasMagic()) {
        switch (usbFrameCopy->command()) {
        case '1':
        case '2':
        case '3':
            Q_EMIT dataFrameReceived(*usbFrameCopy);
            break;
        case 'I':
            USBConnection::printString(*usbFrameCopy);
            break;
        case 'R':
        case 'y':
            m_masterId = USBConnection::masterIdFromReply(*usbFrameCopy);
            Q_EMIT masterIdChanged(m_masterId);
            break;
        default:
            break;
        }
    }
    Q_EMIT frameReceived(*usbFrameCopy);
    delete usbFrameCopy;
}

void DeviceLink::slot_usbConnectedTimer()
{
    if (!m_lastFrameTimer.isValid() || m_lastFrameTimer.elapsed() <= kSilenceLimitMs || m_simulated) {
        // The simulated box produces its frames in this thread and cannot go
        // away; a late frame clock only means the thread was busy.
        m_usbConnectedTimer.start(kWatchdogIntervalMs);
        return;
    }
    qDebug() << "Lost USB connection";
    dropConnection();
    m_connected = false;
    Q_EMIT usbDisconnected();
    m_usbConnectedTimer.stop();
    m_reconnectTimer.start(kReconnectIntervalMs);
}

void DeviceLink::dropConnection()
{
    if (m_thread != nullptr) {
        m_thread->start_stop(false);
        delete m_thread;
        m_thread = nullptr;
    }
    if (m_connection != nullptr) {
        m_connection->closeDevice(true);
        delete m_connection;
        m_connection = nullptr;
    }
}

void DeviceLink::initSimulatedUSB()
{
    if (m_shutDown)
        return;
    if (m_simulated) {
        m_usbConnectedTimer.stop();
        m_simulated->quit();
        m_simulated->wait();
        m_simulated = nullptr;
        m_connected = false;
        m_reconnectTimer.start(kReconnectIntervalMs);
        Q_EMIT usbDisconnected();
        Q_EMIT simulationActiveChanged(false);
        return;
    }
    // A real box that is connected (or being configured) keeps the link.
    if (m_thread != nullptr)
        return;

    m_reconnectTimer.stop();
    qDebug() << "simulated USB device connected...";
    auto *simulated = new SimulatedUSBConnection(this);
    m_simulated = simulated;
    connect(simulated, &SimulatedUSBConnection::usbFrameReady, this, &DeviceLink::trampDataReady,
            Qt::DirectConnection);
    connect(simulated, &QThread::finished, simulated, &QObject::deleteLater);
    simulated->start(QThread::TimeCriticalPriority);
    m_lastFrameTimer.restart();
    m_usbConnectedTimer.start(kWatchdogIntervalMs);
    m_connected = true;
    Q_EMIT usbConnected();
    Q_EMIT simulationActiveChanged(true);
    Q_EMIT taraRequested();
}

void DeviceLink::setSimulatedInputMode(SimulatedUSBMode mode)
{
    if (!m_simulated)
        return;
    m_simulated->setMode(mode);
    if (mode == Trampoline1 || mode == Trampoline2 || mode == BothTrampolines)
        m_simulated->setRow(0);
}

void DeviceLink::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_reconnectTimer.stop();
    m_usbConnectedTimer.stop();
    if (m_openWatcher.isRunning())
        m_openWatcher.waitForFinished();
    if (m_connection != nullptr && m_thread != nullptr) {
        qDebug() << "closing";
        m_connection->sendMode(0);
        m_connection->sendFrequency(0);
    }
    dropConnection();
    if (m_simulated) {
        m_simulated->quit();
        m_simulated->wait();
        delete m_simulated.data();
        m_simulated = nullptr;
    }
    m_connected = false;
    // The reader has stopped; the copies it queued are delivered now and
    // freed instead of being lost with the event queue.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

} // namespace usb
