// Keyboard state: take-and-clear accessors for the name editor.
#include "input/keyboard.h"

kwKeyboard* keyboard = nullptr;

namespace {
bool takeFlag(uint8_t& flag, bool consume) {
    bool value = flag != 0;
    if (consume) flag = 0;
    return value;
}
}  // namespace

uint32_t kwKeyboard::takeChar(bool consume) {
    uint32_t value = lastChar;
    if (consume) lastChar = 0;
    return value;
}

bool kwKeyboard::takeLeft(bool consume) {
    return takeFlag(leftPressed, consume);
}
bool kwKeyboard::takeRight(bool consume) {
    return takeFlag(rightPressed, consume);
}
bool kwKeyboard::takeDelete(bool consume) {
    return takeFlag(deletePressed, consume);
}

void kwKeyboard::reset() {
    lastChar = 0;
    leftPressed = rightPressed = deletePressed = 0;
}
