// A system font at a character height, with a small cache of rasterised
// strings: a menu redraws the same few texts every frame, and rasterising
// them again each time would cost more than everything else drawn.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

class kwFont {
public:
    static constexpr int32_t kFaceNameSize = 256;
    // The high-score panel alone draws twenty different texts a frame with
    // one font; room for those and the odd label beside them.
    static constexpr int32_t kCacheCapacity = 32;
    static constexpr int32_t kMaxTextLength = 255;

    // Opens the face; a face that cannot be opened leaves `handle` null
    // (logged once): its texts measure 0 and are not drawn.
    kwFont(int32_t height, const char* faceName);
    ~kwFont();
    kwFont(const kwFont&) = delete;
    kwFont& operator=(const kwFont&) = delete;

    // The width in pixels of `s` in this font (0 without a face).
    int32_t textWidth(const char* s);
    int32_t getHeight() const { return height; }

    // The rasterised text, from the cache or freshly made (at most 255
    // characters are used); null without a face or when rasterising fails.
    // Valid until the next call on this font.
    const kwTextCoverage* coverage(const char* s);
    // Strings rasterised so far (cache misses), for tests and benchmarks.
    int32_t rasterCount() const { return rasterised; }
    // Logs once per font that its texts are not drawn; true the first time.
    bool reportMissingFace();

    kwFontFace* handle = nullptr;
    int32_t height = 0;
    int32_t width = 0, escapement = 0;
    int32_t weight = 0;  // the system's default weight
    uint8_t italic = 0, underline = 0, strikeOut = 0;
    uint8_t charSet = 1;  // DEFAULT_CHARSET
    uint8_t outPrecision = 0, clipPrecision = 0;
    uint8_t quality = 2;  // PROOF_QUALITY: anti-aliased
    uint8_t pitchAndFamily = 0;
    char faceName[kFaceNameSize] = "";

private:
    struct CachedText {
        std::array<char, kMaxTextLength + 1> text{};
        int32_t length = -1;  // -1: empty slot
        uint32_t hash = 0;
        uint64_t lastUse = 0;
        std::vector<uint8_t> pixels;
        kwTextCoverage coverage;
    };

    CachedText* find(const char* s, int32_t length, uint32_t hash);
    CachedText* leastRecentlyUsed();
    const kwTextCoverage* rasterise(const char* s, int32_t length, uint32_t hash);

    const kwPlatform* backend = nullptr;  // the one that opened the face closes it
    std::array<CachedText, kCacheCapacity> cache;
    uint64_t useClock = 0;
    int32_t rasterised = 0;
    bool reportedMissing = false;
    bool reportedRasterFailure = false;
};
