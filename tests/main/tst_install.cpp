#include "misc/Tutorials.h"
#include "support/TestSupport.h"

#include <QDir>
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

// The API link of the network tutorial's first page for a program in
// applicationDir; empty when the page has none.
QString apiLink(const QString &applicationDir)
{
    const QString text = ovra::tutorials::networkPages(applicationDir).first().text;
    const QLatin1String open("<a href=\""), close("\">API</a>");
    const qsizetype start = text.indexOf(open);
    if (start < 0 || !text.endsWith(close))
        return QString();
    return text.mid(start + open.size(), text.size() - start - open.size() - close.size());
}

} // namespace

// `cmake --install` into a fresh prefix: the programs, the desktop entry,
// the icon and the interface definitions land where a desktop looks for
// them, and the installed program starts from there and links the
// definitions from its network tutorial.
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
        for (const QString &binary : {program, prefix.filePath(QStringLiteral("bin/ovra-eval")),
                                      prefix.filePath(QStringLiteral("bin/ovra-db"))}) {
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

        // The interface definitions: beside the program in the build tree,
        // under share/ovra once installed; the tutorial links whichever the
        // program finds.
        const QStringList definitions = {QStringLiteral("scoring-system.yaml"),
                                         QStringLiteral("ovra-server.yaml"), QStringLiteral("websocket.md")};
        const QString built = ovra::test::binaryDir() + QStringLiteral("/bin/openapi");
        const QString installed = prefix.filePath(QStringLiteral("share/ovra/openapi"));
        for (const QString &file : definitions) {
            QVERIFY2(QFileInfo(QDir(installed).filePath(file)).size() > 0, qPrintable(file));
            QVERIFY2(QFileInfo(QDir(built).filePath(file)).size() > 0, qPrintable(file));
        }
        QVERIFY(!QFileInfo::exists(prefix.filePath(QStringLiteral("bin/openapi"))));
        QCOMPARE(apiLink(prefix.filePath(QStringLiteral("bin"))), QUrl::fromLocalFile(installed).toString());
        QCOMPARE(apiLink(ovra::test::binaryDir() + QStringLiteral("/bin")),
                 QUrl::fromLocalFile(built).toString());

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
