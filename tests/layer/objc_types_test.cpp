// The record types, frames of any thickness, fill looks and the outline,
// shadow and cross states, pixel-exact on the headless screen. Each case
// draws an object, paints what it should look like with Allegro's
// primitives (and v_gtext for text) on a fresh screen, and compares the two
// screens whole.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

constexpr int BG = 7;  // screen background, a colour no object uses

class ObjcTypes : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, BG);
    }

    // Draws a one-object tree and starts the expected picture.
    void draw(OBJECT o)
    {
        std::vector<OBJECT> t{o};
        finish(t);
        objc_draw(t.data(), 0, 1, 0, 0, 0, 0);
        drawn_ = headless::screen_pixels();
        clear_to_color(screen, BG);
    }

    // Compares with the expected picture, and clears for the next case.
    ::testing::AssertionResult matches()
    {
        const std::vector<unsigned char> expected = headless::screen_pixels();
        clear_to_color(screen, BG);
        for (size_t i = 0; i < expected.size(); i++)
            if (drawn_[i] != expected[i])
                return ::testing::AssertionFailure()
                       << "pixel (" << i % screen->w << ", " << i / screen->w << ") is "
                       << (int)drawn_[i] << ", expected " << (int)expected[i];
        return ::testing::AssertionSuccess();
    }

    std::vector<unsigned char> drawn_;
};

void fill(int x1, int y1, int x2, int y2, int c) { rectfill(screen, x1, y1, x2, y2, c); }
void ring(int x1, int y1, int x2, int y2, int c) { rect(screen, x1, y1, x2, y2, c); }

// v_gtext with the cell top at (x, top), clipped to a box.
void gtext(int font, int ink, int paper, int x, int top, const char *s, int cx1, int cy1, int cx2,
           int cy2, int mode = MD_REPLACE)
{
    vst_font(handle, font);
    vst_color(handle, ink);
    vsf_color(handle, paper);
    vswr_mode(handle, mode);
    const short clip[4] = {(short)cx1, (short)cy1, (short)cx2, (short)cy2};
    vs_clip(handle, 1, clip);
    v_gtext(handle, x, top + _font->top, s);
    vs_clip(handle, 0, nullptr);
    vswr_mode(handle, MD_REPLACE);
    vst_font(handle, 0);
}

// The set bits of a one-plane form, `words` a row, from (sx, sy) on, at
// (x, y), at most w x h of them.
void plane(const short *form, int words, int rows, int sx, int sy, int x, int y, int w, int h,
           int colour)
{
    for (int r = sy; r < rows && r - sy < h; r++)
        for (int c = sx; c < words * 16 && c - sx < w; c++)
            if ((unsigned short)form[r * words + c / 16] & (0x8000u >> c % 16))
                putpixel(screen, x + c - sx, y + r - sy, colour);
}

TEST_F(ObjcTypes, InlineObjectsAreBoxesWhoseSpecIsNeverRead)
{
    for (int type : {OT_STRING, OT_FTEXT, OT_TEXT, OT_BUTTON, OT_IMAGE, OT_ICON, OT_USERDEF}) {
        for (int framed : {0, OF_FRAMED}) {
            OBJECT o = make(type, 10, 10, 30, 12, framed, 16);  // no address to read
            o.ob_xflags = OX_INLINE;
            o.ob_fill = 3;
            draw(o);
            const int d = framed ? 1 : 0;
            fill(10 - d, 10 - d, 39 + d, 21 + d, 3);
            if (framed)
                ring(9, 9, 40, 22, 1);
            EXPECT_TRUE(matches()) << type << " " << framed;
        }
    }
}

TEST_F(ObjcTypes, IndirectSpecsAreFollowed)
{
    long spec = (long)"Go";
    for (int type : {OT_STRING, OT_BUTTON}) {
        OBJECT o = make(type, 10, 10, 32, 8, 0, (long)&spec);
        o.ob_xflags = OX_INDIRECT;
        o.ob_thick = 1;
        draw(o);
        fill(10, 10, 41, 17, 0);
        gtext(0, 1, 0, type == OT_BUTTON ? 18 : 10, 10, "Go", 10, 10, 41, 17);
        ring(10, 10, 41, 17, 1);  // thickness 1 inward
        EXPECT_TRUE(matches()) << type;
    }
}

TEST_F(ObjcTypes, TextsArePlacedByTheirJustification)
{
    char text[] = "Abc", tmplt[] = "A__", rest[] = "bc";
    TEDINFO plain = {text, tmplt, 'X', 0}, merged = {rest, tmplt, 'X', 0};
    struct Case {
        int type, flags, just, x;
        bool framed;
    };
    // A 100 x 20 object at (20, 20); "Abc" is 24 pixels wide.
    const Case cases[] = {
        {OT_TEXT, 0, TE_LEFT, 20, false},        {OT_TEXT, 0, TE_RIGHT, 96, false},
        {OT_TEXT, 0, TE_CNTR, 58, false},        {OT_TEXT, 0, 5, 20, false},
        {OT_TEXT, OF_FRAMED, TE_LEFT, 20, true}, {OT_BOXTEXT, 0, TE_RIGHT, 96, true},
        {OT_FBOXTEXT, 0, TE_CNTR, 58, true},     {OT_FBOXTEXT, OF_FRAMED, TE_LEFT, 20, true},
    };
    for (const Case &c : cases) {
        OBJECT o = make(c.type, 20, 20, 100, 20, c.flags,
                        (long)(c.type == OT_FBOXTEXT ? &merged : &plain));
        o.ob_just = (unsigned char)c.just;
        draw(o);
        const int d = c.framed ? 1 : 0;
        fill(20 - d, 20 - d, 119 + d, 39 + d, 0);
        gtext(0, 1, 0, c.x, 26, "Abc", 20 - d, 20 - d, 119 + d, 39 + d);
        if (c.framed)
            ring(19, 19, 120, 40, 1);
        EXPECT_TRUE(matches()) << c.type << " just " << c.just;
    }
}

TEST_F(ObjcTypes, EditableTemplatesShowEveryLiteral)
{
    struct Case {
        int type, xflags;
        const char *tmplt, *text, *shown;
    };
    const Case cases[] = {
        {OT_FBOXTEXT, 0, "__:__:__ _M", "103000A", "10:30:00 AM"},
        {OT_FBOXTEXT, OX_EDITABLE, "__:__:__ _M", "1030", "10:30:__ _M"},
        {OT_FTEXT, OX_EDITABLE, "__:__:__ _M", "103000A", "10:30:00 AM"},
        {OT_FTEXT, OX_EDITABLE, "__-__", "1-23", "1--23"},
        {OT_FTEXT, 0, "__-__", "1-23", "1 -23"},  // the display-only merge stays
    };
    for (const Case &c : cases) {
        std::vector<char> text(c.text, c.text + strlen(c.text) + 1);
        std::vector<char> tmplt(c.tmplt, c.tmplt + strlen(c.tmplt) + 1);
        TEDINFO te = {text.data(), tmplt.data(), 'X', 0};
        OBJECT o = make(c.type, 16, 16, 120, 8, 0, (long)&te);
        o.ob_xflags = (unsigned short)c.xflags;
        draw(o);
        const int d = c.type == OT_FBOXTEXT ? 1 : 0;
        fill(16 - d, 16 - d, 135 + d, 23 + d, 0);
        gtext(0, 1, 0, 16, 16, c.shown, 16 - d, 16 - d, 135 + d, 23 + d);
        if (d)
            ring(15, 15, 136, 24, 1);
        EXPECT_TRUE(matches()) << c.shown;
    }
}

TEST_F(ObjcTypes, FramesHaveTheirThicknessAndButtonsTheirWeight)
{
    struct Case {
        int type, flags, thick;
        int first, rings;  // inset of the first ring (negative: outside), rings drawn
    };
    const Case cases[] = {
        {OT_BOX, 0, 3, 0, 3},
        {OT_BOX, OF_FRAMED | OF_DEFAULT, -2, -1, 2},
        {OT_BOX, 0, 30, 0, 10},  // inward until the object is full
        {OT_BUTTON, 0, 0, -1, 1},
        {OT_BUTTON, OF_FRAMED, 0, -1, 1},
        {OT_BUTTON, OF_EXIT, 0, -1, 2},
        {OT_BUTTON, OF_EXIT | OF_DEFAULT, 0, -1, 3},
        {OT_BUTTON, OF_DEFAULT, -2, -1, 3},
        {OT_BUTTON, OF_EXIT | OF_DEFAULT, 1, 0, 3},
    };
    for (const Case &c : cases) {
        OBJECT o = make(c.type, 40, 40, 40, 20, c.flags, (long)"OK");
        o.ob_thick = (signed char)c.thick;
        o.ob_colbyte = 0x51;
        o.ob_fill = 3;
        draw(o);
        fill(40, 40, 79, 59, 3);
        if (c.type == OT_BUTTON)
            gtext(0, 1, 3, 52, 46, "OK", 40, 40, 79, 59);
        const int step = c.first < 0 ? -1 : 1;
        for (int i = 0, d = c.first; i < c.rings; i++, d += step)
            ring(40 + d, 40 + d, 79 - d, 59 - d, 5);
        EXPECT_TRUE(matches()) << c.type << " flags " << c.flags << " thick " << c.thick;
    }
}

TEST_F(ObjcTypes, LooksFillWithDithersOverWhiteOrNotAtAll)
{
    for (int look = 1; look <= OL_HOLLOW; look++) {
        OBJECT o = make(OT_BOX, 20, 20, 48, 24);
        o.ob_fill = 4;
        o.ob_look = (unsigned char)look;
        draw(o);
        for (int y = 20; y < 44 && look != OL_HOLLOW; y++) {
            const unsigned row = _fill_patterns[OL_HOLLOW - look - 1][y % 16];
            for (int x = 20; x < 68; x++)
                putpixel(screen, x, y, row & (0x8000u >> x % 16) ? 4 : 0);
        }
        EXPECT_TRUE(matches()) << look;
    }
}

TEST_F(ObjcTypes, TextStandsOnWhiteOverADitherUnlessTransparent)
{
    auto dither = [] {
        for (int y = 30; y < 38; y++)
            for (int x = 30; x < 70; x++)
                putpixel(screen, x, y, _fill_patterns[3][y % 16] & (0x8000u >> x % 16) ? 2 : 0);
    };
    OBJECT o = make(OT_STRING, 30, 30, 40, 8, 0, (long)"Ab");
    o.ob_fill = 2;
    o.ob_look = 3;
    draw(o);
    dither();
    gtext(0, 1, 0, 30, 30, "Ab", 30, 30, 69, 37);
    EXPECT_TRUE(matches());

    o.ob_look = 3 | OL_TRANSPARENT;
    draw(o);
    dither();
    gtext(0, 1, 0, 30, 30, "Ab", 30, 30, 69, 37, MD_TRANS);
    EXPECT_TRUE(matches());
}

TEST_F(ObjcTypes, LooksStayWithTheirObject)
{
    // A dithered parent with transparent text; its child has the plain look.
    std::vector<OBJECT> t{make(OT_STRING, 20, 20, 80, 30, 0, (long)"Ab"),
                          make(OT_STRING, 40, 10, 32, 8, 0, (long)"Cd")};
    t[0].ob_fill = 2;
    t[0].ob_look = 4 | OL_TRANSPARENT;
    t[1].ob_fill = 5;
    adopt(t, 0, {1});
    finish(t);
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    drawn_ = headless::screen_pixels();
    clear_to_color(screen, BG);
    for (int y = 20; y < 50; y++)
        for (int x = 20; x < 100; x++)
            putpixel(screen, x, y, _fill_patterns[2][y % 16] & (0x8000u >> x % 16) ? 2 : 0);
    gtext(0, 1, 0, 20, 20, "Ab", 20, 20, 99, 49, MD_TRANS);
    fill(60, 30, 91, 37, 5);
    gtext(0, 1, 5, 60, 30, "Cd", 60, 30, 91, 37);
    EXPECT_TRUE(matches());
}

TEST_F(ObjcTypes, OutlinedShadowedAndCrossedStates)
{
    struct Case {
        int xstate, flags, thick, xflags;
        std::function<void()> paint;  // over the plain object (60, 60)-(99, 79)
    };
    const Case cases[] = {
        {OS_OUTLINED, 0, 0, 0,
         [] {
             ring(57, 57, 102, 82, 5);
             fill(58, 58, 101, 81, 0);
             fill(60, 60, 99, 79, 3);
         }},
        {OS_OUTLINED, OF_FRAMED, 0, 0,
         [] {
             ring(57, 57, 102, 82, 5);
             fill(58, 58, 101, 81, 0);
             fill(59, 59, 100, 80, 3);
             ring(59, 59, 100, 80, 5);
         }},
        {OS_SHADOWED, 0, 0, 0,
         [] {
             fill(60, 60, 99, 79, 3);
             fill(100, 62, 101, 81, 5);
             fill(62, 80, 99, 81, 5);
         }},
        {OS_SHADOWED, 0, -2, 0,
         [] {
             fill(60, 60, 99, 79, 3);
             ring(59, 59, 100, 80, 5);
             ring(58, 58, 101, 81, 5);
             fill(102, 62, 105, 85, 5);
             fill(62, 82, 101, 85, 5);
         }},
        {OS_SHADOWED, OF_FRAMED | OF_DEFAULT, 0, 0,
         [] {
             fill(59, 59, 100, 80, 3);
             ring(59, 59, 100, 80, 5);
             ring(60, 60, 99, 79, 5);
             fill(101, 63, 104, 84, 5);
             fill(63, 81, 100, 84, 5);
         }},
        {OS_CROSSED, 0, 0, 0,
         [] {
             fill(60, 60, 99, 79, 3);
             line(screen, 60, 60, 99, 79, 0);
             line(screen, 99, 60, 60, 79, 0);
         }},
        {OS_WHITEBAK | OS_DRAW3D, 0, 0, OX_FL3DIND | OX_FL3DBAK, [] { fill(60, 60, 99, 79, 3); }},
    };
    for (const Case &c : cases) {
        OBJECT o = make(OT_BOX, 60, 60, 40, 20, c.flags);
        o.ob_xstate = (unsigned short)c.xstate;
        o.ob_xflags = (unsigned short)c.xflags;
        o.ob_thick = (signed char)c.thick;
        o.ob_colbyte = 0x51;
        o.ob_fill = 3;
        draw(o);
        c.paint();
        EXPECT_TRUE(matches()) << "state " << c.xstate << " flags " << c.flags;
    }
}

// Three rows of two words.
short IMAGE[6] = {(short)0x8001, (short)0xF00F, 0x0ff0, 0x1234, (short)0xAAAA, 0x5555};

TEST_F(ObjcTypes, ImagesDrawTheirSetBitsWithinTheObject)
{
    struct Case {
        int bx, by, w, h, selected;
    };
    for (const Case &c : {Case{0, 0, 32, 3, 0}, Case{3, 1, 10, 5, OF_SELECTED}}) {
        BITBLK bb = {IMAGE, 4, 3, (short)c.bx, (short)c.by, 8};
        OBJECT o = make(OT_IMAGE, 50, 70, c.w, c.h, c.selected, (long)&bb);
        o.ob_fill = 3;  // not filled
        draw(o);
        plane(IMAGE, 2, 3, c.bx, c.by, 50, 70, c.w, c.h, c.selected ? 9 : 8);
        EXPECT_TRUE(matches()) << c.bx;
    }
}

TEST_F(ObjcTypes, BadImagesDrawNothing)
{
    std::vector<short> wide(4097, -1);
    const BITBLK bad[] = {
        {nullptr, 4, 3, 0, 0, 6},        {IMAGE, 3, 3, 0, 0, 6}, {IMAGE, 0, 3, 0, 0, 6},
        {IMAGE, -2, 3, 0, 0, 6},         {IMAGE, 4, 0, 0, 0, 6}, {IMAGE, 4, -1, 0, 0, 6},
        {wide.data(), 8194, 1, 0, 0, 6},  // wider than 16-bit coordinates
    };
    for (const BITBLK &b : bad) {
        OBJECT o = make(OT_IMAGE, 0, 0, 320, 200, 0, (long)&b);
        draw(o);
        EXPECT_TRUE(matches()) << b.bi_wb << " x " << b.bi_hl;
    }
    draw(make(OT_IMAGE, 0, 0, 320, 200));  // no BITBLK
    EXPECT_TRUE(matches());
    // Offsets past the image read nothing outside it (the sanitizers check).
    BITBLK far = {IMAGE, 4, 3, 30000, -30000, 6};
    draw(make(OT_IMAGE, 0, 0, 320, 200, 0, (long)&far));
    EXPECT_TRUE(matches());
}

// A 20 x 3 icon: rows of two words.
short MASK[6] = {-1, (short)0xF000, -1, (short)0xF000, -1, (short)0xF000};
short DATA[6] = {(short)0x8001, (short)0x8000, 0x0180, 0x1000, 0x7FFE, 0x2000};

TEST_F(ObjcTypes, IconsDrawMaskDataCaptionAndLetter)
{
    struct Case {
        int selected;
        bool mask, text;
        char letter;
    };
    const Case cases[] = {
        {0, true, true, 'A'}, {OF_SELECTED, true, true, 'A'}, {0, false, false, 0}};
    for (const Case &c : cases) {
        // The letter at (2, -2) in the icon, the 20 x 3 icon at (5, 4), the
        // 30 x 8 caption box at (0, 10); data colour 3, mask colour 2.
        char caption[] = "Hi";
        short *mask_plane = c.mask ? MASK : nullptr;
        char *text = c.text ? caption : nullptr;
        const short chars = (short)(0x3200 | c.letter);
        ICONBLK ib = {mask_plane, DATA, text, chars, 2, -2, 5, 4, 20, 3, 0, 10, 30, 8};
        OBJECT o = make(OT_ICON, 100, 100, 30, 18, c.selected, (long)&ib);
        draw(o);
        const int mask = c.selected ? 3 : 2, data = c.selected ? 2 : 3;
        if (c.mask)
            plane(MASK, 2, 3, 0, 0, 105, 104, 20, 3, mask);
        plane(DATA, 2, 3, 0, 0, 105, 104, 20, 3, data);
        fill(100, 110, 129, 117, mask);
        if (c.text)
            gtext(2, data, mask, 100 + (30 - 12) / 2, 110 + 1, "Hi", 100, 100, 129, 117);
        if (c.letter)
            gtext(2, data, 0, 107, 102, "A", 100, 100, 129, 117, MD_TRANS);
        EXPECT_TRUE(matches()) << c.selected << c.mask;
    }
}

// What the user routine was called with, and what it does.
PARMBLK seen;
short seen_clip[4];
int calls, answer;

int record_and_paint(PARMBLK *pb)
{
    seen = *pb;
    const short clip[4] = {_clipx1, _clipy1, _clipx2, _clipy2};
    std::copy(clip, clip + 4, seen_clip);
    calls++;
    vsf_color(handle, 4);
    const short all[4] = {0, 0, 319, 199};
    v_bar(handle, all);  // held to the clip the routine is given
    return answer;
}

// Changes everything it can and draws nothing.
int meddle(PARMBLK *)
{
    vswr_mode(handle, MD_XOR);
    vsf_interior(handle, FIS_HATCH);
    vsl_color(handle, 9);
    vsf_color(handle, 10);
    vst_color(handle, 11);
    vst_effects(handle, TXT_BOLD | TXT_UNDERLINED);
    vst_font(handle, 1);
    const short tiny[4] = {0, 0, 1, 1};
    vs_clip(handle, 1, tiny);
    set_clip_rect(screen, 0, 0, 1, 1);
    set_clip_state(screen, !get_clip_state(screen));
    drawing_mode(DRAW_MODE_XOR, nullptr, 0, 0);
    handle = 4;
    return 0;
}

// A root box holding the user object (30, 30, 40 x 20) and a framed string.
std::vector<OBJECT> user_tree(USERBLK *ub)
{
    std::vector<OBJECT> t{make(OT_BOX, 10, 10, 200, 100), make(OT_USERDEF, 20, 20, 40, 20),
                          make(OT_STRING, 20, 60, 80, 20, OF_FRAMED | OF_CHECKED, (long)"Text")};
    t[1].ob_spec = (long)ub;
    t[2].ob_fill = 5;
    adopt(t, 0, {1, 2});
    finish(t);
    return t;
}

TEST_F(ObjcTypes, UserRoutineGetsItsObjectAndClip)
{
    USERBLK ub = {record_and_paint, 1234};
    std::vector<OBJECT> t = user_tree(&ub);
    t[1].ob_flags |= OF_SELECTED;
    t[1].ob_xstate = OS_SHADOWED;
    answer = 0;
    const GRECT clip = {50, 0, 100, 200};  // the user object's right half
    _objc_draw_clip(t.data(), 1, 1, &clip);
    EXPECT_EQ(t.data(), seen.pb_tree);
    EXPECT_EQ(1, seen.pb_obj);
    EXPECT_EQ(OS_SELECTED | OS_SHADOWED, seen.pb_prevstate);
    EXPECT_EQ(OS_SELECTED | OS_SHADOWED, seen.pb_currstate);
    const short expected[] = {30, 30, 40, 20, 50, 30, 20, 20, 50, 30, 69, 49};
    const short got[] = {seen.pb_x,    seen.pb_y,    seen.pb_w,    seen.pb_h,
                         seen.pb_xc,   seen.pb_yc,   seen.pb_wc,   seen.pb_hc,
                         seen_clip[0], seen_clip[1], seen_clip[2], seen_clip[3]};
    for (int i = 0; i < 12; i++)
        EXPECT_EQ(expected[i], got[i]) << i;
    EXPECT_EQ(1234, seen.pb_parm);
    drawn_ = headless::screen_pixels();
    clear_to_color(screen, BG);
    fill(50, 30, 69, 49, 4);  // the state the routine did not return is not drawn
    EXPECT_TRUE(matches());

    // Entirely outside the clip, or without a routine: not called.
    calls = 0;
    const GRECT away = {200, 150, 10, 10};
    _objc_draw_clip(t.data(), 1, 1, &away);
    ub.ub_code = nullptr;
    objc_draw(t.data(), 1, 1, 0, 0, 0, 0);
    t[1].ob_spec = 0;
    objc_draw(t.data(), 1, 1, 0, 0, 0, 0);
    EXPECT_EQ(0, calls);
}

TEST_F(ObjcTypes, UserRoutineChangesNothingForTheRestOfTheTree)
{
    USERBLK ub = {meddle, 0};
    std::vector<OBJECT> t = user_tree(&ub);
    t[1].ob_flags |= OF_HIDDEN;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    const std::vector<unsigned char> without = headless::screen_pixels();
    clear_to_color(screen, BG);
    t[1].ob_flags &= (unsigned char)~OF_HIDDEN;
    objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
    EXPECT_TRUE(without == headless::screen_pixels());

    // Drawn alone, it leaves the attributes as a routine that changes
    // nothing does, the screen's clip switched off among them.
    set_clip_state(screen, 0);
    const auto attributes = [] {
        int x1, y1, x2, y2;
        get_clip_rect(screen, &x1, &y1, &x2, &y2);
        screen->line[0][0] = 7;
        putpixel(screen, 0, 0, 3);  // 4 in Allegro's XOR mode
        return std::vector<int>{handle,
                                _linecol,
                                _fillcol,
                                _textcol,
                                _texteff,
                                _fontno,
                                _clipx1,
                                _clipy1,
                                _clipx2,
                                _clipy2,
                                _vdi.mode,
                                _vdi.interior,
                                x1,
                                y1,
                                x2,
                                y2,
                                get_clip_state(screen),
                                getpixel(screen, 0, 0)};
    };
    ub.ub_code = [](PARMBLK *) { return 0; };
    _objc_draw(t.data(), 1, 1, 30, 30);
    const std::vector<int> calm = attributes();
    ub.ub_code = meddle;
    _objc_draw(t.data(), 1, 1, 30, 30);
    EXPECT_EQ(calm, attributes());
    set_clip_state(screen, 1);
}

TEST_F(ObjcTypes, UserRoutineReturnAsksOnlyForTheStatesItMay)
{
    const auto plain = [] { fill(30, 30, 69, 49, 4); };
    struct Case {
        int answer;
        std::function<void()> paint;
    };
    const Case cases[] = {
        {0, plain},
        {OS_CHECKED | OS_DISABLED | OS_WHITEBAK | OS_DRAW3D | 0x7f00, plain},
        {OS_SELECTED, [] { fill(30, 30, 69, 49, 5); }},
        {OS_CROSSED,
         [&] {
             plain();
             line(screen, 30, 30, 69, 49, 0);
             line(screen, 69, 30, 30, 49, 0);
         }},
        {OS_OUTLINED,
         [&] {
             plain();
             ring(27, 27, 72, 52, 1);
             ring(28, 28, 71, 51, 0);
             ring(29, 29, 70, 50, 0);
         }},
        {OS_SHADOWED | 0x8000,
         [&] {
             plain();
             fill(70, 32, 71, 51, 1);
             fill(32, 50, 69, 51, 1);
         }},
    };
    USERBLK ub = {record_and_paint, 0};
    std::vector<OBJECT> t = user_tree(&ub);
    for (const Case &c : cases) {
        answer = c.answer;
        objc_draw(t.data(), 1, 1, 0, 0, 0, 0);
        drawn_ = headless::screen_pixels();
        clear_to_color(screen, BG);
        c.paint();
        EXPECT_TRUE(matches()) << c.answer;
    }
}

TEST_F(ObjcTypes, ObjectsOffTheScreenOrOfNegativeSizeDrawNothing)
{
    char text[] = "Abc", tmplt[] = "___";
    TEDINFO te = {text, tmplt, 'X', 0};
    short words[2] = {-1, -1};
    BITBLK bb = {words, 2, 2, 0, 0, 1};
    ICONBLK ib = {words, words, text, 0x1041, 0, 0, 0, 0, 16, 2, 0, 0, 24, 8};
    USERBLK ub = {record_and_paint, 0};
    const struct {
        int type;
        long spec;
    } objects[] = {{OT_TEXT, (long)&te},
                   {OT_FBOXTEXT, (long)&te},
                   {OT_BUTTON, (long)text},
                   {OT_IMAGE, (long)&bb},
                   {OT_ICON, (long)&ib},
                   {OT_USERDEF, (long)&ub},
                   {OT_BOX, 0}};
    const struct {
        int x, y, w, h;
    } places[] = {{32700, 32700, 32767, 32767}, {100, 100, -50, -20}};
    for (const auto &ob : objects) {
        for (const auto &p : places) {
            OBJECT o = make(ob.type, p.x, p.y, p.w, p.h, OF_DEFAULT | OF_EXIT, ob.spec);
            o.ob_thick = -128;
            o.ob_xstate = OS_OUTLINED | OS_SHADOWED | OS_CROSSED;
            o.ob_look = 3;
            draw(o);
            EXPECT_TRUE(matches()) << ob.type << " at " << p.x;
        }
    }
}

}  // namespace
