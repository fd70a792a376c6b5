// Seed inputs for the fuzz targets, made by the same writers the game's
// tools use: well-formed archives, images and masks, sounds, settings
// records and runner scripts, wrapped in each target's control bytes, that
// the fuzzers then bend.
#pragma once

#include <cstdint>
#include <vector>

using kwFuzzInput = std::vector<uint8_t>;

std::vector<kwFuzzInput> archiveSeeds();
std::vector<kwFuzzInput> imageSeeds();
std::vector<kwFuzzInput> maskSeeds();
std::vector<kwFuzzInput> soundSeeds();
// Written with the game's own saveSettingsRecord in the scratch folder.
std::vector<kwFuzzInput> settingsSeeds();
std::vector<kwFuzzInput> scriptSeeds();
