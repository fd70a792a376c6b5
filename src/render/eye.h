// Images: drawables bound to a .eye payload in a kwLinkedFile. Plain images
// are opaque rows; transparency images are run-length rows whose skipped
// runs are see-through. Each class draws with a copy, a constant opacity,
// or a per-pixel opacity mask. The payload is converted to the display's
// format at the first draw and checked before any pixel is touched: a
// payload that fails the check is never drawn.
#pragma once

#include <cstdint>

#include "assets/eye_format.h"
#include "assets/linked_file.h"
#include "render/blit.h"
#include "render/drawable.h"
#include "render/run_tables.h"

// A per-pixel opacity mask (.msk), one byte per run byte and per opaque
// pixel of the run-length image it belongs to.
class kwAlphaMask {
public:
    kwAlphaMask() = default;
    ~kwAlphaMask() { file = nullptr; }
    // Binds the payload and copies x, y, depth, width, height and extra from
    // it; a payload shorter than the mask header leaves the mask unbound.
    void setLinkedFile(kwLinkedFile* f);

    int32_t bitsPerPixel() const;
    const uint8_t* pixelStream() const;  // null when the payload is malformed
    // Offset of row r in the pixel stream; the caller has validated r.
    uint32_t rowStart(int32_t row) const;

    int32_t width = 0;
    int32_t height = 0;
    uint32_t extra = 0;
    kwLinkedFile* file = nullptr;
    float x = 0.0f, y = 0.0f, depth = 0.0f;
};

// Where a picture of width x height centred on (x, y), centre origin, lands
// on the render target; false when it lies wholly off it.
bool placeOnTarget(float x, float y, int32_t width, int32_t height, int32_t* left, int32_t* top);

// What a run-length image hands the blitters: its runs, the blend, and the
// size of the picture they draw.
struct kwReadyRuns {
    kwRunLengthSource source;
    kwBlend blend;
    int32_t width = 0;
    int32_t rows = 0;
};

class kwEye : public kwDrawable {
public:
    kwEye() = default;
    // Binds the payload and copies x, y, depth, width, height and extra from
    // it; a payload shorter than the image header leaves the image unbound.
    void setLinkedFile(kwLinkedFile* f);

    int32_t getWidth() override { return width; }
    int32_t getHeight() override { return height; }
    bool place() override;
    uint32_t kind() override { return kKindImage; }
    kwDrawable* image() override { return this; }

    // Brings the payload to the display depth and layout; false when the
    // payload is unusable (the image is then not drawn).
    virtual bool changeBPP(int bpp) = 0;

    int32_t width = 0;
    int32_t height = 0;
    uint32_t extra = 0;
    kwLinkedFile* file = nullptr;

protected:
    // The payload checked (and converted to bpp) as it stands now; false if
    // it is unusable. The verdict is kept until the payload's bytes move or
    // another image bound to the same blob converts it in place.
    bool prepare(kwEyeKind kind, int bpp);
    // The payload checked as it stands, without converting it (hit tests).
    bool checked(kwEyeKind kind);
    // The placement of the last place(), sized by the checked payload.
    kwPlacement placement() const;
    bool pointInside(int32_t qx, int32_t qy, int32_t* px, int32_t* py) const;
    bool drawable() const { return visible && file; }

    kwEyeLayout layout;  // valid while verdictOk and the payload is unchanged
    // Counts fresh checks, so what depends on the layout (a mask's check)
    // knows when to look again.
    uint32_t verdictSerial = 0;

private:
    bool sameVerdict() const;
    void remember(bool ok);

    int32_t placedLeft = 0, placedTop = 0;
    const uint8_t* verdictData = nullptr;  // the payload bytes the verdict is about
    uint32_t verdictSize = 0;
    uint32_t verdictBpp = 0, verdictFormat = 0;  // the payload's words 28 and 32 then
    bool verdictOk = false;
};

class kwEyeRaw : public kwEye {
public:
    void draw() override;
    bool hitTest(int32_t qx, int32_t qy, bool exact) override;
    bool changeBPP(int bpp) override;

protected:
    void drawWith(const kwBlend& blend);
};

class kwEyeRawConstantAlpha : public kwEyeRaw {
public:
    void draw() override;
    void Opacity(uint32_t value);
    uint32_t opacity = 255;
    uint32_t inverse = 0;
};

class kwEyeTransparency : public kwEye {
public:
    void draw() override;
    bool hitTest(int32_t qx, int32_t qy, bool exact) override;
    bool changeBPP(int bpp) override;
    // The payload's runs as it stands; false when it is unusable.
    bool checkedRuns(kwRunPicture* out);

    // What draw() hands the blitters, the payload made ready; false when it
    // would draw nothing. It holds while payloadEpoch(), the display format
    // and the vector rows flag stand still, and the image stays visible at
    // the opacity it had.
    virtual bool readySource(kwReadyRuns* out);

protected:
    // The image is visible and its payload ready at the display's depth.
    bool readyToDraw();
    // Draws at the placement of the last place().
    void drawWith(const kwBlend& blend, const kwRunLengthSource& source) const;
    void fillReady(kwReadyRuns* out, const kwRunLengthSource& source, const kwBlend& blend) const;
    kwRunLengthSource source() const;
    // The source with its runs decoded, for copies and constant blends; the
    // payload has been prepared.
    kwRunLengthSource spannedSource();

private:
    kwRunSpans spans;
    uint32_t spansSerial = 0;  // the verdict they were decoded under; 0: none
};

class kwEyeTransparencyConstantAlpha : public kwEyeTransparency {
public:
    void draw() override;
    bool readySource(kwReadyRuns* out) override;
    void Opacity(uint32_t value);
    uint32_t opacity = 255;
    uint32_t inverse = 0;

private:
    kwBlend constantBlend() const;
};

class kwEyeTransparencyMaskedAlpha : public kwEyeTransparency {
public:
    void draw() override;
    bool readySource(kwReadyRuns* out) override;
    void setMask(kwAlphaMask* m);
    // The runs with their mask; false when either payload is unusable.
    bool checkedSoftRuns(kwRunPicture* out);
    kwAlphaMask* mask = nullptr;  // not owned

private:
    bool maskReady();
    kwRunLengthSource maskedSource() const;
    kwRunLengthSource blockedSource() const;  // with the blocks, when built
    static kwBlend maskedBlend();

    // The mask verdict, kept until the mask or either payload changes.
    const kwAlphaMask* checkedMask = nullptr;
    const uint8_t* checkedMaskData = nullptr;
    const uint8_t* checkedImageData = nullptr;
    uint32_t checkedImageSerial = 0;
    bool maskOk = false;
    kwEyeLayout maskLayout;
    kwMaskBlocks blocks;  // built with the verdict, for 16-bit payloads
};
