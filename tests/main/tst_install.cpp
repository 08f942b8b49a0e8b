#include "support/TestSupport.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

struct Finished
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Finished run(const QString &program, const QStringList &arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.start(program, arguments);
    Finished f;
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return f;
    f.exitCode = process.exitCode();
    f.out = process.readAllStandardOutput();
    f.err = process.readAllStandardError();
    return f;
}

} // namespace

// `cmake --install` into a fresh prefix: the programs, the desktop entry and
// the icon land where a desktop looks for them, and the installed program
// starts from there.
class TestInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void installedProgramStarts()
    {
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const Finished install =
            run(QStringLiteral(OVRA_CMAKE_COMMAND), {QStringLiteral("--install"), ovra::test::binaryDir(),
                                                     QStringLiteral("--prefix"), prefix.path()});
        QVERIFY2(install.exitCode == 0, install.err.constData());

        const QString program = prefix.filePath(QStringLiteral("bin/ovra"));
        for (const QString &binary : {program, prefix.filePath(QStringLiteral("bin/ovra-eval"))}) {
            QVERIFY2(QFileInfo(binary).isExecutable(), qPrintable(binary));
        }
        QImage icon;
        QVERIFY(icon.load(prefix.filePath(QStringLiteral("share/icons/hicolor/256x256/apps/ovra.png"))));
        QCOMPARE(icon.size(), QSize(256, 256));

        const QString desktopFile = prefix.filePath(QStringLiteral("share/applications/ovra.desktop"));
        QVERIFY(QFileInfo::exists(desktopFile));
        QSettings entry(desktopFile, QSettings::IniFormat);
        entry.beginGroup(QStringLiteral("Desktop Entry"));
        QCOMPARE(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
        QCOMPARE(entry.value(QStringLiteral("Name")).toString(), QStringLiteral("Ovra"));
        QCOMPARE(entry.value(QStringLiteral("Icon")).toString(), QStringLiteral("ovra"));
        QCOMPARE(entry.value(QStringLiteral("TryExec")).toString(), program);
        QFile raw(desktopFile);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        QVERIFY(raw.readAll().contains("\nExec=\"" + program.toUtf8() + "\"\n"));

        const Finished help =
            run(prefix.filePath(QStringLiteral("bin/ovra-eval")), {QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);

        // The program itself: its window comes up (resources and
        // translations are built in).
        QProcess ovra;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("OVRA_LOG_LEVEL"), QStringLiteral("0"));
        ovra.setProcessEnvironment(env);
        ovra.start(program, {});
        QVERIFY(ovra.waitForStarted(10000));
        QByteArray out;
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && !out.contains("Entered state")) {
            ovra.waitForReadyRead(200);
            out += ovra.readAllStandardOutput();
        }
        ovra.kill();
        ovra.waitForFinished(5000);
        QVERIFY2(out.contains("Starting OvraDialog"), out.constData());
        QVERIFY2(out.contains("Loaded translations from file") || out.contains("Failed to load translations"),
                 out.constData());
    }
};

OVRA_TEST_CORE_MAIN(TestInstall)

#include "tst_install.moc"
