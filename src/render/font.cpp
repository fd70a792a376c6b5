// kwFont: the platform's face plus a least-recently-used cache of rasterised
// strings. A hit costs a hash and a compare; only a miss asks the platform
// to rasterise, and the slot's buffer keeps its capacity, so a frame that
// redraws known texts allocates nothing.
#include "render/font.h"

#include <cstdio>
#include <cstring>

#include "shell/log.h"

namespace {

constexpr uint32_t kFnvOffset = 2166136261u, kFnvPrime = 16777619u;

int32_t boundedLength(const char* s) {
    int32_t n = 0;
    while (n < kwFont::kMaxTextLength && s[n]) ++n;
    return n;
}

uint32_t hashText(const char* s, int32_t length) {
    uint32_t h = kFnvOffset;
    for (int32_t i = 0; i < length; ++i) h = (h ^ uint8_t(s[i])) * kFnvPrime;
    return h;
}

}  // namespace

kwFont::kwFont(int32_t height_, const char* faceName_) : height(height_) {
    std::snprintf(faceName, sizeof faceName, "%s", faceName_ ? faceName_ : "");
    backend = &platform();
    if (backend->openFont) handle = backend->openFont(faceName, height);
    if (!handle) debugFail("kwFont::kwFont - cannot open the face", faceName);
}

kwFont::~kwFont() {
    if (handle && backend->closeFont) backend->closeFont(handle);
}

int32_t kwFont::textWidth(const char* s) {
    if (!handle || !s || !backend->textWidth) return 0;
    const int32_t length = boundedLength(s);
    if (!s[length]) {
        if (CachedText* hit = find(s, length, hashText(s, length))) return hit->coverage.advance;
    }
    return backend->textWidth(handle, s);
}

const kwTextCoverage* kwFont::coverage(const char* s) {
    if (!handle || !backend->renderText) return nullptr;
    if (!s) s = "";
    const int32_t length = boundedLength(s);
    const uint32_t hash = hashText(s, length);
    if (CachedText* hit = find(s, length, hash)) {
        hit->lastUse = ++useClock;
        return &hit->coverage;
    }
    return rasterise(s, length, hash);
}

bool kwFont::reportMissingFace() {
    if (reportedMissing) return false;
    reportedMissing = true;
    debugFail("kwText::draw - the font has no face, its texts are not drawn", faceName);
    return true;
}

kwFont::CachedText* kwFont::find(const char* s, int32_t length, uint32_t hash) {
    for (CachedText& c : cache) {
        if (c.length == length && c.hash == hash && !std::memcmp(c.text.data(), s, size_t(length)))
            return &c;
    }
    return nullptr;
}

kwFont::CachedText* kwFont::leastRecentlyUsed() {
    CachedText* oldest = &cache[0];
    for (CachedText& c : cache) {
        if (c.length < 0) return &c;
        if (c.lastUse < oldest->lastUse) oldest = &c;
    }
    return oldest;
}

const kwTextCoverage* kwFont::rasterise(const char* s, int32_t length, uint32_t hash) {
    CachedText* slot = leastRecentlyUsed();
    slot->length = -1;  // empty until it holds the new text
    std::memcpy(slot->text.data(), s, size_t(length));
    slot->text[size_t(length)] = '\0';
    ++rasterised;
    kwTextCoverage made;
    const bool ok = backend->renderText(handle, slot->text.data(), &made) && made.width >= 0 &&
                    made.height >= 0 && (!made.pixels || made.pitch >= made.width);
    if (!ok) {
        if (!reportedRasterFailure) debugFail("kwFont::coverage - cannot rasterise", faceName);
        reportedRasterFailure = true;
        return nullptr;
    }
    // Keep a tight copy: the platform's pixels last only until its next call.
    const size_t rowBytes = size_t(made.width > 0 ? made.width : 0);
    const size_t rows = size_t(made.height > 0 ? made.height : 0);
    slot->pixels.resize(rowBytes * rows);
    for (size_t r = 0; made.pixels && r < rows; ++r)
        std::memcpy(slot->pixels.data() + r * rowBytes, made.pixels + r * size_t(made.pitch),
                    rowBytes);
    slot->coverage = made;
    slot->coverage.pixels = made.pixels ? slot->pixels.data() : nullptr;
    slot->coverage.pitch = int(rowBytes);
    slot->length = length;
    slot->hash = hash;
    slot->lastUse = ++useClock;
    return &slot->coverage;
}
