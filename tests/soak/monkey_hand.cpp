#include "monkey_hand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "board/hand.h"
#include "menu/menu_scene.h"
#include "platform/headless/headless.h"
#include "play/play_scene.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {

constexpr int kLeftButton = 0, kRightButton = 1;
constexpr int32_t kScreenW = 800, kScreenH = 600;
// A person's mouse: about 1.5 ms a pixel, never quicker than 60 ms nor
// slower than half a second.
constexpr double kGlideMsPerPixel = 1.5;
constexpr uint32_t kGlideMinMs = 60, kGlideMaxMs = 500;
constexpr int kPointTries = 60;
constexpr uint32_t kWaitFrames = 2;

// The menu's quit button (as the art generator lays it out): a click there
// would end the soak, so the hand refuses one whatever was planned.
constexpr int32_t kQuitLeft = 100 - 68, kQuitRight = 100 + 68;
constexpr int32_t kQuitTop = 564 - 26, kQuitBottom = 564 + 26;

kwScene* currentScene() {
    return sceneManager ? sceneManager->current : nullptr;
}

kwPlayScene* playScene() {
    return currentScene() == scenes.play ? static_cast<kwPlayScene*>(scenes.play) : nullptr;
}

bool introOrPlaying() {
    return gameState.playPhase == PhaseIntro || gameState.playPhase == PhasePlaying;
}

void mousePos(int32_t* x, int32_t* y) {
    int mx = 0, my = 0;
    platform().getMousePos(&mx, &my);
    *x = mx;
    *y = my;
}

bool dialogOpen(kwPlayScene* play) {
    return play && play->exitDialog && play->exitDialog->isOpen();
}

// Would a click here end the program (the menu's quit button, or the exit
// dialog's)? The soak must run its full length.
bool wouldQuit() {
    int32_t x = 0, y = 0;
    mousePos(&x, &y);
    if (currentScene() == scenes.menu)
        return x >= kQuitLeft && x <= kQuitRight && y >= kQuitTop && y <= kQuitBottom;
    kwPlayScene* play = playScene();
    if (!dialogOpen(play) || !play->exitDialog->exitButton) return false;
    return play->exitDialog->exitButton->hitTest(x - 400, 300 - y, false);
}

const char* expectName(kwExpectKind k) {
    switch (k) {
        case kwExpectKind::OpenPanel:
            return "open panel";
        case kwExpectKind::PlayerCount:
            return "player count";
        case kwExpectKind::Skill:
            return "skill";
        case kwExpectKind::Speed:
            return "speed";
        case kwExpectKind::StartLevel:
            return "start level";
        case kwExpectKind::MusicVolume:
            return "music volume";
        case kwExpectKind::SoundVolume:
            return "sound volume";
        case kwExpectKind::SceneMenu:
            return "menu scene";
        case kwExpectKind::ScenePlay:
            return "play scene";
        case kwExpectKind::DialogOpen:
            return "exit dialog open";
        case kwExpectKind::DialogClosed:
            return "exit dialog closed";
        case kwExpectKind::Paused:
            return "paused";
        case kwExpectKind::HandEmpty:
            return "hand empty";
        case kwExpectKind::NamesValid:
            return "player names valid";
    }
    return "?";
}

bool namesValid() {
    for (const char* name : gameState.playerName) {
        const size_t n = strnlen(name, kPlayerNameSize);
        if (n >= size_t(kPlayerNameSize)) return false;
        for (size_t i = 0; i < n; ++i)
            if (name[i] < ' ' || name[i] > '~') return false;
    }
    return true;
}

// The value a check compares, or false when the game may rightly differ.
bool observed(kwExpectKind k, int32_t* found) {
    auto* menu = currentScene() == scenes.menu ? static_cast<kwMenuScene*>(scenes.menu) : nullptr;
    kwPlayScene* play = playScene();
    switch (k) {
        case kwExpectKind::OpenPanel:
            if (!menu) return false;
            *found = menu->openPanel;
            return true;
        case kwExpectKind::PlayerCount:
            *found = gameState.playerCount;
            return true;
        case kwExpectKind::Skill: {
            const auto& s = gameState.playerSkill;
            *found = (s[0] == s[1] && s[1] == s[2]) ? s[0] : -1;
            return true;
        }
        case kwExpectKind::Speed:
            *found = gameState.speedFactor;
            return true;
        case kwExpectKind::StartLevel:
            *found = gameState.startLevel;
            return true;
        case kwExpectKind::MusicVolume:
            *found = gameState.musicVolume;
            return true;
        case kwExpectKind::SoundVolume:
            *found = gameState.soundVolume;
            return true;
        case kwExpectKind::SceneMenu:
            *found = menu != nullptr;
            return true;
        case kwExpectKind::ScenePlay:
            *found = play != nullptr;
            return true;
        case kwExpectKind::DialogOpen:
            if (!play) return false;  // the game ended meanwhile
            *found = dialogOpen(play) && clockState.paused;
            return true;
        case kwExpectKind::DialogClosed:
            if (!play) return false;
            *found = !dialogOpen(play) && !clockState.paused;
            return true;
        case kwExpectKind::Paused:
            // The clock takes clicks only during the intro and play; a
            // stopped clock keeps the phase, a running one may have ended it.
            if (!play || !introOrPlaying() || dialogOpen(play)) return false;
            *found = clockState.paused;
            return true;
        case kwExpectKind::HandEmpty:
            if (!play) return false;
            *found = handPiece() == nullptr;
            return true;
        case kwExpectKind::NamesValid:
            *found = namesValid();
            return true;
    }
    return false;
}

int32_t wantedValue(const kwMonkeyStep& s) {
    switch (s.expect) {
        case kwExpectKind::SceneMenu:
        case kwExpectKind::ScenePlay:
        case kwExpectKind::DialogOpen:
        case kwExpectKind::DialogClosed:
        case kwExpectKind::HandEmpty:
        case kwExpectKind::NamesValid:
            return 1;
        default:
            return s.value;
    }
}

}  // namespace

int32_t kwMonkeyHand::between(int32_t lo, int32_t hi) {
    if (hi <= lo) return lo;
    return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
}

bool kwMonkeyHand::oneIn(int32_t n) {
    return n <= 1 || between(0, n - 1) == 0;
}

bool kwMonkeyHand::push(const kwMonkeyStep& s) {
    if (idle()) queuedFor = currentScene();
    const size_t next = (tail + 1) % kQueueSize;
    if (next == head) return false;  // a planner asked too much at once; the rest is dropped
    queue[tail] = s;
    tail = next;
    return true;
}

void kwMonkeyHand::glide(int32_t sx, int32_t sy) {
    glideFor(sx, sy, 0);  // its length is fixed when it starts, from where the mouse is then
}

void kwMonkeyHand::glideFor(int32_t sx, int32_t sy, uint32_t ms) {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::Glide;
    s.x = std::clamp(sx, 0, kScreenW - 1);
    s.y = std::clamp(sy, 0, kScreenH - 1);
    s.ms = ms;
    push(s);
}

void kwMonkeyHand::click() {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::Click;
    push(s);
}

void kwMonkeyHand::rightClick() {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::RightClick;
    push(s);
}

void kwMonkeyHand::key(kwKey k) {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::Key;
    s.key = k;
    push(s);
}

void kwMonkeyHand::chars(const char* text) {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::Chars;
    std::snprintf(s.text.data(), s.text.size(), "%s", text);
    push(s);
}

void kwMonkeyHand::wait(uint32_t lo, uint32_t hi) {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::Wait;
    s.ms = uint32_t(between(int32_t(lo), int32_t(hi)));
    push(s);
}

void kwMonkeyHand::expect(kwExpectKind kind, int32_t value) {
    kwMonkeyStep s;
    s.kind = kwMonkeyStep::Kind::Expect;
    s.expect = kind;
    s.value = value;
    push(s);
}

void kwMonkeyHand::clear() {
    head = tail = 0;
    started = false;
}

void kwMonkeyHand::run(uint32_t now) {
    // Steps planned for a screen that has gone would click blindly; only
    // their checks still count (most ask for that very change).
    if (!idle() && queuedFor != currentScene()) {
        for (size_t i = head; i != tail; i = (i + 1) % kQueueSize)
            if (queue[i].kind == kwMonkeyStep::Kind::Expect) check(queue[i], now);
        clear();
    }
    while (!idle()) {
        if (!perform(queue[head], now)) return;
        head = (head + 1) % kQueueSize;
        started = false;
    }
}

bool kwMonkeyHand::perform(kwMonkeyStep& s, uint32_t now) {
    if (!started) {
        started = true;
        stepStart = now;
        stepFrames = 0;
        mousePos(&fromX, &fromY);
    }
    ++stepFrames;
    switch (s.kind) {
        case kwMonkeyStep::Kind::Glide:
            return glideStep(s, now);
        // Two frames at least: a click lands in the next frame, and what it
        // asked for (a scene switch) in the one after, however long frames are.
        case kwMonkeyStep::Kind::Wait:
            return now - stepStart >= s.ms && stepFrames > kWaitFrames;
        case kwMonkeyStep::Kind::Click:
            if (wouldQuit()) {
                surprise(now, "a planned click on a quit button", 0, 1);
                return true;
            }
            headlessButton(kLeftButton, true);
            headlessButton(kLeftButton, false);
            ++clicks;
            return true;
        case kwMonkeyStep::Kind::RightClick:
            headlessButton(kRightButton, true);
            headlessButton(kRightButton, false);
            ++clicks;
            return true;
        case kwMonkeyStep::Kind::Key:
            headlessKey(s.key);
            ++keys;
            return true;
        case kwMonkeyStep::Kind::Chars:
            for (const char* c = s.text.data(); *c; ++c) headlessChar(uint8_t(*c));
            ++keys;
            return true;
        case kwMonkeyStep::Kind::Expect:
            check(s, now);
            return true;
    }
    return true;
}

bool kwMonkeyHand::glideStep(const kwMonkeyStep& s, uint32_t now) {
    uint32_t length = s.ms;
    if (length == 0) {
        const double dx = s.x - fromX, dy = s.y - fromY;
        const double ms = std::sqrt(dx * dx + dy * dy) * kGlideMsPerPixel;
        length = std::clamp(uint32_t(ms), kGlideMinMs, kGlideMaxMs);
    }
    const uint32_t t = now - stepStart;
    if (t >= length) {
        headlessMoveMouse(s.x, s.y);
        ++glides;
        return true;
    }
    // Ease in and out, as a hand does.
    const double u = double(t) / length, k = u * u * (3.0 - 2.0 * u);
    headlessMoveMouse(fromX + int32_t((s.x - fromX) * k), fromY + int32_t((s.y - fromY) * k));
    return false;
}

void kwMonkeyHand::check(const kwMonkeyStep& s, uint32_t now) {
    int32_t found = 0;
    if (!observed(s.expect, &found)) return;
    ++checks;
    const int32_t wanted = wantedValue(s);
    if (found != wanted) surprise(now, expectName(s.expect), wanted, found);
}

void kwMonkeyHand::surprise(uint32_t now, const char* what, int32_t wanted, int32_t found) {
    ++surpriseCount;
    if (surprises.size() >= kSurprisesKept) return;
    char line[160];
    std::snprintf(line, sizeof line, "at %u ms: %s: wanted %d, found %d", now, what, wanted, found);
    surprises.emplace_back(line);
}

bool kwMonkeyHand::pointOn(kwDrawable* image, bool exact, int32_t* sx, int32_t* sy) {
    if (!image) return false;
    const int32_t w = std::max(image->getWidth(), 1), h = std::max(image->getHeight(), 1);
    const int32_t cx = int32_t(image->getX()), cy = int32_t(image->getY());
    for (int i = 0; i < kPointTries; ++i) {
        // Aim for the middle half first, as a person does, then anywhere.
        const int32_t spread = i < kPointTries / 2 ? 4 : 2;
        const int32_t qx = cx + between(-w / spread, w / spread);
        const int32_t qy = cy + between(-h / spread, h / spread);
        if (image->hitTest(qx, qy, exact)) {
            *sx = screenX(float(qx));
            *sy = screenY(float(qy));
            return true;
        }
    }
    return false;
}
