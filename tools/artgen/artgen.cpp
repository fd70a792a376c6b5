#include "artgen.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <map>
#include <thread>

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

bool Canvas::writePng(const std::string& path) const {
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
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
std::vector<std::string>& duplicates() {
    static std::vector<std::string> names;
    return names;
}

// One generator, timed; an exception becomes an error message so that a
// failing generator cannot take a worker thread (and the program) down.
void runOne(const std::pair<std::string, Generator>& g, GeneratorResult& r) {
    r.name = g.first;
    const auto start = std::chrono::steady_clock::now();
    try {
        g.second(r.archives);
    } catch (const std::exception& e) {
        r.error = e.what();
    } catch (...) {
        r.error = "unknown exception";
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

Registration::Registration(const char* name, Generator g) {
    if (!registry().emplace(name, std::move(g)).second) duplicates().push_back(name);
}

const std::vector<std::pair<std::string, Generator>>& generators() {
    static const std::vector<std::pair<std::string, Generator>> sorted(registry().begin(),
                                                                       registry().end());
    return sorted;
}

const std::vector<std::string>& duplicateRegistrations() {
    return duplicates();
}

std::vector<GeneratorResult> runGenerators(int jobs) {
    const auto& all = generators();
    std::vector<GeneratorResult> results(all.size());
    // Each worker takes the next generator by index and writes only its own
    // slot, so the output order is the name order regardless of timing.
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < all.size(); i = next++) runOne(all[i], results[i]);
    };
    const size_t workers = std::min<size_t>(size_t(std::max(jobs, 1)), all.size());
    std::vector<std::thread> threads;
    for (size_t t = 1; t < workers; ++t) threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads) t.join();
    return results;
}

}  // namespace artgen
