// The classic graf calls: graf_handle's non-zero workstation, the mouse
// state and the interactive boxes with outs of the program's widths, and
// graf_mouse with the classic mouse form.
#include <string.h>

#include "gem/classic/internal.h"

namespace {

// The handle graf_handle gives: a visible-screen handle (the layer's 0 to
// 3), but not 0, which classic programs take for "no workstation".
constexpr int SCREEN_HANDLE = 1;

// The form's data colour as the layer's cursor takes it: pixel value 0 is
// transparent there, so a colour 0 takes an entry of colour 0's colour, as
// the layer already does for the mask colour.
short data_colour(short fg)
{
    if (fg & 0xFF)
        return fg;
    const int entry = Setcolor(256, _defpal);
    Setpalette();
    return (short)entry;
}

MSHAPE shape_of(const GEMC_MFORM &f)
{
    MSHAPE s;
    s.ms_xhot = f.mf_xhot;
    s.ms_yhot = f.mf_yhot;
    s.ms_maskcol = f.mf_bg;
    s.ms_datacol = data_colour(f.mf_fg);
    static_assert(sizeof s.ms_mask == sizeof f.mf_mask && sizeof s.ms_data == sizeof f.mf_data,
                  "16 rows each");
    memcpy(s.ms_mask, f.mf_mask, sizeof s.ms_mask);
    memcpy(s.ms_data, f.mf_data, sizeof s.ms_data);
    return s;
}

}  // namespace

int gemc_graf_handle(GEMC_REF wchar, GEMC_REF hchar, GEMC_REF wbox, GEMC_REF hbox)
{
    short wc, hc, wb, hb;
    graf_handle(&wc, &hc, &wb, &hb);
    gemc_put(wchar, 0, wc);
    gemc_put(hchar, 0, hc);
    gemc_put(wbox, 0, wb);
    gemc_put(hbox, 0, hb);
    return SCREEN_HANDLE;
}

int gemc_graf_mkstate(GEMC_REF mx, GEMC_REF my, GEMC_REF button, GEMC_REF kstate)
{
    short x, y, b, k;
    const int r = graf_mkstate(&x, &y, &b, &k);
    gemc_put(mx, 0, x);
    gemc_put(my, 0, y);
    gemc_put(button, 0, b);
    gemc_put(kstate, 0, k);
    return r;
}

// The form is read only for USER_DEF, where a null one is refused; it may be
// a GEMC_MFORM or the 37 words of one.
int gemc_graf_mouse(int number, const void *form)
{
    if (number != USER_DEF)
        return graf_mouse(number, nullptr);
    if (!form)
        return 0;
    GEMC_MFORM f;
    memcpy(&f, form, sizeof f);
    const MSHAPE s = shape_of(f);
    return graf_mouse(USER_DEF, &s);
}

int gemc_graf_rubberbox(int x, int y, int minw, int minh, GEMC_REF w, GEMC_REF h)
{
    short fw = 0, fh = 0;
    const int r = graf_rubberbox(x, y, minw, minh, &fw, &fh);
    gemc_put(w, 0, fw);
    gemc_put(h, 0, fh);
    return r;
}

int gemc_graf_dragbox(int w, int h, int x, int y, int bx, int by, int bw, int bh, GEMC_REF fx,
                      GEMC_REF fy)
{
    short dx = 0, dy = 0;
    const int r = graf_dragbox(w, h, x, y, bx, by, bw, bh, &dx, &dy);
    gemc_put(fx, 0, dx);
    gemc_put(fy, 0, dy);
    return r;
}
