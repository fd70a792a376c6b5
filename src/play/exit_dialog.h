// The exit dialog: opened from the play screen's exit button, it pauses the
// game and offers three buttons: keep playing, back to the menu, quit the
// program. The buttons light up under the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"

// What a click on the open dialog asks of the play scene.
enum class kwExitChoice {
    None,      // not on a button: the dialog stays open
    Menu,      // the scene goes to the menu (its goToMenu resumes the clock)
    Quit,      // quitRequested is set: the program ends
    Continue,  // the dialog closed and the clock runs again
};

class kwExitDialog : public kwDrawable {
public:
    static constexpr float kDepth = 10.0f;
    static constexpr const char* kBaseName = "exit_base.eye";
    static constexpr const char* kMenuName = "exit_menu.eye";
    static constexpr const char* kExitName = "exit_exit.eye";
    static constexpr const char* kContinueName = "exit_continue.eye";

    kwExitDialog();  // hidden until opened
    kwExitDialog(const kwExitDialog&) = delete;
    kwExitDialog& operator=(const kwExitDialog&) = delete;

    // Binds the four pictures from `archive` (which must outlive the dialog);
    // only the first call does anything. False when a picture is missing.
    bool load(kwLinkedFileList* archive);
    // Shows the dialog and pauses the game clock. A dialog whose pictures did
    // not all load refuses (false): an invisible dialog would freeze the game.
    bool open();
    bool isOpen() const { return visible; }

    // Each button is lit exactly while (x, y) lies in its rectangle.
    void updateHover(int32_t x, int32_t y);
    // The button under (x, y), tried menu, exit, continue; see kwExitChoice.
    kwExitChoice handleClick(int32_t x, int32_t y);
    void draw() override;

    std::unique_ptr<kwEyeTransparency> baseImage;
    std::unique_ptr<kwEyeTransparency> menuButton;
    std::unique_ptr<kwEyeTransparency> exitButton;
    std::unique_ptr<kwEyeTransparency> continueButton;
    uint8_t loaded = 0;

private:
    struct Part {
        kwEyeTransparency* image = nullptr;
        float storedX = 0.0f, storedY = 0.0f;  // where the file puts it
    };
    static constexpr int kParts = 4;  // base, menu, exit, continue

    bool bind(int index, std::unique_ptr<kwEyeTransparency>& slot, kwLinkedFileList* archive,
              const char* name);
    // Puts every picture at its stored place plus the dialog's position.
    void placeParts();
    bool hits(kwEyeTransparency* button, int32_t x, int32_t y);

    std::array<Part, kParts> parts{};
    bool complete = false;
};
