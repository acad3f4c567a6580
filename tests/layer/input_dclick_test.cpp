// Click counting in evnt_multi: a press counts towards a double (or
// triple) click only within evnt_dclick's span of the first.
#include <gtest/gtest.h>

#include <vector>

#include "support/headless.h"

namespace {

class DoubleClick : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start_at(100, 100);
        evnt_dclick(2, 1);
    }
    void TearDown() override { evnt_dclick(2, 1); }

    // evnt_multi for `clicks` left presses, with a key ending the wait too
    // when `keys`.
    int multi(int clicks, bool keys = false)
    {
        const int flags = EV_BUTTON | (keys ? EV_KEYBOARD : 0);
        return evnt_multi(flags, clicks, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, 0, 0, &mx,
                          &my, &mb, &ks, &key, &n);
    }

    short mx, my, mb, ks, key, n = -1;
};

// Presses of 3 ticks at the given ticks.
void presses(const std::vector<int32_t> &at)
{
    for (int32_t t : at) {
        headless::after(t, [] { mouse_b = 1; });
        headless::after(t + 3, [] { mouse_b = 0; });
    }
}

TEST_F(DoubleClick, PressesCountOnlyWithinTheSpanOfTheFirst)
{
    struct Case {
        int rate, clicks;
        std::vector<int32_t> at;
        short counted;
        long idles;  // when the call returned
    };
    const Case cases[] = {
        {2, 2, {10, 110}, 2, 110},  // 275 ms span
        {2, 2, {10, 285}, 2, 285},  // on its last tick
        {2, 2, {10, 286}, 1, 285},  // one tick late
        {2, 3, {10, 100, 200}, 3, 200}, {2, 3, {10, 100, 300}, 2, 285},
        {0, 2, {10, 400}, 2, 400},  // 450 ms span
        {4, 2, {10, 200}, 1, 175},  // 165 ms span
        {2, 1, {10, 50}, 1, 10},    // one click: no waiting
        {2, 0, {10, 50}, 1, 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "rate " << c.rate << ", clicks " << c.clicks << ", second at " << c.at[1]);
        headless::start_at(100, 100);
        evnt_dclick(c.rate, 1);
        presses(c.at);
        EXPECT_EQ(EV_BUTTON, multi(c.clicks));
        EXPECT_EQ(c.counted, n);
        EXPECT_EQ(c.idles, headless::idles());
    }
}

TEST_F(DoubleClick, AnotherEventEndsTheCountWithThePressesSoFar)
{
    presses({10, 400});
    headless::after(60, [] { headless::key(KEY_A, 'a'); });
    EXPECT_EQ(EV_BUTTON | EV_KEYBOARD, multi(2, true));
    EXPECT_EQ(1, n);
    EXPECT_EQ('a', key);
    EXPECT_EQ(60, headless::idles());
}

}  // namespace
