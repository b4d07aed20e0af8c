#include "PackagePictures.h"

#include "DesignPictures.h"
#include "Mascot.h"
#include "Paint.h"
#include "Scene.h"
#include "Surface.h"
#include "Tiles.h"

#include "activities/ActivityCatalogue.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>

namespace {

using design::screen_height;
using design::screen_width;

struct Language {
    char letter;
    char const* name_prompt;
    char const* menu_heading;
    char const* goodbye;
    char const* thanks;
    char const* come_again;
};

Language const afrikaans { 'a', "Tik jou naam", "Kies 'n aktiwiteit", "Totsiens!",
    "Dankie dat jy saam gespeel het.", "Kom speel gou weer!" };
Language const english { 'e', "Type your name", "Choose an activity", "Goodbye!",
    "Thank you for playing with us.", "Come and play again soon!" };

// A menu item's tile, drawn exactly over its hot zone on the menu screen. It
// shows the item's name, or words of its own where the item stands for more
// than its activity.
struct Tile {
    std::string_view zone;
    Colour colour;
    Icon icon;
    std::optional<activity_catalogue::Words> words;

    activity_catalogue::Bounds bounds() const { return activity_catalogue::row_of(zone)->bounds; }
    std::string label(Language const& lang) const
    {
        auto const& w = words ? *words : activity_catalogue::row_of(zone)->name;
        return std::string(lang.letter == 'a' ? w.afrikaans : w.english);
    }
};

Tile const tiles[] = {
    { "Image1", colours::red, Icon::speech_bubble, {} },
    { "Image2", colours::orange, Icon::light_bulb, {} },
    { "Image3", colours::blue, Icon::numbers, {} },
    { "Image6", colours::purple, Icon::cards, {} },
    { "Image5", colours::pink, Icon::palette, activity_catalogue::Words { "Kreatief", "Creative" } },
    { "Image4", colours::green, Icon::magnifier, {} },
};

void draw_mascot(cairo_t* cr, Mascot::Pose const& pose, double x, double y, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    Mascot(pose).draw(cr);
    cairo_restore(cr);
}

// One frame of the intro: the title grows in, then the ant walks on from the
// right and waves. Frame 11 doubles as the language screen and frame 12 as
// the exit screen, so both leave the left side free for the buttons.
void draw_intro_frame(cairo_t* cr, int frame)
{
    draw_meadow(cr, screen_width, screen_height);
    double const title_growth[] = { 0, 0, 0.3, 0.6, 0.9, 1.1, 1.0 };
    double growth = frame < 7 ? title_growth[frame] : 1.0;
    if (growth > 0)
        draw_title(cr, 380, 165, 76 * growth);

    double const walk_x[] = { 0, 0, 0, 0, 0, 0, 790, 720, 650, 590, 560, 560, 560 };
    if (frame < 6)
        return;
    Mascot::Pose pose;
    bool walking = frame <= 9;
    pose.gaze = walking ? Mascot::Gaze::left : Mascot::Gaze::front;
    pose.step = walking ? (frame % 2 ? 1 : -1) : 0;
    pose.mouth = frame == 12 ? Mascot::Mouth::wide : Mascot::Mouth::closed;
    pose.wave = frame == 10 ? 0.6 : frame == 12 ? 1.0 : 0;
    draw_mascot(cr, pose, walk_x[frame], 290, 1.7);
    if (frame == 12) {
        draw_star(cr, 715, 300, 16, 7, colours::yellow);
        draw_star(cr, 530, 270, 11, 5, colours::pink);
    }
}

void write_jpeg_screen(std::string const& file, auto&& draw)
{
    Surface s(screen_width, screen_height);
    draw(s.cr());
    s.write_jpeg(file);
}

void draw_name_screen(cairo_t* cr, Language const& lang)
{
    draw_meadow(cr, screen_width, screen_height);
    draw_title(cr, 300, 70, 46);
    rounded_rect(cr, 430, 195, 340, 150, 24);
    shadow_path(cr, 5);
    fill_and_outline(cr, mix(colours::yellow, colours::white, 0.55), colours::orange, 5);
    draw_text(cr, lang.name_prompt, 600, 240, 40, colours::blue, colours::white, 3);
    // The edit box lies at 454, 282, 293 x 41; a blue rim sets it off.
    rounded_rect(cr, 448, 276, 305, 53, 8);
    set_colour(cr, colours::blue);
    cairo_fill(cr);
    cairo_rectangle(cr, 454, 282, 293, 41);
    set_colour(cr, colours::white);
    cairo_fill(cr);
}

void draw_menu_screen(cairo_t* cr, Language const& lang)
{
    draw_meadow(cr, screen_width, screen_height, Sun::hidden);
    draw_text(cr, lang.menu_heading, 330, 120, 52, colours::purple, colours::white, 4);
    for (Tile const& tile : tiles) {
        auto const b = tile.bounds();
        draw_tile(cr, b.left, b.top, b.width, b.height, tile.colour, tile.icon, tile.label(lang));
    }
}

void draw_farewell_background(cairo_t* cr, Language const& lang)
{
    draw_meadow(cr, screen_width, screen_height, Sun::hidden);
    draw_text(cr, std::string(lang.goodbye) + "  " + lang.come_again, 400, 32, 34, colours::purple,
        colours::white, 3);
    // The picture view lies at 77, 64, 642 x 475: a thick frame around it.
    rounded_rect(cr, 65, 52, 666, 499, 18);
    shadow_path(cr, 6);
    fill_and_outline(cr, colours::yellow, colours::orange, 5);
    cairo_rectangle(cr, 77, 64, 642, 475);
    set_colour(cr, colours::white);
    cairo_fill(cr);
    draw_title(cr, 340, 574, 30);
}

// The farewell picture, taller than its view so the child can scroll it.
void write_farewell_picture(std::string const& file, Language const& lang)
{
    int const width = 620, height = 1040;
    Surface s(width, height);
    cairo_t* cr = s.cr();
    cairo_pattern_t* wash = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(wash, 0, 1, 1, 1);
    cairo_pattern_add_color_stop_rgb(wash, 1, 0.86, 0.95, 1.0);
    cairo_set_source(cr, wash);
    cairo_paint(cr);
    cairo_pattern_destroy(wash);

    draw_text(cr, lang.goodbye, width / 2.0, 70, 72, colours::orange, colours::ink, 2);
    Mascot::Pose pose;
    pose.wave = 1;
    pose.mouth = Mascot::Mouth::wide;
    draw_mascot(cr, pose, width / 2.0 - 75, 120, 2.0);
    draw_star(cr, 150, 200, 22, 10, colours::yellow);
    draw_star(cr, 470, 170, 18, 8, colours::pink);
    draw_star(cr, 480, 330, 14, 6, colours::blue);
    draw_text(cr, lang.thanks, width / 2.0, 460, 32, colours::blue, colours::white, 2);

    for (std::size_t i = 0; i < std::size(tiles); ++i) {
        double x = 30 + (i % 3) * 190.0, y = 510 + (i / 3) * 190.0;
        draw_tile(cr, x, y, 180, 175, tiles[i].colour, tiles[i].icon, tiles[i].label(lang));
    }
    draw_sun(cr, width / 2.0, 920, 42);
    draw_text(cr, lang.come_again, width / 2.0, 1000, 38, colours::green, colours::ink, 1.5);
    s.write_jpeg(file);
}

}

void write_screen_pictures(std::string const& package)
{
    std::string const menu = package + "/menu";
    std::filesystem::create_directories(menu);
    for (int frame = 1; frame <= 12; ++frame)
        write_jpeg_screen(menu + "/m_" + std::to_string(frame) + ".jpg",
            [frame](cairo_t* cr) { draw_intro_frame(cr, frame); });
    for (Language const* lang : { &afrikaans, &english }) {
        std::string suffix(1, lang->letter);
        write_jpeg_screen(menu + "/m_13" + suffix + ".jpg", [lang](cairo_t* cr) { draw_name_screen(cr, *lang); });
        write_jpeg_screen(menu + "/m_14" + suffix + ".jpg", [lang](cairo_t* cr) { draw_menu_screen(cr, *lang); });
    }
}

void write_mascot_frames(std::string const& package)
{
    std::string const folder = package + "/mascot";
    std::filesystem::create_directories(folder);
    auto write = [&](std::string const& name, Mascot::Pose const& pose) {
        Surface s(Mascot::width, Mascot::height);
        Mascot(pose).draw(s.cr());
        s.write_png(folder + "/" + name + ".png");
    };

    // Frame 1 has the mouth closed; the others open it in different shapes,
    // and frame 6, which the idle mascot shows now and then, also blinks.
    using enum Mascot::Mouth;
    Mascot::Mouth const mouths[] = { closed, small_round, wide, tall, flat, half };
    std::pair<char const*, Mascot::Gaze> const faces[] = { { "front", Mascot::Gaze::front },
        { "left", Mascot::Gaze::left }, { "right", Mascot::Gaze::right } };
    for (auto const& [base, gaze] : faces)
        for (int n = 1; n <= 6; ++n)
            write(std::string(base) + "_" + std::to_string(n), { gaze, mouths[n - 1], n == 6 });

    double const nod[] = { 0, 2.5, 5, 6.5, 5, 2.5, 0, -1.5 };
    for (int n = 1; n <= 8; ++n)
        write("yes_" + std::to_string(n), { Mascot::Gaze::front, n % 4 == 0 ? half : closed, false, 0, nod[n - 1] });
    for (int n = 1; n <= 12; ++n) {
        double dx = 6 * std::sin((n - 1) * M_PI / 6);
        auto gaze = dx < -1 ? Mascot::Gaze::left : dx > 1 ? Mascot::Gaze::right : Mascot::Gaze::front;
        write("no_" + std::to_string(n), { gaze, small_round, false, dx, 0 });
    }
}

void write_farewell_pictures(std::string const& package)
{
    for (Language const* lang : { &afrikaans, &english }) {
        std::string suffix(1, lang->letter);
        write_farewell_picture(package + "/add_" + suffix + ".jpg", *lang);
        write_jpeg_screen(package + "/addback_" + suffix + ".jpg",
            [lang](cairo_t* cr) { draw_farewell_background(cr, *lang); });
    }
}
