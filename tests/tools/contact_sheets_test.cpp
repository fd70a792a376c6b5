// contact_sheets run as a program on tiny archives: frames grouped by name
// and number (a mask is not an animation of its own, "bonus_01.eye" is a
// picture), every picture drawn once and whole, a gap in the frame numbers
// shown as a red cross, archives of sounds skipped, and unreadable input
// reported with a failing exit status.
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
#include "png_reader.h"

namespace {

namespace fs = std::filesystem;
using Records = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

constexpr uint32_t kBlue = 0xFF0000FF, kMagenta = 0xFFFF00FF, kSoftRed = 0x80FF0000;

std::string slurpFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void addFrame(Records& r, const std::string& anim, int n) {
    const std::vector<uint32_t> base(100, kBlue), soft(100, kSoftRed);
    char b[64], a[64], m[64];
    std::snprintf(b, sizeof b, "b_%s_%2.2d.eye", anim.c_str(), n);
    std::snprintf(a, sizeof a, "a_%s_%2.2d.eye", anim.c_str(), n);
    std::snprintf(m, sizeof m, "a_%s_m_%2.2d.msk", anim.c_str(), n);
    r.emplace_back(a, encodeEyeRle(soft.data(), 10, 10));
    r.emplace_back(m, encodeMask(soft.data(), 10, 10));
    r.emplace_back(b, encodeEyeRle(base.data(), 10, 10));
}

class ContactSheets : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(testing::TempDir()) / ("gg_sheets_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "data");
    }
    void TearDown() override { fs::remove_all(dir); }

    void write(const std::string& archive, const Records& r) {
        ASSERT_TRUE(writeArchive((dir / "data" / archive).string(), r));
    }
    int run(const std::string& args = "") {
        const std::string cmd = "'" GG_BINARY_DIR "/contact_sheets' '" + (dir / "data").string() +
                                "' '" + (dir / "out").string() + "' " + args + " >'" +
                                (dir / "stdout").string() + "' 2>&1";
        const int raw = std::system(cmd.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    // Pixels of the sheet of one colour (compared after the 16-bit round trip).
    size_t count(const pngtest::Decoded& d, uint8_t r, uint8_t g, uint8_t b) {
        size_t n = 0;
        for (size_t i = 0; i + 2 < d.rgb.size(); i += 3)
            n += d.rgb[i] == r && d.rgb[i + 1] == g && d.rgb[i + 2] == b;
        return n;
    }
    size_t reddish(const pngtest::Decoded& d) {
        size_t n = 0;
        for (size_t i = 0; i + 2 < d.rgb.size(); i += 3)
            n += d.rgb[i] > 200 && d.rgb[i + 1] < 60 && d.rgb[i + 2] < 60;
        return n;
    }
    fs::path dir;
};

TEST_F(ContactSheets, DrawsEveryFrameAndPictureOnceAndCrossesOutAGap) {
    if (!fs::exists(GG_BINARY_DIR "/contact_sheets")) GTEST_SKIP() << "no contact_sheets";
    Records r;
    addFrame(r, "dot", 1);
    addFrame(r, "dot", 3);  // frame 2 missing: the sheet must show the gap
    const std::vector<uint32_t> pic(144, kMagenta);
    r.emplace_back("bonus_01.eye", encodeEyeRle(pic.data(), 12, 12));
    r.emplace_back("tune.noi", std::vector<uint8_t>(60, 0));
    write("t.lfl", r);
    ASSERT_EQ(run(), 0) << slurpFile(dir / "stdout");
    const pngtest::Decoded d = pngtest::decode(slurpFile(dir / "out" / "t.png"));
    ASSERT_GT(d.width, 0u);
    // The base layers cover their soft layers exactly: two frames, blue only.
    EXPECT_EQ(count(d, 0, 0, 255), 200u);
    EXPECT_EQ(count(d, 255, 0, 255), 144u);  // one picture, no composite for a lone picture
    EXPECT_GT(reddish(d), 0u);
    EXPECT_NE(slurpFile(dir / "stdout").find("1 missing"), std::string::npos);

    addFrame(r, "dot", 2);
    write("t.lfl", r);
    ASSERT_EQ(run(), 0);
    const pngtest::Decoded full = pngtest::decode(slurpFile(dir / "out" / "t.png"));
    EXPECT_EQ(count(full, 0, 0, 255), 300u);
    EXPECT_EQ(reddish(full), 0u);
}

TEST_F(ContactSheets, ComposesSeveralPicturesAtTheirStoredPlaces) {
    if (!fs::exists(GG_BINARY_DIR "/contact_sheets")) GTEST_SKIP() << "no contact_sheets";
    const std::vector<uint32_t> pic(144, kMagenta), hover(144, kBlue);
    kwEyeOptions at;
    at.x = 100;
    at.y = -50;
    write("m.lfl", {{"go_01.eye", encodeEyeRle(pic.data(), 12, 12, at)},
                    {"go_02.eye", encodeEyeRle(hover.data(), 12, 12, at)}});
    ASSERT_EQ(run("m.lfl"), 0) << slurpFile(dir / "stdout");
    const pngtest::Decoded d = pngtest::decode(slurpFile(dir / "out" / "m.png"));
    // Each alone, then the screen: the hover picture starts hidden, as in the game.
    EXPECT_EQ(count(d, 255, 0, 255), 2u * 144);
    EXPECT_EQ(count(d, 0, 0, 255), 144u);
}

TEST_F(ContactSheets, SkipsSoundArchivesAndFailsOnUnreadableOnes) {
    if (!fs::exists(GG_BINARY_DIR "/contact_sheets")) GTEST_SKIP() << "no contact_sheets";
    write("s.lfl", {{"a.noi", std::vector<uint8_t>(60, 0)}});
    Records good;
    addFrame(good, "dot", 1);
    write("t.lfl", good);
    // A record that claims more bytes than the file holds.
    std::vector<uint8_t> bad(40, 0);
    bad[0] = 'x';
    bad[32] = 200;
    std::ofstream(dir / "data" / "bad.lfl", std::ios::binary)
        .write(reinterpret_cast<const char*>(bad.data()), std::streamsize(bad.size()));

    EXPECT_EQ(run("s.lfl bad.lfl t.lfl"), 1);
    EXPECT_FALSE(fs::exists(dir / "out" / "s.png"));
    EXPECT_FALSE(fs::exists(dir / "out" / "bad.png"));
    EXPECT_TRUE(fs::exists(dir / "out" / "t.png")) << "one bad archive stops no other sheet";
    EXPECT_NE(slurpFile(dir / "stdout").find("cannot read bad.lfl"), std::string::npos);

    fs::remove_all(dir / "data");
    fs::create_directories(dir / "data");
    EXPECT_EQ(run(), 1) << "an empty data folder is a failure, not an empty success";
}

}  // namespace
