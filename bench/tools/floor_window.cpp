// The least an SDL2 program does to put the intro's first picture on the
// screen: one borderless window the size of the screen, marked full screen
// for a window manager before it is shown (SDL's own full-screen flag would
// wait for the manager's answer), menu/m_1.jpg of the current
// folder decoded with libjpeg and scaled into it, one present. Writes
// "0\tfirst-frame" to SPROUT_TRACE once the picture is presented, as the
// shell does, so bench/tools/first_frame times both the same way; then waits
// to be ended.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace {

struct Picture {
    int width { 0 };
    int height { 0 };
    std::vector<unsigned char> pixels; // BGRX
};

bool decode(char const* path, Picture& out)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), std::fclose);
    if (!file)
        return false;
    jpeg_decompress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    out.pixels.resize(std::size_t(out.width) * std::size_t(out.height) * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.pixels.data() + std::size_t(info.output_scanline) * std::size_t(out.width) * 4;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}

int main()
{
    // Without it SDL probes for an accelerated window surface and loads the
    // GL stack first, which would make the floor no floor.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_DisplayMode mode {};
    SDL_GetCurrentDisplayMode(0, &mode);
    SDL_Window* window = SDL_CreateWindow("", 0, 0, mode.w, mode.h,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    Picture picture;
    if (!window || !SDL_GetWindowWMInfo(window, &info) || !decode("menu/m_1.jpg", picture))
        return 1;
    Display* x = info.info.x11.display;
    Atom const full_screen = XInternAtom(x, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(x, info.info.x11.window, XInternAtom(x, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char const*>(&full_screen), 1);
    SDL_ShowWindow(window);
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(picture.pixels.data(), picture.width, picture.height, 32,
        picture.width * 4, SDL_PIXELFORMAT_RGB888);
    SDL_BlitScaled(source, nullptr, screen, nullptr);
    SDL_UpdateWindowSurface(window);
    if (char const* trace = std::getenv("SPROUT_TRACE"))
        if (FILE* out = std::fopen(trace, "a")) {
            std::fputs("0\tfirst-frame\n", out);
            std::fclose(out);
        }
    SDL_Event e;
    while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) { }
    SDL_FreeSurface(source);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
