#pragma once

#include "rest/client/ScoringClientConfiguration.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QDialogButtonBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class WebSocketServerSettings;

namespace ovra::rest::server {
class RestServerSettings;
}
namespace ovra::rest::client {
class ScoringSystems;
}

// The network settings: the local HTTP and WebSocket servers and up to three
// scoring systems, each of which can be tested and sent sample data before
// the settings are accepted. OK writes into the objects it was given.
class NetworkDialog : public QDialog
{
    Q_OBJECT
public:
    enum StatusType : int { Unknown = 0, Success = 1, Failed = 2 };
    Q_ENUM(StatusType)

    static constexpr int kRows = ovra::rest::client::kScoringClientCount;
    // Time-out of the test requests and of the accepted configurations.
    static constexpr int kTimeOutMs = 3000;

    NetworkDialog(ovra::rest::server::RestServerSettings &restServerSettings,
                  WebSocketServerSettings &webSocketServerSettings,
                  ovra::rest::client::ScoringClientConfigurations &clientConfigurations,
                  bool &showAdvancedNetworkSettings, QWidget *parent = nullptr);

    // Sends the sample result to the scoring system at the URL; the row's
    // status is not changed.
    void sendSampleData(const int index, const QString &url);
    void setStatusIconByIndex(const int index, const StatusType status);
    // Checks the scoring system at the URL and shows the outcome in the row.
    void testConnection(const int index, const QString &url);

    // A scoring system's URL: strictly valid, http or https, with a host.
    static bool isValidScoringUrl(const QString &text);
    // What is wrong with a scoring system's URL, in the operator's words;
    // empty for a valid one.
    static QString urlProblem(const QString &text);

    // Lists the committed results waiting for scoring systems, which the
    // operator can send now or discard; without it the list is not shown.
    void setScoringSystems(ovra::rest::client::ScoringSystems *systems);
    QTreeWidget *outboxList() const { return m_outboxList; }
    QPushButton *sendNowButton() const { return m_sendNow; }
    QPushButton *discardButton() const { return m_discard; }
    QLabel *outboxNote() const { return m_outboxNote; }

    struct Row
    {
        QCheckBox *enabled = nullptr;
        QLineEdit *label = nullptr;
        QLineEdit *url = nullptr;
        QPushButton *test = nullptr;
        QLabel *status = nullptr;
        QPushButton *sample = nullptr;
        QCheckBox *intermediate = nullptr;
        QCheckBox *state = nullptr;
        // What is wrong in the row, or why its test failed, next to it.
        QLabel *problem = nullptr;
        // The URL the last test went to: only an edit of it makes the test
        // light unknown again.
        QString testedUrl;
    };
    const Row &row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }
    Row &row(int index) { return m_rows[static_cast<std::size_t>(index)]; }
    QCheckBox *httpServerCheckBox() const { return m_httpEnabled; }
    QLineEdit *httpPortEdit() const { return m_httpPort; }
    QCheckBox *webSocketServerCheckBox() const { return m_webSocketEnabled; }
    QLineEdit *webSocketPortEdit() const { return m_webSocketPort; }
    QCheckBox *advancedSettingsCheckBox() const { return m_advanced; }
    QPushButton *okButton() const;
    // What is wrong with the server ports, below them.
    QLabel *serverProblemLabel() const { return m_serverProblem; }
    QTextEdit *addressesTextEdit() const { return m_addresses; }

public Q_SLOTS:
    void okButtonClicked();
    void validate();

private:
    void buildRow(QWidget *parent, int index, QGridLayout *grid);
    void updateEnabledWidgets();
    void updateAdvancedVisibility();
    bool validatePorts();
    void showProblem(QLabel *label, const QString &problem);
    bool validateRow(int index);
    static void setValid(QWidget *widget, bool valid);
    void fillOutbox();
    void updateOutboxButtons();
    void sendSelectedNow();
    void discardSelected();

    ovra::rest::server::RestServerSettings &m_restServerSettings;
    WebSocketServerSettings &m_webSocketServerSettings;
    ovra::rest::client::ScoringClientConfigurations &m_clientConfigurations;
    bool &m_showAdvanced;

    QTextEdit *m_addresses = nullptr;
    QCheckBox *m_httpEnabled = nullptr;
    QLineEdit *m_httpPort = nullptr;
    QCheckBox *m_webSocketEnabled = nullptr;
    QLineEdit *m_webSocketPort = nullptr;
    std::array<Row, kRows> m_rows{};
    QLabel *m_serverProblem = nullptr;
    QCheckBox *m_advanced = nullptr;
    QLabel *m_httpsLabel = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    ovra::rest::client::ScoringSystems *m_systems = nullptr;
    QGroupBox *m_outbox = nullptr;
    QTreeWidget *m_outboxList = nullptr;
    QPushButton *m_sendNow = nullptr;
    QPushButton *m_discard = nullptr;
    QLabel *m_outboxNote = nullptr;
};
