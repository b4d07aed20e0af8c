#include "platform/sdl/SdlLargeBlocks.h"

#include "platform/LargeBlocks.h"

#include <SDL.h>
#include <cstring>

namespace platform {

namespace {

SDL_malloc_func next_malloc;
SDL_calloc_func next_calloc;
SDL_realloc_func next_realloc;
SDL_free_func next_free;

void* SDLCALL large_malloc(size_t bytes)
{
    if (bytes >= large_blocks::threshold)
        if (void* block = large_blocks::allocate(bytes))
            return block;
    return next_malloc(bytes);
}

void* SDLCALL large_calloc(size_t count, size_t size)
{
    // A product that overflows is left to SDL's own calloc to refuse.
    if (size != 0 && count <= std::size_t(-1) / size && count * size >= large_blocks::threshold)
        if (void* block = large_blocks::allocate(count * size))
            return block;
    return next_calloc(count, size);
}

void* SDLCALL large_realloc(void* block, size_t bytes)
{
    std::size_t const held = large_blocks::size_of(block);
    if (held == 0)
        return next_realloc(block, bytes);
    if (bytes <= held)
        return block;
    void* moved = large_malloc(bytes);
    if (moved) {
        std::memcpy(moved, block, held);
        large_blocks::release(block);
    }
    return moved;
}

void SDLCALL large_free(void* block)
{
    if (!large_blocks::release(block))
        next_free(block);
}

}

void serve_sdl_large_blocks()
{
    SDL_malloc_func current = nullptr;
    SDL_calloc_func c = nullptr;
    SDL_realloc_func r = nullptr;
    SDL_free_func f = nullptr;
    SDL_GetMemoryFunctions(&current, &c, &r, &f);
    if (current == large_malloc)
        return;
    next_malloc = current;
    next_calloc = c;
    next_realloc = r;
    next_free = f;
    SDL_SetMemoryFunctions(large_malloc, large_calloc, large_realloc, large_free);
}

}
