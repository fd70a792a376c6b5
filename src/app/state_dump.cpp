#include "app/state_dump.h"

#include <cmath>
#include <cstring>

#include "app/json_writer.h"
#include "audio/sound.h"
#include "board/board_host.h"
#include "board/hand.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "menu/menu_scene.h"
#include "platform/platform.h"
#include "play/level_spawner.h"
#include "play/play_scene.h"
#include "shell/app.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/scene_manager.h"
#include "shell/scenes.h"

namespace {
const char* sceneName() {
    if (!sceneManager || !sceneManager->current) return nullptr;
    if (sceneManager->current == scenes.menu) return "menu";
    if (sceneManager->current == scenes.play) return "play";
    return nullptr;
}

std::string boundedName(const char* bytes, size_t capacity) {
    return std::string(bytes, strnlen(bytes, capacity));
}

void perPlayer(kwJsonWriter& j, const char* key, const kwGameState::PerPlayer& values) {
    j.beginArray(key);
    for (int32_t v : values) j.value(nullptr, v);
    j.endArray();
}

void writeHighScores(kwJsonWriter& j) {
    j.beginArray("highScores");
    for (const kwHighScoreRecord& r : gameState.highScores.records) {
        j.beginObject()
            .value("name", boundedName(r.name, sizeof r.name))
            .value("skill", r.skill)
            .value("level", r.level)
            .value("score", r.score)
            .endObject();
    }
    j.endArray();
}

void writeGameState(kwJsonWriter& j) {
    const kwGameState& s = gameState;
    j.beginObject("state")
        .value("highestLevel", s.highestLevel)
        .value("speedFactor", s.speedFactor)
        .value("playerCount", s.playerCount);
    perPlayer(j, "playerSkill", s.playerSkill);
    j.beginArray("playerName");
    for (const auto& name : s.playerName) j.value(nullptr, boundedName(name, sizeof name));
    j.endArray();
    j.value("musicVolume", s.musicVolume).value("soundVolume", s.soundVolume);
    writeHighScores(j);
    j.value("startLevel", s.startLevel)
        .value("levelCount", s.levelCount)
        .value("currentPlayer", s.currentPlayer);
    perPlayer(j, "activeSkill", s.activeSkill);
    perPlayer(j, "score", s.score);
    perPlayer(j, "level", s.level);
    perPlayer(j, "lives", s.lives);
    j.value("timeLeft", s.timeLeft)
        .value("playPhase", s.playPhase)
        .value("levelCompleteTime", static_cast<int64_t>(s.levelCompleteTime))
        .endObject();
}

void writeCursor(kwJsonWriter& j) {
    // The pointer in screen pixels (origin top-left), like the script's points.
    int32_t x = mouse ? mouseX() + kScreenWidth / 2 : 0;
    int32_t y = mouse ? kScreenHeight / 2 - mouseY() : 0;
    j.beginObject("cursor")
        .value("x", x)
        .value("y", y)
        .value("hotX", cursorSlot.hotX)
        .value("hotY", cursorSlot.hotY)
        .flag("carrying", cursor && cursor->carried)
        .endObject();
}

// Scene coordinates (centre origin, y up) to screen pixels (top-left, y down).
int32_t screenX(int32_t sceneX) {
    return sceneX + kScreenWidth / 2;
}
int32_t screenY(int32_t sceneY) {
    return kScreenHeight / 2 - sceneY;
}

// Where the piece is drawn: its cell and offset on the board; in the hand,
// at the mouse moved by the hot spot and the grab offset, as the cursor does.
void piecePosition(const kwPiece& p, int32_t* x, int32_t* y) {
    if (p.carried && cursor) {
        const int32_t mx = mouse ? mouseX() : 0, my = mouse ? mouseY() : 0;
        *x = mx + cursorSlot.hotX + cursor->grabOffsetX;
        *y = my - cursorSlot.hotY + cursor->grabOffsetY;
        return;
    }
    *x = int32_t(cellCentreX(p.column)) + p.offsetX;
    *y = int32_t(cellCentreY(p.row)) + p.offsetY;
}

// Life to the millisecond keeps float noise out of the text.
double roundedLife(float life) {
    return std::round(double(life) * 1000.0) / 1000.0 + 0.0;  // + 0.0: no "-0"
}

void writePiece(kwJsonWriter& j, const kwPiece& p) {
    int32_t x = 0, y = 0;
    piecePosition(p, &x, &y);
    j.beginObject()
        .value("type", int32_t(p.pieceType()))
        .value("column", p.column)
        .value("row", p.row)
        .value("x", screenX(x))
        .value("y", screenY(y))
        .number("life", roundedLife(p.life));
    if (p.script)
        j.value("state", int64_t(p.script->state));
    else
        j.null("state");
    j.flag("frozen", p.frozen)
        .flag("blinking", p.isBlinkingIn())
        .flag("carried", p.carried)
        .value("strokes", p.strokes)
        .endObject();
}

// The menu while it is the current scene: the open panel, the players
// panel's name field with the focus (null before the panel has loaded), the
// menu music.
void writeMenu(kwJsonWriter& j) {
    auto* menu = dynamic_cast<kwMenuScene*>(sceneManager ? sceneManager->current : nullptr);
    if (!menu) {
        j.null("menu");
        return;
    }
    j.beginObject("menu").value("openPanel", menu->openPanel);
    const kwPlayersPanel* players = menu->playersPanel.get();
    if (players && players->form && players->form->focusedField)
        j.value("focusedField", std::string(players->form->focusedField->name));
    else
        j.null("focusedField");
    j.flag("musicPlaying", menu->music && menu->music->isPlaying()).endObject();
}

// The play scene's turn: phase, clock, intro lines, dialog and spawner.
void writeTurn(kwJsonWriter& j, const kwPlayScene& scene) {
    j.value("phase", gameState.playPhase).value("timeLeft", gameState.timeLeft);
    if (scene.introText) {
        j.beginArray("intro");
        for (const std::string& line : scene.introText->texts()) j.value(nullptr, line);
        j.endArray();
    } else {
        j.null("intro");
    }
    j.flag("exitDialog", scene.exitDialog && scene.exitDialog->isOpen());
    if (scene.spawner)
        j.beginObject("spawner")
            .value("state", int64_t(scene.spawner->state))
            .value("bagIndex", scene.spawner->nextBagIndex())
            .endObject();
    else
        j.null("spawner");
}

void writePlay(kwJsonWriter& j) {
    if (!boardHost || !pieceList) {
        j.null("play");
        return;
    }
    j.beginObject("play")
        .value("levelPoints", boardHost->levelPoints)
        .value("levelGoal", boardHost->levelGoal);
    if (const auto* scene = dynamic_cast<const kwPlayScene*>(boardHost)) writeTurn(j, *scene);
    j.beginArray("pieces");
    for (const kwPiece* p : pieceList->slots)
        if (p) writePiece(j, *p);
    if (const kwPiece* held = handPiece()) writePiece(j, *held);
    j.endArray().endObject();
}
}  // namespace

std::string stateDumpJson() {
    kwJsonWriter j;
    j.beginObject();
    const char* scene = sceneName();
    if (scene)
        j.value("scene", std::string(scene));
    else
        j.null("scene");
    j.value("gameTime", static_cast<int64_t>(gameTime()))
        .flag("paused", clockState.paused)
        .value("frames", static_cast<int64_t>(framesRun()));
    writeGameState(j);
    writeCursor(j);
    writePlay(j);
    writeMenu(j);
    j.endObject();
    return j.text();
}
