#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

// What each hot zone of the activity menu is, and each activity slot: the
// window designs and wires its zones from here, the menu speaks and starts
// from here, and the demo package's programs, voices, cards and report are
// made from here. A new menu item is a row here, its component in TForm1 and
// its artwork.
namespace activity_catalogue {

// Which hover the zone's pointer moves run: an item's, a sub-choice's under
// one of the two items that open sub-choices, or none for the report's image
// button, which is designed with the window's other buttons.
enum class Group { Item, Thinking, Perception, Button };

struct Words {
    std::string_view afrikaans;
    std::string_view english;
};

struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Row {
    std::string_view component;
    Group group;
    int tag = 0;
    Bounds bounds;
    // The zone's mark in the spoken, pending and hover flags, and the voice
    // file of its name; 0 and "" for a zone whose name is never spoken.
    int flag = 0;
    std::string_view prompt;
    // The activity a click selects and its program, relative to the install
    // folder; 0 for a zone without a click. The register counts each
    // activity's plays in the entry numbered as its slot.
    int slot = 0;
    std::string_view program;
    // The click also stops the check for the end of the prompt sequence.
    bool click_stops_prompts = false;
    // An item whose pointer moves open the sub-choices of this group.
    std::optional<Group> opens;
    // What a child hears and reads for the zone, in both languages.
    Words name;
};

inline constexpr std::array rows {
    Row { .component = "Image1", .group = Group::Item, .tag = 1, .bounds = { 48, 200, 169, 161 }, .flag = 1,
        .prompt = "m1", .slot = 1, .program = "language/language.exe", .click_stops_prompts = true,
        .name = { "Taal", "Language" } },
    Row { .component = "Image2", .group = Group::Item, .tag = 2, .bounds = { 232, 200, 185, 161 },
        .opens = Group::Thinking, .name = { "Denke", "Thinking" } },
    Row { .component = "Image3", .group = Group::Item, .tag = 3, .bounds = { 440, 200, 185, 161 }, .flag = 3,
        .prompt = "m3", .slot = 4, .program = "maths/maths.exe", .name = { "Wiskunde", "Maths" } },
    Row { .component = "Image6", .group = Group::Item, .tag = 4, .bounds = { 40, 368, 177, 185 }, .flag = 4,
        .prompt = "m4", .slot = 5, .program = "memory/memory.exe", .name = { "Geheue", "Memory" } },
    Row { .component = "Image5", .group = Group::Item, .tag = 5, .bounds = { 224, 376, 201, 169 }, .flag = 5,
        .prompt = "m5", .slot = 6, .program = "creative/colouring.exe", .name = { "Inkleur", "Colouring" } },
    Row { .component = "Image4", .group = Group::Item, .tag = 6, .bounds = { 432, 376, 185, 169 },
        .opens = Group::Perception, .name = { "Waarneming", "Perception" } },
    Row { .component = "denke_but1", .group = Group::Thinking, .tag = 2, .bounds = { 216, 228, 113, 102 }, .flag = 9,
        .prompt = "m2_2", .slot = 3, .program = "thinking2/association.exe", .click_stops_prompts = true,
        .name = { "Wat pas bymekaar?", "What goes together?" } },
    Row { .component = "denke_but2", .group = Group::Thinking, .tag = 1, .bounds = { 336, 228, 94, 102 }, .flag = 8,
        .prompt = "m2_1", .slot = 2, .program = "thinking1/puzzle.exe", .name = { "Legkaart", "Puzzle" } },
    Row { .component = "persepsie_but1", .group = Group::Perception, .tag = 2, .bounds = { 416, 409, 113, 102 },
        .flag = 7, .prompt = "m6_2", .slot = 8, .program = "perception_2/perception_2.exe",
        .click_stops_prompts = true, .name = { "Waarneming twee", "Perception two" } },
    Row { .component = "persepsie_but2", .group = Group::Perception, .tag = 1, .bounds = { 536, 410, 97, 102 },
        .flag = 6, .prompt = "m6_1", .slot = 7, .program = "perception_1/perception.exe",
        .name = { "Waarneming een", "Perception one" } },
    Row { .component = "reportbut", .group = Group::Button, .slot = 9, .program = "progress/progress.exe",
        .name = { "Verslag", "Report" } },
};

// The highest slot and flag: arrays indexed by them are one larger, index 0
// unused.
inline constexpr int highest_slot = std::ranges::max(rows, {}, &Row::slot).slot;
inline constexpr int highest_flag = std::ranges::max(rows, {}, &Row::flag).flag;

// The row of a component, if it is a zone of the menu.
constexpr Row const* row_of(std::string_view component)
{
    auto const found = std::ranges::find(rows, component, &Row::component);
    return found == rows.end() ? nullptr : &*found;
}

// The slot of the progress report, which shows the plays of all the others.
inline constexpr int report_slot = row_of("reportbut")->slot;

// The slots of the activities a child plays, that is every slot but the
// report's, in order.
inline constexpr auto activity_slots = [] {
    auto const played = [](Row const& row) { return row.slot != 0 && row.slot != report_slot; };
    std::array<int, std::ranges::count_if(rows, played)> slots {};
    auto out = slots.begin();
    for (Row const& row : rows)
        if (played(row))
            *out++ = row.slot;
    std::ranges::sort(slots);
    return slots;
}();

// The row of a zone flag, if one has it.
constexpr Row const* row_of_flag(int flag)
{
    auto const found = std::ranges::find(rows, flag, &Row::flag);
    return flag == 0 || found == rows.end() ? nullptr : &*found;
}

// The row of a slot, if one has it.
constexpr Row const* row_of_slot(int slot)
{
    auto const found = std::ranges::find(rows, slot, &Row::slot);
    return slot == 0 || found == rows.end() ? nullptr : &*found;
}

}
