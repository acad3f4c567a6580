// Classic key codes beside the layer's, both ways.
#include <gtest/gtest.h>

#include "gem/classic/internal.h"
#include "gem/classic/keys.h"

TEST(ClassicKeys, EachKeyBothWays)
{
    struct Case {
        int layer, classic;
    } cases[] = {
        {K_RETURN, 0x1C0D}, {K_UP, 0x4800},        {K_DOWN, 0x5000},   {K_LEFT, 0x4B00},
        {K_RIGHT, 0x4D00},  {K_BACKSPACE, 0x0E08}, {K_DELETE, 0x537F}, {27, 0x011B},
        {9, 0x0F09},        {'a', 0x1E61},         {'A', 0x1E41},      {'q', 0x1071},
        {'z', 0x2C7A},      {'0', 0x0B30},         {'1', 0x0231},      {' ', 0x3920},
        {'!', 0x0221},      {'~', 0x297E},         {'/', 0x352F},      {K_F1, 0x3B00},
        {K_F1 + 9, 0x4400}, {K_F12, 0x5500},       {1, 0x1E01},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(_gemc_key_classic(c.layer), c.classic) << c.layer;
        EXPECT_EQ(_gemc_key_layer(c.classic), c.layer) << std::hex << c.classic;
    }
}

TEST(ClassicKeys, KeysTheLayerLacksGiveZero)
{
    EXPECT_EQ(_gemc_key_layer(0x4700), 0);  // Clr/Home
    EXPECT_EQ(_gemc_key_layer(0x6100), 0);  // Undo
    EXPECT_EQ(_gemc_key_layer(0), 0);
}
