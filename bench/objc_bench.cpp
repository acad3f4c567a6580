// Drawing a dialog of the layer's own types against the same dialog made of
// the classic record types, on the memory screen raster_bench.cpp's main
// opens: ten objects each, a box holding a title, three radio buttons,
// two texts, an image and three exit buttons. The classic one has buttons
// with their thicker frames, justified texts, an outlined and shadowed
// button and a 32 x 32 bit image; the plain one strings and framed boxes
// in the same places.
#include <benchmark/benchmark.h>

#include <vector>

#include "gem/internal.h"
#include "tests/layer/objc_trees.h"

namespace {

// An object with no links, text and frame colour 1.
OBJECT node(int type, int x, int y, int w, int h, long spec)
{
    return objc_test::make(type, x, y, w, h, 0, spec);
}

// Links objects 1 to n - 1 as the root's children and marks the last.
void link(std::vector<OBJECT> &t)
{
    const int n = (int)t.size();
    t[0].ob_head = 1;
    t[0].ob_tail = (short)(n - 1);
    for (int i = 1; i < n; i++)
        t[i].ob_next = (short)(i + 1 < n ? i + 1 : 0);
    t[n - 1].ob_flags |= OF_LASTOB;
}

char title[] = "Controls", alarm[] = "103000", tmplt[] = "Alarm __:__:__", empty[] = "";
char labels[6][8] = {"Box", "Disc", "Star", "Reset", "OK", "Cancel"};
TEDINFO title_ted = {title, empty, 'X', 0};
TEDINFO alarm_ted = {alarm, tmplt, '9', 0};
short bits[2 * 32];
BITBLK image = {bits, 4, 32, 0, 0, 1};

std::vector<OBJECT> dialog(bool classic)
{
    std::vector<OBJECT> t;
    t.push_back(node(OT_BOX, 100, 100, 272, 152, 0));
    t[0].ob_flags = OF_FRAMED;
    t[0].ob_border = 1;
    t.push_back(node(classic ? OT_TEXT : OT_STRING, 8, 6, 256, 8,
                     classic ? (long)&title_ted : (long)title));
    t.back().ob_just = TE_CNTR;
    for (int k = 0; k < 3; k++) {
        t.push_back(
            node(classic ? OT_BUTTON : OT_STRING, 64 + 42 * k, 22, 36, 12, (long)labels[k]));
        t.back().ob_xflags = classic ? OX_SELECTABLE | OX_RBUTTON : 0;
        t.back().ob_flags = (unsigned char)(classic ? 0 : OF_FRAMED);
    }
    t.push_back(node(classic ? OT_FTEXT : OT_STRING, 12, 68, 112, 8,
                     classic ? (long)&alarm_ted : (long)tmplt));
    t.back().ob_xflags = classic ? OX_EDITABLE : 0;
    t.push_back(classic ? node(OT_IMAGE, 24, 84, 32, 32, (long)&image)
                        : node(OT_IBOX, 24, 84, 32, 32, 0));
    for (int k = 3; k < 6; k++) {
        t.push_back(
            node(classic ? OT_BUTTON : OT_STRING, 12 + 90 * (k - 3), 126, 64, 14, (long)labels[k]));
        t.back().ob_flags = (unsigned char)(OF_EXIT | (classic ? 0 : OF_FRAMED));
    }
    if (classic)
        t[8].ob_xstate = OS_OUTLINED | OS_SHADOWED;
    link(t);
    return t;
}

void draw_dialog(benchmark::State &state, bool classic)
{
    for (short &w : bits)
        w = (short)0xa5a5;
    std::vector<OBJECT> t = dialog(classic);
    for (auto _ : state)
        objc_draw(t.data(), 0, 8, 0, 0, 0, 0);
}

void BM_objc_draw_plain_dialog(benchmark::State &state) { draw_dialog(state, false); }
void BM_objc_draw_classic_dialog(benchmark::State &state) { draw_dialog(state, true); }

}  // namespace

BENCHMARK(BM_objc_draw_plain_dialog);
BENCHMARK(BM_objc_draw_classic_dialog);
