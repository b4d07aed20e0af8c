#include "XServer.h"

#include "support/SoundFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

// The loudest left-channel sample of the disk driver's output within its
// first `ms` milliseconds.
float loudest_within(std::string const& path, int ms)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::size_t frames = std::min(bytes.size() / (2 * sizeof(float)), std::size_t(44100) * std::size_t(ms) / 1000);
    float loudest = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        float left;
        std::memcpy(&left, bytes.data() + i * 2 * sizeof(float), sizeof left);
        loudest = std::max(loudest, std::fabs(left));
    }
    return loudest;
}

}

TEST(Music, TheIntroTuneSoundsAndAnotherTuneFollowsItsEnd)
{
    XServer x;
    TempFolder temp;
    std::string const folder = temp.bare_path();
    std::filesystem::create_directory(folder + "/Music");
    std::ofstream(folder + "/Music/pipkin.mid", std::ios::binary) << sound_files::midi(480); // 0.5 s
    std::ofstream(folder + "/Music/b.mid", std::ios::binary) << sound_files::midi(240);
    std::string capture = folder + "/audio.raw";
    {
        ShellProcess shell(x, folder,
            { "HOME=" + folder, "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + capture });
        ASSERT_TRUE(shell.wait_for_trace("\tmusic\t" + folder + "/Music/pipkin.mid"));
        ASSERT_TRUE(shell.wait_for_trace("\tmusic-end\t" + folder + "/Music/pipkin.mid"));
        // The next tune's start comes after the end of the first.
        auto trace = shell.trace();
        auto end_at = trace.find("\tmusic-end\t");
        for (int i = 0; i < 100 && shell.trace().find("\tmusic\t", end_at) == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_NE(shell.trace().find("\tmusic\t", end_at), std::string::npos) << shell.trace();
        shell.signal(SIGTERM);
        EXPECT_EQ(shell.wait_exit(), 0);
    }
    EXPECT_GT(loudest_within(capture, 1500), 0.01f);
}
