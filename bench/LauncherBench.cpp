// The activity launcher's two figures, on the real clock with the starter's
// probe program as the activity (build target starter_probe first, or name
// it in SPROUT_STARTER_PROBE):
//  - a menu click to the activity's first instruction: target the 300 ms of
//    the design plus at most 10 ms (median);
//  - the activity's end to the shell back on screen (restored and its frame
//    presented): target at most the 500 ms finish check plus 20 ms (median).
//    The end falls at a spread of moments within the finish check's period.
#include "framework/TApplication.h"
#include "platform/RealClock.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "shell/TForm1.h"
#include "support/ProbeReport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

std::string probe_path()
{
    if (char const* path = std::getenv("SPROUT_STARTER_PROBE"))
        return path;
    auto bench_folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return (bench_folder.parent_path() / "tests/services/helpers/starter_probe").string();
}

long long monotonic_ns()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The main window on the menu, its Maths item being the probe.
struct Menu {
    platform::RealClock clock;
    platform::FakeWindow window { clock };
    platform::FakeTextRenderer text;
    TApplication app { window, clock, text };
    std::filesystem::path folder { std::filesystem::temp_directory_path()
        / ("launcher-bench-" + std::to_string(getpid())) };
    std::string report { (folder / "report").string() };
    TForm1& form;
    // When the shell last presented a frame after coming back.
    long long shown_ns { 0 };
    bool back { false };

    Menu() : form(make_form())
    {
        form.installdir = folder.string() + "/";
        form.studentname = "anna";
        form.langletter = 'e';
        std::filesystem::create_directories(folder / "maths");
        std::filesystem::copy_file(probe_path(), folder / "maths/maths.exe",
            std::filesystem::copy_options::overwrite_existing);
        form.ShowMenuButtons();
        form.menuactive = true;
        auto finished = form.AppExe.OnFinished;
        form.AppExe.OnFinished = [this, finished](TObject* sender) {
            finished(sender);
            back = true;
        };
        auto idle = app.loop().on_idle;
        app.loop().on_idle = [this, idle] {
            int frames = window.frames();
            idle();
            if (back && !shown_ns && window.frames() > frames)
                shown_ns = monotonic_ns();
        };
    }
    ~Menu() { std::filesystem::remove_all(folder); }

    TForm1& make_form()
    {
        std::filesystem::create_directories(folder / "profile");
        ::setenv("ALLUSERSPROFILE", (folder / "profile").c_str(), 1);
        ::setenv("SPROUT_PROBE_OUT", report.c_str(), 1);
        ::setenv("SPROUT_PROBE_SLEEP_MS", "60000", 1);
        return app.CreateForm<TForm1>("Form1");
    }

    // Runs the loop, waking every millisecond, until `done` or 5 s.
    void run_until(std::function<bool()> const& done)
    {
        long long deadline = monotonic_ns() + 5000000000LL;
        auto poll = app.loop().add_timer(1, [] { });
        app.loop().run_until([&] { return done() || monotonic_ns() > deadline; });
        app.loop().remove_timer(poll);
    }
};

void ClickToActivityRunning(benchmark::State& state)
{
    Menu menu;
    std::vector<double> millis;
    for (auto _ : state) {
        std::filesystem::remove(menu.report);
        menu.form.menuactive = true;
        long long clicked = monotonic_ns();
        menu.form.Image3.OnClick(&menu.form.Image3);
        std::optional<ProbeReport> started;
        menu.run_until([&] { return (started = ProbeReport::read(menu.report)).has_value(); });
        if (!started) {
            state.SkipWithError("the activity did not start");
            break;
        }
        double ms = (std::stoll(started->started_ns) - clicked) / 1e6;
        state.SetIterationTime(ms / 1000);
        millis.push_back(ms);
        ::kill(std::stoi(started->pid), SIGKILL);
        menu.run_until([&] { return !menu.form.childrunning; });
    }
    state.counters["median_ms"] = median(millis);
}

void ActivityEndToShellBack(benchmark::State& state)
{
    Menu menu;
    std::vector<double> millis;
    int iteration = 0;
    for (auto _ : state) {
        std::filesystem::remove(menu.report);
        menu.form.LaunchActivity(menu.form.activities[4]);
        std::optional<ProbeReport> started;
        menu.run_until([&] { return (started = ProbeReport::read(menu.report)).has_value(); });
        if (!started) {
            state.SkipWithError("the activity did not start");
            break;
        }
        // Spread the end over the finish check's period.
        int after_ms = 10 + (iteration++ * 37) % 480;
        long long ends = monotonic_ns() + after_ms * 1000000LL;
        menu.run_until([&] { return monotonic_ns() >= ends; });
        menu.back = false;
        menu.shown_ns = 0;
        long long ended = monotonic_ns();
        ::kill(std::stoi(started->pid), SIGKILL);
        menu.run_until([&] { return menu.shown_ns != 0; });
        double ms = (menu.shown_ns - ended) / 1e6;
        state.SetIterationTime(ms / 1000);
        millis.push_back(ms);
    }
    state.counters["median_ms"] = median(millis);
    std::sort(millis.begin(), millis.end());
    state.counters["max_ms"] = millis.empty() ? 0 : millis.back();
}

}

BENCHMARK(ClickToActivityRunning)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);
BENCHMARK(ActivityEndToShellBack)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);
