#include "framework/TForm.h"

#include "framework/TApplication.h"

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
    // The end of the application ends the forms open at that moment; a form
    // shown after it (an error box while the desktop is put back) is still
    // answered.
    bool const shown_while_running = !Application->Terminated();
    Application->push_form(this);
    EventLoop::current().run_until([this, shown_while_running] {
        return m_modal_result != mrNone || m_closed || (shown_while_running && Application->Terminated());
    });
    Application->pop_form(this);
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
