// The sound list: a plain doubly linked list of borrowed sound pointers,
// walked once per frame. Nodes are made when sounds are added (while a
// scene is built), never during a frame.
#include "audio/sound_list.h"

#include <cmath>

#include "audio/sound.h"
#include "shell/clock.h"

kwSoundList* soundList = nullptr;

namespace {

constexpr float kMsPerSecond = 1000.0f;

// A one-shot's length in whole milliseconds, truncated.
uint32_t lengthMs(const kwSound& s) {
    const float ms = std::trunc(s.duration * kMsPerSecond);
    return ms >= float(UINT32_MAX) ? UINT32_MAX : uint32_t(ms);
}

}  // namespace

bool kwSoundList::add(kwSound* sound) {
    if (!sound) return false;
    Node* n = new Node{sound, nullptr, tail};
    if (tail)
        tail->next = n;
    else
        head = n;
    tail = n;
    ++count;
    return true;
}

bool kwSoundList::remove(kwSound* sound) {
    for (Node* n = head; n; n = n->next) {
        if (n->sound != sound) continue;
        (n->prev ? n->prev->next : head) = n->next;
        (n->next ? n->next->prev : tail) = n->prev;
        delete n;
        --count;
        return true;
    }
    return false;
}

bool kwSoundList::contains(const kwSound* sound) const {
    for (const Node* n = head; n; n = n->next)
        if (n->sound == sound) return true;
    return false;
}

void kwSoundList::updateSounds() {
    const uint32_t now = gameTime();
    for (Node* n = head; n; n = n->next) {
        kwSound* s = n->sound;
        if (!s->isPlaying()) continue;
        if (!s->looping && lengthMs(*s) < now - s->startTime)
            s->stop();
        else
            s->update();
    }
}

void kwSoundList::stopAll() {
    for (Node* n = head; n; n = n->next) n->sound->stop();
}

void kwSoundList::clear() {
    while (head) {
        Node* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
    count = 0;
}

void updateSounds() {
    if (soundList) soundList->updateSounds();
}

void stopAll() {
    if (soundList) soundList->stopAll();
}

void deleteSoundList() {
    delete soundList;
    soundList = nullptr;
}
