// Frame players: the frame shown is a function of the game time since
// play(). Pass counts stay in floating point, so a tiny duration or a long
// run can never overflow an integer conversion.
#include "render/frame_player.h"

#include <cmath>

#include "shell/clock.h"
#include "shell/log.h"

namespace {

constexpr float kMsPerSecond = 1000.0f;

// trunc(r / D * n), kept within the frames (float rounding may land on n).
int32_t frameAt(float r, float d, int32_t n) {
    const double f = std::trunc(static_cast<double>(r / d * static_cast<float>(n)));
    if (!(f >= 0.0)) return 0;
    if (f > n - 1) return n - 1;
    return static_cast<int32_t>(f);
}

}  // namespace

kwFramePlayer::kwFramePlayer(int32_t framesPerSecond)
    : start_time(gameTime()), fps(static_cast<float>(framesPerSecond)) {}

void kwFramePlayer::addFrame(kwDrawable* d) {
    kwFrameSet::addFrame(d);
    duration_ms = (kMsPerSecond / fps) * static_cast<float>(num_frames);
}

void kwFramePlayer::duration(float framesPerSecond) {
    if (num_frames == 0) {
        debugFail("kwFramePlayer::duration - add all your frames first!");
        return;
    }
    if (!(framesPerSecond >= kMinFps)) return;
    fps = framesPerSecond;
    duration_ms = static_cast<float>(num_frames) * (kMsPerSecond / fps);
}

void kwFramePlayer::setPlayMode(uint32_t mode, uint32_t repeatCount) {
    if (mode > PlayPingPong) return;
    play_mode = mode;
    repeats = repeatCount;
}

void kwFramePlayer::play() {
    start_time = gameTime();
    playing = true;
}

int32_t kwFramePlayer::stop(int32_t frameShown) {
    playing = false;
    return frameShown;
}

int32_t kwFramePlayer::currentFrame() {
    if (!playing) return 0;
    const int32_t n = num_frames;
    const float d = duration_ms;
    const float t = static_cast<float>(gameTime() - start_time);
    if (t < d) return frameAt(t, d, n);
    const int32_t last = n > 0 ? n - 1 : 0;
    if (!(d > 0.0f) || play_mode == PlayOnce) return stop(last);

    // Completed passes, held in floating point: never converted to an integer.
    const double k = std::floor(static_cast<double>(t / d));
    const float r = t - static_cast<float>(k) * d;
    if (play_mode == PlayLoop) {
        if (repeats != 0 && k >= repeats) return stop(last);
        return frameAt(r, d, n);
    }
    if (repeats != 0 && k >= 2.0 * repeats) return stop(0);
    const int32_t forth = frameAt(r, d, n);
    return std::fmod(k, 2.0) == 0.0 ? forth : n - forth - 1;
}

bool kwFramePlayer::place() {
    if (playing) current_frame = currentFrame();
    return kwFrameSet::place();
}

bool kwFramePlayer::checkPlaying() {
    if (!playing) return false;
    const float t = static_cast<float>(gameTime() - start_time);
    if (t < duration_ms) return true;
    if (play_mode != PlayOnce && repeats == 0 && duration_ms > 0.0f) return true;
    current_frame = currentFrame();  // a counted run's end, decided as a draw decides it
    return playing;
}
