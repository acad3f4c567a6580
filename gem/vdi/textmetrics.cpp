// Text placement and metrics: alignment, rotation, choosing a font of the
// current face by height or point size, and the sizes v_gtext draws.
#include <string.h>

#include <algorithm>
#include <iterator>

#include "gem/vdi/textrun.h"

namespace {

short in_range(int value, int low, int high, int otherwise)
{
    return (short)(value >= low && value <= high ? value : otherwise);
}

short to_short(long long value) { return (short)std::clamp<long long>(value, 0, SHRT_MAX); }

void put(short *out, short value)
{
    if (out)
        *out = value;
}

// The font of the current face (the current font's font_id) whose `key`
// is the largest not above `wanted`, or else the one whose key is the
// smallest; the first in the list among equals.
int font_in_face(int wanted, short GFONT::*key)
{
    int best = -1, smallest = -1;
    for (int n = 0; n < _no_of_fonts; n++) {
        const GFONT *f = _sysfonts[n];
        if (f->font_id != _font->font_id)
            continue;
        if (f->*key <= wanted && (best < 0 || f->*key > _sysfonts[best]->*key))
            best = n;
        if (smallest < 0 || f->*key < _sysfonts[smallest]->*key)
            smallest = n;
    }
    return best >= 0 ? best : smallest;
}

// Selects the font of the face that `key` picks for `wanted`, gives its
// character and cell sizes, and returns its key.
int select_in_face(int handle, int wanted, short GFONT::*key, short *char_width, short *char_height,
                   short *cell_width, short *cell_height)
{
    const GFONT *f = nullptr;
    if (_font)
        f = _sysfonts[vst_font(handle, font_in_face(wanted, key))];
    put(char_width, f ? f->max_char_width : 0);
    put(char_height, f ? f->top : 0);
    put(cell_width, f ? f->max_cell_width : 0);
    put(cell_height, f ? f->form_height : 0);
    return f ? f->*key : 0;
}

}  // namespace

void vst_alignment(int handle, int horizontal, int vertical, short *hor_out, short *vert_out)
{
    (void)handle;
    _vdi.text_h = in_range(horizontal, TA_LEFT, TA_RIGHT, TA_LEFT);
    _vdi.text_v = in_range(vertical, TA_BASE, TA_TOP, TA_BASE);
    put(hor_out, _vdi.text_h);
    put(vert_out, _vdi.text_v);
}

// Any angle, in tenths of a degree, to the nearest quarter turn; a half way
// angle goes to the next quarter counter-clockwise.
int vst_rotation(int handle, int angle)
{
    (void)handle;
    const int turned = (angle % 3600 + 3600) % 3600;
    return _vdi.text_angle = (short)((turned + 450) / 900 % 4 * 900);
}

int vst_height(int handle, int height, short *char_width, short *char_height, short *cell_width,
               short *cell_height)
{
    return select_in_face(handle, height, &GFONT::top, char_width, char_height, cell_width,
                          cell_height);
}

// Point sizes are the fonts' header sizes: 8, 9 and 10 for the 6x6, 8x8
// and 8x16 system fonts.
int vst_point(int handle, int point, short *char_width, short *char_height, short *cell_width,
              short *cell_height)
{
    return select_in_face(handle, point, &GFONT::size, char_width, char_height, cell_width,
                          cell_height);
}

// The corners of the box v_gtext draws the string in, in y-up coordinates
// with the box's lowest corner at (0, 0): the text's own lower-left,
// lower-right, upper-right and upper-left corners in that order, turned
// with the text. Unturned: {0,0, w,0, w,h, 0,h}; at 900: {h,0, h,w, 0,w,
// 0,0}. Widths beyond 32767 are given as 32767.
void vqt_extent(int handle, const char *string, short *extent)
{
    (void)handle;
    if (!extent)
        return;
    std::fill(extent, extent + 8, 0);
    if (!_font || !string)
        return;
    const short w = to_short(current_run().measure(string).width);
    const short h = _font->form_height;
    short corner[8] = {0, 0, w, 0, w, h, 0, h};
    // Each quarter turn counter-clockwise takes (X, Y) to (-Y, X).
    for (int turn = _vdi.text_angle / 900 % 4; turn > 0; turn--) {
        for (int k = 0; k < 8; k += 2) {
            const short x = corner[k];
            corner[k] = (short)-corner[k + 1];
            corner[k + 1] = x;
        }
    }
    short low_x = SHRT_MAX, low_y = SHRT_MAX;
    for (int k = 0; k < 8; k += 2) {
        low_x = std::min(low_x, corner[k]);
        low_y = std::min(low_y, corner[k + 1]);
    }
    for (int k = 0; k < 8; k += 2) {
        extent[k] = (short)(corner[k] - low_x);
        extent[k + 1] = (short)(corner[k + 1] - low_y);
    }
}

// A character is read as v_gtext reads a byte of its string, so one that
// v_gtext stops at counts as lacking.
int vqt_width(int handle, int character, short *advance, short *left_delta, short *right_delta)
{
    (void)handle;
    put(advance, 0);
    put(left_delta, 0);
    put(right_delta, 0);
    if (!_font || character < 0 || character > 255)
        return -1;
    const TextRun run{_font, &font_place(_fontno), 0};
    const int index = run.glyph((char)character);
    if (index < 0)
        return -1;
    put(advance, to_short(run.advance(index)));
    return character;
}

// A number out of range names the first font, as the classic call does.
int vqt_name(int handle, int number, char *name)
{
    (void)handle;
    if (_no_of_fonts == 0) {
        if (name)
            name[0] = '\0';
        return 0;
    }
    const GFONT *f = _sysfonts[number >= 1 && number <= _no_of_fonts ? number - 1 : 0];
    if (name) {
        memcpy(name, f->name, sizeof f->name);
        name[sizeof f->name] = '\0';
    }
    return f->font_id;
}

void vqt_attributes(int handle, short *attrib)
{
    (void)handle;
    if (!attrib)
        return;
    const GFONT *f = _font;
    const short values[] = {_fontno,
                            _textcol,
                            _vdi.text_angle,
                            _vdi.text_h,
                            _vdi.text_v,
                            _vdi.mode,
                            f ? f->max_char_width : (short)0,
                            f ? f->top : (short)0,
                            f ? f->max_cell_width : (short)0,
                            f ? f->form_height : (short)0};
    std::copy(std::begin(values), std::end(values), attrib);
}
