// rsrc_obfix: positions and sizes in character cells of the system font
// and pixels become pixels.
#include <gtest/gtest.h>

#include "gem/internal.h"
#include "support/headless.h"

namespace {

class RsrcObfix : public ::testing::Test {
protected:
    void SetUp() override { headless::start(); }
};

// chars | pixels << 8, as a resource editor leaves them.
short cells(int chars, int pixels) { return (short)(chars | pixels << 8); }

TEST_F(RsrcObfix, ObfixTurnsCellsAndPixelsIntoPixels)
{
    short wchar, hchar, wbox, hbox;
    graf_handle(&wchar, &hchar, &wbox, &hbox);
    struct Case {
        short in;
        int chars, pixels;  // expected: chars cells and pixels more
    } cases[] = {
        {cells(0, 0), 0, 0}, {cells(3, 0), 3, 0},         {cells(0, 5), 0, 5},
        {cells(2, 4), 2, 4}, {cells(255, 255), 255, 255}, {cells(0x80, 0x80), 128, 128},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        OBJECT tree[2] = {};
        tree[1].ob_flags = OF_LASTOB;
        tree[1].ob_x = tree[1].ob_width = c.in;
        tree[1].ob_y = tree[1].ob_height = c.in;
        EXPECT_EQ(rsrc_obfix(tree, 1), 1);
        EXPECT_EQ(tree[1].ob_x, c.chars * wchar + c.pixels);
        EXPECT_EQ(tree[1].ob_width, c.chars * wchar + c.pixels);
        EXPECT_EQ(tree[1].ob_y, c.chars * hchar + c.pixels);
        EXPECT_EQ(tree[1].ob_height, c.chars * hchar + c.pixels);
        EXPECT_EQ(tree[0].ob_x, 0);  // only the object named
    }
}

TEST_F(RsrcObfix, ObfixRefusesAMissingTreeOrObject)
{
    OBJECT tree[2] = {};
    tree[0].ob_x = cells(1, 0);
    tree[1].ob_flags = OF_LASTOB;
    tree[1].ob_x = cells(1, 0);
    EXPECT_EQ(rsrc_obfix(nullptr, 0), 0);
    EXPECT_EQ(rsrc_obfix(tree, -1), 0);
    EXPECT_EQ(rsrc_obfix(tree, 2), 0);  // past the object marked last
    EXPECT_EQ(tree[0].ob_x, cells(1, 0));
    EXPECT_EQ(tree[1].ob_x, cells(1, 0));
}

}  // namespace
