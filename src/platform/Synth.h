#pragma once

#include "platform/Service.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

// The process's MIDI synthesiser, rendered by the sound output. It holds one
// tune at a time, as Standard MIDI File bytes that the caller has checked,
// and counts its place in MIDI ticks.
class Synth : public Service<Synth> {
public:
    virtual ~Synth() = default;

    // False when there is no instrument set, and then nothing can be played.
    // Does not wait: while the set still loads a tune can be loaded and
    // played, and sounds once the set is in.
    virtual bool ready() = 0;

    // Replaces the tune and stands at tick 0, silent. `end_tick` is the tick
    // of the tune's last event: reaching it completes a play.
    virtual void load(std::vector<std::uint8_t> const& smf, std::int64_t end_tick) = 0;
    virtual void unload() = 0;
    // Plays from the current tick. `ended` runs once, on the output thread,
    // when the end tick is reached (the synth then stands silent at the end);
    // a later play, rewind or load cancels it.
    virtual void play(std::function<void()> ended) = 0;
    virtual void rewind() = 0;
    virtual std::int64_t tick() = 0;

    // Stands in while none is installed: a synth without instruments.
    static Synth& fallback();
};

}
