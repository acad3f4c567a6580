// GEMDOS calls on a scratch folder: searches and their wildcards, the file
// calls round trip and their errors, directories, the clock, memory and
// the processor mode.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "classic/osbind_c.h"
#include "gem/classic/gemdos.h"
#include "gem/classic/internal.h"
#include "gem/classic/paths.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

constexpr int FA_HIDDEN_ = 0x02, FA_SUBDIR_ = 0x10, FA_READONLY_ = 0x01;

class Gemdos : public ::testing::Test {
protected:
    void SetUp() override
    {
        before_ = fs::current_path();
        root_ = fs::canonical(tmp_.path()).string();
        fs::current_path(root_);
        gemc_Fsetdta(nullptr);
    }
    void TearDown() override { fs::current_path(before_); }

    // Names ending in '/' are directories; files hold `size` bytes.
    void make(const Names &names, size_t size = 1)
    {
        for (const std::string &n : names) {
            if (n.back() == '/')
                fs::create_directories(root_ + "/" + n);
            else
                std::ofstream(root_ + "/" + n) << std::string(size, 'x');
        }
    }

    // Every name a search hands out, or the error that ended it at once.
    Names search(const char *pattern, int attr, long *first = nullptr)
    {
        Names found;
        long r = gemc_Fsfirst(pattern, attr);
        if (first)
            *first = r;
        for (; r == 0; r = gemc_Fsnext())
            found.push_back(gemc_Fgetdta()->d_fname);
        if (!found.empty()) {
            EXPECT_EQ(r, GEMC_ENMFIL) << pattern;
        }
        return found;
    }

    TempDir tmp_;
    fs::path before_;
    std::string root_;
};

TEST_F(Gemdos, SearchesMatchTheClassicWay)
{
    make({"A.C", "b.c", "ab.c", "README", "readme.txt", "x.h", "exactly8.txt", "longername.cc",
          ".hidden", "SUB/", "SUB/in.c"});
    const struct {
        const char *pattern;
        int attr;
        long first;
        Names names;
    } cases[] = {
        {"*.*", 0, 0, {"A.C", "README", "ab.c", "b.c", "exactly8.txt", "readme.txt", "x.h"}},
        {"*.C", 0, 0, {"A.C", "ab.c", "b.c"}},
        {"?.c", 0, 0, {"A.C", "b.c"}},
        {"A?.C", 0, 0, {"A.C", "ab.c"}},  // '?' stands for a character or none
        {"*", 0, 0, {"README"}},
        {"README.*", 0, 0, {"README", "readme.txt"}},
        {"*.TX?", 0, 0, {"exactly8.txt", "readme.txt"}},
        {"R*ME.*", 0, 0, {"README", "readme.txt"}},  // what follows '*' is not looked at
        {"*.*",
         FA_SUBDIR_,
         0,
         {"A.C", "README", "SUB", "ab.c", "b.c", "exactly8.txt", "readme.txt", "x.h"}},
        {"*.*",
         FA_HIDDEN_,
         0,
         {".hidden", "A.C", "README", "ab.c", "b.c", "exactly8.txt", "readme.txt", "x.h"}},
        {"SUB\\*.*", 0, 0, {"in.c"}},
        {"sub\\*.C", 0, 0, {"in.c"}},
        {"NOPE.*", 0, GEMC_EFILNF, {}},
        {"*.cc", 0, GEMC_EFILNF, {}},  // longer than 8.3: left out
        {"*.*", 0x08, GEMC_EFILNF, {}},
        {"SUB\\", 0, GEMC_EFILNF, {}},
        {"NODIR\\*.*", 0, GEMC_EPTHNF, {}},
        {"A:\\*.*", 0, GEMC_EDRIVE, {}},
    };
    for (const auto &c : cases) {
        long first = 1;
        EXPECT_EQ(search(c.pattern, c.attr, &first), c.names) << c.pattern;
        EXPECT_EQ(first, c.first) << c.pattern;
    }
    EXPECT_EQ(gemc_Fsfirst(std::string(128, 'a').c_str(), 0), GEMC_ERANGE);
    EXPECT_EQ(gemc_Fsfirst(nullptr, 0), GEMC_EPTHNF);
}

TEST_F(Gemdos, SearchFillsTheClassicRecord)
{
    make({"big.dat"}, 1000);
    make({"d/"});
    chmod((root_ + "/big.dat").c_str(), 0444);
    GEMC_DTA dta;
    memset(&dta, 0x55, sizeof dta);
    gemc_Fsetdta(&dta);
    EXPECT_EQ(gemc_Fgetdta(), &dta);
    ASSERT_EQ(gemc_Fsfirst("BIG.DAT", 0), 0);
    EXPECT_STREQ(dta.d_fname, "big.dat");
    EXPECT_EQ(dta.d_length, 1000);
    EXPECT_EQ(dta.d_attrib, FA_READONLY_);
    struct stat st;
    stat("big.dat", &st);
    EXPECT_EQ(dta.d_date, _gemc_dos_date(st.st_mtime));
    EXPECT_EQ(dta.d_time, _gemc_dos_time(st.st_mtime));
    ASSERT_EQ(gemc_Fsfirst("D", FA_SUBDIR_), 0);
    EXPECT_EQ(dta.d_attrib, FA_SUBDIR_);
    EXPECT_EQ(dta.d_length, 0);
}

TEST_F(Gemdos, TwoSearchesKeepTheirPlaces)
{
    make({"a1", "a2", "b1", "b2"});
    GEMC_DTA a, b;
    gemc_Fsetdta(&a);
    ASSERT_EQ(gemc_Fsfirst("A*", 0), 0);
    gemc_Fsetdta(&b);
    ASSERT_EQ(gemc_Fsfirst("B*", 0), 0);
    gemc_Fsetdta(&a);
    ASSERT_EQ(gemc_Fsnext(), 0);
    EXPECT_STREQ(a.d_fname, "a2");
    EXPECT_EQ(gemc_Fsnext(), GEMC_ENMFIL);
    gemc_Fsetdta(&b);
    ASSERT_EQ(gemc_Fsnext(), 0);
    EXPECT_STREQ(b.d_fname, "b2");
    // A record no search filled has no more files.
    GEMC_DTA blank = {};
    gemc_Fsetdta(&blank);
    EXPECT_EQ(gemc_Fsnext(), GEMC_ENMFIL);
}

TEST_F(Gemdos, FilesRoundTrip)
{
    const long h = gemc_Fcreate("NEW.DAT", 0);
    ASSERT_GE(h, 6);
    EXPECT_EQ(gemc_Fwrite((int)h, 5, "hello"), 5);
    EXPECT_EQ(gemc_Fseek(0, (int)h, 0), 0);
    char buf[8] = {};
    EXPECT_EQ(gemc_Fread((int)h, 8, buf), 5);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(gemc_Fseek(-2, (int)h, 2), 3);
    EXPECT_EQ(gemc_Fseek(1, (int)h, 1), 4);
    EXPECT_EQ(gemc_Fseek(6, (int)h, 0), GEMC_ERANGE);
    EXPECT_EQ(gemc_Fseek(-5, (int)h, 1), GEMC_ERANGE);
    EXPECT_EQ(gemc_Fseek(0, (int)h, 3), GEMC_EINVFN);
    EXPECT_EQ(gemc_Fseek(0, (int)h, 1), 4);  // a refused seek moved nothing
    EXPECT_EQ(gemc_Fclose((int)h), 0);
    EXPECT_EQ(gemc_Fclose((int)h), GEMC_EIHNDL);

    const long r = gemc_Fopen("new.dat", 0);
    ASSERT_GE(r, 6);
    EXPECT_EQ(gemc_Fwrite((int)r, 1, "x"), GEMC_EACCDN);
    EXPECT_EQ(gemc_Fread((int)r, 2, buf), 2);
    EXPECT_EQ(std::string(buf, 2), "he");
    EXPECT_EQ(gemc_Fclose((int)r), 0);

    EXPECT_EQ(gemc_Frename(0, "NEW.DAT", "OLD.DAT"), 0);
    EXPECT_TRUE(fs::exists(root_ + "/OLD.DAT"));
    EXPECT_EQ(gemc_Fattrib("OLD.DAT", 0, 0), 0);
    EXPECT_EQ(gemc_Fattrib("OLD.DAT", 1, FA_READONLY_), FA_READONLY_);
    EXPECT_EQ(fs::status(root_ + "/OLD.DAT").permissions() & fs::perms::owner_write,
              fs::perms::none);
    EXPECT_EQ(gemc_Fattrib("OLD.DAT", 1, 0), 0);
    EXPECT_EQ(gemc_Fdelete("old.dat"), 0);
    EXPECT_FALSE(fs::exists(root_ + "/OLD.DAT"));
}

TEST_F(Gemdos, FileErrors)
{
    make({"a.txt", "b.txt", "SUB/"});
    char buf[4];
    const struct {
        const char *what;
        long result, expected;
    } cases[] = {
        {"open missing", gemc_Fopen("MISSING", 0), GEMC_EFILNF},
        {"open in missing dir", gemc_Fopen("NODIR\\X", 0), GEMC_EPTHNF},
        {"open a directory", gemc_Fopen("SUB", 0), GEMC_EFILNF},
        {"open mode 3", gemc_Fopen("A.TXT", 3), GEMC_EACCDN},
        {"open on A:", gemc_Fopen("A:\\A.TXT", 0), GEMC_EDRIVE},
        {"create a directory", gemc_Fcreate("X", 0x10), GEMC_EACCDN},
        {"create in missing dir", gemc_Fcreate("NODIR\\X", 0), GEMC_EPTHNF},
        {"read a closed handle", gemc_Fread(40, 4, buf), GEMC_EIHNDL},
        {"read handle 3", gemc_Fread(3, 4, buf), GEMC_EIHNDL},
        {"write past the table", gemc_Fwrite(70, 1, "x"), GEMC_EIHNDL},
        {"seek a closed handle", gemc_Fseek(0, 9, 0), GEMC_EIHNDL},
        {"close a closed handle", gemc_Fclose(69), GEMC_EIHNDL},
        {"close standard output", gemc_Fclose(1), 0},
        {"delete missing", gemc_Fdelete("MISSING"), GEMC_EFILNF},
        {"delete a directory", gemc_Fdelete("SUB"), GEMC_EACCDN},
        {"rename onto a file", gemc_Frename(0, "A.TXT", "B.TXT"), GEMC_EACCDN},
        {"rename missing", gemc_Frename(0, "MISSING", "C.TXT"), GEMC_EFILNF},
        {"attributes of missing", gemc_Fattrib("MISSING", 0, 0), GEMC_EFILNF},
        {"attributes of a directory", gemc_Fattrib("SUB", 0, 0), FA_SUBDIR_},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
    EXPECT_TRUE(fs::exists(root_ + "/B.TXT") || fs::exists(root_ + "/b.txt"));
}

TEST_F(Gemdos, BadCountsAndAFullTable)
{
    make({"a.txt"});
    const long h = gemc_Fopen("A.TXT", 2);
    ASSERT_GE(h, 6);
    EXPECT_EQ(gemc_Fread((int)h, -1, nullptr), GEMC_ERANGE);
    EXPECT_EQ(gemc_Fread((int)h, 4, nullptr), GEMC_ERANGE);
    EXPECT_EQ(gemc_Fwrite((int)h, 4, nullptr), GEMC_ERANGE);
    EXPECT_EQ(gemc_Fread((int)h, 0, nullptr), 0);
    std::vector<long> handles = {h};
    for (int i = 1; i < 64; i++)
        handles.push_back(gemc_Fopen("A.TXT", 0));
    EXPECT_EQ(handles.back(), 69);
    EXPECT_EQ(gemc_Fopen("A.TXT", 0), GEMC_ENHNDL);
    EXPECT_EQ(gemc_Fcreate("NEW", 0), GEMC_ENHNDL);
    EXPECT_FALSE(fs::exists(root_ + "/NEW"));  // refused before anything was made
    for (long fh : handles)
        EXPECT_EQ(gemc_Fclose((int)fh), 0);
}

TEST_F(Gemdos, DirectoriesOfTheOneDrive)
{
    make({"Sub/"});
    char buf[GEMC_PATH_BYTES];
    EXPECT_EQ(gemc_Dgetdrv(), 2);
    EXPECT_EQ(gemc_Dsetdrv(0), 4);
    std::string expected = root_;
    for (char &c : expected)
        if (c == '/')
            c = '\\';
    ASSERT_EQ(gemc_Dgetpath(buf, 0), 0);
    EXPECT_EQ(std::string(buf), expected);
    EXPECT_EQ(gemc_Dsetpath("SUB"), 0);
    ASSERT_EQ(gemc_Dgetpath(buf, 3), 0);
    EXPECT_EQ(std::string(buf), expected + "\\Sub");
    EXPECT_EQ(gemc_Dsetpath(".."), 0);
    EXPECT_EQ(gemc_Dcreate("NEW"), 0);
    EXPECT_EQ(gemc_Dcreate("NEW"), GEMC_EACCDN);
    EXPECT_EQ(gemc_Ddelete("SUB"), 0);
    EXPECT_EQ(gemc_Ddelete("SUB"), GEMC_EFILNF);
    EXPECT_EQ(gemc_Dsetpath("NOPE"), GEMC_EFILNF);
    EXPECT_EQ(gemc_Dsetpath("NOPE\\DEEPER"), GEMC_EPTHNF);
    EXPECT_EQ(gemc_Dgetpath(buf, 1), GEMC_EDRIVE);
    EXPECT_EQ(gemc_Dsetpath("\\"), 0);
    ASSERT_EQ(gemc_Dgetpath(buf, 0), 0);
    EXPECT_STREQ(buf, "");  // the root
    fs::current_path(root_);

    // A working directory deeper than the classic buffer is refused whole.
    std::string deep = root_;
    while (deep.size() < GEMC_PATH_BYTES + 2)
        deep += "/dddddddddd";
    fs::create_directories(deep);
    fs::current_path(deep);
    std::vector<char> exact(GEMC_PATH_BYTES, '#');
    exact[0] = '\0';
    EXPECT_EQ(gemc_Dgetpath(exact.data(), 0), GEMC_ERANGE);
    EXPECT_EQ(exact[0], '\0');
    EXPECT_EQ(exact[1], '#');
}

TEST_F(Gemdos, FreeSpaceIsSaturated)
{
    GEMC_DISKINFO info = {-1, -1, -1, -1};
    ASSERT_EQ(gemc_Dfree(&info, 0), 0);
    EXPECT_GT(info.b_total, 0);
    EXPECT_LE(info.b_total, 0x7FFFFFFF);
    EXPECT_LE(info.b_free, info.b_total);
    EXPECT_GT(info.b_secsiz, 0);
    EXPECT_EQ(info.b_clsiz, 1);
    EXPECT_EQ(gemc_Dfree(&info, 1), GEMC_EDRIVE);
    EXPECT_EQ(gemc_Dfree(nullptr, 0), GEMC_ERANGE);
}

time_t local(int year, int month, int day, int hour, int minute, int second)
{
    struct tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return mktime(&t);
}

TEST(GemdosClock, ClassicPacking)
{
    const struct {
        time_t when;
        unsigned short date, time;
    } cases[] = {
        {local(1992, 6, 15, 13, 45, 58), 12 << 9 | 6 << 5 | 15, 13 << 11 | 45 << 5 | 29},
        {local(1980, 1, 1, 0, 0, 1), 1 << 5 | 1, 0},
        {local(2024, 12, 31, 23, 59, 59), 44 << 9 | 12 << 5 | 31, 23 << 11 | 59 << 5 | 29},
        {local(1979, 12, 31, 12, 0, 0), 0, 12 << 11},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(_gemc_dos_date(c.when), c.date) << c.when;
        EXPECT_EQ(_gemc_dos_time(c.when), c.time) << c.when;
    }
    const time_t before = time(nullptr);
    const long date = gemc_Tgetdate();
    EXPECT_TRUE(date == _gemc_dos_date(before) || date == _gemc_dos_date(time(nullptr)));
    EXPECT_GE(date >> 9, 44);  // 2024 or later
    EXPECT_EQ(gemc_Tsetdate((int)date), GEMC_EACCDN);
    EXPECT_EQ(gemc_Tsettime((int)gemc_Tgettime()), GEMC_EACCDN);
}

TEST(GemdosMemory, BlocksMallocGave)
{
    const long largest = gemc_Malloc(-1);
    EXPECT_EQ(largest, 16L * 1024 * 1024);
    EXPECT_EQ(gemc_Malloc(largest + 1), 0);
    EXPECT_EQ(gemc_Malloc(0), 0);
    const long block = gemc_Malloc(100);
    ASSERT_NE(block, 0);
    memset((void *)block, 1, 100);
    EXPECT_EQ(gemc_Mshrink((void *)block, 50), 0);
    EXPECT_EQ(gemc_Mshrink((void *)block, 60), GEMC_EGSBF);
    int local_value;
    EXPECT_EQ(gemc_Mfree(&local_value), GEMC_EIMBA);
    EXPECT_EQ(gemc_Mshrink(&local_value, 1), GEMC_EIMBA);
    EXPECT_EQ(gemc_Mfree((void *)block), 0);
    EXPECT_EQ(gemc_Mfree((void *)block), GEMC_EIMBA);
}

TEST_F(Gemdos, ClassicNamesFromC) { EXPECT_EQ(osbind_c_steps(), 0); }

long answer() { return 42; }

TEST(GemdosProcess, SupervisorModeAndTermination)
{
    EXPECT_EQ(gemc_Super(1), 0);
    const long stack = gemc_Super(0);
    EXPECT_NE(stack, 0);
    EXPECT_EQ(gemc_Super(1), -1);
    EXPECT_EQ(gemc_Super(stack), 0);
    EXPECT_EQ(gemc_Super(1), 0);
    EXPECT_EQ(gemc_Supexec(answer), 42);
    EXPECT_EQ(gemc_Supexec(nullptr), 0);
    EXPECT_EXIT(gemc_Pterm(3), ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(gemc_Pterm(0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
