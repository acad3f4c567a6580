// Object positions and hit testing, on hand-built trees, on the built-in
// trees, and on trees whose links are damaged.
#include <gtest/gtest.h>

#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { headless::start(0); }
};

// The root of the examples: (2, 30), 320 x 200.
std::vector<OBJECT> lone_root(int border = 0, int flags = OF_LASTOB)
{
    std::vector<OBJECT> t{make(OT_BOX, 2, 30, 320, 200, flags)};
    t[0].ob_border = (unsigned char)border;
    return t;
}

TEST_F(Geometry, RootEdgesAndWideBorder)
{
    std::vector<OBJECT> t = lone_root();
    EXPECT_EQ(0, objc_find(t.data(), 0, 8, 2, 30));
    EXPECT_EQ(0, objc_find(t.data(), 0, 8, 321, 229));
    EXPECT_EQ(-1, objc_find(t.data(), 0, 8, 322, 30));
    EXPECT_EQ(-1, objc_find(t.data(), 0, 8, 2, 230));
    EXPECT_EQ(-1, objc_find(t.data(), 0, 8, 1, 30));
    EXPECT_EQ(-1, objc_find(t.data(), 0, 8, 1, 29));

    std::vector<OBJECT> wide = lone_root(255);
    EXPECT_EQ(0, objc_find(wide.data(), 0, 8, 1, 29));
    EXPECT_EQ(0, objc_find(wide.data(), 0, 8, 322, 230));
    EXPECT_EQ(-1, objc_find(wide.data(), 0, 8, 0, 30));
    EXPECT_EQ(-1, objc_find(wide.data(), 0, 8, 323, 100));
}

// Root (10, 20) 100 x 80 with children: 1 at (10, 10) 40 x 20, holding 2 at
// (5, 5) 10 x 10; 3 at (30, 15) 40 x 20, overlapping 1; 4 at (60, 50).
std::vector<OBJECT> family()
{
    std::vector<OBJECT> t{
        make(OT_BOX, 10, 20, 100, 80), make(OT_BOX, 10, 10, 40, 20), make(OT_BOX, 5, 5, 10, 10),
        make(OT_BOX, 30, 15, 40, 20),  make(OT_BOX, 60, 50, 20, 20),
    };
    adopt(t, 0, {1, 3, 4});
    adopt(t, 1, {2});
    finish(t);
    return t;
}

TEST_F(Geometry, FirstChildHoldingThePointWins)
{
    std::vector<OBJECT> t = family();
    EXPECT_EQ(2, objc_find(t.data(), 0, 1, 26, 36));  // depth is ignored
    EXPECT_EQ(1, objc_find(t.data(), 0, 8, 45, 36));  // 1 and 3 overlap: 1 is earlier
    EXPECT_EQ(3, objc_find(t.data(), 0, 8, 65, 36));
    EXPECT_EQ(0, objc_find(t.data(), 0, 8, 12, 22));
    EXPECT_EQ(4, objc_find(t.data(), 0, 8, 70, 70));
    // Searching from a subtree uses its absolute position.
    EXPECT_EQ(2, objc_find(t.data(), 1, 8, 26, 36));
    EXPECT_EQ(-1, objc_find(t.data(), 1, 8, 90, 90));

    // Swapping the order of 1 and 3 in the chain makes 3 win the overlap.
    adopt(t, 0, {3, 1, 4});
    EXPECT_EQ(3, objc_find(t.data(), 0, 8, 45, 36));
}

TEST_F(Geometry, DisabledHidesSubtreeHiddenDoesNot)
{
    std::vector<OBJECT> t = family();
    t[1].ob_flags |= OF_DISABLED;
    EXPECT_EQ(0, objc_find(t.data(), 0, 8, 26, 36));  // on 2, inside disabled 1
    EXPECT_EQ(3, objc_find(t.data(), 0, 8, 45, 36));  // the overlap now goes to 3
    t[1].ob_flags &= (unsigned char)~OF_DISABLED;
    t[2].ob_flags |= OF_HIDDEN;
    EXPECT_EQ(2, objc_find(t.data(), 0, 8, 26, 36));
    t[0].ob_flags |= OF_DISABLED;
    EXPECT_EQ(-1, objc_find(t.data(), 0, 8, 26, 36));
    EXPECT_EQ(-1, objc_find(t.data(), 0, 8, 12, 22));
}

TEST_F(Geometry, NarrowTakesPointsRelativeToTheObject)
{
    std::vector<OBJECT> t = family();
    short idx = 0;
    _narrow(t.data(), &idx, 16, 16);
    EXPECT_EQ(2, idx);
    idx = 0;
    _narrow(t.data(), &idx, -1, 0);
    EXPECT_EQ(-1, idx);
    idx = 1;
    _narrow(t.data(), &idx, 0, 0);
    EXPECT_EQ(1, idx);
}

TEST_F(Geometry, Offsets)
{
    std::vector<OBJECT> t = family();
    short x = 99, y = 99;
    EXPECT_EQ(1, objc_offset(t.data(), 0, &x, &y));
    EXPECT_EQ(10, x);
    EXPECT_EQ(20, y);
    EXPECT_EQ(1, objc_offset(t.data(), 2, &x, &y));
    EXPECT_EQ(25, x);
    EXPECT_EQ(35, y);
    EXPECT_EQ(1, objc_offset(t.data(), 4, &x, &y));
    EXPECT_EQ(70, x);
    EXPECT_EQ(70, y);

    short px = 5, py = 6;
    EXPECT_EQ(1, _relocate(t.data(), 1, 2, &px, &py));
    EXPECT_EQ(20, px);
    EXPECT_EQ(21, py);

    // An object below the last object is not searched for.
    t[3].ob_flags |= OF_LASTOB;
    t[4].ob_flags &= (unsigned char)~OF_LASTOB;
    t.push_back(make(OT_BOX, 1, 1, 2, 2, OF_LASTOB));
    adopt(t, 3, {5});
    x = y = 77;
    EXPECT_EQ(0, objc_offset(t.data(), 5, &x, &y));
    EXPECT_EQ(77, x);
    EXPECT_EQ(77, y);
    EXPECT_EQ(0, objc_offset(t.data(), -1, &x, &y));
    EXPECT_EQ(0, objc_offset(t.data(), 40000, &x, &y));
    EXPECT_EQ(-1, objc_find(t.data(), 5, 8, 0, 0));  // start not below the root
}

TEST_F(Geometry, BuiltinFileSelector)
{
    EXPECT_EQ(2, _fselbox[0].ob_x);
    EXPECT_EQ(30, _fselbox[0].ob_y);
    short x, y;
    ASSERT_EQ(1, objc_offset(_fselbox, 6, &x, &y));
    EXPECT_EQ(10, x);
    EXPECT_EQ(78, y);
    ASSERT_EQ(1, objc_offset(_fselbox, 37, &x, &y));
    EXPECT_EQ(170, x);
    EXPECT_EQ(78 + 15 * 8, y);
    EXPECT_EQ(22, objc_find(_fselbox, 0, 8, 170, 78));
    EXPECT_EQ(38, objc_find(_fselbox, 0, 8, 2 + 76, 30 + 184));
    EXPECT_EQ(5, objc_find(_fselbox, 0, 8, 2 + 160, 78));  // between the columns
    EXPECT_EQ(2, objc_find(_inputbox, 0, 8, 2 + 20, 30 + 50));
}

// Damaged links: every walk ends, finds nothing it should not, and reads
// only objects of the array (the sanitizer build checks the reads).
TEST_F(Geometry, LoopsInLinksEnd)
{
    std::vector<OBJECT> t = family();
    t[4].ob_next = 3;  // the sibling chain never comes back to the root
    EXPECT_EQ(0, objc_find(t.data(), 0, 8, 12, 22));
    short x, y;
    EXPECT_EQ(0, objc_offset(t.data(), 7, &x, &y));

    t = family();
    t[2].ob_head = 0;  // a grandchild's child is the root again
    EXPECT_EQ(1, objc_offset(t.data(), 0, &x, &y));
    EXPECT_EQ(0, objc_offset(t.data(), 4, &x, &y));  // 4 comes after the loop
    EXPECT_EQ(2, objc_find(t.data(), 0, 8, 26, 36));
}

TEST_F(Geometry, LinksOutsideTheArrayAreNotFollowed)
{
    // An application's tree: the last object bounds it.
    std::vector<OBJECT> t = family();
    t[4].ob_head = 9;
    t[4].ob_next = 12;
    short x, y;
    EXPECT_EQ(0, objc_offset(t.data(), 9, &x, &y));
    EXPECT_EQ(4, objc_find(t.data(), 0, 8, 70, 70));

    // A tree of an installed resource: the array the layer built bounds it,
    // even without a last object.
    std::vector<unsigned char> image(_guirsh, _guirsh + sizeof _guirsh);
    ASSERT_EQ(1, rsrc_include(image.data()));
    OBJECT *input = _trees[2];
    input[3].ob_flags &= (unsigned char)~OF_LASTOB;
    input[3].ob_head = 40;
    input[3].ob_next = 5;
    EXPECT_EQ(0, objc_offset(input, 40, &x, &y));
    EXPECT_EQ(0, objc_offset(input, 5, &x, &y));
    EXPECT_EQ(3, objc_find(input, 0, 8, 2 + 30, 30 + 8));
    rsrc_free();
    rsrc_include(_guirsh);
}

}  // namespace
