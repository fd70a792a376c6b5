// An archive and a loose file as a user could leave them: any bytes at all.
// Both are written into the data folder under names that differ in case
// from the ones asked for, read the way the game reads them, and compared
// with what the format says they hold: the records that fit, in order, up
// to the first that does not; the loose file as a record of its own or
// taken whole. Lookups must find the first record of a name, in any case.
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "assets/linked_file.h"
#include "fuzz_bytes.h"
#include "fuzz_entry.h"
#include "fuzz_support.h"

namespace {

constexpr uint32_t kHeader = kwLinkedFile::kHeaderSize;
constexpr size_t kNameChars = kwLinkedFile::kNameSize - 1;
constexpr const char* kArchiveOnDisk = "Pack.LFL";
constexpr const char* kArchiveAsked = "pack.lfl";
constexpr const char* kLooseOnDisk = "Loose.Bin";
constexpr const char* kLooseAsked = "loose.bin";
constexpr const char* kMissing = "missing.noi";

struct Expected {
    std::string name;
    uint32_t size = 0;
    std::span<const uint8_t> payload;
};

uint32_t u32At(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string nameAt(const uint8_t* p) {
    return std::string(reinterpret_cast<const char*>(p),
                       strnlen(reinterpret_cast<const char*>(p), kNameChars));
}

bool sameName(const std::string& a, const std::string& b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

// The records an archive holds, and whether all of it is well formed.
bool expectArchive(std::span<const uint8_t> bytes, std::vector<Expected>* out) {
    for (size_t at = 0; at < bytes.size();) {
        const size_t left = bytes.size() - at;
        if (left < kHeader) return false;
        const uint32_t recordSize = u32At(&bytes[at + kwLinkedFile::kNameSize]);
        if (recordSize > left || recordSize < kHeader) return false;
        out->push_back(
            {nameAt(&bytes[at]), recordSize, bytes.subspan(at + kHeader, recordSize - kHeader)});
        at += recordSize;
    }
    return true;
}

// What a loose file becomes when asked for by `asked`.
Expected expectLoose(std::span<const uint8_t> bytes, const std::string& asked) {
    if (bytes.size() >= kHeader) {
        const std::string name = nameAt(bytes.data());
        const uint32_t recordSize = u32At(&bytes[kwLinkedFile::kNameSize]);
        if (recordSize == bytes.size() && sameName(name, asked))
            return {name, recordSize, bytes.subspan(kHeader)};
    }
    return {asked, uint32_t(bytes.size() + kHeader), bytes};
}

void checkRecord(const kwLinkedFile* r, const Expected& e) {
    fuzzCheck(r != nullptr, "a record is missing");
    fuzzCheck(e.name == r->name, "a record's name differs");
    fuzzCheck(r->size == e.size && r->payloadSize() == e.payload.size(), "a record's size differs");
    fuzzCheck(e.payload.empty() || std::memcmp(r->data, e.payload.data(), e.payload.size()) == 0,
              "a record's payload differs");
}

void checkList(const kwLinkedFileList& list, const std::vector<Expected>& expected) {
    fuzzCheck(list.count == expected.size(), "the list holds the wrong number of records");
    uint32_t total = 0;
    const kwLinkedFile* prev = nullptr;
    const kwLinkedFile* r = list.head;
    for (const Expected& e : expected) {
        checkRecord(r, e);
        fuzzCheck(r->prev == prev, "a record's back link is wrong");
        total += r->size;
        prev = r;
        r = r->next;
    }
    fuzzCheck(r == nullptr && list.tail == prev, "the list's tail is wrong");
    fuzzCheck(list.totalSize == total, "the list's total size is wrong");
}

const kwLinkedFile* recordAt(const kwLinkedFileList& list, size_t index) {
    const kwLinkedFile* r = list.head;
    for (size_t i = 0; i < index && r; ++i) r = r->next;
    return r;
}

// The index of the first record of that name, or the count if none.
size_t firstNamed(const std::vector<Expected>& expected, const std::string& name) {
    size_t i = 0;
    while (i < expected.size() && !sameName(expected[i].name, name)) ++i;
    return i;
}

// find() gives the first record of a name in the list, else the loose file
// of that name (appended, and found in the list from then on), else null.
void checkLookups(kwLinkedFileList& list, std::vector<Expected>& expected,
                  std::span<const uint8_t> loose) {
    for (const Expected& e : expected)
        fuzzCheck(list.find(e.name.c_str()) == recordAt(list, firstNamed(expected, e.name)),
                  "find missed the first record of a name");
    const size_t looseAt = firstNamed(expected, kLooseAsked);
    if (looseAt == expected.size()) expected.push_back(expectLoose(loose, kLooseAsked));
    const kwLinkedFile* found = list.find(kLooseAsked);
    fuzzCheck(found == recordAt(list, looseAt), "find of the loose file gave the wrong record");
    checkList(list, expected);
    fuzzCheck(list.find("LOOSE.BIN") == found, "a second lookup loaded the loose file again");
    const size_t missingAt = firstNamed(expected, kMissing);
    const kwLinkedFile* missing = list.find(kMissing);
    fuzzCheck(missingAt < expected.size() ? missing == recordAt(list, missingAt) : !missing,
              "find of a missing name gave the wrong answer");
    checkList(list, expected);
}

}  // namespace

GG_FUZZ_TARGET(fuzzArchive) {
    kwFuzzBytes in(data, size);
    const auto archive = in.take(in.u16());
    const auto loose = in.rest();
    const std::string folder = fuzzScratchFolder() + "/archive";
    if (!fuzzWriteFile(fuzzScratchPath("archive", kArchiveOnDisk), archive.data(),
                       archive.size()) ||
        !fuzzWriteFile(fuzzScratchPath("archive", kLooseOnDisk), loose.data(), loose.size()))
        return 0;
    setDataFolder(folder);

    kwLinkedFileList list;
    std::vector<Expected> expected;
    const bool whole = expectArchive(archive, &expected);
    fuzzCheck(list.add_lfl(kArchiveAsked) == whole, "add_lfl's answer is wrong");
    checkList(list, expected);
    checkLookups(list, expected, loose);
    return 0;
}
