// The scaled window's work after a poll, on a memory window (the X server's
// own copy comes on top of this):
//   - a poll that finds nothing changed: the rows compared, nothing copied;
//   - the pointer moved one pixel: the tiles under the cursor copied;
//   - the whole screen changed: every pixel scaled and copied.
// Arguments: screen width, height, factor k.
#include <benchmark/benchmark.h>

#include "gem/internal.h"

namespace {

// A view on a window of k times the w x h screen, for one benchmark; the
// benchmark program's own screen comes back after it.
class View {
public:
    View(int w, int h, int k) : saved_(screen), window_(create_bitmap(w * k, h * k))
    {
        screen = window_;
        _view_open(k);
        _view_cursor(1);
        _view_present();
    }
    ~View()
    {
        _view_close();
        destroy_bitmap(window_);
        screen = saved_;
    }

private:
    BITMAP *saved_, *window_;
};

void Args(benchmark::internal::Benchmark *b)
{
    b->Args({320, 200, 3})->Args({320, 200, 4})->Args({800, 600, 2});
}

void BM_present_unchanged(benchmark::State &state)
{
    View view((int)state.range(0), (int)state.range(1), (int)state.range(2));
    for (auto _ : state)
        _view_present();
}

void BM_present_pointer_moved(benchmark::State &state)
{
    View view((int)state.range(0), (int)state.range(1), (int)state.range(2));
    const int k = (int)state.range(2);
    int step = 0;
    for (auto _ : state) {
        mouse_x = (100 + (step++ & 1)) * k;
        mouse_y = 50 * k;
        short x, y;
        _view_mouse(&x, &y);
        _view_present();
    }
}

void BM_present_everything(benchmark::State &state)
{
    View view((int)state.range(0), (int)state.range(1), (int)state.range(2));
    int colour = 0;
    for (auto _ : state) {
        clear_to_color(screen, 2 + (colour++ & 1));
        _view_present();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

}  // namespace

BENCHMARK(BM_present_unchanged)->Apply(Args);
BENCHMARK(BM_present_pointer_moved)->Apply(Args);
BENCHMARK(BM_present_everything)->Apply(Args);
