// The scene manager: immediate and delayed requests and how they block each
// other, the order of a switch, the input reset on every switch, and a
// script's request stopping the rest of its frame.
#include "shell/scene_manager.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "render/screen.h"
#include "shell/clock.h"

namespace {

using Names = std::vector<std::string>;
Names g_log;

class Step : public kwScript {
public:
    Step(std::string n, std::function<void()> f) : name(std::move(n)), action(std::move(f)) {
        interval = 0;
    }
    void run() override {
        g_log.push_back("run " + name);
        if (action) action();
    }
    std::string name;
    std::function<void()> action;
};

class TestScene : public kwScene {
public:
    explicit TestScene(std::string n) : label(std::move(n)) {}
    void enter() override {
        kwScene::enter();
        g_log.push_back("enter " + label);
        for (auto& [name, action] : onEnter) addScript(new Step(name, action));
    }
    void leave() override {
        g_log.push_back("leave " + label + " scripts=" + std::to_string(scriptCount));
        kwScene::leave();
    }
    std::string label;
    std::vector<std::pair<std::string, std::function<void()>>> onEnter;
};

class SceneManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        headlessReset();
        headlessPlatform().openWindow({});
        ASSERT_TRUE(createRenderScreen(800, 600, 16));
    }
    static void TearDownTestSuite() { destroyRenderScreen(); }
    void SetUp() override {
        headlessReset();
        resetClock();
        setTickSource(headlessTime);
        headlessSetTime(10000);
        ASSERT_TRUE(initInput());
        g_log.clear();
        manager = std::make_unique<kwSceneManager>();
    }
    void TearDown() override {
        manager.reset();
        shutdownInput();
        setTickSource(nullptr);
        resetClock();
    }
    void tickAfter(uint32_t ms) {
        headlessAdvance(ms);
        manager->tick();
    }
    std::unique_ptr<kwSceneManager> manager;
    TestScene first{"first"}, second{"second"};
};

TEST_F(SceneManagerTest, DelayedRequestBlocksOthersUntilItFires) {
    manager->requestSceneAfter(&first, 500);
    manager->requestScene(&second);
    manager->requestSceneAfter(&second, 10);
    tickAfter(499);
    EXPECT_EQ(manager->current, nullptr);
    tickAfter(1);
    EXPECT_EQ(manager->current, &first);
    manager->requestScene(&second);  // no longer blocked
    tickAfter(0);
    EXPECT_EQ(manager->current, &second);
}

TEST_F(SceneManagerTest, ImmediateRequestsWinOverLaterDelayedOnesAndEachOther) {
    manager->requestScene(&first);
    manager->requestSceneAfter(&second, 0);  // dropped
    tickAfter(0);
    EXPECT_EQ(manager->current, &first);
    tickAfter(1000);
    EXPECT_EQ(manager->current, &first);
    manager->requestScene(&second);
    manager->requestScene(&first);
    tickAfter(0);
    EXPECT_EQ(manager->current, &first);
    EXPECT_EQ(manager->pending, nullptr);
}

TEST_F(SceneManagerTest, DelayedRequestCountsGameTimeAcrossPauseAndWrap) {
    manager->requestSceneAfter(&first, 100);
    pauseClock();
    tickAfter(5000);
    EXPECT_EQ(manager->current, nullptr);
    resumeClock();
    tickAfter(99);
    EXPECT_EQ(manager->current, nullptr);
    tickAfter(1);
    EXPECT_EQ(manager->current, &first);

    resetClock();
    headlessSetTime(0xFFFFFF00u);
    manager->requestSceneAfter(&second, 0x200);
    headlessSetTime(0xFF);
    manager->tick();
    EXPECT_EQ(manager->current, &first);
    tickAfter(1);
    EXPECT_EQ(manager->current, &second);
}

TEST_F(SceneManagerTest, SwitchLeavesClearsResetsEntersThenRunsTheNewScene) {
    first.onEnter = {{"a", {}}};
    second.onEnter = {{"b", {}}};
    manager->requestScene(&first);
    tickAfter(0);
    manager->requestScene(&second);
    tickAfter(0);
    EXPECT_EQ(g_log,
              (Names{"enter first", "run a", "leave first scripts=1", "enter second", "run b"}));
    EXPECT_EQ(first.archive, nullptr);
    EXPECT_NE(second.archive, nullptr);

    g_log.clear();
    manager->requestScene(&second);  // the current scene is entered again
    tickAfter(0);
    EXPECT_EQ(g_log, (Names{"leave second scripts=1", "enter second", "run b"}));
}

TEST_F(SceneManagerTest, ScriptRequestsStopTheFrameOnlyWhenImmediate) {
    first.onEnter = {{"later", [this] { manager->requestSceneAfter(&second, 300); }}, {"more", {}}};
    second.onEnter = {{"now", [this] { manager->requestScene(&first); }}, {"after", {}}};
    manager->requestScene(&first);
    tickAfter(0);
    EXPECT_EQ(g_log, (Names{"enter first", "run later", "run more"}));
    g_log.clear();
    tickAfter(300);
    EXPECT_EQ(g_log, (Names{"leave first scripts=2", "enter second", "run now"}));
    EXPECT_EQ(manager->current, &second);  // the switch waits for the next tick
    tickAfter(0);
    EXPECT_EQ(manager->current, &first);
}

TEST_F(SceneManagerTest, EverySwitchDropsClicksAndKeysAndRecentresThePointer) {
    bool sawClick = false;
    first.onEnter = {{"input", [&] { sawClick = sawClick || mouse->isClicked(0); }}};
    manager->requestScene(&first);
    tickAfter(0);
    headlessMoveMouse(10, 20);
    headlessButton(0, true);
    tickAfter(0);
    EXPECT_TRUE(sawClick);  // polled before the scripts ran
    keyboard->onChar('x');
    keyboard->onLeft();
    manager->requestScene(&second);
    tickAfter(0);
    EXPECT_FALSE(mouse->isClicked(0));
    EXPECT_EQ(keyboard->takeChar(false), 0u);
    EXPECT_FALSE(keyboard->takeLeft(false));
    EXPECT_EQ(mouseX(), 0);
    EXPECT_EQ(mouseY(), 0);
}

}  // namespace
