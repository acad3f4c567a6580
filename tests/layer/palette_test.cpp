// The palette model: setting, find-or-add, reading back, ranges and the
// display copy, on the headless platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "support/headless.h"

namespace {

using Rgb = std::array<unsigned char, 3>;

// Starts from the palette of a fresh mode setting: the 16 defaults, the
// two-colour swap of `rez`, everything above entry 15 black.
class Palette : public ::testing::Test {
protected:
    void start(int rez)
    {
        headless::start(rez);
        Defaultpalette();
        for (int i = 16; i < 256; i++)
            _palette[i] = RGB{0, 0, 0, 0};
        _colors = 16;
    }
    void SetUp() override { start(1); }
};

Rgb get(int index)
{
    Rgb c{9, 9, 9};
    Getcolor(index, c.data());
    return c;
}

// Fills entries 1 to 255 with a grey ramp: entry i is 6-bit grey level
// i >> 2, so every level but 0 is held by four entries in a row.
void fill_grey_ramp()
{
    for (int i = 1; i < 256; i++) {
        unsigned char v = (unsigned char)i;
        Rgb c{v, v, v};
        Setcolor(i, c.data());
    }
}

TEST_F(Palette, FindOrAddMatchesWithinThreeAndAddsBeyond)
{
    // At 640 x 480 entry 1 is black: (4,4,4) is (1,1,1) in 6 bits, distance 3.
    Rgb near_black{4, 4, 4};
    EXPECT_EQ(Setcolor(256, near_black.data()), 1);
    EXPECT_EQ(_colors, 16);

    // (2,2,2) is distance 12 from black: added although black is nearest.
    Rgb grey{8, 8, 8};
    EXPECT_EQ(Setcolor(256, grey.data()), 16);
    EXPECT_EQ(_colors, 17);
    EXPECT_EQ(get(16), (Rgb{8, 8, 8}));

    // The same colour again now finds the new entry.
    EXPECT_EQ(Setcolor(300, grey.data()), 16);
    EXPECT_EQ(_colors, 17);
}

TEST_F(Palette, EntryZeroIsNeverMatched)
{
    // Entry 0 is white at 640 x 480, but white is added as a new entry.
    Rgb white{255, 255, 255};
    EXPECT_EQ(Setcolor(256, white.data()), 16);

    // With only entry 0 in use the colour goes to entry 1; with none, to 0.
    Resetpalette(1);
    EXPECT_EQ(Setcolor(256, white.data()), 1);
    EXPECT_EQ(_colors, 2);
    Resetpalette(0);
    EXPECT_EQ(Setcolor(256, white.data()), 0);
    EXPECT_EQ(_colors, 1);
}

TEST_F(Palette, LowestEntryWithinThreeWinsOverALaterExactMatch)
{
    Rgb a{40, 40, 40}, exact{44, 44, 44};
    Setcolor(20, a.data());      // (10,10,10): distance 3 from (11,11,11)
    Setcolor(21, exact.data());  // (11,11,11): exact
    EXPECT_EQ(Setcolor(256, exact.data()), 20);
}

TEST_F(Palette, FullTableGivesTheNearestEntryAndNeverAdds)
{
    fill_grey_ramp();  // entry i holds grey level i >> 2 (6 bits)
    EXPECT_EQ(_colors, 256);
    Rgb before = get(255);

    // Pure red (63,0,0) in 6 bits: entry 2 is red exactly.
    Rgb red{255, 0, 0};
    Setcolor(2, red.data());
    EXPECT_EQ(Setcolor(256, red.data()), 2);

    // (20, 0, 40) is far from every grey: nearest is grey level 20, whose
    // first entry is 80; the ties at 81 to 83 keep the lower entry.
    Rgb purple{80, 0, 160};
    EXPECT_EQ(Setcolor(256, purple.data()), 80);
    EXPECT_EQ(_colors, 256);
    EXPECT_EQ(get(255), before);

    // Entry 0 is not searched even when it is the only exact match.
    Rgb magenta{252, 0, 252};
    Setcolor(0, magenta.data());
    EXPECT_NE(Setcolor(256, magenta.data()), 0);
}

TEST_F(Palette, SetcolorRaisesTheCountAndStoresSixBits)
{
    Rgb c{255, 127, 1};
    EXPECT_EQ(Setcolor(20, c.data()), 20);
    EXPECT_EQ(_colors, 21);
    EXPECT_EQ(_palette[20].r, 63);
    EXPECT_EQ(_palette[20].g, 31);
    EXPECT_EQ(_palette[20].b, 0);
    EXPECT_EQ(_palette[20].filler, 0);
    EXPECT_EQ(get(20), (Rgb{252, 124, 0}));

    // A lower entry does not lower the count.
    EXPECT_EQ(Setcolor(3, c.data()), 3);
    EXPECT_EQ(_colors, 21);
    EXPECT_EQ(Getpalette(), 21);
}

TEST_F(Palette, OutOfTableIndexesChangeNothing)
{
    RGB saved[256];
    std::copy(_palette, _palette + 256, saved);
    Rgb c{200, 100, 50};

    EXPECT_EQ(Setcolor(-1, c.data()), -1);
    Storepalette(-3, 5, c.data());
    Storepalette(256, 1, c.data());
    Rgb out{1, 2, 3};
    Getcolor(256, out.data());
    Getcolor(-1, out.data());

    EXPECT_EQ(out, (Rgb{1, 2, 3}));
    EXPECT_EQ(_colors, 16);
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(std::memcmp(&_palette[i], &saved[i], sizeof(RGB)), 0) << "entry " << i;
}

TEST_F(Palette, StorepaletteCutsTheRangeAtTheLastEntry)
{
    std::array<unsigned char, 30> rgb;
    for (size_t i = 0; i < rgb.size(); i++)
        rgb[i] = (unsigned char)(4 * (i + 1));
    Storepalette(250, 10, rgb.data());
    EXPECT_EQ(_colors, 256);
    for (int k = 0; k < 6; k++)
        EXPECT_EQ(get(250 + k), (Rgb{rgb[3 * k], rgb[3 * k + 1], rgb[3 * k + 2]}));
    EXPECT_EQ(get(249), (Rgb{0, 0, 0}));
}

TEST_F(Palette, ResetpaletteRestoresTheModeCountAndStaysInTheTable)
{
    EXPECT_EQ(Resetpalette(40), 40);
    EXPECT_EQ(Getpalette(), 40);
    EXPECT_EQ(Resetpalette(256), 16);
    EXPECT_EQ(Resetpalette(300), 256);
    EXPECT_EQ(Resetpalette(-2), 0);

    // Even with a count beyond the table, a search stays inside it.
    _colors = 1000;
    Rgb c{12, 12, 12};
    int entry = Setcolor(256, c.data());
    EXPECT_GE(entry, 1);
    EXPECT_LE(entry, 255);
}

TEST_F(Palette, PalettizeMapsEveryColourButTheFirst)
{
    // Colour 0 of a picture is not looked up: red there adds nothing.
    unsigned char rgb[4 * 3] = {255, 0, 0, 0, 0, 0, 100, 200, 40, 100, 200, 40};
    unsigned char map[4] = {77, 0, 0, 0};
    Palettize(4, map, rgb);
    EXPECT_EQ(map[0], 77);
    EXPECT_EQ(map[1], 1);   // black at 640 x 480
    EXPECT_EQ(map[2], 16);  // new
    EXPECT_EQ(map[3], 16);  // found again
    EXPECT_EQ(_colors, 17);
}

TEST_F(Palette, GrabpaletteReadsEveryEntryInUse)
{
    unsigned char rgb[256 * 3];
    std::memset(rgb, 0xEE, sizeof rgb);
    EXPECT_EQ(Grabpalette(rgb), 16);
    EXPECT_EQ(rgb[0], 252);  // white, shifted back to 8 bits
    EXPECT_EQ(rgb[3], 0);
    EXPECT_EQ(rgb[8 * 3], 124);  // grey (31 << 2)
    EXPECT_EQ(rgb[15 * 3 + 2], 252);
    EXPECT_EQ(rgb[16 * 3], 0xEE);  // not in use: untouched
}

TEST_F(Palette, ForceAndDefaultLoadTheDisplay)
{
    Rgb c{120, 60, 240};
    Forcepalette(16, 1, c.data());
    PALETTE shown;
    get_palette(shown);
    EXPECT_EQ(shown[16].r, 30);
    EXPECT_EQ(shown[16].g, 15);
    EXPECT_EQ(shown[16].b, 60);

    // Storepalette alone leaves the display as it was.
    Rgb d{0, 252, 0};
    Storepalette(16, 1, d.data());
    get_palette(shown);
    EXPECT_EQ(shown[16].g, 15);

    // Defaultpalette brings the 16 defaults back and drops the count to 16.
    Setcolor(2, d.data());
    Setcolor(40, d.data());
    Defaultpalette();
    EXPECT_EQ(_colors, 16);
    get_palette(shown);
    EXPECT_EQ(shown[2].r, 63);
    EXPECT_EQ(shown[2].g, 0);
}

TEST_F(Palette, ModeSettingSwapsTheFirstTwoDefaults)
{
    start(0);
    Defaultpalette();
    EXPECT_EQ(get(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(get(1), (Rgb{252, 252, 252}));
    Rgb black{0, 0, 0};
    EXPECT_EQ(Setcolor(256, black.data()), 16);  // entry 0 is not searched
}

}  // namespace
