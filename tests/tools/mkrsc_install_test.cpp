// Images mkrsc builds, installed by the layer: rsrc_load accepts them and
// rsrc_gaddr hands out the trees described, with their texts, records,
// flags and links. The header names the same indices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/headless.h"
#include "support/mkrsc_files.h"
#include "support/tempdir.h"

namespace {

using namespace mkrsc_test;

// Indices of tools/mkrsc/example.txt, as its header defines them.
enum Menu { BAR = 1, T_DESK = 3, T_FILE = 4, T_OPTIONS = 5, M_SAVE = 11, M_GRID = 14 };
enum Settings { S_NAME = 2, S_COPIES = 3, S_TRACK = 5, S_KNOB = 6, S_OK = 7, S_CANCEL = 8 };

class MkrscInstall : public ::testing::Test {
protected:
    void SetUp() override { headless::start(); }
    // Back to no resource of ours installed, for the tests that follow.
    void TearDown() override { _rsrc_release(); }

    // Builds `description` into a file and loads it; its trees in order.
    std::vector<OBJECT *> load(const std::string &description)
    {
        const Bytes image = compile(read_text(source(description)));
        const std::string path = scratch.path() + "/built.rsc";
        write_file(path, std::string(image.begin(), image.end()));
        // rsrc_load answers a refused file with an alert that would wait
        // for a click: the installer's check comes first.
        const RSHDR h = stored::read_header(image.data());
        if (!stored::image_sound(h, image.data() + stored::HEADER_SIZE)) {
            ADD_FAILURE() << "the installer refuses the image of " << description;
            return {};
        }
        EXPECT_EQ(rsrc_load(path.c_str()), 1);
        std::vector<OBJECT *> trees;
        OBJECT *tree = nullptr;
        for (int t = 0; rsrc_gaddr(R_TREE, t, &tree); t++)
            trees.push_back(tree);
        return trees;
    }

    TempDir scratch;
};

const TEDINFO &ted(const OBJECT &ob) { return *(const TEDINFO *)ob.ob_spec; }
const char *str(const OBJECT &ob) { return (const char *)ob.ob_spec; }

TEST_F(MkrscInstall, DialogFieldsAndLinksAreAsDescribed)
{
    const std::vector<OBJECT *> trees = load("tools/mkrsc/example.txt");
    ASSERT_EQ(trees.size(), 2u);
    const OBJECT *d = trees[1];
    EXPECT_EQ(d[S_COPIES].ob_type, OT_EDTEXT);
    EXPECT_STREQ(ted(d[S_COPIES]).te_ptext, "1");
    EXPECT_STREQ(ted(d[S_COPIES]).te_ptmplt, "Copies: ___");
    EXPECT_EQ(ted(d[S_COPIES]).te_pvalid, '9');
    EXPECT_EQ(ted(d[S_NAME]).te_pvalid, 'X');
    EXPECT_STREQ(str(d[S_OK]), "OK");
    EXPECT_EQ(d[S_OK].ob_flags, OF_DEFAULT | OF_EXIT | OF_FRAMED);
    EXPECT_EQ(d[S_CANCEL].ob_flags, OF_EXIT | OF_FRAMED | OF_LASTOB);
    EXPECT_EQ(d[S_CANCEL].ob_x, 128);
    EXPECT_EQ(d[S_CANCEL].ob_width, 64);
    // Root, slider track and knob: head, tail and next back to the parent.
    EXPECT_EQ(d[0].ob_head, 1);
    EXPECT_EQ(d[0].ob_tail, S_CANCEL);
    EXPECT_EQ(d[S_TRACK].ob_head, S_KNOB);
    EXPECT_EQ(d[S_TRACK].ob_tail, S_KNOB);
    EXPECT_EQ(d[S_KNOB].ob_next, S_TRACK);
    EXPECT_EQ(d[S_TRACK].ob_next, S_OK);
    EXPECT_EQ(d[S_CANCEL].ob_next, 0);
}

TEST_F(MkrscInstall, EditedTextsHaveRoomForTheirPlaceholders)
{
    const std::vector<OBJECT *> trees = load("tools/mkrsc/example.txt");
    ASSERT_EQ(trees.size(), 2u);
    // Typing fills te_ptext in place: twelve characters into the empty
    // name field must leave the other texts alone.
    const TEDINFO &name = ted(trees[1][S_NAME]);
    const std::string name_template = name.te_ptmplt;
    const std::string copies = ted(trees[1][S_COPIES]).te_ptext;
    std::strcpy(name.te_ptext, "ABCDEFGHIJKL");
    EXPECT_EQ(name.te_ptmplt, name_template);
    EXPECT_EQ(ted(trees[1][S_COPIES]).te_ptext, copies);
}

TEST_F(MkrscInstall, MenuTreeHoldsTitlesAndEntries)
{
    const std::vector<OBJECT *> trees = load("tools/mkrsc/example.txt");
    ASSERT_EQ(trees.size(), 2u);
    const OBJECT *m = trees[0];
    EXPECT_EQ(m[BAR].ob_type, OT_BOX);
    EXPECT_EQ(m[T_DESK].ob_type, OT_TITLE);
    EXPECT_STREQ(str(m[T_FILE]), " File ");
    EXPECT_EQ(m[T_OPTIONS].ob_next, 2);
    EXPECT_TRUE(m[M_SAVE].ob_flags & OF_DISABLED);
    EXPECT_TRUE(m[M_GRID].ob_flags & OF_CHECKED);
    EXPECT_EQ(m[0].ob_height, 100);
}

TEST_F(MkrscInstall, EveryAttributeReachesTheInstalledObjects)
{
    const std::vector<OBJECT *> trees = load("tests/tools/data/every_attribute.txt");
    ASSERT_EQ(trees.size(), 2u);
    const OBJECT *f = trees[0];
    EXPECT_EQ(f[0].ob_x, -4);
    EXPECT_EQ(f[0].ob_y, 16);
    EXPECT_EQ(f[0].ob_border, 255);
    EXPECT_EQ(f[0].ob_font, 1);
    EXPECT_EQ(f[0].ob_fill, 2);
    EXPECT_EQ(f[0].ob_spec, 0x00ff1100);
    EXPECT_STREQ(str(f[1]), "Tab\there \"quoted\" \\ \xe9");
    EXPECT_EQ(f[1].ob_flags, OF_CHECKED | OF_SELECTED);
    EXPECT_EQ(ted(f[4]).te_ptxtlen, 5);   // HEX: its given buffer size
    EXPECT_EQ(ted(f[5]).te_ptxtlen, 64);  // PATH
    EXPECT_STREQ(ted(f[5]).te_ptext, "C:\\");
    EXPECT_EQ(f[7].ob_spec, '^');           // UP: its character
    EXPECT_EQ(f[8].ob_spec, 0x1102);        // DOWN: the character in ob_spec's low byte
    EXPECT_EQ(f[10].ob_flags, OF_DEFAULT);  // the innermost ibox, not the last object
    EXPECT_EQ(f[11].ob_type, 33);
    EXPECT_EQ(f[11].ob_flags, OF_LASTOB);
    EXPECT_EQ(trees[1][0].ob_width, 10);
}

TEST(MkrscHeader, DefinesTreeAndObjectIndices)
{
    const std::string h =
        mkrsc::header(mkrsc::parse(read_text(source("tools/mkrsc/example.txt"))), "example.txt");
    for (const char *line : {"#define MENU 0 ", "#define SETTINGS 1 ", "#define T_DESK 3 ",
                             "#define M_SAVE 11 ", "#define M_GRID 14 ", "#define S_NAME 2 ",
                             "#define S_COPIES 3 ", "#define S_KNOB 6 ", "#define S_CANCEL 8 "})
        EXPECT_NE(h.find(line), std::string::npos) << line;
    // Unnamed trees and objects are counted but get no name.
    const std::string g = mkrsc::header(
        mkrsc::parse("tree {\n ibox at 0,0\n}\ntree B {\n box at 0,0 {\n  ibox at 0,0\n"
                     "  ibox C at 0,0\n }\n}\nobjects {\n ibox D at 0,0 links -1,-1,-1\n}\n"),
        "g.txt");
    EXPECT_NE(g.find("#define B 1 "), std::string::npos);
    EXPECT_NE(g.find("#define C 2 "), std::string::npos);
    EXPECT_NE(g.find("#define D 4 "), std::string::npos);
    EXPECT_EQ(std::count(g.begin(), g.end(), '\n'), 4);
}

}  // namespace
