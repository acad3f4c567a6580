// The classic .RSC reader: a sound file decodes to its records in host
// order, and each kind of damage is refused with its own reason.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gem/classic/rscfile.h"
#include "support/classic_rsc.h"

namespace {

using namespace classic_rsc;

// Objects of the base file's one tree.
enum { ROOT, STR, FTEXT, ICON, IMAGE };

Node child(unsigned short type, const std::string &text = "", int record = -1)
{
    Node n;
    n.ob.type = type;
    n.ob.text = text;
    n.ob.record = record;
    n.ob.w = 4;
    n.ob.h = 1;
    return n;
}

// A tree of a box holding a string, an editable text, an icon and an image;
// a free string and a free image.
Bytes base(Layout &l)
{
    Builder b;
    const int ted = b.ted({"ab", "__", "99"});
    Icon icon;
    icon.mask = {0xFFFF};
    icon.data = {0x0F0F};
    icon.hicon = 1;
    icon.text = "I";
    const int ib = b.icon(icon);
    Image image;
    image.words = {0x1234, 0x5678};
    image.hl = 2;
    const int bb = b.image(image);
    b.free_image(bb);
    b.free_string("free");
    Node root = child(G_BOX);
    root.ob.spec = 0x00FF1100;
    root.children = {child(G_STRING, "s"), child(G_FTEXT, "", ted), child(G_ICON, "", ib),
                     child(G_IMAGE, "", bb)};
    b.tree(root);
    return b.bytes(&l);
}

TEST(ClassicRscFile, SoundFileDecodesToItsRecords)
{
    Layout l;
    const Bytes file = base(l);
    rscfile::Resource r;
    std::string reason;
    ASSERT_TRUE(rscfile::decode(file.data(), file.size(), r, reason)) << reason;
    EXPECT_EQ(r.header.rssize, file.size());
    EXPECT_EQ(r.header.object, l.object);
    ASSERT_EQ(r.objects.size(), 5u);
    ASSERT_EQ(r.trees.size(), 1u);
    EXPECT_EQ(r.trees[0].root, 0);
    EXPECT_EQ(r.trees[0].count, 5);
    EXPECT_EQ(r.objects[ROOT].spec, 0x00FF1100u);
    EXPECT_EQ(r.objects[ROOT].head, STR);
    EXPECT_EQ(r.objects[ROOT].tail, IMAGE);
    EXPECT_EQ(r.objects[IMAGE].flags, LASTOB);
    EXPECT_EQ(r.text(r.objects[STR].spec), "s");
    EXPECT_EQ(r.objects[FTEXT].record, 0);
    EXPECT_EQ(r.objects[ICON].record, 0);
    EXPECT_EQ(r.objects[IMAGE].record, 0);
    EXPECT_EQ(r.objects[STR].record, -1);
    ASSERT_EQ(r.teds.size(), 1u);
    EXPECT_EQ(r.text(r.teds[0].ptmplt), "__");
    EXPECT_EQ(r.teds[0].txtlen, 3);
    ASSERT_EQ(r.bits.size(), 1u);
    EXPECT_EQ(r.words(r.bits[0].pdata, 2), (std::vector<uint16_t>{0x1234, 0x5678}));
    ASSERT_EQ(r.icons.size(), 1u);
    EXPECT_EQ(r.words(r.icons[0].pdata, 1), (std::vector<uint16_t>{0x0F0F}));
    ASSERT_EQ(r.frstr.size(), 1u);
    EXPECT_EQ(r.text(r.frstr[0]), "free");
    EXPECT_EQ(r.frimg, (std::vector<int>{0}));
}

TEST(ClassicRscFile, BytesAfterTheSizeAreIgnored)
{
    Layout l;
    Bytes file = base(l);
    file.resize(file.size() + 100, 0xEE);
    rscfile::Resource r;
    std::string reason;
    EXPECT_TRUE(rscfile::decode(file.data(), file.size(), r, reason)) << reason;
    EXPECT_EQ(r.bytes.size(), l.size);
}

struct Damage {
    const char *name;
    std::function<void(Bytes &, const Layout &)> apply;
    const char *reason;
};

size_t object(const Layout &l, int k) { return l.object + 24u * (unsigned)k; }

const Damage DAMAGES[] = {
    {"truncated header", [](Bytes &b, const Layout &) { b.resize(20); },
     "is too short for a classic header (20 bytes"},
    {"cut short", [](Bytes &b, const Layout &) { b.pop_back(); }, "is cut short"},
    {"size below the header", [](Bytes &b, const Layout &) { put16(b, 34, 20); },
     "smaller than its header"},
    {"object count overflow", [](Bytes &b, const Layout &) { put16(b, 20, 0xFFFF); },
     "65535 records of rsh_nobs"},
    {"odd table", [](Bytes &b, const Layout &l) { put16(b, 2, l.object + 1); }, "rsh_object"},
    {"table in the header", [](Bytes &b, const Layout &) { put16(b, 4, 2); },
     "rsh_tedinfo 0x2 lies inside the header"},
    {"string area past the end", [](Bytes &b, const Layout &l) { put16(b, 12, l.size + 2); },
     "rsh_string"},
    {"te_ptext past the end", [](Bytes &b, const Layout &l) { put32(b, l.tedinfo, l.size + 5); },
     "TEDINFO 0's te_ptext at"},
    {"unterminated string",
     [](Bytes &b, const Layout &l) {
         b.back() = 'x';
         put32(b, l.tedinfo + 8, l.size - 1);
     },
     "te_pvalid at 0x"},
    {"huge edit buffer", [](Bytes &b, const Layout &l) { put16(b, l.tedinfo + 24, 5000); },
     "te_txtlen 5000"},
    {"negative icon", [](Bytes &b, const Layout &l) { put16(b, l.iconblk + 22, 0xFFF0); },
     "ICONBLK 0 has a negative size"},
    {"icon data past the end", [](Bytes &b, const Layout &l) { put16(b, l.iconblk + 24, 9999); },
     "ICONBLK 0's mask"},
    {"odd image width", [](Bytes &b, const Layout &l) { put16(b, l.bitblk + 4, 3); },
     "BITBLK 0 has bi_wb 3"},
    {"odd image data", [](Bytes &b, const Layout &l) { put32(b, l.bitblk, l.imdata + 1); },
     "BITBLK 0's image at"},
    {"indirect object", [](Bytes &b, const Layout &l) { put16(b, object(l, STR) + 8, 0x100); },
     "object 1 is INDIRECT"},
    {"spec inside a record",
     [](Bytes &b, const Layout &l) { put32(b, object(l, FTEXT) + 12, l.tedinfo + 2); },
     "object 2 (type 29) has ob_spec"},
    {"string past the end",
     [](Bytes &b, const Layout &l) { put32(b, object(l, STR) + 12, l.size); },
     "object 1's string at"},
    {"tree inside an object", [](Bytes &b, const Layout &l) { put32(b, l.trindex, l.object + 2); },
     "tree 0 is at"},
    {"no LASTOB", [](Bytes &b, const Layout &l) { put16(b, object(l, IMAGE) + 8, 0); },
     "no LASTOB object"},
    {"link out of the tree", [](Bytes &b, const Layout &l) { put16(b, object(l, STR), 9); },
     "object 1 has ob_next 9, outside the tree's 5 objects"},
    {"link loop", [](Bytes &b, const Layout &l) { put16(b, object(l, STR), STR); },
     "reach object 1 twice"},
    {"own child", [](Bytes &b, const Layout &l) { put16(b, object(l, ROOT) + 2, ROOT); },
     "0 make it its own child"},
    {"root with a sibling", [](Bytes &b, const Layout &l) { put16(b, object(l, ROOT), STR); },
     "(the root) give it a sibling"},
    {"wrong tail", [](Bytes &b, const Layout &l) { put16(b, object(l, ROOT) + 4, STR); },
     "as the last child, not 4"},
    {"no way back", [](Bytes &b, const Layout &l) { put16(b, object(l, IMAGE), 0xFFFF); },
     "no way back to its parent"},
    {"free string past the end", [](Bytes &b, const Layout &l) { put32(b, l.frstr, l.size + 9); },
     "free string 0 at"},
    {"free image inside a record",
     [](Bytes &b, const Layout &l) { put32(b, l.frimg, l.bitblk + 1); }, "free image 0 is at"},
};

TEST(ClassicRscFile, EachDamageIsRefusedWithItsReason)
{
    for (const Damage &d : DAMAGES) {
        SCOPED_TRACE(d.name);
        Layout l;
        Bytes file = base(l);
        d.apply(file, l);
        rscfile::Resource r;
        std::string reason;
        EXPECT_FALSE(rscfile::decode(file.data(), file.size(), r, reason));
        EXPECT_NE(reason.find(d.reason), std::string::npos) << reason;
    }
}

TEST(ClassicRscFile, NoBytesAtAllIsRefused)
{
    rscfile::Resource r;
    std::string reason;
    EXPECT_FALSE(rscfile::decode(nullptr, 0, r, reason));
    EXPECT_NE(reason.find("too short"), std::string::npos);
}

TEST(ClassicRscFile, EmptyTablesMayLieAnywhereInTheFile)
{
    Builder b;
    b.tree(child(G_IBOX));
    Layout l;
    Bytes file = b.bytes(&l);
    put16(file, 4, 37);  // rsh_tedinfo: odd, but no TEDINFO is there
    rscfile::Resource r;
    std::string reason;
    EXPECT_TRUE(rscfile::decode(file.data(), file.size(), r, reason)) << reason;
}

}  // namespace
