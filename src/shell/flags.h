// Program-wide flags set by the window events and read by the scenes.
#pragma once

struct kwAppFlags {
    bool active = true;         // the window has the focus; frames run only then
    bool quitRequested = false; // an orderly exit was asked for
    bool escapePressed = false; // Escape went down; the reacting scene clears it
    bool mmxAvailable = false;  // the fast blend paths may be used
};
extern kwAppFlags appFlags;
