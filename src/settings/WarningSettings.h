#pragma once

#include <QObject>

// Which operator warnings are shown. Setters always announce the value, so
// that loading brings the warnings into the loaded state.
class WarningSettings : public QObject
{
    Q_OBJECT
public:
    explicit WarningSettings(QObject *parent = nullptr) : QObject(parent) {}

    bool shouldShowTrampolineSelectionWarning() const { return m_trampolineSelection; }
    bool shouldShowWeightSelectionWarning() const { return m_weightSelection; }
    bool shouldShowWebSocketClientConnectedWarning() const { return m_webSocketClientConnected; }
    bool shouldShowAllSensorsConnectedWarning() const { return m_allSensorsConnected; }
    bool shouldShowUnusualSensorDataWarning() const { return m_unusualSensorData; }

    void setShouldShowTrampolineSelectionWarning(bool shouldShow)
    {
        m_trampolineSelection = shouldShow;
        Q_EMIT shouldShowTrampolineSelectionWarningChanged(shouldShow);
    }
    void setShouldShowWeightSelectionWarning(bool shouldShow)
    {
        m_weightSelection = shouldShow;
        Q_EMIT shouldShowWeightSelectionWarningChanged(shouldShow);
    }
    void setShouldShowWebSocketClientConnectedWarning(bool shouldShow)
    {
        m_webSocketClientConnected = shouldShow;
        Q_EMIT shouldShowWebSocketClientConnectedWarningChanged(shouldShow);
    }
    void setShouldShowAllSensorsConnectedWarning(bool shouldShow)
    {
        m_allSensorsConnected = shouldShow;
        Q_EMIT shouldShowAllSensorsConnectedWarningChanged(shouldShow);
    }
    void setShouldShowUnusualSensorDataWarning(bool shouldShow)
    {
        m_unusualSensorData = shouldShow;
        Q_EMIT shouldShowUnusualSensorDataWarningChanged(shouldShow);
    }

Q_SIGNALS:
    void shouldShowTrampolineSelectionWarningChanged(bool shouldShow);
    void shouldShowWeightSelectionWarningChanged(bool shouldShow);
    void shouldShowWebSocketClientConnectedWarningChanged(bool shouldShow);
    void shouldShowAllSensorsConnectedWarningChanged(bool shouldShow);
    void shouldShowUnusualSensorDataWarningChanged(bool shouldShow);

private:
    bool m_trampolineSelection = true;
    bool m_weightSelection = true;
    bool m_webSocketClientConnected = true;
    bool m_allSensorsConnected = true;
    bool m_unusualSensorData = true;
};
