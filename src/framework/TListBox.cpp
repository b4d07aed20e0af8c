#include "framework/TListBox.h"

#include "platform/Cp1252.h"

#include <algorithm>

namespace {

constexpr std::uint32_t highlight = platform::rgb(0, 0, 128);
constexpr std::uint32_t highlight_text = platform::rgb(255, 255, 255);
constexpr std::uint32_t window_text = platform::rgb(0, 0, 0);
constexpr int text_margin = 3;
// Items per wheel notch, as the platform's default.
constexpr int wheel_lines = 3;

}

TListBox::TListBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 97);
    SetColor(platform::rgb(255, 255, 255));
}

void TListBox::Clear()
{
    m_items.clear();
    m_item_index = -1;
    m_top_index = 0;
    m_tracking = false;
    Invalidate();
}

void TListBox::AddItem(std::string utf8)
{
    auto at = std::upper_bound(m_items.begin(), m_items.end(), utf8,
        [](std::string const& a, std::string const& b) { return cp1252::compare_text(a, b) < 0; });
    int index = int(at - m_items.begin());
    m_items.insert(at, std::move(utf8));
    // The selection stays on its item.
    if (m_item_index >= index)
        ++m_item_index;
    Invalidate();
}

void TListBox::SetItemIndex(int index)
{
    if (index < 0 || index >= int(m_items.size()))
        index = -1;
    if (index == m_item_index)
        return;
    m_item_index = index;
    if (index >= 0)
        scroll_into_view(index);
    Invalidate();
}

void TListBox::SetItemHeight(int height)
{
    if (height <= 0 || height == m_item_height)
        return;
    m_item_height = height;
    set_top_index(m_top_index);
    Invalidate();
}

void TListBox::SetFont(platform::FontSpec font)
{
    m_font = std::move(font);
    Invalidate();
}

int TListBox::visible_items() const { return std::max(1, Height() / m_item_height); }

int TListBox::max_top_index() const { return std::max(0, int(m_items.size()) - visible_items()); }

void TListBox::set_top_index(int index)
{
    index = std::clamp(index, 0, max_top_index());
    if (index == m_top_index)
        return;
    m_top_index = index;
    Invalidate();
}

void TListBox::scroll_into_view(int index)
{
    if (index < m_top_index)
        set_top_index(index);
    else if (index >= m_top_index + visible_items())
        set_top_index(index - visible_items() + 1);
}

int TListBox::item_at(int y) const
{
    if (y < 0)
        return -1;
    int index = m_top_index + y / m_item_height;
    return index < int(m_items.size()) ? index : -1;
}

void TListBox::paint(Canvas& canvas)
{
    paint_background(canvas);
    int text_top = (m_item_height - canvas.line_height(m_font)) / 2;
    // One row more than fit whole: the partial row at the bottom shows the
    // next item's top, clipped.
    int last = std::min(int(m_items.size()), m_top_index + visible_items() + 1);
    for (int i = m_top_index; i < last; ++i) {
        int y = (i - m_top_index) * m_item_height;
        bool selected = i == m_item_index;
        Canvas row = canvas.child(0, y, Width(), m_item_height);
        if (selected)
            row.fill_rect(0, 0, Width(), m_item_height, highlight);
        row.text(m_font, text_margin, text_top, m_items[std::size_t(i)], selected ? highlight_text : window_text);
    }
}

void TListBox::mouse_down(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::Left) {
        int index = item_at(y);
        m_tracking = index >= 0;
        if (m_tracking)
            SetItemIndex(index);
    }
    TWinControl::mouse_down(button, shift, x, y);
}

void TListBox::mouse_move(TShiftState shift, int x, int y)
{
    // While the button is held the selection follows the pointer over the
    // rows in view.
    if (m_tracking) {
        int row = std::clamp(y, 0, visible_items() * m_item_height - 1) / m_item_height;
        SetItemIndex(std::min(m_top_index + row, int(m_items.size()) - 1));
    }
    TWinControl::mouse_move(shift, x, y);
}

void TListBox::mouse_up(TMouseButton button, TShiftState shift, int x, int y)
{
    // As the application's clicks, the notification comes before the release.
    if (m_tracking && button == TMouseButton::Left) {
        m_tracking = false;
        if (OnClick)
            OnClick(this);
    }
    TWinControl::mouse_up(button, shift, x, y);
}

bool TListBox::mouse_wheel(int notches, TShiftState)
{
    if (max_top_index() == 0)
        return false;
    int step = std::min(wheel_lines, visible_items());
    set_top_index(m_top_index - notches * step);
    return true;
}

void TListBox::key_down(int key, TShiftState)
{
    namespace keys = platform::keys;
    int last = int(m_items.size()) - 1;
    if (last < 0)
        return;
    switch (key) {
    case keys::Up:
        select_by_key(m_item_index < 0 ? 0 : std::max(0, m_item_index - 1));
        break;
    case keys::Down:
        select_by_key(m_item_index < 0 ? 0 : std::min(last, m_item_index + 1));
        break;
    case keys::Home:
        select_by_key(0);
        break;
    case keys::End:
        select_by_key(last);
        break;
    default:
        break;
    }
}

void TListBox::select_by_key(int index)
{
    scroll_into_view(index);
    if (index == m_item_index)
        return;
    SetItemIndex(index);
    if (OnClick)
        OnClick(this);
}
