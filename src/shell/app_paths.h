// Where the game finds its data.
#pragma once

#include <string>

// The data folder: the override if given, else the first of data/ under the
// working directory, data/ beside the executable, PREFIX/share/gobble-garden/
// data beside PREFIX/bin and the installed share folder that holds the
// game's archives; "data" when none does (every archive is then missing).
std::string resolveDataFolder(const std::string& override);
