#include "app/state_dump.h"

#include <cstring>

#include "app/json_writer.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "platform/platform.h"
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
    j.endObject();
    return j.text();
}
