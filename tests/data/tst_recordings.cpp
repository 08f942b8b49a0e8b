#include "data/Evaluation.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "support/TestSupport.h"
#include "util/WeightClasses.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include <cstring>
#include <optional>

using data::model::Landing;
using data::model::TrampMode;
using data::store::InnerState;

namespace {

constexpr int kSampleBytes = 16;
constexpr int kTimeToleranceMs = 10;
constexpr double kPositionToleranceCm = 3.0;

struct Recording
{
    QJsonObject truth;
    QByteArray samples; // 16 bytes per sample
    int count() const { return int(samples.size() / kSampleBytes); }
};

struct Library
{
    QJsonObject truth;
    QByteArray table;
};

std::optional<Library> loadLibrary()
{
    QFile packed(ovra::test::sourceDir() + QStringLiteral("/src/usb/recordings/simulated_recordings.bin.z"));
    QFile truth(ovra::test::sourceDir() + QStringLiteral("/tools/simulated_recordings_truth.json"));
    if (!packed.open(QIODevice::ReadOnly) || !truth.open(QIODevice::ReadOnly))
        return std::nullopt;
    Library library;
    library.table = qUncompress(packed.readAll());
    library.truth = QJsonDocument::fromJson(truth.readAll()).object();
    if (library.table.isEmpty() || library.truth.isEmpty())
        return std::nullopt;
    return library;
}

// Plays one recording through the store the way the controller drives it: a
// tara on the idle box, START (new measurement, automatic weight class and
// trampoline selection), ROUTINE from the moment the window opens, and the
// end of recording when the tenth landing closes the window.
struct Playback
{
    wsDaten store;
    int routineWindowOpen = 0;
    int blocks = 0;
    qint64 clock = 0;

    void play(const Recording &recording)
    {
        store.applyStoreSettings(StoreSettings{});
        for (int t = 0; t < 2; ++t)
            store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
        store.setClock([this]() { return clock; });
        store.handleTrampolineSelection(3);
        store.resetMeasurement();
        store.setContactThresholds(
            ovra::util::WeightClasses::threshold(ovra::util::WeightClasses::kAutomatic));
        store.setAutomaticWeightClass(true);

        // Data frames as the master box sends them: three samples in bytes 5 to 52.
        const int frames = recording.count() / 3;
        QByteArray frame(64, '\0');
        frame[0] = char(0xC7);
        frame[1] = char(0xC3);
        frame[2] = '1';
        for (int f = 0; f < frames; ++f) {
            std::memcpy(frame.data() + 5, recording.samples.constData() + f * 48, 48);
            const bool complete = store.addFrame(frame.constData(), int(frame.size()));
            clock += 3;
            if (!complete)
                continue;
            const bool routine = store.sampleCount() >= routineWindowOpen;
            if (routine && !store.routines().routineRecording && store.routines().exerciseStart < 0) {
                store.routines().exerciseStart = store.sampleCount();
                store.routines().exerciseStartFix = store.sampleCount();
                store.routines().routineRecording = true;
            }
            store.handleBlock(routine ? InnerState::ROUTINE : InnerState::START, 0);
            ++blocks;
            auto &r = store.routines();
            if (r.routineRecording && r.exerciseStart < r.exerciseEnd)
                r.routineRecording = false;
        }
    }
};

} // namespace

class TestRecordings : public QObject
{
    Q_OBJECT

    std::optional<Library> m_library;

    Recording recording(int number)
    {
        Recording r;
        const QJsonArray all = m_library->truth.value(QStringLiteral("recordings")).toArray();
        r.truth = all.at(number - 1).toObject();
        const int first = r.truth.value(QStringLiteral("firstSample")).toInt();
        const int samples = r.truth.value(QStringLiteral("samples")).toInt();
        r.samples = m_library->table.mid(first * kSampleBytes, samples * kSampleBytes);
        return r;
    }

    static QList<QJsonObject> routineContacts(const QJsonObject &truth, int bed)
    {
        QList<QJsonObject> contacts;
        for (const auto &value : truth.value(QStringLiteral("contacts")).toArray()) {
            const QJsonObject c = value.toObject();
            if (c.value(QStringLiteral("bed")).toInt() == bed &&
                c.value(QStringLiteral("kind")).toString() == QLatin1String("routine"))
                contacts.append(c);
        }
        return contacts;
    }

    static void compareLanding(const Landing &landing, const QJsonObject &c)
    {
        const QString what = QStringLiteral("contact %1 of bed %2")
                                 .arg(c.value(QStringLiteral("index")).toInt())
                                 .arg(c.value(QStringLiteral("bed")).toInt());
        QVERIFY2(std::abs(landing.landingTime - c.value(QStringLiteral("touchdown")).toInt()) <=
                     kTimeToleranceMs,
                 qPrintable(what));
        QVERIFY2(std::abs(landing.takeoffTime - c.value(QStringLiteral("takeoff")).toInt()) <=
                     kTimeToleranceMs,
                 qPrintable(what));
        QVERIFY2(std::abs(landing.timeOfFlight - c.value(QStringLiteral("flightBefore")).toInt()) <=
                     kTimeToleranceMs,
                 qPrintable(what + QStringLiteral(": flight %1").arg(landing.timeOfFlight)));
        const double x = c.value(QStringLiteral("x")).toDouble();
        const double y = c.value(QStringLiteral("y")).toDouble();
        QVERIFY2(std::abs(landing.landingPosition.x - x) <= kPositionToleranceCm &&
                     std::abs(landing.landingPosition.y - y) <= kPositionToleranceCm,
                 qPrintable(what + QStringLiteral(": position %1, %2")
                                       .arg(landing.landingPosition.x)
                                       .arg(landing.landingPosition.y)));
        QCOMPARE(landing.landingZone, c.value(QStringLiteral("zone")).toInt());
        QCOMPARE(landing.hdDeduction, data::calc::hdDeductionFor(0, x, y));
    }

    void individual(int number, TrampMode mode, int bed)
    {
        if (!m_library)
            QSKIP("simulated recordings not found");
        const Recording rec = recording(number);
        Playback playback;
        playback.routineWindowOpen = rec.truth.value(QStringLiteral("routineWindowOpen")).toInt();
        QSignalSpy landings(&playback.store, bed == 1 ? &wsDaten::updateLandingTrampoline1
                                                      : &wsDaten::updateLandingTrampoline2);
        playback.play(rec);
        QCOMPARE(playback.store.trampMode(), mode);
        QCOMPARE(playback.store.trampolineSelection(), bed == 1 ? 1 : 4);

        const auto &r = playback.store.routines();
        const auto contacts = routineContacts(rec.truth, bed);
        QCOMPARE(contacts.size(), 10);
        QCOMPARE(r.landingCount, quint64(10));
        QCOMPARE(landings.count(), 10);
        const auto &array = bed == 1 ? r.individualLandingsTrampoline1 : r.individualLandingsTrampoline2;
        for (int k = 0; k < 10; ++k)
            compareLanding(array[std::size_t(k)], contacts.at(k));
        QCOMPARE(r.exerciseEndFix, array[9].takeoffTime);

        double flight = 0;
        for (const auto &c : contacts)
            flight += c.value(QStringLiteral("flightBefore")).toInt();
        const auto result = playback.store.currentIndividualResult();
        QVERIFY(std::abs(result.timeOfFlight - flight * 0.001) <= 0.1);
        QCOMPARE(result.elementCount, quint64(10));
    }

private Q_SLOTS:
    void initTestCase()
    {
        data::model::registerMetaTypes();
        m_library = loadLibrary();
    }

    void trampolineOne() { individual(1, TrampMode::Trampoline1, 1); }
    void trampolineTwo() { individual(2, TrampMode::Trampoline2, 2); }

    void synchronizedPair()
    {
        if (!m_library)
            QSKIP("simulated recordings not found");
        const Recording rec = recording(3);
        Playback playback;
        playback.routineWindowOpen = rec.truth.value(QStringLiteral("routineWindowOpen")).toInt();
        playback.play(rec);
        QCOMPARE(playback.store.trampMode(), TrampMode::Synchronized);
        QCOMPARE(playback.store.trampolineSelection(), 5);

        const auto &r = playback.store.routines();
        QCOMPARE(r.landingCount, quint64(10));
        const auto contacts1 = routineContacts(rec.truth, 1);
        const auto contacts2 = routineContacts(rec.truth, 2);
        const QJsonArray pairs = rec.truth.value(QStringLiteral("pairs")).toArray();
        int effective = -1;
        for (int p = 0; p < 10; ++p) {
            const Landing &a = r.synchronizedLandingsTrampoline1[std::size_t(p)];
            const Landing &b = r.synchronizedLandingsTrampoline2[std::size_t(p)];
            compareLanding(a, contacts1.at(p));
            compareLanding(b, contacts2.at(p));
            const QJsonObject pair = pairs.at(p).toObject();
            QVERIFY(std::abs(a.landingTimeDifference * 1000 -
                             pair.value(QStringLiteral("differenceMs")).toInt()) <= kTimeToleranceMs);
            QCOMPARE(a.notSynchronous, pair.value(QStringLiteral("notSynchronous")).toBool());
            QCOMPARE(b.synDeduction, a.synDeduction);
            if (effective < 0 && a.notSynchronous)
                effective = p;
        }
        QCOMPARE(effective, 6);
        const auto result = playback.store.currentSynchronizedResult();
        QCOMPARE(result.effectiveElementCount, quint64(6));
        QCOMPARE(result.elementCount, quint64(10));
    }
};

OVRA_TEST_CORE_MAIN(TestRecordings)
#include "tst_recordings.moc"
