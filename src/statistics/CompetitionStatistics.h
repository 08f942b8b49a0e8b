#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

// One landing of a competition: where it was (cm from the bed centre) and
// when the routine it belongs to was saved.
struct LandingSample
{
    int x = 0;
    int y = 0;
    QDateTime time;
};

// Routines, routines that ended early ("aborts") and landing positions of a
// whole competition, counted per trampoline mode. Modes are the texts of a
// data file's mode column: "1" trampoline 1, "2" trampoline 2, "3"
// synchronized.
class CompetitionStatistics : public QObject
{
    Q_OBJECT
public:
    explicit CompetitionStatistics(QObject *parent = nullptr);

    // False for a mode that is none of the three.
    bool countRoutine(const QString &mode);
    bool countAbort(const QString &mode);
    // Mode "1" or "2" only; anything else is ignored. Coordinates are
    // truncated to whole centimetres; a coordinate that is not a number is
    // no landing.
    void addLanding(const QString &mode, double x, double y, const QDateTime &time);
    void addLandingTrampOne(double x, double y, const QDateTime &time);
    void addLandingTrampTwo(double x, double y, const QDateTime &time);

    int trampOneRoutines() const { return m_trampOneRoutines; }
    int trampTwoRoutines() const { return m_trampTwoRoutines; }
    int synRoutines() const { return m_synRoutines; }
    int trampOneAborts() const { return m_trampOneAborts; }
    int trampTwoAborts() const { return m_trampTwoAborts; }
    int synAborts() const { return m_synAborts; }
    const QList<LandingSample> &trampOneLandings() const { return m_trampOneLandings; }
    const QList<LandingSample> &trampTwoLandings() const { return m_trampTwoLandings; }

    // The six counters and both landing lists; every landing carries its
    // time as "ts" ("yyyy-MM-dd'T'HH:mm:ss", empty when the file had none).
    QJsonObject toJson() const;

private:
    static bool append(QList<LandingSample> &list, double x, double y, const QDateTime &time);

    int m_trampOneRoutines = 0;
    int m_trampTwoRoutines = 0;
    int m_synRoutines = 0;
    int m_trampOneAborts = 0;
    int m_trampTwoAborts = 0;
    int m_synAborts = 0;
    QList<LandingSample> m_trampOneLandings;
    QList<LandingSample> m_trampTwoLandings;
};
