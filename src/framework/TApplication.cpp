#include "framework/TApplication.h"

#include "framework/TMessageForm.h"
#include "framework/Trace.h"

#include <algorithm>
#include <stdexcept>

TApplication* Application = nullptr;

TApplication::TApplication(platform::Window& window, platform::Clock& clock, platform::TextRenderer& text)
    : TComponent(nullptr)
    , m_window(window)
    , m_text(text)
    , m_loop(window, clock)
    , m_canvas(platform::Window::canvas_width, platform::Window::canvas_height)
{
    Application = this;
    m_loop.on_input = [this](platform::InputEvent const& e) { dispatch(e); };
    m_loop.on_idle = [this] { paint_if_dirty(); };
    m_loop.on_error = [this](std::exception_ptr e) { ShowException(e); };
}

TApplication::~TApplication()
{
    cancel_hint();
    // Forms and their components go before the loop they registered with.
    destroy_components();
    Application = nullptr;
}

void TApplication::SetTitle(std::string title)
{
    m_title = std::move(title);
    m_window.set_title(m_title);
}

void TApplication::guarded(std::function<void()> const& handler)
{
    try {
        handler();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

void TApplication::Run()
{
    if (!m_main_form)
        return;
    if (m_close_pending)
        m_main_form->Close();
    m_window.set_title(m_main_form->Caption());
    m_window.maximise();
    paint_if_dirty();
    if (!m_terminated)
        guarded([&] {
            if (m_main_form->OnActivate)
                m_main_form->OnActivate(m_main_form);
        });
    m_loop.run_until([this] { return m_terminated; });
    guarded([&] {
        if (m_main_form->OnDestroy)
            m_main_form->OnDestroy(m_main_form);
    });
    trace::event("exit");
}

void TApplication::Terminate()
{
    m_terminated = true;
    m_loop.wake();
}

void TApplication::ShowException(std::exception_ptr error)
{
    std::string text = "Unknown error";
    try {
        std::rethrow_exception(error);
    } catch (std::exception const& e) {
        text = e.what();
    } catch (...) {
    }
    MessageBox(TMsgDlgType::mtError, text, TMsgDlgButtons::mbOK);
}

int TApplication::MessageBox(TMsgDlgType type, std::string const& text, TMsgDlgButtons buttons)
{
    static char const* const kinds[] = { "information", "warning", "confirmation", "error" };
    trace::event("message", { kinds[int(type)], text });
    TMessageForm& box = add<TMessageForm>("", type, text, buttons);
    int result = box.ShowModal();
    delete_component(&box);
    return result;
}

void TApplication::Minimize()
{
    // A desktop without minimise (sway, a kiosk) keeps the window where it
    // is, and the activity's own window covers it.
    trace::event("window", { m_window.minimise() ? "minimised" : "stays" });
}

void TApplication::Restore()
{
    m_window.maximise();
    invalidate();
    trace::event("window", { "maximised" });
}

void TApplication::register_cursor(int id, platform::Bitmap picture, int hot_x, int hot_y)
{
    m_cursors[id] = Cursor { std::move(picture), hot_x, hot_y };
    m_shown_cursor = -1;
    update_cursor();
}

void TApplication::update_cursor()
{
    int id = m_hover ? m_hover->Cursor() : crDefault;
    if (id == m_shown_cursor)
        return;
    m_shown_cursor = id;
    auto it = m_cursors.find(id);
    if (it == m_cursors.end())
        m_window.set_cursor(nullptr, 0, 0);
    else
        m_window.set_cursor(&it->second.picture, it->second.hot_x, it->second.hot_y);
}

void TApplication::forget(TControl* control)
{
    if (m_hover == control)
        m_hover = nullptr;
    if (m_capture == control)
        m_capture = nullptr;
    if (m_hint_control == control)
        cancel_hint();
    // Quietly: the control is half destroyed, nothing may hear of it.
    for (TForm* f : m_forms)
        if (f->m_active_control == control)
            f->m_active_control = nullptr;
}

void TApplication::visibility_changed(TControl*)
{
    // A control that appears under or vanishes from beneath a resting pointer
    // is entered or left, as if the pointer had moved.
    if (m_mouse_x >= 0 && !m_capture)
        set_hover(control_under(m_mouse_x, m_mouse_y));
}

void TApplication::push_form(TForm* form)
{
    m_forms.push_back(form);
    if (!m_capture && m_mouse_x >= 0)
        set_hover(control_under(m_mouse_x, m_mouse_y));
    invalidate();
}

void TApplication::pop_form(TForm* form)
{
    std::erase(m_forms, form);
    if (m_capture && m_capture != m_main_form)
        m_capture = nullptr;
    if (m_mouse_x >= 0)
        set_hover(control_under(m_mouse_x, m_mouse_y));
    invalidate();
}

void TApplication::form_destroyed(TForm* form)
{
    std::erase(m_forms, form);
    if (m_main_form == form)
        m_main_form = nullptr;
}

TControl* TApplication::control_under(int x, int y) const
{
    if (m_forms.empty())
        return nullptr;
    TForm* top = m_forms.back();
    int fx = x - top->Left(), fy = y - top->Top();
    if (fx < 0 || fy < 0 || fx >= top->Width() || fy >= top->Height())
        return nullptr;
    return top->control_at(fx, fy);
}

void TApplication::set_hover(TControl* control)
{
    if (control == m_hover)
        return;
    cancel_hint();
    TControl* old = m_hover;
    m_hover = control;
    if (old)
        old->mouse_leave();
    // The leave handler may have moved things; enter only what is still hovered.
    if (m_hover == control && control)
        control->mouse_enter();
    update_cursor();
    arm_hint();
}

void TApplication::pointer_moved(TShiftState shift)
{
    TControl* under = control_under(m_mouse_x, m_mouse_y);
    if (m_capture) {
        // While a button is held only the capturing control hears of the pointer.
        set_hover(under == m_capture ? m_capture : nullptr);
        m_capture->mouse_move(shift, m_mouse_x - m_capture->screen_left(), m_mouse_y - m_capture->screen_top());
        return;
    }
    set_hover(under);
    if (under && under->Enabled())
        under->mouse_move(shift, m_mouse_x - under->screen_left(), m_mouse_y - under->screen_top());
}

void TApplication::mouse_down(platform::InputEvent const& e)
{
    cancel_hint();
    TControl* target = control_under(e.x, e.y);
    if (!target || !target->Enabled())
        return;
    // The focus moves first, as a native control takes it on the press.
    if (target->can_focus())
        target->SetFocus();
    m_capture = target;
    m_pressed_double = e.double_click;
    target->mouse_down(e.button, e.shift, e.x - target->screen_left(), e.y - target->screen_top());
}

void TApplication::mouse_up(platform::InputEvent const& e)
{
    TControl* target = m_capture;
    m_capture = nullptr;
    if (target && target->Enabled()) {
        int x = e.x - target->screen_left(), y = e.y - target->screen_top();
        bool inside = x >= 0 && y >= 0 && x < target->Width() && y < target->Height();
        // The click comes before the release, and never for the second press
        // of a double click.
        if (e.button == TMouseButton::Left && inside && !m_pressed_double)
            target->click();
        target->mouse_up(e.button, e.shift, x, y);
    }
    set_hover(control_under(e.x, e.y));
}

void TApplication::mouse_wheel(platform::InputEvent const& e)
{
    cancel_hint();
    for (TControl* c = control_under(m_mouse_x, m_mouse_y); c; c = c->Parent())
        if (c->Enabled() && c->mouse_wheel(e.wheel, e.shift))
            return;
}

void TApplication::keyboard(platform::InputEvent const& e)
{
    if (m_forms.empty())
        return;
    TForm* form = m_forms.back();
    TControl* target = form->ActiveControl() && form->ActiveControl()->showing() ? form->ActiveControl() : form;
    if (e.kind == platform::InputEvent::Kind::KeyDown)
        target->key_down(e.key, e.shift);
    else
        target->text_input(e.text);
}

void TApplication::dispatch(platform::InputEvent const& e)
{
    using Kind = platform::InputEvent::Kind;
    switch (e.kind) {
    case Kind::MouseMove:
        m_mouse_x = e.x;
        m_mouse_y = e.y;
        pointer_moved(e.shift);
        break;
    case Kind::MouseDown:
        m_mouse_x = e.x;
        m_mouse_y = e.y;
        mouse_down(e);
        break;
    case Kind::MouseUp:
        m_mouse_x = e.x;
        m_mouse_y = e.y;
        mouse_up(e);
        break;
    case Kind::MouseWheel:
        mouse_wheel(e);
        break;
    case Kind::KeyDown:
    case Kind::TextInput:
        keyboard(e);
        break;
    case Kind::Close:
        // Once the application is ending, another close request (a second
        // signal) dismisses a box still open, so the shutdown goes on.
        if (m_terminated && m_forms.size() > 1)
            m_forms.back()->Close();
        else if (m_main_form)
            m_main_form->Close();
        else
            m_close_pending = true;
        break;
    case Kind::Exposed:
        invalidate();
        break;
    case Kind::Wake:
        break;
    }
}

void TApplication::arm_hint()
{
    if (!m_hover || !m_hover->ShowHint() || m_hover->Hint().empty())
        return;
    m_hint_control = m_hover;
    m_hint_timer = m_loop.add_timer(HintPause, [this] {
        m_loop.remove_timer(*m_hint_timer);
        m_hint_timer.reset();
        m_hint_shown = true;
        invalidate();
    });
}

void TApplication::cancel_hint()
{
    if (m_hint_timer)
        m_loop.remove_timer(*m_hint_timer);
    m_hint_timer.reset();
    if (m_hint_shown)
        invalidate();
    m_hint_shown = false;
    m_hint_control = nullptr;
}

void TApplication::paint_hint(Canvas& canvas)
{
    TControl* c = hint_control();
    if (!c)
        return;
    int w = canvas.text_width(HintFont, c->Hint()) + 8;
    int h = canvas.line_height(HintFont) + 4;
    // Below the pointer, kept on the canvas.
    int x = std::clamp(m_mouse_x, 0, std::max(0, m_canvas.width - w));
    int y = m_mouse_y + 24;
    if (y + h > m_canvas.height)
        y = std::max(0, m_mouse_y - h - 4);
    canvas.fill_rect(x, y, w, h, HintColor);
    canvas.frame_rect(x, y, w, h, platform::rgb(0, 0, 0));
    canvas.text(HintFont, x + 4, y + 2, c->Hint(), platform::rgb(0, 0, 0));
}

bool TApplication::covers_canvas(TForm const& form) const
{
    return form.Left() <= 0 && form.Top() <= 0 && form.Left() + form.Width() >= m_canvas.width
        && form.Top() + form.Height() >= m_canvas.height;
}

void TApplication::paint_if_dirty()
{
    if (m_dirty.empty() || m_forms.empty())
        return;
    platform::Rect area = m_dirty;
    m_dirty = {};
    // A form paints all of its area, so nothing below one that covers the
    // canvas can be seen (the main window beneath the farewell window).
    auto first = m_forms.begin();
    bool covered = false;
    for (auto it = m_forms.begin(); it != m_forms.end(); ++it)
        if ((*it)->Visible() && covers_canvas(**it)) {
            first = it;
            covered = true;
        }
    Canvas whole = Canvas(m_canvas, &m_text, 0, 0, m_canvas.width, m_canvas.height).clipped(area);
    if (!covered)
        whole.fill_rect(0, 0, m_canvas.width, m_canvas.height, m_forms.front()->Color());
    for (auto it = first; it != m_forms.end(); ++it) {
        TForm* form = *it;
        if (!form->Visible())
            continue;
        Canvas c = whole.child(form->Left(), form->Top(), form->Width(), form->Height());
        form->paint(c);
    }
    paint_hint(whole);
    m_window.present(m_canvas, area);
    if (!m_first_frame_traced) {
        m_first_frame_traced = true;
        trace::event("first-frame");
    }
}
