// Exec to first frame, seen two ways: the shell's own trace line
// (first-frame, noticed through inotify) and the first pixels on the X
// screen (a few screen points read back whenever the server reports drawing
// on the screen, until one changes). The watcher sleeps in between, so it
// takes no processor time and no server time from the start it measures.
// usage: first_frame BINARY TRACE_FILE RUNS
// The shell runs in the current folder with the caller's environment plus
// SPROUT_TRACE; under root it runs as user 65534, as a child's session would.
// Prints one line per run: trace-ms pixels-ms (-1: not seen).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

struct ScreenPoints {
    Display* display;
    Window root;
    std::vector<std::pair<int, int>> points;

    std::vector<unsigned long> sample() const
    {
        std::vector<unsigned long> out;
        for (auto [x, y] : points) {
            XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
            out.push_back(image ? XGetPixel(image, 0, 0) : 0);
            if (image)
                XDestroyImage(image);
        }
        return out;
    }
};

// Reads every queued event; true when one reported drawing.
bool drawing_reported(Display* display, int damage_event)
{
    bool drawn = false;
    while (XPending(display)) {
        XEvent e;
        XNextEvent(display, &e);
        drawn = drawn || e.type == damage_event + XDamageNotify;
    }
    return drawn;
}

bool trace_has_first_frame(std::string const& path)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.find("\tfirst-frame") != std::string::npos)
            return true;
    return false;
}

pid_t start(char const* binary, std::string const& trace)
{
    pid_t pid = fork();
    if (pid == 0) {
        setenv("SPROUT_TRACE", trace.c_str(), 1);
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(126);
        execl(binary, binary, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// A start stuck on its way (one that never shows its window) does not end on
// a request: it is killed after two seconds.
void end(pid_t pid)
{
    kill(pid, SIGTERM);
    auto const asked = Clock::now();
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (ms_since(asked) > 2000) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: first_frame BINARY TRACE_FILE RUNS\n");
        return 2;
    }
    std::string const trace = argv[2];
    std::string const folder = trace.substr(0, trace.rfind('/') + 1);
    ScreenPoints screen { XOpenDisplay(nullptr), 0, {} };
    if (!screen.display) {
        std::fprintf(stderr, "first_frame: no display\n");
        return 1;
    }
    // Xwayland's root cannot be read back (BadMatch): no pixels, no exit.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    screen.root = DefaultRootWindow(screen.display);
    int const w = DisplayWidth(screen.display, 0), h = DisplayHeight(screen.display, 0);
    for (int i = 1; i <= 4; ++i)
        screen.points.push_back({ w * i / 5, h * i / 5 });
    int damage_event = 0, damage_error = 0;
    if (!XDamageQueryExtension(screen.display, &damage_event, &damage_error)) {
        std::fprintf(stderr, "first_frame: the X server reports no drawing (no DAMAGE extension)\n");
        return 1;
    }
    // Drawing in any window on the screen is reported on the root.
    Damage const drawn = XDamageCreate(screen.display, screen.root, XDamageReportNonEmpty);
    int const watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(watch, folder.c_str(), IN_MODIFY | IN_CREATE);
    for (int run = 0, runs = std::atoi(argv[3]); run < runs; ++run) {
        unlink(trace.c_str());
        std::vector<unsigned long> const before = screen.sample();
        XDamageSubtract(screen.display, drawn, None, None);
        XSync(screen.display, False);
        drawing_reported(screen.display, damage_event);
        auto const t0 = Clock::now();
        pid_t const pid = start(argv[1], trace);
        double traced = -1, pixels = -1;
        // A second past the trace line with no change seen, the screen
        // cannot be read back (Xwayland's root shows no window): -1.
        while ((traced < 0 || pixels < 0) && ms_since(t0) < 5000 && !(traced >= 0 && ms_since(t0) > traced + 1000)) {
            pollfd p[] = { { watch, POLLIN, 0 }, { ConnectionNumber(screen.display), POLLIN, 0 } };
            if (XPending(screen.display) == 0 && poll(p, 2, 100) <= 0)
                continue;
            if (p[0].revents & POLLIN) {
                char events[4096];
                while (read(watch, events, sizeof events) > 0) { }
                if (traced < 0 && trace_has_first_frame(trace))
                    traced = ms_since(t0);
            }
            if (!drawing_reported(screen.display, damage_event) || pixels >= 0)
                continue;
            double const seen = ms_since(t0);
            // Reported again from here on; a window mapped in the screen's
            // own colour is drawing too, but not yet a frame.
            XDamageSubtract(screen.display, drawn, None, None);
            if (screen.sample() != before)
                pixels = seen;
        }
        end(pid);
        std::printf("%.1f %.1f\n", traced, pixels);
        std::fflush(stdout);
        // The X server and the kernel tidy up after a client for a while.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    XDamageDestroy(screen.display, drawn);
    XCloseDisplay(screen.display);
    return 0;
}
