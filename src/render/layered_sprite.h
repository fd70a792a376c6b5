// A layered sprite: the picture most of the game's art is made of. A soft
// alpha layer (shadow, glow, anti-aliased edge) blended through a per-pixel
// mask, under a base layer with run-length transparent areas. The three
// payloads come from one archive; a sprite missing any of them is incomplete
// and neither draws nor answers hits.
//
// Layers that share no pixel make the same picture in either order. The art
// is cut that way, and such a sprite draws its base first: the copy's stores
// bring the rows into the cache, where the blend then finds them, instead of
// the blend waiting on each row's first load.
//
// Such a sprite also keeps what its layers last handed the blitters (a
// ticket) and draws from it while nothing that went into it has changed:
// checking three payloads and their records on every draw meant reaching
// into memory the frame's pixels had long pushed out of the cache.
#pragma once

#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"

class kwLayeredSprite : public kwDrawable {
public:
    // Binds the three named files of `list` (which must outlive the sprite).
    kwLayeredSprite(const char* baseName, const char* alphaName, const char* maskName,
                    kwLinkedFileList* list);
    ~kwLayeredSprite() override;
    kwLayeredSprite(const kwLayeredSprite&) = delete;
    kwLayeredSprite& operator=(const kwLayeredSprite&) = delete;

    int32_t getWidth() override { return baseLayer->getWidth(); }
    int32_t getHeight() override { return baseLayer->getHeight(); }
    void draw() override;
    bool place() override { return true; }
    bool hitTest(int32_t qx, int32_t qy, bool exact) override;

    // All three files were found and bound.
    bool isComplete() const { return complete; }
    // The layers were found to share no pixel, for the payloads bound now.
    bool layersApart() const;

    std::unique_ptr<kwEyeTransparencyConstantAlpha> baseLayer;
    std::unique_ptr<kwEyeTransparencyMaskedAlpha> alphaLayer;
    std::unique_ptr<kwAlphaMask> mask;

private:
    // What the layer order was learnt from: the payloads' bytes, which move
    // when a payload changes depth. A conversion in place keeps the runs.
    struct Payloads {
        const uint8_t* base = nullptr;
        const uint8_t* alpha = nullptr;
        const uint8_t* mask = nullptr;
        bool operator==(const Payloads&) const = default;
    };
    // What both layers hand the blitters, body first, and what it rests on.
    struct Ticket {
        kwReadyRuns base, alpha;
        uint64_t epoch = 0;
        uint32_t format = 0;
        int32_t bpp = 0;
        bool vectorRows = false;
        bool valid = false;
    };

    Payloads payloads() const;
    void learnLayerOrder();
    void drawApart();
    bool ticketHolds() const;
    void drawTicket();

    bool complete = false;
    bool apart = false;
    Payloads learntFrom;  // all null until the order is first learnt
    Ticket ticket;
};
