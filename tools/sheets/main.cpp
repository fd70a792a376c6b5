// contact_sheets DATA_DIR OUT_DIR [ARCHIVE.lfl...]: one PNG per archive of
// DATA_DIR (or of the archives named), OUT_DIR/<archive>.png, showing every
// animation frame by frame and every picture as the game draws them, so the
// art can be reviewed without starting the game. Archives holding only
// sounds get no sheet. Exits non-zero if an archive cannot be read or a
// sheet cannot be written.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/linked_file.h"
#include "contact_sheet.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> archivesIn(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        if (e.is_regular_file() && e.path().extension() == ".lfl")
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Draws one archive's sheet; false on a failure worth a non-zero exit.
bool drawSheet(const fs::path& data, const fs::path& out, const std::string& archive) {
    kwLinkedFileList list;
    if (!list.add_lfl_path((data / archive).string())) {
        std::fprintf(stderr, "contact_sheets: cannot read %s\n", archive.c_str());
        return false;
    }
    ContactSheet sheet(archive, list);
    if (sheet.empty()) {
        std::printf("%-18s no pictures\n", archive.c_str());
        return true;
    }
    const fs::path png = out / (fs::path(archive).stem().string() + ".png");
    if (!sheet.writePng(png.string())) {
        std::fprintf(stderr, "contact_sheets: cannot write %s\n", png.c_str());
        return false;
    }
    std::printf("%-18s %5d x %-5d %s%s\n", archive.c_str(), sheet.width(), sheet.height(),
                png.c_str(),
                sheet.brokenFrames() ? ("  (" + std::to_string(sheet.brokenFrames()) +
                                        " missing or refused, drawn as red crosses)")
                                           .c_str()
                                     : "");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: contact_sheets DATA_DIR OUT_DIR [ARCHIVE.lfl...]\n");
        return 2;
    }
    const fs::path data = argv[1], out = argv[2];
    std::error_code ec;
    fs::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "contact_sheets: cannot make %s\n", out.c_str());
        return 1;
    }
    // Loose-file look-ups (a name missing from its archive) read the same folder.
    setDataFolder(data.string());
    std::vector<std::string> archives(argv + 3, argv + argc);
    if (archives.empty()) archives = archivesIn(data);
    if (archives.empty()) {
        std::fprintf(stderr, "contact_sheets: no archives in %s\n", data.c_str());
        return 1;
    }
    bool ok = true;
    for (const std::string& a : archives) ok = drawSheet(data, out, a) && ok;
    return ok ? 0 : 1;
}
