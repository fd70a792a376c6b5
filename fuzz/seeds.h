// Seed inputs for the fuzz targets, made by the same writers the game's
// tools use: well-formed archives and images that the fuzzers then bend.
#pragma once

#include <cstdint>
#include <vector>

using kwFuzzInput = std::vector<uint8_t>;

std::vector<kwFuzzInput> archiveSeeds();
std::vector<kwFuzzInput> imageSeeds();
