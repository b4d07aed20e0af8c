// One mascot composition: load a 75 x 152 PNG frame from disk and draw it
// over the backdrop cut from an 800 x 600 background. Target: median <= 0.5 ms.
#include "../tests/widgets/PngFile.h"
#include "widgets/TestApp.h"
#include "widgets/TAntAnimate.h"

#include <benchmark/benchmark.h>

#include <filesystem>

static void BM_ComposeFrame(benchmark::State& state)
{
    RealTimeApp t;
    auto folder = std::filesystem::temp_directory_path() / "sprout-bench-mascot/";
    std::filesystem::create_directories(folder);
    platform::Bitmap frame(75, 152, 0x00000000u);
    for (int y = 0; y < 152; ++y)
        for (int x = 20; x < 55; ++x)
            frame.at(x, y) = platform::rgb(x * 3, y, 90);
    pngfile::write((folder / "front_1.png").string(), frame);

    auto& ant = t.form.add<TAntAnimate>("ant");
    TPicture background;
    background.set_bitmap(platform::Bitmap(800, 600, platform::rgb(30, 120, 200)), platform::ImageFormat::Jpeg);
    ant.ObjOffsetx = 8;
    ant.ObjOffsety = 448;
    ant.SetBackgroundImg(&background);
    ant.Setlibpath(folder.string());
    ant.SetAnimate(false);
    for (auto _ : state) {
        ant.ComposeFrame("front_1.png");
        benchmark::DoNotOptimize(ant.framebuffer().pixels.data());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
