// Writes a 16-bit frame (or any 16-bit picture in a known channel layout) as
// an 8-bit RGB PNG. No image library: the pixel data goes into zlib "stored"
// blocks, which every PNG reader accepts. Used for screenshots and previews.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// pitchBytes is the distance between rows in bytes (at least width * 2).
// Each channel is widened to 8 bits by repeating its top bits, so full
// white stays 255 and black stays 0. False (and a log line) on bad
// arguments or a write failure; a partly written file is removed.
bool writePng(const std::string& path, const uint16_t* pixels, int width, int height,
              int pitchBytes, kwPixelLayout layout);

// The same PNG in memory (for tests and callers that send it elsewhere).
// Returns an empty string on bad arguments.
std::string encodePng(const uint16_t* pixels, int width, int height, int pitchBytes,
                      kwPixelLayout layout);

// Checksums used by the PNG and zlib containers.
uint32_t pngCrc32(const uint8_t* data, size_t length, uint32_t crc = 0);
uint32_t adler32(const uint8_t* data, size_t length, uint32_t adler = 1);
