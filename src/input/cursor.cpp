// The cursor: loading its pictures and choosing what to draw at the mouse.
#include "input/cursor.h"

#include <cstdio>

#include "render/render_target.h"
#include "render/scene.h"
#include "shell/clock.h"

kwHandHooks handHooks;
kwCursor* cursor = nullptr;

namespace {

constexpr const char* kCursorArchive = "st_cursor.lfl";
constexpr const char* kClickableName = "clickable_cursor";

// Puts a drawable at (x, y) and draws it if it is on screen.
void drawAt(kwDrawable& d, float x, float y) {
    d.x = x;
    d.y = y;
    targetScreen();
    if (d.place()) d.draw();
}

}  // namespace

kwCursor::kwCursor() : lastBrushTime(gameTime()) {}

kwCursor::~kwCursor() {
    unload();
}

void kwCursor::load() {
    if (loaded) return;
    archive = std::make_unique<kwLinkedFileList>();
    archive->add_lfl(kCursorArchive);
    arrow = std::make_unique<kwLayeredSprite>("b_arrow_cursor_01.eye", "a_arrow_cursor_01.eye",
                                              "a_arrow_cursor_m_01.msk", archive.get());
    clickable = std::make_unique<kwFramePlayer>(kwFramePlayer::kDefaultFps);
    for (int i = 1; i <= kClickFrames; ++i) {
        char base[64], alpha[64], mask[64];
        std::snprintf(base, sizeof base, "b_%s_%2.2d.eye", kClickableName, i);
        std::snprintf(alpha, sizeof alpha, "a_%s_%2.2d.eye", kClickableName, i);
        std::snprintf(mask, sizeof mask, "a_%s_m_%2.2d.msk", kClickableName, i);
        clickFrames[i - 1] = std::make_unique<kwLayeredSprite>(base, alpha, mask, archive.get());
        clickable->addFrame(clickFrames[i - 1].get());
    }
    clickable->duration(kClickFps);
    clickable->setPlayMode(PlayLoop, 0);
    clickable->play();
    loaded = true;
}

void kwCursor::unload() {
    if (!loaded) return;
    clickable.reset();
    for (auto& f : clickFrames) f.reset();
    arrow.reset();
    archive->clear();
    archive.reset();
    loaded = false;
}

void kwCursor::draw() {
    if (carried) {
        drawAt(*carried, x + static_cast<float>(grabOffsetX), y + static_cast<float>(grabOffsetY));
        if (handHooks.brush) handHooks.brush();
        return;
    }
    if (!loaded) return;
    if (handHooks.hover && handHooks.hover() && !clockState.paused)
        drawAt(*clickable, x, y);
    else
        drawAt(*arrow, x, y);
}

void setCursor(kwDrawable* drawable, int32_t hotX, int32_t hotY) {
    cursorSlot.drawable = drawable;
    cursorSlot.hotX = hotX;
    cursorSlot.hotY = hotY;
}
