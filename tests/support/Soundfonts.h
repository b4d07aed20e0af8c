#pragma once

#include "support/SoundFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Small soundfonts made by the tests themselves: presets and instruments
// with their zones, a few silent samples, and a reader for what a rewriter
// made of them.
namespace soundfonts {

constexpr std::uint16_t pan = 17;
constexpr std::uint16_t key_range = 43;
constexpr std::uint16_t instrument = 41;
constexpr std::uint16_t sample_id = 53;

struct Zone {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> generators; // operator, amount
    std::vector<std::uint16_t> modulators; // each one's source, enough to tell them apart
    bool operator==(Zone const&) const = default;
};

// A preset (program and bank) or an instrument (both 0).
struct Header {
    std::string name;
    std::uint16_t program { 0 };
    std::uint16_t bank { 0 };
    std::vector<Zone> zones;
    bool operator==(Header const&) const = default;
};

struct PresetData {
    std::vector<Header> presets;
    std::vector<Header> instruments;
    bool operator==(PresetData const&) const = default;
};

constexpr int samples = 3;

inline std::string chunk(std::string const& id, std::string const& body)
{
    std::string s = id;
    sound_files::put32(s, std::uint32_t(body.size()));
    return s + body;
}

inline std::string name_field(std::string name)
{
    name.resize(20, '\0');
    return name;
}

// The nine tables of the preset data, each as a chunk.
inline std::string tables(PresetData const& data)
{
    using sound_files::put16;
    std::string out;
    for (bool presets : { true, false }) {
        std::string headers, bags, mods, gens;
        std::size_t bag = 0, gen = 0, mod = 0;
        auto header = [&](Header const& h) {
            headers += name_field(h.name);
            if (presets) {
                put16(headers, h.program);
                put16(headers, h.bank);
            }
            put16(headers, std::uint32_t(bag));
            if (presets)
                headers += std::string(12, '\0');
        };
        for (auto const& h : presets ? data.presets : data.instruments) {
            header(h);
            for (auto const& z : h.zones) {
                put16(bags, std::uint32_t(gen));
                put16(bags, std::uint32_t(mod));
                for (auto [op, amount] : z.generators) {
                    put16(gens, op);
                    put16(gens, amount);
                }
                for (auto source : z.modulators) {
                    put16(mods, source);
                    mods += std::string(8, '\0');
                }
                gen += z.generators.size();
                mod += z.modulators.size();
                ++bag;
            }
        }
        header({ presets ? "EOP" : "EOI", 0, 0, {} });
        put16(bags, std::uint32_t(gen));
        put16(bags, std::uint32_t(mod));
        mods += std::string(10, '\0');
        gens += std::string(4, '\0');
        out += chunk(presets ? "phdr" : "inst", headers) + chunk(presets ? "pbag" : "ibag", bags)
            + chunk(presets ? "pmod" : "imod", mods) + chunk(presets ? "pgen" : "igen", gens);
    }
    std::string shdr;
    for (int i = 0; i <= samples; ++i) {
        shdr += name_field(i < samples ? "sample " + std::to_string(i) : "EOS");
        for (std::uint32_t v : { 16 * i, 16 * i + 12, 16 * i + 2, 16 * i + 10, 22050 })
            sound_files::put32(shdr, std::uint32_t(v));
        shdr += std::string("\x3c\x00\x00\x00\x01\x00", 6);
    }
    return out + chunk("shdr", shdr);
}

inline std::string file_with_tables(std::string const& tables)
{
    std::string body = "sfbk" + chunk("LIST", "INFO" + chunk("ifil", std::string("\x02\x00\x01\x00", 4)))
        + chunk("LIST", "sdta" + chunk("smpl", std::string(32 * samples, '\x11'))) + chunk("LIST", "pdta" + tables);
    return chunk("RIFF", body);
}

inline std::string file(PresetData const& data) { return file_with_tables(tables(data)); }

inline std::uint32_t le16(std::string const& s, std::size_t at)
{
    return std::uint32_t(std::uint8_t(s[at])) | std::uint32_t(std::uint8_t(s[at + 1])) << 8;
}
inline std::uint32_t le32(std::string const& s, std::size_t at) { return le16(s, at) | le16(s, at + 2) << 16; }

// The preset data of a file's last chunk, which must be the preset data
// list; nothing when it does not hold together or its terminal records are
// not the ones tables() writes.
inline std::optional<PresetData> read(std::string const& file)
{
    std::size_t pos = 12;
    while (pos + 8 < file.size() && pos + 8 + le32(file, pos + 4) < file.size())
        pos += 8 + le32(file, pos + 4);
    if (file.compare(pos, 4, "LIST") != 0 || file.compare(pos + 8, 4, "pdta") != 0)
        return std::nullopt;
    pos += 12;
    std::vector<std::string> t;
    for (char const* id : { "phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr" }) {
        if (pos + 8 > file.size() || file.compare(pos, 4, id) != 0)
            return std::nullopt;
        t.push_back(file.substr(pos + 8, le32(file, pos + 4)));
        pos += 8 + t.back().size();
    }
    PresetData data;
    for (bool presets : { true, false }) {
        auto const& headers = t[presets ? 0 : 4];
        auto const& bags = t[presets ? 1 : 5];
        auto const& mods = t[presets ? 2 : 6];
        auto const& gens = t[presets ? 3 : 7];
        std::size_t const size = presets ? 38 : 22, bag_at = presets ? 24 : 20;
        std::size_t const count = headers.size() / size;
        std::string const terminal(presets ? "EOP" : "EOI", 4);
        if (count == 0 || headers.compare((count - 1) * size, 4, terminal) != 0)
            return std::nullopt;
        for (std::size_t h = 0; h + 1 < count; ++h) {
            Header header { headers.substr(h * size, headers.find('\0', h * size) - h * size), 0, 0, {} };
            if (presets) {
                header.program = std::uint16_t(le16(headers, h * size + 20));
                header.bank = std::uint16_t(le16(headers, h * size + 22));
            }
            for (auto b = le16(headers, h * size + bag_at); b < le16(headers, (h + 1) * size + bag_at); ++b) {
                Zone zone;
                for (auto g = le16(bags, 4 * b); g < le16(bags, 4 * b + 4); ++g)
                    zone.generators.emplace_back(le16(gens, 4 * g), le16(gens, 4 * g + 2));
                for (auto m = le16(bags, 4 * b + 2); m < le16(bags, 4 * b + 6); ++m)
                    zone.modulators.push_back(std::uint16_t(le16(mods, 10 * m)));
                header.zones.push_back(zone);
            }
            (presets ? data.presets : data.instruments).push_back(header);
        }
    }
    return data;
}

}
