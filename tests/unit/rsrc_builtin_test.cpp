// The built-in dialog image, read byte by byte as a stored image and
// compared with the published layout: header, string area, formatted-text
// records, every object of the three trees, tree index and sibling chains.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gem/internal.h"

namespace {

const unsigned char *data() { return _guirsh + 14; }

int u16(const unsigned char *p) { return p[0] | p[1] << 8; }
int s16(const unsigned char *p) { return (short)u16(p); }
long u32(const unsigned char *p) { return (long)u16(p) | (long)u16(p + 2) << 16; }

const unsigned char *object(int k) { return data() + 1042 + 24 * k; }

// One object row as the layout tables write it: index, next, head, tail,
// type, flags (D default, E exit, L last, F framed, - none), colbyte (hex),
// font, border, fill, x, y, w, h, ob_spec.
struct Row {
    const char *text;
};

// Trees 0, 1 and 2 in array order; the 32 name slots (6-37) are checked
// separately below.
const Row TREE0[] = {
    {"0 -1 1 47 BOX F 10 0 1 0 2 30 320 200 0"},
    {"1 2 -1 -1 STRING - 13 0 0 0 101 2 104 8 814"},
    {"2 3 -1 -1 SCROLLTEXT - 01 0 0 0 8 12 304 8 1006"},
    {"3 4 -1 -1 BOXCHAR EF 11 0 1 0 12 24 24 16 1"},
    {"4 5 -1 -1 SCROLLTEXT - 01 0 0 0 60 32 192 8 1018"},
    {"5 38 6 37 IBOX F 10 0 1 0 0 44 320 136 0"},
    {"38 39 -1 -1 STRING DEF 11 0 1 3 76 184 66 12 906"},
    {"39 40 -1 -1 STRING EF 11 0 1 2 184 184 66 12 913"},
    {"40 41 -1 -1 STRING E 11 0 0 0 60 22 24 8 970"},
    {"41 42 -1 -1 STRING E 11 0 0 0 92 22 24 8 589"},
    {"42 43 -1 -1 STRING E 11 0 0 0 124 22 24 8 593"},
    {"43 44 -1 -1 STRING E 11 0 0 0 156 22 24 8 597"},
    {"44 45 -1 -1 STRING E 11 0 0 0 188 22 24 8 601"},
    {"45 46 -1 -1 STRING E 11 0 0 0 220 22 24 8 605"},
    {"46 47 -1 -1 BOXCHAR EF 11 0 1 0 8 184 16 12 4"},
    {"47 0 -1 -1 BOXCHAR ELF 11 0 1 0 296 184 16 12 3"},
};
const Row TREE1[] = {
    {"0 -1 1 9 BOX F 10 0 1 0 2 30 272 104 0"},
    {"1 2 -1 -1 STRING - 12 1 0 0 112 4 40 16 768"},
    {"2 3 -1 -1 STRING - 11 0 0 0 8 24 256 8 774"},
    {"3 4 -1 -1 STRING - 11 0 0 0 8 36 256 8 609"},
    {"4 5 -1 -1 STRING - 11 0 0 0 8 48 256 8 642"},
    {"5 6 -1 -1 STRING - 11 0 0 0 8 60 256 8 675"},
    {"6 7 -1 -1 STRING - 11 0 0 0 8 72 256 8 708"},
    {"7 8 -1 -1 STRING DEF 11 0 1 0 8 88 66 12 807"},
    {"8 9 -1 -1 STRING EF 11 0 1 0 104 88 66 12 741"},
    {"9 0 -1 -1 STRING ELF 11 0 1 0 192 88 66 12 748"},
};
const Row TREE2[] = {
    {"0 -1 1 3 BOX F 10 0 1 0 2 30 108 68 0"},
    {"1 2 -1 -1 EDTEXT - 01 0 0 0 16 32 80 8 1030"},
    {"2 3 -1 -1 STRING DEF 11 0 1 0 16 48 66 12 761"},
    {"3 0 -1 -1 STRING L 02 1 0 0 28 6 48 16 755"},
};

int type_code(const std::string &name)
{
    if (name == "BOX")
        return OT_BOX;
    if (name == "IBOX")
        return OT_IBOX;
    if (name == "BOXCHAR")
        return OT_BOXCHAR;
    if (name == "STRING")
        return OT_STRING;
    if (name == "EDTEXT")
        return OT_EDTEXT;
    if (name == "SCROLLTEXT")
        return OT_SCROLLTEXT;
    return -1;
}

int flag_bits(const std::string &letters)
{
    int f = 0;
    for (char c : letters) {
        f |= c == 'D'   ? OF_DEFAULT
             : c == 'E' ? OF_EXIT
             : c == 'L' ? OF_LASTOB
             : c == 'F' ? OF_FRAMED
                        : 0;
    }
    return f;
}

void expect_rows(const Row *rows, size_t n, int first)
{
    for (size_t r = 0; r < n; r++) {
        int idx, next, head, tail, col, font, border, fill, x, y, w, h;
        long obspec;
        char type[16], flags[8];
        ASSERT_EQ(15, sscanf(rows[r].text, "%d %d %d %d %15s %7s %x %d %d %d %d %d %d %d %ld", &idx,
                             &next, &head, &tail, type, flags, &col, &font, &border, &fill, &x, &y,
                             &w, &h, &obspec));
        const unsigned char *o = object(first + idx);
        SCOPED_TRACE(rows[r].text);
        EXPECT_EQ(next, s16(o + 0));
        EXPECT_EQ(head, s16(o + 2));
        EXPECT_EQ(tail, s16(o + 4));
        EXPECT_EQ(type_code(type), o[6]);
        EXPECT_EQ(flag_bits(flags), o[7]);
        EXPECT_EQ(col, o[8]);
        EXPECT_EQ(font, o[9]);
        EXPECT_EQ(border, o[10]);
        EXPECT_EQ(fill, o[11]);
        EXPECT_EQ(obspec, u32(o + 12));
        EXPECT_EQ(x, s16(o + 16));
        EXPECT_EQ(y, s16(o + 18));
        EXPECT_EQ(w, s16(o + 20));
        EXPECT_EQ(h, s16(o + 22));
    }
}

std::string string_at(long offset) { return reinterpret_cast<const char *>(data() + offset); }

// The chain of a parent's children, from ob_head along ob_next back to it.
std::vector<int> children(int first, int parent)
{
    std::vector<int> out;
    for (int c = s16(object(first + parent) + 2); c != parent && out.size() < 64;
         c = s16(object(first + c) + 0))
        out.push_back(c);
    return out;
}

TEST(BuiltinImage, HeaderAndAreas)
{
    const int expected[] = {2542, 1006, 1042, 2530, 3, 62, 3};
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(expected[i], s16(_guirsh + 2 * i)) << "header field " << i;
    EXPECT_EQ(2556u, sizeof _guirsh);
    // Tree index: the array objects 0, 48 and 58.
    EXPECT_EQ(1042, u32(data() + 2530));
    EXPECT_EQ(2194, u32(data() + 2534));
    EXPECT_EQ(2434, u32(data() + 2538));
}

TEST(BuiltinImage, Strings)
{
    const std::string x18(18, 'x'), x32(32, 'x');
    for (int k = 0; k < 31; k++)
        EXPECT_EQ(x18, string_at(19 * k)) << "slot string " << k;
    const struct {
        long at;
        std::string text;
    } fixed[] = {
        {589, "C  "},
        {593, "H  "},
        {597, "TXT"},
        {601, "DOC"},
        {605, "PCX"},
        {609, x32},
        {642, x32},
        {675, x32},
        {708, x32},
        {741, "BUTTON"},
        {748, "BUTTON"},
        {755, "Input"},
        {761, "Return"},
        {768, "Which"},
        {774, x32},
        {807, "BUTTON"},
        {814, "Select a file"},
        {828, std::string(38, '_')},
        {867, std::string(38, '_')},
        {906, "Select"},
        {913, "Cancel"},
        {920, std::string(24, '_')},
        {945, std::string(24, '_')},
        {970, "*"},
        {972, x18},
        {991, "___"},
        {995, "Input: ___"},
    };
    for (const auto &s : fixed)
        EXPECT_EQ(s.text, string_at(s.at)) << "string at " << s.at;
    // The area is exactly filled: the last string's NUL is byte 1005.
    EXPECT_EQ(0, data()[1005]);
}

TEST(BuiltinImage, FormattedTextRecords)
{
    const long expected[3][4] = {{828, 867, 'X', 256}, {920, 945, 'X', 128}, {991, 995, 'x', 0}};
    for (int t = 0; t < 3; t++) {
        const unsigned char *ted = data() + 1006 + 12 * t;
        EXPECT_EQ(expected[t][0], u32(ted));
        EXPECT_EQ(expected[t][1], u32(ted + 4));
        EXPECT_EQ(expected[t][2], s16(ted + 8));
        EXPECT_EQ(expected[t][3], s16(ted + 10));
    }
}

TEST(BuiltinImage, EveryObject)
{
    expect_rows(TREE0, sizeof TREE0 / sizeof *TREE0, 0);
    expect_rows(TREE1, sizeof TREE1 / sizeof *TREE1, 48);
    expect_rows(TREE2, sizeof TREE2 / sizeof *TREE2, 58);
    // The file name slots: two columns of 16 inside the list frame.
    for (int k = 6; k <= 37; k++) {
        char row[96];
        const int col = (k - 6) / 16;
        snprintf(row, sizeof row, "%d %d -1 -1 STRING E 11 0 0 0 %d %d 144 8 %d", k,
                 k == 37 ? 5 : k + 1, col ? 168 : 8, 4 + 8 * ((k - 6) % 16),
                 k == 6 ? 972 : 19 * (k - 7));
        const Row r{row};
        expect_rows(&r, 1, 0);
    }
}

TEST(BuiltinImage, SiblingChainsAndLastObjects)
{
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47}),
              children(0, 0));
    std::vector<int> slots;
    for (int k = 6; k <= 37; k++)
        slots.push_back(k);
    EXPECT_EQ(slots, children(0, 5));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}), children(48, 0));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), children(58, 0));
    // Only the last object of each tree is marked last; nothing starts
    // selected, hidden, disabled or checked.
    for (int k = 0; k < 62; k++) {
        const int flags = object(k)[7];
        EXPECT_EQ(k == 47 || k == 57 || k == 61, (flags & OF_LASTOB) != 0) << k;
        EXPECT_EQ(0, flags & (OF_SELECTED | OF_HIDDEN | OF_DISABLED | OF_CHECKED)) << k;
    }
}

}  // namespace
