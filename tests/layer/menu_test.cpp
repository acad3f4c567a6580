// The menu bar and the menu tracking of evnt_multi and evnt_mesag, on the
// headless screen with scripted input. Screens are compared whole; what a
// dropped box should look like is drawn with objc_draw on the screen as it
// was before, so the cases check what the tracking draws and puts back, not
// how objects are drawn.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/headless.h"
#include "support/menu_tree.h"
#include "support/tempdir.h"

namespace {

using namespace menu_test;
using Screen = std::vector<unsigned char>;

void load(const Screen &s)
{
    for (int y = 0; y < screen->h; y++)
        std::copy(s.begin() + (long)y * screen->w, s.begin() + (long)(y + 1) * screen->w,
                  screen->line[y]);
}

// A background in which every pixel differs from its neighbours, so that a
// restore that is off by one pixel shows.
void paint_pattern()
{
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++)
            screen->line[y][x] = (unsigned char)(16 + (x * 7 + y * 13) % 200);
}

::testing::AssertionResult same(const Screen &got, const Screen &want)
{
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << "screen sizes differ";
    for (size_t i = 0; i < got.size(); i++) {
        if (got[i] != want[i])
            return ::testing::AssertionFailure()
                   << "pixel (" << i % screen->w << ", " << i / screen->w << ") is " << (int)got[i]
                   << ", expected " << (int)want[i];
    }
    return ::testing::AssertionSuccess();
}

void *no_memory(size_t) { return nullptr; }

// Runs evnt_multi with the arguments gathered in one place.
struct Multi {
    int flags = 0, clicks = 1, mask = 1, state = 1;
    int r1[5] = {0, 0, 0, 0, 0}, r2[5] = {0, 0, 0, 0, 0};
    int lo = 0, hi = 0;
    short msg[8] = {-1, -2, -3, -4, -5, -6, -7, -8};
    short mx = -1, my = -1, mb = -1, ks = -1, key = -1, n = -1;

    int run()
    {
        return evnt_multi(flags, clicks, mask, state, r1[0], r1[1], r1[2], r1[3], r1[4], r2[0],
                          r2[1], r2[2], r2[3], r2[4], msg, lo, hi, &mx, &my, &mb, &ks, &key, &n);
    }
};

enum class Source { Arrays, ResourceFile };

// The menu tree from C arrays or loaded with rsrc_load, shown as the bar on
// a patterned 320 x 200 screen, the pointer resting below the drop area.
class Menu : public ::testing::TestWithParam<Source> {
protected:
    void SetUp() override
    {
        headless::start(0);
        if (GetParam() == Source::Arrays) {
            objects_ = arrays();
            tree = objects_.data();
        } else {
            const std::string path = dir_.path() + "/menu.rsc";
            const std::vector<unsigned char> image = stored_image();
            FILE *f = fopen(path.c_str(), "wb");
            ASSERT_TRUE(f);
            fwrite(image.data(), 1, image.size(), f);
            fclose(f);
            ASSERT_EQ(1, rsrc_load(path.c_str()));
            ASSERT_EQ(1, rsrc_gaddr(R_TREE, 0, &tree));
        }
        paint_pattern();
        before_bar = headless::screen_pixels();
        ASSERT_EQ(1, menu_bar(tree, 1));
        base = headless::screen_pixels();
        rest();
        _mouse_event();
        headless::clear_script();
    }

    void TearDown() override
    {
        menu_bar(_menu, 0);
        _area_alloc = malloc;
        if (GetParam() == Source::ResourceFile) {
            rsrc_free();
            rsrc_include(_guirsh);
        }
    }

    static void rest() { headless::mouse(250, 150, 0); }
    static void at(int32_t tick, std::function<void()> fn) { headless::after(tick, std::move(fn)); }
    static void move(int32_t tick, int x, int y, int buttons = 0)
    {
        at(tick, [=] { headless::mouse(x, y, buttons); });
    }
    static void capture(int32_t tick, Screen &into)
    {
        at(tick, [&into] { into = headless::screen_pixels(); });
    }
    static void end_with_key(int32_t tick)
    {
        at(tick, [] { headless::key(KEY_A, 'a'); });
    }

    // The screen `base` with title t selected and its box drawn, the entry
    // `item` (if any) highlighted.
    Screen dropped(short title, short box, short item = 0)
    {
        const Screen now = headless::screen_pixels();
        load(base);
        tree[title].ob_flags |= OF_SELECTED;
        if (item)
            tree[item].ob_flags |= OF_SELECTED;
        objc_draw(tree, title, 1, 0, 0, 0, 0);
        objc_draw(tree, box, 2, 0, 0, 0, 0);
        tree[title].ob_flags &= ~OF_SELECTED;
        if (item)
            tree[item].ob_flags &= ~OF_SELECTED;
        const Screen s = headless::screen_pixels();
        load(now);
        return s;
    }

    // Entries with OF_SELECTED set.
    std::vector<short> selected() const
    {
        std::vector<short> v;
        for (short k = 0; k < COUNT; k++)
            if (tree[k].ob_flags & OF_SELECTED)
                v.push_back(k);
        return v;
    }

    OBJECT *tree = nullptr;
    Screen before_bar, base;

private:
    std::vector<OBJECT> objects_;
    TempDir dir_;
};

INSTANTIATE_TEST_SUITE_P(Trees, Menu, ::testing::Values(Source::Arrays, Source::ResourceFile),
                         [](const auto &info) {
                             return info.param == Source::Arrays ? "Arrays" : "ResourceFile";
                         });

// ---- the bar -----------------------------------------------------------------

TEST_P(Menu, BarIsDrawnOverASavedStripThatComesBackExactly)
{
    EXPECT_EQ(tree, _menu);
    EXPECT_EQ(320, _menufdb.fd_w);
    EXPECT_EQ(11, _menufdb.fd_h);
    EXPECT_EQ(tree[tree->ob_tail].ob_head, _boxstart);
    // Only the strip changed, and it shows the bar drawn across the screen.
    load(before_bar);
    objc_draw(tree, 1, 8, 0, 0, 0, 0);
    EXPECT_TRUE(same(base, headless::screen_pixels()));
    load(base);

    ASSERT_EQ(1, menu_bar(tree, 0));
    EXPECT_TRUE(same(headless::screen_pixels(), before_bar));
    EXPECT_EQ(nullptr, _menu);
    EXPECT_EQ(nullptr, _menufdb.fd_addr);
    EXPECT_EQ(1, menu_bar(tree, 0)) << "hiding twice does nothing";
    EXPECT_TRUE(same(headless::screen_pixels(), before_bar));
}

TEST_P(Menu, HidingAnotherTreeLeavesTheBar)
{
    std::vector<OBJECT> other = arrays();
    EXPECT_EQ(1, menu_bar(other.data(), 0));
    EXPECT_EQ(tree, _menu);
    EXPECT_NE(nullptr, _menufdb.fd_addr);
    EXPECT_TRUE(same(headless::screen_pixels(), base));
}

TEST_P(Menu, ShowingASecondTreeKeepsTheScreenWithTheFirstBar)
{
    std::vector<OBJECT> other = arrays();
    other[DESK].ob_spec = (long)" Other ";
    ASSERT_EQ(1, menu_bar(other.data(), 1));
    EXPECT_EQ(other.data(), _menu);
    EXPECT_FALSE(same(headless::screen_pixels(), base));
    menu_bar(other.data(), 0);
    EXPECT_TRUE(same(headless::screen_pixels(), base)) << "the strip saved holds the first bar";
}

TEST_P(Menu, FlagCallsChangeOneBitAndOnlyTnormalDraws)
{
    struct Case {
        const char *name;
        int (*call)(OBJECT *, int, int);
        short index;
        int arg;
        unsigned char bit;
        bool set;
    };
    const Case cases[] = {
        {"check", menu_icheck, HELP, 1, OF_CHECKED, true},
        {"uncheck", menu_icheck, GRID, 0, OF_CHECKED, false},
        {"disable", menu_ienable, OPEN, 0, OF_DISABLED, true},
        {"enable", menu_ienable, SAVE, 1, OF_DISABLED, false},
        {"select", menu_tnormal, FILE_TITLE, 0, OF_SELECTED, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const unsigned char flags = tree[c.index].ob_flags;
        EXPECT_EQ(1, c.call(tree, c.index, c.arg));
        EXPECT_EQ(flags ^ c.bit, tree[c.index].ob_flags);
        EXPECT_EQ(c.set, (tree[c.index].ob_flags & c.bit) != 0);
        if (c.call != menu_tnormal) {
            EXPECT_TRUE(same(headless::screen_pixels(), base));
        }
        tree[c.index].ob_flags = flags;
    }
    // A title selected then made normal again: drawn as in the bar.
    EXPECT_FALSE(same(headless::screen_pixels(), base)) << "the selected title was drawn";
    menu_tnormal(tree, FILE_TITLE, 1);
    EXPECT_TRUE(same(headless::screen_pixels(), base));
}

TEST_P(Menu, FlagCallsRefuseObjectsOutsideTheTree)
{
    const int bad[] = {-1, COUNT, 30000};
    for (int index : bad) {
        EXPECT_EQ(0, menu_icheck(tree, index, 1));
        EXPECT_EQ(0, menu_ienable(tree, index, 0));
        EXPECT_EQ(0, menu_tnormal(tree, index, 0));
    }
    EXPECT_EQ(0, menu_icheck(nullptr, 3, 1));
    EXPECT_EQ(0, menu_bar(nullptr, 1));
    EXPECT_TRUE(same(headless::screen_pixels(), base));
}

TEST_P(Menu, BarWithoutAStripBlockIsNotShown)
{
    _area_alloc = no_memory;
    std::vector<OBJECT> other = arrays();
    EXPECT_EQ(0, menu_bar(other.data(), 1));
    EXPECT_EQ(tree, _menu) << "the bar shown before stays";
    EXPECT_TRUE(same(headless::screen_pixels(), base));
    _area_alloc = malloc;
    menu_bar(tree, 0);
    _area_alloc = no_memory;
    EXPECT_EQ(0, menu_bar(tree, 1));
    EXPECT_EQ(nullptr, _menu);
    EXPECT_EQ(nullptr, _menufdb.fd_addr);
    EXPECT_TRUE(same(headless::screen_pixels(), before_bar));
}

TEST(MenuBarWidth, BecomesTheScreenWidth)
{
    for (int rez : {0, 1, 2}) {
        headless::start(rez);
        clear_to_color(screen, 7);
        std::vector<OBJECT> t = arrays();
        ASSERT_EQ(1, menu_bar(t.data(), 1));
        for (short k : {ROOT, BAR, BOXES})
            EXPECT_EQ(screen->w, t[k].ob_width) << "rez " << rez << " object " << k;
        EXPECT_EQ(screen->w, _menufdb.fd_w);
        EXPECT_EQ(screen->w - 1, _menupx[6]);
        EXPECT_EQ(1, getpixel(screen, screen->w - 1, 5)) << "the bar reaches the right edge";
        EXPECT_EQ(7, getpixel(screen, screen->w - 1, 11)) << "and stops after row 10";
        menu_bar(t.data(), 0);
        EXPECT_EQ(7, getpixel(screen, screen->w - 1, 5));
    }
    headless::start(0);
}

// ---- tracking ----------------------------------------------------------------

TEST_P(Menu, BoxesDropInTurnAndTheScreenUnderEachComesBack)
{
    Screen desk, file, on_bar, options, left;
    move(1, title_x(DESK), TITLE_Y);
    capture(2, desk);
    move(3, title_x(FILE_TITLE), TITLE_Y);
    capture(4, file);
    move(5, 300, TITLE_Y);  // the bar right of the titles
    capture(6, on_bar);
    move(7, title_x(OPTIONS), TITLE_Y);
    capture(8, options);
    move(9, 250, 150);
    capture(10, left);
    end_with_key(11);
    Multi m;
    m.flags = EV_KEYBOARD;
    EXPECT_EQ(EV_KEYBOARD, m.run());
    EXPECT_TRUE(same(desk, dropped(DESK, DESK_BOX)));
    EXPECT_TRUE(same(file, dropped(FILE_TITLE, FILE_BOX))) << "the Desk box is gone";
    EXPECT_TRUE(same(on_bar, base));
    EXPECT_TRUE(same(options, dropped(OPTIONS, OPTIONS_BOX)));
    EXPECT_TRUE(same(left, base));
    EXPECT_TRUE(same(headless::screen_pixels(), base));
    EXPECT_EQ(nullptr, _boxfdb.fd_addr);
    EXPECT_EQ(11, headless::idles()) << "one _idle() between two polls";
}

TEST_P(Menu, EntriesAreHighlightedOneByOneAndDisabledOnesSkipped)
{
    struct Step {
        int row;     // entry row of the File box; 3 is the empty part
        short item;  // the entry highlighted there
    };
    const Step steps[] = {{0, OPEN}, {1, OPEN}, {2, QUIT}, {3, QUIT}, {0, OPEN}};
    const int n = sizeof steps / sizeof steps[0];
    std::vector<Screen> shots(n + 1);
    std::vector<std::vector<short>> flags(n);
    move(1, title_x(FILE_TITLE), TITLE_Y);
    for (int i = 0; i < n; i++) {
        move(2 + 2 * i, title_x(FILE_TITLE), entry_y(steps[i].row));
        capture(3 + 2 * i, shots[i]);
        at(3 + 2 * i, [this, &flags, i] { flags[i] = selected(); });
    }
    move(2 + 2 * n, title_x(FILE_TITLE), 60);  // below the box, inside the drop area
    capture(3 + 2 * n, shots[n]);
    end_with_key(4 + 2 * n);
    Multi m;
    m.flags = EV_KEYBOARD;
    EXPECT_EQ(EV_KEYBOARD, m.run());
    for (int i = 0; i < n; i++) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_TRUE(same(shots[i], dropped(FILE_TITLE, FILE_BOX, steps[i].item)));
        EXPECT_EQ((std::vector<short>{FILE_TITLE, steps[i].item}), flags[i]);
    }
    EXPECT_TRUE(same(shots[n], base)) << "leaving the box closed it";
    EXPECT_TRUE(selected().empty());
}

TEST_P(Menu, PressOnAnEntryWritesTheMessage)
{
    struct Case {
        const char *name;
        bool mesag;    // evnt_mesag, else evnt_multi
        int flags;     // evnt_multi's requests
        int expected;  // its result
    };
    const Case cases[] = {
        {"evnt_mesag", true, 0, 1},
        {"evnt_multi message", false, EV_MESSAGE, EV_MESSAGE},
        {"evnt_multi message and button", false, EV_MESSAGE | EV_BUTTON, EV_MESSAGE | EV_BUTTON},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        headless::clear_script();
        move(1, title_x(OPTIONS), TITLE_Y);
        move(2, title_x(OPTIONS), entry_y(0));  // Grid, the checked entry
        move(4, title_x(OPTIONS), entry_y(0), 1);
        move(6, title_x(OPTIONS), entry_y(0), 0);
        Multi m;
        m.flags = c.flags;
        const int got = c.mesag ? evnt_mesag(m.msg) : m.run();
        EXPECT_EQ(c.expected, got);
        EXPECT_EQ((std::vector<short>{10, -2, -3, OPTIONS, GRID, -6, -7, -8}),
                  std::vector<short>(m.msg, m.msg + 8));
        EXPECT_TRUE(selected().empty()) << "the entry's OF_SELECTED is cleared";
        EXPECT_TRUE(tree[GRID].ob_flags & OF_CHECKED);
        EXPECT_TRUE(same(headless::screen_pixels(), base));
        EXPECT_EQ(4, headless::idles()) << "the press ended the call";
        // Release the button before the next case.
        headless::mouse(250, 150, 0);
        _mouse_event();
    }
}

TEST_P(Menu, PressesThatChooseNothing)
{
    struct Case {
        const char *name;
        int row;   // File box: 0 Open, 1 the disabled Save, 3 the empty part
        int mask;  // evnt_multi's button mask and state
    };
    const Case cases[] = {
        {"on a disabled entry", 1, 1},
        {"on the box outside its entries", 3, 1},
        {"without the left press in the button mask", 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        headless::clear_script();
        Screen pressed;
        move(1, title_x(FILE_TITLE), TITLE_Y);
        move(2, title_x(FILE_TITLE), entry_y(0));  // Open highlighted
        move(3, title_x(FILE_TITLE), entry_y(c.row));
        move(5, title_x(FILE_TITLE), entry_y(c.row), 1);
        capture(7, pressed);
        end_with_key(8);
        Multi m;
        m.flags = EV_MESSAGE | EV_KEYBOARD;
        m.mask = m.state = c.mask;
        EXPECT_EQ(EV_KEYBOARD, m.run());
        EXPECT_EQ(-1, m.msg[0]);
        EXPECT_TRUE(same(pressed, dropped(FILE_TITLE, FILE_BOX, OPEN)))
            << "still open, Open still highlighted";
        EXPECT_TRUE(same(headless::screen_pixels(), base)) << "closed at the return";
        headless::mouse(250, 150, 0);
        _mouse_event();
    }
}

TEST_P(Menu, TimerWaitsWhileABoxIsOpenAndCountsAgainAfter)
{
    move(10, title_x(DESK), TITLE_Y);
    move(800, 250, 150);
    Multi m;
    m.flags = EV_TIMER;
    m.lo = 500;
    const int32_t t0 = _mevent.time;
    EXPECT_EQ(EV_TIMER, m.run());
    EXPECT_EQ(800, _timer - t0) << "at the first poll after the box closed";
    EXPECT_TRUE(same(headless::screen_pixels(), base));
}

TEST_P(Menu, BoxWithoutASaveBlockDoesNotDrop)
{
    _area_alloc = no_memory;
    Screen on_title;
    move(1, title_x(DESK), TITLE_Y);
    capture(2, on_title);
    Multi m;
    m.flags = EV_TIMER;
    m.lo = 20;
    EXPECT_EQ(EV_TIMER, m.run()) << "no box open: the timer is not held back";
    EXPECT_TRUE(same(on_title, base));
    EXPECT_TRUE(selected().empty());
}

TEST_P(Menu, DamagedTreesDropNothingTheyCannotPutBack)
{
    struct Case {
        const char *name;
        short title;
        std::function<void(OBJECT *)> damage;
        bool drops;
    };
    const Case cases[] = {
        {"more titles than boxes", OPTIONS, [](OBJECT *t) { t[FILE_BOX].ob_next = BOXES; }, false},
        {"no box container", DESK, [](OBJECT *t) { t[ROOT].ob_tail = 99; }, false},
        {"no drop area", DESK, [](OBJECT *t) { t[ROOT].ob_height = 0; }, false},
        {"titles without a parent", DESK, [](OBJECT *t) { t[TITLES].ob_head = NIL; }, false},
        {"a loop in the box chain", OPTIONS, [](OBJECT *t) { t[DESK_BOX].ob_next = DESK_BOX; },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<OBJECT> t = arrays();
        c.damage(t.data());
        ASSERT_EQ(1, menu_bar(t.data(), 1));
        const Screen shown = headless::screen_pixels();
        Screen on_title;
        headless::clear_script();
        move(1, title_x(c.title), TITLE_Y);
        capture(2, on_title);
        move(3, 250, 150);
        end_with_key(4);
        Multi m;
        m.flags = EV_KEYBOARD;
        EXPECT_EQ(EV_KEYBOARD, m.run());
        EXPECT_EQ(c.drops, !same(on_title, shown));
        EXPECT_TRUE(same(headless::screen_pixels(), shown));
        menu_bar(t.data(), 0);
        EXPECT_TRUE(same(headless::screen_pixels(), base));
    }
}

// ---- the other requests ------------------------------------------------------

class Multiplexer : public ::testing::Test {
protected:
    void SetUp() override { headless::start_at(100, 100); }
};

TEST_F(Multiplexer, TimerCountsFromTheLastPollBeforeTheCall)
{
    struct Case {
        int lo, hi;
        int32_t ticks;
    };
    for (const Case &c : {Case{500, 0, 500}, Case{0, 1, 65536}, Case{0, 0, 0}, Case{-5, 0, 0}}) {
        _mouse_event();
        const int32_t t0 = _mevent.time;
        _timer = _timer + 7;  // time passing before the call counts
        Multi m;
        m.flags = EV_TIMER;
        m.lo = c.lo;
        m.hi = c.hi;
        EXPECT_EQ(EV_TIMER, m.run());
        EXPECT_EQ(std::max<int32_t>(c.ticks, 7), _timer - t0) << c.lo << " " << c.hi;
    }
}

TEST_F(Multiplexer, KeyboardOnlyWhenAsked)
{
    headless::after(3, [] { headless::key(KEY_F3, 0); });
    Multi m;
    m.flags = EV_KEYBOARD;
    EXPECT_EQ(EV_KEYBOARD, m.run());
    EXPECT_EQ(325, m.key);

    headless::after(3, [] { headless::key(KEY_A, 'a'); });
    Multi t;
    t.flags = EV_TIMER;
    t.lo = 50;
    const int32_t t0 = _mevent.time;
    EXPECT_EQ(EV_TIMER, t.run());
    EXPECT_EQ(50, _mevent.time - t0) << "the key did not end the call";
}

TEST_F(Multiplexer, ButtonCountsPressesAndZeroCountsAsOne)
{
    struct Case {
        int clicks;
        short counted;
        int32_t idles;
    };
    for (const Case &c : {Case{2, 2, 40}, Case{1, 1, 10}, Case{0, 1, 10}, Case{-4, 1, 10}}) {
        headless::clear_script();
        for (int32_t at : {10, 40}) {
            headless::after(at, [] { mouse_b = 1; });
            headless::after(at + 5, [] { mouse_b = 0; });
        }
        Multi m;
        m.flags = EV_BUTTON;
        m.clicks = c.clicks;
        EXPECT_EQ(EV_BUTTON, m.run());
        EXPECT_EQ(c.counted, m.n) << c.clicks;
        EXPECT_EQ(c.idles, headless::idles()) << c.clicks;
        EXPECT_EQ(1, m.mb);
        while (headless::idles() < 50)  // let the script end
            _idle();
        _mouse_event();
    }
}

TEST_F(Multiplexer, RectanglesInBothModes)
{
    struct Case {
        int flag, mode;
        int moves_out;  // ticks until the pointer leaves (95, 95, 10, 10)
        long idles;     // expected before the event
    };
    const Case cases[] = {
        {EV_RECT1, 0, 30, 0},
        {EV_RECT1, 1, 30, 30},
        {EV_RECT2, 0, 30, 0},
        {EV_RECT2, 1, 30, 30},
    };
    for (const Case &c : cases) {
        headless::clear_script();
        headless::mouse(100, 100, 0);
        _mouse_event();
        headless::after(c.moves_out, [] { headless::mouse(105, 100, 0); });  // x = rx + w
        Multi m;
        m.flags = c.flag;
        int *r = c.flag == EV_RECT1 ? m.r1 : m.r2;
        const int rect[5] = {c.mode, 95, 95, 10, 10};
        std::copy(rect, rect + 5, r);
        EXPECT_EQ(c.flag, m.run());
        EXPECT_EQ(c.idles, headless::idles()) << c.flag << " mode " << c.mode;
        EXPECT_EQ(c.idles ? 105 : 100, m.mx);
    }
}

TEST_F(Multiplexer, NothingAskedReturnsAtOnce)
{
    headless::mouse(1, 2, 0);
    Multi m;
    m.flags = 0x40;  // no request bit
    EXPECT_EQ(0, m.run());
    EXPECT_EQ(100, _mevent.x) << "no poll";
    EXPECT_EQ(-1, m.mx);
}

TEST_F(Multiplexer, MissingPlacesAreNotWritten)
{
    headless::after(2, [] { headless::key(KEY_A, 'a'); });
    EXPECT_EQ(EV_KEYBOARD,
              evnt_multi(EV_KEYBOARD | EV_MESSAGE | EV_BUTTON, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(0, evnt_multi(EV_MESSAGE, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, 0, 0,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
        << "nothing left to wait for";
    EXPECT_EQ(0, evnt_mesag(nullptr));
}

TEST_F(Multiplexer, SeveralEventsOfOnePollAreReportedTogether)
{
    headless::after(4, [] {
        headless::key(KEY_A, 'a');
        headless::mouse(100, 100, 1);
    });
    Multi m;
    m.flags = EV_KEYBOARD | EV_BUTTON | EV_TIMER;
    m.lo = 4;
    EXPECT_EQ(EV_KEYBOARD | EV_BUTTON | EV_TIMER, m.run());
    EXPECT_EQ('a', m.key);
    EXPECT_EQ(1, m.n);
}

}  // namespace
