// What a program learns about applications and the AES (appl_find,
// appl_search, appl_getinfo), the names menu_register adds, and menu_text's
// bounds.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

// This test program is layer_tests: its classic name.
constexpr const char *OWN = "LAYER_TE";

class ApplInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        _appl_forget_names();
    }
    void TearDown() override { _appl_forget_names(); }
};

TEST_F(ApplInfo, FindKnowsOnlyTheProgramsOwnNames)
{
    struct Case {
        const char *name;
        int id;
    };
    const Case cases[] = {
        {OWN, 0},         {"LAYER_TESTS", 0}, {"LAYER_TE    x", 0}, {"?AGI", 0}, {nullptr, 0},
        {"layer_te", -1}, {"LAYER", -1},      {"LAYER_T", -1},      {"", -1},    {"MYAPP", -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.id, appl_find(c.name)) << (c.name ? c.name : "null");
    EXPECT_EQ(0, menu_register(0, "MYAPP"));
    EXPECT_EQ(0, appl_find("MYAPP"));
    EXPECT_EQ(0, appl_find("MYAPP   "));
    EXPECT_EQ(-1, appl_find("myapp"));
}

TEST_F(ApplInfo, RegisterGivesSixSlotsAndRefusesOthersNames)
{
    const char *names[] = {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX"};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(i, menu_register(i % 2 ? -1 : 0, names[i]));
    EXPECT_EQ(2, menu_register(0, "THREE    and more")) << "the same eight characters";
    EXPECT_EQ(-1, menu_register(0, "SEVEN"));
    EXPECT_EQ(-1, appl_find("SEVEN"));
    EXPECT_EQ(0, appl_find("SIX"));
    _appl_forget_names();
    EXPECT_EQ(-1, menu_register(1, "OTHER"));
    EXPECT_EQ(-1, menu_register(0, ""));
    EXPECT_EQ(-1, menu_register(0, nullptr));
    EXPECT_EQ(-1, appl_find("OTHER"));
}

TEST_F(ApplInfo, SearchListsTheProgramAlone)
{
    char name[9] = "????????";
    short type = -1, apid = -1;
    EXPECT_EQ(1, appl_search(0, name, &type, &apid));
    EXPECT_STREQ(OWN, name);
    EXPECT_EQ(2, type);
    EXPECT_EQ(0, apid);
    EXPECT_EQ(0, appl_search(1, name, &type, &apid));
    EXPECT_EQ(0, appl_search(2, name, &type, &apid));
    EXPECT_EQ(1, appl_search(0, nullptr, nullptr, nullptr));
}

TEST_F(ApplInfo, GetinfoAnswersForThisLayer)
{
    struct Case {
        int type, rez;
        std::array<short, 4> out;
    };
    const Case cases[] = {
        {0, 0, {6, 1, 0, 0}},  // the 8x8 font
        {1, 0, {4, 1, 0, 0}},  // the 6x6 font
        {2, 0, {0, 256, 0, 0}}, {2, 2, {2, 256, 0, 0}}, {3, 0, {0, 0, 0, 0}},
        {4, 0, {0, 0, 1, 0}},   {10, 0, {1, 0, 1, 0}},  {12, 0, {0x09, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        headless::start(c.rez);
        std::array<short, 4> out = {-1, -1, -1, -1};
        EXPECT_EQ(1, appl_getinfo(c.type, &out[0], &out[1], &out[2], &out[3]));
        EXPECT_EQ(c.out, out) << "type " << c.type;
    }
    for (int type : {5, 6, 7, 8, 9, 11, 13}) {
        std::array<short, 4> out = {-1, -1, -1, -1};
        EXPECT_EQ(1, appl_getinfo(type, &out[0], &out[1], &out[2], &out[3]));
        EXPECT_EQ((std::array<short, 4>{0, 0, 0, 0}), out) << "type " << type;
    }
    for (int type : {-1, 14, 1000}) {
        std::array<short, 4> out = {-1, -1, -1, -1};
        EXPECT_EQ(0, appl_getinfo(type, &out[0], &out[1], &out[2], &out[3]));
        EXPECT_EQ((std::array<short, 4>{-1, -1, -1, -1}), out) << "type " << type;
    }
    EXPECT_EQ(1, appl_getinfo(0, nullptr, nullptr, nullptr, nullptr));
}

// A menu box with entries whose strings the test owns.
class MenuText : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        using objc_test::make;
        tree = {make(OT_BOX, 0, 0, 80, 40), make(OT_STRING, 0, 0, 80, 8, 0, (long)open.data()),
                make(OT_TITLE, 0, 8, 80, 8, 0, (long)title.data()),
                make(OT_STRING, 0, 16, 80, 8, 0, (long)&indirect),
                make(OT_BOX, 0, 24, 80, 8, 0, 0x1100)};
        tree[3].ob_xflags = OX_INDIRECT;
        objc_test::adopt(tree, 0, {1, 2, 3, 4});
        objc_test::finish(tree);
    }

    std::string open = "  Open  ", title = " File ", other = "  Grid";
    long indirect = (long)other.data();
    std::vector<OBJECT> tree;
};

TEST_F(MenuText, TextTakesExactlyTheRoomOfTheEntrysString)
{
    struct Case {
        int index;
        const char *text;
        const std::string *entry;
        const char *after;
    };
    const Case cases[] = {
        {1, "  Close", &open, "  Close "},
        {1, "  Quit it now", &open, "  Quit i"},
        {1, "", &open, "        "},
        {2, " Edit ", &title, " Edit "},
        {3, "  Snap to grid", &other, "  Snap"},
    };
    const std::vector<unsigned char> screen_before = headless::screen_pixels();
    for (const Case &c : cases) {
        EXPECT_EQ(1, menu_text(tree.data(), c.index, c.text)) << c.text;
        EXPECT_EQ(c.after, std::string(c.entry->c_str())) << c.text;
        EXPECT_EQ(strlen(c.after), c.entry->size()) << "the 0 stays where it was";
    }
    EXPECT_EQ(screen_before, headless::screen_pixels()) << "nothing is redrawn";
}

TEST_F(MenuText, ObjectsWithoutAStringAreRefused)
{
    tree[2].ob_xflags = OX_INLINE;
    struct Case {
        OBJECT *tree;
        int index;
        const char *text;
    };
    const Case cases[] = {
        {tree.data(), 0, "x"}, {tree.data(), 4, "x"},     {tree.data(), 2, "x"},
        {tree.data(), 5, "x"}, {tree.data(), -1, "x"},    {tree.data(), 30000, "x"},
        {nullptr, 1, "x"},     {tree.data(), 1, nullptr},
    };
    for (const Case &c : cases)
        EXPECT_EQ(0, menu_text(c.tree, c.index, c.text)) << c.index;
    EXPECT_EQ("  Open  ", open);
    EXPECT_EQ(" File ", title);
    EXPECT_EQ(0x1100, tree[4].ob_spec);
}

}  // namespace
