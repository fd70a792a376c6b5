#include "render/render_target.h"

kwRenderTarget renderTarget;
kwRenderTarget screenSlot;

void targetScreen() { renderTarget = screenSlot; }
