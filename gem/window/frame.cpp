// Drawing window frames and the desktop on the visible screen, clipped to
// the rectangles of a region. Frames look like the layer's dialogs: cells
// outlined in ink on paper, texts in the 8 x 8 system font. The window on
// top has its title bar striped.
#include <string.h>

#include <algorithm>

#include "gem/window/window.h"

namespace win {

OBJECT *desk_tree = nullptr;
short desk_start = 0;

namespace {

// The layer's drawing state, which frame drawing changes: saved when
// drawing starts and put back when it ends, so that a program's colours,
// font and clip survive a redraw. Drawing goes to the visible screen
// whatever `handle` selects, with the cursor hidden.
class Drawing {
public:
    Drawing()
        : line_(_linecol), fill_(_fillcol), text_(_textcol), effects_(_texteff),
          font_(_fontno), clip_{_clipx1, _clipy1, _clipx2, _clipy2}, handle_(handle)
    {
        _hidemouse();
        _vdi_enter_plain(&attributes_);
        handle = 0;
        vst_font(0, 0);
        vst_effects(0, 0);
        vst_color(0, INK);
        vsf_color(0, PAPER);
    }
    ~Drawing()
    {
        set_clip_rect(screen, 0, 0, screen->w - 1, screen->h - 1);
        handle = handle_;
        vsl_color(0, line_);
        vsf_color(0, fill_);
        vst_color(0, text_);
        vst_effects(0, effects_);
        vst_font(0, font_);
        vs_clip(0, 1, clip_);
        _vdi_leave_plain(&attributes_);
        if (_mtot == 0)
            _showmouse();
    }
    Drawing(const Drawing &) = delete;
    Drawing &operator=(const Drawing &) = delete;

    // Everything drawn until the next call lands inside `r` only.
    static void clip(const Rect &r) { set_clip_rect(screen, r.x1, r.y1, r.x2 - 1, r.y2 - 1); }

private:
    short line_, fill_, text_, effects_, font_;
    short clip_[4];
    VDI_ATTRIBUTES attributes_;
    int handle_;
};

Rect inside(const Rect &cell) { return {cell.x1 + 1, cell.y1 + 1, cell.x2 - 1, cell.y2 - 1}; }

void fill(const Rect &r, int colour)
{
    if (!r.empty())
        rectfill(screen, r.x1, r.y1, r.x2 - 1, r.y2 - 1, colour);
}

// A cell: outlined in ink, paper inside.
void cell(const Rect &r)
{
    if (r.empty())
        return;
    fill(inside(r), PAPER);
    rect(screen, r.x1, r.y1, r.x2 - 1, r.y2 - 1, INK);
}

void glyph(const Rect &c, int which)
{
    if (c.empty())
        return;
    cell(c);
    const char *const *rows = _widget_glyphs[which];
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 9; x++)
            if (rows[y][x] == '#')
                putpixel(screen, c.x1 + 1 + x, c.y1 + 1 + y, INK);
}

// Ink on every other row: the mark of the window on top.
void stripes(const Rect &r)
{
    for (int y = r.y1 + 1; y < r.y2; y += 2)
        hline(screen, r.x1, y, r.x2 - 1, INK);
}

// Half the pixels in ink, as a checkerboard anchored at the screen's
// corner: a scroll bar's track. Filled through a pattern, which is many
// times faster than pixel by pixel; the pattern lives as long as the
// process.
void dither(const Rect &r)
{
    static BITMAP *checker;
    if (!checker) {
        checker = create_bitmap_ex(8, 8, 8);
        if (!checker)
            return;
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++)
                putpixel(checker, x, y, (x + y) & 1 ? 0 : 1);
    }
    drawing_mode(DRAW_MODE_MASKED_PATTERN, checker, 0, 0);
    fill(r, INK);
    drawing_mode(DRAW_MODE_SOLID, NULL, 0, 0);
}

// The 8 x 8 font's cell sits on the second row inside a bar, its base line
// six rows below that.
constexpr int GLYPH_W = 8;
constexpr int TEXT_TOP = 2;
constexpr int BASELINE = TEXT_TOP + 6;
constexpr int MARGIN = 4;  // paper between a text and what surrounds it

// `text` in the bar `bar`, cut to the characters that fit inside it with
// a margin each side; centred, or from the left margin. Returns the part
// of the bar it took, margins included.
Rect put_text(const Rect &bar, const char *text, bool centre)
{
    const Rect in = inside(bar);
    const int fits = std::max(0, (in.x2 - in.x1 - 2 * MARGIN) / GLYPH_W);
    const int n = std::min<int>((int)strlen(text), fits);
    if (n == 0)
        return Rect{};
    char shown[GEM_WINDOW_TEXT];
    memcpy(shown, text, (size_t)n);
    shown[n] = '\0';
    const int width = n * GLYPH_W;
    const int x = centre ? in.x1 + (in.x2 - in.x1 - width) / 2 : in.x1 + MARGIN;
    const Rect took{x - MARGIN, in.y1, x + width + MARGIN, in.y2};
    fill(took & in, PAPER);
    // The layer's clip keeps the text inside the bar (it ends one column
    // before its right edge); the screen's clip keeps it in the region.
    const short clip[4] = {(short)in.x1, (short)in.y1, (short)in.x2, (short)(in.y2 - 1)};
    vs_clip(0, 1, clip);
    v_gtext(0, x, bar.y1 + BASELINE, shown);
    return took;
}

void title_bar(const Window &w, const Layout &l, bool topped)
{
    if (l.title.empty())
        return;
    cell(l.title);
    if (topped)
        stripes(inside(l.name));
    if (w.kind & NAME)
        put_text(l.name, w.name, true);
    glyph(l.closer, WIDGET_CLOSER);
    glyph(l.fuller, WIDGET_FULLER);
}

void scroll_bar(const Rect &bar, const Rect &a, int a_glyph, const Rect &b, int b_glyph,
                const Rect &track, const Rect &slider, bool slides)
{
    if (bar.empty())
        return;
    cell(bar);
    cell(track);
    if (slides)
        dither(inside(track));
    cell(slider);
    glyph(a, a_glyph);
    glyph(b, b_glyph);
}

// Draws the parts of a frame that meet `clip` (all drawing is clipped to
// it): a part wholly outside is passed over, texts above all.
void draw_frame(const Window &w, const Layout &l, bool topped, const Rect &clip)
{
    auto meets = [&](const Rect &part) { return !(part & clip).empty(); };
    rect(screen, l.outer.x1, l.outer.y1, l.outer.x2 - 1, l.outer.y2 - 1, INK);
    if (meets(l.title))
        title_bar(w, l, topped);
    if (meets(l.info)) {
        cell(l.info);
        put_text(l.info, w.info, false);
    }
    if (meets(l.vbar))
        scroll_bar(l.vbar, l.up, WIDGET_UP, l.down, WIDGET_DOWN, l.vtrack, l.vslider,
                   w.kind & VSLIDE);
    if (meets(l.hbar))
        scroll_bar(l.hbar, l.left, WIDGET_LEFT, l.right, WIDGET_RIGHT, l.htrack, l.hslider,
                   w.kind & HSLIDE);
    if (meets(l.corner)) {
        cell(l.corner);
        if (!l.sizer.empty())
            glyph(l.sizer, WIDGET_SIZER);
    }
}

}  // namespace

void paint_frame(short handle, const Region &where)
{
    const Window *w = find(handle);
    if (!w || !w->open || where.empty())
        return;
    const Layout l = layout(w->kind, w->curr, w);
    const bool topped = handle == top();
    Region band = where;  // the frame is drawn nowhere else
    band.subtract(l.work);
    if (band.empty())
        return;
    Drawing drawing;
    for (const Rect &r : band.rects()) {
        Drawing::clip(r);
        draw_frame(*w, l, topped, r);
    }
}

void paint_desk(const Region &where)
{
    if (where.empty())
        return;
    Drawing drawing;
    for (const Rect &r : where.rects()) {
        Drawing::clip(r);
        // A tree that leaves part of the desktop uncovered shows the plain
        // desktop there.
        fill(r, DESK_COLOUR);
        if (desk_tree)
            objc_draw(desk_tree, desk_start, 8, 0, 0, 0, 0);
    }
}

void invert_cell(const Rect &c)
{
    const Rect in = inside(c);
    if (in.empty())
        return;
    Drawing drawing;
    drawing_mode(DRAW_MODE_XOR, NULL, 0, 0);
    fill(in, 1);
    drawing_mode(DRAW_MODE_SOLID, NULL, 0, 0);
}

}  // namespace win
