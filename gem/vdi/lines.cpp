// Polylines and the line drawing shared with arcs and rounded boxes: dashes,
// widths, ends and writing modes.
#include <algorithm>
#include <cmath>

#include "gem/vdi/spans.h"
#include "gem/vdi/stroke.h"

namespace vdi {

namespace {

// The classic dash masks of line types 1 to 6, bit 15 first.
const unsigned short DASHES[6] = {0xFFFF, 0xFFF0, 0xE0E0, 0xFF18, 0xFF00, 0xF198};

// Steps the dash along a thin line's pixels, one bit a pixel, and draws each
// pixel in the colour of its bit (-1: not at all).
struct Dasher {
    BITMAP *bmp;
    int on, off;
    unsigned short dash;
    unsigned step;
    bool skip;  // the next pixel is the joint already drawn

    void dot(int x, int y)
    {
        int c = dash >> (15 - (step++ & 15)) & 1 ? on : off;
        if (c >= 0)
            putpixel(bmp, x, y, c);
    }
};

// The dasher of the line being drawn: do_line hands its callback no context.
Dasher *dashing;

void dash_pixel(BITMAP *, int x, int y, int)
{
    if (dashing->skip)
        dashing->skip = false;
    else
        dashing->dot(x, y);
}

void thin(Canvas &canvas, const std::vector<Point> &path, const Pen &pen, bool pixels)
{
    int on = canvas.bit(true, pen.colour).colour, off = canvas.bit(false, pen.colour).colour;
    BITMAP *bmp = canvas.target();
    if (pen.dash == 0xFFFF && !pixels) {
        // Allegro's own lines, as the layer has always drawn them.
        if (on < 0)
            return;
        if (path.size() == 1)
            putpixel(bmp, path[0].x, path[0].y, on);
        for (size_t i = 0; i + 1 < path.size(); i++)
            line(bmp, path[i].x, path[i].y, path[i + 1].x, path[i + 1].y, on);
        return;
    }
    Dasher d = {bmp, on, off, pen.dash, 0, false};
    if (pixels || path.size() == 1) {
        for (const Point &p : path)
            d.dot(p.x, p.y);
        return;
    }
    dashing = &d;
    for (size_t i = 0; i + 1 < path.size(); i++) {
        d.skip = i > 0;
        do_line(bmp, path[i].x, path[i].y, path[i + 1].x, path[i + 1].y, 0, dash_pixel);
    }
}

// A quadrilateral `half` pixels either side of the segment a-b, butt ended.
void segment(BITMAP *bmp, const Rect &area, Point a, Point b, int half, int colour)
{
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    double nx = -dy / len * half * SUBPIXEL, ny = dx / len * half * SUBPIXEL;
    auto corner = [](Point p, double ox, double oy) {
        return Point{(int)std::lround(p.x * SUBPIXEL + ox), (int)std::lround(p.y * SUBPIXEL + oy)};
    };
    Point quad[4] = {corner(a, nx, ny), corner(b, nx, ny), corner(b, -nx, -ny),
                     corner(a, -nx, -ny)};
    fill_convex(bmp, quad, 4, area, colour);
}

bool same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

void wide(Canvas &canvas, const std::vector<Point> &path, const Pen &pen, bool closed)
{
    int colour = canvas.solid(pen.colour).colour;
    if (colour < 0)
        return;
    BITMAP *bmp = canvas.target();
    int half = (pen.width - 1) / 2;
    bool drawn = false;
    for (size_t i = 0; i + 1 < path.size(); i++)
        if (!same(path[i], path[i + 1])) {
            segment(bmp, canvas.rect(), path[i], path[i + 1], half, colour);
            drawn = true;
        }
    // Round joints; a closed path is joined at its start too, and a path
    // that never moves is one round dot.
    size_t first = closed ? 0 : 1, last = closed ? path.size() : path.size() - 1;
    for (size_t i = first; i < last; i++)
        circlefill(bmp, path[i].x, path[i].y, half, colour);
    if (!drawn)
        circlefill(bmp, path[0].x, path[0].y, half, colour);
}

// Every few pixels of a curve, its two ends kept: the vertices of a wide
// line along it.
std::vector<Point> thinned(const std::vector<Point> &pixels, int every)
{
    std::vector<Point> v;
    for (size_t i = 0; i < pixels.size(); i += every)
        v.push_back(pixels[i]);
    if (!same(v.back(), pixels.back()))
        v.push_back(pixels.back());
    return v;
}

// An arrow head: its tip on the end of the line, its base `length` back
// along the line, `half` wide each side.
struct Arrow {
    Point tip;
    double ux, uy;  // from the base to the tip
    double length, half;
    size_t drop;  // vertices at this end that a shortened line loses, the tip first
};

// The arrow on the end of `path` (its first point when `at_start`). Its
// direction comes from the first vertex, walking back along the path, at
// least the arrow's length from the tip; a shorter path gives a shorter
// arrow. False when the path never leaves the tip.
bool arrow_at(const std::vector<Point> &path, bool at_start, int width, Arrow &a)
{
    size_t n = path.size();
    auto at = [&](size_t k) { return at_start ? path[k] : path[n - 1 - k]; };
    a.tip = at(0);
    a.length = 2.0 * width + 6;
    a.half = width + 2;
    size_t k = 1;
    double dist = 0;
    for (; k < n; k++) {
        dist = std::hypot(a.tip.x - at(k).x, a.tip.y - at(k).y);
        if (dist >= a.length)
            break;
    }
    if (k == n) {
        k = n - 1;
        if (dist == 0)
            return false;
        a.length = dist;
    }
    a.ux = (a.tip.x - at(k).x) / dist;
    a.uy = (a.tip.y - at(k).y) / dist;
    a.drop = k;
    return true;
}

Point base_of(const Arrow &a)
{
    return {(int)std::lround(a.tip.x - a.ux * a.length),
            (int)std::lround(a.tip.y - a.uy * a.length)};
}

// Ends the path at the arrow's base instead of its tip, so that a wide line
// does not stick out beside the point of the arrow.
void shorten(std::vector<Point> &path, const Arrow &a, bool at_start)
{
    size_t drop = std::min(a.drop, path.size() - 1);
    if (at_start) {
        path.erase(path.begin(), path.begin() + drop);
        path.insert(path.begin(), base_of(a));
    } else {
        path.resize(path.size() - drop);
        path.push_back(base_of(a));
    }
}

void draw_arrow(Canvas &canvas, const Arrow &a, int colour)
{
    double bx = (a.tip.x - a.ux * a.length) * SUBPIXEL, by = (a.tip.y - a.uy * a.length) * SUBPIXEL;
    double ox = -a.uy * a.half * SUBPIXEL, oy = a.ux * a.half * SUBPIXEL;
    Point head[3] = {{a.tip.x * SUBPIXEL, a.tip.y * SUBPIXEL},
                     {(int)std::lround(bx + ox), (int)std::lround(by + oy)},
                     {(int)std::lround(bx - ox), (int)std::lround(by - oy)}};
    fill_convex(canvas.target(), head, 3, canvas.rect(), colour);
}

}  // namespace

Pen line_pen()
{
    int width = std::min(std::max<int>(_vdi.line_width, 1), GEM_MAX_LINE_WIDTH);
    if (width % 2 == 0)
        width--;
    unsigned short dash = _vdi.line_type == USERLINE ? _vdi.line_udsty
                          : _vdi.line_type >= SOLID && _vdi.line_type <= DASH2DOT
                              ? DASHES[_vdi.line_type - 1]
                              : 0xFFFF;
    return {_linecol, width, width > 1 ? (unsigned short)0xFFFF : dash, _vdi.line_begin,
            _vdi.line_end};
}

int stroke_margin(const Pen &pen) { return 3 * pen.width + 8; }

void stroke(Canvas &canvas, std::vector<Point> path, const Pen &pen, bool pixels, bool closed)
{
    if (path.empty() || canvas.empty())
        return;
    bool wide_line = pen.width > 1;
    if (wide_line && pixels)
        path = thinned(path, std::max(1, pen.width / 2));
    if (closed && wide_line)
        path.push_back(path.front());

    Arrow arrows[2];
    bool arrowed[2] = {false, false};
    if (!closed) {
        int ends[2] = {pen.begin, pen.end};
        for (int e = 0; e < 2; e++)
            arrowed[e] = ends[e] == ARROWED && arrow_at(path, e == 0, pen.width, arrows[e]);
        // Both arrows are placed on the whole path before either end is cut.
        for (int e = 1; wide_line && e >= 0; e--)
            if (arrowed[e])
                shorten(path, arrows[e], e == 0);
    }

    if (wide_line)
        wide(canvas, path, pen, closed);
    else
        thin(canvas, path, pen, pixels);

    int solid = canvas.solid(pen.colour).colour;
    if (solid < 0)
        return;
    for (int e = 0; e < 2; e++)
        if (arrowed[e])
            draw_arrow(canvas, arrows[e], solid);
    int half = (pen.width - 1) / 2;
    if (!closed && wide_line && pen.begin == ROUND)
        circlefill(canvas.target(), path.front().x, path.front().y, half, solid);
    if (!closed && wide_line && pen.end == ROUND)
        circlefill(canvas.target(), path.back().x, path.back().y, half, solid);
}

}  // namespace vdi

// count - 1 segments from each point to the next, with the line attributes.
// The clip rectangle does not apply (the layer's object frames rely on it);
// the surface and any Allegro clip set on it still do. Under the default
// attributes these are Allegro's own lines in _linecol.
void v_pline(int handle, int count, const short *pxy)
{
    if (!pxy || count < 2 || count > GEM_MAX_POLYGON)
        return;
    vdi::Pen pen = vdi::line_pen();
    vdi::Canvas canvas(handle, false, vdi::bounds(pxy, count, vdi::stroke_margin(pen)));
    std::vector<vdi::Point> path;
    for (int i = 0; i < count; i++)
        path.push_back({pxy[2 * i], pxy[2 * i + 1]});
    vdi::stroke(canvas, path, pen, false, false);
}
