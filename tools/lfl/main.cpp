// lfl: a command-line tool for the game's linked-file-list archives. It
// lists, extracts and packs archives with the game's own reader and writer,
// and `show` draws images through the game's image classes.
#include <cstdio>
#include <cstring>

#include "archive_commands.h"
#include "audio_commands.h"
#include "cli_status.h"
#include "shell/log.h"
#include "show.h"

namespace {

const char* const kUsage =
    "usage: lfl COMMAND ARGS...\n"
    "  list ARCHIVE            one line per record: name, a tab, payload bytes\n"
    "  extract ARCHIVE DIR     write each record's payload to DIR/name\n"
    "  pack OUT.lfl FILE...    one record per file, named by its base name\n"
    "  show ARCHIVE NAME...    draw images with the game's image classes\n"
    "  decode ARCHIVE NAME OUT.wav      write a sound record as a PCM WAV file\n"
    "  encode IN.wav OUT.noi [--adpcm]  make a sound payload from a PCM WAV file\n";

int usage(std::FILE* to, int status) {
    std::fputs(kUsage, to);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // The library's failure messages (corrupt archive, missing file) go to stderr.
    logOpen("-");
    if (argc < 2) return usage(stderr, kUsageStatus);
    const char* cmd = argv[1];
    if (!std::strcmp(cmd, "-h") || !std::strcmp(cmd, "--help") || !std::strcmp(cmd, "help"))
        return usage(stdout, 0);
    if (!std::strcmp(cmd, "list")) return lflList(argc - 2, argv + 2);
    if (!std::strcmp(cmd, "extract")) return lflExtract(argc - 2, argv + 2);
    if (!std::strcmp(cmd, "pack")) return lflPack(argc - 2, argv + 2);
    if (!std::strcmp(cmd, "show")) return lflShow(argc - 1, argv + 1);
    if (!std::strcmp(cmd, "decode")) return lflDecode(argc - 2, argv + 2);
    if (!std::strcmp(cmd, "encode")) return lflEncode(argc - 2, argv + 2);
    std::fprintf(stderr, "lfl: unknown command '%s'\n", cmd);
    return usage(stderr, kUsageStatus);
}
