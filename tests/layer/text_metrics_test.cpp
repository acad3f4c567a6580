// Text metrics: choosing a font of the face by height and point size, the
// extent box against what v_gtext draws, character widths, font names and
// the text attributes query.
#include <gtest/gtest.h>

#include <string.h>

#include <climits>
#include <string>
#include <vector>

#include "support/headless.h"
#include "support/test_font.h"

namespace {

constexpr int kInk = 1, kPaper = 0, kUntouched = 6;

class Metrics : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
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
    // The tiny font (id 7) with its base line on row `top`; returns its number.
    int add_tiny(short top = 2)
    {
        testfont::Layout s = testfont::tiny();
        s.top = top;
        return vst_user_font(handle, testfont::heap_copy(testfont::image(s)));
    }
};

// The system face: 6x6 top 4 (8 points), 8x8 top 6 (9), 8x16 top 13 (10);
// all three have font_id 1.
struct Chosen {
    int asked, set, font, char_w, char_h, cell_w, cell_h;
};

using Chooser = int (*)(int, int, short *, short *, short *, short *);

void expect_choices(Chooser choose, std::initializer_list<Chosen> cases)
{
    for (auto c : cases) {
        short sizes[4] = {};
        EXPECT_EQ(choose(handle, c.asked, &sizes[0], &sizes[1], &sizes[2], &sizes[3]), c.set)
            << c.asked;
        EXPECT_EQ(_fontno, c.font) << c.asked;
        EXPECT_EQ(std::vector<short>(sizes, sizes + 4),
                  (std::vector<short>{(short)c.char_w, (short)c.char_h, (short)c.cell_w,
                                      (short)c.cell_h}));
    }
}

TEST_F(Metrics, HeightPicksTheTallestFontNotAboveIt)
{
    expect_choices(vst_height, {{13, 13, 1, 8, 13, 8, 16},
                                {100, 13, 1, 8, 13, 8, 16},
                                {12, 6, 0, 8, 6, 8, 8},
                                {6, 6, 0, 8, 6, 8, 8},
                                {5, 4, 2, 6, 4, 6, 6},
                                {4, 4, 2, 6, 4, 6, 6},
                                {3, 4, 2, 6, 4, 6, 6},
                                {INT_MIN, 4, 2, 6, 4, 6, 6}});
    EXPECT_EQ(vst_height(handle, 7, nullptr, nullptr, nullptr, nullptr), 6);
}

TEST_F(Metrics, PointSizePicksTheLargestNotAboveIt)
{
    expect_choices(vst_point, {{10, 10, 1, 8, 13, 8, 16},
                               {72, 10, 1, 8, 13, 8, 16},
                               {9, 9, 0, 8, 6, 8, 8},
                               {8, 8, 2, 6, 4, 6, 6},
                               {7, 8, 2, 6, 4, 6, 6},
                               {-3, 8, 2, 6, 4, 6, 6}});
    EXPECT_EQ(vst_point(handle, 9, nullptr, nullptr, nullptr, nullptr), 9);
}

TEST_F(Metrics, OnlyTheCurrentFontsFaceIsSearched)
{
    const int low = add_tiny(2), high = add_tiny(3);
    EXPECT_EQ(vst_height(handle, 100, nullptr, nullptr, nullptr, nullptr), 13) << "system face";
    vst_font(handle, low);
    EXPECT_EQ(vst_height(handle, 100, nullptr, nullptr, nullptr, nullptr), 3);
    EXPECT_EQ(_fontno, high);
    EXPECT_EQ(vst_height(handle, 2, nullptr, nullptr, nullptr, nullptr), 2);
    EXPECT_EQ(_fontno, low);
    EXPECT_EQ(vst_point(handle, 12, nullptr, nullptr, nullptr, nullptr), 10);
    EXPECT_EQ(_fontno, low) << "equal sizes: the first of the list";
}

// The box v_gtext paints in the replace mode is exactly the extent box, and
// no glyph pixel of the transparent mode lies outside it.
TEST_F(Metrics, ExtentIsTheBoxGtextDraws)
{
    const int x = 20, y = 50;
    for (int font = 0; font < 3; font++) {
        vst_font(handle, font);
        for (short effects = 0; effects < 32; effects++) {
            vst_effects(handle, effects);
            short e[8];
            vqt_extent(handle, "Wj|Ag_", e);
            ASSERT_EQ(std::vector<short>(e, e + 8),
                      (std::vector<short>{0, 0, e[2], 0, e[2], e[5], 0, e[5]}));
            EXPECT_EQ(e[5], _font->form_height);
            const int x2 = x + e[2] - 1, y1 = y - _font->top, y2 = y1 + e[5] - 1;
            for (int mode : {MD_REPLACE, MD_TRANS}) {
                clear_to_color(screen, kUntouched);
                vswr_mode(handle, mode);
                v_gtext(handle, x, y, "Wj|Ag_");
                int right = -1;
                for (int py = 0; py < 100; py++)
                    for (int px = 0; px < 200; px++) {
                        const int p = getpixel(screen, px, py);
                        const bool in = px >= x && px <= x2 && py >= y1 && py <= y2;
                        // Replace paints the box whole; glyph pixels stay in it.
                        const bool painted = p != kUntouched;
                        ASSERT_TRUE(mode == MD_REPLACE ? painted == in : !painted || in)
                            << font << " " << effects << " " << px << "," << py;
                        if (p == kInk)
                            right = std::max(right, px);
                    }
                // '_' fills its bottom row, so the glyphs reach the box's
                // right edge unless italic's run-on follows them.
                if (!(effects & TXT_ITALIC)) {
                    EXPECT_EQ(right, x2) << font << " " << effects << " " << mode;
                }
            }
            vswr_mode(handle, MD_REPLACE);
        }
    }
}

// Tiny font "ab": 5 wide, 4 high. The corners are the text's lower-left,
// lower-right, upper-right and upper-left, turned with it, y up.
TEST_F(Metrics, ExtentTurnsWithTheText)
{
    vst_font(handle, add_tiny());
    const struct {
        int angle;
        std::vector<short> corners;
    } cases[] = {{0, {0, 0, 5, 0, 5, 4, 0, 4}},
                 {900, {4, 0, 4, 5, 0, 5, 0, 0}},
                 {1800, {5, 4, 0, 4, 0, 0, 5, 0}},
                 {2700, {0, 5, 0, 0, 4, 0, 4, 5}}};
    for (auto &c : cases) {
        vst_rotation(handle, c.angle);
        short e[8];
        vqt_extent(handle, "ab", e);
        EXPECT_EQ(std::vector<short>(e, e + 8), c.corners) << c.angle;
    }
    short e[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    vqt_extent(handle, nullptr, e);
    EXPECT_EQ(std::vector<short>(e, e + 8), std::vector<short>(8, 0));
    vqt_extent(handle, "ab", nullptr);
    vst_rotation(handle, 0);
    const std::string huge(100000, 'a');
    vqt_extent(handle, huge.c_str(), e);
    EXPECT_EQ(e[2], SHRT_MAX);
}

TEST_F(Metrics, WidthOfOneCharacter)
{
    const int tiny = add_tiny();
    const struct {
        int font, character, result, advance;
    } cases[] = {{tiny, 'a', 'a', 3}, {tiny, 'b', 'b', 2}, {tiny, ' ', ' ', 2},
                 {tiny, 'c', -1, 0},  {tiny, 300, -1, 0},  {tiny, -1, -1, 0},
                 {0, 'A', 'A', 8},    {2, 'A', 'A', 6},    {0, 200, -1, 0}};
    vst_effects(handle, TXT_WIDE | TXT_ITALIC);  // widths are without effects
    for (auto c : cases) {
        vst_font(handle, c.font);
        short advance = 9, left = 9, right = 9;
        EXPECT_EQ(vqt_width(handle, c.character, &advance, &left, &right), c.result)
            << c.font << " " << c.character;
        EXPECT_EQ(advance, c.advance);
        EXPECT_EQ(left, 0);
        EXPECT_EQ(right, 0);
    }
    EXPECT_EQ(vqt_width(handle, 'A', nullptr, nullptr, nullptr), 'A');
}

TEST_F(Metrics, NamesCountFromOne)
{
    testfont::Layout s = testfont::tiny();
    std::vector<unsigned char> img = testfont::image(s);
    memset(&img[4], 'N', 32);  // a name filling all 32 bytes
    vst_user_font(handle, testfont::heap_copy(img));
    const struct {
        int number, id;
        std::string name;
    } cases[] = {{1, 1, "8x8 system font"}, {2, 1, "8x16 system font"},
                 {3, 1, "6x6 system font"}, {4, 7, std::string(32, 'N')},
                 {5, 1, "8x8 system font"}, {0, 1, "8x8 system font"},
                 {-1, 1, "8x8 system font"}};
    for (auto &c : cases) {
        char name[34];
        memset(name, '#', sizeof name);
        EXPECT_EQ(vqt_name(handle, c.number, name), c.id) << c.number;
        EXPECT_EQ(std::string(name), c.name);
        EXPECT_EQ(name[33], '#') << "33 bytes at most";
    }
    EXPECT_EQ(vqt_name(handle, 2, nullptr), 1);
}

TEST_F(Metrics, AttributesReportTheTextState)
{
    vst_font(handle, 1);
    vst_color(handle, 5);
    vst_rotation(handle, 900);
    vst_alignment(handle, TA_CENTER, TA_TOP, nullptr, nullptr);
    vswr_mode(handle, MD_XOR);
    short a[10];
    vqt_attributes(handle, a);
    EXPECT_EQ(std::vector<short>(a, a + 10),
              (std::vector<short>{1, 5, 900, TA_CENTER, TA_TOP, MD_XOR, 8, 13, 8, 16}));
    vst_font(handle, 2);
    vqt_attributes(handle, a);
    EXPECT_EQ(std::vector<short>(a + 6, a + 10), (std::vector<short>{6, 4, 6, 6}));
    EXPECT_EQ(a[0], 2);
    vqt_attributes(handle, nullptr);
}

}  // namespace
