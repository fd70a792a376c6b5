// Rewrites PNG files compressed. The game's own writer stores pixels
// uncompressed (it carries no zlib); pictures committed to docs/ go through
// this first. Usage: png_squeeze FILE.png...
#include <cairo.h>

#include <cstdio>

namespace {
bool squeeze(const char* path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path);
    const bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
                    cairo_surface_write_to_png(s, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    if (!ok) std::fprintf(stderr, "png_squeeze: cannot rewrite %s\n", path);
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: png_squeeze FILE.png...\n", stderr);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i)
        if (!squeeze(argv[i])) status = 1;
    return status;
}
