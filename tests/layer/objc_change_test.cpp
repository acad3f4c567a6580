// objc_change: the state word lands in the flags and ob_xstate, and the
// redraw stays inside the clip rectangle it is given.
#include <gtest/gtest.h>

#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

class ObjcChange : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(1);
        clear_to_color(screen, 7);
        tree = {make(OT_BOX, 10, 20, 100, 50), make(OT_BOX, 10, 10, 40, 20)};
        tree[0].ob_fill = 0;
        tree[1].ob_fill = 0;
        adopt(tree, 0, {1});
        finish(tree);
    }

    std::vector<OBJECT> tree;
};

TEST_F(ObjcChange, SetsTheWholeStateAndRedrawsOnlyInsideTheClip)
{
    // The child lies at (20, 30)-(59, 49); the clip takes its left half.
    ASSERT_EQ(1, objc_change(tree.data(), 1, 0, 20, 30, 20, 20, OS_SELECTED | OS_CROSSED, 1));
    EXPECT_TRUE(tree[1].ob_flags & OF_SELECTED);
    EXPECT_EQ(OS_CROSSED, tree[1].ob_xstate);
    EXPECT_EQ(OS_SELECTED | OS_CROSSED, _ob_state(&tree[1]));
    EXPECT_EQ(1, getpixel(screen, 22, 45)) << "inside the clip: drawn selected (fill inverted)";
    EXPECT_EQ(7, getpixel(screen, 50, 45)) << "outside the clip: untouched";
    EXPECT_EQ(7, getpixel(screen, 12, 22)) << "the parent is not drawn";

    ASSERT_EQ(1, objc_change(tree.data(), 1, 0, 0, 0, 0, 0, OS_NORMAL, 0));
    EXPECT_EQ(0, _ob_state(&tree[1]));
    EXPECT_EQ(1, getpixel(screen, 22, 45)) << "redraw 0 draws nothing";
}

TEST_F(ObjcChange, RefusesWhatIsNotAnObjectOfTheTree)
{
    EXPECT_EQ(0, objc_change(nullptr, 0, 0, 0, 0, 10, 10, OS_SELECTED, 1));
    EXPECT_EQ(0, objc_change(tree.data(), -1, 0, 0, 0, 10, 10, OS_SELECTED, 1));
    EXPECT_EQ(0, objc_change(tree.data(), 2, 0, 0, 0, 10, 10, OS_SELECTED, 1)) << "past OF_LASTOB";
}

}  // namespace
