// Feeds arbitrary soundfonts to the subset maker: the first 16 bytes say
// which programs to keep, the rest is the file. It must never read outside
// the file, and a subset it makes must read whole and make the same subset
// of itself again.
#include "platform/SoundfontSubset.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using platform::SoundfontSubset;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

SoundfontSubset::ReadAt reader_of(std::vector<std::uint8_t> const& file)
{
    return [&file](std::uint64_t offset, std::span<std::uint8_t> into) {
        if (offset > file.size() || into.size() > file.size() - offset)
            return false;
        std::memcpy(into.data(), file.data() + offset, into.size());
        return true;
    };
}

std::vector<std::uint8_t> contents(SoundfontSubset const& subset, std::vector<std::uint8_t> const& original)
{
    std::vector<std::uint8_t> out(subset.size());
    check(subset.read(reader_of(original), 0, out));
    return out;
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    constexpr std::size_t program_bytes = 16;
    if (size < program_bytes)
        return 0;
    SoundfontSubset::Programs programs;
    for (std::size_t i = 0; i < programs.size(); ++i)
        programs[i] = data[i / 8] >> (i % 8) & 1;
    // A copy of exactly the file's bytes, so a read past the end is seen.
    std::vector<std::uint8_t> const file(data + program_bytes, data + size);
    auto subset = SoundfontSubset::make(reader_of(file), file.size(), programs);
    if (!subset)
        return 0;
    auto const once = contents(*subset, file);
    std::uint8_t byte;
    check(!subset->read(reader_of(file), subset->size(), { &byte, 1 }));
    auto again = SoundfontSubset::make(reader_of(once), once.size(), programs);
    check(again.has_value());
    check(contents(*again, once) == once);
    return 0;
}
