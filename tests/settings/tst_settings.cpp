#include "settings/OvraSettings.h"
#include "support/TestSupport.h"
#include "util/LogHandler.h"

#include <QSignalSpy>

using ovra::util::LogHandler;

namespace {

struct Loaded
{
    int width = 0;
    int height = 0;
    QFont font;
};

Loaded loadInto(OvraSettings &settings)
{
    Loaded l;
    settings.load(l.width, l.height, l.font);
    return l;
}

void writeRaw(const QString &key, const QVariant &value)
{
    auto storage = OvraSettings::openStorage();
    storage->setValue(key, value);
    storage->sync();
}

QVariant readRaw(const QString &key)
{
    return OvraSettings::openStorage()->value(key);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { ovra::test::clearAllSettings(); }

    void storageNames()
    {
        const QString file = OvraSettings::openStorage()->fileName();
        QVERIFY2(file.endsWith(QLatin1String("Tesmer/OvraV2.conf")), qPrintable(file));
    }

    void firstStartGivesEveryDefault()
    {
        LogHandler log;
        StoreSettingsHolder store;
        StoredIndexSelection weight(-1, 5), tramp(-1, 4);
        OvraSettings settings({&store, &weight, &tramp}, log);
        const Loaded l = loadInto(settings);

        QCOMPARE(l.width, 849);
        QCOMPARE(l.height, 665);
        QCOMPARE(l.font.family(), QStringLiteral("Segoe UI"));
        QCOMPARE(l.font.pointSize(), 9);
        QCOMPARE(weight.currentIndex(), 4);
        QCOMPARE(tramp.currentIndex(), 3);

        // The tutorials come up on the first start, not on every start.
        QVERIFY(!settings.tutorialSettings().showSetupTutorialOnEveryStartup());
        QVERIFY(!settings.tutorialSettings().showUiTutorialOnEveryStartup());
        QVERIFY(settings.tutorialSettings().firstStart());
        const ExportSettings &e = settings.exportSettings();
        QCOMPARE(e.decimalSep(), QStringLiteral("."));
        QCOMPARE(e.columnSep(), QStringLiteral("\t"));
        QCOMPARE(e.lineSep(), QStringLiteral("\n"));
        QCOMPARE(e.path(), QStringLiteral("."));
        QCOMPARE(e.name(), QStringLiteral("unkown"));
        QCOMPARE(e.pathName(), QStringLiteral(".unknown"));
        QCOMPARE(e.trampLength(), 3650.0);
        QCOMPARE(e.trampWidth(), 2425.0);
        // The type names the size the landings are computed with.
        QCOMPARE(e.trampType(), TrampType::StandardWide);
        QCOMPARE(e.impulsVal(), 0);
        QCOMPARE(store.trampLength(), 3650.0);
        QCOMPARE(store.trampWidth(), 2425.0);

        const StoreSettings s = store.storeSettings();
        QCOMPARE(s.minForceSum1, 1000.0);
        QCOMPARE(s.minForceSum2, 1000.0);
        QCOMPARE(s.trampSelected, 0);
        QCOMPARE(s.trampSelectIndex, 3);
        QCOMPARE(s.thresholdTakeoff, 50.0);
        QCOMPARE(s.postTimeTakeoff, 82);
        QCOMPARE(s.thresholdLanding, 50.0);
        QCOMPARE(s.preTimeLanding, 75);
        for (double t : s.tara)
            QCOMPARE(t, 0.0);

        const AutoSaveSettings &a = settings.autoSaveSettings();
        QVERIFY(!a.fileSave());
        QVERIFY(!a.databaseSave());
        QVERIFY(!a.suppressWhitespace());
        QCOMPARE(a.path(), QString());
        QCOMPARE(a.filenameTemplate(), QStringLiteral("{{date}}_{{time}}"));

        QCOMPARE(settings.restServerSettings().hostName(), QString());
        QCOMPARE(settings.restServerSettings().portNumber(), 8080);
        QVERIFY(!settings.restServerSettings().enabled());
        const auto clients = settings.scoringClientConfigurations();
        QCOMPARE(clients.size(), 3);
        for (int n = 0; n < 3; ++n) {
            QCOMPARE(clients.at(n).id, n + 1);
            QVERIFY(!clients.at(n).enabled);
            QVERIFY(clients.at(n).label.isEmpty());
            QVERIFY(clients.at(n).url.isEmpty());
            QCOMPARE(clients.at(n).timeout, 0);
            QVERIFY(!clients.at(n).intermediate);
            QVERIFY(!clients.at(n).state);
        }
        QCOMPARE(settings.webSocketServerSettings().portNumber(), 8081);
        QVERIFY(!settings.webSocketServerSettings().enabled());
        QVERIFY(!settings.showAdvancedNetworkSettings());
        QVERIFY(QFileInfo(settings.databaseFile()).isAbsolute());
        QCOMPARE(QFileInfo(settings.databaseFile()).fileName(), QStringLiteral("ovraDb.db"));
        QVERIFY(QFileInfo(settings.databaseFile()).dir().exists());

        QVERIFY(log.saveToFile());
        QCOMPARE(log.logDirectory().absolutePath(), LogHandler::getDefaultLogFileLocation().absolutePath());
        QVERIFY(settings.rulesSettings().playWarningSound());
        QCOMPARE(settings.rulesSettings().hdDeductionRule(), 0);
        QCOMPARE(settings.spaceDelaySettings().spaceDelayMs(), 500u);
        const WarningSettings &w = settings.warningSettings();
        QVERIFY(w.shouldShowTrampolineSelectionWarning());
        QVERIFY(w.shouldShowWeightSelectionWarning());
        QVERIFY(w.shouldShowWebSocketClientConnectedWarning());
        QVERIFY(w.shouldShowAllSensorsConnectedWarning());
        QVERIFY(w.shouldShowUnusualSensorDataWarning());
    }

    void separatorIndicesFallBack()
    {
        writeRaw(QStringLiteral("File/Column-Sep."), 7);
        writeRaw(QStringLiteral("File/Decimal-Point"), 1);
        writeRaw(QStringLiteral("File/Line-Sep."), -3);
        LogHandler log;
        OvraSettings settings({}, log);
        const Loaded l = loadInto(settings);
        QCOMPARE(settings.exportSettings().columnSep(), QStringLiteral("\t"));
        QCOMPARE(settings.exportSettings().decimalSep(), QStringLiteral(","));
        QCOMPARE(settings.exportSettings().lineSep(), QStringLiteral("\n"));
        settings.writeSettings(l.width, l.height, l.font);
        QCOMPARE(readRaw(QStringLiteral("File/Column-Sep.")).toInt(), 0);
        QCOMPARE(readRaw(QStringLiteral("File/Decimal-Point")).toInt(), 1);
        QCOMPARE(readRaw(QStringLiteral("File/Line-Sep.")).toInt(), 0);
    }

    void unknownSeparatorStringSavesIndexZeroWithWarning()
    {
        ExportSettings e;
        e.setColumnSep(QStringLiteral("|"));
        QTest::ignoreMessage(QtWarningMsg, "Unknown column separator: | Using \t instead.");
        QCOMPARE(e.columnSepIndex(), 0);
        e.setColumnSep(QStringLiteral(" "));
        QCOMPARE(e.columnSepIndex(), 3);
        e.setLineSep(QStringLiteral("\r"));
        QCOMPARE(e.lineSepIndex(), 2);
    }

    void roundTripOfEveryKey()
    {
        QTemporaryDir logDir;
        {
            LogHandler log;
            StoreSettingsHolder store;
            StoredIndexSelection weight(1, 5), tramp(2, 4), event(3, 10), competition(4, 10), group(5, 10),
                athlete(6, 10);
            OvraSettings settings({&store, &weight, &tramp, &event, &competition, &group, &athlete}, log);
            settings.tutorialSettings().setShowSetupTutorialOnEveryStartup(true);
            settings.tutorialSettings().setShowUiTutorialOnEveryStartup(true);
            ExportSettings &e = settings.exportSettings();
            e.setDecimalSepIndex(1);
            e.setColumnSepIndex(2);
            e.setLineSepIndex(1);
            e.setPath(QStringLiteral("/data/export"));
            e.setName(QStringLiteral("athlete file"));
            e.setPathName(QStringLiteral("/data/export/athlete"));
            e.setTrampLength(4000.5);
            e.setTrampWidth(2000.25);
            // A size of its own: "Other".
            e.setTrampType(static_cast<TrampType>(3));
            e.setImpulsVal(12);
            StoreSettings s;
            s.minForceSum1 = 1234.5;
            s.minForceSum2 = 987.25;
            s.trampSelected = 2;
            s.trampSelectIndex = 2;
            s.thresholdTakeoff = 61.5;
            s.postTimeTakeoff = 90;
            s.thresholdLanding = 44.5;
            s.preTimeLanding = 70;
            for (int i = 0; i < 8; ++i)
                s.tara[static_cast<size_t>(i)] = 2500.125 + i;
            store.applyStoreSettings(s);
            AutoSaveSettings &a = settings.autoSaveSettings();
            a.setFileSave(true);
            a.setDatabaseSave(true);
            a.setSuppressWhitespace(true);
            a.setPath(QStringLiteral("/data/auto"));
            a.setFilenameTemplate(QStringLiteral("{{name}}-{{date}}"));
            settings.restServerSettings().setHostName(QStringLiteral("127.0.0.1"));
            settings.restServerSettings().setPortNumber(9090);
            settings.restServerSettings().setEnabled(true);
            auto clients = settings.scoringClientConfigurations();
            clients[1].enabled = true;
            clients[1].label = QStringLiteral("Judges");
            clients[1].url = QUrl(QStringLiteral("http://127.0.0.1:5000/api v1"));
            clients[1].timeout = 3000;
            clients[1].intermediate = true;
            clients[1].state = true;
            clients.removeLast(); // a missing position is written with defaults
            settings.setScoringClientConfigurations(clients);
            settings.webSocketServerSettings().setPortNumber(9091);
            settings.webSocketServerSettings().setEnabled(true);
            settings.setShowAdvancedNetworkSettings(true);
            settings.setDatabaseFile(QStringLiteral("/data/comp.db"));
            log.setSaveToFile(false);
            log.setLogDirectory(QDir(logDir.path()));
            settings.rulesSettings().setPlayWarningSound(false);
            settings.rulesSettings().setHdDeductionRule(1);
            settings.spaceDelaySettings().setSpaceDelayMs(750);
            WarningSettings &w = settings.warningSettings();
            w.setShouldShowTrampolineSelectionWarning(false);
            w.setShouldShowWeightSelectionWarning(false);
            w.setShouldShowWebSocketClientConnectedWarning(false);
            w.setShouldShowAllSensorsConnectedWarning(false);
            w.setShouldShowUnusualSensorDataWarning(false);
            settings.writeSettings(1024, 768, QFont(QStringLiteral("DejaVu Sans"), 11));
        }
        QCOMPARE(readRaw(QStringLiteral("Rules/HdDeductionsMarker")).toString(), QStringLiteral("true"));

        LogHandler log;
        StoreSettingsHolder store;
        StoredIndexSelection weight(-1, 5), tramp(-1, 4), event(-1, 10), competition(-1, 10), group(-1, 10),
            athlete(-1, 10);
        OvraSettings settings({&store, &weight, &tramp, &event, &competition, &group, &athlete}, log);
        const Loaded l = loadInto(settings);
        QCOMPARE(l.width, 1024);
        QCOMPARE(l.height, 768);
        QCOMPARE(l.font.family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(l.font.pointSize(), 11);
        QCOMPARE(weight.currentIndex(), 1);
        QCOMPARE(tramp.currentIndex(), 2);
        QCOMPARE(event.currentIndex(), 3);
        QCOMPARE(competition.currentIndex(), 4);
        QCOMPARE(group.currentIndex(), 5);
        QCOMPARE(athlete.currentIndex(), 6);
        QVERIFY(settings.tutorialSettings().showSetupTutorialOnEveryStartup());
        QVERIFY(settings.tutorialSettings().showUiTutorialOnEveryStartup());
        QVERIFY(!settings.tutorialSettings().firstStart());
        const ExportSettings &e = settings.exportSettings();
        QCOMPARE(e.decimalSep(), QStringLiteral(","));
        QCOMPARE(e.columnSep(), QStringLiteral(";"));
        QCOMPARE(e.lineSep(), QStringLiteral("\r\n"));
        QCOMPARE(e.path(), QStringLiteral("/data/export"));
        QCOMPARE(e.name(), QStringLiteral("athlete file"));
        QCOMPARE(e.pathName(), QStringLiteral("/data/export/athlete"));
        QCOMPARE(e.trampLength(), 4000.5);
        QCOMPARE(e.trampWidth(), 2000.25);
        QCOMPARE(static_cast<int>(e.trampType()), 3);
        QCOMPARE(e.impulsVal(), 12);
        QCOMPARE(store.trampLength(), 4000.5);
        const StoreSettings s = store.storeSettings();
        QCOMPARE(s.minForceSum1, 1234.5);
        QCOMPARE(s.minForceSum2, 987.25);
        QCOMPARE(s.trampSelected, 2);
        QCOMPARE(s.trampSelectIndex, 2);
        QCOMPARE(s.thresholdTakeoff, 61.5);
        QCOMPARE(s.postTimeTakeoff, 90);
        QCOMPARE(s.thresholdLanding, 44.5);
        QCOMPARE(s.preTimeLanding, 70);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(s.tara[static_cast<size_t>(i)], 2500.125 + i);
        const AutoSaveSettings &a = settings.autoSaveSettings();
        QVERIFY(a.fileSave());
        QVERIFY(a.databaseSave());
        QVERIFY(a.suppressWhitespace());
        QCOMPARE(a.path(), QStringLiteral("/data/auto"));
        QCOMPARE(a.filenameTemplate(), QStringLiteral("{{name}}-{{date}}"));
        QCOMPARE(settings.restServerSettings().hostName(), QStringLiteral("127.0.0.1"));
        QCOMPARE(settings.restServerSettings().portNumber(), 9090);
        QVERIFY(settings.restServerSettings().enabled());
        const auto clients = settings.scoringClientConfigurations();
        QCOMPARE(clients.size(), 3);
        QCOMPARE(clients.at(1).label, QStringLiteral("Judges"));
        QVERIFY(clients.at(1).enabled);
        QCOMPARE(clients.at(1).url, QUrl(QStringLiteral("http://127.0.0.1:5000/api%20v1")));
        QCOMPARE(clients.at(1).timeout, 3000);
        QVERIFY(clients.at(1).intermediate);
        QVERIFY(clients.at(1).state);
        QCOMPARE(clients.at(2).id, 3);
        QVERIFY(!clients.at(2).enabled);
        QCOMPARE(readRaw(QStringLiteral("ScoringClientConfigurations/url_1")).toString(),
                 QStringLiteral("http://127.0.0.1:5000/api%20v1"));
        QCOMPARE(settings.webSocketServerSettings().portNumber(), 9091);
        QVERIFY(settings.webSocketServerSettings().enabled());
        QVERIFY(settings.showAdvancedNetworkSettings());
        QCOMPARE(settings.databaseFile(), QStringLiteral("/data/comp.db"));
        QVERIFY(!log.saveToFile());
        QCOMPARE(log.logDirectory().absolutePath(), QDir(logDir.path()).absolutePath());
        QVERIFY(!settings.rulesSettings().playWarningSound());
        QCOMPARE(settings.rulesSettings().hdDeductionRule(), 1);
        QCOMPARE(settings.spaceDelaySettings().spaceDelayMs(), 750u);
        const WarningSettings &w = settings.warningSettings();
        QVERIFY(!w.shouldShowTrampolineSelectionWarning());
        QVERIFY(!w.shouldShowWeightSelectionWarning());
        QVERIFY(!w.shouldShowWebSocketClientConnectedWarning());
        QVERIFY(!w.shouldShowAllSensorsConnectedWarning());
        QVERIFY(!w.shouldShowUnusualSensorDataWarning());
    }

    void structureIndicesRespectTheListSizes()
    {
        writeRaw(QStringLiteral("Structure/EventIdx"), 5);
        writeRaw(QStringLiteral("Structure/CompetitionIdx"), 1);
        writeRaw(QStringLiteral("Structure/AthletIdx"), 2);
        LogHandler log;
        StoredIndexSelection event(0, 3), competition(0, 3), group(0, 3), athlete(-1, 2);
        OvraSettings settings({nullptr, nullptr, nullptr, &event, &competition, &group, &athlete}, log);
        loadInto(settings);
        QCOMPARE(event.currentIndex(), 0); // stays at its placeholder
        QCOMPARE(competition.currentIndex(), 1);
        QCOMPARE(athlete.currentIndex(), -1); // row 2 is outside a list of two
    }

    void emissionRulesOnLoad()
    {
        LogHandler log;
        OvraSettings settings({}, log);
        QSignalSpy autoPath(&settings.autoSaveSettings(), &AutoSaveSettings::pathChanged);
        QSignalSpy autoFile(&settings.autoSaveSettings(), &AutoSaveSettings::fileSaveChanged);
        QSignalSpy autoTemplate(&settings.autoSaveSettings(), &AutoSaveSettings::filenameTemplateChanged);
        QSignalSpy wsPort(&settings.webSocketServerSettings(), &WebSocketServerSettings::portNumberChanged);
        QSignalSpy wsEnabled(&settings.webSocketServerSettings(),
                             &WebSocketServerSettings::enabledFlagChanged);
        QSignalSpy colSep(&settings.exportSettings(), &ExportSettings::columnSepChanged);
        QSignalSpy length(&settings.exportSettings(), &ExportSettings::trampLengthChanged);
        QSignalSpy impuls(&settings.exportSettings(), &ExportSettings::impulsValChanged);
        QSignalSpy warnTramp(&settings.warningSettings(),
                             &WarningSettings::shouldShowTrampolineSelectionWarningChanged);
        QSignalSpy warnUnusual(&settings.warningSettings(),
                               &WarningSettings::shouldShowUnusualSensorDataWarningChanged);

        loadInto(settings); // empty storage: everything equals the defaults
        QCOMPARE(autoPath.count(), 0);
        QCOMPARE(autoFile.count(), 0);
        QCOMPARE(autoTemplate.count(), 0);
        QCOMPARE(wsPort.count(), 0);
        QCOMPARE(wsEnabled.count(), 0);
        QCOMPARE(colSep.count(), 1);
        QCOMPARE(length.count(), 1);
        QCOMPARE(impuls.count(), 1);
        QCOMPARE(warnTramp.count(), 1);
        QCOMPARE(warnUnusual.count(), 1);
        QCOMPARE(warnTramp.first().first().toBool(), true);

        writeRaw(QStringLiteral("AutoSave/FileSave"), true);
        writeRaw(QStringLiteral("WebSocketServer/PortNumber"), 9000);
        loadInto(settings);
        QCOMPARE(autoFile.count(), 1);
        QCOMPARE(autoFile.last().first().toBool(), true);
        QCOMPARE(autoPath.count(), 0);
        QCOMPARE(wsPort.count(), 1);
        QCOMPARE(wsPort.last().first().toInt(), 9000);
        QCOMPARE(wsEnabled.count(), 0);
        QCOMPARE(colSep.count(), 2);
        QCOMPARE(warnTramp.count(), 2);
    }

    void valuesOfTheWrongTypeAreConverted()
    {
        writeRaw(QStringLiteral("File/Width"), QStringLiteral("wide"));
        writeRaw(QStringLiteral("File/Tramp_L"), QStringLiteral("long"));
        writeRaw(QStringLiteral("Rules/PlayWarningSound"), QStringLiteral("maybe"));
        writeRaw(QStringLiteral("Warnings/WeightSelectionWarning"), QStringLiteral("false"));
        writeRaw(QStringLiteral("AutoSave/FileSave"), 1);
        writeRaw(QStringLiteral("Misc/SpaceDelayMs"), QStringLiteral("soon"));
        LogHandler log;
        OvraSettings settings({}, log);
        const Loaded l = loadInto(settings);
        QCOMPARE(l.width, 0);
        // "long" reads as 0, and a bed of 0 mm would break every position:
        // the default length stands in.
        QCOMPARE(settings.exportSettings().trampLength(), 3650.0);
        QVERIFY(!settings.rulesSettings().playWarningSound());
        QVERIFY(!settings.warningSettings().shouldShowWeightSelectionWarning());
        QVERIFY(settings.autoSaveSettings().fileSave());
        QCOMPARE(settings.spaceDelaySettings().spaceDelayMs(), 0u);
    }

    void taraValuesAreInStorageRightAfterASave()
    {
        LogHandler log;
        StoreSettingsHolder store;
        OvraSettings settings({&store}, log);
        Loaded l = loadInto(settings);
        StoreSettings s = store.storeSettings();
        s.tara = {1, 2, 3, 4, 5, 6, 7, 8.5};
        store.applyStoreSettings(s);
        settings.writeSettings(l.width, l.height, l.font);
        // The values are in the file itself, without any further write: the
        // program may be killed right after a tara.
        QFile file(OvraSettings::openStorage()->fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("[Tara]"));
        QVERIFY(text.contains("Tara_1=1\n"));
        QVERIFY(text.contains("Tara_8=8.5\n"));
    }
};

OVRA_TEST_CORE_MAIN(TestSettings)
#include "tst_settings.moc"
