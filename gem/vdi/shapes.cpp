// Circles, ellipses, arcs, pie slices and rounded boxes.
//
// Radii below zero draw nothing, radius zero is the centre pixel, and radii
// above MAX_RADIUS are clamped to it. Filled circles and ellipses are
// Allegro's own, their perimeters Allegro's outlines, which are exactly the
// fills' edge pixels. Arcs take the pixels of those outlines that lie in the
// sector, pies those of the fills between the rays their radii are drawn on,
// so both match the whole shapes pixel for pixel.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gem/vdi/paint.h"
#include "gem/vdi/spans.h"
#include "gem/vdi/stroke.h"

namespace {

using vdi::Point;
using vdi::Rect;

Rect around(int x, int y, int rx, int ry, int margin)
{
    return {x - rx - margin, y - ry - margin, x + rx + margin, y + ry + margin};
}

// False for a negative radius; else brings the centre and radii into range.
bool clamp(int &x, int &y, int &rx, int &ry)
{
    if (rx < 0 || ry < 0)
        return false;
    x = vdi::clamp_coord(x);
    y = vdi::clamp_coord(y);
    rx = vdi::clamp_radius(rx);
    ry = vdi::clamp_radius(ry);
    return true;
}

void filled_ellipse(int handle, int x, int y, int rx, int ry)
{
    if (!clamp(x, y, rx, ry))
        return;
    vdi::Canvas canvas(handle, true, around(x, y, rx, ry, 0));
    if (canvas.empty())
        return;
    if (rx == ry)
        vdi::paint_filled(
            canvas, [&](BITMAP *bmp, int colour) { circlefill(bmp, x, y, rx, colour); },
            [&](BITMAP *bmp, int colour) { circle(bmp, x, y, rx, colour); });
    else
        vdi::paint_filled(
            canvas, [&](BITMAP *bmp, int colour) { ellipsefill(bmp, x, y, rx, ry, colour); },
            [&](BITMAP *bmp, int colour) { ellipse(bmp, x, y, rx, ry, colour); });
}

// For each row of the outline (from -ry), its leftmost and rightmost pixel:
// the row of the filled shape, whose edge the outline is.
struct Rows {
    std::vector<int> left, right;
    Rows(const std::vector<Point> &outline, int ry)
        : left(2 * ry + 1, 1 << 30), right(2 * ry + 1, -(1 << 30))
    {
        for (const Point &p : outline) {
            left[p.y + ry] = std::min(left[p.y + ry], p.x);
            right[p.y + ry] = std::max(right[p.y + ry], p.x);
        }
    }
};

// The end of an arc: its last pixel in the sector, or, for a sector too
// narrow to hold one, the point of the ellipse at that angle.
Point arc_end(const std::vector<Point> &path, bool first, int angle, int rx, int ry)
{
    if (!path.empty())
        return first ? path.front() : path.back();
    double t = angle * 3.14159265358979323846 / 1800;
    return {(int)std::lround(rx * std::cos(t)), (int)std::lround(-ry * std::sin(t))};
}

// A pie: the fill's pixels in the sector, the two radii and the arc; the
// perimeter is the arc and the radii. A whole turn is the whole ellipse.
void pie(int handle, int x, int y, int rx, int ry, int begin, int end)
{
    if (!clamp(x, y, rx, ry))
        return;
    vdi::Sector sector(begin, end, rx, ry);
    if (sector.full()) {
        filled_ellipse(handle, x, y, rx, ry);
        return;
    }
    vdi::Canvas canvas(handle, true, around(x, y, rx, ry, 0));
    if (canvas.empty())
        return;
    std::vector<Point> outline = vdi::ellipse_outline(rx, ry);
    std::vector<Point> arc = vdi::arc_path(outline, sector);
    Point a = arc_end(arc, true, begin, rx, ry), b = arc_end(arc, false, end, rx, ry);
    auto radii = [&](BITMAP *bmp, int colour) {
        line(bmp, x, y, x + a.x, y + a.y, colour);
        line(bmp, x, y, x + b.x, y + b.y, colour);
    };
    // The fill is bounded by the rays through the arc's end pixels, on which
    // the radii are drawn, so that the radii lie on the fill's edge.
    vdi::Sector inside(a, b);
    Rows rows(outline, ry);
    const Rect &r = canvas.rect();
    auto interior = [&](BITMAP *bmp, int colour) {
        for (int py = std::max(r.y1, y - ry); py <= std::min(r.y2, y + ry); py++) {
            int dy = py - y;
            int x1 = std::max(r.x1, x + rows.left[dy + ry]);
            int x2 = std::min(r.x2, x + rows.right[dy + ry]);
            for (int px = x1; px <= x2; px++) {
                if (!inside.contains(px - x, dy))
                    continue;
                int start = px;
                while (px < x2 && inside.contains(px + 1 - x, dy))
                    px++;
                hline(bmp, start, py, px, colour);
            }
        }
        radii(bmp, colour);
    };
    auto perimeter = [&](BITMAP *bmp, int colour) {
        for (const Point &p : arc)
            putpixel(bmp, x + p.x, y + p.y, colour);
        radii(bmp, colour);
    };
    vdi::paint_filled(canvas, interior, perimeter);
}

// An arc with the line attributes, from `begin` counter-clockwise to `end`;
// a whole turn is a closed outline without ends.
void arc(int handle, int x, int y, int rx, int ry, int begin, int end)
{
    if (!clamp(x, y, rx, ry))
        return;
    vdi::Pen pen = vdi::line_pen();
    vdi::Canvas canvas(handle, true, around(x, y, rx, ry, vdi::stroke_margin(pen)));
    if (canvas.empty())
        return;
    vdi::Sector sector(begin, end, rx, ry);
    std::vector<Point> path = vdi::arc_path(vdi::ellipse_outline(rx, ry), sector);
    for (Point &p : path)
        p = {x + p.x, y + p.y};
    vdi::stroke(canvas, path, pen, true, sector.full());
}

// A rounded rectangle: corners ordered, each rounded with a quarter of
// Allegro's circle of radius a quarter of the shorter side, at most
// RBOX_RADIUS.
constexpr int RBOX_RADIUS = 8;

struct RoundedBox {
    int x1, y1, x2, y2, radius;
    std::vector<int> half;  // half widths of the corner circle's rows, the top one first
    std::vector<Point> corner;

    explicit RoundedBox(const short *pxy)
        : x1(std::min(pxy[0], pxy[2])), y1(std::min(pxy[1], pxy[3])), x2(std::max(pxy[0], pxy[2])),
          y2(std::max(pxy[1], pxy[3])),
          radius(std::min(RBOX_RADIUS, std::min(x2 - x1, y2 - y1) / 4)),
          corner(vdi::ellipse_outline(radius, radius))
    {
        Rows rows(corner, radius);
        half = rows.right;
    }

    // The fill's span in row y.
    void row(int y, int &left, int &right) const
    {
        int d = y < y1 + radius ? y1 + radius - y : y > y2 - radius ? y - (y2 - radius) : 0;
        int h = d ? half[radius - d] : radius;
        left = x1 + radius - h;
        right = x2 - radius + h;
    }

    // The outline's pixels, in order counter-clockwise from 3 o'clock.
    std::vector<Point> outline() const
    {
        std::vector<Point> around;  // doubled, from the box's centre
        auto add = [&](int px, int py) {
            around.push_back({2 * px - (x1 + x2), 2 * py - (y1 + y2)});
        };
        for (const Point &p : corner) {
            add(p.x >= 0 ? x2 - radius + p.x : x1 + radius + p.x,
                p.y >= 0 ? y2 - radius + p.y : y1 + radius + p.y);
        }
        for (int px = x1 + radius; px <= x2 - radius; px++) {
            add(px, y1);
            add(px, y2);
        }
        for (int py = y1 + radius; py <= y2 - radius; py++) {
            add(x1, py);
            add(x2, py);
        }
        std::sort(around.begin(), around.end(), [](const Point &a, const Point &b) {
            return a.y != b.y ? a.y < b.y : a.x < b.x;
        });
        around.erase(
            std::unique(around.begin(), around.end(),
                        [](const Point &a, const Point &b) { return a.x == b.x && a.y == b.y; }),
            around.end());
        std::vector<Point> path = vdi::arc_path(around, vdi::Sector(0, 0, 1, 1));
        for (Point &p : path)
            p = {(p.x + x1 + x2) / 2, (p.y + y1 + y2) / 2};
        return path;
    }
};

}  // namespace

void v_circle(int handle, int x, int y, int radius)
{
    filled_ellipse(handle, x, y, radius, radius);
}

void v_ellipse(int handle, int x, int y, int xradius, int yradius)
{
    filled_ellipse(handle, x, y, xradius, yradius);
}

void v_pieslice(int handle, int x, int y, int radius, int begin, int end)
{
    pie(handle, x, y, radius, radius, begin, end);
}

void v_ellpie(int handle, int x, int y, int xradius, int yradius, int begin, int end)
{
    pie(handle, x, y, xradius, yradius, begin, end);
}

void v_arc(int handle, int x, int y, int radius, int begin, int end)
{
    arc(handle, x, y, radius, radius, begin, end);
}

void v_ellarc(int handle, int x, int y, int xradius, int yradius, int begin, int end)
{
    arc(handle, x, y, xradius, yradius, begin, end);
}

void v_rbox(int handle, const short *pxy)
{
    if (!pxy)
        return;
    RoundedBox box(pxy);
    vdi::Pen pen = vdi::line_pen();
    int m = vdi::stroke_margin(pen);
    vdi::Canvas canvas(handle, true, {box.x1 - m, box.y1 - m, box.x2 + m, box.y2 + m});
    if (!canvas.empty())
        vdi::stroke(canvas, box.outline(), pen, true, true);
}

void v_rfbox(int handle, const short *pxy)
{
    if (!pxy)
        return;
    RoundedBox box(pxy);
    vdi::Canvas canvas(handle, true, {box.x1, box.y1, box.x2, box.y2});
    if (canvas.empty())
        return;
    const Rect &r = canvas.rect();
    vdi::paint_filled(
        canvas,
        [&](BITMAP *bmp, int colour) {
            for (int y = r.y1; y <= r.y2; y++) {
                int left, right;
                box.row(y, left, right);
                hline(bmp, left, y, right, colour);
            }
        },
        [&](BITMAP *bmp, int colour) {
            for (const Point &p : box.outline())
                putpixel(bmp, p.x, p.y, colour);
        });
}
