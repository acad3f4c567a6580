// The converter on the headless layer: decoding into the logical screen,
// the palette, the two cuts through the raster copy, and the file.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "pcx2spr.h"
#include "support/headless.h"
#include "support/pcx.h"
#include "support/tempdir.h"

namespace {

class Converter : public ::testing::Test {
protected:
    TempDir scratch;
    const std::string &dir = scratch.path();

    void SetUp() override { headless::start(0); }

    std::string put(const std::string &name, const pcx::Bytes &bytes)
    {
        std::string path = dir + "/" + name;
        pcx::save(path, bytes);
        return path;
    }

    // Converts and returns the sprite file's bytes (empty when refused).
    pcx::Bytes convert(const std::string &picture, const char **err = nullptr)
    {
        std::string out = dir + "/out.spr";
        unlink(out.c_str());
        const char *e = convert_picture(picture.c_str(), out.c_str());
        if (err)
            *err = e;
        return e ? pcx::Bytes() : pcx::load(out);
    }
};

// Pixel (x, y) of block `b` (0 left, 1 right) of a sprite file of side a.
int spr_pixel(const pcx::Bytes &f, int a, int b, int x, int y)
{
    int p = f[1];
    return f[2 + 3 * p + b * 6 * a * a + y * a + x];
}

TEST_F(Converter, Side24SpriteFromA48PixelWidePicture)
{
    auto rows = pcx::rows(48, 150, [](int x, int y) { return (x * 5 + y * 3) % 256; });
    pcx::Bytes pal = pcx::palette();
    pal[3 * 7] = 255, pal[3 * 7 + 1] = 0, pal[3 * 7 + 2] = 255;  // stop colour at entry 7
    auto f = convert(put("24hero.pcx", pcx::picture(rows, pal)));
    ASSERT_EQ(f.size(), 2u + 3 * 7 + 6912);
    EXPECT_EQ(f[0], 24);
    EXPECT_EQ(f[1], 7);
    EXPECT_TRUE(std::equal(pal.begin(), pal.begin() + 21, f.begin() + 2));
    for (int y = 0; y < 144; y++)
        for (int x = 0; x < 24; x++) {
            ASSERT_EQ(spr_pixel(f, 24, 0, x, y), rows[y][x]) << x << "," << y;
            ASSERT_EQ(spr_pixel(f, 24, 1, x, y), rows[y][x + 24]) << x << "," << y;
        }
}

TEST_F(Converter, PictureShowsWithItsPaletteFromEntry16)
{
    auto rows = pcx::rows(16, 48, [](int x, int y) { return x + y; });
    convert(put("8tiny.pcx", pcx::picture(rows)));
    EXPECT_EQ(handle, 0);
    // Colour k sits at palette entry 16 + k, 6-bit.
    EXPECT_EQ(_palette[16 + 100].r, 100 >> 2);
    EXPECT_EQ(_palette[16 + 100].g, (255 - 100) >> 2);
    // The visible screen shows the picture with the colours shifted by 16.
    EXPECT_EQ(getpixel(screen, 3, 5), 16 + 8);
    EXPECT_GE(_colors, 256);
}

TEST_F(Converter, PictureExactlyOneSideWideGivesTwoEqualBlocks)
{
    auto rows = pcx::rows(6, 36, [](int x, int y) { return 20 + x * 7 + y; });
    auto f = convert(put("6thin.pcx", pcx::picture(rows)));
    ASSERT_EQ(f.size(), 2u + 3 * 240 + 12 * 36);
    for (int y = 0; y < 36; y++)
        for (int x = 0; x < 6; x++) {
            EXPECT_EQ(spr_pixel(f, 6, 0, x, y), rows[y][x]);
            EXPECT_EQ(spr_pixel(f, 6, 1, x, y), rows[y][x]);
        }
}

TEST_F(Converter, PaletteLengthStopsAtTheFirstStopColour)
{
    auto rows = pcx::rows(4, 12, [](int, int) { return 1; });
    pcx::Bytes pal = pcx::palette();
    pal[15] = 255, pal[16] = 0, pal[17] = 255;  // entry 5
    pal[30] = 255, pal[31] = 0, pal[32] = 255;  // entry 10, after it
    auto f = convert(put("2a.pcx", pcx::picture(rows, pal)));
    EXPECT_EQ(f[1], 5);
    EXPECT_EQ(f.size(), 2u + 15 + 12 * 4);

    // (255, 0, 255) only at entry 240 or later does not stop the palette.
    pal = pcx::palette();
    pal[3 * 240] = 255, pal[3 * 240 + 1] = 0, pal[3 * 240 + 2] = 255;
    f = convert(put("2b.pcx", pcx::picture(rows, pal)));
    EXPECT_EQ(f[1], 240);
}

TEST_F(Converter, NameWithoutDigitsGivesSideZero)
{
    auto f = convert(put("hero.pcx", pcx::picture(pcx::rows(8, 8, [](int, int) { return 3; }))));
    ASSERT_EQ(f.size(), 2u + 3 * 240);
    EXPECT_EQ(f[0], 0);
}

TEST_F(Converter, Number88GivesSide24AndSizeByte88)
{
    auto rows = pcx::rows(48, 144, [](int x, int) { return x; });
    auto f = convert(put("88big.pcx", pcx::picture(rows)));
    ASSERT_EQ(f.size(), 2u + 3 * 240 + 6912);
    EXPECT_EQ(f[0], 88);
}

TEST_F(Converter, IndicesUpTo255SurviveTheShift)
{
    auto rows = pcx::rows(4, 12, [](int x, int y) { return 240 + (x + y * 2) % 16; });
    auto f = convert(put("2hi.pcx", pcx::picture(rows)));
    for (int y = 0; y < 12; y++)
        for (int x = 0; x < 2; x++) {
            EXPECT_EQ(spr_pixel(f, 2, 0, x, y), rows[y][x]);
            EXPECT_EQ(spr_pixel(f, 2, 1, x, y), rows[y][x + 2]);
        }
}

TEST_F(Converter, PictureThatEndsEarlyGives255)
{
    auto bytes = pcx::header(7);
    bytes.push_back(1);  // one pixel of one line, then nothing
    auto f = convert(put("4short.pcx", bytes));
    ASSERT_EQ(f.size(), 2u + 3 * f[1] + 12 * 16);
    EXPECT_EQ(spr_pixel(f, 4, 0, 0, 0), 1);
    EXPECT_EQ(spr_pixel(f, 4, 0, 1, 0), 255);
    EXPECT_EQ(spr_pixel(f, 4, 1, 3, 23), 255);
}

// A line narrower than the side is repeated once; the columns it still
// does not reach are colour 0 (index 240 in the file), whatever the screen
// showed before.
TEST_F(Converter, ColumnsPastANarrowPictureAreColourZero)
{
    clear_to_color(screen, 77);
    auto f = convert(put("4one.pcx", pcx::picture(pcx::rows(1, 24, [](int, int y) { return y; }))));
    ASSERT_EQ(f.size(), 2u + 3 * f[1] + 12 * 16);
    for (int y = 0; y < 24; y++) {
        EXPECT_EQ(spr_pixel(f, 4, 0, 0, y), y);
        EXPECT_EQ(spr_pixel(f, 4, 0, 1, y), y);
        for (int x = 2; x < 4; x++)
            EXPECT_EQ(spr_pixel(f, 4, 0, x, y), 240) << x << "," << y;
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(spr_pixel(f, 4, 1, x, y), 240) << x << "," << y;
    }
}

// The conversion of a picture's bytes is the batch command's, file for file.
TEST_F(Converter, BytesConvertAsTheFile)
{
    const pcx::Bytes picture =
        pcx::picture(pcx::rows(30, 60, [](int x, int y) { return (x * 11 + y) % 256; }));
    const pcx::Bytes from_file = convert(put("10same.pcx", picture));
    pcx::Bytes from_bytes;
    EXPECT_EQ(convert_pcx(10, picture.data(), picture.size(), from_bytes), nullptr);
    EXPECT_EQ(from_bytes, from_file);

    const char *file_refusal = nullptr;
    convert(put("30big.pcx", picture), &file_refusal);
    EXPECT_STREQ(convert_pcx(30, picture.data(), picture.size(), from_bytes), file_refusal);
    EXPECT_STREQ(convert_pcx(10, picture.data(), 100, from_bytes),
                 "is shorter than its 128-byte header");
}

TEST_F(Converter, WideLinesKeepTheirFirst320PixelsOnly)
{
    clear_to_color(screen, 77);
    // 400 pixels per line, with a run of 63 that reaches past the line end.
    pcx::Rows rows = pcx::rows(400, 12, [](int x, int y) { return (x + y) % 100; });
    auto bytes = pcx::picture(rows);
    auto f = convert(put("2wide.pcx", bytes));
    ASSERT_FALSE(f.empty());
    for (int y = 0; y < 12; y++) {
        EXPECT_EQ(getpixel(_logbmp, 319, y), 16 + (319 + y) % 100) << y;
        EXPECT_EQ(getpixel(_logbmp, 0, y + 1) == 77, y == 11) << y;
    }
    // Nothing below the picture's rows changed.
    for (int x = 0; x < 320; x++)
        ASSERT_EQ(getpixel(_logbmp, x, 12), 77);
}

TEST_F(Converter, OverlongRunOnTheLastLineStaysInItsRow)
{
    clear_to_color(screen, 77);
    auto bytes = pcx::header(319);
    for (int line = 0; line < 6; line++) {
        for (int i = 0; i < 5; i++) {
            bytes.push_back(192 | 63);
            bytes.push_back(9);
        }
        bytes.push_back(192 | 63);  // reaches 378 on a 320-pixel line
        bytes.push_back(9);
    }
    auto f = convert(put("1run.pcx", bytes));
    ASSERT_FALSE(f.empty());
    for (int x = 0; x < 320; x++) {
        ASSERT_EQ(getpixel(_logbmp, x, 5), 25);
        ASSERT_EQ(getpixel(_logbmp, x, 6), 77);
    }
}

TEST_F(Converter, ShortFilesReadMissingPaletteBytesAsZero)
{
    // 500 bytes: the palette starts 268 bytes before the file does.
    auto bytes = pcx::header(3);
    while (bytes.size() < 500)
        bytes.push_back((unsigned char)(bytes.size() % 150));
    auto f = convert(put("2p.pcx", bytes));
    ASSERT_FALSE(f.empty());
    int p = f[1];
    ASSERT_EQ(p, 240);
    for (int k = 0; k < 720; k++) {
        long pos = 500 - 768 + k;
        int want = pos < 0 ? 0 : bytes[pos];
        ASSERT_EQ(f[2 + k], want) << k;
    }
}

TEST_F(Converter, RefusedPicturesWriteNothing)
{
    const char *err = nullptr;
    std::string out = dir + "/out.spr";

    EXPECT_TRUE(convert(dir + "/4missing.pcx", &err).empty());
    EXPECT_NE(std::string(err).find("cannot be opened"), std::string::npos);

    EXPECT_TRUE(convert(put("4head.pcx", pcx::Bytes(100, 0)), &err).empty());
    EXPECT_NE(std::string(err).find("128-byte header"), std::string::npos);

    EXPECT_TRUE(convert(put("4neg.pcx", pcx::header(-5)), &err).empty());
    EXPECT_NE(std::string(err).find("negative width"), std::string::npos);

    EXPECT_TRUE(convert(put("25big.pcx", pcx::header(100)), &err).empty());
    EXPECT_NE(std::string(err).find("side 25 is above 24"), std::string::npos);
    // 63 = 0x3F: the largest side a name can ask for.
    EXPECT_TRUE(convert(put("127x.pcx", pcx::header(100)), &err).empty());
    EXPECT_NE(std::string(err).find("side 63"), std::string::npos);

    EXPECT_NE(access(out.c_str(), F_OK), 0);
    EXPECT_EQ(handle, 0);  // refused before the logical screen was selected
}

TEST_F(Converter, OverlongPathIsRefused)
{
    std::string path = "/" + std::string(PATH_BYTES, 'a') + "/4x.pcx";
    const char *err = nullptr;
    EXPECT_TRUE(convert(path, &err).empty());
    EXPECT_NE(std::string(err).find("too long"), std::string::npos);
}

struct AlertCase {
    std::string file, reason;
    const char *alert;  // null: only the limits are checked
};

TEST(FailureAlert, NamesTheFileAndWrapsTheReasonWithinTheAlertLimits)
{
    const AlertCase cases[] = {
        {"/a/b/30big.pcx", "side 30 is above 24",
         "[3][Picture refused:|30big.pcx|side 30 is above 24][ OK ]"},
        {"x.pcx", "cannot be opened: No such file or directory",
         "[3][Picture refused:|x.pcx|cannot be opened: No such file|or directory][ OK ]"},
        {"/p/a|b]c.pcx", "odd | reason]", "[3][Picture refused:|a/b)c.pcx|odd / reason)][ OK ]"},
        {"/" + std::string(40, 'n'), std::string(120, 'r'), nullptr},
    };
    for (const AlertCase &c : cases) {
        const std::string alert =
            failure_alert("Picture refused:", c.file.c_str(), c.reason.c_str());
        if (c.alert) {
            EXPECT_EQ(alert, c.alert);
        }
        // Five lines of at most 32 characters between the brackets.
        const size_t open = alert.find('[', 1) + 1, close = alert.find(']', open);
        std::stringstream text(alert.substr(open, close - open));
        int lines = 0;
        for (std::string line; std::getline(text, line, '|'); lines++)
            EXPECT_LE(line.size(), 32u) << line;
        EXPECT_LE(lines, 5) << alert;
    }
}

}  // namespace
