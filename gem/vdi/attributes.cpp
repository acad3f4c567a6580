// The single workstation, its clip rectangle and drawing attributes, and the
// user timer hook. Attribute setters ignore the handle, keep the low 8 bits
// of their value and return what they stored.
#include <algorithm>
#include <iterator>

#include "gem/internal.h"

short _linecol = 1, _fillcol = 0, _textcol = 1, _texteff = 0;
short _clipx1 = 0, _clipy1 = 0, _clipx2 = 0, _clipy2 = 0;
void (*_trout)(void) = NULL;

const VDI_ATTRIBUTES _vdi_plain = {
    MD_REPLACE,
    FIS_SOLID,
    1,
    1,
    {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
     0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF},
    SOLID,
    1,
    SQUARE,
    SQUARE,
    0xFFFF,
    PM_ASTERISK,
    7,
    1,
    TA_LEFT,
    TA_BASE,
    0,
};
VDI_ATTRIBUTES _vdi = _vdi_plain;

void _vdi_enter_plain(VDI_ATTRIBUTES *saved)
{
    *saved = _vdi;
    _vdi = _vdi_plain;
}

void _vdi_leave_plain(const VDI_ATTRIBUTES *saved) { _vdi = *saved; }

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

// The classic attribute setters: a value out of range selects the default,
// and each returns what it stored.
namespace {

short in_range(int value, int low, int high, int otherwise)
{
    return (short)(value >= low && value <= high ? value : otherwise);
}

}  // namespace

int vswr_mode(int handle, int mode)
{
    (void)handle;
    return _vdi.mode = in_range(mode, MD_REPLACE, MD_ERASE, MD_REPLACE);
}

int vsf_interior(int handle, int interior)
{
    (void)handle;
    return _vdi.interior = in_range(interior, FIS_HOLLOW, FIS_USER, FIS_HOLLOW);
}

// Patterns run from 1 to 24, hatches from 1 to 12; the range follows the
// interior chosen when the style is set.
int vsf_style(int handle, int style)
{
    (void)handle;
    return _vdi.style = in_range(style, 1, _vdi.interior == FIS_HATCH ? 12 : 24, 1);
}

int vsf_perimeter(int handle, int on)
{
    (void)handle;
    return _vdi.perimeter = on != 0;
}

// Only the first plane is used: on the one 8-bit screen a user pattern is
// drawn in the fill colour, like every other pattern.
void vsf_udpat(int handle, const short *pattern, int planes)
{
    (void)handle;
    if (!pattern || planes < 1)
        return;
    for (int row = 0; row < 16; row++)
        _vdi.udpat[row] = (unsigned short)pattern[row];
}

int vsl_type(int handle, int type)
{
    (void)handle;
    return _vdi.line_type = in_range(type, SOLID, USERLINE, SOLID);
}

void vsl_udsty(int handle, int pattern)
{
    (void)handle;
    _vdi.line_udsty = (unsigned short)pattern;
}

// Widths are odd, so that a line lies centred on its path: an even width
// gives the odd one below it.
int vsl_width(int handle, int width)
{
    (void)handle;
    int w = width < 1 ? 1 : width > GEM_MAX_LINE_WIDTH ? GEM_MAX_LINE_WIDTH : width;
    return _vdi.line_width = (short)(w % 2 ? w : w - 1);
}

void vsl_ends(int handle, int begin, int end)
{
    (void)handle;
    _vdi.line_begin = in_range(begin, SQUARE, ROUND, SQUARE);
    _vdi.line_end = in_range(end, SQUARE, ROUND, SQUARE);
}

int vsm_type(int handle, int type)
{
    (void)handle;
    return _vdi.marker_type = in_range(type, PM_DOT, PM_DIAMOND, PM_ASTERISK);
}

int vsm_height(int handle, int height)
{
    (void)handle;
    int h = height < 1 ? 1 : height > GEM_MAX_MARKER_HEIGHT ? GEM_MAX_MARKER_HEIGHT : height;
    return _vdi.marker_height = (short)h;
}

int vsm_color(int handle, int color)
{
    (void)handle;
    return low_byte(&_vdi.marker_color, color);
}

void vql_attributes(int handle, short *attrib)
{
    (void)handle;
    const short values[] = {_vdi.line_type,  _linecol,        _vdi.mode,
                            _vdi.line_width, _vdi.line_begin, _vdi.line_end};
    std::copy(std::begin(values), std::end(values), attrib);
}

void vqf_attributes(int handle, short *attrib)
{
    (void)handle;
    const short values[] = {_vdi.interior, _fillcol, _vdi.style, _vdi.mode, _vdi.perimeter};
    std::copy(std::begin(values), std::end(values), attrib);
}

// Markers are as wide as they are high.
void vqm_attributes(int handle, short *attrib)
{
    (void)handle;
    const short values[] = {_vdi.marker_type, _vdi.marker_color, _vdi.mode, _vdi.marker_height,
                            _vdi.marker_height};
    std::copy(std::begin(values), std::end(values), attrib);
}
