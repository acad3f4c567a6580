// The file selector on directories the tests make: the table's order and
// masks, the slots' texts, the scroll buttons and the extension row, then
// the dialog answered with scripted clicks and keys, long names and long
// paths included. The caller's buffers are exactly 256 and 128 bytes, so a
// write past them shows under the address sanitizer.
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/headless.h"

namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

// Screen points of the selector's objects (the box fills the 320 x 200
// screen from its corner).
struct Point {
    int x, y;
};
Point slot_at(int k) { return {(k < 16 ? 8 : 168) + 4, 48 + 8 * (k % 16) + 3}; }
Point extn_at(int i) { return {60 + 32 * i + 4, 25}; }  // 0 is "*"
constexpr Point PARENT{20, 30}, SELECT{80, 188}, CANCEL{190, 188}, BACK{12, 188}, ON{300, 188};

std::string cwd()
{
    char buf[PATH_MAX];
    return getcwd(buf, sizeof buf) ? buf : "";
}

std::string text_of(int index) { return (const char *)_fselbox[index].ob_spec; }

// The whole names of the matches, in display order.
Names listed()
{
    Names v;
    for (int i = 0; i < _nummatches; i++)
        v.push_back(_files[_matches[i]].whole);
    return v;
}

Names extension_row()
{
    Names v;
    for (int i = 41; i <= 45; i++)
        v.push_back(text_of(i));
    return v;
}

bool disabled(int index) { return _fselbox[index].ob_flags & OF_DISABLED; }

// Keys typed one every `gap` ticks; with gap 0 all are waiting at once, as
// when a user types ahead of a busy program.
void type(const std::string &keys, int gap = 3)
{
    int t = 1;
    for (char c : keys) {
        const int scancode = c == '\r'     ? KEY_ENTER
                             : c == '\x1b' ? KEY_ESC
                             : c == '\t'   ? KEY_TAB
                                           : 0;
        if (gap == 0)
            headless::key(scancode, c);
        else
            headless::after(t += gap, [=] { headless::key(scancode, c); });
    }
}

// Clicks at points, 20 ticks apart from tick 10 on; then, unless the
// script has ended the selector, Cancel.
void clicks(std::vector<Point> points, int buttons = 1)
{
    int t = 10;
    for (Point p : points) {
        headless::click(t, p.x, p.y, buttons);
        t += 20;
    }
    headless::click(t + 1000, CANCEL.x, CANCEL.y);
}

struct Result {
    short button;
    std::string path, file;
};

class Fsel : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        root_ = fs::temp_directory_path() / ("fsel_test." + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        root_ = fs::canonical(root_);
        before_ = fs::current_path();
        fs::current_path(root_);
        path_buf_.assign(256, '\0');
        _path = path_buf_.data();
    }
    void TearDown() override
    {
        headless::clear_script();
        fs::current_path(before_);
        fs::remove_all(root_);
    }

    // Names ending in '/' are directories; the others empty files.
    void make(const Names &names)
    {
        for (const std::string &n : names) {
            if (n.back() == '/')
                fs::create_directories(root_ / n);
            else
                std::ofstream(root_ / n).put('\0');
        }
    }

    // Reads directory `dir` through `mask` as the selector does.
    Names scan(const std::string &dir, const char *mask)
    {
        strcpy(_path, dir.c_str());
        strcpy(_selfile, mask);
        _get_path(0);
        return listed();
    }

    // Runs the selector on buffers of the sizes callers must give; the
    // working directory must be the same afterwards.
    Result pick(const std::string &path, const std::string &file, const char *title = "Load")
    {
        // A path longer than the field comes in a buffer that holds it.
        std::vector<char> p(std::max<size_t>(256, path.size() + 1)), f(128);
        strcpy(p.data(), path.c_str());
        strcpy(f.data(), file.c_str());
        const std::string was = cwd();
        short button = -1;
        EXPECT_EQ(fsel_exinput(p.data(), f.data(), &button, title), 1);
        EXPECT_EQ(cwd(), was);
        EXPECT_EQ(_rno, -1);
        headless::clear_script();
        return {button, p.data(), f.data()};
    }

    std::string dir(const std::string &rel = "") const { return root_.string() + "/" + rel; }

    fs::path root_, before_;
    std::vector<char> path_buf_;
};

struct ScanCase {
    Names entries;
    const char *mask;
    Names expected;
};

TEST_F(Fsel, TableListsDirectoriesFirstInByteOrderThroughTheMask)
{
    const std::string long_stem(70, 'q');
    const ScanCase cases[] = {
        {{"b.txt", "a.txt", "A.doc", "src/", "lib/"},
         "*.*",
         {"lib", "src", "A.doc", "a.txt", "b.txt"}},
        {{"readme.txt", "readme", "x.h", "x.c"}, "*.*", {"readme", "readme.txt", "x.c", "x.h"}},
        {{"a.txt", "b.TXT", "c", "d/"}, "*.txt", {"d", "a.txt"}},
        {{"a.txt", "b", "c.", "d.e/"}, "*", {"d.e", "b", "c."}},
        {{".profile", ".hidden/", "seen"}, "*.*", {"seen"}},
        {{"x.pcx", "y.pcx", "xx.pcx", "d/"}, "x.pcx", {"d", "x.pcx"}},
        {{"a1.pcx", "a2.pcx", "b1.pcx", "a1.pcx.bak"}, "a[12].p?x", {"a1.pcx", "a2.pcx"}},
        // Matched and ordered by the whole name where the table cuts it.
        {{long_stem + "b.pcx", long_stem + "a.pcx", "z.verylongext"},
         "*.*",
         {long_stem + "a.pcx", long_stem + "b.pcx", "z.verylongext"}},
        {{"z.verylongext", "z.verylongexu"}, "*.verylongexu", {"z.verylongexu"}},
    };
    for (const ScanCase &c : cases) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        make(c.entries);
        EXPECT_EQ(scan(dir(), c.mask), c.expected) << c.mask << " " << c.entries[0];
        EXPECT_EQ(_numdirs,
                  (short)std::count_if(c.entries.begin(), c.entries.end(),
                                       [](auto &n) { return n.back() == '/' && n[0] != '.'; }))
            << c.mask;
    }
}

TEST_F(Fsel, TableStopsAt400AndKeepsLongNamesWhole)
{
    for (int i = 0; i < 401; i++)
        make({"f" + std::to_string(1000 + i)});
    scan(dir(), "*");
    EXPECT_EQ(_numfiles, 400);
    EXPECT_EQ(_nummatches, 400);

    fs::remove_all(root_);
    fs::create_directories(root_);
    const std::string stem(100, 'n'), ext = "extension";
    make({stem + "." + ext});
    scan(dir(), "*.*");
    EXPECT_EQ(std::string(_files[0].name), stem.substr(0, 63));
    EXPECT_EQ(std::string(_files[0].extension), ext.substr(0, 7));
    EXPECT_EQ(std::string(_files[0].whole), stem + "." + ext);
}

TEST_F(Fsel, PathsThatCannotBeEnteredFallBack)
{
    make({"sub/"});
    // A removed directory is cut back to the parent that exists.
    EXPECT_EQ(scan(dir("gone/deeper/"), "*.*"), Names{"sub"});
    EXPECT_EQ(std::string(_path), dir());
    // A relative path that leads nowhere ends in the directory the selector
    // opened in, never in a loop.
    strcpy(_fsel_home, dir("sub").c_str());
    scan("zz/qq/", "*.*");
    EXPECT_EQ(std::string(_path), dir("sub/"));
    // A directory path without its '/' gets one.
    scan(dir("sub"), "*.*");
    EXPECT_EQ(std::string(_path), dir("sub/"));

    const char *cases[][2] = {{"/a/b/", "/a/"}, {"/a/", "/"}, {"/a", "/"}, {"/", "/"}};
    for (auto &c : cases) {
        char p[8];
        strcpy(p, c[0]);
        _cut_path(p);
        EXPECT_STREQ(p, c[1]) << c[0];
    }
    // A relative path is made absolute from the working directory.
    fs::current_path(root_);
    strcpy(_path, "pics/");
    _norm_path();
    EXPECT_EQ(std::string(_path), dir("pics/"));
}

struct SlotCase {
    std::string entry, shown;
    int colour;
};

TEST_F(Fsel, SlotsShowNamesCutTo18Characters)
{
    const SlotCase cases[] = {
        {"averylongfilename.pcx", "averylongfilen~pcx", 1},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqr", 1},
        {"a.b", "a.b", 1},
        {"exactly18chars.txt", "exactly18chars.txt", 1},
        {"folder/", "folder", 2},
        {std::string(70, 'n') + ".pcx", std::string(14, 'n') + "~pcx", 1},
        {"file.verylongext", "file~verylon", 1},  // the extension did not fit
    };
    for (const SlotCase &c : cases) {
        fs::remove_all(root_);
        fs::create_directories(root_);
        make({c.entry});
        scan(dir(), "*.*");
        f_list(0);
        EXPECT_EQ(text_of(6), c.shown) << c.entry;
        EXPECT_EQ(_fselbox[6].ob_colbyte, c.colour) << c.entry;
        EXPECT_EQ(text_of(7), std::string(18, ' '));
    }
}

TEST_F(Fsel, ScrollButtonsFollowTheList)
{
    for (int i = 0; i < 40; i++)
        make({"f" + std::to_string(10 + i) + ".pcx"});
    scan(dir(), "*.pcx");
    f_list(0);
    EXPECT_TRUE(disabled(46));
    EXPECT_FALSE(disabled(47));
    _currfile = 16;
    f_list(0);
    EXPECT_FALSE(disabled(46));
    EXPECT_TRUE(disabled(47));
    EXPECT_EQ(text_of(6), "f26.pcx");
    EXPECT_EQ(text_of(29), "f49.pcx");
    EXPECT_EQ(text_of(30), std::string(18, ' '));  // match 40 does not exist

    // In the dialog: one column on, then back, then on again.
    clicks({ON, BACK, ON});
    pick(dir(), "*.pcx");
    EXPECT_EQ(_currfile, 16);
    EXPECT_EQ(text_of(6), "f26.pcx");
}

struct ExtnCase {
    const char *ext;
    int result;
    Names row;
};

TEST_F(Fsel, ExtensionRowKeepsTheRecentFirst)
{
    const ExtnCase cases[] = {
        {"png", 1, {"png", "C  ", "H  ", "TXT", "DOC"}},
        {"TXT", 1, {"TXT", "png", "C  ", "H  ", "DOC"}},
        {"jpeg", 1, {"jp*", "TXT", "png", "C  ", "H  "}},
        {"C", 1, {"C", "jp*", "TXT", "png", "C  "}},
        {"*", 0, {"C", "jp*", "TXT", "png", "C  "}},
    };
    for (const ExtnCase &c : cases) {
        EXPECT_EQ(fsel_set_extn(c.ext), c.result) << c.ext;
        EXPECT_EQ(extension_row(), c.row) << c.ext;
    }
    strcpy(_selfile, "noextension");
    EXPECT_EQ(sort_extns(), 0);
}

TEST_F(Fsel, OpeningTakesPathAndMaskApart)
{
    make({"pics/", "pics/p.pcx", "pics/q.txt"});
    struct Case {
        std::string path, file, path_after, file_after;
        Names shown;
    } cases[] = {
        {"", "*.*", dir(), "*.*", {"pics"}},
        {"pics", "*.pcx", dir("pics/"), "*.pcx", {"p.pcx"}},
        {"pics", "", dir("pics/"), "", {"p.pcx", "q.txt"}},
        {dir("pics/*.txt"), "", dir("pics/"), "", {"q.txt"}},
        {dir("pics/"), "", dir("pics/"), "", {"p.pcx", "q.txt"}},
    };
    for (const Case &c : cases) {
        type("\r");
        const Result r = pick(c.path, c.file);
        EXPECT_EQ(r.button, 1) << c.path;
        EXPECT_EQ(r.path, c.path_after) << c.path;
        EXPECT_EQ(r.file, c.file_after) << c.path;
        EXPECT_EQ(listed(), c.shown) << c.path;
    }
    EXPECT_EQ(text_of(1), "Load");
    EXPECT_EQ(_fselbox[1].ob_width, 32);
    EXPECT_EQ(_fselbox[1].ob_x, 144);
    // A title too long for the box is cut.
    type("\r");
    pick("", "*.*", std::string(50, 'T').c_str());
    EXPECT_EQ(text_of(1), std::string(39, 'T'));
    EXPECT_EQ(_fselbox[1].ob_x, 4);
}

struct ClickCase {
    const char *what;
    std::vector<Point> points;
    int buttons;
    short button;
    std::string path, file;
};

TEST_F(Fsel, ClicksPickFilesAndMoveBetweenDirectories)
{
    make({"a.pcx", "b.pcx", "sub/", "sub/c.pcx", "averylongdirectoryname.d/",
          "averylongdirectoryname.d/e.pcx", "averylongfilename.pcx"});
    // Listed: averylongdirectoryname.d, sub, a.pcx, averylongfilename.pcx,
    // b.pcx.
    const ClickCase cases[] = {
        {"to the root and no further",
         {PARENT, PARENT, PARENT, PARENT, PARENT, PARENT, PARENT},
         1,
         0,
         "/",
         "*.pcx"},
        {"A then B then B", {slot_at(2), slot_at(4), slot_at(4)}, 1, 1, "", "b.pcx"},
        {"A alone", {slot_at(2)}, 1, 0, "", "a.pcx"},
        {"an empty slot", {slot_at(20), slot_at(20)}, 1, 0, "", "*.pcx"},
        {"right click", {slot_at(4)}, 2, 1, "", "b.pcx"},
        {"a shortened file, by its real name", {slot_at(3)}, 2, 1, "", "averylongfilename.pcx"},
        {"into sub", {slot_at(1), slot_at(0), slot_at(0)}, 1, 1, "sub/", "c.pcx"},
        {"into a shortened directory",
         {slot_at(0), slot_at(0), slot_at(0)},
         1,
         1,
         "averylongdirectoryname.d/",
         "e.pcx"},
        {"in and out", {slot_at(1), PARENT, slot_at(2), slot_at(2)}, 1, 1, "", "a.pcx"},
    };
    for (const ClickCase &c : cases) {
        clicks(c.points, c.buttons);
        const Result r = pick(dir(), "*.pcx");
        EXPECT_EQ(r.button, c.button) << c.what;
        EXPECT_EQ(r.path, c.path == "/" ? "/" : dir(c.path)) << c.what;
        EXPECT_EQ(r.file, c.file) << c.what;
    }
    EXPECT_EQ(text_of(6 + 3), "averylongfilen~pcx");  // the slot keeps its text
}

TEST_F(Fsel, ButtonsAndKeysChangeTheMask)
{
    make({"x.pcx", "b.TXT", "c.txt", "d/", "d/x.pcx", "d/y.pcx", "d/e/"});
    // "TXT" (the fourth button after the mask's "pcx" came first).
    clicks({extn_at(4)});
    Result r = pick(dir(), "*.pcx");
    EXPECT_EQ(r.file, "*.TXT");
    EXPECT_EQ(listed(), (Names{"d", "b.TXT"}));
    EXPECT_EQ(extension_row()[0], "TXT");
    // "*" shows every file.
    clicks({extn_at(0)});
    r = pick(dir(), "*.pcx");
    EXPECT_EQ(r.file, "*.*");
    EXPECT_EQ(listed(), (Names{"d", "b.TXT", "c.txt", "x.pcx"}));
    // A picked file is the mask from then on: the next directory shows its
    // directories and that name only.
    clicks({slot_at(1), slot_at(0)});
    r = pick(dir(), "*.pcx");
    EXPECT_EQ(r.path, dir("d/"));
    EXPECT_EQ(listed(), (Names{"e", "x.pcx"}));

    struct Case {
        const char *what, *keys;
        short button;
        std::string path, file;
        int gap = 3;
    } cases[] = {
        {"Return at once", "\r", 1, "", "*.pcx"},
        {"a typed name, Return twice",
         "\x1b"
         "c.txt\r\r",
         1, "", "c.txt"},
        {"the same typed ahead",
         "\x1b"
         "c.txt\r\r",
         1, "", "c.txt", 0},
        {"a typed mask, then Cancel",
         "\x1b"
         "*.txt\r",
         0, "", "*.txt"},
        {"a typed path",
         "\t\x1b"
         "d\r\r",
         1, "d/", "*.pcx"},
        {"a typed path that is not there",
         "\t\x1b"
         "d/nothing/here\r\r",
         1, "d/", "*.pcx"},
    };
    for (const Case &c : cases) {
        type(c.keys, c.gap);
        clicks({});
        r = pick(dir(), "*.pcx");
        EXPECT_EQ(r.button, c.button) << c.what;
        EXPECT_EQ(r.path, dir(c.path)) << c.what;
        EXPECT_EQ(r.file, c.file) << c.what;
    }
    type("\x1b"
         "*.txt\r");
    clicks({});
    pick(dir(), "*.pcx");
    EXPECT_EQ(listed(), (Names{"d", "c.txt"}));
}

// A chain of `count` directories of 50-character names below `top`.
std::string chain(const fs::path &top, int count)
{
    fs::path p = top;
    for (int i = 0; i < count; i++)
        p /= std::string(49, (char)('a' + i)) + "d";
    fs::create_directories(p);
    return p.string();
}

TEST_F(Fsel, LongPathsStayInsideTheBuffers)
{
    // 300 characters and more below the test's directory.
    const std::string deep = chain(root_, 6) + "/";
    ASSERT_GT(deep.size(), 300u);
    const std::string fits = deep.substr(0, deep.rfind('/', 254) + 1);

    type("\r");
    Result r = pick(deep, "*.*");
    EXPECT_EQ(r.path, fits);
    // The directory below cannot be entered: the path would not fit.
    clicks({slot_at(0), slot_at(0)});
    r = pick(deep, "*.*");
    EXPECT_EQ(r.path, fits);
    EXPECT_EQ(listed().size(), 1u);

    // Opened from there with an empty path, the working directory is
    // still the deep one afterwards.
    fs::current_path(deep);
    type("\r");
    r = pick("", "*.*");
    EXPECT_EQ(r.path, fits);

    // A name longer than the file name field cannot be handed over.
    fs::current_path(root_);
    make({std::string(200, 'n') + ".pcx"});
    clicks({slot_at(1)}, 2);  // after the directory at the chain's top
    r = pick(dir(), "*.pcx");
    EXPECT_EQ(r.button, 0);
    EXPECT_EQ(r.file, "*.pcx");
}

// Removes a chain of single directories from the bottom up, each step
// relative, as the whole path may be longer than the system takes.
void remove_chain(const fs::path &top, const std::string &name, int depth)
{
    fs::current_path(top);
    for (int i = 0; i < depth; i++)
        ASSERT_EQ(chdir(name.c_str()), 0);
    for (int i = 0; i < depth; i++) {
        ASSERT_EQ(chdir(".."), 0);
        ASSERT_EQ(rmdir(name.c_str()), 0);
    }
}

TEST_F(Fsel, WorkingDirectoryDeeperThanAnyPathIsRestored)
{
    const std::string name(200, 'x');
    const int depth = PATH_MAX / 200 + 2;
    for (int i = 0; i < depth; i++) {
        ASSERT_EQ(mkdir(name.c_str(), 0700), 0);
        ASSERT_EQ(chdir(name.c_str()), 0);
    }
    ASSERT_EQ(cwd(), "");  // too deep for getcwd
    struct stat here, after;
    stat(".", &here);
    make({"a.pcx"});
    clicks({slot_at(1)}, 2);  // after the chain's top directory
    std::vector<char> p(256), f(128);
    strcpy(p.data(), dir().c_str());
    strcpy(f.data(), "*.pcx");
    short button;
    fsel_exinput(p.data(), f.data(), &button, "Deep");
    headless::clear_script();
    stat(".", &after);
    EXPECT_EQ(here.st_ino, after.st_ino);
    EXPECT_EQ(here.st_dev, after.st_dev);
    EXPECT_EQ(button, 1);
    EXPECT_STREQ(f.data(), "a.pcx");
    remove_chain(root_, name, depth);
}

TEST_F(Fsel, OnALargerScreenTheBoxIsCentredAndClicksLandOnIt)
{
    headless::start(1);  // 640 x 480
    make({"a.pcx", "b.pcx"});
    const Point b = slot_at(1);
    headless::click(10, 160 + b.x, 140 + b.y, 2);
    const Result r = pick(dir(), "*.pcx");
    EXPECT_EQ(_fsx, 160);
    EXPECT_EQ(_fsy, 140);
    EXPECT_EQ(r.button, 1);
    EXPECT_EQ(r.file, "b.pcx");
}

}  // namespace
