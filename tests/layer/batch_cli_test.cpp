// pcx2spr in batch mode, run as a program: pictures written by independent
// PCX writers (netpbm's ppmtopcx, ImageMagick's convert), exit statuses,
// messages, and what is left on disk when a picture is refused.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <string>

#include "support/pcx.h"
#include "support/tempdir.h"

namespace {

struct Result {
    int status;
    std::string err;
};

class Batch : public ::testing::Test {
protected:
    TempDir scratch;
    const std::string &dir = scratch.path();

    Result run(const std::string &args)
    {
        std::string cmd = std::string(PCX2SPR_PATH) + " " + args + " 2>" + dir + "/err";
        int st = system(cmd.c_str());
        std::ifstream f(dir + "/err");
        std::string err((std::istreambuf_iterator<char>(f)), {});
        return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, err};
    }

    // A w x h PPM with at most 180 colours; returns the colour of each pixel.
    std::vector<std::array<int, 3>> write_ppm(const std::string &path, int w, int h)
    {
        std::vector<std::array<int, 3>> px;
        std::string data = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                int k = (x / 2 + y / 3 * 7) % 180;
                std::array<int, 3> c = {k * 17 % 256, (k * 5 + 40) % 256, 255 - k};
                px.push_back(c);
                for (int v : c)
                    data += (char)v;
            }
        std::ofstream(path, std::ios::binary) << data;
        return px;
    }

    // Every sprite pixel's colour, looked up in the file's own palette, is
    // the picture's colour at that place.
    void expect_sprite_matches(const pcx::Bytes &f, int a, int w,
                               const std::vector<std::array<int, 3>> &px)
    {
        int p = f[1];
        ASSERT_EQ(f.size(), 2u + 3 * p + 12 * a * a);
        for (int b = 0; b < 2; b++)
            for (int y = 0; y < 6 * a; y++)
                for (int x = 0; x < a; x++) {
                    int idx = f[2 + 3 * p + b * 6 * a * a + y * a + x];
                    ASSERT_LT(idx, p);
                    const auto &want = px[y * w + x + b * a];
                    for (int c = 0; c < 3; c++)
                        ASSERT_EQ(f[2 + 3 * idx + c], want[c]) << x << "," << y << " block " << b;
                }
    }
};

TEST_F(Batch, PictureWrittenByPpmtopcx)
{
    auto px = write_ppm(dir + "/in.ppm", 32, 100);
    ASSERT_EQ(
        system(("ppmtopcx -8bit " + dir + "/in.ppm > " + dir + "/16pp.pcx 2>/dev/null").c_str()),
        0);
    Result r = run(dir + "/16pp.pcx " + dir + "/pp.spr");
    ASSERT_EQ(r.status, 0) << r.err;
    auto f = pcx::load(dir + "/pp.spr");
    EXPECT_EQ(f[0], 16);
    expect_sprite_matches(f, 16, 32, px);
}

TEST_F(Batch, PictureWrittenByImageMagick)
{
    auto px = write_ppm(dir + "/in.ppm", 40, 120);
    ASSERT_EQ(system(("convert " + dir + "/in.ppm -type Palette " + dir + "/84im.pcx").c_str()), 0);
    Result r = run(dir + "/84im.pcx " + dir + "/im.spr");
    ASSERT_EQ(r.status, 0) << r.err;
    auto f = pcx::load(dir + "/im.spr");
    EXPECT_EQ(f[0], 84);  // side 20, high bit carried
    expect_sprite_matches(f, 20, 40, px);
}

TEST_F(Batch, WrongArgumentCountIsAUsageError)
{
    Result r = run("one");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: pcx2spr"), std::string::npos);
    EXPECT_EQ(run("a b c").status, 2);
}

TEST_F(Batch, RefusedPictureLeavesTheOutputAlone)
{
    std::string out = dir + "/keep.spr";
    std::ofstream(out) << "old contents";

    Result r = run(dir + "/8none.pcx " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("8none.pcx: cannot be opened"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    pcx::save(dir + "/30wide.pcx", pcx::picture(pcx::rows(60, 180, [](int, int) { return 1; })));
    r = run(dir + "/30wide.pcx " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("30wide.pcx: side 30 is above 24"), std::string::npos) << r.err;

    std::ifstream f(out);
    std::string contents((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(contents, "old contents");
}

TEST_F(Batch, UnwritableOutputIsReported)
{
    pcx::save(dir + "/2ok.pcx", pcx::picture(pcx::rows(4, 12, [](int, int) { return 1; })));
    Result r = run(dir + "/2ok.pcx " + dir + "/missing/out.spr");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot create"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("2ok.pcx"), std::string::npos) << r.err;
}

}  // namespace
