// Command tails: a length byte and the text, split on spaces into
// arguments and joined from them, never past the classic 128 bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gem/shell/tail.h"

namespace {

using Words = std::vector<std::string>;

TEST(CommandTail, SplitTakesTheTextTheLengthByteGivesAndNoMore)
{
    const std::string long_text = std::string(1, (char)200) + std::string(200, 'x');
    struct Case {
        std::string tail;
        Words words;
    };
    const Case cases[] = {
        {"\x05"
         "a b c",
         {"a", "b", "c"}},
        {"\x03"
         "a b c",
         {"a", "b"}},
        {"\x09"
         "  a   b  ",
         {"a", "b"}},
        {std::string("\x0a"
                     "ab\0cd ef",
                     9),
         {"ab"}},
        {"\x0b"
         "'a b' $x;y",
         {"'a", "b'", "$x;y"}},
        {"\x00"
         "ignored",
         {}},
        {long_text, {std::string(command_tail::TEXT, 'x')}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.words, command_tail::split(c.tail.c_str())) << c.tail.substr(1);
    EXPECT_EQ(Words{}, command_tail::split(nullptr));
}

TEST(CommandTail, JoinWritesTheLengthTheTextAndAZeroWithinTheBuffer)
{
    struct Case {
        Words words;
        std::string text;
    };
    const Case cases[] = {
        {{}, ""},
        {{"a"}, "a"},
        {{"one", "two words"}, "one two words"},
        {{std::string(100, 'x'), std::string(100, 'y')},
         std::string(100, 'x') + " " + std::string(25, 'y')},
    };
    for (const Case &c : cases) {
        char tail[command_tail::BYTES + 1];
        memset(tail, '#', sizeof tail);
        command_tail::join(c.words, tail);
        EXPECT_EQ(c.text.size(), (size_t)(unsigned char)tail[0]);
        EXPECT_EQ(c.text, std::string(tail + 1));
        EXPECT_EQ('#', tail[command_tail::BYTES]) << "nothing past the classic buffer";
    }
}

}  // namespace
