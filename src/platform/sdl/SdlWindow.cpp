#include "platform/sdl/SdlWindow.h"

#include "platform/x11/WindowManagerRequests.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr Millis iconify_wait_ms = 250;

int translate_key(SDL_Keycode k)
{
    switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return keys::Return;
    case SDLK_ESCAPE:
        return keys::Escape;
    case SDLK_BACKSPACE:
        return keys::Backspace;
    case SDLK_TAB:
        return keys::Tab;
    case SDLK_DELETE:
        return keys::Delete;
    case SDLK_LEFT:
        return keys::Left;
    case SDLK_RIGHT:
        return keys::Right;
    case SDLK_UP:
        return keys::Up;
    case SDLK_DOWN:
        return keys::Down;
    case SDLK_HOME:
        return keys::Home;
    case SDLK_END:
        return keys::End;
    default:
        return (k >= 32 && k < 127) ? int(k) : 0;
    }
}

ShiftState shift_state()
{
    SDL_Keymod m = SDL_GetModState();
    return ShiftState { (m & KMOD_SHIFT) != 0, (m & KMOD_CTRL) != 0, (m & KMOD_ALT) != 0 };
}

MouseButton translate_button(std::uint8_t b)
{
    return b == SDL_BUTTON_RIGHT ? MouseButton::Right : b == SDL_BUTTON_MIDDLE ? MouseButton::Middle : MouseButton::Left;
}

// Where the canvas lies in a window of w x h: all of it at the canvas's size,
// else scaled with its aspect kept and centred.
SDL_Rect canvas_view(int w, int h)
{
    if (std::int64_t(w) * Window::canvas_height > std::int64_t(h) * Window::canvas_width) {
        int scaled = int(std::int64_t(h) * Window::canvas_width / Window::canvas_height);
        return { (w - scaled) / 2, 0, scaled, h };
    }
    int scaled = int(std::int64_t(w) * Window::canvas_height / Window::canvas_width);
    return { 0, (h - scaled) / 2, w, scaled };
}

// The next event, reading the X connection only once SDL's queue is empty.
// Not SDL_PollEvent: it ends its round at a marker it queues after each read,
// and an event SDL queued itself behind the marker would wait there unseen.
bool next_event(SDL_Event& e)
{
    if (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        return true;
    SDL_PumpEvents();
    return SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

// The window surface's pages (shared with the X server) are first touched by
// the first present, which then pays for some five hundred page faults.
// Faulted in by a thread of their own, they are ready by the time the first
// screen is built. Only a hint: a kernel without it faults at the present.
std::jthread prefault_pixels(SDL_Surface const& surface)
{
    auto const page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    auto const first = reinterpret_cast<std::uintptr_t>(surface.pixels);
    auto const begin = first & ~(page - 1);
    auto const end = first + std::uintptr_t(surface.pitch) * std::uintptr_t(surface.h);
    return std::jthread([begin, end] { ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE); });
}

}

SdlWindow::SdlWindow(SdlVideo const&, Clock& clock, Style style) : m_clock(clock), m_style(style)
{
    SDL_DisplayMode mode {};
    int w = canvas_width, h = canvas_height;
    if (SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.w >= canvas_width && mode.h >= canvas_height) {
        w = mode.w;
        h = mode.h;
    }
    // Under a window manager the window is marked full screen before it is
    // shown, which the manager keeps over any panel; SDL's own full-screen
    // flag would ask once it is shown and wait a tenth of a second for the
    // answer. Without a manager a borderless window the size of the screen
    // does, and SDL resizes only a resizable window itself (for any other it
    // just asks the manager), while the window must follow the screen.
    m_window.reset(SDL_CreateWindow(
        "", 0, 0, w, h, SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN));
    if (!m_window)
        throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(m_window.get(), &info) || info.subsystem != SDL_SYSWM_X11)
        throw std::runtime_error("Cannot wait for the window's events: it is not on an X display");
    m_x_display = info.info.x11.display;
    m_x_window = info.info.x11.window;
    if (style == Style::FullScreen)
        x11::window_manager::mark_full_screen(m_x_display, m_x_window);
    SDL_Surface const* surface = SDL_GetWindowSurface(m_window.get());
    if (!surface)
        throw std::runtime_error(std::string("Cannot draw in the window: ") + SDL_GetError());
    m_prefault = prefault_pixels(*surface);
    SDL_StartTextInput();
}

SdlWindow::~SdlWindow() = default;

// The blit converts only when the window's pixels are not the canvas's.
// SDL fetches the surface afresh after the window changed size.
void SdlWindow::present(Bitmap const& canvas, Rect const& changed)
{
    SDL_Surface* screen = SDL_GetWindowSurface(m_window.get());
    sdl::SurfacePtr source(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(canvas.pixels.data()),
        canvas.width, canvas.height, 32, canvas.width * 4, SDL_PIXELFORMAT_RGB888));
    if (!screen || !source)
        return;
    // The first frame is the whole canvas, whatever changed.
    Rect const shown = m_first_frame_shown ? changed : Rect { 0, 0, canvas.width, canvas.height };
    show_with_first_frame();
    SDL_Rect view = canvas_view(screen->w, screen->h);
    if (view.w == canvas.width && view.h == canvas.height) {
        SDL_Rect part { shown.left, shown.top, shown.width(), shown.height() };
        SDL_Rect to { view.x + part.x, view.y + part.y, part.w, part.h };
        SDL_BlitSurface(source.get(), &part, screen, &to);
        SDL_UpdateWindowSurfaceRects(m_window.get(), &to, 1);
        return;
    }
    // Scaled, a changed pixel spreads over its neighbours: all is shown again.
    if (view.w != screen->w || view.h != screen->h)
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, (m_surround >> 16) & 0xff,
            (m_surround >> 8) & 0xff, m_surround & 0xff));
    SDL_BlitScaled(source.get(), nullptr, screen, &view);
    SDL_UpdateWindowSurface(m_window.get());
}

// The window is mapped with its first frame, not before: nothing unpainted
// is ever seen, and the events of its mapping (served with a dozen round
// trips to the server) come after that frame.
void SdlWindow::show_with_first_frame()
{
    if (m_first_frame_shown)
        return;
    m_first_frame_shown = true;
    SDL_ShowWindow(m_window.get());
}

void SdlWindow::to_canvas(int& x, int& y) const
{
    int w = canvas_width, h = canvas_height;
    SDL_GetWindowSize(m_window.get(), &w, &h);
    SDL_Rect view = canvas_view(w, h);
    if (view.w <= 0 || view.h <= 0)
        return;
    x = int(std::floor(double(x - view.x) * canvas_width / view.w));
    y = int(std::floor(double(y - view.y) * canvas_height / view.h));
}

// Minimising asks the window manager; with none on the display (a bare X
// server) nobody would answer, so the window is then taken off the screen.
// Sway and cage have no minimise, and sway gives the keyboard to a new
// window only when no full-screen one is in its way: the window leaves full
// screen at once, before the activity's window comes (a minimised window
// shows no change). A manager that minimises does so within milliseconds.
bool SdlWindow::minimise()
{
    if (m_style == Style::Borderless) {
        SDL_HideWindow(m_window.get());
        return true;
    }
    x11::window_manager::iconify(m_x_display, m_x_window);
    x11::window_manager::leave_full_screen(m_x_display, m_x_window);
    // A desktop that once had no minimise has none for the rest of the run.
    if (m_minimise_refused)
        return false;
    m_minimise_refused
        = !x11::window_manager::wait_until_iconic(m_x_display, m_x_window, m_clock, m_clock.now() + iconify_wait_ms);
    return !m_minimise_refused;
}

// Under a manager the window is asked back, not restored by SDL: SDL's raise
// is an application's request, which mutter refuses after the user worked in
// another window, and its restore waits a tenth of a second for the manager's
// answer. Sway may have handed full screen to the activity's window, so that
// is asked for again. The manager's answer reaches SDL as events.
void SdlWindow::maximise()
{
    if (m_style == Style::FullScreen) {
        x11::window_manager::ask_full_screen(m_x_display, m_x_window);
        x11::window_manager::activate(m_x_display, m_x_window);
        return;
    }
    if (SDL_GetWindowFlags(m_window.get()) & SDL_WINDOW_HIDDEN)
        SDL_ShowWindow(m_window.get());
    SDL_RestoreWindow(m_window.get());
    SDL_RaiseWindow(m_window.get());
    take_focus();
}

// The focus can only go to a mapped window; when the window is not yet back
// on screen, the restored and shown events take it.
void SdlWindow::take_focus()
{
    if (SDL_GetWindowFlags(m_window.get()) & SDL_WINDOW_SHOWN)
        SDL_SetWindowInputFocus(m_window.get());
}

bool SdlWindow::minimised() const
{
    return (SDL_GetWindowFlags(m_window.get()) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

void SdlWindow::set_surround_colour(std::uint32_t colour) { m_surround = colour; }

void SdlWindow::set_cursor(Bitmap const* picture, int hot_x, int hot_y)
{
    sdl::CursorPtr cursor;
    if (picture) {
        sdl::SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(picture->pixels.data()),
            picture->width, picture->height, 32, picture->width * 4, SDL_PIXELFORMAT_ARGB8888));
        if (surface)
            cursor.reset(SDL_CreateColorCursor(surface.get(), hot_x, hot_y));
    }
    SDL_SetCursor(cursor ? cursor.get() : SDL_GetDefaultCursor());
    m_cursor = std::move(cursor);
}

void SdlWindow::set_title(std::string const& title) { SDL_SetWindowTitle(m_window.get(), title.c_str()); }

void SdlWindow::fit_screen(int width, int height)
{
    // A window manager fits a full-screen window to the new screen itself.
    if (m_style == Style::FullScreen)
        return;
    SDL_SetWindowSize(m_window.get(), std::max(width, int(canvas_width)), std::max(height, int(canvas_height)));
    SDL_SetWindowPosition(m_window.get(), 0, 0);
}

void SdlWindow::wake() { m_wake.raise(); }

void SdlWindow::request_close()
{
    m_close_requested = true;
    m_wake.raise();
}

// SDL's queue is read before sleeping, and Xlib's must be empty then: events
// it already read off the socket would leave the socket quiet.
std::optional<InputEvent> SdlWindow::wait_event(Millis deadline)
{
    for (;;) {
        if (auto woken = take_wake())
            return woken;
        SDL_Event e;
        if (next_event(e)) {
            auto translated = translate(&e);
            return translated ? translated : InputEvent {};
        }
        int timeout_ms = -1;
        if (deadline != forever) {
            Millis left = deadline - m_clock.now();
            if (left <= 0)
                return std::nullopt;
            timeout_ms = int(std::min<Millis>(left, 1 << 30));
        }
        if (XEventsQueued(m_x_display, QueuedAlready) == 0)
            block(timeout_ms);
    }
}

std::optional<InputEvent> SdlWindow::take_wake()
{
    if (!m_wake.take())
        return std::nullopt;
    InputEvent out;
    out.kind = m_close_requested.exchange(false) ? InputEvent::Kind::Close : InputEvent::Kind::Wake;
    return out;
}

void SdlWindow::block(int timeout_ms)
{
    pollfd watched[] = { { ConnectionNumber(m_x_display), POLLIN, 0 }, { m_wake.fd(), POLLIN, 0 } };
    if (::poll(watched, 2, timeout_ms) > 0 && (watched[1].revents & POLLIN))
        m_wake.drain();
}

std::optional<InputEvent> SdlWindow::translate(void const* raw)
{
    auto const& e = *static_cast<SDL_Event const*>(raw);
    InputEvent out;
    using Kind = InputEvent::Kind;
    switch (e.type) {
    case SDL_MOUSEMOTION:
        out.kind = Kind::MouseMove;
        out.x = e.motion.x;
        out.y = e.motion.y;
        to_canvas(out.x, out.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? Kind::MouseDown : Kind::MouseUp;
        out.x = e.button.x;
        out.y = e.button.y;
        to_canvas(out.x, out.y);
        out.button = translate_button(e.button.button);
        out.double_click = e.button.clicks == 2;
        break;
    case SDL_MOUSEWHEEL:
        // The toolkit sends the turn to the control under the last pointer
        // position, so the event needs no coordinates of its own.
        out.kind = Kind::MouseWheel;
        out.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        if (!out.wheel)
            return std::nullopt;
        break;
    case SDL_KEYDOWN:
        out.kind = Kind::KeyDown;
        out.key = translate_key(e.key.keysym.sym);
        if (!out.key)
            return std::nullopt;
        break;
    case SDL_TEXTINPUT:
        out.kind = Kind::TextInput;
        out.text = e.text.text;
        break;
    case SDL_QUIT:
        out.kind = Kind::Close;
        return out;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
            take_focus();
            [[fallthrough]];
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // A new size needs the canvas scaled to it again.
            out.kind = Kind::Exposed;
            return out;
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
    out.shift = shift_state();
    return out;
}

}
