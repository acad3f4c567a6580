// Classic dialogs: form_do with selectable, radio, touch-exit and watched
// exit buttons and classic fields; form_keybd and form_button one call at a
// time; and a program's own loop over evnt_multi, form_keybd, form_button
// and objc_edit. Buttons are boxes filled 0, so a selected one shows 1.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::finish;
using objc_test::make;

// A key as the keyboard gives it, from a layer key code.
void press_key(int code)
{
    switch (code) {
    case K_UP: headless::key(KEY_UP, 0); break;
    case K_DOWN: headless::key(KEY_DOWN, 0); break;
    case '\t': headless::key(KEY_TAB, 9); break;
    case '\r': headless::key(KEY_ENTER, 13); break;
    default: headless::key(0, code); break;
    }
}

void type(const std::vector<int> &codes)
{
    for (int c : codes)
        press_key(c);
}

// A dialog box at (10, 20), 200 x 100, with objects added as children of
// the root or of another object; drawn in a saved area by run(), which it
// leaves open until the dialog goes.
class Classic {
public:
    Classic() { tree.push_back(make(OT_BOX, 10, 20, 200, 100)); }
    ~Classic() { headless::close_dialogs(); }

    int button(int x, int y, int flags, int xflags, int parent = 0)
    {
        OBJECT o = make(OT_BOX, x, y, 20, 10, flags);
        o.ob_xflags = (unsigned short)xflags;
        return add(o, parent);
    }

    int field(int type, int xflags, const std::string &tmplt, const std::string &text, int x, int y,
              int flags = 0)
    {
        Field &f = fields_.emplace_back();
        f.tmplt = tmplt;
        f.text.assign(64, '\0');
        f.text.replace(0, text.size(), text);
        f.ted = {&f.text[0], &f.tmplt[0], 'X', 0};
        OBJECT o = make(type, x, y, 8 * (int)tmplt.size(), 8, flags, (long)&f.ted);
        o.ob_xflags = (unsigned short)xflags;
        return add(o, 0);
    }

    std::string text(int i) const { return ((const TEDINFO *)tree[i].ob_spec)->te_ptext; }
    bool selected(int i) const { return tree[i].ob_flags & OF_SELECTED; }

    // The middle of object i on the screen.
    int mx(int i) const { return offset(i).g_x + tree[i].ob_width / 2; }
    int my(int i) const { return offset(i).g_y + tree[i].ob_height / 2; }
    int shown(int i) const { return getpixel(screen, mx(i), my(i)); }

    OBJECT *ready()
    {
        finish(tree);
        const OBJECT &r = tree[0];
        form_dial(0, 0, 0, 0, 0, r.ob_x, r.ob_y, r.ob_width, r.ob_height);
        objc_draw(tree.data(), 0, 8, 0, 0, 0, 0);
        return tree.data();
    }

    int run(int start = 0) { return form_do(ready(), start); }

    std::vector<OBJECT> tree;

private:
    // Objects are added in order, each the last child of its parent.
    int add(OBJECT o, int parent)
    {
        tree.push_back(o);
        const short i = (short)(tree.size() - 1);
        OBJECT &p = tree[parent];
        if (p.ob_head == NIL)
            p.ob_head = i;
        else
            tree[p.ob_tail].ob_next = i;
        p.ob_tail = i;
        tree[i].ob_next = (short)parent;
        return i;
    }

    GRECT offset(int i) const
    {
        short x = 0, y = 0;
        objc_offset(const_cast<OBJECT *>(tree.data()), i, &x, &y);
        return {x, y, 0, 0};
    }

    struct Field {
        std::string tmplt, text;
        TEDINFO ted;
    };
    std::deque<Field> fields_;
};

constexpr int SELECTABLE = OX_SELECTABLE, RADIO = OX_SELECTABLE | OX_RBUTTON;

class FormClassic : public ::testing::Test {
protected:
    void SetUp() override { headless::start(0); }
    void TearDown() override { evnt_dclick(2, 1); }
};

TEST_F(FormClassic, RadioButtonsExcludeTheirSiblingsAndOthersToggle)
{
    Classic d;
    const int a = d.button(10, 10, OF_SELECTED, RADIO);
    const int b = d.button(40, 10, 0, RADIO);
    const int box = d.button(10, 40, 0, 0);
    d.tree[box].ob_width = 60;
    const int nested = d.button(5, 0, OF_SELECTED, RADIO, box);  // another parent
    const int on = d.button(100, 10, 0, SELECTABLE);
    const int off = d.button(130, 10, OF_SELECTED, SELECTABLE);
    const int disabled = d.button(160, 10, OF_DISABLED, SELECTABLE);
    const int ok = d.button(150, 80, OF_EXIT | OF_DEFAULT, 0);
    int t = 2;
    for (int i : {b, b, on, off, disabled})
        headless::click(t += 10, d.mx(i), d.my(i));
    headless::after(t + 10, [] { type({'\r'}); });
    EXPECT_EQ(ok, d.run());
    EXPECT_FALSE(d.selected(a));
    EXPECT_TRUE(d.selected(b));
    EXPECT_TRUE(d.selected(nested));
    EXPECT_TRUE(d.selected(on));
    EXPECT_FALSE(d.selected(off));
    EXPECT_FALSE(d.selected(disabled));
    EXPECT_EQ(
        (std::vector<int>{0, 1, 1, 1, 0}),
        (std::vector<int>{d.shown(a), d.shown(b), d.shown(nested), d.shown(on), d.shown(off)}));
}

TEST_F(FormClassic, TouchExitEndsAtThePressAndADoubleClickSetsTheTopBit)
{
    struct Case {
        int speed, gap;  // between the two presses; 0: one press
        bool selectable, twice;
    };
    const Case cases[] = {
        {2, 0, false, false},  {2, 20, false, true},   {2, 300, false, false},
        {0, 400, false, true}, {4, 200, false, false}, {2, 20, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "speed " << c.speed << ", gap " << c.gap);
        headless::clear_script();
        evnt_dclick(c.speed, 1);
        Classic d;
        const int t = d.button(50, 50, 0, OX_TOUCHEXIT | (c.selectable ? SELECTABLE : 0));
        headless::click(2, d.mx(t), d.my(t));
        if (c.gap)
            headless::click(2 + c.gap, d.mx(t), d.my(t));
        EXPECT_EQ(t | (c.twice ? 0x8000 : 0), d.run());
        EXPECT_EQ(c.selectable, d.selected(t));
    }
}

TEST_F(FormClassic, AnInfoBoxEndedByADoubleClickReportsIt)
{
    Classic d;
    const int t = d.button(50, 50, 0, OX_TOUCHEXIT | SELECTABLE);  // selected by the press
    finish(d.tree);
    // The box is centred on the 320 x 200 screen: its corner at (60, 50).
    headless::click(2, 60 + 60, 50 + 55);
    headless::click(12, 60 + 60, 50 + 55);
    EXPECT_EQ(t | 0x8000, form_infobox(d.tree.data()));
    EXPECT_FALSE(d.selected(t)) << "the box deselects the object the result names";
}

TEST_F(FormClassic, AKeyTypedWhileWaitingForASecondClickStaysForLater)
{
    Classic d;
    const int t = d.button(50, 50, 0, OX_TOUCHEXIT);
    headless::click(2, d.mx(t), d.my(t));
    headless::after(10, [] { type({'q'}); });
    EXPECT_EQ(t, d.run());
    EXPECT_EQ('q', evnt_keybd());
}

TEST_F(FormClassic, SelectableExitButtonsEndOnlyWhenReleasedOverThem)
{
    for (bool over : {true, false}) {
        SCOPED_TRACE(over ? "released over it" : "released off it");
        headless::clear_script();
        Classic d;
        const int x = d.button(50, 50, OF_EXIT, SELECTABLE);
        const int ok = d.button(150, 80, OF_EXIT | OF_DEFAULT, 0);
        std::vector<int> seen;
        auto sample = [&] { seen.push_back(d.shown(x)); };
        headless::after(2, [&] { headless::mouse(d.mx(x), d.my(x), 1); });
        headless::after(6, sample);
        headless::after(8, [] { headless::mouse(5, 5, 1); });
        headless::after(12, sample);
        headless::after(14, [&, over] { headless::mouse(over ? d.mx(x) : 5, d.my(x), 1); });
        headless::after(18, sample);
        headless::after(20, [&, over] { headless::mouse(over ? d.mx(x) : 5, d.my(x), 0); });
        headless::after(30, [] { type({'\r'}); });
        EXPECT_EQ(over ? x : ok, d.run());
        EXPECT_EQ((std::vector<int>{1, 0, over ? 1 : 0}), seen);
        EXPECT_EQ(over, d.selected(x));
    }
}

TEST_F(FormClassic, UpAndDownMoveBetweenFieldsOnlyInClassicDialogs)
{
    for (bool classic : {true, false}) {
        SCOPED_TRACE(classic ? "classic" : "one-byte model");
        Classic d;
        const int f1 = d.field(OT_EDTEXT, 0, "____", "", 10, 10);
        const int f2 = d.field(OT_EDTEXT, 0, "____", "", 10, 30);
        d.button(150, 80, OF_EXIT | OF_DEFAULT, classic ? SELECTABLE : 0);
        type({'a', K_DOWN, 'b', K_UP, 'c', '\r'});
        d.run();
        EXPECT_EQ(classic ? "ac" : "abc", d.text(f1));
        EXPECT_EQ(classic ? "b" : "", d.text(f2));
    }
}

TEST_F(FormClassic, ClassicFieldsAreEditedInTheLoopAndTheirCursorLeavesWithIt)
{
    Classic d;
    const int time = d.field(OT_FBOXTEXT, OX_EDITABLE, "__:__:__ _M", "", 10, 10);
    const int own = d.field(OT_EDTEXT, 0, "____", "", 10, 30);
    const int ok = d.button(150, 80, OF_EXIT | OF_DEFAULT, 0);
    type({'1', '0', '3', '0', '0', '0', 'A', 'M', '\t', 'x', 'y', '\t', '\r'});
    int shape = -1;
    headless::after(3, [&] { headless::mouse(d.mx(time), d.my(time), 0); });
    headless::after(6, [&] { shape = _mshape; });
    EXPECT_EQ(ok, d.run());
    EXPECT_EQ("103000M", d.text(time)) << "seven places: the last typed replaces the one before";
    EXPECT_EQ("xy", d.text(own));
    EXPECT_EQ(TEXT_CRSR, shape);
    const std::vector<unsigned char> ended = headless::screen_pixels();
    d.tree[ok].ob_flags &= (unsigned char)~OF_SELECTED;
    objc_draw(d.tree.data(), 0, 8, 0, 0, 0, 0);
    EXPECT_EQ(ended, headless::screen_pixels()) << "no cursor left on the screen";
}

TEST_F(FormClassic, PressesOffTheDialogOrWithTheRightButtonLeaveClassicButtonsAlone)
{
    Classic d;
    const int c = d.button(50, 50, 0, SELECTABLE);
    const int t = d.button(80, 50, 0, OX_TOUCHEXIT);
    const int ok = d.button(150, 80, OF_EXIT | OF_DEFAULT, 0);
    headless::after(2, [&] { headless::mouse(d.mx(c), d.my(c), 0); });
    headless::click(5, 300, 190);  // off the dialog, the box last under the pointer
    headless::click(15, d.mx(c), d.my(c), 2);
    headless::click(25, d.mx(t), d.my(t), 2);
    headless::after(40, [] { type({'\r'}); });
    EXPECT_EQ(ok, d.run());
    EXPECT_FALSE(d.selected(c));
}

TEST_F(FormClassic, FormKeybdMovesBetweenFieldsHandsKeysBackAndEndsOnReturn)
{
    struct Case {
        const char *name;
        int obj, key;
        bool has_default;
        int result, next_obj, next_key;
    };
    // 1 and 4 are fields, 2 a box, 3 a hidden field, 5 the default.
    const Case cases[] = {
        {"tab", 1, '\t', true, 1, 4, 0},
        {"down", 1, K_DOWN, true, 1, 4, 0},
        {"tab wraps", 4, '\t', true, 1, 1, 0},
        {"up wraps", 1, K_UP, true, 1, 4, 0},
        {"up", 4, K_UP, true, 1, 1, 0},
        {"from no field", 0, '\t', true, 1, 1, 0},
        {"a character", 1, 'a', true, 1, 1, 'a'},
        {"an arrow", 1, K_LEFT, true, 1, 1, K_LEFT},
        {"return", 4, '\r', true, 0, 5, 0},
        {"return without a default", 4, '\r', false, 1, 4, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Classic d;
        d.field(OT_EDTEXT, 0, "____", "", 10, 10);
        d.button(10, 20, 0, 0);
        d.field(OT_FBOXTEXT, OX_EDITABLE, "____", "", 10, 30, OF_HIDDEN);
        d.field(OT_FBOXTEXT, OX_EDITABLE, "____", "", 10, 40);
        const int def = d.button(150, 80, OF_EXIT | (c.has_default ? OF_DEFAULT : 0), SELECTABLE);
        OBJECT *tree = d.ready();
        short next_obj = -7, next_key = -7;
        EXPECT_EQ(c.result, form_keybd(tree, c.obj, 0, c.key, &next_obj, &next_key));
        EXPECT_EQ(c.next_obj, next_obj);
        EXPECT_EQ(c.next_key, next_key);
        EXPECT_EQ(c.result == 0, d.selected(def));
        EXPECT_EQ(c.result == 0 ? 1 : 0, d.shown(def));
    }
    short next_obj, next_key;
    EXPECT_EQ(1, form_keybd(nullptr, 2, 0, 'a', &next_obj, &next_key));
    EXPECT_EQ(2, next_obj);
    EXPECT_EQ(0, next_key);
}

TEST_F(FormClassic, FormButtonHandlesOnePressAsTheDialogWould)
{
    struct Case {
        const char *name;
        int obj, clicks;
        bool pointer_over;
        int result, next_obj;
        std::vector<int> selected;  // afterwards
    };
    // 1 a plain box, 2 a field, 3 an exit of the one-byte model, 4 and 5
    // checkboxes (5 selected), 6 a disabled one, 7 and 8 touch-exit (8
    // selectable), 9 a selectable exit, 10 a disabled one, 12 and 13
    // radios in box 11 (12 selected), 14 a radio beside the box (selected).
    const Case cases[] = {
        {"plain", 1, 1, false, 1, 0, {5, 12, 14}},
        {"field", 2, 1, false, 1, 2, {5, 12, 14}},
        {"exit", 3, 1, false, 0, 3, {3, 5, 12, 14}},
        {"toggle on", 4, 1, false, 1, 0, {4, 5, 12, 14}},
        {"toggle off", 5, 1, false, 1, 0, {12, 14}},
        {"disabled", 6, 1, false, 1, 0, {5, 12, 14}},
        {"touch exit", 7, 1, false, 0, 7, {5, 12, 14}},
        {"touch exit twice", 7, 2, false, 0, (short)(7 | 0x8000), {5, 12, 14}},
        {"selectable touch exit", 8, 1, false, 0, 8, {5, 8, 12, 14}},
        {"watched, released over", 9, 1, true, 0, 9, {5, 9, 12, 14}},
        {"watched, released off", 9, 1, false, 1, 0, {5, 12, 14}},
        {"disabled exit", 10, 1, true, 1, 0, {5, 12, 14}},
        {"radio", 13, 1, false, 1, 0, {5, 13, 14}},
        {"radio already on", 12, 1, false, 1, 0, {5, 12, 14}},
        {"outside the tree", 15, 1, false, 1, 0, {5, 12, 14}},
        {"negative", -1, 1, false, 1, 0, {5, 12, 14}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Classic d;
        d.button(10, 10, 0, 0);
        d.field(OT_FBOXTEXT, OX_EDITABLE, "____", "", 40, 10);
        d.button(80, 10, OF_EXIT, 0);
        d.button(110, 10, 0, SELECTABLE);
        d.button(140, 10, OF_SELECTED, SELECTABLE);
        d.button(170, 10, OF_DISABLED, SELECTABLE);
        d.button(10, 30, 0, OX_TOUCHEXIT);
        d.button(40, 30, 0, OX_TOUCHEXIT | SELECTABLE);
        d.button(80, 30, OF_EXIT, SELECTABLE);
        d.button(110, 30, OF_EXIT | OF_DISABLED, SELECTABLE);
        const int box = d.button(10, 50, 0, 0);
        d.tree[box].ob_width = 60;
        d.button(5, 0, OF_SELECTED, RADIO, box);
        d.button(30, 0, 0, RADIO, box);
        d.button(110, 50, OF_SELECTED, RADIO);
        OBJECT *tree = d.ready();
        if (c.obj > 0 && c.obj < 15)
            headless::mouse(c.pointer_over ? d.mx(c.obj) : 0, c.pointer_over ? d.my(c.obj) : 0, 0);
        short next = -7;
        EXPECT_EQ(c.result, form_button(tree, c.obj, c.clicks, &next));
        EXPECT_EQ(c.next_obj, next);
        std::vector<int> selected;
        for (int i = 1; i < 15; i++) {
            if (d.selected(i))
                selected.push_back(i);
            if ((d.tree[i].ob_xflags & OX_SELECTABLE) && !(d.tree[i].ob_flags & OF_DISABLED)) {
                EXPECT_EQ(d.selected(i) ? 1 : 0, d.shown(i)) << i << " drawn as it is";
            }
        }
        EXPECT_EQ(c.selected, selected);
    }
    short next = -7;
    EXPECT_EQ(1, form_button(nullptr, 1, 1, &next));
    EXPECT_EQ(0, next);
}

// A program's own dialog loop, as classic programs write it.
int own_loop(OBJECT *tree, short next)
{
    short edit = 0, index = 0;
    int more = 1;
    while (more) {
        if (next && next != edit) {
            edit = next;
            next = 0;
            objc_edit(tree, edit, 0, &index, ED_INIT);
        }
        short mx, my, mb, ks, key, clicks;
        const int which = evnt_multi(MU_KEYBD | MU_BUTTON, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     nullptr, 0, 0, &mx, &my, &mb, &ks, &key, &clicks);
        if (which & MU_KEYBD) {
            more = form_keybd(tree, edit, next, key, &next, &key);
            if (key)
                objc_edit(tree, edit, key, &index, ED_CHAR);
        }
        if (which & MU_BUTTON) {
            next = (short)objc_find(tree, 0, 8, mx, my);
            if (next == NIL)
                next = 0;
            else
                more = form_button(tree, next, clicks, &next);
        }
        if (!more || (next && next != edit))
            objc_edit(tree, edit, 0, &index, ED_END);
    }
    return next;
}

TEST_F(FormClassic, AProgramsOwnLoopRunsTheDialogWithTheCalls)
{
    Classic d;
    const int time = d.field(OT_FBOXTEXT, OX_EDITABLE, "__:__", "", 10, 10);
    const int name = d.field(OT_FBOXTEXT, OX_EDITABLE, "Name: ______", "", 10, 30);
    const int a = d.button(10, 60, OF_SELECTED, RADIO);
    const int b = d.button(40, 60, 0, RADIO);
    const int ok = d.button(150, 80, OF_EXIT | OF_DEFAULT, SELECTABLE);
    OBJECT *tree = d.ready();
    type({'1', '2', '3', '\t', 'B', 'o'});
    headless::click(10, d.mx(b), d.my(b));
    headless::click(20, d.mx(time), d.my(time));
    headless::after(30, [] { type({'4', '\r'}); });
    EXPECT_EQ(ok, own_loop(tree, (short)time));
    EXPECT_EQ("1234", d.text(time));
    EXPECT_EQ("Bo", d.text(name));
    EXPECT_FALSE(d.selected(a));
    EXPECT_TRUE(d.selected(b));
    EXPECT_TRUE(d.selected(ok));
    EXPECT_EQ(1, d.shown(ok));
}

}  // namespace
