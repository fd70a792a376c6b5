// The generated piece archives as the player sees them: each frame drawn
// with the game's own layered sprite at the centre of an 800 x 600 RGB565
// screen. Pieces sit on their 48 px cell over a soft shadow, blink, look
// where their look animation says, float when selected, loop without a jump, the cone's ray runs
// four cells the right way, and the carried brush scrubs where its bristles are. Reads the archives
// the build generated into its data folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "artgen/art_frame.h"
#include "tools/artgen_names.h"

namespace {

using artframe::Box;
using artframe::kH;
using artframe::kW;
constexpr int kCx = kW / 2, kCy = kH / 2;  // scene (0, 0)
constexpr int kCell = 48;
constexpr int kBodyReach = 30;         // body may overhang its cell by 6 px a side
constexpr double kMinBodyShare = 0.3;  // of the cell's area, so the piece reads
constexpr uint16_t kGrey = 0x8410;     // neutral background
constexpr int kWindow = 120;           // half side of the area kept for comparisons
// The carried brush: its centre stands 60 px right of and 54 px below the
// mouse (the hand's hot spot), and it scrubs 17 px right of and 22 px below
// the mouse; in scene units (y up) relative to the brush's centre:
constexpr int kScrubX = 17 - 60, kScrubY = 54 - 22;

// One frame drawn over grey, black and white: what it covers fully, what
// it touches at all, and where its darkest marks (pupils, ink) lie.
struct Drawn {
    std::vector<uint16_t> px;  // over grey, the window around the centre only
    Box opaqueBox, touchedBox;
    int opaqueCount = 0;
    double darkX = 0, darkY = 0;  // centroid of near-black pixels, screen units
    int darkCount = 0;
};

std::vector<uint16_t> drawOver(kwDrawable& d, uint16_t background) {
    artframe::Screen s;
    s.fill(background);
    artframe::drawOn(s, d);
    return std::move(s.px);
}

bool nearBlack(uint16_t v) {
    const int r = (v >> 11) << 3, g = ((v >> 5) & 63) << 2, b = (v & 31) << 3;
    return r + g + b < 110;
}

Drawn draw(kwDrawable& d) {
    Drawn out;
    const std::vector<uint16_t> grey = drawOver(d, kGrey);
    for (int y = kCy - kWindow; y < kCy + kWindow; ++y)
        for (int x = kCx - kWindow; x < kCx + kWindow; ++x)
            out.px.push_back(grey[size_t(y) * kW + x]);
    const std::vector<uint16_t> black = drawOver(d, 0), white = drawOver(d, 0xFFFF);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const size_t i = size_t(y) * kW + x;
            if (black[i] == white[i]) {
                out.opaqueBox.add(x, y);
                ++out.opaqueCount;
                if (nearBlack(black[i])) out.darkX += x, out.darkY += y, ++out.darkCount;
            }
            if (black[i] != 0 || white[i] != 0xFFFF) out.touchedBox.add(x, y);
        }
    if (out.darkCount) out.darkX /= out.darkCount, out.darkY /= out.darkCount;
    return out;
}

bool nearWhite(uint16_t v) {
    return (v >> 11) >= 30 && ((v >> 5) & 63) >= 60 && (v & 31) >= 30;
}

// The inside of an open mouth: dark, but lighter than the pupils' near-black.
bool mouthDark(uint16_t v) {
    const int r = (v >> 11) << 3, g = ((v >> 5) & 63) << 2, b = (v & 31) << 3;
    return r + g + b < 150 && r > g;
}

int count(const Drawn& d, bool (*test)(uint16_t)) {
    return int(std::count_if(d.px.begin(), d.px.end(), test));
}

int pixelsDiffering(const Drawn& a, const Drawn& b) {
    int n = 0;
    for (size_t i = 0; i < a.px.size(); ++i) n += a.px[i] != b.px[i];
    return n;
}

class PieceArt : public artframe::GeneratedArchives {
protected:
    // A piece's animations live in the archive named by their first word.
    std::unique_ptr<kwLayeredSprite> sprite(const std::string& anim, int frame) {
        const std::string stem = anim.substr(0, anim.find('_'));
        auto s = layeredSprite(stem + ".lfl", anim, frame);
        EXPECT_TRUE(s->isComplete()) << "b_" << anim << "_" << artframe::twoDigits(frame) << ".eye";
        return s;
    }
    const Drawn& frame(const std::string& anim, int i) {
        const std::string key = anim + "#" + std::to_string(i);
        auto found = drawn.find(key);
        if (found != drawn.end()) return found->second;
        auto s = sprite(anim, i);
        return drawn.emplace(key, draw(*s)).first->second;
    }

    std::map<std::string, Drawn> drawn;
};

std::vector<artnames::Archive> boardPieces() {
    std::vector<artnames::Archive> v = artnames::pieceArchives();
    v.erase(std::remove_if(v.begin(), v.end(),
                           [](const artnames::Archive& a) { return a.file == "brush.lfl"; }),
            v.end());
    return v;
}

bool isRay(const std::string& anim) {
    return anim.find("_fr") != std::string::npos;
}

// Every frame of every animation (the cone's rays aside) keeps the body on
// its cell with a small overhang, is big enough to read, and has the same
// size as the type's resting picture, so nothing jumps between animations.
TEST_F(PieceArt, PiecesSitOnTheirCellAtOneSize) {
    for (const artnames::Archive& a : boardPieces()) {
        const std::string rest = a.anims.front().name;
        auto restSprite = sprite(rest, 1);
        for (const artnames::Anim& anim : a.anims) {
            if (isRay(anim.name)) continue;
            for (int i = 1; i <= anim.frames; ++i) {
                auto s = sprite(anim.name, i);
                EXPECT_EQ(s->getWidth(), restSprite->getWidth()) << anim.name << " " << i;
                EXPECT_EQ(s->getHeight(), restSprite->getHeight()) << anim.name << " " << i;
                const Drawn d = draw(*s);
                ASSERT_FALSE(d.opaqueBox.empty()) << anim.name << " " << i << " is blank";
                EXPECT_GE(d.opaqueBox.left, kCx - kBodyReach) << anim.name << " " << i;
                EXPECT_LE(d.opaqueBox.right, kCx + kBodyReach) << anim.name << " " << i;
                EXPECT_GE(d.opaqueBox.top, kCy - kBodyReach) << anim.name << " " << i;
                EXPECT_LE(d.opaqueBox.bottom, kCy + kBodyReach) << anim.name << " " << i;
                if (anim.name != "apple_eaten") {
                    EXPECT_GE(d.opaqueCount, kMinBodyShare * kCell * kCell) << anim.name << i;
                }
            }
        }
    }
}

// Frame 1 is turned least, frame 3 fully: the dark marks of the face move
// toward the direction (screen down for look_down: scene y points up) and
// hardly across it.
TEST_F(PieceArt, LooksTurnTheEyesTowardTheirDirection) {
    struct Dir {
        const char* suffix;
        double dx, dy;  // screen units
    };
    const Dir dirs[] = {
        {"_look_down", 0, 1}, {"_look_up", 0, -1}, {"_look_left", -1, 0}, {"_look_right", 1, 0}};
    for (const artnames::Archive& a : boardPieces()) {
        const std::string stem = a.file.substr(0, a.file.size() - 4);
        if (stem == "choco" || stem == "chomp") continue;  // they never look
        const Drawn& rest = frame(stem + "_ambient_a", 1);
        for (const Dir& d : dirs) {
            const std::string anim = stem + d.suffix;
            const Drawn& first = frame(anim, 1);
            const Drawn& last = frame(anim, 3);
            const double along =
                (last.darkX - rest.darkX) * d.dx + (last.darkY - rest.darkY) * d.dy;
            const double across =
                std::fabs((last.darkX - rest.darkX) * d.dy - (last.darkY - rest.darkY) * d.dx);
            const double start =
                (first.darkX - rest.darkX) * d.dx + (first.darkY - rest.darkY) * d.dy;
            EXPECT_GT(along, 0.5) << anim;
            EXPECT_LT(across, along) << anim;
            EXPECT_LT(start, along) << anim << ": frame 1 should be turned least";
        }
    }
}

TEST_F(PieceArt, SelectedFloatsAboveTheRestingPoseWithAGlow) {
    for (const artnames::Archive& a : boardPieces()) {
        const std::string stem = a.file.substr(0, a.file.size() - 4);
        const Drawn& rest = frame(stem + "_ambient_a", 1);
        const Drawn& up = frame(stem + "_selected", 1);
        EXPECT_LE(up.opaqueBox.top, rest.opaqueBox.top - 2) << stem;
        EXPECT_LT(up.touchedBox.left, rest.touchedBox.left) << stem << ": no glow around it";
    }
}

// Every piece stands on a soft translucent shadow: something is drawn
// below its body, and none of it is opaque.
TEST_F(PieceArt, PiecesStandOnASoftShadow) {
    std::vector<std::string> resting;
    for (const artnames::Archive& a : boardPieces()) resting.push_back(a.anims.front().name);
    resting.push_back("brush_appears");
    for (const std::string& anim : resting) {
        const Drawn& d = frame(anim, anim == "brush_appears" ? 6 : 1);
        EXPECT_GT(d.touchedBox.bottom, d.opaqueBox.bottom + 1) << anim << ": no shadow below it";
    }
}

// A blink hides the eye whites on its middle frame and shows them again;
// the chomp's chomping loop goes from a wide dark mouth to shut teeth.
TEST_F(PieceArt, BlinksShutTheEyesAndTheChompChomps) {
    for (const artnames::Archive& a : boardPieces()) {
        const std::string stem = a.file.substr(0, a.file.size() - 4);
        if (stem == "chomp") continue;  // its ambient_b is the chomping loop
        const int open = count(frame(stem + "_ambient_a", 1), nearWhite);
        const int half = count(frame(stem + "_ambient_b", 1), nearWhite);
        const int shut = count(frame(stem + "_ambient_b", 2), nearWhite);
        EXPECT_LT(shut, open) << stem;
        EXPECT_LE(shut, half) << stem;  // sleepy eyes show little white even half open
        EXPECT_LE(half, open) << stem;
        EXPECT_EQ(count(frame(stem + "_ambient_b", 3), nearWhite), half) << stem;
    }
    const int wide = count(frame("chomp_ambient_b", 1), mouthDark);
    const int closing = count(frame("chomp_ambient_b", 2), mouthDark);
    const int shut = count(frame("chomp_ambient_b", 3), mouthDark);
    EXPECT_GT(wide, closing);
    EXPECT_GT(closing, shut);
}

// Loops wrap without a jump: last to first frame changes no more than the
// largest step inside the loop. Long idles that play once end near rest.
TEST_F(PieceArt, LoopsWrapAndOneShotIdlesReturnToRest) {
    const std::pair<const char*, int> loops[] = {{"donut_roll", 10},     {"chomp_ambient_b", 3},
                                                 {"chomp_ambient_c", 5}, {"banana_ambient_c", 5},
                                                 {"pear_ambient_c", 5},  {"wamelon_ambient_c", 17},
                                                 {"cone_ambient_d", 5},  {"brush_used", 6}};
    for (const auto& [anim, n] : loops) {
        int largest = 0;
        for (int i = 1; i < n; ++i)
            largest = std::max(largest, pixelsDiffering(frame(anim, i), frame(anim, i + 1)));
        EXPECT_GT(largest, 0) << anim << " does not move";
        EXPECT_LE(pixelsDiffering(frame(anim, n), frame(anim, 1)), largest * 5 / 4) << anim;
    }
    const std::pair<const char*, int> once[] = {{"apple_ambient_c", 11}, {"orange_ambient_c", 32},
                                                {"lemon_ambient_c", 36}, {"choco_ambient_c", 22},
                                                {"rhc_ambient_c", 25},   {"ohc_ambient_c", 16}};
    for (const auto& [anim, n] : once) {
        const std::string stem = std::string(anim).substr(0, std::string(anim).find('_'));
        const Drawn& rest = frame(stem + "_ambient_a", 1);
        int away = 0;
        for (int i = 1; i <= n; ++i) away = std::max(away, pixelsDiffering(frame(anim, i), rest));
        EXPECT_LT(pixelsDiffering(frame(anim, n), rest), away / 2) << anim;
    }
}

// The ray grows over frames 1-5 toward its direction until it covers the
// four cells ahead; behind the cone it stays within the cone's own cell.
TEST_F(PieceArt, ConeRaysRunFourCellsTheRightWay) {
    struct Ray {
        const char* anim;
        int dx, dy;  // screen units
    };
    const Ray rays[] = {{"cone_frdown", 0, 1},
                        {"cone_frup", 0, -1},
                        {"cone_frleft", -1, 0},
                        {"cone_frright", 1, 0}};
    for (const Ray& r : rays) {
        int previous = 0;
        for (int i = 1; i <= 5; ++i) {
            const Drawn& d = frame(r.anim, i);
            const int ahead = r.dx > 0   ? d.touchedBox.right - kCx
                              : r.dx < 0 ? kCx - d.touchedBox.left
                              : r.dy > 0 ? d.touchedBox.bottom - kCy
                                         : kCy - d.touchedBox.top;
            const int behind = r.dx > 0   ? kCx - d.touchedBox.left
                               : r.dx < 0 ? d.touchedBox.right - kCx
                               : r.dy > 0 ? kCy - d.touchedBox.top
                                          : d.touchedBox.bottom - kCy;
            EXPECT_GE(ahead, previous) << r.anim << " " << i << " shrinks";
            EXPECT_LE(behind, kCell / 2 + 8) << r.anim << " " << i;
            previous = ahead;
            if (i >= 4) {
                EXPECT_GE(ahead, 4 * kCell) << r.anim << " " << i << " falls short";
            }
        }
        EXPECT_GT(pixelsDiffering(frame(r.anim, 4), frame(r.anim, 5)), 0)
            << r.anim << ": the held frames should shimmer";
    }
}

// In the hand the brush is drawn at the hot spot; the scrub point must lie
// on the brush itself (the game's own exact hit test) in every frame the
// player scrubs with, and the brush appearing on the board ends resting on
// its cell.
TEST_F(PieceArt, CarriedBrushScrubsWhereItsBristlesAre) {
    std::vector<std::pair<std::string, int>> held = {{"brush_cursor", 1}, {"brush_disappears", 1}};
    for (int i = 1; i <= 6; ++i) held.push_back({"brush_used", i});
    for (const auto& [anim, i] : held) {
        auto s = sprite(anim, i);
        s->x = 0, s->y = 0;
        EXPECT_TRUE(s->hitTest(kScrubX, kScrubY, true)) << anim << " " << i;
        EXPECT_FALSE(s->hitTest(-kScrubX, -kScrubY, true))
            << anim << " " << i << ": brush pointing the wrong way";
    }
    const Drawn& resting = frame("brush_appears", 6);
    EXPECT_GE(resting.opaqueBox.left, kCx - kBodyReach);
    EXPECT_LE(resting.opaqueBox.right, kCx + kBodyReach);
    EXPECT_GE(resting.opaqueBox.top, kCy - kBodyReach);
    EXPECT_LE(resting.opaqueBox.bottom, kCy + kBodyReach);
    EXPECT_LT(frame("brush_appears", 1).opaqueCount, resting.opaqueCount / 2) << "no pop-in";
    EXPECT_LT(frame("brush_disappears", 10).opaqueCount, frame("brush_used", 1).opaqueCount / 4)
        << "the brush should be gone by its last disappearing frame";
}

}  // namespace
