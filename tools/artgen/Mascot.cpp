#include "Mascot.h"

#include "Paint.h"

#include <cmath>

namespace {

constexpr Colour body_colour { 0.88, 0.40, 0.22 };
constexpr Colour belly_colour { 0.98, 0.66, 0.42 };
constexpr Colour shoe_colour { 0.22, 0.50, 0.95 };
constexpr Colour mouth_colour { 0.55, 0.10, 0.15 };
constexpr double line = 1.8;

Colour outline_of(Colour c)
{
    return mix(c, colours::ink, 0.6);
}

void limb(cairo_t* cr, double x0, double y0, double cx, double cy, double x1, double y1)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, cx, cy, cx, cy, x1, y1);
    set_colour(cr, outline_of(body_colour));
    cairo_set_line_width(cr, 6.5);
    cairo_stroke_preserve(cr);
    set_colour(cr, body_colour);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

}

Mascot::Mascot(Pose pose)
    : m_pose(pose)
{
}

void Mascot::draw(cairo_t* cr) const
{
    cairo_save(cr);
    draw_legs(cr);
    draw_body(cr);
    draw_arms(cr);
    draw_head(cr);
    cairo_restore(cr);
}

void Mascot::draw_legs(cairo_t* cr) const
{
    double swing = m_pose.step * 6;
    limb(cr, 31, 120, 30, 134, 28 + swing, 142);
    limb(cr, 44, 120, 45, 134, 47 - swing, 142);
    ellipse(cr, 25 + swing, 145, 9, 5);
    fill_and_outline(cr, shoe_colour, outline_of(shoe_colour), line);
    ellipse(cr, 50 - swing, 145, 9, 5);
    fill_and_outline(cr, shoe_colour, outline_of(shoe_colour), line);
}

void Mascot::draw_body(cairo_t* cr) const
{
    ellipse(cr, 37.5, 106, 19, 21);
    fill_and_outline(cr, body_colour, outline_of(body_colour), line);
    ellipse(cr, 37.5, 109, 11, 14);
    set_colour(cr, belly_colour);
    cairo_fill(cr);
    rounded_rect(cr, 33, 52, 9, 14, 3);
    fill_and_outline(cr, body_colour, outline_of(body_colour), line);
    ellipse(cr, 37.5, 75, 13, 12);
    fill_and_outline(cr, body_colour, outline_of(body_colour), line);
}

void Mascot::draw_arms(cairo_t* cr) const
{
    // The left arm rests; the right one waves as far as `wave` says.
    limb(cr, 28, 72, 16, 80, 12, 94);
    double a = m_pose.wave;
    double hx = 63 + 3 * a, hy = 94 - 46 * a;
    limb(cr, 47, 72, 59, 80 - 18 * a, hx, hy);
    auto glove = [cr](double x, double y) {
        ellipse(cr, x, y, 5.5, 5.5);
        fill_and_outline(cr, colours::white, colours::ink, line * 0.8);
    };
    glove(12, 94);
    glove(hx, hy);
}

void Mascot::draw_head(cairo_t* cr) const
{
    double cx = 37.5 + m_pose.head_dx, cy = 38 + m_pose.head_dy;
    double face = m_pose.gaze == Gaze::left ? -4 : m_pose.gaze == Gaze::right ? 4 : 0;

    // Antennae with round tips, and the sprout between them.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_colour(cr, outline_of(body_colour));
    cairo_set_line_width(cr, 2.2);
    for (int side : { -1, 1 }) {
        cairo_move_to(cr, cx + side * 8 + face * 0.5, cy - 17);
        cairo_curve_to(cr, cx + side * 10, cy - 28, cx + side * 16, cy - 30, cx + side * 18, cy - 33);
        cairo_stroke(cr);
    }
    for (int side : { -1, 1 }) {
        ellipse(cr, cx + side * 18, cy - 33, 3.6, 3.6);
        fill_and_outline(cr, colours::pink, outline_of(colours::pink), 1.2);
    }
    set_colour(cr, mix(colours::green, colours::ink, 0.3));
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, cx, cy - 20);
    cairo_curve_to(cr, cx, cy - 26, cx + 1, cy - 28, cx, cy - 30);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int side : { -1, 1 }) {
        cairo_move_to(cr, cx, cy - 29);
        cairo_curve_to(cr, cx + side * 3, cy - 37, cx + side * 10, cy - 36, cx + side * 11, cy - 33);
        cairo_curve_to(cr, cx + side * 8, cy - 28, cx + side * 3, cy - 27, cx, cy - 29);
        fill_and_outline(cr, colours::green, mix(colours::green, colours::ink, 0.5), 1.0);
    }

    ellipse(cr, cx, cy, 22, 20);
    fill_and_outline(cr, body_colour, outline_of(body_colour), line);
    // Rosy cheeks and a shine make the face friendlier.
    for (int side : { -1, 1 }) {
        ellipse(cr, cx + face + side * 13, cy + 8, 4.5, 3);
        set_colour(cr, colours::pink, 0.75);
        cairo_fill(cr);
    }
    ellipse(cr, cx - 9, cy - 12, 5, 2.5);
    set_colour(cr, colours::white, 0.45);
    cairo_fill(cr);

    draw_eyes(cr, cx + face, cy - 3);
    draw_mouth(cr, cx + face * 0.8, cy + 10);
}

void Mascot::draw_eyes(cairo_t* cr, double cx, double cy) const
{
    double look = m_pose.gaze == Gaze::left ? -2.5 : m_pose.gaze == Gaze::right ? 2.5 : 0;
    for (int side : { -1, 1 }) {
        double ex = cx + side * 8.5;
        if (m_pose.blink) {
            set_colour(cr, colours::ink);
            cairo_set_line_width(cr, 2);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_arc_negative(cr, ex, cy - 1, 5, M_PI * 0.85, M_PI * 0.15);
            cairo_stroke(cr);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
            continue;
        }
        ellipse(cr, ex, cy, 6.5, 8);
        fill_and_outline(cr, colours::white, colours::ink, 1.3);
        ellipse(cr, ex + look, cy + 1.5, 3.6, 4.3);
        set_colour(cr, colours::ink);
        cairo_fill(cr);
        ellipse(cr, ex + look + 1.2, cy - 0.3, 1.3, 1.3);
        set_colour(cr, colours::white);
        cairo_fill(cr);
    }
}

void Mascot::draw_mouth(cairo_t* cr, double cx, double cy) const
{
    cairo_new_path(cr);
    switch (m_pose.mouth) {
    case Mouth::closed:
        set_colour(cr, colours::ink);
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_arc(cr, cx, cy - 5, 7, M_PI * 0.2, M_PI * 0.8);
        cairo_stroke(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        return;
    case Mouth::small_round:
        ellipse(cr, cx, cy, 3.5, 4);
        break;
    case Mouth::wide:
        cairo_move_to(cr, cx - 8, cy - 3);
        cairo_line_to(cr, cx + 8, cy - 3);
        cairo_arc(cr, cx, cy - 3, 8, 0, M_PI);
        cairo_close_path(cr);
        break;
    case Mouth::tall:
        ellipse(cr, cx, cy, 5, 6.5);
        break;
    case Mouth::flat:
        rounded_rect(cr, cx - 8, cy - 3, 16, 6.5, 3);
        break;
    case Mouth::half:
        cairo_move_to(cr, cx - 6, cy - 3);
        cairo_line_to(cr, cx + 6, cy - 3);
        cairo_arc(cr, cx, cy - 3, 6, 0, M_PI);
        cairo_close_path(cr);
        break;
    }
    cairo_path_t* shape = cairo_copy_path(cr);
    set_colour(cr, mouth_colour);
    cairo_fill(cr);
    // A tongue at the bottom of every open mouth, clipped to the mouth.
    cairo_save(cr);
    cairo_append_path(cr, shape);
    cairo_clip(cr);
    ellipse(cr, cx, cy + 5, 5, 3.5);
    set_colour(cr, colours::pink);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_append_path(cr, shape);
    set_colour(cr, colours::ink);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_path_destroy(shape);
}
