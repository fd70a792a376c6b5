// kwPlayersPanel: the count buttons, the name boxes with their covers, and
// the form that turns typed keys into player names.
#include "menu/players_panel.h"

#include <cstdio>

#include "input/keyboard.h"
#include "shell/game_state.h"
#include "shell/log.h"

namespace {

constexpr int32_t kFieldRed = 100, kFieldGreen = 200, kFieldBlue = 255;
constexpr int32_t kShadowRed = 50, kShadowGreen = 100, kShadowBlue = 200;
constexpr float kShadowDx = 1.0f, kShadowDy = -1.0f;

// The players who play, kept to the slots the panel has.
int32_t activePlayers() {
    const int32_t n = gameState.playerCount;
    return n < 1 ? 1 : (n > kwPlayersPanel::kSlots ? kwPlayersPanel::kSlots : n);
}

}  // namespace

kwPlayersPanel::kwPlayersPanel(kwLinkedFileList* list) : archive(list) {
    depth = kDepth;
    visible = false;
}

kwPlayersPanel::~kwPlayersPanel() = default;

template <class T>
bool kwPlayersPanel::bind(std::unique_ptr<T>& slot, const char* name) {
    slot = std::make_unique<T>();
    kwLinkedFile* f = archive ? archive->find(name) : nullptr;
    if (!f) {
        debugFail("kwPlayersPanel::load - missing file", name);
        slot.reset();
        return false;
    }
    slot->setLinkedFile(f);
    slot->x += x + kOffsetX;
    slot->y += y + kOffsetY;
    return true;
}

bool kwPlayersPanel::load() {
    if (loaded) return complete;
    loaded = 1;
    bool ok = true;
    char name[32];
    for (int i = 0; i < kSlots; ++i) {
        std::snprintf(name, sizeof name, "big_%dp_01.eye", i + 1);
        ok = bind(bigPictures[size_t(i)], name) && ok;
        std::snprintf(name, sizeof name, "small_%dp_01.eye", i + 1);
        ok = bind(countButtons[size_t(i)], name) && ok;
        std::snprintf(name, sizeof name, "small_%dp_02.eye", i + 1);
        ok = bind(countHighlights[size_t(i)], name) && ok;
        if (countHighlights[size_t(i)]) countHighlights[size_t(i)]->visible = false;
        std::snprintf(name, sizeof name, "name_space_%2.2d.eye", i + 1);
        ok = bind(nameBoxes[size_t(i)], name) && ok;
        if (i == 0) continue;
        std::snprintf(name, sizeof name, "grey_space_%2.2d.eye", i + 1);
        ok = bind(covers[size_t(i)], name) && ok;
        if (covers[size_t(i)]) covers[size_t(i)]->Opacity(kCoverOpacity);
    }
    buildForm();
    complete = ok;
    return complete;
}

void kwPlayersPanel::buildForm() {
    font = std::make_unique<kwFont>(kFontHeight, kFontFace);
    form = std::make_unique<kwTextForm>();
    for (int i = 0; i < kSlots; ++i) {
        const char* field = kFieldNames[size_t(i)];
        form->addField(field, x + kFieldX[size_t(i)], y + kFieldY, font.get(), kNameLength);
        // The record may hold a name without its NUL; never read past the slot.
        char stored[kPlayerNameSize];
        std::snprintf(stored, sizeof stored, "%.*s", kMaxPlayerNameLength, gameState.playerName[i]);
        form->setText(field, stored);
    }
    form->focus(kFieldNames[0]);
    form->setColor(kFieldRed, kFieldGreen, kFieldBlue);
    form->setShadow(true);
    form->setShadowColor(kShadowRed, kShadowGreen, kShadowBlue);
    form->setShadowOffset(kShadowDx, kShadowDy);
    form->setCaretColor(kFieldRed, kFieldGreen, kFieldBlue);
}

bool kwPlayersPanel::hits(const std::unique_ptr<kwEyeTransparency>& image, int32_t qx, int32_t qy) {
    return image && image->hitTest(qx, qy, false);
}

void kwPlayersPanel::updateHover(int32_t qx, int32_t qy) {
    load();
    for (int i = 0; i < kSlots; ++i) {
        const bool over = hits(countButtons[size_t(i)], qx, qy);
        kwEyeTransparency* glow = countHighlights[size_t(i)].get();
        if (countButtons[size_t(i)]) countButtons[size_t(i)]->visible = !over || !glow;
        if (glow) glow->visible = over;
    }
}

bool kwPlayersPanel::handleClick(int32_t qx, int32_t qy) {
    load();
    for (int i = 0; i < kSlots; ++i) {
        if (!hits(countButtons[size_t(i)], qx, qy)) continue;
        gameState.playerCount = i + 1;
        keepFocusOnPlayers();
        return true;
    }
    // A box takes the focus only when its player plays.
    for (int i = 0; i < kSlots; ++i) {
        if (!hits(nameBoxes[size_t(i)], qx, qy)) continue;
        if (gameState.playerCount >= i + 1) form->focus(kFieldNames[size_t(i)]);
        return true;
    }
    return false;
}

void kwPlayersPanel::copyNames() {
    for (int i = 0; i < kSlots; ++i)
        form->getText(kFieldNames[size_t(i)], gameState.playerName[i], kPlayerNameSize);
}

void kwPlayersPanel::keepFocusOnPlayers() {
    if ((form->isFocused(kFieldNames[1]) && gameState.playerCount < 2) ||
        (form->isFocused(kFieldNames[2]) && gameState.playerCount < 3))
        form->focus(kFieldNames[0]);
}

// Any edit, Delete included, reaches playerName at once, so a game started
// right after it plays under the name shown.
void kwPlayersPanel::takeKeys() {
    if (!keyboard) return;
    keepFocusOnPlayers();
    bool edited = false;
    if (const uint32_t c = keyboard->takeChar(true)) {
        form->typeChar(c);
        edited = true;
    }
    if (keyboard->takeLeft(true)) form->caretLeft();
    if (keyboard->takeRight(true)) form->caretRight();
    if (keyboard->takeDelete(true)) {
        form->deleteAtCaret();
        edited = true;
    }
    if (edited) copyNames();
    keepFocusOnPlayers();  // Enter or Tab may have moved it on
}

void kwPlayersPanel::drawImage(kwEye* image) {
    if (image && image->visible && image->place()) image->draw();
}

void kwPlayersPanel::draw() {
    load();
    takeKeys();
    const int32_t count = activePlayers();
    drawImage(bigPictures[size_t(count - 1)].get());
    for (int i = 0; i < kSlots; ++i) {
        drawImage(countButtons[size_t(i)].get());
        drawImage(countHighlights[size_t(i)].get());
    }
    for (auto& box : nameBoxes) drawImage(box.get());
    form->draw();
    for (int i = count; i < kSlots; ++i) drawImage(covers[size_t(i)].get());
}
