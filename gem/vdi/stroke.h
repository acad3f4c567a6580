// Lines with the line attributes: the one routine behind v_pline, v_arc,
// v_ellarc and v_rbox.
#pragma once

#include <vector>

#include "gem/vdi/paint.h"

namespace vdi {

struct Pen {
    int colour;
    int width;            // odd, 1 to GEM_MAX_LINE_WIDTH
    unsigned short dash;  // bit 15 first; wide lines are solid
    int begin, end;       // SQUARE, ARROWED or ROUND
};

// The pen of the line attributes.
Pen line_pen();

// Room a stroke of `pen` needs beyond its path on every side.
int stroke_margin(const Pen &pen);

// Draws `path` on the canvas. Its points are the vertices of straight
// segments or, when `pixels`, every pixel of a curve in order. A thin line
// steps the dash one bit a pixel from the first point on, each pixel once;
// a wide one is solid with round joints, a curve's pixels thinned to
// vertices a few pixels apart. A `closed` path joins its last point to the
// first and has no ends.
void stroke(Canvas &canvas, std::vector<Point> path, const Pen &pen, bool pixels, bool closed);

}  // namespace vdi
