// The mkrsc program: exit status, messages and files, for builds that
// succeed, builds that are refused and dumps.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "support/mkrsc_files.h"
#include "support/tempdir.h"

namespace {

using namespace mkrsc_test;

class MkrscCli : public ::testing::Test {
protected:
    struct Result {
        int status;
        std::string out, err;
    };

    Result run(const std::string &args)
    {
        const std::string cmd =
            std::string(MKRSC_PATH) + " " + args + " >" + dir + "/stdout 2>" + dir + "/stderr";
        const int st = std::system(cmd.c_str());
        Result r{WIFEXITED(st) ? WEXITSTATUS(st) : -1, read_text(dir + "/stdout"),
                 read_text(dir + "/stderr")};
        std::filesystem::remove(dir + "/stdout");
        std::filesystem::remove(dir + "/stderr");
        return r;
    }

    std::string path(const char *name) const { return dir + "/" + name; }

    // The names in the scratch folder: what a run left behind.
    std::set<std::string> files() const
    {
        std::set<std::string> names;
        for (const auto &e : std::filesystem::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    }

    TempDir scratch;
    const std::string &dir = scratch.path();
};

TEST_F(MkrscCli, BuildWritesTheImageAndTheHeader)
{
    const std::string desc = source("tools/mkrsc/example.txt");
    const Result r = run("build " + desc + " " + path("out.rsc") + " --header " + path("out.h"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(files(), (std::set<std::string>{"out.rsc", "out.h"}));
    EXPECT_EQ(read_bytes(path("out.rsc")), compile(read_text(desc)));
    EXPECT_EQ(read_text(path("out.h")), mkrsc::header(mkrsc::parse(read_text(desc)), desc));
    // Not the private mode of the temporary file: that of any new file.
    write_file(path("plain"), "");
    const auto mode = [this](const char *name) {
        return std::filesystem::status(path(name)).permissions();
    };
    EXPECT_EQ(mode("out.rsc"), mode("plain"));
    EXPECT_EQ(mode("out.h"), mode("plain"));
}

TEST_F(MkrscCli, RefusedBuildWritesNothingAndKeepsTheOldOutput)
{
    write_file(path("bad.txt"), "tree {\n  box at 0,0 {\n    blob at 0,0\n  }\n}\n");
    write_file(path("out.rsc"), "the old image");
    const Result r =
        run("build " + path("bad.txt") + " " + path("out.rsc") + " --header " + path("out.h"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("bad.txt:3: unknown object type 'blob'"), std::string::npos) << r.err;
    EXPECT_EQ(read_text(path("out.rsc")), "the old image");
    EXPECT_EQ(files(), (std::set<std::string>{"bad.txt", "out.rsc"}));
}

TEST_F(MkrscCli, UnwritableOutputLeavesNoHalfWrittenFiles)
{
    const std::string desc = source("tools/mkrsc/example.txt");
    const Result r =
        run("build " + desc + " " + path("out.rsc") + " --header " + path("missing/out.h"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot create " + path("missing/out.h")), std::string::npos) << r.err;
    EXPECT_EQ(files(), std::set<std::string>{});
}

TEST_F(MkrscCli, DumpPrintsTheDescriptionOfAGoodImage)
{
    const Bytes image = compile(read_text(source("tools/mkrsc/example.txt")));
    write_file(path("in.rsc"), std::string(image.begin(), image.end()));
    const Result r = run("dump " + path("in.rsc"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, mkrsc::dump(image));
}

TEST_F(MkrscCli, DumpOfADamagedOrMissingFileFails)
{
    Bytes image = compile(read_text(source("tools/mkrsc/example.txt")));
    image.resize(image.size() / 2);
    write_file(path("cut.rsc"), std::string(image.begin(), image.end()));
    // A string offset past the data of an otherwise whole image.
    Bytes far = compile("tree {\n  string \"x\" at 0,0\n}\n");
    const unsigned object_at = stored::read_header(far.data()).rsh_object;
    far[stored::HEADER_SIZE + object_at + stored::OB_SPEC] = 0xff;
    write_file(path("far.rsc"), std::string(far.begin(), far.end()));
    const struct {
        const char *name;
        const char *message;
    } cases[] = {
        {"cut.rsc", "is cut short"}, {"far.rsc", "is damaged"}, {"none.rsc", "cannot read"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = run("dump " + path(c.name));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST_F(MkrscCli, OtherArgumentsGetTheUsage)
{
    for (const char *args : {"", "build only.txt", "dump", "build a.txt b.rsc --headr c.h"}) {
        SCOPED_TRACE(args);
        const Result r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("usage: mkrsc build"), std::string::npos);
    }
}

}  // namespace
