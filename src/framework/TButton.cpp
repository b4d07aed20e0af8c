#include "framework/TButton.h"

#include "framework/TForm.h"

TButton::TButton(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::paint(Canvas& canvas)
{
    using platform::rgb;
    int w = Width(), h = Height();
    canvas.fill_rect(0, 0, w, h, rgb(212, 208, 200));
    std::uint32_t light = m_down ? rgb(64, 64, 64) : rgb(255, 255, 255);
    std::uint32_t dark = m_down ? rgb(255, 255, 255) : rgb(64, 64, 64);
    canvas.fill_rect(0, 0, w, 1, light);
    canvas.fill_rect(0, 0, 1, h, light);
    canvas.fill_rect(0, h - 1, w, 1, dark);
    canvas.fill_rect(w - 1, 0, 1, h, dark);
    if (m_default)
        canvas.frame_rect(-1, -1, w + 2, h + 2, rgb(0, 0, 0));
    // "&Yes" underlines its accelerator; the ampersand itself is not drawn.
    std::string shown;
    int underline_at = -1;
    for (std::size_t i = 0; i < m_caption.size(); ++i) {
        if (m_caption[i] == '&' && i + 1 < m_caption.size()) {
            underline_at = int(shown.size());
            continue;
        }
        shown += m_caption[i];
    }
    platform::FontSpec font { "MS Sans Serif", 11, false };
    int tw = canvas.text_width(font, shown), th = canvas.line_height(font);
    int tx = (w - tw) / 2 + (m_down ? 1 : 0), ty = (h - th) / 2 + (m_down ? 1 : 0);
    canvas.text(font, tx, ty, shown, rgb(0, 0, 0));
    if (underline_at >= 0) {
        int ux = tx + canvas.text_width(font, shown.substr(0, std::size_t(underline_at)));
        int uw = canvas.text_width(font, shown.substr(std::size_t(underline_at), 1));
        canvas.fill_rect(ux, ty + th - 1, uw, 1, rgb(0, 0, 0));
    }
}

void TButton::mouse_down(TMouseButton b, TShiftState s, int x, int y)
{
    m_down = true;
    Invalidate();
    TControl::mouse_down(b, s, x, y);
}

void TButton::mouse_up(TMouseButton b, TShiftState s, int x, int y)
{
    m_down = false;
    Invalidate();
    TControl::mouse_up(b, s, x, y);
}

void TButton::click()
{
    TControl::click();
    if (m_modal_result != 0)
        if (auto* form = dynamic_cast<TForm*>(Owner()))
            form->SetModalResult(m_modal_result);
}
