// Images whose extension does not check out whole are refused as damaged,
// and leave the installed resource as it was. The sound image they are
// made from is built by mkrsc.
#include <gtest/gtest.h>

#include <cstring>

#include "gem/internal.h"
#include "support/mkrsc_files.h"

namespace {

using namespace mkrsc_test;
using namespace stored;

// Object 1 a button, 2 a boxed text, 3 a bit image, 4 an icon, 5 a
// user-drawn object.
const char DESCRIPTION[] = "tree {\n"
                           "  box at 0,0 size 99,99 {\n"
                           "    button \"B\"\n"
                           "    boxtext \"T\" template \"\"\n"
                           "    image\n"
                           "      bits \"#.#.\"\n"
                           "      bits \".#.#\"\n"
                           "    icon \"I\"\n"
                           "      mask \"##\"\n"
                           "      data \"#.\"\n"
                           "    userdef parm 7\n"
                           "  }\n"
                           "}\n";
enum { BUTTON = 1, BOXTEXT, IMAGE, ICON, USERDEF };

void put16(Bytes &b, size_t at, long v)
{
    b[at] = (unsigned char)(v & 0xff);
    b[at + 1] = (unsigned char)((v >> 8) & 0xff);
}

void put32(Bytes &b, size_t at, long v)
{
    put16(b, at, v & 0xffff);
    put16(b, at + 2, (v >> 16) & 0xffff);
}

// File offsets of the parts of the image.
struct Parts {
    size_t trailer, header, objects, bitblk, iconblk, userblk;
    size_t rssize;
};

Parts parts(const Bytes &b)
{
    const RSHDR h = read_header(b.data());
    const unsigned char *data = b.data() + HEADER_SIZE;
    Parts p{};
    p.rssize = h.rsh_rssize;
    p.trailer = HEADER_SIZE + h.rsh_rssize - EXT_TRAILER_SIZE;
    const unsigned x = read_u16(b.data() + p.trailer + EXT_HEADER_AT);
    p.header = HEADER_SIZE + x;
    p.objects = HEADER_SIZE + read_u16(data + x + EXT_OBJECT);
    p.bitblk = HEADER_SIZE + read_u16(data + x + EXT_BITBLK);
    p.iconblk = HEADER_SIZE + read_u16(data + x + EXT_ICONBLK);
    p.userblk = HEADER_SIZE + read_u16(data + x + EXT_USERBLK);
    return p;
}

size_t object_at(const Bytes &b, int k)
{
    return HEADER_SIZE + read_header(b.data()).rsh_object + OBJECT_SIZE * (size_t)k;
}

struct Damage {
    const char *what;
    void (*apply)(Bytes &, const Parts &);
};

const Damage DAMAGES[] = {
    {"unknown version", [](Bytes &b, const Parts &p) { put16(b, p.trailer + EXT_VERSION_AT, 2); }},
    {"header past the block",
     [](Bytes &b, const Parts &p) { put16(b, p.trailer + EXT_HEADER_AT, (long)p.rssize - 8); }},
    {"object count not the header's",
     [](Bytes &b, const Parts &p) { put16(b, p.header + EXT_NOBS, 5); }},
    {"object table past the block",
     [](Bytes &b, const Parts &p) { put16(b, p.header + EXT_OBJECT, (long)p.rssize - 40); }},
    {"bit image table past the block",
     [](Bytes &b, const Parts &p) { put16(b, p.header + EXT_NBITBLKS, 9000); }},
    {"icon table past the block",
     [](Bytes &b, const Parts &p) { put16(b, p.header + EXT_ICONBLK, 0xfff0); }},
    {"user table past the block",
     [](Bytes &b, const Parts &p) { put16(b, p.header + EXT_NUSERBLKS, 0xffff); }},
    {"indirect spec",
     [](Bytes &b, const Parts &p) { put16(b, p.objects + XOB_XFLAGS, OX_INDIRECT); }},
    {"odd bytes a row", [](Bytes &b, const Parts &p) { put16(b, p.bitblk + BI_WB, 3); }},
    {"negative bytes a row", [](Bytes &b, const Parts &p) { put16(b, p.bitblk + BI_WB, -2); }},
    {"negative rows", [](Bytes &b, const Parts &p) { put16(b, p.bitblk + BI_HL, -1); }},
    {"bit data past the block",
     [](Bytes &b, const Parts &p) { put32(b, p.bitblk + BI_PDATA, (long)p.rssize - 2); }},
    {"bit data of a huge offset",
     [](Bytes &b, const Parts &p) { put32(b, p.bitblk + BI_PDATA, 0xfffffffeL); }},
    {"bit data larger than the block",
     [](Bytes &b, const Parts &p) { put16(b, p.bitblk + BI_HL, 0x7fff); }},
    {"negative icon width", [](Bytes &b, const Parts &p) { put16(b, p.iconblk + IB_WICON, -16); }},
    {"negative icon height", [](Bytes &b, const Parts &p) { put16(b, p.iconblk + IB_HICON, -1); }},
    {"negative text width", [](Bytes &b, const Parts &p) { put16(b, p.iconblk + IB_WTEXT, -1); }},
    {"negative text height", [](Bytes &b, const Parts &p) { put16(b, p.iconblk + IB_HTEXT, -1); }},
    {"mask past the block",
     [](Bytes &b, const Parts &p) { put32(b, p.iconblk + IB_PMASK, (long)p.rssize); }},
    {"data past the block",
     [](Bytes &b, const Parts &p) { put32(b, p.iconblk + IB_PDATA, (long)p.rssize - 1); }},
    {"icon text past the block",
     [](Bytes &b, const Parts &p) { put32(b, p.iconblk + IB_PTEXT, (long)p.rssize); }},
    {"icon planes larger than the block",
     [](Bytes &b, const Parts &p) { put16(b, p.iconblk + IB_HICON, 0x7fff); }},
    {"image spec inside a record",
     [](Bytes &b, const Parts &p) {
         put32(b, object_at(b, IMAGE) + OB_SPEC, (long)(p.bitblk - HEADER_SIZE + 2));
     }},
    {"icon spec past its table",
     [](Bytes &b, const Parts &p) {
         put32(b, object_at(b, ICON) + OB_SPEC, (long)(p.iconblk - HEADER_SIZE + ICONBLK_SIZE));
     }},
    {"user spec before its table",
     [](Bytes &b, const Parts &p) {
         put32(b, object_at(b, USERDEF) + OB_SPEC, (long)(p.userblk - HEADER_SIZE - 4));
     }},
    {"button string past the block",
     [](Bytes &b, const Parts &p) { put32(b, object_at(b, BUTTON) + OB_SPEC, (long)p.rssize); }},
    {"boxed text spec not a record",
     [](Bytes &b, const Parts &) { put32(b, object_at(b, BOXTEXT) + OB_SPEC, 0); }},
};

class ExtensionDamage : public ::testing::Test {
protected:
    void SetUp() override { rsrc_include(_guirsh); }
    void TearDown() override { rsrc_include(_guirsh); }
};

TEST_F(ExtensionDamage, TheSoundImageInstalls)
{
    Bytes image = compile(DESCRIPTION);
    ASSERT_EQ(rsrc_include(image.data()), 1);
    EXPECT_EQ(((const USERBLK *)_dials[USERDEF].ob_spec)->ub_parm, 7);
    EXPECT_EQ((unsigned short)((const BITBLK *)_dials[IMAGE].ob_spec)->bi_pdata[1], 0x5000);
    rsrc_free();
}

TEST_F(ExtensionDamage, EachDamageIsRefusedAndChangesNothing)
{
    const Bytes sound = compile(DESCRIPTION);
    const Parts p = parts(sound);
    for (const Damage &d : DAMAGES) {
        SCOPED_TRACE(d.what);
        Bytes image = sound;
        d.apply(image, p);
        ASSERT_NE(image, sound);
        const Bytes before = image;
        OBJECT *const *trees = _trees;
        const OBJECT *dials = _dials;
        EXPECT_EQ(rsrc_include(image.data()), 0);
        EXPECT_EQ(_trees, trees);
        EXPECT_EQ(_dials, dials);
        EXPECT_EQ(image, before);
        EXPECT_THROW(mkrsc::dump(image), mkrsc::Error);
    }
}

}  // namespace
