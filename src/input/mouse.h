// The mouse as the scenes see it: positions in centre-origin, y-up scene
// coordinates, and one click per press, kept until its consumer clears it.
// Buttons are read like GetAsyncKeyState (bit 15 held now, bit 0 pressed
// since the last query), so a press and release between two polls still
// counts as a click.
#pragma once

#include <array>
#include <cstdint>

class kwMouse {
public:
    static constexpr int kButtons = 2;  // 0 left, 1 right (after swapping)

    kwMouse();  // reads the swap setting, then reset()

    void poll();
    // Consumes any pending press, forgets all clicks, re-centres the pointer.
    void reset();
    bool isClicked(int button) const;
    void clearClicked(int button);
    int32_t clickPosX(int button) const;
    int32_t clickPosY(int button) const;

    std::array<uint8_t, kButtons> down{};
    std::array<uint8_t, kButtons> clicked{};
    std::array<int32_t, kButtons> clickX{};
    std::array<int32_t, kButtons> clickY{};
    uint8_t swapped = 0;
};

// The one mouse; created by initInput().
extern kwMouse* mouse;

// The system pointer in scene coordinates: x right, y up, (0, 0) the centre.
int32_t mouseX();
int32_t mouseY();
void setMousePos(int32_t x, int32_t y);

// Input start-up and shutdown. Creates the mouse and the keyboard and
// installs the scene hooks through which scenes (below input) reset and read
// the mouse; false if either object could not be made (start-up then fails).
bool initInput();
// Once per frame, before the scripts run.
void pollInput();
// Deletes the keyboard and the mouse and removes the hooks.
void shutdownInput();
