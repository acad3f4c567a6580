// Regions: sets of screen pixels kept as lists of rectangles that do not
// overlap. The window manager works out with them what of each window and
// of the desktop shows, what a change uncovered, and the rectangle lists it
// hands to programs.
#pragma once

#include <vector>

#include "gem/gem.h"

namespace win {

// A rectangle with its right and bottom edges excluded: x1 <= x < x2.
struct Rect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    static Rect of(const GRECT &g) { return {g.g_x, g.g_y, g.g_x + g.g_w, g.g_y + g.g_h}; }
    static Rect xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

    bool empty() const { return x1 >= x2 || y1 >= y2; }
    long area() const { return empty() ? 0 : (long)(x2 - x1) * (y2 - y1); }
    bool contains(int x, int y) const { return x >= x1 && x < x2 && y >= y1 && y < y2; }
    Rect operator&(const Rect &o) const;
    Rect moved(int dx, int dy) const { return {x1 + dx, y1 + dy, x2 + dx, y2 + dy}; }
    bool operator==(const Rect &o) const
    {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
    }
    GRECT grect() const;
};

class Region {
public:
    Region() = default;
    explicit Region(const Rect &r);

    const std::vector<Rect> &rects() const { return rects_; }
    bool empty() const { return rects_.empty(); }
    long area() const;
    Rect bounds() const;

    void subtract(const Rect &r);
    void subtract(const Region &r);
    void intersect(const Rect &r);
    // Joins neighbours that share a whole edge and orders the list top to
    // bottom, left to right: fewer, larger rectangles for the same pixels.
    void tidy();

private:
    std::vector<Rect> rects_;
};

}  // namespace win
