// Descriptions mkrsc refuses: each refusal names the line it concerns and
// what is wrong with it.
#include <gtest/gtest.h>

#include "support/mkrsc_files.h"

namespace {

using mkrsc_test::compile;
using namespace std::string_literals;

struct Refusal {
    std::string description;
    int line;
    const char *message;
};

// A tree whose root box holds `count` copies of `child`, one a line from
// line 3 on.
std::string many(int count, const std::string &child)
{
    std::string s = "tree {\n  box at 0,0 size 10,10 {\n";
    for (int i = 0; i < count; i++)
        s += "    " + child + "\n";
    return s + "  }\n}\n";
}

// `depth` boxes, each inside the one before, from line 2 on.
std::string nested(int depth)
{
    std::string s = "tree {\n";
    for (int i = 0; i < depth; i++)
        s += "box at 0,0 size 1,1 {\n";
    for (int i = 0; i < depth; i++)
        s += "}\n";
    return s + "}\n";
}

const std::string LONG_TEXT(256, 'x');
const std::string X250(250, 'x');

const Refusal REFUSALS[] = {
    // Words and numbers.
    {"tree {\n  blob at 0,0\n}\n", 2, "unknown object type 'blob'"},
    {"tree {\n  box at 0,1x\n}\n", 2, "bad number '1x'"},
    {"tree {\n  box at 0,0 colour 256\n}\n", 2, "out of range for colour"},
    {"tree {\n  box at 0\n}\n", 2, "at wants two numbers"},
    {"tree {\n  box at 0,0 glow 3\n}\n", 2, "unknown attribute 'glow'"},
    {"tree {\n  box at 0,0 template \"__\"\n}\n", 2, "'template' does not apply"},
    {"tree {\n  box \"text\" at 0,0\n}\n", 2, "holds none"},
    {"tree {\n\n  string \"open at 0,0\n}\n", 3, "unclosed \""},
    {"tree {\n  string \"\\q\" at 0,0\n}\n", 2, "unknown escape '\\q'"},
    {"tree {\n  string \"a\\x00b\" at 0,0\n}\n", 2, "a text cannot hold a NUL byte"},
    {"tree {\n  edtext \"\" template \"_\0_\" at 0,0\n}\n"s, 2, "a text cannot hold a NUL byte"},
    {"tree {\n  box at 0,0 lastob\n}\n", 2, "'lastob' comes from the nesting"},
    {"tree A {\n  box A at 0,0\n}\n", 2, "name A is already used on line 1"},
    {"form {\n}\n", 1, "expected 'tree'"},
    // Nesting.
    {"tree {\n  box at 0,0 {\n    ibox at 0,0\n}\n", 1, "'{' is never closed"},
    {"tree {\n  box at 0,0\n}\n}\n", 4, "'}' without an open '{'"},
    {"tree {\n  box at 0,0\n  box at 0,0\n}\n", 3, "this one is a second"},
    {"tree {\n}\n", 1, "the tree holds no object"},
    {"tree {\n  box at 0,0 } x\n}\n", 2, "unexpected '}'"},
    {nested(101), 102, "nesting deeper than 100 levels"},
    {"objects {\n  box at 0,0 links -1,-1,-1\n}\ntree at 3\n", 4, "there are only 1 objects"},
    // Texts too long for the layer or for their field.
    {"tree {\n  string \"" + LONG_TEXT + "\" at 0,0\n}\n", 2, "string of 256 characters"},
    {"tree {\n  edtext \"abc\" template \"__\" at 0,0\n}\n", 2, "longer than the 2 placeholders"},
    {"tree {\n  edtext \"\" template \"____\" buflen 3 at 0,0\n}\n", 2,
     "template longer than the buffer size 3"},
    {"tree {\n  scrolltext \"abcd\" template \"__\" buflen 4 at 0,0\n}\n", 2,
     "does not fit the buffer size 4"},
    // The 64 KiB that offsets reach: 251 bytes a string, the 262nd ends
    // past them; 24 bytes an object, object 2730 ends past them.
    {many(300, "string \"" + X250 + "\" at 0,0"), 264, "past the 64 KiB"},
    {many(3000, "ibox at 0,0"), 2732, "past the 64 KiB"},
    {"tree {\n  box at 0,0 {\n    33 at 0,0 spec 70000\n  }\n}\n", 3,
     "spec 70000 of type 33 is an offset past"},
};

TEST(MkrscErrors, EachRefusalNamesItsLineAndWhatIsWrong)
{
    for (const Refusal &r : REFUSALS) {
        SCOPED_TRACE(r.description.substr(0, 80));
        try {
            compile(r.description);
            ADD_FAILURE() << "accepted";
        } catch (const mkrsc::Error &e) {
            EXPECT_EQ(e.line(), r.line);
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
        }
    }
}

// The limits themselves are accepted: one less than each refusal above.
TEST(MkrscErrors, DescriptionsAtTheLimitsBuild)
{
    const std::string at_limits[] = {
        "tree {\n  string \"" + std::string(255, 'x') + "\" at 0,0\n}\n",
        "tree {\n  edtext \"ab\" template \"__\" at 0,0\n}\n",
        "tree {\n  scrolltext \"abc\" template \"__\" buflen 4 at 0,0\n}\n",
        many(238, "string \"" + X250 + "\" at 0,0"),  // the most of them that fit
        nested(100),
    };
    for (const std::string &d : at_limits) {
        SCOPED_TRACE(d.substr(0, 80));
        EXPECT_NO_THROW(compile(d));
    }
}

}  // namespace
