#pragma once

#include "ActivityStart.h"
#include "CardScreen.h"
#include "ProgressReport.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The report on the screen: the current student's bars above, the table of
// every student below (scrolled by the wheel or the arrow keys), the exit
// button at the top right; or a friendly word when there is nothing to show.
class ReportView {
public:
    ReportView(CardScreen& screen, ProgressReport const& report, ActivityStart const& start);

    void draw();
    CardScreen::Next handle(SDL_Event const& e);

    // Where the bars begin and how they grow: tests measure them.
    static constexpr int bar_left = 330;
    static constexpr int bar_room = 380;
    static constexpr int bar_unit = 24;
    static constexpr int first_bar_top = 116;
    // The bars share the panel, 36 pixels each while they fit.
    static constexpr int bar_step = std::min(36, 288 / int(activity_catalogue::activity_slots.size()));
    static constexpr int bar_height = 22;
    static constexpr SDL_Rect exit_button { 716, 8, 76, 74 };

private:
    void draw_header();
    void draw_bars(StudentRow const& row);
    void draw_no_plays();
    void draw_table();
    void draw_message();
    void draw_exit_button();
    bool scroll(std::ptrdiff_t rows);

    CardScreen& m_screen;
    ProgressReport const& m_report;
    ActivityStart const& m_start;
    std::array<SdlHandle<SDL_Texture>, activity_catalogue::highest_slot + 1> m_pictures;
    SdlHandle<SDL_Texture> m_exit_rest, m_exit_hover;
    bool m_exit_hovered = false;
    std::size_t m_first_row = 0;
};
