#include "util/RESTUtils.h"

#include "data/Evaluation.h"
#include "data/Routines.h"
#include "data/wsDaten.h"
#include "rest/client/ScoringClient.h"
#include "settings/RulesSettings.h"
#include "state/OvraState.h"

#include <QDebug>
#include <QJsonObject>
#include <QStateMachine>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ovra::util {

using namespace ovra::rest::client;
using data::model::Landing;
using data::model::Routines;
using data::model::TrampMode;

namespace {

ScoringLandingPosition positionOf(const Landing &landing)
{
    ScoringLandingPosition position;
    position.setX(RESTUtils::roundToCentimetre(landing.landingPosition.x));
    position.setY(RESTUtils::roundToCentimetre(landing.landingPosition.y));
    return position;
}

int routineElementCount(const Routines &routines)
{
    // The arrays hold 20 slots; a count beyond them cannot name landings.
    return static_cast<int>(std::min<quint64>(routines.landingCount, static_cast<quint64>(Routines::kSlots)));
}

int countToWire(quint64 count)
{
    return static_cast<int>(std::min<quint64>(count, std::numeric_limits<int>::max()));
}

template <typename Result> void setRoutineCommon(Result &result, const Routines &routines)
{
    if (!routines.routineMetaInformation.isEmpty())
        result.setMeta(routines.routineMetaInformation);
    result.setStartPenalty(RESTUtils::roundTo(routines.penalty(), 1));
    result.setDelayBeforeStartInSeconds(RESTUtils::roundTo(routines.routineStartTime(), 1));
    result.setElementCount(countToWire(routines.landingCount));
}

ScoringIndividualResult individualResultOf(const Routines &routines, TrampMode trampMode,
                                           const data::model::IndividualRoutineResult &values)
{
    ScoringIndividualResult result;
    setRoutineCommon(result, routines);
    result.setTimeOfFlightInSeconds(RESTUtils::roundTo(values.timeOfFlight, 2));
    result.setHorizontalDisplacement(RESTUtils::roundTo(values.horizontalDisplacement, 1));

    const Routines::LandingArray *landings = nullptr;
    if (trampMode == TrampMode::Trampoline1)
        landings = &routines.individualLandingsTrampoline1;
    else if (trampMode == TrampMode::Trampoline2)
        landings = &routines.individualLandingsTrampoline2;
    if (!landings)
        return result;

    QList<ScoringIndividualResultElement> elements;
    const int count = routineElementCount(routines);
    for (int i = 0; i < count; ++i) {
        const Landing &landing = (*landings)[static_cast<std::size_t>(i)];
        ScoringIndividualResultElement element;
        element.setTimeOfFlightInSeconds(landing.timeOfFlight / 1000.0);
        element.setLandingPositionInCm(positionOf(landing));
        element.setLandingZone(landing.landingZone);
        element.setHorizontalDisplacement(RESTUtils::roundTo(1.0 - landing.hdDeduction, 1));
        elements.append(element);
    }
    if (!elements.isEmpty())
        result.setElements(elements);
    return result;
}

ScoringSynchronizedResult synchronizedResultOf(const Routines &routines,
                                               const data::model::SynchronizedRoutineResult &values)
{
    ScoringSynchronizedResult result;
    setRoutineCommon(result, routines);
    result.setHorizontalDisplacementTrampoline1(
        RESTUtils::roundTo(values.horizontalDisplacementTrampoline1, 1));
    result.setHorizontalDisplacementTrampoline2(
        RESTUtils::roundTo(values.horizontalDisplacementTrampoline2, 1));
    result.setHorizontalDisplacement(RESTUtils::roundTo(
        (values.horizontalDisplacementTrampoline1 + values.horizontalDisplacementTrampoline2) / 2.0, 2));
    result.setSynchronizedScore(RESTUtils::roundTo(values.synchronizedScore, 2));

    const int count = routineElementCount(routines);
    // Counted over the routine's own pairs, so it always agrees with the
    // elements written below.
    result.setEffectiveElementCount(static_cast<int>(data::calc::effectivePairCount(
        routines.synchronizedLandingsTrampoline1, static_cast<std::size_t>(count))));

    QList<ScoringSynchronizedResultElement> elements;
    for (int i = 0; i < count; ++i) {
        const Landing &a = routines.synchronizedLandingsTrampoline1[static_cast<std::size_t>(i)];
        const Landing &b = routines.synchronizedLandingsTrampoline2[static_cast<std::size_t>(i)];
        ScoringSynchronizedResultElement element;
        element.setLandingTimeDifferenceInSeconds(RESTUtils::roundTo(a.landingTimeDifference, 3));
        element.setSynchronizedScore(RESTUtils::roundTo(a.synScore, 2));
        element.setForcedEndOfRoutine(a.notSynchronous);
        element.setLandingPositionInCmTrampoline1(positionOf(a));
        element.setLandingZoneTrampoline1(a.landingZone);
        element.setLandingPositionInCmTrampoline2(positionOf(b));
        element.setLandingZoneTrampoline2(b.landingZone);
        element.setHorizontalDisplacementTrampoline1(RESTUtils::roundTo(1.0 - a.hdDeduction, 1));
        element.setHorizontalDisplacementTrampoline2(RESTUtils::roundTo(1.0 - b.hdDeduction, 1));
        element.setHorizontalDisplacement(
            RESTUtils::roundTo(((1.0 - b.hdDeduction) + (1.0 - a.hdDeduction)) / 2.0, 2));
        elements.append(element);
    }
    if (!elements.isEmpty())
        result.setElements(elements);
    return result;
}

ScoringResult createResult(ScoringResultMaturity::Value maturity, const Routines &routines,
                           TrampMode trampMode, const data::model::IndividualRoutineResult &individualResult,
                           const data::model::SynchronizedRoutineResult &synchronizedResult,
                           const RulesSettings &rulesSettings)
{
    ScoringResult result;
    result.setMaturity(ScoringResultMaturity(maturity));

    const int rule = rulesSettings.hdDeductionRule();
    if (rule == 0 || rule == 1) {
        ScoringRulesSettings rules;
        rules.setHdDeductions(ScoringRulesSettingsHdDeductions(
            rule == 0 ? ScoringRulesSettingsHdDeductions::Max3 : ScoringRulesSettingsHdDeductions::Max5));
        result.setRulesSettings(rules);
    }

    if (trampMode == TrampMode::Synchronized) {
        result.setType(ScoringResultType(ScoringResultType::Synchronized));
        result.setSynchronizedResult(synchronizedResultOf(routines, synchronizedResult));
    } else {
        result.setType(ScoringResultType(ScoringResultType::Individual));
        result.setIndividualResult(individualResultOf(routines, trampMode, individualResult));
    }
    return result;
}

data::model::IndividualRoutineResult individualResultFor(const Routines &routines, TrampMode trampMode)
{
    const std::size_t n = static_cast<std::size_t>(routineElementCount(routines));
    if (trampMode == TrampMode::Trampoline1)
        return data::calc::evaluateIndividualRoutine(routines.individualLandingsTrampoline1, n,
                                                     routines.shiftedLandings);
    if (trampMode == TrampMode::Trampoline2)
        return data::calc::evaluateIndividualRoutine(routines.individualLandingsTrampoline2, n,
                                                     routines.shiftedLandings);
    return {};
}

data::model::SynchronizedRoutineResult synchronizedResultFor(const Routines &routines, TrampMode trampMode)
{
    if (trampMode != TrampMode::Synchronized)
        return {};
    return data::calc::evaluateSynchronizedRoutine(routines,
                                                   static_cast<std::size_t>(routineElementCount(routines)));
}

} // namespace

ScoringResult
RESTUtils::createConfirmedResult(const Routines &routines, TrampMode trampMode,
                                 const data::model::IndividualRoutineResult &individualResult,
                                 const data::model::SynchronizedRoutineResult &synchronizedResult,
                                 const RulesSettings &rulesSettings)
{
    return createResult(ScoringResultMaturity::Confirmed, routines, trampMode, individualResult,
                        synchronizedResult, rulesSettings);
}

ScoringResult
RESTUtils::createPreliminaryResult(const Routines &routines, TrampMode trampMode,
                                   const data::model::IndividualRoutineResult &individualResult,
                                   const data::model::SynchronizedRoutineResult &synchronizedResult,
                                   const RulesSettings &rulesSettings)
{
    return createResult(ScoringResultMaturity::Preliminary, routines, trampMode, individualResult,
                        synchronizedResult, rulesSettings);
}

ScoringResult RESTUtils::createConfirmedResult(const Routines &routines, TrampMode trampMode,
                                               const RulesSettings &rulesSettings)
{
    return createConfirmedResult(routines, trampMode, individualResultFor(routines, trampMode),
                                 synchronizedResultFor(routines, trampMode), rulesSettings);
}

ScoringResult RESTUtils::createPreliminaryResult(const Routines &routines, TrampMode trampMode,
                                                 const RulesSettings &rulesSettings)
{
    return createPreliminaryResult(routines, trampMode, individualResultFor(routines, trampMode),
                                   synchronizedResultFor(routines, trampMode), rulesSettings);
}

ScoringResult RESTUtils::createConfirmedResult(const wsDaten &store, const RulesSettings &rulesSettings)
{
    return createConfirmedResult(store.routines(), store.trampMode(), store.currentIndividualResult(),
                                 store.currentSynchronizedResult(), rulesSettings);
}

ScoringResult RESTUtils::createPreliminaryResult(const wsDaten &store, const RulesSettings &rulesSettings)
{
    return createPreliminaryResult(store.routines(), store.trampMode(), store.currentIndividualResult(),
                                   store.currentSynchronizedResult(), rulesSettings);
}

ScoringStateType RESTUtils::createScoringStateType(const QStateMachine &stateMachine)
{
    // The inner state of a top-level state that is not active reads as 0.
    return createScoringStateType(stateMachine.property("usbConnected").toBool(),
                                  stateMachine.property("connectedInnerState").toInt());
}

ScoringStateType RESTUtils::createScoringStateType(bool usbConnected, int connectedInnerState)
{
    if (!usbConnected)
        return ScoringStateType(ScoringStateType::Other);
    switch (connectedInnerState) {
    case OvraState::READY:
    case OvraState::TARA:
        return ScoringStateType(ScoringStateType::Ready);
    case OvraState::START:
        return ScoringStateType(ScoringStateType::Start);
    case OvraState::ROUTINE:
    case OvraState::CONTINUOUS:
        return ScoringStateType(ScoringStateType::Routine);
    case OvraState::REVIEW:
    case OvraState::CONNECTED_COMMIT:
    case OvraState::CONNECTED_DISMISS:
    case OvraState::LOAD:
    case OvraState::LOADING:
    case OvraState::PAUSE:
        return ScoringStateType(ScoringStateType::Review);
    default:
        return ScoringStateType(ScoringStateType::Other);
    }
}

void RESTUtils::sendResultsToScoringSystems(const QList<ScoringClient *> &clients,
                                            QList<ScoringClientFeedback> &feedback,
                                            const ScoringResult &result, bool reportFeedback)
{
    qInfo() << "Sending results to scoring systems.";
    feedback.clear();
    for (ScoringClient *client : clients) {
        if (!client->enabled())
            continue;
        client->sendResult(result, reportFeedback);
        feedback.append({client->id(), true, false});
    }
    qInfo() << "Sent results to" << feedback.size() << "scoring systems.";
}

void RESTUtils::sendStateToScoringSystems(const QList<ScoringClient *> &clients, const ScoringState &state)
{
    for (ScoringClient *client : clients) {
        if (client->enabled() && client->state())
            client->sendState(state);
    }
}

ScoringResult RESTUtils::createSampleResult()
{
    struct Element
    {
        double timeOfFlight;
        double horizontalDisplacement;
        int x;
        int y;
    };
    static constexpr Element kElements[] = {
        {1.735, 0.8, -98, 58}, {1.585, 1.0, -51, 8},  {1.57, 1.0, -8, -10}, {1.545, 0.8, 110, 3},
        {1.5, 1.0, 2, 6},      {1.5, 1.0, -38, 11},   {1.52, 1.0, -22, -2}, {1.52, 1.0, 43, 13},
        {1.505, 0.9, -85, 7},  {1.51, 1.0, -27, -36},
    };
    QList<ScoringIndividualResultElement> elements;
    for (const Element &e : kElements) {
        ScoringLandingPosition position;
        position.setX(e.x);
        position.setY(e.y);
        ScoringIndividualResultElement element;
        element.setTimeOfFlightInSeconds(e.timeOfFlight);
        element.setHorizontalDisplacement(e.horizontalDisplacement);
        element.setLandingPositionInCm(position);
        elements.append(element);
    }
    ScoringIndividualResult individual;
    individual.setStartPenalty(0.0);
    individual.setElementCount(10);
    individual.setTimeOfFlightInSeconds(15.49);
    individual.setHorizontalDisplacement(9.5);
    individual.setDelayBeforeStartInSeconds(19.9);
    individual.setMeta({{QStringLiteral("firstName"), QStringLiteral("Erika")},
                        {QStringLiteral("lastName"), QStringLiteral("Mustermann")},
                        {QStringLiteral("anyKey"), QStringLiteral("anyValue")}});
    individual.setElements(elements);

    ScoringResult result;
    result.setType(ScoringResultType(ScoringResultType::Individual));
    result.setMaturity(ScoringResultMaturity(ScoringResultMaturity::Confirmed));
    result.setIndividualResult(individual);
    return result;
}

bool RESTUtils::jsonToMeta(const QJsonObject &object, QMap<QString, QString> &meta, QString *error)
{
    meta.clear();
    const auto refuse = [&meta, error](const QString &why) {
        meta.clear();
        if (error)
            *error = why;
        return false;
    };
    if (object.size() > kMaxRoutineMetaEntries)
        return refuse(QStringLiteral("Too many meta entries"));
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (!it.value().isString())
            continue;
        const QString value = it.value().toString();
        if (it.key().size() > kMaxRoutineMetaText || value.size() > kMaxRoutineMetaText)
            return refuse(
                QStringLiteral("Meta entry too long: '%1' (at most %2 characters for a name and for a "
                               "value)")
                    .arg(it.key().left(40))
                    .arg(kMaxRoutineMetaText));
        meta.insert(it.key(), value);
    }
    return true;
}

double RESTUtils::roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // From 2^53 on a double has no fraction left to round, and scaling a
    // huge value would overflow to infinity, which JSON cannot hold.
    if (!std::isfinite(scaled) || std::abs(scaled) >= 9007199254740992.0)
        return value;
    return std::round(scaled) / scale;
}

int RESTUtils::roundToCentimetre(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    return static_cast<int>(std::clamp(std::round(value), kMin, kMax));
}

} // namespace ovra::util
