#include "platform/PcmChannel.h"
#include "platform/sdl/SdlAudioDevice.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <thread>

namespace {

using namespace std::chrono_literals;

bool eventually(std::function<bool()> const& holds, std::chrono::milliseconds limit = 5s)
{
    auto const until = std::chrono::steady_clock::now() + limit;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::shared_ptr<platform::PcmSamples> tone(int frames)
{
    return std::make_shared<platform::PcmSamples>(std::size_t(frames) * platform::AudioDevice::channels, 0.5f);
}

// SDL's silent driver, in real time.
struct QuietOutput : ::testing::Test {
    QuietOutput() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(QuietOutput, ClosesAfterAQuietWhileAndOpensAgainForTheNextSound)
{
    platform::SdlAudioDevice device(2048);
    device.start();
    platform::PcmChannel channel(device);
    ASSERT_TRUE(eventually([&] { return !device.is_open(); }));

    channel.load(tone(4410));
    channel.start();
    EXPECT_TRUE(device.is_open());
    EXPECT_TRUE(eventually([&] { return channel.completed(); }));
    EXPECT_EQ(channel.position(), 4410);
    EXPECT_TRUE(eventually([&] { return !device.is_open(); }));
}

// Closing as soon as one block is quiet puts every start next to a close.
TEST_F(QuietOutput, NoStartIsLostToAClose)
{
    platform::SdlAudioDevice device(1);
    device.start();
    platform::PcmChannel channel(device);
    std::mt19937 pick(7);
    for (int i = 0; i < 60; ++i) {
        channel.load(tone(64));
        channel.start();
        ASSERT_TRUE(eventually([&] { return channel.completed(); }, 3s)) << "start " << i;
        std::this_thread::sleep_for(std::chrono::microseconds(pick() % 40000));
    }
}

// The shell starts the output once its main form is made; a sound may come
// first.
TEST_F(QuietOutput, ASoundStartedBeforeTheOutputSoundsOnceItStarts)
{
    platform::SdlAudioDevice device(2048);
    platform::PcmChannel channel(device);
    channel.load(tone(4410));
    channel.start();
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(device.is_open());
    EXPECT_EQ(channel.position(), 0);

    device.start();
    EXPECT_TRUE(eventually([&] { return channel.completed(); }));
    EXPECT_EQ(channel.position(), 4410);
}

TEST(DiskOutput, StaysOpenThroughQuietSoItsRecordingKeepsOneTimeline)
{
    TempFolder folder;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder.path() + "output.raw").c_str(), 1);
    platform::SdlAudioDevice device(1);
    device.start();
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(device.is_open());
}

}
