// Images to text and back: the layer's built-in image and the other seed
// images dump to texts that build the same bytes, and the descriptions of
// the source tree build images whose dumps build them again.
#include <gtest/gtest.h>

#include "gem/internal.h"
#include "support/mkrsc_files.h"

namespace {

using namespace mkrsc_test;

// Dump, build the text again, dump that: same bytes, same text.
void expect_round_trip(const Bytes &image)
{
    const std::string text = mkrsc::dump(image);
    EXPECT_EQ(compile(text), image);
    EXPECT_EQ(mkrsc::dump(compile(text)), text);
}

TEST(MkrscRoundTrip, BuiltInImageBuildsAgainFromItsDump)
{
    // Nothing in this program runs a dialog, the only code that rewrites
    // the built-in image's strings: the bytes are those the tables built.
    const Bytes builtin(_guirsh, _guirsh + sizeof _guirsh);
    ASSERT_EQ(builtin.size(), 2556u);
    const std::string text = mkrsc::dump(builtin);
    EXPECT_EQ(compile(text), builtin);
    // Its three trees nest; only the strings keep their offsets.
    EXPECT_EQ(text.find("objects {"), std::string::npos);
    EXPECT_NE(text.find("\"Select a file\"@814"), std::string::npos);
    EXPECT_EQ(mkrsc::dump(compile(text)), text);
}

TEST(MkrscRoundTrip, SeedImagesWithFixedOffsetsAndLinksBuildAgain)
{
    // every_type.rsc lays its strings out of order; looped_links.rsc has
    // links no nesting gives, so it dumps as an `objects` block.
    for (const char *name : {"every_type.rsc", "looped_links.rsc"}) {
        SCOPED_TRACE(name);
        const Bytes image = read_bytes(source("tests/fuzz/corpus/rsrc/") + name);
        ASSERT_FALSE(image.empty());
        expect_round_trip(image);
    }
    const std::string looped =
        mkrsc::dump(read_bytes(source("tests/fuzz/corpus/rsrc/looped_links.rsc")));
    EXPECT_NE(looped.find("objects {"), std::string::npos);
    EXPECT_NE(looped.find(" links "), std::string::npos);
}

TEST(MkrscRoundTrip, DescriptionsBuildStableImagesAndTheSeeds)
{
    for (const Example &e : EXAMPLES) {
        SCOPED_TRACE(e.description);
        const std::string description = read_text(source(e.description));
        ASSERT_FALSE(description.empty());
        const Bytes image = compile(description);
        expect_round_trip(image);
        // The fuzz seeds are these builds; a change of layout rebuilds them.
        EXPECT_EQ(read_bytes(source(e.seed)), image);
    }
}

TEST(MkrscRoundTrip, DumpKeepsEveryFieldOfTheDescription)
{
    const mkrsc::Description d =
        mkrsc::parse(read_text(source("tests/tools/data/every_attribute.txt")));
    const mkrsc::Description again = mkrsc::parse(mkrsc::dump(mkrsc::build(d)));
    ASSERT_EQ(again.objects.size(), d.objects.size());
    for (size_t k = 0; k < d.objects.size(); k++) {
        SCOPED_TRACE(k);
        const OBJECT &a = d.objects[k].ob, &b = again.objects[k].ob;
        EXPECT_EQ(b.ob_type, a.ob_type);
        EXPECT_EQ(b.ob_flags, a.ob_flags);
        EXPECT_EQ(b.ob_colbyte, a.ob_colbyte);
        EXPECT_EQ(b.ob_font, a.ob_font);
        EXPECT_EQ(b.ob_border, a.ob_border);
        EXPECT_EQ(b.ob_fill, a.ob_fill);
        EXPECT_EQ(b.ob_spec, a.ob_spec);
        EXPECT_EQ(b.ob_x, a.ob_x);
        EXPECT_EQ(b.ob_y, a.ob_y);
        EXPECT_EQ(b.ob_width, a.ob_width);
        EXPECT_EQ(b.ob_height, a.ob_height);
        EXPECT_EQ(again.objects[k].text.chars, d.objects[k].text.chars);
        EXPECT_EQ(again.objects[k].tmplt.chars, d.objects[k].tmplt.chars);
        EXPECT_EQ(again.objects[k].valid, d.objects[k].valid);
        EXPECT_EQ(again.objects[k].parent, d.objects[k].parent);
    }
}

}  // namespace
