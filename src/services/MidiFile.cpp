#include "services/MidiFile.h"

#include <algorithm>

namespace {

class Reader {
public:
    Reader(std::span<std::uint8_t const> bytes, std::size_t from, std::size_t to)
        : m_bytes(bytes), m_pos(from), m_end(to) { }

    bool at_end() const { return m_pos >= m_end; }
    std::size_t pos() const { return m_pos; }

    std::optional<std::uint32_t> byte()
    {
        if (m_pos >= m_end)
            return std::nullopt;
        return m_bytes[m_pos++];
    }
    std::optional<std::uint32_t> big_endian(int count)
    {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            auto b = byte();
            if (!b)
                return std::nullopt;
            v = v << 8 | *b;
        }
        return v;
    }
    // A variable-length quantity: at most four bytes.
    std::optional<std::uint32_t> quantity()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            auto b = byte();
            if (!b)
                return std::nullopt;
            v = v << 7 | (*b & 0x7f);
            if (!(*b & 0x80))
                return v;
        }
        return std::nullopt;
    }
    bool skip(std::uint32_t count)
    {
        if (count > m_end - m_pos)
            return false;
        m_pos += count;
        return true;
    }

private:
    std::span<std::uint8_t const> m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
};

struct Track {
    std::int64_t last_tick { 0 };
    std::vector<std::pair<std::int64_t, std::int64_t>> tempo;
    std::bitset<128> programs;
};

std::optional<Track> parse_track(Reader r)
{
    Track track;
    std::int64_t tick = 0;
    std::uint32_t running = 0;
    while (!r.at_end()) {
        auto delta = r.quantity();
        auto first = delta ? r.byte() : std::nullopt;
        if (!first)
            return std::nullopt;
        tick += *delta;
        track.last_tick = tick;
        std::uint32_t status = *first;
        bool data_first = status < 0x80;
        if (data_first) {
            if (!running)
                return std::nullopt;
            status = running;
        }
        if (status == 0xff) {
            auto type = r.byte();
            auto length = type ? r.quantity() : std::nullopt;
            if (!length)
                return std::nullopt;
            if (*type == 0x51 && *length == 3) {
                auto micros = r.big_endian(3);
                if (!micros)
                    return std::nullopt;
                if (*micros > 0)
                    track.tempo.emplace_back(tick, *micros);
            } else if (!r.skip(*length)) {
                return std::nullopt;
            }
            if (*type == 0x2f)
                return track;
            running = 0;
        } else if (status == 0xf0 || status == 0xf7) {
            auto length = r.quantity();
            if (!length || !r.skip(*length))
                return std::nullopt;
            running = 0;
        } else if (status >= 0xf0) {
            return std::nullopt;
        } else {
            running = status;
            int hi = int(status >> 4);
            int count = (hi == 0xc || hi == 0xd) ? 1 : 2;
            std::uint32_t data[2] {};
            int i = 0;
            if (data_first)
                data[i++] = *first;
            for (; i < count; ++i) {
                auto b = r.byte();
                if (!b || *b >= 0x80)
                    return std::nullopt;
                data[i] = *b;
            }
            if (hi == 0xc)
                track.programs.set(data[0]);
        }
    }
    return track;
}

}

std::optional<MidiFile> MidiFile::parse(std::span<std::uint8_t const> bytes)
{
    Reader header(bytes, 0, bytes.size());
    auto id = header.big_endian(4);
    auto length = header.big_endian(4);
    auto format = header.big_endian(2);
    auto tracks = header.big_endian(2);
    auto division = header.big_endian(2);
    if (!division || *id != 0x4d546864 || *length < 6 || *format > 2 || *tracks == 0 || *division == 0
        || (*division & 0x8000) || *length > bytes.size() - 8)
        return std::nullopt;

    MidiFile file;
    file.m_division = int(*division);
    std::size_t pos = 8 + std::size_t(*length);
    std::uint32_t found = 0;
    while (found < *tracks) {
        Reader chunk(bytes, pos, bytes.size());
        auto chunk_id = chunk.big_endian(4);
        auto chunk_length = chunk.big_endian(4);
        if (!chunk_length || *chunk_length > bytes.size() - chunk.pos())
            return std::nullopt;
        std::size_t body = chunk.pos();
        pos = body + *chunk_length;
        if (*chunk_id != 0x4d54726b) // other chunk kinds are skipped
            continue;
        auto track = parse_track(Reader(bytes, body, pos));
        if (!track)
            return std::nullopt;
        file.m_end_tick = std::max(file.m_end_tick, track->last_tick);
        for (auto [tick, micros] : track->tempo)
            file.m_tempo.push_back({ tick, micros });
        file.m_programs |= track->programs;
        ++found;
    }
    std::stable_sort(file.m_tempo.begin(), file.m_tempo.end(),
        [](TempoChange const& a, TempoChange const& b) { return a.tick < b.tick; });
    return file;
}

std::int64_t MidiFile::millis_at(std::int64_t tick) const
{
    // Microseconds summed per tempo segment; 120 beats a minute until the
    // first change.
    double micros = 0;
    std::int64_t from = 0;
    double per_quarter = 500000;
    for (auto const& change : m_tempo) {
        if (change.tick >= tick)
            break;
        micros += double(change.tick - from) * per_quarter / m_division;
        from = change.tick;
        per_quarter = double(change.micros_per_quarter);
    }
    micros += double(tick - from) * per_quarter / m_division;
    return std::int64_t(micros / 1000);
}
