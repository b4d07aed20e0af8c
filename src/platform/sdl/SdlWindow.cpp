#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <stdexcept>
#include <string>

namespace platform {

namespace {

constexpr std::int32_t close_code = 1;

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

// Minimising asks the window manager; with none on the display (a bare X
// server) nobody would answer, so the window is then taken off the screen.
bool window_manager_running(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return true;
    Display* display = info.info.x11.display;
    std::string selection = "WM_S" + std::to_string(DefaultScreen(display));
    if (XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None)
        return true;
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType, &type, &format,
        &items, &left, &data);
    if (data)
        XFree(data);
    return items > 0;
}

}

SdlWindow::SdlWindow(Clock& clock) : m_clock(clock)
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Probing for an accelerated window surface loads the GL stack, which
    // costs more than the whole start-up; the canvas is small enough without.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
    SDL_DisplayMode mode {};
    int w = canvas_width, h = canvas_height;
    if (SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.w >= canvas_width && mode.h >= canvas_height) {
        w = mode.w;
        h = mode.h;
    }
    // A borderless window the size of the screen rather than SDL's fullscreen
    // flags, which need a window manager.
    m_window = SDL_CreateWindow("", 0, 0, w, h, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (!m_window)
        throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
    m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (!m_renderer)
        m_renderer = SDL_CreateRenderer(m_window, -1, 0);
    if (!m_renderer)
        throw std::runtime_error(std::string("Cannot draw in the window: ") + SDL_GetError());
    SDL_RenderSetLogicalSize(m_renderer, canvas_width, canvas_height);
    m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, canvas_width,
        canvas_height);
    m_wake_event = SDL_RegisterEvents(1);
    SDL_StartTextInput();
}

SdlWindow::~SdlWindow()
{
    if (m_cursor)
        SDL_FreeCursor(m_cursor);
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    if (m_renderer)
        SDL_DestroyRenderer(m_renderer);
    if (m_window)
        SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::present(Bitmap const& canvas)
{
    SDL_UpdateTexture(m_texture, nullptr, canvas.pixels.data(), canvas.width * 4);
    SDL_SetRenderDrawColor(m_renderer, (m_surround >> 16) & 0xff, (m_surround >> 8) & 0xff, m_surround & 0xff, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(m_renderer);
}

void SdlWindow::minimise()
{
    if (window_manager_running(m_window))
        SDL_MinimizeWindow(m_window);
    else
        SDL_HideWindow(m_window);
}

void SdlWindow::maximise()
{
    bool hidden = (SDL_GetWindowFlags(m_window) & SDL_WINDOW_HIDDEN) != 0;
    if (hidden)
        SDL_ShowWindow(m_window);
    SDL_RestoreWindow(m_window);
    SDL_RaiseWindow(m_window);
    // Without a window manager the keyboard does not come back by itself.
    if (hidden)
        SDL_SetWindowInputFocus(m_window);
}

bool SdlWindow::minimised() const
{
    return (SDL_GetWindowFlags(m_window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

void SdlWindow::set_surround_colour(std::uint32_t colour) { m_surround = colour; }

void SdlWindow::set_cursor(Bitmap const* picture, int hot_x, int hot_y)
{
    SDL_Cursor* cursor = nullptr;
    if (picture) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(picture->pixels.data()),
            picture->width, picture->height, 32, picture->width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (surface) {
            cursor = SDL_CreateColorCursor(surface, hot_x, hot_y);
            SDL_FreeSurface(surface);
        }
    }
    SDL_SetCursor(cursor ? cursor : SDL_GetDefaultCursor());
    if (m_cursor)
        SDL_FreeCursor(m_cursor);
    m_cursor = cursor;
}

void SdlWindow::set_title(std::string const& title) { SDL_SetWindowTitle(m_window, title.c_str()); }

void SdlWindow::wake()
{
    SDL_Event e {};
    e.type = m_wake_event;
    SDL_PushEvent(&e);
}

void SdlWindow::request_close()
{
    SDL_Event e {};
    e.type = m_wake_event;
    e.user.code = close_code;
    SDL_PushEvent(&e);
}

std::optional<InputEvent> SdlWindow::wait_event(Millis deadline)
{
    SDL_Event e;
    int got;
    if (deadline == forever) {
        got = SDL_WaitEvent(&e);
    } else {
        Millis left = deadline - m_clock.now();
        got = left <= 0 ? SDL_PollEvent(&e) : SDL_WaitEventTimeout(&e, int(std::min<Millis>(left, 1 << 30)));
    }
    if (!got)
        return std::nullopt;
    auto translated = translate(&e);
    return translated ? translated : InputEvent {};
}

std::optional<InputEvent> SdlWindow::translate(void const* raw)
{
    auto const& e = *static_cast<SDL_Event const*>(raw);
    InputEvent out;
    using Kind = InputEvent::Kind;
    if (e.type == m_wake_event) {
        out.kind = e.user.code == close_code ? Kind::Close : Kind::Wake;
        return out;
    }
    switch (e.type) {
    case SDL_MOUSEMOTION:
        out.kind = Kind::MouseMove;
        out.x = e.motion.x;
        out.y = e.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? Kind::MouseDown : Kind::MouseUp;
        out.x = e.button.x;
        out.y = e.button.y;
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
        if (e.window.event != SDL_WINDOWEVENT_EXPOSED && e.window.event != SDL_WINDOWEVENT_RESTORED
            && e.window.event != SDL_WINDOWEVENT_SHOWN)
            return std::nullopt;
        out.kind = Kind::Exposed;
        return out;
    default:
        return std::nullopt;
    }
    out.shift = shift_state();
    return out;
}

}
