#include "board/piece_factory.h"

#include "board/fruit/apple.h"
#include "board/fruit/apple_art.h"
#include "board/fruit/banana.h"
#include "board/fruit/banana_art.h"
#include "board/fruit/lemon.h"
#include "board/fruit/lemon_art.h"
#include "board/fruit/orange.h"
#include "board/fruit/orange_art.h"
#include "board/fruit/pear.h"
#include "board/fruit/pear_art.h"
#include "board/fruit/watermelon.h"
#include "board/fruit/watermelon_art.h"
#include "board/sweets/brush.h"
#include "board/sweets/brush_art.h"
#include "board/sweets/chocolate.h"
#include "board/sweets/chocolate_art.h"
#include "board/sweets/chomp.h"
#include "board/sweets/chomp_art.h"
#include "board/sweets/cone.h"
#include "board/sweets/cone_art.h"
#include "board/sweets/donut.h"
#include "board/sweets/donut_art.h"
#include "board/sweets/orange_hard_candy.h"
#include "board/sweets/orange_hard_candy_art.h"
#include "board/sweets/red_hard_candy.h"
#include "board/sweets/red_hard_candy_art.h"
#include "board/sweets/yellow_hard_candy.h"
#include "board/sweets/yellow_hard_candy_art.h"

namespace {
template <class Piece, class Script>
kwPieceScript* make(kwPieceArt* art) {
    return new Script(new Piece(art));
}
}  // namespace

kwPieceScript* makePiece(kwPieceType type, kwPieceArt* art) {
    switch (type) {
        case kwPieceType::Apple:
            return make<kwApple, kwAppleScript>(art);
        case kwPieceType::Orange:
            return make<kwOrange, kwOrangeScript>(art);
        case kwPieceType::Lemon:
            return make<kwLemon, kwLemonScript>(art);
        case kwPieceType::Chocolate:
            return make<kwChocolate, kwChocolateScript>(art);
        case kwPieceType::RedHardCandy:
            return make<kwRedHardCandy, kwRedHardCandyScript>(art);
        case kwPieceType::OrangeHardCandy:
            return make<kwOrangeHardCandy, kwOrangeHardCandyScript>(art);
        case kwPieceType::YellowHardCandy:
            return make<kwYellowHardCandy, kwYellowHardCandyScript>(art);
        case kwPieceType::Brush:
            return make<kwBrush, kwBrushScript>(art);
        case kwPieceType::Watermelon:
            return make<kwWatermelon, kwWatermelonScript>(art);
        case kwPieceType::Banana:
            return make<kwBanana, kwBananaScript>(art);
        case kwPieceType::Donut:
            return make<kwDonut, kwDonutScript>(art);
        case kwPieceType::Pear:
            return make<kwPear, kwPearScript>(art);
        case kwPieceType::Cone:
            return make<kwCone, kwConeScript>(art);
        case kwPieceType::Chomp:
            return make<kwChomp, kwChompScript>(art);
        default:
            return nullptr;
    }
}

std::unique_ptr<kwPieceArt> makePieceArt(kwPieceType type) {
    switch (type) {
        case kwPieceType::Apple:
            return std::make_unique<kwAppleArt>();
        case kwPieceType::Orange:
            return std::make_unique<kwOrangeArt>();
        case kwPieceType::Lemon:
            return std::make_unique<kwLemonArt>();
        case kwPieceType::Chocolate:
            return std::make_unique<kwChocolateArt>();
        case kwPieceType::RedHardCandy:
            return std::make_unique<kwRedHardCandyArt>();
        case kwPieceType::OrangeHardCandy:
            return std::make_unique<kwOrangeHardCandyArt>();
        case kwPieceType::YellowHardCandy:
            return std::make_unique<kwYellowHardCandyArt>();
        case kwPieceType::Brush:
            return std::make_unique<kwBrushArt>();
        case kwPieceType::Watermelon:
            return std::make_unique<kwWatermelonArt>();
        case kwPieceType::Banana:
            return std::make_unique<kwBananaArt>();
        case kwPieceType::Donut:
            return std::make_unique<kwDonutArt>();
        case kwPieceType::Pear:
            return std::make_unique<kwPearArt>();
        case kwPieceType::Cone:
            return std::make_unique<kwConeArt>();
        case kwPieceType::Chomp:
            return std::make_unique<kwChompArt>();
        default:
            return nullptr;
    }
}
