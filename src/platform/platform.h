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

// The audio device's sample format: frames per second, bits per sample
// (8 unsigned or 16 signed), channels (1 or 2), interleaved.
struct kwAudioSpec {
    int rate = 44100;
    int bits = 16;
    int channels = 2;
};
inline constexpr int kAudioMinRate = 1000;
inline constexpr int kAudioMaxRate = 192000;
inline constexpr bool audioSpecValid(const kwAudioSpec& s) {
    return s.rate >= kAudioMinRate && s.rate <= kAudioMaxRate && (s.bits == 8 || s.bits == 16) &&
           (s.channels == 1 || s.channels == 2);
}
// Fills `bytes` bytes of output in the opened spec. Runs on the backend's
// audio thread (SDL) or inside headlessAdvance (headless), never while
// lockAudio is held.
using kwAudioFill = void (*)(void* user, uint8_t* out, int bytes);

// A system font opened by the backend; opaque to the game.
struct kwFontFace;
// A rasterised string: 8-bit coverage (0 clear .. 255 solid), `pitch` bytes a
// row. The pen starts at column `originX` of row `baseline`; glyphs may reach
// left of it or past `advance`. The line cell (what alignment and an opaque
// background use) spans `advance` columns from originX and the rows from
// baseline - ascent to baseline + descent. The pixels stay valid until the
// next renderText on any face, or closeFont; pixels is null when width is 0.
struct kwTextCoverage {
    const uint8_t* pixels = nullptr;
    int width = 0, height = 0, pitch = 0;
    int originX = 0, baseline = 0;
    int advance = 0;  // the width textWidth reports for the same text
    int ascent = 0, descent = 0;
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

    // Audio device: opens with exactly `spec` or fails (no device, or the
    // spec refused); `fill` then pulls the mix until closeAudio. One device
    // at a time: opening again closes the previous one first.
    bool (*openAudio)(const kwAudioSpec& spec, kwAudioFill fill, void* user);
    void (*closeAudio)();
    // Keeps fill from running until the matching unlockAudio; nests.
    void (*lockAudio)();
    void (*unlockAudio)();
    // Whether an output device exists at all (false: the game runs silent).
    bool (*audioPresent)();
    // The device's own preferred format, narrowed to one openAudio takes.
    bool (*audioDefaultSpec)(kwAudioSpec* out);

    // System fonts. openFont resolves a face name (e.g. "Arial") to an
    // installed face whose characters (the em, not the line cell) are
    // pixelHeight pixels tall; null when no face can be opened. Text is
    // Latin-1, laid out without kerning so that the width of a prefix is
    // the sum of its characters' advances. All of these accept a null face.
    kwFontFace* (*openFont)(const char* faceName, int pixelHeight);
    void (*closeFont)(kwFontFace* face);
    int (*textWidth)(kwFontFace* face, const char* text);  // pixels
    bool (*renderText)(kwFontFace* face, const char* text, kwTextCoverage* out);
};

const kwPlatform& platform();
void setPlatform(const kwPlatform* backend);
