#pragma once

#include "platform/Bitmap.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
template<typename T>
using SdlHandle = std::unique_ptr<T, SdlDeleter>;

enum class Align { left, centre, right };

// The full-screen window of an activity program: an 800 x 600 canvas scaled
// to the screen with its aspect kept, as the shell's is, and text in the
// package font. Drawing is in canvas pixels; so are the pointer positions
// the event loop hands on.
class CardScreen {
public:
    static constexpr int width = 800;
    static constexpr int height = 600;

    // Throws std::runtime_error when SDL cannot give a window.
    CardScreen(char const* title, std::string const& install_folder);
    ~CardScreen();
    CardScreen(CardScreen const&) = delete;
    CardScreen& operator=(CardScreen const&) = delete;

    SDL_Renderer* renderer() const { return m_renderer.get(); }

    void clear(SDL_Color colour);
    void fill(SDL_Rect const& rect, SDL_Color colour);
    // Draws one line with its anchor at x and its vertical centre at y;
    // gives the width drawn.
    int text(std::string const& utf8, int size, SDL_Color colour, int x, int y, Align align = Align::centre);
    int text_width(std::string const& utf8, int size);
    // The text cut at a character and ended with "..." where it is wider.
    std::string fitted(std::string const& utf8, int size, int wide);
    // Words wrapped to lines no wider than `wide`, centred on x, from top.
    void paragraph(std::string const& utf8, int size, SDL_Color colour, int x, int top, int wide);
    SdlHandle<SDL_Texture> texture(platform::Bitmap const& picture) const;

    // Draws, shows, and hands every event to `handle` until it answers
    // end; draws again when it asks for it or the window was exposed.
    enum class Next { wait, redraw, end };
    void run(std::function<void()> const& draw, std::function<Next(SDL_Event const&)> const& handle);

private:
    TTF_Font* font(int size);

    SdlHandle<SDL_Window> m_window;
    SdlHandle<SDL_Renderer> m_renderer;
    std::string m_font_path;
    std::map<int, SdlHandle<TTF_Font>> m_fonts;
};
