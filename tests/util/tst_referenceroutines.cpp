// Routines made by a physical model outside this project (skewed contact
// curves, bed vibration after take-off, baseline drift, a second athlete on
// the unused bed, an athlete who stands still at the end, windows that end
// long after the routine or in its middle), with the confirmed results an
// independent implementation of the scoring rules gives. Each one is scored
// through the code ovra-eval runs, in this process and by the program.

#include "AppStartup.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "support/TestSupport.h"
#include "util/StoredRoutine.h"

#include <QDir>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>

namespace {

// The same keys, strings and integers equal, floating-point values within
// 1e-9, landing positions within 1 cm (a mean summed in another order may
// round the other way). The first difference, or "".
QString difference(const QJsonValue &expected, const QJsonValue &actual, const QString &path)
{
    if (expected.isObject()) {
        if (!actual.isObject())
            return path + QStringLiteral(": expected an object");
        const QJsonObject e = expected.toObject();
        const QJsonObject a = actual.toObject();
        const QStringList keys = e.keys();
        if (keys != a.keys())
            return path + QStringLiteral(": keys differ: ") + keys.join(u',') + QStringLiteral(" / ") +
                   a.keys().join(u',');
        for (const QString &key : keys) {
            const QString d = difference(e.value(key), a.value(key), path + u'.' + key);
            if (!d.isEmpty())
                return d;
        }
        return QString();
    }
    if (expected.isArray()) {
        const QJsonArray e = expected.toArray();
        const QJsonArray a = actual.toArray();
        if (!actual.isArray() || e.size() != a.size())
            return path + QStringLiteral(": expected a list of %1").arg(e.size());
        for (qsizetype i = 0; i < e.size(); ++i) {
            const QString d = difference(e.at(i), a.at(i), path + QStringLiteral("[%1]").arg(i));
            if (!d.isEmpty())
                return d;
        }
        return QString();
    }
    if (expected.isDouble() && actual.isDouble()) {
        const double tolerance =
            path.endsWith(QLatin1String(".x")) || path.endsWith(QLatin1String(".y")) ? 1.0 : 1e-9;
        if (std::abs(expected.toDouble() - actual.toDouble()) <= tolerance)
            return QString();
        return path + QStringLiteral(": expected %1, got %2").arg(expected.toDouble()).arg(actual.toDouble());
    }
    if (expected == actual)
        return QString();
    return path +
           QStringLiteral(": expected %1, got %2")
               .arg(QString::fromUtf8(QJsonDocument(QJsonArray{expected}).toJson(QJsonDocument::Compact)),
                    QString::fromUtf8(QJsonDocument(QJsonArray{actual}).toJson(QJsonDocument::Compact)));
}

struct Reference
{
    QString dataFile;
    int rule = 0;
    QJsonObject expected;
};

} // namespace

class TestReferenceRoutines : public QObject
{
    Q_OBJECT

    QList<Reference> m_references;

private slots:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        const QDir folder(QStringLiteral(OVRA_REFERENCE_ROUTINES_DIR));
        const QStringList files =
            folder.entryList({QStringLiteral("routine_*.dat")}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 16);
        for (const QString &name : files) {
            Reference reference;
            reference.dataFile = folder.filePath(name);
            reference.rule = name.mid(8, 2).toInt() % 2;
            QFile json(folder.filePath(name.chopped(4) + QStringLiteral(".json")));
            QVERIFY(json.open(QIODevice::ReadOnly));
            reference.expected = QJsonDocument::fromJson(json.readAll()).object();
            QVERIFY(!reference.expected.isEmpty());
            m_references.append(reference);
        }
    }

    void everyReferenceRoutineScoresAsExpected()
    {
        wsDaten store;
        OvraSettings::Targets targets;
        targets.store = &store;
        OvraSettings settings(targets, ovra::startup::logHandler());
        int width = 0;
        int height = 0;
        QFont font;
        settings.load(width, height, font);
        const StoreSettings configured = store.storeSettings();
        QStringList failures;
        for (const Reference &reference : m_references) {
            settings.rulesSettings().setHdDeductionRule(reference.rule);
            const auto score =
                ovra::util::scoreStoredRoutine(reference.dataFile, settings, store, configured);
            const QString name = QFileInfo(reference.dataFile).fileName();
            if (!score.read) {
                failures << name + QStringLiteral(": not read ") + score.refusal;
                continue;
            }
            const QString d = difference(reference.expected, QJsonDocument::fromJson(score.json).object(),
                                         QStringLiteral("$"));
            if (!d.isEmpty())
                failures << name + QStringLiteral(": ") + d;
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
    }

    // The program itself, one compact line per file.
    void ovraEvalPrintsTheSameScores()
    {
        for (int rule = 0; rule < 2; ++rule) {
            QStringList arguments{QStringLiteral("--hd-rule"), QString::number(rule)};
            QList<const Reference *> asked;
            for (const Reference &reference : m_references) {
                if (reference.rule == rule) {
                    arguments << reference.dataFile;
                    asked << &reference;
                }
            }
            QProcess process;
            process.start(ovra::test::binaryDir() + QStringLiteral("/bin/ovra-eval"), arguments);
            QVERIFY(process.waitForFinished(120000));
            QCOMPARE(process.exitCode(), 0);
            const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
            QCOMPARE(lines.size(), asked.size());
            for (qsizetype k = 0; k < lines.size(); ++k) {
                const QString d =
                    difference(asked.at(k)->expected, QJsonDocument::fromJson(lines.at(k)).object(),
                               QStringLiteral("$"));
                QVERIFY2(d.isEmpty(), qPrintable(QFileInfo(asked.at(k)->dataFile).fileName() + u' ' + d));
            }
        }
    }
};

OVRA_TEST_CORE_MAIN(TestReferenceRoutines)
#include "tst_referenceroutines.moc"
