// The fuzz harness itself: its checks must fire on the faults they are
// there for (a blitter writing beside its picture or past a row), its seeds
// must stay well formed as the writers change (a broken seed would leave a
// target fuzzing nothing but refusals), and the script writer must write
// what the parser reads back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/runner_script.h"
#include "fuzz_bytes.h"
#include "fuzz_entry.h"
#include "fuzz_frame.h"
#include "render/render_target.h"
#include "script_writer.h"
#include "seeds.h"
#include "shell/log.h"

namespace {

// An image whose draw writes one pixel where the test says, standing in
// for a faulty blitter.
class StrayWrite : public kwEyeRaw {
public:
    StrayWrite(int x, int y) : strayX(x), strayY(y) {
        width = 10;
        height = 10;
    }
    void draw() override {
        renderTarget.pixels[size_t(strayY) * renderTarget.pitch + size_t(strayX) * 2] ^= 0xFF;
    }
    int strayX, strayY;
};

// The image's rectangle at (0, 0) on the 800x600 target: columns 395..404,
// rows 295..304.
constexpr int kLeft = 395, kTop = 295;

// Runs every seed through its target, capturing the log.
std::string logOfSeeds(int (*target)(const uint8_t*, size_t),
                       const std::vector<kwFuzzInput>& seeds) {
    logCaptureBegin();
    for (const kwFuzzInput& s : seeds) target(s.data(), s.size());
    std::string log = logCaptured();
    logCaptureEnd();
    return log;
}

bool has(const std::string& log, const char* text) {
    return log.find(text) != std::string::npos;
}

}  // namespace

TEST(FuzzHarnessDeathTest, ADrawBesideItsPictureOrPastARowIsCaught) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto draw = [](int x, int y) {
        kwFuzzFrame& frame = kwFuzzFrame::use(kwFuzzFrame::Display::Rgb565);
        StrayWrite eye(x, y);
        frame.drawChecked(eye, false);
        frame.checkGuards();
    };
    draw(kLeft, kTop);          // inside: fine
    draw(kLeft + 9, kTop + 9);  // the last pixel inside: fine
    EXPECT_DEATH(draw(kLeft - 1, kTop), "a pixel outside the image changed");
    EXPECT_DEATH(draw(kLeft + 10, kTop + 5), "a pixel outside the image changed");
    EXPECT_DEATH(draw(kLeft + 3, kTop + 10), "a pixel outside the image changed");
    EXPECT_DEATH(draw(800, 10), "a write past the end of a row");
}

TEST(FuzzHarness, SeedsAreWellFormedForTheirReaders) {
    const std::string archives = logOfSeeds(fuzzArchive, archiveSeeds());
    EXPECT_FALSE(has(archives, "corrupt") || has(archives, "allocate")) << archives;
    // Image seeds are bound to both kinds, so each is refused by one of
    // them (and most have no mask; one is meant to be refused once a plain
    // image has converted it); nothing else may be wrong with them.
    const std::string images = logOfSeeds(fuzzImage, imageSeeds());
    for (const char* why :
         {"kwEye::setLinkedFile", "bad width", "bits per pixel", "outside the payload",
          "does not match the payload", "kwEyeTransparencyMaskedAlpha"})
        EXPECT_FALSE(has(images, why)) << why << "\n" << images;
    const std::string masks = logOfSeeds(fuzzMask, maskSeeds());
    EXPECT_FALSE(has(masks, "malformed") || has(masks, "rebuilt")) << masks;
    const std::string sounds = logOfSeeds(fuzzSound, soundSeeds());
    EXPECT_FALSE(has(sounds, "malformed") || has(sounds, "could not")) << sounds;
    const std::string settings = logOfSeeds(fuzzSettings, settingsSeeds());
    EXPECT_FALSE(has(settings, "out of range")) << settings;
    const auto seeds = settingsSeeds();
    EXPECT_EQ(seeds.front().size(), 185u);
}

TEST(FuzzHarness, WrittenScriptsReadBackTheSame) {
    const std::vector<std::string> texts = {"a\\b", "#1 \\\\", "x\b\r\t", "trailing  ", "\x7f\x01"};
    std::vector<kwScriptAction> actions;
    for (size_t i = 0; i < texts.size(); ++i) {
        kwScriptAction a;
        a.at = uint32_t(100 - i);
        a.kind = kwActionKind::Chars;
        a.text = texts[i];
        actions.push_back(a);
    }
    kwScriptAction shot;
    shot.kind = kwActionKind::Screenshot;
    shot.text = "shots/a b.png";
    actions.push_back(shot);
    std::vector<kwScriptAction> back;
    std::string error;
    ASSERT_TRUE(parseRunnerScript(writeRunnerScript(actions), &back, &error)) << error;
    ASSERT_EQ(back.size(), actions.size());
    EXPECT_EQ(back[0].text, shot.text);  // time 0 sorts first
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(back[5 - i].text, texts[i]) << i;
}

TEST(FuzzHarness, InputBytesReadLittleEndianThenZeros) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    kwFuzzBytes in(bytes, sizeof bytes);
    EXPECT_EQ(in.u16(), 0x0201);
    EXPECT_EQ(in.u32(), 0x06050403u);
    EXPECT_EQ(in.take(5).size(), 1u);
    EXPECT_EQ(in.u32(), 0u);
    EXPECT_EQ(in.left(), 0u);
}
