#pragma once

#include "platform/Bitmap.h"

#include <string>

namespace platform {

struct FontSpec {
    std::string face;
    int height { 13 }; // pixel height of the characters
    bool bold { false };
};

// Renders one line of UTF-8 text. Faces are found by family name; a missing
// face is replaced by what the system substitutes.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // The text's pixels in `colour`, with coverage as alpha; empty for "".
    virtual Bitmap render(FontSpec const& font, std::string const& text, std::uint32_t colour) = 0;
    virtual int text_width(FontSpec const& font, std::string const& text) = 0;
    virtual int line_height(FontSpec const& font) = 0;
    // The set of fonts changed: faces looked up before are looked up again.
    virtual void fonts_changed() = 0;
};

}
