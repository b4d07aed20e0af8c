#pragma once

#include "framework/EventLoop.h"
#include "framework/TComponent.h"
#include "framework/TForm.h"
#include "platform/TextRenderer.h"
#include "platform/Window.h"

#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

enum class TMsgDlgType { mtInformation, mtWarning, mtConfirmation, mtError };
enum class TMsgDlgButtons { mbOK, mbYesNo };

// The application: its forms, the message loop, input dispatch to controls,
// painting, hints, cursors and the error box for exceptions from handlers.
class TApplication : public TComponent {
public:
    TApplication(platform::Window&, platform::Clock&, platform::TextRenderer&);
    ~TApplication() override;

    std::string const& Title() const { return m_title; }
    void SetTitle(std::string title);

    // The first form created is the main form. OnCreate runs once the form
    // and its components exist; an error there is shown and the form stays.
    template<class T>
    T& CreateForm(std::string name)
    {
        T& form = add<T>(std::move(name));
        if (!m_main_form) {
            m_main_form = &form;
            m_forms.push_back(&form);
        }
        guarded([&] {
            if (form.OnCreate)
                form.OnCreate(&form);
        });
        return form;
    }
    TForm* MainForm() const { return m_main_form; }

    // Shows the main form, activates it once and runs the loop until the
    // application terminates; then runs the main form's OnDestroy.
    void Run();
    void Terminate();
    bool Terminated() const { return m_terminated; }
    void ProcessMessages() { m_loop.process_pending(); }

    int MessageBox(TMsgDlgType, std::string const& text, TMsgDlgButtons);
    // The error box: the exception's text, captioned with the title.
    void ShowException(std::exception_ptr);

    void Minimize();
    void Restore();

    // Cursor ids that controls name in their Cursor property.
    void register_cursor(int id, platform::Bitmap picture, int hot_x, int hot_y);

    // The look of every hint.
    std::uint32_t HintColor { platform::rgb(255, 255, 225) };
    platform::FontSpec HintFont { "MS Sans Serif", 11, false };
    platform::Millis HintPause { 500 };

    EventLoop& loop() { return m_loop; }
    platform::Window& window() { return m_window; }
    platform::TextRenderer& text_renderer() { return m_text; }

    // Toolkit internals, called by controls and forms.
    // The whole canvas, or one area of it (canvas pixels), is painted again
    // at the next idle moment.
    void invalidate() { invalidate(whole_canvas()); }
    void invalidate(platform::Rect const& area) { m_dirty = m_dirty.unite(area.intersect(whole_canvas())); }
    void forget(TControl*);
    void visibility_changed(TControl*);
    void update_cursor();
    void push_form(TForm*);
    void pop_form(TForm*);
    void form_destroyed(TForm*);
    void guarded(std::function<void()> const& handler);
    TControl* hovered() const { return m_hover; }
    TControl* hint_control() const { return m_hint_shown ? m_hint_control : nullptr; }

private:
    void dispatch(platform::InputEvent const&);
    void pointer_moved(TShiftState);
    void mouse_down(platform::InputEvent const&);
    void mouse_up(platform::InputEvent const&);
    void mouse_wheel(platform::InputEvent const&);
    void keyboard(platform::InputEvent const&);
    TControl* control_under(int x, int y) const;
    void set_hover(TControl*);
    void arm_hint();
    void cancel_hint();
    bool covers_canvas(TForm const&) const;
    platform::Rect whole_canvas() const { return platform::Rect::of_size(0, 0, m_canvas.width, m_canvas.height); }
    void paint_if_dirty();
    void paint_hint(Canvas&);

    platform::Window& m_window;
    platform::TextRenderer& m_text;
    EventLoop m_loop;
    std::string m_title;
    TForm* m_main_form { nullptr };
    std::vector<TForm*> m_forms; // z-order, modal forms last
    bool m_terminated { false };
    // A close asked for while the main form was still being made.
    bool m_close_pending { false };
    bool m_first_frame_traced { false };
    platform::Bitmap m_canvas;
    // What changed since the last present; empty when nothing did.
    platform::Rect m_dirty { whole_canvas() };

    int m_mouse_x { -1 }, m_mouse_y { -1 };
    TControl* m_hover { nullptr };
    TControl* m_capture { nullptr };
    bool m_pressed_double { false };

    struct Cursor {
        platform::Bitmap picture;
        int hot_x, hot_y;
    };
    std::map<int, Cursor> m_cursors;
    int m_shown_cursor { -1 };

    TControl* m_hint_control { nullptr };
    bool m_hint_shown { false };
    std::optional<EventLoop::TimerId> m_hint_timer;
};

extern TApplication* Application;
