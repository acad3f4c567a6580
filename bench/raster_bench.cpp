// Raster copy, bars and colour search against the plain operations they are
// built on, in one run (with the shapes of vdi_bench.cpp). After the table the program prints the
// ratios that matter: each layer call's time over its baseline's.
//
//   build/bench/gem_bench                         (one run of each)
//   build/bench/gem_bench --benchmark_repetitions=5  (ratios of the medians)
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "gem/internal.h"

namespace {

constexpr int kScreenW = 800, kScreenH = 600;  // resolution code 2
constexpr int kAreaW = 322, kAreaH = 202;      // a dialog's saved area

void start_layer()
{
    _gemio = &_memory_io;
    appl_init(2);
    clear_to_color(screen, 5);
}

// ---- full-screen memory form, mode 3 ---------------------------------------

void BM_vro_cpyfm_memory_to_memory(benchmark::State &state)
{
    std::vector<unsigned char> a(kScreenW * kScreenH, 7), b(kScreenW * kScreenH);
    MFDB src = {a.data(), kScreenW, kScreenH, 0, 0, 0, 0, 0, 0};
    MFDB dst = {b.data(), kScreenW, kScreenH, 0, 0, 0, 0, 0, 0};
    short pxy[8] = {0, 0, kScreenW - 1, kScreenH - 1, 0, 0, kScreenW - 1, kScreenH - 1};
    for (auto _ : state) {
        vro_cpyfm(0, 3, pxy, &src, &dst);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)a.size());
}

void BM_memcpy_full_screen(benchmark::State &state)
{
    std::vector<unsigned char> a(kScreenW * kScreenH, 7), b(kScreenW * kScreenH);
    for (auto _ : state) {
        memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)a.size());
}

// ---- a dialog's saved area, to and from the surface -------------------------

void BM_vro_cpyfm_memory_to_surface(benchmark::State &state)
{
    std::vector<unsigned char> area(kAreaW * kAreaH, 9);
    MFDB src = {area.data(), kAreaW, kAreaH, 0, 0, 0, 0, 0, 0};
    short pxy[8] = {0, 0, kAreaW - 1, kAreaH - 1, 200, 150, 200 + kAreaW - 1, 150 + kAreaH - 1};
    for (auto _ : state)
        vro_cpyfm(0, 3, pxy, &src, &_screen);
}

void BM_vro_cpyfm_surface_to_memory(benchmark::State &state)
{
    std::vector<unsigned char> area(kAreaW * kAreaH);
    MFDB dst = {area.data(), kAreaW, kAreaH, 0, 0, 0, 0, 0, 0};
    short pxy[8] = {200, 150, 200 + kAreaW - 1, 150 + kAreaH - 1, 0, 0, kAreaW - 1, kAreaH - 1};
    for (auto _ : state) {
        vro_cpyfm(0, 3, pxy, &_screen, &dst);
        benchmark::DoNotOptimize(area.data());
        benchmark::ClobberMemory();
    }
}

void BM_blit_area(benchmark::State &state)
{
    BITMAP *area = create_bitmap_ex(8, kAreaW, kAreaH);
    clear_to_color(area, 9);
    for (auto _ : state)
        blit(area, screen, 0, 0, 200, 150, kAreaW, kAreaH);
    destroy_bitmap(area);
}

// ---- bars --------------------------------------------------------------------

void BM_v_bar_full_screen(benchmark::State &state)
{
    vs_clip(0, 0, nullptr);
    vsf_color(0, 3);
    short pxy[4] = {0, 0, kScreenW - 1, kScreenH - 1};
    for (auto _ : state)
        v_bar(0, pxy);
}

void BM_rectfill_full_screen(benchmark::State &state)
{
    for (auto _ : state)
        rectfill(screen, 0, 0, kScreenW - 1, kScreenH - 1, 3);
}

// ---- 1000 find-or-add searches in a full table --------------------------------

void BM_find_or_add_1000_full_table(benchmark::State &state)
{
    // A table of 256 distinct colours, and 1000 colours to look for, most
    // of them no closer than distance 3 to any entry so every search runs
    // through the whole table.
    for (int i = 0; i < 256; i++) {
        unsigned char c[3] = {(unsigned char)((i & 7) << 5), (unsigned char)(((i >> 3) & 7) << 5),
                              (unsigned char)((i >> 6) << 6)};
        Setcolor(i, c);
    }
    std::vector<unsigned char> wanted(1000 * 3);
    for (size_t k = 0; k < wanted.size(); k++)
        wanted[k] = (unsigned char)(k * 37 % 251 + 2);
    for (auto _ : state) {
        for (int k = 0; k < 1000; k++)
            benchmark::DoNotOptimize(Setcolor(256, &wanted[3 * k]));
    }
    Resetpalette(256);
}

BENCHMARK(BM_vro_cpyfm_memory_to_memory);
BENCHMARK(BM_memcpy_full_screen);
BENCHMARK(BM_vro_cpyfm_memory_to_surface);
BENCHMARK(BM_vro_cpyfm_surface_to_memory);
BENCHMARK(BM_blit_area);
BENCHMARK(BM_v_bar_full_screen);
BENCHMARK(BM_rectfill_full_screen);
BENCHMARK(BM_find_or_add_1000_full_table);

// Prints the table as usual, then each layer call over its baseline.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // One time per benchmark: the median when repetitions were asked for,
    // else the single run.
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const std::string &name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times_[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                times_[name] = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::ostream &out = GetOutputStream();
        out << "\nratio (layer call / baseline), target in brackets\n";
        ratio(out, "vro_cpyfm mode 3 memory to memory, 800 x 600 / memcpy",
              "BM_vro_cpyfm_memory_to_memory", "BM_memcpy_full_screen", 1.2);
        ratio(out, "vro_cpyfm mode 3 memory to surface, 322 x 202 / blit",
              "BM_vro_cpyfm_memory_to_surface", "BM_blit_area", 3.0);
        ratio(out, "vro_cpyfm mode 3 surface to memory, 322 x 202 / blit",
              "BM_vro_cpyfm_surface_to_memory", "BM_blit_area", 3.0);
        ratio(out, "v_bar full screen / rectfill", "BM_v_bar_full_screen",
              "BM_rectfill_full_screen", 0);
        ratio(out, "v_circle r 100, no perimeter / circlefill", "BM_v_circle_r100",
              "BM_circlefill_r100", 1.2);
        ratio(out, "v_circle r 100, perimeter / circlefill", "BM_v_circle_r100_perimeter",
              "BM_circlefill_r100", 1.2);
        ratio(out, "v_bar 640 x 480 pattern / rectfill pattern", "BM_v_bar_pattern_640x480",
              "BM_rectfill_pattern_640x480", 1.2);
        ratio(out, "v_fillarea 1000 points, no perimeter / polygon", "BM_v_fillarea_1000",
              "BM_polygon_1000", 1.2);
        ratio(out, "v_fillarea 1000 points, perimeter / polygon", "BM_v_fillarea_1000_perimeter",
              "BM_polygon_1000", 1.2);
        auto search = times_.find("BM_find_or_add_1000_full_table");
        if (search != times_.end())
            out << "  1000 find-or-add searches in a full table: " << search->second / 1000
                << " us\n";
    }

private:
    void ratio(std::ostream &out, const char *what, const std::string &call,
               const std::string &base, double target)
    {
        auto c = times_.find(call), b = times_.find(base);
        if (c == times_.end() || b == times_.end() || b->second <= 0)
            return;  // filtered out of this run
        out << "  " << what << ": " << c->second / b->second;
        if (target > 0)
            out << " [" << target << "]";
        out << "\n";
    }

    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    start_layer();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
