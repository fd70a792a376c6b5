// The only seam between the game and the operating system. A backend fills
// a kwPlatform table (the way SDL's video drivers are a struct of function
// pointers); the game calls platform().xxx. Two backends exist: SDL (the
// real window) and headless (in memory, driven by tests and the runner).
#pragma once

#include <cstdint>

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

enum class kwEventType : uint8_t { None, Quit, FocusGained, FocusLost, KeyDown, Char };
enum class kwKey : uint8_t { Other, Escape, Left, Right, Delete };

struct kwEvent {
    kwEventType type = kwEventType::None;
    kwKey key = kwKey::Other;  // KeyDown
    uint32_t code = 0;         // Char: printable ASCII, or 8 / 13 / 9
};

// The channel masks of the 16-bit frame buffer.
struct kwPixelLayout {
    uint16_t red = 0xF800, green = 0x07E0, blue = 0x001F;
};
inline constexpr kwPixelLayout kLayout565{0xF800, 0x07E0, 0x001F};
inline constexpr kwPixelLayout kLayout555{0x7C00, 0x03E0, 0x001F};

struct kwPlatformConfig {
    bool windowed = false;
    kwPixelLayout layout = kLayout565;
    const char* title = "Gobble Garden!";
    const char* appId = "kwWindow";
};

// Like GetAsyncKeyState: bit 15 = held now, bit 0 = pressed since the last query.
inline constexpr uint16_t kButtonHeld = 0x8000;
inline constexpr uint16_t kButtonPressedSince = 0x0001;

struct kwPlatform {
    const char* name;

    // Window and the message pump.
    bool (*openWindow)(const kwPlatformConfig& config);
    void (*closeWindow)();
    bool (*pollEvent)(kwEvent* out);  // non-blocking; false when none is waiting
    bool (*waitEvent)(kwEvent* out);  // blocks until an event arrives
    uint32_t (*ticks)();              // milliseconds, wraps at 2^32
    void (*showMessage)(const char* caption, const char* text);

    // Frame buffer: width x height 16-bit pixels. Fails for a depth the
    // backend cannot give (both backends give 16 bits only); on success fills
    // *layout with the buffer's channel masks. The pitch lockFrame reports
    // may exceed width * 2: rows are addressed by it.
    bool (*createFrameBuffer)(int width, int height, int bpp, kwPixelLayout* layout);
    void (*destroyFrameBuffer)();
    uint8_t* (*lockFrame)(int* pitch);  // nullptr on failure
    void (*unlockFrame)();
    bool (*present)();

    // Mouse, in frame-buffer pixels (origin top-left, y down).
    void (*getMousePos)(int* x, int* y);
    void (*setMousePos)(int x, int y);
    uint16_t (*mouseButton)(int physicalButton);  // 0 left, 1 right
    bool (*buttonsSwapped)();

    // Hides the window (before the one failure message box); may be null.
    void (*hideWindow)();
};

const kwPlatform& platform();
void setPlatform(const kwPlatform* backend);
