// Alert and error boxes with scripted answers: the tree each string builds
// (title, lines, buttons, sizes and positions), the default button, clicks,
// and strings that break the alert's limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless.h"

namespace {

void press_return() { headless::key(KEY_ENTER, 13); }

std::string spec_text(int i) { return (const char *)_alertbox[i].ob_spec; }
bool hidden(int i) { return _alertbox[i].ob_flags & OF_HIDDEN; }
bool is_default(int i) { return _alertbox[i].ob_flags & OF_DEFAULT; }

class Alert : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, 9);
    }
    void TearDown() override { headless::clear_script(); }
};

struct Button {
    std::string text;
    short x, w;
};

struct LayoutCase {
    std::string alert;  // "null" stands for a null string
    const char *title;
    std::vector<std::string> lines;
    std::vector<Button> buttons;
    short width, height, title_x;
};

TEST_F(Alert, StringsBuildTheTreeAsTheyShould)
{
    const std::string a40(40, 'a');
    const LayoutCase cases[] = {
        {"[1][Line one|Line two][Yes|No]",
         "What?",
         {"Line one", "Line two"},
         {{"Yes", 6, 28}, {"No", 54, 20}},
         80,
         68,
         15},
        {"[0][Hi][OK]", "Stop!", {"Hi"}, {{"OK", 18, 20}}, 58, 56, 4},
        {"[3][x][A|Bb|Ccc]",
         "Stop!",
         {"x"},
         {{"A", 6, 12}, {"Bb", 32, 20}, {"Ccc", 50, 28}},
         84,
         56,
         17},
        {"[2][][]", "Hmm..", {""}, {{"", 26, 4}}, 58, 56, 4},
        // Limits: lines cut at 32 and after the fifth, buttons cut at 10 and
        // after the third.
        {"[1][" + a40 + "|b|c|d|e|f|g][OK]",
         "What?",
         {std::string(32, 'a'), "b", "c", "d", "e"},
         {{"OK", 125, 20}},
         272,
         104,
         111},
        {"[1][t][ABCDEFGHIJKLMNO|b|c|d|e]",
         "What?",
         {"t"},
         {{"ABCDEFGHIJ", 6, 84}, {"b", 60, 12}, {"c", 114, 12}},
         132,
         56,
         41},
        // Strings that end early end their field there.
        {"[1][abc", "What?", {"abc"}, {{"", 26, 4}}, 58, 56, 4},
        {"[2", "Hmm..", {""}, {{"", 26, 4}}, 58, 56, 4},
        {"", "Stop!", {""}, {{"", 26, 4}}, 58, 56, 4},
        {"null", "Stop!", {""}, {{"", 26, 4}}, 58, 56, 4},
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.alert);
        press_return();
        EXPECT_EQ(form_alert(1, c.alert == "null" ? nullptr : c.alert.c_str()), 1);
        EXPECT_EQ(spec_text(1), c.title);
        EXPECT_EQ(_alertbox[1].ob_x, c.title_x);
        for (int k = 0; k < 5; k++) {
            const bool shown = k < (int)c.lines.size();
            EXPECT_EQ(hidden(2 + k), !shown) << k;
            if (shown) {
                EXPECT_EQ(spec_text(2 + k), c.lines[k]);
                EXPECT_EQ(_alertbox[2 + k].ob_width, 8 * (int)c.lines[k].size());
            }
        }
        const short row_y = (short)(12 * (c.lines.size() - 1) + 40);
        for (int k = 0; k < 3; k++) {
            const bool shown = k < (int)c.buttons.size();
            EXPECT_EQ(hidden(7 + k), !shown) << k;
            if (!shown)
                continue;
            EXPECT_EQ(spec_text(7 + k), c.buttons[k].text);
            EXPECT_EQ(_alertbox[7 + k].ob_x, c.buttons[k].x) << k;
            EXPECT_EQ(_alertbox[7 + k].ob_y, row_y);
            EXPECT_EQ(_alertbox[7 + k].ob_width, c.buttons[k].w) << k;
        }
        EXPECT_EQ(_alertbox[0].ob_width, c.width);
        EXPECT_EQ(_alertbox[0].ob_height, c.height);
    }
}

TEST_F(Alert, ReturnGivesTheDefaultAndAClickTheButtonClicked)
{
    const char *two = "[1][Line one|Line two][Yes|No]";
    const std::vector<unsigned char> before = headless::screen_pixels();
    int corner = -1;
    headless::after(1, [&] { corner = getpixel(screen, 120, 66); });
    headless::after(3, press_return);
    EXPECT_EQ(form_alert(1, two), 1);
    EXPECT_EQ(corner, 1);  // the box (80 x 68, centred) was on the screen
    EXPECT_EQ(headless::screen_pixels(), before);
    EXPECT_FALSE(_alertbox[7].ob_flags & OF_SELECTED);

    // The second button is drawn from (174, 118), 20 x 12.
    headless::click(3, 180, 122);
    EXPECT_EQ(form_alert(1, two), 2);
    EXPECT_EQ(headless::screen_pixels(), before);
}

TEST_F(Alert, WithoutAShownDefaultReturnDoesNothing)
{
    for (int def : {0, 3, -1, 7}) {
        SCOPED_TRACE(def);
        headless::clear_script();
        press_return();
        headless::click(30, 130, 122);  // the first button, drawn from (126, 118)
        EXPECT_EQ(form_alert(def, "[1][Line one|Line two][Yes|No]"), 1);
        EXPECT_GE(headless::idles(), 32);
        for (int b = 7; b <= 9; b++)
            EXPECT_FALSE(is_default(b)) << b;
    }
}

TEST_F(Alert, FewerButtonsKeepNoEarlierDefaultAndHiddenButtonsCannotBeHit)
{
    press_return();
    EXPECT_EQ(form_alert(3, "[1][A wide alert line, thirty two][One|Two|Three]"), 3);
    EXPECT_TRUE(is_default(9));
    // The same width with one button: a click where the third button was
    // finds nothing; only the one shown button ends it.
    const short x = _alertbox[0].ob_x, y = _alertbox[0].ob_y;
    const short third_x = (short)(x + _alertbox[9].ob_x + 4);
    const short row_y = (short)(y + _alertbox[9].ob_y + 4);
    headless::clear_script();
    headless::click(3, third_x, row_y);
    press_return();
    headless::click(30, x + 113 + 5, row_y);  // the one button, 20 wide at 113
    EXPECT_EQ(form_alert(0, "[1][A wide alert line, thirty two][OK]"), 1);
    EXPECT_GE(headless::idles(), 32);
    for (int b = 7; b <= 9; b++)
        EXPECT_FALSE(is_default(b)) << b;
    EXPECT_EQ(_alertbox[9].ob_width, 0);
}

TEST_F(Alert, ErrorBoxesShowOneOkButtonUnderStop)
{
    press_return();
    EXPECT_EQ(form_error(-3), 1);
    EXPECT_EQ(spec_text(1), "Stop!");
    EXPECT_EQ(spec_text(2), "Error -3");
    EXPECT_TRUE(hidden(3));
    EXPECT_EQ(spec_text(7), "OK");
    EXPECT_TRUE(is_default(7));
    EXPECT_TRUE(hidden(8));

    press_return();
    EXPECT_EQ(form_error_text("First line|second line"), 1);
    EXPECT_EQ(spec_text(2), "First line");
    EXPECT_EQ(spec_text(3), "second line");
    EXPECT_TRUE(hidden(4));

    press_return();
    EXPECT_EQ(form_error_text(nullptr), 1);
    EXPECT_EQ(spec_text(2), "");
}

TEST_F(Alert, RasterCopyFailureIsReportedInAnAlert)
{
    // The built-in failure texts go through the real alert.
    press_return();
    form_error_text("Uh Oh");
    EXPECT_EQ(spec_text(2), "Uh Oh");
    press_return();
    form_alert(1, "[1][Can't open resource!][Bummer]");
    EXPECT_EQ(spec_text(2), "Can't open resource!");
    EXPECT_EQ(spec_text(7), "Bummer");
    EXPECT_EQ(_alertbox[0].ob_width, 8 * 20 + 16);
}

}  // namespace
