// Tick spacing of a 350 ms threaded timer on an idle machine, measured on the
// steady clock. Target: median within 2 ms of 350 ms.
#include "widgets/TestApp.h"
#include "widgets/TThreadedTimer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

static void BM_TickSpacing350(benchmark::State& state)
{
    RealTimeApp t;
    auto& timer = t.form.add<TThreadedTimer>("timer");
    timer.SetInterval(350);
    std::vector<double> spacing;
    for (auto _ : state) {
        std::vector<std::chrono::steady_clock::time_point> ticks;
        timer.OnTimer = [&](TObject*) { ticks.push_back(std::chrono::steady_clock::now()); };
        timer.SetEnabled(true);
        t.app.loop().run_until([&] { return ticks.size() >= 11; });
        timer.SetEnabled(false);
        for (std::size_t i = 1; i < ticks.size(); ++i)
            spacing.push_back(std::chrono::duration<double, std::milli>(ticks[i] - ticks[i - 1]).count());
    }
    std::sort(spacing.begin(), spacing.end());
    state.counters["median_ms"] = spacing[spacing.size() / 2];
    state.counters["min_ms"] = spacing.front();
    state.counters["max_ms"] = spacing.back();
}
BENCHMARK(BM_TickSpacing350)->Iterations(2)->Unit(benchmark::kMillisecond);
