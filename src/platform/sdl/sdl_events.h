// The SDL backend's event pump and mouse: SDL events become the game's
// few events, mouse buttons are tracked for the GetAsyncKeyState-style
// poll, and positions are mapped to and from the letterboxed picture.
#pragma once

#include <cstdint>

#include "platform/platform.h"

bool sdlPollEvent(kwEvent* out);
bool sdlWaitEvent(kwEvent* out);
void sdlGetMousePos(int* x, int* y);
void sdlSetMousePos(int x, int y);
uint16_t sdlMouseButton(int physicalButton);
