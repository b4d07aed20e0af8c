#include "Paint.h"

#include <cmath>

Colour mix(Colour a, Colour b, double t)
{
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t };
}

void set_colour(cairo_t* cr, Colour c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void fill_and_outline(cairo_t* cr, Colour fill, Colour line, double line_width)
{
    set_colour(cr, fill);
    if (line_width <= 0) {
        cairo_fill(cr);
        return;
    }
    cairo_fill_preserve(cr);
    set_colour(cr, line);
    cairo_set_line_width(cr, line_width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void shadow_path(cairo_t* cr, double offset, double alpha)
{
    cairo_save(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_translate(cr, offset, offset);
    cairo_append_path(cr, path);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
}

namespace {

void select_face(cairo_t* cr, double size, Weight weight)
{
    cairo_select_font_face(cr, "Andika", CAIRO_FONT_SLANT_NORMAL,
        weight == Weight::bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

}

double text_width(cairo_t* cr, std::string const& text, double size, Weight weight)
{
    select_face(cr, size, weight);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

void draw_text(cairo_t* cr, std::string const& text, double cx, double cy, double size, Colour fill,
    Colour outline, double outline_width, Weight weight)
{
    select_face(cr, size, weight);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    // Centre on the letters' x-height band so lines with and without
    // descenders sit at the same place.
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double baseline = cy + size * 0.35;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - ext.x_advance / 2, baseline);
    cairo_text_path(cr, text.c_str());
    if (outline_width > 0) {
        set_colour(cr, outline);
        cairo_set_line_width(cr, outline_width * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    set_colour(cr, fill);
    cairo_fill(cr);
}

void draw_star(cairo_t* cr, double cx, double cy, double outer, double inner, Colour fill)
{
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5;
        double r = i % 2 ? inner : outer;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    fill_and_outline(cr, fill, mix(fill, colours::ink, 0.55), outer * 0.08);
}

void draw_flower(cairo_t* cr, double cx, double cy, double r, Colour petals)
{
    set_colour(cr, mix(colours::green, colours::ink, 0.2));
    cairo_set_line_width(cr, r * 0.25);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy + r * 3);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * M_PI / 5;
        ellipse(cr, cx + r * 0.7 * std::cos(a), cy + r * 0.7 * std::sin(a), r * 0.55, r * 0.55);
        fill_and_outline(cr, petals, mix(petals, colours::ink, 0.4), r * 0.08);
    }
    ellipse(cr, cx, cy, r * 0.42, r * 0.42);
    fill_and_outline(cr, colours::yellow, colours::orange, r * 0.08);
}

void draw_sun(cairo_t* cr, double cx, double cy, double r)
{
    set_colour(cr, colours::yellow);
    cairo_set_line_width(cr, r * 0.14);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        cairo_move_to(cr, cx + r * 1.2 * std::cos(a), cy + r * 1.2 * std::sin(a));
        cairo_line_to(cr, cx + r * 1.5 * std::cos(a), cy + r * 1.5 * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, r * 0.1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(glow, 0, 1, 0.97, 0.6);
    cairo_pattern_add_color_stop_rgb(glow, 1, 1, 0.80, 0.10);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    // A friendly face: two eyes and a smile.
    set_colour(cr, mix(colours::orange, colours::ink, 0.4));
    cairo_arc(cr, cx - r * 0.32, cy - r * 0.15, r * 0.09, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_arc(cr, cx + r * 0.32, cy - r * 0.15, r * 0.09, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_line_width(cr, r * 0.08);
    cairo_arc(cr, cx, cy + r * 0.05, r * 0.45, M_PI * 0.2, M_PI * 0.8);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void draw_cloud(cairo_t* cr, double cx, double cy, double scale)
{
    cairo_new_path(cr);
    double const bumps[][3] = { { -40, 5, 22 }, { -15, -12, 28 }, { 18, -8, 26 }, { 42, 6, 20 }, { 0, 10, 24 } };
    for (auto const& b : bumps) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + b[0] * scale, cy + b[1] * scale, b[2] * scale, 0, 2 * M_PI);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
    cairo_fill(cr);
}

void draw_pointing_hand(cairo_t* cr, double line_width)
{
    // Outline of a glove: the index finger up, the thumb to the left, the
    // folded fingers forming the palm.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0.02);
    cairo_curve_to(cr, 0.07, 0.0, 0.12, 0.03, 0.12, 0.10);
    cairo_line_to(cr, 0.12, 0.38);
    cairo_curve_to(cr, 0.20, 0.33, 0.27, 0.36, 0.28, 0.42);
    cairo_curve_to(cr, 0.36, 0.38, 0.43, 0.42, 0.44, 0.48);
    cairo_curve_to(cr, 0.52, 0.45, 0.60, 0.50, 0.60, 0.58);
    cairo_line_to(cr, 0.58, 0.80);
    cairo_curve_to(cr, 0.56, 0.92, 0.48, 0.98, 0.36, 0.98);
    cairo_line_to(cr, 0.14, 0.98);
    cairo_curve_to(cr, 0.02, 0.98, -0.06, 0.88, -0.12, 0.76);
    cairo_line_to(cr, -0.26, 0.52);
    cairo_curve_to(cr, -0.30, 0.44, -0.20, 0.38, -0.13, 0.46);
    cairo_line_to(cr, -0.12, 0.48);
    cairo_line_to(cr, -0.12, 0.10);
    cairo_curve_to(cr, -0.12, 0.03, -0.07, 0.0, 0, 0.02);
    cairo_close_path(cr);
    fill_and_outline(cr, colours::white, colours::ink, line_width);
    // Creases between the folded fingers.
    set_colour(cr, colours::ink);
    cairo_set_line_width(cr, line_width * 0.7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 0.28, 0.42);
    cairo_line_to(cr, 0.28, 0.56);
    cairo_move_to(cr, 0.44, 0.48);
    cairo_line_to(cr, 0.44, 0.60);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}
