// v_gtext, pixel-exact, with the tests' own tiny font (see
// support/test_font.h) and with the built-in 8x8 font: every effect and
// combinations, clipping, cells above the surface, codes the font lacks, and
// never a pixel outside the surface's clip rectangle.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "support/headless.h"
#include "support/test_font.h"

namespace {

constexpr int kInk = 1, kPaper = 0, kUntouched = 7;

class Text : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, kUntouched);
        vst_color(handle, kInk);
        vsf_color(handle, kPaper);
        vst_effects(handle, 0);
    }
    void TearDown() override
    {
        vst_effects(handle, 0);
        while (_no_of_fonts > 3)
            vst_unload_font(handle, _no_of_fonts - 1);
        vst_font(handle, 0);
    }

    void use_tiny(bool big_endian = false)
    {
        int n = vst_user_font(handle,
                              testfont::heap_copy(testfont::image(testfont::tiny(), big_endian)));
        ASSERT_GE(n, 3);
        vst_font(handle, n);
    }
};

// The screen rectangle (x, y) of w x h as text: '#' ink, '.' paper, '-'
// untouched; rows separated by '\n'.
std::string area(int x, int y, int w, int h)
{
    std::string s;
    for (int r = 0; r < h; r++) {
        for (int c = 0; c < w; c++) {
            int p = getpixel(screen, x + c, y + r);
            s += p == kInk ? '#' : p == kPaper ? '.' : p == kUntouched ? '-' : '?';
        }
        s += '\n';
    }
    return s;
}

std::string rows(std::initializer_list<const char *> lines)
{
    std::string s;
    for (const char *l : lines)
        s += std::string(l) + "\n";
    return s;
}

// With the tiny font (top 2), text at (2, 2) on a fresh screen has its cell
// at rows 0 to 3; column 1 to the left and the columns after the text stay
// untouched.
std::string draw(short effects, const char *text, int width)
{
    clear_to_color(screen, kUntouched);
    vst_effects(handle, effects);
    v_gtext(handle, 2, 2, text);
    return area(1, 0, width + 2, 5);
}

TEST_F(Text, PlainAndEachEffect)
{
    use_tiny();
    EXPECT_EQ(draw(0, "ab", 5), rows({"-#..##-", "-.#.#.-", "-..##.-", "-###.#-", "-------"}));
    EXPECT_EQ(draw(TXT_BOLD, "ab", 5),
              rows({"-##.##-", "-.####-", "-..###-", "-###.#-", "-------"}));
    EXPECT_EQ(draw(TXT_LIGHT, "ab", 5),
              rows({"-#..#.-", "-.#...-", "-..##.-", "-.#..#-", "-------"}));
    // Rows shift right by (4 - row) / 2; the pen runs on by 4 >> 1 at the end.
    EXPECT_EQ(draw(TXT_ITALIC, "ab", 7),
              rows({"-..#..##-", "-..#.#..-", "-...##..-", "-###.#..-", "---------"}));
    // The glyphs' bottom row gives way to the line.
    EXPECT_EQ(draw(TXT_UNDERLINED, "ab", 5),
              rows({"-#..##-", "-.#.#.-", "-..##.-", "-#####-", "-------"}));
    EXPECT_EQ(draw(TXT_WIDE, "ab", 10), rows({"-##....####-", "-..##..##..-", "-....####..-",
                                              "-######..##-", "------------"}));
}

TEST_F(Text, Combinations)
{
    use_tiny();
    // Bold inks the first of each doubled pair only.
    EXPECT_EQ(
        draw(TXT_BOLD | TXT_WIDE, "ab", 10),
        rows({"-###...####-", "-..###.###.-", "-....#####.-", "-######..##-", "------------"}));
    // The last drawn row (2) is shifted by 1, so each glyph advances one more.
    EXPECT_EQ(draw(TXT_ITALIC | TXT_UNDERLINED, "ab", 9),
              rows({"-..#...##.-", "-..#..#...-", "-...#.#...-", "-#######..-", "-----------"}));
    // Light thins the glyph's own pixels only; bold's added pixels stay.
    EXPECT_EQ(draw(TXT_BOLD | TXT_LIGHT, "a", 3),
              rows({"-##.-", "-.##-", "-..#-", "-.##-", "-----"}));
    // Every effect, and bits that are none: the second pixel of a wide pair
    // follows the glyph's pixel, not light.
    EXPECT_EQ(draw(TXT_BOLD | TXT_LIGHT | TXT_ITALIC | TXT_UNDERLINED | TXT_WIDE | 0xE0, "b", 7),
              rows({"-..####.-", "-..##...-", "-.###...-", "-#####..-", "---------"}));
}

TEST_F(Text, ItalicRunsOnByAFractionOfTheHeight)
{
    use_tiny();
    struct {
        short effects;
        int width;
    } cases[] = {{TXT_ITALIC, 3 + 2},                         // 4 >> 1
                 {TXT_ITALIC | TXT_BOLD, 3 + 1},              // 4 >> 2
                 {TXT_ITALIC | TXT_WIDE, 6 + 4},              // 4 >> 0
                 {TXT_ITALIC | TXT_WIDE | TXT_BOLD, 6 + 2}};  // 4 >> 1
    for (auto c : cases) {
        clear_to_color(screen, kUntouched);
        vst_effects(handle, c.effects);
        v_gtext(handle, 2, 2, "a");
        EXPECT_NE(getpixel(screen, 2 + c.width - 1, 3), kUntouched) << c.effects;
        EXPECT_EQ(getpixel(screen, 2 + c.width, 3), kUntouched) << c.effects;
    }
}

TEST_F(Text, UnderlineSkipsIndex32)
{
    use_tiny();
    EXPECT_EQ(draw(TXT_UNDERLINED, "a b", 7),
              rows({"-#....##-", "-.#...#.-", "-..#..#.-", "-###..##-", "---------"}));
}

TEST_F(Text, ClippedOneColumnBeforeClipx2)
{
    use_tiny();
    short clip[4] = {0, 0, 4, 199};
    vs_clip(handle, 1, clip);
    EXPECT_EQ(draw(0, "ab", 5), rows({"-#.----", "-.#----", "-..----", "-##----", "-------"}));
    clip[2] = 5;  // 'a' fits, 'b' starts at the clip column
    vs_clip(handle, 1, clip);
    EXPECT_EQ(draw(TXT_ITALIC, "ab", 5),
              rows({"-..#---", "-..#---", "-...---", "-###---", "-------"}));
    EXPECT_EQ(draw(TXT_WIDE | TXT_UNDERLINED, "ab", 5),
              rows({"-##.---", "-..#---", "-...---", "-###---", "-------"}));

    clear_to_color(screen, kUntouched);
    v_gtext(handle, 5, 2, "ab");  // at the clip column
    v_gtext(handle, 9, 2, "ab");  // right of it
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 20; x++)
            ASSERT_EQ(getpixel(screen, x, y), kUntouched) << x << "," << y;
}

TEST_F(Text, ClipRectangleAppliesOnAllSides)
{
    use_tiny();
    short clip[4] = {3, 1, 40, 2};
    vs_clip(handle, 1, clip);
    EXPECT_EQ(draw(0, "ab", 5), rows({"-------", "--#.#.-", "--.##.-", "-------", "-------"}));
}

TEST_F(Text, CellAboveTheSurfaceShowsItsLowerRows)
{
    use_tiny();
    vst_effects(handle, 0);
    v_gtext(handle, 2, 1, "ab");  // cell top at -1: glyph rows 1 to 3
    EXPECT_EQ(area(1, 0, 7, 4), rows({"-.#.#.-", "-..##.-", "-###.#-", "-------"}));

    clear_to_color(screen, kUntouched);
    vst_effects(handle, TXT_UNDERLINED | TXT_ITALIC);
    v_gtext(handle, 2, 0, "ab");  // glyph rows 2 and 3
    EXPECT_EQ(area(1, 0, 11, 3), rows({"-...#.#...-", "-#######..-", "-----------"}));

    clear_to_color(screen, kUntouched);
    v_gtext(handle, 2, -2, "ab");  // the whole cell above
    v_gtext(handle, 2, -30000, "ab");
    v_gtext(handle, 2, INT_MIN, "ab");  // no sum with an extreme overflows
    v_gtext(handle, INT_MIN, 2, "ab");
    v_gtext(handle, INT_MAX, INT_MAX, "ab");
    EXPECT_EQ(area(0, 0, 12, 2), rows({"------------", "------------"}));
}

TEST_F(Text, StringStopsAtACodeTheFontLacks)
{
    use_tiny();
    EXPECT_EQ(draw(0,
                   "a\x80"
                   "b",
                   3),
              rows({"-#..-", "-.#.-", "-..#-", "-###-", "-----"}));
    EXPECT_EQ(draw(0, "ac", 3), rows({"-#..-", "-.#.-", "-..#-", "-###-", "-----"}));
    clear_to_color(screen, kUntouched);
    v_gtext(handle, 2, 2, "\xff");
    v_gtext(handle, 2, 2, "");
    EXPECT_EQ(area(0, 0, 8, 2), rows({"--------", "--------"}));
}

TEST_F(Text, SwappedImageRendersIdentically)
{
    use_tiny(false);
    std::string plain = draw(TXT_BOLD | TXT_ITALIC, "abba", 14);
    use_tiny(true);
    EXPECT_EQ(draw(TXT_BOLD | TXT_ITALIC, "abba", 14), plain);
}

TEST_F(Text, BuiltInFontCellAndWidths)
{
    v_gtext(handle, 10, 20, "A");
    int ink = 0;
    for (int y = 12; y < 24; y++)
        for (int x = 8; x < 20; x++) {
            int p = getpixel(screen, x, y);
            bool in_cell = x >= 10 && x <= 17 && y >= 14 && y <= 21;
            if (in_cell)
                EXPECT_TRUE(p == kInk || p == kPaper) << x << "," << y;
            else
                EXPECT_EQ(p, kUntouched) << x << "," << y;
            ink += p == kInk;
        }
    EXPECT_GT(ink, 8);

    // Wide is twice as wide; italic runs on by 4 pixels with font 0.
    auto width_of = [](short effects) {
        clear_to_color(screen, kUntouched);
        vst_effects(handle, effects);
        v_gtext(handle, 0, 10, "Hello");
        int w = 0;
        while (getpixel(screen, w, 10) != kUntouched)
            w++;
        return w;
    };
    EXPECT_EQ(width_of(0), 40);
    EXPECT_EQ(width_of(TXT_WIDE), 80);
    EXPECT_EQ(width_of(TXT_ITALIC), 44);
}

TEST_F(Text, NoPixelOutsideTheClipRectangleWhateverTheInput)
{
    use_tiny();
    std::mt19937 rng(1234);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int fonts[] = {0, 1, 2, _no_of_fonts - 1};
    for (int round = 0; round < 200; round++) {
        clear_to_color(screen, kUntouched);
        short clip[4] = {(short)pick(-50, 330), (short)pick(-50, 210), (short)pick(-50, 400),
                         (short)pick(-50, 260)};
        if (round % 5 == 0)
            clip[2] = (short)pick(-32768, 32767);
        vs_clip(handle, 1, clip);
        vst_font(handle, fonts[round % 4]);
        vst_effects(handle, pick(0, 255));
        std::string text;
        for (int n = pick(0, round % 7 == 0 ? 3000 : 20); n > 0; n--)
            text += (char)pick(1, 255);
        int x = round % 3 ? pick(-400, 400) : pick(-40000, 40000);
        int y = round % 3 ? pick(-40, 240) : pick(-40000, 40000);
        v_gtext(handle, x, y, text.c_str());

        int x1 = std::max<int>(clip[0], 0), y1 = std::max<int>(clip[1], 0);
        int x2 = std::min<int>(clip[2], 319), y2 = std::min<int>(clip[3], 199);
        for (int py = 0; py < 200; py++) {
            for (int px = 0; px < 320; px++) {
                bool outside = px < x1 || px > x2 || py < y1 || py > y2 || px >= clip[2];
                if (outside && getpixel(screen, px, py) != kUntouched)
                    FAIL() << "round " << round << " wrote " << px << "," << py;
            }
        }
    }
    vs_clip(handle, 0, nullptr);
}

}  // namespace
