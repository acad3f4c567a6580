// Raster copies that touch the drawing surface: every pairing with the
// visible or logical screen, the fill modes, surface clipping and the
// failure path, pixel-exact on the headless platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless.h"
#include "support/memory_form.h"

namespace {

using Form = MemoryForm;

unsigned char tag(int x, int y) { return (unsigned char)(1 + (x * 3 + y * 7) % 251); }

// Every pixel of `bmp` tagged with where it is (never 0).
void tag_bitmap(BITMAP *bmp, int offset = 0)
{
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            putpixel(bmp, x, y, tag(x + offset, y));
}

class RasterCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        tag_bitmap(screen);
        tag_bitmap(_logbmp, 1);
    }
    MFDB surface() const { return _screen; }
};

TEST_F(RasterCopy, SurfaceToMemoryFollowsTheHandle)
{
    Form dst(20, 10, 0);
    MFDB s = surface();
    short pxy[8] = {30, 40, 49, 49, 0, 0, 19, 9};
    vro_cpyfm(0, 3, pxy, &s, &dst.mfdb);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 20; x++)
            ASSERT_EQ(dst.at(x, y), tag(30 + x, 40 + y)) << x << "," << y;

    vro_cpyfm(4, 3, pxy, &s, &dst.mfdb);  // the logical screen
    EXPECT_EQ(dst.at(0, 0), tag(31, 40));
}

TEST_F(RasterCopy, MemoryToSurfaceReplaceAndTransparent)
{
    Form src(6, 4, 0);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++)
            src.set(x, y, (x + y) % 3 == 0 ? 0 : 200);
    MFDB s = surface();
    short pxy[8] = {0, 0, 5, 3, 100, 50, 105, 53};

    vro_cpyfm(0, 5, pxy, &src.mfdb, &s);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++)
            EXPECT_EQ(getpixel(screen, 100 + x, 50 + y), src.at(x, y) ? 200 : tag(100 + x, 50 + y));

    vro_cpyfm(0, 3, pxy, &src.mfdb, &s);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++)
            EXPECT_EQ(getpixel(screen, 100 + x, 50 + y), src.at(x, y));
    EXPECT_EQ(getpixel(screen, 106, 50), tag(106, 50));
    EXPECT_EQ(getpixel(screen, 99, 53), tag(99, 53));

    // Handle 4 writes the logical screen and leaves the visible one alone.
    vro_cpyfm(4, 3, pxy, &src.mfdb, &s);
    EXPECT_EQ(getpixel(_logbmp, 100, 50), 0);
    EXPECT_EQ(getpixel(_logbmp, 101, 50), 200);
}

TEST_F(RasterCopy, SurfaceToMemoryTransparent)
{
    Form dst(4, 1, 77);
    putpixel(screen, 10, 10, 0);
    putpixel(screen, 12, 10, 0);
    MFDB s = surface();
    short pxy[8] = {10, 10, 13, 10, 0, 0, 3, 0};
    vro_cpyfm(0, 5, pxy, &s, &dst.mfdb);
    EXPECT_EQ(dst.at(0, 0), 77);
    EXPECT_EQ(dst.at(1, 0), tag(11, 10));
    EXPECT_EQ(dst.at(2, 0), 77);
    EXPECT_EQ(dst.at(3, 0), tag(13, 10));
}

TEST_F(RasterCopy, OverlappingSurfaceCopyKeepsTheSourceImage)
{
    MFDB s = surface();
    short pxy[8] = {10, 10, 59, 39, 20, 15, 69, 44};
    vro_cpyfm(0, 3, pxy, &s, &s);
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 50; x++)
            ASSERT_EQ(getpixel(screen, 20 + x, 15 + y), tag(10 + x, 10 + y)) << x << "," << y;
    EXPECT_EQ(getpixel(screen, 19, 15), tag(19, 15));

    // Transparent: zeros of the source keep the destination.
    tag_bitmap(screen);
    putpixel(screen, 10, 10, 0);
    vro_cpyfm(0, 5, pxy, &s, &s);
    EXPECT_EQ(getpixel(screen, 20, 15), tag(20, 15));
    EXPECT_EQ(getpixel(screen, 21, 15), tag(11, 10));
}

TEST_F(RasterCopy, SurfaceSourceIsClipped)
{
    short clip[4] = {10, 10, 100, 100};
    vs_clip(handle, 1, clip);
    Form dst(200, 200, 0);
    MFDB s = surface();
    short pxy[8] = {0, 0, 199, 199, 0, 0, 199, 199};
    vro_cpyfm(0, 3, pxy, &s, &dst.mfdb);
    for (int y = 0; y < 200; y++)
        for (int x = 0; x < 200; x++) {
            bool inside = x >= 10 && x <= 100 && y >= 10 && y <= 100;
            ASSERT_EQ(dst.at(x, y), inside ? tag(x, y) : 0) << x << "," << y;
        }
}

TEST_F(RasterCopy, SurfaceDestinationIsClipped)
{
    short clip[4] = {0, 0, 100, 80};
    vs_clip(handle, 1, clip);
    Form src(30, 30, 5);
    MFDB s = surface();
    short pxy[8] = {0, 0, 29, 29, 90, 70, 119, 99};
    vro_cpyfm(0, 3, pxy, &src.mfdb, &s);
    for (int y = 60; y < 110; y++)
        for (int x = 80; x < 130; x++) {
            bool inside = x >= 90 && x <= 100 && y >= 70 && y <= 80;
            ASSERT_EQ(getpixel(screen, x, y), inside ? 5 : tag(x, y)) << x << "," << y;
        }

    // A clipped-off start moves the source start too.
    short from_50[4] = {50, 50, 319, 199};
    vs_clip(handle, 1, from_50);
    for (int x = 0; x < 30; x++)
        src.set(x, 0, (unsigned char)(100 + x));
    short left[8] = {0, 0, 29, 0, 40, 60, 69, 60};
    vro_cpyfm(0, 3, left, &src.mfdb, &s);
    EXPECT_EQ(getpixel(screen, 49, 60), tag(49, 60));
    EXPECT_EQ(getpixel(screen, 50, 60), 110);
    EXPECT_EQ(getpixel(screen, 69, 60), 129);
}

TEST_F(RasterCopy, NegativeSurfaceStarts)
{
    Form dst(10, 10, 0);
    MFDB s = surface();
    short pxy[8] = {-3, -2, 6, 7, 0, 0, 9, 9};
    vro_cpyfm(0, 3, pxy, &s, &dst.mfdb);
    EXPECT_EQ(dst.at(0, 0), 0);
    EXPECT_EQ(dst.at(2, 1), 0);
    EXPECT_EQ(dst.at(3, 2), tag(0, 0));
    EXPECT_EQ(dst.at(9, 9), tag(6, 7));
}

TEST_F(RasterCopy, ClipBeyondTheBitmapReadsAndWritesOnlyTheBitmap)
{
    short clip[4] = {-100, -100, 1000, 1000};
    vs_clip(handle, 1, clip);
    Form dst(40, 40, 0);
    MFDB s = surface();
    // A source reaching past the right and bottom edges: only the pixels of
    // the bitmap are copied, the rest of the form keeps its bytes.
    short pxy[8] = {300, 180, 339, 219, 0, 0, 39, 39};
    vro_cpyfm(0, 3, pxy, &s, &dst.mfdb);
    EXPECT_EQ(dst.at(19, 19), tag(319, 199));
    EXPECT_EQ(dst.at(20, 0), 0);
    EXPECT_EQ(dst.at(0, 20), 0);

    // Written past the edges of the screen: nothing outside is touched
    // (the sanitizer build checks), the part inside is written.
    Form src(40, 40, 9);
    short out[8] = {0, 0, 39, 39, 300, 180, 339, 219};
    vro_cpyfm(0, 3, out, &src.mfdb, &s);
    vro_cpyfm(0, 5, out, &src.mfdb, &s);
    EXPECT_EQ(getpixel(screen, 319, 199), 9);
    EXPECT_EQ(getpixel(screen, 299, 199), tag(299, 199));
}

TEST_F(RasterCopy, FillModesPaintTheFirstRectangleOnTheSurface)
{
    vsf_color(handle, 42);
    short clip[4] = {0, 0, 15, 319};
    vs_clip(handle, 1, clip);
    Form a(4, 4, 3), b(4, 4, 3);
    short pxy[8] = {10, 10, 20, 20, 0, 0, 3, 3};

    vro_cpyfm(0, 0, pxy, &a.mfdb, &b.mfdb);
    EXPECT_EQ(getpixel(screen, 10, 10), 0);
    EXPECT_EQ(getpixel(screen, 15, 20), 0);
    EXPECT_EQ(getpixel(screen, 16, 20), tag(16, 20));  // clipped as v_bar clips
    EXPECT_EQ(_fillcol, 42);

    vro_cpyfm(4, 15, pxy, &a.mfdb, &b.mfdb);
    EXPECT_EQ(getpixel(_logbmp, 12, 12), 1);
    EXPECT_EQ(_fillcol, 42);
    EXPECT_EQ(a.bytes, b.bytes);  // the forms are not touched

    // A pair that fails the size check fills nothing.
    tag_bitmap(screen);
    short empty[8] = {10, 10, 20, 20, 5, 5, 4, 4};
    vro_cpyfm(0, 15, empty, &a.mfdb, &b.mfdb);
    EXPECT_EQ(getpixel(screen, 10, 10), tag(10, 10));
}

TEST_F(RasterCopy, ConverterCutsTwoColumnsFromTheVisibleScreen)
{
    const short n = 8;
    std::vector<unsigned char> sprite(12 * n * n, 0);
    MFDB display = {nullptr, 320, 200, 0, 0, 0, 0, 0, 0};
    MFDB behind = {sprite.data(), n, 6 * n, 0, 0, 0, 0, 0, 0};
    short fudge[8] = {0, 0, n - 1, 6 * n - 1, 0, 0, n - 1, 6 * n - 1};
    vro_cpyfm(handle, 3, fudge, &display, &behind);
    behind.fd_addr = sprite.data() + 6 * n * n;
    fudge[0] = n;
    fudge[2] = 2 * n - 1;
    vro_cpyfm(handle, 3, fudge, &display, &behind);
    for (int y = 0; y < 6 * n; y++)
        for (int x = 0; x < n; x++) {
            ASSERT_EQ(sprite[y * n + x], tag(x, y));
            ASSERT_EQ(sprite[6 * n * n + y * n + x], tag(n + x, y));
        }
}

// Makes the next `failures` bitmap creations fail, through the system
// driver's bitmap hook that create_bitmap consults first.
class FailingBitmaps {
public:
    explicit FailingBitmaps(int failures)
    {
        left = failures;
        saved = system_driver->create_bitmap;
        system_driver->create_bitmap = create;
    }
    ~FailingBitmaps() { system_driver->create_bitmap = saved; }

private:
    static BITMAP *create(int depth, int w, int h)
    {
        if (left > 0) {
            left--;
            return nullptr;
        }
        if (saved)
            return saved(depth, w, h);
        system_driver->create_bitmap = nullptr;  // the library's own path
        BITMAP *b = create_bitmap_ex(depth, w, h);
        system_driver->create_bitmap = create;
        return b;
    }
    static int left;
    static BITMAP *(*saved)(int, int, int);
};
int FailingBitmaps::left;
BITMAP *(*FailingBitmaps::saved)(int, int, int);

TEST_F(RasterCopy, NoTemporaryBitmapDrawsNothing)
{
    Form src(4, 4, 9), dst(4, 4, 0);
    MFDB s = surface();
    short to_screen[8] = {0, 0, 3, 3, 5, 5, 8, 8};
    short from_screen[8] = {5, 5, 8, 8, 0, 0, 3, 3};

    // Replace: silently nothing.
    testing::internal::CaptureStderr();
    {
        FailingBitmaps fail(2);
        vro_cpyfm(0, 3, to_screen, &src.mfdb, &s);
        vro_cpyfm(0, 3, from_screen, &s, &dst.mfdb);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("Uh Oh"), std::string::npos);
    EXPECT_EQ(getpixel(screen, 5, 5), tag(5, 5));
    EXPECT_EQ(dst.bytes, std::vector<unsigned char>(16, 0));

    // Transparent: nothing copied, and an alert says "Uh Oh" until it is
    // answered with Return.
    headless::key(67, 13);
    {
        FailingBitmaps fail(1);
        vro_cpyfm(0, 5, to_screen, &src.mfdb, &s);
    }
    EXPECT_FALSE(_gemio->keypressed());
    EXPECT_STREQ((const char *)_alertbox[2].ob_spec, "Uh Oh");
    EXPECT_EQ(getpixel(screen, 5, 5), tag(5, 5));
}

}  // namespace
