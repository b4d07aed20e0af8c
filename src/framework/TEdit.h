#pragma once

#include "framework/EventLoop.h"
#include "framework/TWinControl.h"
#include "platform/TextRenderer.h"

#include <optional>
#include <string>
#include <string_view>

// A one-line edit box without border, as a native child window of the ANSI
// code page: typed letters are turned to lower case, characters the code
// page cannot hold are refused. The caret blinks only while the box has the
// focus and shows, so a hidden box costs no timer.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    ~TEdit() override;

    std::string const& Text() const { return m_text; }
    // The caret goes to the end.
    void SetText(std::string utf8);
    platform::FontSpec const& Font() const { return m_font; }
    void SetFont(platform::FontSpec);

    TNotifyEvent OnChange;

    // Where the caret is: a byte offset into Text() on a character boundary,
    // and its left edge in the box's pixels; whether the blink shows it now.
    std::size_t caret() const { return m_caret; }
    int caret_left() const;
    bool caret_shown() const { return m_blink.has_value() && m_caret_on; }

    bool can_focus() const override { return true; }
    void paint(Canvas&) override;
    void mouse_down(TMouseButton, TShiftState, int x, int y) override;
    void key_down(int key, TShiftState) override;
    void text_input(std::string const& utf8) override;
    void focus_changed() override { update_blink(); }
    void showing_changed() override { update_blink(); }

private:
    int text_width(std::string_view) const;
    int inner_width() const;
    void move_caret(std::size_t to);
    void erase(std::size_t from, std::size_t to);
    void changed();
    void scroll_to_caret();
    // Starts or stops the blink timer as focus and showing say.
    void update_blink();
    // Typing and moving show the caret at once and start its blink afresh.
    void restart_blink();

    std::string m_text;
    std::size_t m_caret { 0 };
    // Pixels of text scrolled off to the left.
    int m_scroll { 0 };
    platform::FontSpec m_font { "MS Sans Serif", 11, false };
    bool m_caret_on { false };
    std::optional<EventLoop::TimerId> m_blink;
};
