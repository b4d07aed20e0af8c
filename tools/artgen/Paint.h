#pragma once

#include <cairo.h>

#include <string>

// Small drawing helpers shared by every picture: colours, shapes and
// outlined text in the package's child-friendly face.
struct Colour {
    double r, g, b;
};

namespace colours {
inline constexpr Colour white { 1, 1, 1 };
inline constexpr Colour ink { 0.16, 0.12, 0.22 };
inline constexpr Colour red { 0.93, 0.26, 0.22 };
inline constexpr Colour orange { 0.98, 0.55, 0.12 };
inline constexpr Colour yellow { 1.0, 0.84, 0.16 };
inline constexpr Colour green { 0.30, 0.72, 0.25 };
inline constexpr Colour blue { 0.20, 0.52, 0.92 };
inline constexpr Colour purple { 0.58, 0.32, 0.80 };
inline constexpr Colour pink { 0.96, 0.45, 0.66 };
inline constexpr Colour sky { 0.55, 0.80, 0.98 };
}

Colour mix(Colour a, Colour b, double t);
void set_colour(cairo_t* cr, Colour c, double alpha = 1);

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// Fills the current path and strokes its outline, clearing the path.
void fill_and_outline(cairo_t* cr, Colour fill, Colour line, double line_width);
// A soft shadow of the current path, offset down and right; keeps the path.
void shadow_path(cairo_t* cr, double offset, double alpha = 0.25);

enum class Weight { regular, bold };
// Text centred on cx, with its visual middle at cy, filled and outlined.
void draw_text(cairo_t* cr, std::string const& text, double cx, double cy, double size, Colour fill,
    Colour outline, double outline_width = 0, Weight weight = Weight::bold);
double text_width(cairo_t* cr, std::string const& text, double size, Weight weight = Weight::bold);

void draw_star(cairo_t* cr, double cx, double cy, double outer, double inner, Colour fill);
void draw_flower(cairo_t* cr, double cx, double cy, double r, Colour petals);
void draw_sun(cairo_t* cr, double cx, double cy, double r);
void draw_cloud(cairo_t* cr, double cx, double cy, double scale);
// A white glove pointing along -y with the fingertip at 0, 0 and about 1 unit
// long; callers place and scale it with the current matrix.
void draw_pointing_hand(cairo_t* cr, double line_width);
