#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/state_dump.h"
#include "fault_run.h"
#include "platform/headless/headless_audio.h"
#include "shell/game_state.h"

namespace fault {

namespace {

// Each panel button (how-to .. credits) in turn, then PLAY!, a click that
// ends the level's intro, a piece picked up and dropped, and back to the
// menu through the exit dialog.
std::string walkScript(const fs::path& dir) {
    std::string s;
    uint32_t at = 300;
    for (int x : {95, 217, 338, 460, 582, 704}) {
        const std::string px = std::to_string(x);
        s += std::to_string(at) + " move " + px + " 145\n" + std::to_string(at + 50) + " click " +
             px + " 145\n" + std::to_string(at + 100) + " move 400 330\n";
        at += 300;
    }
    s += std::to_string(at) + " dump " + (dir / "menu.json").string() + "\n";
    s += "2300 move 686 563\n2350 click 686 563\n"   // PLAY!
         "5000 click 400 580\n"                      // the intro gives way to play
         "5500 click 376 252\n6000 click 472 348\n"  // a piece picked up and put down
         "6600 dump " +
         (dir / "play.json").string() +
         "\n"
         "6800 move 768 28\n6850 click 768 28\n"  // the exit dialog
         "7100 click 400 316\n"                   // its menu button
         "7600 quit\n";
    return s;
}

}  // namespace

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<uint8_t> readBytes(const fs::path& path) {
    const std::string s = readFile(path);
    return std::vector<uint8_t>(s.begin(), s.end());
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace rec {

void putI32(std::vector<uint8_t>& r, size_t at, int32_t v) {
    for (size_t i = 0; i < 4; ++i) r[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

int32_t getI32(const std::vector<uint8_t>& r, size_t at) {
    uint32_t u = 0;
    for (size_t i = 0; i < 4; ++i) u |= uint32_t(r[at + i]) << (8 * i);
    return int32_t(u);
}

void putText(std::vector<uint8_t>& r, size_t at, size_t field, const std::string& text) {
    for (size_t i = 0; i < field; ++i) r[at + i] = i < text.size() ? uint8_t(text[i]) : 0;
}

std::vector<uint8_t> reference() {
    std::vector<uint8_t> r(kSize, 0);
    putI32(r, kHighestLevel, 7);
    putI32(r, kSpeedFactor, 5);
    putI32(r, kPlayerCount, 2);
    const char* names[] = {"Ann", "Bob", "Cy"};
    for (int p = 0; p < 3; ++p) {
        putI32(r, skill(p), p == 2 ? 1 : p + 2);
        putText(r, name(p), kNameField, names[p]);
    }
    putI32(r, kMusicVolume, 4);
    putI32(r, kSoundVolume, 6);
    for (int row = 0; row < 5; ++row) {
        const size_t at = scoreRow(row);
        putText(r, at, kScoreNameField, "Zed" + std::to_string(row));
        putI32(r, at + kScoreSkill, 1 + row % 3);
        putI32(r, at + kScoreLevel, 10 - row);
        putI32(r, at + kScoreScore, 90000 - 10000 * row);
    }
    return r;
}

}  // namespace rec

std::vector<ArchiveRecord> archiveRecords(const std::vector<uint8_t>& bytes) {
    constexpr size_t kHeader = 36, kName = 32;
    std::vector<ArchiveRecord> out;
    for (size_t at = 0; at + kHeader <= bytes.size();) {
        ArchiveRecord r;
        r.offset = at;
        r.size = uint32_t(bytes[at + 32] | bytes[at + 33] << 8 | bytes[at + 34] << 16 |
                          uint32_t(bytes[at + 35]) << 24);
        const char* name = reinterpret_cast<const char*>(&bytes[at]);
        r.name.assign(name, strnlen(name, kName));
        if (r.size < kHeader || r.size > bytes.size() - at) break;
        out.push_back(r);
        at += r.size;
    }
    return out;
}

int64_t number(const std::string& dump, const std::string& key, int64_t fallback) {
    std::smatch m;
    if (!std::regex_search(dump, m, std::regex("\"" + key + "\":(-?\\d+)"))) return fallback;
    return std::stoll(m[1]);
}

std::vector<std::string> refusals(const std::string& log) {
    std::vector<std::string> out;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find(" - ") != std::string::npos) out.push_back(line);
    }
    return out;
}

std::string savedPart(const std::string& dump) {
    const size_t from = dump.find("\"state\":{"), to = dump.find(",\"startLevel\"");
    if (from == std::string::npos || to == std::string::npos || to < from) return {};
    return dump.substr(from, to - from);
}

void FaultRun::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    dir = fs::path(::testing::TempDir()) / ("faults_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    stateDir = dir / "state";
    opts.app.dataDir = GG_BINARY_DIR "/data";
    opts.app.settingsDir = stateDir.string();
    opts.app.logPath = (dir / "gobble.log").string();
    opts.app.haveSeed = true;
    opts.app.seed = 11;
    opts.dumpPath = (dir / "end.json").string();
}

void FaultRun::TearDown() {
    headlessAudioSetMachine({});
    std::error_code ec;
    // A test may have left a folder without write permission behind.
    for (const auto& e : fs::recursive_directory_iterator(dir, ec))
        if (e.is_directory(ec) && !e.is_symlink(ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    if (!std::getenv("GG_KEEP_FAULT_RUNS")) fs::remove_all(dir, ec);
}

fs::path FaultRun::copyData() {
    const fs::path data = dir / "data";
    fs::create_directories(data);
    for (const std::string& name : gameArchives())
        fs::copy_file(fs::path(GG_BINARY_DIR "/data") / name, data / name,
                      fs::copy_options::overwrite_existing);
    opts.app.dataDir = data.string();
    return data;
}

void FaultRun::writeRecord(const std::vector<uint8_t>& bytes) {
    fs::create_directories(stateDir);
    fs::permissions(stateDir, fs::perms::owner_all, fs::perm_options::replace);
    writeFile(recordPath(), bytes);
    fs::permissions(recordPath(), fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace);
}

void FaultRun::expectValidSave(const Walk& w) const {
    struct stat st {};
    ASSERT_EQ(lstat(recordPath().c_str(), &st), 0) << "no record saved\n" << w.log;
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const std::vector<uint8_t> r = readBytes(recordPath());
    ASSERT_EQ(r.size(), rec::kSize);
    auto within = [&](size_t at, int32_t lo, int32_t hi) {
        const int32_t v = rec::getI32(r, at);
        EXPECT_TRUE(v >= lo && v <= hi) << "at " << at << ": " << v;
    };
    within(rec::kPlayerCount, 1, 3);
    for (int p = 0; p < 3; ++p) {
        within(rec::skill(p), 1, 3);
        EXPECT_EQ(r[rec::name(p) + rec::kNameField - 1], 0) << "name " << p << " unterminated";
    }
    within(rec::kMusicVolume, 0, 10);
    within(rec::kSoundVolume, 0, 10);
    for (int row = 0; row < 5; ++row)
        EXPECT_LE(
            strnlen(reinterpret_cast<const char*>(&r[rec::scoreRow(row)]), rec::kScoreNameField),
            10u);
    // Loaded again, it is what the run ended with.
    const kwGameState keep = gameState;
    gameState = kwGameState{};
    setSettingsFolder(stateDir.string());
    loadSettingsRecord();
    const std::string reloaded = stateDumpJson();
    gameState = keep;
    EXPECT_FALSE(savedPart(w.end).empty());
    EXPECT_EQ(savedPart(reloaded), savedPart(w.end));
}

Walk FaultRun::walk() {
    for (const char* f : {"menu.json", "play.json", "end.json"}) fs::remove(dir / f);
    opts.scriptText = walkScript(dir);
    Walk w;
    w.exitCode = runHeadless(opts);
    w.menu = readFile(dir / "menu.json");
    w.play = readFile(dir / "play.json");
    w.end = readFile(dir / "end.json");
    w.log = readFile(dir / "gobble.log");
    return w;
}

void FaultRun::expectOrderly(const Walk& w) const {
    EXPECT_EQ(w.exitCode, 0) << w.log;
    for (const std::string* d : {&w.menu, &w.play, &w.end}) {
        ASSERT_FALSE(d->empty()) << "a dump is missing\n" << w.log;
        EXPECT_EQ(d->front(), '{');
        EXPECT_NE(d->find("\"state\":{"), std::string::npos) << *d;
        EXPECT_NE(d->find("}\n"), std::string::npos) << "a dump was cut short";
    }
    EXPECT_NE(w.menu.find("\"scene\":\"menu\""), std::string::npos) << w.menu;
    EXPECT_NE(w.log.find("Exiting Application"), std::string::npos) << "no orderly shutdown";
    static const std::regex form(R"(^[A-Za-z_][A-Za-z0-9_]*::[A-Za-z_][A-Za-z0-9_]* - \S.*$)");
    for (const std::string& line : refusals(w.log))
        EXPECT_TRUE(std::regex_match(line, form)) << "badly formed: " << line;
}

}  // namespace fault
