// A frame player: a frame set that picks its frame from the game clock at a
// given rate, once, looping, or back and forth. Set-up order: construct,
// addFrame every frame, duration(fps), setPlayMode(mode, repeats), play().
#pragma once

#include <cstdint>

#include "render/frame_set.h"

enum kwPlayMode : uint32_t { PlayOnce = 0, PlayLoop = 1, PlayPingPong = 2 };

class kwFramePlayer : public kwFrameSet {
public:
    static constexpr int32_t kDefaultFps = 30;
    static constexpr float kMinFps = 0.01f;

    explicit kwFramePlayer(int32_t framesPerSecond = kDefaultFps);

    void addFrame(kwDrawable* d) override;
    int32_t currentFrame() override;
    bool place() override;
    uint32_t kind() override { return kKindFramePlayer; }

    void duration(float framesPerSecond);
    void setPlayMode(uint32_t mode, uint32_t repeatCount);
    void play();  // restarts from frame 0
    bool isPlaying() const { return playing; }
    // Whether the animation still plays at the current game time, as the
    // next draw would find it; cheap for a run still in its first pass or an
    // endless loop, so scripts may ask every run.
    bool checkPlaying();

    uint32_t start_time = 0;
    float duration_ms = 0.0f;
    float fps = 0.0f;
    bool playing = false;
    uint32_t play_mode = PlayOnce;
    uint32_t repeats = 0;  // passes (loop) or forth-and-back pairs (ping-pong); 0 = endless

private:
    int32_t stop(int32_t frameShown);
};
