#include "widgets/TImageButAdvanced.h"

#include "framework/TApplication.h"

TImageButAdvanced::TImageButAdvanced(TComponent* owner) : ImageButtonBase(owner) { }

void TImageButAdvanced::press()
{
    if (EnableButMove() && EnableBut())
        show(m_pic_down);
}

// A release outside the button shows the rest picture: the pointer already
// left, and no later leaving would take a hover picture away again.
void TImageButAdvanced::release()
{
    if (!EnableButMove() || !EnableBut())
        return;
    bool over = Application && Application->hovered() == this;
    show(over ? PicTo() : PicFrom());
}
