// What the generated-archive tests share: an 800 x 600 RGB565 screen the
// game's blitters draw into, the box a drawing touched, and a fixture that
// opens the archives the build generated into its data folder and binds an
// animation's frames as the game's layered sprites.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "assets/linked_file.h"
#include "render/layered_sprite.h"
#include "render/render_target.h"

namespace artframe {

constexpr int kW = 800, kH = 600;

// Rows and columns a drawing touched; empty until something lands.
struct Box {
    int left = kW, top = kH, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
    void add(int x, int y) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
};

struct Screen {
    std::vector<uint16_t> px = std::vector<uint16_t>(size_t(kW) * kH, 0);
    void fill(uint16_t v) { std::fill(px.begin(), px.end(), v); }
    void bind() {
        screenSlot = kwRenderTarget{reinterpret_cast<uint8_t*>(px.data()), kW * 2, kW, kH};
        targetScreen();
    }
    uint16_t at(int x, int y) const { return px[size_t(y) * kW + x]; }
};

inline void drawOn(Screen& s, kwDrawable& d) {
    s.bind();
    if (d.place()) d.draw();
}

// Frame numbers in record names: 01, 02, ...
inline std::string twoDigits(int i) {
    char s[16];
    std::snprintf(s, sizeof s, "%2.2d", i);
    return s;
}

class GeneratedArchives : public testing::Test {
protected:
    static void SetUpTestSuite() { setDataFolder(GG_BINARY_DIR "/data"); }
    static void TearDownTestSuite() { setDataFolder(""); }

    // `file` is the archive's file name, e.g. "clock.lfl"; opened once.
    kwLinkedFileList& archive(const std::string& file) {
        auto& list = lists[file];
        if (!list) {
            list = std::make_unique<kwLinkedFileList>();
            EXPECT_TRUE(list->add_lfl(file.c_str()))
                << file << " missing: build the game_data target first";
        }
        return *list;
    }
    // Frame `frame` of `anim`: the triple b_ANIM_NN.eye, a_ANIM_NN.eye, a_ANIM_m_NN.msk.
    std::unique_ptr<kwLayeredSprite> layeredSprite(const std::string& file, const std::string& anim,
                                                   int frame) {
        const std::string n = twoDigits(frame);
        const std::string b = "b_" + anim + "_" + n + ".eye", a = "a_" + anim + "_" + n + ".eye",
                          m = "a_" + anim + "_m_" + n + ".msk";
        return std::make_unique<kwLayeredSprite>(b.c_str(), a.c_str(), m.c_str(), &archive(file));
    }

    std::map<std::string, std::unique_ptr<kwLinkedFileList>> lists;
};

}  // namespace artframe
