// Archive writer: the inverse of kwLinkedFileList::add_lfl. Names are
// checked before anything is written, and the archive is written to a
// sibling temporary file and renamed into place so a reader never sees a
// half-written archive.
#include "assets/lfl_writer.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "assets/linked_file.h"
#include "shell/log.h"

namespace {

constexpr uint64_t kMaxPayload = std::numeric_limits<uint32_t>::max() - kwLinkedFile::kHeaderSize;

bool nameFits(const std::string& name) {
    return !name.empty() && name.size() < kwLinkedFile::kNameSize &&
           name.find('\0') == std::string::npos;
}

bool writeAll(std::FILE* f, const std::vector<uint8_t>& bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

}  // namespace

std::vector<uint8_t> lflRecord(const std::string& name, std::span<const uint8_t> payload) {
    if (!nameFits(name) || payload.size() > kMaxPayload) return {};
    std::vector<uint8_t> out(kwLinkedFile::kHeaderSize + payload.size(), 0);
    std::memcpy(out.data(), name.data(), name.size());
    const uint32_t size = uint32_t(out.size());
    for (int i = 0; i < 4; ++i) out[kwLinkedFile::kNameSize + i] = uint8_t(size >> (8 * i));
    if (!payload.empty())
        std::memcpy(out.data() + kwLinkedFile::kHeaderSize, payload.data(), payload.size());
    return out;
}

bool writeArchive(const std::string& path,
                  const std::vector<std::pair<std::string, std::vector<uint8_t>>>& records) {
    for (const auto& [name, payload] : records) {
        if (!nameFits(name)) {
            debugFail("writeArchive - record name must be 1 to 31 characters:", name.c_str());
            return false;
        }
        if (payload.size() > kMaxPayload) {
            debugFail("writeArchive - record too large:", name.c_str());
            return false;
        }
    }
    const std::string tmp = path + ".part";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        debugFail("writeArchive - could not create", tmp.c_str());
        return false;
    }
    bool ok = true;
    for (const auto& [name, payload] : records) ok = ok && writeAll(f, lflRecord(name, payload));
    ok = (std::fclose(f) == 0) && ok;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        std::remove(tmp.c_str());
        debugFail("writeArchive - could not write", path.c_str());
    }
    return ok;
}
