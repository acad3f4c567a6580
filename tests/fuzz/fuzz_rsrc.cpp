// Fuzzing the resource installer and every walk over the trees it accepts.
//
// The input is a stored resource image. An image shorter than its header
// claims is padded with zeros (rsrc_include trusts the caller's buffer to
// hold rsh_rssize bytes). A refused image must leave the installed resource
// alone; an accepted one has each of its trees searched, hit-tested and
// drawn on the memory screen, its records looked up and read whole (the bit
// images' words and icons' planes and texts: the sanitizers catch a record
// that reaches outside what was built), its objects fixed to pixels and
// written back with rsrc_saddr, and is released again
// (rsrc_free keeps an included image's records for good), so the next image
// is tried with nothing installed.
//
// Seeds in corpus/rsrc: the mkrsc_*.rsc images are the resource compiler's
// builds of its example and of the test descriptions that use every
// attribute and every attribute beyond the one-byte model, made with
//   mkrsc build tools/mkrsc/example.txt tests/fuzz/corpus/rsrc/mkrsc_example.rsc
//   mkrsc build tests/tools/data/every_attribute.txt \
//       tests/fuzz/corpus/rsrc/mkrsc_every_attribute.rsc
//   mkrsc build tests/tools/data/every_new_attribute.txt \
//       tests/fuzz/corpus/rsrc/mkrsc_every_new_attribute.rsc
// (tool_tests checks they are the current builds; the last one carries the
// extension with every record).
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "gem/internal.h"

namespace {

constexpr size_t HEADER = 14;
constexpr int MAX_TREES = 8;     // trees walked per image
constexpr int MAX_TARGETS = 40;  // objects looked for per tree

void walk_tree(OBJECT *tree, const uint8_t *data, size_t size)
{
    short x, y;
    for (int k = -1; k < MAX_TARGETS; k++)
        objc_offset(tree, k, &x, &y);
    for (size_t i = 0; i + 1 < std::min<size_t>(size, 16); i += 2)
        objc_find(tree, 0, 8, data[i] * 2, data[i + 1]);
    short idx = 0;
    _narrow(tree, &idx, 5, 5);
    _curpos = (short)(size % 64);
    objc_draw(tree, 0, -1, 0, 0, 0, 0);
}

// Sums every word of `count` at `words`: reads them all.
unsigned sum(const short *words, long count)
{
    unsigned s = 0;
    for (long i = 0; i < count; i++)
        s += (unsigned short)words[i];
    return s;
}

// Reads the whole record an object's spec names.
unsigned read_record(const OBJECT &ob)
{
    if (ob.ob_xflags & OX_INLINE)
        return 0;
    if (ob.ob_type == OT_IMAGE) {
        const BITBLK *b = (const BITBLK *)ob.ob_spec;
        return sum(b->bi_pdata, b->bi_wb / 2 * (long)b->bi_hl);
    }
    if (ob.ob_type == OT_ICON) {
        const ICONBLK *b = (const ICONBLK *)ob.ob_spec;
        const long words = (b->ib_wicon + 15) / 16 * (long)b->ib_hicon;
        return sum(b->ib_pmask, words) + sum(b->ib_pdata, words) + (unsigned)strlen(b->ib_ptext);
    }
    if (ob.ob_type == OT_USERDEF)
        return (unsigned)((const USERBLK *)ob.ob_spec)->ub_parm;
    return 0;
}

void look_up_everything()
{
    OBJECT ob;
    TEDINFO ted;
    volatile unsigned all = 0;
    for (int i = 0; i < _rshdr.rsh_nobs; i++) {
        rsrc_gaddr(R_OBJECT, i, &ob);
        all += read_record(ob);
        rsrc_saddr(R_OBJECT, i, &ob);
    }
    for (int i = 0; i < _rshdr.rsh_nteds; i++)
        rsrc_gaddr(R_TEDINFO, i, &ted);
}

// Every object of the tree fixed to pixels (after the walks: the fixed
// positions differ).
void fix_tree(OBJECT *tree)
{
    for (int k = 0; k < MAX_TARGETS && rsrc_obfix(tree, k); k++)
        ;
}

// What rsrc_gaddr answers from: a refused image must leave all of it.
struct Installed {
    RSHDR header;
    unsigned char *data;
    short included;
    TEDINFO *teds;
    OBJECT *objects;
    OBJECT **trees;

    static Installed now() { return {_rshdr, _resource, _rsrcin, _teds, _dials, _trees}; }
    bool operator==(const Installed &o) const
    {
        return memcmp(&header, &o.header, sizeof header) == 0 && data == o.data &&
               included == o.included && teds == o.teds && objects == o.objects && trees == o.trees;
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    _gemio = &_memory_io;
    appl_init(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < HEADER)
        return 0;
    const size_t claimed = HEADER + (size_t)(data[0] | data[1] << 8);
    std::vector<unsigned char> image(std::max(size, claimed), 0);
    memcpy(image.data(), data, size);
    const std::vector<unsigned char> original = image;

    const Installed before = Installed::now();
    if (!rsrc_include(image.data())) {
        if (!(Installed::now() == before))
            __builtin_trap();  // a refused image changed the installed one
        return 0;
    }
    if (image != original)
        __builtin_trap();  // installing wrote into the image

    look_up_everything();
    const int trees = std::min<int>(_rshdr.rsh_ntrees, MAX_TREES);
    for (int t = 0; t < trees; t++) {
        OBJECT *tree = nullptr;
        if (rsrc_gaddr(R_TREE, t, &tree)) {
            walk_tree(tree, data, size);
            fix_tree(tree);
        }
    }
    _rsrc_release();
    return 0;
}
