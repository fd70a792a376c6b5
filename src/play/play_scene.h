// The play screen: one game of one to three players, turn by turn. It owns
// the frame and status bar, the board and its pieces (as their host), the
// level spawner and the turn's scripts, the alarm clock, the exit dialog,
// the sounds and the music. A turn is an intro, play against the clock,
// then level complete (bonus, next level) or time out (a life lost).
#pragma once

#include <array>
#include <memory>

#include "audio/music_loops.h"
#include "board/board_host.h"
#include "play/alarm_clock.h"
#include "play/board_background.h"
#include "play/exit_dialog.h"
#include "play/number_display.h"
#include "play/sparkle_pool.h"
#include "play/star_bar.h"
#include "play/text_block.h"
#include "render/eye.h"
#include "render/layered_sprite.h"
#include "render/scene.h"

class kwSound;
class kwLevelSpawner;
class kwPlayInputScript;
class kwTurnScript;
class kwHighScoreFlasher;

// The play scene's sounds, in the order they are loaded.
enum class kwPlaySound : int { Bell, EatGood, EatBad, Harp, Cross, Reproduce, Horn, OhYeah, Count };

class kwPlayScene : public kwScene, public kwBoardHost {
public:
    static constexpr int kSoundCount = int(kwPlaySound::Count);
    static constexpr uint32_t kMenuDelayMs = 200;

    kwPlayScene();
    ~kwPlayScene() override;
    void enter() override;
    void leave() override;

    // Starts the next player's turn, or ends the game when nobody has a
    // life left.
    void beginTurn();
    // Leaves the game for the menu (Escape, or the exit dialog's button).
    void goToMenu();
    void play(kwPlaySound s);
    void addSparkle(float x, float y) override;
    // The intro's letters have flown: the block goes.
    void removeIntro();

    // The turn's drawables and helpers the scripts use.
    kwMusicLoops music;
    std::unique_ptr<kwEyeTransparency> exitButton;
    std::unique_ptr<kwEyeTransparency> exitHover;
    std::unique_ptr<kwEyeTransparency> newHighScore;
    std::unique_ptr<kwTextBlock> introText;
    std::unique_ptr<kwTextBlock> timeOutText;
    std::unique_ptr<kwAlarmClock> alarmClock;
    std::unique_ptr<kwExitDialog> exitDialog;
    kwLevelSpawner* spawner = nullptr;  // the scene owns its scripts
    kwPlayInputScript* input = nullptr;

private:
    void createStatusBar();
    void createScripts();
    void loadSounds();
    void unloadSounds();
    void startGame();
    bool nextPlayer();
    void endGame();
    // Empties the grid and the list for a new turn, finishing any piece the
    // turn before left behind.
    void clearBoard();
    void showIntro(int32_t level);
    void applyLevel(int32_t level);
    void offerScoresOnce();
    bool addImage(std::unique_ptr<kwEyeTransparency>& slot, const char* name, float depth);

    std::unique_ptr<kwEyeTransparency> frame;
    std::unique_ptr<kwBoardBackground> board;
    std::unique_ptr<kwLayeredSprite> frozen;
    std::unique_ptr<kwScoreDisplay> scoreDisplay;
    std::unique_ptr<kwLevelDisplay> levelDisplay;
    std::unique_ptr<kwMinutesDisplay> minutesDisplay;
    std::unique_ptr<kwSecondsDisplay> secondsDisplay;
    std::unique_ptr<kwStarBar> starBar;
    std::unique_ptr<kwSparklePool> sparkles;
    std::array<std::unique_ptr<kwSound>, kSoundCount> sounds;
    std::unique_ptr<kwLinkedFileList> soundArchive;
    std::array<kwTurnScript*, 5> turnScripts{};  // put back to their start each turn
    bool scoresOffered = false;                  // once per game
};
