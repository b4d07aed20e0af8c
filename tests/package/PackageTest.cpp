// Walks the generated install folder: every file the shell reads must be
// there, in the format and size the shell expects.
#include "activities/ActivityCatalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path const package = SPROUT_PACKAGE_DIR;

using Bytes = std::vector<std::uint8_t>;

Bytes read_file(fs::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), {});
}

std::uint32_t be(Bytes const& b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | b.at(at + i);
    return v;
}

std::uint32_t le(Bytes const& b, std::size_t at, int n)
{
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b.at(at + i);
    return v;
}

struct Jpeg {
    int width, height;
    bool baseline;
};

// Walks the markers up to the first start-of-frame.
std::optional<Jpeg> read_jpeg(Bytes const& b)
{
    if (b.size() < 4 || b[0] != 0xff || b[1] != 0xd8)
        return std::nullopt;
    for (std::size_t at = 2; at + 9 < b.size();) {
        if (b[at] != 0xff)
            return std::nullopt;
        std::uint8_t marker = b[at + 1];
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
            return Jpeg { int(be(b, at + 7, 2)), int(be(b, at + 5, 2)), marker == 0xc0 };
        at += 2 + be(b, at + 2, 2);
    }
    return std::nullopt;
}

struct Png {
    int width, height;
    bool alpha;
};

std::optional<Png> read_png(Bytes const& b)
{
    static std::uint8_t const signature[] = { 0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a };
    if (b.size() < 29 || !std::equal(std::begin(signature), std::end(signature), b.begin()))
        return std::nullopt;
    if (std::string(b.begin() + 12, b.begin() + 16) != "IHDR")
        return std::nullopt;
    std::uint8_t colour_type = b[25];
    return Png { int(be(b, 16, 4)), int(be(b, 20, 4)), colour_type == 4 || colour_type == 6 };
}

struct Wav {
    int channels, rate, bits;
    std::uint32_t data_bytes;
};

std::optional<Wav> read_wav(Bytes const& b)
{
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF"
        || std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return std::nullopt;
    std::optional<Wav> wav;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        std::string id(b.begin() + at, b.begin() + at + 4);
        std::uint32_t size = le(b, at + 4, 4);
        if (id == "fmt " && le(b, at + 8, 2) == 1)
            wav = Wav { int(le(b, at + 10, 2)), int(le(b, at + 12, 4)), int(le(b, at + 22, 2)), 0 };
        if (id == "data" && wav) {
            wav->data_bytes = size;
            return wav;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

std::uint32_t read_variable(Bytes const& b, std::size_t& at, std::size_t end)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        std::uint8_t byte = b[at++];
        v = (v << 7) | (byte & 0x7f);
        if (!(byte & 0x80))
            return v;
    }
    throw std::runtime_error("bad variable-length number");
}

struct Smf {
    int tracks;
    int notes;
};

// Parses every event of every track, with running status, as a player would;
// throws on anything malformed.
Smf read_smf(Bytes const& b)
{
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be(b, 4, 4) != 6)
        throw std::runtime_error("no MThd");
    int declared = int(be(b, 10, 2));
    Smf smf { 0, 0 };
    for (std::size_t at = 14; at < b.size(); ++smf.tracks) {
        if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk")
            throw std::runtime_error("no MTrk");
        std::size_t end = at + 8 + be(b, at + 4, 4);
        if (end > b.size())
            throw std::runtime_error("track runs past the end");
        bool ended = false;
        std::uint8_t status = 0;
        for (at += 8; at < end && !ended;) {
            read_variable(b, at, end);
            if (b.at(at) & 0x80)
                status = b[at++];
            if (status == 0xff) {
                std::uint8_t type = b.at(at++);
                std::uint32_t length = read_variable(b, at, end);
                ended = type == 0x2f;
                at += length;
            } else if (status == 0xf0 || status == 0xf7) {
                at += read_variable(b, at, end);
            } else if (status >= 0x80) {
                int kind = status >> 4;
                if (kind == 0x9 && b.at(at + 1) > 0)
                    ++smf.notes;
                at += kind == 0xc || kind == 0xd ? 1 : 2;
            } else {
                throw std::runtime_error("data byte without status");
            }
        }
        if (!ended || at != end)
            throw std::runtime_error("track without a proper end");
    }
    if (smf.tracks != declared)
        throw std::runtime_error("track count differs from the header");
    return smf;
}

void expect_jpeg(fs::path const& file, int width, int height)
{
    SCOPED_TRACE(file.string());
    auto jpeg = read_jpeg(read_file(file));
    ASSERT_TRUE(jpeg) << "not a JPEG";
    EXPECT_TRUE(jpeg->baseline);
    EXPECT_EQ(jpeg->width, width);
    EXPECT_EQ(jpeg->height, height);
}

void expect_wav(fs::path const& file)
{
    SCOPED_TRACE(file.string());
    auto wav = read_wav(read_file(file));
    ASSERT_TRUE(wav) << "not a PCM WAV";
    EXPECT_EQ(wav->rate, 44100);
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->bits, 16);
    EXPECT_GT(wav->data_bytes, 44100 * 2 / 100u) << "shorter than 10 ms";
}

// The screens' instructions and the name of every zone of the menu.
std::vector<std::string> const voice_names = [] {
    std::vector<std::string> names { "a_1", "a_2", "a_17" };
    for (auto const& row : activity_catalogue::rows)
        if (!row.prompt.empty())
            names.emplace_back(row.prompt);
    return names;
}();

}

TEST(Package, ScreenPicturesAreBaselineJpegsOfTheScreen)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i)
        names.push_back("m_" + std::to_string(i));
    for (char const* n : { "m_13a", "m_13e", "m_14a", "m_14e" })
        names.push_back(n);
    for (auto const& n : names)
        expect_jpeg(package / "menu" / (n + ".jpg"), 800, 600);
}

TEST(Package, FarewellPicturesFitTheirWindow)
{
    for (char letter : { 'a', 'e' }) {
        std::string suffix(1, letter);
        expect_jpeg(package / ("addback_" + suffix + ".jpg"), 800, 600);
        auto advert = read_jpeg(read_file(package / ("add_" + suffix + ".jpg")));
        ASSERT_TRUE(advert);
        EXPECT_TRUE(advert->baseline);
        EXPECT_GT(advert->height, 475) << "the farewell picture should scroll";
        EXPECT_LE(advert->width, 642) << "no sideways scrolling";
    }
}

TEST(Package, MascotFramesAreTransparentPngsOfThePanelSize)
{
    std::pair<char const*, int> const actions[] = { { "front", 6 }, { "left", 6 }, { "right", 6 }, { "yes", 8 },
        { "no", 12 } };
    for (auto const& [action, frames] : actions)
        for (int n = 1; n <= frames; ++n) {
            fs::path file = package / "mascot" / (std::string(action) + "_" + std::to_string(n) + ".png");
            SCOPED_TRACE(file.string());
            auto png = read_png(read_file(file));
            ASSERT_TRUE(png) << "not a PNG";
            EXPECT_EQ(png->width, 75);
            EXPECT_EQ(png->height, 152);
            EXPECT_TRUE(png->alpha);
        }
}

TEST(Package, VoicesAndEffectsAreMonoWavsAt44k)
{
    for (char const* folder : { "sounds_afr", "sounds_eng" })
        for (auto const& n : voice_names)
            expect_wav(package / folder / (n + ".wav"));
    for (char const* n : { "gliss", "keystrok", "click", "wrong", "language" })
        expect_wav(package / "fxsounds" / (std::string(n) + ".wav"));
}

TEST(Package, BothLanguagesSayDifferentWords)
{
    for (auto const& n : voice_names)
        EXPECT_NE(read_file(package / "sounds_afr" / (n + ".wav")), read_file(package / "sounds_eng" / (n + ".wav")))
            << n;
}

TEST(Package, TunesParseAsStandardMidiFiles)
{
    ASSERT_TRUE(fs::exists(package / "Music" / "pipkin.mid"));
    int tunes = 0;
    for (auto const& entry : fs::directory_iterator(package / "Music")) {
        if (entry.path().extension() != ".mid")
            continue;
        SCOPED_TRACE(entry.path().string());
        ++tunes;
        Smf smf {};
        ASSERT_NO_THROW(smf = read_smf(read_file(entry.path())));
        EXPECT_GE(smf.tracks, 2);
        EXPECT_GT(smf.notes, 20);
    }
    EXPECT_GE(tunes, 4) << "the intro tune and at least three more";
}

TEST(Package, FontAndActivityProgramsArePresent)
{
    auto font = read_file(package / "ZEDO Pri.TTF");
    ASSERT_GE(font.size(), 4u);
    EXPECT_EQ(be(font, 0, 4), 0x00010000u) << "a TrueType font";
    std::string licence;
    {
        auto text = read_file(package / "ZEDO Pri OFL.txt");
        licence.assign(text.begin(), text.end());
    }
    EXPECT_NE(licence.find("SIL OPEN FONT LICENSE"), std::string::npos);

    for (auto const& row : activity_catalogue::rows) {
        if (row.program.empty())
            continue;
        fs::path file = package / row.program;
        SCOPED_TRACE(file.string());
        ASSERT_TRUE(fs::is_regular_file(file));
        EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none);
    }
}

TEST(Package, ReadersRejectDamagedFiles)
{
    Bytes jpeg = read_file(package / "menu" / "m_1.jpg");
    jpeg[0] = 0;
    EXPECT_FALSE(read_jpeg(jpeg));
    Bytes midi = read_file(package / "Music" / "pipkin.mid");
    midi.resize(midi.size() - 3); // cut into the last track's end marker
    EXPECT_ANY_THROW(read_smf(midi));
}
