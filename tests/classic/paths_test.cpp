// Classic paths to Linux and back: drives, backslashes, relative paths,
// case, '..' and paths too long for the classic buffers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gem/classic/internal.h"
#include "gem/classic/paths.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

std::string classic_of(const std::string &linux_path)
{
    std::string s = "C:" + linux_path;
    for (char &c : s)
        if (c == '/')
            c = '\\';
    return s;
}

class ClassicPaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        before_ = fs::current_path();
        root_ = fs::canonical(tmp_.path()).string();
        fs::create_directories(root_ + "/Dir");
        for (const char *f : {"Dir/File.txt", "lower.c", "UP.C", "same.h", "SAME.H"})
            std::ofstream(root_ + "/" + f).put('x');
        fs::current_path(root_);
    }
    void TearDown() override { fs::current_path(before_); }

    TempDir tmp_;
    fs::path before_;
    std::string root_;
};

TEST_F(ClassicPaths, ClassicToLinux)
{
    const std::string T = root_, CT = classic_of(root_);
    const struct {
        std::string classic;
        long result;
        std::string linux_path;
    } cases[] = {
        {"C:\\", 0, "/"},
        {"\\", 0, "/"},
        {"c:\\tmp", 0, "/tmp"},
        {CT + "\\DIR\\FILE.TXT", 0, T + "/Dir/File.txt"},
        {"DIR\\FILE.TXT", 0, T + "/Dir/File.txt"},
        {"C:dir\\file.TXT", 0, T + "/Dir/File.txt"},
        {"dir/file.txt", 0, T + "/Dir/File.txt"},
        {"DIR\\..\\LOWER.C", 0, T + "/lower.c"},
        {".\\UP.C", 0, T + "/UP.C"},
        {"up.c", 0, T + "/UP.C"},
        {"SAME.H", 0, T + "/SAME.H"},  // the exact name first
        {"Same.h", 0, T + "/SAME.H"},  // else the first in byte order
        {"NEW.TXT", 0, T + "/NEW.TXT"},
        {"DIR\\NEW\\X.C", 0, T + "/Dir/NEW/X.C"},
        {"\\..\\..\\TMP", 0, "/tmp"},
        {"", 0, T},
        {"A:\\X", GEMC_EDRIVE, ""},
        {"d:x", GEMC_EDRIVE, ""},
        {"\\" + std::string(126, 'a'), 0, "/" + std::string(126, 'a')},
        {"\\" + std::string(127, 'a'), GEMC_ERANGE, ""},
    };
    for (const auto &c : cases) {
        std::string out = "untouched";
        EXPECT_EQ(_gemc_linux_path(c.classic.c_str(), out), c.result) << c.classic;
        EXPECT_EQ(out, c.result ? "untouched" : c.linux_path) << c.classic;
    }
    std::string out;
    EXPECT_EQ(_gemc_linux_path(nullptr, out), GEMC_EPTHNF);
}

TEST_F(ClassicPaths, LinuxToClassic)
{
    const struct {
        std::string linux_path;
        size_t size;
        long result;
        std::string classic;
    } cases[] = {
        {"/home/x/a.txt", 128, 0, "C:\\home\\x\\a.txt"},
        {"/", 128, 0, "C:\\"},
        {"a.txt", 128, 0, classic_of(root_) + "\\a.txt"},
        {"/ab", 6, 0, "C:\\ab"},
        {"/ab", 5, GEMC_ERANGE, ""},
        {"/" + std::string(124, 'b'), 128, 0, "C:\\" + std::string(124, 'b')},
        {"/" + std::string(125, 'b'), 128, GEMC_ERANGE, ""},
    };
    for (const auto &c : cases) {
        std::string buf(c.size + 1, '#');
        buf[0] = '\0';  // what a refused call leaves
        EXPECT_EQ(_gemc_classic_path(c.linux_path, &buf[0], c.size), c.result) << c.linux_path;
        EXPECT_STREQ(buf.c_str(), c.classic.c_str()) << c.linux_path;
        EXPECT_EQ(buf[c.size], '#') << c.linux_path;
    }
}

TEST_F(ClassicPaths, ErrorsOfFailedCalls)
{
    const struct {
        int err;
        std::string path;
        long result;
    } cases[] = {
        {ENOENT, root_ + "/missing", GEMC_EFILNF},
        {ENOENT, root_ + "/nodir/x", GEMC_EPTHNF},
        {ENOTDIR, root_ + "/UP.C/x", GEMC_EPTHNF},
        {EACCES, "", GEMC_EACCDN},
        {EEXIST, "", GEMC_EACCDN},
        {EMFILE, "", GEMC_ENHNDL},
        {ENOMEM, "", GEMC_ENSMEM},
        {EIO, "", GEMC_ERROR},
    };
    for (const auto &c : cases)
        EXPECT_EQ(_gemc_error(c.err, c.path), c.result) << c.err << " " << c.path;
}

}  // namespace
