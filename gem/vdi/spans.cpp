// Scanline conversion of polygons, ellipse outlines and sectors.
#include "gem/vdi/spans.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vdi {

namespace {

constexpr double PI = 3.14159265358979323846;

long long floor_div(long long n, long long d)  // d > 0
{
    long long q = n / d;
    return n % d != 0 && n < 0 ? q - 1 : q;
}

long long ceil_div(long long n, long long d) { return -floor_div(-n, d); }

void span(BITMAP *bmp, const Rect &area, int y, long long x1, long long x2, int colour)
{
    x1 = std::max<long long>(x1, area.x1);
    x2 = std::min<long long>(x2, area.x2);
    if (x1 <= x2)
        hline(bmp, (int)x1, y, (int)x2, colour);
}

// An edge going down from its top end to the row `last` (its lower end's row
// excluded), and where it crosses the current row: exactly at
// x + frac / dy, 0 <= frac < dy, stepped a row at a time.
struct Edge {
    int last;
    int x, frac, dy;
    int step, step_frac;  // dx / dy as a whole part and a remainder

    Edge(Point top, Point bottom, int row) : last(bottom.y - 1), dy(bottom.y - top.y)
    {
        int dx = bottom.x - top.x;
        step = (int)floor_div(dx, dy);
        step_frac = dx - step * dy;
        long long along = (long long)(row - top.y) * dx;
        long long whole = floor_div(along, dy);
        x = (int)(top.x + whole);
        frac = (int)(along - whole * dy);
    }
    void next_row()  // without a branch: the carry comes at random
    {
        frac += step_frac;
        int carry = frac >= dy;
        x += step + carry;
        frac -= carry * dy;
    }
    bool left_of(const Edge &o) const
    {
        return x != o.x ? x < o.x : (long long)frac * o.dy < (long long)o.frac * dy;
    }
    int ceil() const { return x + (frac > 0); }
};

}  // namespace

void fill_polygon(BITMAP *bmp, const Point *v, int n, const Rect &area, int colour)
{
    struct Pending {
        Point top, bottom;
    };
    std::vector<Pending> edges;
    for (int i = 0; i < n; i++) {
        Point a = v[i], b = v[(i + 1) % n];
        if (a.y == b.y)
            continue;
        if (a.y > b.y)
            std::swap(a, b);
        edges.push_back({a, b});
    }
    std::sort(edges.begin(), edges.end(),
              [](const Pending &a, const Pending &b) { return a.top.y < b.top.y; });

    // The edges crossing the current row, kept in order of their crossings:
    // a new edge goes in at its place, and from one row to the next the order
    // hardly changes, so an insertion sort keeps it at little cost.
    std::vector<Edge> active;
    size_t next = 0;
    for (int y = area.y1; y <= area.y2; y++) {
        for (; next < edges.size() && edges[next].top.y <= y; next++) {
            if (edges[next].bottom.y <= y)
                continue;
            Edge e(edges[next].top, edges[next].bottom, y);
            active.insert(
                std::upper_bound(active.begin(), active.end(), e,
                                 [](const Edge &a, const Edge &b) { return a.left_of(b); }),
                e);
        }
        for (size_t k = 0; k + 1 < active.size(); k += 2)
            span(bmp, area, y, active[k].ceil(), active[k + 1].x, colour);
        // On to the next row in one pass: edges that end here leave, the
        // others step, and each moves back past any it has overtaken.
        size_t kept = 0;
        for (size_t k = 0; k < active.size(); k++) {
            Edge e = active[k];
            if (e.last <= y)
                continue;
            e.next_row();
            size_t j = kept++;
            for (; j > 0 && e.left_of(active[j - 1]); j--)
                active[j] = active[j - 1];
            active[j] = e;
        }
        active.erase(active.begin() + kept, active.end());
        if (active.empty() && next == edges.size())
            break;
    }
}

void fill_convex(BITMAP *bmp, const Point *v, int n, const Rect &area, int colour)
{
    if (n < 1)
        return;
    int top = INT_MAX, bottom = INT_MIN;
    for (int i = 0; i < n; i++) {
        top = std::min(top, v[i].y);
        bottom = std::max(bottom, v[i].y);
    }
    int y1 = std::max<long long>(area.y1, ceil_div(top, SUBPIXEL));
    int y2 = std::min<long long>(area.y2, floor_div(bottom, SUBPIXEL));
    for (int y = y1; y <= y2; y++) {
        long long row = (long long)y * SUBPIXEL, left = LLONG_MAX, right = LLONG_MIN;
        for (int i = 0; i < n; i++) {
            Point a = v[i], b = v[(i + 1) % n];
            if (a.y > b.y)
                std::swap(a, b);
            if (row < a.y || row > b.y)
                continue;
            if (a.y == b.y) {
                left = std::min(left, ceil_div(std::min(a.x, b.x), SUBPIXEL));
                right = std::max(right, floor_div(std::max(a.x, b.x), SUBPIXEL));
                continue;
            }
            long long den = (long long)(b.y - a.y) * SUBPIXEL;
            long long num = (long long)a.x * (b.y - a.y) + (row - a.y) * (b.x - a.x);
            left = std::min(left, ceil_div(num, den));
            right = std::max(right, floor_div(num, den));
        }
        if (left <= right)
            span(bmp, area, y, left, right, colour);
    }
}

namespace {

std::vector<Point> *collecting;

void collect(BITMAP *, int x, int y, int) { collecting->push_back({x, y}); }

}  // namespace

std::vector<Point> ellipse_outline(int rx, int ry)
{
    std::vector<Point> points;
    collecting = &points;
    if (rx == ry)
        do_circle(nullptr, 0, 0, rx, 0, collect);
    else
        do_ellipse(nullptr, 0, 0, rx, ry, 0, collect);
    auto order = [](const Point &a, const Point &b) { return a.y != b.y ? a.y < b.y : a.x < b.x; };
    std::sort(points.begin(), points.end(), order);
    points.erase(
        std::unique(points.begin(), points.end(),
                    [](const Point &a, const Point &b) { return a.x == b.x && a.y == b.y; }),
        points.end());
    return points;
}

Sector::Sector(int begin, int end, int rx, int ry) : rx_(rx), ry_(ry)
{
    int b = (begin % 3600 + 3600) % 3600;
    int e = (end % 3600 + 3600) % 3600;
    int sweep = (e - b + 3600) % 3600;
    full_ = sweep == 0;
    begin_ = b * PI / 1800;
    sweep_ = full_ ? 2 * PI : sweep * PI / 1800;
}

Sector::Sector(Point from, Point to) : begin_(0), sweep_(0), rx_(1), ry_(1), full_(false)
{
    begin_ = along(from.x, from.y);  // measured from 3 o'clock
    sweep_ = along(to.x, to.y);      // measured from `from`
}

double Sector::along(int dx, int dy) const
{
    // Into the circle the ellipse is squeezed from, y pointing up.
    double qx = rx_ == ry_ ? dx : (double)dx * ry_;
    double qy = rx_ == ry_ ? -dy : -(double)dy * rx_;
    double t = std::atan2(qy, qx) - begin_;
    while (t < 0)
        t += 2 * PI;
    // A pixel on the starting ray, a rounding error below 2 pi.
    return t > 2 * PI - 1e-9 ? 0 : t;
}

std::vector<Point> arc_path(const std::vector<Point> &outline, const Sector &sector)
{
    struct Placed {
        double along;
        Point p;
    };
    std::vector<Placed> placed;
    for (const Point &p : outline)
        if (sector.contains(p.x, p.y))
            placed.push_back({sector.along(p.x, p.y), p});
    std::sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) {
        if (a.along != b.along)
            return a.along < b.along;
        return a.p.y != b.p.y ? a.p.y < b.p.y : a.p.x < b.p.x;
    });
    std::vector<Point> path;
    for (const Placed &p : placed)
        path.push_back(p.p);
    return path;
}

}  // namespace vdi
