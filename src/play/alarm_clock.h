// The alarm clock at the left end of the status bar. It shows how the
// turn's clock stands (resting, pause highlight, paused, ticking through the
// last seconds, ringing at time-out) and is the pause button: a click on its
// hot spot stops or restarts the game clock. Its art is its own archive.
#pragma once

#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"
#include "render/frame_player.h"
#include "render/frame_set.h"
#include "render/layered_sprite.h"

// A looping animation and the frames it shows (the player only borrows them).
class kwClockAnimation {
public:
    kwClockAnimation(kwLinkedFileList* list, const char* name, int32_t frames, float fps);
    ~kwClockAnimation();
    kwClockAnimation(const kwClockAnimation&) = delete;
    kwClockAnimation& operator=(const kwClockAnimation&) = delete;

    kwFramePlayer* player() { return player_.get(); }

private:
    kwFrameSet* frames_ = nullptr;  // owns its layered sprites
    std::unique_ptr<kwFramePlayer> player_;
};

class kwAlarmClock : public kwDrawable {
public:
    static constexpr const char* kArchive = "clock.lfl";
    static constexpr float kX = -342.0f;
    static constexpr float kY = 260.0f;
    static constexpr float kDepth = 5.0f;
    static constexpr int32_t kTickFrames = 11;
    static constexpr int32_t kRingFrames = 12;
    static constexpr float kTickFps = 1.0f;    // one frame a second: a countdown
    static constexpr float kRingFps = 15.0f;   // a rattle
    static constexpr int32_t kTickBelow = 11;  // seconds left when ticking starts

    // Loads "clock.lfl"; missing pictures are logged and simply not drawn.
    kwAlarmClock();
    ~kwAlarmClock() override;
    kwAlarmClock(const kwAlarmClock&) = delete;
    kwAlarmClock& operator=(const kwAlarmClock&) = delete;

    // The exit dialog (not owned): while it shows, the clock looks paused.
    void setExitDialog(const kwDrawable* dialog) { exitDialog = dialog; }

    // A new turn: the warning animations start again when they are due.
    void resetWarnings();
    // True when the click landed on the hot spot during the intro or play;
    // the game clock is then paused or resumed.
    bool handleClick(int32_t x, int32_t y);
    void draw() override;
    // The picture draw shows now; starts a warning animation that falls due,
    // exactly as draw does.
    kwDrawable* choosePicture();
    // The mouse (or a click) is over the clock's opaque hot spot.
    bool overHotSpot(int32_t x, int32_t y);

    std::unique_ptr<kwLayeredSprite> normalImage;
    std::unique_ptr<kwLayeredSprite> hoverImage;
    std::unique_ptr<kwLayeredSprite> pausedImage;
    std::unique_ptr<kwClockAnimation> tick;
    std::unique_ptr<kwClockAnimation> ring;
    std::unique_ptr<kwEyeTransparency> hotSpot;  // never drawn, hit tests only
    uint8_t tickStarted = 0;
    uint8_t ringStarted = 0;

private:
    kwDrawable* warningPicture();
    kwDrawable* startOnce(kwClockAnimation& animation, uint8_t& started);

    std::unique_ptr<kwLinkedFileList> archive;
    const kwDrawable* exitDialog = nullptr;
};
