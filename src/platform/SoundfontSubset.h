#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// A soundfont as it would be with only the presets of some program numbers,
// in every bank, and the instruments they use: the same file up to its
// preset data, which is rewritten (indices renumbered, terminal records
// kept) and served from memory. The sample headers and sample data stay as
// they are, so samples can still be read from the original on demand.
//
// The soundfont is an outside file: every size, count and index it holds is
// checked, and anything doubtful gives no subset rather than a guess.
class SoundfontSubset {
public:
    using Programs = std::bitset<128>;
    // Reads exactly `into.size()` bytes of the original from `offset`.
    using ReadAt = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> into)>;

    // Nothing unless the file is a soundfont whose preset data is its last
    // chunk, reads whole and holds together.
    static std::optional<SoundfontSubset> make(ReadAt const& original, std::uint64_t file_size, Programs const&);

    // The size of the subset's file.
    std::uint64_t size() const { return m_pdta_offset + m_pdta.size(); }
    // Reads exactly `into.size()` bytes of the subset's file from `offset`;
    // false past its end or when the original cannot be read.
    bool read(ReadAt const& original, std::uint64_t offset, std::span<std::uint8_t> into) const;

private:
    SoundfontSubset(std::uint64_t pdta_offset, std::vector<std::uint8_t> pdta);

    std::uint64_t m_pdta_offset;
    // The whole rewritten preset data list, its chunk header included.
    std::vector<std::uint8_t> m_pdta;
    // The file's RIFF size field, little-endian, for the shorter file.
    std::uint8_t m_riff_size[4] {};
};

}
