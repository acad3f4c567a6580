// Installing resources: the built-in image, images in memory, files, the
// lookups, freeing, and refusal of damaged images.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gem/internal.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes &b, size_t at, int v)
{
    b[at] = (unsigned char)(v & 0xff);
    b[at + 1] = (unsigned char)((v >> 8) & 0xff);
}

void put32(Bytes &b, size_t at, long v)
{
    put16(b, at, (int)(v & 0xffff));
    put16(b, at + 2, (int)((v >> 16) & 0xffff));
}

Bytes builtin_copy() { return Bytes(_guirsh, _guirsh + sizeof _guirsh); }

// Offsets of pieces of a stored image, from the image start.
constexpr size_t HDR = 14;
size_t object_at(int k) { return HDR + 1042 + 24 * (size_t)k; }
size_t ted_at(int t) { return HDR + 1006 + 12 * (size_t)t; }

struct Snapshot {
    RSHDR hdr;
    unsigned char *resource;
    short rsrcin;
    TEDINFO *teds;
    OBJECT *dials;
    OBJECT **trees;
};

Snapshot snapshot() { return {_rshdr, _resource, _rsrcin, _teds, _dials, _trees}; }

void expect_same(const Snapshot &a, const Snapshot &b)
{
    EXPECT_EQ(0, memcmp(&a.hdr, &b.hdr, sizeof a.hdr));
    EXPECT_EQ(a.resource, b.resource);
    EXPECT_EQ(a.rsrcin, b.rsrcin);
    EXPECT_EQ(a.teds, b.teds);
    EXPECT_EQ(a.dials, b.dials);
    EXPECT_EQ(a.trees, b.trees);
}

class Install : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, rsrc_include(_guirsh)); }
    void TearDown() override { rsrc_include(_guirsh); }
};

std::string temp_file(const Bytes &contents)
{
    char name[] = "/tmp/rsrc_testXXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    FILE *f = fdopen(fd, "wb");
    fwrite(contents.data(), 1, contents.size(), f);
    fclose(f);
    return name;
}

TEST_F(Install, BuiltinGivesNativeTreesIntoTheImage)
{
    const int header[] = {2542, 1006, 1042, 2530, 3, 62, 3};
    const short *h = &_rshdr.rsh_nteds;
    EXPECT_EQ(header[0], _rshdr.rsh_rssize);
    EXPECT_EQ(header[1], _rshdr.rsh_tedinfo);
    EXPECT_EQ(header[2], _rshdr.rsh_object);
    EXPECT_EQ(header[3], _rshdr.rsh_trindex);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(header[4 + i], h[i]);
    EXPECT_EQ(_guirsh + 14, _resource);
    EXPECT_EQ(1, _rsrcin);
    EXPECT_EQ(_dials, _trees[0]);
    EXPECT_EQ(_dials + 48, _trees[1]);
    EXPECT_EQ(_dials + 58, _trees[2]);

    // Strings and texts point into the image; formatted-text objects at the
    // native records; inline values stay.
    EXPECT_EQ((long)(_resource + 814), _dials[1].ob_spec);
    EXPECT_EQ((long)&_teds[0], _dials[2].ob_spec);
    EXPECT_EQ((long)&_teds[2], _dials[59].ob_spec);
    EXPECT_EQ(1, _dials[3].ob_spec);
    EXPECT_EQ(0, _dials[0].ob_spec);
    EXPECT_STREQ("Input: ___", _teds[2].te_ptmplt);
    EXPECT_EQ((char *)_resource + 828, _teds[0].te_ptext);
    EXPECT_EQ(256, _teds[0].te_ptxtlen);
    EXPECT_EQ('x', _teds[2].te_pvalid);
    EXPECT_EQ(30, _trees[0]->ob_y);
    EXPECT_EQ(200, _trees[0]->ob_height);

    // An edit through the native record lands in the image.
    char *text = _teds[2].te_ptext;
    strcpy(text, "12");
    EXPECT_STREQ("12", (char *)_guirsh + 14 + 991);
    strcpy(text, "___");
}

TEST_F(Install, ImageIsNeverRewritten)
{
    Bytes image = builtin_copy();
    const Bytes before = image;
    ASSERT_EQ(1, rsrc_include(image.data()));
    ASSERT_EQ(1, rsrc_include(image.data()));
    EXPECT_EQ(before, image);
    // Including twice gives the same trees, built again.
    EXPECT_EQ((long)(image.data() + 14 + 814), _dials[1].ob_spec);
    EXPECT_EQ(_dials + 48, _trees[1]);
    rsrc_free();
}

TEST_F(Install, LookupsCheckKindAndIndex)
{
    OBJECT *tree = nullptr;
    EXPECT_EQ(1, rsrc_gaddr(R_TREE, 2, &tree));
    EXPECT_EQ(_dials + 58, tree);

    OBJECT *untouched = reinterpret_cast<OBJECT *>(0x1234);
    EXPECT_EQ(0, rsrc_gaddr(R_TREE, 3, &untouched));
    EXPECT_EQ(0, rsrc_gaddr(R_TREE, -1, &untouched));
    EXPECT_EQ(0, rsrc_gaddr(5, 0, &untouched));
    EXPECT_EQ(reinterpret_cast<OBJECT *>(0x1234), untouched);

    OBJECT ob;
    memset(&ob, 0x5a, sizeof ob);
    EXPECT_EQ(1, rsrc_gaddr(R_OBJECT, 48, &ob));
    EXPECT_EQ(-1, ob.ob_next);
    EXPECT_EQ(272, ob.ob_width);
    EXPECT_EQ(0, rsrc_gaddr(R_OBJECT, 62, &ob));

    TEDINFO ted;
    EXPECT_EQ(1, rsrc_gaddr(R_TEDINFO, 1, &ted));
    EXPECT_EQ(128, ted.te_ptxtlen);
    EXPECT_EQ(_teds[1].te_ptext, ted.te_ptext);
    EXPECT_EQ(0, rsrc_gaddr(R_TEDINFO, 3, &ted));
}

TEST_F(Install, FreeingTheBuiltinResourceFreesNothing)
{
    const Snapshot before = snapshot();
    EXPECT_EQ(1, rsrc_free());
    expect_same(before, snapshot());
    OBJECT *tree = nullptr;
    EXPECT_EQ(1, rsrc_gaddr(R_TREE, 0, &tree));
}

TEST_F(Install, FreeingAnIncludedImageKeepsTheImage)
{
    OBJECT *builtin_alert = nullptr;
    ASSERT_EQ(1, rsrc_gaddr(R_TREE, 1, &builtin_alert));
    Bytes image = builtin_copy();
    const Bytes before = image;
    ASSERT_EQ(1, rsrc_include(image.data()));
    OBJECT *alert = nullptr;
    ASSERT_EQ(1, rsrc_gaddr(R_TREE, 1, &alert));
    const Snapshot installed = snapshot();
    EXPECT_EQ(1, rsrc_free());
    EXPECT_EQ(before, image);
    // The image and the trees taken from it belong to the owner: both stay
    // usable, and the resource stays installed.
    expect_same(installed, snapshot());
    EXPECT_EQ(272, alert->ob_width);
    EXPECT_STREQ("Which", (char *)alert[1].ob_spec);
    OBJECT *tree = nullptr;
    EXPECT_EQ(1, rsrc_gaddr(R_TREE, 1, &tree));
    EXPECT_EQ(alert, tree);
    EXPECT_EQ(1, rsrc_free());

    // Releasing it uninstalls it; the built-in trees stay.
    EXPECT_EQ(1, _rsrc_release());
    EXPECT_EQ(0, rsrc_gaddr(R_TREE, 0, &tree));
    EXPECT_EQ(nullptr, _dials);
    EXPECT_EQ(1, _rsrc_release());  // a second release finds nothing
    EXPECT_STREQ("Which", (char *)builtin_alert[1].ob_spec);
}

TEST_F(Install, LoadFromFileOwnsItsData)
{
    OBJECT *builtin_select = nullptr, *builtin_alert = nullptr;
    ASSERT_EQ(1, rsrc_gaddr(R_TREE, 0, &builtin_select));
    ASSERT_EQ(1, rsrc_gaddr(R_TREE, 1, &builtin_alert));
    Bytes image = builtin_copy();
    // Mark the file so its strings can be told from the built-in ones.
    memcpy(image.data() + 14 + 814, "From the file", 13);
    const std::string path = temp_file(image);
    ASSERT_EQ(1, rsrc_load(path.c_str()));
    remove(path.c_str());

    EXPECT_EQ(0, _rsrcin);
    EXPECT_NE(_guirsh + 14, _resource);
    EXPECT_STREQ("From the file", (char *)_dials[1].ob_spec);
    EXPECT_EQ((char *)_resource + 828, _teds[0].te_ptext);
    // Trees taken before stay usable.
    EXPECT_NE(builtin_alert, _trees[1]);
    EXPECT_STREQ("Which", (char *)builtin_alert[1].ob_spec);

    EXPECT_EQ(1, rsrc_free());
    OBJECT ob;
    EXPECT_EQ(0, rsrc_gaddr(R_OBJECT, 0, &ob));
    EXPECT_STREQ("Select a file", (char *)builtin_select[1].ob_spec);
}

// One tree of one object whose ob_spec is `obspec`, followed by `tail` (bytes at
// the end of the data block, for strings).
Bytes one_object_image(int type, long obspec, const std::string &tail)
{
    Bytes b(14 + 28 + tail.size(), 0);
    put16(b, 0, (int)(28 + tail.size()));  // the object at 0, the tree index at 24
    put16(b, 6, 24);
    put16(b, 10, 1);
    put16(b, 12, 1);
    put16(b, 14 + 0, -1);
    put16(b, 14 + 2, -1);
    put16(b, 14 + 4, -1);
    b[14 + 6] = (unsigned char)type;
    b[14 + 7] = OF_LASTOB;
    put32(b, 14 + 12, obspec);
    memcpy(b.data() + 14 + 28, tail.data(), tail.size());
    return b;
}

TEST_F(Install, SmallestImages)
{
    Bytes empty(14, 0);
    EXPECT_EQ(1, rsrc_include(empty.data()));
    OBJECT *tree = nullptr;
    EXPECT_EQ(0, rsrc_gaddr(R_TREE, 0, &tree));

    Bytes boxchar = one_object_image(OT_BOXCHAR, 1, "");
    ASSERT_EQ(1, rsrc_include(boxchar.data()));
    ASSERT_EQ(1, rsrc_gaddr(R_TREE, 0, &tree));
    EXPECT_EQ(1, tree->ob_spec);  // an inline character is not relocated
    rsrc_free();
}

TEST_F(Install, StringsMustEndInsideTheBlock)
{
    Bytes ended = one_object_image(OT_STRING, 28, std::string("AB", 3));
    ASSERT_EQ(1, rsrc_include(ended.data()));
    EXPECT_STREQ("AB", (char *)_dials[0].ob_spec);
    rsrc_free();

    Bytes unended = one_object_image(OT_STRING, 28, "AB");
    const Snapshot installed = snapshot();
    EXPECT_EQ(0, rsrc_include(unended.data()));
    expect_same(installed, snapshot());
}

// Each damage is applied to a fresh copy of the built-in image.
struct Damage {
    const char *what;
    void (*apply)(Bytes &);
};

const Damage DAMAGES[] = {
    {"object table past the block", [](Bytes &b) { put16(b, 4, 2530 - 23); }},
    {"tree index past the block", [](Bytes &b) { put16(b, 6, 2540); }},
    {"records past the block", [](Bytes &b) { put16(b, 2, 2536); }},
    {"block shorter than its tables", [](Bytes &b) { put16(b, 0, 2541); }},
    {"negative record count", [](Bytes &b) { put16(b, 8, -1); }},
    {"negative object count", [](Bytes &b) { put16(b, 10, -2); }},
    {"negative tree count", [](Bytes &b) { put16(b, 12, -1); }},
    {"string offset past the block", [](Bytes &b) { put32(b, object_at(1) + 12, 2542); }},
    {"huge string offset", [](Bytes &b) { put32(b, object_at(1) + 12, 0x7fffff00L); }},
    {"text offset past the block", [](Bytes &b) { put32(b, ted_at(0), 60000); }},
    {"template offset past the block", [](Bytes &b) { put32(b, ted_at(2) + 4, 3000); }},
    {"text record pointer between records", [](Bytes &b) { put32(b, object_at(2) + 12, 1007); }},
    {"text record pointer past the records", [](Bytes &b) { put32(b, object_at(2) + 12, 1042); }},
    {"tree entry inside an object", [](Bytes &b) { put32(b, 14 + 2534, 1042 + 25); }},
    {"tree entry before the objects", [](Bytes &b) { put32(b, 14 + 2534, 1018); }},
    {"tree entry past the objects", [](Bytes &b) { put32(b, 14 + 2534, 2530); }},
    {"unknown type with a far offset",
     [](Bytes &b) {
         b[object_at(1) + 6] = 40;
         put32(b, object_at(1) + 12, 9000);
     }},
};

TEST_F(Install, DamagedImagesAreRefusedAndChangeNothing)
{
    for (const Damage &d : DAMAGES) {
        SCOPED_TRACE(d.what);
        Bytes image = builtin_copy();
        d.apply(image);
        const Bytes before = image;
        const Snapshot installed = snapshot();
        EXPECT_EQ(0, rsrc_include(image.data()));
        expect_same(installed, snapshot());
        EXPECT_EQ(before, image);
    }
    EXPECT_EQ(0, rsrc_include(nullptr));
}

using InstallDeath = Install;

TEST_F(InstallDeath, FilesThatCannotBeUsedEndTheProgramWithAFailure)
{
    EXPECT_EXIT(rsrc_load("/nonexistent/dir/none.rsc"), ::testing::ExitedWithCode(1),
                "none.rsc cannot be opened");

    Bytes image = builtin_copy();
    const std::string short_header = temp_file(Bytes(image.begin(), image.begin() + 10));
    EXPECT_EXIT(rsrc_load(short_header.c_str()), ::testing::ExitedWithCode(1), "is cut short");
    const std::string short_data = temp_file(Bytes(image.begin(), image.end() - 1));
    EXPECT_EXIT(rsrc_load(short_data.c_str()), ::testing::ExitedWithCode(1), "is cut short");
    DAMAGES[0].apply(image);
    const std::string damaged = temp_file(image);
    EXPECT_EXIT(rsrc_load(damaged.c_str()), ::testing::ExitedWithCode(1), "is damaged");
    for (const std::string &p : {short_header, short_data, damaged})
        remove(p.c_str());
}

}  // namespace
