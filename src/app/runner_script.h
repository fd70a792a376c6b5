// The headless runner's input script: one timed action per line,
// "AT_MS ACTION ARGS", '#' starting a comment.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

enum class kwActionKind : uint8_t { Move, Click, RightClick, Key, Chars, Focus, Screenshot, Dump, Quit };

struct kwScriptAction {
    uint32_t at = 0;  // platform milliseconds from start
    kwActionKind kind = kwActionKind::Move;
    int x = 0, y = 0;         // screen pixels, origin top-left
    kwKey key = kwKey::Other;
    bool on = false;          // focus on/off
    std::string text;         // characters to type, or a file path
};

// Parses the whole script; actions come back sorted by time (stable, so
// actions at the same time keep their order). False with a message naming
// the line on the first malformed line.
bool parseRunnerScript(const std::string& text, std::vector<kwScriptAction>* out,
                       std::string* error);
