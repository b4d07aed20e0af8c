#include "AppIcon.h"

#include "Mascot.h"
#include "Paint.h"
#include "Surface.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

// Drawn in a square of `size` units, so every size is the same picture.
void draw_app_icon(cairo_t* cr, double size)
{
    double const margin = size * 0.04;
    double const tile = size - 2 * margin;
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, margin, 0, size - margin);
    cairo_pattern_add_color_stop_rgb(sky, 0, colours::sky.r, colours::sky.g, colours::sky.b);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.85, 0.95, 1.0);
    rounded_rect(cr, margin, margin, tile, tile, size * 0.18);
    cairo_set_source(cr, sky);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sky);

    cairo_save(cr);
    cairo_clip(cr);
    ellipse(cr, size / 2, size * 1.02, size * 0.75, size * 0.26);
    set_colour(cr, colours::green);
    cairo_fill(cr);
    draw_sun(cr, size * 0.8, size * 0.2, size * 0.09);
    cairo_restore(cr);

    double const scale = size * 0.84 / Mascot::height;
    cairo_save(cr);
    cairo_translate(cr, (size - Mascot::width * scale) / 2, size * 0.1);
    cairo_scale(cr, scale, scale);
    Mascot({ Mascot::Gaze::front, Mascot::Mouth::wide, false, 0, 0, 1 }).draw(cr);
    cairo_restore(cr);
}

void write_svg(std::string const& path, double size)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_svg_surface_create(path.c_str(), size, size), cairo_surface_destroy);
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface.get());
    draw_app_icon(cr, size);
    cairo_destroy(cr);
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

}

void write_app_icons(std::string const& folder, std::string const& name)
{
    for (int size : { 48, 64, 128, 256 }) {
        std::string const apps = folder + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(apps);
        Surface s(size, size);
        draw_app_icon(s.cr(), size);
        s.write_png(apps + "/" + name + ".png");
    }
    std::filesystem::create_directories(folder + "/scalable/apps");
    write_svg(folder + "/scalable/apps/" + name + ".svg", 256);
}
