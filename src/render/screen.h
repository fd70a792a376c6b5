// The display: one 800x600 work surface the game draws into in software,
// presented once per frame through the platform's frame buffer.
#pragma once

#include <cstdint>

class kwSurface {
public:
    kwSurface(uint32_t width, uint32_t height);
    ~kwSurface();
    uint8_t* Lock();  // nullptr on failure
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
    virtual bool initDirectDraw();  // open the platform's frame buffer
    virtual bool setDisplayMode();
    virtual bool create();
    virtual uint8_t* Lock();
    virtual bool Flip();
    void Unlock();

    uint32_t getBpp() const { return bpp; }
    int32_t getPitch() const;
    bool isInitialized() const { return initialized; }
    bool isLocked() const { return locked; }
    void restoreAllSurfaces();

    uint32_t width = 0, height = 0, bpp = 0;
    int32_t pitch = 0;
    bool locked = false;
    bool initialized = false;
    kwSurface* work = nullptr;  // owned
};

// The one screen, built by createRenderScreen and deleted at shutdown.
extern kwScreen* screen;
bool createRenderScreen(uint32_t width, uint32_t height, uint32_t bpp);
void destroyRenderScreen();
