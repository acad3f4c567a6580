// The classic screen and graf calls beside the layer's: resolution codes,
// ST/STE palette words, screen addresses, graf_handle and the mouse form.
#include <gtest/gtest.h>

#include <cstring>

#include "classic/events_c.h"
#include "gem/classic/internal.h"
#include "gem/classic/screen.h"
#include "support/headless.h"

namespace {

TEST(ClassicScreen, GetrezCodes)
{
    struct Case {
        int layer, classic;
    } cases[] = {{0, 0}, {1, 2}, {2, 2}};
    for (const Case &c : cases) {
        headless::start(c.layer);
        EXPECT_EQ(events_c_getrez(), c.classic) << c.layer;
    }
}

TEST(ClassicScreen, SetscreenSwitchesByClassicCode)
{
    struct Case {
        int from, rez, width;
    } cases[] = {
        {1, 0, 320}, {0, 2, 640},  {1, -1, 640}, {1, 1, 640},  // 640 x 200: no such mode
        {0, 1, 320}, {0, 4, 320},  {2, 2, 800},                // 800 x 600 already reports 2
        {2, 0, 320}, {0, -1, 320},
    };
    for (const Case &c : cases) {
        headless::start(c.from);
        gemc_Setscreen(-1, -1, c.rez);
        EXPECT_EQ(_scrwid, c.width) << c.from << " " << c.rez;
    }
    headless::start(1);
    gemc_Setscreen((long)gemc_Logbase(), (long)gemc_Physbase(), -1);  // addresses: kept as is
    EXPECT_EQ(_scrwid, 640);
    EXPECT_EQ(handle, 0);
}

TEST(ClassicScreen, ScreenAddressesHoldAWholeScreen)
{
    headless::start(0);
    ASSERT_NE(gemc_Physbase(), nullptr);
    ASSERT_NE(gemc_Logbase(), nullptr);
    std::memset(gemc_Physbase(), 5, (size_t)_scrwid * _scrht);  // a screen's worth of bytes
    EXPECT_EQ(getpixel(_logbmp, _scrwid - 1, _scrht - 1), 5);
}

TEST(ClassicScreen, SetcolorWordsBothWays)
{
    struct Case {
        int word, r, g, b, reads;  // 6-bit guns; the word read back
    } cases[] = {
        {0x000, 0, 0, 0, 0x000},   {0x777, 63, 63, 63, 0x777}, {0x700, 63, 0, 0, 0x700},
        {0x123, 9, 18, 27, 0x123}, {0xFFF, 63, 63, 63, 0x777}, {0x888, 4, 4, 4, 0x888},
        {0xF80, 63, 4, 0, 0xF80},  {0x1A5, 8, 21, 42, 0x1A5},  {0x7777, 63, 63, 63, 0x777},
    };
    headless::start(1);
    for (const Case &c : cases) {
        gemc_Setcolor(5, c.word);
        EXPECT_EQ(_palette[5].r, c.r) << std::hex << c.word;
        EXPECT_EQ(_palette[5].g, c.g) << std::hex << c.word;
        EXPECT_EQ(_palette[5].b, c.b) << std::hex << c.word;
        EXPECT_EQ(events_c_setcolor(5, -1), c.reads) << std::hex << c.word;
    }
}

TEST(ClassicScreen, SetcolorReturnsTheOldWordAndRefusesOtherRegisters)
{
    headless::start(1);
    gemc_Setcolor(3, 0x234);
    EXPECT_EQ(gemc_Setcolor(3, 0x567), 0x234);
    EXPECT_EQ(gemc_Setcolor(3, -1), 0x567);
    EXPECT_EQ(gemc_Setcolor(3, -5), 0x567);  // any negative colour only reads
    EXPECT_EQ(gemc_Setcolor(-1, 0x777), -1);
    EXPECT_EQ(gemc_Setcolor(256, 0x777), -1);
}

TEST(ClassicScreen, SetpaletteSetsSixteenRegistersInAnyWidth)
{
    headless::start(1);
    int words[17];
    for (int i = 0; i < 17; i++)
        words[i] = (i * 0x111) & 0x777;
    gemc_Setcolor(16, 0x123);
    gemc_Setpalette(GEMC_CREF(words));
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(gemc_Setcolor(i, -1), words[i]) << i;
    EXPECT_EQ(gemc_Setcolor(16, -1), 0x123);  // the seventeenth word is not read
    gemc_Setpalette(GEMC_CREF(nullptr));      // nothing
    EXPECT_EQ(gemc_Setcolor(0, -1), 0);
}

TEST(ClassicGraf, HandleIsAVisibleScreenAndNotZero)
{
    headless::start(1);
    short wchar = 0;
    int hchar = 0;
    const int h = events_c_graf_handle(&wchar, &hchar);
    EXPECT_NE(h, 0);
    EXPECT_LE(h, 3);
    short lw, lh, lwb, lhb;
    graf_handle(&lw, &lh, &lwb, &lhb);
    EXPECT_EQ(wchar, lw);
    EXPECT_EQ(hchar, lh);
}

TEST(ClassicGraf, MouseFormAsTheLayersShape)
{
    GEMC_MFORM f;
    f.mf_xhot = 3;
    f.mf_yhot = 4;
    f.mf_nplanes = 1;
    f.mf_fg = 1;
    f.mf_bg = 2;
    MSHAPE s;
    s.ms_xhot = 3;
    s.ms_yhot = 4;
    s.ms_maskcol = 2;
    s.ms_datacol = 1;
    for (int i = 0; i < 16; i++) {
        f.mf_mask[i] = (short)(0xFFFF >> i);
        f.mf_data[i] = (short)(0x8000 >> i);
        s.ms_mask[i] = (unsigned short)(0xFFFF >> i);
        s.ms_data[i] = (unsigned short)(0x8000 >> i);
    }
    headless::start(1);
    ASSERT_EQ(graf_mouse(USER_DEF, &s), 1);
    std::vector<unsigned char> layer(_mouse.shape, _mouse.shape + 256);
    ASSERT_EQ(gemc_graf_mouse(ARROW, nullptr), 1);
    ASSERT_EQ(gemc_graf_mouse(USER_DEF, &f), 1);
    EXPECT_EQ(std::vector<unsigned char>(_mouse.shape, _mouse.shape + 256), layer);
    EXPECT_EQ(_mouse.hotx, 3);
    EXPECT_EQ(_mouse.hoty, 4);
    short words[37];
    std::memcpy(words, &f, sizeof words);  // the older sources' WORD array
    ASSERT_EQ(gemc_graf_mouse(USER_DEF, words), 1);
    EXPECT_EQ(std::vector<unsigned char>(_mouse.shape, _mouse.shape + 256), layer);
    EXPECT_EQ(gemc_graf_mouse(USER_DEF, nullptr), 0);
    EXPECT_EQ(gemc_graf_mouse(M_OFF, nullptr), 1);
    EXPECT_EQ(gemc_graf_mouse(M_ON, nullptr), 1);
    EXPECT_EQ(gemc_graf_mouse(99, nullptr), 0);
}

TEST(ClassicGraf, DataColourZeroIsDrawnNotTransparent)
{
    GEMC_MFORM f = {0, 0, 1, 0, 1, {0}, {0}};
    f.mf_data[0] = (short)0x8000;
    headless::start(1);
    ASSERT_EQ(gemc_graf_mouse(USER_DEF, &f), 1);
    EXPECT_NE(_mouse.shape[0], 0);
    EXPECT_EQ(_mouse.shape[1], 0);  // neither mask nor data: transparent
}

TEST(ClassicGraf, MkstateOutsInTheCallersWidth)
{
    headless::start_at(33, 44);
    int x = 0, y = 0;
    long b = -1, k = -1;
    EXPECT_EQ(gemc_graf_mkstate(GEMC_REF(&x), GEMC_REF(&y), GEMC_REF(&b), GEMC_REF(&k)), 1);
    EXPECT_EQ(x, 33);
    EXPECT_EQ(y, 44);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(k, 0);
}

}  // namespace
