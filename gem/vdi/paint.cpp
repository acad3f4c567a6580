// The canvas of a drawing call and the brushes of the writing modes.
#include "gem/vdi/paint.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace vdi {

Rect intersect(const Rect &a, const Rect &b)
{
    return {std::max(a.x1, b.x1), std::max(a.y1, b.y1), std::min(a.x2, b.x2), std::min(a.y2, b.y2)};
}

Rect bounds(const short *pxy, int count, int margin)
{
    Rect r = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int i = 0; i < count; i++) {
        r.x1 = std::min<int>(r.x1, pxy[2 * i]);
        r.y1 = std::min<int>(r.y1, pxy[2 * i + 1]);
        r.x2 = std::max<int>(r.x2, pxy[2 * i]);
        r.y2 = std::max<int>(r.y2, pxy[2 * i + 1]);
    }
    if (r.empty())
        return r;
    return {r.x1 - margin, r.y1 - margin, r.x2 + margin, r.y2 + margin};
}

int clamp_coord(int c) { return std::min(std::max(c, (int)SHRT_MIN), (int)SHRT_MAX); }

int clamp_radius(int r) { return std::min(r, MAX_RADIUS); }

namespace {

const unsigned short ALL_SET[16] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
                                    0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
const unsigned short ALL_CLEAR[16] = {};

// The rows of the current fill interior, or null for a hollow one.
const unsigned short *fill_rows()
{
    switch (_vdi.interior) {
    case FIS_SOLID: return ALL_SET;
    case FIS_PATTERN: return _fill_patterns[std::min(std::max<int>(_vdi.style, 1), 24) - 1];
    // A style above 12 is left from a pattern interior: the first hatch.
    case FIS_HATCH: return _fill_hatches[_vdi.style >= 1 && _vdi.style <= 12 ? _vdi.style - 1 : 0];
    case FIS_USER: return _vdi.udpat;
    default: return nullptr;
    }
}

bool all(const unsigned short *rows, unsigned short word)
{
    return std::all_of(rows, rows + 16, [word](unsigned short r) { return r == word; });
}

// A 16 x 16 bitmap of `rows` (pixel 1 where a bit is set, bit 15 on the
// left), or of their inverse. Each of the two is rebuilt only when the rows
// asked for change; both live as long as the process.
BITMAP *pattern_bitmap(const unsigned short *rows, bool inverse)
{
    struct Cached {
        BITMAP *bitmap;
        unsigned short rows[16];
    };
    static Cached cache[2];
    Cached &c = cache[inverse];
    if (!c.bitmap) {
        c.bitmap = create_bitmap_ex(8, 16, 16);
        if (!c.bitmap)
            return nullptr;
    } else if (memcmp(c.rows, rows, sizeof c.rows) == 0) {
        return c.bitmap;
    }
    memcpy(c.rows, rows, sizeof c.rows);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            putpixel(c.bitmap, x, y, (rows[y] >> (15 - x) & 1) != inverse);
    return c.bitmap;
}

// The scratch mask of XOR drawing, as large as the largest surface seen.
BITMAP *mask_for(BITMAP *surface)
{
    static BITMAP *mask;
    if (!mask || mask->w < surface->w || mask->h < surface->h) {
        if (mask)
            destroy_bitmap(mask);
        mask = create_bitmap_ex(8, surface->w, surface->h);
    }
    return mask;
}

// Bit 0 of every surface pixel under a marked mask pixel is inverted, a
// run at a time.
void invert_marked(BITMAP *mask, BITMAP *surface, const Rect &r)
{
    drawing_mode(DRAW_MODE_XOR, nullptr, 0, 0);
    for (int y = r.y1; y <= r.y2; y++) {
        const unsigned char *row = mask->line[y];
        int x = r.x1;
        while (x <= r.x2) {
            while (x <= r.x2 && !row[x])
                x++;
            int start = x;
            while (x <= r.x2 && row[x])
                x++;
            if (x > start)
                hline(surface, start, y, x - 1, 1);
        }
    }
}

}  // namespace

Canvas::Canvas(int handle, bool clipped, const Rect &area)
{
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    surface_ = _surface(handle);
    if (!surface_)
        return;
    get_clip_rect(surface_, &old_x1_, &old_y1_, &old_x2_, &old_y2_);
    old_clipping_ = get_clip_state(surface_);
    Rect r = intersect(area, {0, 0, surface_->w - 1, surface_->h - 1});
    if (old_clipping_)
        r = intersect(r, {old_x1_, old_y1_, old_x2_, old_y2_});
    if (clipped)
        r = intersect(r, {_clipx1, _clipy1, _clipx2, _clipy2});
    if (r.empty())
        return;

    xor_ = _vdi.mode == MD_XOR;
    target_ = surface_;
    if (xor_) {
        target_ = mask_for(surface_);
        if (!target_)
            return;
        set_clip_rect(target_, r.x1, r.y1, r.x2, r.y2);
        rectfill(target_, r.x1, r.y1, r.x2, r.y2, 0);
    }
    rect_ = r;
    set_clip_rect(surface_, r.x1, r.y1, r.x2, r.y2);
    if (surface_ == screen) {
        scare_mouse_area(r.x1, r.y1, r.x2 - r.x1 + 1, r.y2 - r.y1 + 1);
        scared_ = true;
    }
}

Canvas::~Canvas()
{
    if (empty())
        return;
    if (xor_)
        invert_marked(target_, surface_, rect_);
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    set_clip_rect(surface_, old_x1_, old_y1_, old_x2_, old_y2_);
    set_clip_state(surface_, old_clipping_);
    if (scared_)
        unscare_mouse();
}

// Pixels whose bit is 1 take the colour in MD_REPLACE and MD_TRANS and are
// inverted in MD_XOR; pixels whose bit is 0 take colour 0 in MD_REPLACE and
// the colour in MD_ERASE. In XOR the brush marks the mask with colour 1.
Brush Canvas::fill(int colour) const
{
    const Brush none = {DRAW_MODE_SOLID, nullptr, -1};
    const unsigned short *rows = fill_rows();
    if (!rows)
        return _vdi.mode == MD_REPLACE ? Brush{DRAW_MODE_SOLID, nullptr, 0} : none;
    bool inverse = _vdi.mode == MD_ERASE;
    if (all(rows, inverse ? 0 : 0xFFFF))
        return Brush{DRAW_MODE_SOLID, nullptr, xor_ ? 1 : colour};
    if (all(rows, inverse ? 0xFFFF : 0))
        return _vdi.mode == MD_REPLACE ? Brush{DRAW_MODE_SOLID, nullptr, 0} : none;
    BITMAP *pattern = pattern_bitmap(rows, inverse);
    if (!pattern)
        return none;
    if (xor_)
        return Brush{DRAW_MODE_MASKED_PATTERN, pattern, 1};
    int mode = _vdi.mode == MD_REPLACE ? DRAW_MODE_SOLID_PATTERN : DRAW_MODE_MASKED_PATTERN;
    return Brush{mode, pattern, colour};
}

Brush Canvas::bit(bool bit, int colour) const
{
    int c = -1;
    switch (_vdi.mode) {
    case MD_REPLACE: c = bit ? colour : 0; break;
    case MD_TRANS: c = bit ? colour : -1; break;
    case MD_XOR: c = bit ? 1 : -1; break;
    case MD_ERASE: c = bit ? -1 : colour; break;
    }
    return Brush{DRAW_MODE_SOLID, nullptr, c};
}

}  // namespace vdi
