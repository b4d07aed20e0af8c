#pragma once

#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/InputEvent.h"
#include "platform/Rect.h"

#include <optional>

namespace platform {

enum class StandardCursor { Arrow, Hand };

// The program's one top-level window over an 800 x 600 canvas.
class Window {
public:
    virtual ~Window() = default;

    static constexpr int canvas_width = 800;
    static constexpr int canvas_height = 600;

    // Shows the `changed` part of the canvas (the rest is on screen
    // already); callers present only after a change.
    virtual void present(Bitmap const& canvas, Rect const& changed) = 0;
    // False when the desktop has no minimise and left the window where it is.
    virtual bool minimise() = 0;
    // Shown again full screen with the focus, from minimised or not.
    virtual void maximise() = 0;
    virtual bool minimised() const = 0;
    // Colour around the canvas when the screen is larger.
    virtual void set_surround_colour(std::uint32_t colour) = 0;
    // Cursor 31 is a picture with a hot spot; nullptr for the arrow.
    virtual void set_cursor(Bitmap const* picture, int hot_x, int hot_y) = 0;
    virtual void set_title(std::string const& title) = 0;
    // The screen changed size: the window covers it again, the canvas scaled
    // into it as at start.
    virtual void fit_screen(int width, int height) = 0;

    // Blocks until an event arrives or `deadline` (clock time) passes.
    virtual std::optional<InputEvent> wait_event(Millis deadline) = 0;
    // Thread-safe: makes a blocked wait_event return a Wake event.
    virtual void wake() = 0;
};

}
