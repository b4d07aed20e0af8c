#pragma once

#include "platform/Clock.h"

typedef struct _XDisplay Display;

// What the shell asks of a window manager for its one top-level window, over
// the window's own X connection (EWMH and ICCCM client messages to the root).
// Desktops differ in what they grant:
// - openbox and xfwm4 minimise and restore as asked;
// - mutter refuses an application's request to come back as focus stealing,
//   but honours one made as a pager does, on the user's behalf;
// - sway and cage have no minimise, and sway lets only one window of a
//   workspace be full screen, so ours loses it while an activity runs.
namespace platform::x11::window_manager {

// Asks for the window to be iconified.
void iconify(::Display*, unsigned long window);
// True once the manager has iconified the window, false when it has not by
// `deadline` (clock time) and left it where it is.
bool wait_until_iconic(::Display*, unsigned long window, Clock&, Millis deadline);
// Marks a window not yet shown to be shown full screen: the manager reads
// the mark when the window is first shown, with no request to answer.
void mark_full_screen(::Display*, unsigned long window);
// Asks for full screen again, in case another window took it over.
void ask_full_screen(::Display*, unsigned long window);
// Gives up full screen, so that the manager shows other windows over ours.
void leave_full_screen(::Display*, unsigned long window);
// Asks for the window to be shown, raised and focused, as the user's own
// choice (a pager's request), so no focus-stealing rule keeps it hidden.
void activate(::Display*, unsigned long window);

}
