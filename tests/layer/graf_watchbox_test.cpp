// graf_watchbox: the object follows the pointer while the left button is
// held, is redrawn only when its state changes, and the call reports where
// the button went up.
#include <gtest/gtest.h>

#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

constexpr int IN = OS_SELECTED | OS_CROSSED, OUT = OS_CHECKED;

class Watchbox : public ::testing::Test {
protected:
    // The watched box lies at (30, 30)-(59, 49), filled 0 (1 when selected).
    void SetUp() override
    {
        headless::start(0);
        tree = {make(OT_BOX, 10, 20, 100, 60), make(OT_BOX, 20, 10, 30, 20)};
        tree[1].ob_fill = 0;
        adopt(tree, 0, {1});
        finish(tree);
        objc_draw(tree.data(), 0, 8, 0, 0, 0, 0);
    }

    std::vector<OBJECT> tree;
};

TEST_F(Watchbox, WithTheButtonUpItAnswersAtOnceWhereThePointerIs)
{
    struct Case {
        int x, y, result, state;
    };
    const Case cases[] = {{40, 40, 1, IN}, {59, 49, 1, IN}, {60, 49, 0, OUT}, {5, 5, 0, OUT}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        headless::mouse(c.x, c.y, 0);
        EXPECT_EQ(c.result, graf_watchbox(tree.data(), 1, IN, OUT));
        EXPECT_EQ(c.state, _ob_state(&tree[1]));
        EXPECT_EQ(0, headless::idles());
    }
}

TEST_F(Watchbox, FollowsThePointerWhileHeldAndRedrawsOnlyOnAChange)
{
    for (bool release_over : {true, false}) {
        SCOPED_TRACE(release_over ? "released over it" : "released off it");
        headless::clear_script();
        headless::mouse(40, 40, 1);
        std::vector<int> states, fills;
        auto sample = [&] {
            states.push_back(_ob_state(&tree[1]));
            fills.push_back(getpixel(screen, 36, 36));
        };
        headless::after(2, sample);
        headless::after(3, [] { headless::mouse(100, 100, 1); });
        headless::after(5, sample);
        // A mark inside the box survives while the state stays.
        headless::after(6, [] { putpixel(screen, 36, 36, 9); });
        headless::after(7, [] { headless::mouse(101, 100, 1); });
        headless::after(9, sample);
        headless::after(10, [=] { headless::mouse(release_over ? 45 : 0, 45, 1); });
        headless::after(12, sample);
        headless::after(13, [=] { headless::mouse(release_over ? 45 : 0, 45, 0); });
        EXPECT_EQ(release_over ? 1 : 0, graf_watchbox(tree.data(), 1, IN, OUT));
        const int last = release_over ? IN : OUT;
        EXPECT_EQ((std::vector<int>{IN, OUT, OUT, last}), states);
        EXPECT_EQ((std::vector<int>{1, 0, 9, release_over ? 1 : 9}), fills);
    }
}

TEST_F(Watchbox, RefusesWhatIsNotAnObjectOfTheTree)
{
    headless::mouse(40, 40, 0);
    EXPECT_EQ(0, graf_watchbox(nullptr, 1, IN, OUT));
    EXPECT_EQ(0, graf_watchbox(tree.data(), -1, IN, OUT));
    EXPECT_EQ(0, graf_watchbox(tree.data(), 2, IN, OUT));
    EXPECT_EQ(0, _ob_state(&tree[1]));
}

}  // namespace
