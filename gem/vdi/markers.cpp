// Polymarkers: a small figure at each point, in the marker colour.
#include <algorithm>

#include "gem/vdi/paint.h"

namespace {

// The figure of `type` around (x, y), `k` pixels from its centre to its
// edge, in solid one-pixel lines.
void figure(BITMAP *bmp, int type, int x, int y, int k, int colour)
{
    switch (type) {
    case PM_PLUS:
        hline(bmp, x - k, y, x + k, colour);
        vline(bmp, x, y - k, y + k, colour);
        break;
    case PM_ASTERISK:  // an upright bar crossed by two slanted ones
        vline(bmp, x, y - k, y + k, colour);
        line(bmp, x - k, y - k / 2, x + k, y + k / 2, colour);
        line(bmp, x - k, y + k / 2, x + k, y - k / 2, colour);
        break;
    case PM_SQUARE: rect(bmp, x - k, y - k, x + k, y + k, colour); break;
    case PM_DIAGCROSS:
        line(bmp, x - k, y - k, x + k, y + k, colour);
        line(bmp, x - k, y + k, x + k, y - k, colour);
        break;
    case PM_DIAMOND:
        line(bmp, x, y - k, x + k, y, colour);
        line(bmp, x + k, y, x, y + k, colour);
        line(bmp, x, y + k, x - k, y, colour);
        line(bmp, x - k, y, x, y - k, colour);
        break;
    default: putpixel(bmp, x, y, colour); break;  // PM_DOT: one pixel whatever the height
    }
}

}  // namespace

// A marker at each of `count` points, clipped. A marker is as wide as it is
// high; an even height draws the odd one below it, so that the figure has a
// centre pixel. Counts above GEM_MAX_POLYGON draw nothing.
void v_pmarker(int handle, int count, const short *pxy)
{
    if (!pxy || count < 1 || count > GEM_MAX_POLYGON)
        return;
    int height = std::min(std::max<int>(_vdi.marker_height, 1), GEM_MAX_MARKER_HEIGHT);
    int k = (height - 1) / 2;
    vdi::Canvas canvas(handle, true, vdi::bounds(pxy, count, k));
    if (canvas.empty())
        return;
    vdi::Brush brush = canvas.solid(_vdi.marker_color);
    if (!brush.draws())
        return;
    for (int i = 0; i < count; i++)
        figure(canvas.target(), _vdi.marker_type, pxy[2 * i], pxy[2 * i + 1], k, brush.colour);
}
