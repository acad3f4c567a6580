// What the classic profile's translation costs: a classic dialog of ten
// objects drawn by the classic objc_draw (its twin rebuilt, drawn, and the
// changes written back) against the layer's objc_draw of the same twin,
// and the translation alone.
#include <benchmark/benchmark.h>

#include "gem/classic/trees.h"

namespace {

char title_text[] = "Memo settings", name_text[16] = "nobody",
     name_tmplt[] = "Name: _______________";
char name_valid[] = "XXXXXXXXXXXXXXX", empty[] = "";
char labels[5][8] = {"Thin", "Medium", "Thick", "OK", "Cancel"};
GEMC_TEDINFO title_ted = {title_text, empty, empty, 3, 0, 2, 0x1180, 0, 0, 14, 1};
GEMC_TEDINFO name_ted = {name_text, name_tmplt, name_valid, 3, 0, 0, 0x1180, 0, 0, 16, 22};

// Box, centred title, editable field, three radio buttons in a box, two
// exit buttons; the root outlined, as a resource editor makes them.
GEMC_OBJECT dialog[10] = {
    {-1, 1, 9, 20, 0, 0x10, 0x00021100L, 100, 100, 272, 88},
    {2, -1, -1, 21, 0, 0, (long)&title_ted, 16, 8, 240, 8},
    {3, -1, -1, 29, 0x0008, 0, (long)&name_ted, 16, 24, 168, 8},
    {7, 4, 6, 25, 0, 0, 0x00001100L, 80, 48, 176, 8},
    {5, -1, -1, 26, 0x0011, 0x01, (long)labels[0], 0, 0, 48, 8},
    {6, -1, -1, 26, 0x0011, 0, (long)labels[1], 56, 0, 64, 8},
    {3, -1, -1, 26, 0x0011, 0, (long)labels[2], 128, 0, 48, 8},
    {8, -1, -1, 26, 0x0007, 0, (long)labels[3], 112, 72, 64, 8},
    {9, -1, -1, 26, 0x0005, 0, (long)labels[4], 192, 72, 64, 8},
    {0, -1, -1, 28, 0x0020, 0, (long)empty, 16, 72, 8, 8},
};

void BM_classic_objc_draw(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(gemc_objc_draw(dialog, 0, 8, 0, 0, 640, 480));
}

void BM_layer_objc_draw_of_the_twin(benchmark::State &state)
{
    OBJECT *twin = _gemc_tree_in(dialog);
    for (auto _ : state)
        benchmark::DoNotOptimize(objc_draw(twin, 0, 8, 100, 100, 272, 88));
}

void BM_classic_translation_in_and_out(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(_gemc_tree_in(dialog));
        _gemc_tree_out(dialog);
    }
}

}  // namespace

BENCHMARK(BM_classic_objc_draw);
BENCHMARK(BM_layer_objc_draw_of_the_twin);
BENCHMARK(BM_classic_translation_in_and_out);
