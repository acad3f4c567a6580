// Building the stored image of a description, all in memory: strings first
// (in order of appearance, or at the offsets the description fixes), then
// the formatted-text records, the objects and the tree index.
#include <algorithm>
#include <map>

#include "gem/resource/stored.h"
#include "mkrsc.h"

namespace mkrsc {

namespace {

using namespace stored;

// Offsets and sizes are 16-bit in the header.
constexpr long DATA_LIMIT = 65535;

struct Record {
    const Object *owner;  // the first object that names the record
};

long placeholders(const std::string &tmplt)
{
    return (long)std::count(tmplt.begin(), tmplt.end(), '_');
}

// The data block being filled; `used` marks the bytes something owns.
class Data {
public:
    // `bytes`, a NUL, and more NULs up to `room` bytes in all.
    void put(long at, const std::string &bytes, long room, int line, const char *what)
    {
        const long end = at + std::max((long)bytes.size() + 1, room);
        fits(end, line, what);
        grow(end);
        for (long i = at; i < end; i++) {
            const unsigned char b = i - at < (long)bytes.size() ? (unsigned char)bytes[i - at] : 0;
            if (used_[i] && data_[i] != b)
                throw Error(line, std::string(what) + " at offset " + std::to_string(at) +
                                      " overlaps another text");
            data_[i] = b;
            used_[i] = 1;
        }
    }

    // Claims [at, at + size) for an area of records.
    void claim(long at, long size, int line, const char *what)
    {
        fits(at + size, line, what);
        grow(at + size);
        for (long i = at; i < at + size; i++) {
            if (used_[i])
                throw Error(line, std::string("the ") + what + " at offset " + std::to_string(at) +
                                      " overlaps other data");
            used_[i] = 1;
        }
    }

    static void fits(long end, int line, const char *what)
    {
        if (end > DATA_LIMIT)
            throw Error(line, std::string(what) + " would end at offset " + std::to_string(end) +
                                  ", past the 64 KiB that resource offsets reach");
    }

    long end() const { return (long)data_.size(); }
    void grow(long size)
    {
        if (size > end()) {
            data_.resize((size_t)size, 0);
            used_.resize((size_t)size, 0);
        }
    }
    unsigned char *at(long offset) { return data_.data() + offset; }
    const std::vector<unsigned char> &bytes() const { return data_; }

private:
    std::vector<unsigned char> data_;
    std::vector<unsigned char> used_;
};

void put16(unsigned char *p, long v)
{
    p[0] = (unsigned char)(v & 0xff);
    p[1] = (unsigned char)((v >> 8) & 0xff);
}

void put32(unsigned char *p, uint32_t v)
{
    put16(p, (long)(v & 0xffff));
    put16(p + 2, (long)(v >> 16));
}

class Builder {
public:
    explicit Builder(const Description &d) : d_(d) {}

    std::vector<unsigned char> run()
    {
        assign_records();
        for (const Object &o : d_.objects)
            check_lengths(o);
        place_texts();
        place_areas();
        check_offset_specs();
        write_records();
        write_objects();
        write_trees();
        return image();
    }

private:
    void assign_records()
    {
        long next = 0;
        for (const Object &o : d_.objects) {
            if (!is_text_type(o.ob.ob_type))
                continue;
            const long r = o.record >= 0 ? o.record : next++;
            if ((long)records_.size() <= r)
                records_.resize((size_t)r + 1, {nullptr});
            if (records_[r].owner && !same_record(*records_[r].owner, o))
                throw Error(o.line, "record " + std::to_string(r) +
                                        " is given to another object with other texts");
            if (!records_[r].owner)
                records_[r].owner = &o;
            record_of_.push_back(r);
        }
        for (size_t r = 0; r < records_.size(); r++)
            if (!records_[r].owner)
                throw Error(0, "record " + std::to_string(r) + " belongs to no object");
    }

    static bool same_record(const Object &a, const Object &b)
    {
        return a.text.chars == b.text.chars && a.text.at == b.text.at &&
               a.tmplt.chars == b.tmplt.chars && a.tmplt.at == b.tmplt.at && a.valid == b.valid &&
               buffer_size(a) == buffer_size(b);
    }

    static long buffer_size(const Object &o)
    {
        return o.buflen >= 0 ? o.buflen : default_buflen(o.text.chars, o.tmplt.chars);
    }

    static void check_length(const Text &t, int line, const char *what)
    {
        if ((long)t.chars.size() > MAX_TEXT)
            throw Error(line, std::string(what) + " of " + std::to_string(t.chars.size()) +
                                  " characters is longer than the " + std::to_string(MAX_TEXT) +
                                  " the layer takes");
    }

    // Bytes the layer may fill when it edits the text in place: the buffer
    // size, or the template's placeholders and the NUL when there is none.
    static long edit_room(const Object &o)
    {
        const long size = buffer_size(o);
        return size > 0 ? size : placeholders(o.tmplt.chars) + 1;
    }

    static void check_lengths(const Object &o)
    {
        if (is_string_type(o.ob.ob_type))
            check_length(o.text, o.line, "string");
        if (!is_text_type(o.ob.ob_type))
            return;
        check_length(o.text, o.line, "text");
        check_length(o.tmplt, o.line, "template");
        // Formatted texts show one character per placeholder; only a
        // scrolling text holds more than it shows.
        if (o.ob.ob_type != OT_SCROLLTEXT &&
            (long)o.text.chars.size() > placeholders(o.tmplt.chars))
            throw Error(o.line, "text of " + std::to_string(o.text.chars.size()) +
                                    " characters is longer than the " +
                                    std::to_string(placeholders(o.tmplt.chars)) +
                                    " placeholders of its template");
        const long size = buffer_size(o);
        if (size <= 0)
            return;  // no buffer size: the template alone bounds the field
        if (placeholders(o.tmplt.chars) >= size)
            throw Error(o.line, "template longer than the buffer size " + std::to_string(size) +
                                    " (" + std::to_string(placeholders(o.tmplt.chars)) +
                                    " placeholders)");
        if ((long)o.text.chars.size() >= size)
            throw Error(o.line, "text of " + std::to_string(o.text.chars.size()) +
                                    " characters does not fit the buffer size " +
                                    std::to_string(size));
    }

    struct Placed {
        const Text *text;
        int line;
        long room;  // bytes it takes when laid out in order (edited texts)
    };

    // The texts in order of appearance: an object's string, or its
    // record's text and template the first time the record appears.
    std::vector<Placed> texts() const
    {
        std::vector<Placed> out;
        std::vector<bool> seen(records_.size(), false);
        size_t k = 0;
        for (const Object &o : d_.objects) {
            if (is_string_type(o.ob.ob_type))
                out.push_back({&o.text, o.line, 0});
            if (!is_text_type(o.ob.ob_type))
                continue;
            const long r = record_of_[k++];
            if (!seen[r]) {
                seen[r] = true;
                const Object &owner = *records_[r].owner;
                out.push_back({&owner.text, o.line, edit_room(owner)});
                out.push_back({&owner.tmplt, o.line, 0});
            }
        }
        return out;
    }

    // Texts at the offsets the description fixes take their own bytes;
    // the others follow in order, edited texts with room for their edits.
    void place_texts()
    {
        const std::vector<Placed> all = texts();
        for (const Placed &p : all)
            if (p.text->at >= 0)
                data_.put(p.text->at, p.text->chars, 0, p.line, "text");
        long next = data_.end();
        for (const Placed &p : all) {
            const long at = p.text->at >= 0 ? p.text->at : next;
            if (p.text->at < 0) {
                data_.put(at, p.text->chars, p.room, p.line, "text");
                next = data_.end();
            }
            offset_[p.text] = at;
        }
    }

    // Areas at the layout's offsets, or one after another behind the
    // strings from an even offset.
    void place_areas()
    {
        const Layout &l = d_.layout;
        const long nteds = (long)records_.size(), nobs = (long)d_.objects.size();
        const long ntrees = (long)d_.trees.size();
        ted_at_ = l.tedinfo >= 0 ? l.tedinfo : (data_.end() + 1) / 2 * 2;
        obj_at_ = l.object >= 0 ? l.object : ted_at_ + TEDINFO_SIZE * nteds;
        tree_at_ = l.trindex >= 0 ? l.trindex : obj_at_ + OBJECT_SIZE * nobs;
        data_.claim(ted_at_, TEDINFO_SIZE * nteds, 0, "formatted-text records");
        for (long k = 0; k < nobs; k++)
            data_.claim(obj_at_ + OBJECT_SIZE * k, OBJECT_SIZE, d_.objects[k].line, "object");
        for (long t = 0; t < ntrees; t++)
            data_.claim(tree_at_ + TREE_ENTRY_SIZE * t, TREE_ENTRY_SIZE, d_.trees[t].line,
                        "tree index");
        if (l.size >= 0 && l.size < data_.end())
            throw Error(0, "layout size " + std::to_string(l.size) + " is smaller than the " +
                               std::to_string(data_.end()) + " bytes of data");
        data_.grow(l.size);
    }

    // The installer takes ob_spec of the other types above the inline ones
    // for an offset into the data.
    void check_offset_specs() const
    {
        for (const Object &o : d_.objects) {
            const int type = o.ob.ob_type;
            if (type > LAST_INLINE_TYPE && !is_string_type(type) && !is_text_type(type) &&
                (uint32_t)o.ob.ob_spec >= (uint32_t)data_.end())
                throw Error(o.line, "spec " + std::to_string((uint32_t)o.ob.ob_spec) + " of type " +
                                        std::to_string(type) + " is an offset past the " +
                                        std::to_string(data_.end()) + " bytes of data");
        }
    }

    void write_records()
    {
        for (size_t r = 0; r < records_.size(); r++) {
            const Object &o = *records_[r].owner;
            unsigned char *p = data_.at(ted_at_ + TEDINFO_SIZE * (long)r);
            put32(p + TE_PTEXT, (uint32_t)offset_.at(&o.text));
            put32(p + TE_PTMPLT, (uint32_t)offset_.at(&o.tmplt));
            put16(p + TE_PVALID, o.valid);
            put16(p + TE_PTXTLEN, buffer_size(o));
        }
    }

    uint32_t stored_spec(const Object &o, size_t &text_objects) const
    {
        if (is_string_type(o.ob.ob_type))
            return (uint32_t)offset_.at(&o.text);
        if (is_text_type(o.ob.ob_type))
            return (uint32_t)(ted_at_ + TEDINFO_SIZE * record_of_[text_objects++]);
        return o.ob.ob_spec;
    }

    void write_objects()
    {
        size_t text_objects = 0;
        for (size_t k = 0; k < d_.objects.size(); k++) {
            const Object &o = d_.objects[k];
            unsigned char *p = data_.at(obj_at_ + OBJECT_SIZE * (long)k);
            put16(p + OB_NEXT, o.ob.ob_next);
            put16(p + OB_HEAD, o.ob.ob_head);
            put16(p + OB_TAIL, o.ob.ob_tail);
            p[OB_TYPE] = (unsigned char)o.ob.ob_type;
            p[OB_FLAGS] = (unsigned char)o.ob.ob_flags;
            p[OB_COLBYTE] = (unsigned char)o.ob.ob_colbyte;
            p[OB_FONT] = (unsigned char)o.ob.ob_font;
            p[OB_BORDER] = (unsigned char)o.ob.ob_border;
            p[OB_FILL] = (unsigned char)o.ob.ob_fill;
            put32(p + OB_SPEC, stored_spec(o, text_objects));
            put16(p + OB_X, o.ob.ob_x);
            put16(p + OB_Y, o.ob.ob_y);
            put16(p + OB_WIDTH, o.ob.ob_width);
            put16(p + OB_HEIGHT, o.ob.ob_height);
        }
    }

    void write_trees()
    {
        for (size_t t = 0; t < d_.trees.size(); t++) {
            const Tree &tree = d_.trees[t];
            if (tree.root >= (int)d_.objects.size())
                throw Error(tree.line, "tree at object " + std::to_string(tree.root) +
                                           ": there are only " + std::to_string(d_.objects.size()) +
                                           " objects");
            put32(data_.at(tree_at_ + TREE_ENTRY_SIZE * (long)t),
                  (uint32_t)(obj_at_ + OBJECT_SIZE * tree.root));
        }
    }

    std::vector<unsigned char> image()
    {
        std::vector<unsigned char> out((size_t)(HEADER_SIZE + data_.end()));
        put16(&out[RSH_RSSIZE], data_.end());
        put16(&out[RSH_TEDINFO], ted_at_);
        put16(&out[RSH_OBJECT], obj_at_);
        put16(&out[RSH_TRINDEX], tree_at_);
        put16(&out[RSH_NTEDS], (long)records_.size());
        put16(&out[RSH_NOBS], (long)d_.objects.size());
        put16(&out[RSH_NTREES], (long)d_.trees.size());
        std::copy(data_.bytes().begin(), data_.bytes().end(), out.begin() + HEADER_SIZE);
        return out;
    }

    const Description &d_;
    std::vector<Record> records_;
    std::vector<long> record_of_;  // record of each text object, in array order
    std::map<const Text *, long> offset_;
    Data data_;
    long ted_at_ = 0, obj_at_ = 0, tree_at_ = 0;
};

}  // namespace

long default_buflen(const std::string &text, const std::string &tmplt)
{
    return std::max((long)text.size(), placeholders(tmplt)) + 1;
}

std::vector<unsigned char> build(const Description &d) { return Builder(d).run(); }

std::string header(const Description &d, const std::string &source)
{
    std::string out =
        "/* Tree and object indices of the resource built from " + source + " by mkrsc. */\n";
    auto define = [&out](const std::string &name, int index, const std::string &what) {
        out += "#define " + name + " " + std::to_string(index) + "  /* " + what + " */\n";
    };
    for (size_t t = 0; t < d.trees.size(); t++) {
        const Tree &tree = d.trees[t];
        const std::string tname = tree.name.empty() ? std::to_string(t) : tree.name;
        if (!tree.name.empty())
            define(tree.name, (int)t, "tree");
        for (int k = tree.root; k < tree.root + tree.count; k++)
            if (!d.objects[k].name.empty())
                define(d.objects[k].name, k - tree.root, "object in tree " + tname);
    }
    for (size_t k = 0; k < d.objects.size(); k++)
        if (d.objects[k].raw && !d.objects[k].name.empty())
            define(d.objects[k].name, (int)k, "object in the object array");
    return out;
}

}  // namespace mkrsc
