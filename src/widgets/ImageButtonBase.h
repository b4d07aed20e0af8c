#pragma once

#include "framework/TImage.h"

// What both picture buttons share: the rest, hover and disabled pictures, the
// enabled state and the pictures on entry and leaving. Each button decides
// what a press and its release do.
class ImageButtonBase : public TImage {
public:
    TPicture& PicFrom() { return m_pic_from; }
    TPicture& PicTo() { return m_pic_to; }
    TPicture& PicDisabled() { return m_pic_disabled; }
    // Copies p's graphic and shows it at once, whatever the pointer and state.
    void SetPicFrom(TPicture const* p);
    // Copy p's graphic; nothing is shown. A missing p changes nothing.
    void SetPicTo(TPicture const* p);
    void SetPicDisabled(TPicture const* p);
    bool EnableButMove() const { return m_enable_but_move; }
    void SetEnableButMove(bool v) { m_enable_but_move = v; }
    bool EnableBut() const { return m_enable_but; }
    void SetEnableBut(bool);

    // Optional, never set by the shell.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void mouse_enter() override;
    void mouse_leave() override;

protected:
    explicit ImageButtonBase(TComponent* owner);

    // Replaces the picture on screen with a copy of a state picture.
    void show(TPicture const& state) { Picture().Assign(&state); }
    static void copy_into(TPicture& state, TPicture const* p);

    // The control's own OnMouseDown and OnMouseUp.
    virtual void press() = 0;
    virtual void release() = 0;

private:
    TPicture m_pic_from;
    TPicture m_pic_to;
    TPicture m_pic_disabled;
    bool m_enable_but_move { true };
    bool m_enable_but { true };
};
