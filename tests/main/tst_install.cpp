#include "BuildInfo.h"
#include "misc/Tutorials.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QXmlStreamReader>

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

// A gzip-compressed file's text, read back with the system's gzip.
QByteArray gunzip(const QString &file)
{
    const Finished f = run(QStringLiteral("gzip"), {QStringLiteral("-dc"), file});
    return f.exitCode == 0 ? f.out : QByteArray();
}

struct Screenshot
{
    QString image;
    QSize size;
};

// What software centres read from the AppStream metadata.
struct Metainfo
{
    QString id;
    QString launchable;
    QStringList binaries;
    QList<Screenshot> screenshots;
    QString releaseVersion;
    QString releaseDate;
    QString error;
};

Metainfo readMetainfo(const QString &file)
{
    Metainfo m;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        m.error = QStringLiteral("cannot open ") + file;
        return m;
    }
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"id") {
            m.id = xml.readElementText();
        } else if (name == u"launchable") {
            m.launchable = xml.readElementText();
        } else if (name == u"binary") {
            m.binaries.append(xml.readElementText());
        } else if (name == u"image") {
            const QSize size(xml.attributes().value(QLatin1String("width")).toInt(),
                             xml.attributes().value(QLatin1String("height")).toInt());
            m.screenshots.append({xml.readElementText(), size});
        } else if (name == u"release" && m.releaseVersion.isEmpty()) {
            m.releaseVersion = xml.attributes().value(QLatin1String("version")).toString();
            m.releaseDate = xml.attributes().value(QLatin1String("date")).toString();
        }
    }
    if (xml.hasError())
        m.error = xml.errorString();
    return m;
}

} // namespace

// `cmake --install` into a fresh prefix, as the Debian package is made: the
// programs, the desktop entry, the icon, the interface definitions, the
// manual pages, the AppStream metadata, the copyright file and the
// changelog land where a desktop and Debian's tools look for them, and the
// installed program starts from there and links the definitions from its
// network tutorial.
class TestInstall : public QObject
{
    Q_OBJECT
    QTemporaryDir m_prefix;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        const Finished install =
            run(QStringLiteral(OVRA_CMAKE_COMMAND), {QStringLiteral("--install"), ovra::test::binaryDir(),
                                                     QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY2(install.exitCode == 0, install.err.constData());
    }

    void installedProgramStarts()
    {
        const QString program = m_prefix.filePath(QStringLiteral("bin/ovra"));
        for (const QString &binary : {program, m_prefix.filePath(QStringLiteral("bin/ovra-eval")),
                                      m_prefix.filePath(QStringLiteral("bin/ovra-db"))}) {
            QVERIFY2(QFileInfo(binary).isExecutable(), qPrintable(binary));
        }
        QImage icon;
        QVERIFY(icon.load(m_prefix.filePath(QStringLiteral("share/icons/hicolor/256x256/apps/ovra.png"))));
        QCOMPARE(icon.size(), QSize(256, 256));

        const QString desktopFile = m_prefix.filePath(QStringLiteral("share/applications/ovra.desktop"));
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
        const QString installed = m_prefix.filePath(QStringLiteral("share/ovra/openapi"));
        for (const QString &file : definitions) {
            QVERIFY2(QFileInfo(QDir(installed).filePath(file)).size() > 0, qPrintable(file));
            QVERIFY2(QFileInfo(QDir(built).filePath(file)).size() > 0, qPrintable(file));
        }
        QVERIFY(!QFileInfo::exists(m_prefix.filePath(QStringLiteral("bin/openapi"))));
        QCOMPARE(apiLink(m_prefix.filePath(QStringLiteral("bin"))),
                 QUrl::fromLocalFile(installed).toString());
        QCOMPARE(apiLink(ovra::test::binaryDir() + QStringLiteral("/bin")),
                 QUrl::fromLocalFile(built).toString());

        const Finished help =
            run(m_prefix.filePath(QStringLiteral("bin/ovra-eval")), {QStringLiteral("--help")});
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

    // Every installed program has its manual page; the metadata names
    // this release and the installed programs, and shows tutorial pictures
    // that exist at the size it states; the changelog's latest entry is the
    // version the program reports.
    void packageDocumentsEveryProgram()
    {
        const QStringList programs = QDir(m_prefix.filePath(QStringLiteral("bin"))).entryList(QDir::Files);
        QVERIFY(programs.contains(QStringLiteral("ovra")));
        QVERIFY(programs.contains(QStringLiteral("ovra-eval")));
        for (const QString &program : programs) {
            const QByteArray page =
                gunzip(m_prefix.filePath(QStringLiteral("share/man/man1/%1.1.gz").arg(program)));
            QVERIFY2(!page.isEmpty(), qPrintable(program));
            // The title line names the program in capitals, with roff's escaped hyphen.
            const QByteArray title =
                ".TH " + program.toUpper().replace(QLatin1Char('-'), QLatin1String("\\-")).toUtf8() + " 1 ";
            QVERIFY2(page.startsWith(title), page.left(80).constData());
            QVERIFY2(page.contains("\n.SH NAME\n" + program.toUtf8().replace("-", "\\-") + " \\- "),
                     qPrintable(program));
        }

        const Metainfo meta =
            readMetainfo(m_prefix.filePath(QStringLiteral("share/metainfo/ovra.metainfo.xml")));
        QVERIFY2(meta.error.isEmpty(), qPrintable(meta.error));
        QCOMPARE(meta.id, QStringLiteral("ovra"));
        QVERIFY(
            QFileInfo::exists(m_prefix.filePath(QStringLiteral("share/applications/") + meta.launchable)));
        QStringList provided = meta.binaries;
        provided.sort();
        QCOMPARE(provided, programs);
        QCOMPARE(meta.releaseVersion, QLatin1String(ovra::build::kVersion));
        QVERIFY(QDate::fromString(meta.releaseDate, Qt::ISODate).isValid());
        QVERIFY(meta.screenshots.size() >= 3);
        for (const Screenshot &shot : meta.screenshots) {
            QVERIFY2(shot.image.startsWith(QLatin1String("https://")), qPrintable(shot.image));
            const QString picture = ovra::test::sourceDir() +
                                    QStringLiteral("/src/resources/icon/tutorial/") +
                                    shot.image.section(QLatin1Char('/'), -1);
            QCOMPARE(QImageReader(picture).size(), shot.size);
            // Software centres ask for screenshots at least 620 pixels wide.
            QVERIFY2(shot.size.width() >= 620, qPrintable(picture));
        }

        QFile copyright(m_prefix.filePath(QStringLiteral("share/doc/ovra/copyright")));
        QVERIFY(copyright.open(QIODevice::ReadOnly));
        QVERIFY(copyright.readLine().startsWith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));
        const QByteArray changelog = gunzip(m_prefix.filePath(QStringLiteral("share/doc/ovra/changelog.gz")));
        QVERIFY2(changelog.startsWith("ovra (" + QByteArray(ovra::build::kVersion) + ") "),
                 changelog.left(80).constData());
        // The release date of the metadata is the date of that entry.
        const qsizetype trailer = changelog.indexOf("\n -- ");
        QVERIFY(trailer > 0);
        const QByteArray stamp = changelog.mid(changelog.indexOf(">  ", trailer) + 3, 31).trimmed();
        QCOMPARE(QDateTime::fromString(QString::fromLatin1(stamp), Qt::RFC2822Date).date(),
                 QDate::fromString(meta.releaseDate, Qt::ISODate));
    }
};

OVRA_TEST_CORE_MAIN(TestInstall)

#include "tst_install.moc"
