#pragma once

#include "framework/TWinControl.h"

// A plain windowed container; it lies above its parent's picture controls.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);
    bool DoubleBuffered() const { return m_double_buffered; }
    void SetDoubleBuffered(bool v) { m_double_buffered = v; }

private:
    // Drawing goes to an off-screen canvas anyway; kept as a setting only.
    bool m_double_buffered { false };
};
