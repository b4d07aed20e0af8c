#include "Icons.h"

#include "Paint.h"

#include <cmath>

namespace {

// All icons work in a unit square from -0.5 to 0.5.
constexpr double lw = 0.045;

Colour dark(Colour c)
{
    return mix(c, colours::ink, 0.55);
}

void shape(cairo_t* cr, Colour c)
{
    fill_and_outline(cr, c, dark(c), lw);
}

void thick_line(cairo_t* cr, Colour c, double width)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_path_t* path = cairo_copy_path(cr);
    set_colour(cr, dark(c));
    cairo_set_line_width(cr, width + 2 * lw);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
    set_colour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void door(cairo_t* cr)
{
    rounded_rect(cr, -0.30, -0.42, 0.52, 0.84, 0.05);
    shape(cr, colours::white);
    // The door stands ajar: a skewed panel with a knob.
    cairo_move_to(cr, -0.24, -0.36);
    cairo_line_to(cr, 0.06, -0.44);
    cairo_line_to(cr, 0.06, 0.46);
    cairo_line_to(cr, -0.24, 0.36);
    cairo_close_path(cr);
    shape(cr, { 0.72, 0.45, 0.22 });
    ellipse(cr, 0.0, 0.02, 0.04, 0.04);
    shape(cr, colours::yellow);
    cairo_move_to(cr, 0.16, 0.0);
    cairo_line_to(cr, 0.42, 0.0);
    thick_line(cr, colours::yellow, 0.09);
    cairo_move_to(cr, 0.32, -0.1);
    cairo_line_to(cr, 0.43, 0.0);
    cairo_line_to(cr, 0.32, 0.1);
    thick_line(cr, colours::yellow, 0.09);
}

void tick(cairo_t* cr)
{
    cairo_move_to(cr, -0.34, 0.02);
    cairo_line_to(cr, -0.1, 0.28);
    cairo_line_to(cr, 0.36, -0.3);
    thick_line(cr, colours::white, 0.16);
}

void arrow_back(cairo_t* cr)
{
    cairo_move_to(cr, 0.30, 0.32);
    cairo_curve_to(cr, 0.40, 0.0, 0.25, -0.12, -0.05, -0.12);
    cairo_line_to(cr, -0.22, -0.12);
    thick_line(cr, colours::white, 0.14);
    cairo_move_to(cr, -0.42, -0.12);
    cairo_line_to(cr, -0.12, -0.36);
    cairo_line_to(cr, -0.12, 0.12);
    cairo_close_path(cr);
    shape(cr, colours::white);
}

void list(cairo_t* cr)
{
    Colour const dots[] = { colours::red, colours::yellow, colours::green };
    for (int i = 0; i < 3; ++i) {
        double y = -0.26 + i * 0.26;
        ellipse(cr, -0.28, y, 0.08, 0.08);
        shape(cr, dots[i]);
        cairo_move_to(cr, -0.1, y);
        cairo_line_to(cr, 0.34, y);
        thick_line(cr, colours::white, 0.1);
    }
}

void chart(cairo_t* cr)
{
    Colour const bars[] = { colours::red, colours::yellow, colours::green };
    double const heights[] = { 0.35, 0.55, 0.8 };
    for (int i = 0; i < 3; ++i) {
        rounded_rect(cr, -0.34 + i * 0.24, 0.38 - heights[i], 0.19, heights[i], 0.03);
        shape(cr, bars[i]);
    }
    cairo_move_to(cr, -0.42, 0.4);
    cairo_line_to(cr, 0.42, 0.4);
    thick_line(cr, colours::white, 0.06);
}

void speaker(cairo_t* cr)
{
    cairo_move_to(cr, -0.40, -0.13);
    cairo_line_to(cr, -0.2, -0.13);
    cairo_line_to(cr, 0.05, -0.36);
    cairo_line_to(cr, 0.05, 0.36);
    cairo_line_to(cr, -0.2, 0.13);
    cairo_line_to(cr, -0.40, 0.13);
    cairo_close_path(cr);
    shape(cr, colours::white);
    for (int i = 1; i <= 2; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, 0.05, 0, 0.15 * i + 0.03, -M_PI / 4, M_PI / 4);
        thick_line(cr, colours::white, 0.07);
    }
}

void speech_bubble(cairo_t* cr)
{
    rounded_rect(cr, -0.48, -0.40, 0.96, 0.62, 0.18);
    cairo_move_to(cr, -0.20, 0.18);
    cairo_line_to(cr, -0.30, 0.44);
    cairo_line_to(cr, 0.02, 0.18);
    shape(cr, colours::white);
    Colour const letters[] = { colours::red, colours::green, colours::blue };
    char const* text[] = { "a", "b", "c" };
    for (int i = 0; i < 3; ++i)
        draw_text(cr, text[i], -0.26 + i * 0.26, -0.12, 0.40, letters[i], dark(letters[i]), 0.012);
}

void light_bulb(cairo_t* cr)
{
    set_colour(cr, colours::yellow, 0.5);
    cairo_set_line_width(cr, 0.05);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 7; ++i) {
        double a = M_PI + i * M_PI / 6;
        cairo_move_to(cr, 0.36 * std::cos(a), -0.12 + 0.36 * std::sin(a));
        cairo_line_to(cr, 0.48 * std::cos(a), -0.12 + 0.48 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 0, -0.12, 0.28, M_PI * 0.8, M_PI * 2.2);
    cairo_line_to(cr, 0.12, 0.22);
    cairo_line_to(cr, -0.12, 0.22);
    cairo_close_path(cr);
    shape(cr, colours::yellow);
    rounded_rect(cr, -0.13, 0.22, 0.26, 0.2, 0.05);
    shape(cr, { 0.65, 0.68, 0.75 });
    // A smile in the bulb.
    cairo_new_path(cr);
    cairo_arc(cr, 0, -0.14, 0.12, M_PI * 0.2, M_PI * 0.8);
    set_colour(cr, colours::ink);
    cairo_set_line_width(cr, 0.035);
    cairo_stroke(cr);
    for (int side : { -1, 1 }) {
        ellipse(cr, side * 0.08, -0.2, 0.03, 0.03);
        cairo_fill(cr);
    }
}

void numbers(cairo_t* cr)
{
    Colour const c[] = { colours::red, colours::blue, colours::green };
    char const* text[] = { "1", "2", "3" };
    for (int i = 0; i < 3; ++i)
        draw_text(cr, text[i], -0.32 + i * 0.32, -0.12 + (i % 2) * 0.08, 0.56, c[i], dark(c[i]), 0.02);
    for (int i = 0; i < 6; ++i) {
        ellipse(cr, -0.38 + i * 0.152, 0.36, 0.06, 0.06);
        shape(cr, colours::orange);
    }
}

void cards(cairo_t* cr)
{
    // Two cards turned up with the same star, one still face down.
    rounded_rect(cr, -0.48, -0.34, 0.30, 0.42, 0.05);
    shape(cr, colours::blue);
    for (double x : { -0.13, 0.2 }) {
        rounded_rect(cr, x, -0.30 + (x > 0 ? 0.18 : 0), 0.30, 0.42, 0.05);
        shape(cr, colours::white);
        draw_star(cr, x + 0.15, -0.08 + (x > 0 ? 0.18 : 0), 0.12, 0.055, colours::yellow);
    }
    draw_text(cr, "?", -0.33, -0.12, 0.28, colours::white, dark(colours::blue), 0.01);
}

void palette(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 0.05, -0.38);
    cairo_curve_to(cr, 0.45, -0.38, 0.52, 0.05, 0.40, 0.22);
    cairo_curve_to(cr, 0.25, 0.42, 0.0, 0.30, -0.05, 0.38);
    cairo_curve_to(cr, -0.12, 0.48, -0.48, 0.40, -0.46, 0.0);
    cairo_curve_to(cr, -0.44, -0.30, -0.20, -0.38, 0.05, -0.38);
    cairo_close_path(cr);
    shape(cr, { 0.93, 0.78, 0.55 });
    ellipse(cr, 0.1, 0.18, 0.07, 0.06);
    set_colour(cr, colours::white);
    cairo_fill(cr);
    Colour const paints[] = { colours::red, colours::yellow, colours::green, colours::blue, colours::purple };
    double const spots[][2] = { { -0.28, -0.02 }, { -0.18, -0.22 }, { 0.05, -0.25 }, { 0.26, -0.12 }, { -0.22, 0.2 } };
    for (int i = 0; i < 5; ++i) {
        ellipse(cr, spots[i][0], spots[i][1], 0.075, 0.065);
        shape(cr, paints[i]);
    }
    cairo_move_to(cr, 0.46, -0.46);
    cairo_line_to(cr, 0.12, 0.06);
    thick_line(cr, { 0.72, 0.45, 0.22 }, 0.07);
    cairo_move_to(cr, 0.14, 0.02);
    cairo_curve_to(cr, 0.04, 0.12, 0.06, 0.16, 0.0, 0.22);
    cairo_curve_to(cr, 0.1, 0.2, 0.16, 0.16, 0.18, 0.06);
    cairo_close_path(cr);
    shape(cr, colours::red);
}

void magnifier(cairo_t* cr)
{
    cairo_move_to(cr, 0.14, 0.14);
    cairo_line_to(cr, 0.42, 0.42);
    thick_line(cr, { 0.72, 0.45, 0.22 }, 0.13);
    ellipse(cr, -0.1, -0.1, 0.34, 0.34);
    fill_and_outline(cr, { 0.85, 0.95, 1.0 }, colours::ink, lw);
    ellipse(cr, -0.1, -0.1, 0.34, 0.34);
    set_colour(cr, { 0.55, 0.58, 0.65 });
    cairo_set_line_width(cr, 0.07);
    cairo_stroke(cr);
    // Shapes seen through the glass.
    draw_star(cr, -0.2, -0.18, 0.11, 0.05, colours::yellow);
    ellipse(cr, 0.03, -0.2, 0.07, 0.07);
    shape(cr, colours::red);
    cairo_move_to(cr, -0.1, -0.06);
    cairo_line_to(cr, 0.02, 0.1);
    cairo_line_to(cr, -0.22, 0.1);
    cairo_close_path(cr);
    shape(cr, colours::blue);
}

void puzzle_piece(cairo_t* cr)
{
    // A square piece with a knob on the top and right, a hole on the left.
    cairo_move_to(cr, -0.34, -0.26);
    cairo_line_to(cr, -0.1, -0.26);
    cairo_arc(cr, 0.0, -0.30, 0.12, M_PI * 0.75, M_PI * 2.25);
    cairo_line_to(cr, 0.26, -0.26);
    cairo_line_to(cr, 0.26, -0.08);
    cairo_arc(cr, 0.30, 0.02, 0.12, -M_PI * 0.75, M_PI * 0.75);
    cairo_line_to(cr, 0.26, 0.36);
    cairo_line_to(cr, -0.34, 0.36);
    cairo_line_to(cr, -0.34, 0.12);
    cairo_arc_negative(cr, -0.30, 0.02, 0.1, M_PI * 0.7, -M_PI * 0.7);
    cairo_close_path(cr);
    shape(cr, colours::green);
}

void bee_and_flower(cairo_t* cr)
{
    draw_flower(cr, 0.2, 0.02, 0.15, colours::pink);
    cairo_save(cr);
    cairo_translate(cr, -0.2, -0.18);
    for (int side : { -1, 1 }) {
        ellipse(cr, side * 0.06, -0.13, 0.08, 0.11);
        fill_and_outline(cr, { 0.9, 0.97, 1.0 }, colours::ink, lw * 0.6);
    }
    ellipse(cr, 0, 0, 0.17, 0.12);
    cairo_path_t* body = cairo_copy_path(cr);
    shape(cr, colours::yellow);
    cairo_save(cr);
    cairo_append_path(cr, body);
    cairo_clip(cr);
    set_colour(cr, colours::ink);
    for (double x : { -0.06, 0.06 })
        cairo_rectangle(cr, x - 0.025, -0.2, 0.05, 0.4);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_path_destroy(body);
    ellipse(cr, -0.18, 0, 0.07, 0.07);
    shape(cr, colours::ink);
    cairo_restore(cr);
    // A dotted flight path from the bee to the flower.
    set_colour(cr, colours::ink, 0.6);
    for (int i = 0; i < 4; ++i) {
        ellipse(cr, -0.05 + i * 0.07, -0.28 + i * 0.03 + (i % 2) * 0.03, 0.015, 0.015);
        cairo_fill(cr);
    }
}

}

void draw_icon(cairo_t* cr, Icon icon, double cx, double cy, double size)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    cairo_new_path(cr);
    switch (icon) {
    case Icon::door: door(cr); break;
    case Icon::tick: tick(cr); break;
    case Icon::arrow_back: arrow_back(cr); break;
    case Icon::list: list(cr); break;
    case Icon::chart: chart(cr); break;
    case Icon::speaker: speaker(cr); break;
    case Icon::speech_bubble: speech_bubble(cr); break;
    case Icon::light_bulb: light_bulb(cr); break;
    case Icon::numbers: numbers(cr); break;
    case Icon::cards: cards(cr); break;
    case Icon::palette: palette(cr); break;
    case Icon::magnifier: magnifier(cr); break;
    case Icon::puzzle_piece: puzzle_piece(cr); break;
    case Icon::bee_and_flower: bee_and_flower(cr); break;
    }
    cairo_restore(cr);
}
