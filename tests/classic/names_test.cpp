// The classic names from C++: the values programs compare with, the
// width a message buffer is read in, and the macros' argument forms.
#include <gtest/gtest.h>

#include <gemdefs.h>
#include <portab.h>

namespace {

TEST(ClassicNames, ValuesOfTheClassicInterface)
{
    struct Case {
        long name, value;
    } cases[] = {
        {MU_KEYBD, 1},    {MU_BUTTON, 2}, {MU_M1, 4},          {MU_M2, 8},
        {MU_MESAG, 16},   {MU_TIMER, 32}, {MN_SELECTED, 10},   {WM_REDRAW, 20},
        {WM_NEWTOP, 29},  {AC_OPEN, 40},  {AC_CLOSE, 41},      {AP_TERM, 50},
        {WF_NAME, 2},     {WF_INFO, 3},   {WF_WORKXYWH, 4},    {WF_NEWDESK, 14},
        {WF_VSLSIZE, 16}, {WC_BORDER, 0}, {WC_WORK, 1},        {BEG_UPDATE, 1},
        {HOURGLASS, 2},   {BUSY_BEE, 2},  {USER_DEF, 255},     {M_ON, 257},
        {HSLIDE, 0x800},  {K_ALT, 8},     {sizeof(MFORM), 74}, {sizeof(EVNTREC), 16},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.name, c.value);
}

TEST(ClassicNames, TimeHalvesJoinAsUnsignedWords)
{
    const WORD lo = (WORD)0xFFFF, hi = 2;
    EXPECT_EQ(GEMC_MS(lo, hi), 0x2FFFFUL);
    EXPECT_EQ(GEMC_MS(0x12345, 0), 0x2345UL);
}

TEST(ClassicNames, MessageBuffersInTheirWidth)
{
    struct Words {
        WORD type, sender, length, window;
    } words = {WM_CLOSED, 0, 0, 1};
    int ints[8];
    long longs[8];
    struct Case {
        GEMC_REF ref;
        void *p;
        int size;
    } cases[] = {
        {GEMC_WORDS(&words), &words, 2},
        {GEMC_WORDS(ints), ints, 4},
        {GEMC_WORDS(longs), longs, 8},
        {GEMC_WORDS(ADDR(&words)), &words, 2},
        {GEMC_WORDS((const void *)ints), ints, 2},
        {GEMC_WORDS(0), nullptr, 2},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.ref.p, c.p);
        EXPECT_EQ(c.ref.size, c.size);
    }
    EXPECT_EQ(gemc_get(GEMC_WORDS(&words), 3), 1);
}

TEST(ClassicNames, WindCalcIntoIntsAndGrects)
{
    int x, y, w, h;
    ASSERT_EQ(wind_calc(WC_BORDER, 0, 10, 20, 100, 50, &x, &y, &w, &h), 1);
    GRECT in = {10, 20, 100, 50}, out;
    ASSERT_EQ(wind_calc_grect(WC_BORDER, 0, &in, &out), 1);
    EXPECT_EQ(out.g_x, x);
    EXPECT_EQ(out.g_y, y);
    EXPECT_EQ(out.g_w, w);
    EXPECT_EQ(out.g_h, h);
    EXPECT_LT(x, 10);  // a frame around the work area
}

}  // namespace
