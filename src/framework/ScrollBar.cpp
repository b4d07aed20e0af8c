#include "framework/ScrollBar.h"

#include <algorithm>

namespace {

using platform::rgb;
constexpr std::uint32_t face = rgb(212, 208, 200);
constexpr std::uint32_t light = rgb(255, 255, 255);
constexpr std::uint32_t shadow = rgb(64, 64, 64);
constexpr std::uint32_t track = rgb(234, 232, 228);
constexpr std::uint32_t glyph = rgb(0, 0, 0);
constexpr int min_thumb = 8;

void raised(Canvas& canvas, int x, int y, int w, int h)
{
    canvas.fill_rect(x, y, w, h, face);
    canvas.fill_rect(x, y, w, 1, light);
    canvas.fill_rect(x, y, 1, h, light);
    canvas.fill_rect(x, y + h - 1, w, 1, shadow);
    canvas.fill_rect(x + w - 1, y, 1, h, shadow);
}

// A small triangle pointing up or down, centred in the button.
void arrow(Canvas& canvas, int x, int y, int h, bool up)
{
    int cx = x + ScrollBar::width / 2, cy = y + h / 2 - 2;
    for (int row = 0; row < 4; ++row) {
        int half = up ? row : 3 - row;
        canvas.fill_rect(cx - half - 1, cy + row, 2 * half + 1, 1, glyph);
    }
}

}

int ScrollBar::arrow_height() const { return std::min(width, height / 2); }

int ScrollBar::track_height() const { return std::max(0, height - 2 * arrow_height()); }

int ScrollBar::thumb_height() const
{
    int whole = std::max(1, max + page);
    return std::clamp(track_height() * page / whole, std::min(min_thumb, track_height()), track_height());
}

int ScrollBar::thumb_top() const
{
    int free = track_height() - thumb_height();
    return arrow_height() + (max > 0 ? free * position / max : 0);
}

int ScrollBar::position_for_thumb_top(int y) const
{
    int free = track_height() - thumb_height();
    if (free <= 0)
        return 0;
    int offset = std::clamp(y - arrow_height(), 0, free);
    return (offset * max + free / 2) / free;
}

ScrollBar::Part ScrollBar::part_at(int y) const
{
    if (y < arrow_height())
        return Part::LineUp;
    if (y >= height - arrow_height())
        return Part::LineDown;
    if (y < thumb_top())
        return Part::PageUp;
    if (y >= thumb_top() + thumb_height())
        return Part::PageDown;
    return Part::Thumb;
}

void ScrollBar::paint(Canvas& canvas, int x) const
{
    canvas.fill_rect(x, 0, width, height, track);
    int a = arrow_height();
    raised(canvas, x, 0, width, a);
    arrow(canvas, x, 0, a, true);
    raised(canvas, x, height - a, width, a);
    arrow(canvas, x, height - a, a, false);
    raised(canvas, x, thumb_top(), width, thumb_height());
}
