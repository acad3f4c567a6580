// One-plane forms drawn with vrt_cpyfm (the four writing modes against a
// pixel oracle, clipping, forms smaller than the rectangle, refusals) and
// forms turned between the standard and the device format by vr_trnfm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/headless.h"
#include "support/memory_form.h"

namespace {

// A form of 16-bit words in a block of exactly its size, so that a read
// past it is caught by the sanitizers.
struct WordForm {
    std::vector<uint16_t> words;
    MFDB mfdb{};

    WordForm(int w, int h, int wdwidth, int planes, int stand)
        : words((size_t)wdwidth * h * planes, 0)
    {
        mfdb.fd_addr = words.data();
        mfdb.fd_w = (short)w;
        mfdb.fd_h = (short)h;
        mfdb.fd_wdwidth = (short)wdwidth;
        mfdb.fd_nplanes = (short)planes;
        mfdb.fd_stand = (short)stand;
    }
    WordForm(const WordForm &) = delete;

    void set_bit(int plane, int x, int y)
    {
        words[((size_t)plane * mfdb.fd_h + y) * mfdb.fd_wdwidth + x / 16] |=
            (uint16_t)(0x8000u >> (x % 16));
    }
};

// A one-plane form from rows of '#' (1) and '.' (0).
struct Art {
    std::vector<std::string> rows;
    int w() const { return (int)rows[0].size(); }
    int h() const { return (int)rows.size(); }
    bool at(int x, int y) const { return rows[y][x] == '#'; }
};

void paint(WordForm &form, const Art &art)
{
    for (int y = 0; y < art.h(); y++)
        for (int x = 0; x < art.w(); x++)
            if (art.at(x, y))
                form.set_bit(0, x, y);
}

// 19 x 4: a word and three bits a row, with bits at both ends of each word.
const Art kArt = {{
    "#..#.##.#...#.##..#",
    ".##.#..#.###.#..##.",
    "##......######....#",
    "#.#.#.#.#.#.#.#.#.#",
}};

unsigned char tag(int x, int y) { return (unsigned char)(2 + (x * 5 + y * 11) % 240); }

void tag_bitmap(BITMAP *bmp)
{
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            putpixel(bmp, x, y, tag(x, y));
}

constexpr short kSet = 0x1F5, kClear = 0x0A6;  // colour indices 0xF5 and 0xA6

// The writing modes as the classic interface states them.
int oracle(int mode, bool bit, int old)
{
    switch (mode) {
    case MD_REPLACE: return bit ? 0xF5 : 0xA6;
    case MD_TRANS: return bit ? 0xF5 : old;
    case MD_XOR: return bit ? old ^ 1 : old;
    default: return bit ? old : 0xA6;
    }
}

class VdiRasterForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        tag_bitmap(screen);
        tag_bitmap(_logbmp);
    }
};

TEST_F(VdiRasterForms, EachModeOnTheSurfaceAndOnAMemoryForm)
{
    WordForm src(kArt.w(), kArt.h(), 2, 1, 0);
    paint(src, kArt);
    const short colors[2] = {kSet, kClear};
    const short pxy[8] = {0, 0, 18, 3, 30, 40, 48, 43};
    for (int mode : {MD_REPLACE, MD_TRANS, MD_XOR, MD_ERASE}) {
        SCOPED_TRACE(mode);
        tag_bitmap(screen);
        MFDB surface = _screen;
        vrt_cpyfm(0, mode, pxy, &src.mfdb, &surface, colors);

        MemoryForm mem(50, 44, 0);
        for (int y = 0; y < 44; y++)
            for (int x = 0; x < 50; x++)
                mem.set(x, y, tag(x, y));
        vrt_cpyfm(0, mode, pxy, &src.mfdb, &mem.mfdb, colors);

        for (int y = 0; y < 44; y++)
            for (int x = 0; x < 50; x++) {
                const bool inside = x >= 30 && x <= 48 && y >= 40;
                const int want =
                    inside ? oracle(mode, kArt.at(x - 30, y - 40), tag(x, y)) : tag(x, y);
                ASSERT_EQ(getpixel(screen, x, y), want) << x << "," << y;
                ASSERT_EQ(mem.at(x, y), want) << x << "," << y;
            }
    }
}

TEST_F(VdiRasterForms, MemoryFormIsBoundedByItsSize)
{
    WordForm src(kArt.w(), kArt.h(), 2, 1, 0);
    paint(src, kArt);
    MemoryForm mem(12, 3, 9);
    const short colors[2] = {kSet, kClear};
    const short pxy[8] = {0, 0, 18, 3, 4, 1, 22, 4};
    vrt_cpyfm(0, MD_REPLACE, pxy, &src.mfdb, &mem.mfdb, colors);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 12; x++) {
            const bool inside = x >= 4 && y >= 1;
            ASSERT_EQ(mem.at(x, y), inside ? oracle(MD_REPLACE, kArt.at(x - 4, y - 1), 0) : 9)
                << x << "," << y;
        }
}

// The destination rectangle crosses one edge of the clip rectangle (or of
// the screen); what lies outside keeps its pixels, what lies inside shows
// the source pixel that belongs there.
TEST_F(VdiRasterForms, ClippedAtEachEdge)
{
    struct Case {
        const char *edge;
        short clip[4];
        int dx, dy;
    };
    const Case cases[] = {
        {"left", {100, 50, 200, 150}, 92, 60},    {"top", {100, 50, 200, 150}, 120, 48},
        {"right", {100, 50, 200, 150}, 190, 60},  {"bottom", {100, 50, 200, 150}, 120, 148},
        {"screen left", {0, 0, 319, 199}, -7, 9}, {"screen bottom", {0, 0, 319, 199}, 300, 197},
    };
    WordForm src(kArt.w(), kArt.h(), 2, 1, 0);
    paint(src, kArt);
    const short colors[2] = {kSet, kClear};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edge);
        tag_bitmap(screen);
        vs_clip(0, 1, c.clip);
        const short pxy[8] = {
            0, 0, 18, 3, (short)c.dx, (short)c.dy, (short)(c.dx + 18), (short)(c.dy + 3)};
        MFDB surface = _screen;
        vrt_cpyfm(0, MD_REPLACE, pxy, &src.mfdb, &surface, colors);
        int drawn = 0;
        for (int y = 0; y < screen->h; y++)
            for (int x = 0; x < screen->w; x++) {
                const bool in_clip =
                    x >= c.clip[0] && x <= c.clip[2] && y >= c.clip[1] && y <= c.clip[3];
                const bool in_form = x >= c.dx && x < c.dx + 19 && y >= c.dy && y < c.dy + 4;
                const int want = in_clip && in_form
                                     ? oracle(MD_REPLACE, kArt.at(x - c.dx, y - c.dy), 0)
                                     : tag(x, y);
                drawn += in_clip && in_form;
                ASSERT_EQ(getpixel(screen, x, y), want) << x << "," << y;
            }
        EXPECT_GT(drawn, 0);
        EXPECT_LT(drawn, 19 * 4);
    }
}

TEST_F(VdiRasterForms, SourceRectangleBeyondTheFormIsCut)
{
    // 10 x 3 pixels in one word a row; the rectangle asks for 20 x 10 from
    // (-2, -1): the form's own pixels land 2 right and 1 down.
    WordForm src(10, 3, 1, 1, 0);
    const Art art = {{"#.#.#.#.##", ".#.#.#.#..", "##########"}};
    paint(src, art);
    const short colors[2] = {3, 4};
    const short pxy[8] = {-2, -1, 17, 8, 50, 50, 69, 59};
    MFDB surface = _screen;
    vrt_cpyfm(0, MD_REPLACE, pxy, &src.mfdb, &surface, colors);
    for (int y = 45; y < 65; y++)
        for (int x = 45; x < 75; x++) {
            const bool in_form = x >= 52 && x < 62 && y >= 51 && y < 54;
            const int want = in_form ? (art.at(x - 52, y - 51) ? 3 : 4) : tag(x, y);
            ASSERT_EQ(getpixel(screen, x, y), want) << x << "," << y;
        }
}

TEST_F(VdiRasterForms, LogicalScreenAndXorWithoutColours)
{
    WordForm src(kArt.w(), kArt.h(), 2, 1, 0);
    paint(src, kArt);
    const short pxy[8] = {0, 0, 18, 3, 0, 0, 18, 3};
    MFDB surface = _screen;
    vrt_cpyfm(4, MD_XOR, pxy, &src.mfdb, &surface, nullptr);
    EXPECT_EQ(getpixel(_logbmp, 0, 0), tag(0, 0) ^ 1);
    EXPECT_EQ(getpixel(_logbmp, 1, 0), tag(1, 0));
    EXPECT_EQ(getpixel(screen, 0, 0), tag(0, 0));
}

TEST_F(VdiRasterForms, RefusedFormsAndModesDrawNothing)
{
    const short colors[2] = {kSet, kClear};
    const short pxy[8] = {0, 0, 18, 3, 10, 10, 28, 13};
    struct Case {
        const char *what;
        int mode, w, h, wdwidth, planes, dst_stand;
        bool null_colors, null_source;
    };
    const Case cases[] = {
        {"mode 0", 0, 19, 4, 2, 1, 0, false, false},
        {"mode 5", 5, 19, 4, 2, 1, 0, false, false},
        {"no colours", MD_REPLACE, 19, 4, 2, 1, 0, true, false},
        {"two planes", MD_REPLACE, 19, 4, 2, 2, 0, false, false},
        {"no planes", MD_REPLACE, 19, 4, 2, 0, 0, false, false},
        {"rows too short", MD_REPLACE, 19, 4, 1, 1, 0, false, false},
        {"negative width", MD_REPLACE, -19, 4, 2, 1, 0, false, false},
        {"negative height", MD_REPLACE, 19, -4, 2, 1, 0, false, false},
        {"null source", MD_REPLACE, 19, 4, 2, 1, 0, false, true},
        {"standard destination", MD_REPLACE, 19, 4, 2, 1, 1, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WordForm src(19, 4, 2, 2, 0);
        std::fill(src.words.begin(), src.words.end(), 0xFFFF);
        src.mfdb.fd_w = (short)c.w;
        src.mfdb.fd_h = (short)c.h;
        src.mfdb.fd_wdwidth = (short)c.wdwidth;
        src.mfdb.fd_nplanes = (short)c.planes;
        if (c.null_source)
            src.mfdb.fd_addr = nullptr;
        MemoryForm mem(40, 20, 9);
        mem.mfdb.fd_stand = (short)c.dst_stand;
        vrt_cpyfm(0, c.mode, pxy, &src.mfdb, &mem.mfdb, c.null_colors ? nullptr : colors);
        EXPECT_EQ(std::count(mem.bytes.begin(), mem.bytes.end(), 9), 40 * 20);
    }
}

// ---- vr_trnfm ----------------------------------------------------------

// Pixel values that use every bit: (x * 37 + y * 91 + 5) mod 256.
unsigned char value(int x, int y) { return (unsigned char)(x * 37 + y * 91 + 5); }

// The standard form of `value`'s low `planes` bits, built bit by bit.
void fill_standard(WordForm &form, int planes)
{
    for (int y = 0; y < form.mfdb.fd_h; y++)
        for (int x = 0; x < form.mfdb.fd_w; x++)
            for (int p = 0; p < planes; p++)
                if (value(x, y) & (1 << p))
                    form.set_bit(p, x, y);
}

TEST_F(VdiRasterForms, StandardToDeviceAndBack)
{
    struct Case {
        int planes, w, h, wdwidth;
    };
    const Case cases[] = {{2, 17, 3, 2}, {4, 33, 4, 3}, {8, 16, 6, 1}, {8, 7, 2, 4}, {3, 1, 1, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.planes << " planes, " << c.w << " wide");
        WordForm standard(c.w, c.h, c.wdwidth, c.planes, 1);
        fill_standard(standard, c.planes);
        MemoryForm device(c.w, c.h, 0xEE);
        device.mfdb = MFDB{device.bytes.data(), 0, 0, 0, 0, 0, 0, 0, 0};

        vr_trnfm(0, &standard.mfdb, &device.mfdb);
        EXPECT_EQ(device.mfdb.fd_w, c.w);
        EXPECT_EQ(device.mfdb.fd_h, c.h);
        EXPECT_EQ(device.mfdb.fd_wdwidth, c.wdwidth);
        EXPECT_EQ(device.mfdb.fd_nplanes, c.planes);
        EXPECT_EQ(device.mfdb.fd_stand, 0);
        for (int y = 0; y < c.h; y++)
            for (int x = 0; x < c.w; x++)
                ASSERT_EQ(device.at(x, y), value(x, y) & ((1 << c.planes) - 1)) << x << "," << y;

        WordForm back(1, 1, 1, 1, 0);
        back.words.assign(standard.words.size(), 0xABCD);
        back.mfdb.fd_addr = back.words.data();
        back.mfdb.fd_nplanes = 0;  // taken from the device form
        vr_trnfm(0, &device.mfdb, &back.mfdb);
        EXPECT_EQ(back.words, standard.words);
        EXPECT_EQ(back.mfdb.fd_stand, 1);
        EXPECT_EQ(back.mfdb.fd_nplanes, c.planes);
        EXPECT_EQ(back.mfdb.fd_wdwidth, c.wdwidth);
    }
}

// The classic way to show an icon: turn its standard form into the device
// format (in place or not), then draw it with vrt_cpyfm. A one-plane form
// keeps its words, so the picture is the one drawn from the standard form.
TEST_F(VdiRasterForms, OnePlaneFormTurnedToDeviceDrawsTheSame)
{
    for (bool in_place : {false, true}) {
        SCOPED_TRACE(in_place ? "in place" : "aside");
        WordForm standard(kArt.w(), kArt.h(), 2, 1, 1);
        paint(standard, kArt);
        const std::vector<uint16_t> words = standard.words;
        WordForm device(1, 1, 1, 0, 0);
        device.words.assign(words.size(), 0xABCD);
        device.mfdb.fd_addr = device.words.data();
        MFDB *to = in_place ? &standard.mfdb : &device.mfdb;
        vr_trnfm(0, &standard.mfdb, to);
        EXPECT_EQ(to->fd_stand, 0);
        EXPECT_EQ(to->fd_nplanes, 1);
        EXPECT_EQ(in_place ? standard.words : device.words, words);

        const short colors[2] = {2, 3};
        const short pxy[8] = {0,  0,  (short)(kArt.w() - 1),      (short)(kArt.h() - 1),
                              10, 20, (short)(10 + kArt.w() - 1), (short)(20 + kArt.h() - 1)};
        vrt_cpyfm(0, MD_REPLACE, pxy, to, &_screen, colors);
        for (int y = 0; y < kArt.h(); y++)
            for (int x = 0; x < kArt.w(); x++)
                ASSERT_EQ(getpixel(screen, 10 + x, 20 + y), kArt.at(x, y) ? 2 : 3) << x << "," << y;

        // And back: the same words in the standard format.
        WordForm back(1, 1, 1, 0, 0);
        back.words.assign(words.size(), 0);
        back.mfdb.fd_addr = back.words.data();
        vr_trnfm(0, to, &back.mfdb);
        EXPECT_EQ(back.words, words);
        EXPECT_EQ(back.mfdb.fd_stand, 1);
    }
}

TEST_F(VdiRasterForms, DeviceToFewerPlanesDropsTheHighBits)
{
    MemoryForm device(3, 1, 0);
    device.set(0, 0, 0xFF);
    device.set(1, 0, 0x06);
    device.set(2, 0, 0x81);
    // A layer form: fd_wdwidth and fd_nplanes left 0.
    WordForm standard(1, 1, 1, 2, 0);
    standard.mfdb.fd_nplanes = 2;
    vr_trnfm(0, &device.mfdb, &standard.mfdb);
    EXPECT_EQ(standard.mfdb.fd_wdwidth, 1) << "the fewest words that hold 3 pixels";
    EXPECT_EQ(standard.words[0], 0xA000) << "plane 0: pixels 0 and 2";
    EXPECT_EQ(standard.words[1], 0xC000) << "plane 1: pixels 0 and 1";
}

TEST_F(VdiRasterForms, InPlaceWhereTheResultFits)
{
    struct Case {
        int planes, w, wdwidth;
        bool to_device, done;
    };
    const Case cases[] = {
        {8, 16, 1, true, true},    // 16 bytes a row either way
        {8, 13, 1, true, true},    // device 13 bytes a row in a block of 16
        {4, 16, 1, true, false},   // device 16 bytes a row, standard 8
        {8, 16, 1, false, true},   //
        {8, 13, 1, false, false},  // standard 16 bytes a row, device 13
    };
    const int h = 3;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.planes << " planes, " << c.w << " wide, "
                                        << (c.to_device ? "to device" : "to standard"));
        WordForm standard(c.w, h, c.wdwidth, c.planes, 1);
        fill_standard(standard, c.planes);
        const unsigned mask = (1u << c.planes) - 1;
        std::vector<unsigned char> block(standard.words.size() * 2, 0xEE);
        MFDB form{
            block.data(), (short)c.w, (short)h, (short)c.wdwidth, 0, (short)c.planes, 0, 0, 0};
        if (c.to_device) {
            memcpy(block.data(), standard.words.data(), block.size());
            form.fd_stand = 1;
        } else {
            for (int y = 0; y < h; y++)
                for (int x = 0; x < c.w; x++)
                    block[(size_t)y * c.w + x] = (unsigned char)(value(x, y) & mask);
        }
        const std::vector<unsigned char> before = block;
        vr_trnfm(0, &form, &form);
        if (!c.done) {
            EXPECT_EQ(block, before);
            EXPECT_EQ(form.fd_stand, c.to_device ? 1 : 0);
            continue;
        }
        EXPECT_EQ(form.fd_stand, c.to_device ? 0 : 1);
        if (c.to_device) {
            for (int y = 0; y < h; y++)
                for (int x = 0; x < c.w; x++)
                    ASSERT_EQ(block[(size_t)y * c.w + x], value(x, y) & mask);
        } else {
            EXPECT_EQ(memcmp(block.data(), standard.words.data(), block.size()), 0);
        }
    }
}

TEST_F(VdiRasterForms, RefusedConversionsWriteNothing)
{
    struct Case {
        const char *what;
        int w, h, wdwidth, planes, stand, dst_planes;
        bool null_src, null_dst;
    };
    const Case cases[] = {
        {"no planes", 16, 2, 1, 0, 1, 0, false, false},
        {"nine planes", 16, 2, 1, 9, 1, 0, false, false},
        {"device into 9", 16, 2, 1, 1, 0, 9, false, false},
        {"device into none", 16, 2, 1, 0, 0, 0, false, false},
        {"zero width", 0, 2, 1, 1, 1, 0, false, false},
        {"negative height", 16, -2, 1, 1, 1, 0, false, false},
        {"rows too short", 17, 2, 1, 1, 1, 0, false, false},
        {"huge", 32767, 32767, 2048, 8, 1, 0, false, false},
        {"null source", 16, 2, 1, 1, 1, 0, true, false},
        {"null destination", 16, 2, 1, 1, 1, 0, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> in(64, 0x5A), out(64, 0xEE);
        MFDB src{
            in.data(), (short)c.w, (short)c.h, (short)c.wdwidth, (short)c.stand, (short)c.planes,
            0,         0,          0};
        MFDB dst{out.data(), 7, 7, 7, 7, (short)c.dst_planes, 0, 0, 0};
        if (c.null_src)
            src.fd_addr = nullptr;
        if (c.null_dst)
            dst.fd_addr = nullptr;
        vr_trnfm(0, &src, &dst);
        EXPECT_EQ(std::count(out.begin(), out.end(), 0xEE), 64);
        EXPECT_EQ(dst.fd_w, 7);
        EXPECT_EQ(dst.fd_stand, 7);
    }
}

}  // namespace
