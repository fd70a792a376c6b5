// The data folder damaged: gone, one archive missing, cut short or with
// bytes flipped. The game starts, walks every screen, logs what it refused
// and carries on without it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>

#include "fault_run.h"

namespace fault {
namespace {

constexpr size_t kRecordHeader = 36;
constexpr size_t kEyeHeader = 84;
constexpr size_t kGarbageLength = 300;

class DataFaults : public FaultRun {};

// The walk itself, on intact data: nothing refused, the turn really
// played. Without this the fault runs below would prove little.
TEST_F(DataFaults, IntactDataWalksEveryScreenWithoutARefusal) {
    const Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(refusals(w.log).empty()) << w.log;
    EXPECT_NE(w.play.find("\"scene\":\"play\""), std::string::npos) << w.play;
    EXPECT_EQ(number(w.play, "playPhase"), 2) << w.play;
    EXPECT_NE(w.end.find("\"scene\":\"menu\""), std::string::npos) << w.end;
}

// The archives broken one by one below are exactly those the build makes:
// a new archive cannot slip past the fault runs unnoticed.
TEST_F(DataFaults, TheArchiveListIsWhatTheBuildMakes) {
    std::set<std::string> made, listed(gameArchives().begin(), gameArchives().end());
    for (const auto& e : fs::directory_iterator(GG_BINARY_DIR "/data"))
        if (e.path().extension() == ".lfl") made.insert(e.path().filename().string());
    EXPECT_EQ(made, listed);
}

// No data at all: every archive is refused by name, nothing is drawn but the
// game still runs its frames and shuts down in order. A regular file where the
// folder should be is the same case.
TEST_F(DataFaults, NoDataFolderRefusesEveryArchiveAndRunsOn) {
    for (const char* kind : {"missing", "a file"}) {
        SCOPED_TRACE(kind);
        const fs::path where = dir / (std::string(kind) == "missing" ? "nowhere" : "plain");
        if (std::string(kind) != "missing") writeFile(where, {1, 2, 3});
        opts.app.dataDir = where.string();
        const Walk w = walk();
        expectOrderly(w);
        for (const char* archive :
             {"st_cursor.lfl", "font.lfl", "menu.lfl", "sub_hs.lfl", "sfx.lfl"})
            EXPECT_TRUE(w.log.find("kwLinkedFileList::add_lfl - could not load " +
                                   std::string(archive)) != std::string::npos)
                << archive << "\n"
                << w.log;
        EXPECT_GT(number(w.end, "frames"), 400) << w.end;
    }
}

// A record missing from its archive is looked for as a loose file of its
// name. What lies there may be anything: a FIFO (must not hang the start),
// a folder, an empty file, a good header over garbage (the arrow cursor,
// drawn from the first frame). Each is refused by name and logged.
TEST_F(DataFaults, LooseFilesOfEveryKindStandInForMissingRecords) {
    const fs::path data = copyData();
    const std::vector<uint8_t> archive = readBytes(data / "st_cursor.lfl");
    const std::string fifo = "a_clickable_cursor_m_02.msk", folder = "b_clickable_cursor_03.eye",
                      empty = "a_clickable_cursor_04.eye", garbage = "b_arrow_cursor_01.eye";
    std::vector<uint8_t> kept, garbageBytes;
    for (const ArchiveRecord& r : archiveRecords(archive)) {
        const auto record = archive.begin() + ptrdiff_t(r.offset);
        if (r.name == garbage) {
            garbageBytes.assign(record + kRecordHeader, record + kRecordHeader + kEyeHeader);
            garbageBytes.resize(kGarbageLength, 0xA5);
        }
        if (r.name != fifo && r.name != folder && r.name != empty && r.name != garbage)
            kept.insert(kept.end(), record, record + ptrdiff_t(r.size));
    }
    ASSERT_FALSE(garbageBytes.empty());
    writeFile(data / "st_cursor.lfl", kept);
    ASSERT_EQ(mkfifo((data / fifo).c_str(), 0600), 0);
    fs::create_directories(data / folder);
    writeFile(data / empty, {});
    writeFile(data / garbage, garbageBytes);
    const Walk w = walk();
    expectOrderly(w);
    for (const std::string& name : {fifo, folder, empty, garbage})
        EXPECT_NE(w.log.find(name), std::string::npos) << name << "\n" << w.log;
    EXPECT_EQ(number(w.play, "playPhase"), 2) << w.play;
}

}  // namespace
}  // namespace fault
