// The blitters beside SDL2's SDL_BlitSurface on the same pixels and the same
// 800x600 RGB565 target, in one process. Each pair is named BM_<Case>/ours
// and BM_<Case>/sdl and reports megapixels per second ("Mpix/s"), so a
// script can divide one by the other.
//
// SDL runs at its best: RLE acceleration on, the colour key or alpha set the
// way its fastest path wants, opaque sources converted to RGB565 once, and a
// first blit (which builds SDL's RLE encoding) outside the timed loop. Ours
// runs as the game does on this machine, with the vector blend rows on.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "assets/eye_writer.h"
#include "assets/linked_file.h"
#include "assets/pixel_format.h"
#include "render/blit.h"
#include "render/eye.h"
#include "render/layered_sprite.h"
#include "render/render_target.h"
#include "shell/flags.h"

namespace {

constexpr int kFrameW = 800, kFrameH = 600;
constexpr int kSprite = 56;               // piece art size
constexpr int kCell = 48;                 // board cell
constexpr int kColumns = 16, kRows = 11;  // 176 pieces on a full board
constexpr uint8_t kConstantOpacity = 128;
constexpr float kRimWidth = 2.0f;  // anti-aliased edge, in pixels

// ---- pictures ----------------------------------------------------------------

// A round fruit with a soft, anti-aliased rim: about two thirds of the
// square opaque, the corners transparent, shaded so runs are not uniform.
std::vector<uint32_t> fruit() {
    std::vector<uint32_t> out(size_t(kSprite) * kSprite);
    const float c = (kSprite - 1) / 2.0f, radius = kSprite / 2.0f - 1.5f;
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x) {
            const float d = std::hypot(x - c, y - c);
            const float edge = radius - d;
            const int a = edge >= kRimWidth ? 255 : edge <= 0 ? 0 : int(edge / kRimWidth * 255);
            const int shade = 255 - int(d * 3);
            const uint32_t rgb = uint32_t(shade) << 16 | uint32_t(shade / 2 + (x & 7)) << 8 |
                                 uint32_t(40 + (y & 15));
            out[size_t(y) * kSprite + x] = uint32_t(a) << 24 | rgb;
        }
    return out;
}

// The game's layered sprite splits that picture: the soft rim goes to the
// masked alpha layer, the opaque body to the run-length base layer.
std::vector<uint32_t> onlyAlpha(const std::vector<uint32_t>& pic, bool rim) {
    std::vector<uint32_t> out(pic);
    for (uint32_t& p : out) {
        const uint32_t a = p >> 24;
        const bool keep = rim ? (a > 0 && a < 255) : a == 255;
        if (!keep) p = 0;
    }
    return out;
}

std::vector<uint32_t> background() {
    std::vector<uint32_t> out(size_t(kFrameW) * kFrameH);
    for (int y = 0; y < kFrameH; ++y)
        for (int x = 0; x < kFrameW; ++x)
            out[size_t(y) * kFrameW + x] = 0xFF000000u | uint32_t(x * 255 / kFrameW) << 16 |
                                           uint32_t(y * 255 / kFrameH) << 8 | 0x40;
    return out;
}

// ---- our side ------------------------------------------------------------------

std::unique_ptr<kwLinkedFile> record(const std::vector<uint8_t>& payload, const char* name) {
    return makeLinkedFile(name, payload);
}

struct OurFrame {
    std::vector<uint16_t> pixels = std::vector<uint16_t>(size_t(kFrameW) * kFrameH, 0x2104);

    OurFrame() {
        appFlags.mmxAvailable = true;
        pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
        screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(pixels.data()), kFrameW * 2, kFrameW,
                                    kFrameH};
        targetScreen();
    }
};

// Draws once outside the timed loop, which converts and checks the payload.
void ready(kwEye& eye, float x, float y) {
    eye.x = x;
    eye.y = y;
    eye.place();
    eye.draw();
}

void runOurs(benchmark::State& state, kwEye& eye, int64_t pixelsPerDraw) {
    ready(eye, 0, 0);
    for (auto _ : state) {
        eye.place();
        eye.draw();
        benchmark::ClobberMemory();
    }
    state.counters["Mpix/s"] = benchmark::Counter(double(state.iterations() * pixelsPerDraw) / 1e6,
                                                  benchmark::Counter::kIsRate);
}

// ---- SDL's side ------------------------------------------------------------------

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

Surface argbSurface(const std::vector<uint32_t>& pic, int w, int h) {
    Surface s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    for (int y = 0; y < h; ++y)
        std::memcpy(static_cast<uint8_t*>(s->pixels) + y * s->pitch, &pic[size_t(y) * w],
                    size_t(w) * 4);
    return s;
}

Surface sdlFrame() {
    return Surface(SDL_CreateRGBSurfaceWithFormat(0, kFrameW, kFrameH, 16, SDL_PIXELFORMAT_RGB565));
}

// An opaque picture converted to RGB565 once; transparent pixels become a
// colour key the picture itself never uses.
Surface keyed565(const std::vector<uint32_t>& pic, int w, int h, SDL_Surface* target) {
    constexpr uint32_t kKey = 0xFFFF00FFu;  // magenta, not in the fruit's palette
    std::vector<uint32_t> keyed(pic);
    for (uint32_t& p : keyed)
        if ((p >> 24) == 0) p = kKey;
    Surface argb = argbSurface(keyed, w, h);
    Surface s(SDL_ConvertSurface(argb.get(), target->format, 0));
    SDL_SetColorKey(s.get(), SDL_TRUE | SDL_RLEACCEL, SDL_MapRGB(s->format, 0xFF, 0x00, 0xFF));
    return s;
}

void runSdl(benchmark::State& state, SDL_Surface* src, SDL_Surface* dst, int64_t pixelsPerBlit) {
    SDL_Rect at{(kFrameW - src->w) / 2, (kFrameH - src->h) / 2, src->w, src->h};
    SDL_Rect copy = at;
    SDL_BlitSurface(src, nullptr, dst, &copy);  // builds the RLE encoding
    for (auto _ : state) {
        copy = at;
        SDL_BlitSurface(src, nullptr, dst, &copy);
        benchmark::ClobberMemory();
    }
    state.counters["Mpix/s"] = benchmark::Counter(double(state.iterations() * pixelsPerBlit) / 1e6,
                                                  benchmark::Counter::kIsRate);
}

constexpr int64_t kSpritePixels = int64_t{kSprite} * kSprite;

// ---- the pairs ---------------------------------------------------------------------

void rleCopyOurs(benchmark::State& state) {
    OurFrame frame;
    const auto pic = fruit();
    auto f = record(encodeEyeRle(pic.data(), kSprite, kSprite), "fruit.eye");
    kwEyeTransparency eye;
    eye.setLinkedFile(f.get());
    runOurs(state, eye, kSpritePixels);
}

void rleCopySdl(benchmark::State& state) {
    Surface dst = sdlFrame();
    Surface src = keyed565(fruit(), kSprite, kSprite, dst.get());
    runSdl(state, src.get(), dst.get(), kSpritePixels);
}

void constantOurs(benchmark::State& state) {
    OurFrame frame;
    const auto pic = fruit();
    auto f = record(encodeEyeRle(pic.data(), kSprite, kSprite), "fruit.eye");
    kwEyeTransparencyConstantAlpha eye;
    eye.setLinkedFile(f.get());
    eye.Opacity(kConstantOpacity);
    runOurs(state, eye, kSpritePixels);
}

void constantSdl(benchmark::State& state) {
    Surface dst = sdlFrame();
    Surface src = keyed565(fruit(), kSprite, kSprite, dst.get());
    SDL_SetSurfaceAlphaMod(src.get(), kConstantOpacity);
    SDL_SetSurfaceBlendMode(src.get(), SDL_BLENDMODE_BLEND);
    runSdl(state, src.get(), dst.get(), kSpritePixels);
}

void maskOurs(benchmark::State& state) {
    OurFrame frame;
    const auto pic = fruit();
    auto f = record(encodeEyeRle(pic.data(), kSprite, kSprite), "fruit.eye");
    auto m = record(encodeMask(pic.data(), kSprite, kSprite), "fruit.msk");
    kwAlphaMask mask;
    mask.setLinkedFile(m.get());
    kwEyeTransparencyMaskedAlpha eye;
    eye.setLinkedFile(f.get());
    eye.setMask(&mask);
    runOurs(state, eye, kSpritePixels);
}

void maskSdl(benchmark::State& state) {
    Surface dst = sdlFrame();
    Surface src = argbSurface(fruit(), kSprite, kSprite);
    SDL_SetSurfaceBlendMode(src.get(), SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceRLE(src.get(), 1);
    runSdl(state, src.get(), dst.get(), kSpritePixels);
}

void plainOurs(benchmark::State& state) {
    OurFrame frame;
    const auto pic = fruit();
    auto f = record(encodeEyeRaw(pic.data(), kSprite, kSprite), "square.eye");
    kwEyeRaw eye;
    eye.setLinkedFile(f.get());
    runOurs(state, eye, kSpritePixels);
}

void plainSdl(benchmark::State& state) {
    Surface dst = sdlFrame();
    Surface argb = argbSurface(fruit(), kSprite, kSprite);
    Surface src(SDL_ConvertSurface(argb.get(), dst->format, 0));
    SDL_SetSurfaceBlendMode(src.get(), SDL_BLENDMODE_NONE);
    runSdl(state, src.get(), dst.get(), kSpritePixels);
}

// ---- a whole frame -----------------------------------------------------------------

constexpr int64_t kFramePixels = int64_t{kFrameW} * kFrameH + kColumns * kRows * kSpritePixels;

// Scene position of board cell (c, r), centre origin, y up.
float cellX(int c) {
    return float(-kColumns * kCell / 2 + c * kCell + kCell / 2);
}
float cellY(int r) {
    return float(kRows * kCell / 2 - r * kCell - kCell / 2);
}

void frameOurs(benchmark::State& state) {
    OurFrame frame;
    const auto pic = fruit();
    const auto base = onlyAlpha(pic, false), rim = onlyAlpha(pic, true);
    const auto bg = background();
    kwLinkedFileList list;
    list.append(record(encodeEyeRle(base.data(), kSprite, kSprite), "b.eye").release());
    list.append(record(encodeEyeRle(rim.data(), kSprite, kSprite), "a.eye").release());
    list.append(record(encodeMask(rim.data(), kSprite, kSprite), "a.msk").release());
    list.append(record(encodeEyeRaw(bg.data(), kFrameW, kFrameH), "bg.eye").release());
    kwLayeredSprite sprite("b.eye", "a.eye", "a.msk", &list);
    kwEyeRaw backdrop;
    backdrop.setLinkedFile(list.find("bg.eye"));
    ready(backdrop, 0, 0);
    sprite.draw();
    for (auto _ : state) {
        targetScreen();
        if (backdrop.place()) backdrop.draw();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                sprite.x = cellX(c);
                sprite.y = cellY(r);
                sprite.draw();
            }
        benchmark::ClobberMemory();
    }
    state.counters["Mpix/s"] = benchmark::Counter(double(state.iterations() * kFramePixels) / 1e6,
                                                  benchmark::Counter::kIsRate);
}

void frameSdl(benchmark::State& state) {
    Surface dst = sdlFrame();
    const auto pic = fruit();
    Surface bgArgb = argbSurface(background(), kFrameW, kFrameH);
    Surface bg(SDL_ConvertSurface(bgArgb.get(), dst->format, 0));
    SDL_SetSurfaceBlendMode(bg.get(), SDL_BLENDMODE_NONE);
    Surface base = keyed565(onlyAlpha(pic, false), kSprite, kSprite, dst.get());
    Surface rim = argbSurface(onlyAlpha(pic, true), kSprite, kSprite);
    SDL_SetSurfaceBlendMode(rim.get(), SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceRLE(rim.get(), 1);
    auto drawFrame = [&] {
        SDL_BlitSurface(bg.get(), nullptr, dst.get(), nullptr);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                SDL_Rect at{int(cellX(c)) + kFrameW / 2 - kSprite / 2,
                            kFrameH / 2 - kSprite / 2 - int(cellY(r)), kSprite, kSprite};
                SDL_Rect copy = at;
                SDL_BlitSurface(rim.get(), nullptr, dst.get(), &copy);
                copy = at;
                SDL_BlitSurface(base.get(), nullptr, dst.get(), &copy);
            }
    };
    drawFrame();
    for (auto _ : state) {
        drawFrame();
        benchmark::ClobberMemory();
    }
    state.counters["Mpix/s"] = benchmark::Counter(double(state.iterations() * kFramePixels) / 1e6,
                                                  benchmark::Counter::kIsRate);
}

void registerPairs() {
    struct Pair {
        const char* name;
        void (*ours)(benchmark::State&);
        void (*sdl)(benchmark::State&);
    };
    const Pair pairs[] = {
        {"BM_RleCopy", rleCopyOurs, rleCopySdl}, {"BM_ConstantAlpha", constantOurs, constantSdl},
        {"BM_MaskBlend", maskOurs, maskSdl},     {"BM_PlainCopy", plainOurs, plainSdl},
        {"BM_Frame176", frameOurs, frameSdl},
    };
    for (const Pair& p : pairs) {
        benchmark::RegisterBenchmark((std::string(p.name) + "/ours").c_str(), p.ours);
        benchmark::RegisterBenchmark((std::string(p.name) + "/sdl").c_str(), p.sdl);
    }
}

// Registered before main runs, beside every other benchmark file's.
[[maybe_unused]] const bool kRegistered = [] {
    registerPairs();
    benchmark::AddCustomContext("blend rows", blitVectorPath());
    return true;
}();

}  // namespace
