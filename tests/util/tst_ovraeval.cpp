#include "RecordingPlayback.h"

#include "data/Evaluation.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/ProtocolScan.h"
#include "support/TestSupport.h"
#include "util/FileUtils.h"
#include "util/RESTUtils.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using ovra::util::FileUtils;
using ovra::util::RESTUtils;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

Run runEval(const QStringList &arguments, const QString &language = QStringLiteral("en"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OVRA_FORCE_LANGUAGE"), language);
    process.setProcessEnvironment(environment);
    process.start(ovra::test::binaryDir() + QStringLiteral("/bin/ovra-eval"), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void setStoredRule(int rule)
{
    auto storage = OvraSettings::openStorage();
    storage->setValue(QStringLiteral("Rules/HdDeductions"), rule);
    storage->sync();
}

} // namespace

class TestOvraEval : public QObject
{
    Q_OBJECT

    std::optional<playback::Library> m_library;
    QTemporaryDir m_dir;

    // Plays a recording as START then ROUTINE and saves it with the default
    // settings, as the commit autosave does.
    QString saved(int number)
    {
        const QString file = m_dir.filePath(QStringLiteral("recording%1.dat").arg(number));
        if (QFile::exists(file))
            return file;
        wsDaten store;
        m_library->play(number, store);
        store.routines().addRoutineMetaInformation(QStringLiteral("LastName"), QStringLiteral("Brandt"));
        if (FileUtils::saveFile(true, file, nullptr, store, nullptr, nullptr))
            return QString();
        return file;
    }

    static double hdOf(int rule, const QJsonObject &contact)
    {
        return RESTUtils::roundTo(1.0 - data::calc::hdDeductionFor(rule, contact.value(QStringLiteral("x")).toDouble(),
                                                                 contact.value(QStringLiteral("y")).toDouble()),
                                  1);
    }

    static void comparePosition(const QJsonObject &position, const QJsonObject &contact)
    {
        QVERIFY2(std::abs(position.value(QStringLiteral("x")).toDouble() - contact.value(QStringLiteral("x")).toDouble()) <= 2.0,
                 QJsonDocument(position).toJson(QJsonDocument::Compact).constData());
        QVERIFY2(std::abs(position.value(QStringLiteral("y")).toDouble() - contact.value(QStringLiteral("y")).toDouble()) <= 2.0,
                 QJsonDocument(position).toJson(QJsonDocument::Compact).constData());
    }

    void checkIndividual(const QJsonObject &json, int number, int bed, int rule)
    {
        QCOMPARE(json.value(QStringLiteral("maturity")).toString(), QStringLiteral("confirmed"));
        QCOMPARE(json.value(QStringLiteral("rulesSettings")).toObject().value(QStringLiteral("hdDeductions")).toString(),
                 rule == 0 ? QStringLiteral("max3") : QStringLiteral("max5"));
        const QJsonObject result = json.value(QStringLiteral("individualResult")).toObject();
        QVERIFY(!json.contains(QStringLiteral("synchronizedResult")));
        QCOMPARE(result.value(QStringLiteral("meta")).toObject().value(QStringLiteral("LastName")).toString(),
                 QStringLiteral("Brandt"));
        QCOMPARE(result.value(QStringLiteral("elementCount")).toInt(), 10);
        const QJsonArray elements = result.value(QStringLiteral("elements")).toArray();
        const auto contacts = m_library->routineContacts(number, bed);
        QCOMPARE(elements.size(), 10);
        QCOMPARE(contacts.size(), 10);
        int flight = 0;
        double hd = 0.0;
        for (int k = 0; k < 10; ++k) {
            const QJsonObject e = elements.at(k).toObject();
            const QJsonObject c = contacts.at(k);
            QVERIFY(std::abs(e.value(QStringLiteral("timeOfFlightInSeconds")).toDouble() * 1000
                             - c.value(QStringLiteral("flightBefore")).toInt()) <= 10);
            comparePosition(e.value(QStringLiteral("landingPositionInCm")).toObject(), c);
            QCOMPARE(e.value(QStringLiteral("landingZone")).toInt(), c.value(QStringLiteral("zone")).toInt());
            QCOMPARE(e.value(QStringLiteral("horizontalDisplacement")).toDouble(), hdOf(rule, c));
            flight += c.value(QStringLiteral("flightBefore")).toInt();
            hd += hdOf(rule, c);
        }
        QVERIFY(std::abs(result.value(QStringLiteral("timeOfFlightInSeconds")).toDouble() - flight / 1000.0) <= 0.1);
        QCOMPARE(result.value(QStringLiteral("horizontalDisplacement")).toDouble(), RESTUtils::roundTo(hd, 1));
    }

private Q_SLOTS:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        QVERIFY(m_dir.isValid());
        m_library = playback::Library::load();
        QVERIFY(QFile::exists(ovra::test::binaryDir() + QStringLiteral("/bin/ovra-eval")));
    }

    void init() { ovra::test::clearSettings(); }

    void individualRecordings_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("bed");
        QTest::newRow("trampoline 1") << 1 << 1;
        QTest::newRow("trampoline 2") << 2 << 2;
    }
    void individualRecordings()
    {
        QFETCH(int, number);
        QFETCH(int, bed);
        if (!m_library)
            QSKIP("simulated recordings not found");
        const QString file = saved(number);
        QVERIFY(!file.isEmpty());

        const Run run = runEval({file});
        QCOMPARE(run.exitCode, 0);
        checkIndividual(run.json(), number, bed, 0);
        // Indented, as the scoring systems receive it.
        QVERIFY(run.out.startsWith("{\n    \""));

        // The stored rule applies unless the option overrides it.
        setStoredRule(1);
        const Run stored = runEval({file});
        QCOMPARE(stored.exitCode, 0);
        checkIndividual(stored.json(), number, bed, 1);
        const Run overridden = runEval({QStringLiteral("--hd-rule"), QStringLiteral("0"), file});
        QCOMPARE(overridden.exitCode, 0);
        QCOMPARE(overridden.out, run.out);
    }

    void synchronizedRecording()
    {
        if (!m_library)
            QSKIP("simulated recordings not found");
        const QString file = saved(3);
        QVERIFY(!file.isEmpty());
        const Run run = runEval({QStringLiteral("--hd-rule"), QStringLiteral("1"), file});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject json = run.json();
        QVERIFY(!json.contains(QStringLiteral("individualResult")));
        const QJsonObject result = json.value(QStringLiteral("synchronizedResult")).toObject();
        QCOMPARE(result.value(QStringLiteral("elementCount")).toInt(), 10);
        QCOMPARE(result.value(QStringLiteral("effectiveElementCount")).toInt(), 6);
        const QJsonArray elements = result.value(QStringLiteral("elements")).toArray();
        QCOMPARE(elements.size(), 10);
        const QJsonArray pairs = m_library->recording(3).value(QStringLiteral("pairs")).toArray();
        const auto contacts1 = m_library->routineContacts(3, 1);
        const auto contacts2 = m_library->routineContacts(3, 2);
        double hd1 = 0.0;
        for (int k = 0; k < 10; ++k) {
            const QJsonObject e = elements.at(k).toObject();
            const QJsonObject pair = pairs.at(k).toObject();
            QCOMPARE(e.value(QStringLiteral("forcedEndOfRoutine")).toBool(), pair.value(QStringLiteral("notSynchronous")).toBool());
            QVERIFY(std::abs(e.value(QStringLiteral("landingTimeDifferenceInSeconds")).toDouble() * 1000
                             - pair.value(QStringLiteral("differenceMs")).toInt()) <= 10);
            comparePosition(e.value(QStringLiteral("landingPositionInCmTrampoline1")).toObject(), contacts1.at(k));
            comparePosition(e.value(QStringLiteral("landingPositionInCmTrampoline2")).toObject(), contacts2.at(k));
            QCOMPARE(e.value(QStringLiteral("landingZoneTrampoline1")).toInt(), contacts1.at(k).value(QStringLiteral("zone")).toInt());
            QCOMPARE(e.value(QStringLiteral("landingZoneTrampoline2")).toInt(), contacts2.at(k).value(QStringLiteral("zone")).toInt());
            QCOMPARE(e.value(QStringLiteral("horizontalDisplacementTrampoline1")).toDouble(), hdOf(1, contacts1.at(k)));
            QCOMPARE(e.value(QStringLiteral("horizontalDisplacementTrampoline2")).toDouble(), hdOf(1, contacts2.at(k)));
            if (k < 6)
                hd1 += hdOf(1, contacts1.at(k));
        }
        // Only the pairs before the first one that is not synchronous count.
        QCOMPARE(result.value(QStringLiteral("horizontalDisplacementTrampoline1")).toDouble(), RESTUtils::roundTo(hd1, 1));
    }

    // Open takes the .dat file of a .txt, .res or .tara name; so does the tool.
    void otherExtensionsNameTheDataFile()
    {
        if (!m_library)
            QSKIP("simulated recordings not found");
        const QString file = saved(1);
        const Run direct = runEval({file});
        const QString base = file.chopped(4);
        for (const QString &ext : {QStringLiteral(".TXT"), QStringLiteral(".res"), QStringLiteral(".tara"), QString()}) {
            const Run run = runEval({base + ext});
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, direct.out);
        }
    }

    // A whole competition in one process: one compact result per line, in
    // the order of the files, "null" where a file cannot be read; each line
    // is what the file gives alone, whatever was scored before it.
    void severalFilesAsJsonLines()
    {
        if (!m_library)
            QSKIP("simulated recordings not found");
        const QString missing = m_dir.filePath(QStringLiteral("gone.dat"));
        const QStringList files = {saved(3), saved(1), missing, saved(2)};
        const Run run = runEval(files);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(missing.toLocal8Bit()));
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.last().isEmpty());
        for (int k = 0; k < 4; ++k) {
            if (files.at(k) == missing) {
                QCOMPARE(lines.at(k), QByteArray("null"));
                continue;
            }
            const Run alone = runEval({files.at(k)});
            QCOMPARE(lines.at(k), QJsonDocument::fromJson(alone.out).toJson(QJsonDocument::Compact));
        }
    }

    void protocolOfAFolder()
    {
        if (!m_library)
            QSKIP("simulated recordings not found");
        QTemporaryDir folder;
        QVERIFY(QFile::copy(saved(1), folder.filePath(QStringLiteral("a.dat"))));
        QVERIFY(QFile::copy(saved(3), folder.filePath(QStringLiteral("b.dat"))));
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("day2")));
        QVERIFY(QFile::copy(saved(2), folder.filePath(QStringLiteral("day2/c.dat"))));

        for (bool subfolders : {false, true}) {
            // The same scan as the export dialog runs, in this process.
            CompetitionStatistics statistics;
            QVERIFY(ovra::statistics::scanCompetitionFolder(folder.path(), subfolders, statistics));
            QStringList arguments = {QStringLiteral("--protocol"), folder.path()};
            const QString map = m_dir.filePath(QStringLiteral("map%1.png").arg(subfolders));
            if (subfolders)
                arguments << QStringLiteral("--subfolders") << QStringLiteral("--heatmap") << map;
            const Run run = runEval(arguments);
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, ovra::statistics::statisticsJson(statistics) + '\n');
            QCOMPARE(run.json().value(QStringLiteral("trampTwoRoutines")).toInt(), subfolders ? 1 : 0);
            QCOMPARE(QFile::exists(map), subfolders);
        }
        QImage map;
        QVERIFY(map.load(m_dir.filePath(QStringLiteral("map1.png")), "PNG"));
        QVERIFY(map.width() > map.height());

        const Run missing = runEval({QStringLiteral("--protocol"), folder.filePath(QStringLiteral("gone"))});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.out.isEmpty());
        const Run unwritable =
            runEval({QStringLiteral("--protocol"), folder.path(), QStringLiteral("--heatmap"),
                     folder.filePath(QStringLiteral("gone/map.png"))});
        QCOMPARE(unwritable.exitCode, 1);
    }

    void failures()
    {
        const QString missing = m_dir.filePath(QStringLiteral("missing.dat"));
        Run run = runEval({missing});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(run.err.contains(missing.toLocal8Bit()));

        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.dat")));
        run = runEval({m_dir.filePath(QStringLiteral("folder.dat"))});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("folder.dat"));

        for (const QStringList &arguments :
             {QStringList(), QStringList{QStringLiteral("--hd-rule")},
              QStringList{QStringLiteral("--hd-rule"), QStringLiteral("2"), missing},
              QStringList{QStringLiteral("--frobnicate"), missing},
              QStringList{QStringLiteral("--protocol"), m_dir.path(), missing},
              QStringList{QStringLiteral("--heatmap"), m_dir.filePath(QStringLiteral("map.png")), missing},
              QStringList{QStringLiteral("--protocol")}}) {
            run = runEval(arguments);
            QCOMPARE(run.exitCode, 2);
            QVERIFY(run.out.isEmpty());
            QVERIFY(run.err.contains("usage: ovra-eval [--hd-rule 0|1] FILE...\n"));
        }

        // Help asked for is not a mistake.
        run = runEval({QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.contains("usage: ovra-eval [--hd-rule 0|1] FILE...\n"));

        // Messages follow the workstation's language.
        run = runEval({missing}, QStringLiteral("de"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.endsWith(" kann nicht gelesen werden\n"));
        run = runEval({}, QStringLiteral("de"));
        QVERIFY(run.err.contains("Aufruf: ovra-eval [--hd-rule 0|1] FILE...\n"));

        // A file with a penalty no run of the program writes is refused: no
        // result without its keys.
        QFile absurd(m_dir.filePath(QStringLiteral("absurd.dat")));
        QVERIFY(absurd.open(QIODevice::WriteOnly));
        absurd.write("-0.002\t4.30\t1\n-0.027\t4.3\t1e308\n" +
                     QByteArray("0.000\t1\t2\t3\t4\t10\n").repeated(96));
        absurd.close();
        run = runEval({absurd.fileName()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(
            run.err.contains(("ovra-eval: cannot read " + absurd.fileName() +
                              ": the routine start time or penalty is out of range: '-0.027\t4.3\t1e308'\n")
                                 .toLocal8Bit()),
            run.err.constData());

        // An empty data file is readable: an empty routine.
        QFile empty(m_dir.filePath(QStringLiteral("empty.dat")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        run = runEval({empty.fileName()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.json().value(QStringLiteral("individualResult")).toObject().value(QStringLiteral("elementCount")).toInt(), 0);
    }
};

OVRA_TEST_CORE_MAIN(TestOvraEval)
#include "tst_ovraeval.moc"
