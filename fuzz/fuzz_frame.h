// The render target the image targets draw on: the real 800x600 picture at
// 16 bits (5-6-5 or 5-5-5) or, for the conversion paths, 24 or 32 bits,
// with rows padded past the picture as the headless frame buffer pads
// them. Canary bytes fill the padding and guard bands above and below the
// picture; every draw is also checked against the pixels just outside the
// image's rectangle, which no blitter may touch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_bytes.h"
#include "render/eye.h"

class kwFuzzFrame {
public:
    enum class Display : uint8_t { Rgb565, Rgb555, Deep24, Deep32 };
    // Mostly the game's two 16-bit layouts; now and then a deep target.
    static Display displayFrom(uint8_t choice);
    // Makes the display current: pixelFormat, and the render target on the
    // frame of its depth (each made once, on first use).
    static kwFuzzFrame& use(Display display);

    // Places and draws the image as a scene does (drawing only when place()
    // says it is on the target, unless `always`), checking place()'s answer
    // and that nothing just outside the image's rectangle changed.
    void drawChecked(kwEye& eye, bool always);
    // Every canary byte intact.
    void checkGuards() const;

    kwFuzzFrame(const kwFuzzFrame&) = delete;
    kwFuzzFrame& operator=(const kwFuzzFrame&) = delete;

private:
    explicit kwFuzzFrame(int bytesPerPixel);
    uint8_t* pixel(int64_t x, int64_t y);
    // The ring of pixels around the rectangle, clipped to the picture, as
    // spans of bytes.
    template <class Visit>
    void forRing(int64_t left, int64_t top, int64_t right, int64_t bottom, Visit visit);

    int bytesPerPixel;
    int pitch;
    std::vector<uint8_t> memory;  // guard band, rows, guard band
    std::vector<uint8_t> ring;    // the ring's bytes before a draw (sized for the largest)
};

// Sets the image's position from 9 input bytes: a kind, then either two
// 16-bit pixel positions, a spot on or near an edge or corner of the
// target (partly clipped, or just off it), or two raw floats (huge, NaN).
void positionFrom(kwFuzzBytes& in, kwEye& eye);

// Input bytes per position: the spot and a hit-test offset from it.
inline constexpr size_t kFuzzPositionBytes = 11;
// Draws the image at every position the bytes hold (drawChecked) and hit
// tests a point near each, checking that an exact hit is also a hit of the
// rectangle.
void drawAtPositions(kwFuzzFrame& frame, kwEye& eye, std::span<const uint8_t> positions,
                     bool always);
