// The physical workstation, which is the screen: opening it, what it can do
// (vq_extnd), its colour table in the classic 0..1000 scale and reading
// single pixels.
#include <algorithm>

#include "gem/internal.h"

namespace {

// Handles 0 to 3 draw on the visible screen; classic programs take 0 for a
// failed open.
constexpr short kScreenHandle = 1;

// Pixels are square, on a picture taken to be 178 mm wide: 556 microns at
// 320 pixels across, 278 at 640, 222 at 800.
constexpr long kPictureMicrons = 178000;

constexpr short kLineTypes = 7, kMarkerTypes = 6, kPatterns = 24, kHatches = 12, kGdps = 10;
// Widths run over the odd numbers from 1 to GEM_MAX_LINE_WIDTH.
constexpr short kLineWidths = (GEM_MAX_LINE_WIDTH + 1) / 2;
// The built-in fonts' three heights; loaded fonts add faces, not sizes.
constexpr short kCharHeights = 3;
// The attribute classes of the GDPs 1 to 10 (bar, arc, pie, circle,
// ellipse, elliptical arc, elliptical pie, rounded box, filled rounded box,
// justified text): 0 line, 2 text, 3 fill.
constexpr short kGdpClasses[kGdps] = {3, 0, 3, 3, 3, 0, 3, 0, 3, 2};

void workstation_words(short *out)
{
    const short micron = (short)(kPictureMicrons / std::max<int>(_scrwid, 1));
    out[0] = (short)(_scrwid - 1);
    out[1] = (short)(_scrht - 1);
    out[2] = 0;  // exact pixel sizes
    out[3] = out[4] = micron;
    out[5] = kCharHeights;
    out[6] = kLineTypes;
    out[7] = kLineWidths;
    out[8] = kMarkerTypes;
    out[9] = 0;  // marker heights: any from 1 to GEM_MAX_MARKER_HEIGHT
    out[10] = _no_of_fonts;
    out[11] = kPatterns;
    out[12] = kHatches;
    out[13] = 256;  // predefined colours
    out[14] = kGdps;
    for (int k = 0; k < kGdps; k++) {
        out[15 + k] = (short)(k + 1);
        out[25 + k] = kGdpClasses[k];
    }
    out[35] = 1;  // colour
    out[36] = 1;  // text turns in quarter turns only
    out[37] = 1;  // area fill
    out[38] = 0;  // no cell arrays
    out[39] = 0;  // more colours than a word counts: 2^18 from 6-bit guns
    out[40] = 2;  // locators: mouse and keyboard
    out[41] = 0;  // valuators
    out[42] = 1;  // choice: function keys
    out[43] = 1;  // string: keyboard
    out[44] = 2;  // input and output

    // Character widths and heights (baseline to top) over the fonts.
    short min_w = 0, min_h = 0, max_w = 0, max_h = 0;
    for (int n = 0; n < _no_of_fonts; n++) {
        const GFONT *f = _sysfonts[n];
        min_w = n ? std::min(min_w, f->max_char_width) : f->max_char_width;
        min_h = n ? std::min(min_h, f->top) : f->top;
        max_w = std::max(max_w, f->max_char_width);
        max_h = std::max(max_h, f->top);
    }
    out[45] = min_w;
    out[46] = min_h;
    out[47] = max_w;
    out[48] = max_h;
    out[49] = 1;
    out[51] = GEM_MAX_LINE_WIDTH;
    out[53] = out[54] = 1;
    out[55] = out[56] = GEM_MAX_MARKER_HEIGHT;
}

bool clipping_on()
{
    return _clipx1 != 0 || _clipy1 != 0 || _clipx2 != _scrwid - 1 || _clipy2 != _scrht - 1;
}

void extended_words(short *out)
{
    out[0] = 4;  // one controller and one image for text and graphics
    out[1] = 256;
    out[2] = TXT_BOLD | TXT_LIGHT | TXT_ITALIC | TXT_UNDERLINED | TXT_WIDE;
    out[3] = 0;         // no scaling
    out[4] = 8;         // planes
    out[5] = 1;         // a colour lookup table
    out[6] = SHRT_MAX;  // 16 x 16 raster copies a second: at least this many
    out[7] = 1;         // contour fill
    out[8] = 1;         // text turns in quarter turns
    out[9] = 4;         // writing modes
    out[10] = 2;        // request and sample input
    out[11] = 1;        // text alignment
    out[12] = 0;        // inking
    out[13] = 0;        // rubber-banding
    out[14] = GEM_MAX_POLYGON;
    out[15] = -1;  // no limit on intin
    out[16] = 2;   // mouse buttons
    out[17] = 0;   // wide lines are solid
    out[18] = 4;   // every writing mode for wide lines
    out[19] = clipping_on();
    // The clip rectangle, where the classic call returns its corners.
    out[45] = _clipx1;
    out[46] = _clipy1;
    out[47] = _clipx2;
    out[48] = _clipy2;
}

// The classic word order: line type, line colour, marker type, marker
// colour, font face, text colour, fill interior, style and colour. Face 1
// is the system font; other faces leave the font as it is.
void apply_work_in(int handle, const short *in)
{
    vsl_type(handle, in[1]);
    vsl_color(handle, in[2]);
    vsm_type(handle, in[3]);
    vsm_color(handle, in[4]);
    if (in[5] == 1)
        vst_font(handle, 0);
    vst_color(handle, in[6]);
    vsf_interior(handle, in[7]);  // before the style: its range follows the interior
    vsf_style(handle, in[8]);
    vsf_color(handle, in[9]);
}

// What vs_color was asked for each entry, and the entry it made: an entry
// changed since by another path is no longer what was asked.
struct Asked {
    bool set;
    short rgb[3];
    RGB made;
};
Asked asked[256];

short permille(int v) { return (short)std::clamp(v, 0, 1000); }
int to_gun(short v) { return (v * 63 + 500) / 1000; }
short from_gun(int gun) { return (short)((gun * 1000 + 31) / 63); }

bool same_colour(const RGB &a, const RGB &b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

}  // namespace

// The screen is open from appl_init on: opening it hands back the screen's
// handle and starts the attributes over (the classic defaults, clipping
// off, no text effects) before work_in's are applied.
void v_opnwk(short *work_in, short *handle_out, short *work_out)
{
    _vdi = _vdi_plain;
    _texteff = 0;
    vs_clip(kScreenHandle, 0, NULL);
    if (work_in)
        apply_work_in(kScreenHandle, work_in);
    if (handle_out)
        *handle_out = kScreenHandle;
    if (work_out)
        vq_extnd(kScreenHandle, 0, work_out);
}

// The screen stays open until appl_exit.
void v_clswk(int handle) { (void)handle; }

// Every drawing is on the screen at once; a scaled window shows it after
// the next poll, or now.
void v_updwk(int handle)
{
    (void)handle;
    _gemio->present();
}

void vq_extnd(int handle, int extended, short *work_out)
{
    (void)handle;
    if (!work_out)
        return;
    std::fill_n(work_out, 57, 0);
    if (extended)
        extended_words(work_out);
    else
        workstation_words(work_out);
}

// Components are clamped to 0..1000 and become the nearest 6-bit value.
void vs_color(int handle, int index, const short *rgb)
{
    (void)handle;
    if (index < 0 || index > 255 || !rgb)
        return;
    Asked &a = asked[index];
    unsigned char bytes[3];
    for (int k = 0; k < 3; k++) {
        a.rgb[k] = permille(rgb[k]);
        const int gun = to_gun(a.rgb[k]);
        bytes[k] = (unsigned char)(gun << 2 | gun >> 4);  // the byte whose top 6 bits are `gun`
    }
    Forcepalette(index, 1, bytes);
    a.made = _palette[index];
    a.set = true;
}

// set_flag 0: what vs_color was asked, while the entry holds what it made;
// otherwise, and with set_flag 1, the entry as it is.
int vq_color(int handle, int index, int set_flag, short *rgb)
{
    (void)handle;
    if (index < 0 || index > 255)
        return -1;
    if (!rgb)
        return index;
    const Asked &a = asked[index];
    const RGB &now = _palette[index];
    if (!set_flag && a.set && same_colour(a.made, now)) {
        std::copy(a.rgb, a.rgb + 3, rgb);
    } else {
        rgb[0] = from_gun(now.r);
        rgb[1] = from_gun(now.g);
        rgb[2] = from_gun(now.b);
    }
    return index;
}

// On the 8-bit screen the pixel's value is its colour index: both are
// given. Outside the surface both are -1.
int v_get_pixel(int handle, int x, int y, short *pel, short *index)
{
    BITMAP *surface = _surface(handle);
    int value = -1;
    if (surface && x >= 0 && y >= 0 && x < surface->w && y < surface->h) {
        scare_mouse();  // the pixel, not the pointer over it
        value = getpixel(surface, x, y);
        unscare_mouse();
    }
    if (pel)
        *pel = (short)value;
    if (index)
        *index = (short)value;
    return value;
}
