// rsrc_saddr, and images of the first format whose objects carry the codes
// of the record types.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gem/internal.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes builtin_copy() { return Bytes(_guirsh, _guirsh + sizeof _guirsh); }

// Offset of stored object k of the built-in image, from the image start.
size_t object_at(int k) { return 14 + 1042 + 24 * (size_t)k; }

class RsrcSaddr : public ::testing::Test {
protected:
    void SetUp() override { rsrc_include(_guirsh); }
    void TearDown() override { rsrc_include(_guirsh); }
};

TEST_F(RsrcSaddr, SaddrWritesIntoTheInstalledResource)
{
    Bytes image = builtin_copy();
    ASSERT_EQ(rsrc_include(image.data()), 1);
    OBJECT mine[1] = {};
    mine[0].ob_flags = OF_LASTOB;
    OBJECT *p = mine;
    EXPECT_EQ(rsrc_saddr(R_TREE, 2, &p), 1);
    OBJECT *got = nullptr;
    ASSERT_EQ(rsrc_gaddr(R_TREE, 2, &got), 1);
    EXPECT_EQ(got, mine);

    OBJECT ob = _dials[5];
    ob.ob_width = 77;
    ob.ob_xtype = 9;
    EXPECT_EQ(rsrc_saddr(R_OBJECT, 5, &ob), 1);
    EXPECT_EQ(_dials[5].ob_width, 77);
    EXPECT_EQ(_dials[5].ob_xtype, 9);

    TEDINFO ted = _teds[1];
    ted.te_pvalid = 'A';
    EXPECT_EQ(rsrc_saddr(R_TEDINFO, 1, &ted), 1);
    EXPECT_EQ(_teds[1].te_pvalid, 'A');
    rsrc_free();
}

TEST_F(RsrcSaddr, SaddrRefusesBadRequestsAndTheBuiltInResource)
{
    Bytes image = builtin_copy();
    ASSERT_EQ(rsrc_include(image.data()), 1);
    OBJECT ob = {};
    OBJECT *p = &ob;
    const OBJECT before = _dials[61];
    const struct {
        int kind, index;
        const void *in;
    } bad[] = {
        {R_TREE, 3, &p},     {R_TREE, -1, &p},     {R_OBJECT, 62, &ob}, {R_OBJECT, 61, nullptr},
        {R_TEDINFO, 3, &ob}, {R_TEDINFO, -5, &ob}, {3, 0, &ob},
    };
    for (const auto &b : bad)
        EXPECT_EQ(rsrc_saddr(b.kind, b.index, b.in), 0) << b.kind << " " << b.index;
    EXPECT_EQ(memcmp(&_dials[61], &before, sizeof before), 0);

    ASSERT_EQ(rsrc_include(_guirsh), 1);
    OBJECT *first = _trees[0];
    EXPECT_EQ(rsrc_saddr(R_TREE, 0, &p), 0);
    EXPECT_EQ(rsrc_saddr(R_OBJECT, 0, &ob), 0);
    EXPECT_EQ(_trees[0], first);
    EXPECT_NE(_dials[0].ob_width, 0);

    _rsrc_release();  // nothing installed: nothing to write into
    EXPECT_EQ(rsrc_saddr(R_OBJECT, 0, &ob), 0);
}

TEST_F(RsrcSaddr, RecordCodesInTheFirstFormatStayInlineBoxes)
{
    // Object 3 of the built-in image is an inline-valued box (spec 1).
    for (int type : {OT_ICON, OT_FBOXTEXT, OT_TEXT, OT_BOXTEXT, OT_IMAGE, OT_USERDEF, OT_BUTTON}) {
        SCOPED_TRACE(type);
        Bytes image = builtin_copy();
        image[object_at(3) + 6] = (unsigned char)type;
        ASSERT_EQ(rsrc_include(image.data()), 1);
        EXPECT_EQ(_dials[3].ob_type, type);
        EXPECT_EQ(_dials[3].ob_spec, 1);
        EXPECT_EQ(_dials[3].ob_xflags, OX_INLINE);
        EXPECT_EQ(_dials[2].ob_xflags, 0);  // the others' new fields stay 0
        EXPECT_EQ(_dials[3].ob_xstate | _dials[3].ob_xtype | _dials[3].ob_thick |
                      _dials[3].ob_just | _dials[3].ob_look,
                  0);
        rsrc_free();
    }
}

TEST_F(RsrcSaddr, BuiltInImageInstallsWithNoNewFields)
{
    ASSERT_EQ(rsrc_include(_guirsh), 1);
    for (int k = 0; k < _rshdr.rsh_nobs; k++) {
        const OBJECT &o = _dials[k];
        EXPECT_EQ(o.ob_xflags | o.ob_xstate | o.ob_xtype | o.ob_thick | o.ob_just | o.ob_look, 0)
            << k;
    }
}

}  // namespace
