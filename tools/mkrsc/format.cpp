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

std::string type_word(int type)
{
    const char *name = type_name(type);
    return name ? name : std::to_string(type);
}

std::string flag_words(unsigned flags)
{
    std::string out;
    for (const Named &f : FLAGS)
        if (flags & (unsigned)f.value)
            out += std::string(" ") + f.name;
    return out;
}

void number_field(std::string &out, const char *key, unsigned v)
{
    if (v)
        out += std::string(" ") + key + " " + std::to_string(v);
}

std::string spec_fields(const Object &o)
{
    if (is_string_type(o.ob.ob_type))
        return "";
    if (is_text_type(o.ob.ob_type)) {
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
    std::string out = type_word(o.ob.ob_type);
    if (!o.name.empty())
        out += " " + o.name;
    if (is_string_type(o.ob.ob_type) || is_text_type(o.ob.ob_type))
        out += " " + text(o.text);
    out += " at " + std::to_string(o.ob.ob_x) + "," + std::to_string(o.ob.ob_y);
    out += " size " + std::to_string(o.ob.ob_width) + "," + std::to_string(o.ob.ob_height);
    out += flag_words(o.raw ? o.ob.ob_flags : o.ob.ob_flags & ~(unsigned)OF_LASTOB);
    if (o.ob.ob_colbyte)
        out += " colour " + hex(o.ob.ob_colbyte);
    number_field(out, "font", o.ob.ob_font);
    number_field(out, "border", o.ob.ob_border);
    number_field(out, "fill", o.ob.ob_fill);
    out += spec_fields(o);
    if (o.raw)
        out += " links " + std::to_string(o.ob.ob_next) + "," + std::to_string(o.ob.ob_head) + "," +
               std::to_string(o.ob.ob_tail);
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
                block += "    " + object_line(o) + "\n";
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
        out_ += indent + object_line(d_.objects[k]);
        bool children = false;
        for (int c = k + 1; c < t.root + t.count; c++) {
            if (d_.objects[c].parent != k)
                continue;
            if (!children)
                out_ += " {\n";
            children = true;
            nested(t, c, depth + 1);
        }
        out_ += children ? indent + "}\n" : "\n";
    }

    const Description &d_;
    std::string out_;
};

}  // namespace

std::string format(const Description &d) { return Writer(d).run(); }

}  // namespace mkrsc
