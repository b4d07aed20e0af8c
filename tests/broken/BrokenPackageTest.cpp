// A child's whole walk through a copy of the demo package in which every
// picture, sound, tune, mascot frame and the font has been spoilt: the shell
// must neither crash nor hang, skip what it cannot use, still keep the
// child's name, and put the desktop back on the way out.
#include "e2e/ChildWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>

namespace fs = std::filesystem;

namespace {

enum class Damage { Truncated, Garbage, Empty, WrongType, Folder, DevZero };

std::string lower_extension(fs::path const& file)
{
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

// The files of the package the shell reads for their content, in a stable
// order so every run spoils them alike.
std::vector<fs::path> content_files(fs::path const& root)
{
    static std::vector<std::string> const kinds { ".jpg", ".png", ".wav", ".mid", ".ttf" };
    std::vector<fs::path> found;
    for (auto const& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && std::ranges::count(kinds, lower_extension(entry.path())) > 0)
            found.push_back(entry.path());
    std::ranges::sort(found);
    return found;
}

void spoil(fs::path const& file, Damage how, std::mt19937& random)
{
    auto bytes = read_file(file.string());
    fs::remove(file);
    std::ofstream out;
    if (how != Damage::Folder && how != Damage::DevZero)
        out.open(file, std::ios::binary);
    switch (how) {
    case Damage::Truncated:
        out.write(reinterpret_cast<char const*>(bytes.data()), std::streamsize(bytes.size() / 2));
        break;
    case Damage::Garbage:
        for (int i = 0; i < 3000; ++i)
            out.put(char(random()));
        break;
    case Damage::Empty:
        break;
    case Damage::WrongType: // a sound's header where a picture was, a picture's where a sound was
        out << (lower_extension(file) == ".wav" ? std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                                : std::string("RIFF\x24\0\0\0WAVEfmt ", 16));
        break;
    case Damage::Folder:
        fs::create_directory(file);
        break;
    case Damage::DevZero:
        fs::create_symlink("/dev/zero", file);
        break;
    }
}

struct BrokenPackage : ChildWalk {
    std::string package = work.bare_path() + "/package";

    // Copies the demo package and spoils its files, taking the kinds of
    // damage in turn.
    void make(std::vector<Damage> const& kinds)
    {
        fs::copy(SPROUT_DEMO_PACKAGE, package, fs::copy_options::recursive);
        std::mt19937 random(7);
        std::size_t turn = 0;
        for (auto const& file : content_files(package))
            spoil(file, kinds[turn++ % kinds.size()], random);
        ASSERT_GT(turn, 50u) << "the demo package has lost its files";
    }

    std::string desktop_state() const { return x.run("xmodmap -pp") + x.run("xrandr --current | head -1"); }

    // Intro, English, a name typed, the menu explored, an activity started
    // and ended, back, Afrikaans, and out: every step must still happen.
    void walk_from_intro_to_exit()
    {
        std::string const desktop = desktop_state();
        start_in(package);
        ASSERT_TRUE(wait("visible\tafrbut\t1", 1, 60000)) << shell->trace();
        // A spoilt intro tune brings the question about the music: the
        // parent says no.
        if (shell->count("\tmessage\tconfirmation\t") > 0)
            key("n");

        click(click_target::engbut);
        ASSERT_TRUE(wait("click\tengbut", 1, 30000)) << shell->trace();
        ASSERT_TRUE(wait("focus\tnameedit", 1, 30000));
        type("Anna");
        click(click_target::okbut);
        ASSERT_TRUE(wait("state\tmenuactive\t1", 1, 30000)) << shell->trace();
        point(click_target::zone("Image3"));
        ASSERT_TRUE(wait("hover\tImage3", 1, 30000));
        point(click_target::thinking_item);
        ASSERT_TRUE(wait("visible\tdenke_ovr\t1", 1, 30000));

        click(click_target::zone("Image3"));
        ASSERT_TRUE(wait("window\tminimised", 1, 30000)) << shell->trace();
        ASSERT_TRUE(close_activity());
        ASSERT_TRUE(wait("window\tmaximised", 1, 30000)) << shell->trace();
        ASSERT_TRUE(wait("state\tmenuactive\t1", 2, 30000));

        click(click_target::backbut);
        ASSERT_TRUE(wait("click\tbackbut", 1, 30000)) << shell->trace();
        ASSERT_TRUE(wait("visible\tafrbut\t1", 2, 30000));
        click(click_target::afrbut);
        ASSERT_TRUE(wait("click\tafrbut", 1, 30000));
        ASSERT_TRUE(wait("focus\tnameedit", 2, 30000));
        click(click_target::exitbut);
        ASSERT_TRUE(wait("click\texitbut", 1, 30000));
        // Without its pictures the farewell window closes by itself; with
        // them, its exit button ends it.
        if (shell->wait_for_trace("visible\tadvertform\t1", 1500))
            click(click_target::farewell_exit);
        EXPECT_EQ(shell->wait_exit(60000), 0) << shell->trace();

        EXPECT_EQ(shell->count("\tmessage\terror\t"), 0u) << "nothing in the package deserves an error box";
        EXPECT_NE(register_contents().find("anna"), std::string::npos);
        EXPECT_EQ(desktop_state(), desktop);
    }
};

}

TEST_F(BrokenPackage, CutShortGarbageEmptyOrOfTheWrongKind)
{
    make({ Damage::Truncated, Damage::Garbage, Damage::Empty, Damage::WrongType });
    walk_from_intro_to_exit();
    if (HasFatalFailure())
        return;
    // Skipped files are said, not hidden.
    EXPECT_GT(shell->count("\tbad-file\t" + package + "/menu/"), 0u);
    EXPECT_GT(shell->count("\tbad-file\t" + package + "/mascot/"), 0u);
}

TEST_F(BrokenPackage, FoldersAndEndlessDevicesInPlaceOfFiles)
{
    make({ Damage::Folder, Damage::DevZero });
    walk_from_intro_to_exit();
}
