// Recording the user's input (appl_trecord) and playing it back
// (appl_tplay): the events a recording holds, and playback driving
// evnt_multi and a dialog exactly as the recorded input did.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using Events = std::vector<EVNTREC>;

EVNTREC timer(long ms) { return {APPEVNT_TIMER, ms}; }
EVNTREC button(long state, long presses) { return {APPEVNT_BUTTON, presses << 16 | state}; }
EVNTREC pointer(long x, long y) { return {APPEVNT_MOUSE, y << 16 | x}; }
EVNTREC keyboard(long code, long kbstat = 0) { return {APPEVNT_KEYBOARD, kbstat << 16 | code}; }

// Events as (kind, value) pairs, which the checks compare and print.
std::vector<std::pair<long, long>> pairs(const Events &events)
{
    std::vector<std::pair<long, long>> v;
    for (const EVNTREC &e : events)
        v.emplace_back(e.ap_event, e.ap_value);
    return v;
}

class Record : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start_at(100, 100);
        original = _gemio;
    }
    void TearDown() override { key[KEY_LSHIFT] = 0; }

    GEM_IO *original = nullptr;
};

// The user of the recording cases: a left click at (50, 40), a key, a move
// out of the top-left 100 x 100 and a right click: 14 events.
void user()
{
    headless::after(10, [] { headless::mouse(50, 40, 0); });
    headless::after(14, [] { headless::mouse(50, 40, 1); });
    headless::after(18, [] { headless::mouse(50, 40, 0); });
    headless::after(30, [] { headless::key(KEY_B, 'b'); });
    headless::after(45, [] { headless::mouse(200, 150, 0); });
    headless::after(50, [] { headless::mouse(200, 150, 2); });
    headless::after(55, [] { headless::mouse(200, 150, 0); });
}
constexpr int USER_EVENTS = 14;

TEST_F(Record, PollsBecomeClassicEvents)
{
    headless::after(5, [] { headless::mouse(120, 60, 0); });
    headless::after(8, [] { headless::mouse(120, 60, 1); });
    headless::after(12, [] { headless::mouse(120, 60, 0); });
    headless::after(20, [] {
        key[KEY_LSHIFT] = 1;
        headless::key(KEY_A, 'A');
    });
    headless::after(25, [] { _latch_buttons(0x18); });  // a right click between two polls
    const Events expected = {timer(5), pointer(120, 60), timer(3),    button(1, 1),
                             timer(4), button(0, 0),     timer(8),    keyboard('A', K_LSHIFT),
                             timer(5), button(2, 1),     button(0, 0)};
    Events got(expected.size());
    EXPECT_EQ((int)got.size(), appl_trecord(got.data(), (int)got.size()));
    EXPECT_EQ(pairs(expected), pairs(got));
    EXPECT_EQ(25, headless::idles());
}

TEST_F(Record, RecordingStopsAtItsCountAndRefusesNone)
{
    user();
    Events got(3, timer(-1));
    got.push_back(timer(-1));
    EXPECT_EQ(3, appl_trecord(got.data(), 3));
    EXPECT_EQ(14, headless::idles());
    EXPECT_EQ(-1, got[3].ap_value) << "nothing past the count";
    EXPECT_EQ(0, appl_trecord(got.data(), 0));
    EXPECT_EQ(0, appl_trecord(got.data(), -2));
    EXPECT_EQ(0, appl_trecord(nullptr, 3));
    EXPECT_EQ(0, appl_tplay(got.data(), 0, 100));
    EXPECT_EQ(0, appl_tplay(nullptr, 3, 100));
    EXPECT_EQ(original, _gemio);
}

// What a program waiting in evnt_multi sees: four waits, then the right
// button's release.
using Seen = std::tuple<int, short, short, short, short, int32_t>;
std::vector<Seen> waits()
{
    struct Wait {
        int flags, mask, state, rect[5];
    };
    const Wait asked[] = {{EV_BUTTON, 1, 1, {}},
                          {EV_KEYBOARD, 0, 0, {}},
                          {EV_RECT1, 0, 0, {1, 0, 0, 100, 100}},
                          {EV_BUTTON, 2, 2, {}}};
    const int32_t t0 = _timer;
    std::vector<Seen> seen;
    for (const Wait &w : asked) {
        short mx, my, mb, ks, key, n;
        const int result =
            evnt_multi(w.flags, 1, w.mask, w.state, w.rect[0], w.rect[1], w.rect[2], w.rect[3],
                       w.rect[4], 0, 0, 0, 0, 0, nullptr, 0, 0, &mx, &my, &mb, &ks, &key, &n);
        seen.emplace_back(result, mx, my, mb, key, _mevent.time - t0);
    }
    short mx, my, mb, ks;
    evnt_button(1, 2, 0, &mx, &my, &mb, &ks);
    return seen;
}

TEST_F(Record, PlaybackDrivesEvntMultiAsTheUserDid)
{
    user();
    Events recording(USER_EVENTS);
    ASSERT_EQ(USER_EVENTS, appl_trecord(recording.data(), USER_EVENTS));

    headless::start_at(100, 100);
    user();
    const std::vector<Seen> by_user = waits();

    headless::start_at(100, 100);
    EXPECT_EQ(1, appl_tplay(recording.data(), USER_EVENTS, 100));
    EXPECT_EQ(by_user, waits());
    EXPECT_EQ(original, _gemio) << "the seam is given back once all has played";
}

TEST_F(Record, PlaybackClicksAButtonInADialog)
{
    using objc_test::make;
    std::vector<OBJECT> tree = {make(OT_BOX, 10, 20, 200, 100),
                                make(OT_STRING, 20, 50, 30, 12, OF_EXIT | OF_DEFAULT, (long)"A"),
                                make(OT_STRING, 100, 50, 30, 12, OF_EXIT, (long)"B")};
    objc_test::adopt(tree, 0, {1, 2});
    objc_test::finish(tree);
    headless::click(20, 125, 76);
    Events recording(6);
    ASSERT_EQ(6, appl_trecord(recording.data(), 6));

    headless::start_at(100, 100);
    form_dial(0, 0, 0, 0, 0, 10, 20, 200, 100);
    objc_draw(tree.data(), 0, 8, 0, 0, 0, 0);
    headless::after(500, [] { headless::key(KEY_ENTER, 13); });  // ends it if playback did not
    ASSERT_EQ(1, appl_tplay(recording.data(), 6, 100));
    EXPECT_EQ(2, form_do(tree.data(), 0));
    form_dial(3, 0, 0, 0, 0, 10, 20, 200, 100);
    EXPECT_LT(headless::idles(), 500);
    evnt_timer(10, 0);  // the release plays
    EXPECT_EQ(original, _gemio);
}

TEST_F(Record, SpeedScalesTheRecordedTime)
{
    const Events click = {timer(40), button(1, 1), timer(10), button(0, 0)};
    const std::pair<int, long> cases[] = {{100, 40}, {200, 20}, {50, 80}, {0, 4000}, {20000, 0}};
    for (auto [speed, idles] : cases) {
        headless::start_at(100, 100);
        short mx, my, mb, ks;
        ASSERT_EQ(1, appl_tplay(click.data(), 4, speed));
        evnt_button(1, 1, 1, &mx, &my, &mb, &ks);
        EXPECT_EQ(idles, headless::idles()) << "speed " << speed;
        evnt_button(1, 1, 0, &mx, &my, &mb, &ks);
        EXPECT_EQ(original, _gemio);
    }
}

TEST_F(Record, PlayedKeysArriveAsTheLayersCodes)
{
    const int codes[] = {K_F1,     K_F12,       K_UP,     K_LEFT, K_RIGHT, K_DOWN,
                         K_DELETE, K_BACKSPACE, K_RETURN, ' ',    'a',     'Z'};
    Events keys;
    for (int code : codes)
        keys.push_back(keyboard(code, K_ALT));
    ASSERT_EQ(1, appl_tplay(keys.data(), (int)keys.size(), 100));
    for (int code : codes)
        EXPECT_EQ(code, evnt_keybd());
    EXPECT_EQ(0, headless::idles());
    EXPECT_EQ(original, _gemio);
}

TEST_F(Record, DamagedEventsAreClampedOrSkipped)
{
    const Events damaged = {{99, 12345},          timer(-500),     pointer(0xFFFF, 0xFFFF),
                            {APPEVNT_MOUSE, -1L}, timer(1L << 40), keyboard('x')};
    ASSERT_EQ(1, appl_tplay(damaged.data(), (int)damaged.size(), 10000));
    short mb, mx, my;
    vq_mouse(handle, &mb, &mx, &my);
    EXPECT_EQ(319, mx);
    EXPECT_EQ(199, my);
    EXPECT_EQ(0, headless::idles()) << "an unknown kind and a negative time wait for nothing";
    const Events rest = {keyboard('y')};
    ASSERT_EQ(1, appl_tplay(rest.data(), 1, 100)) << "replaces the playback under way";
    EXPECT_EQ('y', evnt_keybd());
    EXPECT_EQ(original, _gemio);
}

TEST_F(Record, APlaybackReplacedLetsGoOfItsButtons)
{
    const Events held = {button(1, 1), timer(50), button(0, 0)};
    const Events click = {timer(10), button(1, 1), timer(10), button(0, 0)};
    short mx, my, mb, ks;
    ASSERT_EQ(1, appl_tplay(held.data(), 3, 100));
    evnt_button(1, 1, 1, &mx, &my, &mb, &ks);
    ASSERT_EQ(1, appl_tplay(click.data(), 4, 100));
    EXPECT_EQ(1, evnt_button(1, 1, 1, &mx, &my, &mb, &ks));
    EXPECT_EQ(10, headless::idles()) << "the new press, not the held one";
    evnt_button(1, 1, 0, &mx, &my, &mb, &ks);
    EXPECT_EQ(original, _gemio);
}

}  // namespace
