#pragma once

// Cursor numbers a control names (TControl::SetCursor).
// The system's arrow.
inline constexpr int crDefault = 0;
// The pointing hand, a picture of the program's own: registered for the
// whole application when the main window is made; every clickable picture
// of the shell names it.
inline constexpr int crHand = 31;
