#include "platform/fake/FakeTextRenderer.h"

namespace platform {

Bitmap FakeTextRenderer::render(FontSpec const& font, std::string const& text, std::uint32_t colour)
{
    Bitmap b(text_width(font, text), line_height(font), 0);
    for (std::size_t i = 0; i < text.size(); ++i)
        b.fill_rect(int(i) * (font.height / 2) + 1, 1, font.height / 2 - 2, font.height - 2, colour);
    return b;
}

int FakeTextRenderer::text_width(FontSpec const& font, std::string const& text)
{
    return int(text.size()) * (font.height / 2);
}

int FakeTextRenderer::line_height(FontSpec const& font) { return font.height; }

}
