#pragma once

#include "data/wsDaten.h"
#include "util/WeightClasses.h"

#include <memory>

// A routine played through the store the way the controller drives one:
// idle beds zeroed at 2560, START with the automatic weight class and
// trampoline selection, ROUTINE from the block in which inRoutine(store)
// first holds. frame(f, values) gives the 24 values of frame f;
// afterBlock(store, routineWindow) runs after each block and ends the play
// when it returns true. selection is the operator's choice in the
// trampoline combo box (automatic unless given). The tests' recordings and
// the benchmarks share it.
namespace playback {

inline bool playOn(wsDaten &, bool)
{
    return false;
}

template <typename FrameSource, typename InRoutine, typename AfterBlock = bool (*)(wsDaten &, bool)>
void playRoutine(wsDaten &store, int frames, FrameSource &&frame, InRoutine &&inRoutine,
                 AfterBlock &&afterBlock = playOn, int selection = wsDaten::kAutomaticSelectionIndex)
{
    auto clock = std::make_shared<qint64>(0);
    store.setClock([clock]() { return *clock; });
    // The stored settings carry zero offsets; the tara comes after them.
    store.applyStoreSettings(StoreSettings{});
    for (int t = 0; t < 2; ++t)
        store.taraRecord(t).setBoth({2560, 2560, 2560, 2560});
    store.handleTrampolineSelection(selection);
    store.resetMeasurement();
    store.setContactThresholds(ovra::util::WeightClasses::threshold(ovra::util::WeightClasses::kAutomatic));
    store.setAutomaticWeightClass(true);

    for (int f = 0; f < frames; ++f) {
        wsDaten::FrameValues values{};
        frame(f, values);
        *clock += 3;
        if (!store.addFrame(values))
            continue;
        auto &routine = store.routines();
        const bool routineWindow = inRoutine(static_cast<const wsDaten &>(store));
        if (routineWindow && !routine.routineRecording && routine.exerciseStart < 0) {
            routine.exerciseStart = routine.exerciseStartFix = store.sampleCount();
            routine.routineRecording = true;
        }
        store.handleBlock(routineWindow ? data::store::InnerState::ROUTINE : data::store::InnerState::START,
                          0);
        if (routine.routineRecording && routine.exerciseStart < routine.exerciseEnd)
            routine.routineRecording = false;
        if (afterBlock(store, routineWindow))
            return;
    }
}

} // namespace playback
