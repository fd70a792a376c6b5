// Progress toward the level goal: up to 28 stars along the status bar, one
// per 28th of the goal the turn's points have reached.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/layered_sprite.h"

class kwBoardHost;

class kwStarBar : public kwDrawable {
public:
    static constexpr int32_t kStars = 28;
    static constexpr float kStarY = 255.0f;
    static constexpr float kDefaultDepth = 10.0f;
    static constexpr std::array<int16_t, kStars> kStarX = {
        -291, -268, -245, -221, -199, -176, -153, -129, -105, -83, -60, -37, -13, 10,
        33,   56,   79,   102,  126,  149,  172,  195,  218,  242, 265, 288, 311, 334};

    // The star picture comes from `list` (which must outlive the bar); the
    // points and the goal are read from `host` at every draw.
    kwStarBar(kwLinkedFileList* list, const kwBoardHost* host);
    void draw() override;

    // How many stars `points` of `goal` earn: 0..28; none without a goal.
    static int32_t starCount(int32_t points, int32_t goal);

    std::unique_ptr<kwLayeredSprite> star;

private:
    const kwBoardHost* host;
};
