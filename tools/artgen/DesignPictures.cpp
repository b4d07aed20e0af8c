#include "DesignPictures.h"

#include "Buttons.h"
#include "Paint.h"
#include "Scene.h"
#include "Surface.h"
#include "Tiles.h"

#include <cmath>

namespace {

using design::screen_height;
using design::screen_width;

void write_first_background(std::string const& folder)
{
    Surface s(screen_width, screen_height);
    draw_meadow(s.cr(), screen_width, screen_height);
    s.write_jpeg(folder + "/backimage.jpg");

    // The mascot's stored backdrop is the area of this background behind it.
    Surface back(75, 152);
    back.paint(s, -8, -448);
    back.write_jpeg(folder + "/antback.jpg");
}

void write_hand(std::string const& file, int width, int height, double tip_x, double tip_y, double angle,
    double scale)
{
    Surface s(width, height);
    cairo_t* cr = s.cr();
    cairo_translate(cr, tip_x, tip_y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    draw_pointing_hand(cr, 1.6 / scale);
    s.write_png(file);
}

void write_buttons(std::string const& folder)
{
    using enum ButtonState;
    std::vector<ButtonState> const three { rest, hover, disabled };
    write_button(folder, "exitbut", { 115, 112, colours::red, Icon::door }, three);
    write_button(folder, "okbut", { 115, 112, colours::green, Icon::tick }, three);
    write_button(folder, "backbut", { 115, 112, colours::blue, Icon::arrow_back }, three);
    write_button(folder, "reportbut", { 115, 112, colours::orange, Icon::chart }, three);
    write_button(folder, "listbut", { 55, 55, colours::purple, Icon::list }, three);
    write_button(folder, "afrbut", { 250, 70, colours::orange, Icon::tick, "Afrikaans" }, three);
    write_button(folder, "engbut", { 200, 80, colours::blue, Icon::tick, "English" }, three);
    write_button(folder, "advert_exitbut", { 49, 49, colours::red, Icon::door }, { rest, hover, down });

    Surface mute(40, 40);
    draw_button(mute, { 40, 40, colours::blue, Icon::speaker }, rest);
    mute.write_png(folder + "/mutebut.png");
}

// The plaque behind the farewell window's exit button (which sits at 15, 12).
void write_advert_frame(std::string const& folder)
{
    Surface s(77, 68);
    cairo_t* cr = s.cr();
    rounded_rect(cr, 3, 3, 71, 62, 16);
    fill_and_outline(cr, colours::yellow, colours::orange, 3);
    for (double x : { 9.0, 68.0 })
        draw_star(cr, x, 10, 6, 2.8, colours::white);
    s.write_png(folder + "/advert_frame.png");
}

// The frame around the name list: a heading band and a white field exactly
// where the list box lies (8, 30, 265 x 209 within the frame).
void write_name_list_frame(std::string const& folder, char letter, std::string const& heading)
{
    Surface s(282, 247);
    cairo_t* cr = s.cr();
    // The corners outside the rounded frame show the meadow of the name
    // screen where the frame lies (113, 273): sky at the top, grass below.
    cairo_save(cr);
    cairo_translate(cr, -113, -273);
    draw_meadow(cr, screen_width, screen_height);
    cairo_restore(cr);
    rounded_rect(cr, 1, 1, 280, 245, 14);
    fill_and_outline(cr, colours::purple, mix(colours::purple, colours::ink, 0.5), 2);
    draw_text(cr, heading, 141, 15, 22, colours::white, colours::ink, 0);
    cairo_rectangle(cr, 8, 30, 265, 209);
    set_colour(cr, colours::white);
    cairo_fill(cr);
    s.write_jpeg(folder + "/namelistimg_" + letter + ".jpg");
}

struct Choice {
    double x, y, w, h; // the hot zone, relative to the overlay
    Colour colour;
    Icon icon;
    char const* badge; // a number in the corner, or empty
};

void write_overlay(std::string const& file, Choice const& left, Choice const& right)
{
    Surface s(220, 110);
    cairo_t* cr = s.cr();
    rounded_rect(cr, 0, 0, 220, 110, 14);
    set_colour(cr, colours::yellow, 0.85);
    cairo_fill(cr);
    for (Choice const& c : { left, right }) {
        draw_tile(cr, c.x, c.y, c.w, c.h, c.colour, c.icon);
        if (*c.badge) {
            ellipse(cr, c.x + c.w - 16, c.y + 16, 13, 13);
            fill_and_outline(cr, c.colour, colours::white, 2.5);
            draw_text(cr, c.badge, c.x + c.w - 16, c.y + 14, 22, colours::white, colours::ink, 0);
        }
    }
    s.write_png(file);
}

}

void write_design_pictures(std::string const& folder)
{
    write_first_background(folder);
    write_hand(folder + "/cursor31.png", 32, 32, 5, 2, -0.35, 26);
    write_hand(folder + "/phand.png", 63, 45, 61, 15.5, M_PI / 2, 47);
    write_buttons(folder);
    write_advert_frame(folder);
    write_name_list_frame(folder, 'a', "Name");
    write_name_list_frame(folder, 'e', "Names");
    // The thinking choices: "what goes together" on the left, the puzzle on
    // the right; the perception choices: two on the left, one on the right.
    write_overlay(folder + "/denke_ovr.png", { 0, 4, 113, 102, colours::pink, Icon::bee_and_flower, "" },
        { 120, 4, 94, 102, colours::green, Icon::puzzle_piece, "" });
    write_overlay(folder + "/persepsie_ovr.png", { 0, 3, 113, 102, colours::blue, Icon::magnifier, "2" },
        { 120, 4, 97, 102, colours::purple, Icon::magnifier, "1" });
}
