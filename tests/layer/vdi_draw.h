// What the VDI drawing tests share: a fixture on a fresh 320 x 200 screen,
// pixel snapshots, a textured background, and sets of pixels drawn by
// Allegro itself to compare with.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "support/headless.h"

namespace vdi_test {

using Pixels = std::vector<unsigned char>;

inline Pixels pixels(BITMAP *bmp)
{
    Pixels v;
    for (int y = 0; y < bmp->h; y++)
        v.insert(v.end(), bmp->line[y], bmp->line[y] + bmp->w);
    return v;
}

// Colours 20 to 219, both parities, never 0 or a colour a test draws with
// (below 20): a background whose every pixel a drawing may change visibly.
inline int texture_at(int x, int y) { return (x * 7 + y * 13) % 200 + 20; }

inline void texture(BITMAP *bmp)
{
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            bmp->line[y][x] = (unsigned char)texture_at(x, y);
}

// Pixels of `after` that differ from `before`, as a flag per pixel.
inline std::vector<bool> changed(const Pixels &before, const Pixels &after)
{
    std::vector<bool> v(before.size());
    for (size_t i = 0; i < v.size(); i++)
        v[i] = before[i] != after[i];
    return v;
}

inline int count(const std::vector<bool> &set)
{
    int n = 0;
    for (bool b : set)
        n += b;
    return n;
}

// The pixels `draw` sets on a blank bitmap the size of the screen, drawn
// with Allegro in colour 1.
inline std::vector<bool> allegro(const std::function<void(BITMAP *)> &draw)
{
    BITMAP *b = create_bitmap_ex(8, screen->w, screen->h);
    clear_to_color(b, 0);
    draw(b);
    Pixels p = pixels(b);
    destroy_bitmap(b);
    std::vector<bool> v(p.size());
    for (size_t i = 0; i < p.size(); i++)
        v[i] = p[i] != 0;
    return v;
}

// The pixels of the screen in colour `c`.
inline std::vector<bool> in_colour(int c)
{
    Pixels p = pixels(screen);
    std::vector<bool> v(p.size());
    for (size_t i = 0; i < p.size(); i++)
        v[i] = p[i] == c;
    return v;
}

// Pixels of `set` with a neighbour outside it (or outside the screen): one
// of the four beside them, or with `diagonals` one of the eight around.
inline std::vector<bool> edge_of(const std::vector<bool> &set, bool diagonals = false)
{
    int w = screen->w, h = screen->h;
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && set[y * w + x]; };
    std::vector<bool> e(set.size());
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            bool inner = in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1);
            if (diagonals)
                inner = inner && in(x - 1, y - 1) && in(x + 1, y - 1) && in(x - 1, y + 1) &&
                        in(x + 1, y + 1);
            e[y * w + x] = in(x, y) && !inner;
        }
    return e;
}

// Counter-clockwise angle of (dx, dy) from 3 o'clock in tenths of a degree,
// screen y pointing down, 0 to 3600.
inline double tenths(double dx, double dy)
{
    double a = std::atan2(-dy, dx) * 1800 / 3.14159265358979323846;
    return a < 0 ? a + 3600 : a;
}

class VdiDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::start(0);
        clear_to_color(screen, 0);
    }
};

}  // namespace vdi_test
