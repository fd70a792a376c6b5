// The game's state as one JSON object: the current scene, the clock, the
// frame count, every game-state field and the cursor.
#pragma once

#include <string>

std::string stateDumpJson();
