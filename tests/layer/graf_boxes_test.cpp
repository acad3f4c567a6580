// graf_mkstate, and the grow, shrink and move animations: XOR outlines from
// one rectangle to the other that leave the screen exactly as it was and
// end after a bounded number of waits.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/headless.h"

namespace {

using Screen = std::vector<unsigned char>;

TEST(GrafMkstate, GivesThePointerButtonsAndModifiersAndLeavesKeysWaiting)
{
    headless::start_at(100, 100);
    headless::mouse(10, 20, 2);
    key[KEY_LSHIFT] = key[KEY_LCONTROL] = 1;
    headless::key(KEY_A, 'a');
    short mx = -1, my = -1, mb = -1, ks = -1;
    EXPECT_EQ(1, graf_mkstate(&mx, &my, &mb, &ks));
    EXPECT_EQ(10, mx);
    EXPECT_EQ(20, my);
    EXPECT_EQ(2, mb);
    EXPECT_EQ(K_LSHIFT | K_CTRL, ks);
    key[KEY_LSHIFT] = key[KEY_LCONTROL] = 0;
    EXPECT_EQ(1, graf_mkstate(nullptr, nullptr, nullptr, &ks));
    EXPECT_EQ(0, ks);
    EXPECT_EQ('a', evnt_keybd()) << "the key is still there";
    EXPECT_EQ(0, headless::idles());
}

// A background where every pixel differs from its neighbours.
void paint_pattern()
{
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++)
            screen->line[y][x] = (unsigned char)(16 + (x * 7 + y * 13) % 200);
}

// The pixels that differ between two screens, as (x, y) pairs.
std::vector<std::pair<int, int>> changed(const Screen &a, const Screen &b)
{
    std::vector<std::pair<int, int>> v;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i] != b[i])
            v.emplace_back((int)(i % screen->w), (int)(i / screen->w));
    return v;
}

// The outline of a rectangle, corners first (w and h at least 2).
bool is_outline(const std::vector<std::pair<int, int>> &pixels, int x, int y, int w, int h)
{
    const size_t expected = 2 * (size_t)w + 2 * (size_t)h - 4;
    for (auto [px, py] : pixels) {
        const bool on_edge = px == x || px == x + w - 1 || py == y || py == y + h - 1;
        if (!on_edge || px < x || px >= x + w || py < y || py >= y + h)
            return false;
    }
    return pixels.size() == expected;
}

struct Animation {
    const char *name;
    std::function<int()> call;
    int first[4], last[4];  // x, y, w, h shown first and last
};

TEST(GrafBoxes, OutlinesGoFromTheFirstRectangleToTheLastAndLeaveTheScreen)
{
    const Animation cases[] = {
        {"grow",
         [] { return graf_growbox(150, 90, 10, 8, 20, 30, 200, 100); },
         {150, 90, 10, 8},
         {20, 30, 200, 100}},
        {"shrink",
         [] { return graf_shrinkbox(150, 90, 10, 8, 20, 30, 200, 100); },
         {20, 30, 200, 100},
         {150, 90, 10, 8}},
        {"move",
         [] { return graf_movebox(40, 20, 10, 10, 250, 150); },
         {10, 10, 40, 20},
         {250, 150, 40, 20}},
    };
    for (const Animation &c : cases) {
        SCOPED_TRACE(c.name);
        headless::start_at(300, 190);
        paint_pattern();
        const Screen before = headless::screen_pixels();
        Screen first, last;
        headless::after(5, [&first] { first = headless::screen_pixels(); });
        headless::after(75, [&last] { last = headless::screen_pixels(); });
        EXPECT_EQ(1, c.call());
        EXPECT_EQ(80, headless::idles()) << "8 outlines, 10 ms each";
        EXPECT_TRUE(
            is_outline(changed(before, first), c.first[0], c.first[1], c.first[2], c.first[3]));
        EXPECT_TRUE(is_outline(changed(before, last), c.last[0], c.last[1], c.last[2], c.last[3]));
        EXPECT_EQ(before, headless::screen_pixels());
    }
}

TEST(GrafBoxes, WildRectanglesStayOnTheScreenAndEndInTime)
{
    const std::function<int()> calls[] = {
        [] { return graf_growbox(-30000, -30000, -5, 0, 30000, 30000, 65535, 70000); },
        [] { return graf_shrinkbox(0, 0, 0, 0, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN); },
        [] { return graf_movebox(1000000, 1000000, -1000000, 5, 400, 300); },
    };
    for (const auto &call : calls) {
        headless::start_at(300, 190);
        paint_pattern();
        const Screen before = headless::screen_pixels();
        EXPECT_EQ(1, call());
        EXPECT_EQ(80, headless::idles());
        EXPECT_EQ(before, headless::screen_pixels());
    }
}

TEST(GrafBoxes, AnimationEndsWhereTimeStandsStill)
{
    headless::start_at(300, 190);
    static long waits;
    waits = 0;
    GEM_IO *scripted = _gemio;
    GEM_IO frozen = *scripted;
    frozen.idle = [] { waits++; };
    _gemio = &frozen;
    EXPECT_EQ(1, graf_growbox(10, 10, 4, 4, 0, 0, 100, 100));
    _gemio = scripted;
    EXPECT_EQ(80, waits);
}

}  // namespace
