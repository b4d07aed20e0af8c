// Draws the pictures stored with the forms' design.
// usage: sprout-artgen design FOLDER
#include "Drawing.h"

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

void draw_first_background(std::string const& folder)
{
    Surface s(800, 600);
    cairo_t* cr = s.cr();
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 600);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.55, 0.80, 0.98);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.85, 0.94, 1.0);
    cairo_pattern_add_color_stop_rgb(sky, 0.7, 0.45, 0.78, 0.35);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.30, 0.62, 0.25);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_set_source_rgb(cr, 1.0, 0.85, 0.2);
    cairo_arc(cr, 680, 110, 60, 0, 2 * M_PI);
    cairo_fill(cr);
    s.write_jpeg(folder + "/backimage.jpg");
}

// The pointing hand of cursor 31; its fingertip is the hot spot at 5, 2.
void draw_cursor(std::string const& folder)
{
    Surface s(32, 32);
    cairo_t* cr = s.cr();
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 5, 2);
    cairo_curve_to(cr, 8, 1, 9, 3, 9, 5);
    cairo_line_to(cr, 9, 14);
    cairo_line_to(cr, 20, 14);
    cairo_curve_to(cr, 26, 14, 28, 18, 28, 22);
    cairo_line_to(cr, 27, 30);
    cairo_line_to(cr, 9, 30);
    cairo_line_to(cr, 2, 20);
    cairo_curve_to(cr, 1, 17, 4, 16, 5, 18);
    cairo_line_to(cr, 3, 5);
    cairo_curve_to(cr, 3, 3, 4, 2, 5, 2);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
    s.write_png(folder + "/cursor31.png");
}

}

int main(int argc, char** argv)
{
    if (argc != 3 || std::string(argv[1]) != "design") {
        std::cerr << "usage: sprout-artgen design FOLDER\n";
        return 2;
    }
    std::string folder = argv[2];
    std::filesystem::create_directories(folder);
    draw_first_background(folder);
    draw_cursor(folder);
    return 0;
}
