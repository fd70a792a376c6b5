#include "shell/scenes.h"

kwScenes scenes;
