// The system-font engine both backends share: fontconfig turns a face name
// into a font file, SDL_ttf (FreeType) measures and rasterises. The screen
// and the headless frame buffer draw the same letters, so tests can measure
// them. This header is SDL-free; only ttf_text.cpp includes SDL_ttf.
#pragma once

#include <cstddef>

#include "platform/platform.h"

// The kwPlatform text entries.
kwFontFace* ttfOpenFont(const char* faceName, int pixelHeight);
void ttfCloseFont(kwFontFace* face);
int ttfTextWidth(kwFontFace* face, const char* text);
bool ttfRenderText(kwFontFace* face, const char* text, kwTextCoverage* out);

// The font file fontconfig picks for a face name (e.g. "Arial" -> Liberation
// Sans) with its index in a collection; false when fontconfig has none.
bool ttfResolveFace(const char* faceName, char* path, size_t pathSize, int* index);

// The file and collection index a face was opened from ("" for null).
const char* ttfFacePath(const kwFontFace* face);
// Faces open right now (the engine shuts down when the last one closes).
int ttfOpenFaces();
