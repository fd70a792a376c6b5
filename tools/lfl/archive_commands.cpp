// list, extract and pack. Archives are read with the game's own
// kwLinkedFileList and written with the shared archive writer, so the tool
// and the game can never disagree about the format. Extraction never writes
// outside the chosen folder and never follows a symbolic link there.
#include "archive_commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli_status.h"
#include "assets/lfl_writer.h"
#include "assets/linked_file.h"

namespace {

constexpr mode_t kFolderMode = 0755;
constexpr mode_t kFileMode = 0644;

bool makeFolder(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    return mkdir(path.c_str(), kFolderMode) == 0;
}

bool writeFileNoFollow(const std::string& path, const uint8_t* bytes, size_t length) {
    const int fd =
        open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, kFileMode);
    if (fd < 0) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < length;) {
        const ssize_t n = write(fd, bytes + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += size_t(n);
    }
    return (close(fd) == 0) && ok;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True if an earlier record in the list has the same name (the game finds
// only the first of them).
bool shadowed(const kwLinkedFileList& list, const kwLinkedFile* record) {
    for (const kwLinkedFile* f = list.head; f != record; f = f->next)
        if (namesEqual(f->name, record->name)) return true;
    return false;
}

}  // namespace

bool safeRecordFileName(const char* name) {
    if (!name || !*name || !std::strcmp(name, ".")) return false;
    return !std::strchr(name, '/') && !std::strstr(name, "..");
}

int lflList(int argc, char** argv) {
    if (argc != 1) return badArgs("list ARCHIVE");
    kwLinkedFileList list;
    const bool ok = list.add_lfl_path(argv[0]);
    for (const kwLinkedFile* f = list.head; f; f = f->next)
        std::printf("%s\t%u\n", f->name, f->payloadSize());
    return ok ? 0 : fail("cannot read archive", argv[0]);
}

int lflExtract(int argc, char** argv) {
    if (argc != 2) return badArgs("extract ARCHIVE DIR");
    kwLinkedFileList list;
    if (!list.add_lfl_path(argv[0])) return fail("cannot read archive", argv[0]);
    const std::string dir = argv[1];
    if (!makeFolder(dir)) return fail("cannot create folder", dir);
    int status = 0;
    for (const kwLinkedFile* f = list.head; f; f = f->next) {
        if (!safeRecordFileName(f->name)) {
            status = fail("refusing unsafe record name", f->name);
        } else if (shadowed(list, f)) {
            std::fprintf(stderr, "lfl: skipping duplicate record: %s\n", f->name);
        } else if (!writeFileNoFollow(dir + "/" + f->name, f->data, f->payloadSize())) {
            status = fail("cannot write", dir + "/" + f->name);
        }
    }
    return status;
}

int lflPack(int argc, char** argv) {
    if (argc < 2) return badArgs("pack OUT.lfl FILE...");
    std::vector<std::pair<std::string, std::vector<uint8_t>>> records;
    for (int i = 1; i < argc; ++i) {
        std::string name = baseName(argv[i]);
        if (name.empty() || name.size() >= kwLinkedFile::kNameSize)
            return fail("record names must be 1 to 31 characters", argv[i]);
        std::vector<uint8_t> bytes;
        if (!readWholeFile(argv[i], bytes)) return fail("cannot read", argv[i]);
        records.emplace_back(std::move(name), std::move(bytes));
    }
    return writeArchive(argv[0], records) ? 0 : fail("cannot write archive", argv[0]);
}
