#include "render/drawable.h"

#include "shell/clock.h"

kwScript::kwScript() : lastRun(gameTime()) {}
