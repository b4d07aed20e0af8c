#pragma once

#include "platform/Window.h"
#include "platform/posix/WakeHandle.h"
#include "platform/sdl/SdlHandles.h"
#include "platform/sdl/SdlVideo.h"

#include <atomic>
#include <thread>

typedef struct _XDisplay Display;

namespace platform {

// The window over SDL. Covers:
// - under a window manager, a window that asks to be full screen
//   (_NET_WM_STATE_FULLSCREEN), so no panel lies over it, and takes the
//   keyboard focus whenever it is shown or restored;
// - on a bare X server, a borderless window at 0,0 the size of the screen;
// - either way the 800 x 600 canvas scaled into it with its aspect kept and
//   the surround in the window colour, and the window following the screen
//   when its size changes;
// - pointer positions mapped back to canvas pixels;
// - presenting only when asked, and at the canvas's own size only the
//   rectangle that changed, straight into the window's surface, so an idle
//   program draws nothing and a blink costs a blink;
// - blocking in poll() on the X connection and a wake handle of its own
//   until input, a deadline or a wake(), so another thread's wake costs one
//   write and no X traffic (SDL's own wait would wake us through the server);
// - a colour cursor for cursor 31; minimise and restore, the window taken
//   off the screen when no window manager would minimise it, and under one
//   asked back to full screen and activated as the user's own choice, which
//   every desktop grants (x11/WindowManagerRequests.h).
class SdlWindow final : public Window {
public:
    enum class Style { Borderless, FullScreen };

    SdlWindow(SdlVideo const&, Clock& clock, Style style);
    ~SdlWindow() override;
    SdlWindow(SdlWindow const&) = delete;
    SdlWindow& operator=(SdlWindow const&) = delete;

    void present(Bitmap const& canvas, Rect const& changed) override;
    bool minimise() override;
    void maximise() override;
    bool minimised() const override;
    void set_surround_colour(std::uint32_t colour) override;
    void set_cursor(Bitmap const* picture, int hot_x, int hot_y) override;
    void set_title(std::string const& title) override;
    void fit_screen(int width, int height) override;
    std::optional<InputEvent> wait_event(Millis deadline) override;
    void wake() override;

    // Thread-safe: asks the window to close, as the window system would.
    void request_close();

private:
    std::optional<InputEvent> translate(void const* sdl_event);
    void show_with_first_frame();
    // Wake or Close when another thread asked for one since the last.
    std::optional<InputEvent> take_wake();
    // Sleeps until the X connection or the wake handle has something, or
    // `timeout_ms` pass (-1: no limit).
    void block(int timeout_ms);
    // Window pixels to canvas pixels, as present() lays the canvas out.
    void to_canvas(int& x, int& y) const;

    void take_focus();

    Clock& m_clock;
    Style m_style;
    // Declared in the order SDL needs them destroyed, last first.
    sdl::WindowPtr m_window;
    sdl::CursorPtr m_cursor;
    ::Display* m_x_display { nullptr }; // SDL's connection, read by block()
    unsigned long m_x_window { 0 };
    bool m_minimise_refused { false };
    bool m_first_frame_shown { false };
    // Ends before the window, whose pixels it faults in.
    std::jthread m_prefault;
    std::uint32_t m_surround { 0xffd4d0c8 };
    WakeHandle m_wake;
    std::atomic<bool> m_close_requested { false };
};

}
