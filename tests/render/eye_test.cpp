// The image classes and their blitters against a plain per-pixel reference
// drawer: placement, every clip case at every edge of a small guarded target
// (at 16, 24 and 32 bits, plain and vector rows), the blends' worked
// numbers, opacity limits, masks, hit tests, and payloads that are refused.
#include "render/eye.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <limits>
#include <random>
#include <string>

#include "eye_payloads.h"
#include "render/blit.h"
#include "render/render_target.h"
#include "shell/flags.h"
#include "shell/log.h"

using namespace eyetest;

namespace {

constexpr uint8_t kGuardByte = 0xA5;
constexpr int kGuardBytes = 24;  // each side of every row
constexpr int kGuardRows = 3;    // above and below

// A small target surrounded by guard bytes, with a pitch wider than a row.
struct Target {
    int W, H, B, pitch;
    std::vector<uint8_t> buf;

    Target(int w, int h, int bytes)
        : W(w),
          H(h),
          B(bytes),
          pitch(w * bytes + 2 * kGuardBytes + 6),
          buf(size_t(h + 2 * kGuardRows) * size_t(pitch), kGuardByte) {}

    uint8_t* origin() { return buf.data() + kGuardRows * pitch + kGuardBytes; }
    void bind() { renderTarget = kwRenderTarget{origin(), pitch, W, H}; }

    uint32_t at(int x, int y) {
        const uint8_t* p = origin() + y * pitch + x * B;
        uint32_t v = 0;
        for (int k = 0; k < B; ++k) v |= uint32_t(p[k]) << (8 * k);
        return v;
    }
    void put(int x, int y, uint32_t v) {
        uint8_t* p = origin() + y * pitch + x * B;
        for (int k = 0; k < B; ++k) p[k] = uint8_t(v >> (8 * k));
    }
    void noise(uint32_t seed) {
        std::mt19937 rng(seed);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) put(x, y, rng());
    }
    bool guardsIntact() {
        for (int r = 0; r < H + 2 * kGuardRows; ++r)
            for (int c = 0; c < pitch; ++c) {
                const bool inside = r >= kGuardRows && r < kGuardRows + H && c >= kGuardBytes &&
                                    c < kGuardBytes + W * B;
                if (!inside && buf[size_t(r) * pitch + c] != kGuardByte) return false;
            }
        return true;
    }
};

enum class Mode { Copy, Constant, Masked };

// The formula, written out again independently of the blitters.
uint32_t formula(uint32_t s, uint32_t d, uint32_t a, uint32_t i, int B) {
    const uint32_t m16[3] = {pixelFormat.red.mask, pixelFormat.green.mask, pixelFormat.blue.mask};
    const uint32_t m24[3] = {0xFF0000, 0xFF00, 0xFF};
    const uint32_t* m = B == 2 ? m16 : m24;
    uint32_t r = 0;
    for (int c = 0; c < 3; ++c) r |= (((s & m[c]) * a + (d & m[c]) * i) >> 8) & m[c];
    return r;
}

// What the encoder stores for an ARGB pixel, at the display depth (16 bits
// as 5-6-5; 32 bits with 255 in the fourth byte).
uint32_t stored(uint32_t argb, int B) {
    if (B == 2) return ((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x1F);
    return (argb & 0xFFFFFF) | (B == 4 ? 0xFF000000u : 0);
}

struct Picture {
    std::vector<uint32_t> argb;
    int w, h;
};

// Draws the picture pixel by pixel the slow, obvious way.
void reference(Target& t, const Picture& pic, int left, int top, Mode mode, uint32_t opacity,
               bool runLength) {
    for (int y = 0; y < pic.h; ++y)
        for (int x = 0; x < pic.w; ++x) {
            const uint32_t p = pic.argb[size_t(y) * pic.w + x];
            const int tx = left + x, ty = top + y;
            if ((runLength && (p >> 24) == 0) || tx < 0 || ty < 0 || tx >= t.W || ty >= t.H)
                continue;
            const uint32_t s = stored(p, t.B), d = t.at(tx, ty);
            if (mode == Mode::Copy)
                t.put(tx, ty, s);
            else if (mode == Mode::Constant)
                t.put(tx, ty, formula(s, d, opacity, 255 - opacity, t.B));
            else
                t.put(tx, ty, formula(s, d, p >> 24, 256 - (p >> 24), t.B));
        }
}

// Positions x, y that place a w x h picture's top-left corner at (left, top).
void aim(kwEye& eye, const Target& t, int left, int top) {
    eye.x = float(left - t.W / 2 + eye.width / 2);
    eye.y = float(t.H / 2 - eye.height / 2 - top);
}

class EyeTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedFormat = pixelFormat;
        savedFlags = appFlags;
        logCaptureBegin();
    }
    void TearDown() override {
        pixelFormat = savedFormat;
        appFlags = savedFlags;
        renderTarget = kwRenderTarget{};
        logCaptureEnd();
    }
    void display(int bpp, uint32_t red = 0xF800, uint32_t green = 0x07E0) {
        pixelFormat = makePixelFormat(red, green, 0x001F, bpp);
    }
    kwPixelFormat savedFormat;
    kwAppFlags savedFlags;
};

// One image of each class over the same picture, with its own records.
struct Images {
    std::unique_ptr<kwLinkedFile> rawFile, rleFile, maskFile;
    kwEyeRaw raw;
    kwEyeRawConstantAlpha rawAlpha;
    kwEyeTransparency rle;
    kwEyeTransparencyConstantAlpha rleAlpha;
    kwEyeTransparencyMaskedAlpha masked;
    kwAlphaMask mask;

    Images(const Picture& pic, int bpp) {
        kwEyeOptions o;
        o.bpp = bpp;
        rawFile = record(encodeEyeRaw(pic.argb.data(), pic.w, pic.h, o), "raw.eye");
        rleFile = record(encodeEyeRle(pic.argb.data(), pic.w, pic.h, o), "rle.eye");
        maskFile = record(encodeMask(pic.argb.data(), pic.w, pic.h), "rle.msk");
        raw.setLinkedFile(rawFile.get());
        rawAlpha.setLinkedFile(rawFile.get());
        rle.setLinkedFile(rleFile.get());
        rleAlpha.setLinkedFile(rleFile.get());
        masked.setLinkedFile(rleFile.get());
        mask.setLinkedFile(maskFile.get());
        masked.setMask(&mask);
    }
};

struct Case {
    const char* name;
    kwEye* eye;
    Mode mode;
    bool runLength;
};

void sweep(const Picture& pic, int bpp, bool fast, uint32_t opacity) {
    Target t(37, 23, bpp / 8);
    Images im(pic, bpp);
    im.rawAlpha.Opacity(opacity);
    im.rleAlpha.Opacity(opacity);
    appFlags.mmxAvailable = fast;
    const Case cases[] = {
        {"raw", &im.raw, Mode::Copy, false},
        {"raw constant", &im.rawAlpha, Mode::Constant, false},
        {"run-length", &im.rle, Mode::Copy, true},
        {"run-length constant", &im.rleAlpha, Mode::Constant, true},
        {"masked", &im.masked, Mode::Masked, true},
    };
    const int lefts[] = {-pic.w - 2,      -pic.w,      -pic.w + 1,      -7,      -1,  0,      1, 5,
                         t.W - pic.w - 1, t.W - pic.w, t.W - pic.w + 1, t.W - 1, t.W, t.W + 3};
    const int tops[] = {-pic.h - 1,      -pic.h,      -pic.h + 1,      -10,     -1, 0, 2,
                        t.H - pic.h - 1, t.H - pic.h, t.H - pic.h + 1, t.H - 1, t.H};
    for (const Case& c : cases)
        for (int left : lefts)
            for (int top : tops) {
                t.noise(uint32_t(left * 31 + top));
                Target want = t;
                reference(want, pic, left, top, c.mode, opacity, c.runLength);
                t.bind();
                aim(*c.eye, t, left, top);
                const bool onScreen = c.eye->place();
                EXPECT_EQ(onScreen,
                          left + pic.w >= 0 && left < t.W && top + pic.h >= 0 && top < t.H);
                c.eye->draw();
                ASSERT_TRUE(t.guardsIntact()) << c.name << " at " << left << "," << top;
                ASSERT_EQ(t.buf, want.buf) << c.name << " at " << left << "," << top << " bpp "
                                           << bpp << (fast ? " fast" : "");
            }
}

}  // namespace

TEST_F(EyeTest, EveryClipCaseMatchesTheReference) {
    for (int bpp : {16, 24, 32}) {
        display(bpp);
        for (bool fast : {false, true}) {
            sweep(Picture{fruit(13, 9), 13, 9}, bpp, fast, 77);
            sweep(Picture{patchwork(45, 30, 7), 45, 30}, bpp, fast, 200);  // wider than the target
        }
    }
    EXPECT_STREQ(logCaptured(), "");
}

TEST_F(EyeTest, PlacementFollowsCentreOrigin) {
    display(16);
    Target t(800, 600, 2);
    t.noise(1);
    const Target orig = t;
    const auto before = t.buf;
    t.bind();
    auto pic = fruit(100, 40);
    auto f = record(encodeEyeRaw(pic.data(), 100, 40));
    kwEyeRaw eye;
    eye.setLinkedFile(f.get());
    eye.x = -450.0f;
    EXPECT_TRUE(eye.place());  // left = -100: left + width = 0 still counts
    eye.draw();
    EXPECT_EQ(t.buf, before);
    eye.x = -449.9f;  // truncation toward zero: still -449
    eye.y = 0.7f;
    ASSERT_TRUE(eye.place());
    eye.draw();
    EXPECT_EQ(t.at(0, 280), stored(pic[99 + 100 * 0], 2));  // top = 300 - 20 - 0
    EXPECT_EQ(t.at(1, 280), Target(orig).at(1, 280));       // only the last column shows
    EXPECT_EQ(t.at(0, 279), Target(orig).at(0, 279));
    // Far away, NaN or huge positions never reach the target.
    for (float v : {1e30f, -1e30f, std::numeric_limits<float>::quiet_NaN()}) {
        eye.x = v;
        eye.y = v;
        EXPECT_FALSE(eye.place());
        eye.draw();
    }
    EXPECT_TRUE(t.guardsIntact());
}

TEST_F(EyeTest, TopAboveTheTargetStartsAtThatRow) {
    display(16);
    Target t(20, 20, 2);
    t.noise(2);
    t.bind();
    Picture pic{patchwork(20, 30, 4), 20, 30};
    for (auto& p : pic.argb) p |= 0xFF000000u;  // opaque, so every row covers the target
    Images im(pic, 16);
    aim(im.rle, t, 0, -10);
    im.rle.place();
    im.rle.draw();
    for (int x = 0; x < 20; ++x) EXPECT_EQ(t.at(x, 0), stored(pic.argb[10 * 20 + x], 2));
}

TEST_F(EyeTest, ConstantOpacityWorkedExamplesAndLimits) {
    display(16);
    EXPECT_EQ(blendConstantPixel(0xF800, 0x001F, 128, 2, pixelFormat), 0x780Fu);
    EXPECT_EQ(blendMaskedPixel(0xFFFF, 0x0000, 255, 2, pixelFormat), 0xF7DEu);
    Target t(4, 1, 2);
    t.bind();
    Picture pic{std::vector<uint32_t>(3, 0xFFFF0000u), 3, 1};  // pure red
    Images im(pic, 16);
    for (bool fast : {false, true}) {
        appFlags.mmxAvailable = fast;
        for (kwEye* e : {static_cast<kwEye*>(&im.rawAlpha), static_cast<kwEye*>(&im.rleAlpha)}) {
            for (int x = 0; x < 4; ++x) t.put(x, 0, 0x001F);
            im.rawAlpha.Opacity(128);
            im.rleAlpha.Opacity(128);
            aim(*e, t, 0, 0);
            e->place();
            e->draw();
            EXPECT_EQ(t.at(0, 0), 0x780Fu);
            EXPECT_EQ(t.at(2, 0), 0x780Fu);  // the odd last pixel, blended alone
            EXPECT_EQ(t.at(3, 0), 0x001Fu);
            // 255 copies (the formula would give 254 for a full channel); 0 draws nothing.
            im.rawAlpha.Opacity(255);
            im.rleAlpha.Opacity(255);
            e->draw();
            EXPECT_EQ(t.at(1, 0), 0xF800u);
            t.put(1, 0, 0x1234);
            im.rawAlpha.Opacity(0);
            im.rleAlpha.Opacity(0);
            e->draw();
            EXPECT_EQ(t.at(1, 0), 0x1234u);
        }
    }
    im.rawAlpha.Opacity(90);
    im.rawAlpha.Opacity(256);
    EXPECT_EQ(im.rawAlpha.opacity, 90u);
    EXPECT_EQ(im.rawAlpha.inverse, 165u);
    im.rleAlpha.Opacity(1000);
    EXPECT_NE(std::string(logCaptured()).find("kwEyeRawConstantAlpha::Opacity - range is 0-255"),
              std::string::npos);
    EXPECT_NE(
        std::string(logCaptured()).find("kwEyeTransparencyConstantAlpha::Opacity - range is 0-255"),
        std::string::npos);
}

TEST_F(EyeTest, VectorRowsGiveTheFormulaOnRandomPixels) {
    // Long runs with random sources, targets, opacities and mask bytes, at
    // every depth the vector rows serve, on both 16-bit layouts.
    std::mt19937 rng(42);
    const uint32_t layouts[2][2] = {{0xF800, 0x07E0}, {0x7C00, 0x03E0}};
    for (int bpp : {16, 32})
        for (const auto& layout : layouts) {
            display(bpp, layout[0], layout[1]);
            const int B = bpp / 8;
            for (int round = 0; round < 40; ++round) {
                // Odd rounds: a fruit, whose long opaque rows fill whole vectors.
                const bool round_ = round % 2 == 1;
                const int w = round_ ? 20 + int(rng() % 50) : 1 + int(rng() % 70);
                const int h = round_ ? w : 3;
                Picture pic{round_ ? fruit(w, h, rng()) : patchwork(w, h, rng()), w, h};
                if (!round_)
                    for (auto& p : pic.argb) p |= (rng() % 3 == 0) ? 0xFF000000u : 0;
                Target t(w, h, B);
                t.noise(rng());
                const uint32_t opacity = 1 + rng() % 254;
                for (Mode mode : {Mode::Constant, Mode::Masked}) {
                    Target want = t, got = t;
                    // The reference uses stored pixels as written for 5-6-5;
                    // convert the payload once so both sides see the same source.
                    Images im(pic, bpp);
                    im.rleAlpha.Opacity(opacity);
                    kwEye* e = mode == Mode::Masked ? static_cast<kwEye*>(&im.masked)
                                                    : static_cast<kwEye*>(&im.rleAlpha);
                    appFlags.mmxAvailable = false;
                    want.bind();
                    aim(*e, want, 0, 0);
                    e->place();
                    e->draw();
                    appFlags.mmxAvailable = true;
                    got.bind();
                    e->place();
                    e->draw();
                    ASSERT_EQ(got.buf, want.buf) << "w " << w << " bpp " << bpp;
                    if (bpp == 16 && layout[0] == 0xF800) {
                        Target ref = t;
                        reference(ref, pic, 0, 0, mode, opacity, true);
                        ASSERT_EQ(got.buf, ref.buf) << "w " << w;
                    }
                }
            }
        }
    EXPECT_NE(std::string(blitVectorPath()), "");
}

TEST_F(EyeTest, RunsOfEveryLengthStayInsideTheirRun) {
    // Row r holds one run of r + 1 pixels between see-through pixels, so the
    // copies and blends meet every size class of their moves at every depth
    // (both ends of each group of decoded runs, the loops, the library copy
    // of long runs, and runs the encoder has to split) and must leave the
    // see-through neighbours untouched. Drawn whole, the copies take the
    // decoded runs; with the top row cut off, the run bytes.
    constexpr int kLongest = 300;
    const int w = kLongest + 2, h = kLongest;
    Picture pic{std::vector<uint32_t>(size_t(w) * h, 0), w, h};
    for (int y = 0; y < h; ++y)
        for (int x = 1; x <= y + 1; ++x)
            pic.argb[size_t(y) * w + x] =
                uint32_t(1 + (x * 7 + y) % 255) << 24 | (uint32_t(x * 2654435761u + y) & 0xFFFFFF);
    for (int bpp : {16, 24, 32}) {
        display(bpp);
        Images im(pic, bpp);
        im.rleAlpha.Opacity(90);
        const Case cases[] = {
            {"run-length", &im.rle, Mode::Copy, true},
            {"run-length constant", &im.rleAlpha, Mode::Constant, true},
            {"masked", &im.masked, Mode::Masked, true},
        };
        for (bool fast : {false, true}) {
            appFlags.mmxAvailable = fast;
            for (const Case& c : cases)
                for (int top : {1, -1}) {
                    Target t(w + 2, h + 1, bpp / 8);
                    t.noise(uint32_t(7 + bpp + top));
                    Target want = t;
                    reference(want, pic, 1, top, c.mode, 90, true);
                    t.bind();
                    aim(*c.eye, t, 1, top);
                    c.eye->place();
                    c.eye->draw();
                    ASSERT_TRUE(t.guardsIntact()) << c.name;
                    ASSERT_EQ(t.buf, want.buf)
                        << c.name << " bpp " << bpp << " top " << top << (fast ? " fast" : "");
                }
        }
    }
}

namespace {

// A masked picture drawn from its blocks against the formula, flush with
// every side of the target and clipped, on 5-6-5 with vector rows; then
// flush with the bottom of a frame that ends where readable memory ends,
// and with its right edge too, or with room to the right for blocks
// reaching past the picture: a store below the picture or past the frame
// faults there even when it writes back what it read.
void expectBlocksGiveTheRunsResult(const Picture& pic, Images& im) {
    const int w = pic.w, h = pic.h;
    Target t(w + 5, h + 3, 2);
    for (int left : {0, 5, 2, -1, 6, -3})
        for (int top : {0, 1, 3, -1, 4, -2}) {
            t.noise(uint32_t(w * 100 + left * 10 + top));
            Target want = t;
            reference(want, pic, left, top, Mode::Masked, 0, true);
            t.bind();
            aim(im.masked, t, left, top);
            im.masked.place();
            im.masked.draw();
            ASSERT_TRUE(t.guardsIntact()) << w << "x" << h << " at " << left << "," << top;
            ASSERT_EQ(t.buf, want.buf) << w << "x" << h << " at " << left << "," << top;
        }
    for (int room : {0, 16}) {
        const int W = w + 3 + room;
        const size_t frameBytes = size_t(W) * 2 * size_t(h + 1);
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        const size_t span = (frameBytes + page - 1) / page * page;
        void* mem =
            mmap(nullptr, span + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(mem, MAP_FAILED);
        uint8_t* const end = static_cast<uint8_t*>(mem) + span;
        ASSERT_EQ(mprotect(end, page, PROT_NONE), 0);
        renderTarget = kwRenderTarget{end - frameBytes, W * 2, W, h + 1};
        im.masked.x = float(3 - W / 2 + w / 2);
        im.masked.y = float((h + 1) / 2 - h / 2 - 1);
        EXPECT_TRUE(im.masked.place());
        im.masked.draw();
        munmap(mem, span + page);
    }
}

}  // namespace

TEST_F(EyeTest, MaskBlocksGiveTheRunsResult) {
    // Soft pixels scattered one to three at a time, as in the art's rims,
    // with the last ones against the right edge, where a block is moved left
    // over its neighbour; widths around one block, heights that end on each
    // row of a band of four (blocks span up to four rows).
    display(16);
    appFlags.mmxAvailable = true;
    std::mt19937 rng(5);
    for (int h : {5, 6, 7, 8})
        for (int w : {7, 8, 9, 15, 16, 17, 23, 40}) {
            Picture pic{std::vector<uint32_t>(size_t(w) * h, 0), w, h};
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (rng() % 3 == 0 || x >= w - 2)
                        pic.argb[size_t(y) * w + x] = (1 + rng() % 255) << 24 | (rng() & 0xFFFFFF);
            Images im(pic, 16);
            expectBlocksGiveTheRunsResult(pic, im);
        }
}

TEST_F(EyeTest, MaskBlocksTakeTheShapeOfTheRims) {
    // Rims running across are blended sixteen pixels on a row at a time,
    // rims running down four by four; each shape is checked like the pairs,
    // up to the right edge, where a row of sixteen is moved left too.
    display(16);
    appFlags.mmxAvailable = true;
    std::mt19937 rng(11);
    const auto soft = [&] { return (1 + rng() % 254) << 24 | (rng() & 0xFFFFFF); };
    for (int w : {16, 17, 30, 45}) {
        const int h = 14;
        Picture across{std::vector<uint32_t>(size_t(w) * h, 0), w, h};
        Picture down = across;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (y % 4 == 1 || (y % 4 == 2 && x > w / 2))
                    across.argb[size_t(y) * w + x] = soft();
                if (x % 11 == 2 || x == w - 1) down.argb[size_t(y) * w + x] = soft();
            }
        for (const Picture* pic : {&across, &down}) {
            Images im(*pic, 16);
            kwReadyRuns ready;
            ASSERT_TRUE(im.masked.readySource(&ready));
            const kwRunLengthSource& s = ready.source;
            if (pic == &across)
                EXPECT_GT(s.lineBlocks, s.singleBlocks) << w;
            else
                EXPECT_GT(s.blockCount, s.lineBlocks) << w;
            EXPECT_LE(s.blockReach, w + kLineShape.columns - 1);
            expectBlocksGiveTheRunsResult(*pic, im);
        }
    }
}

TEST_F(EyeTest, OpaqueMaskBlocksKeepTheFormula) {
    // A picture masked whole: its inside fills blocks whose every mask byte
    // is 255, which take the formula's short form; over random targets each
    // channel meets sources above, equal to and below the target's.
    display(16);
    appFlags.mmxAvailable = true;
    for (int w : {24, 41}) {
        Picture pic{fruit(w, w, uint32_t(w)), w, w};
        Images im(pic, 16);
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            Target t(w + 12, w + 4, 2);
            t.noise(seed);
            if (seed == 4)  // every target pixel equal to its source: the "equal" case throughout
                for (int y = 0; y < w; ++y)
                    for (int x = 0; x < w; ++x)
                        t.put(x + 2, y + 1, stored(pic.argb[size_t(y) * w + x], 2));
            Target want = t;
            reference(want, pic, 2, 1, Mode::Masked, 0, true);
            t.bind();
            aim(im.masked, t, 2, 1);
            im.masked.place();
            im.masked.draw();
            ASSERT_EQ(t.buf, want.buf) << "w " << w << " seed " << seed;
        }
    }
}

TEST_F(EyeTest, DecodedTablesFollowTheDisplay) {
    // The decoded runs hold offsets at one depth and the mask blocks copy
    // converted pixels: each change of depth or 16-bit layout converts the
    // payload again, and tables built before must not be used. Each draw is
    // checked against fresh images over a copy of the payload as converted.
    Picture pic{fruit(30, 30, 3), 30, 30};
    Images im(pic, 16);
    im.rleAlpha.Opacity(140);
    appFlags.mmxAvailable = true;
    const struct {
        int bpp;
        uint32_t red, green;
    } displays[] = {
        {16, 0xF800, 0x07E0}, {32, 0xFF0000, 0xFF00}, {16, 0x7C00, 0x03E0}, {16, 0xF800, 0x07E0}};
    uint32_t seed = 1;
    for (const auto& shown : displays) {
        display(shown.bpp, shown.red, shown.green);
        for (int which = 0; which < 3; ++which) {
            kwEye* const used[] = {&im.rle, &im.rleAlpha, &im.masked};
            Target t(40, 40, shown.bpp / 8);
            t.noise(++seed);
            Target want = t;
            t.bind();
            aim(*used[which], t, 4, 3);
            used[which]->place();
            used[which]->draw();

            const kwLinkedFile& f = *im.rleFile;
            auto copy = record(std::vector<uint8_t>(f.data, f.data + f.payloadSize()), "copy.eye");
            kwEyeTransparency rle;
            kwEyeTransparencyConstantAlpha rleAlpha;
            kwEyeTransparencyMaskedAlpha masked;
            rleAlpha.Opacity(140);
            masked.setMask(&im.mask);
            kwEye* const fresh[] = {&rle, &rleAlpha, &masked};
            fresh[which]->setLinkedFile(copy.get());
            want.bind();
            aim(*fresh[which], want, 4, 3);
            fresh[which]->place();
            fresh[which]->draw();
            ASSERT_EQ(t.buf, want.buf)
                << which << " at " << shown.bpp << " bits, red " << std::hex << shown.red;
        }
    }
}

TEST_F(EyeTest, MaskedBlendWeightsAndWrongMask) {
    display(16);
    EXPECT_EQ(blendMaskedPixel(0xF800, 0x001F, 255, 2, pixelFormat), 0xF000u);
    EXPECT_EQ(blendMaskedPixel(0x0000, 0xFFFF, 255, 2, pixelFormat), 0x0000u);
    EXPECT_EQ(blendMaskedPixel(0x8410, 0xFFFF, 0, 2, pixelFormat), 0xFFFFu);
    Target t(6, 1, 2);
    t.bind();
    Picture pic{{0xFFFFFFFF, 0x80FFFFFF, 0x01FFFFFF, 0, 0xFF000000, 0x40F80000}, 6, 1};
    Images im(pic, 16);
    for (int x = 0; x < 6; ++x) t.put(x, 0, 0x0000);
    aim(im.masked, t, 0, 0);
    im.masked.place();
    im.masked.draw();
    EXPECT_EQ(t.at(0, 0), 0xF7DEu);  // (s * 255 + d) >> 8 per channel, not s
    EXPECT_EQ(t.at(1, 0), formula(0xFFFF, 0, 0x80, 0x80, 2));
    EXPECT_EQ(t.at(3, 0), 0x0000u);  // skipped
    // No mask, or a mask that is not 8 bits: nothing is drawn.
    for (int x = 0; x < 6; ++x) t.put(x, 0, 0x5555);
    const auto before = t.buf;
    im.masked.setMask(nullptr);
    im.masked.draw();
    EXPECT_EQ(t.buf, before);
    auto deep = encodeMask(pic.argb.data(), 6, 1);
    putU32(deep, 28, 16);
    auto deepFile = record(deep, "deep.msk");
    kwAlphaMask deepMask;
    deepMask.setLinkedFile(deepFile.get());
    im.masked.setMask(&deepMask);
    im.masked.draw();
    im.masked.draw();
    EXPECT_EQ(t.buf, before);
    const std::string log = logCaptured();
    const std::string msg =
        "Alpha channel msk must have 1 bytes per pixel for kwEyeTransparencyMaskedAlpha";
    EXPECT_NE(log.find(msg), std::string::npos);
    EXPECT_EQ(log.find(msg), log.rfind(msg));  // judged once, not every frame
    EXPECT_EQ(deepMask.bitsPerPixel(), 16);
}

TEST_F(EyeTest, HitTests) {
    display(16);
    // 10 x 6: columns 0-2 of row 2 transparent, the rest opaque.
    Picture pic{std::vector<uint32_t>(60, 0xFF00FF00u), 10, 6};
    for (int x = 0; x < 3; ++x) pic.argb[2 * 10 + x] = 0;
    Images im(pic, 16);
    // Centre (0, 0): px = 5 + qx, py = 2 - qy.
    for (kwEye* e : {static_cast<kwEye*>(&im.raw), static_cast<kwEye*>(&im.rle)}) {
        EXPECT_TRUE(e->hitTest(-5, 2, false));
        EXPECT_TRUE(e->hitTest(4, -3, false));
        EXPECT_FALSE(e->hitTest(5, 0, false));
        EXPECT_FALSE(e->hitTest(-6, 0, false));
        EXPECT_FALSE(e->hitTest(0, 3, false));
        EXPECT_FALSE(e->hitTest(0, -4, false));
    }
    EXPECT_TRUE(im.raw.hitTest(-5, 0, true));   // plain images ignore exact
    EXPECT_TRUE(im.rle.hitTest(-5, 0, false));  // inside the rectangle
    EXPECT_FALSE(im.rle.hitTest(-5, 0, true));  // in the skipped run
    EXPECT_FALSE(im.rle.hitTest(-3, 0, true));
    EXPECT_TRUE(im.rle.hitTest(-2, 0, true));  // first pixel of the opaque run
    EXPECT_TRUE(im.rle.hitTest(4, 0, true));
    im.rle.x = 100.9f;  // the position moves the rectangle, truncated
    EXPECT_TRUE(im.rle.hitTest(95, 1, true));
    EXPECT_FALSE(im.rle.hitTest(94, 1, true));
}

TEST_F(EyeTest, RefusedPayloadsAreNeverDrawn) {
    display(16);
    Target t(16, 16, 2);
    t.noise(3);
    const auto before = t.buf;
    t.bind();
    auto pic = fruit(12, 12);
    auto payload = encodeEyeRle(pic.data(), 12, 12);
    payload[84 + 4 * 12 + 4] = 13;  // first row's skip runs past the width
    auto f = record(payload, "broken.eye");
    kwEyeTransparency eye;
    eye.setLinkedFile(f.get());
    for (int frame = 0; frame < 3; ++frame) {
        eye.place();
        eye.draw();
    }
    EXPECT_FALSE(eye.hitTest(0, 0, true));
    EXPECT_EQ(t.buf, before);
    const std::string log = logCaptured();
    const std::string msg = "kwEyeTransparency::changeBPP - malformed payload broken.eye";
    EXPECT_NE(log.find(msg), std::string::npos);
    EXPECT_EQ(log.find(msg), log.rfind(msg));  // judged once
    // Too short to bind at all: left unbound.
    auto stub = record(std::vector<uint8_t>(40, 0), "stub.eye");
    kwEyeRaw raw;
    raw.setLinkedFile(stub.get());
    EXPECT_EQ(raw.file, nullptr);
    raw.draw();
    kwAlphaMask mask;
    mask.setLinkedFile(stub.get());
    EXPECT_EQ(mask.file, nullptr);
    EXPECT_EQ(mask.pixelStream(), nullptr);
    EXPECT_EQ(t.buf, before);
}

TEST_F(EyeTest, SharedBlobConvertsOnceForEveryImage) {
    display(16, 0x7C00, 0x03E0);  // 5-5-5: the 5-6-5 payload is converted at the first draw
    Target t(8, 2, 2);
    t.bind();
    Picture pic{std::vector<uint32_t>(8, 0xFFFFFFFFu), 8, 1};
    pic.argb[1] = 0xFF00FF00u;
    Images im(pic, 16);
    aim(im.rle, t, 0, 0);
    im.rle.place();
    im.rle.draw();
    EXPECT_EQ(t.at(0, 0), 0x7FFFu);
    EXPECT_EQ(t.at(1, 0), 0x03E0u);
    const uint8_t* converted = im.rleFile->data;
    aim(im.rleAlpha, t, 0, 1);
    im.rleAlpha.place();
    im.rleAlpha.draw();  // sees the converted bytes, converts nothing again
    EXPECT_EQ(t.at(1, 1), 0x03E0u);
    EXPECT_EQ(im.rleFile->data, converted);
    // A 32-bit display converts the shared blob to a new buffer; the other
    // image notices the move and draws from the new bytes.
    display(32);
    Target deep(8, 1, 4);
    deep.bind();
    aim(im.rle, deep, 0, 0);
    im.rle.place();
    im.rle.draw();
    aim(im.rleAlpha, deep, 0, 0);
    im.rleAlpha.place();
    im.rleAlpha.draw();
    EXPECT_EQ(deep.at(0, 0), 0xFFF8F8F8u);  // 5-5-5 white widened with zero low bits
    EXPECT_EQ(deep.at(1, 0), 0xFF00F800u);
}
