// Text beyond the plain attributes: alignment, writing modes, rotation about
// the reference pixel, clipping of turned text, very long strings, and
// v_justified's stretching. Pictures are compared with the plain v_gtext
// drawing, moved or turned, or with drawings spelled out pixel by pixel.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <string>
#include <vector>

#include "support/headless.h"
#include "support/test_font.h"

namespace {

constexpr int kInk = 1, kPaper = 0, kUntouched = 6;

using Picture = std::vector<unsigned char>;

class Placed : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, kUntouched);
        vst_color(handle, kInk);
        vsf_color(handle, kPaper);
    }
    void TearDown() override
    {
        while (_no_of_fonts > 3)
            vst_unload_font(handle, _no_of_fonts - 1);
        vst_font(handle, 0);
        vst_effects(handle, 0);
    }
    void use_tiny()
    {
        vst_font(handle,
                 vst_user_font(handle, testfont::heap_copy(testfont::image(testfont::tiny()))));
    }
};

Picture picture() { return headless::screen_pixels(); }

// Draws with the given attributes on a fresh screen and returns it.
Picture drawn(int x, int y, const char *text, int mode, int h, int v, int angle)
{
    clear_to_color(screen, kUntouched);
    vswr_mode(handle, mode);
    vst_alignment(handle, h, v, nullptr, nullptr);
    vst_rotation(handle, angle);
    v_gtext(handle, x, y, text);
    vswr_mode(handle, MD_REPLACE);
    vst_alignment(handle, TA_LEFT, TA_BASE, nullptr, nullptr);
    vst_rotation(handle, 0);
    return picture();
}

struct Box {
    int x1 = INT_MAX, y1 = INT_MAX, x2 = -1, y2 = -1;
};

Box touched(const Picture &p)
{
    Box b;
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++)
            if (p[y * screen->w + x] != kUntouched) {
                b = {std::min(b.x1, x), std::min(b.y1, y), std::max(b.x2, x), std::max(b.y2, y)};
            }
    return b;
}

// The screen rectangle (x, y) of w x h as text: '#' ink, '.' paper, 'x' the
// untouched colour with bit 0 flipped, '-' untouched.
std::string area(int x, int y, int w, int h)
{
    std::string s;
    for (int r = 0; r < h; r++) {
        for (int c = 0; c < w; c++) {
            int p = getpixel(screen, x + c, y + r);
            s += p == kInk ? '#' : p == kPaper ? '.' : p == kUntouched ? '-' : p == 7 ? 'x' : '?';
        }
        s += '\n';
    }
    return s;
}

TEST_F(Placed, AlignmentKeepsKnownValuesAndReportsThem)
{
    const struct {
        int h, v, want_h, want_v;
    } cases[] = {{TA_LEFT, TA_BASE, 0, 0},
                 {TA_CENTER, TA_HALF, 1, 1},
                 {TA_RIGHT, TA_TOP, 2, 5},
                 {3, 6, 0, 0},
                 {-1, -1, 0, 0},
                 {TA_RIGHT, TA_DESCENT, 2, 4},
                 {INT_MAX, TA_BOTTOM, 0, 3}};
    for (auto c : cases) {
        short h = -9, v = -9;
        vst_alignment(handle, c.h, c.v, &h, &v);
        EXPECT_EQ(h, c.want_h) << c.h;
        EXPECT_EQ(v, c.want_v) << c.v;
        EXPECT_EQ(_vdi.text_h, c.want_h);
        EXPECT_EQ(_vdi.text_v, c.want_v);
    }
    vst_alignment(handle, TA_CENTER, TA_TOP, nullptr, nullptr);
    EXPECT_EQ(_vdi.text_v, TA_TOP);
}

TEST_F(Placed, RotationGoesToTheNearestQuarterTurn)
{
    const int cases[][2] = {{0, 0},       {449, 0},        {450, 900},    {899, 900},
                            {1350, 1800}, {2250, 2700},    {3149, 2700},  {3150, 0},
                            {3600, 0},    {4500, 900},     {-900, 2700},  {-450, 0},
                            {-451, 2700}, {INT_MIN, 2700}, {INT_MAX, 900}};
    for (auto c : cases) {
        EXPECT_EQ(vst_rotation(handle, c[0]), c[1]) << c[0];
        EXPECT_EQ(_vdi.text_angle, c[1]);
    }
}

// The cell row that lands on y for each vertical alignment, from the
// fonts' headers: 8x8 top 6 ascent 6 half 4 descent 1 bottom 1; 8x16 13, 11,
// 8, 2, 2; 6x6 4, 4, 3, 1, 1.
TEST_F(Placed, EachAlignmentPutsThatPointOfTheBoxOnTheReference)
{
    const int rows[3][6] = {{6, 2, 0, 7, 7, 0}, {13, 5, 2, 15, 15, 0}, {4, 1, 0, 5, 5, 0}};
    for (int font = 0; font < 3; font++) {
        vst_font(handle, font);
        // Italic bold runs on by a quarter of the height: widths of 18 + 1 occur.
        for (short effects : {0, TXT_ITALIC | TXT_BOLD}) {
            vst_effects(handle, effects);
            short extent[8];
            vqt_extent(handle, "Hig", extent);
            const int w = extent[2], h = extent[5];
            for (int hor = TA_LEFT; hor <= TA_RIGHT; hor++) {
                for (int vert = TA_BASE; vert <= TA_TOP; vert++) {
                    const Picture placed = drawn(100, 100, "Hig", MD_REPLACE, hor, vert, 0);
                    const int x = 100 - (hor == TA_CENTER ? w / 2 : hor == TA_RIGHT ? w : 0);
                    const int top = 100 - rows[font][vert];
                    const Box b = touched(placed);
                    EXPECT_EQ(b.x1, x) << font << hor << vert << " " << effects;
                    EXPECT_EQ(b.y1, top) << font << hor << vert;
                    EXPECT_EQ(b.x2 - b.x1 + 1, w);
                    EXPECT_EQ(b.y2 - b.y1 + 1, h);
                    EXPECT_TRUE(drawn(x, top + _font->top, "Hig", MD_REPLACE, 0, 0, 0) == placed);
                }
            }
        }
    }
}

TEST_F(Placed, WritingModesOnTheTinyFont)
{
    use_tiny();
    const struct {
        int mode;
        std::string rows;
    } cases[] = {
        {MD_REPLACE, "#..##\n.#.#.\n..##.\n###.#\n"},
        {MD_TRANS, "#--##\n-#-#-\n--##-\n###-#\n"},
        {MD_XOR, "x--xx\n-x-x-\n--xx-\nxxx-x\n"},
        {MD_ERASE, "-##--\n#-#-#\n##--#\n---#-\n"},
    };
    for (auto &c : cases) {
        drawn(2, 2, "ab", c.mode, TA_LEFT, TA_BASE, 0);
        EXPECT_EQ(area(2, 0, 5, 4), c.rows) << c.mode;
        EXPECT_EQ(touched(picture()).x2, 6) << c.mode;
    }
}

// Whatever the font and effects, each mode writes the glyph and background
// pixels that the plain drawing paints: TRANS and XOR the glyph pixels,
// ERASE the background ones; XOR twice gives the screen back.
TEST_F(Placed, EveryModeFollowsThePlainComposition)
{
    for (int font = 0; font < 3; font++) {
        vst_font(handle, font);
        for (short effects = 0; effects < 32; effects++) {
            vst_effects(handle, effects);
            const Picture plain = drawn(30, 40, "Wj|_Ag", MD_REPLACE, 0, 0, 0);
            const Picture trans = drawn(30, 40, "Wj|_Ag", MD_TRANS, 0, 0, 0);
            const Picture erase = drawn(30, 40, "Wj|_Ag", MD_ERASE, 0, 0, 0);
            const Picture xored = drawn(30, 40, "Wj|_Ag", MD_XOR, 0, 0, 0);
            for (size_t i = 0; i < plain.size(); i++) {
                const bool glyph = plain[i] == kInk, back = plain[i] == kPaper;
                ASSERT_EQ(trans[i], glyph ? kInk : kUntouched) << font << " " << effects;
                ASSERT_EQ(xored[i], glyph ? (kUntouched ^ 1) : kUntouched);
                ASSERT_EQ(erase[i], back ? kInk : kUntouched);
            }
            vswr_mode(handle, MD_XOR);
            v_gtext(handle, 30, 40, "Wj|_Ag");
            EXPECT_TRUE(picture() == Picture(plain.size(), kUntouched)) << "XOR twice";
            vswr_mode(handle, MD_REPLACE);
        }
    }
}

// The turned picture is the unturned one rotated about the reference pixel:
// a pixel at offset (ex, ey) from it goes to (ey, -ex) at 900, (-ex, -ey) at
// 1800 and (-ey, ex) at 2700.
TEST_F(Placed, RotationTurnsThePictureAboutTheReferencePixel)
{
    const int x = 160, y = 100, W = screen->w;
    for (int font = 0; font < 3; font++) {
        vst_font(handle, font);
        for (short effects : {0, TXT_ITALIC | TXT_UNDERLINED, TXT_BOLD | TXT_WIDE}) {
            vst_effects(handle, effects);
            for (int align = 0; align < 3; align++) {
                const Picture flat = drawn(x, y, "Rot8", MD_TRANS, align, align * 2, 0);
                for (int angle : {900, 1800, 2700}) {
                    const Picture turned = drawn(x, y, "Rot8", MD_TRANS, align, align * 2, angle);
                    for (int ey = -99; ey < 100; ey++)
                        for (int ex = -99; ex < 100; ex++) {
                            const int tx = angle == 900 ? ey : angle == 1800 ? -ex : -ey;
                            const int ty = angle == 900 ? -ex : angle == 1800 ? -ey : ex;
                            ASSERT_EQ(turned[(y + ty) * W + x + tx], flat[(y + ey) * W + x + ex])
                                << font << " " << effects << " " << align << " " << angle;
                        }
                }
            }
        }
    }
}

TEST_F(Placed, TurnedTextIsClippedAtEachEdgeOfTheClipRectangle)
{
    vst_font(handle, 1);
    for (int angle : {900, 1800, 2700}) {
        const Picture whole = drawn(100, 100, "Clipped", MD_REPLACE, TA_CENTER, TA_HALF, angle);
        const Box b = touched(whole);
        const int mx = (b.x1 + b.x2) / 2, my = (b.y1 + b.y2) / 2;
        const short clips[][4] = {{(short)mx, 0, 319, 199},
                                  {0, (short)my, 319, 199},
                                  {0, 0, (short)mx, 199},
                                  {0, 0, 319, (short)my}};
        for (auto &clip : clips) {
            vs_clip(handle, 1, clip);
            const Picture cut = drawn(100, 100, "Clipped", MD_REPLACE, TA_CENTER, TA_HALF, angle);
            for (int y = 0; y < screen->h; y++)
                for (int x = 0; x < screen->w; x++) {
                    // Text columns end one before the clip's right column.
                    bool inside = x >= clip[0] && x < clip[2] && y >= clip[1] && y <= clip[3];
                    ASSERT_EQ(cut[y * screen->w + x],
                              inside ? whole[y * screen->w + x] : kUntouched)
                        << angle << " " << x << "," << y;
                }
        }
        vs_clip(handle, 0, nullptr);
    }
}

// The logical screen for handles from 4; on the visible screen, the clip
// rectangle a window frame sets on it with Allegro is kept as well.
TEST_F(Placed, SurfaceAndAllegroClipAreHonoured)
{
    clear_to_color(_logbmp, kUntouched);
    vst_rotation(handle, 900);
    v_gtext(4, 100, 100, "logical");
    EXPECT_EQ(touched(picture()).x2, -1);
    int ink = 0;
    for (int y = 0; y < _logbmp->h; y++)
        for (int x = 0; x < _logbmp->w; x++)
            ink += getpixel(_logbmp, x, y) == kInk;
    EXPECT_GT(ink, 20);

    const Picture whole = drawn(100, 100, "framed", MD_XOR, TA_CENTER, TA_HALF, 1800);
    clear_to_color(screen, kUntouched);
    set_clip_rect(screen, 90, 95, 104, 103);
    vswr_mode(handle, MD_XOR);
    vst_alignment(handle, TA_CENTER, TA_HALF, nullptr, nullptr);
    vst_rotation(handle, 1800);
    v_gtext(handle, 100, 100, "framed");
    int x1, y1, x2, y2;
    get_clip_rect(screen, &x1, &y1, &x2, &y2);
    EXPECT_EQ(std::vector<int>({x1, y1, x2, y2}), std::vector<int>({90, 95, 104, 103}));
    set_clip_rect(screen, 0, 0, screen->w - 1, screen->h - 1);
    const Picture framed = picture();
    for (int y = 0; y < screen->h; y++)
        for (int x = 0; x < screen->w; x++) {
            const bool inside = x >= 90 && x <= 104 && y >= 95 && y <= 103;
            ASSERT_EQ(framed[y * screen->w + x], inside ? whole[y * screen->w + x] : kUntouched);
        }
    vswr_mode(handle, MD_REPLACE);
}

// Text that runs off the surface shows what a drawing 40 pixels further
// in shows at the same place of the text. The last column is the clip
// rectangle's right one, which text never writes.
TEST_F(Placed, TurnedTextRunsOffTheSurface)
{
    const int W = screen->w, H = screen->h;
    for (int angle : {0, 900, 1800, 2700}) {
        for (auto at : {std::pair<int, int>{3, 3}, {W - 4, H - 4}}) {
            const int d = at.first < 100 ? 40 : -40;
            const Picture edge = drawn(at.first, at.second, "Edge", MD_REPLACE, 0, 0, angle);
            const Picture in = drawn(at.first + d, at.second + d, "Edge", MD_REPLACE, 0, 0, angle);
            for (int y = 0; y < H; y++)
                for (int x = 0; x < W; x++) {
                    const int ix = x + d, iy = y + d;
                    if (x < W - 1 && ix >= 0 && ix < W - 1 && iy >= 0 && iy < H) {
                        ASSERT_EQ(edge[y * W + x], in[iy * W + ix])
                            << angle << " " << x << "," << y;
                    }
                }
        }
    }
}

// A 100 000 character string ending on the screen shows the same as its
// last characters drawn by the plain path, which composes every glyph from
// the start, and takes no time to draw: only what shows is composed.
TEST_F(Placed, LongStringsComposeOnlyWhatShows)
{
    const std::string long_text(100000, 'M'), short_text(60, 'M');
    vst_effects(handle, TXT_ITALIC);
    short extent[8];
    vqt_extent(handle, short_text.c_str(), extent);
    // The screen's edge cuts the glyphs at every column of a cell.
    for (int x = 160; x < 168; x++) {
        const Picture plain = drawn(x - extent[2], 100, short_text.c_str(), MD_REPLACE, 0, 0, 0);
        for (int angle : {0, 900, 1800, 2700}) {
            const auto start = std::chrono::steady_clock::now();
            const Picture drawn_long =
                drawn(x, 100, long_text.c_str(), MD_REPLACE, TA_RIGHT, 0, angle);
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start);
            EXPECT_LT(ms.count(), 500) << angle;
            const Picture drawn_short =
                angle ? drawn(x, 100, short_text.c_str(), MD_REPLACE, TA_RIGHT, 0, angle) : plain;
            EXPECT_TRUE(drawn_short == drawn_long) << angle << " " << x;
        }
    }
}

TEST_F(Placed, JustifiedAtNaturalWidthIsGtext)
{
    for (int font = 0; font < 3; font++) {
        vst_font(handle, font);
        for (short effects : {0, TXT_ITALIC, TXT_WIDE | TXT_UNDERLINED | TXT_BOLD}) {
            vst_effects(handle, effects);
            const Picture text = drawn(20, 30, "Just a line", MD_REPLACE, 0, 0, 0);
            for (int length : {INT_MIN, 0, (int)touched(text).x2 - 20 + 1}) {
                clear_to_color(screen, kUntouched);
                v_justified(handle, 20, 30, "Just a line", length, 1, 1);
                EXPECT_TRUE(picture() == text) << font << " " << effects << " " << length;
            }
        }
    }
}

// Tiny font: 'a' 3 columns, ' ' and 'b' 2, max cell width 3. Row 0 of
// "a ba" shows where each glyph went.
TEST_F(Placed, JustifiedSpreadsTheExtraOverTheGaps)
{
    use_tiny();
    const struct {
        const char *text;
        int length, words, chars;
        const char *row0;
    } cases[] = {
        {"ab", 8, 0, 1, "#.....##"},               // 3 after 'a'
        {"a ba", 16, 1, 0, "#..........###.."},    // 6 after the space
        {"a ba", 16, 1, 1, "#.........##.#.."},    // the space 3, then 1 after each glyph
        {"a ba", 15, 0, 1, "#........##.#.."},     // 2, 2 and 1: the first gaps take the rest
        {"a b a", 17, 1, 0, "#.......##....#.."},  // 3 and 2 after the spaces
        {"ab", 8, 1, 0, "#..##"},                  // no space to widen
        {"a", 9, 1, 1, "#.."},                     // no gap at all
    };
    for (auto &c : cases) {
        clear_to_color(screen, kUntouched);
        v_justified(handle, 2, 2, c.text, c.length, c.words, c.chars);
        const std::string row = area(2, 0, (int)strlen(c.row0), 1);
        EXPECT_EQ(row, std::string(c.row0) + "\n") << c.text << " " << c.length;
        EXPECT_EQ(touched(picture()).x2 + 1 - 2, (int)strlen(c.row0)) << c.text << " " << c.length;
    }
}

TEST_F(Placed, JustifiedGapsAreTheTextsBackground)
{
    use_tiny();
    const struct {
        int mode;
        const char *gap;
    } cases[] = {{MD_REPLACE, "..."}, {MD_TRANS, "---"}, {MD_XOR, "---"}, {MD_ERASE, "###"}};
    for (auto &c : cases) {
        clear_to_color(screen, kUntouched);
        vswr_mode(handle, c.mode);
        v_justified(handle, 2, 2, "ab", 8, 0, 1);
        const std::string row = std::string(c.gap) + "\n";
        EXPECT_EQ(area(5, 0, 3, 4), row + row + row + row) << c.mode;
    }
    vswr_mode(handle, MD_REPLACE);
}

TEST_F(Placed, JustifiedHonoursAlignmentRotationAndHugeLengths)
{
    vst_alignment(handle, TA_RIGHT, TA_BOTTOM, nullptr, nullptr);
    v_justified(handle, 200, 100, "two words", 150, 1, 0);
    Box b = touched(picture());
    EXPECT_EQ(b.x1, 50);
    EXPECT_EQ(b.x2, 199);
    EXPECT_EQ(b.y2, 100);

    clear_to_color(screen, kUntouched);
    vst_alignment(handle, TA_LEFT, TA_TOP, nullptr, nullptr);
    vst_rotation(handle, 900);
    v_justified(handle, 100, 150, "two words", 120, 0, 1);
    b = touched(picture());
    EXPECT_EQ(b.y2 - b.y1 + 1, 120);
    EXPECT_EQ(b.x2 - b.x1 + 1, 8);

    for (int angle : {0, 900, 1800, 2700}) {
        vst_rotation(handle, angle);
        v_justified(handle, 100, 100, "a b c", INT_MAX, 1, 1);  // runs off the surface
    }
}

}  // namespace
