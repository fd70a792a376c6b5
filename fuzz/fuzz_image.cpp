// An image payload (and, for the masked class, a mask payload) as a user
// could leave them: every image class must either refuse the data or draw
// inside the frame, at every clip case, and answer hit tests safely.
#include <cstring>
#include <memory>
#include <vector>

#include "assets/linked_file.h"
#include "assets/pixel_format.h"
#include "fuzz_entry.h"
#include "render/eye.h"
#include "render/render_target.h"
#include "shell/flags.h"

namespace {

constexpr size_t kControlBytes = 4;
constexpr int kW = 800, kH = 600;

std::unique_ptr<kwLinkedFile> record(const uint8_t* data, size_t size, const char* name) {
    return makeLinkedFile(name, {data, size});
}

// Places the image at a few spots chosen by the control bytes: inside, across
// each edge and well outside, so every clip routine sees the payload.
void drawAround(kwEye& eye, const uint8_t* control) {
    const float spots[][2] = {{0, 0},
                              {float(int8_t(control[2])) * 4, float(int8_t(control[3])) * 3},
                              {-kW / 2.0f, kH / 2.0f},
                              {kW / 2.0f, -kH / 2.0f},
                              {-5000, 7000}};
    for (const auto& s : spots) {
        eye.x = s[0];
        eye.y = s[1];
        if (eye.place()) eye.draw();
        eye.hitTest(int32_t(s[0]), int32_t(s[1]), true);
        eye.hitTest(int32_t(s[0]) + 3, int32_t(s[1]) - 2, true);
    }
}

}  // namespace

GG_FUZZ_TARGET(fuzzImage) {
    if (size < kControlBytes) return 0;
    static std::vector<uint16_t> frame(size_t(kW) * kH);
    const uint8_t* control = data;
    data += kControlBytes;
    size -= kControlBytes;

    const bool five55 = control[0] & 0x80;
    pixelFormat = five55 ? makePixelFormat(0x7C00, 0x03E0, 0x001F, 16)
                         : makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
    appFlags.mmxAvailable = control[0] & 0x40;
    screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(frame.data()), kW * 2, kW, kH};
    targetScreen();

    // The masked class takes its mask from the tail; the split comes from the input.
    const size_t split = std::min(size, size_t(control[1]) * 16);
    auto image = record(data, size - split, "f.eye");
    auto maskFile = record(data + size - split, split, "f.msk");

    kwEyeRaw raw;
    kwEyeRawConstantAlpha rawAlpha;
    kwEyeTransparency rle;
    kwEyeTransparencyConstantAlpha rleAlpha;
    kwEyeTransparencyMaskedAlpha masked;
    kwAlphaMask mask;
    mask.setLinkedFile(maskFile.get());
    masked.setMask(&mask);
    rawAlpha.Opacity(control[2]);
    rleAlpha.Opacity(control[3]);
    kwEye* all[] = {&raw, &rawAlpha, &rle, &rleAlpha, &masked};
    for (kwEye* eye : all) {
        eye->setLinkedFile(image.get());
        drawAround(*eye, control);
    }
    return 0;
}
