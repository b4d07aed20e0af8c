#pragma once

#include "framework/TControl.h"

#include <vector>

// A control that holds others. It paints its picture controls in creation
// order, then its windowed children above them.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    bool windowed() const override { return true; }

    std::vector<TControl*> const& controls() const { return m_controls; }
    // The deepest showing control at x, y (this control's coordinates),
    // windowed children first, newest first; this control when none.
    TControl* control_at(int x, int y);

    void paint(Canvas&) override;
    void showing_changed() override;
    std::uint32_t Color() const { return m_color; }
    void SetColor(std::uint32_t c) { m_color = c; Invalidate(); }

protected:
    virtual void paint_background(Canvas&);

private:
    friend class TControl;
    void insert_control(TControl* c) { m_controls.push_back(c); }
    void remove_control(TControl* c) { std::erase(m_controls, c); }

    std::vector<TControl*> m_controls;
    std::uint32_t m_color { platform::rgb(212, 208, 200) };
};
