// Where the menu's pictures stand (scene coordinates: origin at the screen
// centre, y up). The title runs along the top, the six panel buttons in a
// row under it, the panels share one card area in the middle, and play,
// quit and the copyright line sit along the bottom. Panels whose owner adds
// an offset store their position without it.
#pragma once

#include "menu/menu_style.h"

namespace menuart {

inline constexpr Frame kTitle{0, 240, 600, 112};

// The six panel buttons, left to right, under the title.
inline constexpr int kTabY = 156;
inline constexpr int kTabW = 116, kTabH = 46;
inline constexpr int kTabFirstX = -305, kTabStep = 122;

inline constexpr Frame kPlayButton{286, -262, 180, 60};
inline constexpr Frame kQuitButton{-300, -264, 136, 52};
inline constexpr Frame kCopyright{0, -276, 320, 22};
inline constexpr int kCopyrightShift = -20;  // the menu draws it 20 px left

// Every panel's card fills this area.
inline constexpr Frame kCard{0, -50, 744, 352};
// Before any panel opens: the start picture on the right, the logo on the left.
inline constexpr Frame kStartPanel{182, -50, 372, 352};
inline constexpr Frame kLogo{-196, -50, 320, 262};
// The credits card is drawn 10 px lower than it is stored, so it is
// shorter to keep clear of the bottom row.
inline constexpr Frame kCreditsCard{0, -45, 744, 342};

// Offsets the panels add to their pictures' stored positions.
inline constexpr int kPlayersOffsetX = -15, kPlayersOffsetY = -11;
inline constexpr int kSkillOffsetX = -30;
inline constexpr int kCreditsShiftY = -10;  // the menu draws the credits 10 px lower
inline constexpr int kSoundRowDrop = 140;   // the sound chips are the music chips, lower

}  // namespace menuart
