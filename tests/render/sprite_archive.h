// Test archives of layered sprites, made with the same writers the art
// generator uses, in a private temporary data folder.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "assets/eye_writer.h"
#include "assets/lfl_writer.h"
#include "assets/linked_file.h"

namespace testsprites {

using Records = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

// A w x h block of one colour; alpha 0 pixels become transparent runs.
inline std::vector<uint32_t> block(int w, int h, uint32_t argb) {
    return std::vector<uint32_t>(size_t(w) * size_t(h), argb);
}

// The three files of one layered sprite: base and alpha layers and the mask.
inline void addSprite(Records& out, const std::string& base, const std::string& alpha,
                      const std::string& mask, int w, int h, uint32_t baseArgb,
                      uint32_t alphaArgb = 0x80000000u) {
    auto b = block(w, h, baseArgb);
    auto a = block(w, h, alphaArgb);
    out.emplace_back(base, encodeEyeRle(b.data(), w, h));
    out.emplace_back(alpha, encodeEyeRle(a.data(), w, h));
    out.emplace_back(mask, encodeMask(a.data(), w, h));
}

// Frame i (1-based) of a named animation, named as the loader expects.
inline void addFrame(Records& out, const std::string& anim, int i, int w, int h,
                     uint32_t baseArgb) {
    char b[96], a[96], m[96];
    std::snprintf(b, sizeof b, "b_%s_%2.2d.eye", anim.c_str(), i);
    std::snprintf(a, sizeof a, "a_%s_%2.2d.eye", anim.c_str(), i);
    std::snprintf(m, sizeof m, "a_%s_m_%2.2d.msk", anim.c_str(), i);
    addSprite(out, b, a, m, w, h, baseArgb);
}

// A fresh folder under the system temporary folder, set as the data folder
// for the test's life and removed afterwards.
class DataFolder {
public:
    DataFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "gg_sprites_XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (mkdtemp(buf.data())) path = buf.data();
        setDataFolder(path);
    }
    ~DataFolder() {
        setDataFolder("");
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    bool write(const std::string& archive, const Records& records) const {
        return writeArchive(path + "/" + archive, records);
    }
    std::string path;
};

}  // namespace testsprites
