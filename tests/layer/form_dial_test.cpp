// Dialog framing on the headless screen: where form_center puts a tree, and
// what form_dial saves under a box and puts back, nested and past its
// limits.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <vector>

#include "support/headless.h"

namespace {

// A pattern with a different value at every pixel near the corner.
unsigned char pattern(int x, int y) { return (unsigned char)(16 + (x * 7 + y * 13) % 200); }

class Framing : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        for (int y = 0; y < screen->h; y++)
            for (int x = 0; x < screen->w; x++)
                putpixel(screen, x, y, pattern(x, y));
    }
};

struct MarginCase {
    int x, y, w, h;
    GRECT area;
};

TEST_F(Framing, SavedAreaHasAOnePixelMarginExceptAtTheScreenEdge)
{
    const MarginCase cases[] = {
        {10, 20, 100, 50, {9, 19, 102, 52}}, {0, 0, 30, 10, {0, 0, 32, 12}},
        {0, 20, 30, 10, {0, 19, 32, 12}},    {15, 0, 30, 10, {14, 0, 32, 12}},
        {-5, -3, 30, 10, {-6, -4, 32, 12}},
    };
    for (const MarginCase &c : cases) {
        ASSERT_EQ(form_dial(0, 1, 2, 3, 4, c.x, c.y, c.w, c.h), 1);
        ASSERT_EQ(_rno, 0);
        const GRECT &a = _rxywh[0];
        EXPECT_EQ(a.g_x, c.area.g_x) << c.x;
        EXPECT_EQ(a.g_y, c.area.g_y) << c.y;
        EXPECT_EQ(a.g_w, c.area.g_w);
        EXPECT_EQ(a.g_h, c.area.g_h);
        EXPECT_EQ(form_dial(3, 0, 0, 0, 0, c.x, c.y, c.w, c.h), 1);
        EXPECT_EQ(_rno, -1);
    }
}

TEST_F(Framing, BlockHoldsTheAreaRowByRowAndTheRestorePutsItBack)
{
    const std::vector<unsigned char> before = headless::screen_pixels();
    ASSERT_EQ(form_dial(0, 0, 0, 0, 0, 10, 20, 100, 50), 1);
    // 102 x 52 = 5304 bytes, the last one the area's bottom-right pixel.
    const unsigned char *block = (const unsigned char *)_rmallocs[0];
    for (int y = 0; y < 52; y++)
        for (int x = 0; x < 102; x++)
            ASSERT_EQ(block[y * 102 + x], pattern(9 + x, 19 + y)) << x << "," << y;
    EXPECT_EQ(block[5303], pattern(110, 70));

    rectfill(screen, 9, 19, 110, 70, 3);
    form_dial(2, 0, 0, 0, 0, 10, 20, 100, 50);
    EXPECT_EQ(headless::screen_pixels(), before);
    EXPECT_EQ(_rmallocs[0], nullptr);
}

TEST_F(Framing, NestedAreasComeBackInnermostFirst)
{
    const std::vector<unsigned char> before = headless::screen_pixels();
    form_dial(0, 0, 0, 0, 0, 20, 20, 200, 100);
    rectfill(screen, 19, 19, 220, 120, 1);
    const std::vector<unsigned char> outer = headless::screen_pixels();
    form_dial(1, 0, 0, 0, 0, 60, 50, 80, 40);
    EXPECT_EQ(_rno, 1);
    rectfill(screen, 59, 49, 140, 90, 2);

    form_dial(3, 0, 0, 0, 0, 60, 50, 80, 40);
    EXPECT_EQ(headless::screen_pixels(), outer);
    form_dial(3, 0, 0, 0, 0, 20, 20, 200, 100);
    EXPECT_EQ(headless::screen_pixels(), before);
    EXPECT_EQ(_rno, -1);
}

TEST_F(Framing, RestoreUsesTheSavedRectangleWhateverTheCallerNames)
{
    const std::vector<unsigned char> before = headless::screen_pixels();
    form_dial(0, 0, 0, 0, 0, 10, 20, 100, 50);
    clear_to_color(screen, 4);
    // A wider, taller rectangle than the save's: only the saved area returns.
    form_dial(3, 0, 0, 0, 0, 0, 0, 300, 190);
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++) {
            const bool saved = x >= 9 && x <= 110 && y >= 19 && y <= 70;
            ASSERT_EQ(getpixel(screen, x, y), saved ? before[y * screen->w + x] : 4)
                << x << "," << y;
        }
}

TEST_F(Framing, AThirtyThirdSaveAndAnUnmatchedRestoreDoNothing)
{
    for (int i = 0; i < 32; i++)
        ASSERT_EQ(form_dial(0, 0, 0, 0, 0, i, i, 10, 10), 1);
    EXPECT_EQ(_rno, 31);
    EXPECT_EQ(form_dial(0, 0, 0, 0, 0, 50, 50, 10, 10), 0);
    EXPECT_EQ(_rno, 31);
    EXPECT_EQ(_rxywh[31].g_x, 30);

    for (int i = 31; i >= 0; i--)
        ASSERT_EQ(form_dial(3, 0, 0, 0, 0, i, i, 10, 10), 1);
    const std::vector<unsigned char> before = headless::screen_pixels();
    EXPECT_EQ(form_dial(3, 0, 0, 0, 0, 0, 0, 10, 10), 0);
    EXPECT_EQ(_rno, -1);
    EXPECT_EQ(headless::screen_pixels(), before);
}

TEST_F(Framing, AreasThatCannotBeKeptAreRefusedAndEmptyOnesStillPair)
{
    // A width whose margin leaves 16 bits cannot be saved.
    EXPECT_EQ(form_dial(0, 0, 0, 0, 0, 0, 0, 32767, 10), 0);
    EXPECT_EQ(_rno, -1);
    // A box of negative size has nothing under it, but its restore pairs.
    EXPECT_EQ(form_dial(0, 0, 0, 0, 0, 5, 5, -10, 4), 1);
    EXPECT_EQ(_rno, 0);
    EXPECT_EQ(_rmallocs[0], nullptr);
    const std::vector<unsigned char> before = headless::screen_pixels();
    EXPECT_EQ(form_dial(3, 0, 0, 0, 0, 5, 5, -10, 4), 1);
    EXPECT_EQ(_rno, -1);
    EXPECT_EQ(headless::screen_pixels(), before);
}

void *no_memory(size_t) { return nullptr; }

TEST_F(Framing, ABlockThatCannotBeHadSavesNothing)
{
    _area_alloc = no_memory;
    EXPECT_EQ(form_dial(0, 0, 0, 0, 0, 10, 20, 100, 50), 0);
    _area_alloc = malloc;
    EXPECT_EQ(_rno, -1);
    EXPECT_EQ(form_dial(3, 0, 0, 0, 0, 10, 20, 100, 50), 0);
}

TEST_F(Framing, TheCallersClipDoesNotCutTheSavedArea)
{
    const std::vector<unsigned char> before = headless::screen_pixels();
    const short clip[4] = {0, 0, 20, 20};
    vs_clip(handle, 1, clip);
    form_dial(0, 0, 0, 0, 0, 10, 20, 100, 50);
    vs_clip(handle, 0, NULL);
    clear_to_color(screen, 4);
    vs_clip(handle, 1, clip);
    form_dial(3, 0, 0, 0, 0, 10, 20, 100, 50);
    EXPECT_EQ(_clipx2, 20);  // and the clip is as the caller left it
    vs_clip(handle, 0, NULL);
    for (int y = 19; y <= 70; y++)
        for (int x = 9; x <= 110; x++)
            ASSERT_EQ(getpixel(screen, x, y), before[y * screen->w + x]) << x << "," << y;
}

struct CentreCase {
    int rez, w, h;
    short x, y;
};

TEST_F(Framing, CentreHalvesTheRestTowardsMinusInfinity)
{
    const CentreCase cases[] = {
        {0, 320, 200, 0, 0},   {0, 321, 200, -1, 0},    {0, 100, 50, 110, 75},
        {0, 101, 51, 109, 74}, {0, 400, 300, -40, -50}, {1, 168, 68, 236, 206},
    };
    OBJECT tree{};
    tree.ob_next = tree.ob_head = tree.ob_tail = NIL;
    tree.ob_flags = OF_LASTOB;
    for (const CentreCase &c : cases) {
        headless::start(c.rez);
        tree.ob_width = (short)c.w;
        tree.ob_height = (short)c.h;
        short x, y, w, h;
        EXPECT_EQ(form_center(&tree, &x, &y, &w, &h), 1);
        EXPECT_EQ(x, c.x) << c.w;
        EXPECT_EQ(y, c.y) << c.h;
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(tree.ob_x, c.x);
        EXPECT_EQ(tree.ob_y, c.y);
    }
}

}  // namespace
