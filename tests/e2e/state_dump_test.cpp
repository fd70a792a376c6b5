// The state dump's board: what a whole-game script reads back about the
// pieces. A board opened on a bare scene (no art: the dump needs none)
// stands in for the play scene.
#include "app/state_dump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/json_writer.h"
#include "board/board_host.h"
#include "board/hand.h"
#include "board/piece.h"
#include "board/piece_list.h"
#include "board/piece_script.h"
#include "input/cursor.h"
#include "input/mouse.h"
#include "platform/headless/headless.h"
#include "render/scene.h"
#include "shell/clock.h"
#include "shell/game_state.h"
#include "shell/random.h"

namespace {

uint32_t g_now = 0;

// The value text of `"key":` in a flat JSON object, up to the next comma.
std::string field(const std::string& object, const std::string& key) {
    const std::string tag = "\"" + key + "\":";
    const size_t at = object.find(tag);
    if (at == std::string::npos) return "<missing " + key + ">";
    const size_t from = at + tag.size();
    return object.substr(from, object.find_first_of(",}", from) - from);
}

// The "play" value's text, and its pieces as one flat object text each.
// The "play" value and the closing brace of the dump ("menu" comes between).
std::string playText(const std::string& dump) {
    const size_t at = dump.find("\"play\":");
    if (at == std::string::npos) return "<missing>";
    std::string text = dump.substr(at + 7);
    const size_t menu = text.rfind(",\"menu\":");
    if (menu != std::string::npos) text = text.substr(0, menu) + "}";
    return text;
}

std::vector<std::string> pieces(const std::string& dump) {
    std::vector<std::string> out;
    const std::string play = playText(dump);
    const size_t open = play.find("\"pieces\":[");
    if (open == std::string::npos) return out;
    size_t at = open + 10;
    while (play[at] == '{') {
        const size_t end = play.find('}', at);
        out.push_back(play.substr(at, end - at + 1));
        at = end + 1;
        if (play[at] == ',') ++at;
    }
    return out;
}

class StateDumpBoard : public ::testing::Test {
protected:
    void SetUp() override {
        headlessReset();
        resetClock();
        g_now = 50000;
        setTickSource([] { return g_now; });
        seedRandomWith(7);
        gameState = kwGameState{};
        gameState.currentPlayer = 0;
        gameState.playPhase = PhasePlaying;
        ASSERT_TRUE(initInput());
        cursor = new kwCursor();
        setCursor(cursor, 15, 15);
        installHand();
    }
    void TearDown() override {
        scene.clear();  // the scripts go, and with them the pieces (the hand's too)
        host.closeBoard();
        delete cursor;
        cursor = nullptr;
        handHooks = kwHandHooks{};
        cursorSlot = kwCursorSlot{};
        shutdownInput();
        setTickSource(nullptr);
    }

    // Places a piece and runs its first run, so it stands idle.
    kwPiece* place(kwPieceType type, int32_t column, int32_t row, bool animate = false) {
        if (!host.placePiece(type, column, row, animate)) return nullptr;
        kwPiece* p = pieceList->pieceAt(column, row);
        p->script->run();
        return p;
    }

    kwScene scene;
    kwBoardHost host;
};

}  // namespace

// Numbers stay valid JSON: shortest text that reads back, no NaN or infinity.
TEST(StateDumpNumbers, ShortestTextAndNullForWhatJsonCannotHold) {
    kwJsonWriter j;
    j.beginArray()
        .number(nullptr, 0.1)
        .number(nullptr, -1.0)
        .number(nullptr, 1e21)
        .number(nullptr, std::nan(""))
        .number(nullptr, -INFINITY)
        .endArray();
    EXPECT_EQ(j.text(), "[0.1,-1,1e+21,null,null]");
}

TEST_F(StateDumpBoard, PlayIsNullExactlyWhileNoBoardIsOpen) {
    EXPECT_EQ(playText(stateDumpJson()), "null}");
    host.openBoard(&scene);
    host.levelPoints = 120;
    host.levelGoal = 4000;
    EXPECT_EQ(playText(stateDumpJson()), "{\"levelPoints\":120,\"levelGoal\":4000,\"pieces\":[]}}");
    host.closeBoard();
    EXPECT_EQ(playText(stateDumpJson()), "null}");
}

// Slot order, not placement order: a piece placed after a removal takes the
// freed slot. Positions are screen pixels (top-left origin) and follow the
// offset of a piece on its way to the next cell.
TEST_F(StateDumpBoard, PiecesInSlotOrderWithEveryField) {
    host.openBoard(&scene);
    kwPiece* apple = place(kwPieceType::Apple, 0, 0);
    kwPiece* lemon = place(kwPieceType::Lemon, 5, 5);
    kwPiece* banana = place(kwPieceType::Banana, 15, 10);
    ASSERT_TRUE(apple && lemon && banana);
    pieceList->remove(lemon);  // slot 1 free, as a pick-up leaves it
    kwPiece* candy = place(kwPieceType::RedHardCandy, 3, 7, true);
    ASSERT_TRUE(candy);
    apple->life = 12.3456f;
    apple->offsetX = 6;
    apple->offsetY = -4;
    banana->freeze();
    candy->strokes = 2;

    const std::vector<std::string> p = pieces(stateDumpJson());
    ASSERT_EQ(p.size(), 3u) << stateDumpJson();
    EXPECT_EQ(p[0],
              "{\"type\":0,\"column\":0,\"row\":0,\"x\":46,\"y\":568,\"life\":12.346,\"state\":1,"
              "\"frozen\":false,\"blinking\":false,\"carried\":false,\"strokes\":0}");
    EXPECT_EQ(field(p[1], "type"), "4");
    EXPECT_EQ(field(p[1], "x"), "184");  // 48 * 3 + 40
    EXPECT_EQ(field(p[1], "y"), "228");  // 564 - 48 * 7
    EXPECT_EQ(field(p[1], "blinking"), "true");
    EXPECT_EQ(field(p[1], "life"), "12.5");
    EXPECT_EQ(field(p[1], "strokes"), "2");
    EXPECT_EQ(field(p[2], "type"), "9");
    EXPECT_EQ(field(p[2], "x"), "760");
    EXPECT_EQ(field(p[2], "y"), "84");
    EXPECT_EQ(field(p[2], "frozen"), "true");
    EXPECT_EQ(field(p[2], "life"), "12");

    // Blinking is "still blinking in": over once 1200 ms have passed, drawn or not.
    g_now += kwPiece::kBlinkMs;
    EXPECT_EQ(field(pieces(stateDumpJson())[1], "blinking"), "false");
    // A dead piece's life reads as a plain negative number, its state as the script's.
    banana->life = -1.0f;
    banana->script->run();  // a frozen piece still starts dying
    const std::string dying = pieces(stateDumpJson())[2];
    EXPECT_EQ(field(dying, "life"), "-1");
    EXPECT_EQ(field(dying, "state"), std::to_string(Dying));
}

// A piece clicked at its dumped point is picked up; it then comes last,
// marked carried, drawn where the cursor draws it (mouse plus grab offset).
TEST_F(StateDumpBoard, PieceInTheHandComesLastAtTheCursor) {
    host.openBoard(&scene);
    ASSERT_TRUE(place(kwPieceType::Orange, 2, 2));
    ASSERT_TRUE(place(kwPieceType::Pear, 9, 4));
    std::vector<std::string> before = pieces(stateDumpJson());
    ASSERT_EQ(before.size(), 2u);
    const int32_t px = std::stoi(field(before[0], "x")), py = std::stoi(field(before[0], "y"));
    // Click 5 pixels right of and 3 below the orange's centre, in scene terms.
    handClick(px + 5 - kScreenWidth / 2, kScreenHeight / 2 - (py + 3));
    ASSERT_NE(handPiece(), nullptr);
    headlessMoveMouse(600, 200);

    const std::vector<std::string> after = pieces(stateDumpJson());
    ASSERT_EQ(after.size(), 2u) << stateDumpJson();
    EXPECT_EQ(field(after[0], "type"), "11");  // the pear, still listed
    EXPECT_EQ(field(after[0], "carried"), "false");
    EXPECT_EQ(field(after[1], "type"), "1");
    EXPECT_EQ(field(after[1], "carried"), "true");
    EXPECT_EQ(field(after[1], "column"), "2");
    EXPECT_EQ(field(after[1], "x"), "595");  // the grab offset (-5, +3) kept
    EXPECT_EQ(field(after[1], "y"), "197");
    EXPECT_NE(stateDumpJson().find("\"carrying\":true"), std::string::npos);

    handDrop();  // lands on the cell under the piece's centre
    const std::vector<std::string> dropped = pieces(stateDumpJson());
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(field(dropped[0], "type"), "1");  // back in the first free slot
    EXPECT_EQ(field(dropped[0], "carried"), "false");
    EXPECT_EQ(field(dropped[0], "column"), std::to_string(columnAt(595 - kScreenWidth / 2)));
}
