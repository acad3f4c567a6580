// VDI shapes against the Allegro calls they are built on, on the 800 x 600
// screen. The ratios are printed after the table by the reporter in
// raster_bench.cpp:
//
//   build/bench/gem_bench --benchmark_filter='circle|bar_pattern|polygon'
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "gem/internal.h"

namespace {

void replace_solid(int perimeter)
{
    vs_clip(0, 0, nullptr);
    vswr_mode(0, MD_REPLACE);
    vsf_interior(0, FIS_SOLID);
    vsf_perimeter(0, perimeter);
    vsf_color(0, 3);
}

// ---- a filled circle of radius 100 -------------------------------------------

void BM_v_circle_r100(benchmark::State &state)
{
    replace_solid(0);
    for (auto _ : state)
        v_circle(0, 400, 300, 100);
    replace_solid(1);
}

void BM_v_circle_r100_perimeter(benchmark::State &state)
{
    replace_solid(1);
    for (auto _ : state)
        v_circle(0, 400, 300, 100);
}

void BM_circlefill_r100(benchmark::State &state)
{
    for (auto _ : state)
        circlefill(screen, 400, 300, 100, 3);
}

// ---- a patterned 640 x 480 bar ------------------------------------------------

void BM_v_bar_pattern_640x480(benchmark::State &state)
{
    replace_solid(1);
    vsf_interior(0, FIS_PATTERN);
    vsf_style(0, 4);
    short pxy[4] = {80, 60, 719, 539};
    for (auto _ : state)
        v_bar(0, pxy);
    replace_solid(1);
}

void BM_rectfill_pattern_640x480(benchmark::State &state)
{
    BITMAP *pattern = create_bitmap_ex(8, 16, 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            putpixel(pattern, x, y, _fill_patterns[3][y] >> (15 - x) & 1);
    drawing_mode(DRAW_MODE_SOLID_PATTERN, pattern, 0, 0);
    for (auto _ : state)
        rectfill(screen, 80, 60, 719, 539, 3);
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    destroy_bitmap(pattern);
}

// ---- a 1000-point polygon -----------------------------------------------------

// A star of 1000 points about the centre of the screen, its radius swinging
// between 120 and 280.
std::vector<short> star()
{
    std::vector<short> p;
    for (int i = 0; i < 1000; i++) {
        double t = i * 2 * 3.14159265358979 / 1000, r = i % 2 ? 280 : 120;
        p.push_back((short)std::lround(400 + r * std::cos(t)));
        p.push_back((short)std::lround(300 + r * std::sin(t)));
    }
    return p;
}

void BM_v_fillarea_1000(benchmark::State &state)
{
    replace_solid(0);
    std::vector<short> p = star();
    for (auto _ : state)
        v_fillarea(0, 1000, p.data());
    replace_solid(1);
}

void BM_v_fillarea_1000_perimeter(benchmark::State &state)
{
    replace_solid(1);
    std::vector<short> p = star();
    for (auto _ : state)
        v_fillarea(0, 1000, p.data());
}

void BM_polygon_1000(benchmark::State &state)
{
    std::vector<short> p = star();
    std::vector<int> points(p.begin(), p.end());
    for (auto _ : state)
        polygon(screen, 1000, points.data(), 3);
}

BENCHMARK(BM_v_circle_r100);
BENCHMARK(BM_v_circle_r100_perimeter);
BENCHMARK(BM_circlefill_r100);
BENCHMARK(BM_v_bar_pattern_640x480);
BENCHMARK(BM_rectfill_pattern_640x480);
BENCHMARK(BM_v_fillarea_1000);
BENCHMARK(BM_v_fillarea_1000_perimeter);
BENCHMARK(BM_polygon_1000);

}  // namespace
