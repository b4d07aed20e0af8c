#pragma once

#include "framework/TControl.h"
#include "framework/TPicture.h"

// A picture control. With AutoSize it takes the size of each picture loaded
// into it.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return m_picture; }
    TPicture const& Picture() const { return m_picture; }
    bool AutoSize() const { return m_auto_size; }
    void SetAutoSize(bool);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool v) { m_stretch = v; Invalidate(); }

    void paint(Canvas&) override;

private:
    void picture_changed();

    TPicture m_picture;
    bool m_auto_size { false };
    bool m_stretch { false };
};
