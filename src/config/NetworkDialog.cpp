#include "config/NetworkDialog.h"

#include "rest/client/ScoringClient.h"
#include "rest/client/ScoringSystems.h"
#include "rest/server/RestServerSettings.h"
#include "settings/WebSocketServerSettings.h"
#include "util/RESTUtils.h"

#include <QCheckBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSslSocket>
#include <QStyle>
#include <QTextEdit>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

using ovra::rest::client::ScoringClient;
using ovra::rest::client::ScoringClientConfiguration;

namespace {

constexpr int kMaxPort = 65535;

const char *const kStyleSheet = R"(
*[valid="false"]:enabled { background: rgb(255,205,205); }
QLabel[status="unknown"] { border: 1px solid rgb(220,220,90); border-radius: 6px; }
QLabel[status="success"] { background: rgb(70,170,110); border-radius: 6px; }
QLabel[status="failed"] { background: rgb(230,90,90); border-radius: 6px; }
QLabel[problem="true"] { color: rgb(190,30,30); }
)";

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

QString statusName(NetworkDialog::StatusType status)
{
    switch (status) {
    case NetworkDialog::Success:
        return QStringLiteral("success");
    case NetworkDialog::Failed:
        return QStringLiteral("failed");
    case NetworkDialog::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

QString rowSuffix(int index)
{
    return QStringLiteral("_%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

NetworkDialog::NetworkDialog(ovra::rest::server::RestServerSettings &restServerSettings,
                             WebSocketServerSettings &webSocketServerSettings,
                             ovra::rest::client::ScoringClientConfigurations &clientConfigurations,
                             bool &showAdvancedNetworkSettings, QWidget *parent)
    : QDialog(parent)
    , m_restServerSettings(restServerSettings)
    , m_webSocketServerSettings(webSocketServerSettings)
    , m_clientConfigurations(clientConfigurations)
    , m_showAdvanced(showAdvancedNetworkSettings)
{
    setObjectName(QStringLiteral("NetworkDialog"));
    setWindowTitle(tr("Network"));
    setStyleSheet(QString::fromLatin1(kStyleSheet));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(tr("IP-V4 address(es) of this computer"), this));
    m_addresses = new QTextEdit(this);
    m_addresses->setObjectName(QStringLiteral("TE_ipv4"));
    m_addresses->setReadOnly(true);
    m_addresses->setTabChangesFocus(true);
    QStringList addresses;
    for (const QNetworkInterface &networkInterface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry &entry : networkInterface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                addresses << entry.ip().toString();
        }
    }
    m_addresses->setPlainText(addresses.join(QLatin1Char('\n')));
    m_addresses->setMaximumHeight(m_addresses->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(m_addresses);

    auto *servers = new QGroupBox(tr("Server settings"), this);
    servers->setObjectName(QStringLiteral("groupBox_server_settings"));
    auto *serverGrid = new QGridLayout(servers);
    m_httpEnabled = new QCheckBox(tr("Enable HTTP server on port"), servers);
    m_httpEnabled->setObjectName(QStringLiteral("checkBox_serverEnabledHttp"));
    m_httpPort = new QLineEdit(servers);
    m_httpPort->setObjectName(QStringLiteral("LE_port_http"));
    m_webSocketEnabled = new QCheckBox(tr("Enable WebSocket server on port"), servers);
    m_webSocketEnabled->setObjectName(QStringLiteral("checkBox_serverEnabledWebsocket"));
    m_webSocketPort = new QLineEdit(servers);
    m_webSocketPort->setObjectName(QStringLiteral("LE_port_websocket"));
    for (QLineEdit *port : {m_httpPort, m_webSocketPort}) {
        port->setValidator(new QIntValidator(1, kMaxPort, port));
        port->setMaximumWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("888888")) + 16);
    }
    serverGrid->addWidget(m_httpEnabled, 0, 0);
    serverGrid->addWidget(m_httpPort, 0, 1);
    serverGrid->addWidget(m_webSocketEnabled, 1, 0);
    serverGrid->addWidget(m_webSocketPort, 1, 1);
    m_serverProblem = new QLabel(servers);
    m_serverProblem->setObjectName(QStringLiteral("label_server_problem"));
    m_serverProblem->setProperty("problem", true);
    m_serverProblem->setWordWrap(true);
    m_serverProblem->setVisible(false);
    serverGrid->addWidget(m_serverProblem, 2, 0, 1, 3);
    serverGrid->setColumnStretch(2, 1);
    layout->addWidget(servers);

    auto *clients = new QGroupBox(tr("Client settings"), this);
    clients->setObjectName(QStringLiteral("groupBox_client_settings"));
    auto *clientGrid = new QGridLayout(clients);
    clientGrid->addWidget(new QLabel(tr("Label"), clients), 0, 2);
    clientGrid->addWidget(new QLabel(tr("URL"), clients), 0, 3);
    for (int i = 0; i < kRows; ++i)
        buildRow(clients, i, clientGrid);
    clientGrid->setColumnStretch(3, 1);
    layout->addWidget(clients);

    m_advanced = new QCheckBox(tr("Show advanced settings"), this);
    m_advanced->setObjectName(QStringLiteral("checkBox_advanced_settings"));
    layout->addWidget(m_advanced);
    m_httpsLabel = new QLabel(tr("HTTPS is not supported!"), this);
    m_httpsLabel->setObjectName(QStringLiteral("httpsLabel"));
    m_httpsLabel->setVisible(!QSslSocket::supportsSsl());
    layout->addWidget(m_httpsLabel);

    m_outbox = new QGroupBox(tr("Results waiting to be sent"), this);
    m_outbox->setObjectName(QStringLiteral("groupBox_outbox"));
    auto *outboxLayout = new QGridLayout(m_outbox);
    m_outboxList = new QTreeWidget(m_outbox);
    m_outboxList->setObjectName(QStringLiteral("treeWidget_outbox"));
    m_outboxList->setHeaderLabels({tr("Scoring system"), tr("Athlete"), tr("Committed")});
    m_outboxList->setRootIsDecorated(false);
    m_outboxList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_outboxList->setMaximumHeight(m_outboxList->fontMetrics().lineSpacing() * 6 + 24);
    m_sendNow = new QPushButton(tr("Send now"), m_outbox);
    m_sendNow->setObjectName(QStringLiteral("pushButton_outbox_send"));
    m_discard = new QPushButton(tr("Discard"), m_outbox);
    m_discard->setObjectName(QStringLiteral("pushButton_outbox_discard"));
    m_outboxNote = new QLabel(m_outbox);
    m_outboxNote->setObjectName(QStringLiteral("label_outbox_note"));
    m_outboxNote->setWordWrap(true);
    outboxLayout->addWidget(m_outboxList, 0, 0, 3, 1);
    outboxLayout->addWidget(m_sendNow, 0, 1);
    outboxLayout->addWidget(m_discard, 1, 1);
    outboxLayout->addWidget(m_outboxNote, 3, 0, 1, 2);
    outboxLayout->setColumnStretch(0, 1);
    m_outbox->setVisible(false);
    connect(m_outboxList, &QTreeWidget::itemSelectionChanged, this, &NetworkDialog::updateOutboxButtons);
    connect(m_sendNow, &QPushButton::clicked, this, &NetworkDialog::sendSelectedNow);
    connect(m_discard, &QPushButton::clicked, this, &NetworkDialog::discardSelected);
    layout->addWidget(m_outbox);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &NetworkDialog::okButtonClicked);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_buttons);

    // Filling.
    m_httpEnabled->setChecked(m_restServerSettings.enabled());
    m_httpPort->setText(QString::number(m_restServerSettings.portNumber()));
    m_webSocketEnabled->setChecked(m_webSocketServerSettings.enabled());
    m_webSocketPort->setText(QString::number(m_webSocketServerSettings.portNumber()));
    for (int i = 0; i < kRows && i < m_clientConfigurations.size(); ++i) {
        const ScoringClientConfiguration &c = m_clientConfigurations.at(i);
        const Row &r = row(i);
        r.enabled->setChecked(c.enabled);
        r.label->setText(c.label);
        r.url->setText(c.url.toString(QUrl::FullyEncoded));
        r.intermediate->setChecked(c.intermediate);
        r.state->setChecked(c.state);
    }
    m_advanced->setChecked(m_showAdvanced);

    for (QCheckBox *box : {m_httpEnabled, m_webSocketEnabled})
        connect(box, &QCheckBox::toggled, this, &NetworkDialog::validate);
    for (QLineEdit *port : {m_httpPort, m_webSocketPort})
        connect(port, &QLineEdit::textChanged, this, &NetworkDialog::validate);
    connect(m_advanced, &QCheckBox::toggled, this, &NetworkDialog::updateAdvancedVisibility);
    updateAdvancedVisibility();
    validate();
}

void NetworkDialog::buildRow(QWidget *parent, int index, QGridLayout *grid)
{
    const QString suffix = rowSuffix(index);
    Row &r = m_rows[static_cast<std::size_t>(index)];
    // Each row has a line below it for what is wrong in it.
    const int line = 2 * index + 1;
    grid->addWidget(new QLabel(suffix.mid(1), parent), line, 0);
    r.enabled = new QCheckBox(parent);
    r.enabled->setObjectName(QStringLiteral("checkBox_enabled") + suffix);
    r.label = new QLineEdit(parent);
    r.label->setObjectName(QStringLiteral("lineEdit_label") + suffix);
    // The advanced columns must not squeeze the label to nothing.
    r.label->setMinimumWidth(r.label->fontMetrics().horizontalAdvance(QStringLiteral("Scoring system 8")) +
                             16);
    r.url = new QLineEdit(parent);
    r.url->setObjectName(QStringLiteral("lineEdit_url") + suffix);
    r.url->setPlaceholderText(QStringLiteral("http://192.168.0.%1:8080/api").arg(10 + index));
    r.url->setMinimumWidth(
        r.url->fontMetrics().horizontalAdvance(QStringLiteral("http://192.168.100.100:8080/api")) + 16);
    r.test = new QPushButton(tr("Test"), parent);
    r.test->setObjectName(QStringLiteral("pushButton_test") + suffix);
    r.status = new QLabel(parent);
    r.status->setObjectName(QStringLiteral("label_test_status") + suffix);
    r.status->setFixedSize(18, 18);
    r.status->setProperty("status", statusName(Unknown));
    r.sample = new QPushButton(tr("Send sample"), parent);
    r.sample->setObjectName(QStringLiteral("pushButton_sample") + suffix);
    r.intermediate = new QCheckBox(tr("intermediate results"), parent);
    r.intermediate->setObjectName(QStringLiteral("checkBox_intermediate") + suffix);
    r.state = new QCheckBox(tr("state transitions"), parent);
    r.state->setObjectName(QStringLiteral("checkBox_state") + suffix);

    grid->addWidget(r.enabled, line, 1);
    grid->addWidget(r.label, line, 2);
    grid->addWidget(r.url, line, 3);
    grid->addWidget(r.test, line, 4);
    grid->addWidget(r.status, line, 5);
    grid->addWidget(r.sample, line, 6);
    grid->addWidget(r.intermediate, line, 7);
    grid->addWidget(r.state, line, 8);
    r.problem = new QLabel(parent);
    r.problem->setObjectName(QStringLiteral("label_problem") + suffix);
    r.problem->setProperty("problem", true);
    r.problem->setWordWrap(true);
    r.problem->setVisible(false);
    grid->addWidget(r.problem, line + 1, 2, 1, 7);

    connect(r.enabled, &QCheckBox::toggled, this, &NetworkDialog::validate);
    connect(r.label, &QLineEdit::textChanged, this, &NetworkDialog::validate);
    connect(r.url, &QLineEdit::textChanged, this, &NetworkDialog::validate);
    connect(r.test, &QPushButton::clicked, this,
            [this, index] { testConnection(index, row(index).url->text()); });
    connect(r.sample, &QPushButton::clicked, this,
            [this, index] { sendSampleData(index, row(index).url->text()); });
}

QPushButton *NetworkDialog::okButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

bool NetworkDialog::isValidScoringUrl(const QString &text)
{
    // Strict parsing alone lets "abc" through, as a relative URL.
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

void NetworkDialog::setValid(QWidget *widget, bool valid)
{
    if (widget->property("valid").isValid() && widget->property("valid").toBool() == valid)
        return;
    widget->setProperty("valid", valid);
    repolish(widget);
}

void NetworkDialog::updateEnabledWidgets()
{
    m_httpPort->setEnabled(m_httpEnabled->isChecked());
    m_webSocketPort->setEnabled(m_webSocketEnabled->isChecked());
    for (const Row &r : m_rows) {
        const bool on = r.enabled->isChecked();
        for (QWidget *w : {static_cast<QWidget *>(r.label), static_cast<QWidget *>(r.url),
                           static_cast<QWidget *>(r.intermediate), static_cast<QWidget *>(r.state)})
            w->setEnabled(on);
    }
}

void NetworkDialog::updateAdvancedVisibility()
{
    const bool advanced = m_advanced->isChecked();
    m_webSocketEnabled->setVisible(advanced);
    m_webSocketPort->setVisible(advanced);
    for (const Row &r : m_rows) {
        r.intermediate->setVisible(advanced);
        r.state->setVisible(advanced);
    }
    // The dialog grows with the columns shown, so the fields keep their
    // widths.
    if (isVisible()) {
        layout()->activate();
        resize(size().expandedTo(sizeHint()));
    }
}

QString NetworkDialog::urlProblem(const QString &text)
{
    if (text.isEmpty())
        return tr("Enter the scoring system's address, for example http://192.168.0.10:8080/api");
    if (!text.contains(QLatin1String("://")))
        return tr("The address must begin with http:// or https://, for example http://%1").arg(text);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return tr("The address cannot be read: %1").arg(url.errorString());
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return tr("Only http:// and https:// addresses are supported, not %1://").arg(url.scheme());
    if (url.host().isEmpty())
        return tr("The address names no computer, for example http://192.168.0.10:8080/api");
    return QString();
}

void NetworkDialog::showProblem(QLabel *label, const QString &problem)
{
    label->setText(problem);
    label->setVisible(!problem.isEmpty());
}

bool NetworkDialog::validatePorts()
{
    const auto portValid = [](const QLineEdit *edit, bool enabled) {
        bool ok = false;
        const int port = edit->text().toInt(&ok);
        if (edit->text().isEmpty())
            return !enabled;
        if (!ok || port > kMaxPort)
            return false;
        return !enabled || port >= 1;
    };
    bool httpValid = portValid(m_httpPort, m_httpEnabled->isChecked());
    bool webSocketValid = portValid(m_webSocketPort, m_webSocketEnabled->isChecked());
    QString problem;
    if (!httpValid || !webSocketValid)
        problem = tr("A server port is a number from 1 to 65535.");
    if (m_httpEnabled->isChecked() && m_webSocketEnabled->isChecked() &&
        m_httpPort->text() == m_webSocketPort->text()) {
        httpValid = false;
        webSocketValid = false;
        problem = tr("The HTTP and the WebSocket server cannot share a port.");
    }
    setValid(m_httpPort, httpValid);
    setValid(m_webSocketPort, webSocketValid);
    showProblem(m_serverProblem, problem);
    return httpValid && webSocketValid;
}

bool NetworkDialog::validateRow(int index)
{
    Row &r = row(index);
    const bool labelValid = !r.label->text().isEmpty();
    const bool urlValid = isValidScoringUrl(r.url->text());
    setValid(r.label, labelValid);
    setValid(r.url, urlValid);
    // The test light stands for the address tested; other edits leave it.
    if (!r.enabled->isChecked() || r.url->text() != r.testedUrl) {
        setStatusIconByIndex(index, Unknown);
        r.testedUrl.clear();
    }
    // A test's failure stays shown while its light does.
    if (r.testedUrl.isEmpty() || r.status->property("status").toString() != statusName(Failed)) {
        QString problem;
        if (r.enabled->isChecked()) {
            if (!urlValid)
                problem = urlProblem(r.url->text());
            if (!labelValid)
                problem = problem.isEmpty() ? tr("Enter a label: the status bar shows the system by it.")
                                            : tr("Enter a label. %1").arg(problem);
        }
        showProblem(r.problem, problem);
    }
    const bool usable = r.enabled->isChecked() && labelValid && urlValid;
    r.test->setEnabled(usable);
    r.sample->setEnabled(usable);
    return !r.enabled->isChecked() || (labelValid && urlValid);
}

void NetworkDialog::validate()
{
    updateEnabledWidgets();
    bool valid = validatePorts();
    for (int i = 0; i < kRows; ++i)
        valid = validateRow(i) && valid;
    okButton()->setEnabled(valid);
}

void NetworkDialog::setStatusIconByIndex(const int index, const StatusType status)
{
    if (index < 0 || index >= kRows) {
        qWarning() << "There are only 3 possible client configurations. Cannot set status icon for index:"
                   << index;
        return;
    }
    QLabel *label = row(index).status;
    const QString name = statusName(status);
    if (label->property("status").toString() == name)
        return;
    label->setProperty("status", name);
    repolish(label);
}

namespace {

// A client for one test request; it lives at most as long as the dialog, so
// an answer after the dialog has gone reaches nothing.
ScoringClient *temporaryClient(int index, const QString &url, QObject *parent)
{
    ScoringClientConfiguration configuration;
    configuration.id = index;
    configuration.enabled = true;
    configuration.url = QUrl(url, QUrl::StrictMode);
    configuration.timeout = NetworkDialog::kTimeOutMs;
    return new ScoringClient(configuration, parent);
}

} // namespace

void NetworkDialog::testConnection(const int index, const QString &url)
{
    setStatusIconByIndex(index, Unknown);
    row(index).testedUrl = url;
    showProblem(row(index).problem, QString());
    ScoringClient *client = temporaryClient(index, url, this);
    connect(client, &ScoringClient::healthSignal, this, [this, client, index, url](int id) {
        if (id == index && row(index).testedUrl == url)
            setStatusIconByIndex(index, Success);
        client->deleteLater();
    });
    connect(client, &ScoringClient::healthErrorSignal, this, [this, client, index, url](int id) {
        if (id == index && row(index).testedUrl == url) {
            setStatusIconByIndex(index, Failed);
            // The network's own words, without the separator some carry.
            QString reason = client->lastHealthError().trimmed();
            while (reason.endsWith(QLatin1Char(',')) || reason.endsWith(QLatin1Char(';')))
                reason.chop(1);
            showProblem(row(index).problem, reason.isEmpty()
                                                ? tr("Test failed: the scoring system did not answer.")
                                                : tr("Test failed: %1").arg(reason));
        }
        client->deleteLater();
    });
    client->checkHealth();
}

void NetworkDialog::sendSampleData(const int index, const QString &url)
{
    qDebug() << "Sending sample data";
    ScoringClient *client = temporaryClient(index, url, this);
    connect(client, &ScoringClient::addRoutineResultsSignal, this, [client, index](int id) {
        if (id == index)
            qDebug() << "AddRoutineResults SIGNAL";
        client->deleteLater();
    });
    connect(client, &ScoringClient::addRoutineResultsErrorSignal, this, [client, index](int id) {
        if (id == index)
            qDebug() << "AddRoutineResults ERROR";
        client->deleteLater();
    });
    client->sendResult(ovra::util::RESTUtils::createSampleResult(), true);
}

void NetworkDialog::okButtonClicked()
{
    bool ok = false;
    m_restServerSettings.setEnabled(m_httpEnabled->isChecked());
    m_restServerSettings.setHostName(QString());
    const int httpPort = m_httpPort->text().toInt(&ok, 10);
    if (ok)
        m_restServerSettings.setPortNumber(httpPort);
    m_webSocketServerSettings.setEnabled(m_webSocketEnabled->isChecked());
    const int webSocketPort = m_webSocketPort->text().toInt(&ok, 10);
    if (ok)
        m_webSocketServerSettings.setPortNumber(webSocketPort);

    ovra::rest::client::ScoringClientConfigurations configurations;
    for (int i = 0; i < kRows; ++i) {
        const Row &r = row(i);
        ScoringClientConfiguration c;
        c.id = i;
        c.enabled = r.enabled->isChecked();
        c.label = r.label->text();
        c.url = QUrl(r.url->text(), QUrl::StrictMode);
        c.timeout = kTimeOutMs;
        c.intermediate = r.intermediate->isChecked();
        c.state = r.state->isChecked();
        configurations.append(c);
    }
    m_clientConfigurations = configurations;
    m_showAdvanced = m_advanced->isChecked();
    accept();
}

void NetworkDialog::setScoringSystems(ovra::rest::client::ScoringSystems *systems)
{
    if (m_systems)
        disconnect(m_systems, nullptr, this, nullptr);
    m_systems = systems;
    m_outbox->setVisible(systems != nullptr);
    if (systems)
        connect(systems, &ovra::rest::client::ScoringSystems::waitingChanged, this,
                &NetworkDialog::fillOutbox);
    fillOutbox();
}

void NetworkDialog::fillOutbox()
{
    const QString selected = m_outboxList->currentItem() && m_outboxList->currentItem()->isSelected()
                                 ? m_outboxList->currentItem()->data(0, Qt::UserRole).toString()
                                 : QString();
    m_outboxList->clear();
    if (!m_systems) {
        updateOutboxButtons();
        return;
    }
    for (const ovra::rest::client::ScoringOutboxEntry &entry : m_systems->outbox().entries()) {
        QString system = entry.systemLabel;
        if (!m_systems->clientFor(entry))
            system = tr("%1 (not enabled)").arg(entry.systemLabel);
        auto *item =
            new QTreeWidgetItem(m_outboxList, {system, entry.athlete,
                                               QLocale().toString(entry.committedAt, QLocale::ShortFormat)});
        item->setData(0, Qt::UserRole, entry.id);
        item->setToolTip(0, entry.systemUrl);
        item->setToolTip(2, tr("Idempotency-Key %1").arg(entry.key));
        if (entry.id == selected)
            item->setSelected(true);
    }
    m_outboxNote->setText(
        m_outboxList->topLevelItemCount() == 0
            ? tr("No results are waiting.")
            : tr("Each result is sent by itself as soon as its scoring system answers again."));
    updateOutboxButtons();
}

void NetworkDialog::updateOutboxButtons()
{
    const QList<QTreeWidgetItem *> items = m_outboxList->selectedItems();
    const QString id = items.isEmpty() ? QString() : items.first()->data(0, Qt::UserRole).toString();
    const std::optional<ovra::rest::client::ScoringOutboxEntry> entry =
        m_systems && !id.isEmpty() ? m_systems->outbox().entry(id) : std::nullopt;
    m_discard->setEnabled(entry.has_value());
    // Only an enabled scoring system can be sent to; the settings take
    // effect with OK.
    m_sendNow->setEnabled(entry && m_systems->clientFor(*entry));
}

void NetworkDialog::sendSelectedNow()
{
    const QList<QTreeWidgetItem *> items = m_outboxList->selectedItems();
    if (!m_systems || items.isEmpty())
        return;
    if (!m_systems->sendNow(items.first()->data(0, Qt::UserRole).toString()))
        m_outboxNote->setText(tr("Not sent: a result is on its way to that scoring system already, or it is "
                                 "not enabled."));
}

void NetworkDialog::discardSelected()
{
    const QList<QTreeWidgetItem *> items = m_outboxList->selectedItems();
    if (!m_systems || items.isEmpty())
        return;
    const QString id = items.first()->data(0, Qt::UserRole).toString();
    const std::optional<ovra::rest::client::ScoringOutboxEntry> entry = m_systems->outbox().entry(id);
    if (!entry)
        return;
    const QString routine = entry->athlete.isEmpty()
                                ? tr("the routine committed on %1")
                                      .arg(QLocale().toString(entry->committedAt, QLocale::ShortFormat))
                                : entry->athlete;
    QMessageBox box(QMessageBox::Question, tr("Discard result"),
                    tr("Discard the result of %1 for \"%2\"? It will never be sent to this scoring system.")
                        .arg(routine, entry->systemLabel),
                    QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("discardResultBox"));
    box.setDefaultButton(QMessageBox::Cancel);
    if (box.exec() == QMessageBox::Discard)
        m_systems->discard(id);
}
