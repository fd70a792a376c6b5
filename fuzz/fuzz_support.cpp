#include "fuzz_support.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kFolderPrefix = "gg_fuzz_";  // then the process id, '_' and six letters
constexpr const char* kMemoryFolder = "/dev/shm";

std::string g_folder;

void removeFolder() {
    std::error_code ignored;
    if (!g_folder.empty()) std::filesystem::remove_all(g_folder, ignored);
}

// A target that crashed never ran its exit handler; its folder goes when
// the next run finds its process gone.
void removeLeftovers(const std::string& base) {
    std::error_code ignored;
    const std::string prefix = kFolderPrefix;
    for (const auto& entry : std::filesystem::directory_iterator(base, ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), ignored);
    }
}

std::string baseFolder() {
    if (access(kMemoryFolder, W_OK | X_OK) == 0) return kMemoryFolder;
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp == '/' ? tmp : "/tmp";
}

}  // namespace

const std::string& fuzzScratchFolder() {
    if (!g_folder.empty()) return g_folder;
    const std::string base = baseFolder();
    removeLeftovers(base);
    std::string pattern = base + "/" + kFolderPrefix + std::to_string(getpid()) + "_XXXXXX";
    fuzzCheck(mkdtemp(pattern.data()) != nullptr, "cannot make the scratch folder");
    g_folder = pattern;
    std::atexit(removeFolder);
    return g_folder;
}

std::string fuzzScratchPath(const std::string& sub, const std::string& name) {
    const std::string dir = fuzzScratchFolder() + "/" + sub;
    mkdir(dir.c_str(), 0700);  // already there after the first input
    return dir + "/" + name;
}

bool fuzzWriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && written;
}

std::vector<uint8_t> fuzzReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void fuzzCheck(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
