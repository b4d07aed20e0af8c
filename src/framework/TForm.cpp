#include "framework/TForm.h"

#include "framework/TApplication.h"
#include "framework/Trace.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 800, 600); }

TForm::~TForm()
{
    // Off the application's list before the controls go, so nothing reaches
    // a half-destroyed form.
    if (Application)
        Application->form_destroyed(this);
}

int TForm::ShowModal()
{
    m_modal_result = mrNone;
    m_closed = false;
    Application->push_form(this);
    Show();
    EventLoop::current().run_until([this] { return m_modal_result != mrNone || m_closed || Application->Terminated(); });
    Application->pop_form(this);
    Hide();
    return m_modal_result == mrNone ? mrCancel : m_modal_result;
}

void TForm::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (OnClose)
        OnClose(this);
    if (Application && Application->MainForm() == this)
        Application->Terminate();
}

void TForm::SetActiveControl(TControl* control)
{
    if (control == m_active_control || (control && !control->can_focus()))
        return;
    TControl* old = m_active_control;
    m_active_control = control;
    trace::event("focus", { control ? control->Name() : Name() });
    if (old)
        old->focus_changed();
    if (control) {
        control->focus_changed();
        if (control->OnEnter)
            control->OnEnter(control);
    }
}
