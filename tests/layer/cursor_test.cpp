// The mouse cursor: the sprite pixels built from shape records, the hide
// count and the drawn flag, on the headless platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless.h"

namespace {

class Cursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        Defaultpalette();
        _mtot = 0;
        _mousedrawn = 0;
    }
    void TearDown() override { _mtot = 0; }
};

// The sprite as rows of text: '#' the data colour, 'o' the outline colour,
// '.' transparent, '?' anything else.
std::vector<std::string> picture(int data, int outline)
{
    std::vector<std::string> rows;
    for (int y = 0; y < 16; y++) {
        std::string row;
        for (int x = 0; x < 16; x++) {
            int p = _mouse.shape[y * 16 + x];
            row += p == 0 ? '.' : p == data ? '#' : p == outline ? 'o' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

int count(int value)
{
    int n = 0;
    for (int i = 0; i < 256; i++)
        n += _mouse.shape[i] == value;
    return n;
}

TEST_F(Cursor, ArrowIsWhiteInABlackOutlineAddedAsEntry16)
{
    graf_mouse(ARROW, nullptr);
    // At 320 x 200 colour 0 is black and not searched: black is added.
    EXPECT_EQ(_colors, 17);
    EXPECT_EQ(_palette[16].r, 0);
    EXPECT_EQ(_palette[16].g, 0);
    EXPECT_EQ(_mouse.hotx, 1);
    EXPECT_EQ(_mouse.hoty, 1);
    EXPECT_EQ(_mouse.shape, _mousebmp->line[0]);
    const std::vector<std::string> arrow = {
        "oo..............", "o#o.............", "o##o............", "o###o...........",
        "o####o..........", "o#####o.........", "o######o........", "o#######o.......",
        "o########o......", "o#####ooooo.....", "o##o##o.........", "o#o.o##o........",
        "oo..o##o........", "o....o##o.......", ".....o##o.......", "......ooo.......",
    };
    EXPECT_EQ(picture(1, 16), arrow);

    // A second arrow finds the outline entry it added before.
    graf_mouse(ARROW, nullptr);
    EXPECT_EQ(_colors, 17);
    EXPECT_EQ(picture(1, 16), arrow);
}

TEST_F(Cursor, TextCursorRows)
{
    graf_mouse(TEXT_CRSR, nullptr);
    EXPECT_EQ(_mshape, TEXT_CRSR);
    EXPECT_EQ(_mouse.hotx, 7);
    EXPECT_EQ(_mouse.hoty, 7);
    const std::vector<std::string> beam = {
        "..o###o..o###o..", "...oo##oo##oo...", ".....o####o.....", "......o##o......",
        "......o##o......", "......o##o......", "......o##o......", "......o##o......",
        "......o##o......", "......o##o......", "......o##o......", "......o##o......",
        "......o##o......", ".....o####o.....", "...oo##oo##oo...", "..o###o..o###o..",
    };
    EXPECT_EQ(picture(1, 16), beam);
}

TEST_F(Cursor, EveryBuiltInShapeHasItsHotSpotAndPixelCounts)
{
    struct Expect {
        short hotx, hoty;
        int data, outline;
    };
    const Expect shapes[8] = {{1, 1, 54, 43},  {7, 7, 48, 44}, {8, 8, 86, 135}, {0, 0, 70, 93},
                              {8, 8, 55, 140}, {7, 7, 27, 48}, {7, 7, 60, 40},  {7, 7, 48, 56}};
    for (int n = 0; n < 8; n++) {
        SCOPED_TRACE(n);
        EXPECT_EQ(graf_mouse(n, nullptr), 1);
        EXPECT_EQ(_mshape, n);
        EXPECT_EQ(_mouse.hotx, shapes[n].hotx);
        EXPECT_EQ(_mouse.hoty, shapes[n].hoty);
        EXPECT_EQ(count(1), shapes[n].data);
        EXPECT_EQ(count(16), shapes[n].outline);
        EXPECT_EQ(count(0), 256 - shapes[n].data - shapes[n].outline);
    }
}

TEST_F(Cursor, UserShapesKeepTheirColoursAndDoNotChangeTheChosenShape)
{
    graf_mouse(BUSY_BEE, nullptr);
    MSHAPE user = {};
    user.ms_xhot = 3;
    user.ms_yhot = 5;
    user.ms_maskcol = 0x105;  // low 8 bits: 5
    user.ms_datacol = 0;      // data pixels transparent
    user.ms_mask[0] = 0xFFFF;
    user.ms_data[0] = 0x00FF;
    user.ms_data[15] = 0x8001;  // data without mask
    EXPECT_EQ(graf_mouse(USER_DEF, &user), 1);
    EXPECT_EQ(_mshape, BUSY_BEE);
    EXPECT_EQ(_mouse.hotx, 3);
    EXPECT_EQ(_mouse.hoty, 5);
    EXPECT_EQ(picture(0, 5)[0], "oooooooo........");
    EXPECT_EQ(count(5), 8);
    EXPECT_EQ(count(0), 248);

    // Mask colour 0 becomes a non-zero entry of the default colour 0.
    user.ms_maskcol = 0;
    user.ms_datacol = 2;
    graf_mouse(USER_DEF, &user);
    EXPECT_EQ(picture(2, 16)[0], "oooooooo########");
    EXPECT_EQ(picture(2, 16)[15], "#..............#");
}

TEST_F(Cursor, OutlineFollowsItsPaletteEntry)
{
    graf_mouse(ARROW, nullptr);
    // A picture's palette loaded from entry 16 recolours the outline.
    unsigned char red[3] = {252, 0, 0};
    Forcepalette(16, 1, red);
    EXPECT_EQ(_mouse.shape[0], 16);
    PALETTE shown;
    get_palette(shown);
    EXPECT_EQ(shown[16].r, 63);
}

TEST_F(Cursor, InvalidNumbersChangeNothing)
{
    graf_mouse(THIN_CROSS, nullptr);
    std::vector<std::string> before = picture(1, 16);
    for (int n : {8, -1, 254, 258, 300, USER_DEF}) {  // a user shape needs a record
        EXPECT_EQ(graf_mouse(n, nullptr), 0) << n;
        EXPECT_EQ(_mshape, THIN_CROSS);
        EXPECT_EQ(_mtot, 0);
        EXPECT_EQ(picture(1, 16), before);
    }
}

TEST_F(Cursor, HideRequestsNestAndTheNextPollShowsTheCursor)
{
    graf_mouse(ARROW, nullptr);
    EXPECT_EQ(_mousedrawn, 1);

    EXPECT_EQ(graf_mouse(M_OFF, nullptr), 1);
    EXPECT_EQ(_mousedrawn, 0);
    graf_mouse(M_OFF, nullptr);
    EXPECT_EQ(_mtot, 2);
    graf_mouse(M_ON, nullptr);
    EXPECT_EQ(_mtot, 1);
    _mouse_event();
    EXPECT_EQ(_mousedrawn, 0);

    graf_mouse(M_ON, nullptr);
    EXPECT_EQ(_mtot, 0);
    EXPECT_EQ(_mousedrawn, 0);  // not redrawn by graf_mouse itself
    _mouse_event();
    EXPECT_EQ(_mousedrawn, 1);

    // Showing with no request outstanding changes nothing.
    EXPECT_EQ(graf_mouse(M_ON, nullptr), 1);
    EXPECT_EQ(_mtot, 0);

    // More requests than 16 bits count stay outstanding: the count stops
    // at its largest value instead of wrapping below 0.
    for (int i = 0; i < 40000; i++)
        graf_mouse(M_OFF, nullptr);
    v_hide_c(handle);
    EXPECT_EQ(_mtot, 32767);
    graf_mouse(M_ON, nullptr);
    EXPECT_EQ(_mtot, 32766);
    _mouse_event();
    EXPECT_EQ(_mousedrawn, 0);
}

TEST_F(Cursor, ChangingTheShapeShowsItWhateverTheHideCount)
{
    graf_mouse(M_OFF, nullptr);
    EXPECT_EQ(graf_mouse(BUSY_BEE, nullptr), 1);
    EXPECT_EQ(_mousedrawn, 1);
    EXPECT_EQ(_mtot, 1);
}

TEST_F(Cursor, NeverShownWhileTheLogicalScreenIsSelected)
{
    Setscreen(1, 0);
    graf_mouse(ARROW, nullptr);
    EXPECT_EQ(_mousedrawn, 0);
    _showmouse();
    EXPECT_EQ(_mousedrawn, 0);
    Setscreen(0, 0);
    EXPECT_EQ(_mousedrawn, 1);

    // A mode setting takes the cursor away.
    Setscreen(-1, 0);
    EXPECT_EQ(_mousedrawn, 0);
}

TEST_F(Cursor, VdiHideAndShowCount)
{
    graf_mouse(ARROW, nullptr);
    v_hide_c(handle);
    EXPECT_EQ(_mousedrawn, 0);
    v_hide_c(handle);
    v_hide_c(handle);
    EXPECT_EQ(_mtot, 3);

    v_show_c(handle, 1);
    EXPECT_EQ(_mtot, 2);
    EXPECT_EQ(_mousedrawn, 0);
    v_show_c(handle, 0);  // all requests taken back: shown at once
    EXPECT_EQ(_mtot, 0);
    EXPECT_EQ(_mousedrawn, 1);

    // With no request outstanding, v_show_c does not show a hidden cursor.
    _hidemouse();
    v_show_c(handle, 1);
    EXPECT_EQ(_mtot, 0);
    EXPECT_EQ(_mousedrawn, 0);

    v_hide_c(handle);
    v_show_c(handle, 1);
    EXPECT_EQ(_mousedrawn, 1);
}

}  // namespace
