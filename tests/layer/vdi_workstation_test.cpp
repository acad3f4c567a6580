// The physical workstation: opening it, its description (vq_extnd), the
// colour table in the 0..1000 scale, single pixels, and v_updwk on the
// scaled window.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "support/headless.h"

namespace {

class VdiWorkstation : public ::testing::Test {
protected:
    void SetUp() override { headless::start(0); }
    void TearDown() override
    {
        vs_clip(handle, 0, nullptr);
        vst_font(handle, 0);
        _vdi = _vdi_plain;
        headless::start(0);
    }
};

TEST_F(VdiWorkstation, OpeningAppliesTheInitialAttributes)
{
    vswr_mode(handle, MD_XOR);
    vst_effects(handle, TXT_BOLD);
    vst_font(handle, 2);
    const short clip[4] = {5, 5, 50, 50};
    vs_clip(handle, 1, clip);

    short in[11] = {1, DOT, 12, PM_DIAMOND, 13, 1, 14, FIS_HATCH, 11, 15, 2};
    short h = 0, out[57], expected[57];
    v_opnwk(in, &h, out);
    EXPECT_EQ(h, 1);

    short line[6], fill[5], marker[5];
    vql_attributes(h, line);
    vqf_attributes(h, fill);
    vqm_attributes(h, marker);
    EXPECT_EQ(line[0], DOT);
    EXPECT_EQ(line[1], 12);
    EXPECT_EQ(line[2], MD_REPLACE) << "opening starts the attributes over";
    EXPECT_EQ(marker[0], PM_DIAMOND);
    EXPECT_EQ(marker[1], 13);
    EXPECT_EQ(_fontno, 0) << "face 1 is the system font";
    EXPECT_EQ(_textcol, 14);
    EXPECT_EQ(fill[0], FIS_HATCH);
    EXPECT_EQ(fill[2], 11) << "a hatch number, allowed once the interior is set";
    EXPECT_EQ(fill[1], 15);
    EXPECT_EQ(_texteff, 0);
    EXPECT_EQ(_clipx2, 319) << "clipping off";

    vq_extnd(h, 0, expected);
    EXPECT_TRUE(std::equal(out, out + 57, expected));

    // Another face leaves the font; null arrays are allowed.
    vst_font(handle, 2);
    in[5] = 7;
    v_opnwk(in, nullptr, nullptr);
    EXPECT_EQ(_fontno, 2);
    v_opnwk(nullptr, &h, nullptr);
    EXPECT_EQ(h, 1);
    v_clswk(h);
}

TEST_F(VdiWorkstation, DescriptionWords)
{
    struct Case {
        int rez;
        int index;
        short value;
    };
    const Case cases[] = {
        {0, 0, 319},  {0, 1, 199}, {0, 3, 556}, {0, 4, 556}, {1, 0, 639}, {1, 1, 479}, {1, 3, 278},
        {2, 3, 222},  {0, 6, 7},   {0, 7, 20},  {0, 8, 6},   {0, 10, 3},  {0, 11, 24}, {0, 12, 12},
        {0, 13, 256}, {0, 14, 10}, {0, 15, 1},  {0, 24, 10}, {0, 25, 3},  {0, 26, 0},  {0, 34, 2},
        {0, 39, 0},   {0, 44, 2},  {0, 45, 6},  {0, 46, 4},  {0, 47, 8},  {0, 48, 13}, {0, 49, 1},
        {0, 51, 39},  {0, 53, 1},  {0, 56, 99},
    };
    for (const Case &c : cases) {
        headless::start(c.rez);
        std::array<short, 58> out;
        out.fill(-99);
        vq_extnd(handle, 0, out.data());
        EXPECT_EQ(out[c.index], c.value) << "rez " << c.rez << ", word " << c.index;
        EXPECT_EQ(out[57], -99) << "57 words only";
    }
}

TEST_F(VdiWorkstation, ExtendedDescriptionAndClipping)
{
    short out[57];
    vq_extnd(handle, 1, out);
    EXPECT_EQ(out[4], 8);
    EXPECT_EQ(out[1], 256);
    EXPECT_EQ(out[2], 0x1F);
    EXPECT_EQ(out[9], 4);
    EXPECT_EQ(out[14], GEM_MAX_POLYGON);
    EXPECT_EQ(out[19], 0) << "clipping off";

    const short clip[4] = {10, 20, 30, 40};
    vs_clip(handle, 1, clip);
    vq_extnd(handle, 1, out);
    EXPECT_EQ(out[19], 1);
    EXPECT_EQ(out[45], 10);
    EXPECT_EQ(out[46], 20);
    EXPECT_EQ(out[47], 30);
    EXPECT_EQ(out[48], 40);
    vq_extnd(handle, 1, nullptr);
}

TEST_F(VdiWorkstation, ColourRoundTripAndClamps)
{
    struct Case {
        short asked, stored, gun;
    };
    const Case cases[] = {{0, 0, 0},      {1000, 1000, 63}, {500, 500, 32},
                          {333, 333, 21}, {-5, 0, 0},       {1200, 1000, 63}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.asked);
        const short rgb[3] = {c.asked, 0, 1000};
        vs_color(handle, 200, rgb);
        EXPECT_EQ(_palette[200].r, c.gun);
        PALETTE shown;
        get_palette(shown);
        EXPECT_EQ(shown[200].r, c.gun) << "the display has it";

        short as_set[3], as_made[3];
        EXPECT_EQ(vq_color(handle, 200, 0, as_set), 200);
        EXPECT_EQ(as_set[0], c.stored);
        EXPECT_EQ(as_set[2], 1000);
        EXPECT_EQ(vq_color(handle, 200, 1, as_made), 200);
        EXPECT_LE(std::abs(as_made[0] - c.stored), 8) << "within half a 6-bit step";
        EXPECT_EQ(as_made[0], (c.gun * 1000 + 31) / 63);
    }
}

TEST_F(VdiWorkstation, ColourOutsideTheTableAndChangedElsewhere)
{
    const short rgb[3] = {400, 400, 400};
    const RGB before = _palette[255];
    vs_color(handle, 256, rgb);
    vs_color(handle, -1, rgb);
    EXPECT_EQ(_palette[255].r, before.r);
    short out[3] = {7, 7, 7};
    EXPECT_EQ(vq_color(handle, 256, 0, out), -1);
    EXPECT_EQ(vq_color(handle, -1, 1, out), -1);
    EXPECT_EQ(out[0], 7);

    // An entry set since by Setcolor is given as it is, not as once asked.
    vs_color(handle, 20, rgb);
    const unsigned char white[3] = {255, 255, 255};
    Setcolor(20, white);
    vq_color(handle, 20, 0, out);
    EXPECT_EQ(out[0], 1000);
}

TEST_F(VdiWorkstation, GetPixel)
{
    clear_to_color(screen, 3);
    clear_to_color(_logbmp, 4);
    putpixel(screen, 319, 199, 201);
    short pel = 0, index = 0;
    EXPECT_EQ(v_get_pixel(handle, 319, 199, &pel, &index), 201);
    EXPECT_EQ(pel, 201);
    EXPECT_EQ(index, 201);
    EXPECT_EQ(v_get_pixel(4, 319, 199, &pel, &index), 4) << "the logical screen";

    const int outside[][2] = {{-1, 0}, {0, -1}, {320, 0}, {0, 200}, {-32768, 32767}};
    for (const auto &p : outside) {
        EXPECT_EQ(v_get_pixel(handle, p[0], p[1], &pel, &index), -1) << p[0] << "," << p[1];
        EXPECT_EQ(pel, -1);
        EXPECT_EQ(index, -1);
    }
    EXPECT_EQ(v_get_pixel(handle, 0, 0, nullptr, nullptr), 3);
}

TEST_F(VdiWorkstation, UpdateShowsTheScaledWindowAtOnce)
{
    headless::start_scaled(0, 2);
    _view_present();
    putpixel(screen, 10, 10, 77);
    EXPECT_NE(getpixel(headless::window(), 20, 20), 77);
    v_updwk(handle);
    EXPECT_EQ(getpixel(headless::window(), 20, 20), 77);
    EXPECT_EQ(getpixel(headless::window(), 21, 21), 77);
}

}  // namespace
