#pragma once

#include "platform/Bitmap.h"
#include "platform/Rect.h"
#include "platform/TextRenderer.h"

#include <string>

// Drawing onto the window's canvas through a control's own coordinates,
// clipped to the control.
class Canvas {
public:
    Canvas(platform::Bitmap& target, platform::TextRenderer* text, int origin_x, int origin_y, int width, int height);

    // A canvas for a child at x, y (parent coordinates) of size w x h,
    // clipped to this one.
    Canvas child(int x, int y, int w, int h) const;
    // This canvas with every draw further cut to `area` (target pixels).
    Canvas clipped(platform::Rect const& area) const;

    void draw(platform::Bitmap const& picture, int x, int y);
    void fill_rect(int x, int y, int w, int h, std::uint32_t colour);
    void frame_rect(int x, int y, int w, int h, std::uint32_t colour);
    void text(platform::FontSpec const& font, int x, int y, std::string const& text, std::uint32_t colour);
    int text_width(platform::FontSpec const& font, std::string const& text) const;
    int line_height(platform::FontSpec const& font) const;

private:
    platform::Bitmap& m_target;
    platform::TextRenderer* m_text;
    int m_x, m_y;
    platform::Rect m_clip;
};
