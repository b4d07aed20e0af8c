#pragma once

#include "framework/TWinControl.h"

#include <string>

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// A top-level form on the window's canvas. The main form covers the canvas;
// modal forms are drawn above it and take all input while they run.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    std::string const& Caption() const { return m_caption; }
    void SetCaption(std::string v) { m_caption = std::move(v); }

    // Shows the form and runs a nested loop until ModalResult is set or the
    // form closes; the form is hidden again when it returns.
    int ShowModal();
    int ModalResult() const { return m_modal_result; }
    void SetModalResult(int v) { m_modal_result = v; }
    // Asks the form to close: OnClose runs; the main form's close ends the
    // application, a modal form's ends its loop.
    void Close();
    bool closed() const { return m_closed; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnActivate;
    TNotifyEvent OnClose;
    TNotifyEvent OnDestroy;

    // Keys reach the focused control, or the form when none has focus.
    // Moving the focus tells the old and the new control and runs the new
    // one's OnEnter; a control that cannot take the focus is refused.
    TControl* ActiveControl() const { return m_active_control; }
    void SetActiveControl(TControl*);

private:
    std::string m_caption;
    int m_modal_result { mrNone };
    bool m_closed { false };
    TControl* m_active_control { nullptr };
    friend class TApplication;
};
