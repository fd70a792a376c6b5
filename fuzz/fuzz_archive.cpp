// An archive file as a user could leave it: any bytes at all. The list must
// take the records that fit and refuse the rest, and lookups must stay safe.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "assets/linked_file.h"
#include "fuzz_entry.h"

GG_FUZZ_TARGET(fuzzArchive) {
    static const std::string path = "/tmp/gg_fuzz_archive_" + std::to_string(getpid()) + ".lfl";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    if (!written) return 0;
    kwLinkedFileList list;
    list.add_lfl_path(path);
    // Touch every payload byte of every record the list accepted.
    unsigned sum = 0;
    for (kwLinkedFile* r = list.head; r; r = r->next)
        for (uint32_t i = 0; i < r->payloadSize(); ++i) sum += r->data[i];
    list.find("a.eye");
    list.find("");
    return int(sum & 0);
}
