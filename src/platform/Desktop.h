#pragma once

#include "platform/Service.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// What the shell borrows from the user's desktop for a run: the panel, the
// order of the pointer's buttons, and a font for this process.
class Desktop : public Service<Desktop> {
public:
    // A top-level window of another program; 0 is none.
    using WindowHandle = std::uint64_t;

    virtual ~Desktop() = default;

    // The first top-level window of class "Shell_TrayWnd" or of the dock
    // type; 0 when there is none.
    virtual WindowHandle find_panel() = 0;
    virtual void hide_window(WindowHandle) = 0;
    virtual void show_window(WindowHandle) = 0;

    // Logical button for each physical one, from button 1.
    virtual std::vector<std::uint8_t> pointer_mapping() = 0;
    virtual void set_pointer_mapping(std::vector<std::uint8_t> const&) = 0;

    // Adds or removes a font file for this process only; false on failure.
    virtual bool add_font(std::string const& absolute_path) = 0;
    virtual bool remove_font(std::string const& absolute_path) = 0;

    // Stands in while none is installed: no panel, no pointer and no fonts.
    static Desktop& fallback();
};

}
