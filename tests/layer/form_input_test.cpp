// Info and input boxes with scripted answers: the input box's layout for
// its title, prompt and length, what it lets the user type, the number
// box, and form_infobox on a tree of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

constexpr char ESC = '\x1b';

void type(const std::string &keys)
{
    for (char c : keys) {
        if (c == '\r')
            headless::key(KEY_ENTER, 13);
        else if (c == ESC)
            headless::key(KEY_ESC, 27);
        else
            headless::key(0, c);
    }
}

const TEDINFO &field() { return *(const TEDINFO *)_inputbox[1].ob_spec; }
std::string title() { return (const char *)_inputbox[3].ob_spec; }

class InputBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, 9);
    }
    void TearDown() override { headless::clear_script(); }
};

TEST_F(InputBox, SaveAsBoxKeepsTheDefaultOrTakesATypedName)
{
    char name[14] = "monst999.spr";
    const std::vector<unsigned char> before = headless::screen_pixels();
    type("\r");
    EXPECT_EQ(form_input_text(12, "Name", name, "Save as"), 2);
    EXPECT_STREQ(name, "monst999.spr");
    EXPECT_EQ(headless::screen_pixels(), before);
    EXPECT_STREQ(field().te_ptmplt, "Name: ____________");
    EXPECT_EQ(field().te_pvalid, 'X');
    EXPECT_EQ(title(), "Save as");
    EXPECT_EQ(_inputbox[0].ob_width, 168);
    EXPECT_EQ(_inputbox[1].ob_width, 144);
    EXPECT_EQ(_inputbox[1].ob_x, 12);
    EXPECT_EQ(_inputbox[3].ob_width, 56);
    EXPECT_EQ(_inputbox[3].ob_x, 56);
    EXPECT_EQ(_inputbox[2].ob_x, 52);
    EXPECT_FALSE(_inputbox[2].ob_flags & OF_SELECTED);

    // At most 12 characters (the last one overwritten by each character
    // past them), and afterwards the field shows a copy.
    type(std::string(1, ESC) + "a-much-longer-name.spr\r");
    form_input_text(12, "Name", name, "Save as");
    EXPECT_STREQ(name, "a-much-longr");
    EXPECT_NE(field().te_ptext, name);
    EXPECT_STREQ(field().te_ptext, name);
}

struct LayoutCase {
    int rez;
    int maxlen;
    std::string prompt, title;
    std::string tmplt, shown_title;
    int most;  // characters the field takes
};

TEST_F(InputBox, TitleAndTemplateAreCutSoTheBoxFitsTheScreen)
{
    const std::string t45(45, 'T');
    const LayoutCase cases[] = {
        {0, 3, "Input", "", "Input: ___", "Input", 3},
        {0, 2, "a_b", "Title", "a_b: __", "Title", 3},
        {0, 100, "Prompt", "T", "Prompt: " + std::string(29, '_'), "T", 29},
        {0, 5, "P", t45, "P: _____", std::string(37, 'T'), 5},
        {1, 5, "P", t45, "P: _____", std::string(39, 'T'), 5},
        {0, -4, "P", "", "P: ", "Input", 0},
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.tmplt);
        headless::start(c.rez);
        std::vector<char> text(300, '\0');
        type(std::string(60, 'x') + "\r");
        form_input_text(c.maxlen, c.prompt.c_str(), text.data(), c.title.c_str());
        EXPECT_EQ(field().te_ptmplt, c.tmplt);
        EXPECT_EQ(title(), c.shown_title);
        EXPECT_EQ(std::string(text.data()), std::string(c.most, 'x'));
        EXPECT_LE(_inputbox[0].ob_width, _scrwid);
        const int longest = (int)std::max(c.tmplt.size(), c.shown_title.size());
        EXPECT_EQ(_inputbox[0].ob_width, 8 * longest + 24);
    }
}

struct NumberCase {
    int maxlen, value;
    std::string keys;
    int result;
};

TEST_F(InputBox, NumberBoxTakesDigitsAndAMinusFirst)
{
    const NumberCase cases[] = {
        {3, 42, "\r", 42},
        {3, 42, "x\r", 42},
        {3, 42, "7\r", 427},
        {3, 42, std::string(1, ESC) + "-5\r", -5},
        {3, 42, std::string(1, ESC) + "\r", 0},
        {3, 42, std::string(1, ESC) + "5-\r", 5},
        {1, 123456, "\r", 12},  // the default is cut to the field's two places
        {3, -7, "\r", -7},
    };
    for (const NumberCase &c : cases) {
        SCOPED_TRACE(c.keys);
        type(c.keys);
        EXPECT_EQ(form_input(c.maxlen, "", c.value, ""), c.result);
        EXPECT_EQ(title(), "Input");
        EXPECT_EQ(field().te_pvalid, '9');
    }
    EXPECT_STREQ(field().te_ptmplt, ": ____");
}

TEST_F(InputBox, InfoBoxRunsATreeAndPutsTheScreenBack)
{
    using objc_test::adopt;
    using objc_test::finish;
    using objc_test::make;
    char text[8] = "";
    char tmplt[] = "____";
    TEDINFO ted = {text, tmplt, 'X', 0};
    std::vector<OBJECT> tree = {
        make(OT_BOX, 0, 0, 100, 60, OF_FRAMED),
        make(OT_EDTEXT, 10, 10, 32, 8, 0, (long)&ted),
        make(OT_STRING, 10, 40, 30, 12, OF_EXIT | OF_DEFAULT, (long)"OK"),
    };
    adopt(tree, 0, {1, 2});
    finish(tree);
    const std::vector<unsigned char> before = headless::screen_pixels();
    type("hi\r");
    EXPECT_EQ(form_infobox(tree.data()), 2);
    EXPECT_STREQ(text, "hi");
    EXPECT_EQ(tree[0].ob_x, 110);
    EXPECT_EQ(tree[0].ob_y, 70);
    EXPECT_FALSE(tree[2].ob_flags & OF_SELECTED);
    EXPECT_FALSE(tree[1].ob_flags & OF_SELECTED);
    EXPECT_EQ(headless::screen_pixels(), before);
    EXPECT_EQ(_rno, -1);
    EXPECT_EQ(form_infobox(nullptr), -1);
    EXPECT_EQ(form_do(nullptr, 0), -1);
    EXPECT_EQ(form_input_text(3, "P", nullptr, "T"), -1);
}

}  // namespace
