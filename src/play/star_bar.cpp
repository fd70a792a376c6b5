#include "play/star_bar.h"

#include "board/board_host.h"
#include "render/render_target.h"

kwStarBar::kwStarBar(kwLinkedFileList* list, const kwBoardHost* boardHost)
    : star(std::make_unique<kwLayeredSprite>("b_status_bar_star_01.eye", "a_status_bar_star_01.eye",
                                             "a_status_bar_star_m_01.msk", list)),
      host(boardHost) {
    depth = kDefaultDepth;
}

// 64-bit product: a score run far past the goal must not wrap to no stars.
int32_t kwStarBar::starCount(int32_t points, int32_t goal) {
    if (goal <= 0 || points <= 0) return 0;
    const int64_t n = int64_t{points} * kStars / goal;
    return n > kStars ? kStars : static_cast<int32_t>(n);
}

void kwStarBar::draw() {
    if (!host || !star->isComplete()) return;
    const int32_t n = starCount(host->levelPoints, host->levelGoal);
    for (int32_t i = 0; i < n; ++i) {
        star->x = kStarX[size_t(i)];
        star->y = kStarY;
        targetScreen();
        if (star->place()) star->draw();
    }
}
