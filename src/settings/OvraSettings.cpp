#include "settings/OvraSettings.h"

#include "util/LogHandler.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

using ovra::rest::client::ScoringClientConfiguration;
using ovra::rest::client::ScoringClientConfigurations;
using ovra::rest::server::RestServerSettings;

namespace {

// The storage is a text file on this platform, so every value comes back as a
// string. Numbers that do not parse give 0; booleans accept "true" and
// numbers, anything else gives false.
bool readBool(const QSettings &storage, const QString &key, bool defaultValue)
{
    const QVariant value = storage.value(key, defaultValue);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true"))
        return true;
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && number != 0.0;
}

int readInt(const QSettings &storage, const QString &key, int defaultValue)
{
    return storage.value(key, defaultValue).toInt();
}

double readDouble(const QSettings &storage, const QString &key, double defaultValue)
{
    return storage.value(key, defaultValue).toDouble();
}

QString readString(const QSettings &storage, const QString &key, const QString &defaultValue)
{
    return storage.value(key, defaultValue).toString();
}

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

} // namespace

OvraSettings::OvraSettings(const Targets &targets, ovra::util::LogHandler &logHandler, QObject *parent)
    : QObject(parent)
    , m_targets(targets)
    , m_logHandler(logHandler)
{
    if (!m_targets.store)
        m_targets.store = &m_storeHolder;
    if (!m_targets.weightClass)
        m_targets.weightClass = &m_weightClassHolder;
    if (!m_targets.trampolineSelection)
        m_targets.trampolineSelection = &m_trampolineSelectionHolder;
    if (!m_targets.event)
        m_targets.event = &m_eventHolder;
    if (!m_targets.competition)
        m_targets.competition = &m_competitionHolder;
    if (!m_targets.group)
        m_targets.group = &m_groupHolder;
    if (!m_targets.athlete)
        m_targets.athlete = &m_athleteHolder;
    for (int n = 0; n < ovra::rest::client::kScoringClientCount; ++n) {
        ScoringClientConfiguration configuration;
        configuration.id = n + 1;
        m_scoringClientConfigurations.append(configuration);
    }
}

OvraSettings::~OvraSettings() = default;

std::unique_ptr<QSettings> OvraSettings::openStorage()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
}

QString OvraSettings::defaultDatabaseFile()
{
    const QString location = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir directory(location);
    if (!directory.exists())
        directory.mkpath(QStringLiteral("."));
    return directory.absoluteFilePath(QStringLiteral("ovraDb.db"));
}

QString OvraSettings::outboxDirectory()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QString::fromLatin1(kOrganisation) + QLatin1Char('/') + QString::fromLatin1(kApplication) +
                  QStringLiteral("/outbox"));
}

bool OvraSettings::hasStoredWindowSize()
{
    const std::unique_ptr<QSettings> storage = openStorage();
    return storage->contains(key("File/Width")) && storage->contains(key("File/Height"));
}

void OvraSettings::load(int &width, int &height, QFont &font)
{
    const std::unique_ptr<QSettings> storage = openStorage();
    QSettings &s = *storage;

    m_tutorialSettings.setShowSetupTutorialOnEveryStartup(
        readBool(s, key("Startup/ShowSetupTutorial"), false));
    m_tutorialSettings.setShowUiTutorialOnEveryStartup(readBool(s, key("Startup/ShowUiTutorial"), false));
    // Both switches are written at every quit: without them this is the
    // first start.
    m_tutorialSettings.setFirstStart(!s.contains(key("Startup/ShowSetupTutorial")) &&
                                     !s.contains(key("Startup/ShowUiTutorial")));

    StoreSettings store = m_targets.store->storeSettings();
    m_exportSettings.setDecimalSepIndex(readInt(s, key("File/Decimal-Point"), 0));
    m_exportSettings.setColumnSepIndex(readInt(s, key("File/Column-Sep."), 0));
    m_exportSettings.setLineSepIndex(readInt(s, key("File/Line-Sep."), 0));
    m_exportSettings.setPath(readString(s, key("File/Path"), QStringLiteral(".")));
    m_exportSettings.setName(readString(s, key("File/Name"), QStringLiteral("unkown")));
    m_exportSettings.setPathName(readString(s, key("File/Path_Name"), QStringLiteral(".unknown")));
    // A bed size of 0 or less (or far beyond any trampoline) would break
    // every landing position; such a stored value gives way to the default.
    const auto bedSize = [&s](const char *name, double fallback) {
        const double value = readDouble(s, key(name), fallback);
        if (ExportSettings::isPlausibleBedSize(value))
            return value;
        qWarning() << "Ignoring an impossible bed size" << name << value << "- using" << fallback;
        return fallback;
    };
    m_exportSettings.setTrampLength(bedSize("File/Tramp_L", 3650.0));
    m_exportSettings.setTrampWidth(bedSize("File/Tramp_B", 2425.0));
    m_exportSettings.setTrampType(static_cast<TrampType>(readInt(s, key("File/Tramp_Type"), 0)));
    // The bed size is what the landings are computed with; a type that
    // names another size (the defaults did, on a fresh profile) gives way
    // to the type of the size, or to "Other".
    {
        double length = 0.0;
        double width = 0.0;
        const bool builtIn = ExportSettings::builtInGeometry(m_exportSettings.trampType(), length, width);
        if (!builtIn || !qFuzzyCompare(length, m_exportSettings.trampLength()) ||
            !qFuzzyCompare(width, m_exportSettings.trampWidth()))
            m_exportSettings.setTrampType(ExportSettings::typeOfGeometry(m_exportSettings.trampLength(),
                                                                         m_exportSettings.trampWidth()));
    }
    store.minForceSum1 = readDouble(s, key("File/minForceSum1"), 1000.0);
    store.minForceSum2 = readDouble(s, key("File/minForceSum2"), 1000.0);
    m_exportSettings.setImpulsVal(readInt(s, key("File/impulse_Val"), 0));
    m_targets.store->rebuildBedGeometry(m_exportSettings.trampLength(), m_exportSettings.trampWidth());
    store.trampSelected = readInt(s, key("File/Tramp_selected"), 0);
    store.trampSelectIndex = readInt(s, key("File/CB_Tramp_select"), 3);
    width = readInt(s, key("File/Width"), 849);
    height = readInt(s, key("File/Height"), 665);
    store.thresholdTakeoff = readDouble(s, key("File/threshold_takeoff"), 50.0);
    store.postTimeTakeoff = readInt(s, key("File/postTime_takeoff"), 82);
    store.thresholdLanding = readDouble(s, key("File/threshold_landing"), 50.0);
    store.preTimeLanding = readInt(s, key("File/preTime_landing"), 75);
    const int weightClassIndex = readInt(s, key("File/Mode"), 4);
    m_targets.store->applyStoreSettings(store);
    m_targets.trampolineSelection->setCurrentIndex(store.trampSelectIndex);
    m_targets.weightClass->setCurrentIndex(weightClassIndex);

    m_autoSaveSettings.setFileSave(readBool(s, key("AutoSave/FileSave"), false));
    m_autoSaveSettings.setPath(readString(s, key("AutoSave/Path"), QString()));
    m_autoSaveSettings.setFilenameTemplate(
        readString(s, key("AutoSave/FilenameTemplate"),
                   QString::fromLatin1(AutoSaveSettings::kDefaultFilenameTemplate)));
    m_autoSaveSettings.setSuppressWhitespace(readBool(s, key("AutoSave/SuppressWhitespace"), false));
    m_autoSaveSettings.setDatabaseSave(readBool(s, key("AutoSave/DatabaseSave"), false));

    for (int i = 0; i < 8; ++i)
        store.tara[static_cast<size_t>(i)] = readDouble(s, QStringLiteral("Tara/Tara_%1").arg(i + 1), 0.0);
    m_targets.store->applyStoreSettings(store);

    const auto applyIndexBelowCount = [](IndexSelection *selection, int index) {
        if (index < selection->count())
            selection->setCurrentIndex(index);
    };
    applyIndexBelowCount(m_targets.event, readInt(s, key("Structure/EventIdx"), 0));
    applyIndexBelowCount(m_targets.competition, readInt(s, key("Structure/CompetitionIdx"), 0));
    applyIndexBelowCount(m_targets.group, readInt(s, key("Structure/GroupIdx"), 0));
    const int athleteIndex = readInt(s, key("Structure/AthletIdx"), -1);
    if (athleteIndex >= 0 && athleteIndex < m_targets.athlete->count())
        m_targets.athlete->setCurrentIndex(athleteIndex);

    loadRestServerSettings(s, m_restServerSettings);
    m_scoringClientConfigurations = loadScoringClientConfigurations(s);
    loadWebSocketServerSettings(s, m_webSocketServerSettings);
    m_showAdvancedNetworkSettings = readBool(s, key("Misc/ShowAdvancedNetworkSettings"), false);
    m_allowedRemoteHosts = readString(s, key("Network/AllowedRemoteHosts"), QString());

    if (s.contains(key("db/dbFile")))
        m_databaseFile = readString(s, key("db/dbFile"), QString());
    else
        m_databaseFile = defaultDatabaseFile();
    loadDatabaseServer(s);

    font = QFont(readString(s, key("ProgrammFont/Font"), QStringLiteral("Segoe UI")),
                 readInt(s, key("ProgrammFont/Size"), 9), QFont::Normal, false);
    // The command-line tools and the core tests run without a GUI application.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::setFont(font);

    m_logHandler.setSaveToFile(readBool(s, key("Logs/SaveToFile"), true));
    const QString logLocation = s.contains(key("Logs/LogLocation"))
                                    ? readString(s, key("Logs/LogLocation"), QString())
                                    : ovra::util::LogHandler::getDefaultLogFileLocation().absolutePath();
    m_logHandler.setLogDirectory(QDir(logLocation));

    m_rulesSettings.setPlayWarningSound(readBool(s, key("Rules/PlayWarningSound"), true));
    m_rulesSettings.setHdDeductionRule(readInt(s, key("Rules/HdDeductions"), 0));

    m_spaceDelaySettings.setSpaceDelayMs(s.value(key("Misc/SpaceDelayMs"), 500u).toUInt());

    m_warningSettings.setShouldShowTrampolineSelectionWarning(
        readBool(s, key("Warnings/TrampolineSelectionWarning"), true));
    m_warningSettings.setShouldShowWeightSelectionWarning(
        readBool(s, key("Warnings/WeightSelectionWarning"), true));
    m_warningSettings.setShouldShowWebSocketClientConnectedWarning(
        readBool(s, key("Warnings/WebSocketClientConnectedWarning"), true));
    m_warningSettings.setShouldShowAllSensorsConnectedWarning(
        readBool(s, key("Warnings/AllSensorsConnectedWarning"), true));
    m_warningSettings.setShouldShowUnusualSensorDataWarning(
        readBool(s, key("Warnings/UnusualSensorDataWarning"), true));
}

void OvraSettings::loadDatabaseServer(QSettings &s)
{
    m_databaseOnServer = readString(s, key("db/Kind"), QStringLiteral("file")) == QLatin1String("server");
    m_databaseServer.host = readString(s, key("db/ServerHost"), QString());
    const int port = readInt(s, key("db/ServerPort"), ovra::db::ServerAddress::kDefaultPort);
    m_databaseServer.port = port > 0 && port <= 65535 ? port : ovra::db::ServerAddress::kDefaultPort;
    m_databaseServer.database = readString(s, key("db/ServerDatabase"), QString());
    m_databaseServer.user = readString(s, key("db/ServerUser"), QString());
}

void OvraSettings::saveDatabase(QSettings &s) const
{
    s.setValue(key("db/dbFile"), QFileInfo(m_databaseFile).absoluteFilePath());
    s.setValue(key("db/Kind"), m_databaseOnServer ? QStringLiteral("server") : QStringLiteral("file"));
    s.setValue(key("db/ServerHost"), m_databaseServer.host);
    s.setValue(key("db/ServerPort"), m_databaseServer.port);
    s.setValue(key("db/ServerDatabase"), m_databaseServer.database);
    s.setValue(key("db/ServerUser"), m_databaseServer.user);
}

void OvraSettings::storeDatabaseFile()
{
    const std::unique_ptr<QSettings> storage = openStorage();
    saveDatabase(*storage);
    storage->sync();
}

QString OvraSettings::serverQueueFile()
{
    const QFileInfo settings(openStorage()->fileName());
    QDir().mkpath(settings.absolutePath());
    return settings.dir().absoluteFilePath(QStringLiteral("ovraServerQueue.db"));
}

void OvraSettings::writeSettings(int width, int height, const QFont &font)
{
    const std::unique_ptr<QSettings> storage = openStorage();
    QSettings &s = *storage;

    s.setValue(key("Startup/ShowSetupTutorial"), m_tutorialSettings.showSetupTutorialOnEveryStartup());
    s.setValue(key("Startup/ShowUiTutorial"), m_tutorialSettings.showUiTutorialOnEveryStartup());

    const StoreSettings store = m_targets.store->storeSettings();
    s.setValue(key("File/Decimal-Point"), m_exportSettings.decimalSepIndex());
    s.setValue(key("File/Column-Sep."), m_exportSettings.columnSepIndex());
    s.setValue(key("File/Line-Sep."), m_exportSettings.lineSepIndex());
    s.setValue(key("File/Path"), m_exportSettings.path());
    s.setValue(key("File/Name"), m_exportSettings.name());
    s.setValue(key("File/Path_Name"), m_exportSettings.pathName());
    s.setValue(key("File/Tramp_L"), m_exportSettings.trampLength());
    s.setValue(key("File/Tramp_B"), m_exportSettings.trampWidth());
    s.setValue(key("File/Tramp_Type"), static_cast<int>(m_exportSettings.trampType()));
    s.setValue(key("File/minForceSum1"), store.minForceSum1);
    s.setValue(key("File/minForceSum2"), store.minForceSum2);
    s.setValue(key("File/impulse_Val"), m_exportSettings.impulsVal());
    s.setValue(key("File/Tramp_selected"), store.trampSelected);
    s.setValue(key("File/CB_Tramp_select"), m_targets.trampolineSelection->currentIndex());
    s.setValue(key("File/Width"), width);
    s.setValue(key("File/Height"), height);
    s.setValue(key("File/threshold_takeoff"), store.thresholdTakeoff);
    s.setValue(key("File/postTime_takeoff"), store.postTimeTakeoff);
    s.setValue(key("File/threshold_landing"), store.thresholdLanding);
    s.setValue(key("File/preTime_landing"), store.preTimeLanding);
    s.setValue(key("File/Mode"), m_targets.weightClass->currentIndex());

    s.setValue(key("AutoSave/FileSave"), m_autoSaveSettings.fileSave());
    s.setValue(key("AutoSave/Path"), m_autoSaveSettings.path());
    s.setValue(key("AutoSave/FilenameTemplate"), m_autoSaveSettings.filenameTemplate());
    s.setValue(key("AutoSave/SuppressWhitespace"), m_autoSaveSettings.suppressWhitespace());
    s.setValue(key("AutoSave/DatabaseSave"), m_autoSaveSettings.databaseSave());

    for (int i = 0; i < 8; ++i)
        s.setValue(QStringLiteral("Tara/Tara_%1").arg(i + 1), store.tara[static_cast<size_t>(i)]);

    s.setValue(key("Structure/EventIdx"), m_targets.event->currentIndex());
    s.setValue(key("Structure/CompetitionIdx"), m_targets.competition->currentIndex());
    s.setValue(key("Structure/GroupIdx"), m_targets.group->currentIndex());
    s.setValue(key("Structure/AthletIdx"), m_targets.athlete->currentIndex());

    saveRestServerSettings(s, m_restServerSettings);
    saveScoringClientConfigurations(s, m_scoringClientConfigurations);
    saveWebSocketServerSettings(s, m_webSocketServerSettings);
    s.setValue(key("Misc/ShowAdvancedNetworkSettings"), m_showAdvancedNetworkSettings);
    s.setValue(key("Network/AllowedRemoteHosts"), m_allowedRemoteHosts);

    saveDatabase(s);

    s.setValue(key("ProgrammFont/Font"), font.family());
    s.setValue(key("ProgrammFont/Size"), font.pointSize());

    s.setValue(key("Logs/SaveToFile"), m_logHandler.saveToFile());
    s.setValue(key("Logs/LogLocation"), m_logHandler.logDirectory().absolutePath());

    s.setValue(key("Rules/PlayWarningSound"), m_rulesSettings.playWarningSound());
    s.setValue(key("Rules/HdDeductions"), m_rulesSettings.hdDeductionRule());
    s.setValue(key("Rules/HdDeductionsMarker"), true);

    s.setValue(key("Misc/SpaceDelayMs"), m_spaceDelaySettings.spaceDelayMs());

    s.setValue(key("Warnings/TrampolineSelectionWarning"),
               m_warningSettings.shouldShowTrampolineSelectionWarning());
    s.setValue(key("Warnings/WeightSelectionWarning"), m_warningSettings.shouldShowWeightSelectionWarning());
    s.setValue(key("Warnings/WebSocketClientConnectedWarning"),
               m_warningSettings.shouldShowWebSocketClientConnectedWarning());
    s.setValue(key("Warnings/AllSensorsConnectedWarning"),
               m_warningSettings.shouldShowAllSensorsConnectedWarning());
    s.setValue(key("Warnings/UnusualSensorDataWarning"),
               m_warningSettings.shouldShowUnusualSensorDataWarning());

    s.sync();
    qDebug().noquote() << QStringLiteral("Settings are stored in ") + s.fileName();
}

void OvraSettings::loadRestServerSettings(QSettings &s, RestServerSettings &settings)
{
    settings.setHostName(readString(s, key("RestServer/HostName"), QString()));
    settings.setPortNumber(readInt(s, key("RestServer/PortNumber"), 8080));
    settings.setEnabled(readBool(s, key("RestServer/Enabled"), false));
}

void OvraSettings::saveRestServerSettings(QSettings &s, const RestServerSettings &settings)
{
    s.setValue(key("RestServer/HostName"), settings.hostName());
    s.setValue(key("RestServer/PortNumber"), settings.portNumber());
    s.setValue(key("RestServer/Enabled"), settings.enabled());
}

ScoringClientConfigurations OvraSettings::loadScoringClientConfigurations(QSettings &s)
{
    ScoringClientConfigurations configurations;
    for (int n = 0; n < ovra::rest::client::kScoringClientCount; ++n) {
        ScoringClientConfiguration c;
        c.id = readInt(s, QStringLiteral("ScoringClientConfigurations/id_%1").arg(n), n + 1);
        c.enabled = readBool(s, QStringLiteral("ScoringClientConfigurations/enabled_%1").arg(n), false);
        c.label = readString(s, QStringLiteral("ScoringClientConfigurations/label_%1").arg(n), QString());
        c.url = QUrl(readString(s, QStringLiteral("ScoringClientConfigurations/url_%1").arg(n), QString()),
                     QUrl::StrictMode);
        c.timeout = readInt(s, QStringLiteral("ScoringClientConfigurations/timeout_%1").arg(n), 0);
        c.intermediate =
            readBool(s, QStringLiteral("ScoringClientConfigurations/intermediate_%1").arg(n), false);
        c.state = readBool(s, QStringLiteral("ScoringClientConfigurations/state_%1").arg(n), false);
        configurations.append(c);
    }
    return configurations;
}

void OvraSettings::saveScoringClientConfigurations(QSettings &s, const ScoringClientConfigurations &list)
{
    for (int n = 0; n < ovra::rest::client::kScoringClientCount; ++n) {
        ScoringClientConfiguration c;
        c.id = n + 1;
        if (n < list.size())
            c = list.at(n);
        s.setValue(QStringLiteral("ScoringClientConfigurations/id_%1").arg(n), c.id);
        s.setValue(QStringLiteral("ScoringClientConfigurations/enabled_%1").arg(n), c.enabled);
        s.setValue(QStringLiteral("ScoringClientConfigurations/label_%1").arg(n), c.label);
        s.setValue(QStringLiteral("ScoringClientConfigurations/url_%1").arg(n),
                   QString::fromUtf8(c.url.toEncoded(QUrl::FullyEncoded)));
        s.setValue(QStringLiteral("ScoringClientConfigurations/timeout_%1").arg(n), c.timeout);
        s.setValue(QStringLiteral("ScoringClientConfigurations/intermediate_%1").arg(n), c.intermediate);
        s.setValue(QStringLiteral("ScoringClientConfigurations/state_%1").arg(n), c.state);
    }
}

void OvraSettings::loadWebSocketServerSettings(QSettings &s, WebSocketServerSettings &settings)
{
    settings.setPortNumber(readInt(s, key("WebSocketServer/PortNumber"), 8081));
    settings.setEnabled(readBool(s, key("WebSocketServer/Enabled"), false));
}

void OvraSettings::saveWebSocketServerSettings(QSettings &s, const WebSocketServerSettings &settings)
{
    s.setValue(key("WebSocketServer/PortNumber"), settings.portNumber());
    s.setValue(key("WebSocketServer/Enabled"), settings.enabled());
}
