#pragma once

#include "platform/DisplayModeRecord.h"
#include "platform/Service.h"

#include <optional>

namespace platform {

// The primary screen's modes: what is in force, what else is offered, and a
// way to change it for the rest of the session.
class Display : public Service<Display> {
public:
    // The old platform's answers to a mode change.
    static constexpr int change_successful = 0;
    static constexpr int change_failed = -1;
    static constexpr int change_bad_mode = -2;

    // The screen's device capabilities, read as the main window's drawing
    // surface reports them.
    struct Capabilities {
        int refresh { 0 }; // whole hertz
        int width { 0 };
        int height { 0 };
        int bits_per_pixel { 0 };
        bool operator==(Capabilities const&) const = default;
    };

    virtual ~Display() = default;

    virtual Capabilities capabilities() = 0;
    // The record of the mode in force; nothing when the platform cannot say.
    virtual std::optional<DisplayModeRecord> current_mode() = 0;
    // Mode number n of the primary screen, from 0; nothing past the last.
    virtual std::optional<DisplayModeRecord> mode(int n) = 0;
    // Puts a record as enumerated into force; one of the change_ codes.
    virtual int apply(DisplayModeRecord const&) = 0;

    // Stands in while none is installed: an 800 x 600 screen that offers nothing else.
    static Display& fallback();
};

}
