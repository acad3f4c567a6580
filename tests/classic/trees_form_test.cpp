// A classic C dialog (an .RSH-style array through rsrc_obfix) run by
// form_do with scripted presses and keys.
#include <gtest/gtest.h>

#include "classic/trees_c.h"
#include "support/headless.h"

namespace {

constexpr int SELECTED = 0x01;

void click_on(int32_t at, int obj)
{
    short x, y;
    trees_c_where(obj, &x, &y);
    headless::click(at, x, y);
}

class ClassicForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        trees_c_prepare();
    }
};

TEST_F(ClassicForm, CellsBecomePixelsAndTheTreeIsCentred)
{
    short x, y;
    trees_c_where(TC_ROOT, &x, &y);
    EXPECT_EQ(x, 160);  // 30 x 10 cells of 8 x 8 in the middle of 320 x 200
    EXPECT_EQ(y, 100);
    trees_c_where(TC_TWO, &x, &y);
    EXPECT_EQ(x, 40 + 16 + 80 + 32);
    EXPECT_EQ(y, 60 + 24 + 4);
}

TEST_F(ClassicForm, RadioFieldAndDefaultButton)
{
    headless::key(0, 'B');
    headless::key(0, 'o');
    headless::key(0, 'b');
    click_on(10, TC_TWO);
    headless::after(30, [] { headless::key(KEY_ENTER, 13); });
    EXPECT_EQ(trees_c_run(), TC_OK);
    EXPECT_STREQ(trees_c_name(), "Bob");
    EXPECT_EQ(trees_c_state(TC_ONE) & SELECTED, 0);
    EXPECT_EQ(trees_c_state(TC_TWO) & SELECTED, SELECTED);
    EXPECT_EQ(trees_c_state(TC_OK) & SELECTED, SELECTED);
}

TEST_F(ClassicForm, ExitButtonPressedWithTheMouse)
{
    click_on(5, TC_OK);
    headless::after(400, [] { headless::key(KEY_ENTER, 13); });  // a way out if the press failed
    EXPECT_EQ(trees_c_run(), TC_OK);
    EXPECT_LT(headless::idles(), 400);
    EXPECT_EQ(trees_c_state(TC_ONE) & SELECTED, SELECTED);  // the radio group as it was
    EXPECT_STREQ(trees_c_name(), "");
}

}  // namespace
