// Loading named animations into frame sets, and the players made from them.
#include "render/frame_loader.h"

#include <cstddef>
#include <cstdio>

namespace {
constexpr size_t kNameLength = 96;
}  // namespace

kwFrameSet* loadFrameSet(kwLinkedFileList* list, const char* name, int32_t count,
                         std::span<kwLayeredSprite*> sprites) {
    if (!name) name = "";
    auto* set = new kwFrameSet;
    for (int32_t i = 1; i <= count; ++i) {
        char base[kNameLength], alpha[kNameLength], mask[kNameLength];
        std::snprintf(base, sizeof base, "b_%s_%2.2d.eye", name, int(i));
        std::snprintf(alpha, sizeof alpha, "a_%s_%2.2d.eye", name, int(i));
        std::snprintf(mask, sizeof mask, "a_%s_m_%2.2d.msk", name, int(i));
        auto* sprite = new kwLayeredSprite(base, alpha, mask, list);
        if (static_cast<size_t>(i - 1) < sprites.size()) sprites[i - 1] = sprite;
        set->addFrame(sprite);
    }
    return set;
}

kwFramePlayer* makePlayer(kwFrameSet* frameSet) {
    if (!frameSet) return nullptr;
    auto* player = new kwFramePlayer(kwFramePlayer::kDefaultFps);
    for (int32_t i = 0; i < frameSet->num_frames; ++i) {
        kwDrawable* f = frameSet->frame(i);
        if (f) player->addFrame(f);
    }
    return player;
}

void destroyFrameSet(kwFrameSet* frameSet) {
    if (!frameSet) return;
    for (int32_t i = 0; i < frameSet->num_frames; ++i) delete frameSet->frame(i);
    delete frameSet;
}
