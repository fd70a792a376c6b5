// Piece art sets: one per piece type. Each loads its type's archive once and
// builds a frame set and a template player per animation; every piece copies
// the templates, so pieces animate on their own clocks over shared frames.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "assets/linked_file.h"
#include "render/frame_player.h"
#include "render/frame_set.h"
#include "render/layered_sprite.h"

// Every animation any piece type has; a type lacks most of them.
enum class kwAnim : uint8_t {
    AmbientA,
    AmbientB,
    AmbientC,
    AmbientD,
    LookDown,
    LookUp,
    LookLeft,
    LookRight,
    Eaten,
    Selected,
    Shock,
    Roll,
    FrDown,
    FrUp,
    FrLeft,
    FrRight,
    Appears,
    Cursor,
    Used,
    Disappears,
    Count
};
inline constexpr size_t kAnimCount = static_cast<size_t>(kwAnim::Count);

// The archive suffix of an animation ("ambient_a", "look_down", ...).
const char* animSuffix(kwAnim a);

// How a template player's frame sequence is built from its frame set.
enum class kwAnimKind : uint8_t {
    Plain,  // the set's frames once each
    Look,   // turn the head, hold, turn back
    Fr,     // the cone's freeze ray: wind up, then flicker
};

// Template players run at 30 frames per second, once, unless a table says otherwise.
inline constexpr float kDefaultAnimFps = 30.0f;

// One row of a type's animation table, in load order.
struct kwAnimSpec {
    kwAnim anim;
    int32_t frames;
    float fps = kDefaultAnimFps;
    uint32_t mode = PlayOnce;
    uint32_t repeats = 0;
    kwAnimKind kind = kwAnimKind::Plain;
};

// Table shorthands shared by the type files.
namespace anim {
inline constexpr int32_t kOneFrame = 1;
inline constexpr int32_t kLookFrames = 3;
inline constexpr int32_t kFrFrames = 5;
inline constexpr float kFrFps = 15.0f;

constexpr kwAnimSpec plain(kwAnim a, int32_t frames, float fps = kDefaultAnimFps) {
    return {a, frames, fps};
}
constexpr kwAnimSpec looping(kwAnim a, int32_t frames, float fps) {
    return {a, frames, fps, PlayLoop, 0};
}
constexpr kwAnimSpec pingPong(kwAnim a, int32_t frames, float fps, uint32_t pairs) {
    return {a, frames, fps, PlayPingPong, pairs};
}
constexpr kwAnimSpec look(kwAnim a) {
    return {a, kLookFrames, kDefaultAnimFps, PlayOnce, 0, kwAnimKind::Look};
}
constexpr kwAnimSpec fr(kwAnim a) {
    return {a, kFrFrames, kFrFps, PlayOnce, 0, kwAnimKind::Fr};
}

inline constexpr int32_t kRestFrames = 1;
inline constexpr int32_t kBlinkFrames = 3;

// The table most fruit share: rest, blink, a longer idle, the four looks,
// selected and shock.
constexpr std::array<kwAnimSpec, 9> fruitTable(int32_t idleFrames, float idleFps) {
    return {plain(kwAnim::AmbientA, kRestFrames),  plain(kwAnim::AmbientB, kBlinkFrames),
            plain(kwAnim::AmbientC, idleFrames, idleFps), look(kwAnim::LookDown),
            look(kwAnim::LookUp),                  look(kwAnim::LookLeft),
            look(kwAnim::LookRight),               plain(kwAnim::Selected, kOneFrame),
            plain(kwAnim::Shock, kOneFrame)};
}
// The red and orange hard candies': the same without a shock face.
constexpr std::array<kwAnimSpec, 8> candyTable(int32_t idleFrames, float idleFps) {
    return {plain(kwAnim::AmbientA, kRestFrames),  plain(kwAnim::AmbientB, kBlinkFrames),
            plain(kwAnim::AmbientC, idleFrames, idleFps), look(kwAnim::LookDown),
            look(kwAnim::LookUp),                  look(kwAnim::LookLeft),
            look(kwAnim::LookRight),               plain(kwAnim::Selected, kOneFrame)};
}
}  // namespace anim

class kwPieceArt {
public:
    virtual ~kwPieceArt();
    kwPieceArt(const kwPieceArt&) = delete;
    kwPieceArt& operator=(const kwPieceArt&) = delete;

    // Builds everything once; later calls do nothing.
    virtual void load();

    // The template player of an animation (pieces copy it); null when the
    // type has no such animation or the set is not loaded.
    const kwFramePlayer* player(kwAnim a) const;
    // The frames of an animation in order; null as for player().
    const kwFrameSet* frameSet(kwAnim a) const;
    // The sprites built for an animation (empty when absent).
    std::span<kwLayeredSprite* const> sprites(kwAnim a) const;

    // The archive stem ("apple") and the animation table, in load order.
    virtual const char* stem() const = 0;
    virtual std::span<const kwAnimSpec> animations() const = 0;

    bool loaded = false;
    std::unique_ptr<kwLinkedFileList> archive;

protected:
    kwPieceArt() = default;

private:
    struct Animation {
        kwFrameSet* set = nullptr;
        kwFramePlayer* player = nullptr;
        std::vector<kwLayeredSprite*> sprites;  // the set does not own its frames
    };

    void loadFrames(const kwAnimSpec& spec);
    void buildPlayer(const kwAnimSpec& spec);
    void unload();

    std::array<Animation, kAnimCount> anims{};
};
