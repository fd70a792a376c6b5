// A whole game through the headless runner for a test: its own folder (the
// tests run in parallel processes), the generated data, a fixed seed, and
// timed dumps read back as text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/runner.h"

// Presses PLAY! on the menu.
inline constexpr const char* kStartPlay = "100 move 686 563\n200 click 686 563\n";

class GameRun : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::path(::testing::TempDir()) /
              (std::string(info->test_suite_name()) + "_" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        opts.app.dataDir = GG_BINARY_DIR "/data";
        opts.app.settingsDir = (dir / "state").string();
        opts.app.logPath = (dir / "gobble.log").string();
        opts.app.haveSeed = true;
        opts.app.seed = 9;
        opts.dumpPath = (dir / "end.json").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A script line dumping the state at `ms` into `name`.
    std::string dumpAt(uint32_t ms, const std::string& name) const {
        return std::to_string(ms) + " dump " + (dir / name).string() + "\n";
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir;
    kwRunnerOptions opts;
};
