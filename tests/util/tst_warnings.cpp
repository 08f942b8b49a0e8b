#include "settings/WarningSettings.h"
#include "support/TestSupport.h"
#include "util/Warnings.h"

#include <QSignalSpy>

using ovra::util::Warnings;

namespace {

const QString kTrampoline = QStringLiteral("- Trampoline is not set to 'Automatic'");
const QString kWeight = QStringLiteral("- Weight Class is not set to 'Automatic'");
const QString kWebSocket = QStringLiteral("- No client is connected to the WebSocket server");
const QString kSensors = QStringLiteral("- Not all sensors are connected properly - run diagnosis");
const QString kUnusual = QStringLiteral("- Unexpected sensor data collected - run diagnosis");

} // namespace

class TestWarnings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void allWarningsOffKeepTheTextEmpty()
    {
        WarningSettings settings;
        for (auto setter : {&WarningSettings::setShouldShowTrampolineSelectionWarning,
                            &WarningSettings::setShouldShowWeightSelectionWarning,
                            &WarningSettings::setShouldShowWebSocketClientConnectedWarning,
                            &WarningSettings::setShouldShowAllSensorsConnectedWarning,
                            &WarningSettings::setShouldShowUnusualSensorDataWarning})
            (settings.*setter)(false);
        Warnings warnings;
        warnings.connectSettings(settings);
        QSignalSpy text(&warnings, &Warnings::setWarningsText);
        QSignalSpy show(&warnings, &Warnings::showWarnings);
        warnings.setTrampolineSelectionWarning(true);
        warnings.setWeightSelectionWarning(true);
        warnings.setWebSocketClientConnectedWarning(true);
        warnings.setAllSensorsConnectedWarning(true);
        warnings.setUnusualSensorDataWarning(true);
        QCOMPARE(text.count(), 5);
        QCOMPARE(show.count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(text.at(i).at(0).toString(), QString());
            QCOMPARE(show.at(i).at(0).toBool(), false);
        }
    }

    void oneLineWithoutTrailingLineFeed()
    {
        WarningSettings settings;
        Warnings warnings;
        warnings.connectSettings(settings);
        QSignalSpy text(&warnings, &Warnings::setWarningsText);
        QSignalSpy show(&warnings, &Warnings::showWarnings);
        warnings.setTrampolineSelectionWarning(true);
        QCOMPARE(text.last().at(0).toString(), kTrampoline);
        QCOMPARE(show.last().at(0).toBool(), true);
    }

    void linesFollowTheTableOrder()
    {
        WarningSettings settings;
        Warnings warnings;
        warnings.connectSettings(settings);
        QSignalSpy text(&warnings, &Warnings::setWarningsText);
        warnings.setUnusualSensorDataWarning(true);
        warnings.setWebSocketClientConnectedWarning(true);
        warnings.setAllSensorsConnectedWarning(true);
        warnings.setWeightSelectionWarning(true);
        warnings.setTrampolineSelectionWarning(true);
        QCOMPARE(text.last().at(0).toString(),
                 QStringList({kTrampoline, kWeight, kWebSocket, kSensors, kUnusual}).join(QLatin1Char('\n')));
        warnings.setWeightSelectionWarning(false);
        warnings.setWebSocketClientConnectedWarning(false);
        warnings.setUnusualSensorDataWarning(false);
        QCOMPARE(text.last().at(0).toString(), kTrampoline + QLatin1Char('\n') + kSensors);
    }

    void unchangedSensorReadingsStaySilent()
    {
        WarningSettings settings;
        Warnings warnings;
        warnings.connectSettings(settings);
        QSignalSpy text(&warnings, &Warnings::setWarningsText);
        for (int block = 0; block < 5000; ++block) {
            warnings.setAllSensorsConnectedWarning(true);
            warnings.setUnusualSensorDataWarning(false);
        }
        QCOMPARE(text.count(), 1);
        // The three other kinds always publish.
        warnings.setWeightSelectionWarning(false);
        warnings.setWeightSelectionWarning(false);
        QCOMPARE(text.count(), 3);
    }

    void switchingASettingOffRemovesItsLineAtOnce()
    {
        WarningSettings settings;
        Warnings warnings;
        warnings.connectSettings(settings);
        QSignalSpy text(&warnings, &Warnings::setWarningsText);
        QSignalSpy show(&warnings, &Warnings::showWarnings);
        warnings.setWebSocketClientConnectedWarning(true);
        warnings.setAllSensorsConnectedWarning(true);
        settings.setShouldShowWebSocketClientConnectedWarning(false);
        QCOMPARE(text.last().at(0).toString(), kSensors);
        settings.setShouldShowAllSensorsConnectedWarning(false);
        QCOMPARE(text.last().at(0).toString(), QString());
        QCOMPARE(show.last().at(0).toBool(), false);
        settings.setShouldShowWebSocketClientConnectedWarning(true);
        QCOMPARE(text.last().at(0).toString(), kWebSocket);
        QCOMPARE(show.last().at(0).toBool(), true);
    }

    void germanTextsExist()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/ovra_de.qm")));
        for (const QString &line : {kTrampoline, kWeight, kWebSocket, kSensors, kUnusual}) {
            const QString german = translator.translate("ovra::util::Warnings", line.toUtf8().constData());
            QVERIFY2(!german.isEmpty() && german != line, qPrintable(line));
        }
    }
};

OVRA_TEST_CORE_MAIN(TestWarnings)
#include "tst_warnings.moc"
