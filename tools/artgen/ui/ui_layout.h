// Where the play screen's pieces sit, in the game's scene coordinates
// (origin at the screen centre, y up) and in screen pixels (origin top-left,
// y down) for drawing. The number displays, stars, clock and board are
// placed by the game at these fixed spots; the frame is drawn around them.
#pragma once

namespace artgen::ui {

inline constexpr int kScreenW = 800, kScreenH = 600;

// The board: 16 x 11 cells of 48 pixels, screen pixels (16, 60)..(783, 587).
inline constexpr int kBoardLeft = 16, kBoardTop = 60;
inline constexpr int kBoardW = 16 * 48, kBoardH = 11 * 48;

inline constexpr double screenX(double sceneX) {
    return sceneX + kScreenW / 2;
}
inline constexpr double screenY(double sceneY) {
    return kScreenH / 2 - sceneY;
}
inline constexpr double sceneX(double screenX) {
    return screenX - kScreenW / 2;
}
inline constexpr double sceneY(double screenY) {
    return kScreenH / 2 - screenY;
}

// Status bar: glyph numbers on one line, the star row below it.
inline constexpr double kNumberY = 282;  // scene y of every number display
inline constexpr double kDigitStep = 23;
inline constexpr double kScoreX = -10, kLevelX = 280, kMinutesX = -272, kSecondsX = -240;
inline constexpr int kScoreDigits = 7, kLevelDigits = 2;
inline constexpr double kColonX = kSecondsX - 15;
inline constexpr double kStarY = 255;
inline constexpr double kStarXs[28] = {-291, -268, -245, -221, -199, -176, -153, -129, -105, -83,
                                       -60,  -37,  -13,  10,   33,   56,   79,   102,  126,  149,
                                       172,  195,  218,  242,  265,  288,  311,  334};

// The alarm clock and everything drawn in its place.
inline constexpr double kClockX = -342, kClockY = 260;

// The exit button's stored centre; the game draws it 2 pixels further left.
inline constexpr double kExitX = 372, kExitY = 271;
inline constexpr double kExitDrawShift = -2;

// Depths the play scene gives these pictures.
inline constexpr double kFrameDepth = 50, kExitDepth = 50, kExitHoverDepth = 49;
inline constexpr double kStatusDepth = 10, kClockDepth = 5, kDialogDepth = 10;
inline constexpr double kBannerDepth = 8;

// The new-high-score banner hangs under the score, over the board's top edge.
inline constexpr double kBannerX = kScoreX + kDigitStep * (kScoreDigits - 1) / 2;
inline constexpr double kBannerY = 216;

}  // namespace artgen::ui
