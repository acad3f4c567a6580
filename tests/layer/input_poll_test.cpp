// One poll of the mouse and keyboard into the event record: what changed,
// the key codes, the modifiers, the time, and bringing the cursor back.
#include <gtest/gtest.h>

#include "support/headless.h"

namespace {

class Poll : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        headless::mouse(40, 50, 0);
        _mouse_event();  // the record now holds this state
    }
    void TearDown() override
    {
        for (int k = 0; k < KEY_MAX; k++)
            key[k] = 0;
    }

    // The layer's code for one key given as readkey() would.
    static int code_of(int scancode, int character)
    {
        headless::key(scancode, character);
        _mouse_event();
        EXPECT_EQ(_mevent.kinds & 0x80, 0x80);
        return _mevent.key;
    }
};

TEST_F(Poll, QuietPollReportsNothing)
{
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0);
    EXPECT_EQ(_mevent.key, 0);
    EXPECT_EQ(_mevent.x, 40);
    EXPECT_EQ(_mevent.y, 50);
    EXPECT_EQ(_mevent.buttons, 0);
}

TEST_F(Poll, MovementIsReportedOnceAndPositionCutTo16Bits)
{
    headless::mouse(41, 50, 0);
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x01);
    EXPECT_EQ(_mevent.x, 41);
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0);

    headless::mouse(41, 51, 0);  // y alone counts too
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x01);

    headless::mouse(0x10000 + 7, -3, 0);
    _mouse_event();
    EXPECT_EQ(_mevent.x, 7);
    EXPECT_EQ(_mevent.y, -3);
}

TEST_F(Poll, ButtonTransitionsAreReportedOncePerPress)
{
    headless::mouse(40, 50, 1);
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x02);
    EXPECT_EQ(_mevent.buttons, 1);
    for (int i = 0; i < 5; i++) {  // held: nothing more
        _mouse_event();
        EXPECT_EQ(_mevent.kinds, 0);
        EXPECT_EQ(_mevent.buttons, 1);
    }
    headless::mouse(40, 50, 2);  // left up and right down in one poll
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x04 | 0x08);
    headless::mouse(41, 50, 0);  // right up with a movement
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x10 | 0x01);
    EXPECT_EQ(_mevent.buttons, 0);

    headless::mouse(41, 50, 3 | 4);  // a third button is not ours
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x02 | 0x08);
    EXPECT_EQ(_mevent.buttons, 3);
}

TEST_F(Poll, AClickBetweenTwoPollsIsSeenOnlyThroughTheLatch)
{
    // The state alone cannot show it.
    headless::mouse(40, 50, 1);
    headless::mouse(40, 50, 0);
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0);

    struct Case {
        int before, latched, now;
        short kinds;
    };
    const Case cases[] = {
        {0, MOUSE_FLAG_LEFT_DOWN | MOUSE_FLAG_LEFT_UP, 0, 0x06},
        {0, MOUSE_FLAG_RIGHT_DOWN | MOUSE_FLAG_RIGHT_UP, 0, 0x18},
        {1, MOUSE_FLAG_LEFT_UP | MOUSE_FLAG_LEFT_DOWN, 1, 0x06},  // released and pressed again
        {0, MOUSE_FLAG_LEFT_DOWN, 1, 0x02},                       // the state tells it already
        {0, MOUSE_FLAG_LEFT_DOWN | MOUSE_FLAG_LEFT_UP, 1, 0x02},
        {0, MOUSE_FLAG_LEFT_DOWN, 0, 0},  // half a click is nothing
        {0, MOUSE_FLAG_MOVE | MOUSE_FLAG_MIDDLE_DOWN | MOUSE_FLAG_MIDDLE_UP, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.latched);
        headless::mouse(40, 50, c.before);
        _mouse_event();
        headless::mouse(40, 50, c.now);
        _latch_buttons(c.latched);
        _mouse_event();
        EXPECT_EQ(_mevent.kinds, c.kinds);
        _mouse_event();  // the latch is taken by one poll
        EXPECT_EQ(_mevent.kinds, 0);
    }
}

TEST_F(Poll, KeyCodesFollowTheScancodeFirst)
{
    for (int f = 0; f < 12; f++)
        EXPECT_EQ(code_of(KEY_F1 + f, 0), 323 + f) << "F" << f + 1;
    EXPECT_EQ(code_of(KEY_F3, 0), 325);
    EXPECT_EQ(code_of(KEY_UP, 0), 354);
    EXPECT_EQ(code_of(KEY_LEFT, 0), 356);
    EXPECT_EQ(code_of(KEY_RIGHT, 0), 358);
    EXPECT_EQ(code_of(KEY_DOWN, 0), 360);
    EXPECT_EQ(code_of(KEY_DEL, 127), 128);
    EXPECT_EQ(code_of(KEY_BACKSPACE, 8), 127);
    EXPECT_EQ(code_of(KEY_SPACE, ' '), 32);
    EXPECT_EQ(code_of(KEY_SPACE, 0), 32);  // control+space gives no character
    EXPECT_EQ(code_of(KEY_ENTER, 13), 13);
    EXPECT_EQ(code_of(KEY_ENTER, 10), 13);  // control+Return
    EXPECT_EQ(code_of(KEY_A, 'a'), 'a');
    EXPECT_EQ(code_of(KEY_A, 'A'), 'A');
    EXPECT_EQ(code_of(KEY_A, 1), 1);  // control+A
    EXPECT_EQ(code_of(KEY_ENTER_PAD, 13), 13);
    EXPECT_EQ(code_of(KEY_ESC, 27), 27);
}

TEST_F(Poll, KeysWithoutACharacterGiveZeroWithTheKeyBit)
{
    for (int scancode : {KEY_HOME, KEY_END, KEY_PGUP, KEY_PGDN, KEY_INSERT}) {
        headless::key(scancode, 0);
        _mouse_event();
        EXPECT_EQ(_mevent.kinds, 0x80) << scancode;
        EXPECT_EQ(_mevent.key, 0) << scancode;
    }
}

TEST_F(Poll, OnePollTakesOneKey)
{
    headless::key(KEY_A, 'a');
    headless::key(KEY_B, 'b');
    headless::mouse(45, 50, 1);
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x80 | 0x02 | 0x01);
    EXPECT_EQ(_mevent.key, 'a');
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0x80);
    EXPECT_EQ(_mevent.key, 'b');
    _mouse_event();
    EXPECT_EQ(_mevent.kinds, 0);
    EXPECT_EQ(_mevent.key, 0);
}

TEST_F(Poll, ModifiersComeFromTheKeyStateArray)
{
    struct {
        int scancode;
        short bit;
    } mods[] = {{KEY_RSHIFT, 0x01},
                {KEY_LSHIFT, 0x02},
                {KEY_LCONTROL, 0x04},
                {KEY_RCONTROL, 0x04},
                {KEY_ALT, 0x08}};
    for (auto m : mods) {
        key[m.scancode] = 1;
        _mouse_event();
        EXPECT_EQ(_mevent.kbstat, m.bit) << m.scancode;
        EXPECT_EQ(_mevent.kinds, 0) << "modifiers alone are no event";
        key[m.scancode] = 0;
    }
    key[KEY_LSHIFT] = key[KEY_RSHIFT] = key[KEY_RCONTROL] = key[KEY_ALT] = 1;
    short state = -1;
    vq_key_s(handle, &state);
    EXPECT_EQ(state, 0x0F);

    // Shift with the main enter key still gives 13.
    key[KEY_LCONTROL] = key[KEY_RCONTROL] = key[KEY_ALT] = key[KEY_RSHIFT] = 0;
    EXPECT_EQ(code_of(KEY_ENTER, 13), 13);
    EXPECT_EQ(_mevent.kbstat, 0x02);
    key[KEY_LSHIFT] = 0;
    _mouse_event();
    EXPECT_EQ(_mevent.kbstat, 0);
}

TEST_F(Poll, TimeIsTheTickCountAtThePoll)
{
    _timer = _timer + 1234;
    _mouse_event();
    EXPECT_EQ(_mevent.time, _timer);
}

TEST_F(Poll, QueriesPollOnceAndReturnAField)
{
    short b = -1, x = -1, y = -1;
    headless::mouse(12, 34, 2);
    vq_mouse(handle, &b, &x, &y);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
    EXPECT_EQ(_mevent.kinds, 0x01 | 0x08);

    short k = -1;
    headless::key(KEY_F12, 0);
    vq_keybd(handle, &k);
    EXPECT_EQ(k, 334);
    vq_keybd(handle, &k);
    EXPECT_EQ(k, 0);
}

TEST_F(Poll, CursorComesBackOnlyWhenNoHideIsOutstanding)
{
    graf_mouse(M_OFF, nullptr);
    ASSERT_EQ(_mtot, 1);
    ASSERT_EQ(_mousedrawn, 0);
    for (int i = 0; i < 3; i++) {
        _mouse_event();
        EXPECT_EQ(_mousedrawn, 0);
    }
    graf_mouse(M_ON, nullptr);
    EXPECT_EQ(_mousedrawn, 0) << "the next poll shows it, not M_ON";
    _mouse_event();
    EXPECT_EQ(_mousedrawn, 1);

    // Not while the logical screen is selected.
    _hidemouse();
    Setscreen(1, 0);
    _mouse_event();
    EXPECT_EQ(_mousedrawn, 0);
    Setscreen(0, 0);
    _mouse_event();
    EXPECT_EQ(_mousedrawn, 1);
}

}  // namespace
