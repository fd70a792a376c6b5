// What the fuzz targets found, each as a case made by code and checked
// without a sanitizer. The image faults were reads past a payload after a
// plain image converted a blob in place that a run-length image shares: a
// blob can be both a valid plain picture and a valid run-length one, and as
// pixels its run bytes change. Here they show as the re-check (and the
// refusal) that must happen instead of walking the old runs. The script
// faults were a comment rule that read the verb differently from the parser,
// and carriage returns left before a comment once line ends dropped theirs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/runner_script.h"
#include "assets/eye_format.h"
#include "assets/pixel_format.h"
#include "eye_payloads.h"
#include "render/eye.h"
#include "render/render_target.h"
#include "shell/log.h"

namespace {

using Bytes = std::vector<uint8_t>;
using eyetest::putU32;

constexpr int kSide = 64;
constexpr uint32_t kFormat565 = 0xF8FCF8;

// A 16-bit 5-6-5 run-length payload, row table straight after the header.
Bytes runLengthPayload(int32_t w, const std::vector<Bytes>& rows) {
    const uint32_t table = kEyeHeaderBytes, pixels = table + 4 * uint32_t(rows.size());
    Bytes p(pixels + 4, 0);
    putU32(p, 12, uint32_t(w));
    putU32(p, 16, uint32_t(rows.size()));
    putU32(p, 28, 16);
    putU32(p, 32, kFormat565);
    putU32(p, 76, table - 4);
    putU32(p, 80, pixels);
    uint32_t at = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        putU32(p, table + 4 * r, at);
        at += uint32_t(rows[r].size());
        p.insert(p.end(), rows[r].begin(), rows[r].end());
    }
    putU32(p, pixels, at);
    return p;
}

// A mask whose rows start at these units, every opacity byte 255.
Bytes maskPayload(int32_t w, const std::vector<uint32_t>& rowUnits, uint32_t units) {
    const uint32_t table = kMaskHeaderBytes, stream = table + 4 * uint32_t(rowUnits.size());
    Bytes p(stream + 4, 0);
    putU32(p, 12, uint32_t(w));
    putU32(p, 16, uint32_t(rowUnits.size()));
    putU32(p, 28, 8);
    putU32(p, 48, table - 4);
    putU32(p, 52, stream);
    for (size_t r = 0; r < rowUnits.size(); ++r) putU32(p, table + 4 * r, rowUnits[r]);
    putU32(p, stream, units);
    p.insert(p.end(), units, 255);
    return p;
}

class FuzzFindings : public testing::Test {
protected:
    void SetUp() override {
        frame.assign(size_t(kSide) * kSide, 0x1234);
        screenSlot =
            kwRenderTarget{reinterpret_cast<uint8_t*>(frame.data()), kSide * 2, kSide, kSide};
        targetScreen();
        use(0xF800, 0x07E0);
        logCaptureBegin();
    }
    void TearDown() override {
        logCaptureEnd();
        use(0xF800, 0x07E0);
        screenSlot = kwRenderTarget{};
        targetScreen();
    }
    static void use(uint32_t red, uint32_t green) {
        pixelFormat = makePixelFormat(red, green, 0x001F);
    }
    static void use555() { use(0x7C00, 0x03E0); }
    static bool logged(const char* text) {
        return std::string(logCaptured()).find(text) != std::string::npos;
    }

    std::vector<uint16_t> frame;
};

}  // namespace

TEST_F(FuzzFindings, RunLengthHitTestsRecheckABlobAPlainImageConvertedInPlace) {
    // Empty run pairs, then a skip to the width: as pixels the same 128
    // bytes are a plain 32x2 picture, which on 5-5-5 turns to zeros and
    // one stray count that would send the walk past the payload.
    Bytes row0(62, 0), row1(64, 0);
    row0.push_back(32);
    row1.push_back(32);
    auto blob = makeLinkedFile("both.eye", runLengthPayload(32, {row0, row1}));
    use555();
    kwEyeTransparency runs;
    kwEyeRaw plain;
    runs.setLinkedFile(blob.get());
    plain.setLinkedFile(blob.get());
    EXPECT_FALSE(runs.hitTest(8, 0, true));  // row 0 is all skip
    EXPECT_FALSE(logged("malformed"));

    ASSERT_TRUE(plain.place());
    plain.draw();
    ASSERT_EQ(eyetest::u32At(*blob, 32), pixelFormat.formatWord());  // converted where it lies
    logCaptureBegin();
    EXPECT_FALSE(runs.hitTest(8, 0, true));
    EXPECT_TRUE(logged("kwEyeTransparency::changeBPP - malformed payload both.eye (row overruns)"))
        << logCaptured();
}

TEST_F(FuzzFindings, MasksRecheckAnImageAPlainImageConvertedInPlace) {
    // An 8x2 run-length picture of 19 units that, converted to 5-5-5 as
    // pixels, is still a valid run-length picture, of 22 units: the old
    // mask's 19 bytes cannot follow it.
    const Bytes row0 = {0, 8, 32, 1, 32, 0, 2, 0, 1, 0, 2, 2, 0, 2, 1, 2, 32, 0};
    const Bytes row1 = {3, 2, 32, 1, 1, 1, 0, 3, 2, 0, 64, 0, 0, 2};
    auto blob = makeLinkedFile("both.eye", runLengthPayload(8, {row0, row1}));
    auto maskBlob = makeLinkedFile("both.msk", maskPayload(8, {0, 10}, 19));
    kwAlphaMask mask;
    mask.setLinkedFile(maskBlob.get());
    kwEyeTransparencyMaskedAlpha masked;
    kwEyeRaw plain;
    masked.setLinkedFile(blob.get());
    masked.setMask(&mask);
    plain.setLinkedFile(blob.get());
    ASSERT_TRUE(masked.place());
    masked.draw();
    EXPECT_FALSE(logged("malformed")) << logCaptured();

    use555();
    ASSERT_TRUE(plain.place());
    plain.draw();
    const std::vector<uint16_t> before = frame;
    ASSERT_TRUE(masked.place());
    masked.draw();
    EXPECT_TRUE(
        logged("kwEyeTransparencyMaskedAlpha::draw - malformed payload both.msk (mask "
               "stream does not follow the image's runs)"))
        << logCaptured();
    EXPECT_EQ(frame, before);  // refused: nothing drawn
}

TEST(FuzzFindingsScript, ACommentStartsWhereTheParserSeesTheVerb) {
    // With the time glued to the verb, the comment rule once took the
    // second word for the verb: "char" kept a screenshot's '#' as text and
    // a typed '#' started a comment.
    std::vector<kwScriptAction> glued, spaced;
    std::string error;
    ASSERT_TRUE(parseRunnerScript("5screenshot char #x\n7char a#b\n", &glued, &error)) << error;
    ASSERT_TRUE(parseRunnerScript("5 screenshot char #x\n7 char a#b\n", &spaced, &error)) << error;
    ASSERT_EQ(glued.size(), 2u);
    ASSERT_EQ(spaced.size(), 2u);
    EXPECT_EQ(glued[0].text, "char ");
    EXPECT_EQ(glued[0].text, spaced[0].text);
    EXPECT_EQ(glued[1].text, "a#b");
    EXPECT_EQ(glued[1].text, spaced[1].text);
}

TEST(FuzzFindingsScript, ReturnsBeforeACommentGoLikeThoseAtTheEnd) {
    // Line ends drop their carriage returns; a name cut short by a comment
    // kept those before the '#', and written back without the comment they
    // stood at the end and went.
    std::vector<kwScriptAction> first, again;
    std::string error;
    ASSERT_TRUE(parseRunnerScript("2 screenshot s0\r\r#x\n3 dump d\r #y\r\n", &first, &error))
        << error;
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].text, "s0");
    EXPECT_EQ(first[1].text, "d\r ");  // not at the end: kept, and kept again below
    ASSERT_TRUE(parseRunnerScript("2 screenshot s0\n3 dump d\r \n", &again, &error)) << error;
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].text, first[0].text);
    EXPECT_EQ(again[1].text, first[1].text);
}
