// The converter's pieces that need no screen: the side from the file name,
// line decoding, and the sprite file writing.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pcx2spr.h"
#include "support/tempdir.h"

namespace {

std::vector<unsigned char> slurp(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// Decodes `bytes` as one line of width hrez with vrez set to 6 * side.
std::vector<unsigned char> decode(std::vector<unsigned char> bytes, int hrez, int side,
                                  int *written = nullptr)
{
    fp = fmemopen(bytes.empty() ? nullptr : bytes.data(), bytes.size(), "rb");
    if (bytes.empty())
        fp = fopen("/dev/null", "rb");
    vrez = (short)(6 * side);
    std::vector<unsigned char> line(LINE_BYTES, 0xEE);
    int n = ReadPcxLine(line.data(), hrez);
    fclose(fp);
    fp = nullptr;
    if (written)
        *written = n;
    line.resize(n);
    return line;
}

TEST(SizeFromName, NumberAtTheStartOfTheBaseName)
{
    EXPECT_EQ(size_from_name("24hero.pcx"), 24);
    EXPECT_EQ(size_from_name("/pics/88/16monst.pcx"), 16);  // the directory's digits don't count
    EXPECT_EQ(size_from_name("88big.pcx"), 88);
    EXPECT_EQ(side_of(88), 24);
    EXPECT_EQ(size_from_name("hero.pcx"), 0);
    EXPECT_EQ(size_from_name("  7x.pcx"), 7);  // atoi skips leading blanks
    EXPECT_EQ(size_from_name("300.pcx"), 300 & 0xFF);
    EXPECT_EQ(size_from_name("-1.pcx"), 0xFF);
}

TEST(ReadPcxLine, LiteralsAndRunsShiftedBy16)
{
    // 3 literal bytes, a run of 4 x 200, a literal 191 (the largest literal).
    auto line = decode({1, 2, 3, 0xC4, 200, 191}, 8, 1);
    EXPECT_EQ(line, (std::vector<unsigned char>{17, 18, 19, 216, 216, 216, 216, 207}));
}

TEST(ReadPcxLine, ValuesWrapModulo256)
{
    auto line = decode({0xC2, 250, 0xC1, 240}, 3, 1);
    EXPECT_EQ(line, (std::vector<unsigned char>{10, 10, 0}));
}

TEST(ReadPcxLine, RunIsWrittenInFullPastTheLineEnd)
{
    int n = 0;
    auto line = decode({0xFF, 7}, 2, 0, &n);  // a run of 63 on a line of 2
    EXPECT_EQ(n, 63);
    for (unsigned char b : line)
        EXPECT_EQ(b, 23);
}

TEST(ReadPcxLine, ZeroCountRunWritesNothing)
{
    auto line = decode({0xC0, 9, 5}, 1, 0);
    EXPECT_EQ(line, (std::vector<unsigned char>{21}));
}

TEST(ReadPcxLine, EndOfFileGivesColour15)
{
    auto line = decode({4}, 3, 0);
    EXPECT_EQ(line, (std::vector<unsigned char>{20, 15, 15}));
    // A run count whose value byte is missing repeats the EOF value.
    line = decode({0xC3}, 3, 0);
    EXPECT_EQ(line, (std::vector<unsigned char>{15, 15, 15}));
    line = decode({}, 2, 0);
    EXPECT_EQ(line, (std::vector<unsigned char>{15, 15}));
}

TEST(ReadPcxLine, NarrowLineIsRepeatedToItsRight)
{
    // Side 4: 2a = 8. A 4-pixel line is repeated; an 8-pixel one is not.
    auto line = decode({1, 2, 3, 4}, 4, 4);
    EXPECT_EQ(line, (std::vector<unsigned char>{17, 18, 19, 20, 17, 18, 19, 20}));
    line = decode({1, 2, 3, 4, 5, 6, 7, 8}, 8, 4);
    EXPECT_EQ(line.size(), 8u);
    // The repeat overwrites the surplus of a run that went past the end.
    line = decode({0xC6, 1}, 2, 4);
    EXPECT_EQ(line, (std::vector<unsigned char>{17, 17, 17, 17, 17, 17}));
}

class WriteSprite : public ::testing::Test {
protected:
    TempDir scratch;
    const std::string &dir = scratch.path();
};

TEST_F(WriteSprite, LayoutIsSizePaletteAndTwoBlocks)
{
    size = 88;  // side 24, high bits carried
    pallength = 2;
    const unsigned char pal[6] = {1, 2, 3, 4, 5, 6};
    memcpy(palette, pal, sizeof pal);
    for (int j = 0; j < SPRITE_BYTES; j++)
        sprite[j] = (unsigned char)(j * 7);
    std::string path = dir + "/out.spr";
    ASSERT_EQ(write_sprite(path.c_str()), nullptr);

    auto bytes = slurp(path);
    ASSERT_EQ(bytes.size(), 2u + 6 + 12 * 24 * 24);
    EXPECT_EQ(bytes[0], 88);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_TRUE(std::equal(pal, pal + 6, bytes.begin() + 2));
    for (int j = 0; j < SPRITE_BYTES; j++)
        ASSERT_EQ(bytes[8 + j], (unsigned char)(j * 7 - 16)) << j;
}

TEST_F(WriteSprite, SideZeroWritesOnlyHeaderAndPalette)
{
    size = 0;
    pallength = 240;
    std::string path = dir + "/zero.spr";
    ASSERT_EQ(write_sprite(path.c_str()), nullptr);
    EXPECT_EQ(slurp(path).size(), 2u + 720);
}

TEST_F(WriteSprite, FailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    size = 4;
    pallength = 0;
    // The target exists and is a directory: the rename fails.
    std::string path = dir + "/busy.spr";
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((path + "/keep").c_str(), 0755), 0);
    const char *err = write_sprite(path.c_str());
    ASSERT_NE(err, nullptr);
    EXPECT_NE(std::string(err).find("busy.spr"), std::string::npos);
    struct stat st;
    EXPECT_EQ(stat((path + "/keep").c_str(), &st), 0);
    // Nothing but the directory is left beside it.
    std::string listing;
    FILE *ls = popen(("ls -A " + dir).c_str(), "r");
    char buf[256];
    while (fgets(buf, sizeof buf, ls))
        listing += buf;
    pclose(ls);
    EXPECT_EQ(listing, "busy.spr\n");
}

TEST_F(WriteSprite, MissingDirectoryIsReported)
{
    size = 1;
    pallength = 0;
    const char *err = write_sprite((dir + "/no/such/dir/x.spr").c_str());
    ASSERT_NE(err, nullptr);
    EXPECT_NE(std::string(err).find("No such file"), std::string::npos);
}

TEST_F(WriteSprite, ReplacesAnExistingFileWhole)
{
    size = 1;
    pallength = 0;
    std::string path = dir + "/old.spr";
    {
        std::ofstream f(path, std::ios::binary);
        f << std::string(5000, 'x');
    }
    ASSERT_EQ(write_sprite(path.c_str()), nullptr);
    EXPECT_EQ(slurp(path).size(), 2u + 12);
}

}  // namespace
