// The sweets' rules: fixed-order eating, each type's idle order, the donut's
// roll, the cone's ray, the chomp's meals, dying, flying off and freezing.
// Most cases run one piece alone so the rest of the board stands still.
#include <string>
#include <utility>
#include <vector>

#include "board/board_invariants.h"
#include "board/sweets/chomp.h"
#include "board/sweets/cone.h"
#include "board/sweets/donut.h"
#include "board_helpers.h"
#include "shell/game_state.h"
#include "shell/random.h"

using T = kwPieceType;
using D = kwDirection;
using Pair = std::pair<int32_t, int32_t>;

class SweetTest : public BoardTest {
protected:
    static constexpr uint32_t kRunMs = 25;

    static bool isFidget(uint32_t s) { return s == AmbientB || s == AmbientC || s == AmbientD; }
    static bool eaten(const kwPiece* p) { return p->script->state == Eaten; }
    static Pair at(const kwPiece* p) { return {p->column, p->row}; }
    // Runs only this piece, `runs` times one interval apart.
    void runAlone(kwPiece* p, int runs = 1) {
        for (int i = 0; i < runs; ++i) {
            g_boardNow += kRunMs;
            runOnce(p);
            ASSERT_EQ(checkBoardInvariants(), "") << "run " << i;
        }
    }
    // Runs only this piece until `done` holds; the number of runs it took.
    template <class F>
    int runAloneUntil(kwPiece* p, F done, int limit) {
        int n = 0;
        for (; !done() && n < limit && !HasFatalFailure(); ++n) runAlone(p);
        return n;
    }
    // Places `n` pieces in a line, starting beside (column, row) toward d.
    void placeLine(T type, int32_t column, int32_t row, D d, int n) {
        for (kwCell c{column, row}; n-- > 0;) {
            c = neighbourCell(c.column, c.row, d);
            place(type, c.column, c.row);
        }
    }
    // Lays out row 5 from a picture and returns the donut: D donut, a apple,
    // b banana, B banana blinking in, o orange, w watermelon, # a cell taken
    // by a piece moving in from above, . empty.
    kwPiece* layRow(const std::string& cells) {
        kwPiece* donut = nullptr;
        for (int32_t c = 0; c < int32_t(cells.size()); ++c) {
            const char k = cells[size_t(c)];
            if (k == '#') {
                kwPiece* mover = place(T::Apple, c, 6);
                mover->script->state = Moving;
                mover->script->direction = D::Down;
                mover->claim(D::Down);
            }
            const size_t i = std::string("DabBow").find(k);
            if (i == std::string::npos) continue;
            const T types[] = {T::Donut, T::Apple, T::Banana, T::Banana, T::Orange, T::Watermelon};
            kwPiece* p = place(types[i], c, 5);
            if (k == 'B') p->startBlinking();
            if (k == 'D') donut = p;
        }
        return donut;
    }
    int eatenCount() const {
        int n = 0;
        for (const kwPiece* p : pieceList->slots) n += p && eaten(p);
        return n;
    }
};

class SweetRules : public SweetTest {};
class DonutRoll : public SweetTest {};
class ConeRay : public SweetTest {};
class ChompMeals : public SweetTest {};

// Right, left, up, down: the first neighbour that is prey. One baseLife of
// life, the eater's own animation, the bad sound but for the chomp.
TEST_F(SweetRules, EatersTakeTheFirstPreyInTheFixedOrder) {
    kwPiece* apple = place(T::Apple, 4, 5);
    kwPiece* red = place(T::RedHardCandy, 5, 5);
    kwPiece* melon = place(T::Watermelon, 6, 5);
    runAlone(red);
    EXPECT_TRUE(eaten(melon) && !eaten(apple));
    struct Case {
        T eater, prey, other;
        int32_t animation;
    };
    for (Case c : {Case{T::RedHardCandy, T::Apple, T::Orange, AnimAmbientC},
                   {T::OrangeHardCandy, T::Orange, T::Lemon, AnimAmbientC},
                   {T::YellowHardCandy, T::Lemon, T::Apple, AnimAmbientD},
                   {T::Donut, T::Banana, T::Pear, AnimAmbientC},
                   {T::Cone, T::Pear, T::Lemon, AnimAmbientC},
                   {T::Chomp, T::Chocolate, T::Apple, AnimAmbientB}}) {
        SCOPED_TRACE(int(c.eater));
        scene->clear();
        host->goodEats = host->badEats = 0;
        // Non-prey right, prey left, up and down; and prey up and down only.
        kwPiece* e = place(c.eater, 5, 5);
        place(c.other, 6, 5);
        kwPiece* left = place(c.prey, 4, 5);
        place(c.prey, 5, 6);
        place(c.prey, 5, 4);
        kwPiece* e2 = place(c.eater, 11, 5);
        kwPiece* up2 = place(c.prey, 11, 6);
        place(c.prey, 11, 4);
        runAlone(e);
        runAlone(e2);
        EXPECT_TRUE(eaten(left) && eaten(up2));
        EXPECT_EQ(eatenCount(), 2);
        EXPECT_EQ(e->script->state, Moving);
        EXPECT_EQ(e->life, 2 * e->baseLife());
        EXPECT_EQ(e->current, e->player(c.animation));
        EXPECT_TRUE(e->current->isPlaying());
        EXPECT_TRUE(e->claims[size_t(D::Left)]);
        const bool chomp = c.eater == T::Chomp;
        EXPECT_EQ(host->goodEats, chomp ? 2 : 0);
        EXPECT_EQ(host->badEats, chomp ? 0 : 2);
    }
}

TEST_F(SweetRules, ChocolateNeverMovesAndFidgetsShortMostOften) {
    ageing = false;
    std::vector<kwPiece*> chocs;
    const int32_t columns[] = {6, 7, 8, 12};  // one with neighbours, all with room
    for (int32_t c : columns) chocs.push_back(place(T::Chocolate, c, 5));
    std::vector<uint32_t> last(chocs.size(), Idle), meltStart(chocs.size(), 0);
    int entries[3] = {}, meltReplays = 0;
    for (int i = 0; i < 30000 && !HasFatalFailure(); ++i) {
        frame();
        for (size_t k = 0; k < chocs.size(); ++k) {
            const uint32_t s = chocs[k]->script->state;
            const uint32_t melt = chocs[k]->ambientD->start_time;
            ASSERT_TRUE(s == Idle || isFidget(s)) << s;
            if (s != last[k] && isFidget(s)) ++entries[s == AmbientB ? 0 : s == AmbientC ? 1 : 2];
            meltReplays += s == AmbientD && last[k] == AmbientD && melt != meltStart[k];
            meltStart[k] = melt;
            last[k] = s;
        }
    }
    for (size_t k = 0; k < chocs.size(); ++k) EXPECT_EQ(at(chocs[k]), Pair(columns[k], 5));
    EXPECT_GT(entries[1], 0);
    EXPECT_GT(entries[2], 0);
    EXPECT_GT(entries[0], 2 * entries[1]);  // 3 : 1 : 1
    EXPECT_GT(entries[0], 2 * entries[2]);
    EXPECT_GT(meltReplays, entries[2]);  // ambient_d comes back seven times in ten
}

TEST_F(SweetRules, HuntersChaseTheirPreyInTheirOwnOrder) {
    // Red: apples before watermelons, even when a watermelon is nearer.
    kwPiece* red = place(T::RedHardCandy, 5, 5);
    place(T::Apple, 12, 5);
    place(T::Watermelon, 1, 5);
    runAlone(red);
    EXPECT_EQ(red->script->state, Moving);
    EXPECT_EQ(red->script->direction, D::Right);
    kwPiece* orange = place(T::OrangeHardCandy, 9, 1);
    place(T::Orange, 9, 9);
    runAlone(orange);
    EXPECT_EQ(orange->script->direction, D::Up);
    // The chomp: the nearest sweet, showing its rest face; fruit is no food.
    kwPiece* chomp = place(T::Chomp, 2, 3);
    place(T::RedHardCandy, 2, 6);
    place(T::Apple, 1, 4);
    runAlone(chomp);
    EXPECT_EQ(chomp->script->state, Moving);
    EXPECT_EQ(chomp->script->direction, D::Up);
    EXPECT_EQ(chomp->current, chomp->ambientA.get());
    // Yellow: a run that starts a fidget does not also step toward the lemon.
    int fidgets = 0, steps = 0;
    for (uint32_t seed = 1; seed <= 200 && !HasFatalFailure(); ++seed) {
        scene->clear();
        seedRandomWith(seed);
        kwPiece* y = place(T::YellowHardCandy, 3, 5);
        place(T::Lemon, 12, 5);
        runAlone(y);
        const uint32_t s = y->script->state;
        if (!isFidget(s)) {
            ++steps;
            EXPECT_EQ(s, Moving);
            EXPECT_EQ(y->script->direction, D::Right);
            continue;
        }
        ++fidgets;
        EXPECT_FALSE(y->claims[size_t(D::Right)]);
        // The long fidgets swap: state 100 shows ambient_d, 101 ambient_c.
        const int32_t shown = s == AmbientB   ? AnimAmbientB
                              : s == AmbientC ? AnimAmbientD
                                              : AnimAmbientC;
        EXPECT_EQ(y->current, y->player(shown));
    }
    EXPECT_GT(fidgets, 3);  // one run in five
    EXPECT_GT(steps, 2 * fidgets);
}

TEST_F(SweetRules, SweetsDieWithTheirOwnAnimation) {
    std::vector<kwPiece*> dying;
    for (auto [type, animation] : {std::pair{T::Chocolate, AnimAmbientD},
                                   {T::RedHardCandy, AnimAmbientC},
                                   {T::OrangeHardCandy, AnimAmbientC},
                                   {T::YellowHardCandy, AnimAmbientD},
                                   {T::Donut, AnimShock},
                                   {T::Cone, AnimShock},
                                   {T::Chomp, AnimAmbientC}}) {
        kwPiece* p = place(type, 2 * int32_t(dying.size()), 5);
        p->setLife(0.0f);
        runAlone(p);
        EXPECT_EQ(p->script->state, Dying) << int(type);
        EXPECT_EQ(p->current, p->player(animation)) << int(type);
        dying.push_back(p);
    }
    advance(800);
    for (kwPiece* p : dying) EXPECT_TRUE(alive(p)) << int(p->pieceType());
    advance(250);
    for (kwPiece* p : dying) EXPECT_FALSE(alive(p));
}

TEST_F(SweetRules, BrushedOffSweetsFlyAwayFromTheMiddle) {
    kwPiece* choc = place(T::Chocolate, 8, 5);
    kwPiece* candy = place(T::RedHardCandy, 0, 0);
    kwPiece* apple = place(T::Apple, 1, 0);
    choc->brushStroke();
    EXPECT_TRUE(choc->finished);
    candy->brushStroke();
    candy->brushStroke();
    EXPECT_FALSE(candy->finished);
    candy->brushStroke();
    EXPECT_EQ(Pair(choc->flyDx, choc->flyDy), Pair(5, 5));
    EXPECT_EQ(Pair(candy->flyDx, candy->flyDy), Pair(-40, -25));
    // Gone from the game: nothing eats or freezes a sweet on its way out.
    runAlone(place(T::Chomp, 9, 5));
    EXPECT_FALSE(eaten(choc));
    pieceList->freezeAt(0, 0);
    EXPECT_FALSE(candy->frozen);
    // Done once past 1000 across and 800 up or down: 33 and 201 runs.
    const auto finished = [](kwPiece* p) { return [p] { return p->script->state == Finished; }; };
    EXPECT_EQ(runAloneUntil(candy, finished(candy), 300), 33);
    EXPECT_FALSE(eaten(apple));  // a flying candy eats nothing
    EXPECT_EQ(runAloneUntil(choc, finished(choc), 300), 201);
    frame(kRunMs);
    EXPECT_FALSE(alive(choc) || alive(candy));
}

TEST_F(SweetRules, FrozenSweetsDoNothingButConesAndChompsIgnoreTheFlag) {
    std::vector<kwPiece*> frozen, prey;
    for (auto [sweet, food] : {std::pair{T::Chocolate, T::Chocolate},
                               {T::RedHardCandy, T::Apple},
                               {T::OrangeHardCandy, T::Orange},
                               {T::YellowHardCandy, T::Lemon},
                               {T::Donut, T::Banana}}) {
        const int32_t column = 3 * int32_t(frozen.size());
        frozen.push_back(place(sweet, column, 1));
        prey.push_back(place(food, column + 1, 1));
        pieceList->freezeAt(column, 1);
    }
    for (kwPiece* p : frozen) {
        ASSERT_TRUE(p->frozen);
        runAlone(p, 400);
        EXPECT_EQ(p->script->state, Idle) << int(p->pieceType());
        EXPECT_EQ(p->current, p->ambientA.get());
    }
    EXPECT_EQ(eatenCount(), 0);
    // A stroke thaws without counting; thawed, the candy eats.
    frozen[1]->brushStroke();
    EXPECT_FALSE(frozen[1]->frozen);
    EXPECT_EQ(frozen[1]->strokes, 0);
    runAlone(frozen[1]);
    EXPECT_TRUE(eaten(prey[1]));
    // A cone and a chomp never freeze: even flagged frozen they eat. A frozen
    // sweet that is eaten is gone 500 ms later.
    kwPiece* cone = place(T::Cone, 2, 6);
    kwPiece* banana = place(T::Banana, 3, 6);
    kwPiece* chomp = place(T::Chomp, 10, 6);
    kwPiece* candy = place(T::RedHardCandy, 11, 6);
    candy->freeze();
    cone->frozen = chomp->frozen = true;
    runAlone(cone);
    EXPECT_TRUE(eaten(banana));
    runAlone(chomp);
    ASSERT_TRUE(eaten(candy));
    runAlone(candy, 19);
    EXPECT_EQ(candy->script->state, Eaten);
    runAlone(candy);
    EXPECT_EQ(candy->script->state, Finished);
}

// Orange in column 5, empty 4, banana in 3, from column 6: both eaten, one
// meal on the way, five cells, then ambient_d three times.
TEST_F(DonutRoll, RollsThroughALineAndIsDizzyAfterAMealOnTheWay) {
    kwPiece* donut = layRow("...b.oD");
    auto& s = scriptOf<kwDonutScript>(donut);
    const auto drawnAt = [&] { return Pair(donut->column, donut->offsetX); };
    runAlone(donut);
    ASSERT_EQ(s.state, Acting);
    EXPECT_EQ(eatenCount(), 1);
    EXPECT_EQ(donut->life, 12.5f + 31.25f);
    EXPECT_TRUE(donut->claims[size_t(D::Left)]);
    EXPECT_EQ(donut->current, donut->special.get());
    runAlone(donut, 24);
    EXPECT_EQ(drawnAt(), Pair(6, -48));
    runAlone(donut);
    EXPECT_EQ(drawnAt(), Pair(5, 0));
    runAlone(donut, 99);
    EXPECT_EQ(s.state, Acting);
    runAlone(donut);
    EXPECT_EQ(donut->column, 1);
    ASSERT_EQ(s.state, AmbientD);
    EXPECT_EQ(eatenCount(), 2);
    EXPECT_EQ(donut->life, 12.5f + 2 * 31.25f);
    EXPECT_EQ(host->badEats + host->goodEats, 0);  // rolling is silent
    // ambient_d (200 ms) three times, then idle.
    int plays = 1;
    uint32_t started = donut->ambientD->start_time;
    const auto replayed = [&] {
        plays += donut->ambientD->start_time != started;
        started = donut->ambientD->start_time;
        return s.state != AmbientD;
    };
    const int runs = runAloneUntil(donut, replayed, 100);
    EXPECT_EQ(plays, 3);
    EXPECT_GE(runs * kRunMs, 600u);
    EXPECT_LE(runs * kRunMs, 600u + 3 * kRunMs);
    EXPECT_EQ(s.state, Idle);
}

// A roll stops at the first piece it cannot eat, or after five cells; dizzy
// only after a meal on the way.
TEST_F(DonutRoll, StartsFromColumnSixWithOnlyPreyInTheFourCellsLeft) {
    struct Case {
        const char* row;
        bool rolls;
        int32_t endColumn = 0, meals = 0;
        uint32_t endState = Idle;
    };
    for (Case c : {Case{"....bD", false},  // column 5
                   {"..b...D", true, 1, 1, AmbientD},
                   {"..b....D", false},  // five cells away
                   {".....a..bD", false},
                   {"....a...bD", true, 5},
                   {"....#...bD", true, 5},
                   {"........bD", true, 4},
                   {"...bbb..bD", true, 4, 2, AmbientD},
                   {"......Bb.D", false},
                   {".......b#D", false},
                   {"......bowD", true, 4, 2, AmbientD}}) {
        SCOPED_TRACE(c.row);
        scene->clear();
        kwPiece* donut = layRow(c.row);
        const bool adjacent = pieceList->pieceAt(donut->column - 1, 5);
        auto& s = scriptOf<kwDonutScript>(donut);
        EXPECT_EQ(s.startRoll(), c.rolls);
        EXPECT_EQ(checkBoardInvariants(), "");
        EXPECT_EQ(s.state, c.rolls ? Acting : Idle);
        EXPECT_EQ(donut->claims[size_t(D::Left)], c.rolls);
        EXPECT_EQ(eatenCount(), c.rolls && adjacent ? 1 : 0);
        EXPECT_EQ(donut->life, c.rolls && adjacent ? 43.75f : 12.5f);
        if (!c.rolls) continue;
        runAloneUntil(
            donut, [&] { return s.state != Acting; }, 130);
        EXPECT_EQ(donut->column, c.endColumn);
        EXPECT_EQ(s.rollMeals, c.meals);
        EXPECT_EQ(s.state, c.endState);
        EXPECT_EQ(eatenCount(), c.meals + adjacent);
    }
    // In column 5 the donut eats its neighbour the ordinary way.
    scene->clear();
    kwPiece* donut = layRow("....bD");
    runAlone(donut);
    EXPECT_EQ(donut->script->state, Moving);
    EXPECT_EQ(host->badEats, 1);
}

TEST_F(ConeRay, CountsOnlyWholeLinesOfEatableUnfrozenTargets) {
    struct Case {
        int32_t column, row;
        D d;
        int32_t count;
    };
    for (Case c : {Case{5, 6, D::Up, 2},
                   {5, 7, D::Up, 0},
                   {5, 4, D::Down, 2},
                   {5, 3, D::Down, 0},
                   {4, 5, D::Left, 2},
                   {3, 5, D::Left, 0},
                   {11, 5, D::Right, 2},
                   {12, 5, D::Right, 0}}) {
        SCOPED_TRACE(c.column * 100 + c.row);
        scene->clear();
        kwPiece* cone = place(T::Cone, c.column, c.row);
        placeLine(T::Banana, c.column, c.row, c.d, 2);
        EXPECT_EQ(scriptOf<kwConeScript>(cone).countTargets(c.d), c.count);
        runAlone(cone);
        EXPECT_EQ(cone->script->state == Acting, c.count >= 2);
    }
    // Only unfrozen pieces of its own types that may be eaten now count.
    scene->clear();
    kwPiece* cone = place(T::Cone, 2, 5);
    place(T::Watermelon, 3, 5);
    place(T::Pear, 4, 5);
    place(T::Lemon, 5, 5);
    kwPiece* banana = place(T::Banana, 6, 5);
    pieceList->freezeAt(4, 5);
    banana->script->state = Moving;
    auto& s = scriptOf<kwConeScript>(cone);
    EXPECT_EQ(s.countTargets(D::Right), 1);
    EXPECT_EQ(s.targetCount, 1);
    banana->script->state = Idle;
    EXPECT_EQ(s.countTargets(D::Right), 2);
}

TEST_F(ConeRay, FiresAlongTheRichestLineAndFreezesEverythingEatableInIt) {
    kwPiece* cone = place(T::Cone, 2, 5);
    kwPiece* chomp = place(T::Chomp, 3, 5);
    kwPiece* banana = place(T::Banana, 4, 5);
    kwPiece* lemon = place(T::Lemon, 5, 5);
    kwPiece* pear = place(T::Pear, 6, 5);
    kwPiece* apple = place(T::Apple, 7, 5);
    auto& s = scriptOf<kwConeScript>(cone);
    runAlone(cone);
    ASSERT_EQ(s.state, Acting);
    EXPECT_EQ(s.fireDirection, int32_t(D::Right));
    EXPECT_EQ(cone->current, static_cast<kwCone*>(cone)->frRight.get());
    EXPECT_FALSE(banana->frozen);  // not until the ray has played
    // The ray plays 20 frames at 15 a second.
    const int runs = runAloneUntil(
        cone, [&] { return s.state != Acting; }, 100);
    EXPECT_GE(runs * kRunMs, 1333u);
    EXPECT_LT(runs * kRunMs, 1333u + 2 * kRunMs);
    EXPECT_EQ(s.state, Idle);
    EXPECT_TRUE(banana->frozen && lemon->frozen && pear->frozen);
    EXPECT_FALSE(chomp->frozen || apple->frozen || cone->frozen);
    runAlone(cone);  // its targets are frozen now: no second shot
    EXPECT_NE(s.state, Acting);

    // Ties go up, down, left, right; a richer line beats the order.
    struct Case {
        std::vector<D> twoTargets;
        bool thirdRight;
        D fires;
    };
    for (const Case& c :
         {Case{{D::Up, D::Down, D::Left, D::Right}, false, D::Up},
          Case{{D::Up, D::Right}, false, D::Up}, Case{{D::Down, D::Left, D::Right}, false, D::Down},
          Case{{D::Left, D::Right}, false, D::Left}, Case{{D::Up, D::Right}, true, D::Right}}) {
        scene->clear();
        kwPiece* c7 = place(T::Cone, 7, 5);
        for (D d : c.twoTargets) placeLine(T::Banana, 7, 5, d, 2);
        if (c.thirdRight) place(T::Watermelon, 10, 5);
        runAlone(c7);
        EXPECT_EQ(c7->script->state, Acting);
        EXPECT_EQ(scriptOf<kwConeScript>(c7).fireDirection, int32_t(c.fires));
    }
}

TEST_F(ConeRay, BreedsOnlyWithTwentySecondsOfLife) {
    ageing = false;
    kwPiece* thin = place(T::Cone, 2, 2);
    kwPiece* fed = place(T::Cone, 12, 8);
    thin->setLife(19.99f);
    fed->setLife(20.0f);
    ASSERT_TRUE(until([&] { return host->births > 0; }, 10000));
    EXPECT_EQ(fed->life, 10.0f);
    advance(10000);
    EXPECT_EQ(host->births, 1);
    EXPECT_EQ(thin->life, 19.99f);
}

TEST_F(ChompMeals, FullAfterSixMealsItChewsUntilTheLevelEnds) {
    ageing = false;
    kwPiece* chomp = place(T::Chomp, 1, 5);
    for (int32_t c = 2; c <= 8; ++c) place(T::Chocolate, c, 5);
    kwPiece* seventh = pieceList->pieceAt(8, 5);
    auto& s = scriptOf<kwChompScript>(chomp);
    ASSERT_TRUE(until([&] { return s.state == AmbientC; }, 20000));
    EXPECT_EQ(s.meals, 6);
    EXPECT_EQ(chomp->life, 70000.0f);
    EXPECT_EQ(host->goodEats, 6);
    advance(15000);
    EXPECT_EQ(s.state, AmbientC);
    EXPECT_EQ(chomp->column, 7);
    EXPECT_TRUE(chomp->ambientC->isPlaying());
    EXPECT_TRUE(alive(seventh) && !eaten(seventh));
    // Still, it leaves when the level is complete.
    gameState.playPhase = PhaseLevelComplete;
    gameState.levelCompleteTime = g_boardNow;
    EXPECT_TRUE(until([&] { return pieceList->count == 0; }, 2100));
}
