#pragma once

#include "db/ServerAddress.h"
#include "rest/client/ScoringClientConfiguration.h"
#include "rest/server/RestServerSettings.h"
#include "settings/AutoSaveSettings.h"
#include "settings/ExportSettings.h"
#include "settings/RulesSettings.h"
#include "settings/SettingsTargets.h"
#include "settings/SpaceDelaySettings.h"
#include "settings/TutorialSettings.h"
#include "settings/WarningSettings.h"
#include "settings/WebSocketServerSettings.h"

#include <QFont>
#include <QObject>
#include <QSettings>

#include <memory>

namespace ovra::util {
class LogHandler;
}

// All persistent settings of the workstation: loaded once while the main
// window is built, written back at quit and after every tara. A fresh
// QSettings object is opened for every load and every save.
class OvraSettings : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *kOrganisation = "Tesmer";
    static constexpr const char *kApplication = "OvraV2";

    // The objects whose state is loaded and saved besides the settings
    // classes. A null pointer means the settings keep that value themselves.
    struct Targets
    {
        StoreSettingsTarget *store = nullptr;
        IndexSelection *weightClass = nullptr;
        IndexSelection *trampolineSelection = nullptr;
        IndexSelection *event = nullptr;
        IndexSelection *competition = nullptr;
        IndexSelection *group = nullptr;
        IndexSelection *athlete = nullptr;
    };

    OvraSettings(const Targets &targets, ovra::util::LogHandler &logHandler, QObject *parent = nullptr);
    ~OvraSettings() override;

    void load(int &width, int &height, QFont &font);
    // Whether a window size has been saved (false on the first start).
    static bool hasStoredWindowSize();
    void writeSettings(int width, int height, const QFont &font);

    AutoSaveSettings &autoSaveSettings() { return m_autoSaveSettings; }
    ExportSettings &exportSettings() { return m_exportSettings; }
    RulesSettings &rulesSettings() { return m_rulesSettings; }
    SpaceDelaySettings &spaceDelaySettings() { return m_spaceDelaySettings; }
    TutorialSettings &tutorialSettings() { return m_tutorialSettings; }
    WarningSettings &warningSettings() { return m_warningSettings; }
    WebSocketServerSettings &webSocketServerSettings() { return m_webSocketServerSettings; }
    ovra::rest::server::RestServerSettings &restServerSettings() { return m_restServerSettings; }

    ovra::rest::client::ScoringClientConfigurations scoringClientConfigurations() const
    {
        return m_scoringClientConfigurations;
    }
    void setScoringClientConfigurations(const ovra::rest::client::ScoringClientConfigurations &c)
    {
        m_scoringClientConfigurations = c;
    }

    // The hosts that may post routine meta information or send commands,
    // addresses and subnets; empty: any host. Only in the settings file.
    QString allowedRemoteHosts() const { return m_allowedRemoteHosts; }
    void setAllowedRemoteHosts(const QString &hosts) { m_allowedRemoteHosts = hosts; }

    bool showAdvancedNetworkSettings() const { return m_showAdvancedNetworkSettings; }
    void setShowAdvancedNetworkSettings(bool show) { m_showAdvancedNetworkSettings = show; }

    // Absolute path of the competition database file.
    QString databaseFile() const { return m_databaseFile; }
    void setDatabaseFile(const QString &path) { m_databaseFile = path; }
    // Whether the competition database is the file or a server ("db/Kind":
    // "file" or "server"), and where the server is; never its password.
    bool databaseOnServer() const { return m_databaseOnServer; }
    void setDatabaseOnServer(bool server) { m_databaseOnServer = server; }
    ovra::db::ServerAddress databaseServer() const { return m_databaseServer; }
    void setDatabaseServer(const ovra::db::ServerAddress &address) { m_databaseServer = address; }
    // Writes the database settings to the store now: after a crash the next
    // start opens the database the operator switched to.
    void storeDatabaseFile();
    // The workstation's own file for a competition server (the routines
    // the server has not taken yet, a copy of its start lists), beside the
    // settings file.
    static QString serverQueueFile();

    const Targets &targets() const { return m_targets; }

    // The storage that load and save use; the same names every time.
    static std::unique_ptr<QSettings> openStorage();
    static QString defaultDatabaseFile();
    // The folder of the results waiting for scoring systems, beside the
    // settings: "Tesmer/OvraV2/outbox" in the user's configuration folder.
    static QString outboxDirectory();

    static void loadRestServerSettings(QSettings &storage, ovra::rest::server::RestServerSettings &s);
    static void saveRestServerSettings(QSettings &storage, const ovra::rest::server::RestServerSettings &s);
    static ovra::rest::client::ScoringClientConfigurations
    loadScoringClientConfigurations(QSettings &storage);
    static void saveScoringClientConfigurations(QSettings &storage,
                                                const ovra::rest::client::ScoringClientConfigurations &c);
    static void loadWebSocketServerSettings(QSettings &storage, WebSocketServerSettings &s);
    static void saveWebSocketServerSettings(QSettings &storage, const WebSocketServerSettings &s);

private:
    void loadDatabaseServer(QSettings &storage);
    void saveDatabase(QSettings &storage) const;

    Targets m_targets;
    ovra::util::LogHandler &m_logHandler;

    // Holders for the targets that were not handed in.
    StoreSettingsHolder m_storeHolder;
    StoredIndexSelection m_weightClassHolder{4, 5};
    StoredIndexSelection m_trampolineSelectionHolder{3, 4};
    StoredIndexSelection m_eventHolder{0, 0};
    StoredIndexSelection m_competitionHolder{0, 0};
    StoredIndexSelection m_groupHolder{0, 0};
    StoredIndexSelection m_athleteHolder{-1, 0};

    AutoSaveSettings m_autoSaveSettings;
    ExportSettings m_exportSettings;
    RulesSettings m_rulesSettings;
    SpaceDelaySettings m_spaceDelaySettings;
    TutorialSettings m_tutorialSettings;
    WarningSettings m_warningSettings;
    WebSocketServerSettings m_webSocketServerSettings;
    ovra::rest::server::RestServerSettings m_restServerSettings;
    ovra::rest::client::ScoringClientConfigurations m_scoringClientConfigurations;
    bool m_showAdvancedNetworkSettings = false;
    QString m_allowedRemoteHosts;
    QString m_databaseFile;
    bool m_databaseOnServer = false;
    ovra::db::ServerAddress m_databaseServer;
};
