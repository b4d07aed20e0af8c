#include "services/MidiFile.h"

#include "support/SoundFiles.h"

#include <gtest/gtest.h>

namespace {

std::optional<MidiFile> parse(std::string const& s)
{
    return MidiFile::parse({ reinterpret_cast<std::uint8_t const*>(s.data()), s.size() });
}

std::string file(std::uint16_t tracks, std::initializer_list<std::string> bodies)
{
    std::string s = "MThd";
    sound_files::put32be(s, 6);
    s += std::string("\x00\x01", 2) + char(tracks >> 8) + char(tracks & 0xff) + std::string("\x00\x60", 2);
    for (auto const& body : bodies) {
        s += "MTrk";
        sound_files::put32be(s, std::uint32_t(body.size()));
        s += body;
    }
    return s;
}

}

TEST(MidiFile, MillisecondsFollowTheTempoMapAcrossTracksAndRunningStatus)
{
    // 96 ticks a quarter. Track 1: at tick 96 the tempo halves (1 s a quarter).
    std::string tempo = std::string("\x60\xff\x51\x03\x0f\x42\x40", 7) + std::string("\x00\xff\x2f\x00", 4);
    // Track 2: notes under running status, the last one at tick 288.
    std::string notes = std::string("\x00\x90\x40\x40\x81\x40\x40\x00\x60\x90\x40\x40", 12)
        + std::string("\x00\xff\x2f\x00", 4);
    auto midi = parse(file(2, { tempo, notes }));
    ASSERT_TRUE(midi);
    EXPECT_EQ(midi->end_tick(), 288);
    EXPECT_EQ(midi->millis_at(96), 500);
    EXPECT_EQ(midi->millis_at(192), 1500);
    EXPECT_EQ(midi->length_millis(), 2500);

    // A chunk of another kind is stepped over; a missing track is not.
    auto with_other = file(1, {});
    with_other += "XFIH";
    sound_files::put32be(with_other, 2);
    with_other += "ab";
    with_other += "MTrk";
    sound_files::put32be(with_other, std::uint32_t(notes.size()));
    with_other += notes;
    EXPECT_TRUE(parse(with_other));
    EXPECT_FALSE(parse(file(2, { notes })));
    EXPECT_FALSE(parse(file(1, { std::string("\x00\xf3\x01", 3) })));
    EXPECT_FALSE(parse(file(1, { std::string("\xff\xff\xff\xff\x00", 5) })));
}

TEST(MidiFile, ProgramsAreThoseOfEveryChannelsProgramChangesRunningStatusIncluded)
{
    // Channel 1 picks 5, then 9 under running status; channel 10 picks 3.
    std::string melody = std::string("\x00\xc0\x05\x10\x09\x00\x90\x40\x40", 9) + std::string("\x00\xff\x2f\x00", 4);
    std::string drums = std::string("\x00\xb9\x00\x01\x00\xc9\x03", 7) + std::string("\x00\xff\x2f\x00", 4);
    auto midi = parse(file(2, { melody, drums }));
    ASSERT_TRUE(midi);
    std::bitset<128> expected;
    expected.set(5).set(9).set(3);
    EXPECT_EQ(midi->programs(), expected);
    // Aftertouch has one data byte too, but picks nothing; nor do notes.
    auto plain = parse(file(1, { std::string("\x00\xd0\x05\x00\x90\x07\x40", 7) }));
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->programs().none());
}
