#pragma once

#include "framework/TControl.h"

// A plain push button with a caption, for the toolkit's own boxes.
class TButton : public TControl {
public:
    explicit TButton(TComponent* owner);

    std::string const& Caption() const { return m_caption; }
    void SetCaption(std::string v) { m_caption = std::move(v); Invalidate(); }
    int ModalResult() const { return m_modal_result; }
    void SetModalResult(int v) { m_modal_result = v; }
    bool Default() const { return m_default; }
    void SetDefault(bool v) { m_default = v; Invalidate(); }

    void paint(Canvas&) override;
    void mouse_down(TMouseButton, TShiftState, int x, int y) override;
    void mouse_up(TMouseButton, TShiftState, int x, int y) override;
    void click() override;

private:
    std::string m_caption;
    int m_modal_result { 0 };
    bool m_default { false };
    bool m_down { false };
};
