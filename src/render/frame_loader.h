// Named animations: frame n of the animation "apple_ambient_a" is the layered
// sprite b_apple_ambient_a_0n.eye / a_apple_ambient_a_0n.eye /
// a_apple_ambient_a_m_0n.msk. Every piece type, the cursor and the font use
// this naming.
#pragma once

#include <cstdint>
#include <span>

#include "assets/linked_file.h"
#include "render/frame_player.h"
#include "render/frame_set.h"
#include "render/layered_sprite.h"

// Builds `count` layered sprites (frames 01..count) from `list` into a new
// frame set. Sprite i is also stored in sprites[i] when sprites has room.
// The caller owns the set and the sprites (see destroyFrameSet).
kwFrameSet* loadFrameSet(kwLinkedFileList* list, const char* name, int32_t count,
                         std::span<kwLayeredSprite*> sprites = {});

// A new player at 30 frames per second over the same frames; null for null.
kwFramePlayer* makePlayer(kwFrameSet* frameSet);

// Deletes every frame of the set, then the set. Players made from it share
// the frames and must not be drawn afterwards.
void destroyFrameSet(kwFrameSet* frameSet);
