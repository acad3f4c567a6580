// Values through a program's pointers land in the width it declared, from
// C (_Generic) and from C++ (overloads) alike.
#include <gtest/gtest.h>

#include <portab.h>

#include "classic/refs_c.h"

TEST(ClassicRefs, CWritesEachValueInItsWidth)
{
    short s[2] = {0x1111, 0x1111};
    int i[2] = {0x11111111, 0x11111111};
    long l = 0;
    refs_c_put(s, i, &l);
    EXPECT_EQ(s[0], -2);
    EXPECT_EQ(s[1], 7);
    EXPECT_EQ(i[0], 70000);
    EXPECT_EQ(i[1], 8);
    EXPECT_EQ(l, 5000000000L);
    const short cs[2] = {0, 10};
    const int ci[2] = {0, 100};
    EXPECT_EQ(refs_c_sum(cs, ci), 114);
}

TEST(ClassicRefs, CplusplusOverloadsPickTheWidth)
{
    short s[3] = {0, 0, 0x5555};
    int i[3] = {0, 0, 0x55555555};
    gemc_put(GEMC_REF(s), 1, 0x12345);
    gemc_put(GEMC_REF(i), 1, 0x12345);
    gemc_put(GEMC_REF(0), 0, 1);
    gemc_put(GEMC_REF(nullptr), 0, 1);
    EXPECT_EQ(s[1], 0x2345);  // cut to the caller's 16 bits, the neighbour kept
    EXPECT_EQ(s[2], 0x5555);
    EXPECT_EQ(i[1], 0x12345);
    EXPECT_EQ(i[2], 0x55555555);
    const UWORD u[2] = {0, 0xFFFF};
    EXPECT_EQ(gemc_get(GEMC_CREF(u), 1), -1);  // 16-bit words read as WORDs
    EXPECT_EQ(gemc_get(GEMC_CREF(i), 1), 0x12345);
}
