// Object drawing: a tree or part of it on the surface that `handle` selects,
// with the VDI calls. Each object gets its colours, effect and font, its
// outline, a filled box clipped to itself, its text or record, its cross,
// its children over it, and its frame and shadow over them. This file walks
// the tree and draws the one-byte model's types; drawrecords.cpp draws the
// record types and drawlooks.cpp the frames, fills and states beyond it.
#include <string.h>

#include <algorithm>

#include "gem/resource/draw.h"
#include "gem/resource/walk.h"

short _cursepx[4] = {0, 0, 0, 0};
short _curpos = 0;

namespace {

using objdraw::CENTRE;
using objdraw::half;
using objdraw::MAX_TEMPLATE;
using objdraw::or_empty;
using objdraw::TEXT_BUFFER;

constexpr char CHECK_MARK[] = "\x08";

short cell_width() { return _font->max_cell_width; }

bool is_editable(int type) { return type == OT_EDTEXT || type == OT_SCROLLTEXT; }

// A template cut to what the text buffers hold.
struct Template {
    char chars[TEXT_BUFFER];
    int length;

    explicit Template(const char *tmplt)
    {
        strncpy(chars, or_empty(tmplt), MAX_TEMPLATE);
        chars[MAX_TEMPLATE] = '\0';
        length = (int)strlen(chars);
    }

    // Index of the first placeholder, or the length if there is none.
    int first_placeholder() const
    {
        const char *u = strchr(chars, '_');
        return u ? (int)(u - chars) : length;
    }

    // Index of the first character after the run of placeholders at p.
    int run_end(int p) const
    {
        while (chars[p] == '_')
            p++;
        return p;
    }
};

// The text of an OT_FTEXT: the template with its placeholders filled from
// the text in order; literals stay. When the text holds, at the position
// being merged, the literal that ends the current run of placeholders, the
// rest of the run shows as spaces and that literal takes the text's copy of
// it, so "1-23" in "__-__" shows as "1 -23", as a user typing the separator
// expects.
void merge_text(const Template &tm, const char *text, char *out)
{
    memcpy(out, tm.chars, (size_t)tm.length + 1);
    int p = tm.first_placeholder();
    for (const char *t = text; out[p] && *t;) {
        const int q = tm.run_end(p);
        if (tm.chars[q] && tm.chars[q] == *t) {
            std::fill(out + p, out + q, ' ');
            p = q + 1;
            t++;
        } else if (out[p] == '_') {
            out[p++] = *t++;
        } else {
            p++;
        }
    }
}

// Draws the merged text of an OT_FTEXT; an OX_EDITABLE one merges as
// classic editable fields do, every placeholder taking a character.
void draw_ftext(const OBJECT &ob, short x, short y)
{
    const TEDINFO *ted = (const TEDINFO *)_ob_spec(&ob);
    if (!ted)
        return;
    char shown[TEXT_BUFFER];
    if (ob.ob_xflags & OX_EDITABLE) {
        objdraw::merge_placeholders(ted->te_ptmplt, ted->te_ptext, shown);
    } else {
        const Template tm(ted->te_ptmplt);
        merge_text(tm, or_empty(ted->te_ptext), shown);
    }
    _OLtext(x, y, ob.ob_width, ob.ob_height, ob.ob_flags, shown);
}

// Number of text characters an OT_SCROLLTEXT leaves out at the start so
// that its last characters fit with one placeholder free for the cursor.
int scroll_skip(const Template &tm, int type, int text_length)
{
    if (type != OT_SCROLLTEXT)
        return 0;
    const int placeholders = (int)std::count(tm.chars, tm.chars + tm.length, '_');
    if (text_length < placeholders)
        return 0;
    return std::min(text_length, text_length - placeholders + 1);
}

// Draws an editable field: the template's prefix, the text in its
// placeholders, the rest of the template, and the cursor when the field
// holds it (OF_SELECTED).
void draw_edit(const TEDINFO *ted, int type, short x, short y, short w, short h, short flags)
{
    if (!ted)
        return;
    const Template tm(ted->te_ptmplt);
    const char *text = or_empty(ted->te_ptext);
    const int skipped = scroll_skip(tm, type, (int)strlen(text));
    const char *t = text + skipped;
    const short cw = cell_width();

    if (flags & OF_FRAMED) {
        x = (short)(x + half(w - tm.length * cw));
        y = (short)(y + 1 + half(h - _font->form_height));
    }
    const short plain = (short)(flags & ~CENTRE);

    char shown[TEXT_BUFFER];
    const int prefix = tm.first_placeholder();
    memcpy(shown, tm.chars, (size_t)prefix);
    int n = prefix;
    int p = prefix;
    while (tm.chars[p] && *t) {
        const int q = tm.run_end(p);
        if (tm.chars[q] && tm.chars[q] == *t) {
            for (; p < q; p++)
                shown[n++] = ' ';
        }
        // A literal reached here is passed over, not shown.
        if (tm.chars[p++] == '_' && *t)
            shown[n++] = *t++;
    }
    shown[n] = '\0';
    _OLtext(x, y, w, h, plain, shown);
    if (tm.chars[p])
        _OLtext((short)(x + n * cw), y, w, h, (short)(plain & ~OF_CHECKED), tm.chars + p);

    if (flags & OF_SELECTED) {
        // In a scrolled text the cursor moves with the text it stands in,
        // and stays at the left end when it is in the part not shown.
        const int column = prefix + std::max(0, _curpos - skipped);
        const short cx = (short)(x + column * cw);
        _cursepx[0] = cx;
        _cursepx[1] = y;
        _cursepx[2] = cx;
        _cursepx[3] = (short)(y + h - 1);
        _obcurse(1);
    }
}

// The one-character string of an OT_BOXCHAR: the bytes of its inline value.
void boxchar_text(long obspec, char out[5])
{
    for (int i = 0; i < 4; i++)
        out[i] = (char)((unsigned long)obspec >> (8 * i) & 0xff);
    out[4] = '\0';
}

void draw_text(const OBJECT &ob, int type, short x, short y)
{
    const short w = ob.ob_width, h = ob.ob_height, f = ob.ob_flags;
    switch (type) {
    case OT_BOXCHAR: {
        char c[5];
        boxchar_text(_ob_spec(&ob), c);
        _OLtext(x, y, w, h, (short)(f | CENTRE), c);
        break;
    }
    case OT_STRING:
    case OT_TITLE: _OLtext(x, y, w, h, f, or_empty((const char *)_ob_spec(&ob))); break;
    case OT_FTEXT: draw_ftext(ob, x, y); break;
    case OT_EDTEXT:
    case OT_SCROLLTEXT: draw_edit((const TEDINFO *)_ob_spec(&ob), type, x, y, w, h, f); break;
    default: break;
    }
}

void closed_line(short x1, short y1, short x2, short y2)
{
    const short pxy[10] = {x1, y1, x2, y1, x2, y2, x1, y2, x1, y1};
    v_pline(handle, 5, pxy);
}

// One pixel outside the object, on its edge, or both for the default one.
void draw_frame(const OBJECT &ob, short x, short y)
{
    const short w = ob.ob_width, h = ob.ob_height;
    const bool on_edge = ob.ob_border == 1;
    const bool is_default = ob.ob_flags & OF_DEFAULT;
    vsl_color(handle, ob.ob_colbyte >> 4);
    if (!on_edge || is_default)
        closed_line((short)(x - 1), (short)(y - 1), (short)(x + w), (short)(y + h));
    if (on_edge || is_default)
        closed_line(x, y, (short)(x + w - 1), (short)(y + h - 1));
}

// The object itself, over its filled box: its text or record, or what its
// routine draws. Returns the states still to draw over it.
int draw_content(OBJECT *tree, short o, int type, const objdraw::Place &at, int invert)
{
    const OBJECT &ob = tree[o];
    if (type == OT_USERDEF)
        return objdraw::draw_userdef(tree, o, at);
    objdraw::text_look(ob);
    if (objdraw::is_record(type))
        objdraw::draw_record(ob, type, at, invert);
    else
        draw_text(ob, type, at.x, at.y);
    objdraw::plain_look();
    return _ob_state(&ob);
}

void draw_object(TreeGuard &guard, OBJECT *tree, short o, int depth, short x, short y, int nesting)
{
    if (!guard.valid(o) || !guard.visit(nesting))
        return;
    const OBJECT &ob = tree[o];
    const short f = ob.ob_flags;
    if (depth == 0 || (f & OF_HIDDEN))
        return;
    const int type = objdraw::shown_type(ob);
    const objdraw::Place at = {x, y, ob.ob_width, ob.ob_height};
    const objdraw::Frame frame = objdraw::frame_of(ob, type);
    const int frame_colour = ob.ob_colbyte >> 4;

    // A selected object shows inverted colours; a selected editable field
    // is the one with the cursor and keeps its own.
    const int invert = (f & OF_SELECTED) && !is_editable(type) ? 1 : 0;
    vst_color(handle, (ob.ob_colbyte & 15) ^ invert);
    vsf_color(handle, ob.ob_fill ^ invert);
    vst_effects(handle, (f & OF_DISABLED) ? TXT_LIGHT : 0);
    vst_font(handle, ob.ob_font);

    // A user routine tells only when called whether it wants an outline.
    if (type != OT_USERDEF && (_ob_state(&ob) & OS_OUTLINED))
        objdraw::draw_outline(at, frame_colour);

    const bool outside = frame.fill_outside;
    const short box[4] = {(short)(outside ? x - 1 : x), (short)(outside ? y - 1 : y),
                          (short)(outside ? x + ob.ob_width : x + ob.ob_width - 1),
                          (short)(outside ? y + ob.ob_height : y + ob.ob_height - 1)};
    vs_clip(handle, 1, box);
    if (objdraw::is_filled(type))
        objdraw::fill_box(ob, box);
    const int states = draw_content(tree, o, type, at, invert);
    if (states & OS_CROSSED)
        objdraw::draw_cross(at);

    for (short c = ob.ob_head; c != o; c = tree[c].ob_next) {
        if (!guard.valid(c) || guard.exhausted())
            break;
        draw_object(guard, tree, c, depth - 1, (short)(x + tree[c].ob_x), (short)(y + tree[c].ob_y),
                    nesting + 1);
    }

    if (frame.kind == objdraw::Frame::CLASSIC)
        draw_frame(ob, x, y);
    else if (frame.kind == objdraw::Frame::THICK)
        objdraw::draw_thick_frame(at, frame.thickness, frame_colour);
    if (states & OS_SHADOWED)
        objdraw::draw_shadow(at, frame, frame_colour);
}

}  // namespace

void _OLtext(short x, short y, short w, short h, short flags, const char *text)
{
    if (!text)
        return;
    if (flags & CENTRE) {
        // Only the low 16 bits of the text's width take part in the centring;
        // unsigned arithmetic keeps an overlong string from overflowing.
        const unsigned width = (unsigned)strlen(text) * (unsigned)(unsigned short)cell_width();
        x = (short)(x + half(w - (int)(unsigned short)width));
        y = (short)(y + half(h - _font->form_height));
    }
    const int baseline = y + _font->top;
    v_gtext(handle, x, baseline, text);
    if (flags & OF_CHECKED)
        v_gtext(handle, x, baseline, CHECK_MARK);
}

void _obcurse(short on)
{
    const short line = _linecol;
    VDI_ATTRIBUTES saved;
    _vdi_enter_plain(&saved);
    vsl_color(handle, on ? _textcol : _fillcol);
    v_pline(handle, 2, _cursepx);
    vsl_color(handle, line);
    _vdi_leave_plain(&saved);
}

void _objc_draw(OBJECT *tree, short index, short depth, short x, short y)
{
    if (!tree)
        return;
    TreeGuard guard(tree);
    VDI_ATTRIBUTES saved;
    _vdi_enter_plain(&saved);
    draw_object(guard, tree, index, depth, x, y, 0);
    _vdi_leave_plain(&saved);
}

int objc_draw(OBJECT *tree, int start, int depth, int x, int y, int w, int h)
{
    if (!tree)
        return 1;
    const short line = _linecol, text = _textcol, fill = _fillcol, font = _fontno,
                effects = _texteff;
    VDI_ATTRIBUTES saved;
    _vdi_enter_plain(&saved);
    scare_mouse();
    // Non-zero values place the tree; they do not clip.
    if (x)
        tree->ob_x = (short)x;
    if (y)
        tree->ob_y = (short)y;
    if (w)
        tree->ob_width = (short)w;
    if (h)
        tree->ob_height = (short)h;
    short ox, oy;
    if (objc_offset(tree, start, &ox, &oy))
        _objc_draw(tree, (short)start, (short)depth, ox, oy);
    unscare_mouse();

    vsl_color(handle, line);
    vst_color(handle, text);
    vsf_color(handle, fill);
    vst_effects(handle, effects);
    vst_font(handle, font);
    vs_clip(handle, 0, NULL);
    _vdi_leave_plain(&saved);
    return 1;
}
