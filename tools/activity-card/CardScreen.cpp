#include "CardScreen.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

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

std::runtime_error sdl_failure() { return std::runtime_error(SDL_GetError()); }

}

CardScreen::CardScreen(char const* title, std::string const& install_folder)
    : m_font_path(font_path(install_folder))
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0)
        throw sdl_failure();
    SDL_Rect screen { 0, 0, width, height };
    SDL_GetDisplayBounds(0, &screen);
    m_window.reset(SDL_CreateWindow(title, screen.x, screen.y, screen.w, screen.h,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN));
    if (m_window)
        m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, 0));
    if (!m_renderer)
        throw sdl_failure();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_RenderSetLogicalSize(m_renderer.get(), width, height);
    SDL_SetRenderDrawBlendMode(m_renderer.get(), SDL_BLENDMODE_BLEND);
    // Without a window manager nobody else gives the card the keyboard.
    SDL_RaiseWindow(m_window.get());
    SDL_SetWindowInputFocus(m_window.get());
}

CardScreen::~CardScreen()
{
    m_fonts.clear();
    m_renderer.reset();
    m_window.reset();
    TTF_Quit();
    SDL_Quit();
}

// Clearing ignores the logical size, so the bands beside a scaled canvas
// take the background colour too.
void CardScreen::clear(SDL_Color colour)
{
    SDL_SetRenderDrawColor(m_renderer.get(), colour.r, colour.g, colour.b, colour.a);
    SDL_RenderClear(m_renderer.get());
}

void CardScreen::fill(SDL_Rect const& rect, SDL_Color colour)
{
    SDL_SetRenderDrawColor(m_renderer.get(), colour.r, colour.g, colour.b, colour.a);
    SDL_RenderFillRect(m_renderer.get(), &rect);
}

TTF_Font* CardScreen::font(int size)
{
    auto& font = m_fonts[size];
    if (!font && !m_font_path.empty())
        font.reset(TTF_OpenFont(m_font_path.c_str(), size));
    return font.get();
}

int CardScreen::text(std::string const& utf8, int size, SDL_Color colour, int x, int y, Align align)
{
    TTF_Font* face = font(size);
    if (!face || utf8.empty())
        return 0;
    SdlHandle<SDL_Surface> surface(TTF_RenderUTF8_Blended(face, utf8.c_str(), colour));
    if (!surface)
        return 0;
    SdlHandle<SDL_Texture> texture(SDL_CreateTextureFromSurface(m_renderer.get(), surface.get()));
    int left = align == Align::left ? x : align == Align::centre ? x - surface->w / 2 : x - surface->w;
    // Centred on the letters rather than on the line box, whose descent
    // would make a line look low beside a bar or a picture.
    SDL_Rect where { left, y - surface->h / 2 + TTF_FontDescent(face) / 2, surface->w, surface->h };
    SDL_RenderCopy(m_renderer.get(), texture.get(), nullptr, &where);
    return surface->w;
}

int CardScreen::text_width(std::string const& utf8, int size)
{
    int w = 0, h = 0;
    TTF_Font* face = font(size);
    if (!face || TTF_SizeUTF8(face, utf8.c_str(), &w, &h) != 0)
        return 0;
    return w;
}

std::string CardScreen::fitted(std::string const& utf8, int size, int wide)
{
    if (text_width(utf8, size) <= wide)
        return utf8;
    std::string cut = utf8;
    while (!cut.empty()) {
        // Back over a whole UTF-8 character: its continuation bytes first.
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xc0) == 0x80)
            cut.pop_back();
        if (!cut.empty())
            cut.pop_back();
        if (text_width(cut + "...", size) <= wide)
            break;
    }
    return cut + "...";
}

void CardScreen::paragraph(std::string const& utf8, int size, SDL_Color colour, int x, int top, int wide)
{
    TTF_Font* face = font(size);
    int const step = face ? TTF_FontLineSkip(face) : size;
    std::istringstream words(utf8);
    std::string line;
    int y = top + step / 2;
    for (std::string word; words >> word;) {
        std::string longer = line.empty() ? word : line + ' ' + word;
        if (!line.empty() && text_width(longer, size) > wide) {
            text(line, size, colour, x, y);
            y += step;
            longer = word;
        }
        line = longer;
    }
    text(line, size, colour, x, y);
}

SdlHandle<SDL_Texture> CardScreen::texture(platform::Bitmap const& picture) const
{
    if (picture.empty())
        return nullptr;
    SdlHandle<SDL_Surface> surface(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(picture.pixels.data()),
        picture.width, picture.height, 32, picture.width * 4, SDL_PIXELFORMAT_ARGB8888));
    if (!surface)
        return nullptr;
    SdlHandle<SDL_Texture> texture(SDL_CreateTextureFromSurface(m_renderer.get(), surface.get()));
    if (texture)
        SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
    return texture;
}

void CardScreen::run(std::function<void()> const& draw, std::function<Next(SDL_Event const&)> const& handle)
{
    auto show = [&] {
        draw();
        SDL_RenderPresent(m_renderer.get());
    };
    show();
    for (SDL_Event e; SDL_WaitEvent(&e);) {
        if (e.type == SDL_QUIT)
            return;
        Next next = handle(e);
        if (next == Next::end)
            return;
        if (next == Next::redraw || (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED))
            show();
    }
}
