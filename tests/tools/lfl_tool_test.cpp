// The lfl command run as a program: pack/list/extract round trips, usage
// and exit codes, and extraction that never writes outside its folder.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/lfl_writer.h"
#include "tool_run.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class LflTool : public LflFixture {
protected:
    LflTool() : LflFixture("gg_lfl_tool_") {}
    std::string file(const std::string& name, const std::string& content) {
        const std::string path = dir + "/" + name;
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
};

}  // namespace

TEST_F(LflTool, PackListExtractRoundTrip) {
    const std::string a = file("in/sprite.eye", std::string("\0\1\2", 3));
    const std::string b = file("in/other/click_01.noi", "sound!");
    const std::string e = file("in/empty.msk", "");
    ToolRun r = lfl("pack '" + dir + "/t.lfl' '" + a + "' '" + b + "' '" + e + "'");
    ASSERT_EQ(r.status, 0) << r.err;

    // The tool writes exactly what the shared writer writes.
    const std::string packed = slurp(dir + "/t.lfl");
    ASSERT_TRUE(
        writeArchive(dir + "/ref.lfl", {{"sprite.eye", Bytes{0, 1, 2}},
                                        {"click_01.noi", Bytes{'s', 'o', 'u', 'n', 'd', '!'}},
                                        {"empty.msk", {}}}));
    EXPECT_EQ(packed, slurp(dir + "/ref.lfl"));

    r = lfl("list '" + dir + "/t.lfl'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "sprite.eye\t3\nclick_01.noi\t6\nempty.msk\t0\n");

    r = lfl("extract '" + dir + "/t.lfl' '" + dir + "/out'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(dir + "/out/sprite.eye"), std::string("\0\1\2", 3));
    EXPECT_EQ(slurp(dir + "/out/click_01.noi"), "sound!");
    EXPECT_TRUE(fs::exists(dir + "/out/empty.msk"));
    EXPECT_EQ(fs::file_size(dir + "/out/empty.msk"), 0u);
}

TEST_F(LflTool, UsageAndErrors) {
    ToolRun r = lfl("");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("usage: lfl"), std::string::npos);
    r = lfl("frobnicate x");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("usage: lfl"), std::string::npos);
    r = lfl("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("extract ARCHIVE DIR"), std::string::npos);

    EXPECT_NE(lfl("list").status, 0);
    EXPECT_NE(lfl("pack '" + dir + "/x.lfl'").status, 0);
    r = lfl("list '" + dir + "/missing.lfl'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("missing.lfl"), std::string::npos);

    // A base name too long for a record refuses the whole pack.
    const std::string longName = file(std::string(32, 'n'), "x");
    r = lfl("pack '" + dir + "/x.lfl' '" + longName + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(fs::exists(dir + "/x.lfl"));
    EXPECT_NE(lfl("pack '" + dir + "/x.lfl' '" + dir + "/nofile'").status, 0);
    EXPECT_NE(lfl("pack '" + dir + "/x.lfl' '" + dir + "'").status, 0);  // a folder
}

TEST_F(LflTool, ListShowsRecordsBeforeDamage) {
    Bytes bytes = lflRecord("first.eye", Bytes{1, 2});
    Bytes bad = lflRecord("second.eye", Bytes(10, 0));
    bad.erase(bad.end() - 4, bad.end());  // its size now runs past the end
    bytes.insert(bytes.end(), bad.begin(), bad.end());
    std::ofstream(dir + "/bad.lfl", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ToolRun r = lfl("list '" + dir + "/bad.lfl'");
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.out, "first.eye\t2\n");
    EXPECT_NE(r.err.find("kwLinkedFileList::add_flf - the file is corrupt"), std::string::npos);
    // Extraction refuses a damaged archive outright.
    EXPECT_NE(lfl("extract '" + dir + "/bad.lfl' '" + dir + "/o'").status, 0);
    EXPECT_FALSE(fs::exists(dir + "/o/first.eye"));
}

TEST_F(LflTool, ExtractNeverWritesOutsideItsFolder) {
    // Unsafe names can only come from hand-made archives: build the records directly.
    auto raw = [](const std::string& name, const std::string& payload) {
        Bytes r(36 + payload.size(), 0);
        std::copy(name.begin(), name.end(), r.begin());
        const uint32_t size = uint32_t(r.size());
        for (int i = 0; i < 4; ++i) r[32 + i] = uint8_t(size >> (8 * i));
        std::copy(payload.begin(), payload.end(), r.begin() + 36);
        return r;
    };
    Bytes arc;
    for (const auto& rec :
         {raw("../escape.txt", "bad"), raw("sub/x.txt", "bad"), raw("..", "bad"),
          raw("ok.txt", "good"), raw("OK.TXT", "shadowed"), raw("link.txt", "via link")})
        arc.insert(arc.end(), rec.begin(), rec.end());
    std::ofstream(dir + "/evil.lfl", std::ios::binary)
        .write(reinterpret_cast<const char*>(arc.data()), std::streamsize(arc.size()));
    fs::create_directories(dir + "/out/sub");
    file("target.txt", "untouched");
    fs::create_symlink(dir + "/target.txt", dir + "/out/link.txt");

    ToolRun r = lfl("extract '" + dir + "/evil.lfl' '" + dir + "/out'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("../escape.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir + "/escape.txt"));
    EXPECT_FALSE(fs::exists(dir + "/out/sub/x.txt"));
    EXPECT_EQ(slurp(dir + "/out/ok.txt"), "good");  // the first of two equal names
    EXPECT_FALSE(fs::exists(dir + "/out/OK.TXT"));
    EXPECT_EQ(slurp(dir + "/target.txt"), "untouched");  // the planted link was not followed
}
