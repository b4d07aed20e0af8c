#include "widgets/ImageButtonBase.h"

ImageButtonBase::ImageButtonBase(TComponent* owner) : TImage(owner)
{
    SetVisible(true);
    SetAutoSize(false);
    SetStretch(false);
    SetEnabled(true);
    m_enable_but = Enabled();
    // A form that assigns its own handlers replaces these.
    OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { press(); };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { release(); };
    show(m_pic_from);
}

void ImageButtonBase::copy_into(TPicture& state, TPicture const* p)
{
    if (p)
        state.Assign(p);
}

void ImageButtonBase::SetPicFrom(TPicture const* p)
{
    copy_into(m_pic_from, p);
    show(m_pic_from);
}

void ImageButtonBase::SetPicTo(TPicture const* p) { copy_into(m_pic_to, p); }

void ImageButtonBase::SetPicDisabled(TPicture const* p) { copy_into(m_pic_disabled, p); }

void ImageButtonBase::SetEnableBut(bool v)
{
    show(v ? m_pic_from : m_pic_disabled);
    m_enable_but = v;
    SetEnabled(v);
}

void ImageButtonBase::mouse_enter()
{
    TImage::mouse_enter();
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (m_enable_but)
        show(m_pic_to);
}

void ImageButtonBase::mouse_leave()
{
    TImage::mouse_leave();
    if (OnMouseLeave)
        OnMouseLeave(this);
    if (m_enable_but)
        show(m_pic_from);
}
