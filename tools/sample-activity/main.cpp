// A stand-in activity program for the demo package: counts the run in the
// student register, shows a full-screen card with the activity's name, the
// student's name and the language, and ends on a click or Escape.
//
// The shell starts it with seven fields, each written "*text#": install
// folder, student name, two empty fields, "TRUE", the language code and the
// data folder. When SPROUT_ACTIVITY_LOG names a file, the arguments are
// appended to it as one tab-separated line so tests can see them exactly.
#include "ActivityStart.h"
#include "CardScreen.h"
#include "PlayCount.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>

namespace {

void log_arguments(int argc, char** argv)
{
    char const* log = std::getenv("SPROUT_ACTIVITY_LOG");
    if (!log || !*log)
        return;
    std::ofstream out(log, std::ios::app);
    for (int i = 1; i < argc; ++i)
        out << (i > 1 ? "\t" : "") << argv[i];
    out << '\n';
}

std::string title_of(ActivityStart const& start, char const* program)
{
    if (start.slot)
        return activity_name(*start.slot, start.afrikaans());
    return std::filesystem::path(program).stem().string();
}

// Only a failure is worth a line: a child cannot act on "counted".
std::string count_note(PlayCount count, bool afrikaans)
{
    if (count != PlayCount::failed)
        return {};
    return afrikaans ? "Hierdie keer kon ons nie onthou dat jy gespeel het nie."
                     : "This time we could not keep a note that you played.";
}

void draw_card(CardScreen& screen, ActivityStart const& start, std::string const& title, std::string const& note)
{
    int const w = CardScreen::width, h = CardScreen::height;
    bool const afrikaans = start.afrikaans();
    screen.clear({ 255, 236, 150, 255 });
    screen.fill({ w / 10, h / 8, w * 8 / 10, h * 6 / 8 }, { 80, 140, 230, 255 });
    SDL_Color const white { 255, 255, 255, 255 }, yellow { 255, 230, 80, 255 };
    screen.text(title, h / 11, yellow, w / 2, h * 3 / 10);
    screen.text(start.student(), h / 12, white, w / 2, h / 2);
    screen.text(afrikaans ? "Afrikaans" : "English", h / 16, white, w / 2, h * 5 / 8);
    screen.text(afrikaans ? "Klik om terug te gaan" : "Click to go back", h / 24, white, w / 2, h * 3 / 4);
    screen.paragraph(note, h / 30, yellow, w / 2, h * 4 / 5, w * 7 / 10);
}

}

int main(int argc, char** argv)
{
    log_arguments(argc, argv);
    ActivityStart const start = ActivityStart::from_arguments(argc, argv);
    std::string const note = count_note(count_play(start), start.afrikaans());
    std::string const title = title_of(start, argv[0]);
    try {
        CardScreen screen("Activity", start.installdir());
        screen.run([&] { draw_card(screen, start, title, note); },
            [](SDL_Event const& e) {
                bool done = e.type == SDL_MOUSEBUTTONUP || (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE);
                return done ? CardScreen::Next::end : CardScreen::Next::wait;
            });
    } catch (std::exception const& e) {
        std::fprintf(stderr, "sample activity: %s\n", e.what());
        return 1;
    }
    return 0;
}
