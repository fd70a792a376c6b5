// Run-length pictures decoded once, when they are ready to draw, into
// tables the blitters walk without parsing the runs again. Copies use the
// spans for pictures drawn whole (pictures clipped at any edge walk the
// runs); the masked blend uses the blocks wherever the picture lies.
//
// kwRunSpans: every run's column, length and place in the stream, for the
// copies and constant blends of the opaque bodies, grouped by length.
//
// kwMaskBlocks: a masked 16-bit picture regrouped into blocks of sixteen
// pixels with their mask bytes, each band of four rows in the shape that
// covers it with the least work. The soft layers of the art are rims and
// shadows: runs of one to three pixels, a few hundred a sprite, where walking
// the runs and blending them one by one cost far more than the blend
// itself. A block is one vector blend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/blit.h"

class kwRunSpans {
public:
    // Decodes a checked picture; `bytesPerPixel` is its depth now.
    void build(const kwRunLengthSource& source, int32_t width, int32_t height,
               int32_t bytesPerPixel);
    void clear();
    // Points the source at the table, when there is one.
    void attach(kwRunLengthSource* source) const;

private:
    std::vector<kwRunSpan> spans;  // in the groups of kSpanGroupFloor, each with its end
};

class kwMaskBlocks {
public:
    // Regroups a checked picture (16 bits per pixel) and its mask.
    void build(const kwRunLengthSource& source, int32_t width, int32_t height);
    void clear();
    void attach(kwRunLengthSource* source) const;

private:
    void assemble(std::vector<kwMaskBlock>& eights, const std::vector<kwMaskBlock>& lines,
                  const std::vector<kwMaskBlock>& squares, int32_t height);

    std::vector<kwMaskBlock> blocks;  // in the groups kwRunLengthSource describes
    uint32_t opaque = 0, pairs = 0, singles = 0, lines = 0;  // the ends of the first four groups
    int32_t reach = 0;  // columns the blocks span, from the left edge
};

// A checked run-length picture with its size and its depth now.
struct kwRunPicture {
    kwRunLengthSource source;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytesPerPixel = 0;
};

// Whether a pixel of `soft` whose mask byte is above 0, moved by (dx, dy),
// lies on a pixel of one of `solid`'s runs. Where none does, the two give
// the same picture drawn in either order, as mask 0 leaves the target as it
// is.
bool softMeetsSolid(const kwRunPicture& soft, const kwRunPicture& solid, int32_t dx, int32_t dy);
