// v_gtext and v_justified: a string in the current font, text colour and
// effects. The text is composed in a temporary buffer and put on the surface
// in one piece, so the pointer is hidden once per string.
//
// Under the plain attributes (MD_REPLACE, TA_LEFT, TA_BASE, no rotation) the
// buffer is painted in the fill colour and put there with one raster copy.
// Otherwise the buffer is a mask of glyph pixels over the text box in the
// text's own frame, placed by the alignment, turned by the rotation and
// written in the writing mode.
#include <limits.h>

#include <algorithm>
#include <vector>

#include "gem/vdi/textrun.h"

namespace {

// The text buffer. The string is composed over columns 0 to W - 1 (offsets
// from x) and glyph rows skip to H - 1, but only the part that can show is
// kept: columns [left, right) and glyph rows [first, last), the clip
// rectangle within the surface. Pixels outside it are passed over, so the
// buffer never outgrows the surface, whatever the font's height or the clip.
// As the mask of placed text its columns count from the start of the part
// of the text's frame that shows.
struct TextBuffer {
    int left, right, first, last;
    unsigned char ink;
    std::vector<unsigned char> pixels;

    int width() const { return right - left; }
    int rows() const { return last - first; }

    void set(int column, int glyph_row)
    {
        if (column < left || column >= right || glyph_row < first || glyph_row >= last)
            return;
        pixels[(size_t)(glyph_row - first) * width() + (column - left)] = ink;
    }
};

struct Glyph {
    const unsigned char *form;
    int form_width;  // bytes per form row
    int offset;      // first bit of the glyph in every form row
    int width;       // pixels

    bool bit(int row, int column) const
    {
        if (column < 0)
            return false;
        int p = offset + column;
        return form[(long)row * form_width + p / 8] & (0x80 >> (p % 8));
    }
};

// Draws glyph row `i` with the pen at `pen` (buffer column pen - x) and
// returns how far the row reached: the glyph width, doubled when wide, plus
// the italic shift, or less where the pen reaches `clip`. With `draw`
// false only the reach is computed.
int glyph_row(TextBuffer &buf, const Glyph &g, short effects, int i, int height, int pen, int x,
              int clip, bool draw)
{
    int j = italic_shift(effects, height, i);
    for (int k = 0; k < g.width && pen + j < clip; k++) {
        bool p = draw && g.bit(i, k);
        bool q = draw && g.bit(i, k - 1);
        if (((effects & kBold) && q) || (p && (!(effects & kLight) || (k + i) % 2 == 0)))
            buf.set(pen - x + j, i);
        if ((effects & kWide) && pen + j < clip) {
            j++;
            if (p && pen + j < clip)
                buf.set(pen - x + j, i);
        }
        j++;
    }
    return j;
}

// How far italic text runs on past its last glyph.
int italic_tail(short effects, int height)
{
    int shift = (effects & kWide) ? ((effects & kBold) ? 1 : 0) : ((effects & kBold) ? 2 : 1);
    return height >> shift;
}

// Composes glyph `index` of `run` with the pen at `pen` (buffer column
// pen - x): its rows in [buf.first, buf.last) and the underline. Returns
// how far its advance row reached (less where `clip` ends it).
int compose_glyph(TextBuffer &buf, const TextRun &run, int index, int pen, int x, int clip)
{
    const short effects = run.effects;
    const int height = run.font->form_height;
    const Glyph g{run.place->form, run.font->form_width, run.place->offsets[index],
                  run.glyph_width(index)};
    const int last_row = advance_row(effects, height);
    // Rows outside the kept part would leave no pixel: not composed.
    for (int i = buf.first; i < std::min(last_row, buf.last); i++)
        glyph_row(buf, g, effects, i, height, pen, x, clip, true);
    // The advance row is drawn last; a font of one row that is underlined
    // draws no glyph row at all.
    int j = glyph_row(buf, g, effects, last_row, height, pen, x, clip, last_row >= buf.first);
    if ((effects & kUnderline) && index != 32) {
        for (int col = pen - x; col < pen - x + j; col++)
            buf.set(col, height - 1);
    }
    return j;
}

}  // namespace

int TextRun::glyph(char c) const
{
    const int code = (signed char)c;
    if (code < font->first_ade || code > font->last_ade)
        return -1;
    return code - font->first_ade;
}

int TextRun::glyph_width(int index) const
{
    return place->offsets[index + 1] - place->offsets[index];
}

int TextRun::advance(int index) const
{
    const int height = font->form_height;
    return glyph_width(index) * ((effects & kWide) ? 2 : 1) +
           italic_shift(effects, height, advance_row(effects, height));
}

int TextRun::tail() const
{
    return (effects & kItalic) ? italic_tail(effects, font->form_height) : 0;
}

TextMeasure TextRun::measure(const char *string) const
{
    TextMeasure m{0, 0, 0};
    for (const char *c = string; *c; c++) {
        const int index = glyph(*c);
        if (index < 0)
            break;
        m.width += advance(index);
        m.glyphs++;
        m.spaces += *c == ' ';
    }
    m.width += tail();
    return m;
}

TextRun current_run() { return TextRun{_font, &font_place(_fontno), _texteff}; }

namespace {

// The plain attributes: the text in the text colour over the fill colour,
// its start at x and its base line at y.
void draw_plain(int handle, int x, int y, const char *string)
{
    const TextRun run = current_run();
    const int height = run.font->form_height;
    const int clip = _clipx2;
    // The copy takes 16-bit coordinates: a text start so far left that the
    // composition's width (clip - x) would not fit in them cannot show
    // anything of an ordinary string, and is dropped whole. x is checked
    // before any sum is formed, so that none can overflow.
    if (x < SHRT_MIN || x >= clip || clip - x > SHRT_MAX || height <= 0)
        return;
    const BITMAP *surface = _surface(handle);
    if (!surface)
        return;

    // The cell top; glyph rows above the surface's row 0 are skipped.
    const long long cell_top = (long long)y - run.font->top;
    const long long skip_rows = cell_top < 0 ? -cell_top : 0;
    if (skip_rows >= height)
        return;  // the whole cell lies above the surface
    const int skip = (int)skip_rows;
    const long long top = cell_top + skip;

    // What can show: the clip rectangle within the surface, glyph pixels
    // stopping one column before _clipx2.
    const long long first = std::max<long long>(skip, std::max<int>(_clipy1, 0) - top + skip);
    const long long last =
        std::min<long long>(height, std::min<int>(_clipy2, surface->h - 1) + 1 - top + skip);
    const int left = std::max(std::max<int>(_clipx1, 0) - x, 0);
    const int right = std::min(clip, surface->w) - x;
    if (left >= right || first >= last)
        return;

    TextBuffer buf{left, right, (int)first, (int)last, (unsigned char)_textcol, {}};
    buf.pixels.assign((size_t)buf.width() * buf.rows(), (unsigned char)_fillcol);

    int pen = x;
    for (const char *c = string; *c && pen < clip; c++) {
        const int index = run.glyph(*c);
        if (index < 0)
            break;
        pen += compose_glyph(buf, run, index, pen, x, clip);
    }
    pen += run.tail();
    // Italic's run-on may pass the clip column; the buffer ends there.
    const int end = std::min(pen, clip) - x;
    if (end <= buf.left)
        return;  // the pen did not move, or not into the part that shows

    MFDB form = {};
    form.fd_addr = buf.pixels.data();
    form.fd_w = (short)buf.width();
    form.fd_h = (short)buf.rows();
    const int dy = (int)(top + buf.first - skip);
    short pxy[8] = {0,
                    0,
                    (short)(std::min(end, buf.right) - buf.left - 1),
                    (short)(buf.rows() - 1),
                    (short)(x + buf.left),
                    (short)dy,
                    (short)(x + std::min(end, buf.right) - 1),
                    (short)(dy + buf.rows() - 1)};
    vro_cpyfm(handle, 3, pxy, &form, &_screen);
}

// The pixels v_justified adds after glyphs to stretch a string. Word spacing
// puts them after the spaces; character spacing after every glyph but the
// last; both: the spaces take up to one cell width each first, and the rest
// goes after every glyph but the last. Each share is spread evenly, the
// pixels left over going one each to the first gaps of the share.
class Gaps {
public:
    Gaps(const TextMeasure &m, long long extra, bool words, bool chars, int cell)
        : glyphs_(m.glyphs)
    {
        if (extra <= 0)
            return;
        const long long gaps = m.glyphs - 1;
        words = words && m.spaces > 0;
        chars = chars && gaps > 0;
        const long long to_spaces = !words  ? 0
                                    : chars ? std::min(extra, m.spaces * std::max(cell, 0))
                                            : extra;
        const long long to_gaps = chars ? extra - to_spaces : 0;
        if (words) {
            space_each_ = to_spaces / m.spaces;
            space_rest_ = to_spaces % m.spaces;
        }
        if (chars) {
            gap_each_ = to_gaps / gaps;
            gap_rest_ = to_gaps % gaps;
        }
        total_ = to_spaces + to_gaps;
    }

    long long total() const { return total_; }

    // The pixels after the next glyph of the string, a space or not.
    long long after(bool space)
    {
        long long add = 0;
        if (space)
            add += space_each_ + (spaces_seen_++ < space_rest_ ? 1 : 0);
        const long long gap = glyphs_seen_++;
        if (gap < glyphs_ - 1)
            add += gap_each_ + (gap < gap_rest_ ? 1 : 0);
        return add;
    }

private:
    long long glyphs_, glyphs_seen_ = 0, spaces_seen_ = 0;
    long long space_each_ = 0, space_rest_ = 0, gap_each_ = 0, gap_rest_ = 0, total_ = 0;
};

// A run of whole pixels [lo, hi) along one axis.
struct Span {
    long long lo, hi;
};

long long length(Span s) { return std::max(0LL, s.hi - s.lo); }
Span meet(Span a, Span b) { return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)}; }
Span offset(Span s, long long d) { return {s.lo + d, s.hi + d}; }
// The pixels k * t for t in s, with k 1 or -1.
Span times(Span s, int k) { return k > 0 ? s : Span{1 - s.hi, 1 - s.lo}; }

// A quarter turn counter-clockwise on the screen, whose y axis points down.
// A pixel's offset (du, dv) from the reference pixel in the text's frame and
// its offset (ex, ey) on the screen are related by du = ux ex + uy ey,
// dv = vx ex + vy ey, and back by ex = ux du + vx dv, ey = uy du + vy dv.
struct Turn {
    int ux, uy, vx, vy;
};

Turn turn_for(int angle)
{
    switch (angle) {
    case 900: return {0, -1, 1, 0};    // reading upwards
    case 1800: return {-1, 0, 0, -1};  // upside down, to the left
    case 2700: return {0, 1, -1, 0};   // reading downwards
    default: return {1, 0, 0, 1};
    }
}

// Where the text box lies. Its frame: column u from the pen's start along
// the reading direction, row v from the cell's top row down. The frame
// pixel (ax, ay) that the alignment names lands on (x, y) and the box turns
// about that pixel.
struct Placement {
    long long x, y, ax, ay;
    Turn turn;

    // The surface pixels covered by the frame pixels u x v.
    void to_screen(Span u, Span v, Span &sx, Span &sy) const
    {
        const Span du = offset(u, -ax), dv = offset(v, -ay);
        sx = offset(turn.ux ? times(du, turn.ux) : times(dv, turn.vx), x);
        sy = offset(turn.uy ? times(du, turn.uy) : times(dv, turn.vy), y);
    }
    // The frame pixels that cover the surface pixels sx x sy.
    void to_frame(Span sx, Span sy, Span &u, Span &v) const
    {
        const Span ex = offset(sx, -x), ey = offset(sy, -y);
        u = offset(turn.ux ? times(ex, turn.ux) : times(ey, turn.uy), ax);
        v = offset(turn.vx ? times(ex, turn.vx) : times(ey, turn.vy), ay);
    }
};

long long anchor_column(long long width, int horizontal)
{
    return horizontal == TA_CENTER ? width / 2 : horizontal == TA_RIGHT ? width : 0;
}

// The cell row of a vertical alignment, from the font's distances to the
// base line (row `top`).
long long anchor_row(const GFONT *font, int vertical)
{
    switch (vertical) {
    case TA_HALF: return (long long)font->top - font->half;
    case TA_ASCENT: return (long long)font->top - font->ascent;
    case TA_BOTTOM: return (long long)font->top + font->bottom;
    case TA_DESCENT: return (long long)font->top + font->descent;
    case TA_TOP: return 0;
    default: return font->top;
    }
}

// The glyph pixels (1) over the background (0) of the frame window u x v.
// Glyphs that end before the window only move the pen; composing stops at
// its end, so the work follows the window, not the string.
TextBuffer compose(const TextRun &run, const char *string, Gaps gaps, Span u, Span v)
{
    TextBuffer buf{0, (int)length(u), (int)v.lo, (int)v.hi, 1, {}};
    buf.pixels.assign((size_t)buf.width() * buf.rows(), 0);
    // Italic rows reach past a glyph's advance by at most half the height.
    const int overhang = (run.effects & kItalic) ? run.font->form_height / 2 + 1 : 0;
    long long pen = 0;
    for (const char *c = string; *c && pen < u.hi; c++) {
        const int index = run.glyph(*c);
        if (index < 0)
            break;
        const int advance = run.advance(index);
        if (pen + advance + overhang > u.lo)
            compose_glyph(buf, run, index, (int)(pen - u.lo), 0, buf.right);
        pen += advance + gaps.after(*c == ' ');
    }
    return buf;
}

void write_pixel(unsigned char &pixel, bool glyph, int mode)
{
    switch (mode) {
    case MD_TRANS:
        if (glyph)
            pixel = (unsigned char)_textcol;
        break;
    case MD_XOR:
        if (glyph)
            pixel ^= 1;
        break;
    case MD_ERASE:
        if (!glyph)
            pixel = (unsigned char)_textcol;
        break;
    default: pixel = (unsigned char)(glyph ? _textcol : _fillcol);
    }
}

// Writes the mask of frame window u x v on the surface pixels sx x sy in
// the writing mode, through a bitmap of their size: read (unless replaced
// whole), changed pixel by pixel, written back with the pointer hidden.
void paint(BITMAP *surface, Span sx, Span sy, const TextBuffer &mask, Span u, Span v,
           const Placement &at, int mode)
{
    const int w = (int)length(sx), h = (int)length(sy);
    BITMAP *tmp = create_bitmap_ex(8, w, h);
    if (!tmp)
        return;
    const bool visible = surface == screen;
    if (visible)
        scare_mouse();
    if (mode != MD_REPLACE)
        blit(surface, tmp, (int)sx.lo, (int)sy.lo, 0, 0, w, h);
    const Turn &t = at.turn;
    for (int r = 0; r < h; r++) {
        const long long ey = sy.lo + r - at.y;
        for (int c = 0; c < w; c++) {
            const long long ex = sx.lo + c - at.x;
            const long long lu = t.ux * ex + t.uy * ey + at.ax - u.lo;
            const long long lv = t.vx * ex + t.vy * ey + at.ay - v.lo;
            write_pixel(tmp->line[r][c], mask.pixels[(size_t)(lv * mask.width() + lu)], mode);
        }
    }
    blit(tmp, surface, 0, 0, (int)sx.lo, (int)sy.lo, w, h);
    if (visible)
        unscare_mouse();
    destroy_bitmap(tmp);
}

// Any attributes: the text box (stretched to `wanted` pixels when that is
// wider and there are gaps to widen) placed by the alignment, turned by the
// rotation, clipped as plain text is, and written in the writing mode.
void draw_placed(int handle, int x, int y, const char *string, long long wanted, bool words,
                 bool chars)
{
    BITMAP *surface = _surface(handle);
    if (!surface)
        return;
    const TextRun run = current_run();
    const TextMeasure m = run.measure(string);
    const Gaps gaps(m, wanted - m.width, words, chars, run.font->max_cell_width);
    const long long width = m.width + gaps.total();
    const int height = run.font->form_height;
    if (width <= 0 || height <= 0)
        return;

    const Placement at{x, y, anchor_column(width, _vdi.text_h), anchor_row(run.font, _vdi.text_v),
                       turn_for(_vdi.text_angle)};
    Span sx, sy;
    at.to_screen({0, width}, {0, height}, sx, sy);
    // The clip rectangle within the surface, columns ending before _clipx2.
    sx = meet(sx, {std::max<int>(_clipx1, 0), std::min<int>(_clipx2, surface->w)});
    sy = meet(sy, {std::max<int>(_clipy1, 0), std::min<int>(_clipy2, surface->h - 1) + 1});
    if (length(sx) == 0 || length(sy) == 0)
        return;
    Span u, v;
    at.to_frame(sx, sy, u, v);
    paint(surface, sx, sy, compose(run, string, gaps, u, v), u, v, at, _vdi.mode);
}

bool plain_attributes()
{
    return _vdi.mode == MD_REPLACE && _vdi.text_h == TA_LEFT && _vdi.text_v == TA_BASE &&
           _vdi.text_angle == 0;
}

}  // namespace

void v_gtext(int handle, int x, int y, const char *string)
{
    if (!_font || !string)
        return;
    if (plain_attributes())
        draw_plain(handle, x, y, string);
    else
        draw_placed(handle, x, y, string, 0, false, false);
}

// A `length` at or below the string's own width draws it at that width:
// gaps are widened, never narrowed.
void v_justified(int handle, int x, int y, const char *string, int length, int word_space,
                 int char_space)
{
    if (!_font || !string)
        return;
    draw_placed(handle, x, y, string, length, word_space != 0, char_space != 0);
}
