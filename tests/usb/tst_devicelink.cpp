#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"
#include "usb/DeviceLink.h"
#include "usb/SimulatedRecordings.h"
#include "usb/USBConnection.h"
#include "usb/USBThread.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <memory>

using ovra::test::VirtualMasterBox;
using usb::DeviceLink;

namespace {

VirtualMasterBox &box()
{
    return VirtualMasterBox::instance();
}

// Connection set-up takes about 1.25 s of configuration waits.
constexpr int kConnectTimeoutMs = 8000;

QList<int> values(const UsbFrame &frame)
{
    QList<int> out;
    for (int k = 0; k < UsbFrame::kValuesPerFrame; ++k)
        out << frame.sampleValue(k);
    return out;
}

QList<int> recordingValues(int recording, int firstSample)
{
    QList<int> out;
    unsigned char raw[16];
    for (int s = 0; s < 3; ++s) {
        usb::SimulatedRecordings::instance().copySample(recording, firstSample + s, raw);
        for (int c = 0; c < 8; ++c)
            out << static_cast<std::int16_t>(static_cast<std::uint16_t>(raw[2 * c] | (raw[2 * c + 1] << 8)));
    }
    return out;
}

// Keeps the data frames the link dispatches.
struct FrameLog
{
    QList<UsbFrame> frames;
    void attach(DeviceLink &link)
    {
        QObject::connect(&link, &DeviceLink::dataFrameReceived, &link,
                         [this](const UsbFrame &frame) { frames << frame; });
    }
};

} // namespace

class TestDeviceLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { box().reset(); }

    void connectingConfiguresTheBoxInOrder()
    {
        box().plugIn();
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        QSignalSpy tara(&link, &DeviceLink::taraRequested);
        QSignalSpy identity(&link, &DeviceLink::masterIdChanged);
        FrameLog log;
        log.attach(link);
        link.connectUSB();
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, kConnectTimeoutMs);
        QVERIFY(link.isConnected());
        QVERIFY(link.thread() != nullptr && link.thread()->isRunning());
        QCOMPARE(box().commandLetters(), QByteArray("RPmf"));
        const QList<QByteArray> reports = box().outputReports();
        QCOMPARE(reports.at(2).at(4), char(1));
        QCOMPARE(reports.at(3).mid(5, 3), QByteArray("\x02\x03\xE8", 3));
        QCOMPARE(tara.count(), 1);
        QTRY_VERIFY(identity.count() >= 1);
        QCOMPARE(link.masterId(), 66051u);
        QTRY_VERIFY_WITH_TIMEOUT(log.frames.size() > 50, 3000);
        QCOMPARE(values(log.frames.last()), QList<int>(24, 2560));
        QVERIFY(link.isWatchdogActive());
        QVERIFY(!link.isReconnectPending());

        // A streaming box keeps the link; the watchdog only re-arms.
        QSignalSpy disconnected(&link, &DeviceLink::usbDisconnected);
        QTest::qWait(2500);
        QCOMPARE(disconnected.count(), 0);
        QVERIFY(link.isConnected());
    }

    void recordingStreamedByTheBoxArrivesUnchanged()
    {
        box().plugIn();
        box().streamRecording(3, false);
        DeviceLink link;
        FrameLog log;
        log.attach(link);
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        link.connectUSB();
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, kConnectTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(log.frames.size() >= 400, 5000);
        for (int i = 0; i < 400; ++i)
            QCOMPARE(values(log.frames.at(i)), recordingValues(3, 3 * i));
    }

    void withoutBoxTheLinkRetriesEverySecond()
    {
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        link.initUSB(); // nothing to finish yet: no effect
        QVERIFY(link.connection() == nullptr && !link.isReconnectPending());
        QElapsedTimer clock;
        clock.start();
        link.connectUSB();
        QTRY_VERIFY_WITH_TIMEOUT(box().openCalls() >= 4, 8000);
        // Attempts at 0, 1, 2 and 3 s (each retry starts when the previous
        // one has failed); coarse timers may fire up to 5 % early.
        QVERIFY2(clock.elapsed() >= 2800, qPrintable(QString::number(clock.elapsed())));
        // The failed attempt is finished in the GUI thread after hid_open.
        QTRY_VERIFY(link.isReconnectPending());
        QVERIFY(link.connection() == nullptr);
        QCOMPARE(connected.count(), 0);
    }

    void silentBoxIsDroppedAndTakenBackWhenItSpeaks()
    {
        box().plugIn();
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        QSignalSpy disconnected(&link, &DeviceLink::usbDisconnected);
        link.connectUSB();
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, kConnectTimeoutMs);
        QTRY_VERIFY(box().framesDelivered() > 10);

        box().setSilent(true);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(disconnected.count(), 1, 6000);
        const qint64 dropAfter = clock.elapsed();
        // More than 1100 ms of silence, noticed within one watchdog period
        // (plus scheduling slack on a busy machine).
        QVERIFY2(dropAfter >= 1000 && dropAfter <= 2100 + 700, qPrintable(QString::number(dropAfter)));
        QVERIFY(!link.isConnected());
        QVERIFY(link.thread() == nullptr);
        QVERIFY(link.isReconnectPending() || link.connection() != nullptr);
        QCOMPARE(box().openHandles() <= 1, true);

        // The box is still attached, so it is opened and configured again;
        // once it speaks the link holds.
        box().setSilent(false);
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 2, kConnectTimeoutMs);
        const int drops = static_cast<int>(disconnected.count());
        QTest::qWait(2500);
        QCOMPARE(disconnected.count(), drops);
        QVERIFY(link.isConnected());
    }

    void vanishedBoxIsReconnectedSoonAfterItReturns()
    {
        box().plugIn();
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        QSignalSpy disconnected(&link, &DeviceLink::usbDisconnected);
        QSignalSpy tara(&link, &DeviceLink::taraRequested);
        link.connectUSB();
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, kConnectTimeoutMs);

        box().unplug();
        QTRY_COMPARE_WITH_TIMEOUT(disconnected.count(), 1, 6000);
        QCOMPARE(box().openHandles(), 0);
        // A few failing attempts while the box is away.
        const int attempts = box().openCalls();
        QTRY_VERIFY_WITH_TIMEOUT(box().openCalls() >= attempts + 2, 5000);
        QVERIFY(!link.isConnected());

        const int opensBefore = box().successfulOpens();
        box().plugIn();
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(box().successfulOpens() > opensBefore, 5000);
        const qint64 openedAfter = clock.elapsed();
        QVERIFY2(openedAfter <= 1000 + 600, qPrintable(QString::number(openedAfter)));
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 2, kConnectTimeoutMs);
        // The box came back unconfigured and was configured again.
        QCOMPARE(box().mode(), 1);
        QCOMPARE(box().frequency(), 1000);
        QTRY_VERIFY(box().isStreaming());
        // Tara runs on the first connection after start only.
        QCOMPARE(tara.count(), 1);
    }

    void shutdownStopsTheBoxOnce()
    {
        box().plugIn();
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        link.connectUSB();
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, kConnectTimeoutMs);
        box().clearOutputReports();
        const int exits = box().exitCalls();

        link.shutdown();
        QCOMPARE(box().commandLetters(), QByteArray("mf"));
        QCOMPARE(box().outputReports().at(0).at(4), char(0));
        QCOMPARE(box().outputReports().at(1).mid(5, 3), QByteArray("\x02\x00\x00", 3));
        QCOMPARE(box().openHandles(), 0);
        QCOMPARE(box().exitCalls(), exits + 1);
        QVERIFY(link.thread() == nullptr && link.connection() == nullptr);
        QVERIFY(!link.isReconnectPending() && !link.isWatchdogActive());

        link.shutdown();
        QCOMPARE(box().outputReports().size(), 2);
        link.connectUSB();
        QVERIFY(link.connection() == nullptr);
    }

    void framesAreDispatchedByTheirCommand()
    {
        DeviceLink link;
        FrameLog log;
        log.attach(link);
        QSignalSpy all(&link, &DeviceLink::frameReceived);
        QSignalSpy identity(&link, &DeviceLink::masterIdChanged);

        auto frame = [](unsigned char m1, unsigned char command, unsigned char length) {
            auto *f = new UsbFrame;
            f->bytes[0] = m1;
            f->bytes[1] = 0xC3;
            f->bytes[2] = command;
            f->bytes[4] = length;
            return f;
        };
        link.trampDataReady(frame(0xC7, '1', 0));
        link.trampDataReady(frame(0xC7, '3', 0));
        link.trampDataReady(frame(0xC6, '1', 0)); // wrong magic
        link.trampDataReady(frame(0xC7, 'Z', 0));
        UsbFrame *text = frame(0xC7, 'I', 5);
        std::memcpy(text->data(), "hello", 5);
        QTest::ignoreMessage(QtDebugMsg, "hello");
        link.trampDataReady(text);
        UsbFrame *reply = frame(0xC7, 'y', 8);
        const unsigned char id[] = {0xC7, 0xC3, 0x5A, 0xA5, 0x00, 0x0A, 0x0B, 0x0C};
        std::memcpy(reply->data(), id, sizeof id);
        link.trampDataReady(reply);

        QCOMPARE(log.frames.size(), 2);
        QCOMPARE(all.count(), 6);
        QCOMPARE(identity.count(), 1);
        QCOMPARE(link.masterId(), 0x0A0B0Cu);
        QVERIFY(link.msSinceLastFrame() < 1000);
    }

    void simulatedBoxFeedsTheLinkAndSwitchesRecordings()
    {
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        QSignalSpy disconnected(&link, &DeviceLink::usbDisconnected);
        QSignalSpy tara(&link, &DeviceLink::taraRequested);
        FrameLog log;
        log.attach(link);
        link.connectUSB(); // no box: the link is retrying
        QTRY_VERIFY(link.isReconnectPending());

        link.initSimulatedUSB();
        QVERIFY(link.simulatedConnection() != nullptr);
        QCOMPARE(connected.count(), 1);
        QCOMPARE(tara.count(), 1);
        QVERIFY(!link.isReconnectPending());
        QTRY_VERIFY_WITH_TIMEOUT(log.frames.size() >= 20, 3000);
        for (const UsbFrame &f : log.frames)
            QCOMPARE(values(f), QList<int>(24, 2560));

        // Mode 2 starts recording 2 at its first sample.
        link.setSimulatedInputMode(usb::Trampoline2);
        log.frames.clear();
        QTRY_VERIFY(log.frames.size() >= 2);
        QCOMPARE(values(log.frames.at(0)), recordingValues(2, 0));
        QCOMPARE(values(log.frames.at(1)), recordingValues(2, 3));

        // Mode 0 keeps the row; selecting mode 2 again restarts it.
        QTRY_VERIFY(link.simulatedConnection()->row() >= 30);
        link.setSimulatedInputMode(usb::NoActivity);
        const int row = link.simulatedConnection()->row();
        log.frames.clear();
        QTRY_VERIFY(log.frames.size() >= 5);
        QCOMPARE(link.simulatedConnection()->row(), row);
        QCOMPARE(values(log.frames.last()), QList<int>(24, 2560));
        link.setSimulatedInputMode(usb::Trampoline2);
        QCOMPARE(link.simulatedConnection()->row(), 0);

        // The watchdog treats the simulated box like a working master box.
        QTest::qWait(2300);
        QCOMPARE(disconnected.count(), 0);

        link.initSimulatedUSB();
        QVERIFY(link.simulatedConnection() == nullptr);
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(link.isReconnectPending());
        QVERIFY(!link.isConnected());
    }

    void simulationIsRefusedWhileAMasterBoxIsConnected()
    {
        box().plugIn();
        DeviceLink link;
        QSignalSpy connected(&link, &DeviceLink::usbConnected);
        link.connectUSB();
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, kConnectTimeoutMs);
        QSignalSpy disconnected(&link, &DeviceLink::usbDisconnected);
        QSignalSpy tara(&link, &DeviceLink::taraRequested);

        link.initSimulatedUSB();
        QVERIFY(link.simulatedConnection() == nullptr);
        QCOMPARE(connected.count(), 1);
        QCOMPARE(disconnected.count(), 0);
        QCOMPARE(tara.count(), 0);
        QVERIFY(link.connection() != nullptr && link.thread() != nullptr);
        QVERIFY(link.isWatchdogActive());
    }

    void generatorLoopsOverTheRecording()
    {
        usb::SimulatedUSBConnection simulated; // not started: frames on demand
        QList<QList<int>> frames;
        connect(&simulated, &usb::SimulatedUSBConnection::usbFrameReady, this,
                [&frames](const UsbFrame *frame) {
                    QVERIFY(frame->isDataFrame());
                    frames << values(*frame);
                    delete frame;
                });
        simulated.setMode(usb::Trampoline1);
        for (int i = 0; i < 7598 + 1; ++i)
            simulated.generateFrame();
        QCOMPARE(frames.size(), 7599);
        QCOMPARE(frames.at(0), recordingValues(1, 0));
        QCOMPARE(frames.at(7597), recordingValues(1, 22791));
        QCOMPARE(frames.at(7598), frames.at(0));
        QCOMPARE(simulated.row(), 3);

        simulated.setMode(usb::BothTrampolines);
        simulated.setRow(0);
        frames.clear();
        for (int i = 0; i < 7341 + 1; ++i)
            simulated.generateFrame();
        QCOMPARE(frames.at(7341), recordingValues(3, 0));
        QCOMPARE(frames.at(7340), recordingValues(3, 22020));

        // An unknown mode sends data frames of zeros.
        simulated.setMode(static_cast<usb::SimulatedUSBMode>(7));
        frames.clear();
        simulated.generateFrame();
        QCOMPARE(frames.at(0), QList<int>(24, 0));
    }
};

OVRA_TEST_CORE_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
