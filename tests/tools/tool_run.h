// Runs the built lfl program in a fresh temporary folder and collects its
// exit status and output, for the command-line tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct ToolRun {
    int status = -1;
    std::string out, err;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LflFixture : public testing::Test {
protected:
    explicit LflFixture(const char* folderPrefix) : prefix(folderPrefix) {}

    void SetUp() override {
        ASSERT_FALSE(testing::TempDir().empty());
        dir = testing::TempDir() + "/" + prefix + std::to_string(getpid());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    ToolRun lfl(const std::string& args) {
        const std::string out = dir + "/.out", err = dir + "/.err";
        const std::string cmd =
            std::string("'") + GG_BINARY_DIR "/lfl' " + args + " >'" + out + "' 2>'" + err + "'";
        ToolRun r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }

    std::string prefix;
    std::string dir;  // derived fixtures must not declare their own
};
