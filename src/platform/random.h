#pragma once

/// The program's one random number generator: seeded once from the clock at start-up.
namespace Random {

void seedFromClock();
void seed(unsigned value); ///< for tests that need a repeatable sequence

/// Uniform in [0, 1).
double uniform();

} // namespace Random
