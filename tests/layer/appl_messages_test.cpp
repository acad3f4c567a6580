// Messages a program sends itself: appl_write onto the queue, appl_read and
// evnt_multi off it, and appl_read's wait, during which the menu bar and
// the display's close button still work.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/headless.h"
#include "support/menu_tree.h"

namespace {

using Message = std::array<short, 8>;

Message redraw(short window, short x) { return {WM_REDRAW, 0, 0, window, x, 10, 20, 30}; }
Message topped(short window) { return {WM_TOPPED, 0, 0, window, 0, 0, 0, 0}; }

int write(const std::vector<Message> &messages)
{
    return appl_write(0, (int)(16 * messages.size()), messages.data());
}

class ApplMessages : public ::testing::Test {
protected:
    void SetUp() override { headless::start_at(250, 150); }
};

TEST_F(ApplMessages, WrittenMessagesComeBackInOrderThroughEveryReader)
{
    ASSERT_EQ(1, write({topped(3), redraw(4, 7), {MN_SELECTED, 0, 0, 3, 9, 1, 2, 3}}));
    Message msg{};
    EXPECT_EQ(1, evnt_mesag(msg.data()));
    EXPECT_EQ(topped(3), msg);
    short mx, my, mb, ks, key, n;
    EXPECT_EQ(EV_MESSAGE, evnt_multi(EV_MESSAGE, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg.data(),
                                     0, 0, &mx, &my, &mb, &ks, &key, &n));
    EXPECT_EQ(redraw(4, 7), msg);
    Message read;
    EXPECT_EQ(1, appl_read(0, 16, read.data()));
    EXPECT_EQ(Message({MN_SELECTED, 0, 0, 3, 9, 1, 2, 3}), read);
    EXPECT_EQ(0, _msg_count());
    EXPECT_EQ(0, headless::idles()) << "nothing waited";
}

TEST_F(ApplMessages, ReadGivesWordsAMessageDoesNotCarryAsZero)
{
    const short menu_choice[8] = {MN_SELECTED, 7, 7, 3, 9, 7, 7, 7};
    ASSERT_EQ(1, _msg_post(menu_choice, 1u << 0 | 1u << 3 | 1u << 4));
    Message read;
    read.fill(-1);
    EXPECT_EQ(1, appl_read(0, 16, read.data()));
    EXPECT_EQ(Message({MN_SELECTED, 0, 0, 3, 9, 0, 0, 0}), read);
}

TEST_F(ApplMessages, BadRequestsAreRefusedWithoutTouchingTheQueue)
{
    ASSERT_EQ(1, write({topped(1)}));
    Message m = topped(2);
    struct Case {
        int apid, length;
        bool buffer;
    };
    const Case cases[] = {
        {1, 16, true}, {-1, 16, true}, {0, 0, true},   {0, 15, true},
        {0, 24, true}, {0, -16, true}, {0, 16, false}, {0, 16 * (GEM_QUEUE_SIZE + 1), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.apid << " " << c.length << " " << c.buffer);
        EXPECT_EQ(0, appl_write(c.apid, c.length, c.buffer ? m.data() : nullptr));
        EXPECT_EQ(0, appl_read(c.apid, c.length, c.buffer ? m.data() : nullptr));
        EXPECT_EQ(topped(2), m);
        EXPECT_EQ(1, _msg_count());
    }
    EXPECT_EQ(0, headless::idles()) << "a read that can never be served does not wait";
}

TEST_F(ApplMessages, AWriteThatDoesNotFitWritesNothing)
{
    std::vector<Message> others(GEM_MESSAGES - 1, topped(1));
    ASSERT_EQ(1, write(others));
    ASSERT_EQ(1, write({redraw(5, 0)}));
    // The redraw would merge into the queued one, but the two others do not fit.
    EXPECT_EQ(0, write({redraw(5, 100), topped(2), topped(3)}));
    EXPECT_EQ(GEM_MESSAGES, _msg_count());
    EXPECT_EQ(1, write({redraw(5, 50), topped(2)}));
    EXPECT_EQ(0, write({topped(3)}));
    std::vector<Message> all(GEM_MESSAGES + 1);
    ASSERT_EQ(1, appl_read(0, 16 * (int)all.size(), all.data()));
    // x 0 and x 50, 20 wide: the refused x 100 left no trace.
    EXPECT_EQ(0, all[GEM_MESSAGES - 1][4]);
    EXPECT_EQ(70, all[GEM_MESSAGES - 1][6]);
    EXPECT_EQ(topped(2), all[GEM_MESSAGES]);
}

TEST_F(ApplMessages, ReadWaitsForAllItAskedForAndTakesThemTogether)
{
    ASSERT_EQ(1, write({topped(1)}));
    headless::after(40, [] { write({topped(2)}); });
    headless::after(90, [] { _ap_term_request(); });
    std::array<Message, 3> read{};
    EXPECT_EQ(1, appl_read(0, 48, read.data()));
    EXPECT_EQ(90, headless::idles());
    EXPECT_EQ(topped(1), read[0]);
    EXPECT_EQ(topped(2), read[1]);
    EXPECT_EQ(AP_TERM, read[2][0]) << "the close button counts as a message";
    EXPECT_EQ(0, _msg_count());
}

TEST_F(ApplMessages, MenusWorkWhileAReadWaits)
{
    using namespace menu_test;
    std::vector<OBJECT> tree = arrays();
    ASSERT_EQ(1, menu_bar(tree.data(), 1));
    const int x = title_x(FILE_TITLE);
    headless::after(10, [x] { headless::mouse(x, TITLE_Y, 0); });
    headless::after(20, [x] { headless::mouse(x, entry_y(2), 0); });
    headless::after(30, [x] { headless::mouse(x, entry_y(2), 1); });
    Message read;
    EXPECT_EQ(1, appl_read(0, 16, read.data()));
    EXPECT_EQ(Message({MN_SELECTED, 0, 0, FILE_TITLE, QUIT, 0, 0, 0}), read);
    EXPECT_EQ(30, headless::idles());
    menu_bar(tree.data(), 0);
}

}  // namespace
