// The classic resource calls: a classic .RSC file read, checked and built
// into the classic records (GEMC_OBJECT, GEMC_TEDINFO, GEMC_ICONBLK,
// GEMC_BITBLK, strings and host-order image words) with real pointers, and
// handed out by address.
//
// Every file loaded stays in memory until rsrc_free, as on a classic
// system: trees a program took from an earlier file stay usable when it
// loads another. The last file loaded is the one rsrc_gaddr answers from.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "gem/classic/internal.h"
#include "gem/classic/rscfile.h"
#include "gem/resource/stored.h"

namespace {

static_assert(sizeof(long) == sizeof(void *), "ob_spec holds an address");

// rsrc_gaddr and rsrc_saddr kinds.
enum Kind {
    TREE,
    OBJECT_AT,
    TEDINFO_AT,
    ICONBLK_AT,
    BITBLK_AT,
    STRING,
    IMAGEDATA,
    OBSPEC,
    TEPTEXT,
    TEPTMPLT,
    TEPVALID,
    IBPMASK,
    IBPDATA,
    IBPTEXT,
    BIPDATA,
    FRSTR,
    FRIMG
};

// Files longer than this are read only this far: a classic file's
// rsh_rssize is a 16-bit value, and the layer's own format no longer.
constexpr size_t MAX_READ = 1u << 17;

// The records of one file. The vectors are sized once and never grow, so
// the pointers between them stay valid.
struct Loaded {
    std::vector<char> chars;   // the file's bytes and a NUL: every string but te_ptext
    std::vector<short> words;  // the file as host-order words: image data
    std::vector<char> edits;   // the te_ptext buffers, te_txtlen bytes or the text's length
    std::vector<GEMC_OBJECT> objects;
    std::vector<GEMC_TEDINFO> teds;
    std::vector<GEMC_ICONBLK> icons;
    std::vector<GEMC_BITBLK> bits;
    std::vector<GEMC_OBJECT *> trees;
    std::vector<char *> frstr;
    std::vector<GEMC_BITBLK *> frimg;
};

std::vector<std::unique_ptr<Loaded>> loaded;

Loaded *current() { return loaded.empty() ? nullptr : loaded.back().get(); }

size_t edit_size(const rscfile::Resource &r, const rscfile::Tedinfo &t)
{
    const size_t text = std::strlen((const char *)&r.bytes[t.ptext]) + 1;
    return text > (size_t)t.txtlen ? text : (size_t)t.txtlen;
}

void build_teds(const rscfile::Resource &r, Loaded &l)
{
    size_t total = 0;
    for (const rscfile::Tedinfo &t : r.teds)
        total += edit_size(r, t);
    l.edits.assign(total, 0);
    char *edit = l.edits.data();
    for (const rscfile::Tedinfo &t : r.teds) {
        std::strcpy(edit, (const char *)&r.bytes[t.ptext]);
        l.teds.push_back({edit, &l.chars[t.ptmplt], &l.chars[t.pvalid], t.font, t.fontid, t.just,
                          t.color, t.fontsize, t.thickness, t.txtlen, t.tmplen});
        edit += edit_size(r, t);
    }
}

void build_images(const rscfile::Resource &r, Loaded &l)
{
    if (!r.icons.empty() || !r.bits.empty()) {
        l.words.resize(r.bytes.size() / 2);
        for (size_t i = 0; i < l.words.size(); i++)
            l.words[i] = (short)(r.bytes[2 * i] << 8 | r.bytes[2 * i + 1]);
    }
    // Image offsets are even (checked): word index = offset / 2.
    for (const rscfile::Iconblk &b : r.icons)
        l.icons.push_back({l.words.data() + b.pmask / 2, l.words.data() + b.pdata / 2,
                           &l.chars[b.ptext], b.ib_char, b.xchar, b.ychar, b.xicon, b.yicon,
                           b.wicon, b.hicon, b.xtext, b.ytext, b.wtext, b.htext});
    for (const rscfile::Bitblk &b : r.bits)
        l.bits.push_back({l.words.data() + b.pdata / 2, b.wb, b.hl, b.x, b.y, b.color});
}

long object_spec(const rscfile::Object &o, Loaded &l)
{
    switch (rscfile::spec_kind(o.type)) {
    case rscfile::Spec::VALUE: break;
    case rscfile::Spec::STRING: return (long)&l.chars[o.spec];
    case rscfile::Spec::TEDINFO_REC: return (long)&l.teds[(size_t)o.record];
    case rscfile::Spec::ICONBLK_REC: return (long)&l.icons[(size_t)o.record];
    case rscfile::Spec::BITBLK_REC: return (long)&l.bits[(size_t)o.record];
    }
    return (long)o.spec;  // the 32-bit value as it is, not sign-extended
}

void build_objects(const rscfile::Resource &r, Loaded &l, short wchar, short hchar)
{
    for (const rscfile::Object &o : r.objects) {
        l.objects.push_back({o.next, o.head, o.tail, o.type, o.flags, o.state, object_spec(o, l),
                             _cells_to_pixels(o.x, wchar), _cells_to_pixels(o.y, hchar),
                             _cells_to_pixels(o.w, wchar), _cells_to_pixels(o.h, hchar)});
    }
    for (const rscfile::Tree &t : r.trees)
        l.trees.push_back(&l.objects[(size_t)t.root]);
    for (uint32_t at : r.frstr)
        l.frstr.push_back(&l.chars[at]);
    for (int b : r.frimg)
        l.frimg.push_back(&l.bits[(size_t)b]);
}

std::unique_ptr<Loaded> build(const rscfile::Resource &r, short wchar, short hchar)
{
    auto l = std::make_unique<Loaded>();
    l->chars.assign(r.bytes.begin(), r.bytes.end());
    l->chars.push_back(0);
    l->teds.reserve(r.teds.size());
    l->icons.reserve(r.icons.size());
    l->bits.reserve(r.bits.size());
    l->objects.reserve(r.objects.size());
    build_teds(r, *l);
    build_images(r, *l);
    build_objects(r, *l, wchar, hchar);
    return l;
}

// The file's first MAX_READ bytes; false when it cannot be opened or read.
bool read_file(const char *path, std::vector<unsigned char> &out)
{
    FILE *f = std::fopen(path, "rb");
    if (!f)
        return false;
    out.resize(MAX_READ);
    const size_t got = std::fread(out.data(), 1, out.size(), f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    out.resize(got);
    return !failed;
}

// A file in the layer's own stored form, which rsrc_load of gem.h reads.
bool layer_format(const std::vector<unsigned char> &bytes)
{
    if (bytes.size() < (size_t)stored::HEADER_SIZE)
        return false;
    const RSHDR h = stored::read_header(bytes.data());
    return bytes.size() == (size_t)stored::HEADER_SIZE + h.rsh_rssize &&
           stored::image_sound(h, bytes.data() + stored::HEADER_SIZE);
}

int refuse(const char *path, const std::string &reason)
{
    std::fprintf(stderr, "gem: resource file %s %s\n", path ? path : "(null)", reason.c_str());
    return 0;
}

int load(const char *path)
{
    std::vector<unsigned char> bytes;
    if (!path || !read_file(path, bytes))
        return refuse(path, "cannot be opened or read");
    rscfile::Resource r;
    std::string reason;
    if (!rscfile::decode(bytes.data(), bytes.size(), r, reason)) {
        if (layer_format(bytes))
            reason = "is in the layer's own resource format (as mkrsc builds it), not a classic "
                     ".RSC file";
        return refuse(path, reason);
    }
    if (!_font)
        return refuse(path, "cannot be laid out before appl_init: there is no screen font yet");
    short wchar, hchar, wbox, hbox;
    graf_handle(&wchar, &hchar, &wbox, &hbox);
    loaded.push_back(build(r, wchar, hchar));
    return 1;
}

// The address rsrc_gaddr gives, or null for a kind or index out of range.
void *address(int kind, int index)
{
    Loaded *l = current();
    if (!l || index < 0)
        return nullptr;
    const size_t i = (size_t)index;
    auto in = [i](const auto &v) { return i < v.size(); };
    switch (kind) {
    case TREE: return in(l->trees) ? l->trees[i] : nullptr;
    case OBJECT_AT: return in(l->objects) ? &l->objects[i] : nullptr;
    case TEDINFO_AT: return in(l->teds) ? &l->teds[i] : nullptr;
    case ICONBLK_AT: return in(l->icons) ? &l->icons[i] : nullptr;
    case BITBLK_AT: return in(l->bits) ? &l->bits[i] : nullptr;
    case STRING: return in(l->frstr) ? l->frstr[i] : nullptr;
    case IMAGEDATA: return in(l->frimg) ? l->frimg[i] : nullptr;
    case OBSPEC: return in(l->objects) ? &l->objects[i].ob_spec : nullptr;
    case TEPTEXT: return in(l->teds) ? &l->teds[i].te_ptext : nullptr;
    case TEPTMPLT: return in(l->teds) ? &l->teds[i].te_ptmplt : nullptr;
    case TEPVALID: return in(l->teds) ? &l->teds[i].te_pvalid : nullptr;
    case IBPMASK: return in(l->icons) ? &l->icons[i].ib_pmask : nullptr;
    case IBPDATA: return in(l->icons) ? &l->icons[i].ib_pdata : nullptr;
    case IBPTEXT: return in(l->icons) ? &l->icons[i].ib_ptext : nullptr;
    case BIPDATA: return in(l->bits) ? &l->bits[i].bi_pdata : nullptr;
    case FRSTR: return in(l->frstr) ? &l->frstr[i] : nullptr;
    case FRIMG: return in(l->frimg) ? &l->frimg[i] : nullptr;
    default: return nullptr;
    }
}

}  // namespace

int gemc_rsrc_load(const char *path)
{
    try {
        return load(path);
    } catch (const std::bad_alloc &) {
        return refuse(path, "does not fit in memory");
    }
}

int gemc_rsrc_gaddr(int kind, int index, void *out)
{
    void *a = address(kind, index);
    if (!a || !out)
        return 0;
    std::memcpy(out, &a, sizeof a);
    return 1;
}

int gemc_rsrc_saddr(int kind, int index, void *value)
{
    Loaded *l = current();
    if (kind == TREE) {
        if (!l || index < 0 || (size_t)index >= l->trees.size())
            return 0;
        l->trees[(size_t)index] = (GEMC_OBJECT *)value;
        return 1;
    }
    // The pointer-wide field or index entry that rsrc_gaddr names.
    void *slot = kind >= OBSPEC ? address(kind, index) : nullptr;
    if (!slot)
        return 0;
    std::memcpy(slot, &value, sizeof value);
    return 1;
}

int gemc_rsrc_free(void)
{
    loaded.clear();
    return 1;
}
