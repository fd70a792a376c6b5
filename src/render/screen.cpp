// The display on top of the platform seam: the work surface is the
// backend's 16-bit frame buffer, Lock publishes it for the blitters, Flip
// presents it. createRenderScreen tries the asked depth and, for a deep
// request, falls back to 24 and then 16 bits before giving up.
#include "render/screen.h"

#include <cstdio>
#include <cstring>

#include "assets/pixel_format.h"
#include "render/render_target.h"
#include "shell/log.h"

kwScreen* screen = nullptr;

namespace {

constexpr uint32_t kFallbackDeep = 24;
constexpr uint32_t kFallbackShallow = 16;
constexpr int kClearPasses = 2;  // front and back picture both start black

// Only one screen may own the platform's frame buffer at a time.
bool g_screenExists = false;
std::unique_ptr<kwScreen> g_screenOwner;

bool backendHasFrameBuffer(const kwPlatform& p) {
    return p.createFrameBuffer && p.destroyFrameBuffer && p.lockFrame && p.unlockFrame && p.present;
}

}  // namespace

// --- kwSurface ---

kwSurface::kwSurface(uint32_t width_, uint32_t height_) : width(width_), height(height_) {
    int framePitch = 0;
    uint8_t* p = backendHasFrameBuffer(platform()) ? platform().lockFrame(&framePitch) : nullptr;
    if (!p || framePitch < int32_t(width * 2)) {
        if (p) platform().unlockFrame();
        debugLog("Create Surface Failed\r\n");
        return;
    }
    platform().unlockFrame();
    bpp = 16;
    pitch = framePitch;
    created = true;
}

kwSurface::~kwSurface() {
    Unlock();
}

uint8_t* kwSurface::Lock() {
    if (locked) return bits;
    if (!created) return nullptr;
    int framePitch = 0;
    uint8_t* p = platform().lockFrame(&framePitch);
    if (!p || framePitch < int32_t(width * 2)) {
        if (p) platform().unlockFrame();
        debuggerOutput("kwSurface::Lock failed\r\n");
        return nullptr;
    }
    pitch = framePitch;
    bits = p;
    locked = true;
    return bits;
}

void kwSurface::Unlock() {
    if (!locked) return;
    platform().unlockFrame();
    locked = false;
    bits = nullptr;
}

// --- kwScreen ---

kwScreen::kwScreen(uint32_t width_, uint32_t height_, uint32_t bpp_) {
    if (g_screenExists) return;
    width = width_;
    height = height_;
    bpp = bpp_;
    if (!create()) return;
    initialized = true;
    g_screenExists = true;
}

kwScreen::~kwScreen() {
    Unlock();
    work.reset();
    if (modeSet) platform().destroyFrameBuffer();
    if (initialized) {
        g_screenExists = false;
        screenSlot = kwRenderTarget{};  // no stale pointer into a freed buffer
    }
}

bool kwScreen::initDirectDraw() {
    if (backendHasFrameBuffer(platform())) return true;
    debuggerOutput("kwScreen::initDirectDraw - the platform has no frame buffer\r\n");
    return false;
}

bool kwScreen::setDisplayMode() {
    kwPixelLayout got = kLayout565;
    if (!platform().createFrameBuffer(int(width), int(height), int(bpp), &got)) {
        debuggerOutput("SetDisplayMode failed (Not enough video RAM?)\r\n");
        return false;
    }
    layout = got;
    modeSet = true;
    return true;
}

bool kwScreen::create() {
    if (!initDirectDraw() || !setDisplayMode()) return false;
    work = std::make_unique<kwSurface>(width, height);
    if (!work->isCreated()) return false;  // no work surface, no screen
    debuggerOutput("Created work surface\r\n");
    pitch = work->getPitch();
    pixelFormat = makePixelFormat(layout.red, layout.green, layout.blue, int(bpp));
    return true;
}

uint8_t* kwScreen::Lock() {
    if (!work) return nullptr;
    if (locked) return work->Lock();
    uint8_t* p = work->Lock();
    if (!p) return nullptr;
    pitch = work->getPitch();
    screenSlot = kwRenderTarget{p, pitch, int(width), int(height)};
    locked = true;
    return p;
}

void kwScreen::Unlock() {
    if (!locked) return;
    if (work) work->Unlock();
    locked = false;
}

bool kwScreen::Flip() {
    if (!initialized) return false;
    if (!platform().present()) {
        debuggerOutput("Flip failed\r\n");
        return false;
    }
    return true;
}

int32_t kwScreen::getPitch() const {
    return work ? work->getPitch() : pitch;
}

void kwScreen::restoreAllSurfaces() {}

// --- the global screen ---

namespace {

bool tryScreen(uint32_t width, uint32_t height, uint32_t bpp) {
    g_screenOwner = std::make_unique<kwScreen>(width, height, bpp);
    screen = g_screenOwner.get();
    if (screen->isInitialized()) return true;
    g_screenOwner.reset();
    screen = nullptr;
    return false;
}

void clearBothBuffers() {
    for (int pass = 0; pass < kClearPasses; ++pass) {
        uint8_t* bits = screen->Lock();
        if (bits) {
            for (uint32_t y = 0; y < screen->height; ++y)
                std::memset(bits + size_t(y) * size_t(screen->getPitch()), 0,
                            size_t(screen->getPitch()));
        }
        screen->Unlock();
        screen->Flip();
    }
}

void reportNoScreen(uint32_t width, uint32_t height) {
    if (platform().hideWindow) platform().hideWindow();
    char text[128];
    std::snprintf(text, sizeof text, "Could not open an %ux%u 16-bit display.", width, height);
    if (platform().showMessage) platform().showMessage("Cannot create render screen.", text);
}

}  // namespace

bool createRenderScreen(uint32_t width, uint32_t height, uint32_t bpp) {
    if (screen) {
        debugFail("createRenderScreen - the screen already exists");
        return false;
    }
    uint32_t got = bpp;
    if (!tryScreen(width, height, bpp)) {
        if (bpp < kFallbackDeep) return false;
        if (tryScreen(width, height, kFallbackDeep)) {
            got = kFallbackDeep;
        } else if (tryScreen(width, height, kFallbackShallow)) {
            got = kFallbackShallow;
        } else {
            reportNoScreen(width, height);
            return false;
        }
    }
    clearBothBuffers();
    debugLogf("Video Screen Initialized to %dx%dx%d\r\n", int(width), int(height), int(got));
    return true;
}

void destroyRenderScreen() {
    g_screenOwner.reset();
    screen = nullptr;
}
