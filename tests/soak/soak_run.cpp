#include "soak_run.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "app/runner.h"
#include "monkey.h"
#include "shell/game_state.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kMsPerMinute = 60 * 1000;

// What the menu would have saved after a player had reached every level:
// all six start levels unlock.
void saveEveryLevelReached(const std::string& folder) {
    gameState = kwGameState{};
    gameState.highestLevel = kLevelCount;
    setSettingsFolder(folder);
    saveSettingsRecord();
    gameState = kwGameState{};
}

// Failure messages have the form "kwClass::operation - text" (a few free
// functions leave out the class).
std::vector<std::string> logErrors(const std::string& path) {
    static const std::regex failure(R"(^\w+(::\w+)? - )");
    std::vector<std::string> found;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, failure)) found.push_back(line);
    if (!in.eof()) found.emplace_back("(the debug log could not be read)");
    return found;
}

void copyCounts(const kwMonkey& m, kwSoakResult* r) {
    r->stats = m.stats();
    r->play = m.play.counts;
    r->menu = m.menu.counts;
    r->clicks = m.hand.clicks;
    r->keys = m.hand.keys;
    r->checks = m.hand.checks;
    r->surpriseCount = m.hand.surpriseCount;
    r->surprises = m.hand.surprises;
}

void line(std::string* out, const char* fmt, auto... values) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, values...);
    *out += buf;
    *out += '\n';
}

// "turns/won" for each level.
std::string levelTable(const kwSoakStats& s) {
    std::string t;
    for (int32_t l = 1; l <= kLevelCount; ++l)
        t += " " + std::to_string(s.turnsAtLevel[size_t(l)]) + "/" +
             std::to_string(s.wonAtLevel[size_t(l)]);
    return t;
}

}  // namespace

bool kwSoakResult::ok() const {
    const bool levels = !everyLevelWanted || stats.levelsPlayed() == kLevelCount;
    return exitCode == 0 && stats.frames == framesWanted && surpriseCount == 0 &&
           logErrors.empty() && levels;
}

kwSoakResult runSoak(const kwSoakOptions& o) {
    std::error_code ec;
    fs::remove_all(o.workDir, ec);
    fs::create_directories(o.workDir, ec);
    const std::string stateDir = (fs::path(o.workDir) / "state").string();
    saveEveryLevelReached(stateDir);

    kwMonkey monkey(o.seed);
    kwRunnerOptions run;
    run.app.dataDir = o.dataDir;
    run.app.settingsDir = stateDir;
    run.app.logPath = (fs::path(o.workDir) / "gobble.log").string();
    run.app.haveSeed = true;
    run.app.seed = o.seed;
    run.frameMs = o.frameMs;
    run.frames = int64_t(o.minutes * kMsPerMinute / o.frameMs);
    run.checkInvariants = true;
    run.afterFrame = [&monkey](uint32_t frame) { monkey.afterFrame(frame); };

    kwSoakResult r;
    r.framesWanted = uint64_t(run.frames);
    r.everyLevelWanted = o.everyLevel;
    const auto start = std::chrono::steady_clock::now();
    r.exitCode = runHeadless(run);
    r.realSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    setSettingsFolder("");
    copyCounts(monkey, &r);
    r.logErrors = logErrors(run.app.logPath);
    return r;
}

std::string soakReport(const kwSoakResult& r) {
    const kwSoakStats& s = r.stats;
    std::string out;
    line(&out, "frames %llu of %llu, real time %.1f s, runner exit %d",
         (unsigned long long)s.frames, (unsigned long long)r.framesWanted, r.realSeconds,
         r.exitCode);
    line(&out, "games %u (1/2/3 players: %u/%u/%u; easy/medium/hard: %u/%u/%u), ended %u", s.games,
         s.gamesByPlayers[1], s.gamesByPlayers[2], s.gamesByPlayers[3], s.gamesBySkill[1],
         s.gamesBySkill[2], s.gamesBySkill[3], s.gamesEnded);
    line(&out, "turns %u over %d levels; per level, turns/won:%s", s.turns, s.levelsPlayed(),
         levelTable(s).c_str());
    line(&out, "levels completed %u, time-outs %u, highest active skill %d, most pieces %d",
         s.levelsCompleted, s.timeOuts, s.highestActiveSkill, s.mostPieces);
    line(&out,
         "pick-ups %u (brush %u), put-downs %u; feeds %u, rescues %u, spreads %u, jails %u, "
         "moves %u",
         s.pickUps, s.brushPickUps, s.putDowns, r.play.feeds, r.play.rescues, r.play.spreads,
         r.play.jails, r.play.moves);
    line(&out, "brush strokes %u, on sweets %u, sweets brushed off %u, sweets scrubbed %u",
         s.brushStrokes, s.strokesOnSweets, s.sweetsBrushedOff, r.play.scrubs);
    line(&out, "pauses %u (clicks while paused %u), dialogs %u (continue %u, menu %u), escapes %u",
         s.pauses, r.play.pausedClicks, s.dialogs, r.play.continues, r.play.menus, r.play.escapes);
    line(&out, "board clicks %u, click bursts %u, watches %u", r.play.boardClicks, r.play.bursts,
         r.play.watches);
    line(&out,
         "menu visits %u, panels opened %u, settings changed %u, names typed %u, looks %u, "
         "games begun past the chips %u",
         r.menu.visits, r.menu.panelsOpened, r.menu.settingsClicks, r.menu.namesTyped, r.menu.looks,
         r.menu.jumps);
    line(&out, "clicks %llu, keys %llu, checks %llu, surprises %llu", (unsigned long long)r.clicks,
         (unsigned long long)r.keys, (unsigned long long)r.checks,
         (unsigned long long)r.surpriseCount);
    if (r.everyLevelWanted && s.levelsPlayed() < kLevelCount)
        line(&out, "  only %d of %d levels had a turn", s.levelsPlayed(), kLevelCount);
    for (const std::string& sp : r.surprises) out += "  surprise " + sp + "\n";
    for (const std::string& e : r.logErrors) out += "  log: " + e + "\n";
    return out;
}
