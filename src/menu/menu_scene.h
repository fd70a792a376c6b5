// The scene the program starts in: the striped background, the title and
// the buttons to start a game or leave.
#pragma once

#include <array>
#include <memory>

#include "assets/linked_file.h"
#include "menu/high_score_panel.h"
#include "menu/how_to_panel.h"
#include "menu/players_panel.h"
#include "menu/skill_panel.h"
#include "menu/stripe_background.h"
#include "menu/volume_panel.h"
#include "render/eye.h"
#include "render/scene.h"

class kwSound;

class kwMenuScene : public kwScene {
public:
    static constexpr int kButtonCount = 8;
    static constexpr int kPlayButton = 0;
    static constexpr int kQuitButton = 7;
    static constexpr uint32_t kStartDelayMs = 200;

    kwMenuScene();
    ~kwMenuScene() override;
    void enter() override;
    void leave() override;

    void handleClick(int32_t x, int32_t y);
    void updateHover(int32_t x, int32_t y);

    int32_t openPanel = 0;
    std::unique_ptr<kwPlayersPanel> playersPanel;
    std::unique_ptr<kwSkillPanel> skillPanel;
    std::unique_ptr<kwVolumePanel> volumePanel;
    std::unique_ptr<kwHowToPanel> howToPanel;
    std::unique_ptr<kwHighScorePanel> scoresPanel;
    kwSound* music = nullptr;  // the menu music while it is loaded; owned below

private:
    struct Button {
        std::unique_ptr<kwEyeTransparency> normal, highlight;
        bool bound = false;
    };
    void addPicture(std::unique_ptr<kwEyeTransparency>& slot, const char* name);
    void addButton(int index, const char* stem);
    void startGame();
    void createPictures();
    void loadSounds();
    void unloadSounds();
    // Hides the start picture, the credits and every panel.
    void hidePanels();
    void createPanels();
    void freePanels();
    // The panel drawable for an openPanel value, or null.
    kwDrawable* panelFor(int32_t panel) const;
    void openButton(int index);
    void playClick();

    std::unique_ptr<kwStripeBackground> stripes;
    std::unique_ptr<kwEyeTransparency> title;
    std::unique_ptr<kwEyeTransparency> startPanel, startHover, credits;
    std::unique_ptr<kwEyeTransparencyConstantAlpha> logo, copyright;
    std::unique_ptr<kwLinkedFileList> soundArchive;
    std::unique_ptr<kwSound> musicSound, clickSound;
    std::array<Button, kButtonCount> buttons;
};

// Takes Escape, clicks and hover for the menu every 30 ms.
class kwMenuInputScript : public kwScript {
public:
    static constexpr uint32_t kIntervalMs = 30;
    explicit kwMenuInputScript(kwMenuScene* owner) : menu(owner) {}
    void run() override;

private:
    kwMenuScene* menu;
};
