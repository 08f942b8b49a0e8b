#pragma once

#include "util/RoutineMetaLimits.h"

#include "data/DataEnums.h"
#include "data/RoutineResults.h"
#include "rest/client/ScoringClientFeedback.h"
#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QList>
#include <QMap>
#include <QString>

class QStateMachine;
class RulesSettings;
class wsDaten;

namespace data::model {
class Routines;
}

namespace ovra::rest::client {
class ScoringClient;
}

namespace ovra::util {

// Builds the scoring wire objects from the measurement data. The routine,
// its trampoline mode and its results are passed in, so the builders work on
// any copy of them (the store's, a loaded file's).
class RESTUtils
{
public:
    // "maturity" "confirmed": the result of a committed routine.
    static rest::client::ScoringResult
    createConfirmedResult(const data::model::Routines &routines, data::model::TrampMode trampMode,
                          const data::model::IndividualRoutineResult &individualResult,
                          const data::model::SynchronizedRoutineResult &synchronizedResult,
                          const RulesSettings &rulesSettings);
    // "maturity" "preliminary": an intermediate result.
    static rest::client::ScoringResult
    createPreliminaryResult(const data::model::Routines &routines, data::model::TrampMode trampMode,
                            const data::model::IndividualRoutineResult &individualResult,
                            const data::model::SynchronizedRoutineResult &synchronizedResult,
                            const RulesSettings &rulesSettings);

    // The same, with the results evaluated from the routine's landings
    // (landingCount landings or pairs of the mode's arrays).
    static rest::client::ScoringResult createConfirmedResult(const data::model::Routines &routines,
                                                             data::model::TrampMode trampMode,
                                                             const RulesSettings &rulesSettings);
    static rest::client::ScoringResult createPreliminaryResult(const data::model::Routines &routines,
                                                               data::model::TrampMode trampMode,
                                                               const RulesSettings &rulesSettings);

    // The same from the sample store: its routine, mode and current results.
    static rest::client::ScoringResult createConfirmedResult(const wsDaten &store,
                                                             const RulesSettings &rulesSettings);
    static rest::client::ScoringResult createPreliminaryResult(const wsDaten &store,
                                                               const RulesSettings &rulesSettings);

    // State message value for the current state of the measurement state
    // machine, read from its "usbConnected" and "connectedInnerState"
    // properties.
    static rest::client::ScoringStateType createScoringStateType(const QStateMachine &stateMachine);
    // State message value from the state machine's usbConnected property and
    // its connectedInnerState value; "other" while disconnected.
    static rest::client::ScoringStateType createScoringStateType(bool usbConnected, int connectedInnerState);

    // Sends the result to every enabled client in list order and refills
    // the feedback list with one awaited record per client asked.
    static void sendResultsToScoringSystems(const QList<rest::client::ScoringClient *> &clients,
                                            QList<rest::client::ScoringClientFeedback> &feedback,
                                            const rest::client::ScoringResult &result, bool reportFeedback);
    // Sends the state to every enabled client that takes state transitions.
    static void sendStateToScoringSystems(const QList<rest::client::ScoringClient *> &clients,
                                          const rest::client::ScoringState &state);

    // The confirmed result of an invented routine of ten elements, sent to
    // a scoring system to try it out.
    static rest::client::ScoringResult createSampleResult();

    // The most meta entries a message from outside may carry; routine meta
    // information is a handful of names.
    static constexpr int kMaxRoutineMetaEntries = ovra::util::kMaxRoutineMetaEntries;
    // The routine meta map of a JSON object: every member whose value is a
    // string; other members are skipped. False (and an empty map) when the
    // object holds more than kMaxRoutineMetaEntries members or a string
    // member whose name or value is longer than kMaxRoutineMetaText; error
    // then says which, for the sender.
    static bool jsonToMeta(const QJsonObject &object, QMap<QString, QString> &meta, QString *error = nullptr);

    // Round half away from zero to the given number of decimals.
    static double roundTo(double value, int decimals);
    // Whole centimetres, half away from zero.
    static int roundToCentimetre(double value);
};

} // namespace ovra::util
