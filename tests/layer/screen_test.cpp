// Screen modes and the two surfaces, headless.
#include <gtest/gtest.h>

#include "support/headless.h"

namespace {

class Screen : public ::testing::Test {
protected:
    void SetUp() override { headless::start(0); }
};

TEST_F(Screen, StartUpState)
{
    EXPECT_EQ(Getrez(), 0);
    EXPECT_EQ(_scrwid, 320);
    EXPECT_EQ(_scrht, 200);
    EXPECT_EQ(_screen.fd_addr, nullptr);
    EXPECT_EQ(_screen.fd_w, 320);
    EXPECT_EQ(_screen.fd_h, 200);
    EXPECT_EQ(Physbase(), nullptr);
    short w, h, bw, bh;
    EXPECT_EQ(graf_handle(&w, &h, &bw, &bh), 0);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(bw, 8);
    EXPECT_EQ(bh, 8);
}

TEST_F(Screen, LogicalScreenRoundTrip)
{
    clear_to_color(screen, 3);
    putpixel(screen, 7, 9, 11);
    Setscreen(1, 0);
    EXPECT_EQ(handle, 4);
    EXPECT_EQ(getpixel(_logbmp, 7, 9), 11);
    EXPECT_EQ(_surface(handle), _logbmp);

    // A second select copies nothing and keeps the first saved handle.
    putpixel(screen, 7, 9, 12);
    Setscreen(1, 0);
    EXPECT_EQ(getpixel(_logbmp, 7, 9), 11);
    EXPECT_EQ(_oldhand, 0);

    Logbase()[9 * 320 + 7] = 40;
    Setscreen(0, 0);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(getpixel(screen, 7, 9), 40);
    EXPECT_EQ(_surface(handle), screen);
}

TEST_F(Screen, SelectingTheVisibleScreenTwiceChangesNothing)
{
    handle = 2;
    clear_to_color(_logbmp, 8);
    clear_to_color(screen, 1);
    Setscreen(0, 0);
    EXPECT_EQ(handle, 2);
    EXPECT_EQ(getpixel(screen, 0, 0), 1);
    handle = 0;
}

TEST_F(Screen, ModeSettingResetsClipMouseAndColours)
{
    headless::start(1);
    EXPECT_EQ(_scrwid, 640);
    EXPECT_EQ(_scrht, 480);
    EXPECT_EQ(_clipx1, 0);
    EXPECT_EQ(_clipy1, 0);
    EXPECT_EQ(_clipx2, 639);
    EXPECT_EQ(_clipy2, 479);
    EXPECT_EQ(_mevent.x, 320);
    EXPECT_EQ(_mevent.y, 240);
    EXPECT_EQ(_colors, 16);
    EXPECT_EQ(_origcolors, 16);
    EXPECT_EQ(_palette[0].r, 63);  // colour 0 white in the larger modes
    EXPECT_EQ(_palette[1].r, 0);
    EXPECT_EQ(_linecol, 1);
    EXPECT_EQ(_textcol, 1);
    EXPECT_EQ(_fillcol, 0);
    EXPECT_EQ(_mousedrawn, 0);
    headless::start(0);
}

TEST_F(Screen, UnknownCodeOpens320x200WithLargeModeColours)
{
    unsigned char *before = Logbase();
    Setscreen(-1, 7);
    EXPECT_EQ(Getrez(), 7);
    EXPECT_EQ(_scrwid, 320);
    EXPECT_EQ(_scrht, 200);
    EXPECT_EQ(_palette[0].g, 63);
    EXPECT_EQ(_palette[1].g, 0);
    EXPECT_EQ(_defpal[0], 255);
    EXPECT_EQ(_defpal[3], 0);
    EXPECT_NE(Logbase(), before);
    headless::start(0);
    EXPECT_EQ(_palette[0].g, 0);
    EXPECT_EQ(_palette[1].g, 63);
    EXPECT_EQ(_defpal[0], 0);
    EXPECT_EQ(_defpal[3], 255);
}

TEST_F(Screen, ModeSettingKeepsTheSelectedSurface)
{
    Setscreen(1, 0);
    Setscreen(-1, 0);
    EXPECT_EQ(handle, 4);
    Setscreen(0, 0);
    EXPECT_EQ(handle, 0);
}

}  // namespace
