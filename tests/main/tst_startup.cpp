#include "AppStartup.h"
#include "OvraDialog.h"
#include "settings/OvraSettings.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

namespace {

QString programPath()
{
    return ovra::test::binaryDir() + QStringLiteral("/bin/ovra");
}

// Starts the real program under the offscreen platform and returns its
// standard output once `untilLine` appeared (or the time ran out).
QStringList runProgramUntil(const QString &untilLine, QProcessEnvironment env)
{
    QProcess process;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(programPath(), {});
    if (!process.waitForStarted(10000))
        return {};
    QByteArray out;
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && !out.contains(untilLine.toUtf8())) {
        process.waitForReadyRead(200);
        out += process.readAllStandardOutput();
    }
    process.kill();
    process.waitForFinished(5000);
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString messageOf(const QString &line)
{
    return line.section(QLatin1Char('\t'), 2);
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void programLogsItsIdentifiersInOrder()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OVRA_LOG_LEVEL"), QStringLiteral("0"));
        const QStringList lines = runProgramUntil(QStringLiteral("Starting OvraDialog"), env);
        QVERIFY2(lines.size() >= 5, qPrintable(lines.join(QLatin1Char('\n'))));

        QStringList messages;
        for (const QString &line : lines)
            messages << messageOf(line);
        const int levelAt = static_cast<int>(messages.indexOf(QStringLiteral("Log level is 0")));
        QVERIFY2(levelAt >= 0, qPrintable(messages.join(QLatin1Char('\n'))));
        QVERIFY(lines.at(levelAt).contains(QLatin1String(" Critical\t")));
        QCOMPARE(messages.at(levelAt + 1), QStringLiteral("2.6.0"));
        static const QRegularExpression revision(QStringLiteral("^Revision: [0-9a-f]{40}$"));
        QVERIFY2(revision.match(messages.at(levelAt + 2)).hasMatch(), qPrintable(messages.at(levelAt + 2)));
        static const QRegularExpression build(QStringLiteral("^Build number: \\d+$"));
        QVERIFY2(build.match(messages.at(levelAt + 3)).hasMatch(), qPrintable(messages.at(levelAt + 3)));
        static const QRegularExpression time(
            QStringLiteral("^Build time: \\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}\\+00:00$"));
        QVERIFY2(time.match(messages.at(levelAt + 4)).hasMatch(), qPrintable(messages.at(levelAt + 4)));
        for (int i = levelAt + 1; i <= levelAt + 4; ++i)
            QVERIFY2(lines.at(i).contains(QLatin1String(" Info\tAppStartup.cpp \t")), qPrintable(lines.at(i)));
        QVERIFY(!messages.filter(QStringLiteral("Loading translations for locale")).isEmpty());
    }

    void programEntersWaitWithoutMasterBox()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OVRA_LOG_LEVEL"), QStringLiteral("0"));
        const QString wait = QStringLiteral("Entered state (usbConnected: false, innerState: WAIT )");
        const QStringList lines = runProgramUntil(wait, env);
        QStringList messages;
        for (const QString &line : lines)
            messages << messageOf(line);
        const qsizetype started = messages.indexOf(QStringLiteral("Starting OvraDialog"));
        QVERIFY2(started >= 0, qPrintable(messages.join(QLatin1Char('\n'))));
        QVERIFY2(messages.indexOf(wait) > started, qPrintable(messages.join(QLatin1Char('\n'))));
    }

    void defaultLevelHidesTheCriticalLevelLine()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("OVRA_LOG_LEVEL"));
        const QStringList lines = runProgramUntil(QStringLiteral("Build time:"), env);
        QVERIFY(!lines.isEmpty());
        QVERIFY(lines.filter(QStringLiteral("Log level is")).isEmpty());
        QVERIFY(!lines.filter(QStringLiteral("\t2.6.0")).isEmpty());
    }

    void germanCatalogueLoadsWhenForced()
    {
        qputenv("OVRA_FORCE_LANGUAGE", "de");
        ovra::startup::initTranslator(*QCoreApplication::instance());
        qunsetenv("OVRA_FORCE_LANGUAGE");
        QCOMPARE(QLocale().name(), QStringLiteral("de_DE"));
        QCOMPARE(QCoreApplication::translate("OvraDialog", "&Quit"), QStringLiteral("&Beenden"));
    }

    void windowTitleAndQuitWritesSettings()
    {
        ovra::test::clearSettings();
        OvraDialog window(ovra::startup::logHandler());
        QCOMPARE(window.windowTitle(), QStringLiteral("Ovra v2.6.0"));
        // No size stored yet: the first start uses the screen.
        QCOMPARE(window.size(), (window.screen()->availableSize() * OvraDialog::kFirstStartScreenShare)
                                    .expandedTo(window.minimumSize()));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!OvraSettings::openStorage()->contains(QStringLiteral("File/Width")));

        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(window.isQuitting());
        auto storage = OvraSettings::openStorage();
        QCOMPARE(storage->value(QStringLiteral("File/Width")).toInt(), window.width());
        QCOMPARE(storage->value(QStringLiteral("File/Height")).toInt(), window.height());
        QVERIFY(storage->contains(QStringLiteral("ProgrammFont/Font")));

        // A second quit (closing the already closed window) writes nothing more.
        storage->setValue(QStringLiteral("File/Width"), 1);
        storage->sync();
        window.quit();
        QCOMPARE(OvraSettings::openStorage()->value(QStringLiteral("File/Width")).toInt(), 1);
    }
};

OVRA_TEST_GUI_MAIN(TestStartup)
#include "tst_startup.moc"
