#include "platform/SoundfontSubset.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform {

namespace {

using Bytes = std::span<std::uint8_t const>;

// Far more than the preset data of any soundfont; a larger claim is a
// broken file, not one worth holding in memory.
constexpr std::uint64_t largest_preset_data = std::uint64_t(64) << 20;
constexpr std::uint64_t riff_size_at = 4;
constexpr std::uint32_t instrument_generator = 41;
constexpr std::uint32_t largest_index = 0xffff;

std::uint32_t le16(Bytes b, std::size_t at) { return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8; }
std::uint32_t le32(Bytes b, std::size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

void put16(std::uint8_t* at, std::uint32_t v)
{
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
}
void put32(std::uint8_t* at, std::uint32_t v)
{
    put16(at, v);
    put16(at + 2, v >> 16);
}

void append(std::vector<std::uint8_t>& to, Bytes from) { to.insert(to.end(), from.begin(), from.end()); }

bool is_id(Bytes b, std::size_t at, char const* id) { return std::memcmp(b.data() + at, id, 4) == 0; }

// The records of one table of the preset data; the last is its terminal
// record, which only closes the ranges of the one before.
class Records {
public:
    Records() = default;
    Records(Bytes bytes, std::size_t record_size)
        : m_bytes(bytes)
        , m_record_size(record_size)
    {
    }

    Bytes all() const { return m_bytes; }
    std::size_t count() const { return m_bytes.size() / m_record_size; }
    std::size_t record_size() const { return m_record_size; }
    Bytes at(std::size_t i) const { return m_bytes.subspan(i * m_record_size, m_record_size); }
    Bytes last() const { return at(count() - 1); }
    std::uint32_t field(std::size_t i, std::size_t offset) const { return le16(at(i), offset); }

private:
    Bytes m_bytes;
    std::size_t m_record_size { 1 };
};

// The preset data's tables, in the one order they must come in.
enum Table { phdr, pbag, pmod, pgen, inst, ibag, imod, igen, shdr, table_count };
struct TableKind {
    char const* id;
    std::size_t record_size;
};
constexpr std::array<TableKind, table_count> table_kinds { { { "phdr", 38 }, { "pbag", 4 }, { "pmod", 10 },
    { "pgen", 4 }, { "inst", 22 }, { "ibag", 4 }, { "imod", 10 }, { "igen", 4 }, { "shdr", 46 } } };
using Tables = std::array<Records, table_count>;

// Presets or instruments: each header owns a range of zones (bags), each
// zone a range of generators and one of modulators. A range ends where the
// next record's begins.
struct Level {
    Records headers, bags, mods, gens;
    std::size_t bag_field;
};
constexpr std::size_t gen_field = 0;
constexpr std::size_t mod_field = 2;

struct Range {
    std::size_t begin, end;
};

// Record i's range in `target`, which must lie before target's terminal
// record; i itself is never a terminal record.
std::optional<Range> range(Records const& table, std::size_t i, std::size_t offset, Records const& target)
{
    Range r { table.field(i, offset), table.field(i + 1, offset) };
    if (r.begin > r.end || r.end >= target.count())
        return std::nullopt;
    return r;
}

struct Written {
    std::vector<std::uint8_t> headers, bags, mods, gens;
};

// Appends a record with its index field set to `index`; false when the index
// does not fit.
bool append_indexed(std::vector<std::uint8_t>& to, Bytes record, std::size_t offset, std::size_t index)
{
    if (index > largest_index)
        return false;
    append(to, record);
    put16(to.data() + to.size() - record.size() + offset, std::uint32_t(index));
    return true;
}

// Rewrites a copied generator in place; false when it is unusable.
using MapGenerator = std::function<bool(std::uint8_t* generator)>;

// The level with only the headers `kept`, their zones, generators and
// modulators, all ranges renumbered, and every table closed by its original
// terminal record.
std::optional<Written> write_level(Level const& in, std::vector<std::size_t> const& kept, MapGenerator const& map)
{
    Written out;
    auto count = [](std::vector<std::uint8_t> const& table, Records const& kind) {
        return table.size() / kind.record_size();
    };
    // A zone starts where the generators and modulators written so far end.
    auto close_bag = [&](Bytes bag) {
        std::size_t mods = count(out.mods, in.mods);
        if (mods > largest_index || !append_indexed(out.bags, bag, gen_field, count(out.gens, in.gens)))
            return false;
        put16(out.bags.data() + out.bags.size() - bag.size() + mod_field, std::uint32_t(mods));
        return true;
    };
    for (std::size_t h : kept) {
        auto bags = range(in.headers, h, in.bag_field, in.bags);
        if (!bags || !append_indexed(out.headers, in.headers.at(h), in.bag_field, count(out.bags, in.bags)))
            return std::nullopt;
        for (std::size_t b = bags->begin; b < bags->end; ++b) {
            auto gens = range(in.bags, b, gen_field, in.gens);
            auto mods = range(in.bags, b, mod_field, in.mods);
            if (!gens || !mods || !close_bag(in.bags.at(b)))
                return std::nullopt;
            for (std::size_t m = mods->begin; m < mods->end; ++m)
                append(out.mods, in.mods.at(m));
            for (std::size_t g = gens->begin; g < gens->end; ++g) {
                append(out.gens, in.gens.at(g));
                if (!map(out.gens.data() + out.gens.size() - in.gens.record_size()))
                    return std::nullopt;
            }
        }
    }
    if (!append_indexed(out.headers, in.headers.last(), in.bag_field, count(out.bags, in.bags))
        || !close_bag(in.bags.last()))
        return std::nullopt;
    append(out.mods, in.mods.last());
    append(out.gens, in.gens.last());
    return out;
}

std::optional<Tables> split_tables(Bytes body)
{
    Tables tables;
    std::size_t pos = 0;
    for (std::size_t t = 0; t < table_count; ++t) {
        if (body.size() - pos < 8 || !is_id(body, pos, table_kinds[t].id))
            return std::nullopt;
        std::size_t size = le32(body, pos + 4);
        pos += 8;
        if (size > body.size() - pos || size == 0 || size % table_kinds[t].record_size != 0)
            return std::nullopt;
        tables[t] = Records(body.subspan(pos, size), table_kinds[t].record_size);
        pos += size;
    }
    if (pos != body.size())
        return std::nullopt;
    return tables;
}

void append_table(std::vector<std::uint8_t>& to, Table t, Bytes records)
{
    to.insert(to.end(), table_kinds[t].id, table_kinds[t].id + 4);
    to.resize(to.size() + 4);
    put32(to.data() + to.size() - 4, std::uint32_t(records.size()));
    append(to, records);
}

// The whole preset data list with only the presets of `programs`, or nothing.
std::optional<std::vector<std::uint8_t>> rewrite(Tables const& t, SoundfontSubset::Programs const& programs)
{
    constexpr std::size_t program_field = 20;
    Level const presets { t[phdr], t[pbag], t[pmod], t[pgen], 24 };
    Level const instruments { t[inst], t[ibag], t[imod], t[igen], 20 };

    std::vector<std::size_t> kept_presets;
    for (std::size_t p = 0; p + 1 < presets.headers.count(); ++p) {
        std::uint32_t program = presets.headers.field(p, program_field);
        if (program < programs.size() && programs[program])
            kept_presets.push_back(p);
    }
    // First which instruments the kept presets use, then their new numbers,
    // in their original order.
    std::vector<bool> used(instruments.headers.count() - 1);
    bool const noted = write_level(presets, kept_presets, [&](std::uint8_t* gen) {
        if (le16({ gen, 4 }, 0) != instrument_generator)
            return true;
        std::uint32_t instrument = le16({ gen, 4 }, 2);
        if (instrument >= used.size())
            return false;
        used[instrument] = true;
        return true;
    }).has_value();
    if (!noted)
        return std::nullopt;
    std::vector<std::size_t> kept_instruments;
    std::vector<std::uint32_t> renumbered(used.size());
    for (std::size_t i = 0; i < used.size(); ++i)
        if (used[i]) {
            renumbered[i] = std::uint32_t(kept_instruments.size());
            kept_instruments.push_back(i);
        }
    auto p = write_level(presets, kept_presets, [&](std::uint8_t* gen) {
        if (le16({ gen, 4 }, 0) == instrument_generator)
            put16(gen + 2, renumbered[le16({ gen, 4 }, 2)]);
        return true;
    });
    auto i = write_level(instruments, kept_instruments, [](std::uint8_t*) { return true; });
    if (!p || !i)
        return std::nullopt;

    std::vector<std::uint8_t> list { 'L', 'I', 'S', 'T', 0, 0, 0, 0, 'p', 'd', 't', 'a' };
    append_table(list, phdr, p->headers);
    append_table(list, pbag, p->bags);
    append_table(list, pmod, p->mods);
    append_table(list, pgen, p->gens);
    append_table(list, inst, i->headers);
    append_table(list, ibag, i->bags);
    append_table(list, imod, i->mods);
    append_table(list, igen, i->gens);
    append_table(list, shdr, t[shdr].all());
    put32(list.data() + 4, std::uint32_t(list.size() - 8));
    return list;
}

// Where the preset data list starts: the last chunk of the file's one RIFF
// form, which must fill the file exactly (the synth checks that too).
std::optional<std::uint64_t> find_preset_data(SoundfontSubset::ReadAt const& original, std::uint64_t file_size)
{
    std::array<std::uint8_t, 12> head;
    if (file_size < head.size() || !original(0, head))
        return std::nullopt;
    if (!is_id(head, 0, "RIFF") || !is_id(head, 8, "sfbk") || 8 + std::uint64_t(le32(head, 4)) != file_size)
        return std::nullopt;
    std::uint64_t pos = head.size();
    while (file_size - pos >= 12) {
        if (!original(pos, head))
            return std::nullopt;
        std::uint64_t body = pos + 8;
        std::uint64_t size = le32(head, 4);
        // Odd chunks would be padded, which not every reader agrees on.
        if (size > file_size - body || size % 2 != 0)
            return std::nullopt;
        if (is_id(head, 0, "LIST") && size >= 4 && is_id(head, 8, "pdta")) {
            if (body + size != file_size || size > largest_preset_data)
                return std::nullopt;
            return pos;
        }
        pos = body + size;
    }
    return std::nullopt;
}

}

SoundfontSubset::SoundfontSubset(std::uint64_t pdta_offset, std::vector<std::uint8_t> pdta)
    : m_pdta_offset(pdta_offset)
    , m_pdta(std::move(pdta))
{
    put32(m_riff_size, std::uint32_t(size() - 8));
}

std::optional<SoundfontSubset> SoundfontSubset::make(
    ReadAt const& original, std::uint64_t file_size, Programs const& programs)
{
    auto offset = find_preset_data(original, file_size);
    if (!offset)
        return std::nullopt;
    std::vector<std::uint8_t> body(file_size - *offset - 12);
    if (!original(*offset + 12, body))
        return std::nullopt;
    auto tables = split_tables(body);
    auto list = tables ? rewrite(*tables, programs) : std::nullopt;
    // Zones used twice over could make the subset larger than the original.
    if (!list || *offset + list->size() - 8 > 0xffffffff)
        return std::nullopt;
    return SoundfontSubset(*offset, std::move(*list));
}

bool SoundfontSubset::read(ReadAt const& original, std::uint64_t offset, std::span<std::uint8_t> into) const
{
    if (offset > size() || into.size() > size() - offset)
        return false;
    std::size_t from_original
        = offset < m_pdta_offset ? std::size_t(std::min<std::uint64_t>(into.size(), m_pdta_offset - offset)) : 0;
    if (from_original > 0 && !original(offset, into.first(from_original)))
        return false;
    for (std::uint64_t at = riff_size_at; at < riff_size_at + 4; ++at)
        if (at >= offset && at - offset < from_original)
            into[at - offset] = m_riff_size[at - riff_size_at];
    auto rest = into.subspan(from_original);
    std::copy_n(m_pdta.begin() + std::ptrdiff_t(offset + from_original - m_pdta_offset), rest.size(), rest.begin());
    return true;
}

}
