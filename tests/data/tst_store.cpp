#include "StoreFeeder.h"
#include "data/MetaTypes.h"
#include "data/wsDaten.h"
#include "settings/OvraSettings.h"
#include "support/TestSupport.h"
#include "util/LogHandler.h"

#include <QSignalSpy>

#include <cmath>

using data::model::TrampMode;
using namespace storetest;

namespace {

wsDaten::FrameValues constantFrame(qint16 value)
{
    wsDaten::FrameValues values;
    values.fill(value);
    return values;
}

wsDaten::Sample constantSample(qint16 value)
{
    wsDaten::Sample s;
    s.fill(value);
    return s;
}

// The idle beds read 2560 on every sensor; a tara removes it, as the
// program does on connection.
void taraOnIdleBeds(wsDaten &store)
{
    for (int t = 0; t < 2; ++t)
        store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { data::model::registerMetaTypes(); }

    void blocksOfSixteenFrames()
    {
        wsDaten store;
        for (int f = 0; f < 15; ++f)
            QVERIFY(!store.addFrame(constantFrame(100)));
        QCOMPARE(store.batchCount(), 15);
        QCOMPARE(store.sampleCount(), 0);
        // An incomplete batch is not worked on and keeps its frames.
        QVERIFY(!store.handleBlock(InnerState::START, 0).stored);
        QCOMPARE(store.batchCount(), 15);
        QCOMPARE(store.writeIndex(), 0);
        QVERIFY(store.addFrame(constantFrame(100)));
        const auto work = store.handleBlock(InnerState::START, 0);
        QVERIFY(work.stored && work.counted);
        QCOMPARE(store.sampleCount(), 48);
        QCOMPARE(store.blockCount(), 48);
        QCOMPARE(store.writeIndex(), 48);
        QCOMPARE(store.batchCount(), 0);
        QCOMPARE(store.rawValue(7, 47), qint16(100));
    }

    void frameBytesAreLittleEndian()
    {
        wsDaten store;
        QByteArray frame(64, '\0');
        frame[0] = char(0xC7);
        frame[1] = char(0xC3);
        frame[2] = '1';
        // value 0 of sample 0 = 0x0102; channel 7 of sample 2 = -2
        frame[5] = char(0x02);
        frame[6] = char(0x01);
        frame[5 + 2 * 23] = char(0xFE);
        frame[6 + 2 * 23] = char(0xFF);
        QVERIFY(!store.addFrame(frame.constData(), 40)); // too short: refused
        QCOMPARE(store.batchCount(), 0);
        for (int f = 0; f < 16; ++f)
            store.addFrame(frame.constData(), frame.size());
        store.handleBlock(InnerState::TARA, 0);
        QCOMPARE(store.rawValue(0, 0), qint16(0x0102));
        QCOMPARE(store.rawValue(7, 2), qint16(-2));
        QCOMPARE(store.rawValue(1, 0), qint16(0));
    }

    void stateWorkDecidesWhatIsStored()
    {
        wsDaten store;
        Feeder feed(store, [](int) { return constantSample(10); });
        feed.block(InnerState::START);
        QCOMPARE(store.sampleCount(), 48);

        // READY and PAUSE keep the activity watch without recording.
        QVERIFY(store.automaticSelection());
        feed.block(InnerState::READY);
        QCOMPARE(store.writeIndex(), 96);
        QCOMPARE(store.sampleCount(), 48);
        QVERIFY(feed.work.back().stored && !feed.work.back().counted);
        feed.block(InnerState::PAUSE);
        QCOMPARE(store.writeIndex(), 144);

        // Without automatic selection READY discards the block, yet still checks the sensors.
        store.handleTrampolineSelection(0);
        feed.block(InnerState::READY);
        QCOMPARE(store.writeIndex(), 144);
        QVERIFY(feed.work.back().sensorChecked);
        QCOMPARE(store.batchCount(), 0);

        for (auto state : {InnerState::REVIEW, InnerState::WAIT, InnerState::LOAD, InnerState::NO_FOCUS}) {
            feed.block(state);
            QCOMPARE(store.writeIndex(), 144);
            QVERIFY(!feed.work.back().stored);
        }
        for (auto state : {InnerState::CONTINUOUS, InnerState::CONNECTED_DIAGNOSIS, InnerState::TARA,
                           InnerState::DROP_TEST, InnerState::ROUTINE}) {
            const int before = store.sampleCount();
            feed.block(state);
            QCOMPARE(store.sampleCount(), before + 48);
        }
    }

    void sensorCheck_data()
    {
        QTest::addColumn<qint16>("value");
        QTest::addColumn<bool>("notConnected");
        QTest::addColumn<bool>("unusual");
        QTest::newRow("normal") << qint16(2560) << false << false;
        QTest::newRow("zero") << qint16(0) << true << false;
        QTest::newRow("minus one") << qint16(-1) << true << false;
        QTest::newRow("minus two") << qint16(-2) << false << true;
        QTest::newRow("one") << qint16(1) << false << false;
    }

    void sensorCheck()
    {
        QFETCH(qint16, value);
        QFETCH(bool, notConnected);
        QFETCH(bool, unusual);
        wsDaten store;
        wsDaten::FrameValues first = constantFrame(2560);
        first[5] = value;
        // Only the first sample of the block is looked at.
        wsDaten::FrameValues later = constantFrame(2560);
        later[3] = -5;
        store.addFrame(first);
        for (int f = 1; f < 16; ++f)
            store.addFrame(later);
        const auto work = store.handleBlock(InnerState::READY, 0);
        QVERIFY(work.sensorChecked);
        QCOMPARE(work.sensorCheck.sensorNotConnected, notConnected);
        QCOMPARE(work.sensorCheck.unusualSensorData, unusual);
    }

    void taraOfConstantSignal()
    {
        wsDaten store;
        Feeder feed(store, [](int) { return constantSample(2560); });
        for (int round = 0; round < 2; ++round) {
            feed.blocks(3, InnerState::READY);
            store.beginTara();
            QCOMPARE(store.sampleCount(), 0);
            feed.until(feed.next + 1800, InnerState::TARA);
            store.finishTara();
            for (int t = 0; t < 2; ++t) {
                const TaraRecord &r = store.taraRecord(t);
                QCOMPARE(r.channelOffset, 4 * t);
                for (int k = 0; k < 4; ++k) {
                    QCOMPARE(r.offsets[static_cast<std::size_t>(k)], 2560.0);
                    QCOMPARE(r.computedOffsets[static_cast<std::size_t>(k)], 2560.0);
                }
                QCOMPARE(store.totalForce(t, store.sampleCount() - 1), 0.0);
            }
        }
        QCOMPARE(store.channelValue(2, 5, true), 0.0);
        QCOMPARE(store.channelValue(2, 5, false), 2560.0);
    }

    // READY watches the beds without recording; a drop test entered from
    // there continues the measurement and must read what it just stored.
    void countedBlocksAfterTheActivityWatchReadTheNewestSamples()
    {
        wsDaten store;
        QVERIFY(store.automaticSelection());
        Feeder feed(store, [](int i) {
            wsDaten::Sample s{};
            s.fill(qint16(i % 30000));
            return s;
        });
        feed.blocks(4, InnerState::TARA);
        const int measured = store.sampleCount();
        QCOMPARE(measured, 4 * wsDaten::kSamplesPerBlock);
        feed.blocks(100, InnerState::READY);
        QCOMPARE(store.sampleCount(), measured);
        feed.blocks(2, InnerState::DROP_TEST);
        QCOMPARE(store.sampleCount(), measured + 2 * wsDaten::kSamplesPerBlock);
        const int newest = store.sampleCount() - 1;
        QCOMPARE(store.sample(newest)[0], qint16(feed.next - 1));
        QCOMPARE(store.sample(measured)[0], qint16(feed.next - 2 * wsDaten::kSamplesPerBlock));
        // The samples of the measurement before the watch are untouched.
        QCOMPARE(store.sample(measured - 1)[0], qint16(measured - 1));
    }

    // READY's activity watch stores its samples only where the ring holds no
    // part of the retained measurement: a long idle READY once overwrote the
    // routine's first samples, which Save as then wrote into the file.
    void activityWatchNeverOverwritesTheMeasurement()
    {
        auto valueOf = [](int i) { return qint16(i % 30011); };
        for (const int measured :
             {100 * wsDaten::kSamplesPerBlock, wsDaten::kRingSamples + wsDaten::kSamplesPerBlock}) {
            wsDaten store;
            QVERIFY(store.automaticSelection());
            Feeder feed(store, [&](int i) { return constantSample(valueOf(i)); });
            feed.until(measured, InnerState::CONTINUOUS);
            QCOMPARE(store.sampleCount(), measured);
            const int first = store.firstAvailableSample();
            // More than the ring holds of watching: 1000 s and a little more.
            const int watched = measured < wsDaten::kRingSamples
                                    ? wsDaten::kRingSamples / wsDaten::kSamplesPerBlock + 10
                                    : 10;
            feed.blocks(watched, InnerState::READY);
            QVERIFY(feed.work.back().stored && !feed.work.back().counted);
            QCOMPARE(store.sampleCount(), measured);
            QCOMPARE(store.firstAvailableSample(), first);
            for (int i = first; i < measured; ++i) {
                if (store.sample(i)[0] != valueOf(i))
                    QFAIL(qPrintable(QStringLiteral("sample %1 of %2 was overwritten").arg(i).arg(measured)));
            }
            // A counted block continues the measurement with the newest samples.
            feed.block(InnerState::DROP_TEST);
            QCOMPARE(store.sample(measured)[0], valueOf(feed.next - wsDaten::kSamplesPerBlock));
            QCOMPARE(store.sample(measured - 1)[0], valueOf(measured - 1));
        }
    }

    void taraWithoutSamplesIsNotANumber()
    {
        wsDaten store;
        store.beginTara();
        store.finishTara();
        QVERIFY(std::isnan(store.taraRecord(0).offsets[0]));
        QVERIFY(std::isnan(store.totalForce(0, 0)));
        // No contact is found until a valid tara exists.
        store.setTrampMode(TrampMode::Trampoline1);
        BedSignal bed = BedSignal::bouncing(200, 3, 800);
        Feeder feed(store, [&](int i) { return makeSample(bed, BedSignal{}, i); });
        feed.until(4000, InnerState::START);
        QCOMPARE(store.landingCount(0), 0);
    }

    void reZeroNeedsSixHundredSamplesBefore()
    {
        wsDaten store;
        // channel 0 reads its own sample index, the others 7
        Feeder feed(store, [](int i) {
            wsDaten::Sample s;
            s.fill(7);
            s[0] = static_cast<qint16>(i);
            return s;
        });
        feed.until(1200, InnerState::TARA);
        store.reZeroBeforeLanding(0, 600);
        QCOMPARE(store.taraRecord(0).offsets[0], 0.0);
        store.reZeroBeforeLanding(0, 601);
        QCOMPARE(store.taraRecord(0).offsets[0], 250.5); // samples 1 to 500
        QCOMPARE(store.taraRecord(0).computedOffsets[0], 250.5);
        QCOMPARE(store.taraRecord(0).offsets[1], 7.0);
        QCOMPARE(store.taraRecord(1).offsets[0], 0.0); // the other bed is untouched
    }

    void taraSetAsideForDisplayedFiles()
    {
        wsDaten store;
        store.taraRecord(0).offsets = {1, 2, 3, 4};
        QVERIFY(!store.restoreTaraAfterDisplay());
        store.saveTaraForDisplay();
        store.taraRecord(0).offsets = {9, 9, 9, 9};
        store.saveTaraForDisplay(); // once per display: the live values stay saved
        store.taraRecord(0).offsets = {8, 8, 8, 8};
        QVERIFY(store.taraSetAside());
        QVERIFY(store.restoreTaraAfterDisplay());
        QCOMPARE(store.taraRecord(0).offsets[2], 3.0);
        QVERIFY(!store.taraSetAside());
    }

    void activityFilterIgnoresConstantLoad()
    {
        const auto &h = ActivityFilter::coefficients();
        double sum = 0.0;
        for (int k = 0; k < 32; ++k) {
            QCOMPARE(h[static_cast<std::size_t>(k)], h[static_cast<std::size_t>(31 - k)]);
            sum += h[static_cast<std::size_t>(k)];
        }
        QVERIFY(std::abs(sum - 0.005) < 0.001);
        QCOMPARE(h[15], 0.39485);
        ActivityFilter filter;
        double out = 0.0;
        for (int k = 0; k < 100; ++k)
            out = filter.filter(0, 5000.0);
        QVERIFY(std::abs(out) < 600.0);
        // The other trampoline's history is separate.
        QCOMPARE(filter.filter(1, 0.0), 0.0);
    }

    void automaticSelectionFollowsActivity()
    {
        wsDaten store;
        taraOnIdleBeds(store);
        QSignalSpy modes(&store, &wsDaten::updateTrampMode);
        // Trampoline 1 bounces from 1 s to 20 s, trampoline 2 from 10 s to 40 s;
        // after 40 s nobody bounces.
        BedSignal bed1 = BedSignal::bouncing(1000, 13, 1000);
        BedSignal bed2 = BedSignal::bouncing(10000, 21, 1000);
        Feeder feed(store, [&](int i) { return makeSample(bed1, bed2, i); });

        feed.until(9000, InnerState::READY);
        QCOMPARE(store.trampolineSelection(), 1);
        QCOMPARE(store.trampMode(), TrampMode::Trampoline1);
        feed.until(19000, InnerState::READY);
        QCOMPARE(store.trampolineSelection(), 5);
        QCOMPARE(store.trampMode(), TrampMode::Synchronized);
        // Trampoline 1's last bounce ends near 19.1 s: five seconds later only 2 is active.
        feed.until(23500, InnerState::READY);
        QCOMPARE(store.trampolineSelection(), 5);
        feed.until(26000, InnerState::READY);
        QCOMPARE(store.trampolineSelection(), 4);
        QCOMPARE(store.trampMode(), TrampMode::Trampoline2);
        // No activity at all keeps the last choice.
        feed.until(60000, InnerState::READY);
        QCOMPARE(store.trampolineSelection(), 4);
        QCOMPARE(modes.count(), 3);
        QCOMPARE(modes.at(0).at(0).value<TrampMode>(), TrampMode::Trampoline1);
        QCOMPARE(modes.at(1).at(0).value<TrampMode>(), TrampMode::Synchronized);
        QCOMPARE(modes.at(2).at(0).value<TrampMode>(), TrampMode::Trampoline2);
    }

    void standingAthleteNeverSwitches()
    {
        wsDaten store;
        taraOnIdleBeds(store);
        QSignalSpy modes(&store, &wsDaten::updateTrampMode);
        BedSignal bed1;
        bed1.standing = 900.0; // steps on at sample 0 and stays
        BedSignal bed2;
        bed2.standing = 700.0;
        Feeder feed(store, [&](int i) {
            // stepping on within half a second, then standing still
            BedSignal b1 = bed1;
            BedSignal b2 = bed2;
            const double ramp = i < 3000 ? 0.0 : std::min(1.0, (i - 3000) / 500.0);
            b1.standing *= ramp;
            b2.standing *= ramp;
            return makeSample(b1, b2, i);
        });
        feed.until(30000, InnerState::READY);
        QCOMPARE(store.trampolineSelection(), 0);
        QCOMPARE(modes.count(), 0);
        QVERIFY(!store.activityBit(0));
        QVERIFY(!store.activityBit(1));
    }

    void trampolineSelectionByHand()
    {
        wsDaten store;
        QSignalSpy modes(&store, &wsDaten::updateTrampMode);
        QVERIFY(store.handleTrampolineSelection(1));
        QCOMPARE(store.trampolineSelection(), 4);
        QVERIFY(!store.automaticSelection());
        QCOMPARE(store.trampMode(), TrampMode::Trampoline2);
        QVERIFY(store.handleTrampolineSelection(2));
        QCOMPARE(store.trampMode(), TrampMode::Synchronized);
        QVERIFY(store.handleTrampolineSelection(0));
        QCOMPARE(store.trampolineSelection(), 1);
        // automatic keeps the code
        QVERIFY(!store.handleTrampolineSelection(3));
        QVERIFY(store.automaticSelection());
        QCOMPARE(store.trampolineSelection(), 1);
        QCOMPARE(store.trampolineSelectionIndex(), 3);
        QCOMPARE(modes.count(), 4);

        // Bouncing while a trampoline is chosen by hand does not switch.
        store.handleTrampolineSelection(1);
        BedSignal bed1 = BedSignal::bouncing(500, 5, 800);
        Feeder feed(store, [&](int i) { return makeSample(bed1, BedSignal{}, i); });
        feed.until(6000, InnerState::START);
        QCOMPARE(store.trampMode(), TrampMode::Trampoline2);
    }

    void resetStartsNewMeasurement()
    {
        wsDaten store;
        store.rebuildBedGeometry(4000, 2000);
        store.setBedGeometry(1, 1); // a loaded file's geometry
        Feeder feed(store, [](int) { return constantSample(3); });
        feed.blocks(3, InnerState::START);
        store.routines().exerciseStart = 5;
        store.routines().exerciseEndFix = 9;
        store.addFrame(constantFrame(1));
        QSignalSpy start(&store, &wsDaten::setExerciseStartTime);
        QSignalSpy endFix(&store, &wsDaten::setExerciseEndTimeFix);
        store.resetMeasurement();
        QCOMPARE(store.sampleCount(), 0);
        QCOMPARE(store.batchCount(), 0);
        QCOMPARE(store.startIndex(), store.writeIndex());
        QCOMPARE(store.writeIndex(), 144);
        QCOMPARE(store.routines().exerciseStart, -1);
        QCOMPARE(store.routines().exerciseEndFix, -1);
        QCOMPARE(start.count(), 1);
        QCOMPARE(start.at(0).at(0).toInt(), -1);
        QCOMPARE(endFix.at(0).at(0).toInt(), -1);
        QCOMPARE(store.bedLength(), 4000.0);
        QCOMPARE(store.bedWidth(), 2000.0);
        QCOMPARE(store.dropStart(), -1);
        const auto &list = store.detectedLandings(wsDaten::DetectedList::SynchronizedTrampoline2);
        QCOMPARE(int(list.size()), 500);
        QCOMPARE(list[0], data::model::Landing::zeroed());
        // Relative sample 0 is the first sample after the reset.
        feed.block(InnerState::START);
        QCOMPARE(store.sampleCount(), 48);
    }

    void settingsRoundTrip()
    {
        ovra::test::clearSettings();
        ovra::util::LogHandler log;
        {
            wsDaten store;
            StoredIndexSelection weight(-1, 5), tramp(-1, 4);
            OvraSettings settings({&store, &weight, &tramp}, log);
            int w = 0, h = 0;
            QFont font;
            settings.load(w, h, font);
            QCOMPARE(store.contactDetector(0).contactThreshold, 1000.0);
            QCOMPARE(store.contactDetector(1).hysteresis, 20.0);
            QVERIFY(store.automaticSelection());
            QCOMPARE(store.landingThresholds().postTime_takeoff, 82);
            QCOMPARE(store.bedLength(), 3650.0);

            StoreSettings s = store.storeSettings();
            s.minForceSum1 = 1500.0;
            s.trampSelected = 4;
            s.trampSelectIndex = 1;
            s.preTimeLanding = 70;
            for (std::size_t c = 0; c < 8; ++c)
                s.tara[c] = 2500.0 + static_cast<double>(c);
            store.applyStoreSettings(s);
            tramp.setCurrentIndex(1);
            settings.writeSettings(w, h, font);
        }
        {
            wsDaten store;
            StoredIndexSelection weight(-1, 5), tramp(-1, 4);
            OvraSettings settings({&store, &weight, &tramp}, log);
            int w = 0, h = 0;
            QFont font;
            settings.load(w, h, font);
            QCOMPARE(store.contactDetector(0).contactThreshold, 1500.0);
            QCOMPARE(store.contactDetector(0).hysteresis, 30.0);
            QCOMPARE(store.contactDetector(1).contactThreshold, 1000.0);
            QCOMPARE(store.trampolineSelection(), 4);
            QVERIFY(!store.automaticSelection());
            QCOMPARE(store.landingThresholds().preTime_landing, 70);
            QCOMPARE(store.taraRecord(1).offsets[3], 2507.0);
            // Saving again without a tara keeps the loaded offsets.
            settings.writeSettings(w, h, font);
            QCOMPARE(OvraSettings::openStorage()->value(QStringLiteral("Tara/Tara_8")).toDouble(), 2507.0);
        }
    }
};

OVRA_TEST_CORE_MAIN(TestStore)
#include "tst_store.moc"
