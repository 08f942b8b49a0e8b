#include "support/TestSupport.h"
#include "support/VirtualMasterBox.h"
#include "usb/USBConnection.h"
#include "usb/USBThread.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

using ovra::test::VirtualMasterBox;

namespace {

VirtualMasterBox &box()
{
    return VirtualMasterBox::instance();
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

// A ramp on channel 0 numbers every sample, so a lost frame shows as a gap.
std::vector<VirtualMasterBox::Sample> numberedSamples(int count)
{
    std::vector<VirtualMasterBox::Sample> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        samples[static_cast<std::size_t>(i)] = {static_cast<std::int16_t>(i), 1, 2, 3, 4, 5, 6, 7};
    return samples;
}

// Collects the frames that reach the GUI thread and deletes them, as the
// main window does.
class FrameSink : public QObject
{
public:
    QList<int> firstValues;
    void take(const UsbFrame *frame)
    {
        firstValues << frame->sampleValue(0);
        delete frame;
    }
};

} // namespace

class TestUsbConnection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        box().reset();
        box().plugIn();
    }

    void openFailsWithoutBoxAndDrainsStaleReport()
    {
        box().unplug();
        USBConnection connection;
        QVERIFY(connection.openDevice());
        QVERIFY(connection.deviceHandle() == nullptr);
        QCOMPARE(box().openCalls(), 1);

        box().plugIn();
        box().injectReport(QByteArray(64, 'x'));
        QVERIFY(!connection.openDevice());
        QVERIFY(connection.deviceHandle() != nullptr);
        QCOMPARE(box().lastNonblocking(), 0);
        QCOMPARE(box().readCalls(), 1);

        // Opening again closes the old handle first.
        QVERIFY(!connection.openDevice());
        QCOMPARE(box().closeCalls(), 1);
        QCOMPARE(box().exitCalls(), 1);
        QCOMPARE(box().openHandles(), 1);

        QVERIFY(!connection.closeDevice(false));
        QCOMPARE(box().exitCalls(), 1);
        QVERIFY(connection.closeDevice(true)); // nothing left to close
        QCOMPARE(box().openHandles(), 0);
    }

    void commandsAreSentAsOutputReports()
    {
        USBConnection connection;
        QVERIFY(!connection.openDevice());

        QVERIFY(!connection.readMasterID());
        QByteArray expected = bytes({0x00, 0xC7, 0xC3, 0x52, 0x18, 0x03, 0x00, 0x34, 0x56});
        expected += QByteArray(65 - expected.size(), '\0');
        QCOMPARE(box().outputReports().last(), expected);

        QVERIFY(!connection.sendFrequency(1000));
        QByteArray f = box().outputReports().last();
        QCOMPARE(f.size(), 65);
        QCOMPARE(f.left(8), bytes({0x00, 0xC7, 0xC3, 'f', 0x00, 0x02, 0x03, 0xE8}));

        QVERIFY(!connection.sendPCommand());
        QCOMPARE(box().outputReports().last().left(6), bytes({0x00, 0xC7, 0xC3, 'P', 5, 0}));
        QVERIFY(!connection.sendMode(1));
        QCOMPARE(box().outputReports().last().left(6), bytes({0x00, 0xC7, 0xC3, 'm', 1, 0}));
        QVERIFY(!connection.setExternalCounter(300));
        QCOMPARE(box().outputReports().last().left(8), bytes({0x00, 0xC7, 0xC3, 'c', 0, 2, 0x01, 0x2C}));
        QVERIFY(!connection.resetExternalCounter());
        const QList<QByteArray> reports = box().outputReports();
        QCOMPARE(reports.at(reports.size() - 2).left(5), bytes({0x00, 0xC7, 0xC3, 'q', 1}));
        QCOMPARE(reports.last().left(5), bytes({0x00, 0xC7, 0xC3, 'q', 0}));
        QCOMPARE(box().commandLetters(), QByteArray("RfPmcqq"));
        QCOMPARE(connection.sentFrameCounter(), 7u);
    }

    void oversizedCommandIsRefusedWithoutTouchingTheDevice()
    {
        USBConnection connection;
        QVERIFY(!connection.openDevice());
        const QByteArray payload(60, 'a');
        QVERIFY(
            connection.sendCommand('x', 0, 60, reinterpret_cast<const unsigned char *>(payload.constData())));
        QVERIFY(box().outputReports().isEmpty());
        QCOMPARE(connection.sentFrameCounter(), 1u);

        // 59 bytes fit exactly.
        QVERIFY(!connection.sendCommand('x', 0, 59,
                                        reinterpret_cast<const unsigned char *>(payload.constData())));
        QCOMPARE(box().outputReports().size(), 1);
        QCOMPARE(box().outputReports().last().mid(6), QByteArray(59, 'a'));
    }

    void failedAndShortWritesReportFailure()
    {
        USBConnection unopened;
        QTest::ignoreMessage(QtWarningMsg, "Failed sending USB frame. No device handle present.");
        QVERIFY(unopened.sendMode(1));
        QVERIFY(box().outputReports().isEmpty());

        USBConnection connection;
        QVERIFY(!connection.openDevice());
        box().failWrites(-1);
        QVERIFY(connection.sendMode(1));
        box().failWrites(64);
        QVERIFY(connection.readMasterID());
        box().failWrites(0);
        QVERIFY(connection.resetExternalCounter());
        box().clearWriteFailure();
        QVERIFY(!connection.resetExternalCounter());
        // Nothing is retried: one report per send.
        QCOMPARE(box().outputReports().size(), 1 + 1 + 2 + 2);

        box().unplug();
        QVERIFY(connection.sendFrequency(1000));
    }

    void identityReplyGivesMasterId()
    {
        UsbFrame reply;
        const unsigned char head[] = {0xC7, 0xC3, 'R', 0, 8, 0xC7, 0xC3, 0x5A, 0xA5, 0x00, 0x01, 0x02, 0x03};
        std::copy(std::begin(head), std::end(head), reply.bytes);
        QCOMPARE(USBConnection::masterIdFromReply(reply), 66051u);
        reply.bytes[4] = 7;
        QCOMPARE(USBConnection::masterIdFromReply(reply), 0u);
        reply.bytes[4] = 8;
        reply.bytes[8] = 0xA4;
        QCOMPARE(USBConnection::masterIdFromReply(reply), 0u);
    }

    void frameLogWritesSentAndReceivedLines()
    {
        QTemporaryDir dir;
        const QString oldDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        qputenv("OVRA_LOG_USB_FRAMES", "");
        {
            USBConnection connection;
            QVERIFY(connection.frameLogEnabled());
            QVERIFY(!connection.openDevice());
            QVERIFY(!connection.readMasterID());
            box().failWrites(-1);
            QVERIFY(connection.sendPCommand());
            box().clearWriteFailure();

            // A received frame goes through the ring and is logged by the
            // reader side with the current counter.
            FrameSink sink;
            connect(&connection, &USBConnection::usbFrameReady, &sink, &FrameSink::take);
            UsbFrame text;
            const unsigned char head[] = {0xC7, 0xC3, 'I', 0, 2, 'o', 'k'};
            std::copy(std::begin(head), std::end(head), text.bytes);
            connection.copyTrampData(64, text.bytes);
            QCOMPARE(sink.firstValues.size(), 1);
        }
        qunsetenv("OVRA_LOG_USB_FRAMES");
        QFile log(dir.filePath(QStringLiteral("frames.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QDir::setCurrent(oldDir);
        QCOMPARE(lines.size(), 4); // three lines and the final line feed
        QVERIFY2(QRegularExpression(QStringLiteral("^S: \\d{8}ms: 0001: c7 c3 52 18 03 00 34 56 $"))
                     .match(QString::fromLatin1(lines.at(0)))
                     .hasMatch(),
                 lines.at(0).constData());
        QVERIFY2(QRegularExpression(QStringLiteral("^S: \\d{8}ms: 0002: Error$"))
                     .match(QString::fromLatin1(lines.at(1)))
                     .hasMatch(),
                 lines.at(1).constData());
        QVERIFY2(QRegularExpression(QStringLiteral("^R: \\d{8}ms: 0002: c7 c3 49 00 02 6f 6b $"))
                     .match(QString::fromLatin1(lines.at(2)))
                     .hasMatch(),
                 lines.at(2).constData());
    }

    void framesReachTheGuiThreadWithoutLossWhileItIsBlocked()
    {
        box().streamSamples(numberedSamples(30000));
        USBConnection connection;
        QVERIFY(!connection.openDevice());
        FrameSink sink;
        connect(&connection, &USBConnection::usbFrameReady, &sink, &FrameSink::take);
        USBThread thread(connection.deviceHandle());
        connect(&thread, &USBThread::usbCopyData, &connection, &USBConnection::copyTrampData,
                Qt::DirectConnection);
        thread.start_stop(true);
        connection.sendMode(1);
        connection.sendFrequency(1000);

        QTRY_VERIFY_WITH_TIMEOUT(sink.firstValues.size() >= 30, 5000);
        QElapsedTimer clock;
        clock.start();
        const int before = static_cast<int>(sink.firstValues.size());
        QTest::qWait(500);
        QThread::msleep(100); // the GUI thread takes no events meanwhile
        QTest::qWait(900);
        const qint64 elapsed = clock.elapsed();
        const int received = static_cast<int>(sink.firstValues.size()) - before;
        connection.sendMode(0);
        thread.start_stop(false);
        QCoreApplication::processEvents();

        const double perSecond = received * 1000.0 / static_cast<double>(elapsed);
        QVERIFY2(perSecond > 250.0 && perSecond < 400.0, qPrintable(QString::number(perSecond)));
        QCOMPARE(box().framesDropped(), 0u);
        for (int i = 1; i < sink.firstValues.size(); ++i)
            QCOMPARE(sink.firstValues.at(i), (sink.firstValues.at(i - 1) + 3) % 30000);
    }

    void shortReportsAreDroppedAndTheStreamGoesOn()
    {
        box().streamSamples(numberedSamples(30000));
        USBConnection connection;
        QVERIFY(!connection.openDevice());
        FrameSink sink;
        connect(&connection, &USBConnection::usbFrameReady, &sink, &FrameSink::take);
        USBThread thread(connection.deviceHandle());
        connect(&thread, &USBThread::usbCopyData, &connection, &USBConnection::copyTrampData,
                Qt::DirectConnection);
        box().setShortReports(4, 20);
        thread.start_stop(true);
        connection.sendMode(1);
        connection.sendFrequency(1000);
        QTRY_VERIFY_WITH_TIMEOUT(sink.firstValues.size() >= 20, 5000);
        thread.start_stop(false);
        QCoreApplication::processEvents();
        // The first four frames (samples 0 to 11) never arrived.
        QCOMPARE(sink.firstValues.first(), 12);
        for (int i = 1; i < sink.firstValues.size(); ++i)
            QCOMPARE(sink.firstValues.at(i), sink.firstValues.at(i - 1) + 3);
    }

    void stoppingTheReaderReturnsPromptly()
    {
        USBConnection connection;
        QVERIFY(!connection.openDevice());
        QList<qint64> durations;
        for (int i = 0; i < 5; ++i) {
            USBThread thread(connection.deviceHandle());
            thread.start_stop(true);
            QTest::qWait(30);
            QVERIFY(thread.isRunning());
            QElapsedTimer clock;
            clock.start();
            thread.start_stop(false);
            durations << clock.elapsed();
            QVERIFY(thread.isFinished());
            QVERIFY(thread.isStopRequested());
        }
        std::sort(durations.begin(), durations.end());
        // A few milliseconds; the largest allows for a busy machine.
        QVERIFY2(durations.first() <= 15, qPrintable(QString::number(durations.first())));
        QVERIFY2(durations.last() <= 250, qPrintable(QString::number(durations.last())));
    }

    void readerWithoutHandleKeepsPolling()
    {
        USBThread thread(nullptr);
        thread.start_stop(true);
        QTest::qWait(20);
        thread.start_stop(false);
        QVERIFY(thread.isFinished());
    }
};

OVRA_TEST_CORE_MAIN(TestUsbConnection)
#include "tst_usbconnection.moc"
