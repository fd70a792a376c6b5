// System-font text on the frame: alignment on the anchor, the shadow pass,
// the opaque cell, clipping, the frame's pixel layout, the font's cache and
// a font whose face could not be opened.
#include "render/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "assets/pixel_format.h"
#include "render/text_frame.h"
#include "shell/log.h"

// A cached redraw must not allocate: operator new counts while asked to.
// Out of line so the compiler does not pair malloc and free with new/delete.
// Every form the library frees with these is replaced (the standard
// algorithms' scratch buffers come from the nothrow form), so the sanitizer
// build sees malloc paired with free throughout.
namespace {
bool g_countAllocations = false;
int g_allocations = 0;
}  // namespace
__attribute__((noinline)) void* operator new(std::size_t n) {
    g_allocations += g_countAllocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    g_allocations += g_countAllocations;
    return std::malloc(n ? n : 1);
}
__attribute__((noinline)) void operator delete(void* p) noexcept {
    std::free(p);
}
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
__attribute__((noinline)) void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

using namespace textframe;

class TextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        openScreen();
        arial = new kwFont(36, "Arial");
    }
    static void TearDownTestSuite() {
        delete arial;
        destroyRenderScreen();
    }
    void SetUp() override { beginFrame(); }
    static kwText text(const char* s, float x, float y) {
        kwText t(arial);
        t.setText(s);
        t.setColor(255, 255, 255);
        t.x = x, t.y = y;
        return t;
    }
    static inline kwFont* arial = nullptr;
};

TEST_F(TextTest, AlignmentPutsTheCellOnTheAnchor) {
    kwText t = text("Sparkly", -100, 100);  // anchor (300, 200)
    const kwTextCoverage* c = arial->coverage("Sparkly");
    const Box ink = coverageInk(*c);
    const int w = c->advance, cell = c->ascent + c->descent;
    EXPECT_EQ(t.getWidth(), w);
    for (int h = -1; h <= 1; ++h)
        for (int v = -1; v <= 1; ++v) {
            beginFrame();
            t.setAlign(h, v);
            t.draw();
            const int left = h < 0 ? 300 : h == 0 ? 300 - w / 2 : 300 - w;
            const int top = v > 0 ? 200 : v == 0 ? 200 - cell / 2 : 200 - cell;
            EXPECT_EQ(frameInk(), ink.moved(left, top)) << "h " << h << " v " << v;
        }
    beginFrame();
    kwText centred = text("HHH", 0, 0);  // symmetric ink
    centred.setAlign(0, 0);
    centred.draw();
    const Box b = frameInk();
    EXPECT_NEAR((b.left + b.right) / 2.0, 400.0, 1.0) << b;
}

TEST_F(TextTest, ShadowIsTheTextDrawnFirstAtTheOffset) {
    for (auto [dx, dy] : {std::pair{1.0f, -1.0f}, {-1.0f, -2.0f}}) {
        kwText t = text("Gobble", -50, 20);
        kwText s = t;  // where and how the shadow should land
        s.setColor(0, 170, 80);
        s.x += dx, s.y += dy;
        beginFrame();
        s.draw();
        t.draw();
        const std::vector<uint16_t> expected = snapshot();
        beginFrame();
        t.setShadow(true);
        t.setShadowColor(0, 170, 80);
        if (dx != 1.0f) t.setShadowOffset(dx, dy);  // else the defaults
        t.draw();
        EXPECT_EQ(snapshot(), expected) << dx << "," << dy;
        EXPECT_NE(frameInk(packColorRef(t.shadowColor)), Box{});
    }
}

TEST_F(TextTest, OpaqueTextFillsExactlyItsCell) {
    kwText t = text("HHH", -100, 0);
    t.setAlign(-1, 1);  // cell from (300, 300)
    t.setTransparent(false);
    t.draw();
    const kwTextCoverage* c = arial->coverage("HHH");
    const Box cell{300, 300, 300 + c->advance - 1, 300 + c->ascent + c->descent - 1};
    EXPECT_EQ(frameInk(0xFFFF), cell);  // GDI's white background, around white letters
    t.setBackColor(0, 0, 255);
    t.draw();
    EXPECT_EQ(pixelAt(cell.left, cell.top), 0x001F);
}

TEST_F(TextTest, NothingIsWrittenOutsideTheTarget) {
    GuardedTarget g(200, 100);
    kwText t = text("Sparkly", 0, 0);
    t.setShadow(true);
    t.setTransparent(false);
    for (auto [x, y] : {std::pair{-100.0f, 0.0f}, {100, 0}, {0, 50}, {0, -50}, {100, -50}})
        for (int a = -1; a <= 1; ++a) {
            t.x = x, t.y = y;
            t.setAlign(a, a);
            t.draw();
        }
    EXPECT_EQ(g.spoiled(), 0);
    EXPECT_NE(pixelAt(0, 50), 0);  // the clipped parts still show
    const std::vector<uint16_t> before = snapshot();
    for (float far : {1e6f, -1e9f, NAN, INFINITY}) {
        t.x = far, t.y = -far;
        t.draw();
    }
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(g.spoiled(), 0);
    renderTarget = kwRenderTarget{};
    t.draw();  // no target: nothing, no crash
}

TEST_F(TextTest, ColoursFollowTheFramesPixelLayoutAndSettersTheirLimits) {
    EXPECT_EQ(makeColorRef(256, -1, 110), 0x6EFF00u);  // each part masked to a byte
    EXPECT_EQ(packColorRef(makeColorRef(0, 235, 110)), 0x074D);
    const kwPixelFormat saved = pixelFormat;
    pixelFormat = makePixelFormat(0x7C00, 0x03E0, 0x001F);
    kwText t = text("HHH", 0, 0);
    t.setColor(255, 0, 0);
    t.draw();
    pixelFormat = saved;
    EXPECT_NE(frameInk(0x7C00), Box{});
    EXPECT_NE(frameInk(0x7C00), frameInk());  // anti-aliased edges reach further
    EXPECT_EQ(frameInk(0xF800), Box{});
    t.setAlign(1, 1);
    t.setAlign(2, 0);
    EXPECT_EQ(t.hAlign, 1);
    EXPECT_EQ(t.vAlign, 0);
    t.setFont(nullptr);
    t.setText(std::string(300, 'x').c_str());
    EXPECT_EQ(t.length, 255);
    EXPECT_EQ(t.getWidth(), 2550);  // without a font: 10 a character, 10 high
    EXPECT_EQ(t.getHeight(), 10);
    char small[3];
    t.getText(small, sizeof small);
    EXPECT_STREQ(small, "xx");
}

TEST_F(TextTest, CachedTextsAreNotRasterisedAgainNorAllocated) {
    kwFont f(24, "Arial");
    kwText t(&f);
    t.setShadow(true);
    t.setText("Sparkly");
    t.draw();
    t.setText("10000");
    t.draw();
    EXPECT_EQ(f.rasterCount(), 2);  // the shadow shares the text's picture
    g_allocations = 0;
    g_countAllocations = true;
    for (const char* s : {"Sparkly", "10000"}) {
        t.setText(s);
        t.draw();
        t.getWidth();
    }
    g_countAllocations = false;
    EXPECT_EQ(f.rasterCount(), 2);
    EXPECT_EQ(g_allocations, 0);
    // Least recently used goes first: "0" was used again, so "1" is evicted.
    auto use = [&](int i) { f.coverage(std::to_string(i).c_str()); };
    for (int i = 0; i < kwFont::kCacheCapacity; ++i) use(i);
    use(0);
    use(kwFont::kCacheCapacity);
    const int before = f.rasterCount();
    use(0);
    EXPECT_EQ(f.rasterCount(), before);
    use(1);
    EXPECT_EQ(f.rasterCount(), before + 1);
}

TEST_F(TextTest, AFontWithoutAFaceDrawsNothingAndSaysSoOnce) {
    kwPlatform noFonts = headlessPlatform();
    noFonts.openFont = [](const char*, int) -> kwFontFace* { return nullptr; };
    setPlatform(&noFonts);
    logCaptureBegin();
    kwFont f(24, "Arial");
    setPlatform(nullptr);
    kwText t(&f);
    t.setText("Sparkly");
    t.draw();
    t.draw();
    const std::string log = logCaptured();
    logCaptureEnd();
    EXPECT_EQ(frameInk(), Box{});
    EXPECT_EQ(t.getWidth(), 0);
    EXPECT_NE(log.find("kwFont::kwFont - cannot open the face Arial"), std::string::npos) << log;
    const std::string once = "kwText::draw - the font has no face";
    EXPECT_NE(log.find(once), std::string::npos) << log;
    EXPECT_EQ(log.find(once), log.rfind(once)) << log;
}

}  // namespace
