#include "util/EventWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace ovra::util {

namespace {

constexpr int kSliceMs = 40;

void waitSlice(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
    }
    QCoreApplication::processEvents();
}

} // namespace

void waitProcessingEvents(int ms)
{
    if (ms <= 0)
        return;
    for (int slice = 0; slice < ms / kSliceMs; ++slice)
        waitSlice(kSliceMs);
    if (ms % kSliceMs > 0)
        waitSlice(ms % kSliceMs);
}

} // namespace ovra::util
