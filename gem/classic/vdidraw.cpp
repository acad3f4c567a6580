// The classic VDI drawing calls that take corner lists, patterns and raster
// forms, read in the program's width. vro_cpyfm adds the classic logic
// operations the layer's raster copy lacks.
#include <algorithm>
#include <cstdlib>

#include "gem/classic/vdiwords.h"

namespace {

// A list of `count` points (2 * count words), as the layer's calls bound it.
bool point_list(int count, GEMC_REF pxy, std::vector<short> &words)
{
    if (!pxy.p || count < 1 || count > GEM_MAX_POLYGON)
        return false;
    words = _gemc_words(pxy, 2 * count);
    return true;
}

// A call on one rectangle (two corners).
template <class Call>
void on_corners(GEMC_REF pxy, Call call)
{
    if (pxy.p)
        call(_gemc_words(pxy, 4).data());
}

// The layer's "invert": bit 0 of the pixel, which turns the interface's
// colour 0 into 1 and back (as MD_XOR does).
unsigned char inverse(unsigned char v) { return (unsigned char)(v ^ 1); }

// The classic logic operation `mode` on a source and a destination pixel.
unsigned char combine(int mode, unsigned char s, unsigned char d)
{
    switch (mode) {
    case 0: return 0;
    case 1: return s & d;
    case 2: return s & inverse(d);
    case 3: return s;
    case 4: return inverse(s) & d;
    case 6: return s ^ d;
    case 7: return s | d;
    case 8: return inverse(s | d);
    case 9: return inverse(s ^ d);
    case 10: return inverse(d);
    case 11: return s | inverse(d);
    case 12: return inverse(s);
    case 13: return inverse(s) | d;
    case 14: return inverse(s & d);
    case 15: return 1;
    }
    return d;
}

// A w x h memory form of its own, freed with it; no block when w * h bytes
// cannot be had.
struct Scratch {
    MFDB form = {};
    Scratch(int w, int h)
    {
        form.fd_addr = std::calloc((size_t)w * (size_t)h, 1);
        form.fd_w = (short)w;
        form.fd_h = (short)h;
    }
    ~Scratch() { std::free(form.fd_addr); }
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;
    unsigned char *bytes() const { return static_cast<unsigned char *>(form.fd_addr); }
};

// Source and destination rectangles are copied out whole (mode 3, the clip
// and the surface's edges applying as to any copy), combined, and the result
// copied back over the destination: the pixels the clip keeps out are read
// and written back unchanged.
void logic_copy(int h, int mode, const short *pxy, const MFDB &src, const MFDB &dst)
{
    const int w = std::min({pxy[2] - pxy[0], pxy[6] - pxy[4], src.fd_w - 1, dst.fd_w - 1}) + 1;
    const int ht = std::min({pxy[3] - pxy[1], pxy[7] - pxy[5], src.fd_h - 1, dst.fd_h - 1}) + 1;
    if (w <= 0 || ht <= 0)
        return;
    Scratch s(w, ht), d(w, ht);
    if (!s.bytes() || !d.bytes())
        return;
    const short last_x = (short)(w - 1), last_y = (short)(ht - 1);
    const short from_src[8] = {
        pxy[0], pxy[1], (short)(pxy[0] + last_x), (short)(pxy[1] + last_y), 0, 0, last_x, last_y};
    const short from_dst[8] = {
        pxy[4], pxy[5], (short)(pxy[4] + last_x), (short)(pxy[5] + last_y), 0, 0, last_x, last_y};
    const short back[8] = {
        0, 0, last_x, last_y, pxy[4], pxy[5], (short)(pxy[4] + last_x), (short)(pxy[5] + last_y)};
    vro_cpyfm(h, 3, from_src, &src, &s.form);
    vro_cpyfm(h, 3, from_dst, &dst, &d.form);
    for (long i = 0; i < (long)w * ht; i++)
        d.bytes()[i] = combine(mode, s.bytes()[i], d.bytes()[i]);
    vro_cpyfm(h, 3, back, &d.form, &dst);
}

}  // namespace

void gemc_v_pmarker(int h, int count, GEMC_REF pxy)
{
    std::vector<short> words;
    if (point_list(count, pxy, words))
        v_pmarker(h, count, words.data());
}

void gemc_v_fillarea(int h, int count, GEMC_REF pxy)
{
    std::vector<short> words;
    if (point_list(count, pxy, words))
        v_fillarea(h, count, words.data());
}

void gemc_v_bar(int h, GEMC_REF pxy)
{
    on_corners(pxy, [h](const short *c) { v_bar(h, c); });
}

void gemc_vr_recfl(int h, GEMC_REF pxy)
{
    on_corners(pxy, [h](const short *c) { vr_recfl(h, c); });
}

void gemc_v_rbox(int h, GEMC_REF pxy)
{
    on_corners(pxy, [h](const short *c) { v_rbox(h, c); });
}

void gemc_v_rfbox(int h, GEMC_REF pxy)
{
    on_corners(pxy, [h](const short *c) { v_rfbox(h, c); });
}

// The 16 words of the first plane are what the screen draws.
void gemc_vsf_udpat(int h, GEMC_REF pattern, int planes)
{
    if (pattern.p && planes >= 1)
        vsf_udpat(h, _gemc_bits(pattern, 16).data(), 1);
}

void gemc_v_get_pixel(int h, int x, int y, GEMC_REF pel, GEMC_REF index)
{
    short p = -1, i = -1;
    v_get_pixel(h, x, y, &p, &i);
    gemc_put(pel, 0, p);
    gemc_put(index, 0, i);
}

// S_ONLY is the layer's own copy; D_ONLY changes nothing.
void gemc_vro_cpyfm(int h, int mode, GEMC_REF pxy, const MFDB *src, const MFDB *dst)
{
    if (!pxy.p || !src || !dst || mode < 0 || mode > 15 || mode == 5)
        return;
    const std::vector<short> corners = _gemc_words(pxy, 8);
    const MFDB from = _gemc_form(src), to = _gemc_form(dst);
    if (mode == 3)
        vro_cpyfm(h, 3, corners.data(), &from, &to);
    else
        logic_copy(h, mode, corners.data(), from, to);
}

void gemc_vrt_cpyfm(int h, int mode, GEMC_REF pxy, const MFDB *src, const MFDB *dst,
                    GEMC_REF colors)
{
    if (!pxy.p || !src || !dst)
        return;
    const std::vector<short> corners = _gemc_words(pxy, 8), ink = _gemc_words(colors, 2);
    const MFDB to = _gemc_form(dst);
    vrt_cpyfm(h, mode, corners.data(), src, &to, colors.p ? ink.data() : nullptr);
}
