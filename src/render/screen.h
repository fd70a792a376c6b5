// The display: one 800x600 work surface the game draws into in software,
// presented once per frame through the platform's frame buffer. The
// platform's buffer plays the part of the display mode and the work surface
// alike; Flip hands it to the backend to show (SDL: texture + vsync).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/platform.h"

// A lockable view on the platform's frame buffer. Creating it locks the
// buffer once to learn its pitch; a failed lock makes it "not created".
class kwSurface {
public:
    kwSurface(uint32_t width, uint32_t height);
    ~kwSurface();
    kwSurface(const kwSurface&) = delete;
    kwSurface& operator=(const kwSurface&) = delete;

    uint8_t* Lock();  // nullptr on failure; locked twice gives the same pointer
    void Unlock();
    int32_t getPitch() const { return pitch; }
    bool isCreated() const { return created; }

    uint32_t width = 0, height = 0, bpp = 0;
    int32_t pitch = 0;
    bool locked = false;
    bool created = false;
    uint8_t* bits = nullptr;  // while locked
};

class kwScreen {
public:
    kwScreen(uint32_t width, uint32_t height, uint32_t bpp);
    virtual ~kwScreen();
    kwScreen(const kwScreen&) = delete;
    kwScreen& operator=(const kwScreen&) = delete;

    virtual bool initDirectDraw();  // the backend offers a frame buffer at all
    virtual bool setDisplayMode();  // the backend's frame buffer at this size and depth
    virtual bool create();
    virtual uint8_t* Lock();
    virtual bool Flip();
    void Unlock();

    uint32_t getBpp() const { return bpp; }
    int32_t getPitch() const;
    bool isInitialized() const { return initialized; }
    bool isLocked() const { return locked; }
    // Called when the window gets the focus back. The backend keeps the last
    // picture itself and redraws it on exposure, so nothing is lost here.
    void restoreAllSurfaces();

    uint32_t width = 0, height = 0, bpp = 0;
    int32_t pitch = 0;
    bool locked = false;
    bool initialized = false;
    bool modeSet = false;  // the platform's frame buffer exists (ours to destroy)
    kwPixelLayout layout = kLayout565;
    std::unique_ptr<kwSurface> work;
};

// The one screen, built by createRenderScreen and deleted by
// destroyRenderScreen (null before and after).
extern kwScreen* screen;
bool createRenderScreen(uint32_t width, uint32_t height, uint32_t bpp);
void destroyRenderScreen();
