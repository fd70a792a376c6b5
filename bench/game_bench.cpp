// Whole-game figures, on the headless backend with the generated data:
//
//   BM_StartUp           start-up to the first menu frame on screen (the
//                        fixed start-up order, fonts, archives, the first
//                        frame), shutdown outside the timing
//   BM_BusiestScreen     one frame of the play screen with all 176 cells
//                        taken by the thirteen kinds a level drops, at speed
//                        6: scripts, the top bar, the board and the cursor
//   BM_FrameCopy/memcpy  copying one 800x600 16-bit frame: the floor any
//                        frame costs at least
//   BM_FullGame          a whole game in a child process (the real program,
//                        headless): counter "peak_rss_mb" is its peak memory
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/board_host.h"
#include "board/piece_list.h"
#include "board_kinds.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "shell/app.h"
#include "shell/clock.h"
#include "shell/game_state.h"

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int32_t kFastestSpeed = 6;
constexpr int kPlayX = 686, kPlayY = 563;  // PLAY! on the menu
constexpr int kBoardX = 400, kBoardY = 330;
constexpr int kStartFrames = 600;         // enough to reach play from the menu
constexpr int64_t kBusiestFrames = 1500;  // 24 s of a turn, well inside level 1's clock
constexpr int64_t kTopUpEvery = 60;       // frames between refills of the board
constexpr size_t kFrameBytes = 800 * 600 * 2;
constexpr int kFullGameSeconds = 600;  // ten minutes of game time, several turns

std::filesystem::path binaryDir() {
    std::error_code e;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", e);
    return e ? std::filesystem::path(".") : exe.parent_path();
}

std::filesystem::path scratch() {
    const auto dir = std::filesystem::temp_directory_path() / "gobble_bench";
    std::filesystem::create_directories(dir);
    return dir;
}

constexpr const auto& kKinds = kBoardKinds;

// The game as the runner drives it: headless, the clock in our hands.
class Game {
public:
    Game() {
        headlessReset();
        kwAppOptions o;
        o.backend = &headlessPlatform();
        o.dataDir = (binaryDir() / "data").string();
        o.settingsDir = (scratch() / "state").string();
        o.logPath = (scratch() / "gobble.log").string();
        o.haveSeed = true;
        o.seed = 7;
        std::filesystem::remove(scratch() / "state" / "ggdt_rec.tmp");  // defaults every time
        ok = startGame(o);
    }
    ~Game() {
        if (ok) shutdownGame();
    }
    void frame() {
        headlessAdvance(kFrameMs);
        kwEvent e;
        while (!quitPosted() && platform().pollEvent(&e)) handleEvent(e);
        runFrame();
    }
    void click(int x, int y) {
        headlessMoveMouse(x, y);
        headlessButton(0, true);
        frame();
        headlessButton(0, false);
        frame();
    }
    // PLAY!, then the click that ends level 1's introduction.
    bool startPlaying() {
        click(kPlayX, kPlayY);
        for (int i = 0; i < kStartFrames && gameState.playPhase != PhasePlaying; ++i) {
            if (i % 60 == 59) click(kBoardX, kBoardY);
            frame();
        }
        headlessMoveMouse(kBoardX, kBoardY);
        return gameState.playPhase == PhasePlaying && boardHost && pieceList;
    }
    bool ok = false;
};

// Every free cell gets the next kind in turn.
void fillBoard() {
    size_t next = 0;
    for (int32_t row = 0; row < kBoardRows; ++row)
        for (int32_t col = 0; col < kBoardColumns; ++col)
            if (!pieceList->pieceAt(col, row))
                boardHost->placePiece(kKinds[next++ % kKinds.size()], col, row, false);
}

void BM_StartUp(benchmark::State& state) {
    for (auto _ : state) {
        auto* game = new Game;
        if (game->ok) game->frame();
        state.PauseTiming();
        const bool ok = game->ok;
        delete game;  // shutdown is not start-up
        state.ResumeTiming();
        if (!ok) {
            state.SkipWithError("start-up failed");
            return;
        }
    }
}

void BM_BusiestScreen(benchmark::State& state) {
    Game game;
    if (!game.ok || !game.startPlaying()) {
        state.SkipWithError("could not reach play");
        return;
    }
    gameState.speedFactor = kFastestSpeed;
    boardHost->levelGoal = INT32_MAX;  // the turn never completes while timed
    fillBoard();
    int64_t frames = 0;
    double pieces = 0;
    for (auto _ : state) {
        game.frame();
        pieces += pieceList->count;
        if (++frames % kTopUpEvery == 0) {
            state.PauseTiming();
            fillBoard();
            state.ResumeTiming();
        }
    }
    state.counters["pieces"] = pieces / double(frames);
}

void BM_FrameCopy(benchmark::State& state) {
    std::vector<uint8_t> from(kFrameBytes, 0x5a), to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}

// A player who starts a game and lets it run: turns time out one after
// another until the lives are gone and the menu returns.
std::string fullGameScript() {
    std::string s = "300 move 686 563\n400 click 686 563\n";
    for (int t = 2000; t < kFullGameSeconds * 1000; t += 5000)
        s += std::to_string(t) + " click 400 330\n" + std::to_string(t + 100) + " click 420 350\n";
    return s + std::to_string(kFullGameSeconds * 1000) + " quit\n";
}

void BM_FullGame(benchmark::State& state) {
    const auto dir = scratch();
    const std::string script = (dir / "full_game.script").string();
    std::ofstream(script) << fullGameScript();
    const std::string gobble = (binaryDir() / "gobble").string();
    long peakKb = 0;
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            const std::string data = (binaryDir() / "data").string();
            const std::string state = (dir / "full_state").string(),
                              log = (dir / "full.log").string();
            execl(gobble.c_str(), gobble.c_str(), "--headless", "--seed", "3", "--script",
                  script.c_str(), "--data", data.c_str(), "--settings-dir", state.c_str(), "--log",
                  log.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        struct rusage usage {};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the game in the child process failed");
            return;
        }
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    state.counters["peak_rss_mb"] = double(peakKb) / 1024.0;
}

}  // namespace

BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_BusiestScreen)->Unit(benchmark::kMicrosecond)->Iterations(kBusiestFrames);
BENCHMARK(BM_FrameCopy)->Name("BM_FrameCopy/memcpy")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullGame)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
