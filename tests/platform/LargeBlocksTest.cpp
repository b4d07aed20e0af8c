#include "platform/Bitmap.h"
#include "platform/LargeBlocks.h"
#include "platform/sdl/SdlLargeBlocks.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace lb = platform::large_blocks;

TEST(LargeBlocks, AScreenOfPixelsGetsAZeroedBlockOnAHugePageBoundary)
{
    std::size_t const screen = 800 * 600 * 4;
    void* block = lb::allocate(screen);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % (std::size_t(2) << 20), 0u);
    EXPECT_GE(lb::size_of(block), screen);
    auto* bytes = static_cast<unsigned char*>(block);
    EXPECT_EQ(bytes[0] | bytes[screen - 1], 0);
    bytes[screen - 1] = 7;
    EXPECT_TRUE(lb::release(block));
    EXPECT_FALSE(lb::release(block)) << "a block is given back once";

    void* foreign = std::malloc(64);
    EXPECT_FALSE(lb::release(foreign)) << "a block of another allocator is left to it";
    EXPECT_EQ(lb::size_of(foreign), 0u);
    std::free(foreign);
    EXPECT_EQ(lb::allocate(0), nullptr);
}

TEST(LargeBlocks, ScreenBitmapsCopyAndMoveLikeAnyOther)
{
    platform::Bitmap screen(800, 600, 0xff112233u);
    EXPECT_GT(lb::size_of(screen.pixels.data()), 0u);
    screen.at(799, 599) = 0xff445566u;
    platform::Bitmap copy = screen;
    EXPECT_NE(copy.pixels.data(), screen.pixels.data());
    EXPECT_EQ(copy.pixels, screen.pixels);
    platform::Bitmap moved = std::move(copy);
    EXPECT_EQ(moved.at(799, 599), 0xff445566u);
    platform::Bitmap small(10, 10);
    EXPECT_EQ(lb::size_of(small.pixels.data()), 0u) << "small pictures stay on the heap";
}

TEST(LargeBlocks, SdlBlocksOfBothAllocatorsGoBackWhereTheyCameFrom)
{
    void* before = SDL_malloc(3 << 20);
    ASSERT_NE(before, nullptr);
    platform::serve_sdl_large_blocks();
    platform::serve_sdl_large_blocks(); // twice must not route to itself
    EXPECT_EQ(lb::size_of(before), 0u);

    auto* grown = static_cast<unsigned char*>(SDL_malloc(std::size_t(2) << 20));
    ASSERT_NE(grown, nullptr);
    EXPECT_GT(lb::size_of(grown), 0u);
    grown[100] = 42;
    grown = static_cast<unsigned char*>(SDL_realloc(grown, std::size_t(5) << 20));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(grown[100], 42);
    EXPECT_GE(lb::size_of(grown), std::size_t(5) << 20);
    SDL_free(grown);

    auto* zeroed = static_cast<unsigned char*>(SDL_calloc(800 * 600, 4));
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(zeroed[800 * 600 * 4 - 1], 0);
    SDL_free(zeroed);
    SDL_free(SDL_malloc(16));
    SDL_free(before);
}
