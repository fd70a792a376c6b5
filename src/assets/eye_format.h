// The .eye image and .msk mask payloads: reading their headers, checking a
// payload completely before any pixel is touched, and converting pixels in
// place to the display's depth and 16-bit layout. Payloads come from files
// a user can edit, so every offset, length, run and row-table entry is
// checked against the buffer here, once per payload, and the blitters can
// then walk the pixels without further tests.
#pragma once

#include <cstdint>

#include "assets/linked_file.h"
#include "assets/pixel_format.h"

// Which pixel-block layout the payload is read with; the image class that
// binds it decides (nothing in the payload says).
enum class kwEyeKind : uint8_t { Plain, RunLength };

inline constexpr uint32_t kEyeHeaderBytes = 84;   // fixed .eye header
inline constexpr uint32_t kMaskHeaderBytes = 56;  // fixed .msk header
inline constexpr int32_t kEyeMaxSide = 4096;      // widest or tallest picture accepted

// Header words of either payload, as stored.
struct kwEyeHeader {
    float x = 0.0f, y = 0.0f, depth = 0.0f;
    int32_t width = 0, height = 0;
    uint32_t extra = 0;
    int32_t bpp = 0;
    uint32_t formatWord = 0;   // .eye only
    uint32_t rowTablePos = 0;  // T: the row table starts at T + 4
    uint32_t pixelPos = 0;     // P: byte count at P, pixels from P + 4
};

// Where everything lies in a payload that passed the check.
struct kwEyeLayout {
    kwEyeHeader header;
    uint32_t pixelStart = 0;    // P + 4
    uint32_t blockLength = 0;   // bytes from pixelStart to the end of the payload
    uint32_t rowTable = 0;      // T + 4 (run-length payloads and masks)
    uint32_t runBytes = 0;      // skip and count bytes (run-length)
    uint32_t opaquePixels = 0;  // pixels behind count bytes (run-length)
};

// Little-endian words at any alignment.
inline uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void writeU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Header words only; false when the payload is shorter than the fixed header.
bool readEyeHeader(const uint8_t* data, uint32_t length, kwEyeHeader* out);
// Only the depth and format words, which every conversion rewrites (zero
// when the payload is shorter than the header): checked on every draw.
void readEyeFormatWords(const uint8_t* data, uint32_t length, uint32_t* bpp, uint32_t* format);
bool readMaskHeader(const uint8_t* data, uint32_t length, kwEyeHeader* out);

// The full check of an image payload. A run-length row table that lies in
// the header part but points at the wrong places is rebuilt in place. On
// failure logs "<class>::changeBPP - malformed payload" with the record name
// and the reason, and returns false.
bool checkEye(kwLinkedFile& file, kwEyeKind kind, kwEyeLayout* out);

enum class kwMaskVerdict : uint8_t { Ok, NotEightBit, Malformed };
// A mask checked against the (already checked) run-length image it belongs
// to: same size, same run structure, its row table rebuilt if it is wrong.
// NotEightBit is left for the caller to report; Malformed is logged here.
kwMaskVerdict checkMask(kwLinkedFile& mask, const kwLinkedFile& image,
                        const kwEyeLayout& imageLayout, kwEyeLayout* out);

// Brings the payload to depth bpp (16, 24 or 32) and, for 16, to the
// display's layout. True when the payload is usable at that depth (already
// was, or now converted); false when the argument, the payload or the
// allocation fails, with the payload left as it was. `layout` (optional)
// receives the checked layout of the payload as it now stands.
bool changeBPP(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display, int bpp,
               kwEyeLayout* layout = nullptr);

// A new payload buffer for depth newBpp with the header part filled in
// (pixel-block byte count, depth and format word updated, everything else
// copied); the caller writes the pixels from P + 4 on and swaps it in with
// kwLinkedFile::replaceData(buffer, *newLength). Null on a bad payload or a
// failed allocation.
uint8_t* newLinkedFileBits(kwLinkedFile& file, kwEyeKind kind, const kwPixelFormat& display,
                           int newBpp, uint32_t* newLength);
