// The single workstation, its clip rectangle and drawing attributes, and the
// user timer hook. Attribute setters ignore the handle, keep the low 8 bits
// of their value and return what they stored.
#include "gem/internal.h"

short _linecol = 1, _fillcol = 0, _textcol = 1, _texteff = 0;
short _clipx1 = 0, _clipy1 = 0, _clipx2 = 0, _clipy2 = 0;
void (*_trout)(void) = NULL;

// The workstation exists from start-up: opening one only hands back the
// number the caller asked for.
int v_opnvwk(short *work_in, short *handle_out, short *work_out)
{
    (void)handle_out;
    (void)work_out;
    return work_in[0];
}

void v_clsvwk(int handle) { (void)handle; }

void v_clrwk(int handle) { clear_to_color(_surface(handle), _fillcol); }

// flag non-zero: the clip rectangle is taken from pxy as given (the caller
// orders the corners); zero: the whole screen, and pxy is not read.
void vs_clip(int handle, int flag, const short *pxy)
{
    (void)handle;
    if (flag) {
        _clipx1 = pxy[0];
        _clipy1 = pxy[1];
        _clipx2 = pxy[2];
        _clipy2 = pxy[3];
    } else {
        _clipx1 = 0;
        _clipy1 = 0;
        _clipx2 = (short)(_scrwid - 1);
        _clipy2 = (short)(_scrht - 1);
    }
}

static int low_byte(short *attribute, int value)
{
    *attribute = (short)(value & 0xFF);
    return *attribute;
}

int vsl_color(int handle, int color)
{
    (void)handle;
    return low_byte(&_linecol, color);
}
int vsf_color(int handle, int color)
{
    (void)handle;
    return low_byte(&_fillcol, color);
}
int vst_color(int handle, int color)
{
    (void)handle;
    return low_byte(&_textcol, color);
}
int vst_effects(int handle, int effects)
{
    (void)handle;
    return low_byte(&_texteff, effects);
}

// Installs `routine` on Allegro's timer every `period` ms. An earlier routine
// stays installed there; only its record in _trout is replaced.
int vex_retime(int handle, void (*routine)(void), void (**old)(void), int period)
{
    (void)handle;
    if (old)
        *old = _trout;
    _trout = routine;
    return install_int(routine, period);
}
