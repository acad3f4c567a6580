// Descriptions that use the object fields and records beyond the one-byte
// model: they build images with the extension, dump back to descriptions
// that build the same bytes, and install as the native records described.
// Descriptions that use nothing new build images without it.
#include <gtest/gtest.h>

#include <cstring>

#include "gem/internal.h"
#include "support/mkrsc_files.h"

namespace {

using namespace mkrsc_test;

const char EVERY_NEW[] = "tests/tools/data/every_new_attribute.txt";
const char EVERY_NEW_SEED[] = "tests/fuzz/corpus/rsrc/mkrsc_every_new_attribute.rsc";

// Indices of the objects of every_new_attribute.txt's tree.
enum Dialog {
    TITLE = 1,
    NOTE,
    AGE,
    OK,
    CANCEL,
    ON,
    LOGO,
    DISK,
    DISK_CHILD,
    GAUGE,
    OLDBOX,
    RAW,
    LAST
};

bool has_trailer(const Bytes &image)
{
    return image.size() >= 8 && memcmp(image.data() + image.size() - 8, "GEMX", 4) == 0;
}

TEST(MkrscExtension, EveryNewAttributeBuildsDumpsAndBuildsTheSameBytes)
{
    const Bytes image = compile(read_text(source(EVERY_NEW)));
    EXPECT_TRUE(has_trailer(image));
    const std::string text = mkrsc::dump(image);
    EXPECT_EQ(compile(text), image);
    EXPECT_EQ(mkrsc::dump(compile(text)), text);
    // The rows come back as written: only whole words of clear columns go.
    EXPECT_NE(text.find("bits \"##..##..##..##..##..\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" fl3dact "), std::string::npos);
    EXPECT_NE(text.find("22 at 100,60 size 10,10 spec 0x1234\n"), std::string::npos);
    EXPECT_EQ(read_bytes(source(EVERY_NEW_SEED)), image);
}

TEST(MkrscExtension, DescriptionsWithoutNewAttributesBuildNoExtension)
{
    // A record type's code alone is the plain box with a value it was.
    const std::string old_codes = "tree {\n box at 0,0 size 9,9 {\n  18 spec 5\n  19\n  21\n"
                                  "  22 spec 0x1234\n  23\n  24\n  26 inline\n }\n}\n";
    for (const std::string &d :
         {read_text(source("tools/mkrsc/example.txt")),
          read_text(source("tests/tools/data/every_attribute.txt")), old_codes}) {
        const Bytes image = compile(d);
        EXPECT_FALSE(has_trailer(image));
        EXPECT_EQ(compile(mkrsc::dump(image)), image);
    }
    // A box, any other new field or a record type by name needs it.
    for (const char *line :
         {"box inline", "box xtype 1", "box look 1", "box just right", "box thick -1",
          "box crossed", "22 selectable", "userdef", "button \"B\"", "text \"\" template \"\""}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(has_trailer(compile(std::string("tree {\n ") + line + "\n}\n")));
    }
}

class MkrscExtensionInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = compile(read_text(source(EVERY_NEW)));
        ASSERT_EQ(rsrc_include(image.data()), 1);
        ASSERT_EQ(rsrc_gaddr(R_TREE, 0, &tree), 1);
    }
    void TearDown() override { _rsrc_release(); }

    // The stored image's data block at `p`.
    const unsigned char *data() const { return image.data() + 14; }

    Bytes image;
    OBJECT *tree = nullptr;
};

TEST_F(MkrscExtensionInstall, ObjectsGetTheFieldsAfterTheirHeight)
{
    struct Expected {
        int k;
        unsigned xflags, xstate;
        int xtype, thick, just, look;
    };
    const Expected table[] = {
        {0, 0, OS_OUTLINED | OS_SHADOWED, 0, -2, 0, 3},
        {TITLE, 0, 0, 0, 0, TE_CNTR, OL_TRANSPARENT},
        {NOTE, 0, 0, 0, 1, TE_RIGHT, OL_HOLLOW},
        {AGE, OX_EDITABLE | OX_FL3DIND, 0, 0, 0, 0, 0},
        {OK, OX_SELECTABLE | OX_FL3DACT, OS_DRAW3D, 0, 0, 0, 0},
        {CANCEL, OX_TOUCHEXIT | OX_FL3DBAK, OS_WHITEBAK, 0, 0, 0, 0},
        {ON, OX_SELECTABLE | OX_RBUTTON, OS_CROSSED, 0, 0, 0, 0},
        {LOGO, 0, 0, 7, 0, 0, 0},
        {DISK_CHILD, 0x1800, 0x8100, 0, 0, 0, 0},
        {OLDBOX, OX_INLINE, 0, 0, 0, 0, 0},
        {RAW, OX_INLINE, 0, 0, 0, 0, 0},
        {LAST, 0, 0, 0, 0, 7, 0x90},
    };
    for (const Expected &e : table) {
        SCOPED_TRACE(e.k);
        const OBJECT &ob = tree[e.k];
        EXPECT_EQ(ob.ob_xflags, e.xflags);
        EXPECT_EQ(ob.ob_xstate, e.xstate);
        EXPECT_EQ(ob.ob_xtype, e.xtype);
        EXPECT_EQ(ob.ob_thick, e.thick);
        EXPECT_EQ(ob.ob_just, e.just);
        EXPECT_EQ(ob.ob_look, e.look);
    }
    EXPECT_EQ(_ob_state(&tree[ON]), OS_SELECTED | OS_CROSSED);
    EXPECT_EQ(tree[OLDBOX].ob_spec, 0x1234);
    EXPECT_EQ(tree[RAW].ob_spec, 0xff0011);
    EXPECT_TRUE(tree[LAST].ob_flags & OF_LASTOB);
}

TEST_F(MkrscExtensionInstall, TextsAndButtonsPointIntoTheImage)
{
    const TEDINFO *title = (const TEDINFO *)tree[TITLE].ob_spec;
    const TEDINFO *age = (const TEDINFO *)tree[AGE].ob_spec;
    EXPECT_EQ(title, &_teds[0]);
    EXPECT_STREQ(title->te_ptext, "Centred title");
    EXPECT_STREQ(((const TEDINFO *)tree[NOTE].ob_spec)->te_ptext, "Boxed");
    EXPECT_EQ(((const TEDINFO *)tree[NOTE].ob_spec)->te_pvalid, 'X');
    EXPECT_STREQ(age->te_ptmplt, "Age: ___");
    EXPECT_EQ(age->te_ptxtlen, 4);
    EXPECT_STREQ((const char *)tree[CANCEL].ob_spec, "Cancel");
    EXPECT_GE((const unsigned char *)tree[CANCEL].ob_spec, data());
    EXPECT_LT((const unsigned char *)tree[CANCEL].ob_spec, data() + image.size());
}

TEST_F(MkrscExtensionInstall, BitImageIsNativeWords)
{
    const BITBLK *b = (const BITBLK *)tree[LOGO].ob_spec;
    EXPECT_EQ(b->bi_wb, 4);
    EXPECT_EQ(b->bi_hl, 3);
    EXPECT_EQ(b->bi_x, 1);
    EXPECT_EQ(b->bi_y, 0);
    EXPECT_EQ(b->bi_color, 3);
    // "##..##..##..##..##..", ".#.#...", "####...": bit 15 the left column.
    const unsigned short words[] = {0xcccc, 0xc000, 0x5555, 0x5000, 0xffff, 0xf000};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ((unsigned short)b->bi_pdata[i], words[i]) << i;
    EXPECT_EQ((uintptr_t)b->bi_pdata % alignof(short), 0u);
}

TEST_F(MkrscExtensionInstall, IconHasPlanesTextAndPlaces)
{
    const ICONBLK *ic = (const ICONBLK *)tree[DISK].ob_spec;
    EXPECT_EQ(ic->ib_char, (short)0x1f41);  // ink 1, paper 15, 'A'
    EXPECT_EQ(ic->ib_xchar, 2);
    EXPECT_EQ(ic->ib_ychar, 3);
    EXPECT_EQ(ic->ib_xicon, 8);
    EXPECT_EQ(ic->ib_yicon, 0);
    EXPECT_EQ(ic->ib_wicon, 10);
    EXPECT_EQ(ic->ib_hicon, 2);
    EXPECT_EQ(ic->ib_xtext, 0);
    EXPECT_EQ(ic->ib_ytext, 24);
    EXPECT_EQ(ic->ib_wtext, 48);
    EXPECT_EQ(ic->ib_htext, 8);
    EXPECT_STREQ(ic->ib_ptext, "Disk A");
    const unsigned short mask[] = {0x7f80, 0xffc0}, plane[] = {0x4080, 0xbf40};
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ((unsigned short)ic->ib_pmask[i], mask[i]) << i;
        EXPECT_EQ((unsigned short)ic->ib_pdata[i], plane[i]) << i;
    }
}

TEST_F(MkrscExtensionInstall, UserBlockHasTheParameterAndNoRoutine)
{
    const USERBLK *u = (const USERBLK *)tree[GAUGE].ob_spec;
    EXPECT_EQ(u->ub_code, nullptr);
    EXPECT_EQ(u->ub_parm, 0xdeadbeefL);
}

TEST_F(MkrscExtensionInstall, RecordsLiveInTheInstallersBlockNotTheImage)
{
    for (int k : {LOGO, DISK, GAUGE}) {
        const unsigned char *rec = (const unsigned char *)tree[k].ob_spec;
        EXPECT_TRUE(rec < image.data() || rec >= image.data() + image.size()) << k;
    }
    // Included images keep their records after rsrc_free, as their trees.
    EXPECT_EQ(rsrc_free(), 1);
    EXPECT_EQ(((const BITBLK *)tree[LOGO].ob_spec)->bi_hl, 3);
}

struct Refusal {
    std::string description;
    int line;
    const char *message;
};

const Refusal REFUSALS[] = {
    {"tree {\n  box at 0,0\n  bits \"#\"\n}\n", 3, "'bits' rows follow the line of a bit image"},
    {"tree {\n  image at 0,0 {\n    box\n    bits \"#\"\n  }\n}\n", 4, "follow the line"},
    {"tree {\n  22 at 0,0\n  bits \"#\"\n}\n", 3, "follow the line"},
    {"tree {\n  image at 0,0\n  mask \"#\"\n}\n", 3, "'mask' rows follow the line of an icon"},
    {"tree {\n  image at 0,0\n  bits \"#x\"\n}\n", 3, "made of '#' (set) and '.' (clear)"},
    {"tree {\n  image\n  bits \"##\"\n  bits \"#\"\n}\n", 4, "a row of 1 pixels after rows of 2"},
    {"tree {\n  image\n  bits \"" + std::string(32768, '#') + "\"\n}\n", 3, "more than 32767"},
    {"tree {\n  icon\n  mask \"##\"\n  data \"#\"\n}\n", 2, "mask and data rows differ"},
    {"tree {\n  icon\n  mask \"#\"\n}\n", 2, "mask and data rows differ"},
    {"tree {\n  box xflags 0x100\n}\n", 2, "names an address"},
    {"tree {\n  box xstate 1\n}\n", 2, "xstate keeps them 0"},
    {"tree {\n  box just middle\n}\n", 2, "just wants left, right, centre"},
    {"tree {\n  box thick 128\n}\n", 2, "out of range for thick"},
    {"tree {\n  icon textbox 0,0,-1,8\n}\n", 2, "width and height of 0 or more"},
    {"tree {\n  icon textbox 0,0,8\n}\n", 2, "textbox wants"},
    {"tree {\n  icon ink 16\n}\n", 2, "out of range for ink"},
    {"tree {\n  box ink 1\n}\n", 2, "'ink' does not apply"},
    {"tree {\n  image letter 'A'\n}\n", 2, "'letter' does not apply"},
    {"tree {\n  button \"B\" template \"_\"\n}\n", 2, "'template' does not apply"},
    {"tree {\n  22 \"B\" at 0,0\n}\n", 2, "holds none"},
    {"tree {\n  boxtext inline template \"\"\n}\n", 2, "'template' does not apply"},
    {"tree {\n  string \"x\" inline spec 3\n}\n", 2, "holds none"},
    {"tree {\n  userdef spec 3\n}\n", 2, "'spec' does not apply"},
    {"tree {\n  box parm 3\n}\n", 2, "'parm' does not apply"},
    {"tree {\n  fboxtext \"abc\" template \"__\"\n}\n", 2, "longer than the 2 placeholders"},
    {"layout size 40\ntree {\n  userdef\n}\n", 0, "leaves no room for the"},
};

TEST(MkrscExtension, EachRefusalNamesItsLineAndWhatIsWrong)
{
    for (const Refusal &r : REFUSALS) {
        SCOPED_TRACE(r.description.substr(0, 80));
        try {
            compile(r.description);
            ADD_FAILURE() << "accepted";
        } catch (const mkrsc::Error &e) {
            EXPECT_EQ(e.line(), r.line);
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
        }
    }
}

TEST(MkrscExtension, JustifiedTextsNeedNoPlaceholdersAndLayoutSizeEndsTheExtension)
{
    EXPECT_NO_THROW(compile("tree {\n  text \"longer\" template \"\"\n}\n"));
    EXPECT_NO_THROW(compile("tree {\n  boxtext \"longer\" template \"_\"\n}\n"));
    // With a layout size, the extension ends the block there.
    const Bytes sized = compile("layout size 200\ntree {\n  userdef parm 9\n}\n");
    EXPECT_EQ(sized.size(), 14u + 200u);
    EXPECT_TRUE(has_trailer(sized));
    EXPECT_EQ(compile(mkrsc::dump(sized)), sized);
}

}  // namespace
