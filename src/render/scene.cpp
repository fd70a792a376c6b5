// Scenes: the per-frame script pass and the draw pass. Nothing here
// allocates per frame: the lists and the sort table are fixed arrays.
#include "render/scene.h"

#include <algorithm>
#include <cmath>

#include "render/render_target.h"
#include "render/screen.h"
#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/log.h"

kwSceneHooks sceneHooks;
kwCursorSlot cursorSlot;

kwScene::kwScene() {
    reset();
}

kwScene::~kwScene() {
    clear();
}

void kwScene::reset() {
    drawableCount = 0;
    // Scripts still held here would otherwise be lost; a scene that was
    // cleared first (the manager's order) has none.
    deleteScripts();
    if (archive) archive->clear();
    archive = std::make_unique<kwLinkedFileList>();
    name = kDefaultName;
    if (sceneHooks.resetMouse) sceneHooks.resetMouse();
}

void kwScene::clear() {
    drawableCount = 0;
    deleteScripts();
    if (archive) archive->clear();
    archive.reset();
}

void kwScene::deleteScripts() {
    // Counted down so a script's destructor sees a consistent list.
    while (scriptCount > 0) scripts[--scriptCount].reset();
}

bool kwScene::addDrawable(kwDrawable* d) {
    if (!d || containsDrawable(d)) return false;
    if (drawableCount >= kMaxDrawables) {
        debugFail("kwScene::addDrawable - too many drawables!");
        return false;
    }
    drawables[drawableCount++] = d;
    return true;
}

void kwScene::removeDrawable(kwDrawable* d) {
    auto end = drawables.begin() + drawableCount;
    auto it = std::find(drawables.begin(), end, d);
    if (it == end) return;
    std::copy(it + 1, end, it);
    drawables[--drawableCount] = nullptr;
}

bool kwScene::containsScript(const kwScript* s) const {
    for (uint32_t i = 0; i < scriptCount; ++i)
        if (scripts[i].get() == s) return true;
    return false;
}

bool kwScene::addScript(kwScript* s) {
    if (!s || containsScript(s)) return false;
    if (scriptCount >= kMaxScripts) {
        debugFail("kwScene::addScript - too many scripts!");
        return false;
    }
    scripts[scriptCount++].reset(s);
    return true;
}

void kwScene::removeScriptAt(uint32_t i) {
    std::unique_ptr<kwScript> finished = std::move(scripts[i]);
    std::move(scripts.begin() + i + 1, scripts.begin() + scriptCount, scripts.begin() + i);
    --scriptCount;
    // Deleted after the list is consistent again.
    finished.reset();
}

bool kwScene::containsDrawable(const kwDrawable* d) const {
    auto end = drawables.begin() + drawableCount;
    return std::find(drawables.begin(), end, d) != end;
}

bool kwScene::attachImage(kwEye* d, const char* fileName) {
    return attachFrom(d, fileName, archive.get());
}

bool kwScene::attachFrom(kwEye* d, const char* fileName, kwLinkedFileList* list) {
    lastFile = (list && fileName) ? list->find(fileName) : nullptr;
    if (!lastFile || !d) return false;
    d->setLinkedFile(lastFile);
    return true;
}

// True when the image is bound and in the list (already being there counts,
// so a caller never deletes a drawable the scene still points at).
bool kwScene::attachImageAndAdd(kwEye* d, const char* fileName) {
    if (!attachImage(d, fileName)) return false;
    return addDrawable(d) || containsDrawable(d);
}

bool kwScene::attachImageAndAdd(kwEye* d, const char* fileName, kwLinkedFileList* list) {
    if (!attachFrom(d, fileName, list)) return false;
    return addDrawable(d) || containsDrawable(d);
}

void kwScene::runScripts() {
    const uint32_t now = gameTime();
    uint32_t i = 0;
    while (i < scriptCount) {
        kwScript* s = scripts[i].get();
        if (now - s->lastRun < s->interval) {
            ++i;
            continue;
        }
        s->elapsed = static_cast<float>(now - s->lastRun);
        s->lastRun = now;
        s->run();
        if (sceneHooks.switchPending && sceneHooks.switchPending()) return;
        // A run that emptied the list (clearing its own scene) ends the pass.
        if (i >= scriptCount || scripts[i].get() != s) return;
        if (s->state == kScriptFinished)
            removeScriptAt(i);
        else
            ++i;
    }
}

void kwScene::collect() {
    sortCount = 0;
    for (uint32_t i = 0; i < drawableCount; ++i) {
        kwDrawable* d = drawables[i];
        if (!d->visible) continue;
        targetScreen();
        if (!d->place()) continue;
        float key = d->getDepth();
        if (std::isnan(key)) key = 0.0f;  // keeps the ordering total
        sortTable[sortCount++] = kwSortEntry{key, i};
    }
}

// Largest depth first; equal depths keep list order, so the picture does not
// flicker from frame to frame.
void kwScene::sortByDepth() {
    std::sort(sortTable.begin(), sortTable.begin() + sortCount,
              [](const kwSortEntry& a, const kwSortEntry& b) {
                  if (a.depth != b.depth) return a.depth > b.depth;
                  return a.index < b.index;
              });
}

// False when the focus was lost midway (the caller unlocks and stops).
bool kwScene::drawSorted() {
    for (uint32_t k = 0; k < sortCount; ++k) {
        // A draw may have shortened the list (a drawable removing another).
        if (sortTable[k].index >= drawableCount) continue;
        kwDrawable* d = drawables[sortTable[k].index];
        targetScreen();
        if (!d->place()) continue;
        if (!appFlags.active) return false;
        d->draw();
    }
    return true;
}

void kwScene::drawCursor() {
    kwDrawable* c = cursorSlot.drawable;
    if (!appFlags.active || !c || !c->visible) return;
    targetScreen();
    const int32_t mx = sceneHooks.mouseX ? sceneHooks.mouseX() : 0;
    const int32_t my = sceneHooks.mouseY ? sceneHooks.mouseY() : 0;
    c->x = static_cast<float>(mx + cursorSlot.hotX);
    c->y = static_cast<float>(my - cursorSlot.hotY);
    if (c->place()) c->draw();
}

void kwScene::draw() {
    if (!appFlags.active) return;
    collect();
    sortByDepth();
    if (!appFlags.active) return;
    uint8_t* bits = screen ? screen->Lock() : nullptr;
    if (!bits) {
        debuggerOutput("kwScene::draw --> screen_bits = NULL\r\n");
        return;
    }
    if (drawSorted()) drawCursor();
    screen->Unlock();
}
