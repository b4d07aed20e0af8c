#pragma once

#include "framework/Canvas.h"
#include "framework/Cursors.h"
#include "framework/Notify.h"
#include "framework/TComponent.h"

#include <string>

class TForm;
class TWinControl;

// A visible component with a place on its parent. Picture controls are drawn
// by their parent in creation order; windowed controls (panels, forms) lie
// above them.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    void SetParent(TWinControl* parent);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return m_visible; }
    void SetVisible(bool);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool);
    int Tag() const { return m_tag; }
    void SetTag(int v) { m_tag = v; }
    std::string const& Hint() const { return m_hint; }
    void SetHint(std::string v) { m_hint = std::move(v); }
    bool ShowHint() const { return m_show_hint; }
    void SetShowHint(bool v) { m_show_hint = v; }
    int Cursor() const { return m_cursor; }
    void SetCursor(int v);

    // Visible here and in every parent up to the form.
    bool showing() const;
    // Position of this control's top-left corner on the window's canvas.
    int screen_left() const;
    int screen_top() const;
    // The part of the canvas the control can paint on: its rectangle cut to
    // each parent's.
    platform::Rect canvas_rect() const;
    virtual bool windowed() const { return false; }
    // The form this control sits on, through its parents (none for a form).
    TForm* form() const;

    // Keyboard focus: the form's active control gets the keys. Only controls
    // that can take it (list and edit boxes) do, and only while showing and
    // enabled; moving the focus to a new control runs its OnEnter.
    void SetFocus();
    bool Focused() const;
    virtual bool can_focus() const { return false; }
    // Whether control is this one or lies inside it.
    bool contains(TControl const* control) const;

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnEnter;

    // Dispatch from the application; coordinates are the control's own.
    virtual void mouse_down(TMouseButton, TShiftState, int x, int y);
    virtual void mouse_up(TMouseButton, TShiftState, int x, int y);
    virtual void mouse_move(TShiftState, int x, int y);
    virtual void click();
    virtual void mouse_enter() { }
    virtual void mouse_leave() { }
    // A wheel turn over the control; false passes it on to the parent.
    virtual bool mouse_wheel(int /*notches*/, TShiftState) { return false; }
    virtual void key_down(int /*key*/, TShiftState) { }
    virtual void text_input(std::string const& /*utf8*/) { }
    // The focus came or went.
    virtual void focus_changed() { }
    // This control or a parent was shown or hidden, or it moved to another
    // parent: showing() may have changed.
    virtual void showing_changed() { }

    virtual void paint(Canvas&) { }
    // Asks for the window to be drawn again before the loop next waits.
    void Invalidate();
    void Repaint() { Invalidate(); }

private:
    friend class TWinControl;
    TWinControl* m_parent { nullptr };
    int m_left { 0 }, m_top { 0 }, m_width { 0 }, m_height { 0 };
    bool m_visible { true };
    bool m_enabled { true };
    int m_tag { 0 };
    std::string m_hint;
    bool m_show_hint { false };
    int m_cursor { crDefault };
};
