#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace platform {

// One display mode as the old platform's enumeration hands it out: a
// 156-byte record, little-endian, of which the shell reads five fields. The
// platform keeps what it needs to apply the mode in fields the shell never
// reads (the output's name in the device name, the mode's id in reserved 1).
struct DisplayModeRecord {
    static constexpr std::size_t size = 156;
    static constexpr std::size_t device_name_offset = 0;
    static constexpr std::size_t device_name_size = 32;
    static constexpr std::size_t position_offset = 44;
    static constexpr std::size_t bits_per_pel_offset = 104;
    static constexpr std::size_t pels_width_offset = 108;
    static constexpr std::size_t pels_height_offset = 112;
    static constexpr std::size_t display_frequency_offset = 120;
    static constexpr std::size_t reserved1_offset = 140;

    std::array<std::uint8_t, size> bytes {};

    std::uint32_t dmBitsPerPel() const { return dword(bits_per_pel_offset); }
    std::uint32_t dmPelsWidth() const { return dword(pels_width_offset); }
    std::uint32_t dmPelsHeight() const { return dword(pels_height_offset); }
    std::uint32_t dmDisplayFrequency() const { return dword(display_frequency_offset); }
    std::uint16_t word_at_44() const { return std::uint16_t(bytes[position_offset] | bytes[position_offset + 1] << 8); }
    std::uint32_t platform_mode_id() const { return dword(reserved1_offset); }

    void set_dword(std::size_t offset, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = std::uint8_t(v >> (8 * i));
    }
    std::uint32_t dword(std::size_t offset) const
    {
        return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8
            | std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
    }

    bool operator==(DisplayModeRecord const&) const = default;
};

}
