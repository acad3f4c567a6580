// Lines and markers: the default bars and polylines as they always were,
// dashes, widths, ends, and the marker figures.
#include <cstdlib>

#include "vdi_draw.h"

namespace {

using namespace vdi_test;

struct Point {
    int x, y;
};

class VdiLines : public VdiDraw {
protected:
    static std::vector<bool> drawn(const std::function<void()> &draw)
    {
        clear_to_color(screen, 5);
        vsl_color(handle, 1);
        vsm_color(handle, 1);
        draw();
        return in_colour(1);
    }
};

TEST_F(VdiLines, DefaultBarsAndPolylinesAreTheLayersOwn)
{
    srand(11);
    for (int k = 0; k < 200; k++) {
        short clip[4] = {(short)(rand() % 200 - 20), (short)(rand() % 150 - 20),
                         (short)(rand() % 200 + 100), (short)(rand() % 150 + 80)};
        short bar[4] = {(short)(rand() % 400 - 40), (short)(rand() % 300 - 40),
                        (short)(rand() % 400 - 40), (short)(rand() % 300 - 40)};
        short pts[8];
        for (short &v : pts)
            v = (short)(k % 10 == 0 ? rand() % 60000 - 30000 : rand() % 400 - 40);
        bool frame = k % 3 == 0;  // an Allegro clip, as window frames set one

        BITMAP *want = create_bitmap_ex(8, 320, 200);
        clear_to_color(want, 7);
        if (frame)
            set_clip_rect(want, 30, 20, 250, 150);
        int l = std::max(bar[0], clip[0]), t = std::max(bar[1], clip[1]);
        int r = std::min(bar[2], clip[2]), b = std::min(bar[3], clip[3]);
        if (l < r && t < b)
            rectfill(want, l, t, r, b, 4);
        for (int i = 0; i < 3; i++)
            line(want, pts[2 * i], pts[2 * i + 1], pts[2 * i + 2], pts[2 * i + 3], 2);

        clear_to_color(screen, 7);
        if (frame)
            set_clip_rect(screen, 30, 20, 250, 150);
        vs_clip(handle, 1, clip);
        vsf_color(handle, 4);
        vsl_color(handle, 2);
        v_bar(handle, bar);
        v_pline(handle, 4, pts);
        set_clip_rect(screen, 0, 0, 319, 199);
        ASSERT_EQ(pixels(screen), pixels(want)) << "case " << k;
        destroy_bitmap(want);
    }
}

// The pixels of a polyline in drawing order, each joint once.
std::vector<Point> path_of(const std::vector<short> &p)
{
    static std::vector<Point> *out;
    std::vector<Point> v;
    out = &v;
    for (size_t i = 0; i + 3 < p.size(); i += 2) {
        size_t before = v.size();
        do_line(screen, p[i], p[i + 1], p[i + 2], p[i + 3], 0, [](BITMAP *, int x, int y, int) {
            out->push_back({x, y});
        });
        if (i > 0)
            v.erase(v.begin() + before);
    }
    return v;
}

TEST_F(VdiLines, DashesRunOnFromTheFirstPointAlongEverySegment)
{
    const unsigned short masks[] = {0xFFFF, 0xFFF0, 0xE0E0, 0xFF18, 0xFF00, 0xF198, 0x9C3A};
    const std::vector<short> zigzag = {10, 10, 47, 10, 47, 40, 20, 61, 200, 75};
    std::vector<Point> path = path_of(zigzag);
    for (int type = SOLID; type <= USERLINE; type++) {
        SCOPED_TRACE(type);
        clear_to_color(screen, 5);
        vsl_type(handle, type);
        vsl_udsty(handle, masks[6]);
        vsl_color(handle, 3);
        v_pline(handle, 5, zigzag.data());
        int wrong = 0;
        for (size_t i = 0; i < path.size(); i++) {
            bool bit = masks[type - 1] >> (15 - i % 16) & 1;
            wrong += getpixel(screen, path[i].x, path[i].y) != (bit ? 3 : 0);
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(count(in_colour(5)), 320 * 200 - (int)path.size());
    }
}

// Pixels within `inside` of the segment a-b (butt ends) must be drawn, and
// none farther than `outside` from it.
int width_faults(const std::vector<bool> &set, Point a, Point b, double inside, double outside)
{
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    int faults = 0;
    for (int i = 0; i < (int)set.size(); i++) {
        double px = i % 320 - a.x, py = i / 320 - a.y;
        double along = (px * dx + py * dy) / len, across = std::fabs(px * dy - py * dx) / len;
        bool in = along >= 0.5 && along <= len - 0.5 && across <= inside;
        bool out = along < -1 || along > len + 1 || across > outside;
        faults += (in && !set[i]) || (out && set[i]);
    }
    return faults;
}

TEST_F(VdiLines, WideLinesAreSolidBandsWithButtOrRoundEnds)
{
    const short flat[4] = {50, 50, 150, 50}, steep[4] = {100, 20, 100, 180};
    vsl_width(handle, 5);
    std::vector<bool> band = drawn([&] { v_pline(handle, 2, flat); });
    EXPECT_EQ(band, allegro([](BITMAP *b) { rectfill(b, 50, 48, 150, 52, 1); }));
    EXPECT_EQ(drawn([&] { v_pline(handle, 2, steep); }),
              allegro([](BITMAP *b) { rectfill(b, 98, 20, 102, 180, 1); }));
    vsl_type(handle, DASH);  // wide lines are solid whatever the type
    EXPECT_EQ(drawn([&] { v_pline(handle, 2, flat); }), band);
    vsl_ends(handle, ROUND, ROUND);
    EXPECT_EQ(drawn([&] { v_pline(handle, 2, flat); }), allegro([](BITMAP *b) {
                  rectfill(b, 50, 48, 150, 52, 1);
                  circlefill(b, 50, 50, 2, 1);
                  circlefill(b, 150, 50, 2, 1);
              }));

    const Point slants[][2] = {
        {{20, 30}, {290, 170}}, {{200, 20}, {60, 190}}, {{30, 100}, {290, 90}}};
    vsl_ends(handle, SQUARE, SQUARE);
    for (int w : {3, 9, 21}) {
        vsl_width(handle, w);
        for (const auto &s : slants) {
            short p[4] = {(short)s[0].x, (short)s[0].y, (short)s[1].x, (short)s[1].y};
            EXPECT_EQ(width_faults(drawn([&] { v_pline(handle, 2, p); }), s[0], s[1],
                                   (w - 1) / 2.0 - 0.5, (w - 1) / 2.0 + 0.75),
                      0)
                << "width " << w << " from " << p[0] << "," << p[1];
        }
    }
}

TEST_F(VdiLines, WidthsOutOfRangeAreClampedToOddOnes)
{
    const short p[6] = {40, 100, 160, 60, 280, 110};
    _vdi.line_width = 39;
    std::vector<bool> widest = drawn([&] { v_pline(handle, 3, p); });
    _vdi.line_width = 400;
    EXPECT_EQ(drawn([&] { v_pline(handle, 3, p); }), widest);
    _vdi.line_width = 3;
    std::vector<bool> three = drawn([&] { v_pline(handle, 3, p); });
    _vdi.line_width = 4;
    EXPECT_EQ(drawn([&] { v_pline(handle, 3, p); }), three);
    _vdi.line_width = 1;
    std::vector<bool> thin = drawn([&] { v_pline(handle, 3, p); });
    for (int w : {0, -7}) {
        _vdi.line_width = (short)w;
        EXPECT_EQ(drawn([&] { v_pline(handle, 3, p); }), thin) << w;
    }
    EXPECT_GT(count(widest), count(three));
    EXPECT_GT(count(three), count(thin));
}

TEST_F(VdiLines, ArrowHeadsPointAlongTheLineFromEitherEnd)
{
    // A thin line: a head 8 long and 3 either side, its point on the end.
    const short flat[4] = {50, 100, 150, 100};
    vsl_ends(handle, ARROWED, SQUARE);
    std::vector<bool> head = allegro([](BITMAP *b) {
        hline(b, 50, 100, 150, 1);
        for (int x = 50; x <= 58; x++)
            vline(b, x, (int)std::ceil(100 - 3 * (x - 50) / 8.0), (int)(100 + 3 * (x - 50) / 8.0),
                  1);
    });
    EXPECT_EQ(drawn([&] { v_pline(handle, 2, flat); }), head);

    // A wide one is cut back so that nothing sticks out beside the point.
    const short wide[4] = {250, 100, 50, 100};
    vsl_width(handle, 9);
    vsl_ends(handle, SQUARE, ARROWED);
    std::vector<bool> set = drawn([&] { v_pline(handle, 2, wide); });
    int outside = 0;
    for (int i = 0; i < (int)set.size(); i++) {
        int x = i % 320, y = i / 320;
        outside += set[i] && x < 74 && std::abs(y - 100) > 11 * (x - 50) / 24.0 + 0.5;
    }
    EXPECT_EQ(outside, 0);
    EXPECT_TRUE(set[100 * 320 + 50]);
    EXPECT_TRUE(set[(100 - 11) * 320 + 74]);

    // Arrows on a line shorter than a head, or of no length, stay near it.
    const short shorter[2][4] = {{100, 100, 103, 101}, {100, 100, 100, 100}};
    vsl_ends(handle, ARROWED, ARROWED);
    for (const short *p : shorter) {
        std::vector<bool> tiny = drawn([&] { v_pline(handle, 2, p); });
        EXPECT_GT(count(tiny), 0);
        for (int i = 0; i < (int)tiny.size(); i++)
            ASSERT_FALSE(tiny[i] && (std::abs(i % 320 - 100) > 30 || std::abs(i / 320 - 100) > 30));
    }
}

TEST_F(VdiLines, ArcEndsAndAWholeTurnWithout)
{
    vsl_ends(handle, ARROWED, ARROWED);
    EXPECT_EQ(drawn([] { v_arc(handle, 160, 100, 50, 900, 900); }),
              allegro([](BITMAP *b) { circle(b, 160, 100, 50, 1); }));
    std::vector<bool> arrowed = drawn([] { v_arc(handle, 160, 100, 50, 0, 1800); });
    vsl_ends(handle, SQUARE, SQUARE);
    std::vector<bool> plain = drawn([] { v_arc(handle, 160, 100, 50, 0, 1800); });
    // A head at each end, (210, 100) and (110, 100), over the plain arc.
    for (int end_x : {210, 110}) {
        int extra = 0;
        for (int i = 0; i < (int)plain.size(); i++)
            extra += arrowed[i] && !plain[i] && std::abs(i % 320 - end_x) < 6 && i / 320 > 90 &&
                     i / 320 <= 100;
        EXPECT_GT(extra, 6) << end_x;
    }
    for (int i = 0; i < (int)plain.size(); i++)
        ASSERT_FALSE(plain[i] && !arrowed[i]);
}

TEST_F(VdiLines, PolylineCountsBeyondTheLimitDrawNothing)
{
    std::vector<short> many;
    for (int i = 0; i <= GEM_MAX_POLYGON; i++) {
        many.push_back((short)(i % 300));
        many.push_back((short)(i % 7 * 20));
    }
    EXPECT_EQ(count(drawn([&] { v_pline(handle, GEM_MAX_POLYGON + 1, many.data()); })), 0);
    EXPECT_GT(count(drawn([&] { v_pline(handle, GEM_MAX_POLYGON, many.data()); })), 1000);
    EXPECT_EQ(count(drawn([&] { v_pline(handle, -4, many.data()); })), 0);
    EXPECT_EQ(count(drawn([] { v_pline(handle, 4, nullptr); })), 0);
    EXPECT_EQ(count(drawn([&] { v_pmarker(handle, GEM_MAX_POLYGON + 1, many.data()); })), 0);
    EXPECT_GT(count(drawn([&] { v_pmarker(handle, GEM_MAX_POLYGON, many.data()); })), 100);
    EXPECT_EQ(count(drawn([] { v_pmarker(handle, 3, nullptr); })), 0);
}

TEST_F(VdiLines, MarkersAreCentredFiguresOfTheirHeight)
{
    struct Case {
        int type, pixels;
    } cases[] = {{PM_DOT, 1},     {PM_PLUS, 13},      {PM_ASTERISK, 17},
                 {PM_SQUARE, 24}, {PM_DIAGCROSS, 13}, {PM_DIAMOND, 12}};
    const short at[2] = {100, 80};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        vsm_type(handle, c.type);
        for (int height : {7, 8}) {  // an even height draws the odd one below
            vsm_height(handle, height);
            std::vector<bool> set = drawn([&] { v_pmarker(handle, 1, at); });
            EXPECT_EQ(count(set), c.pixels);
            int wrong = 0;
            for (int i = 0; i < (int)set.size(); i++) {
                int dx = i % 320 - 100, dy = i / 320 - 80;
                wrong += set[i] && (std::abs(dx) > 3 || std::abs(dy) > 3 ||
                                    !set[(80 - dy) * 320 + 100 - dx]);  // point-symmetric
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_TRUE(set[80 * 320 + 100] || c.type == PM_SQUARE || c.type == PM_DIAMOND);
        }
        _vdi.marker_height = 0;  // out of range: one pixel
        EXPECT_EQ(count(drawn([&] { v_pmarker(handle, 1, at); })), 1);
        _vdi.marker_height = 1000;  // out of range: the largest, 99
        std::vector<bool> big = drawn([&] { v_pmarker(handle, 1, at); });
        EXPECT_EQ(big, drawn([&] {
                      vsm_height(handle, GEM_MAX_MARKER_HEIGHT);
                      v_pmarker(handle, 1, at);
                  }));
    }
}

}  // namespace
