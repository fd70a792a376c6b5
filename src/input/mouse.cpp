// Mouse polling, the conversion between the platform's pointer position
// (top-left origin, y down) and scene coordinates, and input start-up. There
// is no DirectInput here: the platform backend already delivers the mouse and
// keys, so start-up succeeds when both objects exist.
#include "input/mouse.h"

#include <new>
#include <utility>

#include "input/keyboard.h"
#include "platform/platform.h"
#include "render/scene.h"
#include "shell/log.h"

kwMouse* mouse = nullptr;

namespace {

constexpr int kHalfWidth = static_cast<int>(static_cast<unsigned>(kScreenWidth) >> 1);
constexpr int kHalfHeight = static_cast<int>(static_cast<unsigned>(kScreenHeight) >> 1);

bool validButton(int b) {
    return b >= 0 && b < kwMouse::kButtons;
}

}  // namespace

kwMouse::kwMouse() : swapped(platform().buttonsSwapped() ? 1 : 0) {
    reset();
}

void kwMouse::poll() {
    uint16_t state[kButtons] = {platform().mouseButton(0), platform().mouseButton(1)};
    if (swapped) std::swap(state[0], state[1]);
    for (int b = 0; b < kButtons; ++b) {
        if ((state[b] & kButtonPressedSince) && !down[b]) {
            clicked[b] = 1;
            clickX[b] = mouseX();
            clickY[b] = mouseY();
        }
        down[b] = (state[b] & kButtonHeld) ? 1 : 0;
    }
}

void kwMouse::reset() {
    poll();
    down = {};
    clicked = {};
    setMousePos(0, 0);
    clickX = {};
    clickY = {};
}

bool kwMouse::isClicked(int button) const {
    return validButton(button) && clicked[button];
}

void kwMouse::clearClicked(int button) {
    if (validButton(button)) clicked[button] = 0;
}

int32_t kwMouse::clickPosX(int button) const {
    return validButton(button) ? clickX[button] : 0;
}

int32_t kwMouse::clickPosY(int button) const {
    return validButton(button) ? clickY[button] : 0;
}

int32_t mouseX() {
    int x = 0, y = 0;
    platform().getMousePos(&x, &y);
    return x - kHalfWidth;
}

int32_t mouseY() {
    int x = 0, y = 0;
    platform().getMousePos(&x, &y);
    return kHalfHeight - y;
}

void setMousePos(int32_t x, int32_t y) {
    platform().setMousePos(kHalfWidth + x, kHalfHeight - y);
}

// --- start-up and shutdown ---

namespace {
void resetMouseHook() {
    if (mouse) mouse->reset();
}
}  // namespace

bool initInput() {
    shutdownInput();
    mouse = new (std::nothrow) kwMouse;
    keyboard = new (std::nothrow) kwKeyboard;
    if (!mouse || !keyboard) {
        debugFail("initInput - could not create the mouse or the keyboard");
        shutdownInput();
        return false;
    }
    sceneHooks.resetMouse = resetMouseHook;
    sceneHooks.mouseX = mouseX;
    sceneHooks.mouseY = mouseY;
    return true;
}

void pollInput() {
    if (mouse) mouse->poll();
}

void shutdownInput() {
    sceneHooks.resetMouse = nullptr;
    sceneHooks.mouseX = nullptr;
    sceneHooks.mouseY = nullptr;
    delete keyboard;
    keyboard = nullptr;
    delete mouse;
    mouse = nullptr;
}
