#include "platform/LargeBlocks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <vector>

namespace platform::large_blocks {

namespace {

constexpr std::size_t huge_page = std::size_t(2) << 20;

struct Block {
    void* start;
    std::size_t bytes;
};

// Few large blocks live at once (the canvas, the window's buffers, the
// pictures on screen): a list is quicker than anything cleverer.
struct Registry {
    std::mutex mutex;
    std::vector<Block> blocks;
};

Registry& registry()
{
    static Registry* r = new Registry; // outlives every static that frees a block
    return *r;
}

std::vector<Block>::iterator find(std::vector<Block>& blocks, void const* block)
{
    return std::find_if(blocks.begin(), blocks.end(), [&](Block const& b) { return b.start == block; });
}

std::size_t round_up(std::size_t bytes) { return (bytes + huge_page - 1) / huge_page * huge_page; }

}

void* allocate(std::size_t bytes)
{
    if (bytes == 0 || bytes > (std::size_t(1) << 40))
        return nullptr;
    std::size_t const size = round_up(bytes);
    // Map one huge page more than needed and trim, so the block starts on a
    // huge-page boundary.
    void* mapped = ::mmap(nullptr, size + huge_page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    auto const at = reinterpret_cast<std::uintptr_t>(mapped);
    auto const start = (at + huge_page - 1) & ~(huge_page - 1);
    if (start > at)
        ::munmap(mapped, start - at);
    if (std::size_t tail = huge_page - (start - at); tail > 0)
        ::munmap(reinterpret_cast<void*>(start + size), tail);
    void* block = reinterpret_cast<void*>(start);
    ::madvise(block, size, MADV_HUGEPAGE); // only advice: small pages work as well
    Registry& r = registry();
    try {
        std::lock_guard lock(r.mutex);
        r.blocks.push_back({ block, size });
    } catch (...) {
        ::munmap(block, size);
        return nullptr;
    }
    return block;
}

bool release(void* block)
{
    if (!block)
        return false;
    Registry& r = registry();
    std::size_t bytes = 0;
    {
        std::lock_guard lock(r.mutex);
        auto it = find(r.blocks, block);
        if (it == r.blocks.end())
            return false;
        bytes = it->bytes;
        *it = r.blocks.back();
        r.blocks.pop_back();
    }
    ::munmap(block, bytes);
    return true;
}

std::size_t size_of(void const* block)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = find(r.blocks, block);
    return it == r.blocks.end() ? 0 : it->bytes;
}

}
