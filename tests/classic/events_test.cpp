// The classic event calls beside the layer's: classic key codes, the time
// in two 16-bit halves or one 32-bit count, and outs of either width.
#include <gtest/gtest.h>

#include "classic/events_c.h"
#include "gem/classic/internal.h"
#include "support/headless.h"

namespace {

struct ScriptedKey {
    int scancode, character, classic;
};

const ScriptedKey keys[] = {
    {KEY_A, 'a', 0x1E61},  {KEY_A, 'A', 0x1E41},       {KEY_ENTER, 13, 0x1C0D}, {KEY_UP, 0, 0x4800},
    {KEY_DOWN, 0, 0x5000}, {KEY_BACKSPACE, 8, 0x0E08}, {KEY_DEL, 127, 0x537F},  {KEY_F1, 0, 0x3B00},
    {KEY_ESC, 27, 0x011B}, {KEY_SPACE, ' ', 0x3920},   {KEY_1, '1', 0x0231},
};

TEST(ClassicEvents, KeybdGivesClassicCodesFromC)
{
    for (const ScriptedKey &k : keys) {
        headless::start(1);
        headless::key(k.scancode, k.character);
        EXPECT_EQ(events_c_keybd(), k.classic) << k.scancode;
    }
}

TEST(ClassicEvents, MultiBothFormsGiveTheClassicKey)
{
    for (const ScriptedKey &k : keys) {
        headless::start(1);
        headless::key(k.scancode, k.character);
        const EVENTS_C_RESULT r23 = events_c_multi23(MU_KEYBD | MU_TIMER, 50, 0);
        EXPECT_EQ(r23.events, MU_KEYBD);
        EXPECT_EQ(r23.key, k.classic);
        headless::key(k.scancode, k.character);
        const EVENTS_C_RESULT r22 = events_c_multi22(MU_KEYBD | MU_TIMER, 50);
        EXPECT_EQ(r22.events, MU_KEYBD);
        EXPECT_EQ(r22.key, k.classic);
    }
}

// The ticks a timer wait takes on the headless clock (one per idle).
template <class Wait>
long ticks_of(Wait wait)
{
    headless::start(1);
    const int32_t before = _timer;
    wait();
    return (long)(uint32_t)(_timer - before);
}

TEST(ClassicEvents, TimerHalvesAreUnsignedWords)
{
    struct Case {
        unsigned short lo, hi;
        long ms;
    } cases[] = {{100, 0, 100}, {0xFFFF, 0, 65535}, {0x8000, 0, 32768}, {5, 1, 65541}};
    for (const Case &c : cases) {
        EXPECT_EQ(ticks_of([&] { EXPECT_EQ(events_c_timer2(c.lo, c.hi), 1); }), c.ms) << c.ms;
        EXPECT_EQ(ticks_of([&] { EXPECT_EQ(events_c_timer1((unsigned long)c.ms), 1); }), c.ms);
        EXPECT_EQ(
            ticks_of([&] { EXPECT_EQ(events_c_multi23(MU_TIMER, c.lo, c.hi).events, MU_TIMER); }),
            c.ms);
        EXPECT_EQ(ticks_of([&] { EXPECT_EQ(events_c_multi22(MU_TIMER, c.ms).events, MU_TIMER); }),
                  c.ms);
    }
}

TEST(ClassicEvents, MultiWritesTheButtonAndPointerInEitherWidth)
{
    headless::start_at(40, 30);
    headless::click(3, 50, 60);
    const EVENTS_C_RESULT words = events_c_multi23(MU_BUTTON, 0, 0);
    headless::start_at(40, 30);
    headless::click(3, 50, 60);
    const EVENTS_C_RESULT ints = events_c_multi22(MU_BUTTON, 0);
    for (const EVENTS_C_RESULT &r : {words, ints}) {
        EXPECT_EQ(r.events, MU_BUTTON);
        EXPECT_EQ(r.x, 50);
        EXPECT_EQ(r.y, 60);
        EXPECT_EQ(r.button, 1);
        EXPECT_EQ(r.clicks, 1);
        EXPECT_EQ(r.key, 0);
    }
}

TEST(ClassicEvents, MessagesCrossIntAndWordBuffers)
{
    headless::start(1);
    const int in[8] = {WM_TOPPED, 0, 0, 3, 70000, -2, 7, 8};
    short out[8] = {0};
    ASSERT_EQ(events_c_message_round_trip(in, out), 1);
    const short expected[8] = {WM_TOPPED, 0, 0, 3, (short)70000, -2, 7, 8};
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(out[i], expected[i]) << i;
}

TEST(ClassicEvents, MultiMessageIntoIntsKeepsWordsTheMessageLacks)
{
    headless::start(1);
    const short menu[8] = {MN_SELECTED, 0, 0, 3, 5, 0, 0, 0};
    ASSERT_EQ(_msg_post(menu, 1u << 0 | 1u << 3 | 1u << 4), 1);
    int msg[8] = {-1, -1, -1, -1, -1, 111, 222, 333};
    int x, y, b, k, key, n;
    const int events = gemc_evnt_multi(MU_MESAG, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                       GEMC_REF(msg), 0, GEMC_REF(&x), GEMC_REF(&y), GEMC_REF(&b),
                                       GEMC_REF(&k), GEMC_REF(&key), GEMC_REF(&n));
    EXPECT_EQ(events, MU_MESAG);
    const int expected[8] = {MN_SELECTED, -1, -1, 3, 5, 111, 222, 333};
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(msg[i], expected[i]) << i;
}

TEST(ClassicEvents, MesagWithoutBufferReturnsAtOnce)
{
    headless::start(1);
    EXPECT_EQ(gemc_evnt_mesag(GEMC_REF(nullptr)), 0);
    EXPECT_EQ(headless::idles(), 0);
}

TEST(ClassicEvents, ButtonAndMouseOutsInTheCallersWidth)
{
    headless::start_at(10, 10);
    headless::click(2, 70, 80);
    long x = 0, y = 0;
    int b = -1, k = -1;
    EXPECT_EQ(gemc_evnt_button(1, 1, 1, GEMC_REF(&x), GEMC_REF(&y), GEMC_REF(&b), GEMC_REF(&k)), 1);
    EXPECT_EQ(x, 70);
    EXPECT_EQ(y, 80);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(k, 0);
    headless::after(3, [] { headless::mouse(200, 150, 0); });
    int mx = 0, my = 0;
    EXPECT_EQ(gemc_evnt_mouse(0, 190, 140, 20, 20, GEMC_REF(&mx), GEMC_REF(&my), GEMC_REF(0),
                              GEMC_REF(0)),
              1);
    EXPECT_EQ(mx, 200);
    EXPECT_EQ(my, 150);
}

}  // namespace
