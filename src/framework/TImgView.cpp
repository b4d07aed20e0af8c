#include "framework/TImgView.h"

#include "framework/Trace.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr std::uint32_t track_colour = platform::rgb(52, 168, 72);
constexpr std::uint32_t groove_colour = platform::rgb(30, 120, 48);
constexpr std::uint32_t handle_colour = platform::rgb(255, 214, 10);
constexpr std::uint32_t handle_edge = platform::rgb(196, 140, 0);
constexpr std::uint32_t grip_dark = platform::rgb(170, 112, 0);
constexpr std::uint32_t grip_light = platform::rgb(255, 246, 180);
constexpr std::uint32_t view_colour = platform::rgb(255, 255, 255);
constexpr int min_handle = 20;

struct Rect {
    int x, y, w, h;
};

// A rectangle along a bar: `along` in the bar's direction, `across` its
// thickness, both as offset and size.
Rect bar_rect(int axis, int along, int length, int across, int thickness)
{
    return axis == 0 ? Rect { along, across, length, thickness } : Rect { across, along, thickness, length };
}

// Rounded ends come from insetting each row (or column) near the corners.
void fill_rounded(Canvas& canvas, Rect r, int radius, std::uint32_t colour)
{
    radius = std::min({ radius, r.w / 2, r.h / 2 });
    for (int row = 0; row < r.h; ++row) {
        int from_edge = std::min(row, r.h - 1 - row);
        int inset = 0;
        if (from_edge < radius) {
            double dy = radius - from_edge - 0.5;
            inset = int(std::lround(radius - std::sqrt(double(radius) * radius - dy * dy)));
        }
        canvas.fill_rect(r.x + inset, r.y + row, r.w - 2 * inset, 1, colour);
    }
}

}

TImgView::TImgView(TComponent* owner) : TWinControl(owner)
{
    SetColor(view_colour);
    m_picture.OnChange = [this](TObject*) { centre(); };
}

TImgView::Layout TImgView::layout() const
{
    Layout l {};
    l.picture[0] = m_picture.Width();
    l.picture[1] = m_picture.Height();
    // One bar can make the other needed: settle both in two rounds.
    bool across = false, down = false;
    for (int round = 0; round < 2; ++round) {
        down = l.picture[1] > Height() - (across ? bar_thickness : 0);
        across = l.picture[0] > Width() - (down ? bar_thickness : 0);
    }
    l.bar[0] = across;
    l.bar[1] = down;
    l.client[0] = std::max(0, Width() - (down ? bar_thickness : 0));
    l.client[1] = std::max(0, Height() - (across ? bar_thickness : 0));
    return l;
}

TImgView::Handle TImgView::handle(Layout const& l, int axis) const
{
    int track = l.client[axis];
    int length = std::clamp(int(std::int64_t(track) * l.client[axis] / std::max(1, l.picture[axis])),
        std::min(track, min_handle), track);
    int range = l.range(axis);
    int start = range > 0 ? int(std::int64_t(track - length) * scroll(axis) / range) : 0;
    return { start, length };
}

void TImgView::Scroll(int dx, int dy) { scroll_to(m_scroll_x + dx, m_scroll_y + dy); }

void TImgView::scroll_to(int x, int y)
{
    Layout l = layout();
    x = std::clamp(x, 0, l.range(0));
    y = std::clamp(y, 0, l.range(1));
    if (x != m_scroll_x || y != m_scroll_y) {
        m_scroll_x = x;
        m_scroll_y = y;
        Invalidate();
    }
    trace::event("scroll", { Name(), std::to_string(x), std::to_string(y) });
}

void TImgView::centre()
{
    Layout l = layout();
    m_drag.reset();
    Invalidate();
    scroll_to(l.range(0) / 2, l.range(1) / 2);
}

void TImgView::paint(Canvas& canvas)
{
    Layout l = layout();
    Canvas view = canvas.child(0, 0, l.client[0], l.client[1]);
    view.fill_rect(0, 0, l.client[0], l.client[1], Color());
    if (auto const* graphic = m_picture.Graphic()) {
        int offset[2];
        for (int axis : { 0, 1 })
            offset[axis] = l.bar[axis] ? -scroll(axis) : (l.client[axis] - l.picture[axis]) / 2;
        view.draw(*graphic, offset[0], offset[1]);
    }
    for (int axis : { 0, 1 })
        if (l.bar[axis])
            paint_bar(canvas, l, axis);
    // The corner between two bars stays plain: the view has no size grip.
    if (l.bar[0] && l.bar[1])
        canvas.fill_rect(l.client[0], l.client[1], bar_thickness, bar_thickness, track_colour);
}

void TImgView::paint_bar(Canvas& canvas, Layout const& l, int axis) const
{
    int track = l.client[axis];
    int across = l.client[1 - axis];
    Rect bar = bar_rect(axis, 0, track, across, bar_thickness);
    canvas.fill_rect(bar.x, bar.y, bar.w, bar.h, track_colour);
    fill_rounded(canvas, bar_rect(axis, 2, track - 4, across + 5, bar_thickness - 10), bar_thickness, groove_colour);

    Handle h = handle(l, axis);
    Rect outer = bar_rect(axis, h.start + 1, h.length - 2, across + 1, bar_thickness - 2);
    fill_rounded(canvas, outer, bar_thickness / 2, handle_edge);
    fill_rounded(canvas, { outer.x + 1, outer.y + 1, outer.w - 2, outer.h - 2 }, bar_thickness / 2 - 1, handle_colour);

    // Three ridges across the handle's middle, each a dark line with a light one beside it.
    int middle = h.start + h.length / 2;
    for (int ridge = -1; ridge <= 1; ++ridge) {
        int at = middle + ridge * 3 - 1;
        Rect dark = bar_rect(axis, at, 1, across + 4, bar_thickness - 8);
        Rect light = bar_rect(axis, at + 1, 1, across + 4, bar_thickness - 8);
        canvas.fill_rect(dark.x, dark.y, dark.w, dark.h, grip_dark);
        canvas.fill_rect(light.x, light.y, light.w, light.h, grip_light);
    }
}

std::optional<int> TImgView::bar_at(Layout const& l, int x, int y) const
{
    if (l.bar[1] && x >= l.client[0] && y < l.client[1])
        return 1;
    if (l.bar[0] && y >= l.client[1] && x < l.client[0])
        return 0;
    return std::nullopt;
}

// A press on a handle starts a drag; a press on the track beside it moves
// the view by a page towards the pointer.
void TImgView::mouse_down(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::mouse_down(button, shift, x, y);
    Layout l = layout();
    auto axis = bar_at(l, x, y);
    if (button != TMouseButton::Left || !axis)
        return;
    int along = *axis == 0 ? x : y;
    Handle h = handle(l, *axis);
    if (along >= h.start && along < h.start + h.length) {
        m_drag = Drag { *axis, along - h.start };
        return;
    }
    int page = (along < h.start ? -1 : 1) * l.client[*axis];
    Scroll(*axis == 0 ? page : 0, *axis == 1 ? page : 0);
}

void TImgView::mouse_move(TShiftState shift, int x, int y)
{
    TWinControl::mouse_move(shift, x, y);
    if (!m_drag)
        return;
    Layout l = layout();
    int axis = m_drag->axis;
    int travel = l.client[axis] - handle(l, axis).length;
    int start = (axis == 0 ? x : y) - m_drag->grab;
    int position = travel > 0 ? int(std::lround(double(start) * l.range(axis) / travel)) : 0;
    if (axis == 0)
        scroll_to(position, m_scroll_y);
    else
        scroll_to(m_scroll_x, position);
}

void TImgView::mouse_up(TMouseButton button, TShiftState shift, int x, int y)
{
    m_drag.reset();
    TWinControl::mouse_up(button, shift, x, y);
}

// The wheel moves the picture up and down, or across when it only scrolls
// that way.
bool TImgView::mouse_wheel(int notches, TShiftState)
{
    Layout l = layout();
    int step = -notches * wheel_step;
    if (l.bar[1])
        Scroll(0, step);
    else if (l.bar[0])
        Scroll(step, 0);
    else
        return false;
    return true;
}
