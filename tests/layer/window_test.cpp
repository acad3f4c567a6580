// The window calls on the headless screen: wind_calc, placement, the
// rectangle lists against a pixel oracle, the redraws each change asks
// for, the frames and the desktop the layer draws, texts, sliders, holds,
// wind_new and calls on handles that name no window.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/headless.h"

namespace {

constexpr int ALL_KINDS = 0x0FFF;
constexpr int FULL_KIND = NAME | CLOSER | FULLER | MOVER | INFO | SIZER | UPARROW | DNARROW |
                          VSLIDE | LFARROW | RTARROW | HSLIDE;
constexpr int DESK_TOP = 11;  // the menu bar's rows
constexpr int DESK_COLOUR = 3;

struct Box {
    int x, y, w, h;
    bool operator==(const Box &o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

std::ostream &operator<<(std::ostream &os, const Box &b)
{
    return os << "(" << b.x << ", " << b.y << ", " << b.w << ", " << b.h << ")";
}

Box get(int h, int field)
{
    short x = -1, y = -1, w = -1, hh = -1;
    wind_get(h, field, &x, &y, &w, &hh);
    return {x, y, w, hh};
}

std::vector<std::vector<short>> take_messages()
{
    std::vector<std::vector<short>> out;
    short msg[8];
    while (_msg_take(msg))
        out.emplace_back(msg, msg + 8);
    return out;
}

std::vector<short> redraw(int h, Box b)
{
    return {WM_REDRAW, 0, 0, (short)h, (short)b.x, (short)b.y, (short)b.w, (short)b.h};
}

// Every pixel of the screen in its own colour from 16 up, so that a pixel
// drawn over or copied shows.
void paint_pattern()
{
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++)
            screen->line[y][x] = (unsigned char)(16 + (x * 7 + y * 13) % 200);
}

unsigned char pattern_at(int x, int y) { return (unsigned char)(16 + (x * 7 + y * 13) % 200); }

class Windows : public ::testing::Test {
protected:
    void SetUp() override { headless::start(0); }
};

TEST_F(Windows, CalcConvertsBothWaysForEveryKind)
{
    const Box places[] = {{0, 11, 320, 189}, {-50, 40, 13, 7}, {100, 100, 0, 0}};
    for (int kind = 0; kind <= ALL_KINDS; kind++) {
        for (const Box &b : places) {
            short x, y, w, h, x2, y2, w2, h2;
            ASSERT_EQ(1, wind_calc(WC_BORDER, kind, b.x, b.y, b.w, b.h, &x, &y, &w, &h));
            ASSERT_EQ(1, wind_calc(WC_WORK, kind, x, y, w, h, &x2, &y2, &w2, &h2));
            ASSERT_EQ(b, (Box{x2, y2, w2, h2})) << "kind " << kind;
            // The work area is never larger than the outer rectangle and
            // always has the 1-pixel border at the left.
            ASSERT_EQ(b.x - 1, x);
            ASSERT_GE(w, b.w + 2);
        }
    }
    short x;
    EXPECT_EQ(0, wind_calc(2, 0, 0, 0, 0, 0, &x, &x, &x, &x));
}

TEST_F(Windows, WorkAreaOfAnOpenWindowIsWhatCalcGives)
{
    const int kinds[] = {0,     NAME,   NAME | INFO,    FULL_KIND,
                         SIZER, VSLIDE, HSLIDE | SIZER, INFO | UPARROW};
    for (int kind : kinds) {
        const int h = wind_create(kind, 0, DESK_TOP, 320, 189);
        ASSERT_GT(h, 0);
        ASSERT_EQ(1, wind_open(h, 30, 40, 150, 100));
        const Box curr = get(h, WF_CURRXYWH);
        EXPECT_EQ((Box{30, 40, 150, 100}), curr) << "kind " << kind;
        short x, y, w, hh;
        wind_calc(WC_WORK, kind, curr.x, curr.y, curr.w, curr.h, &x, &y, &w, &hh);
        EXPECT_EQ((Box{x, y, w, hh}), get(h, WF_WORKXYWH)) << "kind " << kind;
        wind_delete(h);
    }
}

// The classic layout: the title bar's 11 rows and the info line's 10 more
// at the top, the 11-pixel scroll bars at the right and bottom, a 1-pixel
// border elsewhere.
TEST_F(Windows, FrameBandsOfTheClassicKinds)
{
    struct Case {
        int kind;
        Box work;  // of the outer rectangle (100, 50, 100, 80)
    } cases[] = {
        {0, {101, 51, 98, 78}},
        {NAME, {101, 61, 98, 68}},
        {NAME | INFO, {101, 71, 98, 58}},
        {INFO, {101, 61, 98, 68}},
        {VSLIDE, {101, 51, 88, 78}},
        {HSLIDE, {101, 51, 98, 68}},
        {SIZER, {101, 51, 88, 78}},  // the sizer alone takes a column
        {SIZER | HSLIDE, {101, 51, 98, 68}},
        {FULL_KIND, {101, 71, 88, 48}},
    };
    for (const Case &c : cases) {
        short x, y, w, h;
        wind_calc(WC_WORK, c.kind, 100, 50, 100, 80, &x, &y, &w, &h);
        EXPECT_EQ(c.work, (Box{x, y, w, h})) << "kind " << c.kind;
    }
}

TEST_F(Windows, PlacementKeepsTheTitleBarWithinReach)
{
    struct Case {
        const char *name;
        Box asked, given;
    } cases[] = {
        {"as asked", {10, 20, 100, 80}, {10, 20, 100, 80}},
        {"above the desktop", {10, -40, 100, 80}, {10, DESK_TOP, 100, 80}},
        {"below the screen", {10, 500, 100, 80}, {10, 200 - 11, 100, 80}},
        {"off to the left", {-500, 20, 100, 80}, {31 - 100, 20, 100, 80}},
        {"off to the right", {900, 20, 100, 80}, {320 - 31, 20, 100, 80}},
        {"negative size", {10, 20, -100, -5}, {10, 20, 41, 61}},
        {"huge size", {10, 20, 30000, 32767}, {10, 20, 8192, 8192}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const int h = wind_create(FULL_KIND, c.asked.x, c.asked.y, c.asked.w, c.asked.h);
        EXPECT_EQ(c.given, get(h, WF_FULLXYWH));
        ASSERT_EQ(1, wind_open(h, c.asked.x, c.asked.y, c.asked.w, c.asked.h));
        EXPECT_EQ(c.given, get(h, WF_CURRXYWH));
        EXPECT_EQ(1, wind_set(h, WF_CURRXYWH, c.asked.x, c.asked.y, c.asked.w, c.asked.h));
        EXPECT_EQ(c.given, get(h, WF_CURRXYWH));
        wind_delete(h);
    }
}

// ---- Rectangle lists --------------------------------------------------------

struct Placed {
    int kind;
    Box at;
};

// The pixel oracle: which open window's work area shows at each pixel,
// from the windows' outer rectangles in stacking order (0: none).
std::vector<int> owners(const std::vector<int> &handles)
{
    struct Frame {
        int h;
        Box outer, work;
    };
    std::vector<Frame> topdown;
    for (auto h = handles.rbegin(); h != handles.rend(); ++h)
        topdown.push_back({*h, get(*h, WF_CURRXYWH), get(*h, WF_WORKXYWH)});
    auto in = [](const Box &b, int x, int y) {
        return x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h;
    };
    std::vector<int> owner((size_t)screen->w * screen->h, 0);
    for (int y = DESK_TOP; y < screen->h; y++) {
        for (int x = 0; x < screen->w; x++) {
            for (const Frame &f : topdown) {
                if (in(f.outer, x, y)) {
                    if (in(f.work, x, y))
                        owner[(size_t)y * screen->w + x] = f.h;
                    break;
                }
            }
        }
    }
    return owner;
}

// Walks a window's list: every pixel it covers shows that window's work
// area, none is covered twice, and together they are all of them.
::testing::AssertionResult list_is_exact(int h, const std::vector<int> &owner)
{
    std::vector<int> covered(owner.size(), 0);
    Box r = get(h, WF_FIRSTXYWH);
    int rects = 0;
    for (; r.w != 0 && r.h != 0; r = get(h, WF_NEXTXYWH)) {
        if (++rects > 10000)
            return ::testing::AssertionFailure() << "the list does not end";
        if (r.w < 0 || r.h < 0 || r.x < 0 || r.y < 0 || r.x + r.w > screen->w ||
            r.y + r.h > screen->h)
            return ::testing::AssertionFailure() << "rectangle " << r << " leaves the screen";
        for (int y = r.y; y < r.y + r.h; y++)
            for (int x = r.x; x < r.x + r.w; x++)
                covered[(size_t)y * screen->w + x]++;
    }
    for (size_t i = 0; i < owner.size(); i++) {
        const int want = owner[i] == h ? 1 : 0;
        if (covered[i] != want)
            return ::testing::AssertionFailure()
                   << "window " << h << ": pixel (" << i % screen->w << ", " << i / screen->w
                   << ") listed " << covered[i] << " times, shows it " << want;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(Windows, RectangleListsCoverExactlyWhatShows)
{
    std::vector<std::vector<Placed>> layouts = {
        {{FULL_KIND, {20, 30, 200, 120}}},
        {{FULL_KIND, {20, 30, 200, 120}}, {NAME | MOVER, {120, 60, 150, 100}}},
        {{0, {0, 20, 100, 100}}, {NAME, {50, 50, 100, 100}}, {INFO | SIZER, {-20, 80, 300, 40}}},
    };
    // 16 windows in a staircase that overlap each other, some off screen.
    std::vector<Placed> many;
    for (int i = 0; i < 16; i++)
        many.push_back({i % 2 ? FULL_KIND : NAME, {i * 19 - 30, 12 + i * 9, 90 + i * 3, 70}});
    layouts.push_back(many);

    for (const auto &placed : layouts) {
        SCOPED_TRACE(std::to_string(placed.size()) + " windows");
        headless::start(0);
        std::vector<int> handles;
        for (const Placed &p : placed) {
            const int h = wind_create(p.kind, 0, DESK_TOP, 320, 189);
            ASSERT_EQ(1, wind_open(h, p.at.x, p.at.y, p.at.w, p.at.h));
            handles.push_back(h);
        }
        const std::vector<int> owner = owners(handles);
        for (int h : handles)
            EXPECT_TRUE(list_is_exact(h, owner));
        // The bottom window topped: the lists follow the new order.
        wind_set(handles.front(), WF_TOP, 0, 0, 0, 0);
        std::rotate(handles.begin(), handles.begin() + 1, handles.end());
        const std::vector<int> topped = owners(handles);
        for (int h : handles)
            EXPECT_TRUE(list_is_exact(h, topped));
        // A closed window lists nothing.
        wind_close(handles.back());
        EXPECT_EQ(0, get(handles.back(), WF_FIRSTXYWH).w);
    }
}

TEST_F(Windows, DesktopListIsTheDesktopOutsideEveryWindow)
{
    const int a = wind_create(0, 0, DESK_TOP, 320, 189);
    wind_open(a, 100, 50, 50, 50);
    EXPECT_EQ((Box{0, DESK_TOP, 320, 189}), get(0, WF_WORKXYWH));
    long area = 0;
    for (Box r = get(0, WF_FIRSTXYWH); r.w && r.h; r = get(0, WF_NEXTXYWH)) {
        EXPECT_FALSE(r.x < 150 && r.x + r.w > 100 && r.y < 100 && r.y + r.h > 50) << r;
        area += (long)r.w * r.h;
    }
    EXPECT_EQ(320L * 189 - 50 * 50, area);
}

// ---- Redraws ----------------------------------------------------------------

TEST_F(Windows, OpeningDrawsTheFrameAndAsksForTheWorkArea)
{
    paint_pattern();
    const int h = wind_create(FULL_KIND, 0, DESK_TOP, 320, 189);
    wind_set_str(h, WF_NAME, "Name");
    ASSERT_TRUE(take_messages().empty()) << "nothing shows before it opens";
    wind_open(h, 20, 30, 200, 120);
    EXPECT_EQ(std::vector<std::vector<short>>{redraw(h, {21, 51, 188, 88})}, take_messages());
    // Ink on the outline, the work area untouched, nothing outside drawn.
    for (int y = 0; y < screen->h; y++) {
        for (int x = 0; x < screen->w; x++) {
            const bool outside = x < 20 || x >= 220 || y < 30 || y >= 150;
            const bool work = x >= 21 && x < 209 && y >= 51 && y < 139;
            const bool edge = !outside && (x == 20 || x == 219 || y == 30 || y == 149);
            if (outside || work) {
                ASSERT_EQ(pattern_at(x, y), screen->line[y][x]) << x << ", " << y;
            } else if (edge) {
                ASSERT_EQ(1, screen->line[y][x]) << x << ", " << y;
            }
        }
    }
}

TEST_F(Windows, ChangesAskForWhatTheyUncovered)
{
    struct Case {
        const char *name;
        std::function<void(int a, int b)> change;
        std::vector<std::vector<short>> (*want)(int a, int b);
    };
    // a (FULL_KIND) at (20, 30, 200, 120): work (21, 51, 188, 88); b (NAME)
    // over it at (120, 60, 150, 100): work (121, 71, 148, 88).
    const Case cases[] = {
        {"b closed: a gains the part b covered, and is on top", [](int, int b) { wind_close(b); },
         [](int a, int) {
             return std::vector<std::vector<short>>{redraw(a, {120, 60, 89, 79}),
                                                    {WM_NEWTOP, 0, 0, (short)a, 0, 0, 0, 0}};
         }},
        {"a topped: a gains the part under b", [](int a, int) { wind_set(a, WF_TOP, 0, 0, 0, 0); },
         [](int a, int) {
             return std::vector<std::vector<short>>{redraw(a, {120, 60, 89, 79})};
         }},
        {"b topped again: nothing", [](int, int b) { wind_set(b, WF_TOP, 0, 0, 0, 0); },
         [](int, int) { return std::vector<std::vector<short>>{}; }},
        {"b moved away: a gains, b is copied",
         [](int, int b) { wind_set(b, WF_CURRXYWH, 230, 100, 150, 100); },
         [](int a, int) {
             return std::vector<std::vector<short>>{redraw(a, {120, 60, 89, 79})};
         }},
        {"b grown: only its new strip",
         [](int, int b) { wind_set(b, WF_CURRXYWH, 120, 60, 170, 100); },
         [](int, int b) {
             return std::vector<std::vector<short>>{redraw(b, {269, 71, 20, 88})};
         }},
        {"b shrunk: a gains, b has nothing new",
         [](int, int b) { wind_set(b, WF_CURRXYWH, 120, 60, 60, 100); },
         [](int a, int) {
             return std::vector<std::vector<short>>{redraw(a, {180, 60, 29, 79})};
         }},
        {"a moved under b: all of its new work area",
         [](int a, int) { wind_set(a, WF_CURRXYWH, 30, 30, 200, 120); },
         [](int a, int) {
             return std::vector<std::vector<short>>{redraw(a, {31, 51, 188, 88})};
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        headless::start(0);
        const int a = wind_create(FULL_KIND, 0, DESK_TOP, 320, 189);
        const int b = wind_create(NAME, 0, DESK_TOP, 320, 189);
        wind_open(a, 20, 30, 200, 120);
        wind_open(b, 120, 60, 150, 100);
        take_messages();
        c.change(a, b);
        EXPECT_EQ(c.want(a, b), take_messages());
    }
}

TEST_F(Windows, MovingAWindowThatShowedWholeCopiesItsWorkArea)
{
    const int h = wind_create(NAME | MOVER, 0, DESK_TOP, 320, 189);
    wind_open(h, 20, 30, 100, 80);
    take_messages();
    paint_pattern();
    const Box w = get(h, WF_WORKXYWH);
    std::vector<unsigned char> before;
    for (int y = w.y; y < w.y + w.h; y++)
        before.insert(before.end(), screen->line[y] + w.x, screen->line[y] + w.x + w.w);
    wind_set(h, WF_CURRXYWH, 60, 50, 100, 80);  // overlapping its old place
    EXPECT_TRUE(take_messages().empty());
    const Box moved = get(h, WF_WORKXYWH);
    for (int y = 0; y < w.h; y++)
        for (int x = 0; x < w.w; x++)
            ASSERT_EQ(before[(size_t)y * w.w + x], screen->line[moved.y + y][moved.x + x]);
    // Where it was and is no more, the plain desktop.
    EXPECT_EQ(DESK_COLOUR, screen->line[35][25]);
    EXPECT_EQ(DESK_COLOUR, screen->line[105][50]);
}

TEST_F(Windows, RedrawsForOneWindowMergeWhileQueued)
{
    const int a = wind_create(FULL_KIND, 0, DESK_TOP, 320, 189);
    const int b = wind_create(0, 0, DESK_TOP, 320, 189);
    wind_open(a, 20, 30, 200, 120);
    wind_open(b, 100, 60, 30, 30);
    wind_set(b, WF_CURRXYWH, 150, 100, 30, 30);
    wind_set(b, WF_CURRXYWH, 40, 60, 30, 30);
    // a's first redraw (all of it) absorbs what b's moves uncovered; b's
    // stays where it was queued, its rectangle where b is now.
    EXPECT_EQ((std::vector<std::vector<short>>{redraw(a, {21, 51, 188, 88}),
                                               redraw(b, {41, 61, 28, 28})}),
              take_messages());
    wind_set(b, WF_CURRXYWH, 100, 60, 30, 30);
    wind_set(b, WF_CURRXYWH, 150, 100, 30, 30);
    EXPECT_EQ((std::vector<std::vector<short>>{redraw(a, {40, 60, 90, 30})}), take_messages())
        << "the two uncovered squares in one rectangle; b was copied each time";
}

TEST_F(Windows, DesktopTreeShowsWhereTheDesktopIsUncovered)
{
    OBJECT desk[1] = {};
    desk[0] = {NIL, NIL, NIL, OT_BOX, OF_LASTOB, 0x11, 0, 0, 9, 0, 0, DESK_TOP, 320, 189};
    paint_pattern();
    ASSERT_EQ(0, wind_set(0, WF_NEWDESK, 0, 0, 0, 0)) << "an address does not fit";
    ASSERT_EQ(1, wind_set_tree(0, WF_NEWDESK, desk, 0));
    EXPECT_EQ(9, screen->line[100][100]) << "set: drawn at once";
    const int h = wind_create(0, 0, DESK_TOP, 320, 189);
    wind_open(h, 50, 50, 100, 100);
    paint_pattern();
    wind_close(h);
    EXPECT_EQ(9, screen->line[100][100]);
    EXPECT_EQ(pattern_at(10, 100), screen->line[100][10]) << "what was not covered is left";
    EXPECT_EQ(pattern_at(10, 5), screen->line[5][10]) << "the menu bar's rows are not the desktop";
    ASSERT_EQ(1, wind_set_tree(0, WF_NEWDESK, nullptr, 0));
    EXPECT_EQ(DESK_COLOUR, screen->line[100][100]);
}

// ---- Frames -----------------------------------------------------------------

TEST_F(Windows, OnlyTheTopWindowsTitleIsMarked)
{
    const int a = wind_create(NAME | MOVER, 0, DESK_TOP, 320, 189);
    const int b = wind_create(NAME | MOVER, 0, DESK_TOP, 320, 189);
    wind_open(a, 10, 20, 100, 60);
    wind_open(b, 150, 20, 100, 60);
    auto marked = [](int x) { return screen->line[22][x] == 1 && screen->line[23][x] == 0; };
    EXPECT_FALSE(marked(15));
    EXPECT_TRUE(marked(155));
    wind_set(a, WF_TOP, 0, 0, 0, 0);
    EXPECT_TRUE(marked(15));
    EXPECT_FALSE(marked(155));
    wind_close(a);
    EXPECT_TRUE(marked(155)) << "the window left on top";
    EXPECT_EQ((std::vector<short>{WM_NEWTOP, 0, 0, (short)b, 0, 0, 0, 0}), take_messages().back());
}

TEST_F(Windows, TextsAreKeptCutAndShown)
{
    const int h = wind_create(NAME | INFO, 0, DESK_TOP, 320, 189);
    EXPECT_EQ(0, wind_set(h, WF_NAME, 1, 2, 0, 0)) << "an address does not fit";
    const std::string longer(300, 'x');
    ASSERT_EQ(1, wind_set_str(h, WF_NAME, longer.c_str()));
    ASSERT_EQ(1, wind_set_str(h, WF_INFO, "info"));
    char got[GEM_WINDOW_TEXT + 8];
    memset(got, '?', sizeof got);
    ASSERT_EQ(1, wind_get_str(h, WF_NAME, got));
    EXPECT_EQ(std::string(127, 'x'), got);
    EXPECT_EQ('?', got[GEM_WINDOW_TEXT]) << "nothing written past the text";
    ASSERT_EQ(1, wind_get_str(h, WF_INFO, got));
    EXPECT_STREQ("info", got);
    EXPECT_EQ(0, wind_set_str(h, WF_KIND, "x"));
    EXPECT_EQ(0, wind_set_str(h, WF_NAME, nullptr));
    EXPECT_EQ(0, wind_get_str(h, WF_NAME, nullptr));
    // Shown: the info line's text where the frame draws it.
    wind_open(h, 10, 30, 200, 80);
    int ink = 0;
    for (int y = 41; y < 50; y++)
        for (int x = 11; x < 50; x++)
            ink += screen->line[y][x] == 1;
    EXPECT_GT(ink, 10);
}

TEST_F(Windows, SlidersAreClampedAndMoveInTheirTrack)
{
    const int h = wind_create(FULL_KIND, 0, DESK_TOP, 320, 189);
    struct Case {
        int field, set, kept;
    } cases[] = {
        {WF_VSLIDE, 500, 500},    {WF_VSLIDE, -3, 0},     {WF_VSLIDE, 4000, 1000},
        {WF_HSLIDE, 250, 250},    {WF_VSLSIZE, 0, -1},    {WF_VSLSIZE, -1, -1},
        {WF_HSLSIZE, 1001, 1000}, {WF_HSLSIZE, 300, 300},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(1, wind_set(h, c.field, c.set, 0, 0, 0));
        EXPECT_EQ(c.kept, get(h, c.field).x) << c.field << " " << c.set;
    }
    // Open at (20, 30, 200, 120): the vertical track's inside is rows 61 to
    // 128 of column 214; a slider of 1000 fills it, one at the end of a
    // half-size track sits in its lower half.
    wind_open(h, 20, 30, 200, 120);
    auto slider_rows = [] {
        std::vector<int> rows;
        for (int y = 61; y <= 128; y++)
            if (screen->line[y][214] == 0 && screen->line[y][213] == 0)
                rows.push_back(y);
        return rows;
    };
    wind_set(h, WF_VSLSIZE, 500, 0, 0, 0);
    wind_set(h, WF_VSLIDE, 1000, 0, 0, 0);
    std::vector<int> rows = slider_rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(128, rows.back());
    EXPECT_EQ(34u, rows.size());
    wind_set(h, WF_VSLIDE, 0, 0, 0, 0);
    rows = slider_rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(61, rows.front());
}

// ---- Handles, holds and the whole table --------------------------------------

TEST_F(Windows, CallsOnHandlesThatNameNoWindowChangeNothing)
{
    const int open = wind_create(FULL_KIND, 0, DESK_TOP, 320, 189);
    wind_open(open, 20, 30, 200, 120);
    const int gone = wind_create(0, 0, DESK_TOP, 320, 189);
    wind_delete(gone);
    take_messages();
    paint_pattern();
    const std::vector<unsigned char> before = headless::screen_pixels();
    short v = 7;
    char text[GEM_WINDOW_TEXT] = "x";
    for (int h : {-1, 0, gone, GEM_MAX_WINDOWS + 1, 1000}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(0, wind_open(h, 0, 20, 50, 50));
        EXPECT_EQ(0, wind_close(h));
        EXPECT_EQ(0, wind_delete(h));
        EXPECT_EQ(0, wind_set(h, WF_CURRXYWH, 0, 20, 50, 50));
        EXPECT_EQ(0, wind_set(h, WF_TOP, 0, 0, 0, 0));
        EXPECT_EQ(0, wind_set_str(h, WF_NAME, "y"));
        EXPECT_EQ(0, wind_get_str(h, WF_NAME, text));
        if (h != 0) {  // the desktop answers these
            EXPECT_EQ(0, wind_set_tree(h, WF_NEWDESK, nullptr, 0));
            EXPECT_EQ(0, wind_get(h, WF_CURRXYWH, &v, &v, &v, &v));
        }
    }
    EXPECT_EQ(7, v);
    EXPECT_STREQ("x", text);
    EXPECT_EQ(before, headless::screen_pixels());
    EXPECT_TRUE(take_messages().empty());
    EXPECT_EQ(open, get(12345, WF_TOP).x) << "WF_TOP answers for any handle";
    EXPECT_EQ(0, wind_open(open, 0, 20, 50, 50)) << "already open";
    EXPECT_EQ(0, wind_set(open, WF_KIND, 0, 0, 0, 0));
}

TEST_F(Windows, TheTableHoldsItsWindowsAndNewEmptiesIt)
{
    std::vector<int> handles;
    for (int i = 0; i < GEM_MAX_WINDOWS; i++) {
        handles.push_back(wind_create(NAME, 0, DESK_TOP, 320, 189));
        ASSERT_EQ(i + 1, handles.back());
        wind_open(handles.back(), i * 8, 20 + i * 4, 60, 40);
    }
    EXPECT_LT(wind_create(NAME, 0, DESK_TOP, 320, 189), 0) << "no window free";
    EXPECT_EQ(GEM_MAX_WINDOWS, wind_find(260, 150)) << "the top window at a point";
    EXPECT_EQ(0, wind_find(300, 195)) << "the desktop";
    EXPECT_EQ(1, wind_update(BEG_UPDATE));
    EXPECT_EQ(1, wind_new());
    EXPECT_TRUE(take_messages().empty()) << "their messages went with them";
    EXPECT_EQ(0, wind_update(END_UPDATE)) << "the hold ended";
    EXPECT_EQ(0, get(0, WF_TOP).x);
    EXPECT_EQ(DESK_COLOUR, screen->line[100][100]);
    EXPECT_EQ(1, wind_create(NAME, 0, DESK_TOP, 320, 189)) << "handles are free again";
}

TEST_F(Windows, DeleteTakesTheWindowsMessagesAlong)
{
    const int a = wind_create(0, 0, DESK_TOP, 320, 189);
    const int b = wind_create(0, 0, DESK_TOP, 320, 189);
    wind_open(a, 10, 20, 50, 50);
    wind_open(b, 100, 20, 50, 50);
    const short topped[8] = {WM_TOPPED, 0, 0, (short)a, 0, 0, 0, 0};
    _msg_post(topped, 0xFF);
    EXPECT_EQ(1, wind_delete(a));
    EXPECT_EQ((std::vector<std::vector<short>>{redraw(b, {101, 21, 48, 48})}), take_messages());
}

TEST_F(Windows, UpdateHoldsNestAndCount)
{
    struct Step {
        int mode, result;
    } steps[] = {{END_UPDATE, 0}, {BEG_UPDATE, 1}, {BEG_UPDATE, 1}, {END_UPDATE, 1},
                 {END_MCTRL, 0},  {BEG_MCTRL, 1},  {END_UPDATE, 1}, {END_UPDATE, 0},
                 {END_MCTRL, 1},  {END_MCTRL, 0},  {7, 0}};
    for (const Step &s : steps)
        EXPECT_EQ(s.result, wind_update(s.mode)) << s.mode;
}

}  // namespace
