#pragma once

#include <cstddef>
#include <new>

namespace platform::large_blocks {

// Blocks of at least this many bytes (a whole screen of pixels is 1.83 MiB)
// are mapped on 2 MiB boundaries and offered to the kernel for huge pages.
// Every first touch of a small page costs a trap, and under a hypervisor
// that trap is dear: a screen's 469 pages cost milliseconds, one huge page
// almost nothing.
inline constexpr std::size_t threshold = std::size_t(1536) * 1024;

// A block of at least `bytes` bytes, zeroed, or nullptr.
void* allocate(std::size_t bytes);
// Gives back a block of allocate(); false, and nothing done, for any other.
bool release(void* block);
// The usable size of a block of allocate(), or 0 for any other.
std::size_t size_of(void const* block);

// For containers of large pixel buffers.
template <class T>
struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U>
    Allocator(Allocator<U> const&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        if (n > std::size_t(-1) / sizeof(T))
            throw std::bad_array_new_length();
        if (n * sizeof(T) >= threshold)
            if (void* block = large_blocks::allocate(n * sizeof(T)))
                return static_cast<T*>(block);
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    // Only a block of the threshold's size can be a large one: smaller ones
    // never look in the list.
    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n * sizeof(T) < threshold || !large_blocks::release(p))
            ::operator delete(p);
    }
    template <class U>
    bool operator==(Allocator<U> const&) const noexcept
    {
        return true;
    }
};

}
