// Editing the text of a field: objc_edit, and the key rules form_do edits
// with. The layer's own fields (OT_EDTEXT, OT_SCROLLTEXT) keep their
// mechanism: OF_SELECTED marks the field with the cursor, _curpos is its
// place, and drawing the field draws the cursor. A classic formatted field
// (OT_FTEXT or OT_FBOXTEXT with OX_EDITABLE) holds only the typed
// characters; its drawing shows the template's literals between them, and
// its cursor is a vertical line XORed over it here, at the column of the
// text position in the merged template.
#include <ctype.h>
#include <string.h>

#include <algorithm>

#include "gem/form/dialog.h"
#include "gem/resource/walk.h"

namespace {

// Edit texts hold at most this many characters, whatever a template or a
// buffer size says; templates are read this far, as drawing reads them.
constexpr int MAX_EDIT = 255;
// Text lengths are counted in 16 bits, like the cursor position.
constexpr size_t MAX_LENGTH = 32767;

constexpr int TAB = 9, ESCAPE = 27;

TEDINFO *ted_of(const OBJECT &ob) { return (TEDINFO *)_ob_spec(&ob); }

const char *or_empty(const char *s) { return s ? s : ""; }

short text_length(const char *text) { return (short)strnlen(text, MAX_LENGTH); }

bool accepts(short valid, int c, short pos)
{
    switch (valid) {
    case '9': return isdigit(c) || (c == '-' && pos == 0);
    case 'A': return isxdigit(c);
    default: return true;
    }
}

// Inserts c at the cursor while the text has room; a full text drops its
// last character to make room, and a cursor at the field's end overwrites
// the character before it.
void place(char *text, short maxlen, char c, short length, short *pos)
{
    if (maxlen == 0)
        return;
    if (*pos < maxlen && *pos == length) {
        text[length] = c;
        text[length + 1] = '\0';
        ++*pos;
    } else if (*pos < maxlen) {
        if (length >= maxlen)
            text[--length] = '\0';
        memmove(text + *pos + 1, text + *pos, (size_t)(length - *pos + 1));
        text[(*pos)++] = c;
    } else {
        text[*pos - 1] = c;
    }
}

// The placeholders among the template's first MAX_EDIT characters.
int placeholders(const char *tmplt)
{
    const char *t = or_empty(tmplt);
    return (int)std::count(t, t + strnlen(t, MAX_EDIT), '_');
}

// The most characters a classic field takes: one per placeholder, and no
// more than its buffer holds when te_ptxtlen gives the buffer's size.
short classic_room(const TEDINFO &ted)
{
    int most = placeholders(ted.te_ptmplt);
    if (ted.te_ptxtlen > 0)
        most = std::min(most, ted.te_ptxtlen - 1);
    return (short)std::clamp(most, 0, MAX_EDIT);
}

// The template column of text position `pos`: the pos-th placeholder, so
// literals are passed over; past the last placeholder, the column after
// it; with no placeholder, the template's end.
int template_column(const char *tmplt, int pos)
{
    const char *t = or_empty(tmplt);
    const int length = (int)strnlen(t, MAX_EDIT);
    int seen = 0, after_last = length;
    for (int i = 0; i < length; i++) {
        if (t[i] != '_')
            continue;
        if (seen++ == pos)
            return i;
        after_last = i + 1;
    }
    return after_last;
}

// The width of a character cell in the object's font.
int cell_width(const OBJECT &ob)
{
    const short before = _fontno;
    vst_font(handle, ob.ob_font);
    const int width = _font->max_cell_width;
    vst_font(handle, before);
    return width;
}

// The left end of a merged text `width` pixels wide in an object at x, as
// drawing places it: an OT_FTEXT at the left, or centred with OF_FRAMED;
// an OT_FBOXTEXT as ob_just says.
int text_left(const OBJECT &ob, int x, int width)
{
    const int rest = ob.ob_width - width;
    if (ob.ob_type == OT_FTEXT)
        return ob.ob_flags & OF_FRAMED ? x + (rest >> 1) : x;
    if (ob.ob_just == TE_CNTR)
        return x + (rest >> 1);
    return ob.ob_just == TE_RIGHT ? x + rest : x;
}

// Where a classic field is on the surface.
bool field_box(const OBJECT *tree, int obj, GRECT *box)
{
    short x, y;
    if (!objc_offset(const_cast<OBJECT *>(tree), obj, &x, &y))
        return false;
    *box = {x, y, tree[obj].ob_width, tree[obj].ob_height};
    return box->g_w > 0 && box->g_h > 0;
}

// The classic field's cursor at text position `pos`: a line XORed down the
// object's whole height, clipped to the object. Drawn twice, it is gone.
void xor_cursor(const OBJECT *tree, int obj, short pos)
{
    GRECT box;
    if (!field_box(tree, obj, &box))
        return;
    const OBJECT &ob = tree[obj];
    const char *tmplt = ted_of(ob)->te_ptmplt;
    const int cw = cell_width(ob);
    const int x = text_left(ob, box.g_x, (int)strnlen(or_empty(tmplt), MAX_EDIT) * cw) +
                  template_column(tmplt, pos) * cw;
    const short clip[4] = {box.g_x, box.g_y, (short)(box.g_x + box.g_w - 1),
                           (short)(box.g_y + box.g_h - 1)};
    // A cursor past the object's edge (after a text as wide as the object)
    // shows on its last column.
    const short column = (short)std::clamp(x, (int)clip[0], (int)clip[2]);
    const short line[4] = {column, clip[1], column, clip[3]};
    const short kept[4] = {_clipx1, _clipy1, _clipx2, _clipy2};
    VDI_ATTRIBUTES saved;
    _vdi_enter_plain(&saved);
    vswr_mode(handle, MD_XOR);
    vs_clip(handle, 1, clip);
    vr_recfl(handle, line);
    vs_clip(handle, 1, kept);
    _vdi_leave_plain(&saved);
}

// Draws the tree again over a classic field's rectangle: the field as its
// text now is, with no cursor, whatever lies under it.
void redraw_field(OBJECT *tree, int obj)
{
    GRECT box;
    if (field_box(tree, obj, &box))
        _objc_draw_clip(tree, 0, GEM_MAX_DEPTH, &box);
}

void draw_own(OBJECT *tree, int obj) { objc_draw(tree, obj, 1, 0, 0, 0, 0); }

int edit_own(OBJECT *tree, int obj, int key, short *idx, int kind)
{
    OBJECT &ob = tree[obj];
    const bool had_cursor = ob.ob_flags & OF_SELECTED;
    short maxlen = 0;
    switch (kind) {
    case ED_INIT:
        _tpos(&ob, &maxlen);
        draw_own(tree, obj);
        *idx = _curpos;
        break;
    case ED_CHAR: {
        // The cursor line is painted out where the field last drew it.
        if (had_cursor)
            _obcurse(0);
        const short wanted = *idx;  // _tpos moves _curpos, which *idx may be
        char *text = _tpos(&ob, &maxlen);
        _curpos = std::clamp<short>(wanted, 0, text_length(text));
        _edit_text(text, maxlen, ted_of(ob)->te_pvalid, key, &_curpos);
        draw_own(tree, obj);
        *idx = _curpos;
        break;
    }
    case ED_END:
        ob.ob_flags &= (unsigned char)~OF_SELECTED;
        if (had_cursor)
            _obcurse(0);
        draw_own(tree, obj);
        break;
    }
    return 1;
}

int edit_classic(OBJECT *tree, int obj, int key, short *idx, int kind)
{
    const TEDINFO &ted = *ted_of(tree[obj]);
    switch (kind) {
    case ED_INIT:
        *idx = text_length(ted.te_ptext);
        redraw_field(tree, obj);
        xor_cursor(tree, obj, *idx);
        break;
    case ED_CHAR: {
        short pos = std::clamp<short>(*idx, 0, text_length(ted.te_ptext));
        _edit_text(ted.te_ptext, classic_room(ted), ted.te_pvalid, key, &pos);
        redraw_field(tree, obj);
        xor_cursor(tree, obj, pos);
        *idx = pos;
        break;
    }
    case ED_END: redraw_field(tree, obj); break;
    }
    return 1;
}

}  // namespace

FieldKind _field_kind(const OBJECT &ob)
{
    const TEDINFO *ted = nullptr;
    FieldKind kind = FieldKind::NONE;
    if (ob.ob_xflags & OX_INLINE)
        return kind;  // its ob_spec is a value, not a formatted text
    if (ob.ob_type == OT_EDTEXT || ob.ob_type == OT_SCROLLTEXT) {
        kind = FieldKind::OWN;
        ted = ted_of(ob);
    } else if ((ob.ob_type == OT_FTEXT || ob.ob_type == OT_FBOXTEXT) &&
               (ob.ob_xflags & OX_EDITABLE)) {
        kind = FieldKind::CLASSIC;
        ted = ted_of(ob);
    }
    return ted && ted->te_ptext ? kind : FieldKind::NONE;
}

bool _shows_text_cursor(const OBJECT &ob)
{
    return ob.ob_type == OT_EDTEXT || ob.ob_type == OT_SCROLLTEXT ||
           _field_kind(ob) == FieldKind::CLASSIC;
}

void _edit_text(char *text, short maxlen, short valid, int key, short *pos)
{
    const short length = text_length(text);
    *pos = std::clamp<short>(*pos, 0, length);
    switch (key) {
    case K_BACKSPACE:
    case K_DELETE:
        if (*pos > 0) {
            memmove(text + *pos - 1, text + *pos, (size_t)(length - *pos + 1));
            --*pos;
        }
        break;
    case K_LEFT:
        if (*pos > 0)
            --*pos;
        break;
    case K_RIGHT:
        if (*pos < length)
            ++*pos;
        break;
    case ESCAPE:
        text[0] = '\0';
        *pos = 0;
        break;
    case TAB:
    case K_RETURN: break;
    default:
        if (key > 0 && key <= 255 && accepts(valid, key, *pos))
            place(text, maxlen, (char)key, length, pos);
        break;
    }
}

int objc_edit(OBJECT *tree, int obj, int key, short *idx, int kind)
{
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(obj))
        return 0;
    const FieldKind field = _field_kind(tree[obj]);
    if (field == FieldKind::NONE || kind < ED_START || kind > ED_END)
        return 0;
    if (kind == ED_START)
        return 1;
    // Only ED_END goes without the cursor position.
    if (!idx && kind != ED_END)
        return 0;
    return field == FieldKind::OWN ? edit_own(tree, obj, key, idx, kind)
                                   : edit_classic(tree, obj, key, idx, kind);
}
