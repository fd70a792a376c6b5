// The few keys the game reads: the last typed character (only one is held)
// and the Left, Right and Delete key-downs used to edit player names. The
// event pump fills it between frames; consumers take the values.
#pragma once

#include <cstdint>

class kwKeyboard {
public:
    kwKeyboard() { reset(); }

    void onChar(uint32_t code) { lastChar = code; }
    void onLeft() { leftPressed = 1; }
    void onRight() { rightPressed = 1; }
    void onDelete() { deletePressed = 1; }

    // Each returns the value and, when `consume` is set, clears it.
    uint32_t takeChar(bool consume);
    bool takeLeft(bool consume);
    bool takeRight(bool consume);
    bool takeDelete(bool consume);

    void reset();

    uint32_t lastChar = 0;
    uint8_t leftPressed = 0;
    uint8_t rightPressed = 0;
    uint8_t deletePressed = 0;
};

// The one keyboard; created by initInput().
extern kwKeyboard* keyboard;
