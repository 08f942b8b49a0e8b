// Fuzzes the scoring JSON reader with the two documents peers send and
// receive, a routine result and a state. Whatever was read must write without
// a null value, and reading that writing again must give the same object.

#include "rest/client/ScoringResult.h"
#include "rest/client/ScoringState.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

namespace {

bool containsNull(const QJsonValue &value)
{
    if (value.isNull() || value.isUndefined())
        return true;
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (containsNull(it.value()))
                return true;
        }
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (const QJsonValue &entry : array) {
            if (containsNull(entry))
                return true;
        }
    }
    return false;
}

template <typename Model> void readWriteRead(const QByteArray &text)
{
    Model first;
    first.fromJson(text);
    const QJsonObject written = first.toJsonObject();
    if (containsNull(written))
        __builtin_trap();
    // isSet() says whether anything is written.
    if (first.isSet() == written.isEmpty())
        __builtin_trap();
    Model second;
    if (!second.fromJson(first.toJson()) || second.toJsonObject() != written)
        __builtin_trap();
    if (second.isValid() != first.isValid() && first.isValid())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    readWriteRead<ovra::rest::client::ScoringResult>(text);
    readWriteRead<ovra::rest::client::ScoringState>(text);
    return 0;
}
