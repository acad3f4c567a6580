// Raster copies between two memory forms: no screen involved, so these run
// without starting the layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gem/internal.h"
#include "support/memory_form.h"

namespace {

using Form = MemoryForm;

// Source pixel (x, y) is a value that tells where it came from; never 0.
Form numbered(short w, short h)
{
    Form f(w, h, 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            f.set(x, y, (unsigned char)(1 + (x + 13 * y) % 250));
    return f;
}

TEST(RasterCopyMemory, ReplaceHonoursEachFormsRowLength)
{
    Form src = numbered(10, 8), dst(7, 9, 0xAA);
    short pxy[8] = {2, 1, 5, 4, 1, 2, 4, 5};
    vro_cpyfm(0, 3, pxy, &src.mfdb, &dst.mfdb);
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 7; x++) {
            bool inside = x >= 1 && x <= 4 && y >= 2 && y <= 5;
            EXPECT_EQ(dst.at(x, y), inside ? src.at(x + 1, y - 1) : 0xAA) << x << "," << y;
        }
}

TEST(RasterCopyMemory, TransparentLeavesZeroSourcePixelsOut)
{
    Form src = numbered(4, 4), dst(4, 4, 9);
    src.set(1, 1, 0);
    src.set(3, 2, 0);
    short pxy[8] = {0, 0, 3, 3, 0, 0, 3, 3};
    vro_cpyfm(0, 5, pxy, &src.mfdb, &dst.mfdb);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(dst.at(x, y), src.at(x, y) ? src.at(x, y) : 9) << x << "," << y;

    // All zero: nothing changes.
    Form zero(4, 4, 0), keep(4, 4, 5);
    vro_cpyfm(0, 5, pxy, &zero.mfdb, &keep.mfdb);
    EXPECT_EQ(keep.bytes, std::vector<unsigned char>(16, 5));
}

TEST(RasterCopyMemory, NegativeStartsShiftTheOtherSide)
{
    Form src = numbered(8, 8), dst(12, 12, 0);
    // Source from x = -3: columns 0.. go to 3 right of dx1 = 2.
    short pxy[8] = {-3, 0, 4, 1, 2, 0, 9, 1};
    vro_cpyfm(0, 3, pxy, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(dst.at(4, 0), 0);
    EXPECT_EQ(dst.at(5, 0), src.at(0, 0));
    EXPECT_EQ(dst.at(9, 1), src.at(4, 1));
    EXPECT_EQ(dst.at(10, 0), 0);

    // Destination from y = -2: the source starts 2 rows further down.
    Form d2(8, 8, 0);
    short up[8] = {0, 0, 1, 5, 0, -2, 1, 3};
    vro_cpyfm(0, 3, up, &src.mfdb, &d2.mfdb);
    EXPECT_EQ(d2.at(0, 0), src.at(0, 2));
    EXPECT_EQ(d2.at(1, 3), src.at(1, 5));
    EXPECT_EQ(d2.at(0, 4), 0);
}

TEST(RasterCopyMemory, SizeIsTheShorterRectangleAndTheNarrowerForm)
{
    Form src = numbered(120, 3), dst(120, 3, 0);
    short pxy[8] = {0, 0, 99, 0, 0, 0, 49, 0};  // 100 wide into 50 wide
    vro_cpyfm(0, 3, pxy, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(dst.at(49, 0), src.at(49, 0));
    EXPECT_EQ(dst.at(50, 0), 0);

    // A form narrower than both rectangles limits the width further; its
    // height limits the rows the same way.
    Form narrow(30, 2, 0);
    short wide[8] = {0, 0, 99, 2, 0, 0, 99, 2};
    vro_cpyfm(0, 3, wide, &src.mfdb, &narrow.mfdb);
    EXPECT_EQ(narrow.at(29, 1), src.at(29, 1));
    EXPECT_EQ(narrow.at(0, 1), src.at(0, 1));
}

TEST(RasterCopyMemory, RectanglesPastAFormsEdgesStopAtThem)
{
    // The forms describe the first 8 x 4 bytes of a larger block, so bytes
    // past their last row can be looked at.
    Form src = numbered(8, 8), dst(8, 8, 0);
    src.mfdb.fd_h = 4;
    dst.mfdb.fd_h = 4;
    std::vector<unsigned char> zero(64, 0);

    // Destination from column 5, 6 wide: columns 5 to 7 only, nothing wraps
    // into the start of the next row.
    short right[8] = {0, 0, 5, 1, 5, 0, 10, 1};
    vro_cpyfm(0, 3, right, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(dst.at(5, 0), src.at(0, 0));
    EXPECT_EQ(dst.at(7, 1), src.at(2, 1));
    EXPECT_EQ(dst.at(0, 1), 0);
    EXPECT_EQ(dst.at(1, 2), 0);

    // Destination from row 2, 4 high: rows 2 and 3 only, in both modes.
    for (int mode : {3, 5}) {
        dst.bytes = zero;
        short down[8] = {0, 0, 7, 3, 0, 2, 7, 5};
        vro_cpyfm(0, mode, down, &src.mfdb, &dst.mfdb);
        EXPECT_EQ(dst.at(0, 2), src.at(0, 0)) << mode;
        EXPECT_EQ(dst.at(7, 3), src.at(7, 1)) << mode;
        EXPECT_TRUE(std::all_of(dst.bytes.begin() + 32, dst.bytes.end(), [](unsigned char b) {
            return b == 0;
        })) << mode;
    }

    // A source reaching past its form copies only what the form holds.
    dst.bytes = zero;
    short below[8] = {6, 2, 7, 7, 0, 0, 1, 3};
    vro_cpyfm(0, 3, below, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(dst.at(1, 1), src.at(7, 3));
    EXPECT_EQ(dst.at(0, 2), 0);

    // A start past a form's edge copies nothing.
    dst.bytes = zero;
    short outside[8] = {0, 0, 3, 3, 8, 0, 11, 3};
    vro_cpyfm(0, 3, outside, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(dst.bytes, zero);
}

TEST(RasterCopyMemory, EmptyRectanglesAndOtherModesDoNothing)
{
    Form src = numbered(8, 8), dst(8, 8, 0);
    short backwards[8] = {5, 0, 2, 7, 0, 0, 7, 7};
    vro_cpyfm(0, 3, backwards, &src.mfdb, &dst.mfdb);
    short whole[8] = {0, 0, 7, 7, 0, 0, 7, 7};
    for (int mode : {1, 2, 4, 6, 7, 16, -3})
        vro_cpyfm(0, mode, whole, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(dst.bytes, std::vector<unsigned char>(64, 0));

    // The caller's rectangle is not changed.
    short negative[8] = {-3, -2, 4, 5, 1, 1, 6, 6};
    vro_cpyfm(0, 3, negative, &src.mfdb, &dst.mfdb);
    EXPECT_EQ(negative[0], -3);
    EXPECT_EQ(negative[1], -2);
    EXPECT_EQ(negative[4], 1);
}

TEST(RasterCopyMemory, OverlappingCopyWithinOneFormKeepsTheSourceImage)
{
    // Along a row, and down and up by a row with a part of the width, in
    // both modes: the destination shows the source as it was.
    struct Case {
        short pxy[8];
        int mode;
    };
    const Case cases[] = {
        {{0, 0, 9, 0, 3, 0, 12, 0}, 3},  {{2, 0, 9, 4, 2, 1, 9, 5}, 3},
        {{2, 1, 9, 5, 2, 0, 9, 4}, 3},   {{2, 0, 9, 4, 2, 1, 9, 5}, 5},
        {{0, 0, 9, 0, 3, 0, 12, 0}, 5},   // transparent, along a row
        {{0, 0, 15, 4, 0, 2, 15, 6}, 3},  // whole rows: one block
    };
    for (const Case &c : cases) {
        Form f = numbered(16, 8);
        std::vector<unsigned char> original = f.bytes;
        vro_cpyfm(0, c.mode, c.pxy, &f.mfdb, &f.mfdb);
        int w = c.pxy[2] - c.pxy[0] + 1, h = c.pxy[3] - c.pxy[1] + 1;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                ASSERT_EQ(f.at(c.pxy[4] + x, c.pxy[5] + y),
                          original[(c.pxy[1] + y) * 16 + c.pxy[0] + x])
                    << "case " << (&c - cases) << " at " << x << "," << y;
    }
}

}  // namespace
