// The generated data/ folder held to what the game loads: every name of
// every archive there (each animation with exactly its frame count), no
// stray or shadowed records, pictures and masks that pass the checks of the
// image classes the game binds them to, pictures that stay on screen where
// the code puts them and click targets that do not overlap, sounds that
// decode, stream when long and loop without a click. Then the generator run
// again: the same bytes, within the time budget.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "artgen_names.h"
#include "assets/eye_format.h"
#include "assets/linked_file.h"
#include "assets/noi_format.h"
#include "audio/adpcm.h"
#include "render/eye.h"
#include "render/layered_sprite.h"

namespace {

namespace fs = std::filesystem;
using artnames::Group;

const std::string kData = GG_BINARY_DIR "/data";
const std::string kArtgen = GG_BINARY_DIR "/artgen";

constexpr int kScreenW = 800, kScreenH = 600;
constexpr float kStripeDepth = 1000.0f;  // the menu's background; the board lies further back
constexpr double kStreamSeconds = 1.0;   // sounds this long stream, so must be ADPCM
constexpr double kMusicSeconds = 8.0;
constexpr int kAudiblePeak = 1000;          // a sound quieter than this is a generator fault
constexpr double kMaxClippedShare = 0.001;  // samples at full scale
constexpr int kLoopJump = 1500;             // largest step allowed where a loop wraps
constexpr double kCpuBudgetSeconds = 60;    // 30 s on two cores
constexpr size_t kListedPerProblem = 40;

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

std::string frameFile(const char* pattern, const std::string& anim, int n) {
    char buf[96];
    std::snprintf(buf, sizeof buf, pattern, anim.c_str(), n);
    return buf;
}

// One group's archives loaded into one list, as the owning scene does.
struct LoadedGroup {
    kwLinkedFileList list;
    std::vector<std::string> missingArchives;
    std::map<std::string, int> counts;  // lower-case name -> records of that name
    std::map<std::string, kwLinkedFile*> first;

    explicit LoadedGroup(const Group& g) {
        for (const artnames::Archive& a : g.archives) {
            const std::string path = kData + "/" + a.file;
            if (!fs::exists(path) || !list.add_lfl_path(path)) missingArchives.push_back(a.file);
        }
        for (kwLinkedFile* f = list.head; f; f = f->next) {
            const std::string n = lower(f->name);
            if (counts[n]++ == 0) first[n] = f;
        }
    }
    kwLinkedFile* find(const std::string& name) const {
        auto it = first.find(lower(name));
        return it == first.end() ? nullptr : it->second;
    }
};

std::vector<std::string> expectedNames(const artnames::Archive& a) {
    std::vector<std::string> v;
    for (const artnames::Anim& anim : a.anims) {
        for (int i = 1; i <= anim.frames; ++i) {
            v.push_back(frameFile("b_%s_%2.2d.eye", anim.name, i));
            v.push_back(frameFile("a_%s_%2.2d.eye", anim.name, i));
            v.push_back(frameFile("a_%s_m_%2.2d.msk", anim.name, i));
        }
    }
    for (const artnames::Picture& p : a.pictures) v.push_back(p.name);
    for (const artnames::Sound& s : a.sounds) v.push_back(s.name);
    return v;
}

// One failure per group and kind of problem, listing the names (capped).
void report(const std::string& what, const std::string& where, std::vector<std::string> names) {
    if (names.empty()) return;
    std::string text = where + ": " + what + " (" + std::to_string(names.size()) + "):";
    for (size_t i = 0; i < names.size() && i < kListedPerProblem; ++i) text += "\n  " + names[i];
    if (names.size() > kListedPerProblem)
        text += "\n  ... and " + std::to_string(names.size() - kListedPerProblem) + " more";
    ADD_FAILURE() << text;
}

class GeneratedData : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_directory(kData))
            << kData << " is missing: the build writes it (target game_data)";
        // Loose-file look-ups, if any, go where the game's would.
        setDataFolder(kData);
    }
    void TearDown() override { setDataFolder(""); }
};

// ---- names ---------------------------------------------------------------------

TEST_F(GeneratedData, EveryNameTheGameLoadsIsThereOnceAndNothingElse) {
    for (const Group& g : artnames::allGroups()) {
        LoadedGroup loaded(g);
        std::set<std::string> expected;
        std::vector<std::string> missing, absentArchives;
        for (const artnames::Archive& a : g.archives) {
            const std::vector<std::string> names = expectedNames(a);
            size_t absent = 0;
            for (const std::string& n : names) {
                expected.insert(lower(n));
                absent += loaded.find(n) == nullptr;
            }
            const bool archiveMissing = std::count(loaded.missingArchives.begin(),
                                                   loaded.missingArchives.end(), a.file) > 0;
            // A missing archive whose names are nowhere else is one line, not hundreds.
            if (archiveMissing && absent == names.size()) {
                absentArchives.push_back(a.file + " (" + std::to_string(absent) + " names)");
                continue;
            }
            if (archiveMissing) absentArchives.push_back(a.file);
            for (const std::string& n : names)
                if (!loaded.find(n)) missing.push_back(n);
        }
        std::vector<std::string> unknown, doubled;
        for (const auto& [name, count] : loaded.counts) {
            if (!expected.count(name)) unknown.push_back(name);
            if (count > 1) doubled.push_back(name + " (" + std::to_string(count) + " records)");
        }
        report("archives missing", g.label, absentArchives);
        report("names missing", g.label, missing);
        report("records the game never loads (misspelt, or frames beyond the count)", g.label,
               unknown);
        report("names stored more than once (only the first is ever used)", g.label, doubled);
    }
}

// ---- pictures ---------------------------------------------------------------------

bool hasOpaquePixels(kwLinkedFile& f) {
    kwEyeLayout layout;
    return checkEye(f, kwEyeKind::RunLength, &layout) && layout.opaquePixels > 0;
}

// A frame as the game builds it: the three files bound into a layered
// sprite, both layers brought to the 16-bit display, the mask checked
// against its layer. Returns what is wrong, or an empty string.
std::string frameProblem(LoadedGroup& g, const std::string& anim, int n) {
    const std::string b = frameFile("b_%s_%2.2d.eye", anim, n);
    const std::string a = frameFile("a_%s_%2.2d.eye", anim, n);
    const std::string m = frameFile("a_%s_m_%2.2d.msk", anim, n);
    if (!g.find(b) || !g.find(a) || !g.find(m)) return "";  // reported by the names test
    kwLayeredSprite sprite(b.c_str(), a.c_str(), m.c_str(), &g.list);
    if (!sprite.isComplete()) return b + ": the sprite cannot bind its files";
    if (!sprite.baseLayer->changeBPP(16)) return b + ": refused as a run-length image";
    if (!sprite.alphaLayer->changeBPP(16)) return a + ": refused as a run-length image";
    kwEyeLayout alphaLayout, maskLayout;
    if (!checkEye(*g.find(a), kwEyeKind::RunLength, &alphaLayout)) return a + ": refused";
    if (checkMask(*g.find(m), *g.find(a), alphaLayout, &maskLayout) != kwMaskVerdict::Ok)
        return m + ": does not match its alpha layer";
    if (sprite.baseLayer->width != sprite.alphaLayer->width ||
        sprite.baseLayer->height != sprite.alphaLayer->height)
        return b + ": base and alpha layers differ in size, so they do not line up";
    if (!hasOpaquePixels(*g.find(b)) && !hasOpaquePixels(*g.find(a)))
        return b + ": the frame shows nothing";
    return "";
}

TEST_F(GeneratedData, PicturesAndMasksPassTheChecksOfTheClassesTheGameUses) {
    for (const Group& g : artnames::allGroups()) {
        LoadedGroup loaded(g);
        std::vector<std::string> bad;
        for (const artnames::Archive& a : g.archives) {
            for (const artnames::Anim& anim : a.anims)
                for (int i = 1; i <= anim.frames; ++i)
                    if (std::string p = frameProblem(loaded, anim.name, i); !p.empty())
                        bad.push_back(p);
            for (const artnames::Picture& p : a.pictures) {
                kwLinkedFile* f = loaded.find(p.name);
                if (!f) continue;
                kwEyeTransparency image;
                image.setLinkedFile(f);
                if (!image.changeBPP(16))
                    bad.push_back(p.name + ": refused as a run-length image");
                else if (!hasOpaquePixels(*f))
                    bad.push_back(p.name + ": no opaque pixel (nothing to see or to hit)");
            }
        }
        report("unusable pictures", g.label, bad);
    }
}

// The rectangle the game draws a picture in, in screen pixels, with the
// arithmetic of kwEye::place.
struct Rect {
    int left, top, right, bottom;
    bool overlaps(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

bool storedRect(kwLinkedFile* f, std::pair<int, int> offset, Rect* out, float* depth = nullptr) {
    kwEyeHeader h;
    if (!f || !readEyeHeader(f->data, f->payloadSize(), &h)) return false;
    const int cx = int(h.x) + offset.first, cy = int(h.y) + offset.second;
    out->left = cx + kScreenW / 2 - h.width / 2;
    out->top = kScreenH / 2 - h.height / 2 - cy;
    out->right = out->left + h.width;
    out->bottom = out->top + h.height;
    if (depth) *depth = h.depth;
    return true;
}

std::string describe(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

TEST_F(GeneratedData, PicturesStayOnScreenAndInFrontOfTheBackground) {
    for (const Group& g : artnames::allGroups()) {
        LoadedGroup loaded(g);
        std::vector<std::string> bad;
        for (const artnames::Archive& a : g.archives) {
            for (const artnames::Picture& p : a.pictures) {
                for (const auto& offset : p.offsets) {
                    Rect r;
                    float depth = 0;
                    if (!storedRect(loaded.find(p.name), offset, &r, &depth)) continue;
                    if (r.left < 0 || r.top < 0 || r.right > kScreenW || r.bottom > kScreenH)
                        bad.push_back(p.name + " lies off the screen at " + describe(r));
                    if (depth < 0 || depth >= kStripeDepth)
                        bad.push_back(p.name + " has depth " + std::to_string(depth) +
                                      ", behind the background");
                }
            }
        }
        report("misplaced pictures", g.label, bad);
    }
}

// Click targets tested as rectangles, in the order the code tests them: an
// overlap sends a click on one to another. Each highlight must stand where
// its normal picture does, or hovering would make the picture jump.
struct Target {
    std::string normal, highlight;
    std::pair<int, int> offset{0, 0};
};

std::vector<std::vector<Target>> clickRows() {
    std::vector<Target> buttons, counts, skills, exits, chips;
    for (const char* b :
         {"play", "howto", "players", "skill", "volume", "scores", "credits", "split"})
        buttons.push_back({std::string(b) + "_button_01.eye", std::string(b) + "_button_02.eye"});
    for (const char* c : {"1p", "2p", "3p"})
        counts.push_back(
            {std::string("small_") + c + "_01.eye", std::string("small_") + c + "_02.eye"});
    for (const char* s : {"easy", "medium", "hard"})
        skills.push_back({std::string(s) + "_small_01.eye", std::string(s) + "_small_02.eye"});
    for (const char* e : {"exit_menu.eye", "exit_exit.eye", "exit_continue.eye"})
        exits.push_back({e, ""});
    for (int row : {0, -140})
        for (int i = 0; i <= 10; ++i)
            chips.push_back({artnames::numbered("chip_%2.2d.eye", i),
                             artnames::numbered("chip_glow_%2.2d.eye", i),
                             {0, row}});
    return {buttons, counts, skills, exits, chips};
}

std::vector<std::string> targetProblems(LoadedGroup& g, const std::vector<Target>& row) {
    std::vector<std::string> bad;
    std::vector<std::pair<std::string, Rect>> placed;
    for (const Target& t : row) {
        Rect r, h;
        if (!storedRect(g.find(t.normal), t.offset, &r)) continue;
        if (!t.highlight.empty() && storedRect(g.find(t.highlight), t.offset, &h) &&
            (std::abs((h.left + h.right) - (r.left + r.right)) > 2 ||
             std::abs((h.top + h.bottom) - (r.top + r.bottom)) > 2))
            bad.push_back(t.highlight + " is not centred on " + t.normal);
        for (const auto& [name, other] : placed)
            if (other.overlaps(r))
                bad.push_back(t.normal + " " + describe(r) + " overlaps " + name + " " +
                              describe(other));
        placed.emplace_back(t.normal + (t.offset.second ? " (lower row)" : ""), r);
    }
    return bad;
}

TEST_F(GeneratedData, ClickTargetsDoNotOverlapAndHighlightsCoverTheirButtons) {
    for (const Group& g : artnames::allGroups()) {
        LoadedGroup loaded(g);
        std::vector<std::string> bad;
        for (const auto& row : clickRows())
            for (std::string& p : targetProblems(loaded, row)) bad.push_back(std::move(p));
        report("click targets in the way of each other", g.label, bad);
    }
}

// ---- sounds ----------------------------------------------------------------------

std::vector<int16_t> decodeAll(const kwNoiLayout& s) {
    const int ch = s.header.channels;
    std::vector<int16_t> pcm;
    if (s.adpcm) {
        pcm = adpcmDecode({s.samples, s.header.dataBytes}, ch);
    } else if (s.header.bitsPerSample == 16) {
        for (uint32_t i = 0; i + 1 < s.header.dataBytes; i += 2)
            pcm.push_back(int16_t(s.samples[i] | s.samples[i + 1] << 8));
    } else {
        for (uint32_t i = 0; i < s.header.dataBytes; ++i)
            pcm.push_back(int16_t((int(s.samples[i]) - 128) * 256));
    }
    pcm.resize(std::min<size_t>(pcm.size(), size_t(s.frames) * ch));
    return pcm;
}

// What is wrong with one sound, as the mixer would play it.
std::vector<std::string> soundProblems(const artnames::Sound& want, kwLinkedFile* f) {
    std::vector<std::string> bad;
    kwNoiLayout s;
    if (const char* why = noiProblem(f->data, f->payloadSize(), &s))
        return {want.name + ": " + why};
    if (s.repaired) bad.push_back(want.name + ": header fields disagree with its format");
    const double seconds = double(s.frames) / s.header.framesPerSecond;
    if (seconds >= kStreamSeconds && !s.adpcm)
        bad.push_back(want.name + ": " + std::to_string(seconds) +
                      " s of PCM (long sounds stream, so ADPCM)");
    if (want.kind == artnames::SoundKind::Music && seconds < kMusicSeconds)
        bad.push_back(want.name + ": a music loop of only " + std::to_string(seconds) + " s");
    const std::vector<int16_t> pcm = decodeAll(s);
    int peak = 0;
    size_t clipped = 0;
    for (int16_t v : pcm) {
        peak = std::max(peak, std::abs(int(v)));
        clipped += v == 32767 || v == -32768;
    }
    if (peak < kAudiblePeak)
        bad.push_back(want.name + ": silent (peak " + std::to_string(peak) + ")");
    if (!pcm.empty() && double(clipped) / pcm.size() > kMaxClippedShare)
        bad.push_back(want.name + ": clipped (" + std::to_string(clipped) +
                      " samples at full scale)");
    const size_t ch = s.header.channels;
    if (want.kind == artnames::SoundKind::Music && pcm.size() >= 2 * ch) {
        // Where a streamed loop wraps, the decoder starts again from silence.
        for (size_t c = 0; c < ch; ++c) {
            const int jump = std::abs(pcm[pcm.size() - ch + c] - pcm[c]);
            if (jump > kLoopJump)
                bad.push_back(want.name + ": clicks where it loops (a step of " +
                              std::to_string(jump) + ")");
        }
    }
    return bad;
}

TEST_F(GeneratedData, SoundsDecodeStreamWhenLongAndLoopWithoutAClick) {
    for (const Group& g : artnames::allGroups()) {
        LoadedGroup loaded(g);
        std::vector<std::string> bad;
        for (const artnames::Archive& a : g.archives)
            for (const artnames::Sound& s : a.sounds)
                if (kwLinkedFile* f = loaded.find(s.name))
                    for (std::string& p : soundProblems(s, f)) bad.push_back(std::move(p));
        report("faulty sounds", g.label, bad);
    }
}

// The tables themselves: a slip here would make every check above wrong.
TEST(ArtgenNameTables, CountsMatchWhatTheGameLoads) {
    std::map<std::string, int> frames;
    size_t archives = 0;
    for (const Group& g : artnames::allGroups()) {
        archives += g.archives.size();
        for (const artnames::Archive& a : g.archives)
            for (const artnames::Anim& anim : a.anims) frames[anim.name] = anim.frames;
    }
    EXPECT_EQ(archives,
              29u);  // 7 menu, 2 play art, sfx, play sounds, clock, cursor, font, loops, 14 pieces
    EXPECT_EQ(frames["apple_ambient_c"], 11);
    EXPECT_EQ(frames["lemon_ambient_c"], 36);
    EXPECT_EQ(frames["donut_roll"], 10);
    EXPECT_EQ(frames["cone_frright"], 5);
    EXPECT_EQ(frames["yhc_ambient_d"], 21);
    EXPECT_EQ(frames["alarm_clock_ringing"], 12);
    EXPECT_EQ(frames["interface_letter"], 26);
    EXPECT_EQ(frames.count("choco_look_down"), 0u);
    EXPECT_EQ(frames.count("chomp_shock"), 0u);
    size_t pieceAnims = 0;
    for (const artnames::Archive& a : artnames::pieceArchives()) pieceAnims += a.anims.size();
    // apple, five other fruit, choco, rhc, ohc, yhc, donut, cone, chomp, brush
    EXPECT_EQ(pieceAnims, 10u + 5 * 9 + 5 + 8 + 8 + 9 + 11 + 14 + 4 + 4);
}

// ---- the generator itself ----------------------------------------------------------

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> archivesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".lfl") names.insert(e.path().filename().string());
    return names;
}

double childCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    auto secs = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return secs(u.ru_utime) + secs(u.ru_stime);
}

// One job instead of the build's two: the bytes must not depend on which
// generator finished first.
TEST(ArtgenRun, RunsAgainToTheSameBytesWithinTheTimeBudget) {
    if (!fs::exists(kArtgen)) GTEST_SKIP() << "no artgen program in " GG_BINARY_DIR;
    ASSERT_TRUE(fs::is_directory(kData));
    const fs::path out = fs::path(testing::TempDir()) / ("gg_artgen_" + std::to_string(getpid()));
    fs::remove_all(out);
    const double cpuBefore = childCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const std::string cmd = "'" + kArtgen + "' --jobs 1 '" + out.string() + "'";
    const int status = std::system(cmd.c_str());
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = childCpuSeconds() - cpuBefore;
    std::printf("artgen full run, one job: %.2f s wall, %.2f s processor\n", wall, cpu);
    RecordProperty("artgen_wall_ms", int(wall * 1000));
    RecordProperty("artgen_cpu_ms", int(cpu * 1000));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << cmd;
    EXPECT_LT(cpu, kCpuBudgetSeconds);

    const std::set<std::string> built = archivesIn(kData), again = archivesIn(out);
    EXPECT_EQ(built, again) << "the two runs made different archives";
    std::vector<std::string> differ;
    for (const std::string& name : again)
        if (built.count(name) && slurp(out / name) != slurp(fs::path(kData) / name))
            differ.push_back(name);
    report("archives that differ between two runs", "artgen", differ);
    fs::remove_all(out);
}

}  // namespace
