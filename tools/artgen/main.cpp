// artgen [--jobs N] [--timings] OUT_DIR: runs every registered generator
// (two at a time unless told otherwise) and writes each archive it made into
// OUT_DIR (created if needed), replacing files atomically so a half-written
// archive never reaches the game. The bytes written do not depend on the
// number of jobs: results are collected per generator and written in
// generator-name order.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include "artgen.h"
#include "assets/lfl_writer.h"
#include "icon.h"

namespace {

constexpr int kDefaultJobs = 2;
constexpr int kMaxJobs = 64;

struct Options {
    int jobs = kDefaultJobs;
    bool timings = false;
    std::string outDir;
};

int usage() {
    std::fprintf(stderr, "usage: artgen [--jobs N] [--timings] OUT_DIR\n");
    return 2;
}

bool parse(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--timings") == 0) {
            o->timings = true;
        } else if (std::strcmp(a, "--jobs") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 1 || n > kMaxJobs) return false;
            o->jobs = int(n);
        } else if (a[0] != '-' && o->outDir.empty()) {
            o->outDir = a;
        } else {
            return false;
        }
    }
    return !o->outDir.empty();
}

bool writeOne(const std::filesystem::path& dir, const artgen::ArchiveOut& a) {
    const std::string temp = (dir / (a.fileName() + ".tmp")).string();
    if (!writeArchive(temp, a.records())) {
        std::fprintf(stderr, "artgen: cannot write %s\n", temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, dir / a.fileName(), ec);
    if (ec) {
        std::fprintf(stderr, "artgen: cannot place %s: %s\n", a.fileName().c_str(),
                     ec.message().c_str());
        return false;
    }
    return true;
}

// Refuses the whole run before anything is written: a duplicate generator
// name, a generator that failed, or an archive made twice.
bool resultsUsable(const std::vector<artgen::GeneratorResult>& results) {
    bool ok = true;
    for (const std::string& name : artgen::duplicateRegistrations()) {
        std::fprintf(stderr, "artgen: generator %s registered twice\n", name.c_str());
        ok = false;
    }
    std::set<std::string> seen;
    for (const artgen::GeneratorResult& r : results) {
        if (!r.error.empty()) {
            std::fprintf(stderr, "artgen: generator %s failed: %s\n", r.name.c_str(),
                         r.error.c_str());
            ok = false;
        }
        for (const artgen::ArchiveOut& a : r.archives) {
            if (!seen.insert(a.fileName()).second) {
                std::fprintf(stderr, "artgen: %s made twice\n", a.fileName().c_str());
                ok = false;
            }
        }
    }
    return ok;
}

// Archives an older generator made and this one no longer does: left in
// place they would still be loaded by the game and hide a missing name.
void removeStale(const std::filesystem::path& dir, const std::set<std::string>& made) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        const bool ours =
            entry.path().extension() == ".lfl" || (name.size() > 8 && name.ends_with(".lfl.tmp"));
        if (ours && !made.count(name)) std::filesystem::remove(entry.path(), ec);
    }
}

}  // namespace

// Cairo and fontconfig keep font caches for the process lifetime; freeing
// them at exit keeps the sanitizer build's leak check meaningful.
void releaseLibraryCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

int generate(int argc, char** argv) {
    Options opt;
    if (!parse(argc, argv, &opt)) return usage();
    const std::filesystem::path dir = opt.outDir;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    const std::vector<artgen::GeneratorResult> results = artgen::runGenerators(opt.jobs);
    if (!resultsUsable(results)) return 1;
    std::set<std::string> made;
    for (const artgen::GeneratorResult& r : results) {
        if (opt.timings) std::fprintf(stderr, "artgen: %-20s %7.2f s\n", r.name.c_str(), r.seconds);
        for (const artgen::ArchiveOut& a : r.archives) {
            if (!writeOne(dir, a)) return 1;
            made.insert(a.fileName());
        }
    }
    removeStale(dir, made);
    return 0;
}

// artgen --icon SIZE OUT.png: the desktop icon at one size.
int icon(int argc, char** argv) {
    char* end = nullptr;
    const long size = argc == 4 ? std::strtol(argv[2], &end, 10) : 0;
    if (!end || *end != '\0' || !artgen::writeIcon(int(size), argv[3])) {
        std::fprintf(stderr, "usage: artgen --icon SIZE(16..1024) OUT.png\n");
        return 2;
    }
    return 0;
}

int main(int argc, char** argv) {
    const bool iconMode = argc > 1 && std::strcmp(argv[1], "--icon") == 0;
    const int status = iconMode ? icon(argc, argv) : generate(argc, argv);
    releaseLibraryCaches();
    return status;
}
