#pragma once

#include "platform/Window.h"

#include <memory>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;

namespace platform {

// The window over SDL. Covers:
// - one borderless window at 0,0 the size of the screen, the 800 x 600 canvas
//   scaled into it with its aspect kept and the surround in the window colour;
// - pointer positions mapped back to canvas pixels (SDL's logical size);
// - presenting only when asked, so an idle program draws nothing;
// - blocking in SDL_WaitEventTimeout until input, a deadline or a wake();
// - a colour cursor for cursor 31; minimise and restore, the window taken
//   off the screen when no window manager would minimise it.
class SdlWindow final : public Window {
public:
    explicit SdlWindow(Clock& clock);
    ~SdlWindow() override;

    void present(Bitmap const& canvas) override;
    void minimise() override;
    void maximise() override;
    bool minimised() const override;
    void set_surround_colour(std::uint32_t colour) override;
    void set_cursor(Bitmap const* picture, int hot_x, int hot_y) override;
    void set_title(std::string const& title) override;
    std::optional<InputEvent> wait_event(Millis deadline) override;
    void wake() override;

    // Thread-safe: asks the window to close, as the window system would.
    void request_close();

private:
    std::optional<InputEvent> translate(void const* sdl_event);

    Clock& m_clock;
    SDL_Window* m_window { nullptr };
    SDL_Renderer* m_renderer { nullptr };
    SDL_Texture* m_texture { nullptr };
    SDL_Cursor* m_cursor { nullptr };
    std::uint32_t m_surround { 0xffd4d0c8 };
    std::uint32_t m_wake_event { 0 };
};

}
