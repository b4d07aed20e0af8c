// The main window's screen change and menu pointer move, from the handler to
// the canvas presented (on the headless window, which copies the frame as the
// real one uploads it). Targets: a screen change (background JPEG from file,
// mascot backdrop, compose, present) median <= 3 ms; a pointer move onto
// another menu item to its frame median <= 2 ms.
// Runs in the demo package: SPROUT_DEMO_PACKAGE, default build/demo-package.
#include "DemoPackage.h"
#include "platform/fake/ClockedAudioDevice.h"
#include "shell/TForm1.h"
#include "support/TestApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using RealTimeTestApp = BasicTestApp<platform::RealClock>;


// The main window on the menu screen of the demo package, English chosen.
struct MenuScreen {
    RealTimeTestApp t;
    platform::ClockedAudioDevice output { t.clock };
    platform::AudioDevice::Installed output_installed { output };
    TForm1* form = nullptr;

    explicit MenuScreen(benchmark::State& state)
    {
        if (::chdir(package_folder().c_str()) != 0) {
            state.SkipWithError("no demo package");
            return;
        }
        form = &t.app.CreateForm<TForm1>("Form1");
        form->langletter = 'e';
        form->ApplyLanguageTexts();
        form->LoadMenuBackground(14, "e");
        form->AntAnimate1.SetBackgroundImg(&form->backimage.Picture());
        form->ant_panel.Show();
        form->ShowMenuButtons();
        form->menuactive = true;
        form->instructiongiven = true;
        form->spoken.fill(true);
        t.settle();
    }
    ~MenuScreen()
    {
        if (form)
            t.app.delete_component(form);
    }
};

}

static void BM_ScreenChange(benchmark::State& state)
{
    MenuScreen s(state);
    if (!s.form)
        return;
    int screen = 13;
    for (auto _ : state) {
        s.form->LoadMenuBackground(screen, "e");
        s.form->AntAnimate1.SetBackgroundImg(&s.form->backimage.Picture());
        s.t.settle();
        screen = screen == 13 ? 14 : 13;
    }
}
BENCHMARK(BM_ScreenChange)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_MenuPointerMove(benchmark::State& state)
{
    MenuScreen s(state);
    if (!s.form)
        return;
    TControl* items[] = { &s.form->Image1, &s.form->Image3 };
    int i = 0;
    for (auto _ : state) {
        TControl& item = *items[i ^= 1];
        s.t.move(item.Left() + item.Width() / 2, item.Top() + item.Height() / 2);
        s.t.settle();
    }
    benchmark::DoNotOptimize(s.t.window.frames());
}
BENCHMARK(BM_MenuPointerMove)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
