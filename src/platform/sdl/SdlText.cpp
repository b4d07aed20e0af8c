#include "platform/sdl/SdlText.h"

#include "platform/fc/FcHandles.h"
#include "platform/sdl/TtfLibrary.h"

#include <SDL.h>

namespace platform {

namespace {

std::string font_file(std::string const& family, bool bold)
{
    auto const& lib = fc::functions();
    fc::PatternPtr pattern(lib.FcPatternCreate());
    lib.FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<FcChar8 const*>(family.c_str()));
    lib.FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    lib.FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    lib.FcDefaultSubstitute(pattern.get());
    FcResult result;
    fc::PatternPtr match(lib.FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    if (match && lib.FcPatternGetString(match.get(), FC_FILE, 0, &file) == FcResultMatch)
        return reinterpret_cast<char const*>(file);
    return {};
}

bool is_bold_cut(TTF_Font* font)
{
    char const* style = ttf::functions().FontFaceStyleName(font);
    return style && std::string(style).find("Bold") != std::string::npos;
}

}

SdlText::SdlText() : SdlText(ttf::library_file) { }

SdlText::SdlText(std::string library_file) : m_library_file(std::move(library_file)) { }

SdlText::~SdlText()
{
    m_fonts.clear();
    if (m_initialised)
        ttf::functions().Quit();
}

void SdlText::fonts_changed() { m_fonts.clear(); }

// The libraries are opened with the first text, well after the first frame.
bool SdlText::ready()
{
    if (!m_tried) {
        m_tried = true;
        m_initialised = fc::load_library() && ttf::load_library(m_library_file.c_str()) && ttf::functions().Init() == 0;
    }
    return m_initialised;
}

TTF_Font* SdlText::font_for(FontSpec const& wanted)
{
    if (!ready())
        return nullptr;
    auto key = std::make_tuple(wanted.face, wanted.height, wanted.bold);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second.get();
    std::string file = font_file(wanted.face, wanted.bold);
    auto const& library = ttf::functions();
    sdl::FontPtr font(file.empty() ? nullptr : library.OpenFont(file.c_str(), wanted.height > 0 ? wanted.height : 13));
    // When fontconfig found no bold cut of the face, the renderer emboldens it.
    if (font && wanted.bold && !is_bold_cut(font.get()))
        library.SetFontStyle(font.get(), TTF_STYLE_BOLD);
    return (m_fonts[key] = std::move(font)).get();
}

Bitmap SdlText::render(FontSpec const& wanted, std::string const& text, std::uint32_t colour)
{
    TTF_Font* font = font_for(wanted);
    if (!font || text.empty())
        return {};
    SDL_Color c { std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour), 255 };
    sdl::SurfacePtr rendered(ttf::functions().RenderUTF8_Blended(font, text.c_str(), c));
    if (!rendered)
        return {};
    sdl::SurfacePtr argb(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb)
        return {};
    Bitmap out(argb->w, argb->h, 0);
    SDL_LockSurface(argb.get());
    for (int y = 0; y < argb->h; ++y) {
        auto const* row = reinterpret_cast<std::uint32_t const*>(static_cast<std::uint8_t const*>(argb->pixels) + y * argb->pitch);
        std::copy(row, row + argb->w, &out.at(0, y));
    }
    SDL_UnlockSurface(argb.get());
    return out;
}

// Empty text needs no font: measuring an empty field while the screens are
// built must not start font discovery before the first frame.
int SdlText::text_width(FontSpec const& wanted, std::string const& text)
{
    if (text.empty())
        return 0;
    TTF_Font* font = font_for(wanted);
    int w = 0, h = 0;
    if (font)
        ttf::functions().SizeUTF8(font, text.c_str(), &w, &h);
    return w;
}

int SdlText::line_height(FontSpec const& wanted)
{
    TTF_Font* font = font_for(wanted);
    return font ? ttf::functions().FontHeight(font) : wanted.height;
}

}
