#include "Tiles.h"

#include <algorithm>
#include <string_view>

void draw_tile(cairo_t* cr, double x, double y, double w, double h, Colour border, Icon icon,
    std::string const& label)
{
    double edge = std::max(4.0, std::min(w, h) * 0.05);
    rounded_rect(cr, x + edge / 2, y + edge / 2, w - edge, h - edge, edge * 3);
    shadow_path(cr, edge * 0.8, 0.22);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1, 1, 1);
    Colour low = mix(border, colours::white, 0.8);
    cairo_pattern_add_color_stop_rgb(fill, 1, low.r, low.g, low.b);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    set_colour(cr, border);
    cairo_set_line_width(cr, edge);
    cairo_stroke(cr);

    if (label.empty()) {
        draw_icon(cr, icon, x + w / 2, y + h / 2, std::min(w, h) * 0.78);
        return;
    }
    double band = std::min(38.0, h * 0.24);
    draw_icon(cr, icon, x + w / 2, y + (h - band) / 2 + edge / 2, std::min(w * 0.8, h - band - 2 * edge));
    double size = band * 0.8;
    while (text_width(cr, label, size) > w - 3 * edge)
        size -= 1;
    draw_text(cr, label, x + w / 2, y + h - band / 2 - edge, size, border, mix(border, colours::ink, 0.7), 0);
}

void draw_title(cairo_t* cr, double cx, double cy, double size)
{
    std::string_view const title = "Pipkin ! Sprout";
    Colour const palette[] = { colours::red, colours::orange, colours::yellow, colours::green,
        colours::blue, colours::purple, colours::pink };
    double total = text_width(cr, std::string(title), size);
    double x = cx - total / 2;
    int coloured = 0;
    for (std::size_t i = 0; i < title.size(); ++i) {
        std::string letter(1, title[i]);
        double advance = text_width(cr, letter, size);
        if (letter != " ") {
            Colour c = palette[coloured++ % std::size(palette)];
            double bounce = (coloured % 2 ? -1 : 1) * size * 0.05;
            draw_text(cr, letter, x + advance / 2, cy + bounce, size, c, colours::white, size * 0.09);
            draw_text(cr, letter, x + advance / 2, cy + bounce, size, c, mix(c, colours::ink, 0.6), size * 0.025);
        }
        x += advance;
    }
}
