#include "framework/Random.h"

#include "platform/Clock.h"

#include <chrono>
#include <random>

namespace {
std::mt19937& generator()
{
    static std::mt19937 g;
    return g;
}
}

void Randomize()
{
    RandSeed(std::uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
}

void RandSeed(std::uint32_t seed) { generator().seed(seed); }

int Random(int range)
{
    if (range <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(generator());
}
