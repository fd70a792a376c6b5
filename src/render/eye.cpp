// The image classes: binding a payload, placing it in centre-origin
// coordinates, hit tests, and drawing through the blitters. Every image
// checks its payload once (and again only when the payload's bytes move,
// as when another image bound to the same blob converts it); a payload that
// fails is never drawn and never hit exactly.
#include "render/eye.h"

#include <algorithm>

#include "shell/flags.h"
#include "shell/log.h"

namespace {

// Positions beyond this are far off any target; clamping keeps the
// placement arithmetic inside 32 bits whatever the float holds.
constexpr int32_t kPositionLimit = 1 << 28;
constexpr int32_t kFastRowMinimum = 12;  // shorter rows are not worth the vector set-up
constexpr uint32_t kFormatMasks = 0xFFFFFF;

int32_t truncPosition(float v) {
    if (v > -float(kPositionLimit) && v < float(kPositionLimit)) return int32_t(v);
    return v > 0.0f ? kPositionLimit : -kPositionLimit;  // NaN lands far to the left
}

int32_t clampToInt(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2));
}

bool fastDepth() {
    return appFlags.mmxAvailable && pixelFormat.bpp != 24;
}

}  // namespace

// Both image kinds keep the header's placement fields beside the payload.
template <class Image>
void takePlacement(Image* image, const kwEyeHeader& h) {
    image->x = h.x;
    image->y = h.y;
    image->depth = h.depth;
    image->width = h.width;
    image->height = h.height;
    image->extra = h.extra;
}

// ---- kwAlphaMask -----------------------------------------------------------------

void kwAlphaMask::setLinkedFile(kwLinkedFile* f) {
    payloadsChanged();
    file = nullptr;
    kwEyeHeader h;
    if (!f) return;
    if (!readMaskHeader(f->data, f->payloadSize(), &h)) {
        debugFail("kwAlphaMask::setLinkedFile - malformed payload", f->name);
        return;
    }
    file = f;
    takePlacement(this, h);
}

int32_t kwAlphaMask::bitsPerPixel() const {
    kwEyeHeader h;
    return file && readMaskHeader(file->data, file->payloadSize(), &h) ? h.bpp : 0;
}

const uint8_t* kwAlphaMask::pixelStream() const {
    kwEyeHeader h;
    if (!file || !readMaskHeader(file->data, file->payloadSize(), &h)) return nullptr;
    if (h.pixelPos < kMaskHeaderBytes || uint64_t{h.pixelPos} + 4 > file->payloadSize())
        return nullptr;
    return file->data + h.pixelPos + 4;
}

uint32_t kwAlphaMask::rowStart(int32_t row) const {
    kwEyeHeader h;
    if (!file || !readMaskHeader(file->data, file->payloadSize(), &h)) return 0;
    const uint64_t at = uint64_t{h.rowTablePos} + 4 + 4 * uint64_t(std::max(row, 0));
    if (row < 0 || row >= h.height || at + 4 > file->payloadSize()) return 0;
    return readU32(file->data + at);
}

// ---- kwEye -------------------------------------------------------------------------

void kwEye::setLinkedFile(kwLinkedFile* f) {
    payloadsChanged();
    file = nullptr;
    verdictData = nullptr;
    verdictSize = 0;
    verdictOk = false;
    kwEyeHeader h;
    if (!f) return;
    if (!readEyeHeader(f->data, f->payloadSize(), &h)) {
        debugFail("kwEye::setLinkedFile - malformed payload", f->name);
        return;
    }
    file = f;
    takePlacement(this, h);
}

bool placeOnTarget(float x, float y, int32_t width, int32_t height, int32_t* left, int32_t* top) {
    const int64_t W = renderTarget.width, H = renderTarget.height;
    *left = clampToInt(int64_t{truncPosition(x)} + W / 2 - width / 2);
    *top = clampToInt(H / 2 - height / 2 - int64_t{truncPosition(y)});
    return int64_t{*top} + height >= 0 && *top < H && int64_t{*left} + width >= 0 && *left < W;
}

bool kwEye::place() {
    return placeOnTarget(x, y, width, height, &placedLeft, &placedTop);
}

kwPlacement kwEye::placement() const {
    return kwPlacement{placedLeft, placedTop, layout.header.width, layout.header.height};
}

bool kwEye::pointInside(int32_t qx, int32_t qy, int32_t* px, int32_t* py) const {
    const int64_t hx = int64_t{width / 2} - truncPosition(x) + qx;
    const int64_t hy = int64_t{truncPosition(y)} + height / 2 - qy - 1;
    if (hx < 0 || hx >= width || hy < 0 || hy >= height) return false;
    *px = int32_t(hx);
    *py = int32_t(hy);
    return true;
}

// A plain image converting a blob in place rewrites its run bytes as pixels
// without moving them, so the pointer and size alone cannot tell a
// run-length image's verdict is stale; the depth and format words,
// rewritten by every conversion, can.
bool kwEye::sameVerdict() const {
    if (!verdictData || verdictData != file->data || verdictSize != file->size) return false;
    uint32_t bpp, format;
    readEyeFormatWords(file->data, file->payloadSize(), &bpp, &format);
    return bpp == verdictBpp && format == verdictFormat;
}

void kwEye::remember(bool ok) {
    verdictData = file->data;
    verdictSize = file->size;
    readEyeFormatWords(file->data, file->payloadSize(), &verdictBpp, &verdictFormat);
    verdictOk = ok;
    ++verdictSerial;
    payloadsChanged();
}

bool kwEye::checked(kwEyeKind kind) {
    if (!file || !file->data) return false;
    if (!sameVerdict()) remember(checkEye(*file, kind, &layout));
    return verdictOk;
}

bool kwEye::prepare(kwEyeKind kind, int bpp) {
    if (!file || !file->data) return false;
    if (bpp != 16 && bpp != 24 && bpp != 32) return ::changeBPP(*file, kind, pixelFormat, bpp);
    if (sameVerdict()) {
        if (!verdictOk) return false;
        const bool layoutMatches =
            bpp != 16 || (layout.header.formatWord & kFormatMasks) == pixelFormat.formatWord();
        if (layout.header.bpp == bpp && layoutMatches) return true;
    }
    remember(::changeBPP(*file, kind, pixelFormat, bpp, &layout));
    return verdictOk;
}

// ---- plain images ----------------------------------------------------------------

bool kwEyeRaw::changeBPP(int bpp) {
    return prepare(kwEyeKind::Plain, bpp);
}

void kwEyeRaw::drawWith(const kwBlend& blend) {
    if (!drawable() || !changeBPP(pixelFormat.bpp)) return;
    blitPlain(renderTarget, pixelFormat, placement(), file->data + layout.pixelStart, blend);
}

void kwEyeRaw::draw() {
    drawWith(kwBlend{});
}

bool kwEyeRaw::hitTest(int32_t qx, int32_t qy, bool /*exact*/) {
    int32_t px, py;
    return pointInside(qx, qy, &px, &py);
}

void kwEyeRawConstantAlpha::Opacity(uint32_t value) {
    if (value > 255) {
        debugFail("kwEyeRawConstantAlpha::Opacity - range is 0-255");
        return;
    }
    opacity = value;
    inverse = 255 - value;
}

void kwEyeRawConstantAlpha::draw() {
    if (!visible) return;
    if (opacity >= 255) return kwEyeRaw::draw();
    if (opacity == 0) return;
    // The vector rows pay off from a dozen visible pixels per row.
    const int64_t W = renderTarget.width;
    const int64_t visibleRow = std::min<int64_t>(int64_t{placement().left} + width, W) -
                               std::max<int64_t>(placement().left, 0);
    drawWith(kwBlend{kwBlendMode::Constant, opacity, fastDepth() && visibleRow >= kFastRowMinimum});
}

// ---- run-length images -----------------------------------------------------------

bool kwEyeTransparency::changeBPP(int bpp) {
    return prepare(kwEyeKind::RunLength, bpp);
}

kwRunLengthSource kwEyeTransparency::source() const {
    kwRunLengthSource s;
    s.stream = file->data + layout.pixelStart;
    s.rowTable = file->data + layout.rowTable;
    return s;
}

kwRunLengthSource kwEyeTransparency::spannedSource() {
    kwRunLengthSource s = source();
    if (spansSerial != verdictSerial) {
        spansSerial = verdictSerial;
        spans.build(s, layout.header.width, layout.header.height, layout.header.bpp / 8);
    }
    spans.attach(&s);
    return s;
}

bool kwEyeTransparency::checkedRuns(kwRunPicture* out) {
    if (!checked(kwEyeKind::RunLength)) return false;
    *out = kwRunPicture{source(), layout.header.width, layout.header.height,
                        int32_t(layout.header.bpp / 8)};
    return true;
}

// A draw hands its source straight to the blitters: a record built on the
// stack and copied out would cost a plain copy a tenth of its time.
void kwEyeTransparency::draw() {
    if (readyToDraw()) drawWith(kwBlend{}, spannedSource());
}

bool kwEyeTransparency::readySource(kwReadyRuns* out) {
    if (!readyToDraw()) return false;
    fillReady(out, spannedSource(), kwBlend{});
    return true;
}

bool kwEyeTransparency::readyToDraw() {
    return drawable() && changeBPP(pixelFormat.bpp);
}

void kwEyeTransparency::drawWith(const kwBlend& blend, const kwRunLengthSource& src) const {
    blitRunLength(renderTarget, pixelFormat, placement(), src, blend);
}

void kwEyeTransparency::fillReady(kwReadyRuns* out, const kwRunLengthSource& src,
                                  const kwBlend& blend) const {
    out->source = src;
    out->blend = blend;
    out->width = layout.header.width;
    out->rows = layout.header.height;
}

bool kwEyeTransparency::hitTest(int32_t qx, int32_t qy, bool exact) {
    int32_t px, py;
    if (!pointInside(qx, qy, &px, &py)) return false;
    if (!exact) return true;
    if (!checked(kwEyeKind::RunLength)) return false;
    const int32_t w = layout.header.width;
    if (px >= w || py >= layout.header.height) return false;
    const uint32_t bytesPerPixel = uint32_t(layout.header.bpp / 8);
    const uint8_t* p =
        file->data + layout.pixelStart + readU32(file->data + layout.rowTable + 4 * size_t(py));
    int32_t position = 0;
    for (;;) {
        position += *p++;
        if (position > px || position >= w) return false;  // px lies in a skipped run
        const int32_t count = *p++;
        position += count;
        if (position > px || position >= w) return true;
        p += size_t(count) * bytesPerPixel;
    }
}

void kwEyeTransparencyConstantAlpha::Opacity(uint32_t value) {
    if (value > 255) {
        debugFail("kwEyeTransparencyConstantAlpha::Opacity - range is 0-255");
        return;
    }
    opacity = value;
    inverse = 255 - value;
}

void kwEyeTransparencyConstantAlpha::draw() {
    if (opacity >= 255) return kwEyeTransparency::draw();
    if (opacity != 0 && readyToDraw()) drawWith(constantBlend(), spannedSource());
}

bool kwEyeTransparencyConstantAlpha::readySource(kwReadyRuns* out) {
    if (opacity >= 255) return kwEyeTransparency::readySource(out);
    if (opacity == 0 || !readyToDraw()) return false;
    fillReady(out, spannedSource(), constantBlend());
    return true;
}

kwBlend kwEyeTransparencyConstantAlpha::constantBlend() const {
    return kwBlend{kwBlendMode::Constant, opacity, fastDepth() && width >= kFastRowMinimum};
}

// ---- masked images -----------------------------------------------------------------

bool kwEyeTransparencyMaskedAlpha::maskReady() {
    if (!mask || !mask->file || !mask->file->data) return false;
    // The image's runs may have changed in place (its verdict was renewed).
    if (checkedMask == mask && checkedMaskData == mask->file->data &&
        checkedImageData == file->data && checkedImageSerial == verdictSerial)
        return maskOk;
    checkedMask = mask;
    checkedMaskData = mask->file->data;
    checkedImageData = file->data;
    checkedImageSerial = verdictSerial;
    const kwMaskVerdict verdict = checkMask(*mask->file, *file, layout, &maskLayout);
    if (verdict == kwMaskVerdict::NotEightBit)
        debugFail("Alpha channel msk must have 1 bytes per pixel for kwEyeTransparencyMaskedAlpha");
    maskOk = verdict == kwMaskVerdict::Ok;
    payloadsChanged();
    blocks.clear();
    if (maskOk && layout.header.bpp == 16)
        blocks.build(maskedSource(), layout.header.width, layout.header.height);
    return maskOk;
}

kwRunLengthSource kwEyeTransparencyMaskedAlpha::maskedSource() const {
    kwRunLengthSource src = source();
    src.maskStream = mask->file->data + maskLayout.pixelStart;
    src.maskTable = mask->file->data + maskLayout.rowTable;
    return src;
}

bool kwEyeTransparencyMaskedAlpha::checkedSoftRuns(kwRunPicture* out) {
    if (!checkedRuns(out) || !maskReady()) return false;
    out->source = maskedSource();
    return true;
}

void kwEyeTransparencyMaskedAlpha::setMask(kwAlphaMask* m) {
    mask = m;
    payloadsChanged();
}

void kwEyeTransparencyMaskedAlpha::draw() {
    if (readyToDraw() && maskReady()) drawWith(maskedBlend(), blockedSource());
}

bool kwEyeTransparencyMaskedAlpha::readySource(kwReadyRuns* out) {
    if (!readyToDraw() || !maskReady()) return false;
    fillReady(out, blockedSource(), maskedBlend());
    return true;
}

kwRunLengthSource kwEyeTransparencyMaskedAlpha::blockedSource() const {
    kwRunLengthSource src = maskedSource();
    blocks.attach(&src);
    return src;
}

kwBlend kwEyeTransparencyMaskedAlpha::maskedBlend() {
    return kwBlend{kwBlendMode::Masked, 255, fastDepth()};
}
