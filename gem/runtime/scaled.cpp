// The visible screen shown k times larger in a window. The layer draws on
// `screen`, a memory bitmap of the mode's size; after each poll the tiles
// that differ from what the window shows are scaled into a work bitmap, the
// cursor is drawn over them there, and they go to the window in as few
// rectangles as the tiles allow. A screen that did not change costs one
// comparison of its rows and no copy.
#include <string.h>

#include <algorithm>
#include <array>
#include <vector>

#include "gem/internal.h"

long _view_copied = 0;

namespace {

constexpr int kMaxScale = 8;
constexpr int kTileW = 32, kTileH = 8;  // screen pixels
// More rectangles than this cost more in calls to the window than the
// pixels one bounding rectangle would copy needlessly.
constexpr int kMaxRects = 16;

struct Rect {
    int x0, y0, x1, y1;  // x1 and y1 exclusive

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool meets(const Rect &o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

struct Cursor {
    bool on = false;
    int x = 0, y = 0;  // top-left, screen pixels
    std::array<unsigned char, 256> shape{};

    Rect rect() const { return {x, y, x + 16, y + 16}; }
    bool operator==(const Cursor &o) const
    {
        return on == o.on && (!on || (x == o.x && y == o.y && shape == o.shape));
    }
};

struct View {
    BITMAP *window = nullptr;  // what the person sees, k times the screen
    BITMAP *memory = nullptr;  // `screen` while the view is open
    BITMAP *shown = nullptr;   // the screen as the window shows it
    BITMAP *work = nullptr;    // window-sized: scaled tiles with the cursor
    BITMAP *cursor = nullptr;  // the cursor sprite, scaled
    int k = 0;
    bool stale = true;  // the whole window is still to be copied
    bool want_cursor = false;
    int px = 0, py = 0;  // the pointer as last read, window pixels
    Cursor drawn;        // the cursor as the window shows it
    int tiles_x = 0, tiles_y = 0;
    std::vector<unsigned char> dirty;  // one flag per tile
};

View v;

void destroy(BITMAP *&b)
{
    if (b)
        destroy_bitmap(b);
    b = nullptr;
}

void mark(Rect r)
{
    r = {std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, v.memory->w),
         std::min(r.y1, v.memory->h)};
    if (r.empty())
        return;
    for (int ty = r.y0 / kTileH; ty <= (r.y1 - 1) / kTileH; ty++)
        for (int tx = r.x0 / kTileW; tx <= (r.x1 - 1) / kTileW; tx++)
            v.dirty[ty * v.tiles_x + tx] = 1;
}

// Marks the tiles where `screen` differs from what the window shows. Rows
// that did not change are passed over with one comparison each.
void mark_changes()
{
    const int w = v.memory->w;
    for (int y = 0; y < v.memory->h; y++) {
        const unsigned char *now = v.memory->line[y], *was = v.shown->line[y];
        if (memcmp(now, was, (size_t)w) == 0)
            continue;
        unsigned char *row = &v.dirty[(y / kTileH) * v.tiles_x];
        for (int tx = 0; tx < v.tiles_x; tx++) {
            const int x = tx * kTileW, n = std::min(kTileW, w - x);
            if (!row[tx] && memcmp(now + x, was + x, (size_t)n) != 0)
                row[tx] = 1;
        }
    }
}

// The dirty tiles as rectangles: runs along each row of tiles, a run joined
// to the one above it when both span the same columns.
std::vector<Rect> dirty_rects()
{
    std::vector<Rect> rects;
    for (int ty = 0; ty < v.tiles_y; ty++) {
        const unsigned char *row = &v.dirty[ty * v.tiles_x];
        for (int tx = 0; tx < v.tiles_x;) {
            if (!row[tx]) {
                tx++;
                continue;
            }
            int end = tx;
            while (end < v.tiles_x && row[end])
                end++;
            Rect r{tx, ty, end, ty + 1};
            auto above = std::find_if(rects.begin(), rects.end(), [&](const Rect &o) {
                return o.x0 == r.x0 && o.x1 == r.x1 && o.y1 == ty;
            });
            if (above != rects.end())
                above->y1 = ty + 1;
            else
                rects.push_back(r);
            tx = end;
        }
    }
    if ((int)rects.size() > kMaxRects) {
        Rect all = rects[0];
        for (const Rect &r : rects)
            all = {std::min(all.x0, r.x0), std::min(all.y0, r.y0), std::max(all.x1, r.x1),
                   std::max(all.y1, r.y1)};
        rects.assign(1, all);
    }
    for (Rect &r : rects)
        r = {r.x0 * kTileW, r.y0 * kTileH, std::min(r.x1 * kTileW, v.memory->w),
             std::min(r.y1 * kTileH, v.memory->h)};
    return rects;
}

// Each pixel of `shown` in `r` becomes a k x k square of `work`.
void scale_into_work(const Rect &r)
{
    const int k = v.k, n = r.x1 - r.x0;
    for (int y = r.y0; y < r.y1; y++) {
        const unsigned char *src = v.shown->line[y] + r.x0;
        unsigned char *first = v.work->line[y * k] + r.x0 * k, *d = first;
        for (int i = 0; i < n; i++)
            for (int j = 0; j < k; j++)
                *d++ = src[i];
        for (int j = 1; j < k; j++)
            memcpy(v.work->line[y * k + j] + r.x0 * k, first, (size_t)(n * k));
    }
}

void scale_cursor()
{
    const int k = v.k;
    clear_to_color(v.cursor, 0);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            if (int c = _mousebmp->line[y][x])
                rectfill(v.cursor, x * k, y * k, x * k + k - 1, y * k + k - 1, c);
}

Cursor cursor_now()
{
    Cursor c;
    if (!v.want_cursor || !_mousebmp)
        return c;
    c.on = true;
    c.x = v.px / v.k - _mouse.hotx;
    c.y = v.py / v.k - _mouse.hoty;
    for (int y = 0; y < 16; y++)
        memcpy(&c.shape[y * 16], _mousebmp->line[y], 16);
    return c;
}

void copy_out(const Rect &r, const Cursor &c)
{
    const int k = v.k, w = r.x1 - r.x0, h = r.y1 - r.y0;
    blit(v.memory, v.shown, r.x0, r.y0, r.x0, r.y0, w, h);
    scale_into_work(r);
    if (c.on && r.meets(c.rect())) {
        set_clip_rect(v.work, r.x0 * k, r.y0 * k, r.x1 * k - 1, r.y1 * k - 1);
        draw_sprite(v.work, v.cursor, c.x * k, c.y * k);
        set_clip_rect(v.work, 0, 0, v.work->w - 1, v.work->h - 1);
    }
    blit(v.work, v.window, r.x0 * k, r.y0 * k, r.x0 * k, r.y0 * k, w * k, h * k);
    _view_copied += (long)w * h;
}

}  // namespace

int _view_scale(int dw, int dh, int w, int h)
{
    if (w <= 0 || h <= 0 || dw < w || dh < h || (dw == w && dh == h))
        return 0;
    int k = 1;
    // 10 k w <= 9 dw: the window takes at most 90 % of the display.
    while (k < kMaxScale && 10L * (k + 1) * w <= 9L * dw && 10L * (k + 1) * h <= 9L * dh)
        k++;
    return k;
}

int _view_open(int k)
{
    _view_close();
    if (!screen || k < 1 || k > kMaxScale)
        return 0;
    BITMAP *window = screen;
    const int w = window->w / k, h = window->h / k;
    View n;
    n.memory = create_bitmap(w, h);
    n.shown = create_bitmap(w, h);
    n.work = create_bitmap(window->w, window->h);
    n.cursor = create_bitmap(16 * k, 16 * k);
    if (!n.memory || !n.shown || !n.work || !n.cursor) {
        destroy(n.memory);
        destroy(n.shown);
        destroy(n.work);
        destroy(n.cursor);
        return 0;
    }
    clear_to_color(n.memory, 0);
    clear_to_color(n.shown, 0);
    n.window = window;
    n.k = k;
    n.tiles_x = (w + kTileW - 1) / kTileW;
    n.tiles_y = (h + kTileH - 1) / kTileH;
    n.dirty.assign((size_t)(n.tiles_x * n.tiles_y), 0);
    v = std::move(n);
    _view_copied = 0;
    screen = v.memory;
    return 1;
}

void _view_close(void)
{
    if (!v.window)
        return;
    screen = v.window;
    destroy(v.memory);
    destroy(v.shown);
    destroy(v.work);
    destroy(v.cursor);
    v = View();
}

void _view_mouse(short *x, short *y)
{
    if (!v.window) {
        *x = (short)mouse_x;
        *y = (short)mouse_y;
        return;
    }
    v.px = std::clamp((int)mouse_x, 0, v.window->w - 1);
    v.py = std::clamp((int)mouse_y, 0, v.window->h - 1);
    *x = (short)(v.px / v.k);
    *y = (short)(v.py / v.k);
}

void _view_warp(int x, int y)
{
    const int k = v.window ? v.k : 1;
    position_mouse(x * k + k / 2, y * k + k / 2);
}

void _view_cursor(int shown) { v.want_cursor = shown != 0; }

void _view_present(void)
{
    if (!v.window)
        return;
    const Cursor now = cursor_now();
    if (v.stale)
        std::fill(v.dirty.begin(), v.dirty.end(), 1);
    else
        mark_changes();
    if (!(now == v.drawn)) {
        if (v.drawn.on)
            mark(v.drawn.rect());
        if (now.on)
            mark(now.rect());
        if (now.on && (!v.drawn.on || now.shape != v.drawn.shape))
            scale_cursor();
    }
    for (const Rect &r : dirty_rects())
        copy_out(r, now);
    std::fill(v.dirty.begin(), v.dirty.end(), 0);
    v.drawn = now;
    v.stale = false;
}
