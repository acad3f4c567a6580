// The waiting calls: keys, button clicks, timer spans and mouse rectangles,
// driven by scripted input on the headless clock (one tick per _idle()).
#include <gtest/gtest.h>

#include "support/headless.h"

namespace {

class Events : public ::testing::Test {
protected:
    void SetUp() override { headless::start_at(100, 100); }

    short mx = -1, my = -1, mb = -1, ks = -1;
};

// Press the left (or `buttons`) at `at` ticks from now, release `hold` later.
void click_at(int32_t at, int hold = 5, int buttons = 1)
{
    headless::after(at, [buttons] { mouse_b = buttons; });
    headless::after(at + hold, [] { mouse_b = 0; });
}

TEST_F(Events, KeybdWaitsForAKeyAndReturnsItsCode)
{
    headless::after(30, [] { headless::key(KEY_LEFT, 0); });
    int32_t t0 = _timer;
    EXPECT_EQ(evnt_keybd(), 356);
    EXPECT_GE(_timer - t0, 30);
    EXPECT_EQ(headless::idles(), _timer - t0) << "one _idle() per pass";

    headless::clear_script();
    headless::key(KEY_A, 'a');  // already waiting: no idle at all
    EXPECT_EQ(evnt_keybd(), 'a');
    EXPECT_EQ(headless::idles(), 0);
}

TEST_F(Events, ButtonCountsSeparateClicksHoweverFarApart)
{
    click_at(10);
    click_at(5000);
    EXPECT_EQ(evnt_button(2, 1, 1, &mx, &my, &mb, &ks), 2);
    EXPECT_GE(headless::idles(), 5000);
    EXPECT_EQ(mb, 1) << "the state at the second press";
    EXPECT_EQ(mx, 100);
    EXPECT_EQ(my, 100);
}

TEST_F(Events, ButtonCountsOncePerPollEvenWithTwoWantedTransitions)
{
    click_at(3, 5, 3);  // both buttons down in the same poll
    click_at(20, 5, 3);
    EXPECT_EQ(evnt_button(2, 3, 3, &mx, &my, &mb, &ks), 2);
    EXPECT_GE(headless::idles(), 20) << "the first poll counted one, not two";
    EXPECT_EQ(mb, 3);
}

TEST_F(Events, ButtonWaitsForTheWantedTransitionOnly)
{
    // Wanted: the left button going up; the right button does not count.
    click_at(5, 5, 2);
    headless::after(30, [] { mouse_b = 1; });
    headless::after(60, [] { mouse_b = 0; });
    headless::after(60, [] { key[KEY_LSHIFT] = 1; });
    EXPECT_EQ(evnt_button(1, 1, 0, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 60);
    EXPECT_EQ(mb, 0);
    EXPECT_EQ(ks, 0x02);
    key[KEY_LSHIFT] = 0;

    // Right button down, with the mouse moved meanwhile.
    headless::clear_script();
    headless::after(7, [] { headless::mouse(5, 6, 2); });
    EXPECT_EQ(evnt_button(1, 2, 2, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 7);
    EXPECT_EQ(mx, 5);
    EXPECT_EQ(my, 6);
    EXPECT_EQ(mb, 2);
}

TEST_F(Events, ButtonWithNothingToWaitForReturnsAtOnce)
{
    headless::mouse(70, 80, 1);
    _mouse_event();
    headless::mouse(1, 2, 0);  // not polled by the calls below

    EXPECT_EQ(evnt_button(0, 1, 1, &mx, &my, &mb, &ks), 0);
    EXPECT_EQ(mx, 70) << "the values of the last poll";
    EXPECT_EQ(mb, 1);
    EXPECT_EQ(evnt_button(-3, 1, 1, &mx, &my, &mb, &ks), 0);
    // No button in the mask: could never be satisfied.
    EXPECT_EQ(evnt_button(2, 0, 1, &mx, &my, &mb, &ks), 0);
    EXPECT_EQ(evnt_button(1, 4, 4, &mx, &my, &mb, &ks), 0);
    EXPECT_EQ(headless::idles(), 0);
    EXPECT_EQ(_mevent.x, 70) << "no poll happened";
}

TEST_F(Events, TimerWaitsItsSpan)
{
    int32_t t0 = _timer;
    EXPECT_EQ(evnt_timer(1000, 0), 1);
    EXPECT_GE(_timer - t0, 1000);
    EXPECT_LE(_timer - t0, 1001);
    EXPECT_EQ(_mevent.time, _timer);

    t0 = _timer;
    EXPECT_EQ(evnt_timer(0, 1), 1);
    EXPECT_EQ(_timer - t0, 65536);

    t0 = _timer;
    EXPECT_EQ(evnt_timer(10, 1), 1);
    EXPECT_EQ(_timer - t0, 65546);
}

TEST_F(Events, TimerOfZeroOrLessPollsOnce)
{
    headless::mouse(3, 4, 0);
    int32_t t0 = _timer;
    EXPECT_EQ(evnt_timer(0, 0), 1);
    EXPECT_EQ(evnt_timer(-50, 0), 1);
    EXPECT_EQ(_timer, t0);
    EXPECT_EQ(_mevent.x, 3) << "it did poll";
}

TEST_F(Events, TimerSpanStartsAtItsFirstPoll)
{
    _timer = _timer + 40;  // time that passed before the call
    int32_t t0 = _timer;
    evnt_timer(25, 0);
    EXPECT_EQ(_timer - t0, 25);
}

TEST_F(Events, TimerEndsWhenTheTickCounterWrapsRoundDuringIt)
{
    // A clock that wraps round like the 1 ms counter after 2^31 ticks. A
    // wait that missed the wrap would never end: the stand-in clock gives up
    // after a while by throwing out of the wait.
    struct Stuck {};
    static long ticks;
    ticks = 0;
    GEM_IO *scripted = _gemio;
    GEM_IO wrapping = *scripted;
    wrapping.idle = [] {
        if (++ticks > 1000)
            throw Stuck{};
        _timer = (int32_t)((uint32_t)_timer + 1);
    };
    _gemio = &wrapping;
    const int32_t before = _timer;
    _timer = INT32_MAX - 10;
    EXPECT_NO_THROW(evnt_timer(100, 0));
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(_mevent.time, INT32_MIN + 89);
    _gemio = scripted;
    _timer = before;
}

TEST_F(Events, MouseWaitsToEnterTheRectangle)
{
    // Columns 10..29, rows 10..29. (15, 100): x within, y not.
    headless::mouse(15, 100, 0);
    headless::after(50, [] { headless::mouse(30, 15, 0); });  // right of it
    headless::after(80, [] { headless::mouse(29, 29, 2); });  // its corner
    EXPECT_EQ(evnt_mouse(0, 10, 10, 20, 20, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 80);
    EXPECT_EQ(mx, 29);
    EXPECT_EQ(my, 29);
    EXPECT_EQ(mb, 2);
}

TEST_F(Events, MouseAlreadyInsideReturnsAfterOnePoll)
{
    headless::mouse(15, 15, 0);
    EXPECT_EQ(evnt_mouse(0, 10, 10, 20, 20, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 0);
    EXPECT_EQ(mx, 15);
}

TEST_F(Events, MouseWaitsToLeaveTheRectangle)
{
    headless::mouse(10, 10, 0);  // top-left corner: inside
    headless::after(20, [] { headless::mouse(10, 9, 0); });
    EXPECT_EQ(evnt_mouse(1, 10, 10, 20, 20, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 20);
    EXPECT_EQ(my, 9);

    headless::clear_script();  // already outside: one poll
    EXPECT_EQ(evnt_mouse(1, 10, 10, 20, 20, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 0);

    // An empty rectangle holds no point: leaving is immediate.
    headless::mouse(10, 10, 0);
    EXPECT_EQ(evnt_mouse(1, 10, 10, 0, 0, &mx, &my, &mb, &ks), 1);
    EXPECT_EQ(headless::idles(), 0);
}

TEST_F(Events, WaitsConsumeWhatTheirPollsReport)
{
    // A key read by evnt_button's polls is gone for the next caller.
    headless::key(KEY_A, 'a');
    click_at(5);
    evnt_button(1, 1, 1, &mx, &my, &mb, &ks);
    headless::after(3, [] { headless::key(KEY_B, 'b'); });
    EXPECT_EQ(evnt_keybd(), 'b');
}

}  // namespace
