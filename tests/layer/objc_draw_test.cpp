// Object drawing, pixel-exact on the headless memory screen. Each case draws
// a tree, then paints what it should look like with the primitives (bars,
// lines, v_gtext at the expected place) on a fresh screen, and compares the
// two screens whole. Text is compared with v_gtext's own output, so the
// cases do not depend on the glyph shapes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

constexpr int BG = 7;  // screen background, a colour no object uses

// First differing pixel, for a readable failure.
::testing::AssertionResult same_screens(const std::vector<unsigned char> &drawn,
                                        const std::vector<unsigned char> &expected)
{
    for (size_t i = 0; i < drawn.size(); i++) {
        if (drawn[i] != expected[i]) {
            return ::testing::AssertionFailure()
                   << "pixel (" << i % screen->w << ", " << i / screen->w << ") is "
                   << (int)drawn[i] << ", expected " << (int)expected[i];
        }
    }
    return ::testing::AssertionSuccess();
}

class Draw : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, BG);
        _curpos = 0;
    }

    // Keeps what was drawn and starts the expected picture.
    void expect_next()
    {
        drawn_ = headless::screen_pixels();
        clear_to_color(screen, BG);
    }

    // Compares, and clears the screen for the next case.
    ::testing::AssertionResult matches()
    {
        const ::testing::AssertionResult same = same_screens(drawn_, headless::screen_pixels());
        clear_to_color(screen, BG);
        return same;
    }

    // Expected-picture helpers, on the raw bitmap.
    static void fill(int x1, int y1, int x2, int y2, int colour)
    {
        rectfill(screen, x1, y1, x2, y2, colour);
    }

    static void ring(int x1, int y1, int x2, int y2, int colour)
    {
        rect(screen, x1, y1, x2, y2, colour);
    }

    // v_gtext with the cell top at (x, top), clipped to the box.
    static void gtext(int font, int ink, int paper, int effects, int x, int top, const char *s,
                      int cx1 = 0, int cy1 = 0, int cx2 = 319, int cy2 = 199)
    {
        vst_font(handle, font);
        vst_color(handle, ink);
        vsf_color(handle, paper);
        vst_effects(handle, effects);
        const short clip[4] = {(short)cx1, (short)cy1, (short)cx2, (short)cy2};
        vs_clip(handle, 1, clip);
        v_gtext(handle, x, top + _font->top, s);
        vs_clip(handle, 0, nullptr);
        vst_effects(handle, 0);
        vst_font(handle, 0);
    }

    std::vector<unsigned char> drawn_;
};

// A one-object tree.
std::vector<OBJECT> single(const OBJECT &o)
{
    std::vector<OBJECT> t{o};
    finish(t);
    return t;
}

TEST_F(Draw, BoxesAndFrames)
{
    // Plain filled box: exactly its area.
    std::vector<OBJECT> t = single(make(OT_BOX, 10, 10, 20, 12));
    t[0].ob_fill = 3;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(10, 10, 29, 21, 3);
    EXPECT_TRUE(matches());

    // Framed on its edge (border 1) in colour 5, fill 3.
    t[0].ob_flags |= OF_FRAMED;
    t[0].ob_border = 1;
    t[0].ob_colbyte = 0x51;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(10, 10, 29, 21, 3);
    ring(10, 10, 29, 21, 5);
    EXPECT_TRUE(matches());

    // Any other border: the fill and the frame one pixel outside.
    t[0].ob_border = 0;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(9, 9, 30, 22, 3);
    ring(9, 9, 30, 22, 5);
    EXPECT_TRUE(matches());

    // Default and framed: both frames, over (x-1, y-1)-(x+w, y+h).
    t[0].ob_flags |= OF_DEFAULT;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(9, 9, 30, 22, 3);
    ring(9, 9, 30, 22, 5);
    ring(10, 10, 29, 21, 5);
    EXPECT_TRUE(matches());

    // Default with border 1: the fill stays on the object, both frames.
    t[0].ob_border = 1;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(10, 10, 29, 21, 3);
    ring(9, 9, 30, 22, 5);
    ring(10, 10, 29, 21, 5);
    EXPECT_TRUE(matches());

    // Not framed: no frame whatever the border and default bit say.
    t[0].ob_flags = OF_DEFAULT | OF_LASTOB;
    t[0].ob_border = 0;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(10, 10, 29, 21, 3);
    EXPECT_TRUE(matches());
}

TEST_F(Draw, InvisibleBoxAndScreenEdges)
{
    // An OT_IBOX framed on its edge: only the frame, the background stays.
    std::vector<OBJECT> t = single(make(OT_IBOX, 40, 50, 30, 20, OF_FRAMED));
    t[0].ob_border = 1;
    t[0].ob_fill = 2;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    ring(40, 50, 69, 69, 1);
    EXPECT_TRUE(matches());

    // A default object in the screen corners: the parts inside are drawn.
    t = single(make(OT_BOX, 0, 0, 20, 10, OF_FRAMED | OF_DEFAULT));
    t[0].ob_fill = 4;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    t[0].ob_x = 300;
    t[0].ob_y = 190;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(0, 0, 20, 10, 4);
    ring(-1, -1, 20, 10, 1);
    ring(0, 0, 19, 9, 1);
    fill(299, 189, 319, 199, 4);
    ring(299, 189, 320, 200, 1);
    ring(300, 190, 319, 199, 1);
    EXPECT_TRUE(matches());
}

TEST_F(Draw, SelectedDisabledAndChecked)
{
    // Selected: text and fill colours have their lowest bit inverted.
    std::vector<OBJECT> t = single(make(OT_STRING, 20, 30, 64, 8, OF_SELECTED, (long)"Hello"));
    t[0].ob_colbyte = 0x01;
    t[0].ob_fill = 0;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(20, 30, 83, 37, 1);
    gtext(0, 0, 1, 0, 20, 30, "Hello", 20, 30, 83, 37);
    EXPECT_TRUE(matches());

    // Disabled: light text. Checked: the check mark over the first cell.
    t[0].ob_flags = OF_DISABLED | OF_CHECKED;
    t[0].ob_colbyte = 0x04;
    t[0].ob_fill = 6;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(20, 30, 83, 37, 6);
    gtext(0, 4, 6, TXT_LIGHT, 20, 30, "Hello", 20, 30, 83, 37);
    gtext(0, 4, 6, TXT_LIGHT, 20, 30, "\x08", 20, 30, 83, 37);
    EXPECT_TRUE(matches());
}

TEST_F(Draw, CentredTextAndBoxChars)
{
    // A framed string is centred: (80 - 3 * 8) / 2 = 28, (20 - 16) / 2 = 2.
    std::vector<OBJECT> t = single(make(OT_STRING, 10, 40, 80, 20, OF_FRAMED, (long)"Abc"));
    t[0].ob_font = 1;
    t[0].ob_border = 1;
    t[0].ob_colbyte = 0x23;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(10, 40, 89, 59, 0);
    gtext(1, 3, 0, 0, 38, 42, "Abc", 10, 40, 89, 59);
    ring(10, 40, 89, 59, 2);
    EXPECT_TRUE(matches());

    // A string too wide for its box: centring goes left (rounding down),
    // and the text is clipped to the box.
    t = single(make(OT_STRING, 100, 100, 21, 7, OF_FRAMED, (long)"Wide text"));
    t[0].ob_border = 1;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(100, 100, 120, 106, 0);
    gtext(0, 1, 0, 0, 100 + ((21 - 72) >> 1), 100 + ((7 - 8) >> 1), "Wide text", 100, 100, 120,
          106);
    ring(100, 100, 120, 106, 1);
    EXPECT_TRUE(matches());

    // OT_BOXCHAR: the inline character, always centred; code 0 shows none.
    t = single(make(OT_BOXCHAR, 50, 60, 24, 16, 0, 1));
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    t[0].ob_x = 100;
    t[0].ob_spec = 0;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(50, 60, 73, 75, 0);
    gtext(0, 1, 0, 0, 58, 64, "\x01", 50, 60, 73, 75);
    fill(100, 60, 123, 75, 0);
    EXPECT_TRUE(matches());
}

// Root 20, 20, 200 x 100, fill 2; child 1 (fill 3) holding child 2 (fill 4);
// child 3 (fill 5) overlapping child 1.
std::vector<OBJECT> nest()
{
    std::vector<OBJECT> t{
        make(OT_BOX, 20, 20, 200, 100),
        make(OT_BOX, 10, 10, 60, 40),
        make(OT_BOX, 5, 5, 20, 10),
        make(OT_BOX, 50, 30, 60, 40),
    };
    const int fills[] = {2, 3, 4, 5};
    for (int i = 0; i < 4; i++)
        t[i].ob_fill = (unsigned char)fills[i];
    adopt(t, 0, {1, 3});
    adopt(t, 1, {2});
    finish(t);
    return t;
}

void paint_nest(int depth)
{
    rectfill(screen, 20, 20, 219, 119, 2);
    if (depth == 1)
        return;
    rectfill(screen, 30, 30, 89, 69, 3);
    if (depth != 2)
        rectfill(screen, 35, 35, 54, 44, 4);
    rectfill(screen, 70, 50, 129, 89, 5);  // later siblings cover earlier ones
}

TEST_F(Draw, DepthAndHidden)
{
    std::vector<OBJECT> t = nest();
    EXPECT_EQ(1, objc_draw(t.data(), 0, 0, 0, 0, 0, 0));
    expect_next();
    EXPECT_TRUE(matches());

    for (int depth : {1, 2, 3, -1}) {
        SCOPED_TRACE(depth);
        objc_draw(t.data(), 0, depth, 0, 0, 0, 0);
        expect_next();
        paint_nest(depth);
        EXPECT_TRUE(matches());
    }

    // Drawing a subtree puts it at its absolute place.
    objc_draw(t.data(), 1, 8, 0, 0, 0, 0);
    expect_next();
    fill(30, 30, 89, 69, 3);
    fill(35, 35, 54, 44, 4);
    EXPECT_TRUE(matches());

    // A hidden object hides its subtree; a hidden root hides everything.
    t[1].ob_flags |= OF_HIDDEN;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(20, 20, 219, 119, 2);
    fill(70, 50, 129, 89, 5);
    EXPECT_TRUE(matches());
    t[0].ob_flags |= OF_HIDDEN;
    objc_draw(t.data(), 0, -1, 0, 0, 0, 0);
    expect_next();
    EXPECT_TRUE(matches());
}

TEST_F(Draw, PlacesTheRootAndRestoresAttributes)
{
    std::vector<OBJECT> t = nest();
    t[1].ob_font = 2;
    t[1].ob_flags |= OF_DISABLED | OF_FRAMED;
    vst_font(handle, 1);
    vsl_color(handle, 9);
    vst_color(handle, 10);
    vsf_color(handle, 11);
    vst_effects(handle, TXT_BOLD);
    const short clip[4] = {5, 5, 50, 50};
    vs_clip(handle, 1, clip);

    objc_draw(t.data(), 0, 8, 40, 0, 150, 0);
    EXPECT_EQ(40, t[0].ob_x);
    EXPECT_EQ(20, t[0].ob_y);  // zero leaves it
    EXPECT_EQ(150, t[0].ob_width);
    EXPECT_EQ(100, t[0].ob_height);
    EXPECT_EQ(1, _fontno);
    EXPECT_EQ(9, _linecol);
    EXPECT_EQ(10, _textcol);
    EXPECT_EQ(11, _fillcol);
    EXPECT_EQ(TXT_BOLD, _texteff);
    EXPECT_EQ(0, _clipx1);
    EXPECT_EQ(0, _clipy1);
    EXPECT_EQ(319, _clipx2);
    EXPECT_EQ(199, _clipy2);
    vst_font(handle, 0);
    vst_effects(handle, 0);

    // Drawing one object directly leaves its attributes in force.
    _objc_draw(t.data(), 1, 1, 60, 60);
    EXPECT_EQ(2, _fontno);
    EXPECT_EQ(TXT_LIGHT, _texteff);
    EXPECT_EQ(3, _fillcol);
    EXPECT_EQ(59, _clipx1);
    EXPECT_EQ(120, _clipx2);
}

TEDINFO ted(char *text, char *tmplt, int txtlen = 0)
{
    return TEDINFO{text, tmplt, 'X', (short)txtlen};
}

TEST_F(Draw, FormattedTextKeepsLiterals)
{
    char text[] = "123";
    char tmplt[] = "__-__";
    TEDINFO te = ted(text, tmplt);
    std::vector<OBJECT> t = single(make(OT_FTEXT, 16, 16, 80, 8, 0, (long)&te));
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(16, 16, 95, 23, 0);
    gtext(0, 1, 0, 0, 16, 16, "12-3_", 16, 16, 95, 23);
    EXPECT_TRUE(matches());
    EXPECT_STREQ("123", text);

    // The text holds the literal that ends a run: the rest of the run is
    // blank and the literal takes the text's copy.
    char separated[] = "1-23";
    te.te_ptext = separated;
    t[0].ob_flags |= OF_FRAMED;  // centred as a whole template
    t[0].ob_border = 1;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(16, 16, 95, 23, 0);
    gtext(0, 1, 0, 0, 16 + (80 - 40) / 2, 16, "1 -23", 16, 16, 95, 23);
    ring(16, 16, 95, 23, 1);
    EXPECT_TRUE(matches());
    EXPECT_STREQ("1-23", separated);
}

TEST_F(Draw, InputFieldOfTheBuiltinInputBox)
{
    OBJECT *field = &_inputbox[1];
    TEDINFO *te = (TEDINFO *)field->ob_spec;
    char empty[4] = "";
    char twelve[4] = "12";
    char *const factory = te->te_ptext;
    short fx, fy;
    ASSERT_EQ(1, objc_offset(_inputbox, 1, &fx, &fy));

    te->te_ptext = empty;
    _objc_draw(_inputbox, 1, 1, fx, fy);
    expect_next();
    fill(fx, fy, fx + 79, fy + 7, 0);
    gtext(0, 1, 0, 0, fx, fy, "Input: ___", fx, fy, fx + 79, fy + 7);
    EXPECT_TRUE(matches());

    // The text fills the placeholders; with the cursor in the field, a line
    // in the text colour at the prefix (7) + _curpos (2) cells.
    te->te_ptext = twelve;
    field->ob_flags |= OF_SELECTED;
    _curpos = 2;
    _objc_draw(_inputbox, 1, 1, fx, fy);
    expect_next();
    fill(fx, fy, fx + 79, fy + 7, 0);
    gtext(0, 1, 0, 0, fx, fy, "Input: 12", fx, fy, fx + 79, fy + 7);
    gtext(0, 1, 0, 0, fx + 9 * 8, fy, "_", fx, fy, fx + 79, fy + 7);
    vline(screen, fx + 72, fy, fy + 7, 1);
    EXPECT_TRUE(matches());
    EXPECT_EQ(fx + 72, _cursepx[0]);
    EXPECT_EQ(fy, _cursepx[1]);
    EXPECT_EQ(fx + 72, _cursepx[2]);
    EXPECT_EQ(fy + 7, _cursepx[3]);

    // Erasing the cursor paints the line in the fill colour.
    vsf_color(handle, 0);
    _obcurse(0);
    for (int y = fy; y < fy + 8; y++)
        EXPECT_EQ(0, getpixel(screen, fx + 72, y));

    field->ob_flags &= (unsigned char)~OF_SELECTED;
    te->te_ptext = factory;
}

TEST_F(Draw, ScrolledTextShowsItsTail)
{
    char tmplt[39];
    memset(tmplt, '_', 38);
    tmplt[38] = '\0';
    char text[51];
    for (int i = 0; i < 50; i++)
        text[i] = (char)('A' + i % 26);
    text[50] = '\0';
    TEDINFO te = ted(text, tmplt, 51);
    // Selected: keeps its colours (text 1, fill 0), gets the cursor.
    std::vector<OBJECT> t = single(make(OT_SCROLLTEXT, 4, 100, 304, 8, OF_SELECTED, (long)&te));
    _curpos = 50;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(4, 100, 307, 107, 0);
    gtext(0, 1, 0, 0, 4, 100, (std::string(text + 13) + "_").c_str(), 4, 100, 307, 107);
    // The cursor stands after the last character shown: column 37.
    vline(screen, 4 + 37 * 8, 100, 107, 1);
    EXPECT_TRUE(matches());

    // A cursor inside the part shown moves with the text; one in the part
    // not shown stays at the left end.
    _curpos = 20;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    EXPECT_EQ(4 + 7 * 8, _cursepx[0]);
    _curpos = 3;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    EXPECT_EQ(4, _cursepx[0]);

    // A text shorter than the field is shown whole.
    text[10] = '\0';
    _curpos = 10;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(4, 100, 307, 107, 0);
    gtext(0, 1, 0, 0, 4, 100, (std::string(text) + std::string(28, '_')).c_str(), 4, 100, 307, 107);
    vline(screen, 4 + 10 * 8, 100, 107, 1);
    EXPECT_TRUE(matches());
}

TEST_F(Draw, CentredEditableFieldSitsOnePixelLower)
{
    char text[] = "ab";
    char tmplt[] = "Name: ____";
    TEDINFO te = ted(text, tmplt);
    std::vector<OBJECT> t = single(make(OT_EDTEXT, 10, 10, 120, 20, OF_FRAMED, (long)&te));
    t[0].ob_border = 1;
    objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
    expect_next();
    fill(10, 10, 129, 29, 0);
    const int x = 10 + (120 - 80) / 2, y = 10 + 1 + (20 - 8) / 2;
    gtext(0, 1, 0, 0, x, y, "Name: ab", 10, 10, 129, 29);
    gtext(0, 1, 0, 0, x + 64, y, "__", 10, 10, 129, 29);
    ring(10, 10, 129, 29, 1);
    EXPECT_TRUE(matches());
}

TEST_F(Draw, TitlesAndOtherTypes)
{
    // OT_TITLE draws like OT_STRING; a type without text is a filled box.
    std::vector<OBJECT> t{make(OT_IBOX, 0, 0, 320, 200),
                          make(OT_TITLE, 8, 8, 48, 8, 0, (long)"File"),
                          make(40, 80, 8, 30, 20, 0, (long)"never shown")};
    t[2].ob_fill = 6;
    adopt(t, 0, {1, 2});
    finish(t);
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(8, 8, 55, 15, 0);
    gtext(0, 1, 0, 0, 8, 8, "File", 8, 8, 55, 15);
    fill(80, 8, 109, 27, 6);
    EXPECT_TRUE(matches());
}

TEST_F(Draw, BuiltinInputBoxAsAWhole)
{
    OBJECT *box = _inputbox;
    objc_draw(box, 0, 8, 0, 0, 0, 0);
    expect_next();
    fill(2, 30, 109, 97, 0);                                  // the box
    gtext(0, 1, 0, 0, 18, 62, "Input: ___", 18, 62, 97, 69);  // the field
    fill(18, 78, 83, 89, 0);                                  // Return, centred
    gtext(0, 1, 0, 0, 18 + (66 - 48) / 2, 78 + (12 - 8) / 2, "Return", 18, 78, 83, 89);
    ring(17, 77, 84, 90, 1);
    ring(18, 78, 83, 89, 1);
    fill(30, 36, 77, 51, 0);  // the title, font 1
    gtext(1, 2, 0, 0, 30, 36, "Input", 30, 36, 77, 51);
    ring(2, 30, 109, 97, 1);  // the box frame, last
    EXPECT_TRUE(matches());
}

TEST_F(Draw, DamagedLinksEnd)
{
    // The root's children never come back to it, a grandchild holds the
    // root, and a child lies far outside the array: drawing stops at the
    // bound, after drawing the root, and reads nothing outside the array
    // (the sanitizer build checks that).
    std::vector<OBJECT> t = nest();
    t[3].ob_next = 1;
    t[2].ob_head = 0;
    t[3].ob_head = 2000;
    EXPECT_EQ(1, objc_draw(t.data(), 0, -1, 0, 0, 0, 0));
    EXPECT_EQ(2, getpixel(screen, 21, 21));
    EXPECT_EQ(3, getpixel(screen, 31, 31));
}

}  // namespace
