#include "seeds.h"

#include <cmath>
#include <cstring>
#include <string>

#include "app/runner_script.h"
#include "assets/eye_writer.h"
#include "assets/lfl_writer.h"
#include "assets/noi_format.h"
#include "audio/adpcm.h"
#include "fuzz_support.h"
#include "script_writer.h"
#include "shell/game_state.h"

namespace {

using Bytes = std::vector<uint8_t>;

// ---- building blocks -------------------------------------------------------------

void append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

void put16(Bytes& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(Bytes& out, uint32_t v) {
    put16(out, v);
    put16(out, v >> 16);
}

void putF32(Bytes& out, float f) {
    uint32_t v;
    std::memcpy(&v, &f, sizeof v);
    put32(out, v);
}

// A soft-cornered picture: transparent corners, a half-opaque cross, colour
// ramps; `gap` clears a band of columns so rows hold long skip runs.
std::vector<uint32_t> picture(int w, int h, int gapFrom = 0, int gapTo = 0) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool corner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
            const bool gap = x >= gapFrom && x < gapTo;
            const uint32_t a = corner || gap ? 0 : (x == 2 || y == 2) ? 0x80 : 0xFF;
            px[size_t(y) * w + x] =
                a << 24 | uint32_t(x * 9 & 0xFF) << 16 | uint32_t(y * 7 & 0xFF) << 8 | 0x33;
        }
    return px;
}

// ---- image positions (see positionFrom) --------------------------------------------

Bytes pixelSpot(int16_t x, int16_t y, int8_t hx = 0, int8_t hy = 0) {
    Bytes b{0};
    put16(b, uint16_t(x));
    put16(b, uint16_t(y));
    b.insert(b.end(), {0, 0, 0, 0, uint8_t(hx), uint8_t(hy)});
    return b;
}

// An anchor on the target's edges (-1, 0, 1 each way), shifted by the
// image's half size (-1, 0, 1) and a few pixels.
Bytes edgeSpot(int ax, int ay, int sx, int sy, int8_t dx, int8_t dy) {
    const int code = (ax + 1) + 3 * (ay + 1) + 9 * (sx + 1) + 27 * (sy + 1);
    Bytes b{uint8_t(1 + 3 * code), uint8_t(dx), uint8_t(dy)};
    b.insert(b.end(), {0, 0, 0, 0, 0, 0, 5, uint8_t(-7)});
    return b;
}

Bytes floatSpot(float x, float y) {
    Bytes b{2};
    putF32(b, x);
    putF32(b, y);
    b.insert(b.end(), {100, 100});
    return b;
}

Bytes spots(const std::vector<Bytes>& list) {
    Bytes out;
    for (const Bytes& s : list) append(out, s);
    return out;
}

// ---- sounds --------------------------------------------------------------------------

std::vector<int16_t> tone(uint32_t frames, int channels, double cyclesPerFrame) {
    std::vector<int16_t> s(size_t(frames) * channels);
    for (uint32_t f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            s[size_t(f) * channels + c] =
                int16_t(12000 * std::sin(f * cyclesPerFrame * 6.283185 * (c + 1)));
    return s;
}

Bytes noiPcm16(uint16_t channels, uint32_t rate, uint32_t frames) {
    const auto s = tone(frames, channels, 0.01);
    Bytes samples(s.size() * 2);
    std::memcpy(samples.data(), s.data(), samples.size());
    return writeNoi({kNoiCodingPcm, channels, rate, 0, 0, 16, 0}, samples);
}

Bytes noiPcm8(uint16_t channels, uint32_t rate, uint32_t frames) {
    const auto s = tone(frames, channels, 0.03);
    Bytes samples(s.size());
    for (size_t i = 0; i < s.size(); ++i) samples[i] = uint8_t((s[i] >> 8) + 128);
    return writeNoi({kNoiCodingPcm, channels, rate, 0, 0, 8, 0}, samples);
}

Bytes noiAdpcm(uint16_t channels, uint32_t rate, uint32_t frames) {
    const auto codes = adpcmEncode(tone(frames, channels, 0.02), channels);
    return writeNoi({kNoiCodingAdpcm, channels, rate, 0, 0, 16, 0}, codes);
}

// Output format, loop flag, volume, ten clock steps, then the payload.
Bytes soundInput(uint8_t spec, bool loop, float volume, const Bytes& steps, const Bytes& noi) {
    Bytes b{spec, uint8_t(loop)};
    putF32(b, volume);
    Bytes padded(steps);
    padded.resize(10, 0);
    append(b, padded);
    append(b, noi);
    return b;
}

// ---- runner scripts ----------------------------------------------------------------------

kwScriptAction action(uint32_t at, kwActionKind kind) {
    kwScriptAction a;
    a.at = at;
    a.kind = kind;
    return a;
}

kwScriptAction at(uint32_t ms, kwActionKind kind, int x, int y) {
    kwScriptAction a = action(ms, kind);
    a.x = x;
    a.y = y;
    return a;
}

kwScriptAction typed(uint32_t ms, kwActionKind kind, const std::string& text) {
    kwScriptAction a = action(ms, kind);
    a.text = text;
    return a;
}

kwScriptAction key(uint32_t ms, kwKey k) {
    kwScriptAction a = action(ms, kwActionKind::Key);
    a.key = k;
    return a;
}

kwScriptAction focus(uint32_t ms, bool on) {
    kwScriptAction a = action(ms, kwActionKind::Focus);
    a.on = on;
    return a;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// ---- settings records --------------------------------------------------------------------

Bytes savedRecord() {
    setSettingsFolder(fuzzScratchFolder() + "/seeds");
    saveSettingsRecord();
    Bytes b = fuzzReadFile(fuzzScratchPath("seeds", kSettingsFileName));
    setSettingsFolder("");
    return b;
}

void name(char* field, const char* text) {
    std::memset(field, 0, kPlayerNameSize);
    std::memcpy(field, text, strnlen(text, kMaxPlayerNameLength));
}

}  // namespace

std::vector<kwFuzzInput> archiveSeeds() {
    const Bytes small = {1, 2, 3, 4, 5};
    const auto pic = picture(6, 5);
    // Archive length, archive, then the loose file.
    auto input = [](const std::vector<Bytes>& records, const Bytes& loose) {
        Bytes archive;
        for (const Bytes& r : records) append(archive, r);
        Bytes b;
        put16(b, uint32_t(archive.size()));
        append(b, archive);
        append(b, loose);
        return b;
    };
    const Bytes image = lflRecord("a.eye", encodeEyeRle(pic.data(), 6, 5));
    return {
        input({image, lflRecord("B.bin", small), lflRecord("A.EYE", small)}, small),
        input({lflRecord("only.bin", small)}, lflRecord("LOOSE.bin", small)),
        input({lflRecord("empty", {})}, lflRecord("other.bin", small)),
        input({lflRecord("loose.bin", small), image}, {}),
        input({}, Bytes(36, 0)),
    };
}

std::vector<kwFuzzInput> imageSeeds() {
    const auto pic = picture(9, 7);
    const auto wide = picture(300, 3, 20, 290);  // skips longer than one run byte
    const Bytes rle = encodeEyeRle(pic.data(), 9, 7);
    const Bytes mask = encodeMask(pic.data(), 9, 7);
    kwEyeOptions deep;
    deep.bpp = 24;
    kwEyeOptions deepest;
    deepest.bpp = 32;
    deepest.x = 390;
    const Bytes around =
        spots({pixelSpot(0, 0, 3, -2), edgeSpot(-1, 0, 0, 0, 0, 0), edgeSpot(1, 1, 1, 1, -1, 1),
               edgeSpot(0, -1, -1, 1, 2, 0), pixelSpot(-5000, 7000), floatSpot(NAN, 1e30f)});
    const Bytes corners = spots({edgeSpot(-1, 1, -1, -1, 1, -1), edgeSpot(1, -1, 1, 1, 0, 0),
                                 edgeSpot(-1, -1, 0, 0, 5, 5), edgeSpot(1, 1, -1, -1, -3, 3),
                                 floatSpot(399.5f, -299.5f), pixelSpot(12, -34, 127, -128)});
    // Two displays, flags, class order, two opacities, mask length, spots, payload.
    auto input = [](Bytes control, const Bytes& at, const Bytes& payload, size_t maskBytes = 0) {
        put16(control, uint32_t(maskBytes));
        append(control, at);
        append(control, payload);
        return control;
    };
    Bytes masked = rle;
    append(masked, mask);
    // Three pixels, the first transparent: its run-length payload is also a
    // valid plain one, so the plain classes convert it as pixels where the
    // run-length ones see runs.
    const std::vector<uint32_t> both = {0, 0xFF123456, 0xFF654321};
    const Bytes centre = spots({pixelSpot(0, 0), pixelSpot(1, 0, 40, 0), pixelSpot(-1, 0, 20, 0),
                                pixelSpot(0, 0), pixelSpot(2, 0, 60, 0), pixelSpot(0, 0, 40, 0)});
    return {
        input({1, 1, 0x0C, 26, 0xFF, 0xFF}, centre, encodeEyeRle(both.data(), 3, 1)),
        input({0, 1, 0x05, 7, 10, 200}, around, masked, mask.size()),
        input({1, 6, 0x06, 100, 0x90, 0x70}, corners, encodeEyeRaw(pic.data(), 9, 7)),
        input({7, 0, 0x0D, 3, 3, 128}, around, encodeEyeRle(pic.data(), 9, 7, deep)),
        input({0, 7, 0x04, 119, 0xFF, 0x01}, corners, encodeEyeRaw(pic.data(), 9, 7, deep)),
        input({3, 6, 0x05, 50, 0, 60}, corners, encodeEyeRle(wide.data(), 300, 3, deepest)),
    };
}

std::vector<kwFuzzInput> maskSeeds() {
    const auto pic = picture(9, 7);
    const auto wide = picture(280, 2, 10, 275);
    kwEyeOptions deep;
    deep.bpp = 32;
    const Bytes around = spots({pixelSpot(0, 0, 3, -2), edgeSpot(-1, 1, 0, 0, 1, -1),
                                edgeSpot(1, -1, 1, -1, 0, 0), floatSpot(-400.5f, 0)});
    // Two displays, flags, image length, spots, image, mask.
    auto input = [&](Bytes control, const Bytes& image, const Bytes& mask) {
        put16(control, uint32_t(image.size()));
        append(control, around);
        append(control, image);
        append(control, mask);
        return control;
    };
    return {
        input({0, 1, 0x3D}, encodeEyeRle(pic.data(), 9, 7), encodeMask(pic.data(), 9, 7)),
        input({1, 7, 0x16}, encodeEyeRle(pic.data(), 9, 7, deep), encodeMask(pic.data(), 9, 7)),
        input({6, 0, 0x2F}, encodeEyeRle(wide.data(), 280, 2), encodeMask(wide.data(), 280, 2)),
    };
}

std::vector<kwFuzzInput> soundSeeds() {
    // Step bytes: runs of frames (low bits: how many, high bits: how long)
    // below 0xF0, then replays, then stops.
    const Bytes walk = {0x3F, 0x3F, 0x3F, 0xF1, 0x3F, 0x3F, 0xF8, 0xF0, 0x3F, 0x3F};
    const Bytes longWalk = {0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF, 0xEF};
    return {
        soundInput(0, false, 1.0f, walk, noiPcm16(1, 8000, 600)),
        soundInput(0x18, true, 0.5f, walk, noiPcm8(2, 22050, 700)),
        soundInput(2, false, 0.1f, walk, noiAdpcm(1, 11025, 2000)),
        soundInput(3, true, 1.0f, longWalk, noiAdpcm(2, 1000, 1500)),   // streamed, loops
        soundInput(6, false, 0.8f, longWalk, noiAdpcm(1, 2001, 3001)),  // streamed, odd half
    };
}

std::vector<kwFuzzInput> settingsSeeds() {
    std::vector<kwFuzzInput> seeds;
    gameState = kwGameState{};
    seeds.push_back(savedRecord());
    gameState.playerCount = 3;
    gameState.highestLevel = 16;
    gameState.speedFactor = 6;
    gameState.playerSkill = {1, 2, 3};
    name(gameState.playerName[0], "abcdefghij");
    name(gameState.playerName[1], "");
    name(gameState.playerName[2], "Ann");
    gameState.musicVolume = 0;
    gameState.soundVolume = 10;
    gameState.highScores.records[0].setRecord("Best Ever!", 3, 16, 2000000);
    gameState.highScores.records[4].setRecord("", 1, 1, 0);
    seeds.push_back(savedRecord());
    Bytes longer = seeds.back();
    longer.push_back(0);
    seeds.push_back(longer);
    gameState = kwGameState{};
    return seeds;
}

std::vector<kwFuzzInput> scriptSeeds() {
    using K = kwActionKind;
    const std::vector<kwScriptAction> menuWalk = {
        at(1500, K::Move, 400, 340),
        at(1700, K::Click, 95, 145),
        at(1800, K::RightClick, 0, 599),
        typed(2000, K::Screenshot, "shots/menu.png"),
        key(2100, kwKey::Escape),
        key(2150, kwKey::Left),
        key(2160, kwKey::Right),
        key(2170, kwKey::Delete),
        typed(2200, K::Chars, "Ann\b\bna\r\t\\#1"),
        focus(2300, false),
        focus(2400, true),
        typed(2500, K::Dump, "state.json"),
        action(4294967295u, K::Quit),
    };
    return {
        text(writeRunnerScript(menuWalk)),
        text("# a comment line\n\n  \t\r\n300 click 10 20  # left\n200 move 799 0\r\n"
             "250 char a # b\n250 char x\n"),
        text("0 quit\n10 jump 1 2\n"),
    };
}
