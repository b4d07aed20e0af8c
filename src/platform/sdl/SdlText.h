#pragma once

#include "platform/TextRenderer.h"
#include "platform/sdl/SdlHandles.h"

#include <map>
#include <string>
#include <tuple>

namespace platform {

// Text through SDL_ttf, faces found by family name through fontconfig (which
// substitutes a face the system lacks). Nothing is loaded before the first
// text is drawn, so start-up does not wait for the font caches. Faces found
// are kept until the font set changes, so a face added later replaces the
// substitute found before. Without the text library nothing is drawn, as
// when no face is found.
class SdlText final : public TextRenderer {
public:
    SdlText();
    // The text library's file name, so tests can stand for a missing one.
    explicit SdlText(std::string library_file);
    ~SdlText() override;

    Bitmap render(FontSpec const& font, std::string const& text, std::uint32_t colour) override;
    int text_width(FontSpec const& font, std::string const& text) override;
    int line_height(FontSpec const& font) override;
    void fonts_changed() override;

private:
    bool ready();
    TTF_Font* font_for(FontSpec const& wanted);

    std::string m_library_file;
    bool m_tried { false };
    bool m_initialised { false };
    std::map<std::tuple<std::string, int, bool>, sdl::FontPtr> m_fonts;
};

}
