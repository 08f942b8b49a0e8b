#pragma once

#include <QObject>
#include <QString>

#include <array>

class WarningSettings;

namespace ovra::util {

// Conditions the operator should know about before starting a routine. Each
// kind shows only while its condition holds and the settings enable it; the
// result is one multi-line text and a show/hide flag for the ready page.
class Warnings : public QObject
{
    Q_OBJECT
public:
    // In the order of the lines of the warning text.
    enum Kind {
        TrampolineSelection = 0,
        WeightSelection,
        WebSocketClientConnected,
        AllSensorsConnected,
        UnusualSensorData,
        // Neither the file nor the database autosave is on: a committed
        // routine is kept nowhere. Always enabled.
        RoutinesNotStored,
        // Committed routines could not be written to the database yet; it is
        // tried again automatically. Always enabled.
        RoutinesAwaitingDatabase,
        // A start list is in use and nobody is announced for the next
        // routine, which would be stored and sent without a name. Always
        // enabled.
        NoAthleteChosen,
        KindCount
    };

    explicit Warnings(QObject *parent = nullptr);

    // Follows the change signals of the settings and takes their values now.
    void connectSettings(WarningSettings &settings);

    QString warningText() const;
    bool hasActiveWarnings() const;

public Q_SLOTS:
    void enableTrampolineSelectionWarning(bool enable) { setEnabled(TrampolineSelection, enable); }
    void enableWeightSelectionWarning(bool enable) { setEnabled(WeightSelection, enable); }
    void enableWebSocketClientConnectedWarning(bool enable) { setEnabled(WebSocketClientConnected, enable); }
    void enableAllSensorsConnectedWarning(bool enable) { setEnabled(AllSensorsConnected, enable); }
    void enableUnusualSensorDataWarning(bool enable) { setEnabled(UnusualSensorData, enable); }

    // Condition setters. The two sensor setters run for every block of
    // frames in READY and therefore stay silent when nothing changed.
    void setTrampolineSelectionWarning(bool condition) { setCondition(TrampolineSelection, condition); }
    void setWeightSelectionWarning(bool condition) { setCondition(WeightSelection, condition); }
    void setWebSocketClientConnectedWarning(bool condition)
    {
        setCondition(WebSocketClientConnected, condition);
    }
    void setAllSensorsConnectedWarning(bool condition);
    void setUnusualSensorDataWarning(bool condition);
    void setRoutinesNotStoredWarning(bool condition) { setCondition(RoutinesNotStored, condition); }
    void setRoutinesAwaitingDatabaseWarning(bool condition)
    {
        setCondition(RoutinesAwaitingDatabase, condition);
    }
    void setNoAthleteChosenWarning(bool condition)
    {
        if (m_condition[NoAthleteChosen] != condition)
            setCondition(NoAthleteChosen, condition);
    }

Q_SIGNALS:
    void showWarnings(bool show);
    void setWarningsText(QString warningText);

private:
    void setEnabled(Kind kind, bool enable);
    void setCondition(Kind kind, bool condition);
    void publish();
    static QString lineOf(Kind kind);

    std::array<bool, KindCount> m_condition{};
    std::array<bool, KindCount> m_enabled{};
};

} // namespace ovra::util
