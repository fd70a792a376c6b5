#include "menu/menu_scene.h"

#include <cstdio>

#include "input/cursor.h"
#include "input/mouse.h"
#include "shell/flags.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
constexpr const char* kButtonStems[kwMenuScene::kButtonCount] = {
    "play", "howto", "players", "skill", "volume", "scores", "credits", "split"};
}

kwMenuScene::kwMenuScene() = default;
kwMenuScene::~kwMenuScene() { clear(); }

void kwMenuScene::addPicture(std::unique_ptr<kwEyeTransparency>& slot, const char* name) {
    slot = std::make_unique<kwEyeTransparency>();
    if (!attachImageAndAdd(slot.get(), name)) slot.reset();
}

void kwMenuScene::addButton(int index, const char* stem) {
    Button& b = buttons[static_cast<size_t>(index)];
    char name[32];
    std::snprintf(name, sizeof name, "%s_button_01.eye", stem);
    addPicture(b.normal, name);
    std::snprintf(name, sizeof name, "%s_button_02.eye", stem);
    addPicture(b.highlight, name);
    if (b.highlight) b.highlight->visible = false;
    b.bound = b.normal != nullptr;
}

void kwMenuScene::enter() {
    reset();
    if (cursorSlot.drawable) cursorSlot.drawable->visible = true;
    archive->add_lfl("menu.lfl");
    stripes = std::make_unique<kwStripeBackground>();
    addDrawable(stripes.get());
    addPicture(title, "title_01.eye");
    if (title) title->depth = 100.0f;
    for (int i = 0; i < kButtonCount; ++i) addButton(i, kButtonStems[i]);
    addScript(new kwMenuInputScript(this));
    setMousePos(240, -110);
    openPanel = 0;
}

void kwMenuScene::leave() {
    stripes.reset();
    title.reset();
    for (Button& b : buttons) b = Button{};
    clear();
}

void kwMenuScene::startGame() { sceneManager->requestSceneAfter(scenes.play, kStartDelayMs); }

void kwMenuScene::handleClick(int32_t x, int32_t y) {
    for (int i = 0; i < kButtonCount; ++i) {
        Button& b = buttons[static_cast<size_t>(i)];
        if (!b.bound || !b.normal->hitTest(x, y, false)) continue;
        if (i == kPlayButton) startGame();
        if (i == kQuitButton) appFlags.quitRequested = true;
        return;
    }
}

void kwMenuScene::updateHover(int32_t x, int32_t y) {
    for (Button& b : buttons) {
        if (!b.bound) continue;
        bool over = b.normal->hitTest(x, y, false);
        b.normal->visible = !over || !b.highlight;
        if (b.highlight) b.highlight->visible = over;
    }
}

void kwMenuInputScript::run() {
    if (state == 0) {
        interval = kIntervalMs;
        state = 1;
    }
    if (appFlags.escapePressed) {
        appFlags.escapePressed = false;
        appFlags.quitRequested = true;
    }
    if (mouse->isClicked(0)) {
        menu->handleClick(mouse->clickPosX(0), mouse->clickPosY(0));
        mouse->clearClicked(0);
    }
    if (mouse->isClicked(1)) mouse->clearClicked(1);
    menu->updateHover(mouseX(), mouseY());
}
