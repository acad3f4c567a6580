// The text-cursor escapes: the grid of 8 x 8 cells, text written in the
// system font at the cursor, moves and their clamps, erasing to the end of
// a line or of the screen, the inverted cursor cell of alpha mode, and the
// graphic cursor.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "support/headless.h"

namespace {

using Cell = std::array<unsigned char, 64>;

Cell cell(BITMAP *bmp, int row, int col)
{
    Cell c;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            c[y * 8 + x] = (unsigned char)getpixel(bmp, col * 8 + x, row * 8 + y);
    return c;
}

Cell filled(int colour)
{
    Cell c;
    c.fill((unsigned char)colour);
    return c;
}

// Character `code` of font 0 read from its image: 1 where the glyph has
// ink, 0 elsewhere.
Cell glyph(unsigned char code)
{
    const GFONT *f = _sysfonts[0];
    const unsigned char *image = (const unsigned char *)f;
    const short *offsets = (const short *)(image + 88);
    const unsigned char *form = image + f->form_base;
    const int i = code - f->first_ade;
    Cell c{};
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < offsets[i + 1] - offsets[i]; x++) {
            const int p = offsets[i] + x;
            c[y * 8 + x] = (form[y * f->form_width + p / 8] >> (7 - p % 8)) & 1;
        }
    return c;
}

Cell inverted(Cell c)
{
    for (auto &p : c)
        p ^= 1;
    return c;
}

void expect_cursor(int row, int col)
{
    short r = 0, c = 0;
    vq_curaddress(handle, &r, &c);
    EXPECT_EQ(r, row);
    EXPECT_EQ(c, col);
}

class VdiTextCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        v_exit_cur(handle);
        v_curhome(handle);
        clear_to_color(screen, 7);
        clear_to_color(_logbmp, 7);
    }
    void TearDown() override { v_exit_cur(handle); }
};

TEST_F(VdiTextCursor, GridOfTheSystemFont)
{
    const int sizes[][3] = {{0, 25, 40}, {1, 60, 80}, {2, 75, 100}};
    for (const auto &s : sizes) {
        headless::start(s[0]);
        short rows = 0, cols = 0;
        vq_chcells(handle, &rows, &cols);
        EXPECT_EQ(rows, s[1]);
        EXPECT_EQ(cols, s[2]);
    }
    vq_chcells(handle, nullptr, nullptr);
}

TEST_F(VdiTextCursor, EnterAndExitClearTheScreen)
{
    v_curdown(handle);
    v_enter_cur(handle);
    expect_cursor(1, 1);
    EXPECT_EQ(cell(screen, 0, 0), filled(1)) << "the cursor: colour 0 inverted";
    EXPECT_EQ(cell(screen, 0, 1), filled(0));
    EXPECT_EQ(cell(screen, 24, 39), filled(0));

    v_exit_cur(handle);
    EXPECT_EQ(cell(screen, 0, 0), filled(0));
    v_curright(handle);
    EXPECT_EQ(cell(screen, 0, 1), filled(0)) << "no cursor outside alpha mode";
}

TEST_F(VdiTextCursor, CharactersAreTheSystemFontInTheirCells)
{
    vs_curaddress(handle, 4, 6);
    v_curtext(handle, "Hg!\x01\xC8");
    EXPECT_EQ(cell(screen, 3, 5), glyph('H'));
    EXPECT_EQ(cell(screen, 3, 6), glyph('g'));
    EXPECT_EQ(cell(screen, 3, 7), glyph('!'));
    EXPECT_EQ(cell(screen, 3, 8), glyph(1)) << "control codes are glyphs too";
    EXPECT_EQ(cell(screen, 3, 9), filled(0)) << "a character the font does not draw";
    EXPECT_EQ(cell(screen, 3, 10), filled(7));
    EXPECT_EQ(cell(screen, 3, 4), filled(7));
    EXPECT_EQ(cell(screen, 2, 5), filled(7));
    expect_cursor(4, 11);
    EXPECT_NE(glyph('H'), filled(0));
}

TEST_F(VdiTextCursor, TheProgramsAttributesAreKept)
{
    vst_color(handle, 9);
    vsf_color(handle, 3);
    vst_effects(handle, TXT_BOLD | TXT_UNDERLINED);
    vst_font(handle, 1);
    vswr_mode(handle, MD_XOR);
    const short clip[4] = {0, 0, 20, 20};
    vs_clip(handle, 1, clip);

    vs_curaddress(handle, 10, 30);  // outside the clip rectangle
    v_curtext(handle, "W");
    EXPECT_EQ(cell(screen, 9, 29), glyph('W'));

    EXPECT_EQ(_textcol, 9);
    EXPECT_EQ(_fillcol, 3);
    EXPECT_EQ(_texteff, TXT_BOLD | TXT_UNDERLINED);
    EXPECT_EQ(_fontno, 1);
    EXPECT_EQ(_font, _sysfonts[1]);
    EXPECT_EQ(_vdi.mode, MD_XOR);
    EXPECT_EQ(_clipx1, 0);
    EXPECT_EQ(_clipx2, 20);
    EXPECT_EQ(_clipy2, 20);
    vst_effects(handle, 0);
}

// A row does not wrap: the last column takes every character past it.
TEST_F(VdiTextCursor, RowsDoNotWrap)
{
    struct Case {
        int col;
        std::string text;
        const char *last3;  // columns 38 to 40 after: '-' not written
        int cursor;
    };
    const Case cases[] = {
        {38, "AB", "AB-", 40},
        {38, "ABCDE", "ABE", 40},
        {39, "MNOP", "-MP", 40},
        {40, "XY", "--Y", 40},
        {37, "Q", "---", 38},
        {39, "", "---", 39},
        {1, std::string(40, 'Z'), "ZZZ", 40},
        {40, "_", "--_", 40},  // ink in the cell's last column, the screen's last
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        clear_to_color(screen, 7);
        vs_curaddress(handle, 5, c.col);
        v_curtext(handle, c.text.c_str());
        for (int k = 0; k < 3; k++) {
            const char ch = c.last3[k];
            EXPECT_EQ(cell(screen, 4, 37 + k), ch == '-' ? filled(7) : glyph((unsigned char)ch))
                << "column " << 38 + k;
        }
        EXPECT_EQ(cell(screen, 5, 0), filled(7)) << "nothing on the next row";
        expect_cursor(5, c.cursor);
    }
    v_curtext(handle, nullptr);
}

TEST_F(VdiTextCursor, MovesStopAtTheEdges)
{
    struct Case {
        const char *what;
        int row, col;
        void (*move)(int);
        int to_row, to_col;
    };
    const Case cases[] = {
        {"up", 5, 5, v_curup, 4, 5},       {"up at the top", 1, 5, v_curup, 1, 5},
        {"down", 5, 5, v_curdown, 6, 5},   {"down at the bottom", 25, 5, v_curdown, 25, 5},
        {"left", 5, 5, v_curleft, 5, 4},   {"left at the edge", 5, 1, v_curleft, 5, 1},
        {"right", 5, 5, v_curright, 5, 6}, {"right at the edge", 5, 40, v_curright, 5, 40},
        {"home", 17, 33, v_curhome, 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        vs_curaddress(handle, c.row, c.col);
        c.move(handle);
        expect_cursor(c.to_row, c.to_col);
    }

    const int addresses[][4] = {{0, 0, 1, 1}, {999, 999, 25, 40}, {-5, 3, 1, 3}, {12, 41, 12, 40}};
    for (const auto &a : addresses) {
        vs_curaddress(handle, a[0], a[1]);
        expect_cursor(a[2], a[3]);
    }
    vq_curaddress(handle, nullptr, nullptr);

    // A smaller grid after a mode change holds the cursor too.
    headless::start(1);
    vs_curaddress(handle, 60, 80);
    headless::start(0);
    expect_cursor(25, 40);
}

TEST_F(VdiTextCursor, EraseToTheEndOfTheLineAndOfTheScreen)
{
    vs_curaddress(handle, 3, 5);
    v_eeol(handle);
    for (int col = 0; col < 40; col++)
        ASSERT_EQ(cell(screen, 2, col), filled(col >= 4 ? 0 : 7)) << col;
    EXPECT_EQ(cell(screen, 3, 5), filled(7));
    expect_cursor(3, 5);

    vs_curaddress(handle, 10, 40);
    v_eeos(handle);
    EXPECT_EQ(cell(screen, 9, 38), filled(7));
    EXPECT_EQ(cell(screen, 9, 39), filled(0));
    EXPECT_EQ(cell(screen, 8, 39), filled(7));
    for (int row = 10; row < 25; row++)
        for (int col = 0; col < 40; col++)
            ASSERT_EQ(cell(screen, row, col), filled(0)) << row << "," << col;
}

TEST_F(VdiTextCursor, TheCursorCellFollowsTheCursor)
{
    v_enter_cur(handle);
    v_curtext(handle, "A");
    EXPECT_EQ(cell(screen, 0, 0), glyph('A')) << "written with the cursor away";
    EXPECT_EQ(cell(screen, 0, 1), filled(1));

    v_curdown(handle);
    EXPECT_EQ(cell(screen, 0, 1), filled(0));
    EXPECT_EQ(cell(screen, 1, 1), filled(1));

    // Erasing takes the cursor away and puts it back over the erased line.
    v_eeol(handle);
    EXPECT_EQ(cell(screen, 1, 1), filled(1));
    EXPECT_EQ(cell(screen, 1, 2), filled(0));

    // The cursor over a written cell shows it inverted.
    v_curup(handle);
    v_curleft(handle);
    EXPECT_EQ(cell(screen, 0, 0), inverted(glyph('A')));
    EXPECT_EQ(cell(screen, 1, 1), filled(0));

    // A mode setting clears the screen and the cursor with it: the next
    // move does not invert the old place again.
    Setscreen(-1, 0);
    clear_to_color(screen, 0);
    v_curright(handle);
    EXPECT_EQ(cell(screen, 0, 0), filled(0));
    EXPECT_EQ(cell(screen, 0, 1), filled(1));
}

TEST_F(VdiTextCursor, TheLogicalScreenHasItsOwnPixels)
{
    vs_curaddress(handle, 2, 2);
    v_curtext(4, "k");
    EXPECT_EQ(cell(_logbmp, 1, 1), glyph('k'));
    EXPECT_EQ(cell(screen, 1, 1), filled(7));
}

TEST_F(VdiTextCursor, GraphicCursorIsThePointer)
{
    const short hidden = _mtot;
    v_rmcur(handle);
    v_rmcur(handle);
    EXPECT_EQ(_mtot, hidden + 1) << "one hide request, however often";
    EXPECT_EQ(_mousedrawn, 0);

    v_dspcur(handle, 100, 60);
    EXPECT_EQ(_mtot, hidden);
    EXPECT_EQ(_mevent.x, 100);
    EXPECT_EQ(_mevent.y, 60);
    EXPECT_EQ(_mousedrawn, hidden == 0);

    v_dspcur(handle, 5000, -3);
    EXPECT_EQ(_mevent.x, 319);
    EXPECT_EQ(_mevent.y, 0);
    EXPECT_EQ(_mtot, hidden);
}

}  // namespace
