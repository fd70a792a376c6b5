// Every live kwSound, in the order they were added, so the frame loop can
// refill the streaming ones and stop the one-shots that have run their
// length, and shutdown can silence them all. The list owns its nodes, not
// the sounds: whoever makes a sound adds it and removes it before deleting.
#pragma once

#include <cstdint>

class kwSound;

class kwSoundList {
public:
    struct Node {
        kwSound* sound = nullptr;
        Node* next = nullptr;
        Node* prev = nullptr;
    };

    kwSoundList() = default;
    ~kwSoundList() { clear(); }
    kwSoundList(const kwSoundList&) = delete;
    kwSoundList& operator=(const kwSoundList&) = delete;

    bool add(kwSound* sound);     // at the tail; false for null
    bool remove(kwSound* sound);  // the first node holding it; false if none
    // Once per frame: stops one-shots whose time is up, refills the rest.
    void updateSounds();
    void stopAll();
    void clear();  // destroys the nodes, not the sounds
    bool contains(const kwSound* sound) const;

    Node* head = nullptr;
    Node* tail = nullptr;
    uint32_t count = 0;
};

// The global list: made by initSound, deleted at shutdown.
extern kwSoundList* soundList;

// The global list's updateSounds and stopAll; nothing without a list.
void updateSounds();
void stopAll();
void deleteSoundList();
