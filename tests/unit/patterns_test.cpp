// The fill pattern table: the dithers rise in density to solid, every style
// differs from every other, and each wide hatch keeps only some of the
// lines of its narrow twin.
#include <gtest/gtest.h>

#include <bitset>
#include <set>
#include <vector>

#include "gem/internal.h"

namespace {

int density(const unsigned short (&pattern)[16])
{
    int bits = 0;
    for (unsigned short word : pattern)
        bits += (int)std::bitset<16>(word).count();
    return bits;
}

TEST(FillPatterns, DithersRiseToSolid)
{
    for (int style = 1; style < 8; style++)
        EXPECT_LT(density(_fill_patterns[style - 1]), density(_fill_patterns[style]))
            << "style " << style;
    EXPECT_EQ(density(_fill_patterns[7]), 256);
}

TEST(FillPatterns, EveryStyleDiffers)
{
    std::set<std::vector<unsigned short>> seen;
    for (const auto &p : _fill_patterns)
        seen.insert(std::vector<unsigned short>(p, p + 16));
    for (const auto &h : _fill_hatches)
        seen.insert(std::vector<unsigned short>(h, h + 16));
    EXPECT_EQ(seen.size(), 36u);
}

TEST(FillPatterns, WideHatchesAreEveryOtherNarrowLine)
{
    for (int style = 0; style < 6; style++) {
        for (int y = 0; y < 16; y++) {
            const unsigned short wide = _fill_hatches[style + 6][y];
            EXPECT_EQ(wide & ~_fill_hatches[style][y], 0) << "style " << style + 7 << " row " << y;
        }
        EXPECT_LT(density(_fill_hatches[style + 6]), density(_fill_hatches[style]));
    }
}

}  // namespace
