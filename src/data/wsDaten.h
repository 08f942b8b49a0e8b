#pragma once

#include "data/ActivityFilter.h"
#include "data/ContactDetector.h"
#include "data/DataEnums.h"
#include "data/Evaluation.h"
#include "data/Landing.h"
#include "data/LandingThresholds.h"
#include "data/RoutineResults.h"
#include "data/RoutineSnapshot.h"
#include "data/Routines.h"
#include "data/StartSelection.h"
#include "data/StoreTypes.h"
#include "data/TaraRecord.h"
#include "settings/SettingsTargets.h"
#include "util/WeightClasses.h"
#include "util/ZeroedBuffer.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// The measurement data store: takes in the force frames, keeps every sample
// of the current measurement in one large ring, removes the zero offsets,
// watches both beds for activity, chooses the trampoline mode, detects
// landings and keeps the routine under way. GUI thread only.
//
// Sample indexes are relative to the start of the measurement and keep
// counting past the ring's length: a long measurement (continuous training)
// keeps its time axis, and the ring then holds its newest kRingSamples
// samples. Everything the detection reads lies within that window.
class wsDaten : public QObject, public StoreSettingsTarget
{
    Q_OBJECT
public:
    static constexpr int kRingSamples = 1000800;
    static constexpr int kChannels = 8;
    static constexpr int kSamplesPerFrame = 3;
    static constexpr int kValuesPerFrame = kChannels * kSamplesPerFrame;
    static constexpr int kFramesPerBlock = 16;
    static constexpr int kBatchSlots = 64;
    static constexpr int kSamplesPerBlock = kFramesPerBlock * kSamplesPerFrame;
    static constexpr int kDetectedLandings = 500;
    static constexpr int kMinimumContactSamples = 50;
    static constexpr double kActivityLevel = 600.0;
    static constexpr qint64 kActivityWindowMs = 5000;

    using Sample = std::array<qint16, kChannels>;
    using FrameValues = std::array<qint16, kValuesPerFrame>;
    using LandingList = std::vector<data::model::Landing>;
    // Milliseconds of a monotonic clock; replaceable for tests.
    using Clock = std::function<qint64()>;

    enum class DetectedList : int {
        IndividualTrampoline1 = 0,
        IndividualTrampoline2 = 1,
        SynchronizedTrampoline1 = 2,
        SynchronizedTrampoline2 = 3,
    };

    // Trampoline selection codes.
    static constexpr int kSelectionNone = 0;
    static constexpr int kSelectionTrampoline1 = 1;
    static constexpr int kSelectionTrampoline2 = 4;
    static constexpr int kSelectionBoth = 5;
    static constexpr int kAutomaticSelectionIndex = 3;

    explicit wsDaten(QObject *parent = nullptr);
    ~wsDaten() override;

    // Frames and blocks ------------------------------------------------------

    // Appends the 24 values of one data frame; true when the batch now holds a
    // complete block of 16 frames.
    bool addFrame(const FrameValues &values);
    // The same from a 64-byte frame of the master box (values little-endian in
    // bytes 5 to 52). A shorter buffer is refused.
    bool addFrame(const char *frame, int size);
    int batchCount() const { return m_batchCount; }
    void setBatchCount(int count);

    // The store work of one complete block for the connected inner state; sets
    // the batch count back to 0. rule is the HD deduction rule.
    data::store::BlockWork handleBlock(data::store::InnerState state, int rule);
    data::store::BlockWork handleBlock(int innerState, int rule)
    {
        return handleBlock(static_cast<data::store::InnerState>(innerState), rule);
    }

    // Stores the 16 frames of the batch; with count false the measurement does
    // not grow (activity watch only).
    void processBlock(bool count);
    // Appends one sample to the measurement (data file loader).
    void appendSample(const Sample &sample);

    // The READY sensor check on the first sample of the current batch.
    data::store::SensorCheckResult checkSensors() const;

    // Samples and forces -----------------------------------------------------

    int sampleCount() const { return m_sampleCount; }
    int blockCount() const { return m_blockCount; }
    void setBlockCount(int count) { m_blockCount = count; }
    int writeIndex() const { return m_writeIndex; }
    int startIndex() const { return m_startIndex; }
    // Oldest sample still held by the ring.
    int firstAvailableSample() const;

    // Total force of trampoline t (0 or 1) at sample i, offsets in use removed.
    double totalForce(int t, int i) const;
    // Channel c at sample i, raw or with the offset in use removed.
    double channelValue(int c, int i, bool offsetsRemoved = false) const;
    qint16 rawValue(int c, int i) const;
    const Sample &sample(int i) const;

    // Activity and trampoline mode --------------------------------------------

    void updateAutomaticSelection();
    void applySelection();
    // Sets the selection code (1, 4 or 5) and applies it, leaving the
    // automatic watch and the operator's combo box choice as they are.
    void setTrampolineSelection(int code);
    void setTrampMode(data::model::TrampMode mode);
    data::model::TrampMode trampMode() const { return m_trampMode; }
    int trampolineSelection() const { return m_trampolineSelection; }
    bool automaticSelection() const { return m_automaticSelection; }
    // The operator's choice in the trampoline combo box (0: trampoline 1,
    // 1: trampoline 2, 2: both, 3: automatic). Returns whether a trampoline
    // was chosen by hand, which the operator warnings show.
    bool handleTrampolineSelection(int index);
    int trampolineSelectionIndex() const { return m_trampolineSelectionIndex; }
    bool activityBit(int t) const;
    // Trampoline t had activity within the last kActivityWindowMs.
    bool recentlyActive(int t) const;
    // In the synchronized mode, the one bed that is jumping while the other
    // is still (no pairs can form); -1 otherwise.
    int loneActiveBed() const;
    void setClock(Clock clock);

    // Contact thresholds and the automatic weight class ------------------------

    // The weight class combo box (0 to 3 fixed, 4 automatic): both contact
    // thresholds take the class's value and the automatic adaptation follows
    // the choice. Returns whether a fixed class was chosen, which the
    // operator warnings show.
    bool handleWeightClassSelection(int index);
    void setContactThresholds(double threshold);
    void setContactThreshold(int t, double threshold);
    void setAutomaticWeightClass(bool automatic) { m_automaticWeightClass = automatic; }
    bool automaticWeightClass() const { return m_automaticWeightClass; }
    // Adapts the thresholds to the newest landings (START, automatic class);
    // returns the class reached by the trampoline the label shows, 0 if that
    // one was not adapted.
    double adaptWeightClass();
    ContactDetector &contactDetector(int t);
    const ContactDetector &contactDetector(int t) const;
    data::model::LandingThresholds &landingThresholds() { return m_landingThresholds; }
    const data::model::LandingThresholds &landingThresholds() const { return m_landingThresholds; }

    // Measurement --------------------------------------------------------------

    void resetMeasurement();
    // The bed of an individual routine in the current mode (1 only in
    // Trampoline2).
    int individualTrampoline() const;
    data::model::Routines &routines() { return m_routines; }
    const data::model::Routines &routines() const { return m_routines; }

    // Bed geometry in millimetres: the working copy and the configured one.
    double bedLength() const { return m_bedLength; }
    double bedWidth() const { return m_bedWidth; }
    void setBedGeometry(double length, double width);
    double configuredBedLength() const { return m_bedLengthSaved; }
    double configuredBedWidth() const { return m_bedWidthSaved; }

    // Data files: the version of the format this program writes, the version
    // the last loaded file carried, and the name, date and time the writer
    // stamped on the last save.
    double formatNumber = 4.3;
    double loadedFormatNumber = 0.0;
    QString measurementName;
    QString measurementDate;
    QString measurementTime;

    // The choice in the database start list (event, competition, group and
    // the athlete picked there).
    StartSelection &startSelection() { return m_startSelection; }
    const StartSelection &startSelection() const { return m_startSelection; }

    // The start entry the routine on screen is stored under: the entry given
    // with its meta information (a database athlete with all its details)
    // as long as that meta is the routine's, otherwise the entry the meta
    // names (data::model::startSelectionOf). So the database row always
    // names whom the file and the scoring systems name.
    void setRoutineStartEntry(const StartSelection &entry);
    StartSelection routineStartEntry() const;

    // Tara ---------------------------------------------------------------------

    TaraRecord &taraRecord(int t);
    const TaraRecord &taraRecord(int t) const;
    void computeTara(TaraRecord &record);
    // First store step of the tara procedure: a new measurement begins.
    void beginTara();
    // Last store step: offsets of both trampolines from the samples recorded.
    void finishTara();
    void reZeroBeforeLanding(int t, int rawDataIndexLanding);
    // Live offsets set aside while a stored file is shown; once per display.
    void saveTaraForDisplay();
    bool restoreTaraAfterDisplay();
    bool taraSetAside() const { return m_taraSetAside; }

    // Landing detection ---------------------------------------------------------

    void detectLandings(DataUpdateReason reason, int rule);
    // Replays of stored samples (data files, stored measures, the recovery
    // ring) take the landings the live routine took. beginReplay keeps the
    // stored routine window before the first sample; followReplayedWindow
    // sets the routine recording for the measurement grown to count samples.
    void beginReplay();
    void followReplayedWindow(int count);
    const LandingList &detectedLandings(DetectedList list) const;
    // Landings in a trampoline's detected list, and how many dropped out of
    // an individual list at its front since the measurement began.
    int landingCount(int t) const;
    int droppedLandings(int t) const;

    void increaseLandingsInRoutine();
    void decreaseLandingsInRoutine();
    void moveRoutineLeft();
    void moveRoutineRight();

    // The routine's landings and window as they stand, kept when a review
    // begins so that the operator's edits can be undone in one step.
    using RoutineSnapshot = data::model::RoutineSnapshot;
    RoutineSnapshot routineSnapshot() const;
    // Puts the routine back as the snapshot holds it and shows it again;
    // false (nothing changed) for a snapshot of another trampoline mode.
    bool restoreRoutine(const RoutineSnapshot &snapshot);

    // Results --------------------------------------------------------------------

    void emitRoutineResult();
    data::model::IndividualRoutineResult currentIndividualResult() const;
    data::model::SynchronizedRoutineResult currentSynchronizedResult() const;

    // Drop test ----------------------------------------------------------------

    int dropStart() const { return m_dropStart; }
    int dropEnd() const { return m_dropEnd; }
    void prepareDropTest();
    data::store::DropTestResult runDropTest(int rule);

    // StoreSettingsTarget
    StoreSettings storeSettings() const override;
    void applyStoreSettings(const StoreSettings &settings) override;
    void rebuildBedGeometry(double trampLength, double trampWidth) override;

signals:
    void setExerciseStartTime(int startTime);
    void setExerciseEndTime(int endTime);
    void setExerciseStartTimeFix(int startTimeFix);
    void setExerciseEndTimeFix(int endTimeFix);
    void resetTrampoline1();
    void resetTrampoline2();
    void resetIndividualResultsTable();
    void resetSynchronizedResultsTable();
    void updateTrampMode(data::model::TrampMode trampMode);
    void updateLandingTrampoline1(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void updateLandingTrampoline2(std::size_t index, data::model::Landing landing, DataUpdateReason reason);
    void updateLandingSynchronizedRoutine(std::size_t index, data::model::Landing landingTrampoline1,
                                          data::model::Landing landingTrampoline2, DataUpdateReason reason);
    void updateResultIndividualRoutine(data::model::IndividualRoutineResult result, DataUpdateReason reason);
    void updateResultSynchronizedRoutine(data::model::SynchronizedRoutineResult result,
                                         DataUpdateReason reason);
    void approvedResultIndividualRoutine(data::model::IndividualRoutineResult result);
    void approvedResultSynchronizedRoutine(data::model::SynchronizedRoutineResult result);

private:
    int ringPosition(int i) const;
    // Total force of trampoline t in one stored sample, offsets in use removed.
    double forceOf(int t, const Sample &s) const
    {
        const auto &off = m_tara[static_cast<std::size_t>(t)].offsets;
        const std::size_t c0 = 4 * static_cast<std::size_t>(t);
        return (s[c0] - off[0]) + (s[c0 + 1] - off[1]) + (s[c0 + 2] - off[2]) + (s[c0 + 3] - off[3]);
    }
    void storeSample(const qint16 *values, bool count);
    void advanceSampleCount();
    void detectOnTrampoline(int t, DetectedList list, DataUpdateReason reason, int rule);
    void catchUpDetection(int t, DetectedList list, DataUpdateReason reason, int rule);
    enum class ContactEvaluation { Complete, Waiting, Impossible };
    bool scanBlock(int t);
    ContactEvaluation evaluateContact(int t, data::calc::ContactMeasurement &measurement) const;
    void evaluateReadyContact(int t, DetectedList list, DataUpdateReason reason, int rule);
    void addToIndividualRoutine(int t, const data::model::Landing &landing, DataUpdateReason reason);
    void addToSynchronizedRoutine(int t, const data::model::Landing &landing, DataUpdateReason reason);
    void closeRoutineWindow(int takeoffTime);
    void addToRoutine(int t, bool synchronized, const data::model::Landing &landing, DataUpdateReason reason);
    void replayToRoutine(int t, bool synchronized, const data::model::Landing &landing);
    data::model::Routines::LandingArray &individualArray(int t);
    int listPosition(int t, int landingNumber) const;
    bool readIndividualRoutine(int t, int firstPosition, int count);
    // Positions of a pair's landings in the synchronized lists of both beds.
    using PairPositions = std::array<int, 2>;
    // The pairs the detection forms from the landings at or after from, at
    // most limit of them: landings in the order of their detection, paired
    // by time.
    std::vector<PairPositions> timePairs(PairPositions from, int limit) const;
    PairPositions firstPairPositions() const;
    // The routine becomes count pairs formed from from, after skip pairs;
    // false (nothing changed) when there are not as many.
    bool readSynchronizedRoutine(PairPositions from, int skip, int count);
    void recomputeSynchronization();
    void republishIndividual(int t);
    void republishSynchronized();
    bool editsAllowed(bool inclusive) const;
    int firstLandingAtOrAfter(int t, const LandingList &list, int sample) const;
    bool holdsLanding(int t, const LandingList &list, int position) const;
    const data::model::Landing *previousLanding(int t) const;
    void appendDetected(int t, LandingList &list, const data::model::Landing &landing);
    data::model::IndividualRoutineResult individualResult(int t, quint64 n) const;

    ovra::util::ZeroedBuffer<Sample> m_sampleRing;
    StartSelection m_startSelection;
    StartSelection m_routineEntry;
    // The routine meta information m_routineEntry was given with.
    QMap<QString, QString> m_routineEntryMeta;
    bool m_hasRoutineEntry = false;
    std::array<FrameValues, kBatchSlots> m_frameBatch{};
    int m_batchCount = 0;
    int m_writeIndex = 0;
    int m_startIndex = 0;
    int m_sampleCount = 0;
    int m_blockCount = 0;
    bool m_sampleLimitLogged = false;

    std::array<TaraRecord, 2> m_tara;
    std::array<TaraRecord, 2> m_taraSaved;
    bool m_taraSetAside = false;

    ActivityFilter m_activityFilter;
    Clock m_clock;
    std::array<qint64, 2> m_lastActivityMs{};
    std::array<bool, 2> m_activityBit{};
    int m_trampolineSelection = kSelectionNone;
    int m_trampolineSelectionIndex = kAutomaticSelectionIndex;
    bool m_automaticSelection = true;
    data::model::TrampMode m_trampMode = data::model::TrampMode::Trampoline1;

    std::array<ContactDetector, 2> m_detectors;
    std::array<double, 2> m_minForceSum{{1000.0, 1000.0}};
    data::model::LandingThresholds m_landingThresholds;
    bool m_automaticWeightClass = false;
    std::array<ovra::util::AutomaticWeightClass, 2> m_automaticWeightClasses;

    std::array<LandingList, 4> m_detectedLandings;
    std::array<int, 2> m_landingCount{};
    std::array<int, 2> m_droppedLandings{};
    // The sample count up to which each bed was scanned in this measurement.
    std::array<int, 2> m_scannedThrough{};
    // The newest landing of each trampoline, whichever list took it.
    std::array<data::model::Landing, 2> m_lastLanding;

    double m_bedLength = 3650.0;
    double m_bedWidth = 2425.0;
    double m_bedLengthSaved = 3650.0;
    double m_bedWidthSaved = 2425.0;

    int m_dropStart = -1;
    int m_dropEnd = -1;

    data::model::Routines m_routines;

    struct PendingLanding
    {
        int trampoline = 0;
        bool synchronized = false;
        data::model::Landing landing;
    };
    // The routine window of the stored measurement being replayed. An end
    // that is not set (or the largest int, as the recovery gives it) is
    // open: the routine then ends where its tenth landing closes it.
    struct ReplayWindow
    {
        int start = -1;
        int end = -1;
        bool openEnd = true;
        bool closed = false;
        // The block in which the landing whose take-off is the stored end
        // was detected: the window was open until that block ended.
        int closingBlock = -1;
        // Landings detected after the stored end, held until the landing
        // whose take-off is that end shows that the window was still open.
        std::vector<PendingLanding> pending;
    };
    ReplayWindow m_replay;
};

// The sample accessors run for every sample a block scans: defined here so
// that the detection's loops inline them.
inline int wsDaten::ringPosition(int i) const
{
    int position = m_startIndex + i % kRingSamples;
    if (position >= kRingSamples)
        position -= kRingSamples;
    return position;
}

inline const wsDaten::Sample &wsDaten::sample(int i) const
{
    Q_ASSERT(i >= 0);
    if (i < 0)
        i = 0;
    return m_sampleRing[static_cast<std::size_t>(ringPosition(i))];
}

inline double wsDaten::totalForce(int t, int i) const
{
    Q_ASSERT(t == 0 || t == 1);
    if (t != 0 && t != 1)
        return 0.0;
    return forceOf(t, sample(i));
}

inline qint16 wsDaten::rawValue(int c, int i) const
{
    Q_ASSERT(c >= 0 && c < kChannels);
    if (c < 0 || c >= kChannels)
        return 0;
    return sample(i)[static_cast<std::size_t>(c)];
}
