// Letterbox arithmetic, rounded the way SDL's logical-size viewport is: the
// scaled picture's size truncates and the bars split what is left.
#include "platform/sdl/letterbox.h"

#include <algorithm>
#include <cmath>

kwLetterbox kwLetterbox::fit(int windowWidth, int windowHeight, int pictureWidth,
                             int pictureHeight) {
    kwLetterbox box;
    box.pictureWidth = std::max(pictureWidth, 1);
    box.pictureHeight = std::max(pictureHeight, 1);
    if (windowWidth <= 0 || windowHeight <= 0) return box;  // minimised: identity
    float sx = float(windowWidth) / float(box.pictureWidth);
    float sy = float(windowHeight) / float(box.pictureHeight);
    box.scale = std::min(sx, sy);
    int shownW = int(std::floor(float(box.pictureWidth) * box.scale));
    int shownH = int(std::floor(float(box.pictureHeight) * box.scale));
    box.offsetX = (windowWidth - shownW) / 2;
    box.offsetY = (windowHeight - shownH) / 2;
    return box;
}

void kwLetterbox::windowToPicture(int wx, int wy, int* px, int* py) const {
    int x = int(std::floor(float(wx - offsetX) / scale));
    int y = int(std::floor(float(wy - offsetY) / scale));
    *px = std::clamp(x, 0, pictureWidth - 1);
    *py = std::clamp(y, 0, pictureHeight - 1);
}

void kwLetterbox::pictureToWindow(int px, int py, int* wx, int* wy) const {
    *wx = offsetX + int(std::floor((float(px) + 0.5f) * scale));
    *wy = offsetY + int(std::floor((float(py) + 0.5f) * scale));
}
