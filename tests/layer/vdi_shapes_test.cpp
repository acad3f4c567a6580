// Geometry of the filled shapes, arcs and the seed fill: against Allegro's
// own drawing where the calls use it, against independent oracles where they
// do not; fill interiors; and the clamps on bad values.
#include <chrono>
#include <cstdlib>

#include "vdi_draw.h"

namespace {

using namespace vdi_test;

class VdiShapes : public VdiDraw {
protected:
    // What a filled call covers in colour 1, solid, perimeter off; and its
    // perimeter alone (hollow interior, painted 0).
    static std::vector<bool> fill_of(const std::function<void()> &draw)
    {
        clear_to_color(screen, 5);
        vsf_color(handle, 1);
        vsf_interior(handle, FIS_SOLID);
        vsf_perimeter(handle, 0);
        draw();
        return in_colour(1);
    }
    static std::vector<bool> perimeter_of(const std::function<void()> &draw)
    {
        clear_to_color(screen, 5);
        vsf_color(handle, 1);
        vsf_interior(handle, FIS_HOLLOW);
        vsf_perimeter(handle, 1);
        draw();
        return in_colour(1);
    }
    static std::vector<bool> line_of(const std::function<void()> &draw)
    {
        clear_to_color(screen, 5);
        vsl_color(handle, 1);
        draw();
        return in_colour(1);
    }
};

struct Radii {
    int rx, ry;
};
const Radii RADII[] = {{0, 0}, {1, 1}, {2, 2}, {7, 7},   {40, 40}, {97, 97},
                       {0, 6}, {6, 0}, {1, 9}, {30, 12}, {12, 30}, {150, 90}};

TEST_F(VdiShapes, CirclesAndEllipsesAreAllegrosFillsWithTheirOutlinesAsPerimeter)
{
    for (const Radii &r : RADII) {
        SCOPED_TRACE(std::to_string(r.rx) + " x " + std::to_string(r.ry));
        auto draw = [&] {
            if (r.rx == r.ry)
                v_circle(handle, 160, 100, r.rx);
            else
                v_ellipse(handle, 160, 100, r.rx, r.ry);
        };
        std::vector<bool> fill =
            allegro([&](BITMAP *b) { ellipsefill(b, 160, 100, r.rx, r.ry, 1); });
        std::vector<bool> outline =
            allegro([&](BITMAP *b) { ellipse(b, 160, 100, r.rx, r.ry, 1); });
        EXPECT_EQ(fill_of(draw), fill);
        EXPECT_EQ(perimeter_of(draw), outline);
        EXPECT_EQ(edge_of(fill), outline);
    }
}

// Pixels of `shape` against the sector begin..end (tenths) around (cx, cy):
// those clearly inside the sector must be in `shape` when `whole` has them,
// those clearly outside must not be, apart from `except`.
int sector_faults(const std::vector<bool> &shape, const std::vector<bool> &whole,
                  const std::vector<bool> &except, int cx, int cy, double rx, double ry, int begin,
                  int end)
{
    begin = (begin % 3600 + 3600) % 3600;
    end = (end % 3600 + 3600) % 3600;
    int faults = 0;
    for (int i = 0; i < (int)shape.size(); i++) {
        int dx = i % 320 - cx, dy = i / 320 - cy;
        if (dx * dx + dy * dy < 9)
            continue;  // too near the centre for a clear angle
        double a = tenths(dx * ry, dy * rx), from = begin, to = end < begin ? end + 3600 : end;
        if (a < from)
            a += 3600;
        bool in = a > from + 30 && a < to - 30, out = a < from - 30 + 3600 && a > to + 30;
        faults += (in && whole[i] && !shape[i]) || (out && shape[i] && !except[i]) ||
                  (shape[i] && !whole[i] && !except[i]);
    }
    return faults;
}

struct Arc {
    int rx, ry, begin, end;
};
const Arc ARCS[] = {{40, 40, 0, 900},    {40, 40, 300, 2400}, {40, 40, 2700, 450},
                    {60, 30, 450, 1350}, {25, 70, 1800, 600}, {90, 90, -900, 900}};

TEST_F(VdiShapes, PiesAreTheFillsPixelsInTheSectorBoundedByTwoRadii)
{
    for (const Arc &a : ARCS) {
        SCOPED_TRACE(std::to_string(a.rx) + " x " + std::to_string(a.ry) + " from " +
                     std::to_string(a.begin) + " to " + std::to_string(a.end));
        auto draw = [&] { v_ellpie(handle, 160, 100, a.rx, a.ry, a.begin, a.end); };
        std::vector<bool> pie = fill_of(draw), edge = perimeter_of(draw);
        std::vector<bool> whole =
            allegro([&](BITMAP *b) { ellipsefill(b, 160, 100, a.rx, a.ry, 1); });
        EXPECT_EQ(sector_faults(pie, whole, edge, 160, 100, a.rx, a.ry, a.begin, a.end), 0);
        // The perimeter lies on the fill's edge, but for the centre of a
        // pie wider than a half turn, which the fill surrounds.
        std::vector<bool> pie_edge = edge_of(pie);
        for (size_t i = 0; i < pie.size(); i++)
            ASSERT_FALSE(edge[i] && !pie_edge[i] && i != 100 * 320 + 160)
                << "perimeter off the fill's edge at " << i;
        // The perimeter holds both radii: pixels near the centre in both
        // directions, and the arc on Allegro's outline.
        EXPECT_TRUE(edge[100 * 320 + 160]);
        std::vector<bool> outline =
            allegro([&](BITMAP *b) { ellipse(b, 160, 100, a.rx, a.ry, 1); });
        EXPECT_EQ(sector_faults(edge, outline, edge_of(pie), 160, 100, a.rx, a.ry, a.begin, a.end),
                  0);
    }
    // A whole turn is the whole circle, with no radii.
    auto full = [] { v_pieslice(handle, 160, 100, 50, 900, 4500); };
    EXPECT_EQ(fill_of(full), allegro([](BITMAP *b) { circlefill(b, 160, 100, 50, 1); }));
    EXPECT_EQ(perimeter_of(full), allegro([](BITMAP *b) { circle(b, 160, 100, 50, 1); }));
}

TEST_F(VdiShapes, ArcsArePartsOfAllegrosOutlinesAndMatchAllegrosArc)
{
    for (const Arc &a : ARCS) {
        SCOPED_TRACE(std::to_string(a.rx) + " x " + std::to_string(a.ry) + " from " +
                     std::to_string(a.begin) + " to " + std::to_string(a.end));
        std::vector<bool> arc =
            line_of([&] { v_ellarc(handle, 160, 100, a.rx, a.ry, a.begin, a.end); });
        std::vector<bool> outline =
            allegro([&](BITMAP *b) { ellipse(b, 160, 100, a.rx, a.ry, 1); });
        std::vector<bool> none(arc.size());
        EXPECT_EQ(sector_faults(arc, outline, none, 160, 100, a.rx, a.ry, a.begin, a.end), 0);
        if (a.rx != a.ry)
            continue;
        // Allegro's arc (256 to the turn, counter-clockwise from 3 o'clock)
        // differs at most in a pixel or two at each end.
        auto fx = [](int t) { return ftofix(t * 256.0 / 3600); };
        std::vector<bool> theirs =
            allegro([&](BITMAP *b) { ::arc(b, 160, 100, fx(a.begin), fx(a.end), a.rx, 1); });
        int differ = 0;
        for (size_t i = 0; i < arc.size(); i++)
            differ += arc[i] != theirs[i];
        EXPECT_LE(differ, 4);
        EXPECT_GT(count(arc), a.rx);
    }
    auto whole = [] { v_arc(handle, 160, 100, 60, 0, 3600); };
    EXPECT_EQ(line_of(whole), allegro([](BITMAP *b) { circle(b, 160, 100, 60, 1); }));
}

// Even-odd by ray casting from the pixel centre, with the edges drawn by
// Allegro's line: the oracle of v_fillarea.
std::vector<bool> even_odd(const std::vector<short> &p)
{
    int n = (int)p.size() / 2;
    std::vector<bool> in = allegro([&](BITMAP *b) {
        for (int i = 0; i < n; i++)
            line(b, p[2 * i], p[2 * i + 1], p[(2 * i + 2) % (2 * n)], p[(2 * i + 3) % (2 * n)], 1);
    });
    for (int y = 0; y < 200; y++)
        for (int x = 0; x < 320; x++) {
            bool odd = false;
            for (int i = 0; i < n; i++) {
                long x1 = p[2 * i], y1 = p[2 * i + 1];
                long x2 = p[(2 * i + 2) % (2 * n)], y2 = p[(2 * i + 3) % (2 * n)];
                if ((y1 <= y) == (y2 <= y))
                    continue;
                // The edge crosses the row at or right of x.
                long side = (x2 - x1) * (y - y1) - (x - x1) * (y2 - y1);
                odd ^= y2 > y1 ? side >= 0 : side <= 0;
            }
            in[y * 320 + x] = in[y * 320 + x] || odd;
        }
    return in;
}

TEST_F(VdiShapes, PolygonsFillByTheEvenOddRuleWithTheirEdges)
{
    std::vector<std::vector<short>> simple = {
        {10, 10, 300, 10, 300, 190, 10, 190, 150, 100},          // a dent
        {30, 20, 290, 60, 100, 180},                             // a triangle
        {20, 20, 120, 20, 120, 90, 250, 90, 250, 170, 20, 170},  // an L
        {10, 100, 300, 97, 12, 104},                             // a thin spike
        {100, 100, 100, 100, 100, 100},                          // one pixel
    };
    std::vector<std::vector<short>> crossing = {
        {80, 10, 120, 110, 20, 50, 140, 50, 40, 110},  // a star: hollow centre
        {20, 20, 200, 20, 200, 150, 60, 150, 60, 60, 250, 60, 250, 180, 20, 180},
    };
    srand(7);
    for (int k = 0; k < 20; k++) {
        std::vector<short> p;
        for (int i = 0, n = 3 + k % 9; i < 2 * n; i++)
            p.push_back((short)(rand() % 360 - 20));
        crossing.push_back(p);
    }
    for (bool is_simple : {true, false})
        for (const auto &p : is_simple ? simple : crossing) {
            int n = (int)p.size() / 2;
            SCOPED_TRACE("polygon of " + std::to_string(n) + " points from " +
                         std::to_string(p[0]) + "," + std::to_string(p[1]));
            auto draw = [&] { v_fillarea(handle, n, p.data()); };
            std::vector<bool> fill = fill_of(draw), perimeter = perimeter_of(draw);
            EXPECT_EQ(fill, even_odd(p));
            // The perimeter: Allegro's lines along the edges, touching the
            // outside (at a concave corner only diagonally) wherever edges do
            // not cross.
            EXPECT_EQ(perimeter, allegro([&](BITMAP *b) {
                          for (int i = 0; i < n; i++)
                              line(b, p[2 * i], p[2 * i + 1], p[(2 * i + 2) % (2 * n)],
                                   p[(2 * i + 3) % (2 * n)], 1);
                      }));
            std::vector<bool> fill_edge = edge_of(fill, true);
            for (size_t i = 0; is_simple && i < fill.size(); i++)
                ASSERT_FALSE(perimeter[i] && !fill_edge[i]) << "perimeter inside at " << i;
        }
}

TEST_F(VdiShapes, PolygonCountsOutsideTwoToTheLimitDrawNothing)
{
    std::vector<short> ring;
    for (int i = 0; i < GEM_MAX_POLYGON + 1; i++) {
        double t = i * 2 * 3.14159265358979 / (GEM_MAX_POLYGON + 1);
        ring.push_back((short)(160 + 90 * std::cos(t)));
        ring.push_back((short)(100 + 90 * std::sin(t)));
    }
    EXPECT_EQ(count(fill_of([&] { v_fillarea(handle, GEM_MAX_POLYGON + 1, ring.data()); })), 0);
    EXPECT_GT(count(fill_of([&] { v_fillarea(handle, GEM_MAX_POLYGON, ring.data()); })), 20000);
    for (int n : {-3, 0, 1})
        EXPECT_EQ(count(fill_of([&] { v_fillarea(handle, n, ring.data()); })), 0) << n;
    EXPECT_EQ(count(fill_of([] { v_fillarea(handle, 3, nullptr); })), 0);
    // Two points: the line between them.
    const short two[4] = {10, 10, 60, 30};
    EXPECT_EQ(fill_of([&] { v_fillarea(handle, 2, two); }),
              allegro([](BITMAP *b) { line(b, 10, 10, 60, 30, 1), line(b, 60, 30, 10, 10, 1); }));
}

TEST_F(VdiShapes, RoundedBoxesHaveCornersOfAQuarterOfTheShorterSideUpToEight)
{
    struct Case {
        short box[4];
        int radius;
    } cases[] = {{{20, 20, 220, 120}, 8},
                 {{220, 120, 20, 20}, 8},
                 {{20, 20, 36, 180}, 4},
                 {{50, 50, 52, 90}, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.radius);
        std::vector<bool> fill = fill_of([&] { v_rfbox(handle, c.box); });
        int x1 = std::min(c.box[0], c.box[2]), y1 = std::min(c.box[1], c.box[3]);
        int x2 = std::max(c.box[0], c.box[2]), y2 = std::max(c.box[1], c.box[3]);
        // Each corner is a quarter of Allegro's filled circle.
        std::vector<bool> expect = allegro([&](BITMAP *b) {
            int r = c.radius;
            rectfill(b, x1 + r, y1, x2 - r, y2, 1);
            rectfill(b, x1, y1 + r, x2, y2 - r, 1);
            for (int cx : {x1 + r, x2 - r})
                for (int cy : {y1 + r, y2 - r})
                    circlefill(b, cx, cy, r, 1);
        });
        EXPECT_EQ(fill, expect);
        std::vector<bool> edge = perimeter_of([&] { v_rfbox(handle, c.box); });
        EXPECT_EQ(edge, edge_of(fill));
        vsl_width(handle, 1);
        EXPECT_EQ(line_of([&] { v_rbox(handle, c.box); }), edge);
    }
}

TEST_F(VdiShapes, ContourFillStopsAtItsColourOrLeavesTheSeedsColour)
{
    clear_to_color(screen, 5);
    rect(screen, 40, 40, 140, 120, 2);
    rectfill(screen, 60, 60, 80, 80, 3);  // an island of another colour
    vsf_color(handle, 9);
    v_contourfill(handle, 45, 45, 2);  // over the island, up to the frame
    EXPECT_EQ(getpixel(screen, 70, 70), 9);
    EXPECT_EQ(getpixel(screen, 139, 119), 9);
    EXPECT_EQ(getpixel(screen, 140, 120), 2);
    EXPECT_EQ(getpixel(screen, 150, 130), 5);

    rectfill(screen, 60, 60, 80, 80, 3);
    vsf_color(handle, 4);
    v_contourfill(handle, 45, 45, -1);  // colour 9 only: the island stays
    EXPECT_EQ(getpixel(screen, 45, 45), 4);
    EXPECT_EQ(getpixel(screen, 70, 70), 3);
    EXPECT_EQ(getpixel(screen, 150, 130), 5);

    v_contourfill(handle, 45, 45, 4);  // the seed has the bounding colour
    EXPECT_EQ(getpixel(screen, 45, 45), 4);
    short clip[4] = {0, 0, 30, 30};
    vs_clip(handle, 1, clip);
    v_contourfill(handle, 45, 45, -1);  // seed outside the clip
    EXPECT_EQ(getpixel(screen, 45, 45), 4);
    v_contourfill(handle, 10, 10, -1);  // bounded by the clip
    EXPECT_EQ(getpixel(screen, 30, 30), 4);
    EXPECT_EQ(getpixel(screen, 31, 30), 5);
}

TEST_F(VdiShapes, ContourFillCoversAWholeLargeScreen)
{
    headless::start(2);
    clear_to_color(screen, 0);
    for (int x = 1; x < 800; x += 2)  // a comb: a run per column
        vline(screen, x, x % 4 == 1 ? 1 : 0, x % 4 == 1 ? 599 : 598, 7);
    vsf_color(handle, 3);
    v_contourfill(handle, 0, 0, 7);
    EXPECT_EQ(count(in_colour(3)), 400 * 600 + 400);  // the even columns and the gaps
    EXPECT_EQ(getpixel(screen, 798, 599), 3);
}

TEST_F(VdiShapes, EachInteriorAndStyleFillsWithItsPatternFromTheScreenOrigin)
{
    struct Case {
        int interior, style;
        const unsigned short *rows;
    } cases[] = {
        {FIS_PATTERN, 1, _fill_patterns[0]},   {FIS_PATTERN, 4, _fill_patterns[3]},
        {FIS_PATTERN, 13, _fill_patterns[12]}, {FIS_PATTERN, 24, _fill_patterns[23]},
        {FIS_HATCH, 1, _fill_hatches[0]},      {FIS_HATCH, 7, _fill_hatches[6]},
        {FIS_HATCH, 12, _fill_hatches[11]},    {FIS_HATCH, 20, _fill_hatches[0]},
    };
    const short bar[4] = {13, 7, 90, 60};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.interior) + "/" + std::to_string(c.style));
        clear_to_color(screen, 5);
        vsf_interior(handle, FIS_PATTERN);  // styles up to 24 are kept ...
        vsf_style(handle, c.style);
        vsf_interior(handle, c.interior);  // ... and a hatch above 12 is the first
        vsf_color(handle, 2);
        v_bar(handle, bar);
        int wrong = 0;
        for (int y = 0; y < 200; y++)
            for (int x = 0; x < 320; x++) {
                bool inside = x > 13 && x < 90 && y > 7 && y < 60;
                bool edge = !inside && x >= 13 && x <= 90 && y >= 7 && y <= 60;
                int want = edge ? 2 : !inside ? 5 : c.rows[y & 15] >> (15 - (x & 15)) & 1 ? 2 : 0;
                wrong += getpixel(screen, x, y) != want;
            }
        EXPECT_EQ(wrong, 0);
    }
    // Hollow: colour 0 in replace mode, untouched in the others.
    vsf_interior(handle, FIS_HOLLOW);
    vsf_perimeter(handle, 0);
    clear_to_color(screen, 5);
    v_bar(handle, bar);
    EXPECT_EQ(count(in_colour(0)), 78 * 54);
    vswr_mode(handle, MD_TRANS);
    clear_to_color(screen, 5);
    v_bar(handle, bar);
    EXPECT_EQ(count(in_colour(5)), 320 * 200);
}

TEST_F(VdiShapes, BadRadiiAreRefusedOrClamped)
{
    EXPECT_EQ(count(fill_of([] { v_circle(handle, 100, 100, -5); })), 0);
    EXPECT_EQ(count(fill_of([] { v_ellipse(handle, 100, 100, 10, -1); })), 0);
    EXPECT_EQ(count(fill_of([] { v_pieslice(handle, 100, 100, -10, 0, 900); })), 0);
    EXPECT_EQ(count(line_of([] { v_arc(handle, 100, 100, -10, 0, 900); })), 0);
    EXPECT_EQ(count(fill_of([] { v_circle(handle, 100, 100, 0); })), 1);
    EXPECT_EQ(count(fill_of([] { v_ellpie(handle, 100, 100, 0, 0, 900, 1800); })), 1);
    EXPECT_EQ(count(line_of([] { v_arc(handle, 100, 100, 0, 1900, 2000); })), 1);

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(count(fill_of([] { v_circle(handle, 160, 100, 30000); })), 320 * 200);
    EXPECT_EQ(count(fill_of([] { v_ellipse(handle, 160, 100, 30000, 20000); })), 320 * 200);
    EXPECT_EQ(count(fill_of([] { v_ellpie(handle, 160, 100, 30000, 30000, 0, 900); })), 160 * 101);
    EXPECT_EQ(count(line_of([] { v_ellarc(handle, 160, 100, 30000, 25000, 0, 1800); })), 0);
    // Centres far away: nothing on the screen, and no overflow on the way.
    EXPECT_EQ(count(fill_of([] { v_circle(handle, 2000000000, -2000000000, 2000000000); })), 0);
    EXPECT_EQ(count(fill_of([] { v_ellpie(handle, -40000, 100, 1000, 1000, 0, 900); })), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
