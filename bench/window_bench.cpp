// The window manager's work on memory screens:
//   - the rectangle list of a window under 15 others spread over it
//     (WF_FIRSTXYWH, then WF_NEXTXYWH to the end of the list);
//   - moving a window on a 640 x 480 screen with 8 windows open, each move
//     back and forth 16 pixels: the top window (its work area copied, the
//     uncovered desktop and frames drawn), and one in the middle of the
//     stack (its whole work area asked for instead, frames drawn);
//   - topping the bottom window of 8 in turn.
// Every iteration also takes the messages the change queued.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "gem/internal.h"

namespace {

constexpr int FULL = NAME | CLOSER | FULLER | MOVER | INFO | SIZER | UPARROW | DNARROW | VSLIDE |
                     LFARROW | RTARROW | HSLIDE;

// `count` windows in a cascade on the 640 x 480 screen, each over the last;
// the screen mode the benchmark program uses comes back afterwards.
class Cascade {
public:
    explicit Cascade(int count)
    {
        Setscreen(-1, 1);
        for (int i = 0; i < count; i++) {
            const int h = wind_create(FULL, 0, 11, 640, 469);
            wind_set_str(h, WF_NAME, "A window");
            wind_open(h, 20 + 30 * i, 20 + 24 * i, 300, 220);
            handles.push_back(h);
        }
        drain();
    }
    ~Cascade()
    {
        wind_new();
        drain();
        Setscreen(-1, 2);
    }
    static void drain()
    {
        short msg[8];
        while (_msg_take(msg)) {
        }
    }

    std::vector<int> handles;
};

// A 600 x 440 window under 15 small ones spread over it in a grid, each
// of them cutting a hole out of its work area.
void BM_rectangle_list_under_15(benchmark::State &state)
{
    Setscreen(-1, 1);
    const int bottom = wind_create(FULL, 0, 11, 640, 469);
    wind_open(bottom, 10, 20, 600, 440);
    for (int i = 0; i < 15; i++) {
        const int h = wind_create(NAME | MOVER, 0, 11, 640, 469);
        wind_open(h, 40 + 140 * (i % 4) + 10 * (i / 4), 60 + 95 * (i / 4), 90, 60);
    }
    Cascade::drain();
    long rects = 0;
    for (auto _ : state) {
        short x, y, w, h;
        rects = 0;
        for (wind_get(bottom, WF_FIRSTXYWH, &x, &y, &w, &h); w && h;
             wind_get(bottom, WF_NEXTXYWH, &x, &y, &w, &h))
            rects++;
        benchmark::DoNotOptimize(rects);
    }
    state.counters["rectangles"] = (double)rects;
    wind_new();
    Cascade::drain();
    Setscreen(-1, 2);
}

void move_back_and_forth(benchmark::State &state, int which)
{
    Cascade windows(8);
    const int h = windows.handles[which];
    short x, y, w, hh;
    wind_get(h, WF_CURRXYWH, &x, &y, &w, &hh);
    int step = 16;
    for (auto _ : state) {
        wind_set(h, WF_CURRXYWH, x + step, y + step, w, hh);
        step = 16 - step;
        Cascade::drain();
    }
}

void BM_move_top_of_8(benchmark::State &state) { move_back_and_forth(state, 7); }
void BM_move_middle_of_8(benchmark::State &state) { move_back_and_forth(state, 3); }

void BM_top_bottom_of_8(benchmark::State &state)
{
    Cascade windows(8);
    for (auto _ : state) {
        // The stack turns one place with every topping.
        wind_set(windows.handles.front(), WF_TOP, 0, 0, 0, 0);
        std::rotate(windows.handles.begin(), windows.handles.begin() + 1, windows.handles.end());
        Cascade::drain();
    }
}

}  // namespace

BENCHMARK(BM_rectangle_list_under_15);
BENCHMARK(BM_move_top_of_8);
BENCHMARK(BM_move_middle_of_8);
BENCHMARK(BM_top_bottom_of_8);
