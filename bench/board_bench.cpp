// The living board at full load: 176 pieces of the thirteen kinds a level
// can drop (everything but the brush), spread evenly over the board from a
// fixed seed, at speed setting 6 (scripts every 12 ms), with the game clock
// driven here in 16 ms frames.
//
//   BM_BoardFrame/drawn    scripts, ageing and drawing the pieces into the
//                          headless 800x600 frame, one frame per iteration
//   BM_BoardFrame/undrawn  the same without drawing (only the thaw that
//                          the list's draw does, so the board lives the
//                          same life as a drawn one)
//   BM_BoardScriptPass     one pass of the scene over the pieces' scripts
//                          (and the thaw), without ageing
//
// "x_real_time" is game time simulated per second of CPU time (a 60 Hz game
// needs 1); "pieces" is the average number on the board while timed, and
// "per_piece" the CPU time per piece and frame. Pieces that died or were
// eaten are replaced every 60 frames with the timer stopped, by the kind
// furthest below its even share, so the board stays full and mixed.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "assets/linked_file.h"
#include "board/board_host.h"
#include "board_kinds.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "platform/headless/headless.h"
#include "render/render_target.h"
#include "render/scene.h"
#include "render/screen.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/processor_test.h"
#include "shell/random.h"

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int32_t kFastestSpeed = 6;
constexpr uint32_t kSeed = 20240611;
constexpr int64_t kTopUpEvery = 60;  // frames between refills, about a game second
constexpr uint32_t kStartTime = 100000;

constexpr const auto& kKinds = kBoardKinds;

uint32_t g_now = kStartTime;

std::string dataFolder() {
    std::error_code e;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", e);
    return e ? std::string("data") : (exe.parent_path() / "data").string();
}

// The art sets, made once for the whole program on the first screen (they
// take its pixel format, which every later screen shares).
kwBoardHost* sharedArt() {
    static kwBoardHost* art = [] {
        setDataFolder(dataFolder());
        runProcessorTest();  // as start-up does: it allows the vector blend rows
        auto* host = new kwBoardHost();
        host->loadPieceArt();
        return host;
    }();
    return art;
}

// The headless frame for one run; gone before the program's statics are.
class HeadlessScreen {
public:
    HeadlessScreen() {
        headlessPlatform().openWindow({});
        made = createRenderScreen(kScreenWidth, kScreenHeight, 16);
    }
    ~HeadlessScreen() {
        if (made) destroyRenderScreen();
    }
    bool made = false;
};

// A host that borrows the shared art sets.
class BorrowedArtHost : public kwBoardHost {
public:
    explicit BorrowedArtHost(const kwBoardHost& from) {
        for (int32_t t = 0; t < kPieceTypeCount; ++t)
            arts[size_t(t)].reset(from.artFor(kwPieceType(t)));
    }
    ~BorrowedArtHost() override {
        for (auto& a : arts) a.release();
    }
};

// The kind furthest below its share of the board.
kwPieceType scarcestKind() {
    kwPieceType best = kKinds[0];
    int32_t fewest = kBoardCells;
    for (kwPieceType t : kKinds) {
        const int32_t n = pieceList->countOfType(t);
        if (n < fewest) {
            fewest = n;
            best = t;
        }
    }
    return best;
}

// A full board at speed 6, on a scene of its own, the clock in our hands.
class BoardWorld {
public:
    explicit BoardWorld(const kwBoardHost& art) : host(art) {
        resetClock();
        g_now = kStartTime;
        setTickSource([] { return g_now; });
        seedRandomWith(kSeed);
        gameState = kwGameState{};
        gameState.speedFactor = kFastestSpeed;
        gameState.currentPlayer = 0;
        gameState.playPhase = PhasePlaying;
        host.openBoard(&scene);
        fill();
    }
    ~BoardWorld() {
        scene.clear();  // the scripts go, and the pieces with them
        host.closeBoard();
        setTickSource(nullptr);
    }

    // Even shares at random cells: the kinds in turn, each on a random free cell.
    void fill() {
        for (size_t i = 0; !pieceList->isFull(); ++i)
            if (!host.spawnPiece(kKinds[i % kKinds.size()], false)) break;
    }
    void topUp() {
        while (!pieceList->isFull() && host.spawnPiece(scarcestKind(), false)) {
        }
    }

    void step(bool age) {
        g_now += kFrameMs;
        if (age) pieceList->ageAll();
        scene.runScripts();
    }

    // Frozen pieces thaw in the list's draw; a board that is not drawn
    // thaws them here, so that it lives the same life as a drawn one.
    void thaw() {
        for (kwPiece* p : pieceList->slots)
            if (p) p->thawIfExpired(g_now);
    }

    void draw() {
        if (!screen || !screen->Lock()) return;
        targetScreen();
        pieceList->draw();
        screen->Unlock();
    }

    kwScene scene;
    BorrowedArtHost host;
};

enum class Work { Drawn, Undrawn, ScriptsOnly };

void reportBoard(benchmark::State& state, int64_t pieceFrames, bool wholeFrames) {
    const double frames = double(state.iterations());
    state.counters["pieces"] = frames > 0 ? double(pieceFrames) / frames : 0.0;
    if (wholeFrames)
        state.counters["x_real_time"] =
            benchmark::Counter(frames * kFrameMs / 1000.0, benchmark::Counter::kIsRate);
    state.counters["per_piece"] = benchmark::Counter(
        double(pieceFrames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void runBoard(benchmark::State& state, Work work) {
    HeadlessScreen frame;
    const kwBoardHost* art = frame.made ? sharedArt() : nullptr;
    if (!art || !art->artFor(kwPieceType::Apple) || !art->artFor(kwPieceType::Apple)->loaded) {
        state.SkipWithError("no screen or no piece art (build the game_data target)");
        return;
    }
    BoardWorld world(*art);
    world.step(true);  // the first ageing pass only starts its clock
    int64_t frames = 0, pieceFrames = 0;
    for (auto _ : state) {
        pieceFrames += pieceList->count;
        world.step(work != Work::ScriptsOnly);
        if (work == Work::Drawn)
            world.draw();
        else
            world.thaw();
        if (++frames % kTopUpEvery == 0) {
            state.PauseTiming();
            world.topUp();
            state.ResumeTiming();
        }
    }
    reportBoard(state, pieceFrames, work != Work::ScriptsOnly);
}

void boardDrawn(benchmark::State& state) {
    runBoard(state, Work::Drawn);
}
void boardUndrawn(benchmark::State& state) {
    runBoard(state, Work::Undrawn);
}
void boardScriptPass(benchmark::State& state) {
    runBoard(state, Work::ScriptsOnly);
}

}  // namespace

BENCHMARK(boardDrawn)->Name("BM_BoardFrame/drawn")->Unit(benchmark::kMicrosecond);
BENCHMARK(boardUndrawn)->Name("BM_BoardFrame/undrawn")->Unit(benchmark::kMicrosecond);
BENCHMARK(boardScriptPass)->Name("BM_BoardScriptPass")->Unit(benchmark::kMicrosecond);
