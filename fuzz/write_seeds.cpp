// Writes the seed corpora for `make fuzz`: write_seeds DIR makes
// DIR/archive/ and DIR/image/ with one file per seed.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "seeds.h"

namespace {
bool writeAll(const std::filesystem::path& dir, const std::vector<kwFuzzInput>& seeds) {
    std::filesystem::create_directories(dir);
    for (size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream out(dir / ("seed_" + std::to_string(i)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seeds[i].data()), std::streamsize(seeds[i].size()));
        if (!out) return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    return writeAll(dir / "archive", archiveSeeds()) && writeAll(dir / "image", imageSeeds()) ? 0 : 1;
}
