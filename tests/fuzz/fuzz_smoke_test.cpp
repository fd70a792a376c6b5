// Every fuzz target over its seeds and a fixed set of deterministic
// mutations (bit flips, overwritten length fields, truncations), so each
// test run, and the sanitizer run above all, exercises the refusal paths
// without needing libFuzzer.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "fuzz_entry.h"
#include "seeds.h"
#include "shell/log.h"

namespace {

constexpr int kMutationsPerSeed = 400;

kwFuzzInput mutate(const kwFuzzInput& seed, std::mt19937& rng, size_t protect) {
    kwFuzzInput m(seed);
    if (m.size() <= protect) return m;
    std::uniform_int_distribution<size_t> at(protect, m.size() - 1);
    switch (rng() % 5) {
        case 0: m[at(rng)] ^= uint8_t(1u << (rng() % 8)); break;
        case 1: m[at(rng)] = uint8_t(rng()); break;
        case 2: {  // a plausible-looking but wrong 32-bit field
            const size_t p = at(rng) & ~size_t(3);
            const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, uint32_t(m.size()), 36};
            const uint32_t v = values[rng() % std::size(values)];
            for (size_t k = 0; k < 4 && p + k < m.size(); ++k) m[p + k] = uint8_t(v >> (8 * k));
            break;
        }
        case 3: m.resize(at(rng)); break;
        default: m.insert(m.begin() + ptrdiff_t(at(rng)), size_t(rng() % 9), uint8_t(rng())); break;
    }
    return m;
}

void runAll(const std::function<int(const uint8_t*, size_t)>& target,
            const std::vector<kwFuzzInput>& seeds, size_t protect) {
    std::mt19937 rng(20261206);
    for (const kwFuzzInput& seed : seeds) {
        target(seed.data(), seed.size());
        for (int i = 0; i < kMutationsPerSeed; ++i) {
            kwFuzzInput m = mutate(seed, rng, protect);
            // Stack mutations now and then, so damage combines.
            if (i % 3 == 0) m = mutate(m, rng, protect);
            target(m.data(), m.size());
        }
    }
    // Degenerate inputs.
    target(nullptr, 0);
    const uint8_t one = 0;
    target(&one, 1);
}

// Refusals are logged; thousands of them would drown the test output.
class FuzzSmoke : public ::testing::Test {
protected:
    void SetUp() override { logOpen(nullptr); }
};

}  // namespace

TEST_F(FuzzSmoke, ArchivesNeverCrash) {
    runAll(fuzzArchive, archiveSeeds(), 0);
}

TEST_F(FuzzSmoke, ImagesNeverCrashOrDrawOutsideTheFrame) {
    runAll(fuzzImage, imageSeeds(), 0);
}

TEST_F(FuzzSmoke, MasksFollowTheirImagesOrAreRefused) {
    runAll(fuzzMask, maskSeeds(), 0);
}

TEST_F(FuzzSmoke, SoundsPlayWhatTheirPayloadsHoldOrStaySilent) {
    runAll(fuzzSound, soundSeeds(), 0);
}

TEST_F(FuzzSmoke, SettingsRecordsLoadWithinTheRulesAndSaveTheSame) {
    runAll(fuzzSettings, settingsSeeds(), 0);
}

TEST_F(FuzzSmoke, ScriptsParseToPerformableActionsOrNameTheirLine) {
    runAll(fuzzScript, scriptSeeds(), 0);
}
