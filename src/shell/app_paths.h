// Where the game finds its data and keeps its per-user files.
#pragma once

#include <string>

// The data folder: the override if given, else data/ under the working
// directory, else data/ beside the executable, else the installed share
// folder; "data" when none exists (every archive is then missing).
std::string resolveDataFolder(const std::string& override);

// Creates a folder and its parents (new ones 0700); true if it exists after.
bool ensureFolder(const std::string& path);
