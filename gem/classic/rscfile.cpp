// Reading and checking a classic .RSC file (see rscfile.h).
#include "gem/classic/rscfile.h"

#include <cstdio>
#include <cstring>

namespace rscfile {

namespace {

unsigned be16(const unsigned char *p) { return (unsigned)p[0] << 8 | p[1]; }
short be16s(const unsigned char *p) { return (short)(uint16_t)be16(p); }
uint32_t be32(const unsigned char *p) { return (uint32_t)be16(p) << 16 | be16(p + 2); }

std::string hex(unsigned long v)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%lx", v);
    return buf;
}

std::string num(long v) { return std::to_string(v); }

// Where a table lies: its header fields' names, offset, count, record size.
struct Table {
    const char *offset_name;
    const char *count_name;
    unsigned at, count;
    int size;
};

class Decoder {
public:
    Decoder(const unsigned char *data, size_t size, Resource &out, std::string &reason)
        : d_(data), size_(size), r_(out), reason_(reason)
    {
    }

    bool run()
    {
        return header() && tables() && teds() && icons() && bits() && objects() && trees() &&
               free_strings() && free_images();
    }

private:
    bool fail(const std::string &why)
    {
        reason_ = why;
        return false;
    }

    bool header()
    {
        if (size_ < (size_t)HEADER_SIZE)
            return fail("is too short for a classic header (" + num((long)size_) + " bytes, " +
                        num(HEADER_SIZE) + " needed)");
        unsigned w[18];
        for (int i = 0; i < 18; i++)
            w[i] = be16(d_ + 2 * i);
        r_.header = {w[0], w[1],  w[2],  w[3],  w[4],  w[5],  w[6],  w[7],  w[8],
                     w[9], w[10], w[11], w[12], w[13], w[14], w[15], w[16], w[17]};
        const Header &h = r_.header;
        if (h.rssize < (unsigned)HEADER_SIZE)
            return fail("gives a size (rsh_rssize " + num(h.rssize) + ") smaller than its header");
        if (size_ < h.rssize)
            return fail("is cut short: rsh_rssize gives " + num(h.rssize) +
                        " bytes, the file has " + num((long)size_));
        r_.bytes.assign(d_, d_ + h.rssize);
        return true;
    }

    // A table of records lies after the header, inside the file, at an even
    // offset; an empty one may lie anywhere in the file.
    bool table_fits(const Table &t)
    {
        const unsigned long end = (unsigned long)t.at + (unsigned long)t.count * (unsigned)t.size;
        if (t.count == 0)
            return t.at <= rssize() || fail(std::string(t.offset_name) + " " + hex(t.at) +
                                            " lies past the end of the file");
        if (t.at < (unsigned)HEADER_SIZE)
            return fail(std::string(t.offset_name) + " " + hex(t.at) + " lies inside the header");
        if (t.at % 2)
            return fail(std::string(t.offset_name) + " " + hex(t.at) + " is odd");
        if (end > rssize())
            return fail("the " + num(t.count) + " records of " + t.count_name + " at " + hex(t.at) +
                        " end at " + hex(end) + ", past the file's " + num(rssize()) + " bytes");
        return true;
    }

    bool tables()
    {
        const Header &h = r_.header;
        const Table all[] = {
            {"rsh_object", "rsh_nobs", h.object, h.nobs, OBJECT_SIZE},
            {"rsh_tedinfo", "rsh_nted", h.tedinfo, h.nted, TEDINFO_SIZE},
            {"rsh_iconblk", "rsh_nib", h.iconblk, h.nib, ICONBLK_SIZE},
            {"rsh_bitblk", "rsh_nbb", h.bitblk, h.nbb, BITBLK_SIZE},
            {"rsh_trindex", "rsh_ntree", h.trindex, h.ntree, INDEX_ENTRY_SIZE},
            {"rsh_frstr", "rsh_nstring", h.frstr, h.nstring, INDEX_ENTRY_SIZE},
            {"rsh_frimg", "rsh_nimages", h.frimg, h.nimages, INDEX_ENTRY_SIZE},
            {"rsh_string", "", h.string, 0, 1},
            {"rsh_imdata", "", h.imdata, 0, 1},
        };
        for (const Table &t : all)
            if (!table_fits(t))
                return false;
        return true;
    }

    unsigned rssize() const { return r_.header.rssize; }
    const unsigned char *at(unsigned offset) const { return d_ + offset; }

    bool string_ok(uint32_t offset, const std::string &what)
    {
        if (offset >= rssize())
            return fail(what + " at " + hex(offset) + " lies past the end of the file");
        if (!std::memchr(d_ + offset, 0, rssize() - offset))
            return fail(what + " at " + hex(offset) + " has no end within the file");
        return true;
    }

    // `bytes` bytes of image words at an even offset inside the file.
    bool words_ok(uint32_t offset, long bytes, const std::string &what)
    {
        if (offset % 2)
            return fail(what + " at " + hex(offset) + " is odd");
        if ((unsigned long long)offset + (unsigned long long)bytes > rssize())
            return fail(what + " at " + hex(offset) + " (" + num(bytes) +
                        " bytes) runs past the end of the file");
        return true;
    }

    bool teds()
    {
        const Header &h = r_.header;
        for (unsigned i = 0; i < h.nted; i++) {
            const unsigned char *p = at(h.tedinfo + TEDINFO_SIZE * i);
            Tedinfo t = {be32(p),       be32(p + 4),   be32(p + 8),   be16s(p + 12),
                         be16s(p + 14), be16s(p + 16), be16s(p + 18), be16s(p + 20),
                         be16s(p + 22), be16s(p + 24), be16s(p + 26)};
            const std::string name = "TEDINFO " + num(i);
            if (!string_ok(t.ptext, name + "'s te_ptext") ||
                !string_ok(t.ptmplt, name + "'s te_ptmplt") ||
                !string_ok(t.pvalid, name + "'s te_pvalid"))
                return false;
            if (t.txtlen < 0 || t.txtlen > MAX_TXTLEN || t.tmplen < 0)
                return fail(name + " has te_txtlen " + num(t.txtlen) + " and te_tmplen " +
                            num(t.tmplen) + " (0 to " + num(MAX_TXTLEN) + " allowed)");
            r_.teds.push_back(t);
        }
        return true;
    }

    bool icons()
    {
        const Header &h = r_.header;
        for (unsigned i = 0; i < h.nib; i++) {
            const unsigned char *p = at(h.iconblk + ICONBLK_SIZE * i);
            Iconblk b = {be32(p),       be32(p + 4),   be32(p + 8),   be16s(p + 12), be16s(p + 14),
                         be16s(p + 16), be16s(p + 18), be16s(p + 20), be16s(p + 22), be16s(p + 24),
                         be16s(p + 26), be16s(p + 28), be16s(p + 30), be16s(p + 32)};
            const std::string name = "ICONBLK " + num(i);
            if (b.wicon < 0 || b.hicon < 0)
                return fail(name + " has a negative size " + num(b.wicon) + "x" + num(b.hicon));
            const long plane = icon_plane_bytes(b.wicon, b.hicon);
            if (!words_ok(b.pmask, plane, name + "'s mask") ||
                !words_ok(b.pdata, plane, name + "'s data") ||
                !string_ok(b.ptext, name + "'s ib_ptext"))
                return false;
            r_.icons.push_back(b);
        }
        return true;
    }

    bool bits()
    {
        const Header &h = r_.header;
        for (unsigned i = 0; i < h.nbb; i++) {
            const unsigned char *p = at(h.bitblk + BITBLK_SIZE * i);
            Bitblk b = {be32(p),      be16s(p + 4),  be16s(p + 6),
                        be16s(p + 8), be16s(p + 10), be16s(p + 12)};
            const std::string name = "BITBLK " + num(i);
            if (b.wb < 0 || b.wb % 2 || b.hl < 0)
                return fail(name + " has bi_wb " + num(b.wb) + " and bi_hl " + num(b.hl) +
                            " (an even width and no negative size needed)");
            if (!words_ok(b.pdata, image_bytes(b.wb, b.hl), name + "'s image"))
                return false;
            r_.bits.push_back(b);
        }
        return true;
    }

    // The index of the record of `size` bytes starting at `offset` in the
    // table of `count` at `base`; -1 when it starts none.
    static int record_index(uint32_t offset, unsigned base, unsigned count, int size)
    {
        if (offset < base || (offset - base) % (unsigned)size)
            return -1;
        const uint32_t index = (offset - base) / (unsigned)size;
        return index < count ? (int)index : -1;
    }

    bool spec_ok(Object &o, int k)
    {
        const Header &h = r_.header;
        const std::string name = "object " + num(k);
        switch (spec_kind(o.type)) {
        case Spec::VALUE: return true;
        case Spec::STRING: return string_ok(o.spec, name + "'s string");
        case Spec::TEDINFO_REC:
            o.record = record_index(o.spec, h.tedinfo, h.nted, TEDINFO_SIZE);
            break;
        case Spec::ICONBLK_REC:
            o.record = record_index(o.spec, h.iconblk, h.nib, ICONBLK_SIZE);
            break;
        case Spec::BITBLK_REC: o.record = record_index(o.spec, h.bitblk, h.nbb, BITBLK_SIZE); break;
        }
        return o.record >= 0 || fail(name + " (type " + num(o.type & 0xff) + ") has ob_spec " +
                                     hex(o.spec) + ", which starts no record of its kind");
    }

    bool objects()
    {
        const Header &h = r_.header;
        for (unsigned k = 0; k < h.nobs; k++) {
            const unsigned char *p = at(h.object + OBJECT_SIZE * k);
            Object o = {be16s(p),
                        be16s(p + 2),
                        be16s(p + 4),
                        (unsigned short)be16(p + 6),
                        (unsigned short)be16(p + 8),
                        (unsigned short)be16(p + 10),
                        be32(p + 12),
                        -1,
                        be16s(p + 16),
                        be16s(p + 18),
                        be16s(p + 20),
                        be16s(p + 22)};
            if (o.flags & INDIRECT)
                return fail("object " + num(k) +
                            " is INDIRECT: its ob_spec would name an address, which no file holds");
            if (!spec_ok(o, (int)k))
                return false;
            r_.objects.push_back(o);
        }
        return true;
    }

    // The objects from the root up to the first LASTOB one.
    bool tree_length(int t, int root, int &count)
    {
        for (size_t k = (size_t)root; k < r_.objects.size(); k++) {
            if (r_.objects[k].flags & LASTOB) {
                count = (int)(k - (size_t)root) + 1;
                return true;
            }
        }
        return fail("tree " + num(t) + " (object " + num(root) +
                    ") has no LASTOB object before the end of the objects");
    }

    bool link_in(int t, int k, const char *field, int link, int count)
    {
        if (link >= -1 && link < count)
            return true;
        return fail("tree " + num(t) + ": its object " + num(k) + " has " + field + " " +
                    num(link) + ", outside the tree's " + num(count) + " objects");
    }

    // The links of a tree (object numbers from its root) form a tree: each
    // object is reached once, the last child leads back to its parent, and
    // ob_tail is that last child.
    bool links_ok(int t, const Tree &tree)
    {
        const Object *ob = r_.objects.data() + tree.root;
        for (int k = 0; k < tree.count; k++)
            if (!link_in(t, k, "ob_next", ob[k].next, tree.count) ||
                !link_in(t, k, "ob_head", ob[k].head, tree.count) ||
                !link_in(t, k, "ob_tail", ob[k].tail, tree.count))
                return false;
        const std::string bad = "tree " + num(t) + ": the links of its object ";
        if (ob[0].next != -1)
            return fail(bad + "0 (the root) give it a sibling");
        std::vector<bool> seen((size_t)tree.count, false);
        std::vector<int> todo = {0};
        seen[0] = true;
        while (!todo.empty()) {
            const int p = todo.back();
            todo.pop_back();
            int c = ob[p].head, last = -1;
            if (c == p)
                return fail(bad + num(p) + " make it its own child");
            while (c != -1 && c != p) {
                if (seen[(size_t)c])
                    return fail(bad + num(p) + " reach object " + num(c) + " twice");
                seen[(size_t)c] = true;
                todo.push_back(c);
                last = c;
                c = ob[c].next;
            }
            if (c == -1 && last != -1)
                return fail(bad + num(last) + " end with no way back to its parent " + num(p));
            if (ob[p].tail != last)
                return fail(bad + num(p) + " name " + num(ob[p].tail) + " as the last child, not " +
                            num(last));
        }
        return true;
    }

    bool trees()
    {
        const Header &h = r_.header;
        for (unsigned t = 0; t < h.ntree; t++) {
            const uint32_t offset = be32(at(h.trindex + INDEX_ENTRY_SIZE * t));
            Tree tree = {record_index(offset, h.object, h.nobs, OBJECT_SIZE), 0};
            if (tree.root < 0)
                return fail("tree " + num(t) + " is at " + hex(offset) +
                            ", which starts no object");
            if (!tree_length((int)t, tree.root, tree.count) || !links_ok((int)t, tree))
                return false;
            r_.trees.push_back(tree);
        }
        return true;
    }

    bool free_strings()
    {
        const Header &h = r_.header;
        for (unsigned i = 0; i < h.nstring; i++) {
            const uint32_t offset = be32(at(h.frstr + INDEX_ENTRY_SIZE * i));
            if (!string_ok(offset, "free string " + num(i)))
                return false;
            r_.frstr.push_back(offset);
        }
        return true;
    }

    bool free_images()
    {
        const Header &h = r_.header;
        for (unsigned i = 0; i < h.nimages; i++) {
            const uint32_t offset = be32(at(h.frimg + INDEX_ENTRY_SIZE * i));
            const int b = record_index(offset, h.bitblk, h.nbb, BITBLK_SIZE);
            if (b < 0)
                return fail("free image " + num(i) + " is at " + hex(offset) +
                            ", which starts no BITBLK");
            r_.frimg.push_back(b);
        }
        return true;
    }

    const unsigned char *d_;
    size_t size_;
    Resource &r_;
    std::string &reason_;
};

}  // namespace

Spec spec_kind(unsigned type)
{
    switch (type & 0xff) {
    case G_TEXT:
    case G_BOXTEXT:
    case G_FTEXT:
    case G_FBOXTEXT: return Spec::TEDINFO_REC;
    case G_IMAGE: return Spec::BITBLK_REC;
    case G_ICON: return Spec::ICONBLK_REC;
    case G_BUTTON:
    case G_STRING:
    case G_TITLE: return Spec::STRING;
    default: return Spec::VALUE;
    }
}

std::string Resource::text(uint32_t at) const { return std::string((const char *)&bytes[at]); }

std::vector<uint16_t> Resource::words(uint32_t at, size_t count) const
{
    std::vector<uint16_t> out(count);
    for (size_t i = 0; i < count; i++)
        out[i] = (uint16_t)(bytes[at + 2 * i] << 8 | bytes[at + 2 * i + 1]);
    return out;
}

bool decode(const unsigned char *data, size_t size, Resource &out, std::string &reason)
{
    out = Resource{};
    if (!data)
        return Decoder(nullptr, 0, out, reason).run();
    return Decoder(data, size, out, reason).run();
}

}  // namespace rscfile
