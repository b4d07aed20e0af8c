#include "framework/TControl.h"

#include "framework/TApplication.h"
#include "framework/TForm.h"
#include "framework/TWinControl.h"
#include "framework/Trace.h"

TControl::TControl(TComponent* owner) : TComponent(owner) { }

TControl::~TControl()
{
    if (m_parent)
        m_parent->remove_control(this);
    if (Application)
        Application->forget(this);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == m_parent)
        return;
    if (m_parent)
        m_parent->remove_control(this);
    m_parent = parent;
    if (m_parent)
        m_parent->insert_control(this);
    if (Application)
        Application->invalidate();
    showing_changed();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    // What it leaves is uncovered, so it is painted again as well.
    Invalidate();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    Invalidate();
}

void TControl::SetVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    // Hiding must redraw too, so this bypasses the showing() test.
    if (Application && (!m_parent || m_parent->showing()))
        Application->invalidate(canvas_rect());
    if (!Name().empty())
        trace::event("visible", { Name(), v ? "1" : "0" });
    showing_changed();
    // Keys must not go to a control nobody sees: the form takes them back.
    if (TForm* f = form(); !v && f && contains(f->ActiveControl()))
        f->SetActiveControl(nullptr);
    if (Application)
        Application->visibility_changed(this);
}

void TControl::SetEnabled(bool v)
{
    if (v == m_enabled)
        return;
    m_enabled = v;
    Invalidate();
}

void TControl::SetCursor(int v)
{
    m_cursor = v;
    if (Application)
        Application->update_cursor();
}

bool TControl::showing() const
{
    for (TControl const* c = this; c; c = c->Parent())
        if (!c->Visible())
            return false;
    return true;
}

TForm* TControl::form() const
{
    for (TWinControl* p = m_parent; p; p = p->Parent())
        if (auto* f = dynamic_cast<TForm*>(p))
            return f;
    return nullptr;
}

void TControl::SetFocus()
{
    if (TForm* f = form(); f && can_focus() && showing() && Enabled())
        f->SetActiveControl(this);
}

bool TControl::Focused() const
{
    TForm* f = form();
    return f && f->ActiveControl() == this;
}

bool TControl::contains(TControl const* control) const
{
    for (TControl const* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

int TControl::screen_left() const { return m_left + (m_parent ? m_parent->screen_left() : 0); }

int TControl::screen_top() const { return m_top + (m_parent ? m_parent->screen_top() : 0); }

platform::Rect TControl::canvas_rect() const
{
    auto r = platform::Rect::of_size(screen_left(), screen_top(), m_width, m_height);
    for (TControl const* p = m_parent; p; p = p->Parent())
        r = r.intersect(platform::Rect::of_size(p->screen_left(), p->screen_top(), p->Width(), p->Height()));
    return r;
}

void TControl::mouse_down(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::mouse_up(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::mouse_move(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::click()
{
    if (OnClick)
        OnClick(this);
}

// Only what can be seen asks for a redraw: a hidden control (the mascot in
// its hidden panel, say) may change as often as it likes for free.
void TControl::Invalidate()
{
    if (Application && showing())
        Application->invalidate(canvas_rect());
}
