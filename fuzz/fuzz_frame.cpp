#include "fuzz_frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "assets/pixel_format.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "render/render_target.h"

namespace {

constexpr int kW = kScreenWidth, kH = kScreenHeight;
constexpr int kRowPadding = 64;       // as the headless frame buffer
constexpr size_t kGuardBytes = 4096;  // above and below the picture
constexpr uint8_t kCanary = 0xA5;
// Rectangles further off than this have no ring pixel on the target.
constexpr double kNear = 1e6;
constexpr int kPositionKinds = 3;
constexpr int kHitSpread = 128;  // an offset byte spans the image's half size

// A pixel coordinate near a position that may be huge or NaN.
int32_t nearInt(float v) {
    return std::fabs(v) < float(1 << 24) ? int32_t(v) : 0;
}

// A point within about the image's half size of its position.
int32_t hitOffset(int8_t step, int32_t size) {
    return int32_t(int64_t{step} * (int64_t{size} / 2 + 1) / kHitSpread);
}

void hitNear(kwEye& eye, kwFuzzBytes& in) {
    const int32_t qx =
        nearInt(eye.x) + hitOffset(int8_t(in.u8()), std::clamp(eye.width, 0, kEyeMaxSide));
    const int32_t qy =
        nearInt(eye.y) + hitOffset(int8_t(in.u8()), std::clamp(eye.height, 0, kEyeMaxSide));
    const bool exact = eye.hitTest(qx, qy, true);
    const bool loose = eye.hitTest(qx, qy, false);
    fuzzCheck(!exact || loose, "an exact hit outside the image's rectangle");
}

kwPixelFormat formatOf(kwFuzzFrame::Display d) {
    switch (d) {
        case kwFuzzFrame::Display::Rgb555:
            return makePixelFormat(0x7C00, 0x03E0, 0x001F, 16);
        case kwFuzzFrame::Display::Deep24:
            return makePixelFormat(0xF800, 0x07E0, 0x001F, 24);
        case kwFuzzFrame::Display::Deep32:
            return makePixelFormat(0xF800, 0x07E0, 0x001F, 32);
        default:
            return makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
    }
}

}  // namespace

kwFuzzFrame::Display kwFuzzFrame::displayFrom(uint8_t choice) {
    switch (choice & 7) {
        case 6:
            return Display::Deep24;
        case 7:
            return Display::Deep32;
        default:
            return choice & 1 ? Display::Rgb555 : Display::Rgb565;
    }
}

kwFuzzFrame& kwFuzzFrame::use(Display display) {
    static std::unique_ptr<kwFuzzFrame> frames[3];
    const kwPixelFormat format = formatOf(display);
    const int bytes = format.bpp / 8;
    std::unique_ptr<kwFuzzFrame>& f = frames[bytes - 2];
    if (!f) f.reset(new kwFuzzFrame(bytes));
    pixelFormat = format;
    screenSlot = kwRenderTarget{f->memory.data() + kGuardBytes, f->pitch, kW, kH};
    targetScreen();
    return *f;
}

kwFuzzFrame::kwFuzzFrame(int bytesPerPixel)
    : bytesPerPixel(bytesPerPixel), pitch(kW * bytesPerPixel + kRowPadding) {
    memory.assign(2 * kGuardBytes + size_t(pitch) * kH, kCanary);
    for (int y = 0; y < kH; ++y)
        for (int b = 0; b < kW * bytesPerPixel; ++b) *(pixel(0, y) + b) = uint8_t(y * 7 + b * 13);
    ring.resize(size_t(2 * (kW + 2) + 2 * kH) * size_t(bytesPerPixel));
}

uint8_t* kwFuzzFrame::pixel(int64_t x, int64_t y) {
    return memory.data() + kGuardBytes + size_t(y) * size_t(pitch) + size_t(x) * bytesPerPixel;
}

void kwFuzzFrame::checkGuards() const {
    static const std::vector<uint8_t> expected(kGuardBytes, kCanary);
    const uint8_t* base = memory.data();
    const size_t rowsEnd = kGuardBytes + size_t(pitch) * kH;
    fuzzCheck(std::memcmp(base, expected.data(), kGuardBytes) == 0, "a write above the picture");
    fuzzCheck(std::memcmp(base + rowsEnd, expected.data(), kGuardBytes) == 0,
              "a write below the picture");
    for (int y = 0; y < kH; ++y) {
        const uint8_t* pad = base + kGuardBytes + size_t(y) * pitch + size_t(kW) * bytesPerPixel;
        fuzzCheck(std::memcmp(pad, expected.data(), kRowPadding) == 0,
                  "a write past the end of a row");
    }
}

template <class Visit>
void kwFuzzFrame::forRing(int64_t left, int64_t top, int64_t right, int64_t bottom, Visit visit) {
    // The rows above and below as one span each, the columns pixel by pixel.
    const int64_t x0 = std::max<int64_t>(left - 1, 0), x1 = std::min<int64_t>(right, kW - 1);
    for (const int64_t y : {top - 1, bottom})
        if (y >= 0 && y < kH && x0 <= x1) visit(pixel(x0, y), size_t(x1 - x0 + 1) * bytesPerPixel);
    const int64_t y0 = std::max<int64_t>(top, 0), y1 = std::min<int64_t>(bottom - 1, kH - 1);
    for (const int64_t x : {left - 1, right})
        if (x >= 0 && x < kW)
            for (int64_t y = y0; y <= y1; ++y) visit(pixel(x, y), size_t(bytesPerPixel));
}

void kwFuzzFrame::drawChecked(kwEye& eye, bool always) {
    // The rectangle in exact arithmetic (NaN compares false: never on the
    // target). Sizes the payload check refuses are never drawn, so only
    // real picture sizes are held to it.
    const int64_t w = eye.width, h = eye.height;
    const double left = std::trunc(double(eye.x)) + kW / 2 - double(w / 2);
    const double top = kH / 2 - double(h / 2) - std::trunc(double(eye.y));
    const bool onTarget = top + double(h) >= 0 && top < kH && left + double(w) >= 0 && left < kW;
    const bool sized = w > 0 && h > 0 && w <= kEyeMaxSide && h <= kEyeMaxSide;
    const bool placed = eye.place();
    if (sized) fuzzCheck(placed == onTarget, "place() disagrees with the image's rectangle");
    if (!placed && !always) return;
    const bool near = sized && std::fabs(left) < kNear && std::fabs(top) < kNear;
    const int64_t l = near ? int64_t(left) : 0, t = near ? int64_t(top) : 0;
    size_t at = 0;
    if (near)
        forRing(l, t, l + w, t + h, [&](const uint8_t* p, size_t n) {
            std::memcpy(ring.data() + at, p, n);
            at += n;
        });
    eye.draw();
    if (!near) return;
    at = 0;
    forRing(l, t, l + w, t + h, [&](const uint8_t* p, size_t n) {
        fuzzCheck(std::memcmp(p, ring.data() + at, n) == 0, "a pixel outside the image changed");
        at += n;
    });
}

void positionFrom(kwFuzzBytes& in, kwEye& eye) {
    const uint8_t kind = in.u8();
    switch (kind % kPositionKinds) {
        case 0:
            eye.x = float(int16_t(in.u16()));
            eye.y = float(int16_t(in.u16()));
            in.take(4);
            return;
        case 1: {
            // Anchors on the edges and corners; the image's own half size
            // and a few pixels either way reach every clip boundary.
            const int ax = (kind / 3) % 3 - 1, ay = (kind / 9) % 3 - 1;
            const int sx = (kind / 27) % 3 - 1, sy = (kind / 81) % 3 - 1;
            eye.x = float(ax * (kW / 2) + sx * (eye.width / 2) + int8_t(in.u8()));
            eye.y = float(ay * (kH / 2) + sy * (eye.height / 2) + int8_t(in.u8()));
            in.take(6);
            return;
        }
        default:
            eye.x = in.f32();
            eye.y = in.f32();
            return;
    }
}

void drawAtPositions(kwFuzzFrame& frame, kwEye& eye, std::span<const uint8_t> positions,
                     bool always) {
    kwFuzzBytes spots(positions.data(), positions.size());
    while (spots.left() >= kFuzzPositionBytes) {
        positionFrom(spots, eye);
        frame.drawChecked(eye, always);
        hitNear(eye, spots);
    }
}
