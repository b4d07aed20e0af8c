// A stand-in activity program for the demo package: shows a full-screen card
// with the activity's name, the student's name and the language, and ends on
// a click or Escape.
//
// The shell starts it with seven fields, each written "*text#": install
// folder, student name, two empty fields, "TRUE", the language code and the
// data folder. When SPROUT_ACTIVITY_LOG names a file, the arguments are
// appended to it as one tab-separated line so tests can see them exactly.
#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
template<typename T>
using Handle = std::unique_ptr<T, SdlDeleter>;

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

// The fields arrive one per argument, but a name with blanks may be split
// over several: join them and cut at the markers between the fields.
std::vector<std::string> read_fields(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    if (line.starts_with('*'))
        line.erase(0, 1);
    if (line.ends_with('#'))
        line.pop_back();
    std::vector<std::string> fields;
    for (std::size_t pos = 0;;) {
        std::size_t end = line.find("# *", pos);
        fields.push_back(line.substr(pos, end == std::string::npos ? end : end - pos));
        if (end == std::string::npos)
            break;
        pos = end + 3;
    }
    fields.resize(7);
    return fields;
}

struct Names {
    char const* program;
    char const* afrikaans;
    char const* english;
};

Names const activity_names[] = {
    { "language", "Taal", "Language" },
    { "puzzle", "Legkaart", "Puzzle" },
    { "association", "Wat pas bymekaar?", "What goes together?" },
    { "maths", "Wiskunde", "Maths" },
    { "memory", "Geheue", "Memory" },
    { "colouring", "Inkleur", "Colouring" },
    { "perception", "Waarneming een", "Perception one" },
    { "perception_2", "Waarneming twee", "Perception two" },
    { "progress", "Verslag", "Report" },
};

std::string activity_name(char const* program, bool afrikaans)
{
    std::string stem = fs::path(program).stem().string();
    for (Names const& n : activity_names)
        if (stem == n.program)
            return afrikaans ? n.afrikaans : n.english;
    return stem;
}

// The package font from the install folder; otherwise whatever sans face
// fontconfig offers.
std::string font_path(std::string const& install_folder)
{
    for (fs::path folder : { fs::path(install_folder), fs::current_path() }) {
        std::error_code ec;
        if (!folder.empty() && fs::exists(folder / "ZEDO Pri.TTF", ec))
            return (folder / "ZEDO Pri.TTF").string();
    }
    std::string found;
    FcPattern* pattern = FcNameParse(reinterpret_cast<FcChar8 const*>("sans"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            found = reinterpret_cast<char const*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

void draw_line(SDL_Renderer* renderer, std::string const& path, int size, std::string const& text, SDL_Color colour,
    int centre_x, int centre_y)
{
    Handle<TTF_Font> font(TTF_OpenFont(path.c_str(), size));
    if (!font || text.empty())
        return;
    Handle<SDL_Surface> surface(TTF_RenderUTF8_Blended(font.get(), text.c_str(), colour));
    if (!surface)
        return;
    Handle<SDL_Texture> texture(SDL_CreateTextureFromSurface(renderer, surface.get()));
    SDL_Rect where { centre_x - surface->w / 2, centre_y - surface->h / 2, surface->w, surface->h };
    SDL_RenderCopy(renderer, texture.get(), nullptr, &where);
}

void draw_card(SDL_Renderer* renderer, SDL_Rect const& screen, std::vector<std::string> const& fields,
    std::string const& title, bool afrikaans)
{
    std::string const font = font_path(fields[0]);
    int const w = screen.w, h = screen.h;
    SDL_SetRenderDrawColor(renderer, 255, 236, 150, 255);
    SDL_RenderClear(renderer);
    SDL_Rect card { w / 10, h / 8, w * 8 / 10, h * 6 / 8 };
    SDL_SetRenderDrawColor(renderer, 80, 140, 230, 255);
    SDL_RenderFillRect(renderer, &card);
    SDL_Color const white { 255, 255, 255, 255 }, yellow { 255, 230, 80, 255 };
    draw_line(renderer, font, h / 11, title, yellow, w / 2, h * 3 / 10);
    draw_line(renderer, font, h / 12, fields[1], white, w / 2, h / 2);
    draw_line(renderer, font, h / 16, afrikaans ? "Afrikaans" : "English", white, w / 2, h * 5 / 8);
    draw_line(renderer, font, h / 24, afrikaans ? "Klik om terug te gaan" : "Click to go back", white, w / 2,
        h * 3 / 4);
    SDL_RenderPresent(renderer);
}

}

int main(int argc, char** argv)
{
    log_arguments(argc, argv);
    std::vector<std::string> fields = read_fields(argc, argv);
    bool afrikaans = fields[5] != "ENG";

    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "sample activity: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Rect screen { 0, 0, 800, 600 };
    SDL_GetDisplayBounds(0, &screen);
    Handle<SDL_Window> window(SDL_CreateWindow("Activity", screen.x, screen.y, screen.w, screen.h,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN));
    Handle<SDL_Renderer> renderer(window ? SDL_CreateRenderer(window.get(), -1, 0) : nullptr);
    if (!renderer) {
        std::fprintf(stderr, "sample activity: %s\n", SDL_GetError());
        return 1;
    }

    // Without a window manager nobody else gives the card the keyboard.
    SDL_RaiseWindow(window.get());
    SDL_SetWindowInputFocus(window.get());
    draw_card(renderer.get(), screen, fields, activity_name(argv[0], afrikaans), afrikaans);
    for (SDL_Event e; SDL_WaitEvent(&e);) {
        if (e.type == SDL_QUIT || e.type == SDL_MOUSEBUTTONUP
            || (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE))
            break;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED)
            draw_card(renderer.get(), screen, fields, activity_name(argv[0], afrikaans), afrikaans);
    }
    renderer.reset();
    window.reset();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
