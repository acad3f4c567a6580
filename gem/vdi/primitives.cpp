// Filled bars, polylines and the XOR outline box of the rubber-band and drag
// calls.
#include <algorithm>

#include "gem/internal.h"

// Filled in _fillcol inside the clip rectangle. A bar that is one pixel wide
// or high after clipping draws nothing.
void v_bar(int handle, const short *pxy)
{
    int left = std::max<int>(pxy[0], _clipx1);
    int top = std::max<int>(pxy[1], _clipy1);
    int right = std::min<int>(pxy[2], _clipx2);
    int bottom = std::min<int>(pxy[3], _clipy2);
    if (left < right && top < bottom)
        rectfill(_surface(handle), left, top, right, bottom, _fillcol);
}

// count - 1 segments in _linecol, each from one point to the next; not
// clipped except by the bitmap itself.
void v_pline(int handle, int count, const short *pxy)
{
    BITMAP *surface = _surface(handle);
    for (int i = 0; i + 1 < count; i++)
        line(surface, pxy[2 * i], pxy[2 * i + 1], pxy[2 * i + 2], pxy[2 * i + 3], _linecol);
}

// Flips bit 0 of one pixel. Pixels outside the bitmap are skipped, so an
// outline that sticks out of the screen touches nothing outside it.
void _xor_pixel(BITMAP *bmp, int x, int y, int unused)
{
    (void)unused;
    if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h)
        return;
    _putpixel(bmp, x, y, _getpixel(bmp, x, y) ^ 1);
}

// The outline of (x1, y1)-(x2, y2) XORed on the visible screen, every pixel
// visited once, so drawing the same box twice erases it.
void _xor_box(short x1, short y1, short x2, short y2)
{
    scare_mouse();
    do_line(screen, x1, y1, x2, y1, 0, _xor_pixel);      // top
    do_line(screen, x2, y1 + 1, x2, y2, 0, _xor_pixel);  // right
    do_line(screen, x1, y1 + 1, x1, y2, 0, _xor_pixel);  // left
    // The bottom edge between the two side edges. A box two pixels wide has
    // nothing there: a line from x1 + 1 back to x2 - 1 would flip its two
    // bottom corners a second time and leave a gap in the outline.
    if (x2 != x1 + 1)
        do_line(screen, x1 + 1, y2, x2 - 1, y2, 0, _xor_pixel);  // bottom
    unscare_mouse();
}
