// The classic attribute setters (each clamps what it is given and returns
// what it stored) and the rule that the layer's own drawing does not take
// the program's attributes: a dialog tree, an editing cursor and a window
// frame look the same whatever the program set, and the program's
// attributes are still set afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "support/headless.h"

namespace {

class VdiAttributes : public ::testing::Test {
protected:
    void SetUp() override { headless::start(0); }
    void TearDown() override { _vdi = _vdi_plain; }
};

TEST_F(VdiAttributes, SettersClampAndReturnWhatTheyStored)
{
    struct Case {
        const char *what;
        std::function<int(int)> set;
        int given, stored;
    };
    const Case cases[] = {
        {"mode", [](int v) { return vswr_mode(handle, v); }, MD_ERASE, MD_ERASE},
        {"mode 0", [](int v) { return vswr_mode(handle, v); }, 0, MD_REPLACE},
        {"mode 5", [](int v) { return vswr_mode(handle, v); }, 5, MD_REPLACE},
        {"interior", [](int v) { return vsf_interior(handle, v); }, FIS_USER, FIS_USER},
        {"interior 5", [](int v) { return vsf_interior(handle, v); }, 5, FIS_HOLLOW},
        {"pattern 24",
         [](int v) { return vsf_interior(handle, FIS_PATTERN), vsf_style(handle, v); }, 24, 24},
        {"pattern 25",
         [](int v) { return vsf_interior(handle, FIS_PATTERN), vsf_style(handle, v); }, 25, 1},
        {"hatch 12", [](int v) { return vsf_interior(handle, FIS_HATCH), vsf_style(handle, v); },
         12, 12},
        {"hatch 13", [](int v) { return vsf_interior(handle, FIS_HATCH), vsf_style(handle, v); },
         13, 1},
        {"perimeter", [](int v) { return vsf_perimeter(handle, v); }, 7, 1},
        {"line type 7", [](int v) { return vsl_type(handle, v); }, USERLINE, USERLINE},
        {"line type 8", [](int v) { return vsl_type(handle, v); }, 8, SOLID},
        {"width 4", [](int v) { return vsl_width(handle, v); }, 4, 3},
        {"width 0", [](int v) { return vsl_width(handle, v); }, 0, 1},
        {"width 1000", [](int v) { return vsl_width(handle, v); }, 1000, GEM_MAX_LINE_WIDTH},
        {"marker 7", [](int v) { return vsm_type(handle, v); }, 7, PM_ASTERISK},
        {"marker height -3", [](int v) { return vsm_height(handle, v); }, -3, 1},
        {"marker height 500", [](int v) { return vsm_height(handle, v); }, 500,
         GEM_MAX_MARKER_HEIGHT},
        {"marker colour", [](int v) { return vsm_color(handle, v); }, 0x1234, 0x34},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.set(c.given), c.stored) << c.what;

    vsl_ends(handle, ROUND, 3);
    short line[6];
    vql_attributes(handle, line);
    EXPECT_EQ(line[4], ROUND);
    EXPECT_EQ(line[5], SQUARE) << "an unknown end is square";
}

// Draws with the program's attributes at their defaults, then with every
// attribute changed, and expects the same screen both times. `undo` takes
// away what a drawing left behind besides pixels.
void expect_plain(
    const std::function<void()> &draw, const std::function<void()> &undo = [] {})
{
    clear_to_color(screen, 7);
    draw();
    const std::vector<unsigned char> plain = headless::screen_pixels();
    undo();

    clear_to_color(screen, 7);
    vswr_mode(handle, MD_XOR);
    vsf_interior(handle, FIS_HATCH);
    vsf_style(handle, 3);
    vsf_perimeter(handle, 0);
    vsl_type(handle, DASH);
    vsl_width(handle, 5);
    vsl_ends(handle, ARROWED, ROUND);
    short h, v;
    vst_alignment(handle, TA_RIGHT, TA_TOP, &h, &v);
    vst_rotation(handle, 900);
    const VDI_ATTRIBUTES programs = _vdi;
    draw();
    EXPECT_EQ(headless::screen_pixels(), plain);
    EXPECT_EQ(memcmp(&_vdi, &programs, sizeof programs), 0) << "the program's attributes are kept";
    undo();
    _vdi = _vdi_plain;
}

TEST_F(VdiAttributes, TheLayersOwnDrawingUsesThePlainAttributes)
{
    SCOPED_TRACE("the input box");
    expect_plain([] { objc_draw(_inputbox, 0, 8, 20, 20, 0, 0); });

    SCOPED_TRACE("the editing cursor");
    expect_plain([] {
        static const short line[4] = {30, 30, 30, 40};
        memcpy(_cursepx, line, sizeof line);
        _obcurse(1);
    });

    SCOPED_TRACE("a window's frame");
    int w = 0;
    expect_plain(
        [&] {
            w = wind_create(NAME | CLOSER | MOVER | SIZER | UPARROW | DNARROW | VSLIDE, 0, 20, 320,
                            180);
            wind_open(w, 40, 40, 160, 100);
        },
        [&] { wind_delete(w); });
}

}  // namespace
