// The shared system-font engine: face lookup through fontconfig, the line
// cell GDI reports for Arial, widths without kerning, glyph placement in the
// rasterised bitmap, and refused requests.
#include "platform/sdl/ttf_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "shell/log.h"

namespace {

struct Face {
    Face(const char* name, int height) : face(ttfOpenFont(name, height)) {}
    ~Face() { ttfCloseFont(face); }
    kwFontFace* face;
};

// The coverage of `s`, read with the pen's start as column 0 and the cell's
// top as row 0.
struct Picture {
    Picture(kwFontFace* face, const char* s) {
        EXPECT_TRUE(ttfRenderText(face, s, &c));
        pixels.assign(c.pixels, c.pixels + c.pitch * c.height);
    }
    int at(int x, int y) const {
        x += c.originX, y += c.baseline - c.ascent;
        return x < 0 || y < 0 || x >= c.width || y >= c.height ? 0
                                                               : uint8_t(pixels[y * c.pitch + x]);
    }
    kwTextCoverage c;
    std::string pixels;
};

TEST(TtfText, ArialResolvesToLiberationSansAndAnUnknownNameToSansSerif) {
    char path[1024];
    int index = -1;
    ASSERT_TRUE(ttfResolveFace("Arial", path, sizeof path, &index));
    EXPECT_NE(std::string(path).find("LiberationSans-Regular"), std::string::npos) << path;
    EXPECT_FALSE(ttfResolveFace("Arial", path, 8, &index));  // no room for the path
    logCaptureBegin();
    Face unnamed("", 24);
    const std::string log = logCaptured();
    logCaptureEnd();
    EXPECT_NE(unnamed.face, nullptr);
    EXPECT_NE(log.find("ttf::openFont - face not found, using sans-serif"), std::string::npos);
}

TEST(TtfText, TheCellIsGdisAndWidthsAddUpWithoutKerning) {
    for (auto [height, ascent, descent] : {std::tuple{36, 33, 8}, {24, 22, 5}}) {
        Face f("Arial", height);
        Picture p(f.face, "AV");
        EXPECT_EQ(p.c.ascent, ascent);
        EXPECT_EQ(p.c.descent, descent);
        EXPECT_EQ(p.c.advance, ttfTextWidth(f.face, "A") + ttfTextWidth(f.face, "V"));
    }
}

TEST(TtfText, GlyphsLandAtTheirPenPositionsAntiAliased) {
    Face f("Arial", 36);
    const int adv = ttfTextWidth(f.face, "H");
    Picture h(f.face, "H"), j(f.face, "j"), hj(f.face, "Hj");
    int partial = 0, leftOfPen = 0;
    for (int y = -10; y < 50; ++y)
        for (int x = -10; x < 2 * adv + 10; ++x) {
            ASSERT_EQ(hj.at(x, y), std::max(h.at(x, y), j.at(x - adv, y))) << x << "," << y;
            partial += j.at(x, y) > 0 && j.at(x, y) < 255;
            leftOfPen += x < 0 && j.at(x, y) > 0;
        }
    EXPECT_GT(partial, 0);
    EXPECT_GT(leftOfPen, 0);  // the hook of the j reaches left of its pen
}

TEST(TtfText, BadRequestsAreRefusedAndTheEngineStopsWhenIdle) {
    logCaptureBegin();
    EXPECT_EQ(ttfOpenFont("Arial", 0), nullptr);
    {
        Face big("Arial", 512);
        EXPECT_EQ(ttfOpenFaces(), 1);
        kwTextCoverage c;
        EXPECT_FALSE(ttfRenderText(big.face, std::string(255, 'W').c_str(), &c));
        EXPECT_TRUE(ttfRenderText(big.face, "", &c));
        EXPECT_EQ(c.pixels, nullptr);
    }
    const std::string log = logCaptured();
    logCaptureEnd();
    EXPECT_NE(log.find("ttf::openFont - unusable character height"), std::string::npos);
    EXPECT_NE(log.find("ttf::renderText - text too large to draw"), std::string::npos);
    EXPECT_EQ(ttfOpenFaces(), 0);
    EXPECT_EQ(ttfTextWidth(nullptr, "x"), 0);
    Face again("Arial", 12);  // the engine starts again
    EXPECT_GT(ttfTextWidth(again.face, "x"), 0);
}

}  // namespace
