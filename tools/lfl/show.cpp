// `lfl show`: draws images from an archive onto an 800x600 frame with the
// game's own image classes and writes the frame as a PNG or as raw 16-bit
// pixels. What it shows is exactly what the game would draw, so artists and
// modders can check a picture (and its mask and opacity) without the game.
#include "show.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli_status.h"
#include "assets/linked_file.h"
#include "assets/pixel_format.h"
#include "platform/platform.h"
#include "render/eye.h"
#include "render/png_writer.h"
#include "render/render_target.h"

namespace {

constexpr int kFrameWidth = kScreenWidth;
constexpr int kFrameHeight = kScreenHeight;

const char* const kShowUsage =
    "usage: lfl show ARCHIVE NAME[,NAME...] --out FILE\n"
    "         [--class raw|transparency|constant:OPACITY|raw-constant:OPACITY|masked:MASKNAME]\n"
    "         [--at X,Y] [--over RRGGBB] [--layout 565|555]\n"
    "  Draws the named images in order, at their stored positions (or at X,Y:\n"
    "  centre origin, y up), over an 800x600 frame of the --over colour.\n"
    "  FILE ending in .png gets a PNG; any other name the raw frame\n"
    "  (600 rows of 800 little-endian 16-bit pixels).\n";

enum class ImageClass { Raw, Transparency, Constant, RawConstant, Masked };

struct ShowOptions {
    std::string archive;
    std::vector<std::string> names;
    ImageClass imageClass = ImageClass::Transparency;
    uint32_t opacity = 255;
    std::string maskName;
    bool at = false;
    float atX = 0.0f, atY = 0.0f;
    uint32_t over = 0;  // 0xRRGGBB
    kwPixelLayout layout = kLayout565;
    std::string out;
};

int usageError(const char* what, const std::string& detail) {
    std::fprintf(stderr, "lfl show: %s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
    std::fputs(kShowUsage, stderr);
    return kUsageStatus;
}

int failure(const char* what, const std::string& detail) {
    std::fprintf(stderr, "lfl show: %s: %s\n", what, detail.c_str());
    return kFailStatus;
}

std::vector<std::string> splitNames(const std::string& list) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        out.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

bool parseUnsigned(const std::string& text, int base, uint32_t limit, uint32_t* out) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, base);
    if (errno || *end || v > limit) return false;
    *out = uint32_t(v);
    return true;
}

bool parseFloat(const std::string& text, float* out) {
    errno = 0;
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (text.empty() || errno || *end || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

bool parseClass(const std::string& text, ShowOptions& o) {
    const size_t colon = text.find(':');
    const std::string kind = text.substr(0, colon);
    const std::string arg = colon == std::string::npos ? "" : text.substr(colon + 1);
    if (kind == "raw" || kind == "transparency") {
        o.imageClass = kind == "raw" ? ImageClass::Raw : ImageClass::Transparency;
        return colon == std::string::npos;
    }
    if (kind == "constant" || kind == "raw-constant") {
        o.imageClass = kind == "constant" ? ImageClass::Constant : ImageClass::RawConstant;
        return parseUnsigned(arg, 10, 255, &o.opacity);
    }
    if (kind == "masked") {
        o.imageClass = ImageClass::Masked;
        o.maskName = arg;
        return !arg.empty();
    }
    return false;
}

bool parseAt(const std::string& text, ShowOptions& o) {
    const size_t comma = text.find(',');
    o.at = comma != std::string::npos && parseFloat(text.substr(0, comma), &o.atX) &&
           parseFloat(text.substr(comma + 1), &o.atY);
    return o.at;
}

bool parseLayout(const std::string& text, ShowOptions& o) {
    if (text != "565" && text != "555") return false;
    o.layout = text == "565" ? kLayout565 : kLayout555;
    return true;
}

// Fills `o` from the arguments; returns a message on error, null when fine.
const char* parseArguments(int argc, char** argv, ShowOptions& o, std::string& detail) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        detail = arg;
        if (i + 1 >= argc) return "missing value for";
        const std::string value = argv[++i];
        bool ok = true;
        if (arg == "--class")
            ok = parseClass(value, o);
        else if (arg == "--at")
            ok = parseAt(value, o);
        else if (arg == "--over")
            ok = value.size() == 6 && parseUnsigned(value, 16, 0xFFFFFF, &o.over);
        else if (arg == "--layout")
            ok = parseLayout(value, o);
        else if (arg == "--out")
            o.out = value;
        else
            return "unknown option";
        if (!ok) {
            detail = arg + " " + value;
            return "bad value";
        }
    }
    detail.clear();
    if (positional.size() != 2) return "expected ARCHIVE and NAME[,NAME...]";
    if (o.out.empty()) return "missing --out FILE";
    o.archive = positional[0];
    o.names = splitNames(positional[1]);
    for (const std::string& n : o.names)
        if (n.empty()) return "empty image name";
    return nullptr;
}

// Records of the archive itself only: no loose files from a data folder.
kwLinkedFile* findRecord(kwLinkedFileList& list, const std::string& name) {
    for (kwLinkedFile* f = list.head; f; f = f->next)
        if (namesEqual(f->name, name.c_str())) return f;
    return nullptr;
}

std::unique_ptr<kwEye> makeImage(const ShowOptions& o, kwAlphaMask* mask) {
    switch (o.imageClass) {
        case ImageClass::Raw:
            return std::make_unique<kwEyeRaw>();
        case ImageClass::Transparency:
            return std::make_unique<kwEyeTransparency>();
        case ImageClass::Constant: {
            auto e = std::make_unique<kwEyeTransparencyConstantAlpha>();
            e->Opacity(o.opacity);
            return e;
        }
        case ImageClass::RawConstant: {
            auto e = std::make_unique<kwEyeRawConstantAlpha>();
            e->Opacity(o.opacity);
            return e;
        }
        case ImageClass::Masked: {
            auto e = std::make_unique<kwEyeTransparencyMaskedAlpha>();
            e->setMask(mask);
            return e;
        }
    }
    return nullptr;
}

uint16_t frameColour(uint32_t rgb) {
    const kwPixelFormat& f = pixelFormat;
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return uint16_t(((r & f.red.mask8) << f.sR) | ((g & f.green.mask8) << f.sG) |
                    ((b & f.blue.mask8) >> f.sB));
}

bool endsWith(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i])
            return false;
    return true;
}

bool writeRaw(const std::string& path, const std::vector<uint16_t>& frame) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    for (uint16_t p : frame) {
        const uint8_t le[2] = {uint8_t(p), uint8_t(p >> 8)};
        ok = ok && std::fwrite(le, 1, 2, f) == 2;
    }
    return (std::fclose(f) == 0) && ok;
}

// The masked class draws nothing with a mask that does not follow the
// image's runs; say so instead of showing an empty frame.
bool maskFits(const ShowOptions& o, kwLinkedFile& image, kwAlphaMask* mask) {
    if (o.imageClass != ImageClass::Masked) return true;
    kwEyeLayout layout;
    return checkEye(image, kwEyeKind::RunLength, &layout) &&
           checkMask(*mask->file, image, layout, nullptr) == kwMaskVerdict::Ok;
}

// Draws every named image; false (with a message) if one is missing or
// could not be drawn.
int drawAll(const ShowOptions& o, kwLinkedFileList& list, kwAlphaMask* mask) {
    for (const std::string& name : o.names) {
        kwLinkedFile* file = findRecord(list, name);
        if (!file) return failure("no such record in the archive", name);
        std::unique_ptr<kwEye> eye = makeImage(o, mask);
        eye->setLinkedFile(file);
        if (!eye->file || !eye->changeBPP(pixelFormat.bpp))
            return failure("the image is malformed and was not drawn", name);
        if (!maskFits(o, *file, mask)) return failure("the mask does not fit the image", name);
        if (o.at) {
            eye->x = o.atX;
            eye->y = o.atY;
        }
        if (eye->place()) eye->draw();
    }
    return 0;
}

}  // namespace

int lflShow(int argc, char** argv) {
    ShowOptions o;
    std::string detail;
    if (argc >= 2 && (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help"))) {
        std::fputs(kShowUsage, stdout);
        return 0;
    }
    if (const char* error = parseArguments(argc, argv, o, detail)) return usageError(error, detail);

    pixelFormat = makePixelFormat(o.layout.red, o.layout.green, o.layout.blue, 16);
    kwLinkedFileList list;
    if (!list.add_lfl_path(o.archive)) return failure("cannot read archive", o.archive);
    kwAlphaMask mask;
    if (o.imageClass == ImageClass::Masked) {
        kwLinkedFile* maskFile = findRecord(list, o.maskName);
        if (!maskFile) return failure("no such mask in the archive", o.maskName);
        mask.setLinkedFile(maskFile);
        if (!mask.file) return failure("the mask is malformed", o.maskName);
    }

    std::vector<uint16_t> frame(size_t(kFrameWidth) * kFrameHeight, frameColour(o.over));
    renderTarget = kwRenderTarget{reinterpret_cast<uint8_t*>(frame.data()),
                                  kFrameWidth * int(sizeof(uint16_t)), kFrameWidth, kFrameHeight};
    const int status = drawAll(o, list, &mask);
    renderTarget = kwRenderTarget{};
    if (status != 0) return status;

    const bool written = endsWith(o.out, ".png")
                             ? writePng(o.out, frame.data(), kFrameWidth, kFrameHeight,
                                        kFrameWidth * int(sizeof(uint16_t)), o.layout)
                             : writeRaw(o.out, frame);
    return written ? 0 : failure("cannot write", o.out);
}
