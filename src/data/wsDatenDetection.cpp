// Landing detection, routine bookkeeping and the routine edits of the store.

#include "data/Evaluation.h"
#include "data/wsDaten.h"
#include "util/WeightClasses.h"

#include <QDebug>

#include <algorithm>
#include <limits>

using data::calc::ContactMeasurement;
using data::model::Landing;
using data::model::TrampMode;

namespace {

constexpr int kRoutineLimit = 10;
constexpr int kWindowMargin = 250;
constexpr int kEditMinimumSamples = 1000;
// A contact is evaluated once this many samples follow its maximum.
constexpr int kSamplesAfterMaximum = 56;

std::size_t idx(int i)
{
    return static_cast<std::size_t>(i);
}

} // namespace

const wsDaten::LandingList &wsDaten::detectedLandings(DetectedList list) const
{
    return m_detectedLandings[idx(static_cast<int>(list))];
}

int wsDaten::landingCount(int t) const
{
    return (t == 0 || t == 1) ? m_landingCount[idx(t)] : 0;
}

int wsDaten::droppedLandings(int t) const
{
    return (t == 0 || t == 1) ? m_droppedLandings[idx(t)] : 0;
}

void wsDaten::detectLandings(DataUpdateReason reason, int rule)
{
    switch (m_trampMode) {
    case TrampMode::Trampoline1:
        detectOnTrampoline(0, DetectedList::IndividualTrampoline1, reason, rule);
        break;
    case TrampMode::Trampoline2:
        detectOnTrampoline(1, DetectedList::IndividualTrampoline2, reason, rule);
        break;
    case TrampMode::Synchronized:
        detectOnTrampoline(0, DetectedList::SynchronizedTrampoline1, reason, rule);
        detectOnTrampoline(1, DetectedList::SynchronizedTrampoline2, reason, rule);
        break;
    }
}

bool wsDaten::scanBlock(int t)
{
    ContactDetector &d = m_detectors[idx(t)];
    const double on = d.contactThreshold + d.hysteresis;
    const double off = d.contactThreshold - d.hysteresis;
    const int first = m_sampleCount - kSamplesPerBlock;
    int position = ringPosition(first);
    for (int i = first; i < m_sampleCount; ++i, position = position + 1 < kRingSamples ? position + 1 : 0) {
        const double f = forceOf(t, m_sampleRing[static_cast<std::size_t>(position)]);
        if (!d.inContact) {
            if (f >= on) {
                d.contactStart = i;
                d.inContact = true;
                return false;
            }
        } else if (f < off) {
            d.contactEnd = i;
            d.inContact = false;
            if (d.contactEnd - d.contactStart > kMinimumContactSamples) {
                // A contact still waiting for its push-off gives way to the
                // newer one: the athlete has left the bed since.
                if (d.contactReady)
                    qDebug().noquote()
                        << QStringLiteral(
                               "Contact %1 to %2 on trampoline %3 replaced before it could be evaluated")
                               .arg(d.readyStart)
                               .arg(d.readyEnd)
                               .arg(t + 1);
                d.readyStart = d.contactStart;
                d.readyEnd = d.contactEnd;
                d.contactReady = true;
                return true;
            }
        }
    }
    return false;
}

wsDaten::ContactEvaluation wsDaten::evaluateContact(int t, ContactMeasurement &m) const
{
    const ContactDetector &d = m_detectors[idx(t)];
    const int oldest = firstAvailableSample();
    const int first = std::max(d.readyStart, oldest);
    m = ContactMeasurement();
    m.contactStart = d.readyStart;
    m.contactEnd = d.readyEnd;
    m.fmaxIndex = first;
    int position = ringPosition(first);
    for (int i = first; i <= d.readyEnd; ++i, position = position + 1 < kRingSamples ? position + 1 : 0) {
        const double f = forceOf(t, m_sampleRing[static_cast<std::size_t>(position)]);
        if (f > m.fmax) {
            m.fmax = f;
            m.fmaxIndex = i;
        }
    }
    const double landingThreshold = m_landingThresholds.threshold_landing / 100.0 * m.fmax;
    const double takeoffThreshold = m_landingThresholds.threshold_takeoff / 100.0 * m.fmax;
    const int middle = (d.readyStart + d.readyEnd) / 2;

    // Without a crossing the landing index is the oldest sample (0 unless the
    // measurement outgrew the ring).
    m.rawDataIndexLanding = oldest;
    for (int i = std::min(middle, m_sampleCount - 1); i >= oldest; --i) {
        if (totalForce(t, i) <= landingThreshold) {
            m.rawDataIndexLanding = i;
            break;
        }
    }
    m.rawDataIndexTakeoff = -1;
    for (int i = std::max(middle, oldest); i < m_sampleCount; ++i) {
        if (totalForce(t, i) <= takeoffThreshold) {
            m.rawDataIndexTakeoff = i;
            break;
        }
    }
    // The samples of a complete contact do not change, so a maximum at or
    // after the take-off crossing stays there: such a contact (a standing
    // athlete who then pushes off) is never evaluated.
    if (m.rawDataIndexTakeoff >= 0 && m.fmaxIndex >= m.rawDataIndexTakeoff)
        return ContactEvaluation::Impossible;
    // Wait for the whole push-off and the samples after the maximum.
    if (m.rawDataIndexTakeoff < 0 || m.fmaxIndex + kSamplesAfterMaximum > m_sampleCount)
        return ContactEvaluation::Waiting;
    return ContactEvaluation::Complete;
}

void wsDaten::detectOnTrampoline(int t, DetectedList listKind, DataUpdateReason reason, int rule)
{
    if (m_sampleCount < kSamplesPerBlock)
        return;
    catchUpDetection(t, listKind, reason, rule);
    m_scannedThrough[idx(t)] = m_sampleCount;
    // A contact still waiting for its push-off is tried again with the newest
    // block; the scan goes on meanwhile, so one contact that cannot be
    // evaluated never stops the detection on its bed.
    if (m_detectors[idx(t)].contactReady)
        evaluateReadyContact(t, listKind, reason, rule);
    if (scanBlock(t))
        evaluateReadyContact(t, listKind, reason, rule);
}

// A bed that joins a measurement under way (the automatic selection saw a
// second athlete start) is first scanned over the blocks it missed, block by
// block as a replay of the stored measurement scans it from its first
// sample: its first landing then has the flight time after its last
// take-off, and a contact under way at the switch keeps its true start.
void wsDaten::catchUpDetection(int t, DetectedList listKind, DataUpdateReason reason, int rule)
{
    const int newest = m_sampleCount;
    int end = m_scannedThrough[idx(t)] + kSamplesPerBlock;
    // A measurement that outgrew the ring no longer holds the missed blocks.
    if (end >= newest || firstAvailableSample() > 0)
        return;
    data::model::Routines &r = m_routines;
    const bool recording = r.routineRecording;
    for (; end < newest; end += kSamplesPerBlock) {
        m_sampleCount = end;
        // Blocks that ended before the routine began never join it.
        r.routineRecording = recording && end > r.exerciseStart;
        if (m_detectors[idx(t)].contactReady)
            evaluateReadyContact(t, listKind, reason, rule);
        if (scanBlock(t))
            evaluateReadyContact(t, listKind, reason, rule);
    }
    m_sampleCount = newest;
    r.routineRecording = recording;
}

void wsDaten::evaluateReadyContact(int t, DetectedList listKind, DataUpdateReason reason, int rule)
{
    ContactDetector &d = m_detectors[idx(t)];
    LandingList &list = m_detectedLandings[idx(static_cast<int>(listKind))];
    const bool synchronized = listKind == DetectedList::SynchronizedTrampoline1 ||
                              listKind == DetectedList::SynchronizedTrampoline2;

    int &count = m_landingCount[idx(t)];
    // A full synchronized list takes nothing more in this measurement.
    if (synchronized && count >= kDetectedLandings)
        return;

    ContactMeasurement m;
    switch (evaluateContact(t, m)) {
    case ContactEvaluation::Waiting:
        return;
    case ContactEvaluation::Impossible:
        qDebug().noquote()
            << QStringLiteral(
                   "Contact %1 to %2 on trampoline %3 dropped: its maximum lies after its take-off")
                   .arg(d.readyStart)
                   .arg(d.readyEnd)
                   .arg(t + 1);
        d.contactReady = false;
        return;
    case ContactEvaluation::Complete:
        break;
    }

    reZeroBeforeLanding(t, m.rawDataIndexLanding);
    const TaraRecord &tara = m_tara[idx(t)];
    data::calc::landingPosition([this](int c, int i) { return rawValue(c, i); },
                                static_cast<data::model::TrampNumber>(t), m.rawDataIndexLanding,
                                m.rawDataIndexTakeoff, tara.offsets,
                                data::calc::BedGeometry{m_bedLength, m_bedWidth}, m.position);

    if (count >= kDetectedLandings) {
        qDebug().noquote() << QStringLiteral("rollover landings on tramp %1").arg(t + 1);
        std::move(list.begin() + 1, list.end(), list.begin());
        list.back() = Landing::zeroed();
        --count;
        ++m_droppedLandings[idx(t)];
    }

    // Landing numbers keep counting through a rollover, so a number names one
    // landing for the whole measurement; its list position is the number minus
    // the landings dropped at the front.
    const Landing landing = data::calc::buildLanding(count + m_droppedLandings[idx(t)], m,
                                                     m_landingThresholds, rule, previousLanding(t));
    appendDetected(t, list, landing);
    d.contactReady = false;

    if (!m_routines.routineRecording)
        return;
    if (reason == DataUpdateReason::Replay)
        replayToRoutine(t, synchronized, landing);
    else
        addToRoutine(t, synchronized, landing, reason);
}

void wsDaten::addToRoutine(int t, bool synchronized, const Landing &landing, DataUpdateReason reason)
{
    if (synchronized)
        addToSynchronizedRoutine(t, landing, reason);
    else
        addToIndividualRoutine(t, landing, reason);
}

data::model::Routines::LandingArray &wsDaten::individualArray(int t)
{
    return t == 1 ? m_routines.individualLandingsTrampoline2 : m_routines.individualLandingsTrampoline1;
}

data::model::IndividualRoutineResult wsDaten::individualResult(int t, quint64 n) const
{
    const auto &array =
        t == 1 ? m_routines.individualLandingsTrampoline2 : m_routines.individualLandingsTrampoline1;
    return data::calc::evaluateIndividualRoutine(array, n, m_routines.shiftedLandings);
}

void wsDaten::closeRoutineWindow(int takeoffTime)
{
    m_replay.closed = true;
    m_routines.exerciseEnd = takeoffTime;
    m_routines.exerciseEndFix = takeoffTime;
    emit setExerciseEndTime(takeoffTime);
    emit setExerciseEndTimeFix(takeoffTime);
}

void wsDaten::addToIndividualRoutine(int t, const Landing &landing, DataUpdateReason reason)
{
    auto &array = individualArray(t);
    quint64 &n = m_routines.landingCount;
    const quint64 expected = static_cast<quint64>(
        std::clamp(m_routines.expectedLandingsPerRoutine, 1, data::model::Routines::kSlots));
    if (n >= expected) {
        std::move(array.begin() + 1, array.end(), array.begin());
        array.back() = Landing();
        n = std::min<quint64>(n, array.size()) - 1;
        emit m_routines.rolloverLandings(individualResult(t, n));
    }
    array[static_cast<std::size_t>(n)] = landing;
    ++n;
    const auto result = individualResult(t, n);
    if (reason == DataUpdateReason::Measurement || reason == DataUpdateReason::Replay) {
        if (t == 1)
            emit updateLandingTrampoline2(static_cast<std::size_t>(n - 1), landing, reason);
        else
            emit updateLandingTrampoline1(static_cast<std::size_t>(n - 1), landing, reason);
        emit updateResultIndividualRoutine(result, reason);
    }
    if (n == kRoutineLimit)
        closeRoutineWindow(landing.takeoffTime);
}

void wsDaten::addToSynchronizedRoutine(int t, const Landing &landing, DataUpdateReason reason)
{
    quint64 &pairs = m_routines.landingCount;
    if (pairs >= static_cast<quint64>(kRoutineLimit)) {
        qDebug().noquote()
            << QStringLiteral("we already have 10 landings on trampoline %1 - return").arg(t + 1);
        return;
    }
    auto &own =
        t == 1 ? m_routines.synchronizedLandingsTrampoline2 : m_routines.synchronizedLandingsTrampoline1;
    auto &other =
        t == 1 ? m_routines.synchronizedLandingsTrampoline1 : m_routines.synchronizedLandingsTrampoline2;
    quint64 &ownCount = t == 1 ? m_routines.synchronizedLandingCount2 : m_routines.synchronizedLandingCount1;
    quint64 &otherCount =
        t == 1 ? m_routines.synchronizedLandingCount1 : m_routines.synchronizedLandingCount2;
    const auto p = static_cast<std::size_t>(pairs);
    const auto unpaired = [](const Landing &left, int trampoline) {
        qDebug().noquote() << QStringLiteral("Landing %1 of trampoline %2 left without a partner")
                                  .arg(left.landingNumber)
                                  .arg(trampoline + 1);
    };

    // Pairs are formed by time, not by order: the newest landing of a bed
    // waits in the slot of the pair under way until the other bed lands
    // near it. A landing left without a partner (an extra bounce, or the
    // half of a pair whose other half came before the routine) stays out of
    // the pairs instead of shifting every later pair by one jump.
    const Landing *waiting = otherCount > pairs ? &other[p] : nullptr;
    switch (data::calc::pairingStep(waiting, landing)) {
    case data::calc::PairingStep::Passed:
        unpaired(landing, t);
        return;
    case data::calc::PairingStep::Waits:
        if (ownCount > pairs)
            unpaired(own[p], t);
        if (waiting) {
            unpaired(*waiting, 1 - t);
            other[p] = Landing();
            otherCount = pairs;
        }
        own[p] = landing;
        ownCount = pairs + 1;
        return;
    case data::calc::PairingStep::Paired:
        break;
    }
    own[p] = landing;
    ++pairs;
    ownCount = otherCount = pairs;
    auto &first = m_routines.synchronizedLandingsTrampoline1;
    auto &second = m_routines.synchronizedLandingsTrampoline2;
    data::calc::synchronizePair(first[p], second[p]);
    const auto result = data::calc::evaluateSynchronizedRoutine(m_routines, pairs);
    if (reason == DataUpdateReason::Measurement || reason == DataUpdateReason::Replay) {
        emit updateLandingSynchronizedRoutine(p, first[p], second[p], reason);
        emit updateResultSynchronizedRoutine(result, reason);
    }
    if (pairs == kRoutineLimit)
        closeRoutineWindow(landing.takeoffTime);
}

// The automatic weight class ----------------------------------------------------------

double wsDaten::adaptWeightClass()
{
    const bool synchronized = m_trampMode == TrampMode::Synchronized;
    const int labelTrampoline = m_trampMode == TrampMode::Trampoline2 ? 1 : 0;
    double reached = 0.0;
    for (int t = 0; t < 2; ++t) {
        const bool watched = synchronized || (t == 0 && m_trampMode == TrampMode::Trampoline1) ||
                             (t == 1 && m_trampMode == TrampMode::Trampoline2);
        if (!watched)
            continue;
        // Landings dropped from a full list count too, so a rolled-over list
        // still shows a change.
        const int total = m_landingCount[idx(t)] + m_droppedLandings[idx(t)];
        if (m_landingCount[idx(t)] == 0)
            continue;
        const DetectedList listKind =
            synchronized
                ? (t == 0 ? DetectedList::SynchronizedTrampoline1 : DetectedList::SynchronizedTrampoline2)
                : (t == 0 ? DetectedList::IndividualTrampoline1 : DetectedList::IndividualTrampoline2);
        const Landing &newest =
            m_detectedLandings[idx(static_cast<int>(listKind))][idx(m_landingCount[idx(t)] - 1)];
        const std::optional<double> threshold = m_automaticWeightClasses[idx(t)].adapt(total, newest.fmax);
        if (!threshold)
            continue;
        m_detectors[idx(t)].contactThreshold = *threshold;
        if (t == labelTrampoline)
            reached = *threshold;
    }
    return reached;
}

// Results -----------------------------------------------------------------------------------

void wsDaten::emitRoutineResult()
{
    emit resetIndividualResultsTable();
    if (m_trampMode == TrampMode::Synchronized)
        emit approvedResultSynchronizedRoutine(currentSynchronizedResult());
    else
        emit approvedResultIndividualRoutine(currentIndividualResult());
}

data::model::IndividualRoutineResult wsDaten::currentIndividualResult() const
{
    if (m_trampMode == TrampMode::Synchronized)
        return {};
    return individualResult(individualTrampoline(), m_routines.landingCount);
}

data::model::SynchronizedRoutineResult wsDaten::currentSynchronizedResult() const
{
    return data::calc::evaluateSynchronizedRoutine(m_routines, m_routines.landingCount);
}

int wsDaten::individualTrampoline() const
{
    return m_trampMode == TrampMode::Trampoline2 ? 1 : 0;
}

// Routine edits ------------------------------------------------------------------------------

bool wsDaten::editsAllowed(bool inclusive) const
{
    return inclusive ? m_sampleCount >= kEditMinimumSamples : m_sampleCount > kEditMinimumSamples;
}

int wsDaten::listPosition(int t, int landingNumber) const
{
    if (landingNumber < 0)
        return -1;
    const int position = landingNumber - m_droppedLandings[idx(t)];
    return position >= 0 && position < m_landingCount[idx(t)] ? position : -1;
}

const Landing *wsDaten::previousLanding(int t) const
{
    return m_landingCount[idx(t)] + m_droppedLandings[idx(t)] > 0 ? &m_lastLanding[idx(t)] : nullptr;
}

void wsDaten::appendDetected(int t, LandingList &list, const Landing &landing)
{
    int &count = m_landingCount[idx(t)];
    list[idx(count)] = landing;
    ++count;
    m_lastLanding[idx(t)] = landing;
}

// The count is shared by a trampoline's individual and synchronized list, so
// a mode change in the middle of a measurement leaves cleared records in the
// list that was not in use; a routine never takes those.
bool wsDaten::holdsLanding(int t, const LandingList &list, int position) const
{
    if (position < 0 || position >= m_landingCount[idx(t)])
        return false;
    const Landing &landing = list[idx(position)];
    return landing.landingNumber == position + m_droppedLandings[idx(t)] && landing.fmax > 0.0;
}

int wsDaten::firstLandingAtOrAfter(int t, const LandingList &list, int sampleIndex) const
{
    for (int k = 0; k < m_landingCount[idx(t)]; ++k)
        if (holdsLanding(t, list, k) && list[idx(k)].landingTime >= sampleIndex)
            return k;
    return -1;
}

bool wsDaten::readIndividualRoutine(int t, int firstPosition, int count)
{
    const LandingList &list = m_detectedLandings[idx(t)];
    if (firstPosition < 0 || count < 0 || count > data::model::Routines::kSlots ||
        firstPosition + count > m_landingCount[idx(t)])
        return false;
    for (int k = 0; k < count; ++k)
        if (!holdsLanding(t, list, firstPosition + k))
            return false;
    auto &array = individualArray(t);
    for (int k = 0; k < data::model::Routines::kSlots; ++k)
        array[idx(k)] = k < count ? list[idx(firstPosition + k)] : Landing();
    m_routines.landingCount = static_cast<quint64>(count);
    return true;
}

namespace {

// The block end at which the detection evaluated a landing: the first after
// its contact ended with enough samples after its maximum. Within one block
// trampoline 1 comes first.
int detectionBlockEnd(const Landing &landing)
{
    const int ready = std::max(landing.contactEnd + 1, landing.fmaxIndex + kSamplesAfterMaximum);
    return (ready + wsDaten::kSamplesPerBlock - 1) / wsDaten::kSamplesPerBlock * wsDaten::kSamplesPerBlock;
}

} // namespace

std::vector<wsDaten::PairPositions> wsDaten::timePairs(PairPositions from, int limit) const
{
    const std::array<const LandingList *, 2> lists{&detectedLandings(DetectedList::SynchronizedTrampoline1),
                                                   &detectedLandings(DetectedList::SynchronizedTrampoline2)};
    std::vector<PairPositions> pairs;
    PairPositions next = from;
    int waitingBed = -1;
    int waitingPosition = -1;
    while (static_cast<int>(pairs.size()) < limit) {
        std::array<const Landing *, 2> candidate{};
        for (int t = 0; t < 2; ++t) {
            int &k = next[idx(t)];
            k = std::max(k, 0);
            while (k < m_landingCount[idx(t)] && !holdsLanding(t, *lists[idx(t)], k))
                ++k;
            if (k < m_landingCount[idx(t)])
                candidate[idx(t)] = &(*lists[idx(t)])[idx(k)];
        }
        if (!candidate[0] && !candidate[1])
            break;
        // The landings are taken in the order the detection took them.
        const int t = !candidate[1] || (candidate[0] &&
                                        detectionBlockEnd(*candidate[0]) <= detectionBlockEnd(*candidate[1]))
                          ? 0
                          : 1;
        const Landing *waiting =
            waitingBed == 1 - t ? &(*lists[idx(waitingBed)])[idx(waitingPosition)] : nullptr;
        switch (data::calc::pairingStep(waiting, *candidate[idx(t)])) {
        case data::calc::PairingStep::Waits:
            waitingBed = t;
            waitingPosition = next[idx(t)];
            break;
        case data::calc::PairingStep::Paired:
            pairs.push_back(t == 0 ? PairPositions{next[0], waitingPosition}
                                   : PairPositions{waitingPosition, next[1]});
            waitingBed = -1;
            break;
        case data::calc::PairingStep::Passed:
            break;
        }
        ++next[idx(t)];
    }
    return pairs;
}

bool wsDaten::readSynchronizedRoutine(PairPositions from, int skip, int count)
{
    if (from[0] < 0 || from[1] < 0 || skip < 0 || count < 0 || count > kRoutineLimit)
        return false;
    const std::vector<PairPositions> pairs = timePairs(from, skip + count);
    if (static_cast<int>(pairs.size()) < skip + count)
        return false;
    const LandingList &list1 = detectedLandings(DetectedList::SynchronizedTrampoline1);
    const LandingList &list2 = detectedLandings(DetectedList::SynchronizedTrampoline2);
    for (int k = 0; k < data::model::Routines::kSlots; ++k) {
        const bool taken = k < count;
        const PairPositions pair = taken ? pairs[idx(skip + k)] : PairPositions{};
        m_routines.synchronizedLandingsTrampoline1[idx(k)] = taken ? list1[idx(pair[0])] : Landing();
        m_routines.synchronizedLandingsTrampoline2[idx(k)] = taken ? list2[idx(pair[1])] : Landing();
    }
    m_routines.landingCount = static_cast<quint64>(count);
    m_routines.synchronizedLandingCount1 = static_cast<quint64>(count);
    m_routines.synchronizedLandingCount2 = static_cast<quint64>(count);
    recomputeSynchronization();
    return true;
}

wsDaten::PairPositions wsDaten::firstPairPositions() const
{
    return {listPosition(0, m_routines.synchronizedLandingsTrampoline1[0].landingNumber),
            listPosition(1, m_routines.synchronizedLandingsTrampoline2[0].landingNumber)};
}

void wsDaten::recomputeSynchronization()
{
    data::calc::synchronizePairs(m_routines.synchronizedLandingsTrampoline1,
                                 m_routines.synchronizedLandingsTrampoline2,
                                 static_cast<std::size_t>(m_routines.landingCount));
}

void wsDaten::increaseLandingsInRoutine()
{
    if (!editsAllowed(false))
        return;
    const int n = static_cast<int>(m_routines.landingCount);
    if (n >= kRoutineLimit)
        return;
    if (m_trampMode == TrampMode::Synchronized) {
        // An empty routine starts with the first pair the detection forms
        // from its start on; a landing without a partner is passed by.
        PairPositions from = firstPairPositions();
        if (n == 0) {
            const int start = m_routines.exerciseStart;
            from = {firstLandingAtOrAfter(0, detectedLandings(DetectedList::SynchronizedTrampoline1), start),
                    firstLandingAtOrAfter(1, detectedLandings(DetectedList::SynchronizedTrampoline2), start)};
        }
        if (!readSynchronizedRoutine(from, 0, n + 1))
            return;
        republishSynchronized();
        return;
    }
    const int t = individualTrampoline();
    const LandingList &list = m_detectedLandings[idx(t)];
    const int first = n == 0 ? firstLandingAtOrAfter(t, list, m_routines.exerciseStart)
                             : listPosition(t, individualArray(t)[0].landingNumber);
    if (first < 0 || !readIndividualRoutine(t, first, n + 1))
        return;
    republishIndividual(t);
}

void wsDaten::decreaseLandingsInRoutine()
{
    const bool synchronized = m_trampMode == TrampMode::Synchronized;
    if (!editsAllowed(synchronized))
        return;
    const quint64 n = m_routines.landingCount;
    if (n == 0 || n > static_cast<quint64>(data::model::Routines::kSlots))
        return;
    const auto last = static_cast<std::size_t>(n - 1);
    if (synchronized) {
        if (m_routines.synchronizedLandingsTrampoline1[0].isEmpty() ||
            m_routines.synchronizedLandingsTrampoline2[0].isEmpty())
            return;
        m_routines.synchronizedLandingsTrampoline1[last] = Landing();
        m_routines.synchronizedLandingsTrampoline2[last] = Landing();
        m_routines.landingCount = n - 1;
        m_routines.synchronizedLandingCount1 = n - 1;
        m_routines.synchronizedLandingCount2 = n - 1;
        republishSynchronized();
        return;
    }
    const int t = individualTrampoline();
    auto &array = individualArray(t);
    if (array[0].isEmpty())
        return;
    array[last] = Landing();
    m_routines.landingCount = n - 1;
    republishIndividual(t);
}

void wsDaten::moveRoutineLeft()
{
    if (!editsAllowed(false))
        return;
    const int n = static_cast<int>(m_routines.landingCount);
    if (n == 0)
        return;
    if (m_trampMode == TrampMode::Synchronized) {
        // The pair before the first is the last one the detection forms,
        // from the start of the lists, of landings before it.
        const PairPositions first = firstPairPositions();
        if (first[0] < 0 || first[1] < 0)
            return;
        const std::vector<PairPositions> pairs = timePairs({0, 0}, std::numeric_limits<int>::max());
        const auto before = std::find_if(pairs.rbegin(), pairs.rend(), [&first](const PairPositions &pair) {
            return pair[0] < first[0] && pair[1] < first[1];
        });
        if (before == pairs.rend() || !readSynchronizedRoutine(*before, 0, n))
            return;
        m_routines.shiftedLandings -= 1;
        republishSynchronized();
        return;
    }
    const int t = individualTrampoline();
    const int number = individualArray(t)[0].landingNumber;
    // Landing 0 has no flight time and never starts a shifted routine.
    if (number <= 1)
        return;
    const int first = listPosition(t, number);
    if (first < 1 || !readIndividualRoutine(t, first - 1, n))
        return;
    m_routines.shiftedLandings -= 1;
    republishIndividual(t);
}

void wsDaten::moveRoutineRight()
{
    if (!editsAllowed(false))
        return;
    const int n = static_cast<int>(m_routines.landingCount);
    if (n == 0)
        return;
    if (m_trampMode == TrampMode::Synchronized) {
        if (!readSynchronizedRoutine(firstPairPositions(), 1, n))
            return;
        m_routines.shiftedLandings += 1;
        republishSynchronized();
        return;
    }
    const int t = individualTrampoline();
    const int first = listPosition(t, individualArray(t)[0].landingNumber);
    if (first < 0 || !readIndividualRoutine(t, first + 1, n))
        return;
    m_routines.shiftedLandings += 1;
    republishIndividual(t);
}

wsDaten::RoutineSnapshot wsDaten::routineSnapshot() const
{
    RoutineSnapshot s;
    s.individual1 = m_routines.individualLandingsTrampoline1;
    s.individual2 = m_routines.individualLandingsTrampoline2;
    s.synchronized1 = m_routines.synchronizedLandingsTrampoline1;
    s.synchronized2 = m_routines.synchronizedLandingsTrampoline2;
    s.landingCount = m_routines.landingCount;
    s.synchronizedLandingCount1 = m_routines.synchronizedLandingCount1;
    s.synchronizedLandingCount2 = m_routines.synchronizedLandingCount2;
    s.shiftedLandings = m_routines.shiftedLandings;
    s.exerciseStart = m_routines.exerciseStart;
    s.exerciseEnd = m_routines.exerciseEnd;
    s.trampMode = m_trampMode;
    return s;
}

bool wsDaten::restoreRoutine(const RoutineSnapshot &s)
{
    if (s.trampMode != m_trampMode)
        return false;
    m_routines.individualLandingsTrampoline1 = s.individual1;
    m_routines.individualLandingsTrampoline2 = s.individual2;
    m_routines.synchronizedLandingsTrampoline1 = s.synchronized1;
    m_routines.synchronizedLandingsTrampoline2 = s.synchronized2;
    m_routines.landingCount = s.landingCount;
    m_routines.synchronizedLandingCount1 = s.synchronizedLandingCount1;
    m_routines.synchronizedLandingCount2 = s.synchronizedLandingCount2;
    m_routines.shiftedLandings = s.shiftedLandings;
    if (m_trampMode == TrampMode::Synchronized)
        republishSynchronized();
    else
        republishIndividual(individualTrampoline());
    // The window as measured, not as the landings would place it.
    m_routines.exerciseStart = s.exerciseStart;
    m_routines.exerciseEnd = s.exerciseEnd;
    emit setExerciseStartTime(m_routines.exerciseStart);
    emit setExerciseEndTime(m_routines.exerciseEnd);
    return true;
}

void wsDaten::beginReplay()
{
    m_replay.start = m_routines.exerciseStart;
    m_replay.end = m_routines.exerciseEnd;
    m_replay.openEnd = m_replay.end < 0 || m_replay.end == std::numeric_limits<int>::max();
    m_replay.closed = false;
    m_replay.closingBlock = -1;
    m_replay.pending.clear();
}

void wsDaten::followReplayedWindow(int count)
{
    // Measured, the routine took the landings of the blocks after the one in
    // which it was started: the block that ends at the start was evaluated
    // before the routine began. A window may start at sample 0 (continuous
    // training, or an edit that moved the start to the first sample).
    if (m_replay.start >= 0)
        m_routines.routineRecording = m_replay.start < count;
}

// Measured, the routine took every landing detected while its recording
// ran: from the block after its start until the operator ended it (the
// stored end) or the tenth landing or pair closed it. A closed window ends
// at the closing landing's take-off, which may come before that landing and
// the other bed's landings of the same blocks were detected: those are held
// until the closing landing shows that the window was open until the end of
// its block. Nothing joins after the tenth, whatever end another writer
// stored.
void wsDaten::replayToRoutine(int t, bool synchronized, const Landing &landing)
{
    ReplayWindow &w = m_replay;
    if (w.closed)
        return;
    if (w.openEnd || m_sampleCount - 1 <= w.end || m_sampleCount == w.closingBlock) {
        addToRoutine(t, synchronized, landing, DataUpdateReason::Replay);
        return;
    }
    if (landing.takeoffTime != w.end) {
        // A window that is never closed this way holds a few landings at most.
        if (w.pending.size() < static_cast<std::size_t>(kDetectedLandings))
            w.pending.push_back({t, synchronized, landing});
        return;
    }
    w.closingBlock = m_sampleCount;
    for (const PendingLanding &p : w.pending)
        addToRoutine(p.trampoline, p.synchronized, p.landing, DataUpdateReason::Replay);
    w.pending.clear();
    if (!w.closed)
        addToRoutine(t, synchronized, landing, DataUpdateReason::Replay);
}

void wsDaten::republishIndividual(int t)
{
    if (t == 1)
        emit resetTrampoline2();
    else
        emit resetTrampoline1();
    const auto &array = individualArray(t);
    const auto n = static_cast<std::size_t>(m_routines.landingCount);
    for (std::size_t k = 0; k < n; ++k) {
        if (!data::calc::isCountedLanding(array[k]))
            continue;
        if (t == 1)
            emit updateLandingTrampoline2(k, array[k], DataUpdateReason::Edit);
        else
            emit updateLandingTrampoline1(k, array[k], DataUpdateReason::Edit);
    }
    emit updateResultIndividualRoutine(individualResult(t, n), DataUpdateReason::Edit);
    // An emptied routine keeps its start, so lengthening it again starts at
    // the same landing.
    if (n > 0)
        m_routines.exerciseStart = std::max(0, array[0].landingTime - kWindowMargin);
    emit setExerciseStartTime(m_routines.exerciseStart);
    const int end = n > 0 ? array[n - 1].takeoffTime + kWindowMargin : m_routines.exerciseStart;
    m_routines.exerciseEnd = std::min(end, m_blockCount - 1);
    emit setExerciseEndTime(m_routines.exerciseEnd);
}

void wsDaten::republishSynchronized()
{
    emit resetSynchronizedResultsTable();
    emit resetTrampoline1();
    emit resetTrampoline2();
    const auto &first = m_routines.synchronizedLandingsTrampoline1;
    const auto &second = m_routines.synchronizedLandingsTrampoline2;
    const auto n = static_cast<std::size_t>(m_routines.landingCount);
    for (std::size_t p = 0; p < n; ++p)
        emit updateLandingSynchronizedRoutine(p, first[p], second[p], DataUpdateReason::Edit);
    emit updateResultSynchronizedRoutine(currentSynchronizedResult(), DataUpdateReason::Edit);
    if (n > 0)
        m_routines.exerciseStart =
            std::max(0, std::min(first[0].landingTime, second[0].landingTime) - kWindowMargin);
    emit setExerciseStartTime(m_routines.exerciseStart);
    const int end = n > 0 ? std::max(first[n - 1].takeoffTime, second[n - 1].takeoffTime) + kWindowMargin
                          : m_routines.exerciseStart;
    m_routines.exerciseEnd = std::min(end, m_blockCount - 1);
    emit setExerciseEndTime(m_routines.exerciseEnd);
}

// Drop test ---------------------------------------------------------------------------------

void wsDaten::prepareDropTest()
{
    m_dropStart = -1;
    m_dropEnd = -1;
}

data::store::DropTestResult wsDaten::runDropTest(int rule)
{
    data::store::DropTestResult result;
    if (m_sampleCount < kSamplesPerBlock || m_trampMode != TrampMode::Trampoline1)
        return result;
    const double threshold = m_detectors[0].contactThreshold;
    for (int i = m_sampleCount - kSamplesPerBlock; i < m_sampleCount; ++i) {
        const double f = totalForce(0, i);
        if (m_dropStart < 0 && f > threshold)
            m_dropStart = m_sampleCount;
        if (m_dropStart > 0 && m_dropEnd < 0 && f < threshold)
            m_dropEnd = m_sampleCount;
    }
    if (m_dropStart < 1 || m_dropStart >= m_dropEnd || m_dropEnd + 100 >= m_sampleCount ||
        m_routines.landingCount > 0)
        return result;

    qDebug() << "DropTest";
    ContactMeasurement m;
    m.contactStart = m_dropStart;
    m.contactEnd = m_dropEnd;
    m.fmaxIndex = m_dropStart;
    for (int i = std::max(m_dropStart, firstAvailableSample()); i <= m_dropEnd; ++i) {
        const double f = totalForce(0, i);
        if (f > m.fmax) {
            m.fmax = f;
            m.fmaxIndex = i;
        }
    }
    qDebug().noquote() << "fmax =" << QString::number(m.fmax, 'f', 1) << "at" << m.fmaxIndex;
    const double landingThreshold = m_landingThresholds.threshold_landing / 100.0 * m.fmax;
    const double takeoffThreshold = m_landingThresholds.threshold_takeoff / 100.0 * m.fmax;
    qDebug().noquote() << "forceThreasholdLanding = " + QString::number(landingThreshold, 'f', 1) +
                              ", forceThreasholdTakeoff = " + QString::number(takeoffThreshold, 'f', 1);
    const int middle = (m_dropStart + m_dropEnd) / 2;
    m.rawDataIndexLanding = firstAvailableSample();
    for (int i = std::min(middle, m_sampleCount - 1); i >= firstAvailableSample(); --i) {
        if (totalForce(0, i) <= landingThreshold) {
            m.rawDataIndexLanding = i;
            break;
        }
    }
    m.rawDataIndexTakeoff = -1;
    for (int i = middle; i < m_sampleCount; ++i) {
        if (totalForce(0, i) <= takeoffThreshold) {
            m.rawDataIndexTakeoff = i;
            break;
        }
    }
    qDebug().noquote() << "rawDataIndexLanding = " + QString::number(m.rawDataIndexLanding) +
                              ", rawDataIndexTakeoff = " + QString::number(m.rawDataIndexTakeoff);
    if (m.fmaxIndex >= m.rawDataIndexTakeoff || m.rawDataIndexTakeoff >= m_sampleCount ||
        m.fmaxIndex + 55 >= m_sampleCount)
        return result;

    data::calc::landingPosition([this](int c, int i) { return rawValue(c, i); },
                                data::model::TrampNumber::Trampoline1, m.rawDataIndexLanding,
                                m.rawDataIndexTakeoff, m_tara[0].offsets,
                                data::calc::BedGeometry{m_bedLength, m_bedWidth}, m.position);
    qDebug().noquote() << "landingPosition = " + QString::number(m.position.x) + ", " +
                              QString::number(m.position.y);

    LandingList &list = m_detectedLandings[idx(static_cast<int>(DetectedList::IndividualTrampoline1))];
    int &count = m_landingCount[0];
    if (count >= kDetectedLandings) {
        qDebug().noquote() << "rollover landings on tramp 1";
        std::move(list.begin() + 1, list.end(), list.begin());
        list.back() = Landing::zeroed();
        --count;
        ++m_droppedLandings[0];
    }
    const Landing landing = data::calc::buildLanding(count + m_droppedLandings[0], m, m_landingThresholds,
                                                     rule, previousLanding(0));
    appendDetected(0, list, landing);

    auto &array = m_routines.individualLandingsTrampoline1;
    quint64 &n = m_routines.landingCount;
    const quint64 expected = static_cast<quint64>(
        std::clamp(m_routines.expectedLandingsPerRoutine, 1, data::model::Routines::kSlots));
    if (n >= expected) {
        std::move(array.begin() + 1, array.end(), array.begin());
        array.back() = Landing();
        --n;
    }
    array[static_cast<std::size_t>(n)] = landing;
    ++n;

    emit updateLandingTrampoline1(0, landing, DataUpdateReason::Measurement);
    m_routines.exerciseStart = 1;
    m_routines.exerciseEnd = landing.takeoffTime;
    emit setExerciseStartTime(m_routines.exerciseStart);
    emit setExerciseEndTime(m_routines.exerciseEnd);
    m_routines.setPenalty(0.0);
    m_routines.setRoutineStartTime(0.0);
    qDebug().noquote() << "DropTest: x = " + QString::number(m.position.x, 'f', 1) +
                              " y = " + QString::number(m.position.y, 'f', 1);
    result.evaluated = true;
    result.landing = landing;
    result.dropStart = m_dropStart;
    result.dropEnd = m_dropEnd;
    return result;
}
