// The exit dialog: its four pictures, the hover highlights and the choice a
// click makes.
#include "play/exit_dialog.h"

#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/log.h"

kwExitDialog::kwExitDialog() {
    depth = kDepth;
    visible = false;
}

bool kwExitDialog::bind(int index, std::unique_ptr<kwEyeTransparency>& slot,
                        kwLinkedFileList* archive, const char* name) {
    slot = std::make_unique<kwEyeTransparency>();
    kwLinkedFile* f = archive ? archive->find(name) : nullptr;
    if (f) slot->setLinkedFile(f);
    parts[size_t(index)] = Part{slot.get(), slot->x, slot->y};
    if (slot->file) return true;
    debugFail("kwExitDialog::load - missing or unusable file", name);
    return false;
}

bool kwExitDialog::load(kwLinkedFileList* archive) {
    if (loaded) return complete;
    loaded = 1;
    bool ok = bind(0, baseImage, archive, kBaseName);
    ok = bind(1, menuButton, archive, kMenuName) && ok;
    ok = bind(2, exitButton, archive, kExitName) && ok;
    ok = bind(3, continueButton, archive, kContinueName) && ok;
    for (int i = 1; i < kParts; ++i) parts[size_t(i)].image->visible = false;
    complete = ok;
    return complete;
}

bool kwExitDialog::open() {
    if (!complete) return false;
    visible = true;
    pauseClock();
    return true;
}

void kwExitDialog::placeParts() {
    for (Part& p : parts) {
        if (!p.image) continue;
        p.image->x = p.storedX + x;
        p.image->y = p.storedY + y;
    }
}

bool kwExitDialog::hits(kwEyeTransparency* button, int32_t qx, int32_t qy) {
    return button && button->hitTest(qx, qy, false);
}

void kwExitDialog::updateHover(int32_t qx, int32_t qy) {
    if (!loaded) return;
    placeParts();
    for (int i = 1; i < kParts; ++i) {
        kwEyeTransparency* button = parts[size_t(i)].image;
        button->visible = hits(button, qx, qy);
    }
}

kwExitChoice kwExitDialog::handleClick(int32_t qx, int32_t qy) {
    if (!loaded || !visible) return kwExitChoice::None;
    placeParts();
    if (hits(menuButton.get(), qx, qy)) return kwExitChoice::Menu;
    if (hits(exitButton.get(), qx, qy)) {
        appFlags.quitRequested = true;
        return kwExitChoice::Quit;
    }
    if (hits(continueButton.get(), qx, qy)) {
        visible = false;
        resumeClock();
        return kwExitChoice::Continue;
    }
    return kwExitChoice::None;
}

void kwExitDialog::draw() {
    if (!loaded) return;
    placeParts();
    for (const Part& p : parts)
        if (p.image->visible && p.image->place()) p.image->draw();
}
