// Dialog framing: form_center places a tree in the middle of the screen, and
// form_dial saves the screen under a box before it is drawn and puts it back
// when the box goes. Saved areas form a stack, innermost last, so dialogs
// can open over dialogs; the innermost area's corner is the origin the
// dialog loop hit-tests from.
#include <stdlib.h>
#include <string.h>

#include "gem/internal.h"

int _rno = -1;
void *_rmallocs[GEM_MAX_SAVES];
GRECT _rxywh[GEM_MAX_SAVES];

namespace {

// The area saved for a box: one pixel more on every side, except that a box
// at x = 0 (or y = 0) keeps its left (top) edge and reaches two pixels past
// itself on the other side instead. False when the area does not fit the
// 16-bit rectangle it is kept in.
bool with_margin(int x, int y, int w, int h, GRECT *area)
{
    const long ax = x ? (long)x - 1 : 0, ay = y ? (long)y - 1 : 0;
    const long aw = (long)w + 2, ah = (long)h + 2;
    auto fits = [](long v) { return v >= -32768 && v <= 32767; };
    if (!fits(ax) || !fits(ay) || !fits(aw) || !fits(ah))
        return false;
    *area = {(short)ax, (short)ay, (short)aw, (short)ah};
    return true;
}

// The memory form of a saved area's block.
MFDB block_form(void *block, const GRECT &a)
{
    MFDB form;
    memset(&form, 0, sizeof form);
    form.fd_addr = block;
    form.fd_w = a.g_w;
    form.fd_h = a.g_h;
    return form;
}

// Rectangle pair between the area on the screen and its block.
void area_pair(const GRECT &a, bool to_screen, short pxy[8])
{
    const short screen[4] = {a.g_x, a.g_y, (short)(a.g_x + a.g_w - 1), (short)(a.g_y + a.g_h - 1)};
    const short block[4] = {0, 0, (short)(a.g_w - 1), (short)(a.g_h - 1)};
    memcpy(pxy, to_screen ? block : screen, sizeof block);
    memcpy(pxy + 4, to_screen ? screen : block, sizeof block);
}

int save_area(int x, int y, int w, int h)
{
    GRECT a;
    if (_rno >= GEM_MAX_SAVES - 1 || !with_margin(x, y, w, h, &a))
        return 0;
    // A box of no size still opens an area, so that its restore matches it.
    const bool empty = a.g_w <= 0 || a.g_h <= 0;
    void *block = NULL;
    if (!empty) {
        const size_t bytes = (size_t)a.g_w * (size_t)a.g_h;
        block = _area_alloc(bytes);
        if (!block)
            return 0;
        memset(block, 0, bytes);  // what lies off the screen stays defined
    }
    _hidemouse();
    _rno++;
    _rmallocs[_rno] = block;
    _rxywh[_rno] = a;
    if (!empty) {
        short pxy[8];
        area_pair(a, false, pxy);
        MFDB form = block_form(block, a);
        _area_copy(pxy, &_screen, &form);
    }
    _showmouse();
    return 1;
}

// Puts the innermost area back where it was saved from, whatever rectangle
// the caller names, so the copy never reads outside the block.
int restore_area(void)
{
    if (_rno < 0)
        return 0;
    const GRECT a = _rxywh[_rno];
    void *block = _rmallocs[_rno];
    _hidemouse();
    if (block) {
        short pxy[8];
        area_pair(a, true, pxy);
        MFDB form = block_form(block, a);
        _area_copy(pxy, &form, &_screen);
    }
    free(block);
    _rmallocs[_rno] = NULL;
    _rno--;
    _showmouse();
    return 1;
}

}  // namespace

int form_center(OBJECT *tree, short *x, short *y, short *w, short *h)
{
    if (!tree)
        return 0;
    *w = tree->ob_width;
    *h = tree->ob_height;
    // Arithmetic halving: an odd difference loses its half towards minus
    // infinity, and a tree larger than the screen gets a negative corner.
    *x = (short)((short)(_scrwid - *w) >> 1);
    *y = (short)((short)(_scrht - *h) >> 1);
    tree->ob_x = *x;
    tree->ob_y = *y;
    return 1;
}

int form_dial(int flag, int lx, int ly, int lw, int lh, int x, int y, int w, int h)
{
    (void)lx;
    (void)ly;
    (void)lw;
    (void)lh;
    return flag <= 1 ? save_area(x, y, w, h) : restore_area();
}
