// The font list: the built-in fonts after start-up, registering up to eight
// fonts from memory or files, refusing damaged ones, unloading with
// renumbering, selecting, and fixing up images stored high byte first.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "gem/vdi/fontlist.h"
#include "support/headless.h"
#include "support/test_font.h"

namespace {

class Fonts : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        ASSERT_EQ(_no_of_fonts, 3);
    }
    void TearDown() override
    {
        while (_no_of_fonts > 3)
            vst_unload_font(handle, _no_of_fonts - 1);
        vst_font(handle, 0);
    }

    // Registers a heap copy of the tiny font; returns its number.
    int add_tiny(bool big_endian = false)
    {
        return vst_user_font(handle,
                             testfont::heap_copy(testfont::image(testfont::tiny(), big_endian)));
    }

    std::string temp_path(const char *name)
    {
        return std::string(TEST_OUT_DIR) + "/" + name + "_" + std::to_string(getpid());
    }
};

TEST_F(Fonts, BuiltInFontsAfterStartUp)
{
    EXPECT_EQ(_sysfonts[0], (GFONT *)_font0);
    EXPECT_EQ(_sysfonts[1], (GFONT *)_font1);
    EXPECT_EQ(_sysfonts[2], (GFONT *)_font2);
    EXPECT_EQ(_fontno, 0);
    EXPECT_EQ(_font, (GFONT *)_font0);
    EXPECT_STREQ(_sysfonts[0]->name, "8x8 system font");
    EXPECT_STREQ(_sysfonts[1]->name, "8x16 system font");
    EXPECT_STREQ(_sysfonts[2]->name, "6x6 system font");
    for (int n = 0; n < 3; n++) {
        // Native addresses kept beside the list; byte offsets in the header.
        const unsigned char *img = (const unsigned char *)_sysfonts[n];
        EXPECT_EQ((const unsigned char *)font_place(n).offsets, img + 88);
        EXPECT_EQ(font_place(n).form, img + 602);
        EXPECT_EQ(_sysfonts[n]->coff_base, 88);
        EXPECT_EQ(_sysfonts[n]->form_base, 602);
    }
    short wc, hc, wb, hb;
    EXPECT_EQ(graf_handle(&wc, &hc, &wb, &hb), 0);
    EXPECT_EQ(wc, 8);
    EXPECT_EQ(hc, 8);
    EXPECT_EQ(wb, 8);
    EXPECT_EQ(hb, 8);
}

TEST_F(Fonts, SelectingFallsBackToFontZero)
{
    short wc, hc, wb, hb;
    EXPECT_EQ(vst_font(handle, 1), 1);
    graf_handle(&wc, &hc, &wb, &hb);
    EXPECT_EQ(wc, 8);
    EXPECT_EQ(wb, 8);
    EXPECT_EQ(hc, 16);
    EXPECT_EQ(hb, 16);
    EXPECT_EQ(vst_font(handle, 2), 2);
    graf_handle(&wc, &hc, &wb, &hb);
    EXPECT_EQ(wc, 6);
    EXPECT_EQ(hc, 6);

    EXPECT_EQ(vst_font(handle, 5), 0);
    EXPECT_EQ(_fontno, 0);
    EXPECT_EQ(_font, _sysfonts[0]);
    vst_font(handle, 2);
    EXPECT_EQ(vst_font(handle, -1), 0);
    EXPECT_EQ(_font, _sysfonts[0]);
}

TEST_F(Fonts, AtMostEightFonts)
{
    for (int n = 3; n < 8; n++)
        EXPECT_EQ(add_tiny(), n);
    EXPECT_EQ(_no_of_fonts, 8);

    auto img = testfont::image(testfont::tiny());
    auto before = img;
    EXPECT_EQ(vst_user_font(handle, img.data()), -1);
    EXPECT_EQ(img, before) << "a refused image is not touched";
    std::string path = testfont::write_file(temp_path("ninth"), img);
    EXPECT_EQ(vst_load_font(handle, path.c_str()), -1);
    unlink(path.c_str());
    EXPECT_EQ(_no_of_fonts, 8);

    // next_font holds the number of the font registered after it.
    for (int n = 0; n < 7; n++)
        EXPECT_EQ(_sysfonts[n]->next_font, n + 1);
    EXPECT_EQ(_sysfonts[7]->next_font, 0);
}

TEST_F(Fonts, UnloadingRenumbersAndKeepsTheCurrentFont)
{
    EXPECT_EQ(vst_unload_font(handle, 2), 0) << "built-in";
    EXPECT_EQ(vst_unload_font(handle, 3), 0) << "not registered";
    for (int n = 3; n < 8; n++)
        add_tiny();
    EXPECT_EQ(vst_unload_font(handle, 8), 0);
    EXPECT_EQ(vst_unload_font(handle, -1), 0);

    GFONT *f5 = _sysfonts[5], *f6 = _sysfonts[6], *f7 = _sysfonts[7];
    vst_font(handle, 6);
    EXPECT_EQ(vst_unload_font(handle, 4), 7);
    EXPECT_EQ(_fontno, 5);
    EXPECT_EQ(_font, f6) << "the same font stays current under its new number";
    EXPECT_EQ(_sysfonts[4], f5);
    EXPECT_EQ(_sysfonts[6], f7);
    EXPECT_EQ(_sysfonts[7], nullptr);
    EXPECT_EQ(font_place(5).offsets, (const short *)((unsigned char *)f6 + 88));
    EXPECT_EQ(_sysfonts[6]->next_font, 0);
    EXPECT_EQ(_sysfonts[5]->next_font, 6);

    // Removing the current font makes the one before it current...
    EXPECT_EQ(vst_unload_font(handle, 5), 6);
    EXPECT_EQ(_fontno, 4);
    EXPECT_EQ(_font, f5);
    // ...and a current font before the removed one is not touched.
    EXPECT_EQ(vst_unload_font(handle, 5), 5);
    EXPECT_EQ(_fontno, 4);
    // Removing font 3 while it is current makes font 0 current.
    vst_font(handle, 3);
    EXPECT_EQ(vst_unload_font(handle, 3), 4);
    EXPECT_EQ(_fontno, 0);
    EXPECT_EQ(_font, _sysfonts[0]);
}

TEST_F(Fonts, LoadingFromFiles)
{
    auto img = testfont::image(testfont::tiny());
    std::string path = testfont::write_file(temp_path("tiny"), img);
    int n = vst_load_font(handle, path.c_str());
    EXPECT_EQ(n, 3);
    ASSERT_EQ(_no_of_fonts, 4);
    EXPECT_EQ(memcmp(_sysfonts[3]->name, "tiny test font", 15), 0);
    EXPECT_NE((void *)_sysfonts[3], (void *)img.data()) << "a heap block of its own";
    EXPECT_EQ(vst_unload_font(handle, 3), 3);

    // Files of up to 32767 bytes: a font followed by padding.
    img.resize(32767, 0xEE);
    testfont::write_file(path, img);
    EXPECT_EQ(vst_load_font(handle, path.c_str()), 3);
    vst_unload_font(handle, 3);
    img.push_back(0);
    testfont::write_file(path, img);
    EXPECT_EQ(vst_load_font(handle, path.c_str()), -1) << "32768 bytes";

    EXPECT_EQ(vst_load_font(handle, (path + ".missing").c_str()), -1);
    EXPECT_EQ(vst_load_font(handle, nullptr), -1);
    testfont::write_file(path, {});
    EXPECT_EQ(vst_load_font(handle, path.c_str()), -1) << "empty";
    EXPECT_EQ(vst_load_font(handle, TEST_OUT_DIR), -1) << "a directory";
    EXPECT_EQ(_no_of_fonts, 3);
    unlink(path.c_str());
}

TEST_F(Fonts, DamagedFilesRegisterNothing)
{
    std::string path = temp_path("damaged");
    auto good = testfont::image(testfont::tiny(), true);

    auto truncated = good;
    truncated.resize(good.size() - 1);
    EXPECT_EQ(vst_load_font(handle, testfont::write_file(path, truncated).c_str()), -1);
    truncated.resize(100);
    EXPECT_EQ(vst_load_font(handle, testfont::write_file(path, truncated).c_str()), -1);

    testfont::Layout s = testfont::tiny();
    s.offsets[70] = 0;  // a decreasing offset
    EXPECT_EQ(vst_load_font(handle, testfont::write_file(path, testfont::image(s, true)).c_str()),
              -1);
    EXPECT_EQ(_no_of_fonts, 3);

    auto damaged = testfont::image(s, true);
    auto before = damaged;
    EXPECT_EQ(vst_user_font(handle, damaged.data()), -1);
    EXPECT_EQ(damaged, before) << "refused before any byte is exchanged";
    EXPECT_EQ(_no_of_fonts, 3);
    unlink(path.c_str());
}

TEST_F(Fonts, ImagesStoredHighByteFirstAreFixedUp)
{
    int n = add_tiny(true);
    ASSERT_EQ(n, 3);
    const GFONT *f = _sysfonts[3];
    EXPECT_EQ(f->font_id, 7);
    EXPECT_EQ(f->size, 10);
    EXPECT_EQ(f->first_ade, 0);
    EXPECT_EQ(f->last_ade, 'b');
    EXPECT_EQ(f->top, 2);
    EXPECT_EQ(f->max_cell_width, 3);
    EXPECT_EQ(f->flags, 0x0004) << "the writer's mark, in this machine's order";
    EXPECT_EQ(f->form_width, 1);
    EXPECT_EQ(f->form_height, 4);
    EXPECT_EQ(f->form_base, 88 + 2 * 100);
    const short *offsets = font_place(3).offsets;
    EXPECT_EQ(offsets[33], 2);
    EXPECT_EQ(offsets['b'], 5);
    EXPECT_EQ(offsets['b' + 1], 7);
    EXPECT_EQ(font_place(3).form[3], 0x3A) << "the form is not exchanged";
}

}  // namespace
