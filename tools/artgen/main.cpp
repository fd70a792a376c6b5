// artgen OUT_DIR: runs every registered generator and writes each archive
// it made into OUT_DIR (created if needed), replacing files atomically so a
// half-written archive never reaches the game.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "artgen.h"
#include "assets/lfl_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::vector<artgen::ArchiveOut> archives;
    for (const auto& [name, generate] : artgen::generators()) generate(archives);

    std::set<std::string> seen;
    for (const artgen::ArchiveOut& a : archives) {
        if (!seen.insert(a.fileName()).second) {
            std::fprintf(stderr, "artgen: %s made twice\n", a.fileName().c_str());
            return 1;
        }
        const std::string temp = (dir / (a.fileName() + ".tmp")).string();
        if (!writeArchive(temp, a.records())) {
            std::fprintf(stderr, "artgen: cannot write %s\n", temp.c_str());
            return 1;
        }
        std::filesystem::rename(temp, dir / a.fileName(), ec);
        if (ec) {
            std::fprintf(stderr, "artgen: cannot place %s: %s\n", a.fileName().c_str(),
                         ec.message().c_str());
            return 1;
        }
    }
    return 0;
}
