// The three built-in fonts: every glyph the layer needs is drawn, no two
// printable glyphs look alike, neighbours never touch, and a glyph sheet of
// each font is rendered through v_gtext into the test output (glyph_sheet_N
// .bmp) so that the faces can be looked at. docs/font_8x8.png, font_8x16.png
// and font_6x6.png are these sheets enlarged three times:
//   convert glyph_sheet_0.bmp -filter point -resize 300% docs/font_8x8.png
#include <gtest/gtest.h>

#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/headless.h"

namespace {

constexpr int kInk = 1, kPaper = 0;

struct BuiltIn {
    int number;
    int width, height;
};

const BuiltIn kFonts[] = {{0, 8, 8}, {1, 8, 16}, {2, 6, 6}};

class Sheet : public ::testing::TestWithParam<BuiltIn> {
protected:
    void SetUp() override
    {
        headless::start(1);
        vst_font(handle, GetParam().number);
        vst_effects(handle, 0);
        vst_color(handle, kInk);
        vsf_color(handle, kPaper);
        clear_to_color(screen, kPaper);
    }
    void TearDown() override { vst_font(handle, 0); }
};

// The glyph of `code` as drawn by v_gtext: one string per cell row.
std::vector<std::string> rendered(int code)
{
    const int w = _font->max_cell_width, h = _font->form_height;
    rectfill(screen, 0, 0, 2 * w, h, kPaper);
    char text[2] = {(char)code, 0};
    v_gtext(handle, 0, _font->top, text);
    std::vector<std::string> rows(h, std::string(w, '.'));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (getpixel(screen, x, y) == kInk)
                rows[y][x] = '#';
    return rows;
}

bool has_ink(const std::vector<std::string> &rows)
{
    for (auto &r : rows)
        if (r.find('#') != std::string::npos)
            return true;
    return false;
}

TEST_P(Sheet, PrintableGlyphsAreDistinctAndLeaveAGap)
{
    const int w = GetParam().width;
    ASSERT_EQ(_font->max_cell_width, w);
    ASSERT_EQ(_font->form_height, GetParam().height);
    std::set<std::vector<std::string>> seen;
    for (int code = 33; code <= 126; code++) {
        auto rows = rendered(code);
        EXPECT_TRUE(has_ink(rows)) << "no ink in '" << (char)code << "'";
        EXPECT_TRUE(seen.insert(rows).second) << "'" << (char)code << "' repeats a glyph";
        if (code == '_')
            continue;  // underscores join up
        for (auto &r : rows)
            EXPECT_EQ(r[w - 1], '.') << "'" << (char)code << "' touches its neighbour";
    }
    EXPECT_FALSE(has_ink(rendered(' ')));
}

TEST_P(Sheet, SymbolsTheLayerDrawsExist)
{
    for (int code : {1, 2, 3, 4, 8})
        EXPECT_TRUE(has_ink(rendered(code))) << "symbol " << code;
    std::set<std::vector<std::string>> arrows;
    for (int code : {1, 2, 3, 4})
        arrows.insert(rendered(code));
    EXPECT_EQ(arrows.size(), 4u);
}

// Codes 0x01-0x7F in rows of 16 with a gap around every cell, then sample
// text with each effect, saved for the docs.
TEST_P(Sheet, RendersAGlyphSheet)
{
    const int w = _font->max_cell_width, h = _font->form_height;
    const int pitch_x = w + 4, pitch_y = h + 4;
    clear_to_color(screen, kPaper);
    for (int code = 1; code < 128; code++) {
        char text[2] = {(char)code, 0};
        v_gtext(handle, 2 + (code % 16) * pitch_x, 2 + (code / 16) * pitch_y + _font->top, text);
    }
    int y = 2 + 8 * pitch_y + 4 + _font->top;
    const char *samples[] = {"The quick brown fox jumps over the lazy dog.",
                             "PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! 0123456789"};
    int used_w = 2 + 16 * pitch_x + 2;
    for (const char *s : samples) {
        v_gtext(handle, 2, y, s);
        used_w = std::max(used_w, 2 + (int)strlen(s) * w + 2);
        y += h + 2;
    }
    const struct {
        short bits;
        const char *name;
    } effects[] = {{TXT_BOLD, "Bold"},
                   {TXT_LIGHT, "Light"},
                   {TXT_ITALIC, "Italic"},
                   {TXT_UNDERLINED, "Underlined"},
                   {TXT_WIDE, "Wide"}};
    int x = 2;
    for (auto &e : effects) {
        vst_effects(handle, e.bits);
        v_gtext(handle, x, y, e.name);
        x += (int)strlen(e.name) * w * ((e.bits & TXT_WIDE) ? 2 : 1) + w + 6;
    }
    vst_effects(handle, 0);
    int sheet_h = y + (h - _font->top) + 2;
    used_w = std::max(used_w, x);

    BITMAP *sheet = create_bitmap(used_w, sheet_h);
    ASSERT_NE(sheet, nullptr);
    blit(screen, sheet, 0, 0, 0, 0, used_w, sheet_h);
    std::string path =
        std::string(TEST_OUT_DIR) + "/glyph_sheet_" + std::to_string(GetParam().number) + ".bmp";
    mkdir(TEST_OUT_DIR, 0755);
    EXPECT_EQ(save_bitmap(path.c_str(), sheet, _palette), 0) << path;
    destroy_bitmap(sheet);
}

INSTANTIATE_TEST_SUITE_P(BuiltInFonts, Sheet, ::testing::ValuesIn(kFonts), [](const auto &info) {
    return "font" + std::to_string(info.param.number);
});

}  // namespace
