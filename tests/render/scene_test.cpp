// Scenes: list rules and capacities, the script pass (timing, finishing,
// stopping on a switch) and the draw pass (depth order, hidden drawables,
// failed lock, focus loss, the cursor last).
#include "render/scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "render/screen.h"
#include "render/sprite_archive.h"
#include "shell/clock.h"
#include "shell/flags.h"
#include "shell/log.h"

namespace {

std::vector<std::string> g_events;
uint32_t g_now = 0;
bool g_switch = false;

class Probe : public kwDrawable {
public:
    Probe(std::string n, float d, bool onScreen = true) : name(std::move(n)), placeOk(onScreen) {
        depth = d;
    }
    bool place() override {
        g_events.push_back("place " + name);
        return placeOk;
    }
    void draw() override {
        g_events.push_back("draw " + name);
        if (loseFocus) appFlags.active = false;
    }
    std::string name;
    bool placeOk, loseFocus = false;
};

class Recorder : public kwScript {
public:
    explicit Recorder(std::string n, uint32_t every = 0) : name(std::move(n)) { interval = every; }
    ~Recorder() override { g_events.push_back("delete " + name); }
    void run() override {
        g_events.push_back("run " + name);
        elapsedSeen.push_back(elapsed);
        if (onRun) onRun();
    }
    std::string name;
    std::vector<float> elapsedSeen;
    std::function<void()> onRun;
};

std::vector<std::string> draws() {
    std::vector<std::string> out;
    for (auto& e : g_events)
        if (e.rfind("draw ", 0) == 0) out.push_back(e.substr(5));
    return out;
}

using Names = std::vector<std::string>;

class SceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        headlessReset();
        headlessPlatform().openWindow({});
        ASSERT_TRUE(createRenderScreen(800, 600, 16));
    }
    static void TearDownTestSuite() { destroyRenderScreen(); }
    void SetUp() override {
        g_events.clear();
        g_now = 1000;
        resetClock();
        setTickSource([] { return g_now; });
        appFlags = kwAppFlags{};
        sceneHooks = kwSceneHooks{};
        cursorSlot = kwCursorSlot{};
        scene = std::make_unique<kwScene>();
    }
    void TearDown() override {
        scene.reset();
        sceneHooks = kwSceneHooks{};
        cursorSlot = kwCursorSlot{};
        setTickSource(nullptr);
        logCaptureEnd();
    }
    std::unique_ptr<kwScene> scene;
};

TEST_F(SceneTest, ListsRefuseRepeatsAndHoldExactlyTheirCapacity) {
    std::vector<kwDrawable> many(kwScene::kMaxDrawables + 1);
    logCaptureBegin();
    for (uint32_t i = 0; i < kwScene::kMaxDrawables; ++i) ASSERT_TRUE(scene->addDrawable(&many[i]));
    EXPECT_FALSE(scene->addDrawable(&many[0]));
    EXPECT_FALSE(scene->addDrawable(&many.back()));
    EXPECT_NE(std::string(logCaptured()).find("kwScene::addDrawable - too many drawables!"),
              std::string::npos);
    scene->removeDrawable(&many[0]);
    EXPECT_EQ(scene->drawables[0], &many[1]);  // order kept
    EXPECT_EQ(scene->drawableCount, kwScene::kMaxDrawables - 1);

    auto* first = new kwScript;
    ASSERT_TRUE(scene->addScript(first));
    EXPECT_FALSE(scene->addScript(first));
    for (uint32_t i = 1; i < kwScene::kMaxScripts; ++i) ASSERT_TRUE(scene->addScript(new kwScript));
    auto refused = std::make_unique<kwScript>();  // stays ours
    EXPECT_FALSE(scene->addScript(refused.get()));
    EXPECT_NE(std::string(logCaptured()).find("kwScene::addScript - too many scripts!"),
              std::string::npos);
}

TEST_F(SceneTest, DrawsBackToFrontSkipsHiddenAndPutsTheCursorLast) {
    Probe front("front", -1000), mid("mid", 10), back("back", 500), twin("twin", 10);
    Probe hidden("hidden", 50), off("off", 50, false), nan("nan", std::nanf("")), cur("cursor", 9);
    hidden.visible = false;
    for (Probe* p : {&front, &mid, &hidden, &back, &off, &twin, &nan}) scene->addDrawable(p);
    EXPECT_FALSE(scene->addDrawable(&mid));
    cursorSlot = {&cur, 15, 15};
    sceneHooks.mouseX = [] { return int32_t(0); };
    sceneHooks.mouseY = [] { return int32_t(0); };
    scene->draw();
    EXPECT_EQ(draws(), (Names{"back", "mid", "twin", "nan", "front", "cursor"}));
    for (auto& e : g_events) EXPECT_EQ(e.find("hidden"), std::string::npos);
    EXPECT_EQ(cur.x, 15.0f);
    EXPECT_EQ(cur.y, -15.0f);
    EXPECT_FALSE(screen->isLocked());

    g_events.clear();
    cur.visible = false;
    scene->removeDrawable(&nan);
    scene->draw();
    EXPECT_EQ(draws(), (Names{"back", "mid", "twin", "front"}));
}

TEST_F(SceneTest, FailedLockOrNoScreenSkipsTheFrame) {
    Probe a("a", 1), cur("cursor", 0);
    scene->addDrawable(&a);
    cursorSlot = {&cur, 0, 0};
    logCaptureBegin();
    headlessFailNextLock();
    scene->draw();
    EXPECT_TRUE(draws().empty());
    EXPECT_NE(std::string(logCaptured()).find("kwScene::draw --> screen_bits = NULL\r\n"),
              std::string::npos);
    kwScreen* saved = std::exchange(screen, nullptr);
    scene->draw();
    screen = saved;
    EXPECT_TRUE(draws().empty());
    scene->draw();  // the next frame tries again
    EXPECT_EQ(draws(), (Names{"a", "cursor"}));
}

TEST_F(SceneTest, LosingTheFocusStopsDrawingAndUnlocks) {
    Probe a("a", 3), b("b", 2), cur("cursor", 0);
    scene->addDrawable(&a);
    scene->addDrawable(&b);
    cursorSlot = {&cur, 0, 0};
    appFlags.active = false;
    scene->draw();
    EXPECT_TRUE(g_events.empty());
    appFlags.active = true;
    a.loseFocus = true;
    scene->draw();
    EXPECT_EQ(draws(), (Names{"a"}));
    EXPECT_FALSE(screen->isLocked());
}

TEST_F(SceneTest, ScriptRunsWhenItsIntervalHasPassedWithTheRealGap) {
    auto* s = new Recorder("s", 100);  // lastRun = 1000
    scene->addScript(s);
    for (uint32_t t : {1099u, 1117u, 1216u, 1217u}) {
        g_now = t;
        scene->runScripts();
    }
    EXPECT_EQ(s->elapsedSeen, (std::vector<float>{117.0f, 100.0f}));

    g_now = 0xFFFFFFF0u;  // across the wrap of the clock
    s->lastRun = g_now;
    g_now = 0x54;
    scene->runScripts();
    EXPECT_EQ(s->elapsedSeen.back(), 100.0f);
}

TEST_F(SceneTest, FinishedScriptsGoAndLaterOnesStillRunInThePass) {
    auto* a = new Recorder("a");
    auto* b = new Recorder("b");
    b->onRun = [b, this] {
        b->state = kScriptFinished;
        scene->addScript(new Recorder("late"));
    };
    scene->addScript(a);
    scene->addScript(b);
    scene->addScript(new Recorder("c"));
    scene->runScripts();
    EXPECT_EQ(g_events, (Names{"run a", "run b", "delete b", "run c", "run late"}));
    EXPECT_EQ(scene->scriptCount, 3u);
}

TEST_F(SceneTest, PendingSwitchStopsThePass) {
    g_switch = false;
    sceneHooks.switchPending = [] { return g_switch; };
    auto* a = new Recorder("a");
    a->onRun = [a] {
        g_switch = true;
        a->state = kScriptFinished;  // not deleted: the pass stops first
    };
    scene->addScript(a);
    scene->addScript(new Recorder("b"));
    scene->runScripts();
    EXPECT_EQ(g_events, (Names{"run a"}));
    EXPECT_EQ(scene->scriptCount, 2u);
}

TEST_F(SceneTest, ResetAndClearManageArchiveScriptsAndMouse) {
    static int resets = 0;
    resets = 0;
    sceneHooks.resetMouse = [] { ++resets; };
    kwLinkedFileList* before = scene->archive.get();
    scene->addScript(new Recorder("s"));
    scene->reset();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(g_events.back(), "delete s");
    EXPECT_NE(scene->archive.get(), nullptr);
    EXPECT_NE(scene->archive.get(), before);
    EXPECT_STREQ(scene->name, "Glorious Scene");
    scene->addScript(new Recorder("t"));
    scene->clear();
    EXPECT_EQ(g_events.back(), "delete t");
    EXPECT_EQ(scene->archive, nullptr);
    EXPECT_FALSE(scene->attachImage(nullptr, "x"));  // no archive: no crash
}

TEST_F(SceneTest, AttachImageBindsFromTheArchiveOrTheGivenList) {
    auto px = testsprites::block(6, 4, 0xFFFF0000u);
    auto payload = encodeEyeRle(px.data(), 6, 4, {.x = 12, .y = -3, .depth = 42});
    auto* file = makeLinkedFile("pic.eye", payload).release();
    scene->archive->append(file);

    kwEyeTransparency img, other;
    EXPECT_FALSE(scene->attachImage(&img, "missing.eye"));
    EXPECT_EQ(img.file, nullptr);
    EXPECT_TRUE(scene->attachImage(&img, "PIC.EYE"));
    EXPECT_EQ(scene->lastFile, file);
    EXPECT_EQ(img.width, 6);
    EXPECT_EQ(img.depth, 42.0f);
    EXPECT_EQ(scene->drawableCount, 0u);
    EXPECT_TRUE(scene->attachImageAndAdd(&img, "pic.eye"));
    EXPECT_TRUE(scene->attachImageAndAdd(&img, "pic.eye"));  // listed once, still bound
    EXPECT_EQ(scene->drawableCount, 1u);
    kwLinkedFileList empty;
    EXPECT_FALSE(scene->attachImageAndAdd(&other, "pic.eye", &empty));
    EXPECT_EQ(scene->drawableCount, 1u);
}

}  // namespace
