// The file selector on a directory of 400 entries (40 directories, 360
// files), on the 800 x 600 memory screen that raster_bench.cpp's main opens:
//   - _get_path: the directory read with a stat per entry, the two sorts and
//     the matches;
//   - find_matches alone, as a new mask costs;
//   - one whole call: opened, listed, drawn, then cancelled at its first
//     poll (a scripted press on "Cancel") and the screen put back.
#include <benchmark/benchmark.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gem/internal.h"

namespace {

namespace fs = std::filesystem;

class Directory400 {
public:
    Directory400() : path_(fs::temp_directory_path() / ("fsel_bench." + std::to_string(getpid())))
    {
        fs::create_directories(path_);
        for (int i = 0; i < 400; i++) {
            // Names in no particular order, so the sorts have work to do.
            const std::string name =
                std::to_string((i * 7919) % 1000) + "entry" + std::to_string(i);
            if (i % 10 == 0)
                fs::create_directory(path_ / name);
            else
                std::ofstream(path_ / (name + (i % 3 ? ".pcx" : ".txt")));
        }
        snprintf(buffer_, sizeof buffer_, "%s/", path_.c_str());
    }
    ~Directory400() { fs::remove_all(path_); }
    char *path() { return buffer_; }

private:
    fs::path path_;
    char buffer_[256];
};

void BM_get_path_400_entries(benchmark::State &state)
{
    Directory400 dir;
    const std::string home = fs::current_path();
    _path = dir.path();
    strcpy(_selfile, "*.pcx");
    for (auto _ : state)
        _get_path(0);
    fs::current_path(home);
    state.counters["matches"] = _nummatches;
}

void BM_find_matches_400_entries(benchmark::State &state)
{
    Directory400 dir;
    const std::string home = fs::current_path();
    _path = dir.path();
    strcpy(_selfile, "*.pcx");
    _get_path(0);
    fs::current_path(home);
    for (auto _ : state)
        find_matches();
}

// Presses "Cancel" at the first poll and lets go at the next.
int cancel_polls;
void press_cancel()
{
    short x, y;
    objc_offset(_fselbox, 39, &x, &y);
    mouse_x = x + 4;
    mouse_y = y + 4;
    mouse_b = cancel_polls++ % 2 == 0;
}

void BM_fsel_open_draw_cancel(benchmark::State &state)
{
    Directory400 dir;
    GEM_IO *was = _gemio;
    GEM_IO scripted = *_gemio;
    scripted.idle = press_cancel;
    _gemio = &scripted;
    char file[128];
    short button;
    for (auto _ : state) {
        strcpy(file, "*.pcx");
        fsel_exinput(dir.path(), file, &button, "Load a PCX");
    }
    _gemio = was;
}

}  // namespace

BENCHMARK(BM_get_path_400_entries);
BENCHMARK(BM_find_matches_400_entries);
BENCHMARK(BM_fsel_open_draw_cancel);
