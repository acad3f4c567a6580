// Where the parts of a window's frame lie: the title bar (closer, name,
// fuller), the info line, the vertical scroll bar at the right, the
// horizontal one at the bottom and the sizer in the corner; the work area
// is what is left. wind_calc converts between the two rectangles, and the
// placement rules keep every window within the user's reach.
#include <algorithm>

#include "gem/window/window.h"

namespace win {

namespace {

// Which bands a kind of window has, and the widths they take from each side
// of the outer rectangle.
struct Bands {
    bool title, info, vbar, hbar, corner;
    int top, right, bottom;  // the left side is always the 1-pixel border

    explicit Bands(short kind)
    {
        title = kind & (NAME | CLOSER | FULLER | MOVER);
        info = kind & INFO;
        hbar = kind & (LFARROW | RTARROW | HSLIDE);
        // A sizer with no scroll bar to sit at the end of gets a column of
        // its own at the right.
        vbar = (kind & (UPARROW | DNARROW | VSLIDE)) || ((kind & SIZER) && !hbar);
        corner = (vbar && hbar) || (kind & SIZER);
        top = 1 + STEP * (title + info);
        right = vbar ? CELL : 1;
        bottom = hbar ? CELL : 1;
    }
};

int count(short kind, int a, int b) { return ((kind & a) != 0) + ((kind & b) != 0); }

}  // namespace

void min_size(short kind, int *w, int *h)
{
    const Bands b(kind);
    // Across: the title's closer, fuller and one cell of name; the bottom
    // bar's arrows, one cell of track and the corner. Down: the column's
    // arrows, one cell of track and the corner. And always one pixel of
    // work area.
    const int title_cells = b.title ? count(kind, CLOSER, FULLER) + 1 : 0;
    const int hbar_cells = b.hbar ? count(kind, LFARROW, RTARROW) + 1 + b.corner : 0;
    const int vbar_cells = b.vbar ? count(kind, UPARROW, DNARROW) + 1 + b.corner : 0;
    *w = std::max(1 + STEP * std::max(title_cells, hbar_cells), 1 + b.right + 1);
    *h = std::max(b.top + STEP * vbar_cells, b.top + b.bottom + 1);
}

Rect place(short kind, Rect r)
{
    int min_w, min_h;
    min_size(kind, &min_w, &min_h);
    const int w = std::clamp(r.x2 - r.x1, min_w, MAX_SIZE);
    const int h = std::clamp(r.y2 - r.y1, min_h, MAX_SIZE);
    // At least this much of the title bar stays across the screen.
    const int reach = std::min(w, 3 * STEP + 1);
    const Rect d = desk();
    const int x = std::clamp(r.x1, reach - w, std::max(reach - w, d.x2 - reach));
    const int y = std::clamp(r.y1, d.y1, std::max(d.y1, d.y2 - CELL));
    return Rect::xywh(x, y, w, h);
}

int slider_length(int length, short size)
{
    const int smallest = std::min(length, STEP - 1);
    if (size < 1)
        return smallest;
    return std::clamp(length * std::min<int>(size, 1000) / 1000, smallest, length);
}

int slider_offset(int length, short size, short position)
{
    const int room = length - slider_length(length, size);
    return room * std::clamp<int>(position, 0, 1000) / 1000;
}

short slider_position(int length, short size, int offset)
{
    const int room = length - slider_length(length, size);
    if (room <= 0)
        return 0;
    return (short)(std::clamp(offset, 0, room) * 1000 / room);
}

namespace {

// The slider's cell inside a track cell, along y when `vertical`.
Rect slider_in(const Rect &track, bool vertical, short size, short position)
{
    const int length = (vertical ? track.y2 - track.y1 : track.x2 - track.x1) - 2;
    const int sl = slider_length(length, size);
    const int at = slider_offset(length, size, position);
    if (vertical)
        return {track.x1, track.y1 + at, track.x2, track.y1 + at + sl + 2};
    return {track.x1 + at, track.y1, track.x1 + at + sl + 2, track.y2};
}

}  // namespace

Layout layout(short kind, const Rect &o, const Window *sliders)
{
    const Bands b(kind);
    Layout l;
    l.outer = o;
    l.work = {o.x1 + 1, o.y1 + b.top, o.x2 - b.right, o.y2 - b.bottom};
    if (b.title) {
        l.title = {o.x1, o.y1, o.x2, o.y1 + CELL};
        if (kind & CLOSER)
            l.closer = {o.x1, o.y1, o.x1 + CELL, o.y1 + CELL};
        if (kind & FULLER)
            l.fuller = {o.x2 - CELL, o.y1, o.x2, o.y1 + CELL};
        l.name = {(kind & CLOSER) ? o.x1 + STEP : o.x1, o.y1, (kind & FULLER) ? o.x2 - STEP : o.x2,
                  o.y1 + CELL};
    }
    if (b.info) {
        const int y = o.y1 + (b.title ? STEP : 0);
        l.info = {o.x1, y, o.x2, y + CELL};
    }
    if (b.corner)
        l.corner = {o.x2 - CELL, o.y2 - CELL, o.x2, o.y2};
    if (kind & SIZER)
        l.sizer = l.corner;
    // The line under the title and info is the top line of the column.
    const int column_top = o.y1 + b.top - 1;
    if (b.vbar) {
        l.vbar = {o.x2 - CELL, column_top, o.x2, b.corner ? o.y2 - STEP : o.y2};
        const Rect &v = l.vbar;
        if (kind & UPARROW)
            l.up = {v.x1, v.y1, v.x2, v.y1 + CELL};
        if (kind & DNARROW)
            l.down = {v.x1, v.y2 - CELL, v.x2, v.y2};
        l.vtrack = {v.x1, (kind & UPARROW) ? v.y1 + STEP : v.y1, v.x2,
                    (kind & DNARROW) ? v.y2 - STEP : v.y2};
        if ((kind & VSLIDE) && sliders)
            l.vslider = slider_in(l.vtrack, true, sliders->vslsize, sliders->vslide);
    }
    if (b.hbar) {
        l.hbar = {o.x1, o.y2 - CELL, b.corner ? o.x2 - STEP : o.x2, o.y2};
        const Rect &h = l.hbar;
        if (kind & LFARROW)
            l.left = {h.x1, h.y1, h.x1 + CELL, h.y2};
        if (kind & RTARROW)
            l.right = {h.x2 - CELL, h.y1, h.x2, h.y2};
        l.htrack = {(kind & LFARROW) ? h.x1 + STEP : h.x1, h.y1,
                    (kind & RTARROW) ? h.x2 - STEP : h.x2, h.y2};
        if ((kind & HSLIDE) && sliders)
            l.hslider = slider_in(l.htrack, false, sliders->hslsize, sliders->hslide);
    }
    return l;
}

// The first part in this order that holds the point: where cells share an
// outline, the widget wins over the track and the track over the bar.
Part hit(const Layout &l, int x, int y)
{
    const std::pair<const Rect *, Part> parts[] = {
        {&l.work, Part::Work},     {&l.closer, Part::Closer},   {&l.fuller, Part::Fuller},
        {&l.name, Part::Name},     {&l.info, Part::Info},       {&l.up, Part::Up},
        {&l.down, Part::Down},     {&l.vslider, Part::VSlider}, {&l.left, Part::Left},
        {&l.right, Part::Right},   {&l.hslider, Part::HSlider}, {&l.sizer, Part::Sizer},
        {&l.corner, Part::Corner}, {&l.vtrack, Part::VTrack},   {&l.htrack, Part::HTrack},
        {&l.outer, Part::Border},
    };
    for (const auto &[rect, part] : parts) {
        if (rect->contains(x, y))
            return part;
    }
    return Part::None;
}

}  // namespace win

using namespace win;

int wind_calc(int type, int kind, int x, int y, int w, int h, short *x2, short *y2, short *w2,
              short *h2)
{
    if (type != WC_BORDER && type != WC_WORK)
        return 0;
    const Bands b((short)(kind & 0x0FFF));
    // Outer = work grown by the bands; work = outer shrunk by them.
    const int sign = type == WC_BORDER ? 1 : -1;
    const int across = 1 + b.right, down = b.top + b.bottom;
    const short out[4] = {(short)(x - sign * 1), (short)(y - sign * b.top),
                          (short)(w + sign * across), (short)(h + sign * down)};
    short *const to[4] = {x2, y2, w2, h2};
    for (int i = 0; i < 4; i++) {
        if (to[i])
            *to[i] = out[i];
    }
    return 1;
}
