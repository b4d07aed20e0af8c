#include "MidiWriter.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

void put_be(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put_variable(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = value & 0x7f;
        value >>= 7;
    } while (value);
    while (n-- > 0)
        out.push_back(groups[n] | (n ? 0x80 : 0));
}

}

MidiWriter::MidiWriter(int ticks_per_quarter)
    : m_division(ticks_per_quarter)
{
}

int MidiWriter::add_track()
{
    m_tracks.emplace_back();
    return static_cast<int>(m_tracks.size()) - 1;
}

void MidiWriter::add(int track, std::uint32_t tick, int rank, std::vector<std::uint8_t> data)
{
    m_tracks.at(track).push_back({ tick, rank, std::move(data) });
}

void MidiWriter::tempo(int track, std::uint32_t tick, int beats_per_minute)
{
    std::uint32_t micros = 60'000'000 / beats_per_minute;
    add(track, tick, 1,
        { 0xff, 0x51, 0x03, std::uint8_t(micros >> 16), std::uint8_t(micros >> 8), std::uint8_t(micros) });
}

void MidiWriter::program(int track, std::uint32_t tick, int channel, int instrument)
{
    add(track, tick, 1, { std::uint8_t(0xc0 | channel), std::uint8_t(instrument) });
}

void MidiWriter::note(int track, std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity)
{
    add(track, tick, 2, { std::uint8_t(0x90 | channel), std::uint8_t(key), std::uint8_t(velocity) });
    add(track, tick + length, 0, { std::uint8_t(0x80 | channel), std::uint8_t(key), 0x40 });
}

std::vector<std::uint8_t> MidiWriter::bytes() const
{
    std::vector<std::uint8_t> out { 'M', 'T', 'h', 'd' };
    put_be(out, 6, 4);
    put_be(out, 1, 2);
    put_be(out, static_cast<std::uint32_t>(m_tracks.size()), 2);
    put_be(out, m_division, 2);
    for (auto events : m_tracks) {
        std::stable_sort(events.begin(), events.end(),
            [](Event const& a, Event const& b) { return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank; });
        std::vector<std::uint8_t> body;
        std::uint32_t now = 0;
        for (Event const& e : events) {
            put_variable(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.data.begin(), e.data.end());
        }
        for (std::uint8_t b : { 0x00, 0xff, 0x2f, 0x00 })
            body.push_back(b);
        for (char c : { 'M', 'T', 'r', 'k' })
            out.push_back(c);
        put_be(out, static_cast<std::uint32_t>(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

void MidiWriter::write(std::string const& path) const
{
    auto data = bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<char const*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
