// The farewell window, each figure to the canvas presented on the headless
// window (which copies the frame as the real one uploads it). Targets: the
// exit click on the menu screen to the farewell window's first frame (the
// exit screen, the advert JPEG and its background decoded, everything drawn)
// median <= 30 ms; one wheel turn over the advert to its frame median <= 3 ms.
// Runs in the demo package: SPROUT_DEMO_PACKAGE, default build/demo-package.
#include "DemoPackage.h"
#include "farewell/Tadvertform.h"
#include "framework/TApplication.h"
#include "platform/RealClock.h"
#include "platform/fake/ClockedAudioDevice.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "shell/TForm1.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <time.h>
#include <unistd.h>

namespace {

using steady = std::chrono::steady_clock;

// This thread's processor time, which a loaded machine does not stretch.
double thread_cpu_ms()
{
    timespec ts {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}


// The headless window, telling the benchmark when a frame is presented.
class PresentingWindow final : public platform::Window {
public:
    explicit PresentingWindow(platform::Clock& clock) : m_inner(clock) { }
    std::function<void()> on_present;

    void present(platform::Bitmap const& canvas, platform::Rect const& changed) override
    {
        m_inner.present(canvas, changed);
        if (on_present)
            on_present();
    }
    bool minimise() override { return m_inner.minimise(); }
    void maximise() override { m_inner.maximise(); }
    bool minimised() const override { return m_inner.minimised(); }
    void set_surround_colour(std::uint32_t c) override { m_inner.set_surround_colour(c); }
    void set_cursor(platform::Bitmap const* p, int x, int y) override { m_inner.set_cursor(p, x, y); }
    void set_title(std::string const& title) override { m_inner.set_title(title); }
    void fit_screen(int width, int height) override { m_inner.fit_screen(width, height); }
    std::optional<platform::InputEvent> wait_event(platform::Millis deadline) override
    {
        return m_inner.wait_event(deadline);
    }
    void wake() override { m_inner.wake(); }
    void push(platform::InputEvent e) { m_inner.push(std::move(e)); }

private:
    platform::FakeWindow m_inner;
};

// The main window on the menu screen of the demo package, English chosen.
struct MenuScreen {
    platform::RealClock clock;
    platform::Clock::Installed clock_installed { clock };
    PresentingWindow window { clock };
    platform::FakeTextRenderer text;
    TApplication app { window, clock, text };
    platform::ClockedAudioDevice output { clock };
    platform::AudioDevice::Installed output_installed { output };
    TForm1* form = nullptr;

    explicit MenuScreen(benchmark::State& state)
    {
        if (::chdir(package_folder().c_str()) != 0) {
            state.SkipWithError("no demo package");
            return;
        }
        form = &app.CreateForm<TForm1>("Form1");
        form->langletter = 'e';
        form->langcode = "ENG";
        form->ApplyLanguageTexts();
        form->LoadMenuBackground(14, "e");
        form->ShowMenuButtons();
        form->exitbut.Show();
        form->menuactive = true;
        app.ProcessMessages();
    }
    ~MenuScreen()
    {
        if (form)
            app.delete_component(form);
    }
    void input(platform::InputEvent::Kind kind, int x, int y, int wheel = 0)
    {
        platform::InputEvent e;
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.wheel = wheel;
        window.push(e);
        app.ProcessMessages();
    }
};

}

static void BM_ExitClickToFarewellFrame(benchmark::State& state)
{
    double cpu_ms = 0;
    for (auto _ : state) {
        MenuScreen s(state);
        if (!s.form)
            return;
        steady::time_point shown {};
        double cpu_shown = 0;
        s.window.on_present = [&] {
            auto* advert = s.app.find<Tadvertform>("advertform");
            if (advert && advert->Visible() && shown == steady::time_point {}) {
                shown = steady::now();
                cpu_shown = thread_cpu_ms();
                advert->Close();
            }
        };
        steady::time_point clicked = steady::now();
        double cpu_clicked = thread_cpu_ms();
        s.form->exitbut.OnClick(&s.form->exitbut);
        state.SetIterationTime(std::chrono::duration<double>(shown - clicked).count());
        cpu_ms += cpu_shown - cpu_clicked;
    }
    state.counters["ui_thread_cpu_ms"] = benchmark::Counter(cpu_ms / double(state.iterations()));
}
BENCHMARK(BM_ExitClickToFarewellFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The farewell window open over the exit, made and shown as its modal
// display shows it, without the nested loop that would hold the benchmark.
static void BM_WheelTurnToFrame(benchmark::State& state)
{
    MenuScreen s(state);
    if (!s.form)
        return;
    auto& advert = s.app.add<Tadvertform>("advertform");
    advert.SetBounds(0, 0, 800, 600);
    advert.LoadAdvert(s.form->basedir, s.form->langletter, s.form->langcode);
    s.app.push_form(&advert);
    advert.Show();
    s.input(platform::InputEvent::Kind::MouseMove, 400, 300);
    int frames = 0;
    s.window.on_present = [&] { ++frames; };
    int notches = -1;
    for (auto _ : state) {
        s.input(platform::InputEvent::Kind::MouseWheel, 400, 300, notches);
        notches = -notches;
    }
    if (frames < int(state.iterations()))
        state.SkipWithError("a wheel turn presented no frame");
    s.app.pop_form(&advert);
    s.app.delete_component(&advert);
}
BENCHMARK(BM_WheelTurnToFrame)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
