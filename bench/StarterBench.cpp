// From Start to the started program's first instruction. The probe program
// of the starter's tests writes the time it started; build it first
// (target starter_probe) or name it in SPROUT_STARTER_PROBE.
#include "framework/TApplication.h"
#include "platform/RealClock.h"
#include "platform/fake/FakeTextRenderer.h"
#include "platform/fake/FakeWindow.h"
#include "services/TStarter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
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

// The probe's first field: when it began, in CLOCK_MONOTONIC nanoseconds.
std::optional<long long> probe_start(std::string const& report)
{
    std::ifstream in(report, std::ios::binary);
    std::string field;
    if (!in || !std::getline(in, field, '\0') || field.empty())
        return std::nullopt;
    return std::stoll(field);
}

void StartToFirstInstruction(benchmark::State& state)
{
    platform::RealClock clock;
    platform::FakeWindow window(clock);
    platform::FakeTextRenderer text;
    TApplication app(window, clock, text);
    auto& starter = app.add<TStarter>("AppExe");
    starter.SetCommand(probe_path());
    starter.SetParameters(R"("*/opt/pkg/#" "*anna#" "*#" "*#" "*TRUE#" "*AFR#" "*/var/data/#")");

    auto folder = std::filesystem::temp_directory_path() / ("starter-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string report = (folder / "report").string();
    ::setenv("SPROUT_PROBE_OUT", report.c_str(), 1);

    std::vector<double> millis;
    for (auto _ : state) {
        std::filesystem::remove(report);
        long long before = monotonic_ns();
        starter.Start();
        if (starter.error_code() != 0) {
            state.SkipWithError("the probe program could not be started");
            break;
        }
        std::optional<long long> started;
        while (!(started = probe_start(report)))
            ::usleep(100);
        double ms = (*started - before) / 1e6;
        state.SetIterationTime(ms / 1000);
        millis.push_back(ms);
    }
    std::filesystem::remove_all(folder);
    if (millis.empty())
        return;
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["p90_ms"] = millis[millis.size() * 9 / 10];
}

}

BENCHMARK(StartToFirstInstruction)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);
