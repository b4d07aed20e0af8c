#include "widgets/TImageBut.h"

TImageBut::TImageBut(TComponent* owner) : ImageButtonBase(owner) { }

void TImageBut::press()
{
    if (!EnableButMove() || !EnableBut() || m_saved)
        return;
    m_saved = Position { Left(), Top() };
    SetBounds(Left() + 1, Top() + 1, Width(), Height());
}

// Not gated on EnableBut: the click comes before the release, so a click
// handler that disabled or hid the button still gets it put back. Only a
// position that a press saved is restored, so a release never jumps the
// button to a stale place.
void TImageBut::release()
{
    if (!m_saved)
        return;
    SetBounds(m_saved->left, m_saved->top, Width(), Height());
    m_saved.reset();
}
