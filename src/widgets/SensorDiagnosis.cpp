#include "widgets/SensorDiagnosis.h"

#include "data/Evaluation.h"

namespace widget::diagnosis {

quint8 SensorConnections::bits() const
{
    quint8 result = 0;
    for (std::size_t c = 0; c < connected.size(); ++c) {
        if (connected[c])
            result = static_cast<quint8>(result | (1U << c));
    }
    return result;
}

bool sensorDelivers(qint16 raw)
{
    return raw > 0 || raw < -1;
}

TrampolineReadout readTrampoline(const wsDaten::Sample &sample, int trampoline, const TaraRecord &tara)
{
    TrampolineReadout readout;
    readout.good = true;
    const std::size_t first = trampoline == 1 ? 4 : 0;
    for (std::size_t k = 0; k < 4; ++k) {
        SensorReadout &sensor = readout.sensors[k];
        const qint16 raw = sample[first + k];
        sensor.raw = raw;
        sensor.offset = tara.offsets[k];
        sensor.net = sensor.raw - sensor.offset;
        sensor.good = sensorDelivers(raw);
        readout.good = readout.good && sensor.good;
    }
    return readout;
}

SensorConnections connectionsOf(const std::array<TrampolineReadout, 2> &trampolines)
{
    SensorConnections connections;
    for (std::size_t t = 0; t < 2; ++t)
        for (std::size_t k = 0; k < 4; ++k)
            connections.connected[4 * t + k] = trampolines[t].sensors[k].good;
    return connections;
}

bool currentLoadPosition(const wsDaten &store, int trampoline, data::calc::LandingPosition &position)
{
    position = data::calc::LandingPosition();
    const int last = store.sampleCount() - 1;
    const int first = last - kPositionSamples + 1;
    if (first < 0 || first < store.firstAvailableSample())
        return false;
    const auto tramp =
        trampoline == 1 ? data::model::TrampNumber::Trampoline2 : data::model::TrampNumber::Trampoline1;
    return data::calc::landingPosition([&store](int channel, int i) { return store.rawValue(channel, i); },
                                       tramp, first, last, store.taraRecord(trampoline).offsets,
                                       data::calc::BedGeometry{store.bedLength(), store.bedWidth()},
                                       position);
}

} // namespace widget::diagnosis
