// mkrsc import: classic .RSC files to descriptions of the layer's model.
// What maps (types, flags, states, colour words, records, positions), what
// is listed as dropped, the round trip through `mkrsc build` and the
// layer's installer, and the program's exit status and messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>

#include "support/classic_rsc.h"
#include "support/headless.h"
#include "support/mkrsc_files.h"
#include "support/tempdir.h"

namespace {

using namespace mkrsc_test;
using classic_rsc::Builder;
using classic_rsc::Node;

Node node(unsigned short type, const std::string &text = "", int record = -1)
{
    Node n;
    n.ob.type = type;
    n.ob.text = text;
    n.ob.record = record;
    n.ob.x = 1;
    n.ob.y = 0x0302;  // 2 characters and 3 pixels
    n.ob.w = 4;
    n.ob.h = 1;
    return n;
}

// A tree of every classic type under one box, a free string, a free image.
Bytes every_type()
{
    Builder b;
    const int text = b.ted({"Title", "", "", 3, 0, 2, 0x1170, 0, 0});
    const int ftext = b.ted({"12", "Age: ___", "999", 3, 0, 0, 0x1180, 0, 0});
    const int small = b.ted({"x", "_", "X", 5, 0, 1, 0x2391, 0, -2});
    classic_rsc::Icon icon;
    icon.mask = {0xFFFF, 0xC003};
    icon.data = {0x8001, 0x4002};
    icon.hicon = 2;
    icon.text = "Disk";
    icon.ib_char = 0x1F41;
    icon.xicon = 4;
    icon.xtext = 1;
    icon.ytext = 16;
    icon.wtext = 24;
    icon.htext = 8;
    const int ib = b.icon(icon);
    classic_rsc::Image image;
    image.words = {0xF000, 0x0F00};
    image.hl = 2;
    image.x = 1;
    image.color = 2;
    const int bb = b.image(image);
    b.free_image(bb);
    b.free_string("[1][Gone][OK]");

    Node root = node(classic_rsc::G_BOX);
    root.ob.spec = 0x00FE1173;
    root.children = {node(classic_rsc::G_STRING, "str"),
                     node(classic_rsc::G_BUTTON, "OK"),
                     node(classic_rsc::G_TITLE, " File "),
                     node(classic_rsc::G_TEXT, "", text),
                     node(classic_rsc::G_FTEXT, "", ftext),
                     node(classic_rsc::G_FBOXTEXT, "", small),
                     node(classic_rsc::G_BOXTEXT, "", text),
                     node(classic_rsc::G_ICON, "", ib),
                     node(classic_rsc::G_IMAGE, "", bb),
                     node(classic_rsc::G_IBOX),
                     node(classic_rsc::G_BOXCHAR),
                     node(classic_rsc::G_USERDEF),
                     node(40)};
    root.children[1].ob.flags = 0x0007;
    root.children[1].ob.state = 0x0001;
    root.children[4].ob.flags = 0x0008;
    root.children[9].ob.spec = 0x00010000;
    root.children[10].ob.spec = 0x5AFF1100;
    root.children[11].ob.spec = 0x1234;
    root.children[12].ob.spec = 0xCAFE;
    b.tree(root);
    return b.bytes();
}

mkrsc::Description imported(const Bytes &file, int cell_w = 8, int cell_h = 8)
{
    return mkrsc::parse(mkrsc::import_classic(file, cell_w, cell_h));
}

TEST(MkrscImport, TypesMapToTheLayersCodes)
{
    const mkrsc::Description d = imported(every_type());
    ASSERT_EQ(d.objects.size(), 14u);
    const int types[14] = {OT_BOX,   OT_STRING,   OT_BUTTON,  OT_TITLE, OT_TEXT,
                           OT_FTEXT, OT_FBOXTEXT, OT_BOXTEXT, OT_ICON,  OT_IMAGE,
                           OT_IBOX,  OT_BOXCHAR,  OT_USERDEF, 40};
    for (int k = 0; k < 14; k++)
        EXPECT_EQ(d.objects[k].ob.ob_type, types[k]) << k;
    EXPECT_EQ(d.objects[13].ob.ob_xflags & OX_INLINE, OX_INLINE);  // a type the layer lacks
    EXPECT_EQ(d.objects[13].ob.ob_spec, 0xCAFE);
    EXPECT_EQ(d.objects[12].parm, 0x1234u);
    EXPECT_EQ(d.objects[11].ob.ob_spec, 0x5A);  // the box character
}

TEST(MkrscImport, PositionsBecomePixelsOfTheCell)
{
    const mkrsc::Description d8 = imported(every_type());
    const mkrsc::Description d16 = imported(every_type(), 6, 16);
    const OBJECT &a = d8.objects[1].ob, &b = d16.objects[1].ob;
    EXPECT_EQ(a.ob_x, 8);
    EXPECT_EQ(a.ob_y, 2 * 8 + 3);
    EXPECT_EQ(a.ob_width, 32);
    EXPECT_EQ(a.ob_height, 8);
    EXPECT_EQ(b.ob_x, 6);
    EXPECT_EQ(b.ob_y, 2 * 16 + 3);
    EXPECT_EQ(b.ob_width, 24);
    EXPECT_EQ(b.ob_height, 16);
}

TEST(MkrscImport, FlagsAndStatesSplitIntoTheLayersFields)
{
    const struct {
        unsigned short flags, state;
        unsigned char of;
        unsigned short xflags, xstate;
    } cases[] = {
        {0x0001, 0, 0, OX_SELECTABLE, 0}, {0x0002, 0, OF_DEFAULT, 0, 0},
        {0x0004, 0, OF_EXIT, 0, 0},       {0x0008, 0, 0, OX_EDITABLE, 0},
        {0x0010, 0, 0, OX_RBUTTON, 0},    {0x0040, 0, 0, OX_TOUCHEXIT, 0},
        {0x0080, 0, OF_HIDDEN, 0, 0},     {0x0600, 0, 0, OX_FL3DACT, 0},
        {0x1800, 0, 0, 0x1800, 0},        {0, 0x01, OF_SELECTED, 0, 0},
        {0, 0x02, 0, 0, OS_CROSSED},      {0, 0x04, OF_CHECKED, 0, 0},
        {0, 0x08, OF_DISABLED, 0, 0},     {0, 0x10, 0, 0, OS_OUTLINED},
        {0, 0x20, 0, 0, OS_SHADOWED},     {0, 0x40, 0, 0, OS_WHITEBAK},
        {0, 0x80, 0, 0, OS_DRAW3D},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.flags << " " << c.state);
        Builder b;
        Node n = node(classic_rsc::G_IBOX);
        n.ob.flags = c.flags;
        n.ob.state = c.state;
        b.tree(n);
        const OBJECT ob = imported(b.bytes()).objects.at(0).ob;
        EXPECT_EQ(ob.ob_flags & ~OF_LASTOB, c.of);
        EXPECT_EQ(ob.ob_xflags, c.xflags);
        EXPECT_EQ(ob.ob_xstate, c.xstate);
    }
}

TEST(MkrscImport, BoxWordsBecomeColoursLooksAndFrames)
{
    const struct {
        uint32_t spec;
        unsigned char colbyte, fill, look;
        signed char thick;
    } cases[] = {
        {0x00FF1100, 0x11, 0, OL_SOLID | OL_TRANSPARENT, -1},  // hollow: filled with colour 0
        {0x00021180, 0x11, 0, OL_SOLID, 2},                    // opaque text
        {0x00002372, 0x23, 2, OL_SOLID | OL_TRANSPARENT, 0},   // solid in colour 2
        {0x00004513, 0x45, 3, 6 | OL_TRANSPARENT, 0},          // the lightest dither
        {0x000001E4, 0x01, 4, 1, 0},                           // the densest dither
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.spec);
        Builder b;
        Node n = node(classic_rsc::G_BOX);
        n.ob.spec = c.spec;
        b.tree(n);
        const OBJECT ob = imported(b.bytes()).objects.at(0).ob;
        EXPECT_EQ(ob.ob_colbyte, c.colbyte);
        EXPECT_EQ(ob.ob_fill, c.fill);
        EXPECT_EQ(ob.ob_look, c.look);
        EXPECT_EQ(ob.ob_thick, c.thick);
    }
}

TEST(MkrscImport, RecordsKeepTextsPicturesAndFields)
{
    const mkrsc::Description d = imported(every_type());
    const mkrsc::Object &text = d.objects[4], &ftext = d.objects[5], &small = d.objects[6];
    EXPECT_EQ(text.text.chars, "Title");
    EXPECT_EQ(text.ob.ob_just, TE_CNTR);
    EXPECT_EQ(ftext.tmplt.chars, "Age: ___");
    EXPECT_EQ(ftext.valid, '9');
    EXPECT_EQ(ftext.ob.ob_xflags & OX_EDITABLE, OX_EDITABLE);
    EXPECT_EQ(small.valid, 0);  // any character
    EXPECT_EQ(small.ob.ob_font, 2);
    EXPECT_EQ(small.ob.ob_thick, -2);
    EXPECT_EQ(small.ob.ob_colbyte, 0x23);
    EXPECT_EQ(small.ob.ob_fill, 1);
    EXPECT_EQ(small.ob.ob_look, OL_HOLLOW - 1);
    const mkrsc::Object &icon = d.objects[8], &image = d.objects[9];
    EXPECT_EQ(icon.text.chars, "Disk");
    EXPECT_EQ(icon.mask, (std::vector<std::string>{"################", "##............##"}));
    EXPECT_EQ(icon.data, (std::vector<std::string>{"#..............#", ".#............#."}));
    EXPECT_EQ(icon.icon.ib_char, 0x1F41);
    EXPECT_EQ(icon.icon.ib_xicon, 4);
    EXPECT_EQ(icon.icon.ib_htext, 8);
    EXPECT_EQ(image.bits, (std::vector<std::string>{"####............", "....####........"}));
    EXPECT_EQ(image.image.bi_x, 1);
    EXPECT_EQ(image.image.bi_color, 2);
}

TEST(MkrscImport, FreeStringsAndImagesAreListedAsDropped)
{
    const std::string text = mkrsc::import_classic(every_type(), 8, 8);
    EXPECT_NE(text.find("# dropped: free string 0 \"[1][Gone][OK]\""), std::string::npos);
    EXPECT_NE(text.find("# dropped: free image 0 (16x2)"), std::string::npos);
}

TEST(MkrscImport, BuiltImageInstallsAsTheClassicTrees)
{
    headless::start();
    const Bytes image = compile(mkrsc::import_classic(every_type(), 8, 8));
    std::vector<unsigned char> copy = image;
    ASSERT_EQ(rsrc_include(copy.data()), 1);
    OBJECT *tree = nullptr;
    ASSERT_EQ(rsrc_gaddr(R_TREE, 0, &tree), 1);
    EXPECT_EQ(tree[0].ob_head, 1);
    EXPECT_EQ(tree[0].ob_tail, 13);
    EXPECT_STREQ((const char *)tree[1].ob_spec, "str");
    EXPECT_STREQ((const char *)tree[3].ob_spec, " File ");
    EXPECT_EQ(tree[2].ob_flags & (OF_DEFAULT | OF_EXIT | OF_SELECTED),
              OF_DEFAULT | OF_EXIT | OF_SELECTED);
    EXPECT_EQ(tree[2].ob_xflags & OX_SELECTABLE, OX_SELECTABLE);
    const TEDINFO *ted = (const TEDINFO *)tree[5].ob_spec;
    EXPECT_STREQ(ted->te_ptext, "12");
    EXPECT_STREQ(ted->te_ptmplt, "Age: ___");
    const ICONBLK *ib = (const ICONBLK *)tree[8].ob_spec;
    EXPECT_STREQ(ib->ib_ptext, "Disk");
    EXPECT_EQ((unsigned short)ib->ib_pmask[1], 0xC003);
    const BITBLK *bb = (const BITBLK *)tree[9].ob_spec;
    EXPECT_EQ((unsigned short)bb->bi_pdata[1], 0x0F00);
    EXPECT_EQ(tree[13].ob_flags & OF_LASTOB, OF_LASTOB);
    _rsrc_release();
}

TEST(MkrscImport, TreesWhoseLinksDoNotNestKeepTheirLinks)
{
    // The root's children in reverse array order, as after objc_order.
    Builder b;
    std::vector<classic_rsc::Obj> objs(3);
    objs[0].type = classic_rsc::G_IBOX;
    objs[0].head = 2;
    objs[0].tail = 1;
    objs[1].type = classic_rsc::G_STRING;
    objs[1].text = "second";
    objs[1].next = 0;
    objs[2].type = classic_rsc::G_STRING;
    objs[2].text = "first";
    objs[2].next = 1;
    b.tree(objs);
    const std::string text = mkrsc::import_classic(b.bytes(), 8, 8);
    EXPECT_NE(text.find("objects {"), std::string::npos);
    const mkrsc::Description d = mkrsc::parse(text);
    EXPECT_EQ(d.objects.at(0).ob.ob_head, 2);
    EXPECT_EQ(d.objects.at(2).ob.ob_next, 1);
    EXPECT_FALSE(compile(text).empty());
}

TEST(MkrscImport, DamagedFileIsRefusedWithItsReason)
{
    Bytes file = every_type();
    file.resize(file.size() - 1);
    try {
        mkrsc::import_classic(file, 8, 8);
        ADD_FAILURE() << "accepted";
    } catch (const mkrsc::Error &e) {
        EXPECT_NE(std::string(e.what()).find("is cut short"), std::string::npos) << e.what();
    }
}

TEST(MkrscImport, TextsTooLongForTheLayerAreRefused)
{
    Builder b;
    b.tree(node(classic_rsc::G_STRING, std::string(300, 'x')));
    try {
        mkrsc::import_classic(b.bytes(), 8, 8);
        ADD_FAILURE() << "accepted";
    } catch (const mkrsc::Error &e) {
        EXPECT_NE(std::string(e.what()).find("the layer's format cannot hold"), std::string::npos)
            << e.what();
    }
}

class MkrscImportCli : public ::testing::Test {
protected:
    int run(const std::string &args)
    {
        const std::string cmd = std::string(MKRSC_PATH) + " " + args + " 2>" + dir + "/stderr";
        const int st = std::system(cmd.c_str());
        err = read_text(dir + "/stderr");
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }

    std::string path(const char *name) const { return dir + "/" + name; }

    TempDir scratch;
    const std::string &dir = scratch.path();
    std::string err;
};

TEST_F(MkrscImportCli, WritesTheDescriptionThatBuildRuns)
{
    const Bytes file = every_type();
    write_file(path("IN.RSC"), std::string(file.begin(), file.end()));
    EXPECT_EQ(run("import " + path("IN.RSC") + " " + path("out.txt")), 0) << err;
    EXPECT_EQ(read_text(path("out.txt")), mkrsc::import_classic(file, 8, 8));
    EXPECT_EQ(run("import " + path("IN.RSC") + " " + path("big.txt") + " --cell 8x16"), 0);
    EXPECT_EQ(read_text(path("big.txt")), mkrsc::import_classic(file, 8, 16));
    EXPECT_EQ(run("build " + path("out.txt") + " " + path("out.rsc")), 0) << err;
}

TEST_F(MkrscImportCli, DamagedFileExitsOneNamingFileAndReason)
{
    Bytes file = every_type();
    classic_rsc::put16(file, 20, 0xFFFF);  // rsh_nobs
    write_file(path("BAD.RSC"), std::string(file.begin(), file.end()));
    EXPECT_EQ(run("import " + path("BAD.RSC") + " " + path("out.txt")), 1);
    EXPECT_NE(err.find(path("BAD.RSC") + ": the 65535 records of rsh_nobs"), std::string::npos)
        << err;
    EXPECT_TRUE(read_text(path("out.txt")).empty());
    EXPECT_EQ(run("import " + path("NONE.RSC") + " " + path("out.txt")), 1);
    EXPECT_NE(err.find("cannot read"), std::string::npos) << err;
}

TEST_F(MkrscImportCli, BadCellIsAUsageError)
{
    for (const char *cell : {"8", "0x8", "8x8x", "300x8"})
        EXPECT_EQ(run(std::string("import a b --cell ") + cell), 2) << cell;
}

}  // namespace
