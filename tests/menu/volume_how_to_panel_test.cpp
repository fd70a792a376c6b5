// The volume and how-to panels over the generated menu data: which chip
// sets which volume, what glows, the menu music following the music row at
// once, the candy's one-shot sparkle, the card drawn over the pieces, and
// missing pictures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "audio/sound_list.h"
#include "audio/sound_volume.h"
#include "menu/how_to_panel.h"
#include "menu/volume_panel.h"
#include "platform/headless/headless.h"
#include "render/render_target.h"
#include "render/screen.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/log.h"
#include "shell/random.h"

namespace {

uint32_t g_now = 0;
constexpr int kW = 800, kH = 600;
constexpr uint16_t kClear = 0x0841;  // a colour no picture uses

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPlatform(&headlessPlatform());
        headlessReset();
        headlessPlatform().openWindow({});
        createRenderScreen(kW, kH, 16);
        setDataFolder(GG_BINARY_DIR "/data");
        resetClock();
        g_now = 1000;
        setTickSource([] { return g_now; });
        seedRandomWith(7);
        saved = gameState;
        gameState = kwGameState{};
        archive.add_lfl("sub_volume.lfl");
        archive.add_lfl("sub_howto.lfl");
        pixels.assign(size_t(kW) * kH, kClear);
        // Sprites draw into the screen's slot, so the test's frame stands there.
        savedSlot = screenSlot;
        screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(pixels.data()), kW * 2, kW, kH};
        targetScreen();
    }
    void TearDown() override {
        logCaptureEnd();
        screenSlot = savedSlot;
        renderTarget = kwRenderTarget{};
        gameState = saved;
        setTickSource(nullptr);
        setDataFolder("");
        destroyRenderScreen();
        headlessReset();
    }
    void clearPixels() { std::fill(pixels.begin(), pixels.end(), kClear); }
    // The pixel under scene point (x, y).
    uint16_t at(const std::vector<uint16_t>& frame, float x, float y) const {
        return frame[size_t(kH / 2 - int(y)) * kW + size_t(kW / 2 + int(x))];
    }

    kwGameState saved;
    kwRenderTarget savedSlot;
    kwLinkedFileList archive;
    std::vector<uint16_t> pixels;
};

class VolumePanel : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        panel = std::make_unique<kwVolumePanel>(&archive);
        ASSERT_TRUE(panel->load());
    }
    void TearDown() override {
        panel.reset();
        PanelTest::TearDown();
    }
    kwEyeTransparency& chip(bool music, int i) {
        return *(music ? panel->musicRow : panel->soundRow)[size_t(i)].normal;
    }
    bool clickChip(bool music, int i) {
        kwEyeTransparency& c = chip(music, i);
        return panel->handleClick(int32_t(c.x), int32_t(c.y));
    }
    // Which chips of a row glow, as a string of 11 '0'/'1'.
    std::string glowing(bool music) {
        std::string s;
        for (auto& c : music ? panel->musicRow : panel->soundRow) {
            EXPECT_NE(c.normal->visible, c.glow->visible);  // exactly one of the pair shows
            s += c.glow->visible ? '1' : '0';
        }
        return s;
    }
    std::unique_ptr<kwVolumePanel> panel;
};

class HowToPanel : public PanelTest {};

}  // namespace

// ---- volume panel ------------------------------------------------------------------

TEST_F(VolumePanel, EachChipSetsOnlyItsOwnRowsVolume) {
    for (int i = 0; i <= kMaxVolume; ++i) {
        // The sound row is the music row 140 px lower, chip for chip.
        EXPECT_EQ(chip(false, i).y, chip(true, i).y - kwVolumePanel::kSoundRowDrop);
        gameState.soundVolume = 10 - i;
        ASSERT_TRUE(clickChip(true, i)) << i;
        EXPECT_EQ(gameState.musicVolume, i);
        EXPECT_EQ(gameState.soundVolume, 10 - i);
        ASSERT_TRUE(clickChip(false, i)) << i;
        EXPECT_EQ(gameState.soundVolume, i);
        EXPECT_EQ(gameState.musicVolume, i);
    }
    // Off the chips: the card, the gap between the rows, the far corner.
    gameState.musicVolume = 4;
    gameState.soundVolume = 6;
    const kwEyeTransparency& first = chip(true, 0);
    for (auto [x, y] : {std::pair{first.x - float(first.width), first.y},
                        std::pair{first.x, first.y - kwVolumePanel::kSoundRowDrop / 2},
                        std::pair{390.0f, 290.0f}}) {
        EXPECT_FALSE(panel->handleClick(int32_t(x), int32_t(y))) << x << "," << y;
    }
    EXPECT_EQ(gameState.musicVolume, 4);
    EXPECT_EQ(gameState.soundVolume, 6);
}

TEST_F(VolumePanel, TheChosenChipsAndTheOneUnderTheMouseGlow) {
    gameState.musicVolume = 3;
    gameState.soundVolume = 7;
    auto fresh = std::make_unique<kwVolumePanel>(&archive);
    fresh->load();
    panel.swap(fresh);
    // The choice shows from the start, before any hover.
    EXPECT_EQ(glowing(true), "00010000000");
    EXPECT_EQ(glowing(false), "00000001000");

    const kwEyeTransparency& five = chip(true, 5);
    panel->updateHover(int32_t(five.x), int32_t(five.y));
    EXPECT_EQ(glowing(true), "00010100000");
    EXPECT_EQ(glowing(false), "00000001000");

    // Over the chosen chip, and then away: the choice keeps glowing.
    const kwEyeTransparency& seven = chip(false, 7);
    panel->updateHover(int32_t(seven.x), int32_t(seven.y));
    EXPECT_EQ(glowing(true), "00010000000");
    EXPECT_EQ(glowing(false), "00000001000");

    ASSERT_TRUE(clickChip(true, 8));
    panel->updateHover(390, 290);
    EXPECT_EQ(glowing(true), "00000000100");

    // A damaged setting chooses nothing and reads nothing outside the row.
    gameState.musicVolume = 42;
    gameState.soundVolume = -1;
    panel->updateHover(390, 290);
    EXPECT_EQ(glowing(true), "00000000000");
    EXPECT_EQ(glowing(false), "00000000000");
}

TEST_F(VolumePanel, TheMenuMusicFollowsTheMusicRowAtOnce) {
    ASSERT_TRUE(initSound());
    kwLinkedFileList sfx;
    ASSERT_TRUE(sfx.add_lfl("sfx.lfl"));
    kwSound music(sfx.find("menu_music_01.noi"));
    ASSERT_TRUE(music.buffer);
    gameState.musicVolume = 10;
    music.play(true);
    panel->setMusic(&music);

    ASSERT_TRUE(clickChip(true, 0));
    EXPECT_EQ(music.volume, 0.0f);
    EXPECT_TRUE(music.isPlaying());  // silenced, not stopped
    ASSERT_TRUE(clickChip(true, 5));
    EXPECT_EQ(music.volume, 5.0f * 0.1f);
    ASSERT_TRUE(clickChip(false, 1));  // the effects row leaves the music alone
    EXPECT_EQ(music.volume, 5.0f * 0.1f);

    // Music that is not playing keeps its volume until it is played again.
    music.stop();
    ASSERT_TRUE(clickChip(true, 9));
    EXPECT_EQ(gameState.musicVolume, 9);
    EXPECT_EQ(music.volume, 5.0f * 0.1f);

    // Without music (none loaded at a volume of 0) clicks just set the field.
    panel->setMusic(nullptr);
    ASSERT_TRUE(clickChip(true, 2));
    EXPECT_EQ(gameState.musicVolume, 2);
    deleteSoundList();
    shutdownSound();
}

TEST_F(VolumePanel, MissingPicturesAreLoggedAndTakeNoClicks) {
    kwLinkedFileList empty;
    kwVolumePanel bare(&empty);
    logCaptureBegin();
    EXPECT_FALSE(bare.load());
    EXPECT_NE(
        std::strstr(logCaptured(), "kwVolumePanel::load - missing or unusable file chip_10.eye"),
        nullptr);
    EXPECT_FALSE(bare.handleClick(0, 30));
    bare.updateHover(0, 30);
    bare.draw();
    EXPECT_EQ(gameState.musicVolume, kwGameState{}.musicVolume);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint16_t p) { return p == kClear; }));
}

// ---- how-to panel ------------------------------------------------------------------

TEST_F(HowToPanel, TheCandySparklesOnceUnderTheMouseAndTakesNoClicks) {
    kwHowToPanel panel(&archive);
    const auto spot = kwHowToPanel::kCandySpot;
    const int32_t cx = int32_t(spot.x), cy = int32_t(spot.y);
    // Found before it was ever drawn.
    panel.updateHover(cx, cy);
    ASSERT_TRUE(panel.candy);
    ASSERT_TRUE(panel.candy->highlighted());
    const uint32_t started = panel.candy->ambientC.start_time;

    // Still under the mouse: the sparkle runs on, not restarted.
    g_now += 500;
    panel.draw();
    panel.updateHover(cx, cy);
    EXPECT_EQ(panel.candy->ambientC.start_time, started);
    EXPECT_FALSE(panel.handleClick(cx, cy));

    // 25 frames at 15 a second, then back to rest; far from it nothing starts.
    g_now += 1700;
    panel.draw();
    EXPECT_FALSE(panel.candy->highlighted());
    panel.updateHover(cx + 200, cy - 150);
    panel.draw();
    EXPECT_FALSE(panel.candy->highlighted());
    panel.updateHover(cx, cy);
    EXPECT_TRUE(panel.candy->highlighted());
    EXPECT_EQ(panel.candy->ambientC.start_time, g_now);
}

TEST_F(HowToPanel, PiecesShowThroughTheCardsWindowsAndTheCardCoversTheRest) {
    kwHowToPanel panel(&archive);
    ASSERT_TRUE(panel.load());
    panel.card->place();
    panel.card->draw();
    const std::vector<uint16_t> cardOnly = pixels;

    clearPixels();
    panel.draw();
    std::vector<kwHowToPanel::Spot> spots(kwHowToPanel::kOrangeSpots.begin(),
                                          kwHowToPanel::kOrangeSpots.end());
    spots.insert(spots.end(), kwHowToPanel::kAppleSpots.begin(), kwHowToPanel::kAppleSpots.end());
    spots.push_back(kwHowToPanel::kCandySpot);
    for (const auto& s : spots) {
        EXPECT_EQ(at(cardOnly, s.x, s.y), kClear) << s.x << "," << s.y << ": a window";
        EXPECT_NE(at(pixels, s.x, s.y), kClear) << s.x << "," << s.y << ": a piece";
    }
    // Wherever the card has a pixel, the pieces drawn before it are hidden.
    size_t covered = 0, differ = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (cardOnly[i] == kClear) continue;
        ++covered;
        differ += pixels[i] != cardOnly[i];
    }
    EXPECT_GT(covered, 0u);
    EXPECT_EQ(differ, 0u);
}

TEST_F(HowToPanel, AMissingCardIsLoggedAndThePiecesStillShow) {
    kwLinkedFileList empty;
    kwHowToPanel panel(&empty);
    logCaptureBegin();
    EXPECT_FALSE(panel.load());
    EXPECT_NE(std::strstr(logCaptured(),
                          "kwHowToPanel::load - missing or unusable file menu_text_01.eye"),
              nullptr);
    panel.draw();
    EXPECT_NE(at(pixels, kwHowToPanel::kCandySpot.x, kwHowToPanel::kCandySpot.y), kClear);
}
