#include "support/TestSupport.h"
#include "util/Mustache.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Runs the public Mustache test suite (one JSON file per topic, each case with
// a template, a data tree, optional partials and the expected output) against
// the renderer.
//
// Our renderer deliberately differs from the suite in a few cases: a key keeps
// the whitespace between it and the closing delimiter, and a dotted name is
// resolved completely in each context from the innermost outwards. Those cases
// are listed below with the output our renderer must give instead; every other
// case must give the suite's expected output.

namespace {

struct Deviation
{
    QString reason;
    QString expected;
};

const QHash<QString, Deviation> &deviations()
{
    static const QHash<QString, Deviation> table = {
        {QStringLiteral("interpolation/Dotted Names - Context Precedence"),
         {QStringLiteral("a dotted name is looked up in full in every context from the innermost "
                         "outwards, so b.c falls through the empty inner b to the outer b.c"),
          QStringLiteral("ERROR")}},
        {QStringLiteral("interpolation/Interpolation With Padding"),
         {QStringLiteral("trailing whitespace stays part of the key: 'string ' is not found"),
          QStringLiteral("||")}},
        {QStringLiteral("interpolation/Triple Mustache With Padding"),
         {QStringLiteral("trailing whitespace stays part of the key: 'string ' is not found"),
          QStringLiteral("||")}},
        {QStringLiteral("interpolation/Ampersand With Padding"),
         {QStringLiteral("trailing whitespace stays part of the key: 'string ' is not found"),
          QStringLiteral("||")}},
        {QStringLiteral("sections/Padding"),
         {QStringLiteral("trailing whitespace stays part of the key: 'boolean ' is missing and so falsy"),
          QStringLiteral("||")}},
        {QStringLiteral("partials/Padding Whitespace"),
         {QStringLiteral("trailing whitespace stays part of the partial name: 'partial ' does not exist"),
          QStringLiteral("||")}},
    };
    return table;
}

QString suiteDir()
{
    for (const char *candidate : {OVRA_MUSTACHE_SUITE_DIR, OVRA_MUSTACHE_SUITE_FALLBACK_DIR}) {
        const QString path = QString::fromUtf8(candidate);
        if (QFileInfo::exists(path + QStringLiteral("/interpolation.json")))
            return QDir::cleanPath(path);
    }
    return {};
}

} // namespace

class TestMustacheSuite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_dir = suiteDir();
        if (m_dir.isEmpty()) {
            QSKIP("Mustache test suite not found in " OVRA_MUSTACHE_SUITE_DIR " nor in "
                  OVRA_MUSTACHE_SUITE_FALLBACK_DIR);
        }
        const QStringList files = QDir(m_dir).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        for (const QString &fileName : files) {
            QFile file(QDir(m_dir).filePath(fileName));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            QJsonParseError parseError;
            const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
            QVERIFY2(parseError.error == QJsonParseError::NoError, qPrintable(fileName + parseError.errorString()));
            const QString topic = QFileInfo(fileName).completeBaseName();
            for (const QJsonValue &test : doc.object().value(QStringLiteral("tests")).toArray())
                m_cases.insert(topic + QLatin1Char('/') + test.toObject().value(QStringLiteral("name")).toString(),
                               test.toObject());
        }
        // The six topics without the optional lambda file hold well over a hundred cases.
        QVERIFY2(m_cases.size() > 100, qPrintable(QString::number(m_cases.size())));
    }

    void deviationsAreSuiteCases()
    {
        // A stale entry would hide a case that the renderer no longer handles
        // the listed way.
        for (auto it = deviations().cbegin(); it != deviations().cend(); ++it) {
            QVERIFY2(m_cases.contains(it.key()), qPrintable(it.key()));
            QVERIFY2(m_cases.value(it.key()).value(QStringLiteral("expected")).toString() != it->expected,
                     qPrintable(it.key()));
        }
    }

    void suiteCase_data()
    {
        QTest::addColumn<QString>("name");
        for (auto it = m_cases.cbegin(); it != m_cases.cend(); ++it)
            QTest::newRow(qPrintable(it.key())) << it.key();
    }

    void suiteCase()
    {
        QFETCH(QString, name);
        const QJsonObject test = m_cases.value(name);
        Mustache::PartialMap partials;
        const QJsonObject partialObject = test.value(QStringLiteral("partials")).toObject();
        for (auto it = partialObject.begin(); it != partialObject.end(); ++it)
            partials.insert(it.key(), it.value().toString());

        Mustache::QtVariantContext context(test.value(QStringLiteral("data")).toVariant(), &partials);
        Mustache::Renderer renderer;
        const QString output = renderer.renderTemplate(test.value(QStringLiteral("template")).toString(), &context);
        QVERIFY2(renderer.errorMessage().isEmpty(), qPrintable(renderer.errorMessage()));

        QString expected = test.value(QStringLiteral("expected")).toString();
        if (deviations().contains(name)) {
            qInfo("%s: %s", qPrintable(name), qPrintable(deviations().value(name).reason));
            expected = deviations().value(name).expected;
        }
        QCOMPARE(output, expected);
    }

private:
    QString m_dir;
    QMap<QString, QJsonObject> m_cases;
};

OVRA_TEST_CORE_MAIN(TestMustacheSuite)
#include "tst_mustachesuite.moc"
