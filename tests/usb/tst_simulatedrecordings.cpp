#include "support/TestSupport.h"
#include "usb/SimulatedRecordings.h"
#include "usb/UsbFrame.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

using usb::SimulatedRecordings;

namespace {

int raw(int recording, int sample, int channel)
{
    unsigned char bytes[16];
    SimulatedRecordings::instance().copySample(recording, sample, bytes);
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(bytes[2 * channel] | (bytes[2 * channel + 1] << 8)));
}

double bedForce(int recording, int sample, int bed, const double offsets[4])
{
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += raw(recording, sample, (bed - 1) * 4 + i) - offsets[i];
    return sum;
}

QJsonObject truth()
{
    QFile file(ovra::test::sourceDir() + QStringLiteral("/tools/simulated_recordings_truth.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestSimulatedRecordings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableHasTheLayoutOfTheThreeRecordings()
    {
        const SimulatedRecordings &recordings = SimulatedRecordings::instance();
        QVERIFY(recordings.isValid());
        const QByteArray &table = recordings.table();
        QCOMPARE(table.size(), (3 + 22794 + 23229 + 22023) * 16);
        QCOMPARE(table.left(48), QByteArray(48, '\0'));
        QCOMPARE(SimulatedRecordings::firstSample(1), 3);
        QCOMPARE(SimulatedRecordings::firstSample(2), 3 + 22794);
        QCOMPARE(SimulatedRecordings::firstSample(3), 3 + 22794 + 23229);
        QCOMPARE(SimulatedRecordings::length(1) / 3, 7598);
        QCOMPARE(SimulatedRecordings::length(2) / 3, 7743);
        QCOMPARE(SimulatedRecordings::length(3) / 3, 7341);
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(SimulatedRecordings::length(r) % 3, 0);
            // Every recording starts and ends on empty beds carrying their
            // weight: raw values near the idle 2560 on every channel.
            for (int c = 0; c < 8; ++c) {
                QVERIFY(std::abs(raw(r, 0, c) - 2560) < 150);
                QVERIFY(std::abs(raw(r, SimulatedRecordings::length(r) - 1, c) - 2560) < 150);
            }
        }
        // Out of range reads give zeros instead of a neighbour's samples.
        QCOMPARE(raw(1, 22794, 0), 0);
        QCOMPARE(raw(4, 0, 0), 0);
    }

    void recordingsShowActivityOnTheirBeds()
    {
        const double idle[4] = {2560, 2560, 2560, 2560};
        for (int r = 1; r <= 3; ++r) {
            double peak[2] = {0, 0};
            for (int i = 0; i < SimulatedRecordings::length(r); ++i)
                for (int bed = 1; bed <= 2; ++bed)
                    peak[bed - 1] = std::max(peak[bed - 1], bedForce(r, i, bed, idle));
            const bool bed1 = r == 1 || r == 3;
            const bool bed2 = r == 2 || r == 3;
            QVERIFY2(bed1 ? peak[0] > 2500 : peak[0] < 100, qPrintable(QString::number(peak[0])));
            QVERIFY2(bed2 ? peak[1] > 2500 : peak[1] < 100, qPrintable(QString::number(peak[1])));
        }
    }

    void groundTruthMatchesTheBuiltInTable()
    {
        const QJsonObject t = truth();
        QVERIFY(!t.isEmpty());
        QCOMPARE(t.value(QStringLiteral("leadingZeroSamples")).toInt(), 3);
        const QJsonArray recordings = t.value(QStringLiteral("recordings")).toArray();
        QCOMPARE(recordings.size(), 3);
        int nonSynchronous = 0;
        for (const QJsonValue &value : recordings) {
            const QJsonObject rec = value.toObject();
            const int r = rec.value(QStringLiteral("number")).toInt();
            QCOMPARE(rec.value(QStringLiteral("samples")).toInt(), SimulatedRecordings::length(r));
            QCOMPARE(rec.value(QStringLiteral("firstSample")).toInt(), SimulatedRecordings::firstSample(r));
            int routine[3] = {0, 0, 0};
            for (const QJsonValue &cv : rec.value(QStringLiteral("contacts")).toArray()) {
                const QJsonObject c = cv.toObject();
                const int bed = c.value(QStringLiteral("bed")).toInt();
                const int touchdown = c.value(QStringLiteral("touchdown")).toInt();
                const QString kind = c.value(QStringLiteral("kind")).toString();
                if (kind == QLatin1String("routine")) {
                    ++routine[bed];
                    const int flight = c.value(QStringLiteral("flightBefore")).toInt();
                    QVERIFY(flight >= 1190 && flight <= 1810);
                }
                if (kind == QLatin1String("final"))
                    continue;
                // The table itself: the contact is there, and the default
                // corrections (75 and 82 samples at 50 % of the maximum) find
                // it within 10 ms with the offsets a tara of the idle box
                // leaves (2560 on every channel).
                const int takeoff = c.value(QStringLiteral("takeoff")).toInt();
                const double offsets[4] = {2560, 2560, 2560, 2560};
                double fmax = 0;
                for (int s = touchdown; s <= takeoff; ++s)
                    fmax = std::max(fmax, bedForce(r, s, bed, offsets));
                QVERIFY(fmax > 1100);
                const int middle = (touchdown + takeoff) / 2;
                int land = middle;
                while (bedForce(r, land, bed, offsets) > 0.5 * fmax)
                    --land;
                int take = middle;
                while (bedForce(r, take, bed, offsets) > 0.5 * fmax)
                    ++take;
                QVERIFY2(std::abs(land - 75 - touchdown) <= 10,
                         qPrintable(QString::number(land - 75 - touchdown)));
                QVERIFY2(std::abs(take + 82 - takeoff) <= 10,
                         qPrintable(QString::number(take + 82 - takeoff)));
            }
            const QJsonArray beds = rec.value(QStringLiteral("beds")).toArray();
            for (int bed = 1; bed <= 2; ++bed)
                QCOMPARE(routine[bed] >= 10, beds.contains(bed));
            for (const QJsonValue &pv : rec.value(QStringLiteral("pairs")).toArray())
                nonSynchronous += pv.toObject().value(QStringLiteral("notSynchronous")).toBool() ? 1 : 0;
        }
        QCOMPARE(nonSynchronous, 1);
    }
};

OVRA_TEST_CORE_MAIN(TestSimulatedRecordings)
#include "tst_simulatedrecordings.moc"
