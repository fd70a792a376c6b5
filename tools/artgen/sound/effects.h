// The sound effects, each short and saying what happened: a menu click,
// the time-bonus bell, the level-complete harp, the time-out horn, the
// last-level cheer, the good and bad bites, the birth pop and the
// new-high-score chime. Each returns mastered samples at kRate.
#pragma once

#include <vector>

namespace artgen::sound {

std::vector<float> clickSound();
std::vector<float> bellSound();
std::vector<float> harpSound();
std::vector<float> hornSound();
std::vector<float> cheerSound();
std::vector<float> goodBiteSound();
std::vector<float> badBiteSound();
std::vector<float> popSound();
std::vector<float> highScoreSound();

}  // namespace artgen::sound
