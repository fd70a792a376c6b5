// The settings folder as a user's machine may have it: missing, not
// writable, impossible to create, a symbolic link, or with links where the
// record and the log go. The game starts and walks every screen; it never
// reads or writes through a link, and a save it cannot make is logged and
// leaves the previous record as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "fault_run.h"
#include "shell/game_state.h"
#include "shell/log.h"

namespace fault {
namespace {

constexpr const char* kReferenceNames = "\"playerName\":[\"Ann\",\"Bob\",\"Cy\"]";
constexpr const char* kDefaultNames = "\"playerName\":[\"player 1\",\"player 2\",\"player 3\"]";

bool has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    return lstat(p.c_str(), &st) == 0 ? st.st_mode : 0;
}

// Every file under a folder with its bytes, to see that nothing changed.
std::string snapshot(const fs::path& folder) {
    std::string s;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        s += e.path().string() + "=" + readFile(e.path()) + "\n";
    return s;
}

class SettingsFolderFaults : public FaultRun {
protected:
    // A folder elsewhere holding a good record with names of its own.
    fs::path elsewhereWithARecord() {
        const fs::path other = dir / "elsewhere";
        fs::create_directories(other);
        std::vector<uint8_t> r = rec::reference();
        rec::putText(r, rec::name(0), rec::kNameField, "Mallory");
        writeFile(other / "ggdt_rec.tmp", r);
        return other;
    }
    // A walk with the log where the game puts it by itself (the settings
    // folder), its lines captured here as well.
    Walk walkWithDefaultLog() {
        opts.app.logPath.clear();
        logCaptureBegin();
        Walk w = walk();
        w.log = logCaptured();
        logCaptureEnd();
        return w;
    }
};

// Missing, with missing parents, under XDG_STATE_HOME: made private, the
// record private in it, the log beside it.
TEST_F(SettingsFolderFaults, AMissingFolderIsCreatedPrivate) {
    const char* kept = std::getenv("XDG_STATE_HOME");
    const std::string keptValue = kept ? kept : "";
    setenv("XDG_STATE_HOME", (dir / "x" / "y").c_str(), 1);
    opts.app.settingsDir.clear();
    setSettingsFolder("");
    stateDir = dir / "x" / "y" / "gobble-garden";
    const Walk w = walkWithDefaultLog();
    kept ? (void)setenv("XDG_STATE_HOME", keptValue.c_str(), 1) : (void)unsetenv("XDG_STATE_HOME");
    expectOrderly(w);
    EXPECT_EQ(modeOf(stateDir) & 0777, 0700u);
    EXPECT_EQ(modeOf(stateDir / "gobble.log") & 0777, 0600u);
    EXPECT_TRUE(has(readFile(stateDir / "gobble.log"), "Exiting Application"));
    expectValidSave(w);
}

// Without write permission the record is still read, the save is refused
// and logged, and the record is left exactly as it was. Permission bits do
// not stop root: there the case cannot be made this way.
TEST_F(SettingsFolderFaults, AFolderWithoutWritePermissionKeepsThePreviousRecord) {
    writeRecord(rec::reference());
    fs::permissions(stateDir, fs::perms::owner_read | fs::perms::owner_exec,
                    fs::perm_options::replace);
    const bool bitsHold = access(stateDir.c_str(), W_OK) != 0;
    if (!bitsHold) {
        fs::permissions(stateDir, fs::perms::owner_all, fs::perm_options::replace);
        GTEST_SKIP() << "permission bits do not stop this user's writes (root)";
    }
    const Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, kReferenceNames)) << w.menu;
    EXPECT_TRUE(has(w.log, "kwGameState::saveSettingsRecord - could not write")) << w.log;
    EXPECT_EQ(readBytes(recordPath()), rec::reference());
}

// Folders nobody may write, root included: one that cannot be made (its
// parent is a file), and one the kernel owns.
TEST_F(SettingsFolderFaults, AFolderThatCannotBeWrittenEvenByRootIsLoggedAndPlayGoesOn) {
    writeFile(dir / "plain", {'x'});
    opts.app.settingsDir = (dir / "plain" / "state").string();
    Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.log, "kwGameState::saveSettingsRecord - could not create the folder"))
        << w.log;
    EXPECT_EQ(readFile(dir / "plain"), "x");

    opts.app.settingsDir = "/proc/" + std::to_string(getpid());
    w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.log, "kwGameState::saveSettingsRecord - could not write")) << w.log;
    EXPECT_EQ(number(w.play, "playPhase"), 2);
}

// The folder a link to another folder holding a record: that record is not
// read, nothing is written there (not the record, not the log), and the
// refusal is logged.
TEST_F(SettingsFolderFaults, AFolderThatIsALinkIsNeitherReadNorWrittenThrough) {
    const fs::path other = elsewhereWithARecord();
    const std::string before = snapshot(other);
    fs::create_symlink(other, stateDir);
    Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, kDefaultNames)) << w.menu;
    EXPECT_TRUE(has(w.log, "kwGameState::loadSettingsRecord - refusing a symbolic link")) << w.log;
    EXPECT_TRUE(has(w.log, "kwGameState::saveSettingsRecord - refusing a symbolic link")) << w.log;
    EXPECT_EQ(snapshot(other), before);

    w = walkWithDefaultLog();  // the log has nowhere to go but standard error
    EXPECT_EQ(w.exitCode, 0);
    EXPECT_TRUE(has(w.log, "refusing a symbolic link")) << w.log;
    EXPECT_EQ(snapshot(other), before);
    EXPECT_TRUE(fs::is_symlink(stateDir));
}

// Only the game's own folder must not be a link: a linked folder above it
// (a home or state folder moved to another disk) is the user's business,
// and the record is read and saved through it as usual.
TEST_F(SettingsFolderFaults, ALinkAboveTheFolderIsFollowed) {
    fs::create_directories(dir / "real");
    fs::create_symlink(dir / "real", dir / "linked");
    stateDir = dir / "linked" / "state";
    opts.app.settingsDir = stateDir.string();
    writeRecord(rec::reference());
    const Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, kReferenceNames)) << w.menu;
    EXPECT_TRUE(refusals(w.log).empty()) << w.log;
    expectValidSave(w);
    EXPECT_TRUE(fs::is_regular_file(dir / "real" / "state" / "ggdt_rec.tmp"));
}

// The record a link (to a good record, or to where a file could be made):
// not read through, not written through; the save puts a real record in
// the link's place.
TEST_F(SettingsFolderFaults, ARecordThatIsALinkIsNeitherReadNorWrittenThrough) {
    const fs::path other = elsewhereWithARecord();
    const std::string before = snapshot(other);
    fs::create_directories(stateDir);
    fs::create_symlink(other / "ggdt_rec.tmp", recordPath());
    Walk w = walk();
    expectOrderly(w);
    EXPECT_TRUE(has(w.menu, kDefaultNames)) << w.menu;
    EXPECT_TRUE(has(w.log, "kwGameState::loadSettingsRecord - refusing a symbolic link")) << w.log;
    EXPECT_EQ(snapshot(other), before);
    expectValidSave(w);

    fs::remove(recordPath());
    fs::create_symlink(dir / "planted", recordPath());  // dangling
    w = walk();
    expectOrderly(w);
    EXPECT_FALSE(fs::exists(dir / "planted"));
    expectValidSave(w);
}

// The log in the settings folder a link, or a hard link, to another file:
// that file keeps its bytes; the log is a new private file of its own.
TEST_F(SettingsFolderFaults, TheLogNeverWritesThroughALink) {
    writeFile(dir / "precious", {'k', 'e', 'e', 'p'});
    fs::create_directories(stateDir);
    for (const char* kind : {"symbolic", "hard"}) {
        SCOPED_TRACE(kind);
        fs::remove(stateDir / "gobble.log");
        if (std::string(kind) == "hard")
            fs::create_hard_link(dir / "precious", stateDir / "gobble.log");
        else
            fs::create_symlink(dir / "precious", stateDir / "gobble.log");
        const Walk w = walkWithDefaultLog();
        expectOrderly(w);
        EXPECT_EQ(readFile(dir / "precious"), "keep");
        EXPECT_TRUE(S_ISREG(modeOf(stateDir / "gobble.log")));
        EXPECT_EQ(modeOf(stateDir / "gobble.log") & 0777, 0600u);
        EXPECT_TRUE(has(readFile(stateDir / "gobble.log"), "Exiting Application"));
    }
}

}  // namespace
}  // namespace fault
