// The alarm clock: which picture stands for the turn's clock, and the pause
// toggle behind its hot spot.
#include "play/alarm_clock.h"

#include <cstdio>

#include "input/mouse.h"
#include "render/frame_loader.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/log.h"

namespace {

constexpr const char* kTickName = "alarm_clock_tick";
constexpr const char* kRingName = "alarm_clock_ringing";
constexpr const char* kHotSpotName = "alarm_clock_hotspot.eye";

std::unique_ptr<kwLayeredSprite> sprite(kwLinkedFileList* list, const char* stem) {
    char base[64], alpha[64], mask[64];
    std::snprintf(base, sizeof base, "b_%s_01.eye", stem);
    std::snprintf(alpha, sizeof alpha, "a_%s_01.eye", stem);
    std::snprintf(mask, sizeof mask, "a_%s_m_01.msk", stem);
    return std::make_unique<kwLayeredSprite>(base, alpha, mask, list);
}

// The clock only reacts while a turn is under way and not yet decided.
bool turnRunning() {
    return gameState.playPhase == PhaseIntro || gameState.playPhase == PhasePlaying;
}

}  // namespace

kwClockAnimation::kwClockAnimation(kwLinkedFileList* list, const char* name, int32_t frames,
                                   float fps)
    : frames_(loadFrameSet(list, name, frames)), player_(makePlayer(frames_)) {
    player_->duration(fps);
    player_->setPlayMode(PlayLoop, 0);
}

// The player points into the frames, so it goes first.
kwClockAnimation::~kwClockAnimation() {
    player_.reset();
    destroyFrameSet(frames_);
}

kwAlarmClock::kwAlarmClock() : archive(std::make_unique<kwLinkedFileList>()) {
    x = kX;
    y = kY;
    depth = kDepth;
    archive->add_lfl(kArchive);
    normalImage = sprite(archive.get(), "alarm_clock");
    hoverImage = sprite(archive.get(), "pause_glow");
    pausedImage = sprite(archive.get(), "paused");
    tick = std::make_unique<kwClockAnimation>(archive.get(), kTickName, kTickFrames, kTickFps);
    ring = std::make_unique<kwClockAnimation>(archive.get(), kRingName, kRingFrames, kRingFps);
    hotSpot = std::make_unique<kwEyeTransparency>();
    if (kwLinkedFile* f = archive->find(kHotSpotName)) hotSpot->setLinkedFile(f);
    if (!hotSpot->file) debugFail("kwAlarmClock::kwAlarmClock - missing hot spot", kHotSpotName);
}

// Every picture points into the archive, so the archive goes last.
kwAlarmClock::~kwAlarmClock() {
    normalImage.reset();
    hoverImage.reset();
    pausedImage.reset();
    tick.reset();
    ring.reset();
    hotSpot.reset();
    archive.reset();
}

void kwAlarmClock::resetWarnings() {
    tickStarted = 0;
    ringStarted = 0;
}

bool kwAlarmClock::overHotSpot(int32_t qx, int32_t qy) {
    hotSpot->x = x;
    hotSpot->y = y;
    return hotSpot->hitTest(qx, qy, true);
}

bool kwAlarmClock::handleClick(int32_t qx, int32_t qy) {
    if (!turnRunning() || !overHotSpot(qx, qy)) return false;
    if (clockState.paused)
        resumeClock();
    else
        pauseClock();
    return true;
}

kwDrawable* kwAlarmClock::startOnce(kwClockAnimation& animation, uint8_t& started) {
    kwFramePlayer* player = animation.player();
    if (!started) {
        started = 1;
        player->play();
    }
    return player;
}

kwDrawable* kwAlarmClock::warningPicture() {
    const int32_t phase = gameState.playPhase;
    if (phase != PhasePlaying && phase != PhaseTimeOut) return normalImage.get();
    if (gameState.timeLeft == 0) return startOnce(*ring, ringStarted);
    if (gameState.timeLeft < kTickBelow) return startOnce(*tick, tickStarted);
    return normalImage.get();
}

kwDrawable* kwAlarmClock::choosePicture() {
    if (exitDialog && exitDialog->visible) return pausedImage.get();
    if (turnRunning()) {
        if (overHotSpot(mouseX(), mouseY())) return hoverImage.get();
        if (clockState.paused) return pausedImage.get();
    }
    return warningPicture();
}

void kwAlarmClock::draw() {
    kwDrawable* picture = choosePicture();
    picture->x = x;
    picture->y = y;
    if (picture->place()) picture->draw();
}
