#include "framework/Canvas.h"

#include <algorithm>

Canvas::Canvas(platform::Bitmap& target, platform::TextRenderer* text, int origin_x, int origin_y, int width, int height)
    : m_target(target)
    , m_text(text)
    , m_x(origin_x)
    , m_y(origin_y)
    , m_clip(platform::Rect::of_size(origin_x, origin_y, width, height)
                 .intersect(platform::Rect::of_size(0, 0, target.width, target.height)))
{
}

Canvas Canvas::child(int x, int y, int w, int h) const
{
    return Canvas(m_target, m_text, m_x + x, m_y + y, w, h).clipped(m_clip);
}

Canvas Canvas::clipped(platform::Rect const& area) const
{
    Canvas c(*this);
    c.m_clip = m_clip.intersect(area);
    return c;
}

void Canvas::draw(platform::Bitmap const& picture, int x, int y)
{
    auto r = platform::Rect::of_size(m_x + x, m_y + y, picture.width, picture.height).intersect(m_clip);
    if (!r.empty())
        m_target.draw_part(picture, r.left - (m_x + x), r.top - (m_y + y), r.width(), r.height(), r.left, r.top);
}

void Canvas::fill_rect(int x, int y, int w, int h, std::uint32_t colour)
{
    auto r = platform::Rect::of_size(m_x + x, m_y + y, w, h).intersect(m_clip);
    if (!r.empty())
        m_target.fill_rect(r.left, r.top, r.width(), r.height(), colour);
}

void Canvas::frame_rect(int x, int y, int w, int h, std::uint32_t colour)
{
    fill_rect(x, y, w, 1, colour);
    fill_rect(x, y + h - 1, w, 1, colour);
    fill_rect(x, y, 1, h, colour);
    fill_rect(x + w - 1, y, 1, h, colour);
}

void Canvas::text(platform::FontSpec const& font, int x, int y, std::string const& text, std::uint32_t colour)
{
    if (m_text && !text.empty())
        draw(m_text->render(font, text, colour), x, y);
}

int Canvas::text_width(platform::FontSpec const& font, std::string const& text) const
{
    return m_text ? m_text->text_width(font, text) : 0;
}

int Canvas::line_height(platform::FontSpec const& font) const { return m_text ? m_text->line_height(font) : font.height; }
