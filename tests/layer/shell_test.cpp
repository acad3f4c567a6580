// The shell calls: shel_find's search order and bounds, shel_envrn,
// shel_write running programs directly with the tail's words as literal
// arguments, shel_read, and the clipboard folder of scrp_read and
// scrp_write.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "support/headless.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

// An environment variable changed for one test and put back after it.
class SavedVariable {
public:
    explicit SavedVariable(const char *name) : name_(name)
    {
        if (const char *v = getenv(name))
            value_ = v;
    }
    ~SavedVariable()
    {
        if (value_)
            setenv(name_, value_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<std::string> value_;
};

void touch(const std::string &path, int mode = 0644)
{
    std::ofstream(path) << "x";
    chmod(path.c_str(), mode);
}

// A scratch tree, the working folder inside it, and PATH through it.
class Shell : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        _scrp_forget();
        old_cwd = fs::current_path();
        for (const char *d : {"work", "work/adir", "work/rel", "bin1", "bin1/sub", "bin2", "home"})
            fs::create_directory(at(d));
        for (const char *f : {"work/here.txt", "work/tool", "bin1/tool", "bin1/both", "bin2/both",
                              "bin2/only2", "bin1/sub/deep", "work/rel/relonly"})
            touch(at(f));
        fs::current_path(at("work"));
        setenv("PATH", (at("bin1") + ":" + at("bin2") + "::rel:/usr/bin:/bin").c_str(), 1);
    }
    void TearDown() override
    {
        fs::current_path(old_cwd);
        _scrp_forget();
    }

    std::string at(const std::string &relative) const { return dir.path() + "/" + relative; }

    // shel_find on `name` in a full-size buffer; what the buffer holds after.
    std::pair<int, std::string> find(const std::string &name)
    {
        char path[GEM_PATH_MAX];
        memset(path, '#', sizeof path);
        memcpy(path, name.c_str(), name.size() + 1);
        const int found = shel_find(path);
        return {found, std::string(path, strnlen(path, sizeof path))};
    }

    TempDir dir;
    fs::path old_cwd;
    SavedVariable saved_path{"PATH"}, saved_home{"HOME"}, saved_test{"GEMTEST_VAR"};
};

TEST_F(Shell, FindLooksInTheProgramsFolderTheWorkingFolderThenPath)
{
    const std::string program_folder = fs::read_symlink("/proc/self/exe").parent_path();
    touch(at("work/layer_tests"));
    const std::string long_name(GEM_PATH_MAX - at("work/").size(), 'n');
    touch(at("work/" + long_name));
    struct Case {
        std::string name, found;  // found: "" when not found
    };
    const Case cases[] = {
        {"here.txt", at("work/here.txt")},
        {"tool", at("work/tool")},
        {"both", at("bin1/both")},
        {"only2", at("bin2/only2")},
        {"sub/deep", at("bin1/sub/deep")},
        {"relonly", at("work/rel/relonly")},
        {"layer_tests", program_folder + "/layer_tests"},
        {at("bin2/both"), at("bin2/both")},
        {"missing", ""},
        {"adir", ""},
        {at("bin2"), ""},
        {at("missing"), ""},
        {long_name, ""},  // its full path would not fit
        {"", ""},
    };
    for (const Case &c : cases) {
        const auto [found, path] = find(c.name);
        EXPECT_EQ(!c.found.empty(), found == 1) << c.name;
        EXPECT_EQ(c.found.empty() ? c.name : c.found, path) << "untouched when not found";
    }
    char unterminated[GEM_PATH_MAX];
    memset(unterminated, 'a', sizeof unterminated);
    EXPECT_EQ(0, shel_find(unterminated));
    EXPECT_EQ(0, shel_find(nullptr));
}

TEST_F(Shell, EnvrnPointsJustPastTheName)
{
    setenv("GEMTEST_VAR", "some value", 1);
    struct Case {
        const char *name, *value;  // value: null when not found
    };
    const Case cases[] = {
        {"GEMTEST_VAR=", "some value"},
        {"GEMTEST_VAR", "some value"},
        {"GEMTEST_VA=", nullptr},
        {"GEMTEST_VA", nullptr},
        {"EMTEST_VAR=", nullptr},
        {"", nullptr},
        {nullptr, nullptr},
    };
    for (const Case &c : cases) {
        char *value = (char *)"stale";
        EXPECT_EQ(1, shel_envrn(&value, c.name));
        if (c.value)
            EXPECT_STREQ(c.value, value) << c.name;
        else
            EXPECT_EQ(nullptr, value) << (c.name ? c.name : "null");
    }
    EXPECT_EQ(0, shel_envrn(nullptr, "PATH="));
}

TEST_F(Shell, WriteRunsAProgramAndWaitsOrRefusesClearly)
{
    touch(at("work/not-executable"));
    const char empty_tail[2] = {0, 0};
    struct Case {
        int doex;
        const char *command;
        int result;
    };
    const Case cases[] = {
        {1, "/bin/true", 1},  {1, "true", 1},
        {1, "/bin/false", 1}, {1, "./not-executable", 0},
        {1, "missing", 0},    {1, "/no/such/program", 0},
        {1, "/tmp", 0},       {1, "", 0},
        {1, nullptr, 0},      {0, "/bin/true", 0},
        {2, "/bin/true", 0},
    };
    const std::vector<unsigned char> screen_before = headless::screen_pixels();
    for (const Case &c : cases)
        EXPECT_EQ(c.result, shel_write(c.doex, 0, 0, c.command, empty_tail))
            << (c.command ? c.command : "null") << " " << c.doex;
    EXPECT_EQ(1, shel_write(1, 1, 1, "true", nullptr));
    EXPECT_EQ(screen_before, headless::screen_pixels());
}

TEST_F(Shell, TheTailsWordsArriveAsLiteralArguments)
{
    const std::string names[] = {"a;b", "$HOME", "`x`", "*", "'q'", "c>d"};
    std::string text;
    for (const std::string &n : names)
        text += "rel/" + n + " ";  // from the working folder, which the program shares
    std::string tail = std::string(1, (char)text.size()) + text;
    fs::remove(at("work/rel/relonly"));
    ASSERT_EQ(1, shel_write(1, 0, 0, "touch", tail.c_str()));
    std::set<std::string> made;
    for (const auto &entry : fs::directory_iterator(at("work/rel")))
        made.insert(entry.path().filename());
    EXPECT_EQ(std::set<std::string>(std::begin(names), std::end(names)), made);
}

TEST_F(Shell, ReadGivesTheProgramsCommandAndATail)
{
    char command[GEM_PATH_MAX], tail[128];
    EXPECT_EQ(1, shel_read(command, tail));
    EXPECT_EQ("layer_tests", fs::path(command).filename());
    EXPECT_EQ((size_t)(unsigned char)tail[0], strlen(tail + 1));
    EXPECT_EQ(1, shel_read(nullptr, nullptr));
}

TEST_F(Shell, ClipboardFolderIsMadeUnderHomeOnFirstRead)
{
    const std::string folder = at("home/.gem/clipbrd");
    char path[GEM_PATH_MAX] = "untouched";
    for (const std::string &home : {at("home"), at("home/"), at("home//")}) {
        setenv("HOME", home.c_str(), 1);
        EXPECT_EQ(1, scrp_read(path)) << home;
        EXPECT_EQ(folder, path);
        EXPECT_TRUE(fs::is_directory(folder));
    }
    EXPECT_EQ(fs::perms::owner_all, fs::status(folder).permissions() & (fs::perms::all))
        << "private to the user";

    strcpy(path, "untouched");
    touch(at("file"));
    const std::string too_long = at(std::string(GEM_PATH_MAX, 'h'));
    for (const std::string &home : {at("file"), too_long, std::string(), std::string("adir")}) {
        setenv("HOME", home.c_str(), 1);
        EXPECT_EQ(0, scrp_read(path)) << home;
    }
    unsetenv("HOME");
    EXPECT_EQ(0, scrp_read(path));
    EXPECT_STREQ("untouched", path);
    EXPECT_EQ(0, scrp_read(nullptr));
}

TEST_F(Shell, ClipboardFolderSetByWriteHoldsForTheRun)
{
    unsetenv("HOME");
    char path[GEM_PATH_MAX];
    EXPECT_EQ(1, scrp_write("/some/where"));
    char unterminated[GEM_PATH_MAX];
    memset(unterminated, 'a', sizeof unterminated);
    for (const char *refused : {"", (const char *)nullptr, (const char *)unterminated})
        EXPECT_EQ(0, scrp_write(refused));
    EXPECT_EQ(1, scrp_read(path));
    EXPECT_STREQ("/some/where", path);
    EXPECT_FALSE(fs::exists("/some/where")) << "a folder named is not made";
}

}  // namespace
