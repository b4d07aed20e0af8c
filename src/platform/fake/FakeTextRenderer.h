#pragma once

#include "platform/TextRenderer.h"

namespace platform {

// Text of fixed-width boxes, so layouts are predictable without fonts.
class FakeTextRenderer final : public TextRenderer {
public:
    Bitmap render(FontSpec const& font, std::string const& text, std::uint32_t colour) override;
    int text_width(FontSpec const& font, std::string const& text) override;
    int line_height(FontSpec const& font) override;
    void fonts_changed() override { ++m_font_changes; }

    int font_changes() const { return m_font_changes; }

private:
    int m_font_changes { 0 };
};

}
