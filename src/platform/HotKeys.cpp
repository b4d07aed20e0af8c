#include "platform/HotKeys.h"

namespace platform {

namespace {

class NoHotKeys final : public HotKeys {
public:
    bool grab(int, int, unsigned, std::function<void()>) override { return true; }
    void release(int) override { }
};

}

HotKeys& HotKeys::fallback()
{
    static NoHotKeys none;
    return none;
}

}
