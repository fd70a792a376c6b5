// Whole-game runs through the headless runner: start-up to shutdown, the
// timed script, focus, quitting and the settings record on disk.
#include "app/runner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/runner_script.h"
#include "png_reader.h"

namespace fs = std::filesystem;

namespace {
class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) /
              ("runner_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir / "data");
        opts.app.dataDir = (dir / "data").string();
        opts.app.settingsDir = (dir / "state").string();
        opts.app.logPath = (dir / "gobble.log").string();
        opts.app.haveSeed = true;
        opts.app.seed = 1;
        opts.dumpPath = (dir / "dump.json").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dump() { return read(dir / "dump.json"); }

    fs::path dir;
    kwRunnerOptions opts;
};

bool contains(const std::string& hay, const std::string& needle) {
    return hay.find(needle) != std::string::npos;
}
}  // namespace

TEST_F(RunnerTest, RunsTheRequestedFramesThenShutsDownAndSaves) {
    opts.frames = 10;
    ASSERT_EQ(runHeadless(opts), 0);
    std::string d = dump();
    EXPECT_TRUE(contains(d, "\"scene\":\"menu\"")) << d;
    EXPECT_TRUE(contains(d, "\"frames\":10")) << d;
    EXPECT_TRUE(contains(d, "\"gameTime\":160")) << d;
    EXPECT_TRUE(contains(d, "\"playerName\":[\"player 1\",\"player 2\",\"player 3\"]")) << d;
    EXPECT_TRUE(contains(d, "{\"name\":\"Sparkly\",\"skill\":1,\"level\":4,\"score\":10000}")) << d;
    EXPECT_TRUE(
        contains(d, "\"cursor\":{\"x\":640,\"y\":410,\"hotX\":15,\"hotY\":15,\"carrying\":false}"))
        << d;  // the menu puts the pointer at (240, -110)

    EXPECT_EQ(fs::file_size(dir / "state" / "ggdt_rec.tmp"), 185u);
    std::string log = read(dir / "gobble.log");
    EXPECT_EQ(log.rfind("*** Application begins ***\r\n\r\n", 0), 0u);
    size_t order[] = {log.find("Init Instance... ok"),
                      log.find("Video Screen Initialized to 800x600x16"),
                      log.find("Init Video Screen... ok"),
                      log.find("Input initialized ok"),
                      log.find("Read global lfl"),
                      log.find("InitGlobalGraphics complete"),
                      log.find("Exiting Application\r\n\r\n")};
    for (size_t i = 0; i < std::size(order); ++i) {
        ASSERT_NE(order[i], std::string::npos) << i << "\n" << log;
        if (i) {
            EXPECT_LT(order[i - 1], order[i]) << i;
        }
    }
}

TEST_F(RunnerTest, EscapeInTheMenuQuitsBeforeTheFrameLimit) {
    opts.frames = 1000;
    opts.scriptText = "100 key escape\n";
    ASSERT_EQ(runHeadless(opts), 0);
    std::string d = dump();
    // Escape lands at 112 ms (frame 7); the menu's 30 ms input script sees it
    // within two runs and the quit frame follows.
    EXPECT_FALSE(contains(d, "\"frames\":1000")) << d;
    EXPECT_EQ(fs::file_size(dir / "state" / "ggdt_rec.tmp"), 185u);
}

TEST_F(RunnerTest, ScriptQuitEndsARunWithoutAFrameLimit) {
    opts.scriptText = "# quit after half a second\n500 quit\n";
    ASSERT_EQ(runHeadless(opts), 0);
    EXPECT_TRUE(contains(dump(), "\"frames\":32")) << dump();
}

TEST_F(RunnerTest, NoFrameRunsWithoutFocusButTheClockGoesOn) {
    opts.frames = 20;
    opts.scriptText = "40 focus off\n200 focus on\n";
    ASSERT_EQ(runHeadless(opts), 0);
    std::string d = dump();
    // Steps at 48..192 ms run no frame (10 of the 20 steps).
    EXPECT_TRUE(contains(d, "\"frames\":10")) << d;
    EXPECT_TRUE(contains(d, "\"gameTime\":320")) << d;
}

TEST_F(RunnerTest, ScreenshotsAndDumpsOnRequest) {
    opts.frames = 5;
    opts.screenshots.emplace_back(3, (dir / "three.png").string());
    opts.scriptText = "40 dump " + (dir / "mid.json").string() + "\n";
    ASSERT_EQ(runHeadless(opts), 0);
    std::string png = read(dir / "three.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_TRUE(contains(read(dir / "mid.json"), "\"frames\":2"));
}

TEST_F(RunnerTest, MenuDrawsTheStripesOnEveryLine) {
    opts.frames = 2;
    opts.screenshots.emplace_back(2, (dir / "menu.png").string());
    ASSERT_EQ(runHeadless(opts), 0);
    pngtest::Decoded png = pngtest::decode(read(dir / "menu.png"));
    ASSERT_EQ(png.width, 800u);
    ASSERT_EQ(png.height, 600u);
    auto white = [&](int x, int y) {
        const uint8_t* p = &png.rgb[(size_t(y) * 800 + x) * 3];
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    };
    // White stripes from pixel 0 (shifted right by at most a pixel or two),
    // cream from about pixel 50, on the top and bottom lines alike.
    for (int y : {0, 599}) {
        EXPECT_TRUE(white(25, y)) << y;
        EXPECT_FALSE(white(75, y)) << y;
    }
}

// The generated archives hold every name the game loads: a run through the
// menu into play on the build's data logs no missing file.
TEST_F(RunnerTest, GeneratedDataHoldsEverythingTheGameLoads) {
    opts.app.dataDir = GG_BINARY_DIR "/data";
    ASSERT_TRUE(fs::exists(opts.app.dataDir + "/menu.lfl")) << "the build generates data/";
    opts.scriptText = "100 move 686 563\n200 click 686 563\n900 screenshot " +
                      (dir / "play.png").string() + "\n1000 quit\n";  // PLAY! at bottom right
    ASSERT_EQ(runHeadless(opts), 0);
    EXPECT_TRUE(contains(dump(), "\"scene\":\"play\"")) << dump();
    const std::string log = read(dir / "gobble.log");
    for (const char* missing : {"unable to find", "could not load", "missing or unusable"})
        EXPECT_EQ(log.find(missing), std::string::npos) << missing << "\n" << log;
}

TEST_F(RunnerTest, AnUnreadableScriptFailsBeforeStarting) {
    opts.scriptPath = (dir / "missing.txt").string();
    EXPECT_EQ(runHeadless(opts), 2);
    opts.scriptPath.clear();
    opts.scriptText = "100 jump 3 4\n";
    EXPECT_EQ(runHeadless(opts), 2);
    EXPECT_FALSE(fs::exists(dir / "state" / "ggdt_rec.tmp"));
}

TEST(RunnerScript, ParsesEveryActionAndSortsByTime) {
    std::vector<kwScriptAction> a;
    std::string err;
    ASSERT_TRUE(
        parseRunnerScript("300 click 10 20  # left\n"
                          "100 move 799 599\n"
                          "\n   # only a comment\n"
                          "200 rclick 0 0\n"
                          "200 key delete\n"
                          "400 char a#b\\r\\b\\t\\\\\n"
                          "500 focus off\n"
                          "600 screenshot shot one.png\n"
                          "700 dump d.json\n"
                          "800 quit\n",
                          &a, &err))
        << err;
    ASSERT_EQ(a.size(), 9u);
    EXPECT_EQ(a[0].kind, kwActionKind::Move);
    EXPECT_EQ(a[0].x, 799);
    EXPECT_EQ(a[1].kind, kwActionKind::RightClick);  // same time: file order kept
    EXPECT_EQ(a[2].key, kwKey::Delete);
    EXPECT_EQ(a[3].kind, kwActionKind::Click);
    EXPECT_EQ(a[4].text, std::string("a#b\r\b\t\\"));
    EXPECT_FALSE(a[5].on);
    EXPECT_EQ(a[6].text, "shot one.png");
    EXPECT_EQ(a[8].kind, kwActionKind::Quit);

    // Windows line endings change nothing: no stray carriage return typed or
    // in a name, however many there are.
    ASSERT_TRUE(parseRunnerScript("400 char ab\r\n600 screenshot s.png\r\r\n", &a, &err)) << err;
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].text, "ab");
    EXPECT_EQ(a[1].text, "s.png");
}

TEST(RunnerScript, RefusesMalformedLinesNamingTheLine) {
    std::vector<kwScriptAction> a;
    std::string err;
    for (const char* bad : {"10 move 800 0", "10 click -1 5", "x quit", "-5 quit", "10 key space",
                            "10 focus maybe", "10 char \\q", "10 screenshot", "10 move 3"}) {
        EXPECT_FALSE(parseRunnerScript(std::string("0 quit\n") + bad + "\n", &a, &err)) << bad;
        EXPECT_NE(err.find("line 2"), std::string::npos) << err;
    }
}
