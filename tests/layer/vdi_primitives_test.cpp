// Attributes, clipping, bars, polylines and the XOR outline, pixel-exact on
// the headless platform's memory screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/headless.h"

namespace {

class Vdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, 7);
        clear_to_color(_logbmp, 7);
    }
};

// The pixels of `bmp` that are not `background`, as a bounding box and a
// count.
struct Marks {
    int count = 0, x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
};

Marks marks(BITMAP *bmp, int background)
{
    Marks m;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            if (getpixel(bmp, x, y) != background) {
                m.count++;
                m.x1 = std::min(m.x1, x);
                m.y1 = std::min(m.y1, y);
                m.x2 = std::max(m.x2, x);
                m.y2 = std::max(m.y2, y);
            }
    return m;
}

std::vector<unsigned char> pixels(BITMAP *bmp)
{
    std::vector<unsigned char> v;
    for (int y = 0; y < bmp->h; y++)
        v.insert(v.end(), bmp->line[y], bmp->line[y] + bmp->w);
    return v;
}

TEST_F(Vdi, SettersKeepTheLowByte)
{
    EXPECT_EQ(vsl_color(handle, 0x1234), 0x34);
    EXPECT_EQ(_linecol, 0x34);
    EXPECT_EQ(vsf_color(handle, 0x1FF), 0xFF);
    EXPECT_EQ(_fillcol, 0xFF);
    EXPECT_EQ(vst_color(handle, -1), 0xFF);
    EXPECT_EQ(_textcol, 0xFF);
    EXPECT_EQ(vst_effects(handle, 0x311), 0x11);
    EXPECT_EQ(_texteff, 0x11);

    // A mode setting resets the colours but not the effects.
    Setscreen(-1, 0);
    EXPECT_EQ(_linecol, 1);
    EXPECT_EQ(_textcol, 1);
    EXPECT_EQ(_fillcol, 0);
    EXPECT_EQ(_texteff, 0x11);
    vst_effects(handle, 0);
}

TEST_F(Vdi, WorkstationCalls)
{
    short in[11] = {5}, out[57] = {};
    short h = 0;
    EXPECT_EQ(v_opnvwk(in, &h, out), 5);
    v_clsvwk(5);

    // Handle 4 clears the logical screen only.
    vsf_color(handle, 9);
    v_clrwk(4);
    EXPECT_EQ(marks(_logbmp, 9).count, 0);
    EXPECT_EQ(marks(screen, 7).count, 0);
    v_clrwk(0);
    EXPECT_EQ(marks(screen, 9).count, 0);
}

TEST_F(Vdi, BarIsClippedAndNeedsTwoPixelsEachWay)
{
    vsf_color(handle, 3);
    short clip[4] = {10, 10, 100, 100};
    vs_clip(handle, 1, clip);
    short whole[4] = {0, 0, 319, 199};
    v_bar(handle, whole);
    Marks m = marks(screen, 7);
    EXPECT_EQ(m.x1, 10);
    EXPECT_EQ(m.y1, 10);
    EXPECT_EQ(m.x2, 100);
    EXPECT_EQ(m.y2, 100);
    EXPECT_EQ(m.count, 91 * 91);
    EXPECT_EQ(getpixel(screen, 50, 50), 3);

    clear_to_color(screen, 7);
    short thin[4] = {50, 50, 50, 80};      // one pixel wide
    short flat[4] = {20, 60, 90, 60};      // one pixel high
    short reversed[4] = {60, 60, 40, 80};  // corners the wrong way round
    v_bar(handle, thin);
    v_bar(handle, flat);
    v_bar(handle, reversed);
    EXPECT_EQ(marks(screen, 7).count, 0);

    short two[4] = {0, 0, 11, 11};  // clipped to (10,10)-(11,11)
    v_bar(handle, two);
    EXPECT_EQ(marks(screen, 7).count, 4);

    // The whole screen again after vs_clip with flag 0 (pxy not read).
    vs_clip(handle, 0, nullptr);
    EXPECT_EQ(_clipx2, 319);
    EXPECT_EQ(_clipy2, 199);
    v_bar(handle, whole);
    EXPECT_EQ(marks(screen, 3).count, 0);
}

TEST_F(Vdi, BarFollowsTheHandleAndStaysInTheBitmap)
{
    vsf_color(handle, 4);
    short clip[4] = {-50, -50, 1000, 1000};  // vs_clip keeps what it is given
    vs_clip(handle, 1, clip);
    EXPECT_EQ(_clipx1, -50);
    EXPECT_EQ(_clipy2, 1000);
    short big[4] = {-20, -20, 400, 300};
    v_bar(4, big);
    EXPECT_EQ(marks(_logbmp, 4).count, 0);
    EXPECT_EQ(marks(screen, 7).count, 0);
}

TEST_F(Vdi, PolylineSegments)
{
    vsl_color(handle, 2);
    short pts[6] = {10, 10, 20, 10, 20, 15};
    v_pline(handle, 3, pts);
    Marks m = marks(screen, 7);
    EXPECT_EQ(m.count, 11 + 5);  // the shared corner counts once
    EXPECT_EQ(getpixel(screen, 10, 10), 2);
    EXPECT_EQ(getpixel(screen, 20, 15), 2);
    EXPECT_EQ(getpixel(screen, 15, 12), 7);

    // One point, or none, draws nothing.
    clear_to_color(screen, 7);
    v_pline(handle, 1, pts);
    v_pline(handle, 0, pts);
    EXPECT_EQ(marks(screen, 7).count, 0);

    // Not clipped by the clip rectangle, only by the bitmap; handle 4 draws
    // on the logical screen.
    short clip[4] = {100, 100, 110, 110};
    vs_clip(handle, 1, clip);
    short across[4] = {-30, 5, 400, 5};
    v_pline(4, 2, across);
    m = marks(_logbmp, 7);
    EXPECT_EQ(m.count, 320);
    EXPECT_EQ(marks(screen, 7).count, 0);
}

TEST_F(Vdi, XorBoxTouchesThirtyPixelsAndUndoesItself)
{
    for (int y = 0; y < 200; y++)
        for (int x = 0; x < 320; x++)
            putpixel(screen, x, y, (x * 7 + y * 3) & 0xFF);
    std::vector<unsigned char> before = pixels(screen);

    _xor_box(10, 10, 20, 15);
    std::vector<unsigned char> once = pixels(screen);
    int changed = 0;
    for (size_t i = 0; i < before.size(); i++) {
        if (once[i] == before[i])
            continue;
        changed++;
        EXPECT_EQ(once[i], before[i] ^ 1) << "pixel " << i;
        int x = (int)i % 320, y = (int)i / 320;
        EXPECT_TRUE(x == 10 || x == 20 || y == 10 || y == 15) << x << "," << y;
    }
    EXPECT_EQ(changed, 30);

    _xor_box(10, 10, 20, 15);
    EXPECT_EQ(pixels(screen), before);

    // Two pixels wide: all 12 pixels of the 2 x 6 box are outline, each
    // flipped once; the empty bottom edge flips no corner back.
    _xor_box(40, 40, 41, 45);
    once = pixels(screen);
    changed = 0;
    for (size_t i = 0; i < before.size(); i++)
        changed += once[i] != before[i];
    EXPECT_EQ(changed, 12);
    EXPECT_EQ(getpixel(screen, 40, 45), before[45 * 320 + 40] ^ 1);
    EXPECT_EQ(getpixel(screen, 41, 45), before[45 * 320 + 41] ^ 1);
    _xor_box(40, 40, 41, 45);
    EXPECT_EQ(pixels(screen), before);
}

TEST_F(Vdi, XorBoxSkipsPixelsOutsideTheScreenAndIgnoresHandle)
{
    handle = 4;  // the box still goes to the visible screen
    _xor_box(-5, -5, 330, 210);
    handle = 0;
    EXPECT_EQ(marks(_logbmp, 7).count, 0);
    EXPECT_EQ(marks(screen, 7).count, 0);  // every edge was outside

    _xor_box(300, 190, 330, 210);  // only the top and left edges are inside
    Marks m = marks(screen, 7);
    EXPECT_EQ(m.count, 20 + 9);
    EXPECT_EQ(getpixel(screen, 300, 190), 6);
}

TEST_F(Vdi, XorPixelFlipsTheLowBit)
{
    putpixel(screen, 1, 1, 0);
    putpixel(screen, 2, 1, 6);
    _xor_pixel(screen, 1, 1, 0);
    _xor_pixel(screen, 2, 1, 99);
    _xor_pixel(screen, 320, 1, 0);  // outside: skipped
    EXPECT_EQ(getpixel(screen, 1, 1), 1);
    EXPECT_EQ(getpixel(screen, 2, 1), 7);
}

}  // namespace
