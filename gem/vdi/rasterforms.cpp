// vrt_cpyfm and vr_trnfm: forms of 16-bit words, as classic programs keep
// their icons and images, drawn on and converted to the layer's forms of
// one byte a pixel.
//
// A one-plane form is fd_h rows of fd_wdwidth words; a standard form is
// fd_nplanes such planes one after another. The words are the program's
// native 16-bit values, bit 15 the leftmost pixel. A device form of more
// than one plane is the layer's own: rows of fd_w bytes, one a pixel; a
// device form of one plane keeps the words, as on a monochrome screen.
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "gem/internal.h"

namespace {

// vr_trnfm converts forms up to this size in either format; larger ones
// are refused rather than given a working buffer that size.
constexpr long kMaxFormBytes = 64L << 20;

// Word `index` of a block of words, which the caller may not have aligned.
unsigned word_at(const void *base, long index)
{
    uint16_t w;
    memcpy(&w, (const unsigned char *)base + 2 * index, 2);
    return w;
}

unsigned bit_of(int x) { return 0x8000u >> (x % 16); }

// A one-plane source: words to read, sizes not negative, and rows of words
// that hold fd_w pixels, so that no pixel lies beyond the form's block.
bool one_plane_ok(const MFDB *form)
{
    return form && form->fd_addr && form->fd_nplanes == 1 && form->fd_w >= 0 && form->fd_h >= 0 &&
           form->fd_wdwidth * 16L >= form->fd_w;
}

// A destination: the surface, or a device form (a standard form cannot be
// drawn on).
bool destination_ok(const MFDB *form)
{
    return form && (!form->fd_addr || (form->fd_stand == 0 && form->fd_w >= 0 && form->fd_h >= 0));
}

struct Box {
    int x1, y1, x2, y2;  // inclusive
};

// The surface side: the clip rectangle within the bitmap.
Box surface_box(const BITMAP *surface)
{
    return {std::max<int>(_clipx1, 0), std::max<int>(_clipy1, 0),
            std::min<int>(_clipx2, surface->w - 1), std::min<int>(_clipy2, surface->h - 1)};
}

// Cuts a copy of `len` pixels from s to d along one axis: a start before
// either side's range moves both starts on, and the length stops at
// either range's end.
void cut_axis(int &s, int &d, int &len, int s_last, int d_first, int d_last)
{
    const int shift = std::max({-s, d_first - d, 0});
    s += shift;
    d += shift;
    len = std::min({len - shift, s_last + 1 - s, d_last + 1 - d});
}

struct Ink {
    int mode;
    unsigned char set, clear;  // colors[0] for 1 bits, colors[1] for 0 bits
};

// One row: `out` holds `w` destination pixels; the source row is `sy`,
// from pixel `sx` on.
void ink_row(unsigned char *out, int w, const MFDB &src, int sx, int sy, const Ink &ink)
{
    const long row = (long)sy * src.fd_wdwidth;
    for (int i = 0; i < w; i++) {
        const int x = sx + i;
        const bool on = word_at(src.fd_addr, row + x / 16) & bit_of(x);
        switch (ink.mode) {
        case MD_REPLACE: out[i] = on ? ink.set : ink.clear; break;
        case MD_TRANS:
            if (on)
                out[i] = ink.set;
            break;
        case MD_XOR:
            if (on)
                out[i] ^= 1;
            break;
        default:  // MD_ERASE: the 0 bits, in the colour they get in MD_REPLACE
            if (!on)
                out[i] = ink.clear;
            break;
        }
    }
}

}  // namespace

// Modes 1 to 4; other modes, forms that fail their checks and a missing
// colour pair (which MD_XOR alone does without) draw nothing.
void vrt_cpyfm(int handle, int mode, const short *pxy, const MFDB *src, const MFDB *dst,
               const short *colors)
{
    if (mode < MD_REPLACE || mode > MD_ERASE || !pxy || !one_plane_ok(src) ||
        !destination_ok(dst) || (!colors && mode != MD_XOR))
        return;
    BITMAP *surface = dst->fd_addr ? NULL : _surface(handle);
    if (!dst->fd_addr && !surface)
        return;
    const Box to = surface ? surface_box(surface) : Box{0, 0, dst->fd_w - 1, dst->fd_h - 1};

    int sx = pxy[0], sy = pxy[1], dx = pxy[4], dy = pxy[5];
    int w = std::min(pxy[2] - pxy[0], pxy[6] - pxy[4]) + 1;
    int h = std::min(pxy[3] - pxy[1], pxy[7] - pxy[5]) + 1;
    cut_axis(sx, dx, w, src->fd_w - 1, to.x1, to.x2);
    cut_axis(sy, dy, h, src->fd_h - 1, to.y1, to.y2);
    if (w <= 0 || h <= 0)
        return;
    const Ink ink = {mode, (unsigned char)(colors ? colors[0] : 0),
                     (unsigned char)(colors ? colors[1] : 0)};

    if (!surface) {
        unsigned char *pixels = (unsigned char *)dst->fd_addr;
        for (int row = 0; row < h; row++)
            ink_row(pixels + (long)(dy + row) * dst->fd_w + dx, w, *src, sx, sy + row, ink);
        return;
    }
    // The surface's rectangle is worked on in a memory bitmap: the modes
    // other than MD_REPLACE keep some of what is there.
    scare_mouse();
    BITMAP *work = create_bitmap_ex(8, w, h);
    if (work) {
        blit(surface, work, dx, dy, 0, 0, w, h);
        for (int row = 0; row < h; row++)
            ink_row(work->line[row], w, *src, sx, sy + row, ink);
        blit(work, surface, 0, 0, dx, dy, w, h);
        destroy_bitmap(work);
    }
    unscare_mouse();
}

namespace {

struct Shape {
    int w, h;
    int words;   // 16-bit words a row of one plane
    int planes;  // planes of the standard form
};

long device_bytes(const Shape &s) { return (long)s.w * s.h; }
long standard_bytes(const Shape &s) { return 2L * s.words * s.h * s.planes; }

// Pixel value bits 0 to planes - 1 from planes 0 to planes - 1.
std::vector<unsigned char> to_device(const void *standard, const Shape &s)
{
    std::vector<unsigned char> out((size_t)device_bytes(s));
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++) {
            unsigned value = 0;
            for (int p = 0; p < s.planes; p++)
                if (word_at(standard, ((long)p * s.h + y) * s.words + x / 16) & bit_of(x))
                    value |= 1u << p;
            out[(size_t)y * s.w + x] = (unsigned char)value;
        }
    return out;
}

// Plane p takes bit p of every pixel; bits from `planes` up are dropped.
std::vector<uint16_t> to_standard(const unsigned char *device, const Shape &s)
{
    std::vector<uint16_t> out((size_t)standard_bytes(s) / 2, 0);
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++) {
            const unsigned value = device[(long)y * s.w + x];
            for (int p = 0; p < s.planes; p++)
                if (value & (1u << p))
                    out[((size_t)p * s.h + y) * s.words + x / 16] |= (uint16_t)bit_of(x);
        }
    return out;
}

// A one-plane form has the same words in both formats, as on a monochrome
// screen: converting it copies them, so that a one-plane form a classic
// program turns into the device format is one vrt_cpyfm draws.
bool words_both_ways(const MFDB &in) { return in.fd_nplanes == 1; }

// The conversion's shape, or false when it is refused. A standard source,
// and a device source of one plane, name their planes and must hold fd_w
// pixels a row; any other device source is made into the planes its
// destination names (its own count when the destination leaves fd_nplanes
// 0), in rows of its own fd_wdwidth words, or of the fewest that hold fd_w
// pixels when that is too few.
bool conversion_shape(const MFDB &in, const MFDB &out, Shape &s)
{
    if (in.fd_w <= 0 || in.fd_h <= 0)
        return false;
    s = {in.fd_w, in.fd_h, in.fd_wdwidth, in.fd_nplanes};
    if (in.fd_stand || words_both_ways(in)) {
        if (s.words * 16L < s.w || (!in.fd_stand && out.fd_nplanes > 1))
            return false;
    } else {
        s.planes = out.fd_nplanes ? out.fd_nplanes : in.fd_nplanes;
        s.words = std::max<int>(in.fd_wdwidth, (s.w + 15) / 16);
    }
    return s.planes >= 1 && s.planes <= 8 && device_bytes(s) <= kMaxFormBytes &&
           standard_bytes(s) <= kMaxFormBytes;
}

}  // namespace

// fd_stand 1: standard to device form; 0: device to standard form. A
// one-plane form keeps its words either way. Otherwise the
// result is composed aside, so the destination may be the source itself
// when the result fits the source's block: in place, a standard form of
// fewer than 8 planes is smaller than its device form and is refused, as
// is a device form whose standard form's rows are padded past its size.
void vr_trnfm(int handle, const MFDB *src, MFDB *dst)
{
    (void)handle;
    if (!src || !dst || !src->fd_addr || !dst->fd_addr)
        return;
    const MFDB in = *src;  // dst may be src
    Shape s;
    if (!conversion_shape(in, *dst, s))
        return;
    const bool to_dev = in.fd_stand != 0;
    const bool copy = words_both_ways(in);
    if (in.fd_addr == dst->fd_addr && !copy &&
        (to_dev ? device_bytes(s) > standard_bytes(s) : standard_bytes(s) > device_bytes(s)))
        return;

    if (copy) {
        memmove(dst->fd_addr, in.fd_addr, (size_t)standard_bytes(s));
    } else if (to_dev) {
        const std::vector<unsigned char> out = to_device(in.fd_addr, s);
        memcpy(dst->fd_addr, out.data(), out.size());
    } else {
        const std::vector<uint16_t> out = to_standard((const unsigned char *)in.fd_addr, s);
        memcpy(dst->fd_addr, out.data(), out.size() * 2);
    }
    dst->fd_w = (short)s.w;
    dst->fd_h = (short)s.h;
    dst->fd_wdwidth = (short)s.words;
    dst->fd_nplanes = (short)s.planes;
    dst->fd_stand = to_dev ? 0 : 1;
}
