#include "framework/TEdit.h"

#include "framework/TApplication.h"
#include "platform/Cp1252.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int text_margin = 2;
constexpr int caret_width = 2;
constexpr platform::Millis blink_time = 530;
constexpr std::uint32_t window_text = platform::rgb(0, 0, 0);

// What the box takes of a typed character: letters in lower case, nothing
// for controls or what the code page cannot hold.
std::optional<char32_t> accepted(char32_t c)
{
    bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
    if (control || !cp1252::representable(c))
        return std::nullopt;
    return cp1252::lower(c);
}

}

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(platform::rgb(255, 255, 255));
}

TEdit::~TEdit()
{
    if (m_blink)
        EventLoop::current().remove_timer(*m_blink);
}

void TEdit::SetText(std::string utf8)
{
    if (utf8 == m_text) {
        move_caret(m_text.size());
        return;
    }
    m_text = std::move(utf8);
    m_caret = m_text.size();
    changed();
}

void TEdit::SetFont(platform::FontSpec font)
{
    m_font = std::move(font);
    scroll_to_caret();
    Invalidate();
}

int TEdit::text_width(std::string_view text) const
{
    return Application ? Application->text_renderer().text_width(m_font, std::string(text)) : 0;
}

int TEdit::inner_width() const { return std::max(0, Width() - 2 * text_margin); }

int TEdit::caret_left() const { return text_margin + text_width(std::string_view(m_text).substr(0, m_caret)) - m_scroll; }

void TEdit::scroll_to_caret()
{
    int caret_x = text_width(std::string_view(m_text).substr(0, m_caret));
    int room = std::max(0, inner_width() - caret_width);
    if (caret_x - m_scroll > room)
        m_scroll = caret_x - room;
    if (caret_x < m_scroll)
        m_scroll = caret_x;
    // Once the text is shorter again, no empty room is kept on the right.
    m_scroll = std::clamp(m_scroll, 0, std::max(0, text_width(m_text) + caret_width - inner_width()));
}

void TEdit::move_caret(std::size_t to)
{
    m_caret = std::min(to, m_text.size());
    scroll_to_caret();
    restart_blink();
    Invalidate();
}

void TEdit::erase(std::size_t from, std::size_t to)
{
    if (from >= to)
        return;
    m_text.erase(from, to - from);
    m_caret = from;
    changed();
}

void TEdit::changed()
{
    scroll_to_caret();
    restart_blink();
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TEdit::text_input(std::string const& typed)
{
    std::string add;
    std::size_t pos = 0;
    while (pos < typed.size())
        if (auto c = utf8::decode(typed, pos))
            if (auto kept = accepted(*c))
                utf8::append(add, *kept);
    if (add.empty())
        return;
    m_text.insert(m_caret, add);
    m_caret += add.size();
    changed();
}

void TEdit::key_down(int key, TShiftState)
{
    namespace keys = platform::keys;
    switch (key) {
    case keys::Backspace:
        erase(utf8::previous_boundary(m_text, m_caret), m_caret);
        break;
    case keys::Delete:
        erase(m_caret, utf8::next_boundary(m_text, m_caret));
        break;
    case keys::Home:
        move_caret(0);
        break;
    case keys::End:
        move_caret(m_text.size());
        break;
    case keys::Left:
        move_caret(utf8::previous_boundary(m_text, m_caret));
        break;
    case keys::Right:
        move_caret(utf8::next_boundary(m_text, m_caret));
        break;
    default:
        break;
    }
}

// The press puts the caret at the character boundary nearest the pointer.
void TEdit::mouse_down(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::Left) {
        int target = x - text_margin + m_scroll;
        std::size_t best = 0;
        int best_distance = std::abs(target);
        for (std::size_t at = 0; at < m_text.size();) {
            at = utf8::next_boundary(m_text, at);
            int distance = std::abs(text_width(std::string_view(m_text).substr(0, at)) - target);
            if (distance < best_distance)
                best = at, best_distance = distance;
        }
        move_caret(best);
    }
    TWinControl::mouse_down(button, shift, x, y);
}

void TEdit::paint(Canvas& canvas)
{
    paint_background(canvas);
    int line = canvas.line_height(m_font);
    int top = (Height() - line) / 2;
    Canvas inner = canvas.child(text_margin, 0, inner_width(), Height());
    inner.text(m_font, -m_scroll, top, m_text, window_text);
    if (caret_shown())
        canvas.fill_rect(caret_left(), top, caret_width, line, window_text);
}

void TEdit::update_blink()
{
    bool wanted = Focused() && showing();
    if (wanted == m_blink.has_value())
        return;
    if (wanted) {
        restart_blink();
    } else {
        EventLoop::current().remove_timer(*m_blink);
        m_blink.reset();
    }
    Invalidate();
}

void TEdit::restart_blink()
{
    if (!Focused() || !showing())
        return;
    auto& loop = EventLoop::current();
    if (m_blink)
        loop.remove_timer(*m_blink);
    m_caret_on = true;
    m_blink = loop.add_timer(blink_time, [this] {
        m_caret_on = !m_caret_on;
        Invalidate();
    });
}
