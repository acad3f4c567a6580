// rsrc_load, rsrc_gaddr, rsrc_saddr and rsrc_free on classic .RSC files the
// tests write: every record built with real pointers, every kind looked up,
// positions fixed from character cells, files kept until rsrc_free.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "classic/rsrc_c.h"
#include "gem/classic/internal.h"
#include "support/classic_rsc.h"
#include "support/headless.h"
#include "support/tempdir.h"

namespace {

using namespace classic_rsc;

enum Kind {
    KIND_TREE,
    KIND_OBJECT,
    KIND_TEDINFO,
    KIND_ICONBLK,
    KIND_BITBLK,
    KIND_STRING,
    KIND_IMAGEDATA,
    KIND_OBSPEC,
    KIND_TEPTEXT,
    KIND_TEPTMPLT,
    KIND_TEPVALID,
    KIND_IBPMASK,
    KIND_IBPDATA,
    KIND_IBPTEXT,
    KIND_BIPDATA,
    KIND_FRSTR,
    KIND_FRIMG
};

// Objects of the sample's first tree, by index.
enum { ROOT, STR, OK, TITLE, TEXT, FTEXT, FBOXTEXT, ICON, IMAGE, BOXCHAR, SAMPLE_OBJECTS };

Node leaf(unsigned short type, short x, short y, short w, short h, const std::string &text = "",
          int record = -1)
{
    Node n;
    n.ob.type = type;
    n.ob.text = text;
    n.ob.record = record;
    n.ob.x = x;
    n.ob.y = y;
    n.ob.w = w;
    n.ob.h = h;
    return n;
}

// A file with every kind of record: a dialog tree of every type, a second
// tree, two free strings and a free image.
Bytes sample()
{
    Builder b;
    const int text = b.ted({"Hello", "", "", 3, 0, 2, 0x1170, 0, 0});
    const int ftext = b.ted({"12", "Age: ___", "999"});
    Ted boxed{"", "__", "X", 5};
    boxed.txtlen = 10;
    const int fboxtext = b.ted(boxed);
    Icon icon;
    icon.mask = {0xFFFF, 0x8001};
    icon.data = {0x1234, 0xABCD};
    icon.text = "Disk";
    icon.hicon = 2;
    icon.ib_char = 0x1041;
    icon.xtext = 3;
    const int ib = b.icon(icon);
    Image image;
    image.words = {0xF00F, 0x0FF0};
    image.hl = 2;
    image.color = 3;
    const int bb = b.image(image);
    Image spare;
    spare.words = {0xAAAA};
    spare.hl = 1;
    b.free_image(b.image(spare));

    Node root = leaf(G_BOX, 0, 0, 0x0210, 0x0305);
    root.ob.spec = 0x00021100;
    root.ob.state = 0x10;  // OUTLINED
    root.children = {
        leaf(G_STRING, 1, 1, 3, 1, "Str"),    leaf(G_BUTTON, 0x0102, 2, 4, 1, "OK"),
        leaf(G_TITLE, 0, 3, 1, 1, "T"),       leaf(G_TEXT, 0, 4, 5, 1, "", text),
        leaf(G_FTEXT, 0, 5, 8, 1, "", ftext), leaf(G_FBOXTEXT, 0, 6, 2, 1, "", fboxtext),
        leaf(G_ICON, 8, 0, 2, 2, "", ib),     leaf(G_IMAGE, 10, 0, 2, 2, "", bb),
        leaf(G_BOXCHAR | 0x1200, 12, 0, 1, 1)};
    root.children[OK - 1].ob.flags = 0x0007;  // SELECTABLE DEFAULT EXIT
    root.children[FTEXT - 1].ob.flags = 0x0008;
    root.children[BOXCHAR - 1].ob.spec = 0x41FF1100;
    b.tree(root);
    b.tree(leaf(G_IBOX, 0, 0, 4, 4));
    b.free_string("[1][Alert][OK]");
    b.free_string("Second");
    return b.bytes();
}

class ClassicRsrc : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(1);
        gemc_rsrc_free();
        graf_handle(&wchar_, &hchar_, &wbox_, &hbox_);
    }
    void TearDown() override { gemc_rsrc_free(); }

    std::string write(const Bytes &bytes, const std::string &name = "TEST.RSC")
    {
        const std::string path = dir_.path() + "/" + name;
        std::ofstream(path, std::ios::binary).write((const char *)bytes.data(), bytes.size());
        return path;
    }

    int load(const Bytes &bytes) { return gemc_rsrc_load(write(bytes).c_str()); }

    template <typename T>
    T *get(int kind, int index)
    {
        void *p = nullptr;
        EXPECT_EQ(gemc_rsrc_gaddr(kind, index, &p), 1) << "kind " << kind << " index " << index;
        return static_cast<T *>(p);
    }

    GEMC_OBJECT *tree() { return get<GEMC_OBJECT>(KIND_TREE, 0); }

    TempDir dir_;
    short wchar_, hchar_, wbox_, hbox_;
};

TEST_F(ClassicRsrc, ObjectsKeepTheirFieldsAndLinks)
{
    ASSERT_EQ(load(sample()), 1);
    const GEMC_OBJECT *t = tree();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t[ROOT].ob_next, -1);
    EXPECT_EQ(t[ROOT].ob_head, STR);
    EXPECT_EQ(t[ROOT].ob_tail, BOXCHAR);
    EXPECT_EQ(t[ROOT].ob_state, 0x10);
    EXPECT_EQ(t[ROOT].ob_spec, 0x00021100);
    EXPECT_EQ(t[STR].ob_next, OK);
    EXPECT_EQ(t[BOXCHAR].ob_next, ROOT);
    EXPECT_EQ(t[BOXCHAR].ob_flags, LASTOB);
    EXPECT_EQ(t[BOXCHAR].ob_type, G_BOXCHAR | 0x1200);  // the high byte kept
    EXPECT_EQ(t[BOXCHAR].ob_spec, 0x41FF1100);          // not sign-extended
    EXPECT_EQ(t[OK].ob_flags, 0x0007);
    const int types[SAMPLE_OBJECTS] = {G_BOX,   G_STRING,   G_BUTTON, G_TITLE, G_TEXT,
                                       G_FTEXT, G_FBOXTEXT, G_ICON,   G_IMAGE};
    for (int k = 0; k < BOXCHAR; k++)
        EXPECT_EQ(t[k].ob_type, types[k]) << k;
    // The second tree follows the first in the one object array.
    EXPECT_EQ(get<GEMC_OBJECT>(KIND_TREE, 1), t + SAMPLE_OBJECTS);
}

TEST_F(ClassicRsrc, PositionsAreFixedByTheScreenFontsCell)
{
    ASSERT_EQ(load(sample()), 1);
    const GEMC_OBJECT *t = tree();
    struct Case {
        int obj;
        short x, y, w, h;
    } cases[] = {
        {ROOT, 0, 0, (short)(16 * wchar_ + 2), (short)(5 * hchar_ + 3)},
        {STR, wchar_, hchar_, (short)(3 * wchar_), hchar_},
        {OK, (short)(2 * wchar_ + 1), (short)(2 * hchar_), (short)(4 * wchar_), hchar_},
        {ICON, (short)(8 * wchar_), 0, (short)(2 * wchar_), (short)(2 * hchar_)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.obj);
        EXPECT_EQ(t[c.obj].ob_x, c.x);
        EXPECT_EQ(t[c.obj].ob_y, c.y);
        EXPECT_EQ(t[c.obj].ob_width, c.w);
        EXPECT_EQ(t[c.obj].ob_height, c.h);
    }
}

TEST_F(ClassicRsrc, StringTypesPointAtTheirStrings)
{
    ASSERT_EQ(load(sample()), 1);
    const GEMC_OBJECT *t = tree();
    EXPECT_STREQ((const char *)t[STR].ob_spec, "Str");
    EXPECT_STREQ((const char *)t[OK].ob_spec, "OK");
    EXPECT_STREQ((const char *)t[TITLE].ob_spec, "T");
}

TEST_F(ClassicRsrc, TedinfosHoldTheirTextsAndFields)
{
    ASSERT_EQ(load(sample()), 1);
    const GEMC_OBJECT *t = tree();
    const GEMC_TEDINFO *text = get<GEMC_TEDINFO>(KIND_TEDINFO, 0);
    EXPECT_EQ((const GEMC_TEDINFO *)t[TEXT].ob_spec, text);
    EXPECT_EQ((const GEMC_TEDINFO *)t[FTEXT].ob_spec, text + 1);
    EXPECT_EQ((const GEMC_TEDINFO *)t[FBOXTEXT].ob_spec, text + 2);
    EXPECT_STREQ(text[0].te_ptext, "Hello");
    EXPECT_EQ(text[0].te_just, 2);
    EXPECT_EQ(text[0].te_color, 0x1170);
    EXPECT_EQ(text[0].te_txtlen, 6);
    EXPECT_STREQ(text[1].te_ptext, "12");
    EXPECT_STREQ(text[1].te_ptmplt, "Age: ___");
    EXPECT_STREQ(text[1].te_pvalid, "999");
    EXPECT_EQ(text[1].te_tmplen, 9);
    EXPECT_EQ(text[2].te_font, 5);
    EXPECT_EQ(text[2].te_thickness, -1);
    // The edit buffer holds te_txtlen bytes, whatever the file's text.
    EXPECT_EQ(text[2].te_txtlen, 10);
    std::memset(text[2].te_ptext, 'x', 9);
    text[2].te_ptext[9] = 0;
    EXPECT_STREQ(text[2].te_ptmplt, "__");  // nothing beside it overwritten
}

TEST_F(ClassicRsrc, ImagesAndIconsHoldHostOrderWords)
{
    ASSERT_EQ(load(sample()), 1);
    const GEMC_OBJECT *t = tree();
    const GEMC_ICONBLK *ib = get<GEMC_ICONBLK>(KIND_ICONBLK, 0);
    EXPECT_EQ((const GEMC_ICONBLK *)t[ICON].ob_spec, ib);
    EXPECT_EQ((unsigned short)ib->ib_pmask[0], 0xFFFF);
    EXPECT_EQ((unsigned short)ib->ib_pmask[1], 0x8001);
    EXPECT_EQ((unsigned short)ib->ib_pdata[0], 0x1234);
    EXPECT_EQ((unsigned short)ib->ib_pdata[1], 0xABCD);
    EXPECT_STREQ(ib->ib_ptext, "Disk");
    EXPECT_EQ(ib->ib_char, 0x1041);
    EXPECT_EQ(ib->ib_wicon, 16);
    EXPECT_EQ(ib->ib_hicon, 2);
    EXPECT_EQ(ib->ib_xtext, 3);
    const GEMC_BITBLK *bb = get<GEMC_BITBLK>(KIND_BITBLK, 0);
    EXPECT_EQ((const GEMC_BITBLK *)t[IMAGE].ob_spec, bb);
    EXPECT_EQ((unsigned short)bb->bi_pdata[0], 0xF00F);
    EXPECT_EQ((unsigned short)bb->bi_pdata[1], 0x0FF0);
    EXPECT_EQ(bb->bi_wb, 2);
    EXPECT_EQ(bb->bi_hl, 2);
    EXPECT_EQ(bb->bi_color, 3);
    EXPECT_EQ((unsigned short)bb[1].bi_pdata[0], 0xAAAA);
}

TEST_F(ClassicRsrc, FieldKindsGiveTheAddressOfTheField)
{
    ASSERT_EQ(load(sample()), 1);
    GEMC_OBJECT *t = tree();
    GEMC_TEDINFO *ted = get<GEMC_TEDINFO>(KIND_TEDINFO, 1);
    GEMC_ICONBLK *ib = get<GEMC_ICONBLK>(KIND_ICONBLK, 0);
    GEMC_BITBLK *bb = get<GEMC_BITBLK>(KIND_BITBLK, 0);
    EXPECT_EQ(get<GEMC_OBJECT>(KIND_OBJECT, OK), t + OK);
    EXPECT_EQ(get<long>(KIND_OBSPEC, OK), &t[OK].ob_spec);
    EXPECT_EQ(get<char *>(KIND_TEPTEXT, 1), &ted->te_ptext);
    EXPECT_EQ(get<char *>(KIND_TEPTMPLT, 1), &ted->te_ptmplt);
    EXPECT_EQ(get<char *>(KIND_TEPVALID, 1), &ted->te_pvalid);
    EXPECT_EQ(get<short *>(KIND_IBPMASK, 0), &ib->ib_pmask);
    EXPECT_EQ(get<short *>(KIND_IBPDATA, 0), &ib->ib_pdata);
    EXPECT_EQ(get<char *>(KIND_IBPTEXT, 0), &ib->ib_ptext);
    EXPECT_EQ(get<short *>(KIND_BIPDATA, 0), &bb->bi_pdata);
}

TEST_F(ClassicRsrc, FreeStringsAndImagesByValueAndByIndexEntry)
{
    ASSERT_EQ(load(sample()), 1);
    EXPECT_STREQ(get<char>(KIND_STRING, 0), "[1][Alert][OK]");
    EXPECT_STREQ(get<char>(KIND_STRING, 1), "Second");
    char **entry = get<char *>(KIND_FRSTR, 1);
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(*entry, "Second");
    GEMC_BITBLK *spare = get<GEMC_BITBLK>(KIND_BITBLK, 1);
    EXPECT_EQ(get<GEMC_BITBLK>(KIND_IMAGEDATA, 0), spare);
    GEMC_BITBLK **image_entry = get<GEMC_BITBLK *>(KIND_FRIMG, 0);
    ASSERT_NE(image_entry, nullptr);
    EXPECT_EQ(*image_entry, spare);
}

TEST_F(ClassicRsrc, OutOfRangeLookupsGiveZeroAndWriteNothing)
{
    ASSERT_EQ(load(sample()), 1);
    const struct {
        int kind, index;
    } cases[] = {
        {KIND_TREE, 2},    {KIND_OBJECT, 11},  {KIND_TEDINFO, 3},   {KIND_ICONBLK, 1},
        {KIND_BITBLK, 2},  {KIND_STRING, 2},   {KIND_IMAGEDATA, 1}, {KIND_OBSPEC, 11},
        {KIND_TEPTEXT, 3}, {KIND_TEPVALID, 3}, {KIND_IBPTEXT, 1},   {KIND_BIPDATA, 2},
        {KIND_FRSTR, 2},   {KIND_FRIMG, 1},    {KIND_TREE, -1},     {17, 0},
        {-1, 0},
    };
    for (const auto &c : cases) {
        void *p = &p;
        EXPECT_EQ(gemc_rsrc_gaddr(c.kind, c.index, &p), 0) << c.kind << " " << c.index;
        EXPECT_EQ(p, &p);
    }
    EXPECT_EQ(gemc_rsrc_gaddr(KIND_TREE, 0, nullptr), 0);
}

TEST_F(ClassicRsrc, SaddrSetsTreeEntriesAndPointerFields)
{
    ASSERT_EQ(load(sample()), 1);
    GEMC_OBJECT *t = tree();
    char text[] = "new";
    EXPECT_EQ(gemc_rsrc_saddr(KIND_TREE, 1, t + OK), 1);
    EXPECT_EQ(get<GEMC_OBJECT>(KIND_TREE, 1), t + OK);
    EXPECT_EQ(gemc_rsrc_saddr(KIND_OBSPEC, STR, text), 1);
    EXPECT_EQ((char *)t[STR].ob_spec, text);
    EXPECT_EQ(gemc_rsrc_saddr(KIND_TEPTEXT, 0, text), 1);
    EXPECT_EQ(get<GEMC_TEDINFO>(KIND_TEDINFO, 0)->te_ptext, text);
    EXPECT_EQ(gemc_rsrc_saddr(KIND_FRSTR, 0, text), 1);
    EXPECT_EQ(get<char>(KIND_STRING, 0), text);
    // Kinds that name records, not fields, and indices out of range.
    for (int kind :
         {KIND_OBJECT, KIND_TEDINFO, KIND_ICONBLK, KIND_BITBLK, KIND_STRING, KIND_IMAGEDATA})
        EXPECT_EQ(gemc_rsrc_saddr(kind, 0, text), 0) << kind;
    EXPECT_EQ(gemc_rsrc_saddr(KIND_TREE, 2, text), 0);
    EXPECT_EQ(gemc_rsrc_saddr(KIND_FRSTR, 2, text), 0);
}

TEST_F(ClassicRsrc, EarlierFilesStayUntilRsrcFree)
{
    ASSERT_EQ(load(sample()), 1);
    GEMC_OBJECT *first = tree();
    Builder b;
    b.tree(leaf(G_STRING, 0, 0, 3, 1, "two"));
    ASSERT_EQ(gemc_rsrc_load(write(b.bytes(), "TWO.RSC").c_str()), 1);
    // Lookups answer from the second file; the first file's trees live on.
    EXPECT_STREQ((const char *)tree()->ob_spec, "two");
    EXPECT_STREQ((const char *)first[STR].ob_spec, "Str");
    void *p = nullptr;
    EXPECT_EQ(gemc_rsrc_gaddr(KIND_TREE, 1, &p), 0);
    EXPECT_EQ(gemc_rsrc_free(), 1);
    EXPECT_EQ(gemc_rsrc_gaddr(KIND_TREE, 0, &p), 0);
}

TEST_F(ClassicRsrc, RefusedFileLeavesTheLoadedOneAndNamesFileAndReason)
{
    ASSERT_EQ(load(sample()), 1);
    GEMC_OBJECT *before = tree();
    Bytes cut = sample();
    cut.resize(30);
    const std::string path = write(cut, "CUT.RSC");
    testing::internal::CaptureStderr();
    EXPECT_EQ(gemc_rsrc_load(path.c_str()), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(path), std::string::npos) << err;
    EXPECT_NE(err.find("too short for a classic header"), std::string::npos) << err;
    EXPECT_EQ(tree(), before);
}

TEST_F(ClassicRsrc, MissingFileAndNullPathAreRefused)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(gemc_rsrc_load((dir_.path() + "/NONE.RSC").c_str()), 0);
    EXPECT_EQ(gemc_rsrc_load(nullptr), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("NONE.RSC cannot be opened"), std::string::npos) << err;
}

TEST_F(ClassicRsrc, LayerFormatFileIsRefusedAsSuch)
{
    const Bytes layer(_guirsh, _guirsh + sizeof _guirsh);
    testing::internal::CaptureStderr();
    EXPECT_EQ(load(layer), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("the layer's own resource format"), std::string::npos) << err;
}

TEST_F(ClassicRsrc, ClassicNamesFromCTakePointerAndLongOuts)
{
    ASSERT_EQ(rsrc_c_load(write(sample()).c_str()), 1);
    long as_long = 0;
    GEMC_OBJECT *as_pointer = nullptr;
    char *alert = nullptr;
    EXPECT_EQ(rsrc_c_lookups(&as_long, &as_pointer, &alert), 4);
    EXPECT_NE(as_pointer, nullptr);
    EXPECT_EQ((GEMC_OBJECT *)as_long, as_pointer);
    EXPECT_STREQ(alert, "[1][Alert][OK]");
    EXPECT_EQ(rsrc_c_free(), 1);
    EXPECT_EQ(gemc_rsrc_gaddr(KIND_TREE, 0, &as_pointer), 0);
}

}  // namespace
