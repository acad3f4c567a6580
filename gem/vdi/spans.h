// Rows of pixels of the shapes Allegro cannot draw as the VDI wants them:
// even-odd polygons, convex polygons at sub-pixel precision (wide lines,
// arrow heads), ellipse outlines as point lists, and angular sectors of
// ellipses. Only the rows asked for are computed, so a shape far larger than
// the screen costs no more than the screen.
#pragma once

#include <vector>

#include "gem/vdi/paint.h"

namespace vdi {

// Draws with hline, in the drawing mode selected, the even-odd interior of
// the polygon `v` (n points, the closing edge implied) within `area`. A pixel
// is inside when its centre is; edges are half-open in y, so a caller that
// wants the whole boundary draws the edges too.
void fill_polygon(BITMAP *bmp, const Point *v, int n, const Rect &area, int colour);

// The same for the convex polygon `v` given in 1/SUBPIXEL pixel, its
// boundary included.
constexpr int SUBPIXEL = 16;
void fill_convex(BITMAP *bmp, const Point *v, int n, const Rect &area, int colour);

// The pixels of Allegro's circle (rx == ry) or ellipse of these radii
// around the origin, each once.
std::vector<Point> ellipse_outline(int rx, int ry);

// The counter-clockwise sweep from `begin` to `end` (tenths of a degree from
// 3 o'clock, screen y pointing down) of an ellipse with radii rx, ry; angles
// are the ellipse's own (x = rx cos t, y = -ry sin t). Equal angles after
// reduction modulo 3600 give the whole ellipse.
class Sector {
public:
    Sector(int begin, int end, int rx, int ry);
    // The sweep counter-clockwise from the ray through `from` to the ray
    // through `to`, both pixels from the centre.
    Sector(Point from, Point to);
    bool full() const { return full_; }
    // How far past `begin` the pixel at (dx, dy) from the centre lies, in
    // radians, 0 to 2 pi.
    double along(int dx, int dy) const;
    // The centre belongs to every sector.
    bool contains(int dx, int dy) const
    {
        return full_ || (dx == 0 && dy == 0) || along(dx, dy) <= sweep_ + 1e-9;
    }

private:
    double begin_, sweep_;
    int rx_, ry_;
    bool full_;
};

// The outline pixels inside `sector`, in order along it from its start.
std::vector<Point> arc_path(const std::vector<Point> &outline, const Sector &sector);

}  // namespace vdi
