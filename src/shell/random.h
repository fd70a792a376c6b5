// The game's random numbers: the classic 32-bit linear congruential
// generator (x * 214013 + 2531011, result bits 16..30), so a seed replays a
// game exactly.
#pragma once

#include <cstdint>

extern bool seeded;

void seedRandom();               // from the platform clock
void seedRandomWith(uint32_t s); // a fixed seed (headless runs, tests)
int nextRand();                  // 0 .. 32767
// 0 .. n-1; n must be at least 1 (0 is treated as 1 rather than dividing by zero).
uint32_t random(uint32_t n);
