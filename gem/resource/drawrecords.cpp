// Drawing the object types whose ob_spec names a record: texts placed by ob_just
// (OT_TEXT, OT_BOXTEXT, OT_FBOXTEXT), buttons, one-plane images, icons, and
// objects a program draws itself (OT_USERDEF). draw.cpp has set the
// object's colours, effects, font and clip and filled its box before, and
// frames it after.
#include <climits>
#include <cstring>

#include <algorithm>

#include "gem/resource/draw.h"

namespace objdraw {

namespace {

// An image row of more bytes than this is wider than 16-bit coordinates.
constexpr int MAX_IMAGE_ROW_BYTES = SHRT_MAX / 8;
// Icons are captioned in the small font (6 x 6), as classic icons are.
constexpr int ICON_FONT = 2;
constexpr int USER_STATES = OS_SELECTED | OS_CROSSED | OS_OUTLINED | OS_SHADOWED;

// Text placed across the object by ob_just (an unknown value: left) and
// centred down it. Only the low 16 bits of its width count, as for
// centred text.
void justified_text(const OBJECT &ob, const Place &at, const char *text)
{
    const unsigned width = (unsigned)strlen(text) * (unsigned)(unsigned short)_font->max_cell_width;
    const int w = (unsigned short)width;
    int x = at.x;
    if (ob.ob_just == TE_CNTR)
        x += half(at.w - w);
    else if (ob.ob_just == TE_RIGHT)
        x += at.w - w;
    const short y = (short)(at.y + half(at.h - _font->form_height));
    _OLtext((short)x, y, at.w, at.h, (short)(ob.ob_flags & ~CENTRE), text);
}

void draw_tedinfo(const OBJECT &ob, int type, const Place &at)
{
    const TEDINFO *ted = (const TEDINFO *)_ob_spec(&ob);
    if (!ted)
        return;
    if (type != OT_FBOXTEXT) {
        justified_text(ob, at, or_empty(ted->te_ptext));
        return;
    }
    char shown[TEXT_BUFFER];
    merge_placeholders(ted->te_ptmplt, ted->te_ptext, shown);
    justified_text(ob, at, shown);
}

// The set bits of a one-plane form (rows of `words` words) from (sx, sy)
// on, drawn transparently at (dx, dy) in `colour`, at most w x h pixels and
// within the clip. vrt_cpyfm keeps every read inside the form.
void draw_plane(const short *words, int form_w, int form_h, int row_words, int sx, int sy, int dx,
                int dy, int w, int h, int colour)
{
    if (!words || w <= 0 || h <= 0)
        return;
    MFDB form = {};
    form.fd_addr = (void *)words;
    form.fd_w = (short)form_w;
    form.fd_h = (short)form_h;
    form.fd_wdwidth = (short)row_words;
    form.fd_nplanes = 1;
    const short pxy[8] = {clamp16(sx), clamp16(sy), clamp16(sx + w - 1L), clamp16(sy + h - 1L),
                          clamp16(dx), clamp16(dy), clamp16(dx + w - 1L), clamp16(dy + h - 1L)};
    const short colours[2] = {(short)colour, 0};
    vrt_cpyfm(handle, MD_TRANS, pxy, &form, &_screen, colours);
}

bool image_ok(const BITBLK *bb)
{
    return bb && bb->bi_pdata && bb->bi_wb > 0 && bb->bi_wb % 2 == 0 &&
           bb->bi_wb <= MAX_IMAGE_ROW_BYTES && bb->bi_hl > 0;
}

// The image from (bi_x, bi_y) at the object's corner, within the object.
void draw_image(const BITBLK *bb, const Place &at, int invert)
{
    if (!image_ok(bb))
        return;
    draw_plane(bb->bi_pdata, bb->bi_wb * 8, bb->bi_hl, bb->bi_wb / 2, bb->bi_x, bb->bi_y, at.x,
               at.y, at.w, at.h, bb->bi_color ^ invert);
}

// The caption on its rectangle (in the mask colour) and the letter over
// the icon, both in the data colour and the small font.
void draw_icon_text(const ICONBLK *ib, const Place &at, int mask, int data)
{
    vst_font(handle, ICON_FONT);
    vst_color(handle, data);
    vsf_color(handle, mask);
    const int tx = at.x + ib->ib_xtext, ty = at.y + ib->ib_ytext;
    if (ib->ib_wtext > 0 && ib->ib_htext > 0) {
        const short box[4] = {clamp16(tx), clamp16(ty), clamp16(tx + ib->ib_wtext - 1),
                              clamp16(ty + ib->ib_htext - 1)};
        vr_recfl(handle, box);
        if (ib->ib_ptext)
            _OLtext(box[0], box[1], ib->ib_wtext, ib->ib_htext, CENTRE, ib->ib_ptext);
    }
    const char letter[2] = {(char)(ib->ib_char & 0xff), '\0'};
    if (letter[0]) {
        vswr_mode(handle, MD_TRANS);
        _OLtext(clamp16(at.x + ib->ib_xicon + ib->ib_xchar),
                clamp16(at.y + ib->ib_yicon + ib->ib_ychar), 0, 0, 0, letter);
    }
}

// The mask in the mask colour, the data over it in the data colour; a
// selected icon swaps the two colours.
void draw_icon(const ICONBLK *ib, const Place &at, bool selected)
{
    if (!ib)
        return;
    const unsigned colours = (unsigned short)ib->ib_char;
    int mask = colours >> 8 & 15, data = colours >> 12 & 15;
    if (selected)
        std::swap(mask, data);
    const int w = ib->ib_wicon, h = ib->ib_hicon, words = (w + 15) / 16;
    const int x = at.x + ib->ib_xicon, y = at.y + ib->ib_yicon;
    draw_plane(ib->ib_pmask, w, h, words, 0, 0, x, y, w, h, mask);
    draw_plane(ib->ib_pdata, w, h, words, 0, 0, x, y, w, h, data);
    draw_icon_text(ib, at, mask, data);
}

// What a user routine may change that the rest of the tree's drawing
// depends on: the workstation handle, the VDI colours, effects, font,
// attributes and clip, and the surface's own clip. Put back when this goes.
class KeepAttributes {
public:
    KeepAttributes()
        : handle_(handle), line_(_linecol), fill_(_fillcol), text_(_textcol), effects_(_texteff),
          font_(_fontno), clip_{_clipx1, _clipy1, _clipx2, _clipy2}, vdi_(_vdi),
          surface_(_surface(handle))
    {
        if (surface_) {
            get_clip_rect(surface_, &x1_, &y1_, &x2_, &y2_);
            clipping_ = get_clip_state(surface_);
        }
    }
    ~KeepAttributes()
    {
        handle = handle_;
        vsl_color(handle, line_);
        vsf_color(handle, fill_);
        vst_color(handle, text_);
        vst_effects(handle, effects_);
        vst_font(handle, font_);
        vs_clip(handle, 1, clip_);
        _vdi = vdi_;
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
        if (surface_) {
            set_clip_rect(surface_, x1_, y1_, x2_, y2_);
            set_clip_state(surface_, clipping_);
        }
    }
    KeepAttributes(const KeepAttributes &) = delete;
    KeepAttributes &operator=(const KeepAttributes &) = delete;

private:
    int handle_;
    short line_, fill_, text_, effects_, font_;
    short clip_[4];
    VDI_ATTRIBUTES vdi_;
    BITMAP *surface_;
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, clipping_ = 0;
};

// The part of the object a routine may draw: the object's rectangle within
// the surface's clip, when one is set. False when none of it shows.
bool user_clip(const Place &at, short clip[4])
{
    long x1 = at.x, y1 = at.y, x2 = at.x + at.w - 1L, y2 = at.y + at.h - 1L;
    BITMAP *surface = _surface(handle);
    if (surface && get_clip_state(surface)) {
        int cx1, cy1, cx2, cy2;
        get_clip_rect(surface, &cx1, &cy1, &cx2, &cy2);
        x1 = std::max<long>(x1, cx1);
        y1 = std::max<long>(y1, cy1);
        x2 = std::min<long>(x2, cx2);
        y2 = std::min<long>(y2, cy2);
    }
    if (x1 > x2 || y1 > y2)
        return false;
    clip[0] = clamp16(x1);
    clip[1] = clamp16(y1);
    clip[2] = clamp16(x2);
    clip[3] = clamp16(y2);
    return true;
}

int call_routine(const USERBLK *ub, OBJECT *tree, short index, const Place &at, const short clip[4])
{
    const short state = (short)_ob_state(&tree[index]);
    PARMBLK pb = {tree,
                  index,
                  state,
                  state,
                  at.x,
                  at.y,
                  at.w,
                  at.h,
                  clip[0],
                  clip[1],
                  (short)(clip[2] - clip[0] + 1),
                  (short)(clip[3] - clip[1] + 1),
                  ub->ub_parm};
    const KeepAttributes keep;
    vs_clip(handle, 1, clip);
    return ub->ub_code(&pb);
}

// A selected state the routine leaves to the layer: the object inverted.
void invert_object(const Place &at)
{
    const short box[4] = {at.x, at.y, clamp16(at.x + at.w - 1L), clamp16(at.y + at.h - 1L)};
    vswr_mode(handle, MD_XOR);
    vr_recfl(handle, box);
    plain_look();
}

}  // namespace

bool is_record(int type)
{
    switch (type) {
    case OT_TEXT:
    case OT_BOXTEXT:
    case OT_FBOXTEXT:
    case OT_BUTTON:
    case OT_IMAGE:
    case OT_ICON: return true;
    default: return false;
    }
}

void draw_record(const OBJECT &ob, int type, const Place &at, int invert)
{
    switch (type) {
    case OT_BUTTON:
        _OLtext(at.x, at.y, at.w, at.h, (short)(ob.ob_flags | CENTRE),
                or_empty((const char *)_ob_spec(&ob)));
        break;
    case OT_IMAGE: draw_image((const BITBLK *)_ob_spec(&ob), at, invert); break;
    case OT_ICON: draw_icon((const ICONBLK *)_ob_spec(&ob), at, ob.ob_flags & OF_SELECTED); break;
    default: draw_tedinfo(ob, type, at); break;
    }
}

int draw_userdef(OBJECT *tree, short index, const Place &at)
{
    const USERBLK *ub = (const USERBLK *)_ob_spec(&tree[index]);
    short clip[4];
    if (!ub || !ub->ub_code || !user_clip(at, clip))
        return 0;
    const int states = call_routine(ub, tree, index, at, clip) & USER_STATES;
    if (states & OS_SELECTED)
        invert_object(at);
    if (states & OS_OUTLINED)
        draw_outline(at, tree[index].ob_colbyte >> 4);
    return states;
}

void merge_placeholders(const char *tmplt, const char *text, char *out)
{
    const char *t = or_empty(text);
    const char *m = or_empty(tmplt);
    int n = 0;
    for (; m[n] && n < MAX_TEMPLATE; n++)
        out[n] = m[n] == '_' && *t ? *t++ : m[n];
    out[n] = '\0';
}

}  // namespace objdraw
