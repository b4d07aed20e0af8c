#pragma once

#include "activities/ActivityCatalogue.h"

#include <string>
#include <string_view>

// Where a child clicks or points in the walks, in window positions: the
// buttons' middles and a few places of their own. scripts/tour and the
// desktops walk read these lines too (tests/e2e/places.py): one target a
// line, as written here.
struct ClickTarget {
    int x, y;
};

namespace click_target {

inline constexpr ClickTarget engbut { 188, 448 };
inline constexpr ClickTarget afrbut { 186, 276 };
inline constexpr ClickTarget okbut { 697, 426 };
inline constexpr ClickTarget listbut { 423, 300 };
inline constexpr ClickTarget first_name_in_list { 250, 322 };
inline constexpr ClickTarget backbut { 689, 512 };
inline constexpr ClickTarget exitbut { 689, 104 };
inline constexpr ClickTarget reportbut { 689, 312 };
inline constexpr ClickTarget mutebut { 60, 55 };
inline constexpr ClickTarget farewell_exit { 762, 570 };
// The thinking item below where its overlay opens, and a sub-choice on it.
inline constexpr ClickTarget thinking_item { 320, 350 };
inline constexpr ClickTarget thinking_second { 272, 280 };

// The middle of a zone of the menu, as the catalogue places it.
constexpr ClickTarget zone(std::string_view component)
{
    auto const& b = activity_catalogue::row_of(component)->bounds;
    return { b.left + b.width / 2, b.top + b.height / 2 };
}

}

// The xdotool commands that move the pointer to a target, and click there.
inline std::string pointer_to(ClickTarget at)
{
    return "xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y);
}
inline std::string click_on(ClickTarget at) { return pointer_to(at) + " click 1"; }
