// Rectangles the user sizes or moves with a button held: the rubber band
// (graf_rubberbox), the drag box (graf_dragbox) and the slider
// (graf_slidebox). Each polls the mouse until every button is up, giving
// the processor up with _idle() between two polls. The first two draw
// their box as an XOR outline, so drawing it again erases it.
#include <algorithm>

#include "gem/internal.h"
#include "gem/resource/walk.h"

namespace {

struct Pointer {
    short buttons, x, y;
};

Pointer read_mouse()
{
    Pointer p;
    vq_mouse(handle, &p.buttons, &p.x, &p.y);
    return p;
}

Pointer next_mouse()
{
    _idle();
    return read_mouse();
}

// The outline of the w x h box at (x, y); corners are inclusive.
void outline(int x, int y, int w, int h)
{
    _xor_box((short)x, (short)y, (short)(x + w - 1), (short)(y + h - 1));
}

void put(short *place, int value)
{
    if (place)
        *place = (short)value;
}

}  // namespace

int graf_rubberbox(int x, int y, int minw, int minh, short *w, short *h)
{
    Pointer p = read_mouse();
    int cx = p.x, cy = p.y;  // the moving corner
    _xor_box((short)x, (short)y, (short)cx, (short)cy);
    // The first read counts as the loop's first: a button already up ends
    // the call at once.
    for (; p.buttons; p = next_mouse()) {
        // Positions left of or above the minimum box are ignored on both axes.
        if ((p.x == cx && p.y == cy) || p.x < x + minw || p.y < y + minh)
            continue;
        _xor_box((short)x, (short)y, (short)cx, (short)cy);
        cx = p.x;
        cy = p.y;
        _xor_box((short)x, (short)y, (short)cx, (short)cy);
    }
    _xor_box((short)x, (short)y, (short)cx, (short)cy);
    put(w, std::max(minw, cx - x + 1));
    put(h, std::max(minh, cy - y + 1));
    return 1;
}

int graf_dragbox(int w, int h, int x, int y, int bx, int by, int bw, int bh, short *fx, short *fy)
{
    Pointer p = read_mouse();
    int px = p.x, py = p.y;              // the accepted pointer position
    const int dx = px - x, dy = py - y;  // the grip inside the box
    outline(x, y, w, h);
    for (; p.buttons; p = next_mouse()) {
        if (p.x == px && p.y == py)
            continue;
        // The box may reach the bound's first column and row but never its
        // last ones.
        if (p.x - dx >= bx && p.x - dx + w < bx + bw)
            px = p.x;
        if (p.y - dy >= by && p.y - dy + h < by + bh)
            py = p.y;
        if (px - dx != x || py - dy != y) {
            outline(x, y, w, h);
            x = px - dx;
            y = py - dy;
            outline(x, y, w, h);
        }
        // The pointer is put back on the grip when a move was refused on an
        // axis. Only then: a warp to where the pointer already is would
        // throw away any movement made since this poll.
        if (px != p.x || py != p.y)
            _gemio->warp(px, py);
    }
    outline(x, y, w, h);
    put(fx, x);
    put(fy, y);
    return 1;
}

int graf_slidebox(OBJECT *tree, int parent, int slider, int vertical)
{
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(parent) || !guard.valid(slider))
        return 0;
    OBJECT &s = tree[slider];
    const OBJECT &par = tree[parent];
    short &offset = vertical ? s.ob_y : s.ob_x;
    const int size = vertical ? s.ob_height : s.ob_width;
    // The slider stays strictly inside: its highest offset is range - 1. A
    // slider as large as its parent (range 0 or less) never moves.
    const int range = (vertical ? par.ob_height : par.ob_width) - size;

    const short text = _textcol;
    Pointer p = read_mouse();
    short ax = 0, ay = 0;
    objc_offset(tree, parent, &ax, &ay);
    int pos = offset;
    while (p.buttons) {
        const int before = vertical ? p.y : p.x;
        p = next_mouse();
        pos += (vertical ? p.y : p.x) - before;
        if (pos != offset && pos < range && pos >= 0) {
            offset = (short)pos;
            _hidemouse();
            _objc_draw(tree, (short)parent, 8, ax, ay);
            // Hide requests of the program are honoured: the pointer comes
            // back only when nobody holds it hidden.
            if (_mtot == 0)
                _showmouse();
        } else {
            // A move that would leave the range is dropped; later moves
            // count from the slider's real position.
            pos = offset;
        }
    }
    vst_color(handle, text);
    return pos + size / 2;
}
