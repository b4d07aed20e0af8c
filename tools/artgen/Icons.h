#pragma once

#include <cairo.h>

// Simple, bold pictures for buttons and menu items. Each is drawn centred
// on cx, cy and fits a square of `size` pixels.
enum class Icon {
    door,
    tick,
    arrow_back,
    list,
    chart,
    speaker,
    speech_bubble,
    light_bulb,
    numbers,
    cards,
    palette,
    magnifier,
    puzzle_piece,
    bee_and_flower,
};

void draw_icon(cairo_t* cr, Icon icon, double cx, double cy, double size);
