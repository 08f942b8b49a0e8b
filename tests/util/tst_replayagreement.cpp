// Every path that shows a stored routine again takes the landings the rules
// give it: the first ten detected within its window, as the live routine
// took them. Hundreds of seeded routines from a generator of its own are
// measured live through the store, saved, shown again through the file, the
// temporary routine file, the database, the recovery ring, ovra-eval's code
// and the protocol export, and every one of them is compared with an
// expectation that a second, deliberately plain implementation of the rules
// computes inside this test from the samples alone. Stored windows are also
// rewritten as another writer or an edit by hand would leave them: opened
// before or inside the routine, ended before, at and long after the tenth
// landing, and changed by the review edits.

#include "AppStartup.h"
#include "data/MetaTypes.h"
#include "data/StoreFeeder.h"
#include "data/wsDaten.h"
#include "recovery/LastChanceRecovery.h"
#include "recovery/RoutineRecorder.h"
#include "settings/OvraSettings.h"
#include "statistics/CompetitionStatistics.h"
#include "statistics/ProtocolScan.h"
#include "support/TestSupport.h"
#include "usb/UsbFrame.h"
#include "util/FileUtils.h"
#include "wsdb.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

using data::model::Landing;
using data::model::TrampMode;
using ovra::util::FileUtils;
using namespace storetest;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr int kBlock = 48;
constexpr double kBase = 2560.0;
constexpr double kThreshold = 1000.0;
constexpr double kHysteresis = 20.0;
constexpr double kLength = 3650.0;
constexpr double kWidth = 2425.0;

// The rules, written out plainly ---------------------------------------------------------

struct Expected
{
    int bed = 0;
    int detectedAt = 0; // the block end at which the contact was evaluated
    int landingTime = 0;
    int takeoffTime = 0;
    int timeOfFlight = 0;
    double x = 0.0;
    double y = 0.0;
    double hd = 0.0;
    int zone = 0;
};

double deductionFor(int rule, double x, double y)
{
    const double ax = std::abs(x);
    const bool wide = std::abs(y) > 54.0;
    if (ax <= 54.0)
        return wide ? (rule ? 0.3 : 0.2) : 0.0;
    if (ax <= 107.5)
        return wide ? (rule ? 0.3 : 0.2) : 0.1;
    return wide ? (rule ? 0.5 : 0.3) : (rule ? 0.3 : 0.2);
}

int zoneFor(double x, double y)
{
    const int column = x < -107.5 ? 0 : x < -54.0 ? 1 : x <= 54.0 ? 2 : x <= 107.5 ? 3 : 4;
    static const int zones[3][5] = {{1, 2, 2, 2, 3}, {4, 5, 6, 7, 8}, {9, 10, 10, 10, 11}};
    const int row = y > 54.0 ? 0 : y >= -54.0 ? 1 : 2;
    return zones[row][column];
}

// Contact detection on one bed over the whole measurement, block by block,
// with the re-zero before every landing.
std::vector<Expected> detectAll(const std::vector<wsDaten::Sample> &samples, int bed, int rule)
{
    std::array<double, 4> offset{kBase, kBase, kBase, kBase};
    const auto raw = [&](int i, int s) { return double(samples[std::size_t(i)][std::size_t(bed * 4 + s)]); };
    const auto force = [&](int i) {
        double f = 0.0;
        for (int s = 0; s < 4; ++s)
            f += raw(i, s) - offset[std::size_t(s)];
        return f;
    };
    std::vector<Expected> found;
    bool inContact = false;
    bool ready = false;
    int start = 0;
    int end = 0;
    int readyStart = 0;
    int readyEnd = 0;
    int previousTakeoff = -1;
    const int n = int(samples.size());
    auto evaluate = [&](int count) {
        double fmax = 0.0;
        int fmaxIndex = readyStart;
        for (int i = readyStart; i <= readyEnd; ++i)
            if (force(i) > fmax) {
                fmax = force(i);
                fmaxIndex = i;
            }
        const int middle = (readyStart + readyEnd) / 2;
        int landing = 0;
        for (int i = std::min(middle, count - 1); i >= 0; --i)
            if (force(i) <= 0.5 * fmax) {
                landing = i;
                break;
            }
        int takeoff = -1;
        for (int i = middle; i < count; ++i)
            if (force(i) <= 0.5 * fmax) {
                takeoff = i;
                break;
            }
        if (takeoff >= 0 && fmaxIndex >= takeoff) {
            ready = false;
            return;
        }
        if (takeoff < 0 || fmaxIndex + 56 > count)
            return;
        if (landing > 600)
            for (int s = 0; s < 4; ++s) {
                double sum = 0.0;
                for (int i = landing - 600; i <= landing - 101; ++i)
                    sum += raw(i, s);
                offset[std::size_t(s)] = sum / 500.0;
            }
        std::array<double, 4> mean{};
        for (int i = landing; i <= takeoff; ++i)
            for (int s = 0; s < 4; ++s)
                mean[std::size_t(s)] += raw(i, s) - offset[std::size_t(s)];
        double total = 0.0;
        for (double &m : mean) {
            m /= double(takeoff - landing + 1);
            total += m;
        }
        Expected e;
        e.bed = bed;
        e.detectedAt = count;
        e.landingTime = landing - 75;
        e.takeoffTime = takeoff + 82;
        e.timeOfFlight = previousTakeoff < 0 ? 0 : std::abs(e.landingTime - previousTakeoff) / 5 * 5;
        if (total >= 500.0) {
            e.x = kLength * ((mean[2] + mean[3]) - (mean[0] + mean[1])) / total * 0.05;
            e.y = kWidth * ((mean[1] + mean[2]) - (mean[0] + mean[3])) / total * 0.05;
        }
        e.hd = deductionFor(rule, e.x, e.y);
        e.zone = zoneFor(e.x, e.y);
        previousTakeoff = e.takeoffTime;
        found.push_back(e);
        ready = false;
    };
    for (int count = kBlock; count <= n; count += kBlock) {
        if (ready)
            evaluate(count);
        for (int i = count - kBlock; i < count; ++i) {
            const double f = force(i);
            if (!inContact && f >= kThreshold + kHysteresis) {
                start = i;
                inContact = true;
                break;
            }
            if (inContact && f < kThreshold - kHysteresis) {
                end = i;
                inContact = false;
                if (end - start > 50) {
                    readyStart = start;
                    readyEnd = end;
                    ready = true;
                    evaluate(count);
                    break;
                }
            }
        }
    }
    return found;
}

// The routine a stored window holds: the landings detected in the blocks
// after its start up to its end, ten at most, or ten pairs by time for two
// beds. A window closed by its tenth landing or pair ends at that landing's
// take-off, and it was open until the block in which that landing was
// detected.
struct ExpectedRoutine
{
    std::vector<Expected> first; // the routine's landings, or bed 1's half of each pair
    std::vector<Expected> second;
};

int effectiveEnd(std::initializer_list<const std::vector<Expected> *> beds, int start, int end)
{
    int closing = end;
    for (const auto *bed : beds)
        for (const Expected &e : *bed)
            if (e.takeoffTime == end && e.detectedAt > start)
                closing = std::max(closing, e.detectedAt);
    return closing;
}

ExpectedRoutine expectedIndividual(const std::vector<Expected> &detected, int start, int end)
{
    ExpectedRoutine routine;
    const int last = effectiveEnd({&detected}, start, end);
    for (const Expected &e : detected)
        if (routine.first.size() < 10 && e.detectedAt > start && e.detectedAt <= last)
            routine.first.push_back(e);
    return routine;
}

ExpectedRoutine expectedPairs(const std::vector<Expected> &bed1, const std::vector<Expected> &bed2, int start,
                              int end)
{
    // Every landing of one bed has at most one partner within 600 ms on the
    // other (the generator keeps extra bounces far from the other bed), so
    // pairs follow from times alone.
    ExpectedRoutine routine;
    const int last = effectiveEnd({&bed1, &bed2}, start, end);
    const auto taken = [&](const Expected &e) { return e.detectedAt > start && e.detectedAt <= last; };
    for (const Expected &a : bed1) {
        for (const Expected &b : bed2) {
            if (routine.first.size() < 10 && std::abs(a.landingTime - b.landingTime) < 600 && taken(a) &&
                taken(b)) {
                routine.first.push_back(a);
                routine.second.push_back(b);
            }
        }
    }
    return routine;
}

// The generator -------------------------------------------------------------------------------

struct Scenario
{
    QString label;
    TrampMode mode = TrampMode::Trampoline1;
    BedSignal beds[2];
    int routineStart = 0; // block end at which the live routine begins
    int operatorEnd = 0;  // block end at which the operator ends it
    bool automatic = false;
    std::vector<int> windowEdges; // mid-flight samples usable as stored window edges
};

struct Generator
{
    std::mt19937 rng;
    explicit Generator(unsigned seed)
        : rng(seed)
    {}
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

    Contact contact(int touch)
    {
        return {touch, uniform(300, 480), real(2200.0, 6500.0), real(-135.0, 135.0), real(-80.0, 80.0)};
    }

    static int blockAfter(int sample) { return (sample / kBlock + 1) * kBlock; }

    Scenario make(int index)
    {
        Scenario s;
        const int kind = index % 4; // bed 1, bed 2, synchronized, synchronized after an automatic switch
        s.mode = kind == 0   ? TrampMode::Trampoline1
                 : kind == 1 ? TrampMode::Trampoline2
                             : TrampMode::Synchronized;
        s.automatic = kind == 3;
        // An automatic switch needs bed 1 alone for a while before bed 2
        // joins, still before the routine.
        const int runUp = s.automatic ? uniform(3, 5) : uniform(1, 4);
        const int after = uniform(0, 4);
        const int contacts = runUp + 10 + after;
        // Synchronized: sometimes an extra bounce of bed 2 in a long flight,
        // far from every landing of bed 1, or a bounce bed 2 leaves out.
        const bool synchronized = s.mode == TrampMode::Synchronized;
        const int extra = synchronized && uniform(0, 2) == 0 ? uniform(runUp + 1, runUp + 8) : -1;
        const int missing = synchronized && uniform(0, 2) == 0 ? uniform(runUp + 1, runUp + 8) : -1;
        int t = uniform(900, 1500);
        std::vector<int> touches;
        for (int k = 0; k < contacts; ++k) {
            touches.push_back(t);
            // After an automatic switch the routine begins after a long
            // flight in which the selection noticed the second athlete.
            const bool switching = s.automatic && k == runUp - 1;
            t += 480 + (k == extra || switching ? 2600 : uniform(850, 1700));
        }
        const int total = t + uniform(500, 3000);
        const int used = s.mode == TrampMode::Trampoline2 ? 1 : 0;
        for (int k = 0; k < contacts; ++k)
            s.beds[used].contacts.push_back(contact(touches[std::size_t(k)]));
        // Mid-flight samples: at least 300 after one contact's end and
        // before the next touch.
        for (int k = 0; k + 1 < contacts; ++k)
            s.windowEdges.push_back(touches[std::size_t(k)] + 480 + 350);
        if (s.mode == TrampMode::Synchronized) {
            // The partner lands up to 250 ms apart. Before an automatic
            // switch bed 2 bounces once alone, unnoticed by the selection
            // until its contact has ended.
            const int firstPartner = s.automatic ? runUp - 1 : 0;
            for (int k = firstPartner; k < contacts; ++k) {
                if (k == missing)
                    continue;
                Contact c = contact(touches[std::size_t(k)] + uniform(-250, 250));
                s.beds[1].contacts.push_back(c);
                if (k == extra && k + 1 < contacts) {
                    Contact bounce =
                        contact((c.touch + c.duration + touches[std::size_t(k + 1)] - 250) / 2 - 150);
                    bounce.duration = 300;
                    s.beds[1].contacts.push_back(bounce);
                }
            }
            // Mid-flight for both beds: an edge must clear the partner too.
            std::vector<int> edges;
            for (int edge : s.windowEdges) {
                bool clear = true;
                for (const Contact &c : s.beds[1].contacts)
                    clear = clear && (edge < c.touch - 100 || edge > c.touch + c.duration + 300);
                if (clear)
                    edges.push_back(edge);
            }
            s.windowEdges = edges;
        } else if (uniform(0, 2) == 0) {
            // Another athlete warms up on the bed that is not measured.
            const int other = 1 - used;
            for (int k = 0; k < contacts; k += 2)
                s.beds[other].contacts.push_back(contact(touches[std::size_t(k)] + 600));
        }
        for (auto &bed : s.beds)
            std::sort(bed.contacts.begin(), bed.contacts.end(),
                      [](const Contact &a, const Contact &b) { return a.touch < b.touch; });

        // The live routine begins in the flight before the first routine
        // element, or inside the routine; the operator ends it long after
        // the tenth landing or before it.
        const int startFlight = uniform(0, 4) == 0 ? runUp + uniform(0, 2) : runUp - 1;
        s.routineStart = blockAfter(touches[std::size_t(startFlight)] + 480 + (s.automatic ? 1600 : 300));
        const bool early = uniform(0, 3) == 0;
        const int endContact = early ? std::min(startFlight + uniform(3, 8), contacts - 1) : contacts - 1;
        s.operatorEnd = early ? blockAfter(touches[std::size_t(endContact)] + 480 + 300) : blockAfter(total);
        s.label = QStringLiteral("routine %1 (%2, run-up %3, start after contact %4, %5)")
                      .arg(index)
                      .arg(int(s.mode))
                      .arg(runUp)
                      .arg(startFlight)
                      .arg(early ? QStringLiteral("ended early") : QStringLiteral("ended by the tenth"));
        return s;
    }
};

// Comparing -------------------------------------------------------------------------------------

QString compareLanding(const Landing &got, const Expected &want, const QString &where)
{
    if (got.landingTime != want.landingTime || got.takeoffTime != want.takeoffTime ||
        got.timeOfFlight != want.timeOfFlight || got.landingZone != want.zone ||
        std::abs(got.hdDeduction - want.hd) > 1e-9 || std::abs(got.landingPosition.x - want.x) > 1e-6 ||
        std::abs(got.landingPosition.y - want.y) > 1e-6)
        return QStringLiteral(
                   "%1: landing %2-%3 flight %4 at (%5, %6) zone %7 hd %8; expected %9-%10 flight %11 at "
                   "(%12, %13) zone %14 hd %15")
            .arg(where)
            .arg(got.landingTime)
            .arg(got.takeoffTime)
            .arg(got.timeOfFlight)
            .arg(got.landingPosition.x)
            .arg(got.landingPosition.y)
            .arg(got.landingZone)
            .arg(got.hdDeduction)
            .arg(want.landingTime)
            .arg(want.takeoffTime)
            .arg(want.timeOfFlight)
            .arg(want.x)
            .arg(want.y)
            .arg(want.zone)
            .arg(want.hd);
    return QString();
}

// The routine in the store against the expectation, with its result.
QString compareRoutine(const wsDaten &store, TrampMode mode, const ExpectedRoutine &want, const QString &path)
{
    const auto &r = store.routines();
    if (store.trampMode() != mode)
        return path + QStringLiteral(": mode %1").arg(int(store.trampMode()));
    if (r.landingCount != want.first.size())
        return path + QStringLiteral(": %1 elements, expected %2").arg(r.landingCount).arg(want.first.size());
    if (mode == TrampMode::Synchronized) {
        double syn = 0.0;
        bool synchronous = true;
        for (std::size_t k = 0; k < want.first.size(); ++k) {
            QString d = compareLanding(r.synchronizedLandingsTrampoline1[k], want.first[k],
                                       path + QStringLiteral(" pair %1 bed 1").arg(k + 1));
            if (d.isEmpty())
                d = compareLanding(r.synchronizedLandingsTrampoline2[k], want.second[k],
                                   path + QStringLiteral(" pair %1 bed 2").arg(k + 1));
            if (!d.isEmpty())
                return d;
            const int apart = std::abs(want.first[k].landingTime - want.second[k].landingTime) / 5 * 5;
            synchronous = synchronous && apart < 400;
            if (synchronous)
                syn += 1.0 - std::min(1.0, (apart / 4) * 0.01);
        }
        const double got = store.currentSynchronizedResult().synchronizedScore;
        if (std::abs(got - syn) > 1e-9)
            return path + QStringLiteral(": synchronisation score %1, expected %2").arg(got).arg(syn);
        return QString();
    }
    const auto &landings =
        mode == TrampMode::Trampoline2 ? r.individualLandingsTrampoline2 : r.individualLandingsTrampoline1;
    long flight = 0;
    double hd = 0.0;
    for (std::size_t k = 0; k < want.first.size(); ++k) {
        const QString d =
            compareLanding(landings[k], want.first[k], path + QStringLiteral(" element %1").arg(k + 1));
        if (!d.isEmpty())
            return d;
        if (want.first[k].timeOfFlight > 4) {
            flight += want.first[k].timeOfFlight;
            hd += 1.0 - want.first[k].hd;
        }
    }
    const auto result = store.currentIndividualResult();
    if (std::abs(result.timeOfFlight - double(flight / 10 * 10) * 0.001) > 1e-9 ||
        std::abs(result.horizontalDisplacement - hd) > 1e-9)
        return path + QStringLiteral(": result %1 s, HD %2; expected %3 s, HD %4")
                          .arg(result.timeOfFlight)
                          .arg(result.horizontalDisplacement)
                          .arg(double(flight / 10 * 10) * 0.001)
                          .arg(hd);
    return QString();
}

// The paths that show a stored routine again --------------------------------------------------

void replaceWindowLine(const QString &path, int start, int end)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    const qsizetype at = text.indexOf("\n-0.004\t") + 1;
    QVERIFY(at > 0);
    const qsizetype lineEnd = text.indexOf('\n', at);
    text.replace(at, lineEnd - at, "-0.004\t" + QByteArray::number(start) + '\t' + QByteArray::number(end));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

bool loadFile(const QString &path, wsDaten &store)
{
    std::function<void()> reset = [&store]() { FileUtils::resetMeasurementForLoad(store); };
    return FileUtils::loadDataFile(FileUtils::loadBasePath(path), nullptr, store, nullptr, reset);
}

QByteArray frameOf(const std::vector<wsDaten::Sample> &samples, std::size_t first)
{
    QByteArray frame(int(UsbFrame::kSize), '\0');
    frame[0] = char(0xC7);
    frame[1] = char(0xC3);
    frame[2] = '1';
    for (std::size_t s = 0; s < 3; ++s)
        std::memcpy(frame.data() + 5 + s * 16, samples[first + s].data(), 16);
    return frame;
}

} // namespace

class TestReplayAgreement : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<OvraSettings> m_settings;

private slots:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        QVERIFY(m_dir.isValid());
        m_settings = std::make_unique<OvraSettings>(OvraSettings::Targets{}, ovra::startup::logHandler());
    }

    void everyPathTakesTheFirstTenLandingsOfItsWindow()
    {
        // Under the sanitizers (an unoptimised build) a fifth of them checks
        // the same paths for memory errors.
        constexpr int kRoutines = kSanitized ? 48 : 240;
        // OVRA_REPLAY_SEED explores other routines than the suite's.
        const char *seed = "OVRA_REPLAY_SEED";
        Generator generator(qEnvironmentVariableIsSet(seed) ? qEnvironmentVariableIntValue(seed) : 20261210);
        LastChanceRecovery ring;
        QStringList failures;
        int checked = 0;
        for (int index = 0; index < kRoutines && failures.size() < 5; ++index) {
            const Scenario s = generator.make(index);
            const auto fail = [&](const QString &what) {
                if (!what.isEmpty())
                    failures << s.label + QStringLiteral(": ") + what;
                return !what.isEmpty();
            };

            // Live: START, then ROUTINE from its first block, the window
            // closed by the tenth landing or by the operator.
            wsDaten live;
            for (int t = 0; t < 2; ++t)
                live.taraRecord(t).setBoth({kBase, kBase, kBase, kBase});
            live.handleTrampolineSelection(s.automatic                        ? 3
                                           : s.mode == TrampMode::Trampoline1 ? 0
                                           : s.mode == TrampMode::Trampoline2 ? 1
                                                                              : 2);
            Feeder feed(live, [&s](int i) { return makeSample(s.beds[0], s.beds[1], i); });
            feed.until(s.routineStart, InnerState::START);
            auto &r = live.routines();
            r.exerciseStart = r.exerciseStartFix = live.sampleCount();
            r.routineRecording = true;
            while (feed.next < s.operatorEnd) {
                feed.block(InnerState::ROUTINE);
                if (r.routineRecording && r.exerciseStart < r.exerciseEnd)
                    r.routineRecording = false;
            }
            if (r.routineRecording) {
                r.routineRecording = false;
                r.exerciseEnd = r.exerciseEndFix = live.sampleCount();
            }
            if (fail(live.trampMode() == s.mode
                         ? QString()
                         : QStringLiteral("the live mode is %1").arg(int(live.trampMode()))))
                continue;

            std::vector<wsDaten::Sample> samples;
            for (int i = 0; i < live.sampleCount(); ++i)
                samples.push_back(live.sample(i));
            std::vector<Expected> detected[2];
            for (int t = 0; t < 2; ++t)
                detected[t] = detectAll(samples, t, 0);
            const auto expect = [&](int start, int end) {
                if (s.mode == TrampMode::Synchronized)
                    return expectedPairs(detected[0], detected[1], start, end);
                return expectedIndividual(detected[s.mode == TrampMode::Trampoline2 ? 1 : 0], start, end);
            };
            const ExpectedRoutine measured = expect(r.exerciseStart, r.exerciseEnd);
            if (fail(compareRoutine(live, s.mode, measured, QStringLiteral("live"))))
                continue;

            // The file and the temporary routine file, written by the program.
            const QString file = m_dir.filePath(QStringLiteral("routine%1.dat").arg(index));
            if (fail(FileUtils::saveFile(true, file, nullptr, live, nullptr, nullptr)
                         ? QStringLiteral("not saved")
                         : QString()))
                continue;
            wsDaten shown;
            if (fail(loadFile(file, shown) ? compareRoutine(shown, s.mode, measured, QStringLiteral("file"))
                                           : QStringLiteral("file not read"))) {
                continue;
            }

            // The protocol export reads the positions the writer wrote; an
            // individual routine that ended early gains the landing after it.
            CompetitionStatistics statistics;
            ovra::statistics::scanProtocolFile(file, statistics);
            const auto &positions = s.mode == TrampMode::Trampoline2 ? statistics.trampTwoLandings()
                                                                     : statistics.trampOneLandings();
            std::vector<Expected> landed = measured.first;
            if (s.mode != TrampMode::Synchronized && !landed.empty() && landed.size() < 10) {
                const auto &all = detected[s.mode == TrampMode::Trampoline2 ? 1 : 0];
                const auto last = std::find_if(all.begin(), all.end(), [&](const Expected &e) {
                    return e.landingTime == landed.back().landingTime;
                });
                if (last != all.end() && last + 1 != all.end())
                    landed.push_back(*(last + 1));
            }
            QString protocol;
            if (positions.size() != qsizetype(landed.size()))
                protocol = QStringLiteral("protocol: %1 landings, expected %2")
                               .arg(positions.size())
                               .arg(landed.size());
            for (qsizetype k = 0; protocol.isEmpty() && k < positions.size(); ++k)
                if (positions[k].x != std::lround(landed[std::size_t(k)].x) ||
                    positions[k].y != std::lround(landed[std::size_t(k)].y))
                    protocol = QStringLiteral("protocol: landing %1 at (%2, %3)")
                                   .arg(k + 1)
                                   .arg(positions[k].x)
                                   .arg(positions[k].y);
            if (fail(protocol))
                continue;

            if (index % 6 == 0) {
                // The temporary routine file and the database form, as the
                // window writes them, shown again.
                RoutineRecorder recorder(*m_settings, live);
                recorder.setTemporaryDirectory(m_dir.path());
                wsDaten fromTemporary;
                if (fail(recorder.saveRoutineResultsToTempFile() &&
                                 loadFile(recorder.temporaryRoutineFilePath(), fromTemporary)
                             ? compareRoutine(fromTemporary, s.mode, measured,
                                              QStringLiteral("temporary file"))
                             : QStringLiteral("temporary file not written or read")))
                    continue;
                wsdb database(live);
                recorder.setDatabase(&database);
                const QString dbPath = m_dir.filePath(QStringLiteral("competition%1.db").arg(index));
                QStringList fields;
                QString header;
                std::vector<wsDaten::Sample> stored;
                wsDaten fromDatabase;
                if (fail(database.openDatabase(dbPath) && database.createTables(QStringLiteral("main")) &&
                                 !recorder.saveMeasurement(QString(), false) &&
                                 database.readMeasure(live.measurementName, fields, header, stored)
                             ? QString()
                             : QStringLiteral("not stored in the database")))
                    continue;
                FileUtils::resetMeasurementForLoad(fromDatabase);
                QString refusal;
                if (fail(FileUtils::replayStoredMeasure(header, stored, m_settings.get(), fromDatabase,
                                                        nullptr, &refusal)
                             ? compareRoutine(fromDatabase, s.mode, measured, QStringLiteral("database"))
                             : QStringLiteral("database measure refused: ") + refusal))
                    continue;

                // The recovery ring, from the routine's start with no end.
                for (std::size_t i = 0; i + 3 <= samples.size(); i += 3)
                    ring.storeFrame(reinterpret_cast<const uchar *>(frameOf(samples, i).constData()));
                const int held = int(samples.size()) / 3 * 3;
                const int from = LastChanceRecovery::kCapacity - held;
                wsDaten recovered;
                for (int t = 0; t < 2; ++t)
                    recovered.taraRecord(t).setBoth({kBase, kBase, kBase, kBase});
                RoutineRecorder::replay(
                    recovered, ring,
                    {int(s.mode), from, LastChanceRecovery::kCapacity, from + r.exerciseStart}, 0, nullptr);
                if (fail(compareRoutine(recovered, s.mode,
                                        expect(r.exerciseStart, std::numeric_limits<int>::max()),
                                        QStringLiteral("recovery"))))
                    continue;
            }

            // The same samples with a window another writer or an edit by
            // hand left: opened at another flight, ended at another flight,
            // at the tenth landing's take-off or at the last sample.
            if (s.windowEdges.size() >= 2) {
                const auto pick = [&](int lo) {
                    std::vector<int> edges;
                    for (int e : s.windowEdges)
                        if (e > lo && e < live.sampleCount())
                            edges.push_back(e);
                    return edges.empty() ? -1
                                         : edges[std::size_t(generator.uniform(0, int(edges.size()) - 1))];
                };
                const int start = generator.uniform(0, 5) == 0 ? 0 : pick(-1);
                int end = -1;
                switch (generator.uniform(0, 2)) {
                case 0:
                    end = pick(start);
                    break;
                case 1: {
                    const ExpectedRoutine open = expect(start, std::numeric_limits<int>::max());
                    if (!open.first.empty())
                        end = open.first.back().takeoffTime;
                    break;
                }
                default:
                    end = live.sampleCount() - 1;
                }
                if (start >= 0 && end > start) {
                    const QString rewritten = m_dir.filePath(QStringLiteral("rewritten%1.dat").arg(index));
                    QFile::copy(file, rewritten);
                    replaceWindowLine(rewritten, start, end);
                    wsDaten again;
                    if (fail(loadFile(rewritten, again)
                                 ? compareRoutine(again, s.mode, expect(start, end),
                                                  QStringLiteral("window %1 to %2").arg(start).arg(end))
                                 : QStringLiteral("rewritten file not read")))
                        continue;
                }
            }

            // Review edits on the live routine; what the program saves then
            // is shown again as the edited routine, and holds exactly the
            // landings the edited window holds.
            for (int e = generator.uniform(1, 4); e > 0; --e) {
                switch (generator.uniform(0, 3)) {
                case 0:
                    live.increaseLandingsInRoutine();
                    break;
                case 1:
                    live.decreaseLandingsInRoutine();
                    break;
                case 2:
                    live.moveRoutineLeft();
                    break;
                default:
                    live.moveRoutineRight();
                }
            }
            if (r.landingCount > 0) {
                const QString edited = m_dir.filePath(QStringLiteral("edited%1.dat").arg(index));
                wsDaten again;
                if (fail(!FileUtils::saveFile(true, edited, nullptr, live, nullptr, nullptr) &&
                                 loadFile(edited, again)
                             ? compareRoutine(again, s.mode, expect(r.exerciseStart, r.exerciseEnd),
                                              QStringLiteral("edited to %1 to %2")
                                                  .arg(r.exerciseStart)
                                                  .arg(r.exerciseEnd))
                             : QStringLiteral("edited routine not saved or read")))
                    continue;
            }
            QFile::remove(file);
            ++checked;
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QCOMPARE(checked, kRoutines);
    }
};

OVRA_TEST_CORE_MAIN(TestReplayAgreement)
#include "tst_replayagreement.moc"
