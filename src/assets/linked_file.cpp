// Reads linked-file-list archives and loose asset files into records. The
// files are untrusted: every record size is checked against what is left
// of the file, names are forced to end within their 32 bytes, and a short
// read counts as a corrupt file. Records read before a failure stay listed.
#include "assets/linked_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "shell/log.h"

namespace {

constexpr const char* kDefaultDataFolder = "data";
constexpr uint64_t kMaxRecordSize = std::numeric_limits<uint32_t>::max();

std::string g_dataFolder = kDefaultDataFolder;

std::string dataPath(const char* name) {
    return g_dataFolder + "/" + name;
}

// The file of that name in the data folder. Asset names come from a world of
// case-blind file systems, so when the exact spelling is missing the first
// entry matching without regard to case is taken.
std::string findInDataFolder(const char* name) {
    std::string exact = dataPath(name);
    if (access(exact.c_str(), F_OK) == 0 || std::strchr(name, '/')) return exact;
    DIR* d = opendir(g_dataFolder.c_str());
    if (!d) return exact;
    std::string found = exact;
    while (const dirent* e = readdir(d)) {
        if (namesEqual(e->d_name, name)) {
            found = dataPath(e->d_name);
            break;
        }
    }
    closedir(d);
    return found;
}

// An open regular file and its length; closes itself.
struct InputFile {
    std::FILE* f = nullptr;
    uint64_t length = 0;

    // Only regular files are read; opening without blocking keeps a FIFO
    // of an asset's name from hanging the game.
    explicit InputFile(const std::string& path) {
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st {};
        if (fd < 0) return;
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !(f = fdopen(fd, "rb"))) {
            ::close(fd);
            return;
        }
        length = uint64_t(st.st_size);
    }
    ~InputFile() { close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    void close() {
        if (f) std::fclose(f);
        f = nullptr;
    }
    bool read(void* into, size_t bytes) {
        return bytes == 0 || std::fread(into, 1, bytes, f) == bytes;
    }
};

uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Copies a name into a 32-byte field, cut to 31 characters, zero-padded.
void storeName(char (&field)[kwLinkedFile::kNameSize], const char* from) {
    std::memset(field, 0, sizeof field);
    const size_t n = strnlen(from, kwLinkedFile::kNameSize - 1);
    std::memcpy(field, from, n);
}

// A record header as read from a file: the name made safe, the size raw.
struct RecordHeader {
    char name[kwLinkedFile::kNameSize] = {};
    uint32_t size = 0;
};

RecordHeader parseHeader(const uint8_t* bytes) {
    RecordHeader h;
    char raw[kwLinkedFile::kNameSize + 1] = {};
    std::memcpy(raw, bytes, kwLinkedFile::kNameSize);
    storeName(h.name, raw);
    h.size = readU32(bytes + kwLinkedFile::kNameSize);
    return h;
}

uint8_t* allocatePayload(uint64_t bytes) {
    return new (std::nothrow) uint8_t[bytes ? bytes : 1];
}

}  // namespace

void setDataFolder(const std::string& folder) {
    g_dataFolder = folder.empty() ? kDefaultDataFolder : folder;
}

const std::string& dataFolder() {
    return g_dataFolder;
}

bool namesEqual(const char* a, const char* b) {
    if (!a || !b) return false;
    auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
    for (; *a && *b; ++a, ++b)
        if (fold(*a) != fold(*b)) return false;
    return *a == *b;
}

// ---------------------------------------------------------------- kwLinkedFile

kwLinkedFile::kwLinkedFile() = default;

namespace {
// Atomic because sounds are mixed on the audio thread, whose payloads are
// records too; the order of other memory does not hang on it.
std::atomic<uint64_t> payloadChanges{0};
}  // namespace

uint64_t payloadEpoch() {
    return payloadChanges.load(std::memory_order_relaxed);
}

void payloadsChanged() {
    payloadChanges.fetch_add(1, std::memory_order_relaxed);
}

kwLinkedFile::~kwLinkedFile() {
    delete[] data;
    payloadsChanged();
}

void kwLinkedFile::setName(const char* newName) {
    storeName(name, newName ? newName : "");
}

void kwLinkedFile::replaceData(uint8_t* bytes, uint32_t payloadBytes) {
    if (uint64_t{payloadBytes} + kHeaderSize > kMaxRecordSize) {
        debugFail("kwLinkedFile::replaceData - the payload is too large for a record", name);
        delete[] bytes;
        return;
    }
    delete[] data;
    data = bytes;
    size = payloadBytes + kHeaderSize;
    payloadsChanged();
}

std::unique_ptr<kwLinkedFile> makeLinkedFile(const char* name, std::span<const uint8_t> payload) {
    auto f = std::make_unique<kwLinkedFile>();
    f->setName(name);
    auto* bytes = new uint8_t[payload.empty() ? 1 : payload.size()];
    if (!payload.empty()) std::memcpy(bytes, payload.data(), payload.size());
    f->replaceData(bytes, uint32_t(payload.size()));
    return f;
}

bool kwLinkedFile::load(const char* requested) {
    if (!requested || strnlen(requested, kNameSize) >= kNameSize) {
        debugFail("kwLinkedFile::load - the name must be shorter than 32 characters");
        return false;
    }
    const std::string path = findInDataFolder(requested);
    InputFile in(path);
    if (!in.f) {
        debugFail("kwLinkedFile::load - unable to find", dataPath(requested).c_str());
        return false;
    }
    delete[] data;
    data = nullptr;
    size = 0;
    payloadsChanged();
    const uint64_t length = in.length;
    uint8_t head[kHeaderSize] = {};
    const uint64_t headBytes = length < kHeaderSize ? length : kHeaderSize;
    if (!in.read(head, size_t(headBytes))) {
        debugFail("kwLinkedFile::load - the file is corrupt", path.c_str());
        return false;
    }
    // A file that is a record of its own gives up its header; any other file is the payload.
    const RecordHeader h = parseHeader(head);
    const bool isRecord =
        length >= kHeaderSize && h.size == length && namesEqual(h.name, requested);
    const uint64_t payload = isRecord ? length - kHeaderSize : length;
    if (payload + kHeaderSize > kMaxRecordSize) {
        debugFail("kwLinkedFile::load - the file is too large", path.c_str());
        return false;
    }
    uint8_t* bytes = allocatePayload(payload);
    if (!bytes) {
        debugFail("kwLinkedFile::load - unable to allocate memory", path.c_str());
        return false;
    }
    const uint64_t kept = isRecord ? 0 : headBytes;
    std::memcpy(bytes, head, size_t(kept));
    if (!in.read(bytes + kept, size_t(payload - kept))) {
        delete[] bytes;
        debugFail("kwLinkedFile::load - the file is corrupt", path.c_str());
        return false;
    }
    data = bytes;
    size = uint32_t(payload + kHeaderSize);
    setName(isRecord ? h.name : requested);
    return true;
}

// ------------------------------------------------------------ kwLinkedFileList

kwLinkedFileList::~kwLinkedFileList() {
    clear();
}

void kwLinkedFileList::clear() {
    for (kwLinkedFile* f = head; f;) {
        kwLinkedFile* next = f->next;
        delete f;
        f = next;
    }
    head = tail = nullptr;
    count = 0;
    totalSize = 0;
}

bool kwLinkedFileList::append(kwLinkedFile* file) {
    if (!file) return false;
    file->next = nullptr;
    if (count == 0) {
        file->prev = nullptr;
        head = tail = file;
        count = 1;
        totalSize = file->size;
        return true;
    }
    file->prev = tail;
    tail->next = file;
    tail = file;
    ++count;
    totalSize += file->size;
    return true;
}

bool kwLinkedFileList::add_lfl(const char* archiveName) {
    if (!archiveName) return false;
    return readArchive(findInDataFolder(archiveName), archiveName);
}

bool kwLinkedFileList::add_lfl_path(const std::string& path) {
    return readArchive(path, path.c_str());
}

bool kwLinkedFileList::readArchive(const std::string& path, const char* label) {
    InputFile in(path);
    if (!in.f) {
        debugFail("kwLinkedFileList::add_lfl - could not load", label);
        return false;
    }
    for (uint64_t consumed = 0; consumed < in.length;) {
        const uint64_t left = in.length - consumed;
        uint8_t head[kwLinkedFile::kHeaderSize];
        if (left < kwLinkedFile::kHeaderSize || !in.read(head, sizeof head)) {
            debugFail("kwLinkedFileList::add_flf - the file is corrupt", label);
            return false;
        }
        const RecordHeader h = parseHeader(head);
        if (h.size > left) {
            debugFail("kwLinkedFileList::add_flf - the file is corrupt", label);
            return false;
        }
        // A size below the header would be a negative payload: refuse it as unallocatable.
        uint8_t* bytes = h.size < kwLinkedFile::kHeaderSize
                             ? nullptr
                             : allocatePayload(h.size - kwLinkedFile::kHeaderSize);
        if (!bytes) {
            debugFail("kwLinkedFileList::add_lfl - could not allocate memory bits", label);
            return false;
        }
        if (!in.read(bytes, h.size - kwLinkedFile::kHeaderSize)) {
            delete[] bytes;
            debugFail("kwLinkedFileList::add_flf - the file is corrupt", label);
            return false;
        }
        auto* file = new kwLinkedFile();
        std::memcpy(file->name, h.name, sizeof file->name);
        file->size = h.size;
        file->data = bytes;
        consumed += h.size;
        append(file);
    }
    return true;
}

kwLinkedFile* kwLinkedFileList::find(const char* name) {
    if (!name) return nullptr;
    for (kwLinkedFile* f = head; f; f = f->next)
        if (namesEqual(f->name, name)) return f;
    return loadLooseFile(name) ? tail : nullptr;
}

bool kwLinkedFileList::loadLooseFile(const char* name) {
    auto* file = new kwLinkedFile();
    if (!file->load(name)) {
        delete file;
        return false;
    }
    return append(file);
}
