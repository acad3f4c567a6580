// Importing a classic .RSC file: its trees as a description of the layer's
// model (see mkrsc.h), which `mkrsc build` turns into the layer's image.
//
// What maps: classic types to the OT_* codes (G_FBOXTEXT and G_ICON to
// their codes here, the type's high byte to ob_xtype); DEFAULT, EXIT,
// LASTOB and HIDETREE to OF_*, the other flags to ob_xflags at their own
// positions; SELECTED, CHECKED and DISABLED to OF_*, the other states to
// ob_xstate; the box word and te_color (frame, text and fill colours, fill
// pattern, text mode, frame size) to ob_colbyte, ob_fill, ob_look and
// ob_thick; te_just to ob_just, te_font SMALL to the small font; images
// and icons whole. Positions become pixels by the character cell given.
//
// What is dropped: free strings and free images (the layer's format holds
// trees only; they are listed in comments), te_fontid and te_fontsize, a
// te_pvalid beyond "all digits" (the layer takes one validation character),
// te_tmplen (worked out again), and the frame size of a G_TEXT or G_FTEXT.
#include <cstdio>

#include "gem/classic/rscfile.h"
#include "mkrsc.h"
#include "names.h"

namespace mkrsc {

namespace {

using rscfile::Resource;

constexpr unsigned CLASSIC_DEFAULT = 0x0002, CLASSIC_EXIT = 0x0004, CLASSIC_HIDETREE = 0x0080;
constexpr unsigned CLASSIC_SELECTED = 0x01, CLASSIC_CHECKED = 0x04, CLASSIC_DISABLED = 0x08;
constexpr int CLASSIC_SMALL_FONT = 5;
constexpr int LAYER_SMALL_FONT = 2;  // the built-in 6x6 font

int layer_type(unsigned classic)
{
    switch (classic) {
    case rscfile::G_BOX: return OT_BOX;
    case rscfile::G_TEXT: return OT_TEXT;
    case rscfile::G_BOXTEXT: return OT_BOXTEXT;
    case rscfile::G_IMAGE: return OT_IMAGE;
    case rscfile::G_USERDEF: return OT_USERDEF;
    case rscfile::G_IBOX: return OT_IBOX;
    case rscfile::G_BUTTON: return OT_BUTTON;
    case rscfile::G_BOXCHAR: return OT_BOXCHAR;
    case rscfile::G_STRING: return OT_STRING;
    case rscfile::G_FTEXT: return OT_FTEXT;
    case rscfile::G_FBOXTEXT: return OT_FBOXTEXT;
    case rscfile::G_ICON: return OT_ICON;
    case rscfile::G_TITLE: return OT_TITLE;
    default: return -1;
    }
}

// Characters in the low byte, pixels in the high byte.
short pixels(short value, int cell)
{
    const unsigned v = (unsigned short)value;
    const long p = (long)(v & 0xff) * cell + (long)(v >> 8);
    return (short)(p < 32767 ? p : 32767);
}

// The colour word (low 16 bits of a box word, or te_color): frame colour
// bits 12-15, text colour 8-11, opaque text bit 7, fill pattern 4-6 (0
// hollow, which fills with colour 0, 7 solid, 1 to 6 the dithers lightest
// first), fill colour 0-3.
void colours(unsigned word, OBJECT &ob)
{
    const unsigned pattern = (word >> 4) & 7;
    ob.ob_colbyte = (unsigned char)(((word >> 12) & 15) << 4 | ((word >> 8) & 15));
    ob.ob_fill = (unsigned char)(pattern == 0 ? 0 : word & 15);
    ob.ob_look = (unsigned char)((pattern == 0 || pattern == 7 ? OL_SOLID : OL_HOLLOW - pattern) |
                                 ((word & 0x80) ? 0 : OL_TRANSPARENT));
}

// Rows of '#' and '.' of `width` pixels from words of (width + 15) / 16 a row.
std::vector<std::string> rows(const std::vector<uint16_t> &words, long width, long height)
{
    const long per_row = (width + 15) / 16;
    std::vector<std::string> out((size_t)height, std::string((size_t)width, '.'));
    for (long r = 0; r < height; r++)
        for (long x = 0; x < width; x++)
            if (words[(size_t)(r * per_row + x / 16)] & (0x8000u >> (x % 16)))
                out[(size_t)r][(size_t)x] = '#';
    return out;
}

void text_record(const Resource &r, const rscfile::Object &c, Object &o)
{
    const rscfile::Tedinfo &t = r.teds[(size_t)c.record];
    o.text.chars = r.text(t.ptext);
    o.tmplt.chars = r.text(t.ptmplt);
    const std::string valid = r.text(t.pvalid);
    o.valid = !valid.empty() && valid.find_first_not_of('9') == std::string::npos ? '9' : 0;
    const long room = default_buflen(o.text.chars, o.tmplt.chars);
    o.buflen = t.txtlen > room ? t.txtlen : -1;
    colours((unsigned short)t.color, o.ob);
    o.ob.ob_just = (unsigned char)t.just;
    o.ob.ob_font = t.font == CLASSIC_SMALL_FONT ? LAYER_SMALL_FONT : 0;
    if ((c.type & 0xff) == rscfile::G_BOXTEXT || (c.type & 0xff) == rscfile::G_FBOXTEXT)
        o.ob.ob_thick = (signed char)t.thickness;
}

void image_record(const Resource &r, const rscfile::Bitblk &b, Object &o)
{
    const long width = b.wb * 8L;
    o.bits = rows(r.words(b.pdata, (size_t)(b.wb / 2 * b.hl)), width, b.hl);
    o.image = {nullptr, b.wb, b.hl, b.x, b.y, b.color};
}

void icon_record(const Resource &r, const rscfile::Iconblk &b, Object &o)
{
    const size_t plane = (size_t)rscfile::icon_plane_bytes(b.wicon, b.hicon) / 2;
    o.mask = rows(r.words(b.pmask, plane), b.wicon, b.hicon);
    o.data = rows(r.words(b.pdata, plane), b.wicon, b.hicon);
    o.text.chars = r.text(b.ptext);
    o.icon = {nullptr, nullptr, nullptr, b.ib_char, b.xchar, b.ychar, b.xicon,
              b.yicon, b.wicon, b.hicon, b.xtext,   b.ytext, b.wtext, b.htext};
}

// What ob_spec names, as the layer's model holds it.
void spec(const Resource &r, const rscfile::Object &c, Object &o)
{
    switch (c.type & 0xff) {
    case rscfile::G_BOX:
    case rscfile::G_IBOX:
        colours(c.spec & 0xffff, o.ob);
        o.ob.ob_thick = (signed char)(c.spec >> 16);
        return;
    case rscfile::G_BOXCHAR:
        colours(c.spec & 0xffff, o.ob);
        o.ob.ob_thick = (signed char)(c.spec >> 16);
        o.ob.ob_spec = (long)(c.spec >> 24);
        return;
    case rscfile::G_USERDEF: o.parm = c.spec; return;
    case rscfile::G_IMAGE: image_record(r, r.bits[(size_t)c.record], o); return;
    case rscfile::G_ICON: icon_record(r, r.icons[(size_t)c.record], o); return;
    default: break;
    }
    switch (rscfile::spec_kind(c.type)) {
    case rscfile::Spec::STRING: o.text.chars = r.text(c.spec); return;
    case rscfile::Spec::TEDINFO_REC: text_record(r, c, o); return;
    default: break;
    }
    // A type the layer lacks: the plain box of that code, its value kept.
    o.ob.ob_type = (unsigned char)c.type;
    o.ob.ob_xflags |= OX_INLINE;
    o.ob.ob_spec = (long)c.spec;
}

Object object(const Resource &r, const rscfile::Object &c, int cell_w, int cell_h)
{
    Object o;
    o.raw = true;
    OBJECT &ob = o.ob;
    ob.ob_next = c.next;
    ob.ob_head = c.head;
    ob.ob_tail = c.tail;
    ob.ob_type = (unsigned char)layer_type(c.type & 0xff);
    ob.ob_xtype = (unsigned char)(c.type >> 8);
    ob.ob_flags = (unsigned char)(((c.flags & CLASSIC_DEFAULT) ? OF_DEFAULT : 0) |
                                  ((c.flags & CLASSIC_EXIT) ? OF_EXIT : 0) |
                                  ((c.flags & rscfile::LASTOB) ? OF_LASTOB : 0) |
                                  ((c.flags & CLASSIC_HIDETREE) ? OF_HIDDEN : 0) |
                                  ((c.state & CLASSIC_SELECTED) ? OF_SELECTED : 0) |
                                  ((c.state & CLASSIC_CHECKED) ? OF_CHECKED : 0) |
                                  ((c.state & CLASSIC_DISABLED) ? OF_DISABLED : 0));
    ob.ob_xflags = (unsigned short)(c.flags & ~(CLASSIC_DEFAULT | CLASSIC_EXIT | rscfile::LASTOB |
                                                CLASSIC_HIDETREE));
    ob.ob_xstate =
        (unsigned short)(c.state & ~(CLASSIC_SELECTED | CLASSIC_CHECKED | CLASSIC_DISABLED));
    ob.ob_x = pixels(c.x, cell_w);
    ob.ob_y = pixels(c.y, cell_h);
    ob.ob_width = pixels(c.w, cell_w);
    ob.ob_height = pixels(c.h, cell_h);
    spec(r, c, o);
    return o;
}

std::string dropped(const Resource &r)
{
    std::string out;
    for (size_t i = 0; i < r.frstr.size(); i++)
        out += "# dropped: free string " + std::to_string(i) + " " +
               quoted(r.text(r.frstr[i]), '"') + "\n";
    for (size_t i = 0; i < r.frimg.size(); i++) {
        const rscfile::Bitblk &b = r.bits[(size_t)r.frimg[i]];
        out += "# dropped: free image " + std::to_string(i) + " (" + std::to_string(b.wb * 8) +
               "x" + std::to_string(b.hl) + ")\n";
    }
    return out;
}

}  // namespace

std::string import_classic(const std::vector<unsigned char> &file, int cell_w, int cell_h)
{
    Resource r;
    std::string reason;
    if (!rscfile::decode(file.data(), file.size(), r, reason))
        throw Error(0, reason);
    Description d;
    for (const rscfile::Object &c : r.objects)
        d.objects.push_back(object(r, c, cell_w, cell_h));
    for (const rscfile::Tree &t : r.trees) {
        Tree tree;
        tree.root = t.root;
        d.trees.push_back(tree);
    }
    Description nested = d;
    if (nest(nested))
        d = nested;
    const std::string text = "# Imported from a classic .RSC file: positions in pixels for a " +
                             std::to_string(cell_w) + "x" + std::to_string(cell_h) +
                             " character cell.\n" + dropped(r) + "\n" + format(d);
    try {
        build(parse(text));
    } catch (const Error &e) {
        throw Error(0, std::string("has trees the layer's format cannot hold: ") + e.what());
    }
    return text;
}

}  // namespace mkrsc
