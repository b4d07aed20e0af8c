#include "Scene.h"

#include "Paint.h"

#include <array>

namespace {

void hill(cairo_t* cr, double width, double height, double top, double swell, Colour c)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 0, height);
    cairo_line_to(cr, 0, top + swell);
    cairo_curve_to(cr, width * 0.3, top - swell, width * 0.6, top + swell * 1.5, width, top - swell * 0.5);
    cairo_line_to(cr, width, height);
    cairo_close_path(cr);
    set_colour(cr, c);
    cairo_fill(cr);
}

}

void draw_meadow(cairo_t* cr, double width, double height, Sun sun)
{
    cairo_save(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.42, 0.74, 0.98);
    cairo_pattern_add_color_stop_rgb(sky, 0.75, 0.82, 0.93, 1.0);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    if (sun == Sun::shown)
        draw_sun(cr, width * 0.68, height * 0.11, height * 0.06);
    draw_cloud(cr, width * 0.34, height * 0.12, height / 600);
    draw_cloud(cr, width * 0.78, height * 0.26, height / 800);
    draw_cloud(cr, width * 0.12, height * 0.30, height / 1000);

    hill(cr, width, height, height * 0.62, height * 0.04, { 0.56, 0.83, 0.38 });
    hill(cr, width, height, height * 0.74, -height * 0.03, { 0.42, 0.74, 0.28 });

    // Flowers scattered along the grass, fixed so every build is the same.
    struct Spot {
        double x, y, r;
        Colour c;
    };
    std::array<Spot, 7> const flowers { {
        { 0.05, 0.83, 0.012, colours::pink },
        { 0.17, 0.93, 0.014, colours::yellow },
        { 0.30, 0.86, 0.011, colours::purple },
        { 0.46, 0.95, 0.013, colours::red },
        { 0.63, 0.88, 0.012, colours::white },
        { 0.80, 0.94, 0.014, colours::pink },
        { 0.94, 0.84, 0.011, colours::yellow },
    } };
    for (auto const& f : flowers)
        draw_flower(cr, width * f.x, height * f.y, height * f.r, f.c);
    cairo_restore(cr);
}
