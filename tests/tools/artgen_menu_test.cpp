// The generated menu and panel pictures against the code that shows them:
// every name the menu loads is a run-length picture in one of its
// archives, and at the coordinates the menu code uses (panel offsets,
// name fields, high-score rows, chip rows, demonstration pieces) the
// pictures compose without overlaps and leave the code's texts and
// pieces visible.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/eye_format.h"
#include "assets/linked_file.h"
#include "render/eye.h"

namespace {

const std::string kData = GG_BINARY_DIR "/data/";

std::string two(int i) {
    return (i < 10 ? "0" : "") + std::to_string(i);
}

// Every picture the menu scene and its panels load, by archive.
std::map<std::string, std::vector<std::string>> menuNames() {
    std::map<std::string, std::vector<std::string>> names;
    auto& menu = names["menu.lfl"];
    menu = {"title_01.eye", "orange_01.eye", "orange_02.eye", "quenvale_logo.eye", "copyright.eye"};
    for (const char* stem :
         {"play", "howto", "players", "skill", "volume", "scores", "credits", "split"})
        for (int n : {1, 2}) menu.push_back(std::string(stem) + "_button_" + two(n) + ".eye");
    auto& players = names["sub_players.lfl"];
    for (int p = 1; p <= 3; ++p) {
        const std::string n = std::to_string(p);
        players.insert(players.end(), {"big_" + n + "p_01.eye", "small_" + n + "p_01.eye",
                                       "small_" + n + "p_02.eye", "name_space_0" + n + ".eye"});
    }
    players.insert(players.end(), {"grey_space_02.eye", "grey_space_03.eye"});
    auto& skill = names["sub_skill.lfl"];
    skill = {"start_level_01.eye", "speed_factor_01.eye"};
    for (int i = 1; i <= 6; ++i)
        skill.insert(skill.end(),
                     {"start_chip_" + two(i) + ".eye", "speed_chip_" + two(i) + ".eye"});
    for (const char* s : {"easy", "medium", "hard"})
        for (const char* k : {"_small_01.eye", "_small_02.eye", "_big_01.eye"})
            skill.push_back(std::string(s) + k);
    auto& volume = names["sub_volume.lfl"];
    volume = {"music_volume_01.eye", "soundfx_volume_01.eye"};
    for (int i = 0; i <= 10; ++i)
        volume.insert(volume.end(), {"chip_" + two(i) + ".eye", "chip_glow_" + two(i) + ".eye"});
    names["sub_credits.lfl"] = {"credits_01.eye"};
    names["sub_howto.lfl"] = {"menu_text_01.eye"};
    names["sub_hs.lfl"] = {"hs_text_01.eye", "hs_clear_01.eye", "hs_clear_02.eye"};
    return names;
}

// Scene rectangle of a placed picture: [left, right) x (bottom, top].
struct Rect {
    int left, right, bottom, top;
    bool overlaps(const Rect& o) const {
        return left < o.right && o.left < right && bottom < o.top && o.bottom < top;
    }
    bool contains(const Rect& o) const {
        return left <= o.left && o.right <= right && bottom <= o.bottom && o.top <= top;
    }
    bool operator==(const Rect&) const = default;
};

class MenuArt : public testing::Test {
protected:
    static void SetUpTestSuite() {
        archive = new kwLinkedFileList;
        for (const auto& [file, names] : menuNames()) {
            if (!archive->add_lfl_path(kData + file)) missing.push_back(file);
        }
    }
    static void TearDownTestSuite() {
        images.clear();
        delete archive;
        archive = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(missing.empty())
            << "no " << missing.front() << " in " << kData << " (build the game_data target)";
    }

    // The picture as its owner places it: stored position plus offset.
    static kwEyeTransparency& eye(const std::string& name, int dx = 0, int dy = 0) {
        auto e = std::make_unique<kwEyeTransparency>();
        e->setLinkedFile(archive->find(name.c_str()));
        e->x += float(dx);
        e->y += float(dy);
        images.push_back(std::move(e));
        return *images.back();
    }
    static Rect rect(kwEye& e) {
        const int left = int(e.x) - e.width / 2, top = int(e.y) + e.height / 2;
        return {left, left + e.width, top - e.height, top};
    }

    static inline kwLinkedFileList* archive = nullptr;
    static inline std::vector<std::string> missing;
    static inline std::vector<std::unique_ptr<kwEyeTransparency>> images;
};

TEST_F(MenuArt, EveryPictureTheMenuLoadsIsARunLengthImageOfItsArchive) {
    for (const auto& [file, names] : menuNames()) {
        kwLinkedFileList one;
        ASSERT_TRUE(one.add_lfl_path(kData + file));
        for (const std::string& name : names) {
            kwLinkedFile* f = nullptr;
            for (kwLinkedFile* r = one.head; r && !f; r = r->next)
                if (namesEqual(r->name, name.c_str())) f = r;
            ASSERT_NE(f, nullptr) << name << " missing from " << file;
            kwEyeLayout layout;
            EXPECT_TRUE(checkEye(*f, kwEyeKind::RunLength, &layout)) << name;
        }
    }
}

TEST_F(MenuArt, MainScreenPiecesStayOnScreenAndApart) {
    const Rect screen{-400, 400, -300, 300};
    std::vector<std::pair<std::string, Rect>> fixed = {
        {"title", rect(eye("title_01.eye"))}, {"copyright", rect(eye("copyright.eye", -20))}};
    for (const char* stem :
         {"play", "howto", "players", "skill", "volume", "scores", "credits", "split"}) {
        const Rect normal = rect(eye(std::string(stem) + "_button_01.eye"));
        EXPECT_EQ(normal, rect(eye(std::string(stem) + "_button_02.eye"))) << stem;
        fixed.emplace_back(stem, normal);
    }
    // Whatever fills the panel area, drawn where its owner draws it.
    const std::vector<std::pair<std::string, Rect>> panels = {
        {"start", rect(eye("orange_01.eye"))},
        {"logo", rect(eye("quenvale_logo.eye"))},
        {"players", rect(eye("big_1p_01.eye", -15, -11))},
        {"skill", rect(eye("easy_big_01.eye", -30))},
        {"volume", rect(eye("music_volume_01.eye"))},
        {"howto", rect(eye("menu_text_01.eye"))},
        {"scores", rect(eye("hs_text_01.eye"))},
        {"credits", rect(eye("credits_01.eye", 0, -10))},
    };
    for (size_t i = 0; i < fixed.size(); ++i) {
        EXPECT_TRUE(screen.contains(fixed[i].second)) << fixed[i].first;
        for (size_t j = i + 1; j < fixed.size(); ++j)
            EXPECT_FALSE(fixed[i].second.overlaps(fixed[j].second))
                << fixed[i].first << " / " << fixed[j].first;
        for (const auto& [name, r] : panels)
            EXPECT_FALSE(fixed[i].second.overlaps(r)) << fixed[i].first << " / panel " << name;
    }
    for (const auto& [name, r] : panels) EXPECT_TRUE(screen.contains(r)) << name;
    // The start picture and the pulsing logo share the panel area side by side.
    EXPECT_FALSE(panels[0].second.overlaps(panels[1].second));
    EXPECT_EQ(rect(eye("orange_01.eye")), rect(eye("orange_02.eye")));
}

TEST_F(MenuArt, MouseStartsOverTheStartPicture) {
    EXPECT_TRUE(eye("orange_01.eye").hitTest(240, -110, false));
    EXPECT_FALSE(eye("quenvale_logo.eye").hitTest(240, -110, false));
}

TEST_F(MenuArt, HighScoreRowsShowThroughTheCard) {
    kwEyeTransparency& card = eye("hs_text_01.eye");
    kwEyeTransparency& clear = eye("hs_clear_01.eye");
    EXPECT_EQ(rect(clear), rect(eye("hs_clear_02.eye")));
    // Each column's text, centred on its point: "Sparkly", "16", "HARD",
    // "1234567" at 36 px, with the shadow 2 px below.
    const int columnX[4] = {-222, -61, 57, 205};
    const int halfWidth[4] = {64, 20, 48, 70};
    for (int row = 0; row < 5; ++row) {
        const int y = -10 - 32 * row;
        for (int c = 0; c < 4; ++c) {
            for (int dx : {-halfWidth[c], 0, halfWidth[c]}) {
                for (int dy : {17, 0, -19}) {
                    const int x = columnX[c] + dx;
                    EXPECT_TRUE(card.hitTest(x, y + dy, false)) << "row " << row << " col " << c;
                    EXPECT_FALSE(card.hitTest(x, y + dy, true)) << "row " << row << " col " << c;
                    EXPECT_FALSE(clear.hitTest(x, y + dy, false)) << "row " << row;
                }
            }
        }
    }
    // The clear button answers the pixel test on its face.
    const Rect r = rect(clear);
    EXPECT_TRUE(clear.hitTest((r.left + r.right) / 2, (r.top + r.bottom) / 2, true));
}

TEST_F(MenuArt, NameFieldsWriteInsideTheirBoxes) {
    const int ox = -15, oy = -11;
    std::vector<Rect> boxes;
    for (int i = 1; i <= 3; ++i)
        boxes.push_back(rect(eye("name_space_0" + std::to_string(i) + ".eye", ox, oy)));
    EXPECT_EQ(boxes[1], rect(eye("grey_space_02.eye", ox, oy)));
    EXPECT_EQ(boxes[2], rect(eye("grey_space_03.eye", ox, oy)));
    const int fieldX[3] = {-279, -79, 120};
    // Left-aligned, vertically centred 24 px names of up to about 150 px,
    // whether the panel's own position is its offset or the origin.
    const int panelAt[2][2] = {{ox, oy}, {0, 0}};
    for (const auto& [px, py] : panelAt) {
        for (int i = 0; i < 3; ++i) {
            const Rect text{px + fieldX[i], px + fieldX[i] + 150, py - 62 - 12, py - 62 + 12};
            EXPECT_TRUE(boxes[size_t(i)].contains(text)) << "field " << i << " at " << px;
            for (int j = 0; j < 3; ++j) {
                if (j == i) continue;
                EXPECT_FALSE(boxes[size_t(j)].overlaps(text)) << i << "/" << j;
            }
        }
    }
    for (int i = 1; i <= 3; ++i) {
        const Rect button = rect(eye("small_" + std::to_string(i) + "p_01.eye", ox, oy));
        EXPECT_EQ(button, rect(eye("small_" + std::to_string(i) + "p_02.eye", ox, oy)));
        for (const Rect& box : boxes) EXPECT_FALSE(button.overlaps(box));
    }
}

TEST_F(MenuArt, VolumeRowsLineUpWithoutTouching) {
    const Rect card = rect(eye("music_volume_01.eye"));
    const Rect heading = rect(eye("soundfx_volume_01.eye"));
    std::vector<Rect> chips;
    for (int drop : {0, 140}) {
        for (int i = 0; i <= 10; ++i) {
            const Rect chip = rect(eye("chip_" + two(i) + ".eye", 0, -drop));
            EXPECT_EQ(chip, rect(eye("chip_glow_" + two(i) + ".eye", 0, -drop))) << i;
            EXPECT_TRUE(card.contains(chip)) << i << " drop " << drop;
            EXPECT_FALSE(heading.overlaps(chip)) << i << " drop " << drop;
            chips.push_back(chip);
        }
    }
    for (size_t i = 0; i < chips.size(); ++i)
        for (size_t j = i + 1; j < chips.size(); ++j)
            EXPECT_FALSE(chips[i].overlaps(chips[j])) << i << "/" << j;
    // Louder chips stand further right.
    for (size_t i = 1; i <= 10; ++i) EXPECT_GT(chips[i].left, chips[i - 1].left);
}

TEST_F(MenuArt, SkillChipsAnswerThePixelTestAndStayApart) {
    std::vector<Rect> taken;
    for (const char* row : {"speed_chip_", "start_chip_"}) {
        for (int i = 1; i <= 6; ++i) {
            kwEyeTransparency& chip = eye(row + two(i) + ".eye", -30);
            const Rect r = rect(chip);
            const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
            EXPECT_TRUE(chip.hitTest(cx, cy, true)) << row << i;
            EXPECT_FALSE(chip.hitTest(r.left, r.top - 1, true)) << row << i << " corner";
            taken.push_back(r);
        }
    }
    for (const char* s : {"easy", "medium", "hard"}) {
        const Rect r = rect(eye(std::string(s) + "_small_01.eye", -30));
        EXPECT_EQ(r, rect(eye(std::string(s) + "_small_02.eye", -30)));
        taken.push_back(r);
    }
    const Rect card = rect(eye("easy_big_01.eye", -30));
    for (size_t i = 0; i < taken.size(); ++i) {
        EXPECT_TRUE(card.contains(taken[i])) << i;
        for (size_t j = i + 1; j < taken.size(); ++j)
            EXPECT_FALSE(taken[i].overlaps(taken[j])) << i << "/" << j;
    }
    for (const char* s : {"medium", "hard"})
        EXPECT_EQ(card, rect(eye(std::string(s) + "_big_01.eye", -30)));
}

// A lit chip must hide the unlit token printed on its label, or the
// chosen level shows a double outline.
TEST_F(MenuArt, LitSkillChipsCoverTheirUnlitTokens) {
    const std::pair<const char*, const char*> rows[] = {{"speed_chip_", "speed_factor_01.eye"},
                                                        {"start_chip_", "start_level_01.eye"}};
    for (const auto& [chipName, labelName] : rows) {
        kwEyeTransparency& label = eye(labelName, -30);
        for (int i = 1; i <= 6; ++i) {
            kwEyeTransparency& chip = eye(chipName + two(i) + ".eye", -30);
            const Rect r = rect(chip);
            int tokenPixels = 0, uncovered = 0;
            for (int y = r.bottom + 1; y <= r.top; ++y) {
                for (int x = r.left; x < r.right; ++x) {
                    if (!label.hitTest(x, y, true)) continue;
                    ++tokenPixels;
                    if (!chip.hitTest(x, y, true)) ++uncovered;
                }
            }
            EXPECT_GT(tokenPixels, 900) << chipName << i << ": no token under the chip";
            EXPECT_EQ(uncovered, 0) << chipName << i;
        }
    }
}

int opaquePixels(kwEyeTransparency& e) {
    int n = 0;
    const int left = int(e.x) - e.width / 2, top = int(e.y) + e.height / 2;
    for (int y = top - e.height + 1; y <= top; ++y)
        for (int x = left; x < left + e.width; ++x) n += e.hitTest(x, y, true);
    return n;
}

// Hovering must show something: the highlight is a different picture whose
// glow reaches past the normal one's edge.
TEST_F(MenuArt, HighlightsGlowBeyondTheNormalPicture) {
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"hs_clear_01.eye", "hs_clear_02.eye"}};
    for (const char* b :
         {"play", "howto", "players", "skill", "volume", "scores", "credits", "split"})
        pairs.emplace_back(std::string(b) + "_button_01.eye", std::string(b) + "_button_02.eye");
    for (const char* s : {"easy", "medium", "hard"})
        pairs.emplace_back(std::string(s) + "_small_01.eye", std::string(s) + "_small_02.eye");
    for (const char* p : {"1p", "2p", "3p"})
        pairs.emplace_back(std::string("small_") + p + "_01.eye",
                           std::string("small_") + p + "_02.eye");
    for (int i = 0; i <= 10; ++i)
        pairs.emplace_back("chip_" + two(i) + ".eye", "chip_glow_" + two(i) + ".eye");
    for (const auto& [normal, lit] : pairs) {
        const int plain = opaquePixels(eye(normal)), glowing = opaquePixels(eye(lit));
        EXPECT_GT(glowing, plain + plain / 20) << lit << " does not stand out from " << normal;
    }
    // The start picture lights up inside its own card.
    kwLinkedFile* normal = archive->find("orange_01.eye");
    kwLinkedFile* lit = archive->find("orange_02.eye");
    ASSERT_TRUE(normal && lit);
    EXPECT_FALSE(normal->size == lit->size &&
                 std::equal(normal->data, normal->data + normal->payloadSize(), lit->data));
}

TEST_F(MenuArt, HowToCardLeavesThePiecesVisible) {
    kwEyeTransparency& card = eye("menu_text_01.eye");
    const int spots[][2] = {{-114, 37}, {5, 39},      {217, 37}, {267, 37},
                            {317, 37},  {-115, -114}, {4, -111}};
    for (const auto& s : spots) {
        // The piece's 48 px cell, a little inset: all of it shows.
        for (int dx : {-20, 0, 20}) {
            for (int dy : {-20, 0, 20}) {
                EXPECT_TRUE(card.hitTest(s[0] + dx, s[1] + dy, false));
                EXPECT_FALSE(card.hitTest(s[0] + dx, s[1] + dy, true))
                    << "piece at " << s[0] << "," << s[1] << " covered at " << dx << "," << dy;
            }
        }
    }
    // Between the windows the card is solid, so the lettering reads.
    EXPECT_TRUE(card.hitTest(0, -20, true));
    EXPECT_TRUE(card.hitTest(-300, 100, true));
}

}  // namespace
