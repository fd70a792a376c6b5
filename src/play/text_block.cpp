#include "play/text_block.h"

#include <cstdio>

#include "shell/game_state.h"

namespace {
constexpr const char* kTimeOutLines[] = {"Out", "", "of", "", "Time!"};
constexpr int32_t kTimeOutLineCount = sizeof kTimeOutLines / sizeof kTimeOutLines[0];
// Room for "Level " and any i32, or a full name and "'s turn!".
constexpr int kLineSize = 32;
}  // namespace

void kwTextBlock::addLevelLine(int32_t level) {
    char line[kLineSize];
    std::snprintf(line, sizeof line, "Level %d", int(level));
    record(line);
}

void kwTextBlock::addLines(const char* const* text, int32_t n) {
    if (!text) return;
    for (int32_t i = 0; i < n; ++i) record(text[i]);
}

// The name is cut at the longest a player may have, so an unterminated
// buffer cannot run on.
void kwTextBlock::addTurnLine(const char* playerName) {
    char line[kLineSize];
    std::snprintf(line, sizeof line, "%.*s's turn!", kMaxPlayerNameLength,
                  playerName ? playerName : "");
    record("");
    record(line);
}

void kwTextBlock::addTimeOutLines() {
    addLines(kTimeOutLines, kTimeOutLineCount);
}

void kwTextBlock::record(const char* text) {
    addLine(text);
    lineTexts.emplace_back(text);
}
