#include "platform/HotKeys.h"

#include <atomic>

namespace platform {

namespace {

class NoHotKeys final : public HotKeys {
public:
    bool grab(int, int, unsigned, std::function<void()>) override { return true; }
    void release(int) override { }
};

std::atomic<HotKeys*> installed { nullptr };

}

HotKeys& HotKeys::current()
{
    static NoHotKeys none;
    HotKeys* h = installed.load();
    return h ? *h : none;
}

void HotKeys::install(HotKeys* hot_keys) { installed.store(hot_keys); }

}
