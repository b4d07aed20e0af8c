#pragma once

#include "framework/TApplication.h"
#include "framework/TForm.h"

// A message box drawn inside the window: caption bar, the kind's icon, the
// text and its buttons. Enter picks the default button, Escape the cancel
// button, and Y / N (also with Alt) answer a question.
class TMessageForm : public TForm {
public:
    TMessageForm(TComponent* owner, TMsgDlgType, std::string text, TMsgDlgButtons);

    void paint(Canvas&) override;
    void key_down(int key, TShiftState) override;

private:
    void add_button(std::string caption, int result, int x, int y, bool is_default);
    void paint_icon(Canvas&, int x, int y) const;

    TMsgDlgType m_type;
    std::string m_text;
    std::vector<std::string> m_lines;
    int m_default_result { mrOk };
    int m_cancel_result { mrCancel };
    TMsgDlgButtons m_buttons;
};
