// Writing a description as text. The objects of `objects` blocks come first
// in one block, then the trees in index order, so the text reads back into
// the same array when the raw objects lead it and nested trees follow one
// another in index order (as `dump` makes them).
#include <cctype>
#include <cstdio>

#include "mkrsc.h"
#include "names.h"

namespace mkrsc {

namespace {

std::string hex(unsigned long v)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%lx", v);
    return buf;
}

std::string text(const Text &t)
{
    return quoted(t.chars, '"') + (t.at >= 0 ? "@" + std::to_string(t.at) : "");
}

std::string character_or_number(long v)
{
    if (v >= 0 && v < 256)
        return quoted(std::string(1, (char)v), '\'');
    return std::to_string(v);
}

// A record type whose value is inline is written as its code, which says
// so (see implied_xflags).
bool numbered(const Object &o)
{
    return stored::is_record_type(o.ob.ob_type) && (o.ob.ob_xflags & OX_INLINE);
}

unsigned implied_xflags(const Object &o) { return numbered(o) ? OX_INLINE : 0u; }

std::string type_word(const Object &o)
{
    const char *name = type_name(o.ob.ob_type);
    return name && !numbered(o) ? name : std::to_string(o.ob.ob_type);
}

std::string flag_words(unsigned flags)
{
    std::string out;
    for (const Named &f : FLAGS)
        if (flags & (unsigned)f.value)
            out += std::string(" ") + f.name;
    return out;
}

void number_field(std::string &out, const char *key, long v)
{
    if (v)
        out += std::string(" ") + key + " " + std::to_string(v);
}

void pair_field(std::string &out, const char *key, short a, short b)
{
    if (a || b)
        out += std::string(" ") + key + " " + std::to_string(a) + "," + std::to_string(b);
}

// The names in `table` whose bits are all in `bits`, as words; `bits`
// keeps the rest.
template <size_t N>
std::string bit_words(const Named (&table)[N], unsigned &bits)
{
    std::string out;
    for (const Named &n : table) {
        if ((bits & (unsigned)n.value) == (unsigned)n.value) {
            out += std::string(" ") + n.name;
            bits &= ~(unsigned)n.value;
        }
    }
    return out;
}

// The fields after ob_height: named bits as words, the others as numbers.
std::string extended_fields(const Object &o)
{
    unsigned xflags = o.ob.ob_xflags & ~implied_xflags(o), xstate = o.ob.ob_xstate;
    std::string out = bit_words(XFLAGS, xflags);
    const char *fl3d = name_of(FL3D, (int)(xflags & FL3D_FIELD));
    if (fl3d)
        out += std::string(" ") + fl3d;
    xflags &= ~FL3D_FIELD;
    out += bit_words(STATES, xstate);
    if (xflags)
        out += " xflags " + hex(xflags);
    if (xstate)
        out += " xstate " + hex(xstate);
    number_field(out, "xtype", o.ob.ob_xtype);
    number_field(out, "thick", o.ob.ob_thick);
    const char *just = name_of(JUSTS, o.ob.ob_just);
    if (o.ob.ob_just)
        out += std::string(" just ") + (just ? just : std::to_string(o.ob.ob_just).c_str());
    unsigned look = o.ob.ob_look;
    out += bit_words(LOOKS, look);
    if (look)
        out += " look " + hex(look);
    return out;
}

std::string image_fields(const BITBLK &b)
{
    std::string out;
    number_field(out, "ink", b.bi_color);
    pair_field(out, "origin", b.bi_x, b.bi_y);
    return out;
}

std::string icon_fields(const ICONBLK &b)
{
    std::string out;
    const unsigned ch = (unsigned short)b.ib_char;
    if (ch & 0xff)
        out += " letter " + character_or_number(ch & 0xff);
    number_field(out, "ink", ch >> 12);
    number_field(out, "paper", (ch >> 8) & 0xf);
    pair_field(out, "letterpos", b.ib_xchar, b.ib_ychar);
    pair_field(out, "iconpos", b.ib_xicon, b.ib_yicon);
    if (b.ib_xtext || b.ib_ytext || b.ib_wtext || b.ib_htext)
        out += " textbox " + std::to_string(b.ib_xtext) + "," + std::to_string(b.ib_ytext) + "," +
               std::to_string(b.ib_wtext) + "," + std::to_string(b.ib_htext);
    return out;
}

std::string spec_fields(const Object &o)
{
    switch (spec_of(o)) {
    case stored::Spec::STRING_AT: return "";
    case stored::Spec::IMAGE_RECORD: return image_fields(o.image);
    case stored::Spec::ICON_RECORD: return icon_fields(o.icon);
    case stored::Spec::USER_RECORD: return o.parm ? " parm " + hex(o.parm) : "";
    default: break;
    }
    if (holds_record(o)) {
        std::string out = " template " + text(o.tmplt);
        if (o.valid)
            out += " valid " + character_or_number(o.valid);
        if (o.buflen >= 0 && o.buflen != default_buflen(o.text.chars, o.tmplt.chars))
            out += " buflen " + std::to_string(o.buflen);
        if (o.record >= 0)
            out += " record " + std::to_string(o.record);
        return out;
    }
    if (o.ob.ob_type == OT_BOXCHAR && o.ob.ob_spec > 0 && o.ob.ob_spec < 256)
        return " char " + character_or_number((long)o.ob.ob_spec);
    return o.ob.ob_spec ? " spec " + hex(o.ob.ob_spec) : "";
}

std::string object_line(const Object &o)
{
    std::string out = type_word(o);
    if (!o.name.empty())
        out += " " + o.name;
    if (holds_text(o))
        out += " " + text(o.text);
    out += " at " + std::to_string(o.ob.ob_x) + "," + std::to_string(o.ob.ob_y);
    out += " size " + std::to_string(o.ob.ob_width) + "," + std::to_string(o.ob.ob_height);
    out += flag_words(o.raw ? o.ob.ob_flags : o.ob.ob_flags & ~(unsigned)OF_LASTOB);
    if (o.ob.ob_colbyte)
        out += " colour " + hex(o.ob.ob_colbyte);
    number_field(out, "font", o.ob.ob_font);
    number_field(out, "border", o.ob.ob_border);
    number_field(out, "fill", o.ob.ob_fill);
    out += extended_fields(o);
    out += spec_fields(o);
    if (o.raw)
        out += " links " + std::to_string(o.ob.ob_next) + "," + std::to_string(o.ob.ob_head) + "," +
               std::to_string(o.ob.ob_tail);
    return out;
}

// The rows of a bit image or icon, one statement each, after its line.
std::string row_lines(const Object &o, const std::string &indent)
{
    std::string out;
    const std::pair<const char *, const std::vector<std::string> *> all[] = {
        {"bits", &o.bits}, {"mask", &o.mask}, {"data", &o.data}};
    for (const auto &[word, rows] : all)
        for (const std::string &row : *rows)
            out += indent + word + " \"" + row + "\"\n";
    return out;
}

class Writer {
public:
    explicit Writer(const Description &d) : d_(d) {}

    std::string run()
    {
        layout();
        raw_objects();
        for (const Tree &t : d_.trees)
            tree(t);
        return out_;
    }

private:
    void layout()
    {
        const Layout &l = d_.layout;
        std::string fields;
        const std::pair<const char *, long> all[] = {
            {"tedinfo", l.tedinfo}, {"object", l.object}, {"trindex", l.trindex}, {"size", l.size}};
        for (const auto &[key, v] : all)
            if (v >= 0)
                fields += std::string(" ") + key + " " + std::to_string(v);
        if (!fields.empty())
            out_ += "layout" + fields + "\n\n";
    }

    void raw_objects()
    {
        std::string block;
        for (const Object &o : d_.objects)
            if (o.raw)
                block += "    " + object_line(o) + "\n" + row_lines(o, "        ");
        if (!block.empty())
            out_ += "objects {\n" + block + "}\n\n";
    }

    void tree(const Tree &t)
    {
        out_ += "tree";
        if (!t.name.empty())
            out_ += " " + t.name;
        if (t.count == 0) {
            out_ += " at " + std::to_string(t.root) + "\n";
            return;
        }
        out_ += " {\n";
        nested(t, t.root, 1);
        out_ += "}\n\n";
    }

    // Object k and its children (the objects after it whose parent it is).
    void nested(const Tree &t, int k, int depth)
    {
        const std::string indent(4 * (size_t)depth, ' ');
        const Object &o = d_.objects[k];
        bool children = false;
        for (int c = k + 1; c < t.root + t.count && !children; c++)
            children = d_.objects[c].parent == k;
        out_ += indent + object_line(o) + (children ? " {\n" : "\n");
        out_ += row_lines(o, indent + "    ");
        for (int c = k + 1; c < t.root + t.count; c++)
            if (d_.objects[c].parent == k)
                nested(t, c, depth + 1);
        if (children)
            out_ += indent + "}\n";
    }

    const Description &d_;
    std::string out_;
};

}  // namespace

std::string format(const Description &d) { return Writer(d).run(); }

}  // namespace mkrsc
