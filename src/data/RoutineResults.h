#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace data::model {

struct IndividualRoutineResult
{
    // Seconds, truncated to whole hundredths.
    double timeOfFlight = 0.0;
    double hdDeductionSum = 0.0;
    double horizontalDisplacement = 0.0;
    // All landings of the routine, counted or not.
    quint64 elementCount = 0;
    int shiftedLandings = 0;

    bool operator==(const IndividualRoutineResult &) const = default;
};

// The sums run over the synchronous pairs only: the pairs before the first
// pair that is not synchronous.
struct SynchronizedRoutineResult
{
    double hdDeductionSumTrampoline1 = 0.0;
    double horizontalDisplacementTrampoline1 = 0.0;
    double hdDeductionSumTrampoline2 = 0.0;
    double horizontalDisplacementTrampoline2 = 0.0;
    double landingTimeDifferenceSum = 0.0;
    double synDeductionSum = 0.0;
    double synchronizedScore = 0.0;
    double reserved = 0.0;
    quint64 effectiveElementCount = 0;
    quint64 elementCount = 0;
    int shiftedLandings = 0;

    bool operator==(const SynchronizedRoutineResult &) const = default;
};

} // namespace data::model

Q_DECLARE_METATYPE(data::model::IndividualRoutineResult)
Q_DECLARE_METATYPE(data::model::SynchronizedRoutineResult)
