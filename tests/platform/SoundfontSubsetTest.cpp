#include "platform/SoundfontSubset.h"

#include "support/Soundfonts.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using platform::SoundfontSubset;
using namespace soundfonts;

SoundfontSubset::ReadAt reader_of(std::string const& file)
{
    return [&file](std::uint64_t offset, std::span<std::uint8_t> into) {
        if (offset > file.size() || into.size() > file.size() - offset)
            return false;
        std::memcpy(into.data(), file.data() + offset, into.size());
        return true;
    };
}

SoundfontSubset::Programs programs(std::initializer_list<int> numbers)
{
    SoundfontSubset::Programs p;
    for (int n : numbers)
        p.set(std::size_t(n));
    return p;
}

std::optional<SoundfontSubset> subset(std::string const& file, SoundfontSubset::Programs const& wanted)
{
    return SoundfontSubset::make(reader_of(file), file.size(), wanted);
}

// The subset's whole file, read in pieces of `step` bytes.
std::string contents(SoundfontSubset const& s, std::string const& original, std::size_t step)
{
    std::string out(s.size(), '\0');
    for (std::size_t at = 0; at < out.size(); at += step) {
        std::size_t n = std::min(step, out.size() - at);
        EXPECT_TRUE(s.read(reader_of(original), at, { reinterpret_cast<std::uint8_t*>(out.data() + at), n })) << at;
    }
    return out;
}

Zone uses(std::uint16_t instrument_index)
{
    return { { { key_range, 0x7f00 }, { instrument, instrument_index } }, {} };
}
Zone plays(std::uint16_t sample, std::uint16_t modulator)
{
    return { { { pan, 100 }, { sample_id, sample } }, { modulator } };
}

// Presets of three programs over five instruments; program 0 in three banks.
PresetData const band {
    {
        { "Piano", 0, 0, { { { { pan, 20 } }, { 7, 8 } }, uses(2) } },
        { "Organ", 19, 0, { uses(0) } },
        { "Bright piano", 0, 8, { uses(3) } },
        { "Drum kit", 0, 128, { uses(1) } },
        { "Flute", 73, 0, { uses(3), uses(4) } },
        { "Out of range", 300, 0, { uses(0) } },
    },
    {
        { "organ pipe", 0, 0, { plays(0, 1) } },
        { "drums", 0, 0, { { { { pan, 1 } }, { 2 } }, plays(1, 3), plays(2, 4) } },
        { "piano", 0, 0, { plays(2, 5) } },
        { "soft", 0, 0, { plays(0, 6) } },
        { "breath", 0, 0, { plays(1, 7), plays(2, 8) } },
    },
};

}

TEST(SoundfontSubset, KeepsThePresetsOfTheProgramsInEveryBankWithOnlyTheirInstrumentsRenumbered)
{
    std::string const original = file(band);
    ASSERT_EQ(read(original), band);

    auto kept = subset(original, programs({ 0, 73 }));
    ASSERT_TRUE(kept);
    auto data = read(contents(*kept, original, 1 << 20));
    ASSERT_TRUE(data);
    // Instruments 1 to 4 become 0 to 3, in their order; the organ pipe goes.
    PresetData const expected {
        {
            { "Piano", 0, 0, { { { { pan, 20 } }, { 7, 8 } }, uses(1) } },
            { "Bright piano", 0, 8, { uses(2) } },
            { "Drum kit", 0, 128, { uses(0) } },
            { "Flute", 73, 0, { uses(2), uses(3) } },
        },
        { band.instruments.begin() + 1, band.instruments.end() },
    };
    EXPECT_EQ(*data, expected);

    // Only the organ: one instrument, numbered 0.
    auto organ = subset(original, programs({ 19 }));
    ASSERT_TRUE(organ);
    data = read(contents(*organ, original, 1 << 20));
    ASSERT_TRUE(data);
    EXPECT_EQ(*data, (PresetData { { { "Organ", 19, 0, { uses(0) } } }, { band.instruments[0] } }));

    // No program of the soundfont's: nothing but the terminal records.
    auto none = subset(original, programs({ 5 }));
    ASSERT_TRUE(none);
    EXPECT_EQ(read(contents(*none, original, 1 << 20)), PresetData {});
    // Every program: the same preset data as before (the unreachable preset
    // and only it left out).
    auto all = subset(original, SoundfontSubset::Programs().set());
    ASSERT_TRUE(all);
    PresetData reachable = band;
    reachable.presets.pop_back();
    EXPECT_EQ(read(contents(*all, original, 1 << 20)), reachable);
}

TEST(SoundfontSubset, IsTheOriginalFileUpToItsPresetDataWithTheRiffSizeOfTheShorterFile)
{
    std::string const original = file(band);
    auto kept = subset(original, programs({ 19 }));
    ASSERT_TRUE(kept);
    ASSERT_LT(kept->size(), original.size());
    std::string const whole = contents(*kept, original, 1 << 20);
    // Pieces of any size, across the size field and the preset data's start,
    // read the same.
    EXPECT_EQ(contents(*kept, original, 3), whole);
    EXPECT_EQ(contents(*kept, original, 7), whole);

    std::size_t const pdta = original.rfind("LIST");
    EXPECT_EQ(whole.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(whole, 4) + 8, whole.size());
    EXPECT_EQ(whole.substr(8, pdta - 8), original.substr(8, pdta - 8));
    EXPECT_EQ(le32(whole, pdta + 4) + pdta + 8, whole.size());
    // The sample headers are kept whole, so sample numbers stay right.
    EXPECT_EQ(whole.substr(whole.rfind("shdr")), original.substr(original.rfind("shdr")));

    std::uint8_t byte;
    EXPECT_FALSE(kept->read(reader_of(original), kept->size(), { &byte, 1 }));
    EXPECT_TRUE(kept->read(reader_of(original), kept->size(), { &byte, 0 }));
    EXPECT_FALSE(kept->read([](std::uint64_t, std::span<std::uint8_t>) { return false; }, 0, { &byte, 1 }));
}

TEST(SoundfontSubset, GivesNoSubsetOfAFileThatDoesNotHoldTogether)
{
    std::string const good_tables = tables(band);
    ASSERT_TRUE(subset(file_with_tables(good_tables), programs({ 0 })));

    // A change to the tables at table `id`'s records, `at` bytes in.
    auto patched = [&](char const* id, std::size_t at, std::uint16_t value) {
        std::string t = good_tables;
        std::size_t records = t.find(id) + 8 + at;
        t[records] = char(value & 0xff);
        t[records + 1] = char(value >> 8);
        return file_with_tables(t);
    };
    auto renamed = [&](char const* id, char const* to) {
        std::string t = good_tables;
        t.replace(t.find(id), 4, to);
        return file_with_tables(t);
    };
    std::string const original = file_with_tables(good_tables);
    std::string longer_riff = original;
    longer_riff[4] = char(longer_riff[4] + 2);
    std::string odd_table = good_tables;
    odd_table.insert(odd_table.find("pmod"), "\0\0", 2);
    odd_table[odd_table.find("pbag") + 4] += 2;
    std::string empty_table = good_tables;
    std::size_t const pmod = empty_table.find("pmod");
    empty_table.replace(pmod, 8 + le32(empty_table, pmod + 4), chunk("pmod", ""));
    std::string after_pdta = original + chunk("LIST", "junk");
    after_pdta.replace(4, 4, std::string(4, '\0'));
    after_pdta[4] = char((after_pdta.size() - 8) & 0xff);
    after_pdta[5] = char((after_pdta.size() - 8) >> 8);

    std::vector<std::pair<char const*, std::string>> const broken {
        { "cut short", original.substr(0, original.size() - 10) },
        { "RIFF size past the end", longer_riff },
        { "no RIFF form", "RIFX" + original.substr(4) },
        { "not a soundfont", original.substr(0, 8) + "WAVE" + original.substr(12) },
        { "preset data not last", after_pdta },
        { "tables out of order", renamed("pmod", "pgen") },
        { "table of broken records", file_with_tables(odd_table) },
        { "table without its terminal record", file_with_tables(empty_table) },
        { "bag index past the bags", patched("phdr", 38 + 24, 500) },
        { "bags running backwards", patched("phdr", 3 * 38 + 24, 0) },
        { "generator index past the generators", patched("pbag", 4, 900) },
        { "modulator index past the modulators", patched("pbag", 2, 77) },
        { "instrument index past the instruments", patched("pgen", 4 * 2 + 2, 5) },
        { "instrument's bag index past the bags", patched("inst", 22 + 20, 999) },
        { "instrument's generator index past them", patched("ibag", 4, 999) },
        { "nothing", "" },
    };
    for (auto const& [what, bytes] : broken)
        EXPECT_FALSE(subset(bytes, programs({ 0, 73 }))) << what;

    // A file that cannot be read gives none either.
    EXPECT_FALSE(SoundfontSubset::make(
        [](std::uint64_t, std::span<std::uint8_t>) { return false; }, original.size(), programs({ 0 })));
}
