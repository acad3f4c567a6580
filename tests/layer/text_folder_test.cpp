// The font folder: vst_load_fonts loads the *.fnt files of $GEM_FONTS (or
// ./fonts) in name order until the list is full, passing damaged ones over;
// vst_unload_fonts removes exactly those again.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/headless.h"
#include "support/tempdir.h"
#include "support/test_font.h"

namespace {

class FontFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        setenv("GEM_FONTS", dir.path().c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("GEM_FONTS");
        while (_no_of_fonts > 3)
            vst_unload_font(handle, _no_of_fonts - 1);
        vst_font(handle, 0);
    }

    // A tiny font image whose name is `name`.
    static std::vector<unsigned char> named(const std::string &name)
    {
        std::vector<unsigned char> img = testfont::image(testfont::tiny());
        memset(&img[4], 0, 32);
        memcpy(&img[4], name.c_str(), name.size());
        return img;
    }
    void write(const std::string &file, const std::vector<unsigned char> &img)
    {
        testfont::write_file(dir.path() + "/" + file, img);
    }
    static std::vector<std::string> names()
    {
        std::vector<std::string> v;
        for (int n = 3; n < _no_of_fonts; n++)
            v.push_back(_sysfonts[n]->name);
        return v;
    }

    TempDir dir;
};

TEST_F(FontFolder, GdosIsThere)
{
    EXPECT_NE(vq_gdos(), 0);
    EXPECT_NE(vq_gdos(), -2);
}

TEST_F(FontFolder, LoadsFontFilesInNameOrderAndSkipsTheRest)
{
    write("b.FNT", named("second"));
    write("a.fnt", named("first"));
    std::vector<unsigned char> damaged = named("damaged");
    damaged.pop_back();
    write("c.fnt", damaged);
    write("d.Fnt", named("third"));
    write("e.fnt.txt", named("not a font file"));
    write("readme.txt", named("nor this"));
    mkdir((dir.path() + "/folder.fnt").c_str(), 0700);
    EXPECT_EQ(vst_load_fonts(handle, 0), 3);
    EXPECT_EQ(names(), (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(vst_load_fonts(handle, 0), 0) << "already loaded";
    EXPECT_EQ(_no_of_fonts, 6);
    vst_unload_fonts(handle, 0);
    EXPECT_EQ(_no_of_fonts, 3);
    EXPECT_EQ(vst_load_fonts(handle, 0), 3) << "again after unloading";
}

TEST_F(FontFolder, StopsWhenTheListIsFull)
{
    for (char c = 'a'; c <= 'g'; c++)
        write(std::string(1, c) + ".fnt", named(std::string("font ") + c));
    EXPECT_EQ(vst_load_fonts(handle, 0), 5);
    EXPECT_EQ(names(),
              (std::vector<std::string>{"font a", "font b", "font c", "font d", "font e"}));
}

TEST_F(FontFolder, UnloadingKeepsTheProgramsOwnFonts)
{
    write("a.fnt", named("folder a"));
    write("b.fnt", named("folder b"));
    const struct {
        bool own_first;    // the program's font registered before the folder's
        int current;       // font current when unloading
        int want_current;  // afterwards
    } cases[] = {{true, 5, 0}, {true, 3, 3}, {false, 4, 0}, {false, 5, 3}, {false, 1, 1}};
    for (auto c : cases) {
        if (c.own_first)
            vst_user_font(handle, testfont::heap_copy(named("own")));
        ASSERT_EQ(vst_load_fonts(handle, 0), 2);
        if (!c.own_first)
            vst_user_font(handle, testfont::heap_copy(named("own")));
        vst_font(handle, c.current);
        vst_unload_fonts(handle, 0);
        EXPECT_EQ(names(), std::vector<std::string>{"own"});
        EXPECT_EQ(_fontno, c.want_current) << c.own_first << " " << c.current;
        EXPECT_EQ(_font, _sysfonts[_fontno]);
        vst_unload_font(handle, 3);
    }
}

TEST_F(FontFolder, WithoutTheVariableTheFontsFolderHereIsRead)
{
    const std::string fonts = dir.path() + "/fonts";
    mkdir(fonts.c_str(), 0700);
    testfont::write_file(fonts + "/x.fnt", named("here"));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    for (const char *value : {(const char *)nullptr, ""}) {
        if (value)
            setenv("GEM_FONTS", value, 1);
        else
            unsetenv("GEM_FONTS");
        EXPECT_EQ(vst_load_fonts(handle, 0), 1);
        EXPECT_EQ(names(), std::vector<std::string>{"here"});
        vst_unload_fonts(handle, 0);
    }
    setenv("GEM_FONTS", (dir.path() + "/missing").c_str(), 1);
    EXPECT_EQ(vst_load_fonts(handle, 0), 0);
    ASSERT_EQ(chdir(cwd), 0);
}

}  // namespace
