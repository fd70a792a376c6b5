// A save that never finishes: the game killed in the middle of writing, a
// disk that fills up mid-record, the leftovers such crashes leave. The
// previous record survives whole every time, and the next start ignores and
// clears what the crash left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "fault_run.h"
#include "shell/game_state.h"
#include "shell/log.h"

namespace fault {
namespace {

constexpr int kKills = 48;
constexpr int kSavesSpanned = 6;  // kill moments spread over about this many saves
constexpr int kTimedSaves = 5;
constexpr long kForkAllowanceUs = 300;
constexpr rlim_t kDiskRoom = 100;  // bytes a file may grow to: less than a record

bool has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

// The files in a folder other than the record.
std::vector<std::string> othersIn(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename() != "ggdt_rec.tmp") out.push_back(e.path().filename().string());
    return out;
}

// A process id that was just in use and is now free.
pid_t deadPid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

class SaveCrash : public FaultRun {
protected:
    void SetUp() override {
        FaultRun::SetUp();
        oldRecord = rec::reference();
        newRecord = oldRecord;
        rec::putText(newRecord, rec::name(0), rec::kNameField, "Newcomer");
        rec::putI32(newRecord, rec::kMusicVolume, 9);
        oldState = stateFrom(oldRecord);
        newState = stateFrom(newRecord);
        writeRecord(oldRecord);
        setSettingsFolder(stateDir.string());
    }
    void TearDown() override {
        setSettingsFolder("");
        gameState = kwGameState{};
        FaultRun::TearDown();
    }
    // The game state a record loads as (in a folder of its own).
    kwGameState stateFrom(const std::vector<uint8_t>& bytes) {
        const fs::path scratch = dir / "scratch";
        fs::create_directories(scratch);
        writeFile(scratch / "ggdt_rec.tmp", bytes);
        gameState = kwGameState{};
        setSettingsFolder(scratch.string());
        loadSettingsRecord();
        fs::remove_all(scratch);
        return gameState;
    }

    std::vector<uint8_t> oldRecord, newRecord;
    kwGameState oldState, newState;
};

// The two states save as exactly the two records; without this the checks
// below could not tell a torn record from a good one.
TEST_F(SaveCrash, TheTwoStatesSaveAsTheTwoRecords) {
    gameState = newState;
    saveSettingsRecord();
    EXPECT_EQ(readBytes(recordPath()), newRecord);
    gameState = oldState;
    saveSettingsRecord();
    EXPECT_EQ(readBytes(recordPath()), oldRecord);
    EXPECT_TRUE(othersIn(stateDir).empty());
}

// A child saves the two states in turn as fast as it can and is killed at
// moments spread over several saves. After each kill the record is one of
// the two, whole. Then the game starts on what is left: it loads that
// record, clears the crashed saves' leftovers and saves a valid record.
TEST_F(SaveCrash, KilledMidSaveTheRecordIsAlwaysWholeOldOrNew) {
    // How long one save takes here (fsync makes it the disk's time).
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kTimedSaves; ++i) {
        gameState = (i & 1) ? oldState : newState;
        saveSettingsRecord();
    }
    const long saveUs = long(std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count()) /
                        kTimedSaves;
    const long spreadUs = kSavesSpanned * std::max(saveUs, 1L);
    int oldSeen = 0, newSeen = 0, leftovers = 0;
    for (int k = 0; k < kKills; ++k) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (uint32_t n = 0;; ++n) {
                gameState = (n & 1) ? oldState : newState;
                saveSettingsRecord();
            }
        }
        usleep(useconds_t(kForkAllowanceUs + k * spreadUs / kKills));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::vector<uint8_t> now = readBytes(recordPath());
        ASSERT_TRUE(now == oldRecord || now == newRecord)
            << "kill " << k << ": a torn record of " << now.size() << " bytes";
        (now == oldRecord ? oldSeen : newSeen)++;
        leftovers = int(othersIn(stateDir).size());
    }
    RecordProperty("microsecondsPerSave", int(saveUs));
    RecordProperty("oldRecords", oldSeen);
    RecordProperty("newRecords", newSeen);
    RecordProperty("leftoverTemporaryFiles", leftovers);

    const bool isNew = readBytes(recordPath()) == newRecord;
    const Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, isNew ? "\"Newcomer\"" : "\"Ann\"")) << w.menu;
    if (leftovers > 0) {
        EXPECT_TRUE(has(w.log, "kwGameState::loadSettingsRecord - removed the leftover")) << w.log;
    }
    EXPECT_TRUE(othersIn(stateDir).empty()) << othersIn(stateDir).front();
    expectValidSave(w);
}

// What a crash leaves: a half-written temporary file, and one written whole
// but never renamed. Neither is the record: the old one is loaded. They are
// cleared once their writer is gone; a running writer's file and files of
// other names stay.
TEST_F(SaveCrash, ACrashedSavesLeftoversAreIgnoredAndCleared) {
    const std::string dead = "ggdt_rec.tmp." + std::to_string(deadPid());
    writeFile(stateDir / (dead + ".0"), {newRecord.begin(), newRecord.begin() + 100});
    writeFile(stateDir / (dead + ".1"), newRecord);
    writeFile(stateDir / "ggdt_rec.tmp.1.0", newRecord);  // process 1 runs as long as we do
    writeFile(stateDir / "ggdt_rec.tmp.bak", newRecord);  // the user's
    const Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, "\"Ann\"")) << w.menu;
    EXPECT_FALSE(fs::exists(stateDir / (dead + ".0")));
    EXPECT_FALSE(fs::exists(stateDir / (dead + ".1")));
    EXPECT_TRUE(fs::exists(stateDir / "ggdt_rec.tmp.1.0"));
    EXPECT_TRUE(fs::exists(stateDir / "ggdt_rec.tmp.bak"));
    EXPECT_TRUE(has(w.log,
                    "kwGameState::loadSettingsRecord - removed the leftover of an "
                    "interrupted save " +
                        dead + ".0"))
        << w.log;
    expectValidSave(w);
}

// The disk fills up in the middle of the record: the save fails and says
// so, leaves no partial file, and the previous record is untouched; the next
// start loads it.
TEST_F(SaveCrash, ADiskFullMidRecordKeepsThePreviousRecord) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFds[0]);
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit room{kDiskRoom, kDiskRoom};
        setrlimit(RLIMIT_FSIZE, &room);
        logCaptureBegin();
        gameState = newState;
        saveSettingsRecord();
        const std::string log = logCaptured();
        const ssize_t ignored = write(pipeFds[1], log.data(), log.size());
        (void)ignored;
        _exit(0);
    }
    close(pipeFds[1]);
    std::string log;
    char buf[512];
    for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;) log.append(buf, size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(has(log, "kwGameState::saveSettingsRecord - could not write")) << log;
    EXPECT_EQ(readBytes(recordPath()), oldRecord);
    EXPECT_TRUE(othersIn(stateDir).empty());

    const Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, "\"Ann\"")) << w.menu;
    expectValidSave(w);
}

}  // namespace
}  // namespace fault
