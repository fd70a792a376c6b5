// The two long-lived scenes, created at start-up and deleted at shutdown.
// Play and menu never include each other; they find each other here.
#pragma once

class kwScene;

struct kwScenes {
    kwScene* menu = nullptr;
    kwScene* play = nullptr;
};
extern kwScenes scenes;
