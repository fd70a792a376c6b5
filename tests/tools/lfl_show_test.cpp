// `lfl show` run as a program on a tiny archive: every pixel of the frame
// checked for each image class, positions stored and given, both layouts,
// the PNG output, and the failures that must exit non-zero.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/eye_writer.h"
#include "assets/lfl_writer.h"
#include "render/png_writer.h"

namespace {

namespace fs = std::filesystem;
constexpr int kW = 800, kH = 600;

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint16_t to565(uint32_t argb) {
    return uint16_t(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x1F));
}

uint16_t blend565(uint16_t s, uint16_t d, uint32_t a, uint32_t i) {
    uint32_t r = 0;
    for (uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) r |= (((s & m) * a + (d & m) * i) >> 8) & m;
    return uint16_t(r);
}

// A 4 x 3 picture: a transparent corner and a soft pixel, so runs, skips
// and mask bytes all show.
const std::vector<uint32_t> kPicture = {
    0x00000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF,  //
    0x80FFFFFF, 0xFF123456, 0xFF654321, 0x00000000,  //
    0xFF808080, 0x40FFFF00, 0xFF00FFFF, 0xFFFF00FF,
};

const std::vector<uint32_t> kSolid(12, 0xFF0000FF);

class LflShow : public testing::Test {
protected:
    void SetUp() override {
        dir = testing::TempDir() + "/gg_lfl_show_" + std::to_string(getpid());
        fs::remove_all(dir);
        fs::create_directories(dir);
        kwEyeOptions stored;
        stored.x = 10.0f;
        stored.y = -5.0f;
        ASSERT_TRUE(writeArchive(dir + "/t.lfl",
                                 {{"pic.eye", encodeEyeRle(kPicture.data(), 4, 3, stored)},
                                  {"pic.msk", encodeMask(kPicture.data(), 4, 3)},
                                  {"plain.eye", encodeEyeRaw(kPicture.data(), 4, 3, stored)},
                                  {"solid.eye", encodeEyeRle(kSolid.data(), 4, 3, stored)},
                                  {"other.msk", encodeMask(kPicture.data(), 3, 4)},
                                  {"broken.eye", std::vector<uint8_t>(90, 0)}}));
    }
    void TearDown() override { fs::remove_all(dir); }

    int show(const std::string& args, std::string* err = nullptr) {
        const std::string cmd = std::string("'") + GG_BINARY_DIR "/lfl' show '" + dir + "/t.lfl' " +
                                args + " 2>'" + dir + "/err'";
        const int raw = std::system(cmd.c_str());
        if (err) *err = slurp(dir + "/err");
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::vector<uint16_t> frame() {
        const std::string bytes = slurp(dir + "/f.raw");
        EXPECT_EQ(bytes.size(), size_t(kW) * kH * 2);
        std::vector<uint16_t> px(bytes.size() / 2);
        for (size_t i = 0; i < px.size(); ++i)
            px[i] = uint16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
        return px;
    }
    // The frame expected: background everywhere, then `pixel(x, y, old)`
    // for each picture pixel placed with its top-left at (left, top).
    template <class Pixel>
    std::vector<uint16_t> expected(uint16_t background, int left, int top, Pixel pixel) {
        std::vector<uint16_t> px(size_t(kW) * kH, background);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                uint16_t& d = px[size_t(top + y) * kW + size_t(left + x)];
                d = pixel(kPicture[size_t(y) * 4 + x], d);
            }
        return px;
    }
    std::string dir;
};

}  // namespace

TEST_F(LflShow, TransparencyAtTheStoredPosition) {
    ASSERT_EQ(show("pic.eye --class transparency --over 102030 --out '" + dir + "/f.raw'"), 0);
    // x 10, y -5: left = 10 + 400 - 2, top = 300 - 1 + 5.
    const uint16_t bg = to565(0x102030);
    EXPECT_EQ(frame(), expected(bg, 408, 304,
                                [](uint32_t p, uint16_t d) { return (p >> 24) ? to565(p) : d; }));
}

TEST_F(LflShow, ImagesInOrderAtGivenCoordinates) {
    // Top-left corner at (0, 0): left = -398 + 400 - 2, top = 300 - 1 - 299.
    ASSERT_EQ(show("plain.eye --class raw --at -398,299 --out '" + dir + "/f.raw'"), 0);
    EXPECT_EQ(frame(), expected(0, 0, 0, [](uint32_t p, uint16_t) { return to565(p); }));
    // Later names are drawn over earlier ones.
    ASSERT_EQ(show("solid.eye,pic.eye --at -398,299 --out '" + dir + "/f.raw'"), 0);
    EXPECT_EQ(frame(), expected(0, 0, 0, [](uint32_t p, uint16_t) {
                  return (p >> 24) ? to565(p) : uint16_t(0x001F);
              }));
    ASSERT_EQ(show("pic.eye,solid.eye --at -398,299 --out '" + dir + "/f.raw'"), 0);
    EXPECT_EQ(frame(), expected(0, 0, 0, [](uint32_t, uint16_t) { return uint16_t(0x001F); }));
}

TEST_F(LflShow, ConstantAndMaskedBlends) {
    ASSERT_EQ(show("pic.eye --class constant:100 --over FFFFFF --out '" + dir + "/f.raw'"), 0);
    EXPECT_EQ(frame(), expected(0xFFFF, 408, 304, [](uint32_t p, uint16_t d) {
                  return (p >> 24) ? blend565(to565(p), d, 100, 155) : d;
              }));
    ASSERT_EQ(show("pic.eye --class masked:pic.msk --over 00ff00 --out '" + dir + "/f.raw'"), 0);
    EXPECT_EQ(frame(), expected(0x07E0, 408, 304, [](uint32_t p, uint16_t d) {
                  const uint32_t a = p >> 24;
                  return a ? blend565(to565(p), d, a, 256 - a) : d;
              }));
}

TEST_F(LflShow, FiveFiveFiveLayoutAndPng) {
    ASSERT_EQ(show("plain.eye --class raw --layout 555 --over FFFFFF --out '" + dir + "/f.raw'"),
              0);
    const auto px = frame();
    EXPECT_EQ(px[0], 0x7FFF);
    EXPECT_EQ(px[304 * kW + 409], 0x7C00);  // red, second pixel of the top row
    EXPECT_EQ(px[304 * kW + 410], 0x03E0);  // green
    ASSERT_EQ(show("plain.eye --class raw --layout 555 --over FFFFFF --out '" + dir + "/f.png'"),
              0);
    EXPECT_EQ(slurp(dir + "/f.png"), encodePng(px.data(), kW, kH, kW * 2, kLayout555));
}

TEST_F(LflShow, FailuresExitNonZero) {
    std::string err;
    const std::string out = " --out '" + dir + "/f.raw'";
    EXPECT_EQ(show("missing.eye --class raw" + out, &err), 1);
    EXPECT_NE(err.find("missing.eye"), std::string::npos);
    EXPECT_EQ(show("broken.eye --class raw" + out, &err), 1);
    EXPECT_NE(err.find("kwEyeRaw::changeBPP - malformed payload broken.eye"), std::string::npos);
    EXPECT_EQ(show("pic.eye --class masked:other.msk" + out, &err), 1);
    EXPECT_EQ(show("pic.eye --class masked:nomask.msk" + out, &err), 1);
    EXPECT_EQ(show("pic.eye --class constant:256" + out, &err), 2);
    EXPECT_EQ(show("pic.eye --class sideways" + out, &err), 2);
    EXPECT_EQ(show("pic.eye --at 1" + out, &err), 2);
    EXPECT_EQ(show("pic.eye --over 12345" + out, &err), 2);
    EXPECT_EQ(show("pic.eye --layout 444" + out, &err), 2);
    EXPECT_EQ(show("pic.eye --class raw", &err), 2);
    EXPECT_NE(err.find("--out"), std::string::npos);
    EXPECT_EQ(show("pic.eye,,plain.eye" + out, &err), 2);
    EXPECT_EQ(show("pic.eye --out '" + dir + "/no/such/dir/f.raw'", &err), 1);
    EXPECT_FALSE(fs::exists(dir + "/f.raw"));
}
