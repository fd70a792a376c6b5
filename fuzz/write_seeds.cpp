// Writes the seed corpora for `make fuzz`: write_seeds DIR makes one folder
// per target (DIR/archive/, DIR/image/, ...) with one file per seed.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "seeds.h"

namespace {

struct Corpus {
    const char* target;
    std::function<std::vector<kwFuzzInput>()> seeds;
};

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
    const Corpus corpora[] = {
        {"archive", archiveSeeds}, {"image", imageSeeds},       {"mask", maskSeeds},
        {"sound", soundSeeds},     {"settings", settingsSeeds}, {"script", scriptSeeds},
    };
    for (const Corpus& c : corpora) {
        if (!writeAll(dir / c.target, c.seeds())) {
            std::fprintf(stderr, "write_seeds: cannot write %s\n", (dir / c.target).c_str());
            return 1;
        }
    }
    return 0;
}
