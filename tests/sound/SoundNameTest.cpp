#include "sound/SoundName.h"

#include <gtest/gtest.h>

TEST(SoundName, PlaysTheLowerCasedWavOfTheFirstMp3Stem)
{
    EXPECT_EQ(SoundName::path("/p/Fxsounds/", "keystrok.mp3"), "/p/Fxsounds/keystrok.wav");
    EXPECT_EQ(SoundName::path("/p/", "KeyStrok.MP3"), "/p/keystrok.wav");
    EXPECT_EQ(SoundName::file("a_2.mp3"), "a_2.wav");
    EXPECT_EQ(SoundName::file("a.mp3b.mp3"), "a.wav");
    EXPECT_EQ(SoundName::file("x.mp3.txt"), "x.wav");
    EXPECT_EQ(SoundName::file("Ready.WAV"), "ready.wav");
    EXPECT_EQ(SoundName::file("\xc3\x89T\xc3\xa9.mp3"), "\xc3\x89t\xc3\xa9.wav");
    EXPECT_EQ(SoundName::path("/v/", ""), "/v/");
}
