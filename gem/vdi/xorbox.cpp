// The XOR outline box of the rubber-band and drag calls.
#include "gem/internal.h"

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
