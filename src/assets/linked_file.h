// Linked-file-list archives (.lfl): named blobs laid end to end, each a
// 32-byte name, a u32 record size (36 + payload) and the payload. A list
// owns its records; images convert their payloads in place.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// Where archives and loose files are read from ("data" by default; an
// empty folder means the default).
void setDataFolder(const std::string& folder);
const std::string& dataFolder();

class kwLinkedFile {
public:
    static constexpr uint32_t kHeaderSize = 36;
    static constexpr uint32_t kNameSize = 32;

    kwLinkedFile();
    ~kwLinkedFile();
    kwLinkedFile(const kwLinkedFile&) = delete;
    kwLinkedFile& operator=(const kwLinkedFile&) = delete;

    // Reads the loose file dataFolder()/name into this record.
    bool load(const char* name);

    const char* getName() const { return name; }
    uint32_t payloadSize() const { return size >= kHeaderSize ? size - kHeaderSize : 0; }
    // Replaces the payload (takes ownership of a new[]-allocated buffer).
    void replaceData(uint8_t* bytes, uint32_t payloadBytes);
    void setName(const char* newName);

    char name[kNameSize] = {};
    uint32_t size = 0;
    uint8_t* data = nullptr;  // exactly size - 36 bytes, owned
    kwLinkedFile* prev = nullptr;
    kwLinkedFile* next = nullptr;
};

class kwLinkedFileList {
public:
    kwLinkedFileList() = default;
    ~kwLinkedFileList();
    kwLinkedFileList(const kwLinkedFileList&) = delete;
    kwLinkedFileList& operator=(const kwLinkedFileList&) = delete;

    // Appends every record of dataFolder()/archiveName, in file order.
    bool add_lfl(const char* archiveName);
    // The same, for an archive at an explicit path (the lfl tool).
    bool add_lfl_path(const std::string& path);
    kwLinkedFile* find(const char* name);
    bool loadLooseFile(const char* name);
    bool append(kwLinkedFile* file);
    void clear();  // destroys every record

    kwLinkedFile* head = nullptr;
    kwLinkedFile* tail = nullptr;
    uint32_t count = 0;
    uint32_t totalSize = 0;

private:
    // Reads the archive at path; label names it in failure messages.
    bool readArchive(const std::string& path, const char* label);
};

// Counts changes to payloads and to what images have made of them: a record
// given new bytes or gone, bytes converted in place, an image bound or its
// verdict renewed. Whatever was worked out from payloads holds while the
// count stands still, so a drawing shortcut need not look at them again.
uint64_t payloadEpoch();
void payloadsChanged();

// A record holding a copy of `payload`, made in memory rather than read from
// an archive (tools, tests, benchmarks and fuzz targets build records so).
std::unique_ptr<kwLinkedFile> makeLinkedFile(const char* name, std::span<const uint8_t> payload);

// Case-insensitive (ASCII) comparison of record names.
bool namesEqual(const char* a, const char* b);
