// Writing classic .RSC files for tests: trees, TEDINFOs, ICONBLKs, BITBLKs,
// free strings and free images in, the file's bytes out (big-endian, a
// 36-byte header of 18 words, the layout a classic resource construction
// set writes).
//
// The file is laid out as header, strings, image words, TEDINFOs, ICONBLKs,
// BITBLKs, objects, tree index, free string index, free image index; every
// table at an even offset. bytes() can report where each table went, so a
// test can damage one field of a sound file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace classic_rsc {

using Bytes = std::vector<unsigned char>;

// Classic types and flags the builder needs.
enum : unsigned short {
    G_BOX = 20,
    G_TEXT = 21,
    G_BOXTEXT = 22,
    G_IMAGE = 23,
    G_USERDEF = 24,
    G_IBOX = 25,
    G_BUTTON = 26,
    G_BOXCHAR = 27,
    G_STRING = 28,
    G_FTEXT = 29,
    G_FBOXTEXT = 30,
    G_ICON = 31,
    G_TITLE = 32,
};
constexpr unsigned short LASTOB = 0x0020;

// A formatted text. te_txtlen and te_tmplen left -1 are worked out: room
// for the text or the template's '_' places, and the template, with a NUL.
struct Ted {
    std::string text, tmplt, valid;
    short font = 3, fontid = 0, just = 0, color = 0x1180, fontsize = 0, thickness = -1;
    short txtlen = -1, tmplen = -1;
};

// An icon: mask and data planes of (wicon + 15) / 16 words a row.
struct Icon {
    std::vector<uint16_t> mask, data;
    std::string text;
    short ib_char = 0x1000, xchar = 0, ychar = 0, xicon = 0, yicon = 0, wicon = 16, hicon = 0;
    short xtext = 0, ytext = 0, wtext = 0, htext = 0;
};

// A bit image: bi_hl rows of bi_wb bytes.
struct Image {
    std::vector<uint16_t> words;
    short wb = 2, hl = 0, x = 0, y = 0, color = 1;
};

// One object. `text` is the string of G_STRING, G_BUTTON and G_TITLE;
// `record` the TEDINFO, ICONBLK or BITBLK index of the record types; `spec`
// the inline value of the others. Positions as stored: characters in the
// low byte, pixels in the high byte.
struct Obj {
    short next = -1, head = -1, tail = -1;
    unsigned short type = G_BOX, flags = 0, state = 0;
    uint32_t spec = 0;
    std::string text;
    int record = -1;
    short x = 0, y = 0, w = 0, h = 0;
};

// An object and its children, for trees whose links the builder works out.
struct Node {
    Obj ob;
    std::vector<Node> children;
};

// Where bytes() put each table.
struct Layout {
    unsigned object, tedinfo, iconblk, bitblk, frstr, string, imdata, frimg, trindex, size;
};

inline void put16(Bytes &b, size_t at, unsigned v)
{
    b[at] = (unsigned char)(v >> 8);
    b[at + 1] = (unsigned char)v;
}

inline void put32(Bytes &b, size_t at, uint32_t v)
{
    put16(b, at, v >> 16);
    put16(b, at + 2, v & 0xffff);
}

class Builder {
public:
    int ted(const Ted &t) { return add(teds_, t); }
    int icon(const Icon &i) { return add(icons_, i); }
    int image(const Image &i) { return add(images_, i); }
    void free_string(const std::string &s) { frstr_.push_back(s); }
    void free_image(int image) { frimg_.push_back(image); }

    // A tree of objects in array order with their own links (numbered from
    // the first, its root); LASTOB is set on the last. Returns its index.
    int tree(std::vector<Obj> objects)
    {
        if (!objects.empty())
            objects.back().flags |= LASTOB;
        roots_.push_back((int)objects_.size());
        objects_.insert(objects_.end(), objects.begin(), objects.end());
        return (int)roots_.size() - 1;
    }

    // A tree laid out from its nesting: children follow their parent.
    int tree(const Node &root)
    {
        std::vector<Obj> flat;
        flatten(root, flat);
        return tree(flat);
    }

    Bytes bytes(Layout *where = nullptr) const
    {
        Bytes b(36, 0);
        Layout l = {};
        l.string = (unsigned)b.size();
        std::vector<uint32_t> obj_text, ted_text, icon_text, frstr_at;
        for (const Obj &o : objects_)
            obj_text.push_back(text(b, o.text));
        for (const Ted &t : teds_) {
            ted_text.push_back(text(b, t.text));
            ted_text.push_back(text(b, t.tmplt));
            ted_text.push_back(text(b, t.valid));
        }
        for (const Icon &i : icons_)
            icon_text.push_back(text(b, i.text));
        for (const std::string &s : frstr_)
            frstr_at.push_back(text(b, s));
        even(b);
        l.imdata = (unsigned)b.size();
        std::vector<uint32_t> icon_words, image_words;
        for (const Icon &i : icons_) {
            icon_words.push_back(words(b, i.mask));
            icon_words.push_back(words(b, i.data));
        }
        for (const Image &i : images_)
            image_words.push_back(words(b, i.words));

        l.tedinfo = (unsigned)b.size();
        for (size_t k = 0; k < teds_.size(); k++)
            ted_record(b, teds_[k], &ted_text[3 * k]);
        l.iconblk = (unsigned)b.size();
        for (size_t k = 0; k < icons_.size(); k++)
            icon_record(b, icons_[k], &icon_words[2 * k], icon_text[k]);
        l.bitblk = (unsigned)b.size();
        for (size_t k = 0; k < images_.size(); k++)
            image_record(b, images_[k], image_words[k]);
        l.object = (unsigned)b.size();
        for (size_t k = 0; k < objects_.size(); k++)
            object_record(b, objects_[k], spec_of(objects_[k], obj_text[k], l));
        l.trindex = (unsigned)b.size();
        for (int root : roots_)
            append32(b, l.object + 24u * (unsigned)root);
        l.frstr = (unsigned)b.size();
        for (uint32_t at : frstr_at)
            append32(b, at);
        l.frimg = (unsigned)b.size();
        for (int i : frimg_)
            append32(b, l.bitblk + 14u * (unsigned)i);
        l.size = (unsigned)b.size();
        const unsigned header[18] = {
            0,
            l.object,
            l.tedinfo,
            l.iconblk,
            l.bitblk,
            l.frstr,
            l.string,
            l.imdata,
            l.frimg,
            l.trindex,
            (unsigned)objects_.size(),
            (unsigned)roots_.size(),
            (unsigned)teds_.size(),
            (unsigned)icons_.size(),
            (unsigned)images_.size(),
            (unsigned)frstr_.size(),
            (unsigned)frimg_.size(),
            l.size,
        };
        for (int i = 0; i < 18; i++)
            put16(b, 2 * (size_t)i, header[i]);
        if (where)
            *where = l;
        return b;
    }

private:
    template <typename T>
    static int add(std::vector<T> &v, const T &t)
    {
        v.push_back(t);
        return (int)v.size() - 1;
    }

    // Appends `root` and its subtree in array order with links numbered
    // from flat's first object.
    static int flatten(const Node &n, std::vector<Obj> &flat)
    {
        const int me = (int)flat.size();
        flat.push_back(n.ob);
        int previous = -1;
        for (const Node &c : n.children) {
            const int child = flatten(c, flat);
            if (previous < 0)
                flat[(size_t)me].head = (short)child;
            else
                flat[(size_t)previous].next = (short)child;
            previous = child;
        }
        if (previous >= 0) {
            flat[(size_t)previous].next = (short)me;
            flat[(size_t)me].tail = (short)previous;
        }
        return me;
    }

    static void even(Bytes &b)
    {
        if (b.size() % 2)
            b.push_back(0);
    }

    static uint32_t text(Bytes &b, const std::string &s)
    {
        const uint32_t at = (uint32_t)b.size();
        b.insert(b.end(), s.begin(), s.end());
        b.push_back(0);
        return at;
    }

    static uint32_t words(Bytes &b, const std::vector<uint16_t> &w)
    {
        const uint32_t at = (uint32_t)b.size();
        for (uint16_t v : w)
            append16(b, v);
        return at;
    }

    static void append16(Bytes &b, unsigned v)
    {
        b.resize(b.size() + 2);
        put16(b, b.size() - 2, v);
    }

    static void append32(Bytes &b, uint32_t v)
    {
        b.resize(b.size() + 4);
        put32(b, b.size() - 4, v);
    }

    static short placeholders(const std::string &tmplt)
    {
        short n = 0;
        for (char c : tmplt)
            n += c == '_';
        return n;
    }

    static void ted_record(Bytes &b, const Ted &t, const uint32_t *at)
    {
        const short room = (short)std::max<size_t>(t.text.size(), (size_t)placeholders(t.tmplt));
        for (int i = 0; i < 3; i++)
            append32(b, at[i]);
        const short fields[8] = {t.font,
                                 t.fontid,
                                 t.just,
                                 t.color,
                                 t.fontsize,
                                 t.thickness,
                                 t.txtlen >= 0 ? t.txtlen : (short)(room + 1),
                                 t.tmplen >= 0 ? t.tmplen : (short)(t.tmplt.size() + 1)};
        for (short f : fields)
            append16(b, (unsigned short)f);
    }

    static void icon_record(Bytes &b, const Icon &i, const uint32_t *planes, uint32_t text)
    {
        append32(b, planes[0]);
        append32(b, planes[1]);
        append32(b, text);
        const short fields[11] = {i.ib_char, i.xchar, i.ychar, i.xicon, i.yicon, i.wicon,
                                  i.hicon,   i.xtext, i.ytext, i.wtext, i.htext};
        for (short f : fields)
            append16(b, (unsigned short)f);
    }

    static void image_record(Bytes &b, const Image &i, uint32_t data)
    {
        append32(b, data);
        for (short f : {i.wb, i.hl, i.x, i.y, i.color})
            append16(b, (unsigned short)f);
    }

    static uint32_t spec_of(const Obj &o, uint32_t text, const Layout &l)
    {
        switch (o.type & 0xff) {
        case G_STRING:
        case G_BUTTON:
        case G_TITLE: return text;
        case G_TEXT:
        case G_BOXTEXT:
        case G_FTEXT:
        case G_FBOXTEXT: return l.tedinfo + 28u * (unsigned)o.record;
        case G_ICON: return l.iconblk + 34u * (unsigned)o.record;
        case G_IMAGE: return l.bitblk + 14u * (unsigned)o.record;
        default: return o.spec;
        }
    }

    static void object_record(Bytes &b, const Obj &o, uint32_t spec)
    {
        const unsigned fields[6] = {(unsigned short)o.next,
                                    (unsigned short)o.head,
                                    (unsigned short)o.tail,
                                    o.type,
                                    o.flags,
                                    o.state};
        for (unsigned v : fields)
            append16(b, v);
        append32(b, spec);
        for (short v : {o.x, o.y, o.w, o.h})
            append16(b, (unsigned short)v);
    }

    std::vector<Obj> objects_;
    std::vector<int> roots_;
    std::vector<Ted> teds_;
    std::vector<Icon> icons_;
    std::vector<Image> images_;
    std::vector<std::string> frstr_;
    std::vector<int> frimg_;
};

}  // namespace classic_rsc
