#pragma once

namespace ovra::util {

// Waits `ms` milliseconds in the calling (GUI) thread while frames and other
// events keep being processed: slices of 40 ms, each a busy wait followed by
// one pass of event processing, then the remainder the same way. Tara uses
// it so that the samples it averages keep arriving.
void waitProcessingEvents(int ms);

} // namespace ovra::util
