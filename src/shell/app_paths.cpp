#include "shell/app_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {
constexpr const char* kFirstArchive = "st_cursor.lfl";

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string executableFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string exe(buf, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}
}  // namespace

// A folder counts as the game's data only if it holds the archive read first
// at start-up, so an unrelated data/ in the working directory does not hide
// the installed data.
bool isDataFolder(const std::string& path) {
    struct stat st {};
    return isFolder(path) && stat((path + "/" + kFirstArchive).c_str(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

std::string resolveDataFolder(const std::string& override) {
    if (!override.empty()) return override;
    const std::string exe = executableFolder();
    // Beside the executable (a build folder), then a relocated install
    // (PREFIX/bin/gobble with PREFIX/share/gobble-garden/data).
    for (const std::string& candidate :
         {std::string("data"), exe + "/data", exe + "/../share/gobble-garden/data"})
        if (isDataFolder(candidate)) return candidate;
#ifdef GG_INSTALL_DATADIR
    if (isDataFolder(GG_INSTALL_DATADIR)) return GG_INSTALL_DATADIR;
#endif
    return "data";
}
