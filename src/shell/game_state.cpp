// The global game state and its settings record file. The file is written
// field by field in little-endian order (never as a memory image), read
// back with every out-of-range field repaired on its own, and replaced
// atomically so a crash mid-save keeps the previous record (what such a
// crash leaves is cleared at the next start). It lives in the per-user
// state folder and is never read or written through a symbolic link.
#include "shell/game_state.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "render/glyph_text.h"
#include "shell/log.h"

kwGameState gameState;

namespace {

constexpr const char* kAppFolder = "gobble-garden";
constexpr const char* kDefaultStateHome = "/.local/state";
constexpr size_t kMaxPathLength = PATH_MAX - 1;  // longer paths disable load and save
constexpr int kTempAttempts = 16;
constexpr mode_t kPrivateFile = 0600;
constexpr mode_t kPrivateFolder = 0700;
constexpr int32_t kMinPlayers = 1;
constexpr int32_t kMinSkill = 1, kMaxSkill = 3;
constexpr int32_t kDefaultVolume = 10;  // what a damaged volume falls back to
constexpr size_t kDefaultNameBuffer = 32;
constexpr size_t kFieldNameBuffer = 32;

std::string g_folderOverride;

using Record = std::array<uint8_t, kSettingsFileSize>;

// ------------------------------------------------------------ byte layout

struct Writer {
    Record& out;
    size_t at = 0;
    void i32(int32_t v) {
        const uint32_t u = uint32_t(v);
        for (int i = 0; i < 4; ++i) out[at++] = uint8_t(u >> (8 * i));
    }
    // The text up to its NUL (at most maxLength characters), zeros behind it.
    void text(const char* s, size_t field, size_t maxLength) {
        const size_t n = strnlen(s, maxLength);
        for (size_t i = 0; i < field; ++i) out[at + i] = i < n ? uint8_t(s[i]) : 0;
        at += field;
    }
};

struct Reader {
    const Record& in;
    size_t at = 0;
    int32_t i32() {
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= uint32_t(in[at++]) << (8 * i);
        return int32_t(u);
    }
    // A name field: cut at maxLength characters if no NUL comes first, and
    // zeroed behind its end.
    void text(char* into, size_t field, size_t maxLength) {
        std::memset(into, 0, field);
        size_t n = 0;
        while (n < maxLength && in[at + n] != 0) ++n;
        std::memcpy(into, &in[at], n);
        at += field;
    }
};

// A stored value in range, else the fallback, the repair logged by field.
int32_t inRangeOr(int32_t v, int32_t lo, int32_t hi, int32_t fallback, const char* field,
                  int index = -1) {
    if (v >= lo && v <= hi) return v;
    char name[kFieldNameBuffer];
    std::snprintf(name, sizeof name, index < 0 ? "%s" : "%s%d", field, index);
    debugLogf("kwGameState::loadSettingsRecord - %s out of range (%d), set to %d\r\n", name, int(v),
              int(fallback));
    return fallback;
}

Record encode(const kwGameState& s) {
    Record r{};
    Writer w{r};
    w.i32(s.highestLevel);
    w.i32(s.speedFactor);
    w.i32(s.playerCount);
    for (int p = 0; p < kMaxPlayers; ++p) {
        w.i32(s.playerSkill[p]);
        w.text(s.playerName[p], kPlayerNameSize, kMaxPlayerNameLength);
    }
    w.i32(s.musicVolume);
    w.i32(s.soundVolume);
    for (const kwHighScoreRecord& h : s.highScores.records) {
        w.text(h.name, kwHighScoreRecord::kNameSize, kwHighScoreRecord::kMaxNameLength);
        w.i32(h.skill);
        w.i32(h.level);
        w.i32(h.score);
    }
    return r;
}

void decode(const Record& r, kwGameState& s) {
    Reader rd{r};
    s.highestLevel = rd.i32();
    s.speedFactor = rd.i32();  // outside 1..6 it behaves as 3 where it is used
    s.playerCount = inRangeOr(rd.i32(), kMinPlayers, kMaxPlayers, kMinPlayers, "playerCount");
    for (int p = 0; p < kMaxPlayers; ++p) {
        s.playerSkill[p] = inRangeOr(rd.i32(), kMinSkill, kMaxSkill, kMinSkill, "playerSkill", p);
        rd.text(s.playerName[p], kPlayerNameSize, kMaxPlayerNameLength);
    }
    s.musicVolume = inRangeOr(rd.i32(), 0, kMaxVolume, kDefaultVolume, "musicVolume");
    s.soundVolume = inRangeOr(rd.i32(), 0, kMaxVolume, kDefaultVolume, "soundVolume");
    for (kwHighScoreRecord& h : s.highScores.records) {
        char name[kwHighScoreRecord::kNameSize];
        rd.text(name, sizeof name, kwHighScoreRecord::kMaxNameLength);
        const int32_t skill = rd.i32(), level = rd.i32(), score = rd.i32();
        h.setRecord(name, skill, level, score);
    }
}

// ------------------------------------------------------------ file access

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    const passwd* pw = getpwuid(getuid());
    return (pw && pw->pw_dir) ? pw->pw_dir : "";
}

bool readAll(int fd, uint8_t* into, size_t length) {
    for (size_t done = 0; done < length;) {
        const ssize_t n = read(fd, into + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

bool writeAll(int fd, const uint8_t* from, size_t length) {
    for (size_t done = 0; done < length;) {
        const ssize_t n = write(fd, from + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

std::string tempName(int attempt) {
    return std::string(kSettingsFileName) + "." + std::to_string(getpid()) + "." +
           std::to_string(attempt);
}

// A new private file beside the record; never an existing file or a link.
int createSiblingTemp(int folder, std::string& name) {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        name = tempName(attempt);
        const int fd = openat(folder, name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateFile);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates the folder and any missing parents, each private to the user.
bool makeFolders(const std::string& path) {
    if (path.empty() || isFolder(path)) return !path.empty();
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash)))
        return false;
    return mkdir(path.c_str(), kPrivateFolder) == 0 || (errno == EEXIST && isFolder(path));
}

// The record's folder, opened without following a link in its last step:
// the folder is the game's own, so a link there was put by someone else and
// would have the record read and written elsewhere. -1 when it is missing
// (and not to be made), refused or unusable; all but plain absence logged.
int openFolder(const std::string& folder, bool create, const std::string& label) {
    struct stat st {};
    const bool exists = lstat(folder.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
        debugFail((label + " - refusing a symbolic link").c_str(), folder.c_str());
        return -1;
    }
    if (!exists && !create) return -1;
    if (create && !makeFolders(folder)) {
        debugFail((label + " - could not create the folder").c_str(), folder.c_str());
        return -1;
    }
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) debugFail((label + " - not a usable folder").c_str(), folder.c_str());
    return fd;
}

// The process that wrote a temporary file, from its name; false for any
// other name.
bool leftoverWriter(const char* name, pid_t* pid) {
    const size_t prefix = std::strlen(kSettingsFileName);
    if (std::strncmp(name, kSettingsFileName, prefix) != 0 || name[prefix] != '.') return false;
    if (name[prefix + 1] < '0' || name[prefix + 1] > '9') return false;
    char* end = nullptr;
    const long long id = std::strtoll(name + prefix + 1, &end, 10);
    if (end == name + prefix + 1 || *end != '.' || id <= 0 || id > INT_MAX) return false;
    const char* attempt = end + 1;
    if (!*attempt || attempt[std::strspn(attempt, "0123456789")] != 0) return false;
    *pid = pid_t(id);
    return true;
}

// A save cut short (the game killed mid-write) leaves its temporary file
// beside a record that is still whole; once its writer is gone it is removed.
void removeLeftovers(int folder) {
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* d = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!d) {
        if (listing >= 0) close(listing);
        return;
    }
    while (const dirent* e = readdir(d)) {
        pid_t writer = 0;
        if (!leftoverWriter(e->d_name, &writer) || writer == getpid()) continue;
        if (kill(writer, 0) == 0 || errno != ESRCH) continue;  // still running, or not ours
        if (unlinkat(folder, e->d_name, 0) == 0)
            debugFail(
                "kwGameState::loadSettingsRecord - removed the leftover of an interrupted save",
                e->d_name);
    }
    closedir(d);
}

bool replaceAtomically(int folder, const Record& bytes) {
    std::string temp;
    const int fd = createSiblingTemp(folder, temp);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && renameat(folder, temp.c_str(), folder, kSettingsFileName) == 0;
    if (!ok) {
        unlinkat(folder, temp.c_str(), 0);
        return false;
    }
    fsync(folder);  // makes the rename itself durable; nothing to do if it fails
    return true;
}

}  // namespace

std::string settingsFolder() {
    if (!g_folderOverride.empty()) return g_folderOverride;
    // The XDG base-directory rules ignore a relative XDG_STATE_HOME.
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        return std::string(state) + "/" + kAppFolder;
    const std::string home = homeFolder();
    if (home.empty()) return {};
    return home + kDefaultStateHome + "/" + kAppFolder;
}

void setSettingsFolder(const std::string& path) {
    g_folderOverride = path;
}

std::string settingsFilePath() {
    const std::string folder = settingsFolder();
    if (folder.empty()) return {};
    std::string path = folder + "/" + kSettingsFileName;
    return path.size() > kMaxPathLength ? std::string() : path;
}

int openSettingsFolder(bool create) {
    if (settingsFilePath().empty()) return -1;
    return openFolder(settingsFolder(), create, "kwGameState::openSettingsFolder");
}

void loadSettingsRecord() {
    const std::string path = settingsFilePath();
    if (path.empty()) return;
    const int folder = openFolder(settingsFolder(), false, "kwGameState::loadSettingsRecord");
    if (folder < 0) return;
    removeLeftovers(folder);
    // O_NONBLOCK keeps a planted FIFO from hanging start-up; it is refused below.
    const int fd =
        openat(folder, kSettingsFileName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    const int openError = errno;
    close(folder);
    if (fd < 0) {
        if (openError == ELOOP)
            debugFail("kwGameState::loadSettingsRecord - refusing a symbolic link", path.c_str());
        return;
    }
    struct stat st {};
    Record bytes{};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const bool sized = regular && st.st_size == kSettingsFileSize;
    const bool ok = sized && readAll(fd, bytes.data(), bytes.size());
    close(fd);
    if (ok) {
        decode(bytes, gameState);
        return;
    }
    const char* why = !regular ? "kwGameState::loadSettingsRecord - not a regular file, ignored"
                      : !sized ? "kwGameState::loadSettingsRecord - not 185 bytes long, ignored"
                               : "kwGameState::loadSettingsRecord - could not read, ignored";
    debugFail(why, path.c_str());
}

void saveSettingsRecord() {
    const std::string path = settingsFilePath();
    if (path.empty()) {
        debugFail("kwGameState::saveSettingsRecord - no usable settings folder; nothing saved");
        return;
    }
    const int folder = openFolder(settingsFolder(), true, "kwGameState::saveSettingsRecord");
    if (folder < 0) return;
    if (!replaceAtomically(folder, encode(gameState)))
        debugFail("kwGameState::saveSettingsRecord - could not write", path.c_str());
    close(folder);
}

void initGameState() {
    kwGameState& s = gameState;
    s.playerCount = 1;
    s.startLevel = 1;
    s.levelCount = kLevelCount;
    s.highestLevel = 1;
    s.speedFactor = 3;
    s.currentPlayer = 0;
    for (int p = 0; p < kMaxPlayers; ++p) {
        char name[kDefaultNameBuffer];
        std::snprintf(name, sizeof name, "player %d", p + 1);
        std::memset(s.playerName[p], 0, kPlayerNameSize);
        std::memcpy(s.playerName[p], name, strnlen(name, kMaxPlayerNameLength));
        s.lives[p] = kStartLives;
        s.level[p] = 1;
        s.playerSkill[p] = 1;
        s.activeSkill[p] = 1;
        s.score[p] = 0;
    }
    s.highScores.setDefaults();
    createGlyphTable();
    loadSettingsRecord();
}

void shutdownGameState() {
    gameState = kwGameState{};
}
