#pragma once

#include "data/Landing.h"
#include "data/MetaTypes.h"
#include "data/RoutineBase.h"
#include "data/RoutineResults.h"

#include <QMap>
#include <QString>

#include <array>

namespace data::model {

// The routine under way: its window, counters, the landings of each
// trampoline and the meta information that travels with it. The store owns
// one instance and edits the members directly; the slots serve the
// controller and the settings.
class Routines : public RoutineBase
{
    Q_OBJECT
public:
    static constexpr int kSlots = 20;
    static constexpr int kDefaultExpectedLandings = 10;
    using LandingArray = std::array<Landing, kSlots>;

    explicit Routines(QObject *parent = nullptr);

    // Empties the routine when a measurement is prepared. The meta
    // information, the expected count and the base properties stay.
    void reset();

    const QMap<QString, QString> &routineMeta() const { return routineMetaInformation; }

    // Tabs and line feeds would break the tab- and line-separated data files.
    static QString normalizeMetaText(const QString &text);
    // The map as it is once it entered a routine.
    static QMap<QString, QString> normalizeMeta(const QMap<QString, QString> &meta);

    int exerciseStart = -1;
    int exerciseEnd = -1;
    int exerciseStartFix = -1;
    int exerciseEndFix = -1;
    quint64 synchronizedLandingCount1 = 0;
    quint64 synchronizedLandingCount2 = 0;
    // Landings of an individual routine, completed pairs of a synchronized one.
    quint64 landingCount = 0;
    int shiftedLandings = 0;
    bool routineRecording = false;
    LandingArray individualLandingsTrampoline1;
    LandingArray individualLandingsTrampoline2;
    LandingArray synchronizedLandingsTrampoline1;
    LandingArray synchronizedLandingsTrampoline2;
    QMap<QString, QString> routineMetaInformation;
    int expectedLandingsPerRoutine = kDefaultExpectedLandings;

public slots:
    void setRoutineMetaInformation(const QMap<QString, QString> &routineMetaInformation);
    void addRoutineMetaInformation(const QString &key, const QString &value);
    void resetRoutineMetaInformation();
    void setExpectedLandingsPerRoutine(int newExpectedLandingsPerRoutine);

signals:
    void updateRoutineMetaInformation(QMap<QString, QString> routineMetaInformation);
    void rolloverLandings(data::model::IndividualRoutineResult result);
};

} // namespace data::model
