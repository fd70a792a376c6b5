#include "artgen.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "assets/eye_writer.h"
#include "assets/noi_format.h"
#include "audio/adpcm.h"

namespace artgen {

// ---- Canvas ---------------------------------------------------------------------

Canvas::Canvas(int width, int height)
    : w(width),
      h(height),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(surface)) {
    cairo_set_antialias(context, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
    cairo_destroy(context);
    cairo_surface_destroy(surface);
}

Picture Canvas::picture() const {
    cairo_surface_flush(surface);
    Picture p;
    p.w = w;
    p.h = h;
    p.argb.resize(size_t(w) * h);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t px = row[x];
            const uint32_t a = px >> 24;
            uint32_t out = 0;
            if (a == 255) {
                out = px;
            } else if (a) {  // cairo stores premultiplied colour
                auto un = [&](int shift) {
                    return std::min<uint32_t>(255, (((px >> shift) & 255) * 255 + a / 2) / a);
                };
                out = a << 24 | un(16) << 16 | un(8) << 8 | un(0);
            }
            p.argb[size_t(y) * w + x] = out;
        }
    }
    return p;
}

// ---- ArchiveOut -------------------------------------------------------------------

namespace {

kwEyeOptions options(const Placement& at) {
    kwEyeOptions o;
    o.x = at.x;
    o.y = at.y;
    o.depth = at.depth;
    return o;
}

// The opaque body and the translucent rest of a drawing, each with the
// other's pixels made transparent.
Picture onlyOpaque(const Picture& p, bool opaque) {
    Picture out = p;
    for (uint32_t& px : out.argb) {
        const uint32_t a = px >> 24;
        const bool keep = opaque ? a == 255 : a > 0 && a < 255;
        if (!keep) px = 0;
    }
    return out;
}

}  // namespace

std::string frameName(const std::string& prefix, const std::string& anim, int frame) {
    char number[16];
    std::snprintf(number, sizeof number, "%2.2d", frame);
    return prefix + anim + "_" + number;
}

void ArchiveOut::addSpriteFrame(const std::string& anim, int frame, const Picture& pic,
                                const Placement& at) {
    const Picture base = onlyOpaque(pic, true);
    const Picture fringe = onlyOpaque(pic, false);
    addRunLengthImage(frameName("a_", anim, frame) + ".eye", fringe, at);
    addMask(frameName("a_", anim + "_m", frame) + ".msk", fringe, at);
    addRunLengthImage(frameName("b_", anim, frame) + ".eye", base, at);
}

void ArchiveOut::addAnimation(const std::string& anim, const std::vector<Picture>& frames,
                              const Placement& at) {
    for (size_t i = 0; i < frames.size(); ++i) addSpriteFrame(anim, int(i) + 1, frames[i], at);
}

void ArchiveOut::addRawImage(const std::string& recordName, const Picture& pic,
                             const Placement& at) {
    addBytes(recordName, encodeEyeRaw(pic.argb.data(), pic.w, pic.h, options(at)));
}

void ArchiveOut::addRunLengthImage(const std::string& recordName, const Picture& pic,
                                   const Placement& at) {
    addBytes(recordName, encodeEyeRle(pic.argb.data(), pic.w, pic.h, options(at)));
}

void ArchiveOut::addMask(const std::string& recordName, const Picture& pic, const Placement& at) {
    addBytes(recordName, encodeMask(pic.argb.data(), pic.w, pic.h, options(at)));
}

void ArchiveOut::addSound(const std::string& recordName, const std::vector<int16_t>& samples,
                          int rate, int channels, bool adpcm) {
    kwNoiHeader h;
    h.coding = adpcm ? kNoiCodingAdpcm : kNoiCodingPcm;
    h.channels = uint16_t(channels);
    h.framesPerSecond = uint32_t(rate);
    h.bitsPerSample = 16;
    if (adpcm) {
        addBytes(recordName, writeNoi(h, adpcmEncode(samples, channels)));
    } else {
        const auto* bytes = reinterpret_cast<const uint8_t*>(samples.data());
        addBytes(recordName, writeNoi(h, {bytes, samples.size() * 2}));
    }
}

void ArchiveOut::addBytes(const std::string& recordName, std::vector<uint8_t> payload) {
    items.emplace_back(recordName, std::move(payload));
}

// ---- registry -----------------------------------------------------------------------

namespace {
std::map<std::string, Generator>& registry() {
    static std::map<std::string, Generator> all;
    return all;
}
}  // namespace

Registration::Registration(const char* name, Generator g) {
    registry().emplace(name, std::move(g));
}

const std::vector<std::pair<std::string, Generator>>& generators() {
    static const std::vector<std::pair<std::string, Generator>> sorted(registry().begin(),
                                                                        registry().end());
    return sorted;
}

}  // namespace artgen
