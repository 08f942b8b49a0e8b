#include "util/Warnings.h"

#include "settings/WarningSettings.h"

namespace ovra::util {

Warnings::Warnings(QObject *parent)
    : QObject(parent)
{
    m_enabled[RoutinesNotStored] = true;
    m_enabled[RoutinesAwaitingDatabase] = true;
    m_enabled[NoAthleteChosen] = true;
}

void Warnings::connectSettings(WarningSettings &settings)
{
    connect(&settings, &WarningSettings::shouldShowTrampolineSelectionWarningChanged, this,
            &Warnings::enableTrampolineSelectionWarning);
    connect(&settings, &WarningSettings::shouldShowWeightSelectionWarningChanged, this,
            &Warnings::enableWeightSelectionWarning);
    connect(&settings, &WarningSettings::shouldShowWebSocketClientConnectedWarningChanged, this,
            &Warnings::enableWebSocketClientConnectedWarning);
    connect(&settings, &WarningSettings::shouldShowAllSensorsConnectedWarningChanged, this,
            &Warnings::enableAllSensorsConnectedWarning);
    connect(&settings, &WarningSettings::shouldShowUnusualSensorDataWarningChanged, this,
            &Warnings::enableUnusualSensorDataWarning);
    enableTrampolineSelectionWarning(settings.shouldShowTrampolineSelectionWarning());
    enableWeightSelectionWarning(settings.shouldShowWeightSelectionWarning());
    enableWebSocketClientConnectedWarning(settings.shouldShowWebSocketClientConnectedWarning());
    enableAllSensorsConnectedWarning(settings.shouldShowAllSensorsConnectedWarning());
    enableUnusualSensorDataWarning(settings.shouldShowUnusualSensorDataWarning());
}

void Warnings::setAllSensorsConnectedWarning(bool condition)
{
    if (m_condition[AllSensorsConnected] == condition)
        return;
    setCondition(AllSensorsConnected, condition);
}

void Warnings::setUnusualSensorDataWarning(bool condition)
{
    if (m_condition[UnusualSensorData] == condition)
        return;
    setCondition(UnusualSensorData, condition);
}

void Warnings::setEnabled(Kind kind, bool enable)
{
    m_enabled[kind] = enable;
    publish();
}

void Warnings::setCondition(Kind kind, bool condition)
{
    m_condition[kind] = condition;
    publish();
}

bool Warnings::hasActiveWarnings() const
{
    for (int kind = 0; kind < KindCount; ++kind) {
        if (m_condition[kind] && m_enabled[kind])
            return true;
    }
    return false;
}

QString Warnings::warningText() const
{
    QString text;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (m_condition[kind] && m_enabled[kind])
            text += lineOf(static_cast<Kind>(kind)) + QLatin1Char('\n');
    }
    text.chop(1);
    return text;
}

void Warnings::publish()
{
    Q_EMIT setWarningsText(warningText());
    Q_EMIT showWarnings(hasActiveWarnings());
}

QString Warnings::lineOf(Kind kind)
{
    switch (kind) {
    case TrampolineSelection:
        return tr("- Trampoline is not set to 'Automatic'");
    case WeightSelection:
        return tr("- Weight Class is not set to 'Automatic'");
    case WebSocketClientConnected:
        return tr("- No client is connected to the WebSocket server");
    case AllSensorsConnected:
        return tr("- Not all sensors are connected properly - run diagnosis");
    case UnusualSensorData:
        return tr("- Unexpected sensor data collected - run diagnosis");
    case RoutinesNotStored:
        return tr("- Committed routines are not stored: autosave to file and database is off");
    case RoutinesAwaitingDatabase:
        return tr("- Routines wait to be stored in the database; it is tried again automatically");
    case NoAthleteChosen:
        return tr("- No athlete is chosen in the start list: the routine would be stored and sent without a "
                  "name");
    case KindCount:
        break;
    }
    Q_ASSERT(false);
    return QString();
}

} // namespace ovra::util
