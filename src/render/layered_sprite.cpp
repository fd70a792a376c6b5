// Layered sprites: binding the three files, drawing the alpha layer under the
// base layer (or the base first where they share no pixel), and hit-testing
// either.
#include "render/layered_sprite.h"

#include "render/render_target.h"
#include "shell/flags.h"
#include "shell/log.h"

namespace {

kwLinkedFile* findPart(kwLinkedFileList* list, const char* name) {
    return (list && name) ? list->find(name) : nullptr;
}

// Places the layer at the sprite's position and draws it if it is on screen.
void drawLayer(kwEye& layer, float x, float y) {
    layer.x = x;
    layer.y = y;
    targetScreen();
    if (layer.place()) layer.draw();
}

// The same with what the layer handed over before. Only the layer's first
// fields are read, and nothing is written to it: the rest of its record is
// seldom still in the cache.
void drawLayerFrom(const kwEye& layer, float x, float y, const kwReadyRuns& ready) {
    kwPlacement at{0, 0, ready.width, ready.rows};
    if (placeOnTarget(x, y, layer.width, layer.height, &at.left, &at.top))
        blitRunLength(renderTarget, pixelFormat, at, ready.source, ready.blend);
}

}  // namespace

kwLayeredSprite::kwLayeredSprite(const char* baseName, const char* alphaName, const char* maskName,
                                 kwLinkedFileList* list)
    : baseLayer(std::make_unique<kwEyeTransparencyConstantAlpha>()),
      alphaLayer(std::make_unique<kwEyeTransparencyMaskedAlpha>()),
      mask(std::make_unique<kwAlphaMask>()) {
    kwLinkedFile* base = findPart(list, baseName);
    kwLinkedFile* alpha = findPart(list, alphaName);
    kwLinkedFile* maskFile = findPart(list, maskName);
    if (base) baseLayer->setLinkedFile(base);
    if (maskFile) mask->setLinkedFile(maskFile);
    if (alpha) alphaLayer->setLinkedFile(alpha);
    alphaLayer->setMask(mask.get());
    // A payload too short to bind leaves the image without its file.
    complete = baseLayer->file && alphaLayer->file && mask->file;
    if (!complete) {
        const char* missing = !baseLayer->file    ? baseName
                              : !alphaLayer->file ? alphaName
                                                  : maskName;
        debugFail("kwLayeredSprite::kwLayeredSprite - missing or unusable file",
                  missing ? missing : "(null)");
    }
}

// The alpha layer points at the mask, so it goes before the mask.
kwLayeredSprite::~kwLayeredSprite() {
    alphaLayer.reset();
    mask.reset();
    baseLayer.reset();
}

void kwLayeredSprite::draw() {
    if (!complete) return;
    if (ticketHolds()) return drawTicket();
    ticket.valid = false;
    if (layersApart()) return drawApart();
    drawLayer(*alphaLayer, x, y);
    drawLayer(*baseLayer, x, y);
    learnLayerOrder();
}

kwLayeredSprite::Payloads kwLayeredSprite::payloads() const {
    return Payloads{baseLayer->file->data, alphaLayer->file->data, mask->file->data};
}

bool kwLayeredSprite::layersApart() const {
    return complete && apart && learntFrom == payloads();
}

// After a draw in the layers' own order, which has made both payloads
// ready (and may have moved them, so they are read again here): once for
// each set of payloads. An unusable one keeps that order. Nothing learnt
// yet reads as payloads all null, which could only be learnt as not apart.
void kwLayeredSprite::learnLayerOrder() {
    const Payloads now = payloads();
    if (learntFrom == now) return;
    learntFrom = now;
    apart = false;
    kwRunPicture soft, solid;
    if (!alphaLayer->checkedSoftRuns(&soft) || !baseLayer->checkedRuns(&solid)) return;
    // place() centres each layer on the sprite's position by its own size.
    const int32_t dx = baseLayer->width / 2 - alphaLayer->width / 2;
    const int32_t dy = baseLayer->height / 2 - alphaLayer->height / 2;
    apart = !softMeetsSolid(soft, solid, dx, dy);
}

// Body first, from what each layer hands over now, which is kept as the
// ticket when both draw and the body copies. A body at less than full
// opacity blends rather than copies: such a sprite keeps coming this way.
void kwLayeredSprite::drawApart() {
    Ticket t;
    const bool base = baseLayer->readySource(&t.base);
    const bool alpha = alphaLayer->readySource(&t.alpha);
    targetScreen();
    if (base) drawLayerFrom(*baseLayer, x, y, t.base);
    if (alpha) drawLayerFrom(*alphaLayer, x, y, t.alpha);
    t.valid = base && alpha && t.base.blend.mode == kwBlendMode::Copy;
    t.epoch = payloadEpoch();  // after the layers made ready whatever they had to
    t.format = pixelFormat.formatWord();
    t.bpp = pixelFormat.bpp;
    t.vectorRows = appFlags.mmxAvailable;
    ticket = t;
}

// Visibility and the body's opacity are fields anyone may set, so they are
// read each time; everything else a layer checks moves the payload epoch.
bool kwLayeredSprite::ticketHolds() const {
    return ticket.valid && ticket.epoch == payloadEpoch() && ticket.bpp == pixelFormat.bpp &&
           ticket.format == pixelFormat.formatWord() &&
           ticket.vectorRows == appFlags.mmxAvailable && baseLayer->visible &&
           baseLayer->opacity >= 255 && alphaLayer->visible;
}

void kwLayeredSprite::drawTicket() {
    targetScreen();
    drawLayerFrom(*baseLayer, x, y, ticket.base);
    drawLayerFrom(*alphaLayer, x, y, ticket.alpha);
}

bool kwLayeredSprite::hitTest(int32_t qx, int32_t qy, bool exact) {
    if (!complete) return false;
    alphaLayer->x = baseLayer->x = x;
    alphaLayer->y = baseLayer->y = y;
    return alphaLayer->hitTest(qx, qy, exact) || baseLayer->hitTest(qx, qy, exact);
}
