#include "support/TestSupport.h"
#include "util/LogHandler.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

using ovra::util::LogHandler;

namespace {

QMessageLogContext contextFor(const char *file)
{
    return QMessageLogContext(file, 12, "function", "default");
}

// Runs one handler with OVRA_LOG_LEVEL set to the given text (or unset).
int levelFor(const char *value)
{
    if (value)
        qputenv("OVRA_LOG_LEVEL", value);
    else
        qunsetenv("OVRA_LOG_LEVEL");
    LogHandler handler;
    qunsetenv("OVRA_LOG_LEVEL");
    return handler.logLevel();
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Captures what the handler writes to standard output.
class StdoutCapture
{
public:
    StdoutCapture()
    {
        std::fflush(stdout);
        m_saved = dup(fileno(stdout));
        m_path = m_dir.filePath(QStringLiteral("stdout.txt"));
        std::FILE *redirected = std::freopen(m_path.toLocal8Bit().constData(), "w", stdout);
        Q_UNUSED(redirected);
    }
    ~StdoutCapture() { restore(); }
    QStringList lines()
    {
        restore();
        return fileLines(m_path);
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stdout);
        dup2(m_saved, fileno(stdout));
        close(m_saved);
        m_saved = -1;
    }
    QTemporaryDir m_dir;
    QString m_path;
    int m_saved = -1;
};

} // namespace

class TestLogHandler : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void levelTable_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("level");
        QTest::newRow("0") << "0" << true << 0;
        QTest::newRow("1") << "1" << true << 1;
        QTest::newRow("2") << "2" << true << 2;
        QTest::newRow("3") << "3" << true << 4;
        QTest::newRow("abc") << "abc" << true << 4;
        QTest::newRow("-1") << "-1" << true << 4;
        QTest::newRow("empty") << "" << true << 4;
        QTest::newRow("absent") << "" << false << 4;
    }

    void levelTable()
    {
        QFETCH(QString, value);
        QFETCH(bool, present);
        QFETCH(int, level);
        const QByteArray bytes = value.toLatin1();
        QCOMPARE(levelFor(present ? bytes.constData() : nullptr), level);
    }

    void filteringFollowsTypeValues()
    {
        QTemporaryDir dir;
        qputenv("OVRA_LOG_LEVEL", "1");
        LogHandler handler;
        qunsetenv("OVRA_LOG_LEVEL");
        handler.setLogDirectory(QDir(dir.path()));
        StdoutCapture capture;
        const auto ctx = contextFor("src/a/Filter.cpp");
        handler.handleMessage(QtDebugMsg, ctx, QStringLiteral("debug line"));
        handler.handleMessage(QtWarningMsg, ctx, QStringLiteral("warning line"));
        handler.handleMessage(QtInfoMsg, ctx, QStringLiteral("info line"));
        const QStringList out = capture.lines();
        QCOMPARE(out.size(), 2);
        QVERIFY(out.at(0).contains(QLatin1String("Warning\t")));
        QVERIFY(out.at(1).contains(QLatin1String("Info\t")));
        QCOMPARE(fileLines(handler.logFilePath()), out);
    }

    // A result that did not reach a scoring system must show in the log the
    // operator has, at the default level.
    void deliveryWarningsAtEveryLevel()
    {
        for (const char *level : {static_cast<const char *>(nullptr), "2"}) {
            if (level)
                qputenv("OVRA_LOG_LEVEL", level);
            else
                qunsetenv("OVRA_LOG_LEVEL");
            LogHandler handler;
            qunsetenv("OVRA_LOG_LEVEL");
            QTemporaryDir dir;
            handler.setLogDirectory(QDir(dir.path()));
            StdoutCapture capture;
            QMessageLogContext delivery("x.cpp", 1, "f", ovra::util::lcDelivery().categoryName());
            handler.handleMessage(QtWarningMsg, delivery, QStringLiteral("not delivered"));
            handler.handleMessage(QtDebugMsg, delivery, QStringLiteral("delivery detail"));
            handler.handleMessage(QtWarningMsg, contextFor("x.cpp"), QStringLiteral("other warning"));
            const QStringList out = capture.lines();
            QCOMPARE(out.size(), 1);
            QVERIFY(out.first().endsWith(QLatin1String("Warning\tx.cpp          \tnot delivered")));
        }
    }

    void defaultLevelWritesOnlyInfo()
    {
        qunsetenv("OVRA_LOG_LEVEL");
        LogHandler handler;
        QTemporaryDir dir;
        handler.setLogDirectory(QDir(dir.path()));
        StdoutCapture capture;
        const auto ctx = contextFor("x.cpp");
        for (QtMsgType type : {QtDebugMsg, QtWarningMsg, QtCriticalMsg, QtInfoMsg})
            handler.handleMessage(type, ctx, QStringLiteral("m"));
        const QStringList out = capture.lines();
        QCOMPARE(out.size(), 1);
        QVERIFY(out.first().contains(QLatin1String("\tInfo\t")) || out.first().contains(QLatin1String(" Info\t")));
    }

    void lineFormat()
    {
        LogHandler handler;
        const QString line = handler.formatLogLine(QtInfoMsg, contextFor("/some/dir/Fourteen_chars"),
                                                   QStringLiteral("hello\tworld"));
        static const QRegularExpression re(
            QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} Info\\t(.*)\\t(.*)$"));
        const auto match = re.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(line.section(QLatin1Char('\t'), 1, 1), QStringLiteral("Fourteen_chars "));
        QCOMPARE(line.section(QLatin1Char('\t'), 2), QStringLiteral("hello\tworld"));

        const QString longName = handler.formatLogLine(QtWarningMsg, contextFor("a/AVeryLongSourceFileName.cpp"),
                                                       QStringLiteral("x"));
        QCOMPARE(longName.section(QLatin1Char('\t'), 1, 1), QStringLiteral("AVeryLongSourceFileName.cpp"));
        QVERIFY(longName.contains(QLatin1String(" Warning\t")));

        const QString words[] = {QStringLiteral("Debug"), QStringLiteral("Warning"), QStringLiteral("Critical"),
                                 QStringLiteral("Fatal"), QStringLiteral("Info")};
        const QtMsgType types[] = {QtDebugMsg, QtWarningMsg, QtCriticalMsg, QtFatalMsg, QtInfoMsg};
        for (int i = 0; i < 5; ++i) {
            const QString l = handler.formatLogLine(types[i], contextFor("f.cpp"), QStringLiteral("t"));
            QCOMPARE(l.section(QLatin1Char(' '), 2).section(QLatin1Char('\t'), 0, 0), words[i]);
        }
        // No source file in the context still gives a padded (empty) name.
        const QString noFile = handler.formatLogLine(QtInfoMsg, QMessageLogContext(), QStringLiteral("t"));
        QCOMPARE(noFile.section(QLatin1Char('\t'), 1, 1), QString(15, QLatin1Char(' ')));
    }

    void stdoutOnlyWhenFileLoggingIsOff()
    {
        QTemporaryDir dir;
        LogHandler handler;
        handler.setLogDirectory(QDir(dir.path()));
        handler.setSaveToFile(false);
        StdoutCapture capture;
        handler.handleMessage(QtInfoMsg, contextFor("a.cpp"), QStringLiteral("only on stdout"));
        QCOMPARE(capture.lines().size(), 1);
        QVERIFY(!QFile::exists(handler.logFilePath()));
    }

    void unwritableDirectoryStillReachesStdout()
    {
        LogHandler handler;
        handler.setLogDirectory(QDir(QStringLiteral("/proc/definitely/not/writable")));
        StdoutCapture capture;
        handler.handleMessage(QtInfoMsg, contextFor("a.cpp"), QStringLiteral("still here"));
        const QStringList out = capture.lines();
        QCOMPARE(out.size(), 1);
        QVERIFY(out.first().endsWith(QLatin1String("still here")));
    }

    void concurrentWritersNeverInterleave()
    {
        QTemporaryDir dir;
        LogHandler handler;
        handler.setLogDirectory(QDir(dir.path()));
        constexpr int kLines = 3000;
        const QString payload = QString(200, QLatin1Char('x'));
        StdoutCapture capture; // keep the test output readable
        auto writer = [&](int id) {
            const QByteArray file = QByteArrayLiteral("Writer") + QByteArray::number(id) + ".cpp";
            for (int i = 0; i < kLines; ++i)
                handler.handleMessage(QtInfoMsg, contextFor(file.constData()),
                                      QStringLiteral("%1 %2 %3").arg(id).arg(i).arg(payload));
        };
        QThread *a = QThread::create(writer, 1);
        QThread *b = QThread::create(writer, 2);
        a->start();
        b->start();
        a->wait();
        b->wait();
        delete a;
        delete b;
        capture.lines();

        const QStringList lines = fileLines(handler.logFilePath());
        QCOMPARE(lines.size(), 2 * kLines);
        static const QRegularExpression re(QStringLiteral(
            "^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} Info\\tWriter([12])\\.cpp {4}\\t\\1 (\\d+) x{200}$"));
        int counts[3] = {0, 0, 0};
        for (const QString &line : lines) {
            const auto m = re.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line.left(120)));
            ++counts[m.captured(1).toInt()];
        }
        QCOMPARE(counts[1], kLines);
        QCOMPARE(counts[2], kLines);
    }

    void defaultLocationIsCreated()
    {
        const QDir dir = LogHandler::getDefaultLogFileLocation();
        QVERIFY(dir.exists());
        QVERIFY(dir.absolutePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    }
};

OVRA_TEST_CORE_MAIN(TestLogHandler)
#include "tst_loghandler.moc"
