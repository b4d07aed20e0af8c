#include "framework/TWinControl.h"

// Components outlive their parent's control part (an owner destroys its
// components last), so children forget this parent first.
TWinControl::~TWinControl()
{
    for (TControl* c : m_controls)
        c->m_parent = nullptr;
}

TControl* TWinControl::control_at(int x, int y)
{
    auto hit = [&](TControl* c) {
        return c->Visible() && x >= c->Left() && y >= c->Top() && x < c->Left() + c->Width()
            && y < c->Top() + c->Height();
    };
    for (bool windowed_pass : { true, false }) {
        for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
            TControl* c = *it;
            if (c->windowed() != windowed_pass || !hit(c))
                continue;
            if (auto* w = dynamic_cast<TWinControl*>(c))
                return w->control_at(x - c->Left(), y - c->Top());
            return c;
        }
    }
    return this;
}

void TWinControl::showing_changed()
{
    for (TControl* c : m_controls)
        c->showing_changed();
}

void TWinControl::paint_background(Canvas& canvas) { canvas.fill_rect(0, 0, Width(), Height(), m_color); }

void TWinControl::paint(Canvas& canvas)
{
    paint_background(canvas);
    for (bool windowed_pass : { false, true }) {
        for (TControl* c : m_controls) {
            if (c->windowed() != windowed_pass || !c->Visible())
                continue;
            Canvas child = canvas.child(c->Left(), c->Top(), c->Width(), c->Height());
            c->paint(child);
        }
    }
}
