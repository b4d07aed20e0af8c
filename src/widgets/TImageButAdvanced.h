#pragma once

#include "widgets/ImageButtonBase.h"

// A picture button with a fourth picture shown while a mouse button is held
// on it; it never moves.
class TImageButAdvanced : public ImageButtonBase {
public:
    explicit TImageButAdvanced(TComponent* owner);

    TPicture& PicDown() { return m_pic_down; }
    void SetPicDown(TPicture const* p) { copy_into(m_pic_down, p); }

protected:
    void press() override;
    void release() override;

private:
    TPicture m_pic_down;
};
