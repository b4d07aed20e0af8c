#include "framework/Canvas.h"

#include <algorithm>

Canvas::Canvas(platform::Bitmap& target, platform::TextRenderer* text, int origin_x, int origin_y, int width, int height)
    : m_target(target)
    , m_text(text)
    , m_x(origin_x)
    , m_y(origin_y)
    , m_clip_left(std::max(0, origin_x))
    , m_clip_top(std::max(0, origin_y))
    , m_clip_right(std::min(target.width, origin_x + width))
    , m_clip_bottom(std::min(target.height, origin_y + height))
{
}

Canvas Canvas::child(int x, int y, int w, int h) const
{
    Canvas c(m_target, m_text, m_x + x, m_y + y, w, h);
    c.m_clip_left = std::max(c.m_clip_left, m_clip_left);
    c.m_clip_top = std::max(c.m_clip_top, m_clip_top);
    c.m_clip_right = std::min(c.m_clip_right, m_clip_right);
    c.m_clip_bottom = std::min(c.m_clip_bottom, m_clip_bottom);
    return c;
}

void Canvas::draw(platform::Bitmap const& picture, int x, int y)
{
    int x0 = std::max(m_clip_left, m_x + x), y0 = std::max(m_clip_top, m_y + y);
    int x1 = std::min(m_clip_right, m_x + x + picture.width);
    int y1 = std::min(m_clip_bottom, m_y + y + picture.height);
    if (x0 < x1 && y0 < y1)
        m_target.draw_part(picture, x0 - (m_x + x), y0 - (m_y + y), x1 - x0, y1 - y0, x0, y0);
}

void Canvas::fill_rect(int x, int y, int w, int h, std::uint32_t colour)
{
    int x0 = std::max(m_clip_left, m_x + x), y0 = std::max(m_clip_top, m_y + y);
    int x1 = std::min(m_clip_right, m_x + x + w), y1 = std::min(m_clip_bottom, m_y + y + h);
    if (x0 < x1 && y0 < y1)
        m_target.fill_rect(x0, y0, x1 - x0, y1 - y0, colour);
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
