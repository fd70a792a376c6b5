// An image payload as a user could leave it. Every image class binds it,
// in an order the input picks, and draws it at positions the input picks
// (on the target, across each edge and corner, far off it) onto the real
// picture in either 16-bit layout or a deep one, answering hit tests on
// the way. The classes share one blob, as images of one record do in the
// game, so what one class converts is what the next finds; a second pass
// on another display makes the converted payload convert again.
#include <array>
#include <memory>
#include <span>
#include <utility>

#include "assets/linked_file.h"
#include "fuzz_bytes.h"
#include "fuzz_entry.h"
#include "fuzz_frame.h"
#include "fuzz_support.h"
#include "render/eye.h"
#include "shell/flags.h"

namespace {

constexpr size_t kPositions = 6;
constexpr int kClasses = 5;

constexpr uint8_t kFlagFast = 1, kFlagAlwaysDraw = 2, kFlagSecondPass = 4, kFlagHideOne = 8;

std::array<int, kClasses> orderFrom(uint32_t choice) {
    std::array<int, kClasses> order{0, 1, 2, 3, 4};
    for (int i = kClasses - 1; i > 0; --i) {
        std::swap(order[size_t(i)], order[choice % uint32_t(i + 1)]);
        choice /= uint32_t(i + 1);
    }
    return order;
}

struct Images {
    kwEyeRaw raw;
    kwEyeRawConstantAlpha rawAlpha;
    kwEyeTransparency rle;
    kwEyeTransparencyConstantAlpha rleAlpha;
    kwEyeTransparencyMaskedAlpha masked;
    kwAlphaMask mask;
    std::array<kwEye*, kClasses> all{&raw, &rawAlpha, &rle, &rleAlpha, &masked};
};

void drawPass(Images& images, const std::array<int, kClasses>& order, kwFuzzFrame::Display display,
              uint8_t flags, std::span<const uint8_t> positions) {
    kwFuzzFrame& frame = kwFuzzFrame::use(display);
    appFlags.mmxAvailable = flags & kFlagFast;
    for (const int c : order)
        drawAtPositions(frame, *images.all[size_t(c)], positions, flags & kFlagAlwaysDraw);
    frame.checkGuards();
}

}  // namespace

GG_FUZZ_TARGET(fuzzImage) {
    kwFuzzBytes in(data, size);
    const auto first = kwFuzzFrame::displayFrom(in.u8());
    const auto second = kwFuzzFrame::displayFrom(in.u8());
    const uint8_t flags = in.u8();
    const auto order = orderFrom(in.u8());
    const uint8_t rawOpacity = in.u8(), rleOpacity = in.u8();
    const size_t maskBytes = in.u16();  // the tail that is the mask
    const auto positions = in.take(kPositions * kFuzzPositionBytes);
    const auto payload = in.rest();
    // The masked class takes its mask from the tail of the payload.
    const size_t split = std::min(payload.size(), maskBytes);
    auto image = makeLinkedFile("f.eye", payload.first(payload.size() - split));
    auto maskFile = makeLinkedFile("f.msk", payload.last(split));

    Images images;
    images.mask.setLinkedFile(maskFile.get());
    images.masked.setMask(&images.mask);
    images.rawAlpha.Opacity(rawOpacity);
    images.rleAlpha.Opacity(rleOpacity);
    for (kwEye* eye : images.all) eye->setLinkedFile(image.get());
    if (flags & kFlagHideOne) images.all[size_t(order[0])]->visible = false;

    drawPass(images, order, first, flags, positions);
    if (flags & kFlagSecondPass) drawPass(images, order, second, flags, positions);
    return 0;
}
