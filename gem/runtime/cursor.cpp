// The mouse cursor: the sprite `_mousebmp`, built from two-colour shape
// records, and its visibility (a count of hide requests and a flag for
// whether the platform draws it now). The cursor is drawn only while the
// visible screen is selected.
#include <limits.h>

#include "gem/internal.h"

_MOUSE _mouse = {NULL, 0, 0};
short _mshape = 0;
short _mtot = 0;
short _mousedrawn = 0;

void _hidemouse(void)
{
    if (!_mousedrawn)
        return;
    _gemio->cursor(0);
    _mousedrawn = 0;
}

// Does not look at _mtot: callers that honour hide requests check it first.
void _showmouse(void)
{
    if (_mousedrawn || handle > 3)
        return;
    _gemio->cursor(1);
    _mousedrawn = 1;
}

namespace {

// One more hide request. The count stops at the largest 16-bit value rather
// than wrapping to a negative count that no show request could bring back.
void add_hide_request()
{
    if (_mtot < SHRT_MAX)
        _mtot++;
}

// Pixel value 0 is transparent, so a mask in colour 0 takes another entry of
// the same colour: the one find-or-add gives for the default colour 0.
int outline_colour(short maskcol)
{
    if (maskcol != 0)
        return maskcol & 0xFF;
    int entry = Setcolor(256, _defpal);
    Setpalette();
    return entry;
}

void paint(const unsigned short *rows, int colour)
{
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            if (rows[y] & (0x8000u >> x))
                _mouse.shape[y * 16 + x] = (unsigned char)colour;
}

}  // namespace

// Builds the shape into _mousebmp and hands it to Allegro; the cursor is
// left hidden for the caller to show.
void _setmouse(const MSHAPE *form)
{
    _hidemouse();
    _mouse.hotx = form->ms_xhot;
    _mouse.hoty = form->ms_yhot;
    int mask = outline_colour(form->ms_maskcol);
    int data = form->ms_datacol & 0xFF;
    for (int i = 0; i < 256; i++)
        _mouse.shape[i] = 0;
    paint(form->ms_mask, mask);
    paint(form->ms_data, data);  // data is drawn over the mask
    set_mouse_sprite(_mousebmp);
    set_mouse_sprite_focus(_mouse.hotx, _mouse.hoty);
}

// 0 to 7: a built-in shape; 255: the user shape `form` (refused when null);
// 256: hide; 257: take one hide request back (the next poll shows the cursor
// once none is left).
int graf_mouse(int number, const MSHAPE *form)
{
    if (number >= 0 && number <= 7) {
        _hidemouse();
        _mshape = (short)number;
        _setmouse(&_mice[number]);
        _showmouse();
    } else if (number == USER_DEF && form) {
        _hidemouse();
        _setmouse(form);
        _showmouse();
    } else if (number == M_OFF) {
        add_hide_request();
        if (_mtot == 1)
            _hidemouse();
    } else if (number == M_ON) {
        if (_mtot > 0)
            _mtot--;
    } else {
        return 0;
    }
    return 1;
}

void v_hide_c(int handle)
{
    (void)handle;
    if (_mtot == 0)
        _hidemouse();
    add_hide_request();
}

// A non-zero `reset` takes one hide request back, zero takes all of them.
void v_show_c(int handle, int reset)
{
    (void)handle;
    if (_mtot == 0)
        return;
    _mtot = reset ? (short)(_mtot - 1) : (short)0;
    if (_mtot == 0)
        _showmouse();
}
