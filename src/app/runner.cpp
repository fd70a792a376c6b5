#include "app/runner.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/runner_script.h"
#include "app/state_dump.h"
#include "board/board_invariants.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "render/png_writer.h"
#include "shell/flags.h"

namespace {
constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text << '\n';
    return static_cast<bool>(out);
}

bool screenshot(const std::string& path) {
    bool ok = writePng(path, headlessPresentedFrame(), kScreenWidth, kScreenHeight,
                       kScreenWidth * 2, headlessLayout());
    if (!ok) std::fprintf(stderr, "gobble: cannot write %s\n", path.c_str());
    return ok;
}

void click(const kwScriptAction& a, int button) {
    headlessMoveMouse(a.x, a.y);
    headlessButton(button, true);
    headlessButton(button, false);
}

void perform(const kwScriptAction& a) {
    switch (a.kind) {
        case kwActionKind::Move: headlessMoveMouse(a.x, a.y); break;
        case kwActionKind::Click: click(a, kLeftButton); break;
        case kwActionKind::RightClick: click(a, kRightButton); break;
        case kwActionKind::Key: headlessKey(a.key); break;
        case kwActionKind::Chars:
            for (unsigned char c : a.text) headlessChar(c);
            break;
        case kwActionKind::Focus: headlessFocus(a.on); break;
        case kwActionKind::Screenshot: screenshot(a.text); break;
        case kwActionKind::Dump: writeText(a.text, stateDumpJson()); break;
        case kwActionKind::Quit: appFlags.quitRequested = true; break;
    }
}

bool loadScript(const kwRunnerOptions& o, std::vector<kwScriptAction>* actions) {
    std::string text = o.scriptText;
    if (!o.scriptPath.empty()) {
        std::ifstream in(o.scriptPath, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "gobble: cannot read script %s\n", o.scriptPath.c_str());
            return false;
        }
        std::ostringstream buf;
        buf << in.rdbuf();
        text = buf.str();
    }
    std::string error;
    if (parseRunnerScript(text, actions, &error)) return true;
    std::fprintf(stderr, "gobble: script: %s\n", error.c_str());
    return false;
}

bool startAudioCapture(const std::string& path) {
    if (headlessAudioCapture(path.c_str())) return true;
    std::fprintf(stderr, "gobble: cannot write %s\n", path.c_str());
    return false;
}

bool endAudioCapture(const std::string& path) {
    if (path.empty() || headlessAudioCaptureEnd()) return true;
    std::fprintf(stderr, "gobble: cannot write %s\n", path.c_str());
    return false;
}

void pumpEvents() {
    kwEvent e;
    while (!quitPosted() && platform().pollEvent(&e)) handleEvent(e);
}

void takeScreenshots(const kwRunnerOptions& o) {
    for (const auto& [frame, path] : o.screenshots)
        if (frame == framesRun()) screenshot(path);
}

// What a run carries from step to step.
struct RunState {
    size_t nextAction = 0;
    bool invariantBroken = false;
};

// After a frame: the board's invariants when asked for (the first fault
// ends the run, orderly, so the dump and the leak check still happen),
// then the caller's hook.
void afterFrame(const kwRunnerOptions& o, RunState* run) {
    if (run->invariantBroken) return;  // the run is ending; one report is enough
    if (o.checkInvariants) {
        const std::string fault = checkBoardInvariants();
        if (!fault.empty()) {
            std::fprintf(stderr, "gobble: board invariant broken at frame %u: %s\n", framesRun(),
                         fault.c_str());
            run->invariantBroken = true;
            appFlags.quitRequested = true;
            return;
        }
    }
    if (o.afterFrame) o.afterFrame(framesRun());
}

// One step of the runner: the clock moves, due input arrives, and a frame
// runs if the window has the focus. The last step asks to quit the way the
// menu's quit button does, so shutdown and the settings save run.
void step(const kwRunnerOptions& o, int64_t stepNumber, const std::vector<kwScriptAction>& actions,
          RunState* run) {
    headlessAdvance(o.frameMs);
    size_t& next = run->nextAction;
    while (next < actions.size() && actions[next].at <= headlessTime()) perform(actions[next++]);
    pumpEvents();
    if (quitPosted()) return;
    bool last = o.frames >= 0 && stepNumber + 1 >= o.frames;
    if (last) appFlags.quitRequested = true;
    if (appFlags.active) {
        runFrame();
        takeScreenshots(o);
        afterFrame(o, run);
    } else if (last) {
        handleEvent(kwEvent{kwEventType::Quit});  // no frame will run to honour it
    }
}
}  // namespace

int runHeadless(const kwRunnerOptions& options) {
    std::vector<kwScriptAction> actions;
    if (!loadScript(options, &actions)) return 2;
    headlessReset();
    // A capture that cannot be written does not stop the run; it fails it at the end.
    bool audioOk = options.audioOutPath.empty() || startAudioCapture(options.audioOutPath);
    kwAppOptions app = options.app;
    app.backend = &headlessPlatform();
    if (!startGame(app)) {
        endAudioCapture(options.audioOutPath);
        return 1;
    }

    RunState run;
    for (int64_t n = 0; !quitPosted(); ++n) step(options, n, actions, &run);
    std::string dump = stateDumpJson();
    shutdownGame();
    audioOk = endAudioCapture(options.audioOutPath) && audioOk;
    if (!options.dumpPath.empty() && !writeText(options.dumpPath, dump)) {
        std::fprintf(stderr, "gobble: cannot write %s\n", options.dumpPath.c_str());
        return 1;
    }
    if (run.invariantBroken) return kExitInvariantBroken;
    return audioOk ? 0 : 1;
}
