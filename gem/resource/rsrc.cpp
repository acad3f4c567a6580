// Installing a resource: checking a stored image, building the native
// records from it, and handing out trees and records.
//
// A stored image (a file, _guirsh, an image given to rsrc_include) is never
// changed by installing it. The installer builds the native TEDINFOs, OBJECTs
// and tree index in a block of its own, and for an image with the extension
// its BITBLKs, ICONBLKs and USERBLKs and the data block as native words for
// their bit data; every string address in them points into the image's data
// block, so texts edited in place land in the image.
// The records of an included image live as long as the program (its trees
// stay usable after rsrc_free); those of a file go with the file's data.
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gem/internal.h"
#include "gem/resource/stored.h"
#include "gem/resource/walk.h"

RSHDR _rshdr = {0, 0, 0, 0, 0, 0, 0};
unsigned char *_resource = NULL;
short _rsrcin = 0;
TEDINFO *_teds = NULL;
OBJECT *_dials = NULL;
OBJECT **_trees = NULL;

namespace {

using namespace stored;

// Native records built from one stored image, in one allocation. Blocks are
// listed so that tree walks can tell where a tree's object array ends.
struct Block {
    Block *next;
    TEDINFO *teds;
    OBJECT *objs;
    OBJECT **trees;
    BITBLK *bitblks;
    ICONBLK *iconblks;
    USERBLK *userblks;
    // The data block as native 16-bit words, read from even and from odd
    // offsets: bit images and icon planes point into these.
    short *even_words;
    short *odd_words;
    int nobs;
    bool builtin;  // built from _guirsh: holds the layer's own trees, kept for good
};

// How many of each record a block holds.
struct Counts {
    int nteds, nobs, ntrees;
    int nbitblks, niconblks, nuserblks;
    size_t nwords;  // of each of the two word copies
};

Block *blocks = nullptr;     // every live block
Block *installed = nullptr;  // the block of the installed resource

const char CANT_OPEN[] = "[1][Can't open resource!][Bummer]";

size_t aligned(size_t n)
{
    const size_t a = alignof(max_align_t);
    return (n + a - 1) / a * a;
}

// Carves `count` records of T out of `mem` at `*at` and moves `*at` on.
template <typename T>
T *carve(unsigned char *mem, size_t *at, size_t count)
{
    T *p = (T *)(mem + *at);
    *at += aligned(sizeof(T) * count);
    return p;
}

Block *new_block(const Counts &c)
{
    const size_t size =
        aligned(sizeof(Block)) + aligned(sizeof(TEDINFO) * (size_t)c.nteds) +
        aligned(sizeof(OBJECT) * (size_t)c.nobs) + aligned(sizeof(OBJECT *) * (size_t)c.ntrees) +
        aligned(sizeof(BITBLK) * (size_t)c.nbitblks) +
        aligned(sizeof(ICONBLK) * (size_t)c.niconblks) +
        aligned(sizeof(USERBLK) * (size_t)c.nuserblks) + 2 * aligned(sizeof(short) * c.nwords);
    unsigned char *mem = (unsigned char *)calloc(1, size);
    if (!mem)
        return nullptr;
    size_t at = 0;
    Block *b = carve<Block>(mem, &at, 1);
    b->teds = carve<TEDINFO>(mem, &at, (size_t)c.nteds);
    b->objs = carve<OBJECT>(mem, &at, (size_t)c.nobs);
    b->trees = carve<OBJECT *>(mem, &at, (size_t)c.ntrees);
    b->bitblks = carve<BITBLK>(mem, &at, (size_t)c.nbitblks);
    b->iconblks = carve<ICONBLK>(mem, &at, (size_t)c.niconblks);
    b->userblks = carve<USERBLK>(mem, &at, (size_t)c.nuserblks);
    b->even_words = carve<short>(mem, &at, c.nwords);
    b->odd_words = carve<short>(mem, &at, c.nwords);
    b->nobs = c.nobs;
    b->next = blocks;
    blocks = b;
    return b;
}

void drop_block(Block *b)
{
    for (Block **p = &blocks; *p; p = &(*p)->next) {
        if (*p == b) {
            *p = b->next;
            break;
        }
    }
    free(b);
}

// ---------------------------------------------------------------------------
// Building native records (the image has been checked).

// Only bit images and icons need the data block as words.
bool needs_words(const Extension &x) { return x.nbitblks > 0 || x.niconblks > 0; }

// The native words of the data at offset `at` (even or odd).
short *words_at(const Block *b, uint32_t at)
{
    return (at % 2 ? b->odd_words : b->even_words) + at / 2;
}

// Both word copies of the data block; each has a spare word, so that a
// record of no data at the block's end still points inside them.
void build_words(const RSHDR &h, const unsigned char *data, Block *b)
{
    for (unsigned i = 0; 2 * i + 1 < h.rsh_rssize; i++)
        b->even_words[i] = read_s16(data + 2 * i);
    for (unsigned i = 0; 2 * i + 2 < h.rsh_rssize; i++)
        b->odd_words[i] = read_s16(data + 2 * i + 1);
}

void build_extension_records(const Extension &x, unsigned char *data, Block *b)
{
    for (int i = 0; i < x.nbitblks; i++) {
        const unsigned char *rec = data + x.bitblks + BITBLK_SIZE * i;
        b->bitblks[i] = read_bitblk(rec);
        b->bitblks[i].bi_pdata = words_at(b, read_u32(rec + BI_PDATA));
    }
    for (int i = 0; i < x.niconblks; i++) {
        const unsigned char *rec = data + x.iconblks + ICONBLK_SIZE * i;
        ICONBLK &n = b->iconblks[i];
        n = read_iconblk(rec);
        n.ib_pmask = words_at(b, read_u32(rec + IB_PMASK));
        n.ib_pdata = words_at(b, read_u32(rec + IB_PDATA));
        n.ib_ptext = (char *)(data + read_u32(rec + IB_PTEXT));
    }
    for (int i = 0; i < x.nuserblks; i++) {
        b->userblks[i].ub_code = nullptr;  // the program sets its routine
        b->userblks[i].ub_parm = (long)read_u32(data + x.userblks + USERBLK_SIZE * i + UB_PARM);
    }
}

long native_spec(const RSHDR &h, const Extension &x, unsigned char *data, const Block *b,
                 const OBJECT &ob)
{
    const uint32_t obspec = (uint32_t)ob.ob_spec;
    switch (spec_kind(ob.ob_type, ob.ob_xflags, x.present)) {
    case Spec::VALUE: return (long)obspec;
    case Spec::TEXT_RECORD:
        return (long)(b->teds + record_index(obspec, h.rsh_tedinfo, h.rsh_nteds, TEDINFO_SIZE));
    case Spec::IMAGE_RECORD:
        return (long)(b->bitblks + record_index(obspec, x.bitblks, x.nbitblks, BITBLK_SIZE));
    case Spec::ICON_RECORD:
        return (long)(b->iconblks + record_index(obspec, x.iconblks, x.niconblks, ICONBLK_SIZE));
    case Spec::USER_RECORD:
        return (long)(b->userblks + record_index(obspec, x.userblks, x.nuserblks, USERBLK_SIZE));
    case Spec::STRING_AT:
    case Spec::DATA_AT: break;
    }
    return (long)(data + obspec);
}

// The object's fields after ob_height. Without the extension they are 0,
// but the record types' codes say that their ob_spec is inline: drawing must
// never take it for an address.
void extended_fields(const Extension &x, const unsigned char *data, int k, OBJECT &ob)
{
    if (x.present)
        read_extended_fields(data + x.objects + EXT_OBJECT_SIZE * k, ob);
    else if (is_record_type(ob.ob_type))
        ob.ob_xflags = OX_INLINE;
}

void build_records(const RSHDR &h, const Extension &x, unsigned char *data, Block *b)
{
    if (needs_words(x))
        build_words(h, data, b);
    build_extension_records(x, data, b);
    for (int t = 0; t < h.rsh_nteds; t++) {
        const unsigned char *ted = data + h.rsh_tedinfo + TEDINFO_SIZE * t;
        TEDINFO &n = b->teds[t];
        n.te_ptext = (char *)(data + read_u32(ted + TE_PTEXT));
        n.te_ptmplt = (char *)(data + read_u32(ted + TE_PTMPLT));
        n.te_pvalid = read_s16(ted + TE_PVALID);
        n.te_ptxtlen = read_s16(ted + TE_PTXTLEN);
    }
    for (int k = 0; k < h.rsh_nobs; k++) {
        OBJECT &ob = b->objs[k];
        ob = read_object(data + h.rsh_object + OBJECT_SIZE * k);
        extended_fields(x, data, k, ob);
        ob.ob_spec = native_spec(h, x, data, b, ob);
    }
    for (int t = 0; t < h.rsh_ntrees; t++) {
        const uint32_t at = read_u32(data + h.rsh_trindex + TREE_ENTRY_SIZE * t);
        b->trees[t] = b->objs + record_index(at, h.rsh_object, h.rsh_nobs, OBJECT_SIZE);
    }
}

// The records the checked image needs.
Counts counts(const RSHDR &h, const Extension &x)
{
    const size_t words = needs_words(x) ? (size_t)h.rsh_rssize / 2 + 1 : 0;
    return {h.rsh_nteds, h.rsh_nobs, h.rsh_ntrees, x.nbitblks, x.niconblks, x.nuserblks, words};
}

// The description of the installed resource, kept while a new one is tried.
struct Installed {
    RSHDR hdr;
    unsigned char *resource;
    short rsrcin;
};

Installed save_installed() { return {_rshdr, _resource, _rsrcin}; }

void restore_installed(const Installed &s)
{
    _rshdr = s.hdr;
    _resource = s.resource;
    _rsrcin = s.rsrcin;
}

// A file that cannot be opened or read, or whose contents do not hold
// together, ends the program after telling the user; standard error names
// the file and what is wrong with it. The program did not do what it was
// started for: it ends with status 1.
int refuse_file(const char *path, const char *reason)
{
    fprintf(stderr, "gem: resource file %s %s\n", path, reason);
    form_alert(1, CANT_OPEN);
    _appl_shutdown();
    exit(1);
}

}  // namespace

int _rsrc_room(const OBJECT *tree)
{
    const uintptr_t t = (uintptr_t)tree;
    for (const Block *b = blocks; b; b = b->next) {
        const uintptr_t first = (uintptr_t)b->objs;
        const uintptr_t end = (uintptr_t)(b->objs + b->nobs);
        if (t >= first && t < end && (t - first) % sizeof(OBJECT) == 0)
            return (int)((end - t) / sizeof(OBJECT));
    }
    return -1;
}

int _rsrc_fix(void)
{
    Extension x;
    if (!_resource || !image_sound(_rshdr, _resource) || !read_extension(_rshdr, _resource, x))
        return 0;
    Block *b = new_block(counts(_rshdr, x));
    if (!b)
        return 0;
    build_records(_rshdr, x, _resource, b);
    b->builtin = _resource == _guirsh + HEADER_SIZE;
    installed = b;
    _teds = b->teds;
    _dials = b->objs;
    _trees = b->trees;
    return 1;
}

int rsrc_include(void *image)
{
    if (!image)
        return 0;
    const Installed before = save_installed();
    unsigned char *img = (unsigned char *)image;
    _rshdr = read_header(img);
    _resource = img + HEADER_SIZE;
    _rsrcin = 1;
    if (_rsrc_fix())
        return 1;
    restore_installed(before);
    return 0;
}

int rsrc_load(const char *path)
{
    FILE *f = fopen(path, "rb");
    if (!f)
        return refuse_file(path, "cannot be opened");
    unsigned char head[HEADER_SIZE];
    const bool got_header = fread(head, 1, sizeof head, f) == sizeof head;
    const RSHDR hdr = got_header ? read_header(head) : RSHDR{};
    unsigned char *data = got_header ? (unsigned char *)malloc(hdr.rsh_rssize + 1u) : nullptr;
    const bool read_whole = data && fread(data, 1, hdr.rsh_rssize, f) == hdr.rsh_rssize;
    fclose(f);
    if (!read_whole) {
        free(data);
        return refuse_file(path, "is cut short");
    }
    const Installed before = save_installed();
    _rshdr = hdr;
    _resource = data;
    _rsrcin = 0;
    if (_rsrc_fix())
        return 1;
    restore_installed(before);
    free(data);
    return refuse_file(path, "is damaged");
}

int rsrc_gaddr(int kind, int index, void *out)
{
    if (index < 0 || !out)
        return 0;
    switch (kind) {
    case R_TREE:
        if (index >= _rshdr.rsh_ntrees || !_trees)
            return 0;
        memcpy(out, &_trees[index], sizeof(OBJECT *));
        return 1;
    case R_OBJECT:
        if (index >= _rshdr.rsh_nobs || !_dials)
            return 0;
        memcpy(out, &_dials[index], sizeof(OBJECT));
        return 1;
    case R_TEDINFO:
        if (index >= _rshdr.rsh_nteds || !_teds)
            return 0;
        memcpy(out, &_teds[index], sizeof(TEDINFO));
        return 1;
    default: return 0;
    }
}

int rsrc_saddr(int kind, int index, const void *in)
{
    // The layer's own dialogs use the built-in resource: it is not changed.
    if (index < 0 || !in || !installed || installed->builtin)
        return 0;
    switch (kind) {
    case R_TREE:
        if (index >= _rshdr.rsh_ntrees)
            return 0;
        memcpy(&_trees[index], in, sizeof(OBJECT *));
        return 1;
    case R_OBJECT:
        if (index >= _rshdr.rsh_nobs)
            return 0;
        memcpy(&_dials[index], in, sizeof(OBJECT));
        return 1;
    case R_TEDINFO:
        if (index >= _rshdr.rsh_nteds)
            return 0;
        memcpy(&_teds[index], in, sizeof(TEDINFO));
        return 1;
    default: return 0;
    }
}

int _rsrc_release(void)
{
    // The built-in resource holds the layer's own trees: it stays.
    if (!installed || installed->builtin)
        return 1;
    drop_block(installed);
    installed = nullptr;
    if (_rsrcin == 0)
        free(_resource);
    // Nothing is installed any more: every lookup fails from now on.
    _rshdr = RSHDR{};
    _resource = NULL;
    _rsrcin = 0;
    _teds = NULL;
    _dials = NULL;
    _trees = NULL;
    return 1;
}

int rsrc_free(void)
{
    // An included image belongs to its owner, and so do the trees taken
    // from it: they stay installed and usable, whatever the owner does next.
    // Only a resource read from a file is given back.
    if (_rsrcin)
        return 1;
    return _rsrc_release();
}
