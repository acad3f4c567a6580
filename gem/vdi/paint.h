// The shared core of the VDI drawing calls: the rectangle a call may draw in
// (Canvas) and how the writing mode and fill pattern turn into Allegro
// drawing modes (Brush).
//
// Every call draws through a Canvas. In MD_REPLACE, MD_TRANS and MD_ERASE it
// draws straight onto the surface, each part of a shape with its own brush,
// later parts over earlier ones. In MD_XOR it draws the same parts in colour 1
// onto a scratch mask, so that overlapping parts merge, and the canvas inverts
// bit 0 of the surface under every marked pixel when it closes: each pixel at
// most once per call.
#pragma once

#include "gem/internal.h"

namespace vdi {

struct Point {
    int x, y;
};

// Inclusive pixel rectangle; empty when a corner passes the other.
struct Rect {
    int x1, y1, x2, y2;
    bool empty() const { return x1 > x2 || y1 > y2; }
};

Rect intersect(const Rect &a, const Rect &b);

// The smallest rectangle holding `count` points of `pxy`, grown by `margin`.
Rect bounds(const short *pxy, int count, int margin);

// An Allegro drawing mode, its pattern and its colour, or nothing at all
// (colour -1).
struct Brush {
    int mode;
    BITMAP *pattern;
    int colour;
    bool draws() const { return colour >= 0; }
    void select() const { drawing_mode(mode, pattern, 0, 0); }
};

class Canvas {
public:
    // The pixels of `handle`'s surface that a call may touch: inside the
    // surface, the Allegro clip already set on it, `area`, and the clip
    // rectangle when `clipped`. Sets that as the Allegro clip of the
    // surface and hides the pointer over it.
    Canvas(int handle, bool clipped, const Rect &area);
    // Inverts what was marked (XOR), then puts back the surface's clip,
    // the solid drawing mode and the pointer.
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    bool empty() const { return rect_.empty(); }
    const Rect &rect() const { return rect_; }
    bool contains(int x, int y) const
    {
        return x >= rect_.x1 && x <= rect_.x2 && y >= rect_.y1 && y <= rect_.y2;
    }
    BITMAP *surface() const { return surface_; }
    // Where the drawing goes: the surface, or the mask in XOR mode.
    BITMAP *target() const { return target_; }

    // The fill interior in `colour` with the current interior, style and
    // writing mode.
    Brush fill(int colour) const;
    // Pixels whose pattern or dash bit is `bit` (solid lines: 1).
    Brush bit(bool bit, int colour) const;
    Brush solid(int colour) const { return bit(true, colour); }

private:
    BITMAP *surface_ = nullptr, *target_ = nullptr;
    Rect rect_ = {0, 0, -1, -1};
    int old_x1_ = 0, old_y1_ = 0, old_x2_ = 0, old_y2_ = 0, old_clipping_ = 0;
    bool xor_ = false, scared_ = false;
};

// Draws `interior(bitmap, colour)` with the fill brush of `colour`: the
// callable draws with Allegro calls, which honour the drawing mode selected.
template <class Interior>
void paint_interior(Canvas &canvas, int colour, Interior interior)
{
    Brush inside = canvas.fill(colour);
    if (inside.draws()) {
        inside.select();
        interior(canvas.target(), inside.colour);
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    }
}

// A filled shape in the fill colour: its interior, then, when the perimeter
// is on, `outline(bitmap, colour)` over it in the solid brush. Every shape's
// outline lies on its interior, so over a solid interior of the same colour
// it would change nothing and is left out.
template <class Interior, class Outline>
void paint_filled(Canvas &canvas, Interior interior, Outline outline)
{
    paint_interior(canvas, _fillcol, interior);
    Brush inside = canvas.fill(_fillcol), edge = canvas.solid(_fillcol);
    bool hidden = inside.mode == DRAW_MODE_SOLID && inside.colour == edge.colour;
    if (_vdi.perimeter && edge.draws() && !hidden)
        outline(canvas.target(), edge.colour);
}

// Radii are clamped to this: Allegro's ellipse is exact up to there, and it
// is more than the diagonal of the largest screen (1000), so a shape centred
// on the screen looks the same whatever larger radius it is given.
constexpr int MAX_RADIUS = 1024;

// Centre coordinates are kept in the range of a short, radii within
// 0..MAX_RADIUS (the caller refuses negative ones).
int clamp_coord(int c);
int clamp_radius(int r);

}  // namespace vdi
