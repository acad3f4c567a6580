// Checking font images before registration: every way an image can be
// damaged is refused in either byte order, without changing the image;
// and the byte exchange of images stored high byte first.
#include <gtest/gtest.h>

#include <functional>

#include "gem/vdi/fontlist.h"
#include "support/test_font.h"

namespace {

using testfont::image;
using testfont::Layout;
using testfont::tiny;

bool ok(const std::vector<unsigned char> &img, long length)
{
    return font_image_ok(img.data(), length);
}

TEST(FontImage, WellFormedImagesPassInEitherByteOrder)
{
    for (bool big : {false, true}) {
        auto img = image(tiny(), big);
        EXPECT_TRUE(ok(img, (long)img.size())) << big;
        EXPECT_TRUE(ok(img, -1)) << "length unknown";
        EXPECT_TRUE(ok(img, (long)img.size() + 100)) << "trailing bytes are harmless";
    }
    EXPECT_TRUE(font_image_ok(_font0, sizeof _font0));
    EXPECT_TRUE(font_image_ok(_font1, sizeof _font1));
    EXPECT_TRUE(font_image_ok(_font2, sizeof _font2));
}

TEST(FontImage, DamagedImagesAreRefused)
{
    struct Damage {
        const char *what;
        std::function<void(Layout &)> apply;
    };
    const Damage damages[] = {
        {"first_ade above last_ade",
         [](Layout &s) {
             s.first_ade = 'c';
             s.offsets.clear();
         }},
        {"offsets decrease", [](Layout &s) { s.offsets[40] = 1; }},
        {"offset below 0", [](Layout &s) { s.offsets[0] = -1; }},
        {"glyph ends past the form", [](Layout &s) { s.offsets.back() = 9; }},
        {"no form rows",
         [](Layout &s) {
             s.height = 0;
             s.form.clear();
         }},
        {"negative form rows",
         [](Layout &s) {
             s.height = -4;
             s.form.clear();
         }},
        {"no form bytes", [](Layout &s) { s.form_width = 0; }},
    };
    for (const auto &d : damages) {
        for (bool big : {false, true}) {
            Layout s = tiny();
            d.apply(s);
            auto img = image(s, big);
            EXPECT_FALSE(ok(img, (long)img.size())) << d.what << (big ? " (swapped)" : "");
            EXPECT_FALSE(ok(img, -1)) << d.what << " with the length unknown";
        }
    }
}

TEST(FontImage, TableAndFormMustLieInsideTheFile)
{
    auto img = image(tiny());
    long full = (long)img.size();
    EXPECT_FALSE(ok(img, full - 1)) << "last form byte missing";
    EXPECT_FALSE(ok(img, 88 + 2 * 100 - 1)) << "table cut short";
    EXPECT_FALSE(ok(img, 87)) << "header cut short";
    EXPECT_FALSE(ok(img, 0));
    EXPECT_FALSE(font_image_ok(nullptr, -1));

    // A huge range of codes makes a table longer than the file.
    Layout s = tiny();
    s.first_ade = -32768;
    s.last_ade = 32767;
    img = image(s);
    EXPECT_FALSE(ok(img, (long)img.size()));
    // A form taller than the file.
    s = tiny();
    s.height = 30000;
    img = image(s);
    EXPECT_FALSE(ok(img, (long)img.size()));
}

TEST(FontImage, CheckingChangesNothing)
{
    auto img = image(tiny(), true);
    auto copy = img;
    ASSERT_TRUE(ok(img, (long)img.size()));
    EXPECT_EQ(img, copy);
}

TEST(FontImage, UndumbExchangesTheTwoBytes)
{
    short v = 0x1234;
    _undumb(&v);
    EXPECT_EQ(v, 0x3412);
    v = (short)0xFF01;
    _undumb(&v);
    EXPECT_EQ(v, 0x01FF);
    _undumb(&v);
    EXPECT_EQ(v, (short)0xFF01);
}

}  // namespace
