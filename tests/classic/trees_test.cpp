// Classic trees and their twins: what the layer gets for each classic type,
// flag, state and colour word, what comes back after a call, and the
// object calls with their classic meanings on the headless screen.
#include <gtest/gtest.h>

#include <vector>

#include "gem/classic/internal.h"
#include "gem/classic/trees.h"
#include "layer/objc_trees.h"
#include "support/headless.h"

namespace {

constexpr int C_LASTOB = 0x20, C_SELECTED = 0x01, C_CROSSED = 0x02, C_CHECKED = 0x04,
              C_DISABLED = 0x08;

GEMC_OBJECT classic(int type, long spec, int x = 0, int y = 0, int w = 16, int h = 16,
                    int flags = 0)
{
    GEMC_OBJECT c{};
    c.ob_next = c.ob_head = c.ob_tail = -1;
    c.ob_type = (unsigned short)type;
    c.ob_flags = (unsigned short)flags;
    c.ob_spec = spec;
    c.ob_x = (short)x;
    c.ob_y = (short)y;
    c.ob_width = (short)w;
    c.ob_height = (short)h;
    return c;
}

// A root and its children in order, the last one marked LASTOB.
std::vector<GEMC_OBJECT> family(GEMC_OBJECT root, std::vector<GEMC_OBJECT> children)
{
    std::vector<GEMC_OBJECT> t{root};
    for (size_t i = 0; i < children.size(); i++) {
        t.push_back(children[i]);
        t.back().ob_next = (short)(i + 1 < children.size() ? i + 2 : 0);
    }
    if (!children.empty()) {
        t[0].ob_head = 1;
        t[0].ob_tail = (short)children.size();
    }
    t.back().ob_flags |= C_LASTOB;
    return t;
}

// The twin of one classic object standing alone.
OBJECT twin_of(GEMC_OBJECT c)
{
    static std::vector<GEMC_OBJECT> alone;
    alone = {c};
    alone[0].ob_flags |= C_LASTOB;
    return *_gemc_tree_in(alone.data());
}

GEMC_TEDINFO ted(char *text, const char *tmplt, const char *valid, int colour = 0x1180)
{
    GEMC_TEDINFO t{};
    t.te_ptext = text;
    t.te_ptmplt = (char *)tmplt;
    t.te_pvalid = (char *)valid;
    t.te_font = 3;
    t.te_color = (short)colour;
    t.te_thickness = 1;
    t.te_txtlen = 5;
    return t;
}

TEST(ClassicTrees, EachTypeBecomesTheLayers)
{
    char text[5] = "ab";
    GEMC_TEDINFO t = ted(text, "____", "XXXX");
    GEMC_TEDINFO unframed = t;
    unframed.te_thickness = 0;
    GEMC_USERBLK user{};
    struct Case {
        int type;
        long spec;
        int layer, xtype;
    } cases[] = {
        {20, 0, OT_BOX, 0},
        {21, (long)&t, OT_TEXT, 0},
        {22, (long)&t, OT_BOXTEXT, 0},
        {22, (long)&unframed, OT_TEXT, 0},
        {23, 0, OT_IMAGE, 0},
        {24, (long)&user, OT_USERDEF, 0},
        {25, 0, OT_IBOX, 0},
        {26, (long)"b", OT_BUTTON, 0},
        {27, 0, OT_BOXCHAR, 0},
        {28, (long)"s", OT_STRING, 0},
        {29, (long)&t, OT_FTEXT, 0},
        {30, (long)&t, OT_FBOXTEXT, 0},
        {31, 0, OT_ICON, 0},
        {32, (long)"t", OT_TITLE, 0},
        {0x0514, 0, OT_BOX, 5},
        {0x1234, 0, OT_IBOX, 0x12},
        {21, 0, OT_IBOX, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        const OBJECT o = twin_of(classic(c.type, c.spec));
        EXPECT_EQ(o.ob_type, c.layer);
        EXPECT_EQ(o.ob_xtype, c.xtype);
    }
}

TEST(ClassicTrees, EachFlagGoesWhereTheLayerKeepsIt)
{
    struct Case {
        int classic;
        int flags, xflags;
    } cases[] = {
        {0x0001, 0, OX_SELECTABLE}, {0x0002, OF_DEFAULT, 0}, {0x0004, OF_EXIT, 0},
        {0x0008, 0, OX_EDITABLE},   {0x0010, 0, OX_RBUTTON}, {0x0040, 0, OX_TOUCHEXIT},
        {0x0080, OF_HIDDEN, 0},     {0x0200, 0, OX_FL3DIND}, {0x0400, 0, OX_FL3DBAK},
        {0x0800, 0, 0x0800},        {0x8000, 0, 0x8000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.classic);
        const OBJECT o = twin_of(classic(20, 0, 0, 0, 16, 16, c.classic));
        EXPECT_EQ(o.ob_flags, c.flags | OF_LASTOB);
        EXPECT_EQ(o.ob_xflags, c.xflags);
    }
}

TEST(ClassicTrees, EachStateIsTheLayersStateWord)
{
    for (int state : {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x0100, 0x8000}) {
        SCOPED_TRACE(state);
        GEMC_OBJECT c = classic(20, 0);
        c.ob_state = (unsigned short)state;
        const OBJECT o = twin_of(c);
        EXPECT_EQ(_ob_state(&o), state);
    }
    GEMC_OBJECT c = classic(20, 0);
    c.ob_state = C_SELECTED | C_CHECKED | C_DISABLED;
    EXPECT_EQ(twin_of(c).ob_flags, OF_SELECTED | OF_CHECKED | OF_DISABLED | OF_LASTOB);
}

TEST(ClassicTrees, BoxWordsBecomeColoursLooksAndFrames)
{
    struct Case {
        unsigned long spec;
        int colbyte, fill, look, thick;
        long character;
    } cases[] = {
        {0x000111F0, 0x11, 0, 0, 1, 0},                  // opaque, solid white
        {0x41FF2173, 0x21, 3, OL_TRANSPARENT, -1, 'A'},  // transparent, solid green
        {0x00FE1194, 0x11, 4, OL_HOLLOW - 1, -2, 0},     // opaque, sparsest dither
        {0x000311E2, 0x11, 2, OL_HOLLOW - 6, 3, 0},      // densest dither
        {0x00001185, 0x11, 0, 0, 0, 0},                  // opaque hollow: white
        {0x00001105, 0x11, 0, OL_TRANSPARENT, 0, 0},     // transparent hollow: white too
        {0x5A00F0F0, 0xF0, 0, 0, 0, 'Z'},                // frame and text colours
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.spec);
        const OBJECT o = twin_of(classic(27, (long)c.spec));
        EXPECT_EQ(o.ob_colbyte, c.colbyte);
        EXPECT_EQ(o.ob_fill, c.fill);
        EXPECT_EQ(o.ob_look, c.look);
        EXPECT_EQ(o.ob_thick, c.thick);
        EXPECT_EQ(o.ob_spec, c.character);
    }
}

TEST(ClassicTrees, TedinfoBecomesTheLayersRecordAndFields)
{
    char text[5] = "12";
    struct Case {
        const char *valid;
        int font, just;
        short layer_valid;
        int layer_font;
    } cases[] = {
        {"9999", 3, 2, '9', 0},
        {"99X9", 5, 1, 'X', 2},
        {nullptr, 3, 0, 'X', 0},
        {"", 3, 7, 'X', 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.font);
        GEMC_TEDINFO t = ted(text, "__-__", c.valid, 0x2380);
        t.te_font = (short)c.font;
        t.te_just = (short)c.just;
        const OBJECT o = twin_of(classic(30, (long)&t, 0, 0, 16, 16, 0x0008));
        const TEDINFO *lt = (const TEDINFO *)o.ob_spec;
        EXPECT_EQ(lt->te_ptext, text);  // edited in the program's own buffer
        EXPECT_STREQ(lt->te_ptmplt, "__-__");
        EXPECT_EQ(lt->te_pvalid, c.layer_valid);
        EXPECT_EQ(lt->te_ptxtlen, 5);
        EXPECT_EQ(o.ob_font, c.layer_font);
        EXPECT_EQ(o.ob_just, c.just == 7 ? TE_LEFT : c.just);
        EXPECT_EQ(o.ob_colbyte, 0x23);
        EXPECT_EQ(o.ob_thick, 1);
        EXPECT_EQ(o.ob_xflags, OX_EDITABLE);
    }
}

TEST(ClassicTrees, IndirectObSpecIsResolved)
{
    long real = 0x00021170;
    const OBJECT o = twin_of(classic(20, (long)&real, 0, 0, 16, 16, 0x0100));
    EXPECT_EQ(o.ob_thick, 2);
    EXPECT_EQ(o.ob_xflags & OX_INDIRECT, 0);
    EXPECT_EQ(twin_of(classic(20, 0, 0, 0, 16, 16, 0x0100)).ob_thick, 0);  // null: a value 0
}

TEST(ClassicTrees, TreesWithoutLastobAreRefused)
{
    headless::start(0);
    std::vector<GEMC_OBJECT> endless(GEMC_MAX_TREE + 1, classic(20, 0x000111F0));
    endless.back().ob_flags = C_LASTOB;
    EXPECT_EQ(_gemc_tree_in(endless.data()), nullptr);
    EXPECT_EQ(_gemc_tree_in(nullptr), nullptr);
    const auto before = headless::screen_pixels();
    EXPECT_EQ(gemc_objc_draw(endless.data(), 0, 8, 0, 0, 320, 200), 0);
    EXPECT_EQ(gemc_objc_find(endless.data(), 0, 8, 1, 1), NIL);
    EXPECT_EQ(headless::screen_pixels(), before);
    endless[GEMC_MAX_TREE - 1].ob_flags = C_LASTOB;
    EXPECT_NE(_gemc_tree_in(endless.data()), nullptr);
}

TEST(ClassicTrees, OutWritesOnlyWhatTheLayerChanged)
{
    auto t = family(classic(20, 0), {classic(20, 0), classic(20, 0)});
    OBJECT *twin = _gemc_tree_in(t.data());
    _ob_set_state(&twin[1], OS_SELECTED);  // the layer's change
    twin[1].ob_x = 7;
    t[2].ob_state = C_CROSSED;  // the program's, since
    t[2].ob_y = 9;
    _gemc_trees_out();
    EXPECT_EQ(t[1].ob_state, C_SELECTED);
    EXPECT_EQ(t[1].ob_x, 7);
    EXPECT_EQ(t[2].ob_state, C_CROSSED);
    EXPECT_EQ(t[2].ob_y, 9);
    t[1].ob_state = 0;
    _gemc_tree_out(t.data());  // nothing changed since the last out
    EXPECT_EQ(t[1].ob_state, 0);
}

// A menu: the bar (1) with the title area (2) and a title (3); the boxes (4)
// with one box (5) of one entry (6).
std::vector<GEMC_OBJECT> menu()
{
    std::vector<GEMC_OBJECT> m = {classic(25, 0, 0, 0, 320, 200),
                                  classic(20, 0x000011F0, 0, 0, 320, 11),
                                  classic(25, 0, 8, 0, 64, 11),
                                  classic(32, (long)" Desk ", 0, 0, 48, 11),
                                  classic(25, 0, 0, 11, 320, 100),
                                  classic(20, 0x00FF1170, 8, 0, 80, 16),
                                  classic(28, (long)"  Entry  ", 0, 0, 80, 8)};
    const short links[7][3] = {{-1, 1, 4}, {4, 2, 2}, {1, 3, 3},  {2, -1, -1},
                               {0, 5, 5},  {4, 6, 6}, {5, -1, -1}};
    for (int i = 0; i < 7; i++) {
        m[i].ob_next = links[i][0];
        m[i].ob_head = links[i][1];
        m[i].ob_tail = links[i][2];
    }
    m[6].ob_flags = C_LASTOB;
    return m;
}

TEST(ClassicTrees, TheMenusTwinFollowsBothWays)
{
    headless::start(0);
    auto m = menu();
    ASSERT_EQ(gemc_menu_bar(m.data(), 1), 1);
    ASSERT_NE(_menu, nullptr);
    m[6].ob_state = C_CHECKED;  // the program's, between calls
    _gemc_trees_in();
    EXPECT_EQ(_ob_state(&_menu[6]), OS_CHECKED);
    _ob_set_state(&_menu[3], OS_SELECTED);  // the layer's, during an event
    _gemc_trees_out();
    EXPECT_EQ(m[3].ob_state, C_SELECTED);
    _gemc_trees_forget(m.data(), m.data() + m.size());
    EXPECT_EQ(_menu, nullptr);
    EXPECT_EQ(_gemc_tree_in(m.data()), _gemc_tree_in(m.data()));
}

// A dialog of the classic types and its layer twin drawn by hand.
struct Pair {
    std::vector<GEMC_OBJECT> c;
    std::vector<OBJECT> layer;
};

Pair dialog(int x, int y)
{
    Pair p;
    p.c = family(classic(20, 0x00FF1172, x, y, 120, 60),
                 {classic(28, (long)"Text", 8, 8, 32, 8),
                  classic(26, (long)"OK", 60, 40, 40, 12, 0x06),
                  classic(27, 0x58011170, 8, 30, 16, 16)});
    using objc_test::make;
    p.layer = {make(OT_BOX, 0, 0, 120, 60), make(OT_STRING, 8, 8, 32, 8, 0, (long)"Text"),
               make(OT_BUTTON, 60, 40, 40, 12, OF_DEFAULT | OF_EXIT, (long)"OK"),
               make(OT_BOXCHAR, 8, 30, 16, 16, 0, 'X')};
    p.layer[0].ob_fill = 2;
    p.layer[0].ob_thick = -1;
    p.layer[3].ob_thick = 1;
    objc_test::adopt(p.layer, 0, {1, 2, 3});
    objc_test::finish(p.layer);
    return p;
}

class ClassicCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, 5);
    }
};

TEST_F(ClassicCalls, ObjcDrawClipsWhereTheLayerPlaces)
{
    Pair p = dialog(30, 40);
    objc_draw(p.layer.data(), 0, 8, 30, 40, 0, 0);
    const auto layer = headless::screen_pixels();
    clear_to_color(screen, 5);
    EXPECT_EQ(gemc_objc_draw(p.c.data(), 0, 8, 0, 0, 320, 200), 1);
    EXPECT_EQ(headless::screen_pixels(), layer);
    EXPECT_EQ(p.c[0].ob_x, 30);  // not moved by the clip

    clear_to_color(screen, 5);
    const GRECT clip = {50, 50, 40, 20};
    gemc_objc_draw_grect(p.c.data(), 0, 8, &clip);
    const auto part = headless::screen_pixels();
    for (int y = 0; y < 200; y++)
        for (int x = 0; x < 320; x++) {
            const bool inside = x >= 50 && x < 90 && y >= 50 && y < 70;
            ASSERT_EQ(part[y * 320 + x], inside ? layer[y * 320 + x] : 5) << x << "," << y;
        }
}

TEST_F(ClassicCalls, ObjcChangeSetsClassicStatesAndRedrawsInTheClip)
{
    Pair p = dialog(30, 40);
    gemc_objc_draw(p.c.data(), 0, 8, 0, 0, 320, 200);
    // The box character is at (38, 70), 16 x 16; the clip takes its left part.
    const GRECT clip = {30, 40, 16, 60};
    EXPECT_EQ(getpixel(screen, 50, 83), 0);
    EXPECT_EQ(gemc_objc_change_grect(p.c.data(), 3, 0, &clip, C_SELECTED | C_CROSSED, 1), 1);
    EXPECT_EQ(p.c[3].ob_state, C_SELECTED | C_CROSSED);
    EXPECT_EQ(getpixel(screen, 40, 72), 0);  // the white cross on the inverted fill
    EXPECT_EQ(getpixel(screen, 41, 71), 1);
    EXPECT_EQ(getpixel(screen, 50, 83), 0);                              // outside the clip
    EXPECT_EQ(gemc_objc_change(p.c.data(), 3, 0, 0, 0, 0, 0, 0, 0), 1);  // no redraw
    EXPECT_EQ(p.c[3].ob_state, 0);
    EXPECT_EQ(getpixel(screen, 41, 71), 1);
    EXPECT_EQ(gemc_objc_change(p.c.data(), 9, 0, 0, 0, 0, 0, 1, 0), 0);
}

TEST_F(ClassicCalls, FindOffsetAndLinksOnTheClassicTree)
{
    Pair p = dialog(30, 40);
    int x = 0;
    long y = 0;
    EXPECT_EQ(gemc_objc_offset(p.c.data(), 2, GEMC_REF(&x), GEMC_REF(&y)), 1);
    EXPECT_EQ(x, 90);
    EXPECT_EQ(y, 80);
    EXPECT_EQ(gemc_objc_find(p.c.data(), 0, 8, 95, 85), 2);
    EXPECT_EQ(gemc_objc_order(p.c.data(), 3, 0), 1);
    EXPECT_EQ(p.c[0].ob_head, 3);
    EXPECT_EQ(p.c[3].ob_next, 1);
    EXPECT_EQ(gemc_objc_delete(p.c.data(), 2), 1);
    EXPECT_EQ(p.c[0].ob_tail, 1);
    EXPECT_EQ(gemc_objc_add(p.c.data(), 0, 2), 1);
    EXPECT_EQ(p.c[0].ob_tail, 2);
    EXPECT_EQ(p.c[2].ob_next, 0);
}

TEST_F(ClassicCalls, FormCenterMovesTheRootAndFormDialPutsTheScreenBack)
{
    Pair p = dialog(0, 0);
    short x, y, w, h;
    EXPECT_EQ(gemc_form_center(p.c.data(), GEMC_REF(&x), GEMC_REF(&y), GEMC_REF(&w), GEMC_REF(&h)),
              1);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 70);
    EXPECT_EQ(p.c[0].ob_x, 100);
    const int open = _rno;
    const auto before = headless::screen_pixels();
    p.c[0].ob_state = 0x10;  // OUTLINED, as dialogs are
    gemc_form_dial(0, 0, 0, 0, 0, x, y, w, h);
    gemc_form_dial(1, 0, 0, 0, 0, x, y, w, h);
    const int areas = _rno;
    gemc_objc_draw(p.c.data(), 0, 8, x - 3, y - 3, w + 6, h + 6);
    EXPECT_EQ(getpixel(screen, x - 3, y), 1);
    gemc_form_dial(2, 0, 0, 0, 0, x, y, w, h);
    EXPECT_EQ(_rno, areas);  // growing and shrinking save nothing
    gemc_form_dial(3, 0, 0, 0, 0, x, y, w, h);
    EXPECT_EQ(_rno, open);
    EXPECT_EQ(headless::screen_pixels(), before);  // the outline too
}

TEST_F(ClassicCalls, EditAndKeybdSpeakClassicKeyCodes)
{
    char text[5] = "";
    GEMC_TEDINFO t = ted(text, "____", "XXXX");
    auto c = family(classic(20, 0x000111F0, 10, 10, 100, 40),
                    {classic(29, (long)&t, 8, 8, 32, 8, 0x0008),
                     classic(26, (long)"OK", 50, 20, 30, 10, 0x07)});
    int idx = -1;
    EXPECT_EQ(gemc_objc_edit(c.data(), 1, 0, GEMC_REF(&idx), 1), 1);
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(gemc_objc_edit(c.data(), 1, 0x1E61, GEMC_REF(&idx), 2), 1);  // 'a' on its key
    EXPECT_EQ(gemc_objc_edit(c.data(), 1, 0x0E08, GEMC_REF(&idx), 2), 1);  // backspace
    EXPECT_EQ(gemc_objc_edit(c.data(), 1, 0x3062, GEMC_REF(&idx), 2), 1);  // 'b'
    EXPECT_STREQ(text, "b");
    EXPECT_EQ(idx, 1);
    short next = 0, key = 0;
    EXPECT_EQ(gemc_form_keybd(c.data(), 1, 0, 0x1E61, GEMC_REF(&next), GEMC_REF(&key)), 1);
    EXPECT_EQ(key, 0x1E61);
    EXPECT_EQ(gemc_form_keybd(c.data(), 1, 0, 0x1C0D, GEMC_REF(&next), GEMC_REF(&key)), 0);
    EXPECT_EQ(next, 2);
    EXPECT_EQ(c[2].ob_state, C_SELECTED);
    EXPECT_EQ(gemc_form_keybd(nullptr, 1, 0, 0x1C0D, GEMC_REF(&next), GEMC_REF(&key)), 1);
}

TEST_F(ClassicCalls, MenuCallsSetClassicStates)
{
    char item[] = "  Item  ", other[] = "  Other ";
    auto c = family(classic(25, 0), {classic(28, (long)item), classic(28, (long)other)});
    EXPECT_EQ(gemc_menu_icheck(c.data(), 1, 1), 1);
    EXPECT_EQ(gemc_menu_ienable(c.data(), 2, 0), 1);
    EXPECT_EQ(c[1].ob_state, C_CHECKED);
    EXPECT_EQ(c[2].ob_state, C_DISABLED);
    EXPECT_EQ(gemc_menu_text(c.data(), 1, "  New  "), 1);
    EXPECT_STREQ((const char *)c[1].ob_spec, "  New   ");
    EXPECT_EQ(gemc_menu_bar(nullptr, 0), 1);
    EXPECT_EQ(gemc_menu_bar(nullptr, 1), 0);
}

struct Seen {
    GEMC_OBJECT *tree = nullptr;
    int obj = -1, state = -1;
    long parm = 0;
} seen;

int routine(GEMC_PARMBLK *pb)
{
    seen = {pb->pb_tree, pb->pb_obj, pb->pb_currstate, pb->pb_parm};
    return 0;
}

TEST_F(ClassicCalls, UserRoutineGetsTheClassicTree)
{
    GEMC_USERBLK user = {(long)routine, 1234};
    auto c =
        family(classic(20, 0x000111F0, 10, 10, 100, 40), {classic(24, (long)&user, 8, 8, 20, 20)});
    c[1].ob_state = C_CHECKED;
    seen = Seen{};
    gemc_objc_draw(c.data(), 0, 8, 0, 0, 320, 200);
    EXPECT_EQ(seen.tree, c.data());
    EXPECT_EQ(seen.obj, 1);
    EXPECT_EQ(seen.state, C_CHECKED);
    EXPECT_EQ(seen.parm, 1234);
}

TEST_F(ClassicCalls, ObfixUsesTheCharacterCell)
{
    GEMC_OBJECT c[2] = {classic(20, 0, 0x0201, 0x0003, 10, 2), classic(20, 0, 1, 1, 1, 1)};
    EXPECT_EQ(gemc_rsrc_obfix(c, 1), 1);  // beyond the first tree's end, as .RSH arrays are
    EXPECT_EQ(gemc_rsrc_obfix(c, 0), 1);
    EXPECT_EQ(c[0].ob_x, 8 + 2);
    EXPECT_EQ(c[0].ob_y, 24);
    EXPECT_EQ(c[0].ob_width, 80);
    EXPECT_EQ(c[1].ob_height, 8);
    EXPECT_EQ(gemc_rsrc_obfix(nullptr, 0), 0);
    EXPECT_EQ(gemc_rsrc_obfix(c, -1), 0);
}

}  // namespace
