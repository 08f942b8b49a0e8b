// Fuzzes the scoring JSON reader: a result and a state message read from
// arbitrary text, written again, and read back.

#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Reading what was written gives the same text again.
template <typename Model> void roundTrip(const QByteArray &text)
{
    Model model;
    model.fromJson(text);
    const QByteArray written = model.toJson();
    Model again;
    check(again.fromJson(written));
    check(again.toJson() == written);
    check(again.isSet() == model.isSet());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    roundTrip<ovra::rest::client::ScoringResult>(text);
    roundTrip<ovra::rest::client::ScoringState>(text);
    return 0;
}
