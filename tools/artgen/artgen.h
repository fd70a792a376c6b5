// The art and sound generator's framework: every archive the game loads is
// described in code by a generator function that draws pictures with cairo
// and synthesises sounds, and hands them to an ArchiveOut, which encodes
// them exactly as the game reads them. Output is deterministic: no clocks,
// no unseeded randomness, records in the order they were added.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace artgen {

// A finished picture: straight (not premultiplied) 0xAARRGGBB, row-major.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> argb;
    uint32_t at(int x, int y) const { return argb[size_t(y) * w + x]; }
};

// A cairo drawing surface of w x h pixels, transparent to start with.
// picture() un-premultiplies cairo's pixels into a Picture.
class Canvas {
public:
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    int width() const { return w; }
    int height() const { return h; }
    Picture picture() const;
    // The canvas as a PNG file (the desktop icon); false on a write failure.
    bool writePng(const std::string& path) const;

private:
    int w, h;
    cairo_surface_t* surface;
    cairo_t* context;
};

// Where the game first puts an image: its centre in scene coordinates
// (origin at the screen centre, y up) and its draw-order depth (larger is
// further back). Pieces and other art that code places leave these at 0.
struct Placement {
    float x = 0, y = 0, depth = 0;
};

// Records of one .lfl archive, in the order added.
class ArchiveOut {
public:
    explicit ArchiveOut(std::string fileName) : name(std::move(fileName)) {}

    // One frame of a layered-sprite animation: splits the drawing into the
    // opaque base "b_<anim>_NN.eye" (run-length) and the translucent fringe
    // and shadow "a_<anim>_NN.eye" with its mask "a_<anim>_m_NN.msk".
    // frame counts from 1.
    void addSpriteFrame(const std::string& anim, int frame, const Picture& pic,
                        const Placement& at = {});
    // A whole animation, frames 1..n.
    void addAnimation(const std::string& anim, const std::vector<Picture>& frames,
                      const Placement& at = {});

    // A single image: raw rows (every pixel opaque) or run-length rows
    // (alpha 0 transparent, everything else drawn opaque).
    void addRawImage(const std::string& recordName, const Picture& pic, const Placement& at = {});
    void addRunLengthImage(const std::string& recordName, const Picture& pic,
                           const Placement& at = {});
    // The mask of a run-length image: its alpha values, for masked blends.
    void addMask(const std::string& recordName, const Picture& pic, const Placement& at = {});

    // A sound: 16-bit PCM, interleaved, at `rate` frames per second. With
    // adpcm the payload is coded 4-bit ADPCM (long sounds must be, to
    // stream); otherwise 16-bit PCM.
    void addSound(const std::string& recordName, const std::vector<int16_t>& samples, int rate,
                  int channels, bool adpcm);

    void addBytes(const std::string& recordName, std::vector<uint8_t> payload);

    const std::string& fileName() const { return name; }
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& records() const {
        return items;
    }

private:
    std::string name;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> items;
};

// A generator fills one or more archives. Generators register themselves
// with a static Registration and are run in name order.
using Generator = std::function<void(std::vector<ArchiveOut>& out)>;
struct Registration {
    Registration(const char* name, Generator g);
};
const std::vector<std::pair<std::string, Generator>>& generators();
// Names registered more than once; only the first registration runs, so
// main refuses to write anything while this is not empty.
const std::vector<std::string>& duplicateRegistrations();

// What one generator produced, and how long it took (wall seconds).
struct GeneratorResult {
    std::string name;
    std::vector<ArchiveOut> archives;
    double seconds = 0;
    std::string error;  // a generator that threw: its message
};
// Runs every registered generator, up to `jobs` at a time. The results come
// back in generator-name order whatever order they finished in, so the
// archives written are the same bytes for any number of jobs.
std::vector<GeneratorResult> runGenerators(int jobs);

// "%s_%2.2d"-style helpers for frame and record names.
std::string frameName(const std::string& prefix, const std::string& anim, int frame);

}  // namespace artgen
