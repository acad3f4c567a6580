// objc_edit: the text a sequence of keys leaves in a field, the cursor
// position it reports, and where the cursor shows. A classic formatted
// field's cursor is found as the one column the call XORs over the field:
// the screen with it, against the screen after ED_END.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

constexpr int FIELD_X = 20, FIELD_Y = 30, FIELD_H = 8;  // where the field is drawn
const std::string TIME = "__:__:__ _M";

class ObjcEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, 7);
    }

    // A box at (10, 20) holding one field at (20, 30), drawn.
    OBJECT *dialog(int type, int xflags, const std::string &tmplt, int valid,
                   const std::string &text, int width, int txtlen = 0, int flags = 0, int just = 0)
    {
        tmplt_ = tmplt;
        text_.assign(300, '\0');
        text_.replace(0, text.size(), text);
        ted_ = {&text_[0], &tmplt_[0], (short)valid, (short)txtlen};
        tree_ = {make(OT_BOX, 10, 20, 200, 100),
                 make(type, 10, 10, width, FIELD_H, flags, (long)&ted_)};
        tree_[1].ob_xflags = (unsigned short)xflags;
        tree_[1].ob_just = (unsigned char)just;
        adopt(tree_, 0, {1});
        finish(tree_);
        objc_draw(tree_.data(), 0, 8, 0, 0, 0, 0);
        return tree_.data();
    }

    std::string text() const { return text_.c_str(); }

    // The column the cursor XORs over the field's whole height, or -1 when
    // the screens differ in any other way. The cursor is gone after.
    int cursor_column()
    {
        const std::vector<unsigned char> with = headless::screen_pixels();
        objc_edit(tree_.data(), 1, 0, nullptr, ED_END);
        const std::vector<unsigned char> without = headless::screen_pixels();
        int column = -1, count = 0;
        for (size_t i = 0; i < with.size(); i++) {
            if (with[i] == without[i])
                continue;
            const int x = (int)i % screen->w, y = (int)i / screen->w;
            if ((with[i] ^ 1) != without[i] || y < FIELD_Y || y >= FIELD_Y + FIELD_H ||
                (column >= 0 && x != column))
                return -1;
            column = x;
            count++;
        }
        return count == FIELD_H ? column : -1;
    }

    std::vector<OBJECT> tree_;

private:
    std::string tmplt_, text_;
    TEDINFO ted_;
};

struct KeysCase {
    const char *name;
    std::string tmplt;
    int valid, txtlen;
    std::string initial;
    std::vector<int> keys;
    std::string text;
    short index;
    int column;  // in the template
};

TEST_F(ObjcEdit, ClassicFieldsHoldTheTypedCharactersAndShowTheCursorPastTheLiterals)
{
    const std::vector<int> typed_time = {'1', '0', '3', '0', '0', '0', 'A'};
    const KeysCase cases[] = {
        {"a time typed", TIME, 'X', 0, "", typed_time, "103000A", 7, 10},
        {"cursor after two", TIME, 'X', 0, "10", {}, "10", 2, 3},
        {"arrows pass the literal", TIME, 'X', 0, "1030", {K_LEFT, K_LEFT}, "1030", 2, 3},
        {"right stops at the end", TIME, 'X', 0, "1", {K_RIGHT, K_RIGHT}, "1", 1, 1},
        {"backspace", TIME, 'X', 0, "1234", {K_LEFT, K_BACKSPACE}, "124", 2, 3},
        {"digits only", TIME, '9', 0, "", {'1', 'a', '2'}, "12", 2, 3},
        {"full: the last replaced", "____", 'X', 0, "abcd", {'x'}, "abcx", 4, 4},
        {"escape empties", "____", 'X', 0, "ab", {27, 'c'}, "c", 1, 1},
        {"the buffer's size bounds", "____", 'X', 3, "", {'a', 'b', 'c'}, "ac", 2, 2},
        {"a prefix of literals", "Time: __:__", 'X', 0, "", {'1', '2'}, "12", 2, 9},
        {"moves are not edits", "____", 'X', 0, "ab", {9, K_RETURN, K_UP, K_DOWN}, "ab", 2, 2},
    };
    for (const KeysCase &c : cases) {
        SCOPED_TRACE(c.name);
        OBJECT *tree = dialog(OT_FBOXTEXT, OX_EDITABLE, c.tmplt, c.valid, c.initial, 150, c.txtlen);
        short index = -5;
        ASSERT_EQ(1, objc_edit(tree, 1, 0, &index, ED_INIT));
        EXPECT_EQ((short)c.initial.size(), index);
        for (int k : c.keys)
            ASSERT_EQ(1, objc_edit(tree, 1, k, &index, ED_CHAR));
        EXPECT_EQ(c.text, text());
        EXPECT_EQ(c.index, index);
        EXPECT_EQ(FIELD_X + 8 * c.column, cursor_column());
        EXPECT_FALSE(tree[1].ob_flags & OF_SELECTED) << "the field is not inverted";
    }
}

TEST_F(ObjcEdit, TheCursorFollowsTheTextsPlacement)
{
    struct Case {
        const char *name;
        int type, flags, just, width;
        std::string tmplt, text;
        int x;
    };
    const Case cases[] = {
        {"left", OT_FBOXTEXT, 0, TE_LEFT, 120, TIME, "10", FIELD_X + 24},
        {"right", OT_FBOXTEXT, 0, TE_RIGHT, 120, TIME, "10", FIELD_X + 32 + 24},
        {"centred", OT_FBOXTEXT, 0, TE_CNTR, 120, TIME, "10", FIELD_X + 16 + 24},
        {"framed text centred", OT_FTEXT, OF_FRAMED, TE_LEFT, 120, TIME, "10", FIELD_X + 16 + 24},
        {"formatted text ignores ob_just", OT_FTEXT, 0, TE_RIGHT, 120, TIME, "", FIELD_X},
        {"past the edge: on the last column", OT_FBOXTEXT, 0, TE_LEFT, 32, "____", "abcd",
         FIELD_X + 31},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OBJECT *tree =
            dialog(c.type, OX_EDITABLE, c.tmplt, 'X', c.text, c.width, 0, c.flags, c.just);
        short index;
        objc_edit(tree, 1, 0, &index, ED_INIT);
        EXPECT_EQ(c.x, cursor_column());
    }
}

TEST_F(ObjcEdit, EndLeavesTheScreenAsItWasAndStartDrawsNothing)
{
    OBJECT *tree = dialog(OT_FTEXT, OX_EDITABLE, TIME, 'X', "12", 100);
    const std::vector<unsigned char> drawn = headless::screen_pixels();
    short index = 1;
    EXPECT_EQ(1, objc_edit(tree, 1, 0, &index, ED_START));
    EXPECT_EQ(1, index);
    EXPECT_EQ(drawn, headless::screen_pixels());
    objc_edit(tree, 1, 0, &index, ED_INIT);
    EXPECT_NE(drawn, headless::screen_pixels());
    EXPECT_EQ(1, objc_edit(tree, 1, 0, &index, ED_END));
    EXPECT_EQ(drawn, headless::screen_pixels());
}

TEST_F(ObjcEdit, AnIndirectSpecIsFollowed)
{
    OBJECT *tree = dialog(OT_FBOXTEXT, OX_EDITABLE, "____", 'X', "a", 100);
    long spec = tree[1].ob_spec;
    tree[1].ob_spec = (long)&spec;
    tree[1].ob_xflags |= OX_INDIRECT;
    short index = 1;
    ASSERT_EQ(1, objc_edit(tree, 1, 'b', &index, ED_CHAR));
    EXPECT_EQ("ab", text());
}

TEST_F(ObjcEdit, TheLayersOwnFieldsKeepTheirCursorMechanism)
{
    OBJECT *tree = dialog(OT_EDTEXT, 0, "____", 'X', "ab", 32);
    short index = 0;
    ASSERT_EQ(1, objc_edit(tree, 1, 0, &index, ED_INIT));
    EXPECT_EQ(2, index);
    EXPECT_TRUE(tree[1].ob_flags & OF_SELECTED);
    EXPECT_EQ(FIELD_X + 16, _cursepx[0]);
    index = 1;
    ASSERT_EQ(1, objc_edit(tree, 1, 'x', &index, ED_CHAR));
    EXPECT_EQ("axb", text());
    EXPECT_EQ(2, index);
    EXPECT_EQ(2, _curpos);
    EXPECT_EQ(FIELD_X + 16, _cursepx[0]);
    ASSERT_EQ(1, objc_edit(tree, 1, 0, &index, ED_END));
    EXPECT_FALSE(tree[1].ob_flags & OF_SELECTED);
    const std::vector<unsigned char> ended = headless::screen_pixels();
    objc_draw(tree, 0, 8, 0, 0, 0, 0);
    EXPECT_EQ(ended, headless::screen_pixels()) << "no cursor left";
}

TEST_F(ObjcEdit, RefusesWhatIsNoFieldToEdit)
{
    TEDINFO no_text = {nullptr, (char *)"___", 'X', 0};
    struct Case {
        const char *name;
        int type, xflags;
        TEDINFO *ted;  // null: the dialog's own
        int obj, kind;
        bool null_tree, null_index;
    };
    const Case cases[] = {
        {"null tree", OT_FBOXTEXT, OX_EDITABLE, nullptr, 1, ED_INIT, true, false},
        {"negative index", OT_FBOXTEXT, OX_EDITABLE, nullptr, -1, ED_INIT, false, false},
        {"past the last", OT_FBOXTEXT, OX_EDITABLE, nullptr, 2, ED_INIT, false, false},
        {"a string", OT_STRING, OX_EDITABLE, nullptr, 1, ED_INIT, false, false},
        {"formatted, not editable", OT_FTEXT, 0, nullptr, 1, ED_INIT, false, false},
        {"boxed, not editable", OT_FBOXTEXT, 0, nullptr, 1, ED_CHAR, false, false},
        {"no text", OT_FBOXTEXT, OX_EDITABLE, &no_text, 1, ED_INIT, false, false},
        {"inline spec", OT_FBOXTEXT, OX_EDITABLE | OX_INLINE, nullptr, 1, ED_INIT, false, false},
        {"own type, inline spec", OT_EDTEXT, OX_INLINE, nullptr, 1, ED_INIT, false, false},
        {"unknown kind", OT_FBOXTEXT, OX_EDITABLE, nullptr, 1, 4, false, false},
        {"no index to set", OT_FBOXTEXT, OX_EDITABLE, nullptr, 1, ED_INIT, false, true},
        {"no index to read", OT_EDTEXT, 0, nullptr, 1, ED_CHAR, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        OBJECT *tree = dialog(c.type, c.xflags, "____", 'X', "ab", 32);
        if (c.ted)
            tree[1].ob_spec = (long)c.ted;
        const std::vector<unsigned char> drawn = headless::screen_pixels();
        short index = 1;
        EXPECT_EQ(0, objc_edit(c.null_tree ? nullptr : tree, c.obj, 'z',
                               c.null_index ? nullptr : &index, c.kind));
        EXPECT_EQ("ab", text());
        EXPECT_EQ(1, index);
        EXPECT_EQ(drawn, headless::screen_pixels());
    }
    OBJECT *tree = dialog(OT_FBOXTEXT, OX_EDITABLE, "____", 'X', "ab", 32);
    tree[1].ob_spec = 0;
    short index;
    EXPECT_EQ(0, objc_edit(tree, 1, 0, &index, ED_INIT)) << "no TEDINFO";
}

}  // namespace
