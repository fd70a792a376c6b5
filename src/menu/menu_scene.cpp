#include "menu/menu_scene.h"

#include <cstdio>

#include "audio/sound.h"
#include "audio/sound_list.h"
#include "audio/sound_volume.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "menu/logo_pulse_script.h"
#include "shell/flags.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
constexpr const char* kButtonStems[kwMenuScene::kButtonCount] = {
    "play", "howto", "players", "skill", "volume", "scores", "credits", "split"};
// The panel each button opens (0: none).
constexpr int32_t kButtonPanel[kwMenuScene::kButtonCount] = {0, 4, 1, 2, 3, 6, 5, 0};
constexpr int32_t kCreditsPanel = 5;
constexpr int32_t kScoresPanel = 6;
constexpr int32_t kPanelCount = 6;  // openPanel values 1..6; 5 (credits) is a picture
constexpr float kPanelDepth = 100.0f;
constexpr float kCreditsDrop = -10.0f;     // 10 px below its stored place
constexpr float kCopyrightShift = -20.0f;  // 20 px left of its stored place
constexpr uint32_t kCopyrightOpacity = 128;
constexpr float kSoundScale = 1.0f;
constexpr const char* kPanelArchives[] = {"sub_players.lfl", "sub_skill.lfl", "sub_volume.lfl",
                                          "sub_credits.lfl", "sub_howto.lfl", "sub_hs.lfl"};
}  // namespace

kwMenuScene::kwMenuScene() = default;
kwMenuScene::~kwMenuScene() {
    clear();
    unloadSounds();
}

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
    for (const char* a : kPanelArchives) archive->add_lfl(a);
    stripes = std::make_unique<kwStripeBackground>();
    addDrawable(stripes.get());
    createPanels();
    createPictures();
    for (int i = 0; i < kButtonCount; ++i) addButton(i, kButtonStems[i]);
    loadSounds();
    if (volumePanel) volumePanel->setMusic(music);
    addScript(new kwLogoPulseScript(logo.get(), &openPanel));
    addScript(new kwMenuInputScript(this));
    setMousePos(240, -110);
    openPanel = 0;
}

void kwMenuScene::leave() {
    unloadSounds();
    freePanels();
    stripes.reset();
    title.reset();
    for (auto* p : {&startPanel, &startHover, &credits}) p->reset();
    logo.reset();
    copyright.reset();
    for (Button& b : buttons) b = Button{};
    clear();
}

void kwMenuScene::startGame() {
    sceneManager->requestSceneAfter(scenes.play, kStartDelayMs);
}

// Pictures the scene itself shows besides the buttons.
void kwMenuScene::createPictures() {
    addPicture(startPanel, "orange_01.eye");
    addPicture(startHover, "orange_02.eye");
    for (auto* p : {&startPanel, &startHover})
        if (*p) (*p)->depth = kPanelDepth;
    if (startHover) startHover->visible = false;
    addPicture(credits, "credits_01.eye");
    if (credits) {
        credits->y += kCreditsDrop;
        credits->visible = false;
    }
    logo = std::make_unique<kwEyeTransparencyConstantAlpha>();
    if (attachImageAndAdd(logo.get(), "quenvale_logo.eye")) {
        logo->depth = kPanelDepth;
        logo->visible = false;
    } else {
        logo.reset();
    }
    copyright = std::make_unique<kwEyeTransparencyConstantAlpha>();
    if (attachImageAndAdd(copyright.get(), "copyright.eye")) {
        copyright->x += kCopyrightShift;
        copyright->depth = kPanelDepth;
        copyright->opacity = kCopyrightOpacity;
    } else {
        copyright.reset();
    }
    addPicture(title, "title_01.eye");
    if (title) title->depth = kPanelDepth;
}

void kwMenuScene::loadSounds() {
    soundArchive = std::make_unique<kwLinkedFileList>();
    soundArchive->add_lfl("sfx.lfl");
    clickSound = std::make_unique<kwSound>(soundArchive->find("click_01.noi"));
    if (soundList) soundList->add(clickSound.get());
    if (gameState.musicVolume <= 0) return;  // silent for the whole visit
    musicSound = std::make_unique<kwSound>(soundArchive->find("menu_music_01.noi"));
    if (soundList) soundList->add(musicSound.get());
    music = musicSound.get();
    playMusic(music, kSoundScale, true);
}

void kwMenuScene::unloadSounds() {
    music = nullptr;
    for (auto* s : {&musicSound, &clickSound}) {
        if (!*s) continue;
        (*s)->stop();
        if (soundList) soundList->remove(s->get());
        s->reset();
    }
    if (soundArchive) soundArchive->clear();
    soundArchive.reset();
}

void kwMenuScene::playClick() {
    if (clickSound) playSound(clickSound.get(), kSoundScale, false);
}

// Each panel loads its pictures from the scene's archive; all start hidden.
void kwMenuScene::createPanels() {
    howToPanel = std::make_unique<kwHowToPanel>(archive.get());
    playersPanel = std::make_unique<kwPlayersPanel>(archive.get());
    skillPanel = std::make_unique<kwSkillPanel>(archive.get());
    volumePanel = std::make_unique<kwVolumePanel>(archive.get());
    scoresPanel = std::make_unique<kwHighScorePanel>();
    scoresPanel->load(archive.get());
    for (int32_t p = 1; p <= kPanelCount; ++p)
        if (kwDrawable* d = panelFor(p)) {
            d->visible = false;
            addDrawable(d);
        }
}

// Panels go before the scene's archive does: their pictures live in it.
void kwMenuScene::freePanels() {
    for (int32_t p = 1; p <= kPanelCount; ++p)
        if (kwDrawable* d = panelFor(p)) removeDrawable(d);
    howToPanel.reset();
    playersPanel.reset();
    skillPanel.reset();
    volumePanel.reset();
    scoresPanel.reset();
}

kwDrawable* kwMenuScene::panelFor(int32_t panel) const {
    switch (panel) {
        case 1:
            return playersPanel.get();
        case 2:
            return skillPanel.get();
        case 3:
            return volumePanel.get();
        case 4:
            return howToPanel.get();
        case kScoresPanel:
            return scoresPanel.get();
        default:
            return nullptr;
    }
}

void kwMenuScene::hidePanels() {
    for (auto* p : {&startPanel, &startHover, &credits})
        if (*p) (*p)->visible = false;
    for (int32_t p = 1; p <= kPanelCount; ++p)
        if (kwDrawable* d = panelFor(p)) d->visible = false;
}

void kwMenuScene::openButton(int index) {
    hidePanels();
    if (index == kPlayButton) startGame();
    if (index == kQuitButton) appFlags.quitRequested = true;
    if (kButtonPanel[index] == 0) return;
    openPanel = kButtonPanel[index];
    if (openPanel == kCreditsPanel && credits) credits->visible = true;
    if (kwDrawable* d = panelFor(openPanel)) d->visible = true;
}

void kwMenuScene::handleClick(int32_t x, int32_t y) {
    // The volume panel's click is heard at the volume it has just chosen.
    if (openPanel == 3 && volumePanel && volumePanel->handleClick(x, y)) {
        playClick();
        return;
    }
    playClick();
    for (int i = 0; i < kButtonCount; ++i) {
        Button& b = buttons[static_cast<size_t>(i)];
        if (!b.bound || !b.normal->hitTest(x, y, false)) continue;
        openButton(i);
        return;
    }
    if (openPanel == 0 && startPanel && startPanel->hitTest(x, y, false)) startGame();
    if (openPanel == 1 && playersPanel) playersPanel->handleClick(x, y);
    if (openPanel == 2 && skillPanel) skillPanel->handleClick(x, y);
    if (openPanel == kScoresPanel && scoresPanel) scoresPanel->handleClick(x, y);
}

void kwMenuScene::updateHover(int32_t x, int32_t y) {
    for (Button& b : buttons) {
        if (!b.bound) continue;
        bool over = b.normal->hitTest(x, y, false);
        b.normal->visible = !over || !b.highlight;
        if (b.highlight) b.highlight->visible = over;
    }
    if (openPanel == 0 && startPanel && startHover) {
        const bool over = startPanel->hitTest(x, y, false);
        startPanel->visible = !over;
        startHover->visible = over;
    }
    if (openPanel == 1 && playersPanel) playersPanel->updateHover(x, y);
    if (openPanel == 2 && skillPanel) skillPanel->updateHover(x, y);
    if (openPanel == 3 && volumePanel) volumePanel->updateHover(x, y);
    if (openPanel == 4 && howToPanel) howToPanel->updateHover(x, y);
    if (openPanel == kScoresPanel && scoresPanel) scoresPanel->updateHover(x, y);
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
