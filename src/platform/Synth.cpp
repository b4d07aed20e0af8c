#include "platform/Synth.h"

namespace platform {

namespace {

class NoSynth final : public Synth {
public:
    bool ready() override { return false; }
    void load(std::vector<std::uint8_t> const&, std::int64_t) override { }
    void unload() override { }
    void play(std::function<void()>) override { }
    void rewind() override { }
    std::int64_t tick() override { return 0; }
};

}

Synth& Synth::fallback()
{
    static NoSynth none;
    return none;
}

}
