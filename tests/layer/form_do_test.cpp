// The dialog loop with scripted keys and mouse: text editing, Return and the
// default object, Tab, clicks, the hit-testing origin and the pointer
// shapes.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::finish;
using objc_test::make;

// Special keys in the key strings of the cases below.
constexpr char LEFT = '\1', RIGHT = '\2', BACKSPACE = '\3', DELETE = '\4', ESC = '\5', FKEY = '\6',
               NOCHAR = '\7';

void type(const std::string &keys)
{
    for (char c : keys) {
        switch (c) {
        case LEFT: headless::key(KEY_LEFT, 0); break;
        case RIGHT: headless::key(KEY_RIGHT, 0); break;
        case BACKSPACE: headless::key(KEY_BACKSPACE, 8); break;
        case DELETE: headless::key(KEY_DEL, 127); break;
        case ESC: headless::key(KEY_ESC, 27); break;
        case FKEY: headless::key(KEY_F1, 0); break;
        case NOCHAR: headless::key(KEY_HOME, 0); break;
        case '\t': headless::key(KEY_TAB, 9); break;
        case '\r': headless::key(KEY_ENTER, 13); break;
        default: headless::key(0, c); break;
        }
    }
}

// A dialog of the test's own: a box at (10, 20), 200 x 100, whose objects
// the test adds; editable fields own their texts.
class Dialog {
public:
    Dialog() { tree.push_back(make(OT_BOX, 10, 20, 200, 100)); }

    int field(int type, const std::string &tmplt, int valid, const std::string &text, int x = 10,
              int y = 10, int txtlen = 0, int flags = 0)
    {
        Field &f = fields.emplace_back();
        f.tmplt = tmplt;
        f.text.assign(512, '\0');
        f.text.replace(0, text.size(), text);
        f.ted = {&f.text[0], &f.tmplt[0], (short)valid, (short)txtlen};
        tree.push_back(make(type, x, y, 8 * (int)tmplt.size(), 8, flags, (long)&f.ted));
        return (int)tree.size() - 1;
    }

    int button(int x, int y, int w, int h, int flags)
    {
        tree.push_back(make(OT_STRING, x, y, w, h, flags, (long)"OK"));
        return (int)tree.size() - 1;
    }

    std::string text(int i) const { return ((const TEDINFO *)tree[i].ob_spec)->te_ptext; }

    // Links every object under the root, frames the box, draws it and runs
    // form_do; `frame` false runs it with no saved area open.
    int run(int start = 0, bool frame = true)
    {
        const int last = (int)tree.size() - 1;
        tree[0].ob_head = 1;
        tree[0].ob_tail = (short)last;
        for (int i = 1; i <= last; i++)
            tree[i].ob_next = (short)(i < last ? i + 1 : 0);
        finish(tree);
        const OBJECT &r = tree[0];
        if (frame)
            form_dial(0, 0, 0, 0, 0, r.ob_x, r.ob_y, r.ob_width, r.ob_height);
        objc_draw(tree.data(), 0, 8, 0, 0, 0, 0);
        const int result = form_do(tree.data(), start);
        if (frame)
            form_dial(3, 0, 0, 0, 0, r.ob_x, r.ob_y, r.ob_width, r.ob_height);
        return result;
    }

    std::vector<OBJECT> tree;

private:
    struct Field {
        std::string tmplt, text;
        TEDINFO ted;
    };
    std::deque<Field> fields;  // stable addresses for the TEDINFOs
};

class FormDo : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        graf_mouse(ARROW, NULL);
    }
    void TearDown() override { headless::clear_script(); }
};

struct EditCase {
    const char *name;
    int type;
    std::string tmplt;
    int valid;
    int txtlen;
    std::string initial, keys, text;
    int cursor;
};

const std::string U3 = "___", U4 = "____";

TEST_F(FormDo, KeysEditTheFieldAsTheKeyTableSays)
{
    const EditCase cases[] = {
        {"full field, cursor at 1", OT_EDTEXT, U3, 'X', 0, "abc", {LEFT, LEFT, 'x'}, "axb", 2},
        {"full field, cursor at its end", OT_EDTEXT, U3, 'X', 0, "abc", "x", "abx", 3},
        {"insert into a field with room", OT_EDTEXT, U4, 'X', 0, "ac", {LEFT, 'b'}, "abc", 2},
        {"delete at 0", OT_EDTEXT, U3, 'X', 0, "abc", {LEFT, LEFT, LEFT, DELETE}, "abc", 0},
        {"delete at 2", OT_EDTEXT, U3, 'X', 0, "abc", {LEFT, DELETE}, "ac", 1},
        {"backspace as delete", OT_EDTEXT, U3, 'X', 0, "abc", {LEFT, BACKSPACE}, "ac", 1},
        {"escape empties", OT_EDTEXT, U3, 'X', 0, "abc", {ESC, 'x', 'y'}, "xy", 2},
        {"digits, a minus first", OT_EDTEXT, U4, '9', 0, "", "-1a2-", "-12", 3},
        {"a minus at 0 only", OT_EDTEXT, U4, '9', 0, "5", {LEFT, '-'}, "-5", 1},
        {"hex digits", OT_EDTEXT, "______", 'A', 0, "", "0fAgZ9", "0fA9", 4},
        {"anything", OT_EDTEXT, U4, 'x', 0, "", "a-9?", "a-9?", 4},
        {"no placeholders", OT_EDTEXT, "Name: ", 'X', 0, "", "abc", "", 0},
        {"literals do not count", OT_EDTEXT, "Input: ___", 'X', 0, "", "abcd", "abd", 3},
        {"cursor stays on the text",
         OT_EDTEXT,
         U3,
         'X',
         0,
         "ab",
         {RIGHT, RIGHT, LEFT, LEFT, LEFT, LEFT, 'z'},
         "zab",
         1},
        {"keys without characters", OT_EDTEXT, U3, 'X', 0, "ab", {FKEY, NOCHAR}, "ab", 2},
        {"text longer than the field, middle",
         OT_EDTEXT,
         U3,
         'X',
         0,
         "abcdef",
         {LEFT, LEFT, LEFT, LEFT, LEFT, 'x'},
         "axbcde",
         2},
        {"text longer than the field, end", OT_EDTEXT, U3, 'X', 0, "abcdef", "x", "abcdex", 6},
        {"scroll text of 128 bytes", OT_SCROLLTEXT, std::string(38, '_'), 'X', 128, "",
         std::string(130, 'a'), std::string(127, 'a'), 127},
        {"scroll text without a size", OT_SCROLLTEXT, U3, 'X', 0, "", "abc", "", 0},
        {"at most 255 whatever the template", OT_EDTEXT, std::string(300, '_'), 'X', 0, "",
         std::string(300, 'b'), std::string(255, 'b'), 255},
    };
    for (const EditCase &c : cases) {
        SCOPED_TRACE(c.name);
        Dialog d;
        const int f = d.field(c.type, c.tmplt, c.valid, c.initial, 10, 10, c.txtlen);
        const int ok = d.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
        type(c.keys + "\r");
        EXPECT_EQ(d.run(), ok);
        EXPECT_EQ(d.text(f), c.text);
        EXPECT_EQ(_curpos, c.cursor);
        EXPECT_FALSE(d.tree[f].ob_flags & OF_SELECTED);
        EXPECT_TRUE(d.tree[ok].ob_flags & OF_SELECTED);
    }
}

TEST_F(FormDo, ReturnEndsWithTheDefaultObjectOnlyWhenThereIsOne)
{
    Dialog d;
    const int exit = d.button(10, 50, 30, 12, OF_EXIT);
    const int def = d.button(100, 50, 30, 12, OF_EXIT | OF_DEFAULT);
    type("\r");
    EXPECT_EQ(d.run(), def);
    EXPECT_FALSE(d.tree[exit].ob_flags & OF_SELECTED);

    Dialog none;
    const int only = none.button(10, 50, 30, 12, OF_EXIT);
    type("\r\r");
    headless::click(40, 10 + 15, 20 + 55);
    EXPECT_EQ(none.run(), only);
    EXPECT_GE(headless::idles(), 42);  // Return did not end it; the click did
}

TEST_F(FormDo, TabMovesToTheNextShownFieldAndWrapsAfterTheLastObject)
{
    Dialog d;
    const int a = d.field(OT_EDTEXT, U4, 'X', "", 10, 10);
    const int hidden = d.field(OT_EDTEXT, U4, 'X', "", 10, 20, 0, OF_HIDDEN);
    const int b = d.field(OT_EDTEXT, U4, 'X', "", 10, 30);
    d.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
    type("1\t2\t3\r");
    d.run();
    EXPECT_EQ(d.text(a), "13");
    EXPECT_EQ(d.text(hidden), "");
    EXPECT_EQ(d.text(b), "2");

    // With no other shown field, Tab stays where it is.
    Dialog one;
    const int f = one.field(OT_EDTEXT, U4, 'X', "", 10, 10);
    one.field(OT_EDTEXT, U4, 'X', "", 10, 20, 0, OF_HIDDEN);
    one.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
    type("x\ty\r");
    one.run();
    EXPECT_EQ(one.text(f), "xy");
}

TEST_F(FormDo, StartAndClicksChooseTheFieldAndTheCursorGoesToItsEnd)
{
    Dialog d;
    const int a = d.field(OT_EDTEXT, U4, 'X', "a", 10, 10);
    const int b = d.field(OT_EDTEXT, U4, 'X', "bb", 10, 30);
    d.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
    type("1");
    // A click on field a (drawn from (20, 30), hit one pixel up and left).
    headless::click(5, 10 + 10 + 4, 20 + 10 + 2);
    headless::after(20, [] { type("2\r"); });
    d.run(b);
    EXPECT_EQ(d.text(b), "bb1");
    EXPECT_EQ(d.text(a), "a2");

    // A start that names no editable object takes the first field.
    Dialog s;
    const int first = s.field(OT_EDTEXT, U4, 'X', "", 10, 10);
    const int ok = s.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
    type("q\r");
    s.run(ok);
    EXPECT_EQ(s.text(first), "q");
}

TEST_F(FormDo, FieldsWithoutTextAreNotEdited)
{
    Dialog d;
    d.tree.push_back(make(OT_EDTEXT, 10, 10, 32, 8));  // no TEDINFO at all
    TEDINFO empty = {nullptr, (char *)"____", 'X', 0};
    d.tree.push_back(make(OT_EDTEXT, 10, 20, 32, 8, 0, (long)&empty));
    const int f = d.field(OT_EDTEXT, U4, 'X', "", 10, 30);
    const int ok = d.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
    type("ab\tc\r");
    EXPECT_EQ(d.run(), ok);
    EXPECT_EQ(d.text(f), "abc");
}

struct HitCase {
    int x, y;
    bool hit;
};

TEST_F(FormDo, HitAreasLieOnePixelLeftOfAndAboveTheDrawnObjects)
{
    // The button is drawn over columns 50..59 and rows 80..87. With no
    // saved area open, positions count from the screen's corner instead of
    // the box's, so its hit area is where it would be in a box at (0, 0).
    const HitCase framed[] = {
        {49, 79, true}, {58, 86, true}, {59, 80, false}, {50, 87, false}, {48, 82, false}};
    const HitCase unframed[] = {{40, 60, true}, {49, 67, true}, {50, 60, false}, {39, 60, false}};
    for (bool frame : {true, false}) {
        for (const HitCase &c :
             frame ? std::vector<HitCase>(std::begin(framed), std::end(framed))
                   : std::vector<HitCase>(std::begin(unframed), std::end(unframed))) {
            SCOPED_TRACE(testing::Message() << c.x << "," << c.y << (frame ? " framed" : ""));
            Dialog d;
            const int button = d.button(40, 60, 10, 8, OF_EXIT);
            const int def = d.button(150, 10, 10, 8, OF_EXIT | OF_DEFAULT);
            headless::click(2, c.x, c.y);
            headless::after(20, [] { type("\r"); });
            EXPECT_EQ(d.run(0, frame), c.hit ? button : def);
        }
    }
}

TEST_F(FormDo, RightButtonEndsTheDialogLikeTheLeft)
{
    Dialog d;
    const int button = d.button(40, 60, 10, 8, OF_EXIT);
    headless::click(2, 52, 82, 2);
    EXPECT_EQ(d.run(), button);
}

TEST_F(FormDo, PointerShowsTheTextCursorOverFieldsAndComesBackOnReturn)
{
    graf_mouse(POINT_HAND, NULL);
    Dialog d;
    d.field(OT_EDTEXT, U4, 'X', "", 10, 10);
    d.button(100, 80, 30, 12, OF_EXIT | OF_DEFAULT);
    std::vector<int> shapes;
    auto sample = [&] { shapes.push_back(_mshape); };
    headless::after(2, [] { headless::mouse(22, 31, 0); });  // on the field
    headless::after(5, sample);
    headless::after(8, [] { headless::mouse(150, 100, 0); });  // on the box
    headless::after(11, sample);
    headless::after(14, [] { headless::mouse(400, 400, 0); });  // off the dialog
    headless::after(17, sample);
    headless::after(20, [] { type("\r"); });
    d.run();
    EXPECT_EQ(shapes, (std::vector<int>{TEXT_CRSR, ARROW, ARROW}));
    EXPECT_EQ(_mshape, POINT_HAND);
}

}  // namespace
