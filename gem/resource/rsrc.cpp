// Installing a resource: checking a stored image, building the native
// records from it, and handing out trees and records.
//
// A stored image (a file, _guirsh, an image given to rsrc_include) is never
// changed by installing it. The installer builds the native TEDINFOs, OBJECTs
// and tree index in a block of its own; every string address in them points
// into the image's data block, so texts edited in place land in the image.
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
    int nobs;
    bool builtin;  // built from _guirsh: holds the layer's own trees, kept for good
};

Block *blocks = nullptr;     // every live block
Block *installed = nullptr;  // the block of the installed resource

const char CANT_OPEN[] = "[1][Can't open resource!][Bummer]";

size_t aligned(size_t n)
{
    const size_t a = alignof(max_align_t);
    return (n + a - 1) / a * a;
}

Block *new_block(int nteds, int nobs, int ntrees)
{
    const size_t head = aligned(sizeof(Block));
    const size_t teds = aligned(sizeof(TEDINFO) * (size_t)nteds);
    const size_t objs = aligned(sizeof(OBJECT) * (size_t)nobs);
    const size_t trees = sizeof(OBJECT *) * (size_t)ntrees;
    unsigned char *mem = (unsigned char *)calloc(1, head + teds + objs + trees);
    if (!mem)
        return nullptr;
    Block *b = (Block *)mem;
    b->teds = (TEDINFO *)(mem + head);
    b->objs = (OBJECT *)(mem + head + teds);
    b->trees = (OBJECT **)(mem + head + teds + objs);
    b->nobs = nobs;
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

long native_spec(const RSHDR &h, unsigned char *data, const Block *b, const unsigned char *ob)
{
    const int type = ob[OB_TYPE];
    const uint32_t obspec = read_u32(ob + OB_SPEC);
    if (type <= LAST_INLINE_TYPE)
        return (long)obspec;
    if (is_text_type(type))
        return (long)(b->teds + record_index(obspec, h.rsh_tedinfo, h.rsh_nteds, TEDINFO_SIZE));
    return (long)(data + obspec);
}

void build_records(const RSHDR &h, unsigned char *data, Block *b)
{
    for (int t = 0; t < h.rsh_nteds; t++) {
        const unsigned char *ted = data + h.rsh_tedinfo + TEDINFO_SIZE * t;
        TEDINFO &n = b->teds[t];
        n.te_ptext = (char *)(data + read_u32(ted + TE_PTEXT));
        n.te_ptmplt = (char *)(data + read_u32(ted + TE_PTMPLT));
        n.te_pvalid = read_s16(ted + TE_PVALID);
        n.te_ptxtlen = read_s16(ted + TE_PTXTLEN);
    }
    for (int k = 0; k < h.rsh_nobs; k++) {
        const unsigned char *ob = data + h.rsh_object + OBJECT_SIZE * k;
        b->objs[k] = read_object(ob);
        b->objs[k].ob_spec = native_spec(h, data, b, ob);
    }
    for (int t = 0; t < h.rsh_ntrees; t++) {
        const uint32_t at = read_u32(data + h.rsh_trindex + TREE_ENTRY_SIZE * t);
        b->trees[t] = b->objs + record_index(at, h.rsh_object, h.rsh_nobs, OBJECT_SIZE);
    }
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
// the file and what is wrong with it.
int refuse_file(const char *path, const char *reason)
{
    fprintf(stderr, "gem: resource file %s %s\n", path, reason);
    form_alert(1, CANT_OPEN);
    return appl_exit();
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
    if (!_resource || !image_sound(_rshdr, _resource))
        return 0;
    Block *b = new_block(_rshdr.rsh_nteds, _rshdr.rsh_nobs, _rshdr.rsh_ntrees);
    if (!b)
        return 0;
    build_records(_rshdr, _resource, b);
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
