// Building the stored image of a description, all in memory: strings first
// (in order of appearance, or at the offsets the description fixes), then
// the formatted-text records, the objects and the tree index, and for a
// description that needs it the extension: its header, its tables, the bit
// data and the trailer, ending the data block.
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

// The bytes of rows of '#' and '.', `row_bytes` bytes a row of 16-bit
// little-endian words, bit 15 the left column.
std::vector<unsigned char> row_words(const std::vector<std::string> &rows, long row_bytes)
{
    std::vector<unsigned char> out((size_t)(row_bytes * (long)rows.size()), 0);
    for (size_t r = 0; r < rows.size(); r++)
        for (size_t x = 0; x < rows[r].size(); x++)
            if (rows[r][x] == '#')
                out[r * (size_t)row_bytes + x / 16 * 2 + (x % 16 < 8)] |=
                    (unsigned char)(0x80 >> (x % 8));
    return out;
}

long row_width(const std::vector<std::string> &rows)
{
    return rows.empty() ? 0 : (long)rows[0].size();
}

// bi_wb of a bit image: whole words.
long image_wb(const Object &o) { return (row_width(o.bits) + 15) / 16 * 2; }

std::vector<unsigned char> image_bytes(const Object &o) { return row_words(o.bits, image_wb(o)); }

std::vector<unsigned char> plane_bytes(const std::vector<std::string> &rows)
{
    return row_words(rows, icon_plane_bytes(row_width(rows), 1));
}

// The fields that only the extension holds, beyond the OX_INLINE a record
// type's code implies without it.
bool needs_extension(const Object &o)
{
    const OBJECT &b = o.ob;
    const unsigned implied = is_record_type(b.ob_type) ? OX_INLINE : 0u;
    return (b.ob_xflags & ~implied) || b.ob_xstate || b.ob_xtype || b.ob_thick || b.ob_just ||
           b.ob_look || (is_record_type(b.ob_type) && !(b.ob_xflags & OX_INLINE));
}

class Builder {
public:
    explicit Builder(const Description &d) : d_(d) {}

    std::vector<unsigned char> run()
    {
        assign_records();
        for (const Object &o : d_.objects)
            check_lengths(o);
        check_icons();
        place_texts();
        place_areas();
        if (mkrsc::needs_extension(d_))
            place_extension();
        data_.grow(d_.layout.size);
        check_offset_specs();
        write_records();
        write_objects();
        write_trees();
        if (ext_at_ >= 0)
            write_extension();
        return image();
    }

private:
    void assign_records()
    {
        long next = 0;
        for (const Object &o : d_.objects) {
            if (!holds_record(o))
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
        if (holds_string(o) || spec_of(o) == Spec::ICON_RECORD)
            check_length(o.text, o.line, "string");
        if (!holds_record(o))
            return;
        check_length(o.text, o.line, "text");
        check_length(o.tmplt, o.line, "template");
        // Formatted texts show one character per placeholder; a scrolling
        // text holds more than it shows, and justified texts show the text
        // alone.
        const int type = o.ob.ob_type;
        if (type != OT_SCROLLTEXT && type != OT_TEXT && type != OT_BOXTEXT &&
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

    void check_icons() const
    {
        for (const Object &o : d_.objects)
            if (spec_of(o) == Spec::ICON_RECORD &&
                (o.mask.size() != o.data.size() || row_width(o.mask) != row_width(o.data)))
                throw Error(o.line, "the icon's mask and data rows differ in size");
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
            if (holds_string(o) || spec_of(o) == Spec::ICON_RECORD)
                out.push_back({&o.text, o.line, 0});
            if (!holds_record(o))
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
    }

    // The records of the extension's tables, in array order.
    template <typename Pick>
    std::vector<const Object *> owners(Pick pick) const
    {
        std::vector<const Object *> out;
        for (const Object &o : d_.objects)
            if (pick(o))
                out.push_back(&o);
        return out;
    }

    // The extension's parts one after another: header, object table, the
    // three record tables, bit image data, icon planes (mask then data) and
    // the trailer. It ends the data block: at the layout's size, or from the
    // even offset after the rest.
    void place_extension()
    {
        images_ = owners([](const Object &o) { return spec_of(o) == Spec::IMAGE_RECORD; });
        icons_ = owners([](const Object &o) { return spec_of(o) == Spec::ICON_RECORD; });
        users_ = owners([](const Object &o) { return spec_of(o) == Spec::USER_RECORD; });
        long size = EXT_HEADER_SIZE + EXT_OBJECT_SIZE * (long)d_.objects.size() +
                    BITBLK_SIZE * (long)images_.size() + ICONBLK_SIZE * (long)icons_.size() +
                    USERBLK_SIZE * (long)users_.size() + EXT_TRAILER_SIZE;
        for (const Object *o : images_)
            size += (long)image_bytes(*o).size();
        for (const Object *o : icons_)
            size += 2 * (long)plane_bytes(o->mask).size();
        const long size_given = d_.layout.size;
        ext_at_ = size_given >= 0 ? size_given - size : (data_.end() + 1) / 2 * 2;
        if (ext_at_ < data_.end())
            throw Error(0, "layout size " + std::to_string(size_given) +
                               " leaves no room for the " + std::to_string(size) +
                               " bytes of the extension");
        data_.claim(ext_at_, size, 0, "extension");
    }

    void write_extension()
    {
        long at = ext_at_ + EXT_HEADER_SIZE;
        const long objects = at;
        at += EXT_OBJECT_SIZE * (long)d_.objects.size();
        const long bitblks = at;
        at += BITBLK_SIZE * (long)images_.size();
        const long iconblks = at;
        at += ICONBLK_SIZE * (long)icons_.size();
        const long userblks = at;
        at += USERBLK_SIZE * (long)users_.size();

        unsigned char *h = data_.at(ext_at_);
        put16(h + EXT_NOBS, (long)d_.objects.size());
        put16(h + EXT_OBJECT, objects);
        put16(h + EXT_BITBLK, bitblks);
        put16(h + EXT_NBITBLKS, (long)images_.size());
        put16(h + EXT_ICONBLK, iconblks);
        put16(h + EXT_NICONBLKS, (long)icons_.size());
        put16(h + EXT_USERBLK, userblks);
        put16(h + EXT_NUSERBLKS, (long)users_.size());
        for (size_t k = 0; k < d_.objects.size(); k++)
            write_extended_fields(data_.at(objects + EXT_OBJECT_SIZE * (long)k), d_.objects[k].ob);
        for (size_t i = 0; i < images_.size(); i++)
            at = write_bitblk(data_.at(bitblks + BITBLK_SIZE * (long)i), *images_[i], at);
        for (size_t i = 0; i < icons_.size(); i++)
            at = write_iconblk(data_.at(iconblks + ICONBLK_SIZE * (long)i), *icons_[i], at);
        for (size_t i = 0; i < users_.size(); i++)
            put32(data_.at(userblks + USERBLK_SIZE * (long)i) + UB_PARM, users_[i]->parm);
        unsigned char *trailer = data_.at(at);
        std::copy_n("GEMX", 4, trailer + EXT_MAGIC);
        put16(trailer + EXT_VERSION_AT, EXT_VERSION);
        put16(trailer + EXT_HEADER_AT, ext_at_);
    }

    static void write_extended_fields(unsigned char *p, const OBJECT &ob)
    {
        put16(p + XOB_XFLAGS, ob.ob_xflags);
        put16(p + XOB_XSTATE, ob.ob_xstate);
        p[XOB_XTYPE] = ob.ob_xtype;
        p[XOB_THICK] = (unsigned char)ob.ob_thick;
        p[XOB_JUST] = ob.ob_just;
        p[XOB_LOOK] = ob.ob_look;
    }

    // Writes bytes at `at`; the offset after them.
    long put_bytes(long at, const std::vector<unsigned char> &bytes)
    {
        std::copy(bytes.begin(), bytes.end(), data_.at(at));
        return at + (long)bytes.size();
    }

    long write_bitblk(unsigned char *p, const Object &o, long at)
    {
        put32(p + BI_PDATA, (uint32_t)at);
        put16(p + BI_WB, image_wb(o));
        put16(p + BI_HL, (long)o.bits.size());
        put16(p + BI_X, o.image.bi_x);
        put16(p + BI_Y, o.image.bi_y);
        put16(p + BI_COLOR, o.image.bi_color);
        return put_bytes(at, image_bytes(o));
    }

    long write_iconblk(unsigned char *p, const Object &o, long at)
    {
        const ICONBLK &b = o.icon;
        put32(p + IB_PTEXT, (uint32_t)offset_.at(&o.text));
        put16(p + IB_CHAR, b.ib_char);
        put16(p + IB_XCHAR, b.ib_xchar);
        put16(p + IB_YCHAR, b.ib_ychar);
        put16(p + IB_XICON, b.ib_xicon);
        put16(p + IB_YICON, b.ib_yicon);
        put16(p + IB_WICON, row_width(o.mask));
        put16(p + IB_HICON, (long)o.mask.size());
        put16(p + IB_XTEXT, b.ib_xtext);
        put16(p + IB_YTEXT, b.ib_ytext);
        put16(p + IB_WTEXT, b.ib_wtext);
        put16(p + IB_HTEXT, b.ib_htext);
        put32(p + IB_PMASK, (uint32_t)at);
        at = put_bytes(at, plane_bytes(o.mask));
        put32(p + IB_PDATA, (uint32_t)at);
        return put_bytes(at, plane_bytes(o.data));
    }

    // The installer takes ob_spec of the other types above the inline ones
    // for an offset into the data.
    void check_offset_specs() const
    {
        for (const Object &o : d_.objects) {
            const int type = o.ob.ob_type;
            if (spec_of(o) == Spec::DATA_AT && (uint32_t)o.ob.ob_spec >= (uint32_t)data_.end())
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

    // The offset of the object's string or record, or its inline value.
    // `counts` numbers the objects with records of each kind so far.
    uint32_t stored_spec(const Object &o, size_t (&counts)[4]) const
    {
        const long ext_tables =
            ext_at_ + EXT_HEADER_SIZE + EXT_OBJECT_SIZE * (long)d_.objects.size();
        const long iconblks = ext_tables + BITBLK_SIZE * (long)images_.size();
        const long userblks = iconblks + ICONBLK_SIZE * (long)icons_.size();
        switch (spec_of(o)) {
        case Spec::STRING_AT: return (uint32_t)offset_.at(&o.text);
        case Spec::TEXT_RECORD: return (uint32_t)(ted_at_ + TEDINFO_SIZE * record_of_[counts[0]++]);
        case Spec::IMAGE_RECORD: return (uint32_t)(ext_tables + BITBLK_SIZE * (long)counts[1]++);
        case Spec::ICON_RECORD: return (uint32_t)(iconblks + ICONBLK_SIZE * (long)counts[2]++);
        case Spec::USER_RECORD: return (uint32_t)(userblks + USERBLK_SIZE * (long)counts[3]++);
        case Spec::VALUE:
        case Spec::DATA_AT: break;
        }
        return (uint32_t)o.ob.ob_spec;
    }

    void write_objects()
    {
        size_t counts[4] = {0, 0, 0, 0};
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
            put32(p + OB_SPEC, stored_spec(o, counts));
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
    long ext_at_ = -1;  // -1: no extension
    std::vector<const Object *> images_, icons_, users_;
};

}  // namespace

long default_buflen(const std::string &text, const std::string &tmplt)
{
    return std::max((long)text.size(), placeholders(tmplt)) + 1;
}

std::vector<unsigned char> build(const Description &d) { return Builder(d).run(); }

bool needs_extension(const Description &d)
{
    for (const Object &o : d.objects)
        if (needs_extension(o))
            return true;
    return false;
}

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
