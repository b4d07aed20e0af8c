#pragma once

#include <cstdint>

// The program's one pseudo-random generator, seeded once at start.
void Randomize();
void RandSeed(std::uint32_t seed);
// 0 <= result < range.
int Random(int range);
