// Layered sprites draw their base layer first only where the layers share no
// pixel. Whatever order a sprite picks, its picture must be that of the alpha
// layer drawn under the base, on any background and at the target's edges.
#include "render/layered_sprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "assets/pixel_format.h"
#include "render/render_target.h"
#include "render/sprite_archive.h"
#include "shell/flags.h"

namespace {

constexpr int kTargetWidth = 40, kTargetHeight = 30;
constexpr uint32_t kSolid = 0xFF3060C0u;

struct Art {
    int w, h;
    std::vector<uint32_t> argb;
    Art(int width, int height) : w(width), h(height), argb(size_t(width) * size_t(height), 0) {}
    void set(int x, int y, uint32_t v) { argb[size_t(y) * size_t(w) + size_t(x)] = v; }
};

// A translucent pixel whose colour and opacity vary with its place.
uint32_t soft(int x, int y) {
    const uint32_t a = 40 + uint32_t(x * 13 + y * 7) % 200;
    return a << 24 | uint32_t(x * 20) << 16 | uint32_t(y * 30) << 8 | 0x40;
}

// A disc of radius r, cut as the art is: the opaque body in the base, and a
// soft ring out to r + 2 in the alpha layer.
void disc(Art& base, Art& alpha, int r) {
    const int cx = base.w / 2, cy = base.h / 2;
    for (int y = 0; y < base.h; ++y)
        for (int x = 0; x < base.w; ++x) {
            const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d2 <= r * r)
                base.set(x, y, kSolid);
            else if (d2 <= (r + 2) * (r + 2))
                alpha.set(x, y, soft(x, y));
        }
}

void add(testsprites::Records& out, const std::string& name, const Art& base, const Art& alpha) {
    out.emplace_back("b_" + name, encodeEyeRle(base.argb.data(), base.w, base.h));
    out.emplace_back("a_" + name, encodeEyeRle(alpha.argb.data(), alpha.w, alpha.h));
    out.emplace_back("m_" + name, encodeMask(alpha.argb.data(), alpha.w, alpha.h));
}

class LayeredSpriteOrder : public ::testing::Test {
protected:
    void SetUp() override {
        testsprites::Records r;
        {  // the art's cut: no pixel in both layers
            Art base(17, 17), alpha(17, 17);
            disc(base, alpha, 5);
            add(r, "cut", base, alpha);
        }
        {  // the same with one soft pixel over the body
            Art base(17, 17), alpha(17, 17);
            disc(base, alpha, 5);
            alpha.set(9, 7, soft(9, 7));
            add(r, "touching", base, alpha);
        }
        {  // a wider, taller alpha layer, centred on its own size: its column
           // 3, row 3 lies on the base's column 1, row 1, the only solid pixel
            Art base(10, 10), alpha(14, 14);
            base.set(1, 1, kSolid);
            alpha.set(3, 3, soft(3, 3));
            alpha.set(12, 12, soft(12, 12));
            add(r, "offset", base, alpha);
        }
        {  // the same soft pixel one column further: the layers are apart
            Art base(10, 10), alpha(14, 14);
            base.set(1, 1, kSolid);
            alpha.set(4, 3, soft(4, 3));
            add(r, "offset_apart", base, alpha);
        }
        {  // one solid row of four, one soft pixel above its third
            Art base(4, 2), alpha(4, 2);
            for (int x = 0; x < 4; ++x) base.set(x, 0, kSolid);
            alpha.set(2, 0, soft(2, 0));
            add(r, "row", base, alpha);
        }
        ASSERT_TRUE(folder.write("layers.lfl", r));
        ASSERT_TRUE(list.add_lfl("layers.lfl"));
    }
    void TearDown() override {
        screenSlot = kwRenderTarget{};
        pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
        appFlags.mmxAvailable = true;
    }

    kwLayeredSprite sprite(const std::string& name) {
        return kwLayeredSprite(("b_" + name).c_str(), ("a_" + name).c_str(), ("m_" + name).c_str(),
                               &list);
    }

    static std::vector<uint16_t> noise(uint32_t seed) {
        std::vector<uint16_t> px(size_t(kTargetWidth) * kTargetHeight);
        std::mt19937 rng(seed);
        for (uint16_t& p : px) p = uint16_t(rng());
        return px;
    }
    static void bind(std::vector<uint16_t>& px) {
        screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(px.data()), kTargetWidth * 2,
                                    kTargetWidth, kTargetHeight};
    }

    // The alpha layer, then the base, each placed by hand.
    static std::vector<uint16_t> alphaFirst(kwLayeredSprite& s, float x, float y, uint32_t seed) {
        std::vector<uint16_t> px = noise(seed);
        bind(px);
        for (kwEye* layer :
             {static_cast<kwEye*>(s.alphaLayer.get()), static_cast<kwEye*>(s.baseLayer.get())}) {
            layer->x = x;
            layer->y = y;
            targetScreen();
            if (layer->place()) layer->draw();
        }
        return px;
    }
    static std::vector<uint16_t> drawn(kwLayeredSprite& s, float x, float y, uint32_t seed) {
        std::vector<uint16_t> px = noise(seed);
        bind(px);
        s.x = x;
        s.y = y;
        targetScreen();
        if (s.place()) s.draw();
        return px;
    }

    // Draws twice (the first draw learns the order) at the centre and across
    // each edge, against the layers drawn by hand.
    void expectAlphaUnderBase(const std::string& name, bool apart) {
        kwLayeredSprite s = sprite(name);
        ASSERT_TRUE(s.isComplete());
        EXPECT_FALSE(s.layersApart());  // not known before a draw
        const float places[][2] = {{0, 0}, {-19, 0}, {19, 0}, {0, 14}, {0, -14}, {-18, 13}};
        uint32_t seed = 1;
        for (int pass = 0; pass < 2; ++pass)
            for (const auto& p : places) {
                const auto reference = alphaFirst(s, p[0], p[1], seed);
                EXPECT_EQ(drawn(s, p[0], p[1], seed), reference)
                    << name << " at " << p[0] << "," << p[1] << ", pass " << pass;
                ++seed;
            }
        EXPECT_EQ(s.layersApart(), apart) << name;
    }

    testsprites::DataFolder folder;
    kwLinkedFileList list;
};

TEST_F(LayeredSpriteOrder, TheBaseGoesFirstOnlyWhereNoSoftPixelLiesOnIt) {
    expectAlphaUnderBase("cut", true);
    expectAlphaUnderBase("touching", false);
    expectAlphaUnderBase("offset", false);
    expectAlphaUnderBase("offset_apart", true);
}

// A soft pixel's mask 0 leaves the target as it is, so it does not count;
// rows and columns the shift takes outside the solid picture meet nothing.
TEST_F(LayeredSpriteOrder, SoftPixelsMeetSolidRunsOnlyWhereMaskedIn) {
    kwLayeredSprite s = sprite("row");
    ASSERT_TRUE(s.isComplete());
    kwRunPicture softRuns, solidRuns;
    ASSERT_TRUE(s.alphaLayer->checkedSoftRuns(&softRuns));
    ASSERT_TRUE(s.baseLayer->checkedRuns(&solidRuns));

    EXPECT_TRUE(softMeetsSolid(softRuns, solidRuns, 0, 0));
    EXPECT_TRUE(softMeetsSolid(softRuns, solidRuns, 1, 0));
    EXPECT_FALSE(softMeetsSolid(softRuns, solidRuns, 2, 0));   // column 4: beside the picture
    EXPECT_FALSE(softMeetsSolid(softRuns, solidRuns, 0, 1));   // row 1 holds no solid pixel
    EXPECT_FALSE(softMeetsSolid(softRuns, solidRuns, 0, -1));  // above it
    EXPECT_TRUE(softMeetsSolid(softRuns, solidRuns, -2, 0));
    EXPECT_FALSE(softMeetsSolid(softRuns, solidRuns, -3, 0));  // column -1

    const kwLinkedFile* mask = list.find("m_row");
    ASSERT_NE(mask, nullptr);
    const uint8_t* const end = mask->data + mask->payloadSize();
    for (auto* m = const_cast<uint8_t*>(softRuns.source.maskStream); m < end; ++m)
        *m = 0;  // the run stays, masked out
    EXPECT_FALSE(softMeetsSolid(softRuns, solidRuns, 0, 0));
}

// A sprite whose layers are apart draws from what they last handed the
// blitters. Each change below is made behind its back, after draws that
// kept such a ticket: the next draw must still be the layers' own picture.
TEST_F(LayeredSpriteOrder, ADrawFromItsTicketFollowsWhatTheLayersRestOn) {
    pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
    appFlags.mmxAvailable = true;
    kwLayeredSprite s = sprite("cut");
    kwLayeredSprite other = sprite("offset_apart");  // shares no file with s
    Art moved(17, 17), movedAlpha(17, 17);
    disc(moved, movedAlpha, 3);
    const auto movedBytes = encodeEyeRle(moved.argb.data(), moved.w, moved.h);
    kwAlphaMask spare;
    spare.setLinkedFile(list.find("m_cut"));
    kwEyeTransparency sharer;  // bound to the sprite's body file
    sharer.setLinkedFile(list.find("b_cut"));

    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"nothing", [] {}},
        {"soft layer hidden", [&] { s.alphaLayer->visible = false; }},
        {"soft layer shown", [&] { s.alphaLayer->visible = true; }},
        {"body hidden", [&] { s.baseLayer->visible = false; }},
        {"body shown", [&] { s.baseLayer->visible = true; }},
        {"body faded", [&] { s.baseLayer->Opacity(90); }},
        {"body opaque", [&] { s.baseLayer->Opacity(255); }},
        {"mask taken away", [&] { s.alphaLayer->setMask(nullptr); }},
        {"another mask", [&] { s.alphaLayer->setMask(&spare); }},
        {"display 5-5-5", [] { pixelFormat = makePixelFormat(0x7C00, 0x03E0, 0x001F, 16); }},
        {"display 5-6-5", [] { pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F, 16); }},
        {"no vector rows", [] { appFlags.mmxAvailable = false; }},
        {"vector rows", [] { appFlags.mmxAvailable = true; }},
        {"body file given new bytes",
         [&] {
             auto* bytes = new uint8_t[movedBytes.size()];
             std::copy(movedBytes.begin(), movedBytes.end(), bytes);
             list.find("b_cut")->replaceData(bytes, uint32_t(movedBytes.size()));
         }},
        {"body file converted by another image",
         [&] {
             pixelFormat = makePixelFormat(0xFF0000, 0x00FF00, 0x0000FF, 32);
             sharer.changeBPP(32);
             pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
         }},
        {"body rebound", [&] { s.baseLayer->setLinkedFile(list.find("b_offset_apart")); }},
    };
    uint32_t seed = 100;
    for (const auto& c : changes) {
        for (int pass = 0; pass < 3; ++pass) {  // learns, keeps a ticket, draws from it
            drawn(other, 3, -2, seed);          // another sprite between, as on a board
            if (pass == 0) c.change();
            const auto got = drawn(s, 1, 2, seed);
            EXPECT_EQ(got, alphaFirst(s, 1, 2, seed)) << c.what << ", pass " << pass;
            ++seed;
        }
    }
}

}  // namespace
