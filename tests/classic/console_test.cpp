// The console calls on the headless layer (keys from its scripted keyboard,
// output captured from standard output), Vsync on its clock, Random and
// Kbshift; then the file selector and shel_find with classic paths.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "gem/classic/internal.h"
#include "gem/classic/paths.h"
#include "support/headless.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(ClassicConsole, KeysFromTheGemKeyboard)
{
    headless::start(0);
    EXPECT_EQ(gemc_Cconis(), 0);
    EXPECT_EQ(gemc_Bconstat(2), 0);
    const struct {
        int scancode, character;
        long code;
    } cases[] = {
        {0, 'a', 0x1E0061},
        {KEY_ENTER, 13, 0x1C000D},
        {0, 'Q', 0x100051},
        {KEY_ESC, 27, 0x01001B},
    };
    for (const auto &c : cases) {
        headless::key(c.scancode, c.character);
        EXPECT_EQ(gemc_Cconis(), -1) << c.character;
        EXPECT_EQ(gemc_Bconstat(2), -1) << c.character;
        EXPECT_EQ(gemc_Bconstat(1), 0) << c.character;  // nothing on the serial port
        EXPECT_EQ(gemc_Cnecin(), c.code) << c.character;
        EXPECT_EQ(gemc_Cconis(), 0) << c.character;
    }
    headless::key(0, 'z');
    headless::key(0, 'y');
    headless::key(0, 'x');
    EXPECT_EQ(gemc_Crawcin() & 0xFF, 'z');
    EXPECT_EQ(gemc_Bconin(2) & 0xFF, 'y');
    EXPECT_EQ(gemc_Bconin(0), GEMC_EUNDEV);
    testing::internal::CaptureStdout();
    EXPECT_EQ(gemc_Cconin() & 0xFF, 'x');  // and echoed
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "x");
}

TEST(ClassicConsole, OutputToStandardOutput)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(gemc_Cconws("Hello"), 5);
    EXPECT_EQ(gemc_Cconws(nullptr), 0);
    gemc_Cconout(',');
    gemc_Bconout(2, ' ');
    gemc_Bconout(0, '!');  // the printer: dropped
    EXPECT_EQ(gemc_Fwrite(1, 5, "world"), 5);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Hello, world");
}

TEST(ClassicConsole, VsyncWaitsForTheNextFrame)
{
    headless::start(0);
    for (int i = 0; i < 5; i++) {
        const int32_t before = _timer;
        gemc_Vsync();
        const int32_t after = _timer;
        EXPECT_EQ(after * 60 / 1000, before * 60 / 1000 + 1) << before;
        EXPECT_EQ((after - 1) * 60 / 1000, before * 60 / 1000) << before;
    }
}

TEST(ClassicConsole, RandomGivesTwentyFourBits)
{
    std::set<long> seen;
    long all = 0;
    for (int i = 0; i < 1000; i++) {
        const long r = gemc_Random();
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 1L << 24);
        seen.insert(r);
        all |= r;
    }
    EXPECT_GT(seen.size(), 990u);
    EXPECT_EQ(all, 0xFFFFFF);
}

TEST(ClassicConsole, KbshiftReportsTheModifiers)
{
    headless::start(0);
    const struct {
        int key;
        long bits;
    } cases[] = {{KEY_RSHIFT, 1}, {KEY_LSHIFT, 2}, {KEY_LCONTROL, 4}, {KEY_ALT, 8}};
    for (const auto &c : cases) {
        ::key[c.key] = 1;
        EXPECT_EQ(gemc_Kbshift(-1), c.bits) << c.key;
        EXPECT_EQ(gemc_Kbshift(0), c.bits) << c.key;  // cannot be set
        ::key[c.key] = 0;
    }
    headless::key(0, 'k');
    EXPECT_EQ(gemc_Kbshift(-1), 0);
    EXPECT_EQ(gemc_Cconis(), -1);  // the key stayed for the console
    headless::clear_script();
}

// Screen points of the selector (as the layer's own tests drive it).
struct Point {
    int x, y;
};
Point slot_at(int k) { return {(k < 16 ? 8 : 168) + 4, 48 + 8 * (k % 16) + 3}; }
constexpr Point CANCEL{190, 188};

class ClassicFsel : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        before_ = fs::current_path();
        root_ = fs::canonical(tmp_.path()).string();
        fs::create_directories(root_ + "/sub");
        for (const char *f : {"prog.c", "averylongname.c", "notes.txt"})
            std::ofstream(root_ + "/" + f) << "text of " << f;
        fs::current_path(root_);
        classic_root_ = "C:" + root_;
        for (char &c : classic_root_)
            if (c == '/')
                c = '\\';
    }
    void TearDown() override
    {
        headless::clear_script();
        fs::current_path(before_);
    }

    // Clicks 20 ticks apart, then Cancel unless the selector ended.
    void clicks(const std::vector<Point> &points)
    {
        int t = 10;
        for (Point p : points) {
            headless::click(t, p.x, p.y);
            t += 20;
        }
        headless::click(t + 1000, CANCEL.x, CANCEL.y);
    }

    // The selector on buffers of exactly the classic sizes.
    int pick(const std::string &path, const std::string &file, short &button)
    {
        path_.assign(GEMC_PATH_BYTES, '\0');
        file_.assign(GEMC_NAME_BYTES, '\0');
        memcpy(path_.data(), path.c_str(), std::min(path.size() + 1, path_.size()));
        memcpy(file_.data(), file.c_str(), std::min(file.size() + 1, file_.size()));
        button = -1;
        const int r = gemc_fsel_exinput(path_.data(), file_.data(), GEMC_REF(&button), "Open");
        headless::clear_script();
        return r;
    }

    TempDir tmp_;
    fs::path before_;
    std::string root_, classic_root_;
    std::vector<char> path_, file_;
};

TEST_F(ClassicFsel, PickedPathOpensWithFopen)
{
    // Listed through "*.c": sub, averylongname.c, prog.c.
    clicks({slot_at(2), slot_at(2)});
    short button;
    ASSERT_EQ(pick(classic_root_ + "\\*.C", "", button), 1);
    EXPECT_EQ(button, 1);
    const std::string path = path_.data();
    EXPECT_EQ(path, classic_root_ + "\\*.C");
    EXPECT_STREQ(file_.data(), "prog.c");
    // The classic way: the name after the last '\' replaced by the file's.
    const std::string chosen = path.substr(0, path.rfind('\\') + 1) + file_.data();
    const long fh = gemc_Fopen(chosen.c_str(), 0);
    ASSERT_GE(fh, 6);
    char text[16] = {};
    EXPECT_EQ(gemc_Fread((int)fh, 15, text), 14);
    EXPECT_STREQ(text, "text of prog.c");
    gemc_Fclose((int)fh);
}

TEST_F(ClassicFsel, AnswersThatCannotBeHandedBack)
{
    short button;
    // Into sub and straight back with Return: the name the program offered.
    clicks({slot_at(0)});
    headless::after(200, [] { headless::key(KEY_ENTER, 13); });
    ASSERT_EQ(pick(classic_root_ + "\\*.C", "DEFAULT.C", button), 1);
    EXPECT_EQ(button, 1);
    EXPECT_EQ(std::string(path_.data()), classic_root_ + "\\sub\\*.C");
    EXPECT_STREQ(file_.data(), "DEFAULT.C");

    // A name too long for the 13-byte buffer: an error, buffers untouched.
    clicks({slot_at(1), slot_at(1)});
    EXPECT_EQ(pick(classic_root_ + "\\*.C", "X.C", button), 0);
    EXPECT_EQ(button, 0);
    EXPECT_EQ(std::string(path_.data()), classic_root_ + "\\*.C");
    EXPECT_STREQ(file_.data(), "X.C");

    // Cancelled: the buffers as they were.
    clicks({});
    EXPECT_EQ(pick(classic_root_ + "\\*.*", "X.C", button), 1);
    EXPECT_EQ(button, 0);
    EXPECT_EQ(std::string(path_.data()), classic_root_ + "\\*.*");

    // A path with no 0 in its 128 bytes, or on another drive, is refused
    // before anything is shown.
    EXPECT_EQ(pick(std::string(200, 'p'), "", button), 0);
    EXPECT_EQ(button, 0);
    EXPECT_EQ(pick("A:\\*.*", "", button), 0);
    EXPECT_EQ(gemc_fsel_input(nullptr, file_.data(), GEMC_REF(&button)), 0);
}

TEST_F(ClassicFsel, ShelFindTakesClassicNames)
{
    std::ofstream(root_ + "/sub/foo.rsc") << "r";
    fs::current_path(root_ + "/sub");
    const std::string found = classic_root_ + "\\sub\\foo.rsc";
    const struct {
        std::string name;
        int result;
        std::string after;
    } cases[] = {
        {"foo.rsc", 1, found},
        {"FOO.RSC", 1, found},
        {classic_root_ + "\\SUB\\FOO.RSC", 1, found},
        {"MISSING.RSC", 0, "MISSING.RSC"},
        {"A:\\FOO.RSC", 0, "A:\\FOO.RSC"},
        {"", 0, ""},
    };
    for (const auto &c : cases) {
        std::vector<char> buf(GEMC_PATH_BYTES, '\0');
        memcpy(buf.data(), c.name.c_str(), c.name.size() + 1);
        EXPECT_EQ(gemc_shel_find(buf.data()), c.result) << c.name;
        EXPECT_EQ(std::string(buf.data()), c.after) << c.name;
    }
    std::vector<char> full(GEMC_PATH_BYTES, 'n');
    EXPECT_EQ(gemc_shel_find(full.data()), 0);
    EXPECT_EQ(gemc_shel_find(nullptr), 0);
}

}  // namespace
