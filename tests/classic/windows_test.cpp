// The classic window calls beside the layer's: a name through a split
// address, outs of either width, the GRECT forms and wind_update's check
// bit.
#include <gtest/gtest.h>

#include "classic/events_c.h"
#include "gem/classic/internal.h"
#include "support/headless.h"

namespace {

std::string name_of(int wh, int field = WF_NAME)
{
    char text[GEM_WINDOW_TEXT] = "";
    wind_get_str(wh, field, text);
    return text;
}

TEST(ClassicWindows, NameThroughTheClassicSplitFromC)
{
    headless::start(1);
    static const char name[] = " Classic ";
    int x, y, w, h;
    const int wh = events_c_named_window(name, &x, &y, &w, &h);
    ASSERT_GT(wh, 0);
    EXPECT_EQ(name_of(wh), name);
    short sx, sy, sw, sh;
    wind_get(wh, WF_CURRXYWH, &sx, &sy, &sw, &sh);
    EXPECT_EQ(x, sx);
    EXPECT_EQ(y, sy);
    EXPECT_EQ(w, sw);
    EXPECT_EQ(h, sh);
}

TEST(ClassicWindows, NameAndInfoJoinedFromEverySplit)
{
    headless::start(1);
    const int wh = wind_create(NAME | INFO, 0, 20, 300, 200);
    std::string heap_name(20, 'h'), heap_info(10, 'i');
    const char *texts[] = {"static", heap_name.c_str(), heap_info.c_str()};
    for (const char *t : texts) {
        const long a = (long)t;
        EXPECT_EQ(gemc_wind_set(wh, WF_NAME, a >> 16, a & 0xFFFF, 0, 0), 1);
        EXPECT_EQ(name_of(wh), t);
        EXPECT_EQ(gemc_wind_set(wh, WF_INFO, a >> 16, (unsigned short)a, 0, 0), 1);
        EXPECT_EQ(name_of(wh, WF_INFO), t);
    }
    EXPECT_EQ(gemc_wind_set(wh, WF_NAME, 0, 0, 0, 0), 0);  // a null address: refused
    EXPECT_EQ(name_of(wh), texts[2]);
}

TEST(ClassicWindows, OtherFieldsPassThrough)
{
    headless::start(1);
    const int wh = wind_create(NAME | SIZER | VSLIDE, 0, 20, 400, 300);
    wind_open(wh, 20, 40, 200, 150);
    EXPECT_EQ(gemc_wind_set(wh, WF_CURRXYWH, 30, 50, 220, 160), 1);
    EXPECT_EQ(gemc_wind_set(wh, WF_VSLIDE, 500, 0, 0, 0), 1);
    struct Case {
        int field;
    } fields[] = {{WF_KIND},     {WF_WORKXYWH}, {WF_CURRXYWH}, {WF_PREVXYWH},
                  {WF_FULLXYWH}, {WF_VSLIDE},   {WF_TOP},      {WF_FIRSTXYWH},
                  {WF_NEXTXYWH}, {WF_VSLSIZE},  {WF_NAME},     {17}};
    for (const Case &c : fields) {
        short s[4] = {0, 0, 0, 0};
        int i[4] = {-9, -9, -9, -9};
        const int layer = wind_get(wh, c.field, &s[0], &s[1], &s[2], &s[3]);
        if (c.field == WF_FIRSTXYWH)  // the list starts again for the classic call
            wind_get(wh, WF_FIRSTXYWH, &s[0], &s[1], &s[2], &s[3]);
        EXPECT_EQ(gemc_wind_get(wh, c.field, GEMC_REF(&i[0]), GEMC_REF(&i[1]), GEMC_REF(&i[2]),
                                GEMC_REF(&i[3])),
                  layer)
            << c.field;
        for (int k = 0; k < 4; k++)
            EXPECT_EQ(i[k], s[k]) << c.field << " " << k;
    }
}

TEST(ClassicWindows, NewdeskTakesAClassicTreeThroughASplitAddress)
{
    headless::start(1);
    // One box over the desktop: interior colour 2 (red), solid pattern.
    GEMC_OBJECT desk[1] = {{-1, -1, -1, 20, 0x20, 0, 0x00001072L, 0, 11, 640, 469}};
    const long a = (long)desk;
    const auto desktop_pixel = [] { return headless::screen_pixels()[300 * 640 + 300]; };
    wind_set_tree(0, WF_NEWDESK, nullptr, 0);  // the plain desktop, as the layer draws it
    const unsigned char plain = desktop_pixel();
    ASSERT_NE(plain, 2);
    EXPECT_EQ(gemc_wind_set(0, WF_NEWDESK, a >> 16, a & 0xFFFF, 0, 0), 1);
    EXPECT_EQ(desktop_pixel(), 2);
    EXPECT_EQ(gemc_wind_set(0, WF_NEWDESK, 0, 0, 0, 0), 1);
    EXPECT_EQ(desktop_pixel(), plain);
}

TEST(ClassicWindows, CalcOutsInTheCallersWidth)
{
    headless::start(1);
    const int kinds[] = {0, NAME, NAME | CLOSER | FULLER | MOVER | INFO | SIZER, 0x0FFF};
    for (int kind : kinds)
        for (int type : {WC_BORDER, WC_WORK, 2}) {
            short s[4] = {0, 0, 0, 0};
            long l[4] = {-9, -9, -9, -9};
            const int layer = wind_calc(type, kind, 10, 20, 300, 200, &s[0], &s[1], &s[2], &s[3]);
            EXPECT_EQ(gemc_wind_calc(type, kind, 10, 20, 300, 200, GEMC_REF(&l[0]), GEMC_REF(&l[1]),
                                     GEMC_REF(&l[2]), GEMC_REF(&l[3])),
                      layer);
            for (int k = 0; k < 4; k++)
                EXPECT_EQ(l[k], s[k]) << kind << " " << type << " " << k;
        }
}

TEST(ClassicWindows, GrectForms)
{
    headless::start(1);
    const int wh = wind_create(NAME | MOVER, 0, 20, 400, 300);
    const GRECT want = {40, 60, 200, 120};
    EXPECT_EQ(gemc_wind_set_grect(wh, WF_CURRXYWH, &want), 1);
    GRECT got = {0, 0, 0, 0};
    EXPECT_EQ(gemc_wind_get_grect(wh, WF_CURRXYWH, &got), 1);
    short x, y, w, h;
    wind_get(wh, WF_CURRXYWH, &x, &y, &w, &h);
    EXPECT_EQ(got.g_x, x);
    EXPECT_EQ(got.g_y, y);
    EXPECT_EQ(got.g_w, w);
    EXPECT_EQ(got.g_h, h);
    GRECT work;
    EXPECT_EQ(gemc_wind_calc_grect(WC_WORK, NAME | MOVER, &got, &work), 1);
    wind_calc(WC_WORK, NAME | MOVER, x, y, w, h, &x, &y, &w, &h);
    EXPECT_EQ(work.g_x, x);
    EXPECT_EQ(work.g_h, h);
    EXPECT_EQ(gemc_wind_get_grect(wh, WF_CURRXYWH, nullptr), 0);
    EXPECT_EQ(gemc_wind_set_grect(wh, WF_CURRXYWH, nullptr), 0);
    EXPECT_EQ(gemc_wind_calc_grect(WC_WORK, 0, nullptr, &work), 0);
}

TEST(ClassicWindows, UpdateTakesTheCheckBit)
{
    headless::start(1);
    EXPECT_EQ(gemc_wind_update(BEG_UPDATE | 0x100), 1);
    EXPECT_EQ(_wupdate, 1);
    EXPECT_EQ(gemc_wind_update(END_UPDATE), 1);
    EXPECT_EQ(gemc_wind_update(BEG_MCTRL | 0x100), 1);
    EXPECT_EQ(_wmctrl, 1);
    EXPECT_EQ(gemc_wind_update(END_MCTRL), 1);
    EXPECT_EQ(gemc_wind_update(END_MCTRL), 0);
}

}  // namespace
