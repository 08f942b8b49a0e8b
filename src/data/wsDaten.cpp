#include "data/wsDaten.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QtEndian>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

using data::model::TrampMode;

namespace {

// The sample counter stops short of overflowing a 32-bit index (about 24
// days at 1000 samples per second).
constexpr int kMaxSampleCount = INT_MAX - 4 * wsDaten::kRingSamples;

wsDaten::Clock defaultClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer]() { return timer->elapsed(); };
}

bool validTrampoline(int t)
{
    Q_ASSERT(t == 0 || t == 1);
    return t == 0 || t == 1;
}

} // namespace

wsDaten::wsDaten(QObject *parent)
    : QObject(parent)
    , m_sampleRing(kRingSamples)
    , m_clock(defaultClock())
{
    for (int t = 0; t < 2; ++t) {
        m_tara[static_cast<std::size_t>(t)].trampoline = t;
        m_tara[static_cast<std::size_t>(t)].channelOffset = 4 * t;
    }
    m_taraSaved = m_tara;
    for (auto &list : m_detectedLandings)
        list.assign(kDetectedLandings, data::model::Landing::zeroed());
}

wsDaten::~wsDaten() = default;

// Frames and blocks -----------------------------------------------------------

bool wsDaten::addFrame(const FrameValues &values)
{
    Q_ASSERT(m_batchCount >= 0 && m_batchCount < kBatchSlots);
    if (m_batchCount < 0 || m_batchCount >= kBatchSlots) {
        qWarning() << "Frame batch overrun, dropping" << m_batchCount << "frames";
        m_batchCount = 0;
    }
    m_frameBatch[static_cast<std::size_t>(m_batchCount)] = values;
    ++m_batchCount;
    return m_batchCount >= kFramesPerBlock;
}

bool wsDaten::addFrame(const char *frame, int size)
{
    constexpr int kFirstValueByte = 5;
    if (frame == nullptr || size < kFirstValueByte + 2 * kValuesPerFrame)
        return false;
    FrameValues values;
    for (int v = 0; v < kValuesPerFrame; ++v)
        values[static_cast<std::size_t>(v)] = qFromLittleEndian<qint16>(frame + kFirstValueByte + 2 * v);
    return addFrame(values);
}

void wsDaten::setBatchCount(int count)
{
    m_batchCount = std::clamp(count, 0, kFramesPerBlock);
}

data::store::BlockWork wsDaten::handleBlock(data::store::InnerState state, int rule)
{
    using data::store::InnerState;
    data::store::BlockWork work;
    // Only a complete block is worked on; the frames stay until it is.
    if (m_batchCount < kFramesPerBlock)
        return work;
    switch (state) {
    case InnerState::START:
    case InnerState::ROUTINE:
        processBlock(true);
        work.stored = work.counted = true;
        detectLandings(DataUpdateReason::Measurement, rule);
        if (state == InnerState::START) {
            if (m_automaticWeightClass)
                work.weightClassReached = adaptWeightClass();
            if (m_automaticSelection)
                updateAutomaticSelection();
        }
        break;
    case InnerState::CONTINUOUS:
        processBlock(true);
        work.stored = work.counted = true;
        detectLandings(DataUpdateReason::Measurement, rule);
        break;
    case InnerState::CONNECTED_DIAGNOSIS:
    case InnerState::TARA:
        processBlock(true);
        work.stored = work.counted = true;
        break;
    case InnerState::DROP_TEST:
        processBlock(true);
        work.stored = work.counted = true;
        work.dropTest = runDropTest(rule);
        break;
    case InnerState::READY:
    case InnerState::PAUSE:
        if (state == InnerState::READY) {
            work.sensorChecked = true;
            work.sensorCheck = checkSensors();
        }
        if (m_automaticSelection) {
            processBlock(false);
            work.stored = true;
            updateAutomaticSelection();
        }
        break;
    default:
        break;
    }
    m_batchCount = 0;
    return work;
}

void wsDaten::storeSample(const qint16 *values, bool count)
{
    // A counted sample continues the measurement right after its last
    // sample, so reads by index find it. Samples that only feed the activity
    // watch (READY, PAUSE) go to the part of the ring the measurement does
    // not hold, wrapping within it: however long the watch, Save as still
    // finds every sample it reports as held. A measurement that fills the
    // ring leaves no room, and the watch needs no stored samples.
    if (count) {
        m_writeIndex = ringPosition(m_sampleCount);
    } else {
        const int held = m_sampleCount - firstAvailableSample();
        if (held >= kRingSamples)
            return;
        if (held > 0 && m_writeIndex == m_startIndex)
            m_writeIndex = ringPosition(m_sampleCount);
    }
    std::memcpy(m_sampleRing[static_cast<std::size_t>(m_writeIndex)].data(), values, sizeof(Sample));
    if (++m_writeIndex >= kRingSamples)
        m_writeIndex = 0;
    if (count)
        advanceSampleCount();
}

void wsDaten::advanceSampleCount()
{
    if (m_sampleCount < kMaxSampleCount) {
        ++m_sampleCount;
        return;
    }
    // Keeping the ring and the counter in step matters more than the newest
    // samples here; the operator sees the message in the log.
    if (!m_sampleLimitLogged) {
        m_sampleLimitLogged = true;
        qWarning() << "Measurement reached its maximum length of" << kMaxSampleCount << "samples";
    }
    m_startIndex = m_startIndex + 1 >= kRingSamples ? 0 : m_startIndex + 1;
}

void wsDaten::processBlock(bool count)
{
    const int frames = std::min(m_batchCount, kFramesPerBlock);
    Q_ASSERT(frames == kFramesPerBlock);
    // Raw sums are exact in integers; the offsets are removed once per block.
    std::array<qint64, 2> rawSums{};
    for (int f = 0; f < frames; ++f) {
        const qint16 *frame = m_frameBatch[static_cast<std::size_t>(f)].data();
        for (int s = 0; s < kSamplesPerFrame; ++s) {
            const qint16 *v = frame + s * kChannels;
            rawSums[0] += v[0] + v[1] + v[2] + v[3];
            rawSums[1] += v[4] + v[5] + v[6] + v[7];
            storeSample(v, count);
        }
    }
    const int samples = frames * kSamplesPerFrame;
    std::array<double, 2> sums{};
    for (std::size_t t = 0; t < 2; ++t) {
        const auto &off = m_tara[t].offsets;
        sums[t] = static_cast<double>(rawSums[t]) - samples * (off[0] + off[1] + off[2] + off[3]);
    }
    m_blockCount = m_sampleCount;
    const qint64 now = m_clock();
    for (int t = 0; t < 2; ++t) {
        const double output =
            m_activityFilter.filter(t, sums[static_cast<std::size_t>(t)] / kSamplesPerBlock);
        if (output > kActivityLevel) {
            m_lastActivityMs[static_cast<std::size_t>(t)] = now;
            m_activityBit[static_cast<std::size_t>(t)] = true;
        }
    }
}

void wsDaten::appendSample(const Sample &sample)
{
    storeSample(sample.data(), true);
}

data::store::SensorCheckResult wsDaten::checkSensors() const
{
    data::store::SensorCheckResult result;
    const FrameValues &first = m_frameBatch[0];
    for (int c = 0; c < kChannels; ++c) {
        const qint16 value = first[static_cast<std::size_t>(c)];
        if (value == 0 || value == -1)
            result.sensorNotConnected = true;
        if (value < -1)
            result.unusualSensorData = true;
    }
    return result;
}

// Samples and forces -------------------------------------------------------------

int wsDaten::firstAvailableSample() const
{
    return std::max(0, m_sampleCount - kRingSamples);
}

double wsDaten::channelValue(int c, int i, bool offsetsRemoved) const
{
    const double raw = rawValue(c, i);
    if (!offsetsRemoved || c < 0 || c >= kChannels)
        return raw;
    return raw - m_tara[static_cast<std::size_t>(c / 4)].offsets[static_cast<std::size_t>(c % 4)];
}

// Activity and trampoline mode -----------------------------------------------------

bool wsDaten::activityBit(int t) const
{
    return validTrampoline(t) && m_activityBit[static_cast<std::size_t>(t)];
}

void wsDaten::setClock(Clock clock)
{
    Q_ASSERT(clock);
    if (clock)
        m_clock = std::move(clock);
}

bool wsDaten::recentlyActive(int t) const
{
    return activityBit(t) && m_clock() - m_lastActivityMs[static_cast<std::size_t>(t)] < kActivityWindowMs;
}

int wsDaten::loneActiveBed() const
{
    if (m_trampMode != TrampMode::Synchronized)
        return -1;
    const bool first = recentlyActive(0);
    const bool second = recentlyActive(1);
    return first == second ? -1 : (first ? 0 : 1);
}

void wsDaten::updateAutomaticSelection()
{
    int code = 0;
    if (recentlyActive(0))
        code += kSelectionTrampoline1;
    if (recentlyActive(1))
        code += kSelectionTrampoline2;
    if (code != 0 && code != m_trampolineSelection) {
        m_trampolineSelection = code;
        applySelection();
    }
}

void wsDaten::setTrampolineSelection(int code)
{
    m_trampolineSelection = code;
    applySelection();
}

void wsDaten::applySelection()
{
    switch (m_trampolineSelection) {
    case kSelectionTrampoline1:
        setTrampMode(TrampMode::Trampoline1);
        break;
    case kSelectionTrampoline2:
        setTrampMode(TrampMode::Trampoline2);
        break;
    case kSelectionBoth:
        setTrampMode(TrampMode::Synchronized);
        break;
    default:
        break;
    }
}

void wsDaten::setTrampMode(TrampMode mode)
{
    m_trampMode = mode;
    emit updateTrampMode(mode);
}

bool wsDaten::handleTrampolineSelection(int index)
{
    m_automaticSelection = false;
    bool byHand = true;
    switch (index) {
    case 0:
        m_trampolineSelection = kSelectionTrampoline1;
        qDebug() << "Selected trampoline #1";
        break;
    case 1:
        m_trampolineSelection = kSelectionTrampoline2;
        qDebug() << "Selected trampoline #2";
        break;
    case 2:
        m_trampolineSelection = kSelectionBoth;
        qDebug() << "Selected trampoline #1 and #2";
        break;
    case kAutomaticSelectionIndex:
        m_automaticSelection = true;
        byHand = false;
        qDebug() << "Selected automatic detection of trampoline";
        break;
    default:
        // An index the combo box does not have: keep the automatic watch so
        // the mode still follows the athletes.
        qWarning() << "Unknown trampoline selection" << index;
        m_automaticSelection = true;
        byHand = false;
        index = kAutomaticSelectionIndex;
        break;
    }
    m_trampolineSelectionIndex = index;
    applySelection();
    return byHand;
}

// Contact thresholds ----------------------------------------------------------------

bool wsDaten::handleWeightClassSelection(int index)
{
    setContactThresholds(ovra::util::WeightClasses::selectWeightClass(index));
    m_automaticWeightClass = index == ovra::util::WeightClasses::kAutomatic;
    for (auto &automatic : m_automaticWeightClasses)
        automatic.reset();
    return ovra::util::WeightClasses::isFixed(index);
}

void wsDaten::setContactThresholds(double threshold)
{
    setContactThreshold(0, threshold);
    setContactThreshold(1, threshold);
}

void wsDaten::setContactThreshold(int t, double threshold)
{
    if (validTrampoline(t))
        m_detectors[static_cast<std::size_t>(t)].contactThreshold = threshold;
}

ContactDetector &wsDaten::contactDetector(int t)
{
    return m_detectors[validTrampoline(t) ? static_cast<std::size_t>(t) : 0];
}

const ContactDetector &wsDaten::contactDetector(int t) const
{
    return m_detectors[validTrampoline(t) ? static_cast<std::size_t>(t) : 0];
}

// Start entry -------------------------------------------------------------------------

void wsDaten::setRoutineStartEntry(const StartSelection &entry)
{
    m_routineEntry = entry;
    m_routineEntryMeta = m_routines.routineMeta();
    m_hasRoutineEntry = true;
}

StartSelection wsDaten::routineStartEntry() const
{
    const QMap<QString, QString> &meta = m_routines.routineMeta();
    if (m_hasRoutineEntry && meta == m_routineEntryMeta)
        return m_routineEntry;
    return data::model::startSelectionOf(meta);
}

// Measurement ---------------------------------------------------------------------------

void wsDaten::resetMeasurement()
{
    m_sampleCount = 0;
    m_blockCount = 0;
    m_startIndex = m_writeIndex;
    m_batchCount = 0;
    m_sampleLimitLogged = false;

    m_routines.exerciseStart = -1;
    m_routines.exerciseEnd = -1;
    m_routines.exerciseStartFix = -1;
    m_routines.exerciseEndFix = -1;
    emit setExerciseStartTime(-1);
    emit setExerciseEndTime(-1);
    emit setExerciseStartTimeFix(-1);
    emit setExerciseEndTimeFix(-1);

    for (auto &detector : m_detectors)
        detector.clear();
    m_landingCount = {};
    m_droppedLandings = {};
    m_scannedThrough = {};
    m_lastLanding = {};
    for (auto &automatic : m_automaticWeightClasses)
        automatic.reset();
    m_routines.reset();
    m_replay = ReplayWindow();
    m_bedLength = m_bedLengthSaved;
    m_bedWidth = m_bedWidthSaved;
    for (auto &list : m_detectedLandings)
        std::fill(list.begin(), list.end(), data::model::Landing::zeroed());
    prepareDropTest();
}

void wsDaten::setBedGeometry(double length, double width)
{
    m_bedLength = length;
    m_bedWidth = width;
}

void wsDaten::rebuildBedGeometry(double trampLength, double trampWidth)
{
    m_bedLength = m_bedLengthSaved = trampLength;
    m_bedWidth = m_bedWidthSaved = trampWidth;
}

// Tara -----------------------------------------------------------------------------------

TaraRecord &wsDaten::taraRecord(int t)
{
    return m_tara[validTrampoline(t) ? static_cast<std::size_t>(t) : 0];
}

const TaraRecord &wsDaten::taraRecord(int t) const
{
    return m_tara[validTrampoline(t) ? static_cast<std::size_t>(t) : 0];
}

void wsDaten::computeTara(TaraRecord &record)
{
    qDebug() << "Computing tara values for trampoline #" << record.trampoline + 1;
    qDebug() << "Offset is" << record.channelOffset;
    std::array<double, 4> sums{};
    const int first = firstAvailableSample();
    for (int i = first; i < m_sampleCount; ++i) {
        const Sample &s = sample(i);
        for (int k = 0; k < 4; ++k)
            sums[static_cast<std::size_t>(k)] += s[static_cast<std::size_t>(record.channelOffset + k)];
    }
    // With no samples the means are 0/0, not a number, and stored as such:
    // every force of that trampoline then reads as not a number.
    const double n = m_sampleCount - first;
    std::array<double, 4> means{};
    for (std::size_t k = 0; k < 4; ++k)
        means[k] = n > 0 ? sums[k] / n : std::numeric_limits<double>::quiet_NaN();
    record.setBoth(means);
    qDebug().noquote() << "The resulting tara values are " + QString::number(means[0]) + ", " +
                              QString::number(means[1]) + ", " + QString::number(means[2]) + ", " +
                              QString::number(means[3]);
}

void wsDaten::beginTara()
{
    m_sampleCount = 0;
    m_blockCount = 0;
    m_startIndex = m_writeIndex;
    m_sampleLimitLogged = false;
}

void wsDaten::finishTara()
{
    computeTara(m_tara[0]);
    computeTara(m_tara[1]);
}

void wsDaten::reZeroBeforeLanding(int t, int rawDataIndexLanding)
{
    if (!validTrampoline(t) || rawDataIndexLanding <= 600)
        return;
    const int first = rawDataIndexLanding - 600;
    const int last = rawDataIndexLanding - 101;
    if (first < firstAvailableSample())
        return;
    TaraRecord &record = m_tara[static_cast<std::size_t>(t)];
    std::array<double, 4> sums{};
    for (int i = first; i <= last; ++i) {
        const Sample &s = sample(i);
        for (int k = 0; k < 4; ++k)
            sums[static_cast<std::size_t>(k)] += s[static_cast<std::size_t>(record.channelOffset + k)];
    }
    std::array<double, 4> means{};
    for (std::size_t k = 0; k < 4; ++k)
        means[k] = sums[k] / (last - first + 1);
    record.setBoth(means);
}

void wsDaten::saveTaraForDisplay()
{
    if (m_taraSetAside)
        return;
    m_taraSaved = m_tara;
    m_taraSetAside = true;
}

bool wsDaten::restoreTaraAfterDisplay()
{
    if (!m_taraSetAside)
        return false;
    m_tara = m_taraSaved;
    m_taraSetAside = false;
    return true;
}

// Settings ---------------------------------------------------------------------------------

StoreSettings wsDaten::storeSettings() const
{
    StoreSettings settings;
    settings.minForceSum1 = m_minForceSum[0];
    settings.minForceSum2 = m_minForceSum[1];
    settings.trampSelected = m_trampolineSelection;
    settings.trampSelectIndex = m_trampolineSelectionIndex;
    settings.thresholdTakeoff = m_landingThresholds.threshold_takeoff;
    settings.postTimeTakeoff = m_landingThresholds.postTime_takeoff;
    settings.thresholdLanding = m_landingThresholds.threshold_landing;
    settings.preTimeLanding = m_landingThresholds.preTime_landing;
    for (std::size_t c = 0; c < 8; ++c)
        settings.tara[c] = m_tara[c / 4].computedOffsets[c % 4];
    return settings;
}

void wsDaten::applyStoreSettings(const StoreSettings &settings)
{
    m_minForceSum = {settings.minForceSum1, settings.minForceSum2};
    for (std::size_t t = 0; t < 2; ++t) {
        m_detectors[t].contactThreshold = m_minForceSum[t];
        m_detectors[t].hysteresis = 0.02 * m_minForceSum[t];
    }
    m_trampolineSelection = settings.trampSelected;
    m_trampolineSelectionIndex = settings.trampSelectIndex;
    m_automaticSelection = settings.trampSelectIndex == kAutomaticSelectionIndex;
    m_landingThresholds.threshold_takeoff = settings.thresholdTakeoff;
    m_landingThresholds.postTime_takeoff = settings.postTimeTakeoff;
    m_landingThresholds.threshold_landing = settings.thresholdLanding;
    m_landingThresholds.preTime_landing = settings.preTimeLanding;
    // The loaded offsets are also the computed ones, so saving without a new
    // tara writes them back instead of zeros.
    for (std::size_t t = 0; t < 2; ++t)
        m_tara[t].setBoth({settings.tara[4 * t], settings.tara[4 * t + 1], settings.tara[4 * t + 2],
                           settings.tara[4 * t + 3]});
}
