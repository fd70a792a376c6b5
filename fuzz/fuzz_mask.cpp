// A mask payload with the run-length image it belongs to, both as a user
// could leave them. Two masked images draw through it (one sharing the mask
// object, one with a mask object of its own on the same blob) while a plain
// run-length image of the same picture converts the image's payload under
// them, on one display and then another; the masks' verdicts must follow
// every change of either payload. Positions and hit tests as for images.
// After each pass the soft pixels are laid over the plain image's runs, as a
// layered sprite does to choose its layers' order.
#include <memory>

#include "assets/linked_file.h"
#include "fuzz_bytes.h"
#include "fuzz_entry.h"
#include "fuzz_frame.h"
#include "render/eye.h"
#include "shell/flags.h"

namespace {

constexpr size_t kPositions = 4;
constexpr uint8_t kFlagFast = 1, kFlagAlwaysDraw = 2, kFlagSecondPass = 4;
constexpr uint8_t kFlagPlainFirst = 8;   // the plain image converts before the masked ones draw
constexpr uint8_t kFlagDropMask = 16;    // the second masked image loses its mask for a pass
constexpr uint8_t kFlagRebindMask = 32;  // the shared mask object binds its blob again

struct Images {
    kwAlphaMask mask, ownMask;
    kwEyeTransparencyMaskedAlpha shared, own;
    kwEyeTransparency plain;
};

void drawPass(Images& m, kwFuzzFrame::Display display, uint8_t flags,
              std::span<const uint8_t> positions) {
    kwFuzzFrame& frame = kwFuzzFrame::use(display);
    appFlags.mmxAvailable = flags & kFlagFast;
    const bool always = flags & kFlagAlwaysDraw;
    if (flags & kFlagPlainFirst) drawAtPositions(frame, m.plain, positions, always);
    drawAtPositions(frame, m.shared, positions, always);
    drawAtPositions(frame, m.own, positions, always);
    if (!(flags & kFlagPlainFirst)) drawAtPositions(frame, m.plain, positions, always);
    frame.checkGuards();
}

// The overlap walk on whatever the checks let through, at a small shift
// taken from the position bytes.
void layOver(Images& m, std::span<const uint8_t> positions) {
    kwRunPicture soft, solid;
    if (positions.size() < 2 || !m.shared.checkedSoftRuns(&soft) || !m.plain.checkedRuns(&solid))
        return;
    const auto shift = [](uint8_t b) { return int32_t(int8_t(b)) % 8; };
    softMeetsSolid(soft, solid, shift(positions[0]), shift(positions[1]));
}

}  // namespace

GG_FUZZ_TARGET(fuzzMask) {
    kwFuzzBytes in(data, size);
    const auto first = kwFuzzFrame::displayFrom(in.u8());
    const auto second = kwFuzzFrame::displayFrom(in.u8());
    const uint8_t flags = in.u8();
    const size_t imageBytes = in.u16();
    const auto positions = in.take(kPositions * kFuzzPositionBytes);
    auto image = makeLinkedFile("f.eye", in.take(imageBytes));
    auto maskFile = makeLinkedFile("f.msk", in.rest());

    Images m;
    m.mask.setLinkedFile(maskFile.get());
    m.ownMask.setLinkedFile(maskFile.get());
    m.shared.setMask(&m.mask);
    m.own.setMask(&m.ownMask);
    for (kwEye* eye : {static_cast<kwEye*>(&m.shared), static_cast<kwEye*>(&m.own),
                       static_cast<kwEye*>(&m.plain)})
        eye->setLinkedFile(image.get());

    drawPass(m, first, flags, positions);
    layOver(m, positions);
    if (!(flags & kFlagSecondPass)) return 0;
    if (flags & kFlagDropMask) m.own.setMask(nullptr);
    if (flags & kFlagRebindMask) m.mask.setLinkedFile(maskFile.get());
    drawPass(m, second, flags, positions);
    m.own.setMask(&m.ownMask);
    drawPass(m, second, flags & uint8_t(~kFlagPlainFirst), positions);
    layOver(m, positions);
    return 0;
}
