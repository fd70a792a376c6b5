#include "shell/processor_test.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/log.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {
constexpr size_t kBufferBytes = 2880000;
constexpr size_t kWords = kBufferBytes / 4;
constexpr int kWordCopies = 1440000;
constexpr uint32_t kTooSlowMs = 650;
constexpr float kRatingPerMs = 0.015384615f;
constexpr float kMaxRating = 10.0f;

bool hasVectorUnit() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    return (d >> 23) & 1u;
#else
    return false;
#endif
}

void exercise(uint32_t* first, uint32_t* second) {
    for (uint32_t pass = 0; pass < 2; ++pass) {
        std::memset(first, static_cast<int>(pass), kBufferBytes);
        std::memset(second, static_cast<int>(pass), kBufferBytes);
        std::memcpy(first, second, kWords * 4);
        std::memcpy(first, second, kWords * 4);
        volatile uint16_t* dst = reinterpret_cast<volatile uint16_t*>(first);
        const uint16_t* src = reinterpret_cast<const uint16_t*>(second);
        for (int i = 0; i < kWordCopies; ++i) *dst = *src;
    }
}
}  // namespace

void runProcessorTest() {
    appFlags.mmxAvailable = false;
    uint32_t t0 = platformTicks();
    std::unique_ptr<uint32_t[]> first(new (std::nothrow) uint32_t[kWords]);
    if (!first) return;
    std::unique_ptr<uint32_t[]> second(new (std::nothrow) uint32_t[kWords]);
    if (!second) return;
    exercise(first.get(), second.get());
    first.reset();
    second.reset();
    uint32_t elapsed = platformTicks() - t0;
    if (elapsed >= kTooSlowMs) return;

    float rating = static_cast<float>(kTooSlowMs - elapsed) * kRatingPerMs;
    appFlags.mmxAvailable = hasVectorUnit();
    if (appFlags.mmxAvailable) rating += 1.0f;
    if (rating > kMaxRating) rating = kMaxRating;
    debugLogf("Processor Speed Rating = %2.1f\r\n", static_cast<double>(rating));
}
