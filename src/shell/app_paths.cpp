#include "shell/app_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {
constexpr mode_t kPrivateFolder = 0700;

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

std::string resolveDataFolder(const std::string& override) {
    if (!override.empty()) return override;
    if (isFolder("data")) return "data";
    std::string beside = executableFolder() + "/data";
    if (isFolder(beside)) return beside;
#ifdef GG_INSTALL_DATADIR
    if (isFolder(GG_INSTALL_DATADIR)) return GG_INSTALL_DATADIR;
#endif
    return "data";
}

bool ensureFolder(const std::string& path) {
    if (path.empty()) return false;
    if (isFolder(path)) return true;
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !ensureFolder(path.substr(0, slash)))
        return false;
    return mkdir(path.c_str(), kPrivateFolder) == 0 || (errno == EEXIST && isFolder(path));
}
