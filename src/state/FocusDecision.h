#pragma once

class QWindow;

namespace ovra::state {

// What a change of the application's focus window means for the main
// window's keyboard.
enum class FocusChange { Gained, Lost, Unchanged };

// `focus` is the application's new focus window (none while another
// application has the input focus), `main` the main window's. The menus,
// combo lists and completers that the main window opens are popups of its
// own and keep its keyboard, also when opened from one of its windows that
// never take the keyboard (the audience windows); tool tips and
// notifications never take the keys and change nothing; any other window
// (another application, a dialog) has taken the keys away.
FocusChange focusChangeFor(const QWindow *focus, const QWindow *main);

} // namespace ovra::state
