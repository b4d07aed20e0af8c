#pragma once

#include <string>

namespace platform {

enum class MouseButton { Left, Right, Middle };

struct ShiftState {
    bool shift { false };
    bool ctrl { false };
    bool alt { false };
};

// One input event in canvas pixels, translated from the native window system
// at one place.
struct InputEvent {
    enum class Kind {
        MouseMove,
        MouseDown,
        MouseUp,
        MouseWheel, // wheel is in notches, positive away from the user
        KeyDown,   // key is a Key code
        TextInput, // text is UTF-8
        Close,     // the window system or a signal asks the window to close
        Exposed,   // the window needs its canvas presented again
        Wake,      // a posted call or a player's end is waiting
    };
    Kind kind { Kind::Wake };
    int x { 0 };
    int y { 0 };
    MouseButton button { MouseButton::Left };
    bool double_click { false };
    int key { 0 };
    int wheel { 0 };
    ShiftState shift;
    std::string text;
};

// Keys the toolkit tells apart; letters and digits are their ASCII lower-case
// codes.
namespace keys {
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Delete = 127;
inline constexpr int Left = 0x1001;
inline constexpr int Right = 0x1002;
inline constexpr int Up = 0x1003;
inline constexpr int Down = 0x1004;
inline constexpr int Home = 0x1005;
inline constexpr int End = 0x1006;
}

}
