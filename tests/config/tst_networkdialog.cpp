// The network dialog: filling, validation, OK, and Test and Send sample
// against a real scoring system on loopback.

#include "AppStartup.h"
#include "config/NetworkDialog.h"
#include "rest/server/RestServerSettings.h"
#include "settings/WebSocketServerSettings.h"
#include "support/MessageCapture.h"
#include "support/ScoringTestServer.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

using namespace ovra::rest::client;
using ovra::rest::server::RestServerSettings;
using ovra::test::ScoringTestServer;

namespace {

struct Fixture
{
    RestServerSettings rest;
    WebSocketServerSettings webSocket;
    ScoringClientConfigurations configurations;
    bool advanced = false;

    Fixture()
    {
        rest.setHostName(QStringLiteral("10.1.2.3"));
        rest.setEnabled(true);
        for (int i = 0; i < 3; ++i) {
            ScoringClientConfiguration c;
            c.id = i + 1;
            c.timeout = 0;
            configurations << c;
        }
        configurations[0].enabled = true;
        configurations[0].label = QStringLiteral("Panel A");
        configurations[0].url = QUrl(QStringLiteral("http://127.0.0.1:9000/api"));
        configurations[0].state = true;
    }
    std::unique_ptr<NetworkDialog> dialog()
    {
        return std::make_unique<NetworkDialog>(rest, webSocket, configurations, advanced);
    }
};

bool valid(const QWidget *widget)
{
    return widget->property("valid").toBool();
}

QString status(const NetworkDialog &dialog, int row)
{
    return dialog.row(row).status->property("status").toString();
}

void saveShot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("OVRA_SHOTS_DIR");
    if (!dir.isEmpty())
        widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

class TestNetworkDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Screenshots in the operator's language.
        if (!qEnvironmentVariableIsEmpty("OVRA_SHOTS_DIR"))
            ovra::startup::initTranslator(*QCoreApplication::instance());
    }

    void fillingValidationAndOk()
    {
        Fixture f;
        auto dialog = f.dialog();
        QCOMPARE(dialog->objectName(), QStringLiteral("NetworkDialog"));
        QVERIFY(dialog->addressesTextEdit()->toPlainText().contains(QStringLiteral("127.0.0.1")));
        QCOMPARE(dialog->httpPortEdit()->text(), QStringLiteral("8080"));
        QVERIFY(dialog->httpPortEdit()->isEnabled());
        QVERIFY(!dialog->webSocketPortEdit()->isEnabled());
        QCOMPARE(dialog->row(0).url->text(), QStringLiteral("http://127.0.0.1:9000/api"));
        QVERIFY(dialog->row(0).state->isChecked());
        QVERIFY(!dialog->row(1).label->isEnabled());
        QCOMPARE(status(*dialog, 0), QStringLiteral("unknown"));
        QVERIFY(dialog->okButton()->isEnabled());
        // Advanced settings hidden: WebSocket server and the per-system
        // switches.
        QVERIFY(dialog->webSocketServerCheckBox()->isHidden());
        QVERIFY(dialog->row(0).state->isHidden());
        dialog->advancedSettingsCheckBox()->setChecked(true);
        QVERIFY(!dialog->webSocketServerCheckBox()->isHidden() && !dialog->row(2).intermediate->isHidden());

        // Both servers on the same port text.
        dialog->webSocketServerCheckBox()->setChecked(true);
        dialog->webSocketPortEdit()->setText(QStringLiteral("8080"));
        QVERIFY(!valid(dialog->httpPortEdit()) && !valid(dialog->webSocketPortEdit()));
        QVERIFY(!dialog->okButton()->isEnabled());
        dialog->webSocketServerCheckBox()->setChecked(false);
        QVERIFY(valid(dialog->httpPortEdit()) && dialog->okButton()->isEnabled());
        dialog->httpPortEdit()->setText(QStringLiteral("70000"));
        QVERIFY(!dialog->okButton()->isEnabled());
        dialog->httpPortEdit()->setText(QStringLiteral("8090"));

        // An enabled row needs a label and a usable URL; a disabled row
        // never blocks, whatever it holds.
        const NetworkDialog::Row &row = dialog->row(0);
        row.label->clear();
        QVERIFY(!valid(row.label) && !row.test->isEnabled() && !row.sample->isEnabled());
        QVERIFY(!dialog->okButton()->isEnabled());
        dialog->webSocketServerCheckBox()->setChecked(true);
        dialog->webSocketPortEdit()->setText(QStringLiteral("8090"));
        saveShot(dialog.get(), QStringLiteral("network-dialog-invalid"));
        dialog->webSocketServerCheckBox()->setChecked(false);
        row.label->setText(QStringLiteral("Panel A"));
        QVERIFY(dialog->okButton()->isEnabled() && row.test->isEnabled());
        dialog->row(1).url->setText(QStringLiteral("::nonsense::"));
        QVERIFY(dialog->okButton()->isEnabled());
        dialog->row(1).enabled->setChecked(true);
        QVERIFY(!dialog->okButton()->isEnabled());
        dialog->row(1).enabled->setChecked(false);

        dialog->okButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(f.rest.portNumber(), 8090);
        QCOMPARE(f.rest.hostName(), QString());
        QVERIFY(f.advanced);
        QCOMPARE(f.configurations.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f.configurations.at(i).id, i);
            QCOMPARE(f.configurations.at(i).timeout, 3000);
        }
        QVERIFY(f.configurations.at(0).enabled && f.configurations.at(0).state);
        QVERIFY(!f.configurations.at(1).enabled);
    }

    // Regression: strict parsing alone accepted "abc" (a relative URL) as a
    // scoring system's address.
    void urlWithoutSchemeOrHostIsRejected()
    {
        for (const char *text : {"abc", "ftp://host/api", "http://", "http:///api", "127.0.0.1:8080", ""})
            QVERIFY2(!NetworkDialog::isValidScoringUrl(QString::fromLatin1(text)), text);
        for (const char *text : {"http://127.0.0.1:8080/api", "https://scoring.local/", "http://[::1]:9/x"})
            QVERIFY2(NetworkDialog::isValidScoringUrl(QString::fromLatin1(text)), text);
        Fixture f;
        auto dialog = f.dialog();
        dialog->row(0).enabled->setChecked(true);
        dialog->row(0).label->setText(QStringLiteral("Judges"));
        dialog->row(0).url->setText(QStringLiteral("abc"));
        QVERIFY(!valid(dialog->row(0).url));
        QVERIFY(!dialog->okButton()->isEnabled());
        // Next to the field: what is wrong and how it is right.
        QVERIFY(!dialog->row(0).problem->isHidden());
        QCOMPARE(dialog->row(0).problem->text(),
                 QStringLiteral("The address must begin with http:// or https://, for example http://abc"));
        dialog->row(0).url->setText(QStringLiteral("ftp://host/api"));
        QCOMPARE(dialog->row(0).problem->text(),
                 QStringLiteral("Only http:// and https:// addresses are supported, not ftp://"));
        dialog->row(0).url->setText(QStringLiteral("http://127.0.0.1:8080/api"));
        QVERIFY(dialog->row(0).problem->isHidden());
        dialog->row(0).label->clear();
        QVERIFY(dialog->row(0).problem->text().startsWith(QStringLiteral("Enter a label")));
        // The ports say it too.
        dialog->httpServerCheckBox()->setChecked(true);
        dialog->webSocketServerCheckBox()->setChecked(true);
        dialog->httpPortEdit()->setText(QStringLiteral("8080"));
        dialog->webSocketPortEdit()->setText(QStringLiteral("8080"));
        QCOMPARE(dialog->serverProblemLabel()->text(),
                 QStringLiteral("The HTTP and the WebSocket server cannot share a port."));
        QVERIFY(!dialog->serverProblemLabel()->isHidden());
        dialog->webSocketPortEdit()->setText(QStringLiteral("8081"));
        QVERIFY(dialog->serverProblemLabel()->isHidden());
    }

    // Showing the advanced settings makes the dialog wider instead of
    // squeezing the label fields.
    void advancedSettingsKeepTheFieldsWide()
    {
        Fixture f;
        auto dialog = f.dialog();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const int label = dialog->row(0).label->width();
        const int url = dialog->row(0).url->width();
        dialog->advancedSettingsCheckBox()->setChecked(true);
        QTest::qWait(50);
        QVERIFY(dialog->row(0).intermediate->isVisible());
        QVERIFY2(dialog->row(0).label->width() >= label,
                 qPrintable(QString::number(dialog->row(0).label->width())));
        QVERIFY(dialog->row(0).url->width() >= url);
        QVERIFY(dialog->row(0).label->width() >=
                dialog->row(0).label->fontMetrics().horizontalAdvance(QStringLiteral("Scoring system 8")));
    }

    void testAndSampleAgainstAScoringSystem()
    {
        MessageCapture log;
        ScoringTestServer server;
        Fixture f;
        f.advanced = true;
        auto dialog = f.dialog();
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));

        // Filled by keyboard, as an operator would.
        const NetworkDialog::Row &row = dialog->row(1);
        row.enabled->setFocus();
        QTest::keyClick(row.enabled, Qt::Key_Space);
        QTest::keyClick(row.enabled, Qt::Key_Tab);
        QVERIFY(row.label->hasFocus());
        QTest::keyClicks(row.label, QStringLiteral("Judges"));
        QTest::keyClick(row.label, Qt::Key_Tab);
        QVERIFY(row.url->hasFocus());
        QTest::keyClicks(row.url, server.url(QStringLiteral("/api")));
        const NetworkDialog::Row &other = dialog->row(2);
        other.enabled->setChecked(true);
        other.label->setText(QStringLiteral("Backup"));
        other.url->setText(QStringLiteral("http://127.0.0.1:%1/api").arg(ovra::test::freeTcpPort()));

        // One system answers, at the other address nothing does: green and
        // red, the red within the 3 s time-out.
        QVERIFY(row.test->isEnabled() && other.test->isEnabled());
        row.test->click();
        other.test->click();
        QTRY_COMPARE(status(*dialog, 1), QStringLiteral("success"));
        QTRY_COMPARE_WITH_TIMEOUT(status(*dialog, 2), QStringLiteral("failed"), 3500);
        QCOMPARE(server.count(QStringLiteral("/api/health")), 1);
        // The red light says why, next to the row.
        QVERIFY(!other.problem->isHidden());
        QVERIFY2(other.problem->text().startsWith(QStringLiteral("Test failed: ")) &&
                     other.problem->text().size() > 14,
                 qPrintable(other.problem->text()));
        QVERIFY(row.problem->isHidden());
        saveShot(dialog.get(), QStringLiteral("network-dialog-test"));
        // Editing one row leaves the other rows' lights as they are.
        other.label->setText(QStringLiteral("Backup system"));
        QCOMPARE(status(*dialog, 1), QStringLiteral("success"));
        QCOMPARE(status(*dialog, 2), QStringLiteral("failed"));
        QVERIFY(!other.problem->isHidden());

        // A system that accepts the connection and never answers.
        ScoringTestServer silent(ScoringTestServer::Mode::NoAnswer);
        other.url->setText(silent.url());
        QCOMPARE(status(*dialog, 2), QStringLiteral("unknown"));
        other.test->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(*dialog, 2), QStringLiteral("failed"), 3500);

        // Send sample leaves the row's status as it is.
        dialog->setStatusIconByIndex(1, NetworkDialog::Success);
        row.sample->click();
        QVERIFY(server.waitForRequests(QStringLiteral("/api/routineresult"), 1));
        QTRY_VERIFY(log.lines().contains(QStringLiteral("AddRoutineResults SIGNAL")));
        QCOMPARE(status(*dialog, 1), QStringLiteral("success"));
        const QJsonObject sample =
            QJsonDocument::fromJson(server.requests(QStringLiteral("/api/routineresult")).first().body)
                .object();
        QCOMPARE(sample.value(QStringLiteral("maturity")).toString(), QStringLiteral("confirmed"));
        QVERIFY(!sample.contains(QStringLiteral("rulesSettings")));
        const QJsonObject individual = sample.value(QStringLiteral("individualResult")).toObject();
        QCOMPARE(individual.value(QStringLiteral("timeOfFlightInSeconds")).toDouble(), 15.49);
        QCOMPARE(individual.value(QStringLiteral("meta")).toObject().size(), 3);
        const QJsonArray elements = individual.value(QStringLiteral("elements")).toArray();
        QCOMPARE(elements.size(), 10);
        QCOMPARE(elements.at(3).toObject().value(QStringLiteral("landingPositionInCm")).toObject(),
                 (QJsonObject{{QStringLiteral("x"), 110}, {QStringLiteral("y"), 3}}));
        for (const QJsonValue &element : elements)
            QVERIFY(!element.toObject().contains(QStringLiteral("landingZone")));
        dialog->setStatusIconByIndex(3, NetworkDialog::Failed);
        QVERIFY(log.lines().contains(QStringLiteral(
            "There are only 3 possible client configurations. Cannot set status icon for index: 3")));
    }

    // Regression: an answer to Test or Send sample that came after the
    // dialog had closed was delivered to the deleted dialog.
    void answersAfterTheDialogClosedReachNothing()
    {
        ScoringTestServer server(ScoringTestServer::Mode::Slow);
        server.setSlowDelayMs(300);
        {
            Fixture f;
            auto dialog = f.dialog();
            dialog->testConnection(0, server.url());
            dialog->sendSampleData(0, server.url());
            QVERIFY(server.waitForRequests(QStringLiteral("/routineresult"), 1));
            QVERIFY(server.waitForRequests(QStringLiteral("/health"), 1));
        }
        QTRY_COMPARE(server.count(QStringLiteral("/routineresult"), 200), 1);
        QTRY_COMPARE(server.count(QStringLiteral("/health"), 204), 1);
        QTest::qWait(100);
    }
};

OVRA_TEST_GUI_MAIN(TestNetworkDialog)
#include "tst_networkdialog.moc"
