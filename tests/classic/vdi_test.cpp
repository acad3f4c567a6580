// The classic VDI calls beside the layer's own: the same pixels and values
// through int and WORD arrays, v_pline kept to the clip rectangle, virtual
// workstations on the visible screen, and the classic meanings the profile
// adds (faces by id, effects, logic raster copies, the timer hook).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gem/classic/internal.h"
#include "gem/classic/vdiwords.h"
#include "support/headless.h"
#include "support/memory_form.h"

namespace {

// A blank visible screen, the attributes and clip as a mode setting leaves
// them, black lines and fills.
void fresh()
{
    headless::start(0);
    clear_to_color(screen, 0);
    vsl_color(1, 1);
    vsf_color(1, 1);
    vsm_color(1, 1);
}

std::vector<short> shorts(const std::vector<int> &v) { return {v.begin(), v.end()}; }

// One drawing call: the layer's with WORD arrays, the profile's with a ref.
struct Drawing {
    std::string name;
    std::vector<int> words;
    std::function<void(const short *)> layer;
    std::function<void(GEMC_REF)> classic;
};

std::vector<unsigned char> drawn(const std::function<void()> &draw)
{
    fresh();
    vsl_width(1, 3);
    vsf_interior(1, FIS_PATTERN);
    vsf_style(1, 4);
    draw();
    return headless::screen_pixels();
}

}  // namespace

TEST(ClassicVdi, DrawingThroughIntAndWordArraysMatchesTheLayer)
{
    fresh();
    const std::vector<unsigned char> blank = headless::screen_pixels();
    MemoryForm stamp(16, 2, 0);
    const short rows[4] = {(short)0xF0F0, 0x0F0F, 0x1234, 0x4321};
    stamp.mfdb.fd_addr = (void *)rows;
    stamp.mfdb.fd_wdwidth = 1;
    stamp.mfdb.fd_nplanes = 1;
    MFDB scr = {};
    const std::vector<Drawing> table = {
        {"v_bar",
         {10, 10, 60, 40},
         [](const short *p) { v_bar(1, p); },
         [](GEMC_REF r) { gemc_v_bar(1, r); }},
        {"vr_recfl",
         {5, 50, 90, 70},
         [](const short *p) { vr_recfl(1, p); },
         [](GEMC_REF r) { gemc_vr_recfl(1, r); }},
        {"v_rbox",
         {20, 20, 120, 90},
         [](const short *p) { v_rbox(1, p); },
         [](GEMC_REF r) { gemc_v_rbox(1, r); }},
        {"v_rfbox",
         {30, 30, 140, 110},
         [](const short *p) { v_rfbox(1, p); },
         [](GEMC_REF r) { gemc_v_rfbox(1, r); }},
        {"v_fillarea",
         {10, 10, 100, 20, 50, 120, 5, 60},
         [](const short *p) { v_fillarea(1, 4, p); },
         [](GEMC_REF r) { gemc_v_fillarea(1, 4, r); }},
        {"v_pmarker",
         {10, 10, 100, 20, 50, 120},
         [](const short *p) { v_pmarker(1, 3, p); },
         [](GEMC_REF r) { gemc_v_pmarker(1, 3, r); }},
        {"v_pline",
         {0, 0, 300, 150, 10, 190},
         [](const short *p) { v_pline(1, 3, p); },
         [](GEMC_REF r) { gemc_v_pline(1, 3, r); }},
        {"vsf_udpat",
         {0x8001, 0x4002, 0x2004, 0x1008, 0x0810, 0x0420, 0x0240, 0x0180, 0x0180, 0x0240, 0x0420,
          0x0810, 0x1008, 0x2004, 0x4002, 0x8001},
         [](const short *p) {
             vsf_udpat(1, p, 1);
             vsf_interior(1, FIS_USER);
             const short box[4] = {0, 0, 63, 63};
             v_bar(1, box);
         },
         [](GEMC_REF r) {
             gemc_vsf_udpat(1, r, 1);
             vsf_interior(1, FIS_USER);
             const short box[4] = {0, 0, 63, 63};
             v_bar(1, box);
         }},
        {"vrt_cpyfm",
         {0, 0, 15, 1, 40, 40, 55, 41},
         [&](const short *p) {
             const short ink[2] = {1, 2};
             vrt_cpyfm(1, MD_REPLACE, p, &stamp.mfdb, &_screen, ink);
         },
         [&](GEMC_REF r) {
             const int ink[2] = {1, 2};
             gemc_vrt_cpyfm(1, MD_REPLACE, r, &stamp.mfdb, &scr, GEMC_CREF(ink));
         }},
        {"vro_cpyfm",
         {0, 0, 40, 40, 100, 100, 140, 140},
         [](const short *p) {
             const short box[4] = {0, 0, 30, 30};
             v_bar(1, box);
             vro_cpyfm(1, 3, p, &_screen, &_screen);
         },
         [&](GEMC_REF r) {
             const short box[4] = {0, 0, 30, 30};
             v_bar(1, box);
             gemc_vro_cpyfm(1, 3, r, &scr, &scr);
         }},
    };
    for (const Drawing &d : table) {
        const std::vector<short> w = shorts(d.words);
        const std::vector<unsigned char> layer = drawn([&] { d.layer(w.data()); });
        EXPECT_NE(layer, blank) << d.name << " draws";
        EXPECT_EQ(drawn([&] { d.classic(GEMC_CREF(d.words.data())); }), layer) << d.name << " int";
        EXPECT_EQ(drawn([&] { d.classic(GEMC_CREF(w.data())); }), layer) << d.name << " WORD";
    }
}

namespace {

// One query: the layer's into WORDs, the profile's into a ref; `count`
// words compared.
struct Query {
    std::string name;
    int count;
    std::function<void(short *)> layer;
    std::function<void(GEMC_REF)> classic;
};

}  // namespace

TEST(ClassicVdi, QueriesThroughIntAndWordArraysMatchTheLayer)
{
    fresh();
    vsl_type(1, DASH);
    vsf_interior(1, FIS_HATCH);
    vsm_height(1, 11);
    vst_alignment(1, TA_CENTER, TA_TOP, nullptr, nullptr);
    const short pink[3] = {1000, 500, 250};
    vs_color(1, 20, pink);
    headless::mouse(33, 44, 1);
    const std::vector<Query> table = {
        {"vq_extnd 0", 57, [](short *o) { vq_extnd(1, 0, o); },
         [](GEMC_REF r) { gemc_vq_extnd(1, 0, r); }},
        {"vq_extnd 1", 57, [](short *o) { vq_extnd(1, 1, o); },
         [](GEMC_REF r) { gemc_vq_extnd(1, 1, r); }},
        {"vql_attributes", 6, [](short *o) { vql_attributes(1, o); },
         [](GEMC_REF r) { gemc_vql_attributes(1, r); }},
        {"vqf_attributes", 5, [](short *o) { vqf_attributes(1, o); },
         [](GEMC_REF r) { gemc_vqf_attributes(1, r); }},
        {"vqm_attributes", 5, [](short *o) { vqm_attributes(1, o); },
         [](GEMC_REF r) { gemc_vqm_attributes(1, r); }},
        {"vqt_extent", 8, [](short *o) { vqt_extent(1, "Hello", o); },
         [](GEMC_REF r) { gemc_vqt_extent(1, "Hello", r); }},
        {"vq_color", 3, [](short *o) { vq_color(1, 20, 0, o); },
         [](GEMC_REF r) { gemc_vq_color(1, 20, 0, r); }},
        {"vst_height", 5,
         [](short *o) { o[4] = (short)vst_height(1, 13, &o[0], &o[1], &o[2], &o[3]); },
         [](GEMC_REF r) {
             short *o = static_cast<short *>(r.p);
             int *i = static_cast<int *>(r.p);
             const int set = gemc_vst_height(1, 13, GEMC_REF{r.p, r.size},
                                             GEMC_REF{(char *)r.p + r.size, r.size},
                                             GEMC_REF{(char *)r.p + 2 * r.size, r.size},
                                             GEMC_REF{(char *)r.p + 3 * r.size, r.size});
             if (r.size == 2)
                 o[4] = (short)set;
             else
                 i[4] = set;
         }},
        {"vst_alignment", 2, [](short *o) { vst_alignment(1, TA_RIGHT, TA_BOTTOM, &o[0], &o[1]); },
         [](GEMC_REF r) {
             gemc_vst_alignment(1, TA_RIGHT, TA_BOTTOM, r, GEMC_REF{(char *)r.p + r.size, r.size});
         }},
        {"vq_mouse", 3, [](short *o) { vq_mouse(1, &o[0], &o[1], &o[2]); },
         [](GEMC_REF r) {
             gemc_vq_mouse(1, r, GEMC_REF{(char *)r.p + r.size, r.size},
                           GEMC_REF{(char *)r.p + 2 * r.size, r.size});
         }},
        {"vq_chcells", 2, [](short *o) { vq_chcells(1, &o[0], &o[1]); },
         [](GEMC_REF r) {
             gemc_vq_chcells(1, r, GEMC_REF{(char *)r.p + r.size, r.size});
         }},
        {"v_get_pixel", 2,
         [](short *o) {
             putpixel(screen, 7, 8, 5);
             v_get_pixel(1, 7, 8, &o[0], &o[1]);
         },
         [](GEMC_REF r) {
             putpixel(screen, 7, 8, 5);
             gemc_v_get_pixel(1, 7, 8, r, GEMC_REF{(char *)r.p + r.size, r.size});
         }},
    };
    for (const Query &q : table) {
        std::vector<short> layer(64, -7);
        std::vector<short> as_words(64, -7);
        std::vector<int> as_ints(64, -7);
        q.layer(layer.data());
        q.classic(GEMC_REF(as_words.data()));
        q.classic(GEMC_REF(as_ints.data()));
        for (int k = 0; k < q.count; k++) {
            EXPECT_EQ(as_words[k], layer[k]) << q.name << " word " << k;
            EXPECT_EQ(as_ints[k], layer[k]) << q.name << " int " << k;
        }
        EXPECT_EQ(as_ints[q.count], -7) << q.name << " writes no further";
        EXPECT_EQ(as_words[q.count], -7) << q.name << " writes no further";
    }
}

TEST(ClassicVdi, PlineKeepsToTheClipRectangleTheLayersDoesNot)
{
    struct Case {
        const char *name;
        int width, type, ends;
    } cases[] = {{"thin solid", 1, SOLID, SQUARE},
                 {"thin dashed", 1, DASHDOT, SQUARE},
                 {"wide arrowed", 5, SOLID, ARROWED}};
    const std::vector<int> line = {-20, 10, 300, 180, 20, 190};
    const int clip[4] = {250, 150, 50, 40};  // corners in either order
    fresh();
    const int clip_state = get_clip_state(screen);
    for (const Case &c : cases) {
        auto draw = [&](bool classic) {
            fresh();
            vsl_width(1, c.width);
            vsl_type(1, c.type);
            vsl_ends(1, c.ends, c.ends);
            gemc_vs_clip(1, 1, GEMC_CREF(clip));
            if (classic)
                gemc_v_pline(1, 3, GEMC_CREF(line.data()));
            else
                v_pline(1, 3, shorts(line).data());
            gemc_vs_clip(1, 0, GEMC_CREF(clip));
            return headless::screen_pixels();
        };
        const std::vector<unsigned char> whole = draw(false), clipped = draw(true);
        int inside = 0, outside = 0;
        for (int y = 0; y < 200; y++)
            for (int x = 0; x < 320; x++) {
                const size_t i = (size_t)y * 320 + x;
                const bool in = x >= 50 && x <= 250 && y >= 40 && y <= 150;
                EXPECT_EQ(clipped[i], in ? whole[i] : 0) << c.name << " " << x << "," << y;
                (in ? inside : outside) += whole[i] != 0;
            }
        EXPECT_GT(inside, 0) << c.name;
        EXPECT_GT(outside, 0) << c.name << ": the layer's line leaves the rectangle";
    }
    EXPECT_EQ(get_clip_state(screen), clip_state) << "the surface's own clip is put back";
    int x1, y1, x2, y2;
    get_clip_rect(screen, &x1, &y1, &x2, &y2);
    EXPECT_EQ(x2, 319);
    EXPECT_EQ(y2, 199);
}

TEST(ClassicVdi, ClipFlagWithoutCornersTurnsClippingOff)
{
    fresh();
    const short small[4] = {0, 0, 9, 9};
    vs_clip(1, 1, small);
    gemc_vs_clip(1, 1, GEMC_CREF(nullptr));
    short out[57];
    vq_extnd(1, 1, out);
    EXPECT_EQ(out[19], 0);
    EXPECT_EQ(out[47], 319);
}

TEST(ClassicVdi, VirtualWorkstationsAreVisibleAndNeverZero)
{
    fresh();
    int work_in[11] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};
    int work_out[57];
    short layer_out[57];
    int h[5] = {0, 0, 0, 0, 0};
    for (int &handle_io : h) {
        handle_io = 0;  // the physical handle, as graf_handle gives it
        gemc_v_opnvwk(GEMC_CREF(work_in), GEMC_REF(&handle_io), GEMC_REF(work_out));
        EXPECT_GE(handle_io, 1);
        EXPECT_LE(handle_io, 3);
    }
    EXPECT_EQ(h[0], 1);
    EXPECT_EQ(h[1], 2);
    EXPECT_EQ(h[2], 3);
    vq_extnd(1, 0, layer_out);
    for (int k = 0; k < 57; k++)
        EXPECT_EQ(work_out[k], layer_out[k]) << k;
    EXPECT_EQ(work_out[0], 319);
    EXPECT_EQ(work_out[13], 256);

    const std::vector<unsigned char> before = headless::screen_pixels();
    const int box[4] = {0, 0, 10, 10};
    gemc_v_bar(h[2], GEMC_CREF(box));
    EXPECT_NE(headless::screen_pixels(), before) << "the handle draws on the visible screen";

    for (int handle_io : h)
        gemc_v_clsvwk(handle_io);
    short again = 0;
    gemc_v_opnvwk(GEMC_CREF(work_in), GEMC_REF(&again), GEMC_REF(0));
    EXPECT_EQ(again, 1) << "closed handles are free again";
    gemc_v_clsvwk(again);
}

TEST(ClassicVdi, OpeningStartsTheAttributesOverFromWorkIn)
{
    fresh();
    vswr_mode(1, MD_XOR);
    const short box[4] = {1, 1, 5, 5};
    vs_clip(1, 1, box);
    const int work_in[11] = {1, DASH, 3, PM_PLUS, 4, 1, 5, FIS_PATTERN, 7, 6, 2};
    short handle_out = 0;
    gemc_v_opnwk(GEMC_CREF(work_in), GEMC_REF(&handle_out), GEMC_REF(0));
    EXPECT_EQ(handle_out, 1);
    int line[6], fill[5];
    gemc_vql_attributes(1, GEMC_REF(line));
    gemc_vqf_attributes(1, GEMC_REF(fill));
    EXPECT_EQ(line[0], DASH);
    EXPECT_EQ(line[1], 3);
    EXPECT_EQ(line[2], MD_REPLACE);
    EXPECT_EQ(fill[0], FIS_PATTERN);
    EXPECT_EQ(fill[1], 6);
    EXPECT_EQ(fill[2], 7);
    short ext[57];
    vq_extnd(1, 1, ext);
    EXPECT_EQ(ext[19], 0) << "clipping off";
}

TEST(ClassicVdi, RasterCopyLogicOperations)
{
    // Source and destination pixels 0, 0, 1, 1 and 0, 1, 0, 1.
    struct Case {
        int mode;
        unsigned char result[4];
    } cases[] = {
        {0, {0, 0, 0, 0}},  {1, {0, 0, 0, 1}},  {2, {0, 0, 1, 0}},  {3, {0, 0, 1, 1}},
        {4, {0, 1, 0, 0}},  {5, {0, 1, 0, 1}},  {6, {0, 1, 1, 0}},  {7, {0, 1, 1, 1}},
        {8, {1, 0, 0, 0}},  {9, {1, 0, 0, 1}},  {10, {1, 0, 1, 0}}, {11, {1, 0, 1, 1}},
        {12, {1, 1, 0, 0}}, {13, {1, 1, 0, 1}}, {14, {1, 1, 1, 0}}, {15, {1, 1, 1, 1}},
    };
    fresh();
    const int pxy[8] = {0, 0, 3, 0, 0, 0, 3, 0};
    for (const Case &c : cases) {
        MemoryForm src(4, 1, 0), dst(4, 1, 0);
        src.set(2, 0, 1);
        src.set(3, 0, 1);
        dst.set(1, 0, 1);
        dst.set(3, 0, 1);
        gemc_vro_cpyfm(1, c.mode, GEMC_CREF(pxy), &src.mfdb, &dst.mfdb);
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(dst.at(x, 0), c.result[x]) << "mode " << c.mode << " pixel " << x;
    }
}

TEST(ClassicVdi, RasterCopyLogicOnTheScreenKeepsToTheClip)
{
    fresh();
    MemoryForm src(8, 8, 1);
    MFDB scr = {};  // classic programs leave the screen form's size 0
    const short clip[4] = {2, 2, 5, 5};
    vs_clip(1, 1, clip);
    const short pxy[8] = {0, 0, 7, 7, 0, 0, 7, 7};
    putpixel(screen, 3, 3, 1);
    gemc_vro_cpyfm(1, 6, GEMC_CREF(pxy), &src.mfdb, &scr);  // S_XOR_D
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) {
            const bool in = x >= 2 && x <= 5 && y >= 2 && y <= 5;
            const int want = !in ? 0 : (x == 3 && y == 3) ? 0 : 1;
            EXPECT_EQ(getpixel(screen, x, y), want) << x << "," << y;
        }
}

TEST(ClassicVdi, EffectsTheScreenCannotDrawAreDropped)
{
    fresh();
    EXPECT_EQ(gemc_vst_effects(1, 0x3F), 0x0F);
    EXPECT_EQ(gemc_vst_effects(1, 0x10), 0);
    EXPECT_EQ(gemc_vst_effects(1, 0x05), 0x05);
    gemc_vst_effects(1, 0);
}

TEST(ClassicVdi, FacesAreChosenByIdAndReportedById)
{
    fresh();
    short cw, ch, bw, bh;
    vst_height(1, 13, &cw, &ch, &bw, &bh);
    const short height = _font->form_height;
    EXPECT_EQ(gemc_vst_font(1, 1), 1);
    EXPECT_EQ(_font->form_height, height) << "the size is kept";
    EXPECT_EQ(gemc_vst_font(1, 4711), 1) << "an unknown face gives the system face";
    vst_font(1, 2);
    int attrib[10];
    gemc_vqt_attributes(1, GEMC_REF(attrib));
    EXPECT_EQ(attrib[0], 1) << "the id, not the place in the list";
    EXPECT_EQ(attrib[9], _font->form_height);
}

TEST(ClassicVdi, FontInfoGivesTheFontsFacts)
{
    fresh();
    vst_font(1, 0);
    int lo = 0, hi = 0, width = 0, dist[5], eff[3];
    gemc_vqt_fontinfo(1, GEMC_REF(&lo), GEMC_REF(&hi), GEMC_REF(dist), GEMC_REF(&width),
                      GEMC_REF(eff));
    EXPECT_EQ(lo, _font->first_ade);
    EXPECT_EQ(hi, _font->last_ade);
    EXPECT_EQ(dist[0], _font->bottom);
    EXPECT_EQ(dist[4], _font->top);
    EXPECT_EQ(width, _font->max_cell_width);
    EXPECT_EQ(eff[0], 0);
    EXPECT_EQ(eff[2], 0);
    vst_effects(1, TXT_ITALIC);
    gemc_vqt_fontinfo(1, GEMC_REF(0), GEMC_REF(0), GEMC_REF(0), GEMC_REF(0), GEMC_REF(eff));
    EXPECT_GT(eff[0], 0) << "skewed text is wider";
    EXPECT_EQ(eff[1], 0);
    EXPECT_GT(eff[2], 0) << "and runs on to the right";
    vst_effects(1, 0);
}

TEST(ClassicVdi, MouseFormBecomesThePointer)
{
    fresh();
    std::vector<int> form(37, 0);
    form[0] = 5;
    form[1] = 9;
    form[2] = 1;
    form[3] = 0;
    form[4] = 3;
    form[21] = 0xFFFF;  // data row 0: every bit, from an int
    form[22] = 0x8001;
    gemc_vsc_form(1, GEMC_CREF(form.data()));
    EXPECT_EQ(_mouse.hotx, 5);
    EXPECT_EQ(_mouse.hoty, 9);
    EXPECT_EQ(_mouse.shape[0], 3);
    EXPECT_EQ(_mouse.shape[15], 3);
    EXPECT_EQ(_mouse.shape[16], 3);
    EXPECT_EQ(_mouse.shape[17], 0);
    EXPECT_EQ(_mouse.shape[31], 3);
    gemc_vsc_form(1, GEMC_CREF(nullptr));  // nothing read
    EXPECT_EQ(_mouse.hotx, 5);
    graf_mouse(ARROW, nullptr);
}

namespace {
void tick_a() {}
void tick_b() {}

// What vex_timv asked of the timer: each routine taken off and put on.
std::vector<std::pair<void (*)(void), void (*)(void)>> swaps;
void record_swap(void (*off)(void), void (*on)(void)) { swaps.push_back({off, on}); }
}  // namespace

TEST(ClassicVdi, TimerHookHandsBackTheRoutineBefore)
{
    fresh();
    swaps.clear();
    auto *const real = _gemc_timer_swap;
    _gemc_timer_swap = record_swap;
    void (*old)(void) = nullptr;
    int conv = 0;
    gemc_vex_timv(1, tick_a, &old, GEMC_REF(&conv));
    EXPECT_EQ(conv, 20);
    ASSERT_NE(old, nullptr) << "something safe to chain to";
    old();
    void (*none)(void) = old, (*second)(void) = nullptr, (*third)(void) = nullptr;
    gemc_vex_timv(1, tick_b, &second, GEMC_REF(0));
    EXPECT_EQ(second, tick_a);
    gemc_vex_timv(1, none, &third, GEMC_REF(0));
    EXPECT_EQ(third, tick_b);
    _gemc_timer_swap = real;
    using Swap = std::pair<void (*)(void), void (*)(void)>;
    const std::vector<Swap> want = {
        {nullptr, tick_a}, {tick_a, tick_b}, {tick_b, nullptr}};  // the last: nothing left on
    EXPECT_EQ(swaps, want);
}
