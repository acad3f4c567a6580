// v_gtext: a string in the current font, text colour and effects. The text
// is composed in a temporary buffer painted in the fill colour and put on
// the surface with one raster copy, so the pointer is hidden once per string.
#include <limits.h>

#include <algorithm>
#include <vector>

#include "gem/vdi/fontlist.h"

namespace {

constexpr short kBold = 0x01, kLight = 0x02, kItalic = 0x04, kUnderline = 0x08, kWide = 0x10;

// The text buffer. The string is composed over columns 0 to W - 1 (offsets
// from x) and glyph rows skip to H - 1, but only the part that can show is
// kept: columns [left, right) and glyph rows [first, last), the clip
// rectangle within the surface. Pixels outside it are passed over, so the
// buffer never outgrows the surface, whatever the font's height or the clip.
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
// the italic shift, or less where `clip` (_clipx2) ends it. With `draw`
// false only the reach is computed.
int glyph_row(TextBuffer &buf, const Glyph &g, short effects, int i, int height, int pen, int x,
              int clip, bool draw)
{
    int j = (effects & kItalic) ? (height - i) / 2 : 0;
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

}  // namespace

void v_gtext(int handle, int x, int y, const char *string)
{
    if (!_font || !string)
        return;
    const GFONT *font = _font;
    const FontPlace &place = font_place(_fontno);
    const short effects = _texteff;
    const int height = font->form_height;
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
    const long long cell_top = (long long)y - font->top;
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

    const bool underline = effects & kUnderline;
    const int last_row = underline ? height - 2 : height - 1;
    int pen = x;
    for (const char *c = string; *c && pen < clip; c++) {
        int code = (signed char)*c;
        if (code < font->first_ade || code > font->last_ade)
            break;
        int index = code - font->first_ade;
        Glyph g{place.form, font->form_width, place.offsets[index],
                place.offsets[index + 1] - place.offsets[index]};

        // Rows outside the kept part would leave no pixel: not composed.
        for (int i = buf.first; i < std::min(last_row, buf.last); i++)
            glyph_row(buf, g, effects, i, height, pen, x, clip, true);
        // The last row drawn also gives the pen's advance; a font of one row
        // that is underlined draws no glyph row at all.
        int j = glyph_row(buf, g, effects, last_row, height, pen, x, clip, last_row >= skip);

        if (underline && index != 32) {
            for (int col = pen - x; col < pen - x + j; col++)
                buf.set(col, height - 1);
        }
        pen += j;
    }
    if (effects & kItalic)
        pen += italic_tail(effects, height);
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
