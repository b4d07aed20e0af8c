#pragma once

#include "platform/TextRenderer.h"

namespace platform {

// Text of fixed-width boxes, so layouts are predictable without fonts.
class FakeTextRenderer final : public TextRenderer {
public:
    Bitmap render(FontSpec const& font, std::string const& text, std::uint32_t colour) override;
    int text_width(FontSpec const& font, std::string const& text) override;
    int line_height(FontSpec const& font) override;
};

}
