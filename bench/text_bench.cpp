// The high-score panel's twenty texts (five rows of name, level, skill word
// and score, "Arial" 36, centred, with a shadow) drawn into an 800x600
// RGB565 frame, once per iteration. Ours draws through kwText and the font's
// cache, so after the first frame nothing is rasterised again; SDL's side is
// what a game without a cache would do at its best: TTF_RenderText_Blended
// once per text in white, then two SDL_BlitSurface calls with a colour
// modulation for the shadow and the text. Reported in ms per frame.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/sdl/ttf_text.h"
#include "render/font.h"
#include "render/render_target.h"
#include "render/text.h"

namespace {

constexpr int kFrameW = 800, kFrameH = 600;
constexpr int kFaceHeight = 36;
constexpr int kRows = 5;
constexpr int kRowTop = -10, kRowStep = 32;
constexpr std::array<float, 4> kColumnX = {-222, -61, 57, 205};  // name, level, skill, score
constexpr SDL_Color kTextColor{0, 235, 110, 255}, kShadowColor{0, 170, 80, 255};
constexpr int kShadowDx = -1, kShadowDy = -2;

struct Row {
    const char* name;
    int level;
    const char* skill;
    int score;
};
// A played table: the skill words and a name repeat, so the twenty texts
// are seventeen different strings, all held by the cache at once.
constexpr std::array<Row, kRows> kTable = {{{"Sparkly", 9, "HARD", 48210},
                                            {"Bramble", 7, "MED.", 31575},
                                            {"Pip", 6, "EASY", 20440},
                                            {"Quince", 5, "MED.", 12980},
                                            {"Sparkly", 4, "EASY", 10000}}};

// The texts of row i, column c, as the panel formats them.
void cellText(int i, int c, char* out, size_t size) {
    const Row& r = kTable[size_t(i)];
    if (c == 0) std::snprintf(out, size, "%s", r.name);
    if (c == 1) std::snprintf(out, size, "%d", r.level);
    if (c == 2) std::snprintf(out, size, "%s", r.skill);
    if (c == 3) std::snprintf(out, size, "%d", r.score);
}

// The time column is ms per frame; frames per second beside it.
void reportFrames(benchmark::State& state) {
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void highScoreTextsOurs(benchmark::State& state) {
    std::vector<uint16_t> frame(size_t(kFrameW) * kFrameH);
    renderTarget = {reinterpret_cast<uint8_t*>(frame.data()), kFrameW * 2, kFrameW, kFrameH};
    kwFont font(kFaceHeight, "Arial");
    kwText text(&font);
    text.setAlign(0, 0);
    text.setColor(kTextColor.r, kTextColor.g, kTextColor.b);
    text.setShadow(true);
    text.setShadowColor(kShadowColor.r, kShadowColor.g, kShadowColor.b);
    text.setShadowOffset(kShadowDx, kShadowDy);
    auto drawPanel = [&] {
        for (int i = 0; i < kRows; ++i)
            for (int c = 0; c < int(kColumnX.size()); ++c) {
                char s[32];
                cellText(i, c, s, sizeof s);
                text.setText(s);
                text.x = kColumnX[size_t(c)];
                text.y = float(kRowTop - kRowStep * i);
                if (text.place()) text.draw();
            }
    };
    drawPanel();  // the first frame rasterises
    for (auto _ : state) {
        drawPanel();
        benchmark::ClobberMemory();
    }
    reportFrames(state);
    state.counters["rasterised"] = font.rasterCount();
    renderTarget = kwRenderTarget{};
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

void blitModulated(SDL_Surface* s, SDL_Surface* dst, int x, int y, SDL_Color c) {
    SDL_SetSurfaceColorMod(s, c.r, c.g, c.b);
    SDL_Rect at{x, y, s->w, s->h};
    SDL_BlitSurface(s, nullptr, dst, &at);
}

void highScoreTextsSdl(benchmark::State& state) {
    char path[1024];
    int index = 0;
    if (TTF_Init() != 0 || !ttfResolveFace("Arial", path, sizeof path, &index)) {
        state.SkipWithError("no font engine or no Arial");
        return;
    }
    TTF_Font* font = TTF_OpenFontIndex(path, kFaceHeight, index);
    Surface dst(SDL_CreateRGBSurfaceWithFormat(0, kFrameW, kFrameH, 16, SDL_PIXELFORMAT_RGB565));
    if (!font || !dst) {
        state.SkipWithError("cannot open the font or the frame");
        return;
    }
    auto drawPanel = [&] {
        for (int i = 0; i < kRows; ++i)
            for (int c = 0; c < int(kColumnX.size()); ++c) {
                char s[32];
                cellText(i, c, s, sizeof s);
                Surface t(TTF_RenderText_Blended(font, s, SDL_Color{255, 255, 255, 255}));
                if (!t) continue;
                const int x = kFrameW / 2 + int(kColumnX[size_t(c)]) - t->w / 2;
                const int y = kFrameH / 2 - (kRowTop - kRowStep * i) - t->h / 2;
                blitModulated(t.get(), dst.get(), x + kShadowDx, y - kShadowDy, kShadowColor);
                blitModulated(t.get(), dst.get(), x, y, kTextColor);
            }
    };
    drawPanel();
    for (auto _ : state) {
        drawPanel();
        benchmark::ClobberMemory();
    }
    reportFrames(state);
    TTF_CloseFont(font);
    TTF_Quit();
}

BENCHMARK(highScoreTextsOurs)->Name("BM_HighScoreTexts/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(highScoreTextsSdl)->Name("BM_HighScoreTexts/sdl")->Unit(benchmark::kMillisecond);

}  // namespace
