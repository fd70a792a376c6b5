// Piece art sets: the shared loader behind every type's animation table.
#include "board/piece_art.h"

#include <cstdio>

#include "render/frame_loader.h"
#include "render/frame_set.h"
#include "render/layered_sprite.h"

// The board warms this much of each frame shown before drawing it.
static_assert(sizeof(kwLayeredSprite) <= kwFrameSet::kShownBytes);

namespace {

constexpr size_t kNameLength = 64;

constexpr std::array<const char*, kAnimCount> kSuffixes = {
    "ambient_a",  "ambient_b", "ambient_c", "ambient_d", "look_down", "look_up",    "look_left",
    "look_right", "eaten",     "selected",  "shock",     "roll",      "frdown",     "frup",
    "frleft",     "frright",   "appears",   "cursor",    "used",      "disappears",
};

// The look sequence: 0, 1, 2, hold 2 fifteen more times, then 2, 1, 0.
constexpr int32_t kLookHoldFrame = 2;
constexpr int32_t kLookHoldRepeats = 15;
constexpr std::array<int32_t, 3> kLookReturn = {2, 1, 0};

// The freeze ray: frames 0..4, then fifteen frames flickering 4, 3, 4, 3, ...
constexpr int32_t kFrFlickerCount = 15;
constexpr int32_t kFrFlickerHigh = 4;
constexpr int32_t kFrFlickerLow = 3;

size_t slot(kwAnim a) {
    return static_cast<size_t>(a);
}

// Appends a frame of the set; an index the set lacks is logged by frame()
// and refused by addFrame(), so a short set yields a short player.
void append(kwFramePlayer& p, kwFrameSet& set, int32_t index) {
    p.addFrame(set.frame(index));
}

}  // namespace

const char* animSuffix(kwAnim a) {
    return slot(a) < kAnimCount ? kSuffixes[slot(a)] : "";
}

kwPieceArt::~kwPieceArt() {
    unload();
}

void kwPieceArt::load() {
    if (loaded) return;
    archive = std::make_unique<kwLinkedFileList>();
    char file[kNameLength];
    std::snprintf(file, sizeof file, "%s.lfl", stem());
    // A missing archive leaves every sprite incomplete: pieces go undrawn.
    archive->add_lfl(file);
    const auto table = animations();
    for (const kwAnimSpec& spec : table) loadFrames(spec);
    for (const kwAnimSpec& spec : table) buildPlayer(spec);
    loaded = true;
}

void kwPieceArt::loadFrames(const kwAnimSpec& spec) {
    if (slot(spec.anim) >= kAnimCount || spec.frames <= 0) return;
    Animation& a = anims[slot(spec.anim)];
    if (a.set) return;  // a table naming an animation twice keeps the first
    char name[kNameLength];
    std::snprintf(name, sizeof name, "%s_%s", stem(), animSuffix(spec.anim));
    a.sprites.assign(static_cast<size_t>(spec.frames), nullptr);
    a.set = loadFrameSet(archive.get(), name, spec.frames, a.sprites);
}

void kwPieceArt::buildPlayer(const kwAnimSpec& spec) {
    if (slot(spec.anim) >= kAnimCount) return;
    Animation& a = anims[slot(spec.anim)];
    if (!a.set || a.player) return;
    auto* p = new kwFramePlayer(kwFramePlayer::kDefaultFps);
    for (int32_t i = 0; i < a.set->num_frames; ++i) append(*p, *a.set, i);
    if (spec.kind == kwAnimKind::Look) {
        for (int32_t i = 0; i < kLookHoldRepeats; ++i) append(*p, *a.set, kLookHoldFrame);
        for (int32_t i : kLookReturn) append(*p, *a.set, i);
    } else if (spec.kind == kwAnimKind::Fr) {
        for (int32_t i = 0; i < kFrFlickerCount; ++i)
            append(*p, *a.set, i % 2 == 0 ? kFrFlickerHigh : kFrFlickerLow);
    }
    p->duration(spec.fps);
    p->setPlayMode(spec.mode, spec.repeats);
    a.player = p;
}

void kwPieceArt::unload() {
    loaded = false;
    for (Animation& a : anims) {
        delete a.player;
        for (kwLayeredSprite* s : a.sprites) delete s;
        delete a.set;
        a = Animation{};
    }
    archive.reset();
}

const kwFramePlayer* kwPieceArt::player(kwAnim a) const {
    return slot(a) < kAnimCount ? anims[slot(a)].player : nullptr;
}

const kwFrameSet* kwPieceArt::frameSet(kwAnim a) const {
    return slot(a) < kAnimCount ? anims[slot(a)].set : nullptr;
}

std::span<kwLayeredSprite* const> kwPieceArt::sprites(kwAnim a) const {
    if (slot(a) >= kAnimCount) return {};
    return anims[slot(a)].sprites;
}
