#include "platform/random.h"

#include <chrono>
#include <random>

namespace Random {

namespace {
std::mt19937 &engine()
{
    static std::mt19937 generator{5489u};
    return generator;
}
} // namespace

void seedFromClock()
{
    seed(unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void seed(unsigned value)
{
    engine().seed(value);
}

double uniform()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine());
}

} // namespace Random
