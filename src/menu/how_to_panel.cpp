// The how-to panel: the pieces first, the card with its windows over them.
#include "menu/how_to_panel.h"

#include "board/piece_factory.h"
#include "shell/log.h"

kwHowToPanel::kwHowToPanel(kwLinkedFileList* list) : archive(list) {
    depth = kDepth;
    visible = false;
}

kwHowToPanel::~kwHowToPanel() = default;

namespace {
std::unique_ptr<kwPieceArt> loadedArt(kwPieceType type) {
    std::unique_ptr<kwPieceArt> art = makePieceArt(type);
    if (art) art->load();
    return art;
}
}  // namespace

bool kwHowToPanel::load() {
    if (loaded) return complete;
    loaded = true;
    card = std::make_unique<kwEyeTransparency>();
    kwLinkedFile* f = archive ? archive->find(kCardName) : nullptr;
    if (f) card->setLinkedFile(f);
    if (!card->file) {
        debugFail("kwHowToPanel::load - missing or unusable file", kCardName);
        card.reset();
    }
    appleArt = loadedArt(kwPieceType::Apple);
    orangeArt = loadedArt(kwPieceType::Orange);
    candyArt = loadedArt(kwPieceType::RedHardCandy);
    if (appleArt) apple = std::make_unique<kwPieceShowcase>(*appleArt);
    if (orangeArt) orange = std::make_unique<kwPieceShowcase>(*orangeArt);
    if (candyArt) {
        candy = std::make_unique<kwCandyShowcase>(*candyArt);
        // Placed now so the mouse finds it before the first draw.
        candy->setPosition(kCandySpot.x, kCandySpot.y);
    }
    complete = card != nullptr;
    return complete;
}

void kwHowToPanel::updateHover(int32_t qx, int32_t qy) {
    load();
    if (candy && candy->hitTest(qx, qy, true)) candy->highlight(true);
}

void kwHowToPanel::drawAt(kwPieceShowcase& showcase, Spot at) {
    showcase.x = at.x;
    showcase.y = at.y;
    showcase.draw();
}

void kwHowToPanel::draw() {
    load();
    if (orange) drawAt(*orange, kOrangeSpots[0]);
    if (apple) drawAt(*apple, kAppleSpots[0]);
    if (orange)
        for (size_t i = 1; i < kOrangeSpots.size(); ++i) drawAt(*orange, kOrangeSpots[i]);
    if (candy) {
        candy->setPosition(kCandySpot.x, kCandySpot.y);
        candy->draw();
    }
    if (apple) drawAt(*apple, kAppleSpots[1]);
    if (card && card->place()) card->draw();
}
