// The event multiplexer and its menu tracking, on the 800 x 600 memory screen
// that raster_bench.cpp's main opens:
//   - one evnt_multi poll with every request set and nothing happening but
//     the rectangle that ends the call, beside one bare _mouse_event;
//   - one call whose single poll finds the pointer on a title: the save
//     area taken, the box saved and drawn, and closed again at the return;
//   - the tracking step while a box is open, the pointer moving from one
//     entry to another (two entries redrawn), per step.
#include <benchmark/benchmark.h>

#include <vector>

#include "gem/internal.h"
#include "tests/support/menu_tree.h"

namespace {

using namespace menu_test;

constexpr int ALL = EV_KEYBOARD | EV_BUTTON | EV_RECT1 | EV_RECT2 | EV_MESSAGE | EV_TIMER;

// evnt_multi with every request; rectangle 1 (inside mode) ends it at the
// first poll when it holds the pointer.
int multi_all(int r1x, int r1y, int r1w, int r1h)
{
    short msg[8], mx, my, mb, ks, key, n;
    return evnt_multi(ALL, 1, 1, 1, 0, r1x, r1y, r1w, r1h, 1, 0, 0, 800, 600, msg, 60000, 0, &mx,
                      &my, &mb, &ks, &key, &n);
}

class ShownMenu {
public:
    ShownMenu() : tree_(arrays()) { menu_bar(tree_.data(), 1); }
    ~ShownMenu() { menu_bar(tree_.data(), 0); }

private:
    std::vector<OBJECT> tree_;
};

void BM_mouse_event(benchmark::State &state)
{
    for (auto _ : state)
        _mouse_event();
}

void BM_evnt_multi_poll_every_request(benchmark::State &state)
{
    ShownMenu menu;
    mouse_x = 400;
    mouse_y = 300;
    for (auto _ : state)
        benchmark::DoNotOptimize(multi_all(390, 290, 20, 20));
}

void BM_evnt_multi_drop_and_close(benchmark::State &state)
{
    ShownMenu menu;
    int x = title_x(FILE_TITLE);
    for (auto _ : state) {
        mouse_x = x ^= 1;  // a move on the title in every call
        mouse_y = TITLE_Y;
        benchmark::DoNotOptimize(multi_all(0, 0, 800, 600));
    }
}

// While a box is open, every wait moves the pointer to the other of two
// entries of the File box, and after `steps` moves a key ends the call.
long steps_left;
int pending_key;

void step_idle()
{
    mouse_x = title_x(FILE_TITLE);
    mouse_y = entry_y(steps_left & 1 ? 0 : 2);
    if (--steps_left == 0)
        pending_key = 'q';
}
int step_keypressed() { return pending_key != 0; }
int step_readkey()
{
    const int k = pending_key;
    pending_key = 0;
    return k;
}

void BM_tracking_step_between_entries(benchmark::State &state)
{
    constexpr long kSteps = 1000;
    ShownMenu menu;
    GEM_IO *saved = _gemio;
    GEM_IO io = *_gemio;
    io.idle = step_idle;
    io.keypressed = step_keypressed;
    io.readkey = step_readkey;
    _gemio = &io;
    for (auto _ : state) {
        steps_left = kSteps;
        mouse_x = title_x(FILE_TITLE);
        mouse_y = TITLE_Y;
        short msg[8], mx, my, mb, ks, key, n;
        benchmark::DoNotOptimize(evnt_multi(EV_KEYBOARD, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, msg,
                                            0, 0, &mx, &my, &mb, &ks, &key, &n));
    }
    _gemio = saved;
    state.SetItemsProcessed(state.iterations() * kSteps);
}

}  // namespace

BENCHMARK(BM_mouse_event);
BENCHMARK(BM_evnt_multi_poll_every_request);
BENCHMARK(BM_evnt_multi_drop_and_close);
BENCHMARK(BM_tracking_step_between_entries);
