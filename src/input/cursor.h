// The game's own cursor, drawn by every scene after everything else: the
// carried piece, or the pulsing "clickable" animation over a piece that can
// be picked up, or the arrow. It also keeps the hand's state (the carried
// piece, its grab offset, the last brush stroke); the hand itself lives in
// board/ and plugs in through handHooks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/frame_player.h"
#include "render/layered_sprite.h"

struct kwHandHooks {
    bool (*hover)() = nullptr;
    void (*brush)() = nullptr;
};
extern kwHandHooks handHooks;  // unset: no hover, no brush

class kwCursor : public kwDrawable {
public:
    static constexpr int kClickFrames = 5;
    static constexpr float kClickFps = 15.0f;

    kwCursor();
    ~kwCursor() override;
    kwCursor(const kwCursor&) = delete;
    kwCursor& operator=(const kwCursor&) = delete;

    void draw() override;
    // Reads "st_cursor.lfl" and builds the arrow and the clickable player;
    // nothing if already loaded.
    virtual void load();
    void unload();  // nothing unless loaded

    std::unique_ptr<kwLayeredSprite> arrow;
    std::array<std::unique_ptr<kwLayeredSprite>, kClickFrames> clickFrames;
    std::unique_ptr<kwLinkedFileList> archive;
    std::unique_ptr<kwFramePlayer> clickable;
    bool loaded = false;
    int32_t grabOffsetX = 0;
    int32_t grabOffsetY = 0;
    uint32_t lastBrushTime = 0;
    kwDrawable* carried = nullptr;  // the piece in the hand (not owned)
};

// The one cursor; created and loaded at start-up.
extern kwCursor* cursor;

// Installs the drawable drawn at the mouse point and its hot spot: the
// offset from the mouse point to the picture's centre, right and down.
void setCursor(kwDrawable* drawable, int32_t hotX, int32_t hotY);
