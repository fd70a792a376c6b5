#include "shell/random.h"

#include "shell/clock.h"

bool seeded = false;

namespace {
uint32_t g_state = 1;
}

void seedRandomWith(uint32_t s) {
    seeded = true;
    g_state = s;
}

void seedRandom() { seedRandomWith(platformTicks()); }

int nextRand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

uint32_t random(uint32_t n) { return static_cast<uint32_t>(nextRand()) % (n ? n : 1); }
