// The rubber band, the drag box and the slider, driven by scripted mouse
// moves with the button held. Each case starts the call with the pointer at
// `start`, moves it at the given ticks, and checks the result and the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using Screen = std::vector<unsigned char>;

struct Start {
    int x, y, buttons;
};

struct Move {
    int32_t tick;
    int x, y, buttons;
};

class Interactive : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        for (int y = 0; y < screen->h; y++)
            for (int x = 0; x < screen->w; x++)
                screen->line[y][x] = (unsigned char)(16 + (x * 7 + y * 13) % 200);
        base = headless::screen_pixels();
    }

    // The pointer at `start` (polled once, as a program's last poll would
    // have), then the moves.
    static void script(const Start &start, const std::vector<Move> &moves)
    {
        headless::clear_script();
        headless::mouse(start.x, start.y, start.buttons);
        for (const Move &m : moves)
            headless::after(m.tick, [m] { headless::mouse(m.x, m.y, m.buttons); });
    }

    // The ticks until the last move: the call ends at its poll.
    static long last_tick(const std::vector<Move> &moves)
    {
        return moves.empty() ? 0 : moves.back().tick;
    }

    Screen base;
};

TEST_F(Interactive, RubberBoxSizes)
{
    struct Case {
        const char *name;
        Start start;
        std::vector<Move> moves;  // the last one releases the button
        short w, h;
    };
    // Fixed corner (50, 40), minimum 10 x 8.
    const Case cases[] = {
        {"button already up", {70, 60, 0}, {}, 21, 21},
        {"already up, raised to the minimum", {52, 41, 0}, {}, 10, 8},
        {"stretched", {55, 45, 1}, {{2, 80, 70, 1}, {4, 100, 90, 1}, {6, 100, 90, 0}}, 51, 51},
        {"left of the minimum: ignored on both axes",
         {55, 45, 1},
         {{2, 80, 70, 1}, {4, 59, 100, 1}, {6, 59, 100, 0}},
         31,
         31},
        {"above the minimum: ignored",
         {55, 45, 1},
         {{2, 80, 70, 1}, {4, 90, 47, 1}, {6, 90, 47, 0}},
         31,
         31},
        {"reached by moving: one more than the minimum",
         {52, 41, 1},
         {{2, 60, 48, 1}, {4, 60, 48, 0}},
         11,
         9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        script(c.start, c.moves);
        short w = -1, h = -1;
        EXPECT_EQ(1, graf_rubberbox(50, 40, 10, 8, &w, &h));
        EXPECT_EQ(c.w, w);
        EXPECT_EQ(c.h, h);
        EXPECT_EQ(last_tick(c.moves), headless::idles());
        EXPECT_EQ(base, headless::screen_pixels()) << "the outline is erased";
    }
}

TEST_F(Interactive, RubberBoxShowsItsOutlineWhileStretched)
{
    Screen during, expected;
    script({55, 45, 1}, {{2, 80, 70, 1}, {6, 80, 70, 0}});
    headless::after(4, [&during] { during = headless::screen_pixels(); });
    short w, h;
    graf_rubberbox(50, 40, 10, 8, &w, &h);
    _xor_box(50, 40, 80, 70);
    EXPECT_EQ(headless::screen_pixels(), during);
}

TEST_F(Interactive, DragBoxStaysStrictlyInsideItsBound)
{
    struct Case {
        const char *name;
        int bound[4];
        std::vector<Move> moves;  // pointer grips the box at (5, 2)
        short x, y;
    };
    // A 20 x 10 box at (50, 50).
    const Case cases[] = {
        {"button already up", {40, 40, 100, 60}, {}, 50, 50},
        {"follows the pointer", {40, 40, 100, 60}, {{2, 75, 62, 1}, {4, 75, 62, 0}}, 70, 60},
        {"left and top edges reach the bound's first column and row",
         {40, 40, 100, 60},
         {{2, 45, 42, 1}, {4, 44, 41, 1}, {6, 44, 41, 0}},
         40,
         40},
        {"right edge stops one column before the bound's last",
         {40, 40, 100, 60},
         {{2, 124, 52, 1}, {4, 125, 52, 1}, {6, 125, 52, 0}},
         119,
         50},
        {"bottom edge stops one row before the bound's last",
         {40, 40, 100, 60},
         {{2, 55, 91, 1}, {4, 55, 92, 1}, {6, 55, 92, 0}},
         50,
         89},
        {"one axis refused, the other moves",
         {40, 40, 100, 60},
         {{2, 200, 70, 1}, {4, 200, 70, 0}},
         50,
         68},
        {"a bound the size of the box holds it",
         {50, 50, 20, 10},
         {{2, 60, 55, 1}, {4, 54, 51, 1}, {6, 54, 51, 0}},
         50,
         50},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        script({55, 52, c.moves.empty() ? 0 : 1}, c.moves);
        short fx = -1, fy = -1;
        EXPECT_EQ(1, graf_dragbox(20, 10, 50, 50, c.bound[0], c.bound[1], c.bound[2], c.bound[3],
                                  &fx, &fy));
        EXPECT_EQ(c.x, fx);
        EXPECT_EQ(c.y, fy);
        EXPECT_EQ(last_tick(c.moves), headless::idles());
        EXPECT_EQ(base, headless::screen_pixels()) << "the outline is erased";
    }
}

TEST_F(Interactive, DragBoxOutlineFollowsTheBox)
{
    Screen during;
    script({55, 52, 1}, {{2, 75, 62, 1}, {6, 75, 62, 0}});
    headless::after(4, [&during] { during = headless::screen_pixels(); });
    short fx, fy;
    graf_dragbox(20, 10, 50, 50, 0, 0, 320, 200, &fx, &fy);
    _xor_box(70, 60, 89, 69);
    EXPECT_EQ(headless::screen_pixels(), during);
}

// A horizontal track (parent 1, slider 2) and a vertical one (3, 4).
std::vector<OBJECT> tracks(int slider_size)
{
    using objc_test::make;
    std::vector<OBJECT> t = {
        make(OT_IBOX, 0, 0, 320, 200),       make(OT_BOX, 20, 30, 100, 12),
        make(OT_BOX, 0, 1, slider_size, 10), make(OT_BOX, 200, 20, 12, 100),
        make(OT_BOX, 1, 0, 10, slider_size),
    };
    t[1].ob_fill = 2;
    t[2].ob_fill = 3;
    t[3].ob_fill = 2;
    t[4].ob_fill = 3;
    objc_test::adopt(t, 0, {1, 3});
    objc_test::adopt(t, 1, {2});
    objc_test::adopt(t, 3, {4});
    objc_test::finish(t);
    return t;
}

TEST_F(Interactive, SliderMovesInsideItsParent)
{
    struct Case {
        const char *name;
        int size;  // slider width (height when vertical)
        bool vertical;
        std::vector<int> moves;  // pointer positions along the axis, one every 2 ticks
        short offset;            // ob_x or ob_y at the end
        int result;
    };
    // The pointer starts at 25 along the axis; the parent is 100 long.
    const Case cases[] = {
        {"button already up", 10, false, {}, 0, 5},
        {"stops at offset 89 of 100", 10, false, {114, 115, 124}, 89, 94},
        {"vertical, the same", 10, true, {114, 115}, 89, 94},
        {"a jump past the end is dropped whole", 10, false, {300}, 0, 5},
        {"never below 0", 10, false, {35, 20}, 10, 15},
        {"back from outside moves by the later movement only", 10, false, {114, 130, 120}, 79, 84},
        {"as wide as its parent: never moves", 100, false, {60, 30}, 0, 50},
        {"wider than its parent", 120, true, {60, 30}, 0, 60},
        {"half an odd size truncates", 11, false, {50}, 25, 30},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<OBJECT> t = tracks(c.size);
        objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
        const int parent = c.vertical ? 3 : 1, slider = parent + 1;
        std::vector<Move> moves;
        int32_t tick = 0;
        for (int p : c.moves) {
            tick += 2;
            moves.push_back(c.vertical ? Move{tick, 205, p, 1} : Move{tick, p, 35, 1});
        }
        if (!moves.empty())
            moves.push_back({tick + 2, moves.back().x, moves.back().y, 0});
        script(c.vertical ? Start{205, 25, !moves.empty()} : Start{25, 35, !moves.empty()}, moves);
        vst_color(handle, 9);
        EXPECT_EQ(c.result, graf_slidebox(t.data(), parent, slider, c.vertical));
        EXPECT_EQ(c.offset, c.vertical ? t[slider].ob_y : t[slider].ob_x);
        EXPECT_EQ(9, _textcol) << "the text colour is restored";
        EXPECT_EQ(last_tick(moves), headless::idles());
        // The parent shows the slider where it stopped.
        const Screen drawn = headless::screen_pixels();
        objc_draw(t.data(), parent, 8, 0, 0, 0, 0);
        EXPECT_EQ(drawn, headless::screen_pixels());
    }
}

TEST_F(Interactive, SliderRefusesObjectsOutsideTheTree)
{
    std::vector<OBJECT> t = tracks(10);
    script({25, 35, 1}, {{2, 60, 35, 0}});
    EXPECT_EQ(0, graf_slidebox(t.data(), 1, 9, 0));
    EXPECT_EQ(0, graf_slidebox(t.data(), -1, 2, 0));
    EXPECT_EQ(0, graf_slidebox(nullptr, 1, 2, 0));
    EXPECT_EQ(0, headless::idles());
    EXPECT_EQ(0, t[2].ob_x);
}

}  // namespace
