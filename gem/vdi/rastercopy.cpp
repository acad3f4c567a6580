// vro_cpyfm: rectangles of 8-bit pixels between memory forms and the drawing
// surface. A form with a null address is the surface `handle` selects. Every
// copy that touches the surface goes through a temporary bitmap of exactly
// the copied size, with the mouse pointer hidden around it.
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <functional>

#include "gem/internal.h"

namespace {

// The working copy of the caller's rectangle pair.
struct Span {
    int sx1, sy1, sx2, sy2;
    int dx1, dy1, dx2, dy2;
};

bool is_surface(const MFDB *form) { return form->fd_addr == NULL; }

unsigned char *pixel(const MFDB *form, int x, int y)
{
    return (unsigned char *)form->fd_addr + (long)y * form->fd_w + x;
}

// A start below 0 on either side moves both starts on by the same amount.
void drop_negative_starts(Span &s)
{
    if (s.sx1 < 0) {
        s.dx1 -= s.sx1;
        s.sx1 = 0;
    }
    if (s.sy1 < 0) {
        s.dy1 -= s.sy1;
        s.sy1 = 0;
    }
    if (s.dx1 < 0) {
        s.sx1 -= s.dx1;
        s.dx1 = 0;
    }
    if (s.dy1 < 0) {
        s.sy1 -= s.dy1;
        s.dy1 = 0;
    }
}

// Clips one side (a1..a2 on the surface) to lo..hi along one axis, moving
// the other side's corners b1, b2 by the same amounts.
void clip_axis(int &a1, int &a2, int &b1, int &b2, int lo, int hi)
{
    if (a1 < lo) {
        b1 += lo - a1;
        a1 = lo;
    }
    if (a2 > hi) {
        b2 -= a2 - hi;
        a2 = hi;
    }
}

// A surface side is limited to the clip rectangle and to the bitmap itself,
// so that no pixel outside the bitmap is read or counted as copied.
struct Window {
    int x1, y1, x2, y2;
};

Window surface_window(const BITMAP *surface)
{
    return {std::max<int>(_clipx1, 0), std::max<int>(_clipy1, 0),
            std::min<int>(_clipx2, surface->w - 1), std::min<int>(_clipy2, surface->h - 1)};
}

void clip_source(Span &s, const Window &w)
{
    clip_axis(s.sx1, s.sx2, s.dx1, s.dx2, w.x1, w.x2);
    clip_axis(s.sy1, s.sy2, s.dy1, s.dy2, w.y1, w.y2);
}

void clip_destination(Span &s, const Window &w)
{
    clip_axis(s.dx1, s.dx2, s.sx1, s.sx2, w.x1, w.x2);
    clip_axis(s.dy1, s.dy2, s.sy1, s.sy2, w.y1, w.y2);
}

// Copy length along one axis: the shorter rectangle, then the narrower form.
int extent(int s1, int s2, int d1, int d2, int src_size, int dst_size)
{
    return std::min({s2 - s1, d2 - d1, std::min(src_size, dst_size) - 1}) + 1;
}

// A masked row is taken right to left when the destination lies after the
// source, so a row that overlaps itself is read before it is written.
void copy_row(unsigned char *to, const unsigned char *from, int w, bool masked)
{
    if (!masked) {
        memmove(to, from, (size_t)w);
        return;
    }
    if (std::less<const unsigned char *>()(from, to)) {
        for (int x = w - 1; x >= 0; x--)
            if (from[x])
                to[x] = from[x];
    } else {
        for (int x = 0; x < w; x++)
            if (from[x])
                to[x] = from[x];
    }
}

// Rows are taken bottom-up when the destination lies after the source, so a
// copy within one form that overlaps itself keeps the source image intact.
// When both forms' rows are exactly w long the rows make one block, moved
// at once.
void memory_to_memory(const Span &s, int w, int h, const MFDB *src, const MFDB *dst, bool masked)
{
    const unsigned char *from = pixel(src, s.sx1, s.sy1);
    unsigned char *to = pixel(dst, s.dx1, s.dy1);
    if (!masked && src->fd_w == w && dst->fd_w == w) {
        memmove(to, from, (size_t)w * h);
        return;
    }
    bool bottom_up = std::less<const unsigned char *>()(from, to);
    for (int i = 0; i < h; i++) {
        int row = bottom_up ? h - 1 - i : i;
        copy_row(pixel(dst, s.dx1, s.dy1 + row), pixel(src, s.sx1, s.sy1 + row), w, masked);
    }
}

void rows_into_bitmap(BITMAP *bmp, const MFDB *src, int x, int y)
{
    for (int row = 0; row < bmp->h; row++)
        memcpy(bmp->line[row], pixel(src, x, y + row), (size_t)bmp->w);
}

void rows_out_of_bitmap(const BITMAP *bmp, const MFDB *dst, int x, int y, bool masked)
{
    for (int row = 0; row < bmp->h; row++)
        copy_row(pixel(dst, x, y + row), bmp->line[row], bmp->w, masked);
}

// Any pairing with the surface, through `tmp` (w x h): the source goes into
// it, then it goes to the destination, masked or not.
void through_bitmap(BITMAP *tmp, BITMAP *surface, const Span &s, const MFDB *src, const MFDB *dst,
                    bool masked)
{
    int w = tmp->w, h = tmp->h;
    if (is_surface(src))
        blit(surface, tmp, s.sx1, s.sy1, 0, 0, w, h);
    else
        rows_into_bitmap(tmp, src, s.sx1, s.sy1);

    if (!is_surface(dst))
        rows_out_of_bitmap(tmp, dst, s.dx1, s.dy1, masked);
    else if (masked)
        masked_blit(tmp, surface, 0, 0, s.dx1, s.dy1, w, h);
    else
        blit(tmp, surface, 0, 0, s.dx1, s.dy1, w, h);
}

void fill(int handle, const short *pxy, short colour)
{
    short saved = _fillcol;
    _fillcol = colour;
    v_bar(handle, pxy);
    _fillcol = saved;
}

}  // namespace

// Modes: 0 fills the source rectangle with colour 0, 15 with colour 1 (both
// on the surface, clipped); 3 replaces; 5 leaves source pixels of value 0
// out. Other modes do nothing.
void vro_cpyfm(int handle, int mode, const short *pxy, const MFDB *src, const MFDB *dst)
{
    if (mode != 0 && mode != 3 && mode != 5 && mode != 15)
        return;
    BITMAP *surface = _surface(handle);
    Span s = {pxy[0], pxy[1], pxy[2], pxy[3], pxy[4], pxy[5], pxy[6], pxy[7]};
    drop_negative_starts(s);
    if (is_surface(src))
        clip_source(s, surface_window(surface));
    if (is_surface(dst))
        clip_destination(s, surface_window(surface));

    int w = extent(s.sx1, s.sx2, s.dx1, s.dx2, src->fd_w, dst->fd_w);
    if (w <= 0)
        return;
    int h = extent(s.sy1, s.sy2, s.dy1, s.dy2, src->fd_h, dst->fd_h);
    if (h <= 0)
        return;

    if (mode == 0 || mode == 15) {
        fill(handle, pxy, mode == 0 ? 0 : 1);
        return;
    }
    // A memory side ends at its own form's last column and row: a copy that
    // ran on would wrap into the next row or leave the form's block.
    if (!is_surface(src)) {
        w = std::min(w, src->fd_w - s.sx1);
        h = std::min(h, src->fd_h - s.sy1);
    }
    if (!is_surface(dst)) {
        w = std::min(w, dst->fd_w - s.dx1);
        h = std::min(h, dst->fd_h - s.dy1);
    }
    if (w <= 0 || h <= 0)
        return;
    bool masked = mode == 5;
    if (!is_surface(src) && !is_surface(dst)) {
        memory_to_memory(s, w, h, src, dst, masked);
        return;
    }

    scare_mouse();
    BITMAP *tmp = create_bitmap_ex(8, w, h);
    if (tmp) {
        through_bitmap(tmp, surface, s, src, dst, masked);
        destroy_bitmap(tmp);
    }
    unscare_mouse();
    if (!tmp && masked)
        form_error_text("Uh Oh");
}

void *(*_area_alloc)(size_t size) = malloc;

// The clip rectangle is opened to the whole surface for the copy: an area
// saved under one clip and put back under another (drawing resets it)
// would otherwise come back in part.
void _area_copy(const short *pxy, const MFDB *src, const MFDB *dst)
{
    if (!src->fd_addr && !dst->fd_addr)
        return;
    const short clip[4] = {_clipx1, _clipy1, _clipx2, _clipy2};
    vs_clip(handle, 0, NULL);
    vro_cpyfm(handle, 3, pxy, src, dst);
    vs_clip(handle, 1, clip);
}
