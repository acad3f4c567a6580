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

void add_span(std::vector<Span> &out, const Rect &area, int y, long long x1, long long x2)
{
    x1 = std::max<long long>(x1, area.x1);
    x2 = std::min<long long>(x2, area.x2);
    if (x1 <= x2)
        out.push_back({y, (int)x1, (int)x2});
}

// An edge going down from (x0, y0) by dy > 0 rows and dx columns; it crosses
// the rows first..last, the last row (its lower end) excluded.
struct Edge {
    long long x0, y0, dx, dy;
    int first, last;
};

// Where an edge crosses row y: x = num / den exactly.
struct Crossing {
    long long num, den;
    bool operator<(const Crossing &o) const { return num * o.den < o.num * den; }
};

}  // namespace

void polygon_spans(const Point *v, int n, const Rect &area, std::vector<Span> &out)
{
    std::vector<Edge> edges;
    for (int i = 0; i < n; i++) {
        Point a = v[i], b = v[(i + 1) % n];
        if (a.y == b.y)
            continue;
        if (a.y > b.y)
            std::swap(a, b);
        edges.push_back({a.x, a.y, b.x - a.x, b.y - a.y, a.y, b.y - 1});
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge &a, const Edge &b) { return a.first < b.first; });

    std::vector<const Edge *> active;
    std::vector<Crossing> crossings;
    size_t next = 0;
    for (int y = area.y1; y <= area.y2; y++) {
        while (next < edges.size() && edges[next].first <= y)
            active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [y](const Edge *e) { return e->last < y; }),
                     active.end());
        if (active.empty()) {
            if (next == edges.size())
                break;
            continue;
        }
        crossings.clear();
        for (const Edge *e : active)
            crossings.push_back({e->x0 * e->dy + (y - e->y0) * e->dx, e->dy});
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2)
            add_span(out, area, y, ceil_div(crossings[k].num, crossings[k].den),
                     floor_div(crossings[k + 1].num, crossings[k + 1].den));
    }
}

void convex_spans(const Point *v, int n, const Rect &area, std::vector<Span> &out)
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
            add_span(out, area, y, left, right);
    }
}

void draw_spans(BITMAP *bmp, const std::vector<Span> &spans, int colour)
{
    for (const Span &s : spans)
        hline(bmp, s.x1, s.y, s.x2, colour);
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
