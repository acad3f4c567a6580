// The user's actions on windows while the program waits for messages, with
// scripted input on the headless screen: the message each press, drag and
// hold on each widget gives (all eight words), presses that give none or
// stay button events, the holds of wind_update, held arrows, the queue's
// order and bound, and the display's close request.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/headless.h"
#include "support/menu_tree.h"

namespace {

constexpr int FULL_KIND = NAME | CLOSER | FULLER | MOVER | INFO | SIZER | UPARROW | DNARROW |
                          VSLIDE | LFARROW | RTARROW | HSLIDE;

using Msg = std::vector<short>;

struct Wait {
    int result;
    Msg msg;
};

// evnt_multi for messages and left presses, ending after `ticks` at most.
Wait wait_messages(int flags = MU_MESAG | MU_BUTTON | MU_TIMER, int ticks = 100)
{
    short msg[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    short mx, my, mb, ks, key, n;
    const int r = evnt_multi(flags, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg, ticks, 0, &mx, &my,
                             &mb, &ks, &key, &n);
    return {r, Msg(msg, msg + 8)};
}

Msg message(short type, short h, short a = 0, short b = 0, short c = 0, short d = 0)
{
    return {type, 0, 0, h, a, b, c, d};
}

// Pointer positions as scripted steps: at tick `at`, (x, y) with buttons.
struct Step {
    int at, x, y, buttons;
};

void script(const std::vector<Step> &steps)
{
    for (const Step &s : steps)
        headless::after(s.at, [s] { headless::mouse(s.x, s.y, s.buttons); });
}

// A click: there at tick 1, pressed at 3, released at 5.
std::vector<Step> click(int x, int y, int buttons = 1)
{
    return {{1, x, y, 0}, {3, x, y, buttons}, {5, x, y, 0}};
}

// A press at `from`, moves through `path`, the release at the last point.
std::vector<Step> drag(std::pair<int, int> from, std::vector<std::pair<int, int>> path)
{
    std::vector<Step> s = {{1, from.first, from.second, 0}, {3, from.first, from.second, 1}};
    int t = 5;
    for (auto [x, y] : path) {
        s.push_back({t, x, y, 1});
        t += 2;
    }
    s.push_back({t, path.back().first, path.back().second, 0});
    return s;
}

// `a`, with every part, on top at (20, 30, 200, 120); `b` beside it, not on
// top. In a: the title bar is rows 30 to 40 (closer at x 20 to 30, fuller at
// 209 to 219), the info line rows 40 to 50, the vertical bar columns 209 to
// 219 (up arrow rows 50 to 60, track 60 to 129, down arrow 129 to 139), the
// horizontal bar rows 139 to 149 (left arrow x 20 to 30, track 30 to 199,
// right arrow 199 to 209), the sizer at (209, 139), the work area (21, 51)
// to (208, 138). Sliders start at 0 with the smallest size: 11 x 11 at the
// start of their tracks.
class WindowActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start_at(300, 190);
        b = wind_create(NAME | MOVER, 0, 11, 320, 189);
        wind_open(b, 240, 100, 70, 60);
        a = wind_create(FULL_KIND, 0, 11, 320, 189);
        wind_open(a, 20, 30, 200, 120);
        short msg[8];
        while (_msg_take(msg)) {
        }
    }
    void TearDown() override
    {
        headless::mouse(300, 190, 0);
        _mouse_event();
    }

    int a = 0, b = 0;
};

TEST_F(WindowActions, EachWidgetGivesItsMessage)
{
    struct Case {
        const char *name;
        std::vector<Step> steps;
        int result;
        Msg (*want)(int a, int b);
        std::function<void(int a)> before = nullptr;
    };
    const auto none = [](int, int) { return Msg(8, -1); };
    const Case cases[] = {
        {"closer", click(25, 35), MU_MESAG, [](int a, int) { return message(WM_CLOSED, a); }},
        {"fuller", click(214, 35), MU_MESAG, [](int a, int) { return message(WM_FULLED, a); }},
        {"up arrow", click(214, 55), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_UPLINE); }},
        {"down arrow", click(214, 134), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_DNLINE); }},
        {"left arrow", click(25, 144), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_LFLINE); }},
        {"right arrow", click(204, 144), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_RTLINE); }},
        {"track below the slider", click(214, 100), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_DNPAGE); }},
        {"track above the slider", click(214, 80), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_UPPAGE); },
         [](int a) { wind_set(a, WF_VSLIDE, 1000, 0, 0, 0); }},
        {"track right of the slider", click(150, 144), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_RTPAGE); }},
        {"track left of the slider", click(100, 144), MU_MESAG,
         [](int a, int) { return message(WM_ARROWED, a, WA_LFPAGE); },
         [](int a) { wind_set(a, WF_HSLIDE, 1000, 0, 0, 0); }},
        {"window not on top", click(270, 130), MU_MESAG,
         [](int, int b) { return message(WM_TOPPED, b); }},
        {"title bar dragged", drag({100, 35}, {{120, 50}, {140, 75}}), MU_MESAG,
         [](int a, int) { return message(WM_MOVED, a, 60, 70, 200, 120); }},
        {"title bar dragged above the desktop", drag({100, 35}, {{100, 0}}), MU_MESAG,
         [](int a, int) { return message(WM_MOVED, a, 20, 11, 200, 120); }},
        {"sizer dragged", drag({214, 144}, {{234, 154}, {254, 164}}), MU_MESAG,
         [](int a, int) { return message(WM_SIZED, a, 20, 30, 240, 140); }},
        {"sizer dragged below the smallest size", drag({214, 144}, {{30, 40}}), MU_MESAG,
         [](int a, int) { return message(WM_SIZED, a, 20, 30, 41, 61); }},
        {"vertical slider dragged", drag({214, 65}, {{214, 80}, {214, 99}}), MU_MESAG,
         [](int a, int) { return message(WM_VSLID, a, 34 * 1000 / 59); }},
        {"vertical slider dragged past the end", drag({214, 65}, {{214, 190}}), MU_MESAG,
         [](int a, int) { return message(WM_VSLID, a, 1000); }},
        {"horizontal slider dragged", drag({35, 144}, {{120, 144}}), MU_MESAG,
         [](int a, int) { return message(WM_HSLID, a, 85 * 1000 / 159); }},
        {"slider pressed, not moved", click(214, 65), MU_TIMER, none},
        {"closer released outside", drag({25, 35}, {{100, 100}}), MU_TIMER, none},
        {"closer left and entered again", drag({25, 35}, {{100, 100}, {26, 36}}), MU_MESAG,
         [](int a, int) { return message(WM_CLOSED, a); }},
        {"right button on the closer", click(25, 35, 2), MU_TIMER, none},
        {"info line", click(100, 45), MU_TIMER, none},
        {"work area", click(100, 100), MU_BUTTON, none},
        {"desktop", click(300, 20), MU_BUTTON, none},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.before)
            c.before(a);
        script(c.steps);
        const Wait w = wait_messages();
        EXPECT_EQ(c.result, w.result);
        EXPECT_EQ(c.want(a, b), w.msg);
        EXPECT_EQ(Msg(8, -1), wait_messages().msg) << "nothing more";
        TearDown();
    }
}

TEST_F(WindowActions, TheWindowManagerActsOnlyWhileMessagesAreAwaited)
{
    struct Case {
        const char *name;
        int flags;
        int update, mctrl;  // holds
        std::vector<Step> steps;
        int result;
        bool message;
    } cases[] = {
        {"no MU_MESAG: a press on a widget is a button event", MU_BUTTON | MU_TIMER, 0, 0,
         click(25, 35), MU_BUTTON, false},
        {"BEG_UPDATE: a press on a widget is dropped", MU_MESAG | MU_BUTTON | MU_TIMER, 1, 0,
         click(25, 35), MU_TIMER, false},
        {"BEG_UPDATE: the work area still clicks", MU_MESAG | MU_BUTTON | MU_TIMER, 1, 0,
         click(100, 100), MU_BUTTON, false},
        {"BEG_UPDATE: no topping", MU_MESAG | MU_BUTTON | MU_TIMER, 1, 0, click(270, 130), MU_TIMER,
         false},
        {"BEG_MCTRL: every press is the program's", MU_MESAG | MU_BUTTON | MU_TIMER, 0, 1,
         click(25, 35), MU_BUTTON, false},
        {"messages without buttons: the fuller", MU_MESAG | MU_TIMER, 0, 0, click(214, 35),
         MU_MESAG, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (int i = 0; i < c.update; i++)
            wind_update(BEG_UPDATE);
        for (int i = 0; i < c.mctrl; i++)
            wind_update(BEG_MCTRL);
        script(c.steps);
        const Wait w = wait_messages(c.flags);
        EXPECT_EQ(c.result, w.result);
        EXPECT_EQ(c.message, w.msg[0] != -1);
        TearDown();
    }
    // evnt_mesag itself: the fuller.
    SetUp();
    script(click(214, 35));
    short msg[8];
    ASSERT_EQ(1, evnt_mesag(msg));
    EXPECT_EQ(message(WM_FULLED, a), Msg(msg, msg + 8));
}

TEST_F(WindowActions, AHeldArrowRepeatsWhileThePointerStaysOnIt)
{
    // Held from tick 3 to 503; off the arrow from 300 to 400.
    script({{1, 214, 134, 0},
            {3, 214, 134, 1},
            {300, 100, 100, 1},
            {400, 214, 134, 1},
            {503, 214, 134, 0}});
    std::vector<int32_t> at;
    const int32_t start = _timer;
    for (int i = 0; i < 20; i++) {
        const Wait w = wait_messages(MU_MESAG | MU_TIMER, 600);
        if (w.result != MU_MESAG)
            break;
        EXPECT_EQ(message(WM_ARROWED, a, WA_DNLINE), w.msg);
        at.push_back(_timer - start);
    }
    // The press, then after 250 ms every 50 ms: 253, 303 (the pointer has
    // left, nothing until it is back at 400), 400, 450, 500.
    EXPECT_EQ((std::vector<int32_t>{3, 253, 400, 450, 500}), at);
}

TEST_F(WindowActions, MessagesKeepTheirOrderAndTheQueueItsBound)
{
    // A redraw queued first comes before the menu choice made after it.
    std::vector<OBJECT> tree = menu_test::arrays();
    menu_bar(tree.data(), 1);
    wind_set(a, WF_CURRXYWH, 20, 30, 210, 120);  // grown: its new strip to draw
    using menu_test::title_x, menu_test::entry_y, menu_test::OPTIONS;
    script({{1, title_x(OPTIONS), menu_test::TITLE_Y, 0},
            {2, title_x(OPTIONS), entry_y(0), 0},
            {4, title_x(OPTIONS), entry_y(0), 1},
            {6, title_x(OPTIONS), entry_y(0), 0}});
    EXPECT_EQ(message(WM_REDRAW, a, 209, 51, 10, 88), wait_messages().msg);
    EXPECT_EQ((Msg{MN_SELECTED, -1, -1, OPTIONS, menu_test::GRID, -1, -1, -1}), wait_messages().msg)
        << "a menu message writes words 0, 3 and 4 only";
    menu_bar(tree.data(), 0);

    // The bound: GEM_MESSAGES messages besides redraws; redraws still fit,
    // and everything comes out in the order it went in.
    for (short i = 0; i < GEM_MESSAGES; i++) {
        const short msg[8] = {100, 0, 0, i, 0, 0, 0, 0};
        ASSERT_EQ(1, _msg_post(msg, 0xFF));
    }
    const short more[8] = {101, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, _msg_post(more, 0xFF)) << "refused, and the poster told";
    wind_set(a, WF_CURRXYWH, 20, 30, 220, 120);
    for (short i = 0; i < GEM_MESSAGES; i++)
        ASSERT_EQ(message(100, i), wait_messages().msg);
    EXPECT_EQ(message(WM_REDRAW, a, 219, 51, 10, 88), wait_messages().msg);
    EXPECT_EQ(MU_TIMER, wait_messages().result);
}

TEST_F(WindowActions, TheDisplaysCloseButtonAsksTheProgramToEnd)
{
    _ap_term_request();
    EXPECT_EQ(message(AP_TERM, 0), wait_messages().msg);
    EXPECT_EQ(MU_TIMER, wait_messages().result) << "once";
    _ap_term_request();
    EXPECT_EQ(MU_TIMER, wait_messages(MU_BUTTON | MU_TIMER).result) << "not without MU_MESAG";
    EXPECT_EQ(AP_TERM, wait_messages().msg[0]) << "kept until asked";
}

}  // namespace
