// The game's desktop icon, drawn by the art generator for installation.
#pragma once

#include <string>

namespace artgen {

// Writes the icon as a size x size PNG (16..1024); false on a bad size or
// a write failure.
bool writeIcon(int size, const std::string& path);

}  // namespace artgen
