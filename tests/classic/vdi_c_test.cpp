// A C program's classic VDI calls with int arrays give what the layer's own
// calls give.
#include <gtest/gtest.h>

#include "classic/vdi_c.h"
#include "gem/classic/internal.h"
#include "support/headless.h"

namespace {

void blank()
{
    headless::start(0);
    clear_to_color(screen, 0);
}

}  // namespace

TEST(ClassicVdiC, OpenGivesAVisibleHandleAndWorkOut)
{
    blank();
    int work_out[58];
    work_out[57] = -7;
    const int h = vdi_c_open(work_out);
    EXPECT_NE(h, 0);
    EXPECT_LE(h, 3);
    short layer[57];
    vq_extnd(1, 0, layer);
    for (int k = 0; k < 57; k++)
        EXPECT_EQ(work_out[k], layer[k]) << k;
    EXPECT_EQ(work_out[57], -7);
    gemc_v_clsvwk(h);
}

TEST(ClassicVdiC, ClippedLineStaysInTheRectangle)
{
    blank();
    vdi_c_line_clipped(1);
    int inside = 0;
    for (int y = 0; y < 200; y++)
        for (int x = 0; x < 320; x++) {
            const bool in = x >= 50 && x <= 250 && y >= 40 && y <= 150;
            const int p = getpixel(screen, x, y);
            EXPECT_TRUE(in || p == 0) << x << "," << y;
            inside += p != 0;
        }
    EXPECT_GT(inside, 50);
}

TEST(ClassicVdiC, QueriesIntoIntArrays)
{
    blank();
    int attrib[6];
    vdi_c_line_attributes(1, attrib);
    short layer[6];
    vql_attributes(1, layer);
    for (int k = 0; k < 6; k++)
        EXPECT_EQ(attrib[k], layer[k]) << k;
    EXPECT_EQ(attrib[0], DASHDOT);
    EXPECT_EQ(attrib[4], ARROWED);

    int extent[8];
    short layer_extent[8];
    vdi_c_extent(1, extent);
    vqt_extent(1, "GEM", layer_extent);
    for (int k = 0; k < 8; k++)
        EXPECT_EQ(extent[k], layer_extent[k]) << k;
    EXPECT_GT(extent[2], 0);

    int rgb[3];
    EXPECT_EQ(vdi_c_color(1, rgb), 30);
    EXPECT_EQ(rgb[0], 1000);
    EXPECT_EQ(rgb[1], 0);
    EXPECT_EQ(rgb[2], 500);

    int sizes[4];
    short layer_sizes[4];
    const int set = vdi_c_text_height(1, sizes);
    EXPECT_EQ(
        set, vst_height(1, 13, &layer_sizes[0], &layer_sizes[1], &layer_sizes[2], &layer_sizes[3]));
    for (int k = 0; k < 4; k++)
        EXPECT_EQ(sizes[k], layer_sizes[k]) << k;
}

TEST(ClassicVdiC, PixelsAndInvertingTheScreen)
{
    blank();
    putpixel(screen, 4, 4, 1);
    putpixel(screen, 5, 4, 6);
    vdi_c_invert(1, 3, 3, 5, 5);
    int pel = -1, index = -1;
    vdi_c_pixel(1, 4, 4, &pel, &index);
    EXPECT_EQ(pel, 0);
    EXPECT_EQ(index, 0);
    vdi_c_pixel(1, 5, 4, &pel, &index);
    EXPECT_EQ(pel, 7);
    vdi_c_pixel(1, 3, 3, &pel, &index);
    EXPECT_EQ(pel, 1);
    vdi_c_pixel(1, 6, 6, &pel, &index);
    EXPECT_EQ(pel, 0) << "outside the rectangle";
    vdi_c_pixel(1, -1, 0, &pel, &index);
    EXPECT_EQ(pel, -1);
}
