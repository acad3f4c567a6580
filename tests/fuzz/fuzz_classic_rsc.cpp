// Fuzzing the classic .RSC reader, the classic rsrc_load and mkrsc import.
//
// The input is a classic .RSC file. The reader accepts it exactly when the
// classic rsrc_load does; then every record of every kind is looked up with
// rsrc_gaddr and read whole (strings, edit buffers, image words and icon
// planes: the sanitizers catch a record reaching outside what was built),
// every tree is walked by its links within its LASTOB bound, lookups past
// the counts give 0, and rsrc_free gives everything back. mkrsc import
// refuses what the reader refuses; what it describes builds.
//
// Seeds in corpus/classic_rsc: example.rsc is
//   mkclassicrsc tests/classic/data/example.txt tests/fuzz/corpus/classic_rsc/example.rsc
// and every_record.rsc, images.rsc the classic_rsc.h builder's files of every
// type and record (tests/classic/rsrc_test.cpp's sample and a file of icons
// and free images).
#include <fcntl.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "gem/classic/internal.h"
#include "gem/classic/rscfile.h"
#include "mkrsc.h"

namespace {

enum Kind { TREE, OBJECT_AT, TEDINFO_AT, ICONBLK_AT, BITBLK_AT, STRING, IMAGEDATA, FRSTR = 15 };

std::string file_path;
int null_fd = -1;

[[noreturn]] void broken(const char *what)
{
    fprintf(stderr, "fuzz_classic_rsc: %s\n", what);
    __builtin_trap();
}

// rsrc_load with its refusals sent to /dev/null rather than the fuzzer's log.
int quiet_load(const char *path)
{
    fflush(stderr);
    const int saved = dup(2);
    dup2(null_fd, 2);
    const int loaded = gemc_rsrc_load(path);
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    return loaded;
}

template <typename T>
T *look_up(int kind, int index)
{
    void *p = nullptr;
    if (!gemc_rsrc_gaddr(kind, index, &p) || !p)
        broken("a lookup inside the counts failed");
    return static_cast<T *>(p);
}

void none_past(int kind, int count)
{
    void *p = nullptr;
    if (gemc_rsrc_gaddr(kind, count, &p) || p)
        broken("a lookup past the counts succeeded");
}

volatile size_t sink;

void read_words(const short *w, long count)
{
    for (long i = 0; i < count; i++)
        sink += (unsigned short)w[i];
}

// Reads every record of every kind through rsrc_gaddr, and each one past
// the counts.
void read_everything(const rscfile::Resource &r)
{
    for (size_t i = 0; i < r.teds.size(); i++) {
        GEMC_TEDINFO *t = look_up<GEMC_TEDINFO>(TEDINFO_AT, (int)i);
        sink += strlen(t->te_ptext) + strlen(t->te_ptmplt) + strlen(t->te_pvalid);
        memset(t->te_ptext, 'e', (size_t)(t->te_txtlen > 0 ? t->te_txtlen - 1 : 0));
    }
    for (size_t i = 0; i < r.icons.size(); i++) {
        const GEMC_ICONBLK *b = look_up<GEMC_ICONBLK>(ICONBLK_AT, (int)i);
        const long words = rscfile::icon_plane_bytes(b->ib_wicon, b->ib_hicon) / 2;
        read_words(b->ib_pmask, words);
        read_words(b->ib_pdata, words);
        sink += strlen(b->ib_ptext);
    }
    for (size_t i = 0; i < r.bits.size(); i++) {
        const GEMC_BITBLK *b = look_up<GEMC_BITBLK>(BITBLK_AT, (int)i);
        read_words(b->bi_pdata, b->bi_wb / 2 * (long)b->bi_hl);
    }
    for (size_t i = 0; i < r.frstr.size(); i++)
        sink += strlen(look_up<char>(STRING, (int)i));
    for (size_t i = 0; i < r.frimg.size(); i++)
        sink += look_up<GEMC_BITBLK>(IMAGEDATA, (int)i)->bi_wb;
    none_past(TEDINFO_AT, (int)r.teds.size());
    none_past(ICONBLK_AT, (int)r.icons.size());
    none_past(BITBLK_AT, (int)r.bits.size());
    none_past(OBJECT_AT, (int)r.objects.size());
    none_past(FRSTR, (int)r.frstr.size());
}

// Follows every tree's links from its root, never past its LASTOB object.
void walk_trees(const rscfile::Resource &r)
{
    for (size_t t = 0; t < r.trees.size(); t++) {
        const GEMC_OBJECT *tree = look_up<GEMC_OBJECT>(TREE, (int)t);
        const int count = r.trees[t].count;
        std::vector<int> todo = {0};
        long steps = 0;
        while (!todo.empty()) {
            const int p = todo.back();
            todo.pop_back();
            if (p < 0 || p >= count || ++steps > count)
                broken("a tree's links leave it or loop");
            for (int c = tree[p].ob_head; c != -1 && c != p; c = tree[c].ob_next) {
                if (c < 0 || c >= count)
                    broken("a child link leaves the tree");
                todo.push_back(c);
            }
        }
        if (!(tree[count - 1].ob_flags & rscfile::LASTOB))
            broken("a tree does not end with LASTOB");
    }
    none_past(TREE, (int)r.trees.size());
}

void check_import(const std::vector<unsigned char> &file, bool sound)
{
    try {
        const std::string text = mkrsc::import_classic(file, 8, 8);
        if (!sound)
            broken("import described a file the reader refuses");
        mkrsc::build(mkrsc::parse(text));
    } catch (const mkrsc::Error &e) {
        if (sound && !strstr(e.what(), "the layer's format cannot hold"))
            broken("import refused a sound file for another reason");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    (void)argv;
    _gemio = &_memory_io;
    appl_init(0);
    file_path = "/tmp/fuzz_classic_rsc." + std::to_string(getpid()) + ".RSC";
    null_fd = open("/dev/null", O_WRONLY);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<unsigned char> file(data, data + size);
    rscfile::Resource r;
    std::string reason;
    const bool sound = rscfile::decode(file.data(), file.size(), r, reason);
    if (!sound && reason.empty())
        broken("a refusal without a reason");

    FILE *f = fopen(file_path.c_str(), "wb");
    if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0)
        broken("cannot write the scratch file");
    const int loaded = quiet_load(file_path.c_str());
    if (loaded != (sound ? 1 : 0))
        broken("rsrc_load and the reader disagree");
    if (loaded) {
        read_everything(r);
        walk_trees(r);
    }
    gemc_rsrc_free();
    if (gemc_rsrc_gaddr(TREE, 0, &f))
        broken("a lookup after rsrc_free succeeded");
    check_import(file, sound);
    return 0;
}
