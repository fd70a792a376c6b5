// The window's icon, drawn in code: a small orange with a leaf.
#pragma once

struct SDL_Window;

void setWindowIcon(SDL_Window* window);
