#include "sound/TunePrograms.h"

#include "support/SoundFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// A one-track tune whose channels pick the programs.
std::string tune(std::initializer_list<int> programs)
{
    std::string track;
    int channel = 0;
    for (int p : programs) {
        track += '\0';
        track += char(0xc0 | channel++);
        track += char(p);
    }
    track += std::string("\x00\xff\x2f\x00", 4);
    std::string s = "MThd";
    sound_files::put32be(s, 6);
    s += std::string("\x00\x00\x00\x01\x00\x60", 6) + "MTrk";
    sound_files::put32be(s, std::uint32_t(track.size()));
    return s + track;
}

std::bitset<128> programs(std::initializer_list<int> numbers)
{
    std::bitset<128> b;
    for (int n : numbers)
        b.set(std::size_t(n));
    return b;
}

}

TEST(TunePrograms, EveryTuneOfTheFolderAndTheFirstProgram)
{
    TempFolder folder;
    folder.write("a.mid", tune({ 40, 41 }));
    folder.write("B.MID", tune({ 73 }));
    folder.write(".hidden.mid", tune({ 12 }));
    folder.write("notes.txt", "not a tune");
    EXPECT_EQ(tune_programs::in_folder(folder.path()), programs({ 0, 12, 40, 41, 73 }));

    TempFolder empty;
    EXPECT_EQ(tune_programs::in_folder(empty.path()), programs({ 0 }));
}

TEST(TunePrograms, UnknownWhenAnyTuneCannotBeReadOrThereIsNoFolder)
{
    TempFolder folder;
    folder.write("a.mid", tune({ 40 }));
    folder.write("b.mid", "MThd broken");
    EXPECT_FALSE(tune_programs::in_folder(folder.path()));
    EXPECT_FALSE(tune_programs::in_folder(folder.path() + "missing/"));
}
